// The whole-site build as a program, for side-by-side runs with another generator:
//   site_build write <pages> <project>   writes the text site of that many pages
//   site_build build <project> <folder>  opens the project file and generates its site
// "build" prints the milliseconds of opening and of generating on one line.
#include "BenchProjects.h"

#include "document/Generate.h"
#include "document/KJDoc.h"
#include "model/PublishContext.h"

#include <QtCore/QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Resident memory of the process in MB.
double ResidentMB()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return double(resident) * 4096.0 / 1e6;
}

double PeakMB()
{
    double peak = 0;
    if (FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::strncmp(line, "VmHWM:", 6) == 0)
                peak = std::atof(line + 6) / 1000.0;
        std::fclose(f);
    }
    return peak;
}

double Now()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "write") == 0) {
        auto doc = benchprojects::MakeTextSite(std::atoi(argv[2]));
        return doc->OnSaveDocument(argv[3]) ? 0 : 1;
    }
    if (argc == 4 && std::strcmp(argv[1], "build") == 0) {
        const double before = ResidentMB();
        const double start = Now();
        CKJDoc doc;
        if (!doc.OnOpenDocument(argv[2]))
            return 1;
        const double opened = Now();
        const double loadedMB = ResidentMB() - before;
        CPublishContext context;
        context.m_strOutputFolder = argv[3];
        context.m_nMode = kPublishExport;
        context.m_bUploadAll = 1;
        CString error;
        if (GenerateWebsite(doc, context, &error) != 1) {
            std::fprintf(stderr, "%s\n", error.GetString());
            return 1;
        }
        const double generated = Now();
        std::printf("open %.1f ms, generate %.1f ms, %d files, project in memory %.1f MB, peak %.1f MB\n", opened - start,
            generated - opened, int(context.GetFileCount()), loadedMB, PeakMB());
        std::fflush(stdout);
        std::_Exit(0); // the operating system frees the project faster than its destructors
    }
    std::fprintf(stderr, "usage: site_build write <pages> <project> | build <project> <folder>\n");
    return 2;
}
