// FTP upload throughput to a loopback server: 50 MB in 50 files of 1 MB.
//   Paced:  one 16384-byte block per 10 ms tick, as the transfer dialogs send it;
//   Blocks: one 16384-byte block per call, calls back to back (the class's cost per block);
//   Raw:    1 MB per call (the class without the block rule);
//   Upload: the site upload's own transfer (folder, then file by file, one block per step,
//           each file confirmed) with steps back to back; paced, it is bound like Paced.
//   Curl:   the curl command line (-T) uploading the same files to the same server.
// Each of ours runs beside curl, alternated round by round, both timed by the same wall
// clock from connecting (curl: from its start) to the last file confirmed; medians of
// each and the ratio ("x_curl" = curl's time / ours, above 1: ours faster).
#include "Alternate.h"

#include "document/Upload.h"
#include "framework/net/CFtpConnection.h"
#include "framework/net/CInternetFile.h"
#include "framework/net/CInternetSession.h"
#include "support/FtpServer.h"

#include <benchmark/benchmark.h>
#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr int kFiles = 50;
constexpr int kFileSize = 1 << 20;
constexpr double kTotalMB = double(kFiles) * kFileSize / (1 << 20);

struct Setup {
    testsupport::FtpServer server;
    QTemporaryDir local;
    std::vector<QByteArray> data;
    QStringList curlArgs;
    bool ok = false;

    Setup()
    {
        if (!server.Start() || !local.isValid())
            return;
        QStringList names;
        for (int i = 0; i < kFiles; ++i) {
            QByteArray d = testsupport::RandomBytes(kFileSize, unsigned(i));
            QFile f(local.filePath(QStringLiteral("f%1.bin").arg(i)));
            if (!f.open(QIODevice::WriteOnly) || f.write(d) != d.size())
                return;
            data.push_back(std::move(d));
            names << f.fileName();
        }
        QDir(server.Root()).mkpath(QStringLiteral("curl"));
        QString url = QStringLiteral("ftp://127.0.0.1:%1/curl/").arg(server.Port());
        curlArgs = QStringList {QStringLiteral("-s"), QStringLiteral("-S"), QStringLiteral("--user"),
                                QStringLiteral("%1:%2").arg(testsupport::FtpServer::kUser, testsupport::FtpServer::kPassword),
                                QStringLiteral("-T"), QStringLiteral("{") + names.join(QLatin1Char(',')) + QStringLiteral("}"), url};
        ok = true;
    }

    // One upload of every file by the curl command, start-up included; seconds.
    double Curl() const
    {
        const double start = benchpair::WallSeconds();
        const int r = QProcess::execute(QStringLiteral("curl"), curlArgs);
        const double t = benchpair::WallSeconds() - start;
        return r == 0 ? t : 0.0;
    }
};

Setup& Shared()
{
    static Setup s;
    return s;
}

enum class Mode { Paced, Blocks, Raw };

std::unique_ptr<CFtpConnection> Connect(CInternetSession& session, Setup& s)
{
    return std::unique_ptr<CFtpConnection>(session.GetFtpConnection("127.0.0.1", testsupport::FtpServer::kUser,
                                                                   testsupport::FtpServer::kPassword, s.server.Port(), TRUE));
}

// One upload of every file through the connection class; seconds from connecting.
double UploadOnce(Setup& s, Mode mode)
{
    const double start = benchpair::WallSeconds();
    CInternetSession session("bench");
    std::unique_ptr<CFtpConnection> ftp = Connect(session, s);
    const int step = mode == Mode::Raw ? (1 << 20) : 16384;
    auto tick = std::chrono::steady_clock::now();
    for (int i = 0; i < kFiles; ++i) {
        std::unique_ptr<CInternetFile> file(ftp->OpenFile(CString::Formatted("ours%d.bin", i), GENERIC_WRITE));
        const QByteArray& d = s.data[size_t(i)];
        for (int pos = 0; pos < d.size(); pos += step) {
            if (mode == Mode::Paced) {
                tick += std::chrono::milliseconds(10);
                std::this_thread::sleep_until(tick);
            }
            file->Write(d.constData() + pos, UINT(std::min(step, int(d.size()) - pos)));
        }
        file->Close();
    }
    ftp->Close();
    return benchpair::WallSeconds() - start;
}

void RunPair(benchmark::State& state, const benchpair::Step& ours)
{
    Setup& s = Shared();
    if (!s.ok) {
        state.SkipWithError("FTP server or curl not available");
        return;
    }
    benchpair::Pair p;
    for (auto _ : state)
        p = benchpair::Alternate(int(state.range(0)), ours, [&] { return s.Curl(); });
    if (p.peer <= 0) {
        state.SkipWithError("curl failed");
        return;
    }
    benchpair::Report(state, p, "curl", double(kFiles) * kFileSize);
}

void RunUpload(benchmark::State& state, Mode mode)
{
    RunPair(state, [mode] { return UploadOnce(Shared(), mode); });
}

void BM_FtpUploadPaced(benchmark::State& state) { RunUpload(state, Mode::Paced); }

void BM_SiteUploadSteps(benchmark::State& state)
{
    Setup& s = Shared();
    std::vector<CPublishFile> entries(kFiles + 1);
    std::vector<int> states(kFiles + 1, kUploadListed);
    std::vector<CPublishFile*> queue;
    entries[0].m_strRemoteName = "site";
    entries[0].m_bDirectory = 1;
    for (int i = 0; i <= kFiles; ++i) {
        if (i > 0) {
            entries[size_t(i)].m_strRemoteName = CString::Formatted("site/f%d.bin", i - 1);
            entries[size_t(i)].m_strLocalPath = CString::FromQString(s.local.filePath(QStringLiteral("f%1.bin").arg(i - 1)));
        }
        entries[size_t(i)].m_pUploadState = &states[size_t(i)];
        queue.push_back(&entries[size_t(i)]);
    }
    RunPair(state, [&] {
        const double start = benchpair::WallSeconds();
        CInternetSession session("bench");
        std::unique_ptr<CFtpConnection> ftp = Connect(session, s);
        CFileUploader up(queue, ftp, "/");
        CFileUploader::Status status = up.Begin();
        while (status == CFileUploader::Running)
            status = up.Step();
        const double t = benchpair::WallSeconds() - start;
        return status == CFileUploader::Finished ? t : 0.0;
    });
}
void BM_FtpUploadBlocks(benchmark::State& state) { RunUpload(state, Mode::Blocks); }
void BM_FtpUploadRaw(benchmark::State& state) { RunUpload(state, Mode::Raw); }

} // namespace

// Argument: rounds of each side.
BENCHMARK(BM_FtpUploadBlocks)->Arg(5)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FtpUploadRaw)->Arg(5)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SiteUploadSteps)->Arg(5)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FtpUploadPaced)->Arg(1)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
