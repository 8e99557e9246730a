// Save and load of a large project (200 pages of 50 items, 50 pictures of 1 MB) in MB/s,
// next to memcpy and a raw file write of the same bytes in the same run.
#include "document/KJDoc.h"
#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "model/ItemFactory.h"
#include "model/ItemTypes.h"
#include "model/Page.h"
#include "model/Picture.h"

#include <QtCore/QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

CKJDoc& BigProject()
{
    static CKJDoc* doc = [] {
        auto* d = new CKJDoc;
        d->OnNewDocument();
        const int types[] = {ITEM_PARAGRAPH, ITEM_HEADING, ITEM_IMAGE, ITEM_SHAPE, ITEM_TEXT};
        for (int p = 0; p < 200; ++p) {
            CWString title;
            title = CString::Formatted("Page %d", p).GetString();
            CPage* page = d->AddPage(nullptr, &title);
            for (int i = page->GetChildCount(); i < 50; ++i)
                if (CItem* item = CreateItem(types[i % 5]))
                    page->AddChild(item);
        }
        std::vector<BYTE> picture(1 << 20);
        for (std::size_t i = 0; i < picture.size(); ++i)
            picture[i] = BYTE(i * 2654435761u >> 13);
        for (int t = 0; t < 50; ++t) {
            auto pic = std::make_unique<CPicture>();
            pic->m_strName = CString::Formatted("pic%d", t);
            pic->m_nFormat = CPicture::FormatPng;
            pic->m_blob.Assign(picture.data(), picture.size());
            d->m_textures.push_back(std::move(pic));
        }
        return d;
    }();
    return *doc;
}

const std::vector<BYTE>& SavedBytes()
{
    static std::vector<BYTE> bytes = [] {
        CMemFile f;
        CArchive ar(&f, CArchive::store);
        BigProject().Serialize(ar);
        ar.Close();
        return f.Bytes();
    }();
    return bytes;
}

void BM_SaveToMemory(benchmark::State& state)
{
    for (auto _ : state) {
        CMemFile f(1 << 20);
        CArchive ar(&f, CArchive::store);
        BigProject().Serialize(ar);
        ar.Close();
        benchmark::DoNotOptimize(f.GetLength());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(SavedBytes().size()));
}

void BM_SaveToFile(benchmark::State& state)
{
    QTemporaryDir dir;
    CString path = CString::FromQString(dir.filePath("big.kjproj"));
    for (auto _ : state) {
        CKJDoc& doc = BigProject();
        bool ok = doc.OnSaveDocument(path);
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(SavedBytes().size()));
}

void BM_Load(benchmark::State& state)
{
    const std::vector<BYTE>& bytes = SavedBytes();
    for (auto _ : state) {
        CKJDoc doc;
        CMemFile f(bytes.data(), bytes.size());
        CArchive ar(&f, CArchive::load);
        doc.Serialize(ar);
        benchmark::DoNotOptimize(doc.m_pages.size());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}

void BM_Memcpy(benchmark::State& state)
{
    const std::vector<BYTE>& bytes = SavedBytes();
    std::vector<BYTE> target(bytes.size());
    for (auto _ : state) {
        std::memcpy(target.data(), bytes.data(), bytes.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}

void BM_RawFileWrite(benchmark::State& state)
{
    const std::vector<BYTE>& bytes = SavedBytes();
    QTemporaryDir dir;
    CString path = CString::FromQString(dir.filePath("raw.bin"));
    for (auto _ : state) {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        f.Write(bytes.data(), UINT(bytes.size()));
        f.Flush();
        f.Close();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}

} // namespace

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawFileWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveToMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);
