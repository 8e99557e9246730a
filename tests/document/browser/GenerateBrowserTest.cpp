// The generated sample site in the browser control with every outside address blocked:
// every page loads and runs its scripts (slider, gallery, social tab) with no error on
// the console, from the files the site carries (jQuery and the overlay's pictures).
#include "../GenerateTestSupport.h"
#include "support/BrowserHarness.h"

#include "document/Generate.h"
#include "document/KJDoc.h"
#include "model/ItemAction.h"
#include "model/items/ParagraphItem.h"
#include "model/Page.h"
#include "model/PublishContext.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>

#include <gtest/gtest.h>

namespace {

using namespace browsertest;

class GenerateBrowser : public ::testing::TestWithParam<int> {};

TEST_P(GenerateBrowser, EveryPageRunsOfflineWithoutScriptErrors)
{
    QTemporaryDir tmp;
    CKJDoc doc;
    gentest::BuildSampleSite(doc);
    CPublishContext context;
    context.m_strOutputFolder = CString::FromQString(tmp.filePath("site"));
    context.m_nMode = GetParam();
    context.m_bUploadAll = 1;
    CString error;
    ASSERT_EQ(GenerateWebsite(doc, context, &error), 1) << error.GetString();

    int loaded = 0;
    for (const auto& p : doc.m_pages) {
        const QString path = p->m_strExtra1.ToQString();
        if (!path.endsWith(".html"))
            continue; // pages with PHP run on the server, not in the control
        SCOPED_TRACE(path.toStdString());
        Browser browser;
        ASSERT_TRUE(LoadFile(browser.page, path));
        ASSERT_TRUE(Settle(browser.page));
        // the tab is set up by the site's own jQuery once the page is ready
        EXPECT_TRUE(WaitFor([&] { return RunScript(browser.page, "document.getElementById('facebooktab') !== null").toBool(); }));
        // the site's own jQuery ran, and the tab and the gallery are there
        EXPECT_EQ(RunScript(browser.page, "typeof jQuery").toString(), QString("function"));
        EXPECT_EQ(RunScript(browser.page, "document.getElementById('facebooktab') !== null").toBool(), true);
        EXPECT_GT(RunScript(browser.page, "document.images.length").toInt(), 3);
        EXPECT_TRUE(browser.page.errors.isEmpty()) << browser.page.errors.join(QLatin1Char('\n')).toStdString();
        ++loaded;
    }
    EXPECT_GE(loaded, 2);
}

TEST(GenerateBrowserCheck, AMissingScriptIsSeen)
{
    // Without the site's jQuery the social tab's script fails: the recorder must see it.
    QTemporaryDir tmp;
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.m_bFacebookConnect = 1;
    doc.m_pages.front()->m_strExtension = ".html";
    CPublishContext context;
    context.m_strOutputFolder = CString::FromQString(tmp.filePath("site"));
    context.m_nMode = kPublishBrowserPreview;
    ASSERT_EQ(GenerateWebsite(doc, context), 1);
    ASSERT_TRUE(QFile::remove(tmp.filePath("site/jquery.min.js")));
    Browser browser;
    EXPECT_TRUE(LoadFile(browser.page, tmp.filePath("site/index.html")));
    ASSERT_TRUE(WaitFor([&] { return !browser.page.errors.isEmpty(); }));
    ASSERT_EQ(browser.page.errors.size(), 1) << browser.page.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(browser.page.errors[0].contains("$")) << browser.page.errors[0].toStdString();
}

TEST(ActionStepsInTheBrowser, QuotesBackslashesAndScriptEndsRunAsTyped)
{
    // Steps whose texts hold every character that could end a string, an attribute or the
    // script: clicking runs them all, with no error on the console.
    QTemporaryDir tmp;
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CPage* page = doc.m_pages.front().get();
    page->m_strExtension = ".html";
    CItem* target = doc.NewParagraph();
    target->m_strText = CWString(u"Click me");
    target->m_strName = "p1";
    page->AddChild(target);
    CItemAction& click = target->m_actions[EVENT_CLICK];
    CActionStep& text = click.AddStep();
    text.m_nKind = kStepChangeText;
    text.m_strTarget = "p1";
    text.m_wstrText = CWString(u"it's \"q\" \\ two </script><b>");
    CActionStep& font = click.AddStep();
    font.m_nKind = kStepFontName;
    font.m_strTarget = "p1";
    font.m_strName = "a'b\"c\\</script>";
    click.m_wstrScript = CWString(u"window.ran = '</script>';");
    CPublishContext context;
    context.m_strOutputFolder = CString::FromQString(tmp.filePath("site"));
    context.m_nMode = kPublishBrowserPreview;
    ASSERT_EQ(GenerateWebsite(doc, context), 1);
    Browser browser;
    ASSERT_TRUE(LoadFile(browser.page, tmp.filePath("site/index.html")));
    RunScript(browser.page, QStringLiteral("document.getElementById('p1').click(); 0"));
    EXPECT_EQ(RunScript(browser.page, QStringLiteral("window.ran")).toString(), QStringLiteral("</script>"));
    // the text goes in as markup (the step sets innerHTML): the end tag is dropped, the <b>
    // becomes an element, and everything before it arrives as typed
    EXPECT_EQ(RunScript(browser.page, QStringLiteral("document.getElementById('p1').textContent")).toString(),
              QStringLiteral("it's \"q\" \\ two "));
    EXPECT_EQ(RunScript(browser.page, QStringLiteral("document.querySelectorAll('#p1 b').length")).toInt(), 1);
    EXPECT_TRUE(browser.page.errors.isEmpty()) << browser.page.errors.join(QLatin1Char('\n')).toStdString();
}

// The browser preview and the exported (published) site.
INSTANTIATE_TEST_SUITE_P(PreviewAndExport, GenerateBrowser, ::testing::Values(int(kPublishBrowserPreview), int(kPublishExport)));

} // namespace

int main(int argc, char** argv)
{
    PrepareEnvironment();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
