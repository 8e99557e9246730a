// Whole-site builds of text sites (100, 1,000 and 5,000 pages of 20 paragraphs, each with
// a link, no pictures): generating alone, and opening the project file then generating,
// into a temporary folder that holds the site of the run before (as the previews and
// the upload find it): pages/s. bench/site_build_vs_hugo.py runs the whole build beside
// Hugo on the same content.
#include "BenchProjects.h"

#include "document/Generate.h"
#include "document/KJDoc.h"
#include "model/PublishContext.h"

#include <QtCore/QTemporaryDir>

#include <benchmark/benchmark.h>
#include <memory>

namespace {

using benchprojects::MakeTextSite;

int GenerateInto(CKJDoc& doc, const QTemporaryDir& dir)
{
    CPublishContext context;
    context.m_strOutputFolder = CString::FromQString(dir.path());
    context.m_nMode = kPublishUpload;
    context.m_bUploadAll = 1;
    const int ok = GenerateWebsite(doc, context);
    benchmark::DoNotOptimize(context.GetFileCount());
    return ok;
}

void BM_WholeSiteBuild(benchmark::State& state)
{
    const int pages = int(state.range(0));
    QTemporaryDir dir, out;
    const CString path = CString::FromQString(dir.filePath("site.kjproj"));
    if (!MakeTextSite(pages)->OnSaveDocument(path)) {
        state.SkipWithError("save failed");
        return;
    }
    auto build = [&] {
        CKJDoc doc;
        return doc.OnOpenDocument(path) && GenerateInto(doc, out);
    };
    if (!build()) { // the output folder holds the site from now on
        state.SkipWithError("build failed");
        return;
    }
    for (auto _ : state) {
        if (!build()) {
            state.SkipWithError("build failed");
            break;
        }
    }
    state.counters["pages/s"] = benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_GenerateSite(benchmark::State& state)
{
    const int pages = int(state.range(0));
    auto doc = MakeTextSite(pages);
    QTemporaryDir dir;
    auto generate = [&] { return GenerateInto(*doc, dir); };
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
BENCHMARK(BM_WholeSiteBuild)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime();
