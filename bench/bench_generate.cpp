// Site generation throughput: sites of 100, 1,000 and 5,000 pages with 20 text and link
// items each and no pictures, generated for upload into a temporary folder that holds
// the site of the run before (as the previews and the upload find it): pages/s.
#include "document/Generate.h"
#include "document/KJDoc.h"
#include "model/Page.h"
#include "model/PublishContext.h"
#include "model/items/LinkItem.h"
#include "model/items/TextItem.h"

#include <QtCore/QTemporaryDir>

#include <benchmark/benchmark.h>
#include <memory>

namespace {

std::unique_ptr<CKJDoc> MakeSite(int pages)
{
    auto doc = std::make_unique<CKJDoc>();
    doc->OnNewDocument();
    for (int p = 1; p < pages; ++p) {
        CWString title;
        title = CString::Formatted("Page %d", p).GetString();
        doc->AddPage(nullptr, &title);
    }
    int n = 0;
    for (auto& page : doc->m_pages) {
        const int target = doc->m_pages[std::size_t(n++ * 7 % pages)]->m_nSerial;
        for (int i = 0; i < 10; ++i) {
            auto* text = new CTextItem();
            text->m_strText = CWString(u"Some words of text on this page, & a few more of them.");
            text->m_nY = i * 40;
            page->AddChild(text);
            auto* link = new CLinkItem();
            link->m_strText = CWString(u"Next page");
            link->m_link.SetPageLink(target);
            link->m_nY = i * 40 + 20;
            page->AddChild(link);
        }
    }
    return doc;
}

void BM_GenerateSite(benchmark::State& state)
{
    const int pages = int(state.range(0));
    auto doc = MakeSite(pages);
    QTemporaryDir dir;
    auto generate = [&] {
        CPublishContext context;
        context.m_strOutputFolder = CString::FromQString(dir.path());
        context.m_nMode = kPublishUpload;
        context.m_bUploadAll = 1;
        const int ok = GenerateWebsite(*doc, context);
        benchmark::DoNotOptimize(context.GetFileCount());
        return ok;
    };
    // The previews and the upload write into the same folder every time: the files exist
    // already, as after this first run. Creating thousands of files costs what the file
    // system makes it cost, which is not the generator's time.
    if (!generate()) {
        state.SkipWithError("generation failed");
        return;
    }
    for (auto _ : state) {
        if (!generate()) {
            state.SkipWithError("generation failed");
            break;
        }
    }
    state.counters["pages/s"] = benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_GenerateSite)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime();
