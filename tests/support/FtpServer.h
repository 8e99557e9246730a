// Starts the test FTP server (tests/support/ftpserver.py on Debian's python3 with
// pyftpdlib) on 127.0.0.1 with a free port and a temporary root, and stops it again.
#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QDeadlineTimer>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QStringList>
#include <QtCore/QTemporaryDir>
#include <arpa/inet.h>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <random>

namespace testsupport {

// Reproducible bytes that no text or line-ending conversion would leave alone.
inline QByteArray RandomBytes(int n, unsigned seed)
{
    std::mt19937 rng(seed);
    QByteArray b(n, Qt::Uninitialized);
    for (int i = 0; i < n; ++i)
        b[i] = char(rng());
    return b;
}

struct FtpServerOptions {
    QStringList refuseUpload;   // file names refused after their last byte
    QStringList refuseMkdir;    // folder names MKD refuses
    int disconnectAfter = 0;    // drop the connection after this many bytes of a transfer
    bool hostileNames = false;  // list names with "/", "\\" or ".."
    QString loginDir = QStringLiteral("/"); // folder the login starts in
    bool noMlsd = false;        // no machine listing: clients must fall back to LIST
};

// Faults switched on and off while the server runs (FtpServer::SetFaults).
struct FtpFaults {
    QStringList truncate;       // file names the server keeps at half length while replying 226
    bool refuseSize = false;    // SIZE answered as an unknown command
    QStringList refuseList;     // folder names whose listing is refused with 550
    QStringList stall;          // commands never answered: "SIZE" (all) or "STOR b.bin" (that name)
    int dropAfter = 0;          // drop the connection after this many bytes of a transfer
    QStringList shortSend;      // file names whose download sends only the first half, then 226
};

// A loopback port that was free a moment ago: nothing listens on it.
inline int FreeLoopbackPort()
{
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0
        && getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    close(fd);
    return port;
}

class FtpServer {
public:
    static constexpr const char* kUser = "tester";
    static constexpr const char* kPassword = "secret";

    explicit FtpServer(FtpServerOptions options = {}) : m_options(std::move(options)) {}
    ~FtpServer() { Stop(); }
    FtpServer(const FtpServer&) = delete;
    FtpServer& operator=(const FtpServer&) = delete;

    static QString ScriptPath()
    {
        QByteArray dir = qgetenv("TESSEL_SOURCE_DIR");
#ifdef TESSEL_SOURCE_DIR_DEFAULT
        if (dir.isEmpty())
            dir = TESSEL_SOURCE_DIR_DEFAULT;
#endif
        return QString::fromLocal8Bit(dir) + QStringLiteral("/tests/support/ftpserver.py");
    }

    // Starts the server; false (with Error() telling why) when it did not come up in 15 s.
    bool Start()
    {
        if (!m_root.isValid()) {
            m_error = "no temporary folder";
            return false;
        }
        if (m_options.loginDir != QStringLiteral("/"))
            QDir(m_root.path()).mkpath(m_options.loginDir.mid(1));
        QStringList args {ScriptPath(), QStringLiteral("--root"), m_root.path(), QStringLiteral("--user"),
                          QString::fromLatin1(kUser), QStringLiteral("--password"), QString::fromLatin1(kPassword),
                          QStringLiteral("--login-dir"), m_options.loginDir, QStringLiteral("--lifetime"),
                          QStringLiteral("900"), QStringLiteral("--faults"), FaultsPath()};
        for (const QString& n : m_options.refuseUpload)
            args << QStringLiteral("--refuse-upload") << n;
        for (const QString& n : m_options.refuseMkdir)
            args << QStringLiteral("--refuse-mkdir") << n;
        if (m_options.disconnectAfter > 0)
            args << QStringLiteral("--disconnect-after") << QString::number(m_options.disconnectAfter);
        if (m_options.hostileNames)
            args << QStringLiteral("--hostile");
        if (m_options.noMlsd)
            args << QStringLiteral("--no-mlsd");
        m_process = std::make_unique<QProcess>();
        m_process->setProcessChannelMode(QProcess::SeparateChannels);
        m_process->start(QStringLiteral("/usr/bin/python3"), args);
        if (!m_process->waitForStarted(15000)) {
            m_error = "python3 could not be started";
            return false;
        }
        QDeadlineTimer deadline(15000);
        QByteArray out;
        while (!deadline.hasExpired()) {
            if (!m_process->canReadLine() && !m_process->waitForReadyRead(int(deadline.remainingTime())))
                break;
            while (m_process->canReadLine()) {
                QByteArray line = m_process->readLine().trimmed();
                if (line.startsWith("PORT ")) {
                    m_port = line.mid(5).toInt();
                    return m_port > 0;
                }
            }
        }
        m_error = "the server did not start: " + m_process->readAllStandardError();
        Stop();
        return false;
    }

    void Stop()
    {
        if (!m_process)
            return;
        m_process->closeWriteChannel(); // the server ends when its input closes
        if (!m_process->waitForFinished(3000)) {
            m_process->kill();
            m_process->waitForFinished(3000);
        }
        m_process.reset();
    }

    // Takes effect with the server's next command.
    bool SetFaults(const FtpFaults& f)
    {
        auto list = [](const QStringList& l) {
            QByteArray out = "[";
            for (int i = 0; i < l.size(); ++i) {
                // names go as \u escapes of their bytes' code points below 256 (Latin-1 test names)
                out += i ? ",\"" : "\"";
                for (QChar c : l[i]) {
                    if (c.unicode() < 0x20 || c == QLatin1Char('"') || c == QLatin1Char('\\') || c.unicode() > 0x7E)
                        out += QByteArray("\\u") + QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
                    else
                        out += char(c.unicode());
                }
                out += '"';
            }
            return out + "]";
        };
        QByteArray json = "{\"truncate\":" + list(f.truncate) + ",\"refuse_size\":" + (f.refuseSize ? "true" : "false")
            + ",\"refuse_list\":" + list(f.refuseList) + ",\"stall\":" + list(f.stall)
            + ",\"drop_after\":" + QByteArray::number(f.dropAfter) + ",\"short_send\":" + list(f.shortSend) + "}";
        // Written aside and renamed, so the server never reads half a file.
        QFile out(FaultsPath() + QStringLiteral(".new"));
        if (!out.open(QIODevice::WriteOnly) || out.write(json) != json.size())
            return false;
        out.close();
        QFile::remove(FaultsPath());
        return QFile::rename(out.fileName(), FaultsPath());
    }

    int Port() const { return m_port; }
    // The server's root folder on disk ("/" on the server).
    QString Root() const { return m_root.path(); }
    QString LocalPath(const QString& remote) const { return m_root.path() + QLatin1Char('/') + remote; }
    const QByteArray& Error() const { return m_error; }

private:
    QString FaultsPath() const { return m_control.filePath(QStringLiteral("faults.json")); }

    FtpServerOptions m_options;
    QTemporaryDir m_root;
    QTemporaryDir m_control; // outside the served root
    std::unique_ptr<QProcess> m_process;
    int m_port = 0;
    QByteArray m_error;
};

} // namespace testsupport
