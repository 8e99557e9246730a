// Opening and saving projects through real files, each beside its peer in the same run,
// alternated: opening (CKJDoc::OnOpenDocument) beside a raw read() of the same file;
// saving (CKJDoc::OnSaveDocument: temporary file, flush to disk, rename) beside a raw
// write of the same bytes with the same flush and rename. Projects: text sites of 1,000
// and 5,000 pages and a mixed project of shapes, images and 50 MB of pictures.
#include "Alternate.h"
#include "BenchProjects.h"

#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"

#include <QtCore/QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QTemporaryDir& Dir()
{
    static QTemporaryDir d;
    return d;
}

// 0: mixed project; otherwise a text site of that many pages.
std::unique_ptr<CKJDoc> MakeProject(int which)
{
    return which == 0 ? benchprojects::MakeMixedProject() : benchprojects::MakeTextSite(which);
}

// The project's file, written once per kind.
const CString& ProjectFile(int which)
{
    static std::map<int, CString> files;
    auto it = files.find(which);
    if (it != files.end())
        return it->second;
    const CString path = CString::FromQString(Dir().filePath(QString("project%1.kjproj").arg(which)));
    MakeProject(which)->OnSaveDocument(path);
    return files[which] = path;
}

std::vector<BYTE> RawRead(const char* path)
{
    std::vector<BYTE> bytes;
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0)
        return bytes;
    bytes.resize(std::size_t(st.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t r = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (r <= 0)
            break;
        done += std::size_t(r);
    }
    ::close(fd);
    bytes.resize(done);
    return bytes;
}

void RawSafeWrite(const char* path, const std::vector<BYTE>& bytes)
{
    const std::string temp = std::string(path) + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    std::size_t done = 0;
    while (fd >= 0 && done < bytes.size()) {
        const ssize_t r = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (r <= 0)
            break;
        done += std::size_t(r);
    }
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    std::rename(temp.c_str(), path);
}

void BM_OpenFileVsRawRead(benchmark::State& state)
{
    const int which = int(state.range(0));
    const CString& path = ProjectFile(which);
    const double bytes = double(RawRead(path).size());
    std::unique_ptr<CKJDoc> doc;
    benchpair::Pair p;
    for (auto _ : state) {
        p = benchpair::Alternate(
            int(state.range(1)),
            [&] {
                doc = std::make_unique<CKJDoc>(); // made and freed outside the clock
                const double start = benchpair::WallSeconds();
                const bool ok = doc->OnOpenDocument(path);
                const double t = benchpair::WallSeconds() - start;
                if (!ok)
                    state.SkipWithError("open failed");
                doc.reset();
                return t;
            },
            benchpair::Timed([&] { benchmark::DoNotOptimize(RawRead(path).size()); }));
    }
    benchpair::Report(state, p, "raw_read", bytes);
}

void BM_SaveVsRawWrite(benchmark::State& state)
{
    const int which = int(state.range(0));
    std::unique_ptr<CKJDoc> doc = MakeProject(which);
    const CString ours = CString::FromQString(Dir().filePath(QString("save%1.kjproj").arg(which)));
    const CString raw = CString::FromQString(Dir().filePath(QString("raw%1.bin").arg(which)));
    doc->OnSaveDocument(ours);
    const std::vector<BYTE> bytes = RawRead(ours);
    benchpair::Pair p;
    for (auto _ : state) {
        p = benchpair::Alternate(
            int(state.range(1)), benchpair::Timed([&] { benchmark::DoNotOptimize(doc->OnSaveDocument(ours)); }),
            benchpair::Timed([&] { RawSafeWrite(raw, bytes); }));
    }
    benchpair::Report(state, p, "raw_write", double(bytes.size()));
}

} // namespace

// Arguments: project (pages of the text site, 0 the mixed project), rounds.
BENCHMARK(BM_OpenFileVsRawRead)->Args({1000, 15})->Args({5000, 7})->Args({0, 7})->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveVsRawWrite)->Args({1000, 15})->Args({0, 7})->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
