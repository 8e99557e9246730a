#include "AppTestSupport.h"

#include "app/DesignerApp.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QSettings>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>

#include <cstdlib>

namespace {
QTemporaryDir* g_home = nullptr;

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        g_home = new QTemporaryDir;
        // The folder the cases save their files to, there whichever case runs first.
        QDir(g_home->path()).mkpath(QStringLiteral("files"));
        // A private home: documents, data and settings of the tests stay in it.
        setenv("HOME", g_home->path().toUtf8().constData(), 1);
        for (const char* v : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DOCUMENTS_DIR", "XDG_CACHE_HOME"})
            unsetenv(v);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, g_home->path() + QStringLiteral("/config"));
        static int argc = 1;
        static char name[] = "test_app";
        static char* argv[] = {name, nullptr};
        m_app = new QApplication(argc, argv);
    }
    void TearDown() override
    {
        delete m_app;
        delete g_home;
    }

private:
    QApplication* m_app = nullptr;
};
const auto* g_env = ::testing::AddGlobalTestEnvironment(new QtEnvironment);
} // namespace

QString TestHome() { return g_home->path(); }

void ClearProfile()
{
    QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Varnelo"), QStringLiteral("Tessel Web Designer"))
        .clear();
}

MessageRecorder::MessageRecorder(int answer)
{
    m_previous = SetMessageBoxHandler([this, answer](const CString& text, const CString&, unsigned type) {
        messages.push_back({text, type});
        return answer;
    });
}
MessageRecorder::~MessageRecorder() { SetMessageBoxHandler(std::move(m_previous)); }

BOOL FakeProject::OnOpenDocument(const CString& path) { return QFileInfo::exists(path.ToQString()); }

BOOL FakeProject::OnSaveDocument(const CString& path)
{
    QFile f(path.ToQString());
    return f.open(QIODevice::WriteOnly) && f.write("project") == 7;
}

void FakePageView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0xd8, 0xdc, 0xe2));
    const QRect page(40, 30, std::min(width() - 80, 900), height() - 30);
    p.fillRect(page, Qt::white);
    p.fillRect(QRect(page.left(), page.top(), page.width(), 90), QColor(0x2f, 0x6f, 0xc8));
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(28);
    p.setFont(f);
    p.drawText(page.adjusted(24, 0, 0, 0).topLeft() + QPoint(0, 58), QStringLiteral("My Website"));
}

void UseFakeProjects(bool on)
{
    if (on)
        CDesignerApp::SetDocumentType([] { return new FakeProject; }, nullptr, [] { return new FakePageView; });
    else
        CDesignerApp::SetDocumentType(nullptr, nullptr, nullptr);
}

QString MakeFile(const QString& name, const QByteArray& content)
{
    const QString path = TestHome() + QStringLiteral("/files/") + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(content);
    return path;
}
