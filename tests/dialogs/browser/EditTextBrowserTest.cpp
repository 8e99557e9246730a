// A page with a paragraph formatted in the rich-text editor (every format, a link in a bold
// run, a bullet) loads in the browser control without console errors.
#include "../EditTextTestSupport.h"
#include "model/browser/BrowserHarness.h"

#include "model/PageOutput.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>

#include <gtest/gtest.h>

using namespace dialogtest;
using namespace edittexttest;

TEST(EditTextBrowser, FormattedParagraphLoadsWithoutErrors)
{
    auto item = MakeFormattedParagraph();
    ASSERT_EQ(GetTextRun(item->m_blob, 6).link, 1);
    CPageOutput out;
    item->WriteHtml(out);
    out.AssemblePage();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("index.html"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(out.m_strFinalPage.GetString());
    file.close();
    browsertest::Browser browser;
    ASSERT_TRUE(browsertest::LoadFile(browser.page, path));
    browsertest::Wait(200);
    EXPECT_TRUE(browser.page.errors.isEmpty()) << browser.page.errors.join(QLatin1Char('\n')).toStdString();
    const QVariant text = browsertest::RunScript(browser.page, QStringLiteral("document.body.innerText"));
    EXPECT_TRUE(text.toString().contains(QChar(u'\u25CF'))) << text.toString().toStdString();
    const QVariant href = browsertest::RunScript(
        browser.page, QStringLiteral("(document.querySelector('a') || {}).href || ''"));
    EXPECT_EQ(href.toString(), QStringLiteral("https://example.com/"));
}

int main(int argc, char** argv)
{
    browsertest::PrepareEnvironment();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
