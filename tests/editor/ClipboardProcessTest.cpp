// The private clipboard between two processes of the designer on one X display: the
// first copies and keeps the clipboard, the second pastes. Each side is a hidden case of
// this program, run in its own process under Xvfb.
#include "CommandTestSupport.h"

#include "model/Clipboard.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QMimeData>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtCore/QThread>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <gtest/gtest.h>

using namespace edtest;

namespace {

// Runs the event loop until the condition holds or the time is up.
template <typename F> bool WaitFor(F done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
    return true;
}

QString Env(const char* name) { return QString::fromLocal8Bit(qgetenv(name)); }

} // namespace

TEST(ClipboardProcess, DISABLED_Copier)
{
    const QString done = Env("TESSEL_CLIP_DONE");
    ASSERT_FALSE(done.isEmpty());
    EditCanvas c;
    CItem* item = c.Add(ITEM_TEXT, 30, 40, 120, 30);
    item->m_strName = "Shared1";
    item->m_strText.SetQString(QStringLiteral("across processes"));
    item->m_bSelected = 1;
    ExecuteCommand(&c.view(), ID_EDIT_COPY);
    std::printf("copied\n");
    std::fflush(stdout);
    // the clipboard lives as long as its owner: serve it until the paster is done
    EXPECT_TRUE(WaitFor([&] { return QFileInfo::exists(done); }, 30000));
}

TEST(ClipboardProcess, DISABLED_Paster)
{
    const QString out = Env("TESSEL_CLIP_OUT");
    ASSERT_FALSE(out.isEmpty());
    EditCanvas c;
    const QString type = QString::fromLatin1(kItemStreamMimeType);
    ASSERT_TRUE(WaitFor(
        [&] {
            const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
            return mime && mime->hasFormat(type);
        },
        10000));
    ExecuteCommand(&c.view(), ID_EDIT_PASTE);
    ASSERT_EQ(c.page->GetChildCount(), 1);
    CItem* item = c.page->GetChild(0);
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(item->m_strName.GetString()) + "|" + item->m_strText.ToQString().toUtf8() + "|" +
            QByteArray::number(item->m_nX) + "," + QByteArray::number(item->m_nY));
}

TEST(ClipboardProcess, ASecondProcessPastesWhatTheFirstCopied)
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty())
        GTEST_SKIP() << "Xvfb is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    // a display of its own: Xvfb picks a free number and writes it to the pipe
    QProcess server;
    server.setProgram(xvfb);
    server.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                         QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                         QStringLiteral("800x600x24")});
    server.start();
    ASSERT_TRUE(server.waitForStarted(10000));
    QByteArray number;
    ASSERT_TRUE(WaitFor(
        [&] {
            server.waitForReadyRead(100);
            number += server.readAllStandardOutput();
            return number.contains('\n');
        },
        15000));
    const QString display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());

    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("TESSEL_CLIP_DONE"), dir.filePath(QStringLiteral("done")));
    env.insert(QStringLiteral("TESSEL_CLIP_OUT"), dir.filePath(QStringLiteral("out")));
    auto side = [&](QProcess& p, const char* name) {
        p.setProcessEnvironment(env);
        p.setProgram(self);
        p.setArguments({QStringLiteral("--gtest_also_run_disabled_tests"),
                        QStringLiteral("--gtest_filter=ClipboardProcess.DISABLED_") + QLatin1String(name)});
        p.start();
    };
    QProcess copier, paster;
    side(copier, "Copier");
    QByteArray copierOut;
    const bool copied = WaitFor(
        [&] {
            copier.waitForReadyRead(100);
            copierOut += copier.readAllStandardOutput();
            return copierOut.contains("copied\n") || copier.state() == QProcess::NotRunning;
        },
        30000);
    EXPECT_TRUE(copied && copierOut.contains("copied\n")) << copierOut.constData() << copier.readAllStandardError().constData();
    if (copierOut.contains("copied\n")) {
        side(paster, "Paster");
        EXPECT_TRUE(paster.waitForFinished(30000));
        EXPECT_EQ(paster.exitCode(), 0) << paster.readAllStandardOutput().constData();
        QFile out(dir.filePath(QStringLiteral("out")));
        ASSERT_TRUE(out.open(QIODevice::ReadOnly));
        // the names are kept on the first paste in another process too: the flag is the view's
        EXPECT_EQ(out.readAll(), QByteArray("Shared1|across processes|30,40"));
    }
    QFile(dir.filePath(QStringLiteral("done"))).open(QIODevice::WriteOnly);
    EXPECT_TRUE(copier.waitForFinished(30000));
    EXPECT_EQ(copier.exitCode(), 0);
    server.terminate();
    server.waitForFinished(5000);
}
