// FTP upload throughput to a loopback server: 50 MB in 50 files of 1 MB.
//   Paced:  one 16384-byte block per 10 ms tick, as the transfer dialogs send it;
//   Blocks: one 16384-byte block per call, calls back to back (the class's cost per block);
//   Raw:    1 MB per call (the class without the block rule);
//   Upload: the site upload's own transfer (folder, then file by file, one block per step,
//           each file confirmed) with steps back to back; paced, it is bound like Paced.
//   Curl:   the curl command line (-T) uploading the same files to the same server.
// Each of ours reports its MB/s beside curl's, measured once in the same run, and the ratio.
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
    double curlMBps = 0;
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
        QStringList args {QStringLiteral("-s"), QStringLiteral("-S"), QStringLiteral("--user"),
                          QStringLiteral("%1:%2").arg(testsupport::FtpServer::kUser, testsupport::FtpServer::kPassword),
                          QStringLiteral("-T"), QStringLiteral("{") + names.join(QLatin1Char(',')) + QStringLiteral("}"),
                          url};
        QElapsedTimer t;
        t.start();
        auto r = QProcess::execute(QStringLiteral("curl"), args);
        double secs = double(t.nsecsElapsed()) / 1e9;
        if (r != 0)
            return;
        curlMBps = kTotalMB / secs;
        ok = true;
    }
};

Setup& Shared()
{
    static Setup s;
    return s;
}

enum class Mode { Paced, Blocks, Raw };

void RunUpload(benchmark::State& state, Mode mode)
{
    Setup& s = Shared();
    if (!s.ok) {
        state.SkipWithError("FTP server or curl not available");
        return;
    }
    CInternetSession session("bench");
    std::unique_ptr<CFtpConnection> ftp(session.GetFtpConnection("127.0.0.1", testsupport::FtpServer::kUser,
                                                                 testsupport::FtpServer::kPassword, s.server.Port(), TRUE));
    const int step = mode == Mode::Raw ? (1 << 20) : 16384;
    double seconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        auto tick = start;
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
        double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(secs);
        seconds += secs;
    }
    double oursMBps = kTotalMB * double(state.iterations()) / seconds;
    state.SetBytesProcessed(std::int64_t(state.iterations()) * kFiles * kFileSize);
    state.counters["ours_MBps"] = oursMBps;
    state.counters["curl_MBps"] = s.curlMBps;
    state.counters["ours_per_curl"] = oursMBps / s.curlMBps;
}

void BM_FtpUploadPaced(benchmark::State& state) { RunUpload(state, Mode::Paced); }

void BM_SiteUploadSteps(benchmark::State& state)
{
    Setup& s = Shared();
    if (!s.ok) {
        state.SkipWithError("FTP server or curl not available");
        return;
    }
    CInternetSession session("bench");
    std::unique_ptr<CFtpConnection> ftp(session.GetFtpConnection("127.0.0.1", testsupport::FtpServer::kUser,
                                                                 testsupport::FtpServer::kPassword, s.server.Port(), TRUE));
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
    double seconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        CFileUploader up(queue, ftp, "/");
        CFileUploader::Status status = up.Begin();
        while (status == CFileUploader::Running)
            status = up.Step();
        double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (status != CFileUploader::Finished) {
            state.SkipWithError("upload failed");
            return;
        }
        state.SetIterationTime(secs);
        seconds += secs;
    }
    double oursMBps = kTotalMB * double(state.iterations()) / seconds;
    state.SetBytesProcessed(std::int64_t(state.iterations()) * kFiles * kFileSize);
    state.counters["ours_MBps"] = oursMBps;
    state.counters["curl_MBps"] = s.curlMBps;
    state.counters["ours_per_curl"] = oursMBps / s.curlMBps;
}
void BM_FtpUploadBlocks(benchmark::State& state) { RunUpload(state, Mode::Blocks); }
void BM_FtpUploadRaw(benchmark::State& state) { RunUpload(state, Mode::Raw); }

} // namespace

BENCHMARK(BM_FtpUploadBlocks)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FtpUploadRaw)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SiteUploadSteps)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FtpUploadPaced)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
