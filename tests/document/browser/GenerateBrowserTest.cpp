// The generated sample site in the browser control: every page loads with no script
// error on the console. Pages are loaded from the disk as the preview in the editor
// shows them; the jQuery copy comes from the system's own JavaScript folder, so the test
// needs no network.
#include "../GenerateTestSupport.h"

#include "document/Generate.h"
#include "document/KJDoc.h"
#include "model/Page.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"

#include <QtCore/QEventLoop>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtCore/QUrl>
#include <QtWebEngineCore/QWebEnginePage>
#include <QtWebEngineCore/QWebEngineProfile>
#include <QtWidgets/QApplication>

#include <gtest/gtest.h>

namespace {

const char kLocalJquery[] = "/usr/share/javascript/jquery/";

class RecordingPage : public QWebEnginePage {
public:
    explicit RecordingPage(QWebEngineProfile* profile) : QWebEnginePage(profile) {}
    QStringList errors;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line, const QString& source) override
    {
        if (level == ErrorMessageLevel)
            errors << QStringLiteral("%1:%2: %3").arg(source).arg(line).arg(message);
    }
};

// Loads a file and waits for the load to end and the page's scripts to settle.
bool LoadAndSettle(RecordingPage& page, const QString& path)
{
    QEventLoop loop;
    bool ok = false;
    QObject::connect(&page, &QWebEnginePage::loadFinished, &loop, [&](bool success) {
        ok = success;
        QTimer::singleShot(300, &loop, &QEventLoop::quit);
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    page.load(QUrl::fromLocalFile(path));
    loop.exec();
    return ok;
}

class GenerateBrowser : public ::testing::TestWithParam<int> {};

TEST_P(GenerateBrowser, EveryPageLoadsWithoutScriptErrors)
{
    if (!QFileInfo::exists(QString(kLocalJquery) + "jquery.min.js"))
        GTEST_SKIP() << "no local jQuery copy";
    CPageServers saved = CPageOutput::Servers();
    CPageOutput::Servers().makerBase = CString("file://") + kLocalJquery;

    QTemporaryDir tmp;
    CKJDoc doc;
    gentest::BuildSampleSite(doc);
    CPublishContext context;
    context.m_strOutputFolder = CString::FromQString(tmp.filePath("site"));
    context.m_nMode = GetParam();
    CString error;
    const int written = GenerateWebsite(doc, context, &error);
    CPageOutput::Servers() = saved;
    ASSERT_EQ(written, 1) << error.GetString();

    QWebEngineProfile profile; // off the record: nothing stays behind
    for (const auto& p : doc.m_pages) {
        const QString path = p->m_strExtra1.ToQString();
        if (!path.endsWith(".html"))
            continue; // pages with PHP run on the server, not in the control
        RecordingPage page(&profile);
        EXPECT_TRUE(LoadAndSettle(page, path)) << path.toStdString();
        EXPECT_TRUE(page.errors.isEmpty()) << path.toStdString() << "\n" << page.errors.join(QLatin1Char('\n')).toStdString();
    }
}

TEST(GenerateBrowserCheck, AMissingScriptIsSeen)
{
    // Without jQuery the social tab's script fails: the recorder must see it.
    QTemporaryDir tmp;
    CPageServers saved = CPageOutput::Servers();
    CPageOutput::Servers().makerBase = CString::FromQString(QUrl::fromLocalFile(tmp.filePath("nothing/")).toString());
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.m_bFacebookConnect = 1;
    doc.m_pages.front()->m_strExtension = ".html";
    CPublishContext context;
    context.m_strOutputFolder = CString::FromQString(tmp.filePath("site"));
    context.m_nMode = kPublishBrowserPreview;
    const int written = GenerateWebsite(doc, context);
    CPageOutput::Servers() = saved;
    ASSERT_EQ(written, 1);
    QWebEngineProfile profile;
    RecordingPage page(&profile);
    EXPECT_TRUE(LoadAndSettle(page, tmp.filePath("site/index.html")));
    ASSERT_EQ(page.errors.size(), 1);
    EXPECT_TRUE(page.errors[0].contains("$")) << page.errors[0].toStdString();
}

// The two preview modes write every page as HTML.
INSTANTIATE_TEST_SUITE_P(PreviewModes, GenerateBrowser, ::testing::Values(0, 1));

} // namespace

int main(int argc, char** argv)
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
