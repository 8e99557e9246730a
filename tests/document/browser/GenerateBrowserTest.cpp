// The generated sample site in the browser control: every page loads with no script
// error on the console. Pages are loaded from the disk as the preview in the editor
// shows them; the jQuery copy comes from the system's own JavaScript folder, so the test
// needs no network.
#include "../GenerateTestSupport.h"
#include "support/BrowserHarness.h"

#include "document/Generate.h"
#include "document/KJDoc.h"
#include "model/Page.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"

#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtCore/QUrl>
#include <QtWidgets/QApplication>

#include <gtest/gtest.h>

namespace {

using namespace browsertest;

// Debian's copy (libjs-jquery, installed by tools/install-deps.sh); TESSEL_JQUERY_DIR
// points elsewhere, e.g. at an empty folder to see the run fail without it.
QString LocalJquery()
{
    const QString dir = qEnvironmentVariable("TESSEL_JQUERY_DIR");
    return dir.isEmpty() ? QStringLiteral("/usr/share/javascript/jquery/") : dir + QLatin1Char('/');
}

// Loads a generated page and waits until it and its pictures are complete.
bool LoadAndSettle(ConsolePage& page, const QString& path)
{
    page.errors.clear();
    return LoadFile(page, path) && Settle(page);
}

class GenerateBrowser : public ::testing::TestWithParam<int> {};

TEST_P(GenerateBrowser, EveryPageLoadsWithoutScriptErrors)
{
    if (!QFileInfo::exists(LocalJquery() + "jquery.min.js"))
        GTEST_SKIP() << "no local jQuery copy in " << LocalJquery().toStdString() << " (package libjs-jquery)";
    CPageServers saved = CPageOutput::Servers();
    CPageOutput::Servers().makerBase = CString::FromQString(QUrl::fromLocalFile(LocalJquery()).toString());

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

    Browser browser; // its own profile, off the record, reaching local files only
    int pages = 0;
    for (const auto& p : doc.m_pages) {
        const QString path = p->m_strExtra1.ToQString();
        if (!path.endsWith(".html"))
            continue; // pages with PHP run on the server, not in the control
        EXPECT_TRUE(LoadAndSettle(browser.page, path)) << path.toStdString();
        EXPECT_TRUE(browser.page.errors.isEmpty()) << path.toStdString() << "\n" << browser.page.errors.join(QLatin1Char('\n')).toStdString();
        ++pages;
    }
    EXPECT_GE(pages, 2);
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
    Browser browser;
    EXPECT_TRUE(LoadAndSettle(browser.page, tmp.filePath("site/index.html")));
    ASSERT_TRUE(WaitFor([&] { return !browser.page.errors.isEmpty(); }));
    ASSERT_EQ(browser.page.errors.size(), 1) << browser.page.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(browser.page.errors[0].contains("$")) << browser.page.errors[0].toStdString();
}

// The two preview modes write every page as HTML.
INSTANTIATE_TEST_SUITE_P(PreviewModes, GenerateBrowser, ::testing::Values(0, 1));

} // namespace

int main(int argc, char** argv)
{
    PrepareEnvironment();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
