// Extra CSS and class names that try to leave the page's style block: loaded in the
// browser control, the page holds only elements and attributes the project wrote, and no
// script of theirs runs.
#include "../../model/browser/BrowserHarness.h"

#include "document/Generate.h"
#include "document/KJDoc.h"
#include "model/Page.h"
#include "model/PublishContext.h"
#include "model/items/LinkItem.h"
#include "model/items/SubmitButtonItem.h"

#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>

#include <gtest/gtest.h>

namespace {

using namespace browsertest;

// What the page's own items write, counted in the browser: any element or attribute a
// value smuggled in changes one of these.
const char kCensus[] = R"JS(
(function() {
  var pwned = window.pwned === 1 || document.querySelector('pwned, [data-pwned], [onerror], [onload], svg, img') !== null;
  var scripted = Array.from(document.scripts).some(function(s) { return s.text.indexOf('pwned') >= 0; });
  return JSON.stringify({pwned: pwned, scripted: scripted, styles: document.querySelectorAll('style').length,
                         inputs: document.querySelectorAll('input').length, links: document.querySelectorAll('a').length});
})()
)JS";

TEST(HostileCss, ExtraCssAndClassNamesStayInTheirPlace)
{
    const char* const values[] = {
        "color:red;</style><script>window.pwned=1</script>",
        "color:red;</STYLE ><pwned data-pwned=1>",
        "}</style><img src=x onerror=\"window.pwned=1\">",
        "<!--</style><svg onload=window.pwned=1>-->",
        "color:red;</style\t><script>window.pwned=1</script>",
        "\\3C/style><script>window.pwned=1</script>",
        "color:red\" onmouseover=\"window.pwned=1\" x=\"",
    };
    for (const char* value : values) {
        SCOPED_TRACE(value);
        QTemporaryDir tmp;
        CKJDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        CPage* page = doc.m_pages.front().get();
        page->m_strExtension = ".html";
        auto* link = new CLinkItem();
        link->m_strName = "go";
        link->m_strText = CWString(u"Go");
        link->m_nIcon = 0; // no picture: any <img> is smuggled
        link->m_strExtraCss = value;
        link->m_strClass = value;
        page->AddChild(link);
        auto* button = new CSubmitButtonItem();
        button->m_strName = "send";
        button->m_strText = CWString(u"Send");
        button->m_strExtraCss = value;
        button->m_strClass = value;
        page->AddChild(button);
        CPublishContext context;
        context.m_strOutputFolder = CString::FromQString(tmp.filePath("site"));
        context.m_nMode = kPublishBrowserPreview;
        CString error;
        ASSERT_EQ(GenerateWebsite(doc, context, &error), 1) << error.GetString();

        Browser browser;
        ASSERT_TRUE(LoadFile(browser.page, tmp.filePath("site/index.html")));
        Wait(200);
        EXPECT_EQ(RunScript(browser.page, kCensus).toString(),
                  QString(R"({"pwned":false,"scripted":false,"styles":1,"inputs":1,"links":1})"));
    }
}

} // namespace

int main(int argc, char** argv)
{
    PrepareEnvironment();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
