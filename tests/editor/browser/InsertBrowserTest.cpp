// A page holding one item of every kind the Insert and Form commands make, with hostile
// texts typed into them, loads in the browser control without console errors and runs
// none of those texts as script.
#include "../InsertTestSupport.h"
#include "../../support/BrowserHarness.h"

#include <gtest/gtest.h>

using namespace instest;

TEST(InsertBrowser, EveryInsertedKindLoadsAndRunsNoUserText)
{
    EveryKindSite site;
    const QString index = site.Generate();
    ASSERT_FALSE(index.isEmpty()) << site.error.GetString();
    browsertest::Browser browser;
    ASSERT_TRUE(browsertest::LoadFile(browser.page, index));
    browsertest::Wait(300);
    EXPECT_TRUE(browser.page.errors.isEmpty()) << browser.page.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(browsertest::RunScript(browser.page, QStringLiteral("String(window.pwned)")).toString(),
              QStringLiteral("undefined"));
    // the texts are there, as text
    const QString body = browsertest::RunScript(browser.page, QStringLiteral("document.body.innerText")).toString();
    EXPECT_TRUE(body.contains(QStringLiteral("<script>window.pwned=1</script>"))) << body.toStdString();
    EXPECT_EQ(browsertest::RunScript(browser.page, QStringLiteral("document.querySelectorAll('table').length > 0")).toBool(),
              true);
}

// The application object comes from the editor tests' environment, made after this.
int main(int argc, char** argv)
{
    browsertest::PrepareEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
