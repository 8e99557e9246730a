// A page holding an HTML item whose code was made with every command of the HTML dialog's
// toolbar: tidy finds no error and the browser control loads it without console errors.
#include "../DialogTestSupport.h"
#include "model/browser/BrowserHarness.h"

#include "controls/ColorControl.h"
#include "dialogs/CodeTextDialogs.h"
#include "framework/ui/CmdTarget.h"
#include "model/PageOutput.h"
#include "model/items/HtmlItem.h"
#include "support/ExternalTools.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QTextCursor>
#include <QtWidgets/QApplication>
#include <QtWidgets/QPlainTextEdit>

#include <gtest/gtest.h>

TEST(CodeDialogsBrowser, ToolbarOutputLoadsWithoutErrors)
{
    // Every wrapping command, each on its own line of the code.
    const UINT commands[] = {ID_HTML_BOLD,   ID_HTML_ITALIC, ID_HTML_UNDERLINE, ID_HTML_STRIKE, ID_HTML_TELETYPE,
                             ID_HTML_COLOR,  ID_HTML_SIZE_1, ID_HTML_SIZE_2,    ID_HTML_SIZE_3, ID_HTML_SIZE_4,
                             ID_HTML_SIZE_5, ID_HTML_SIZE_6, ID_HTML_SIZE_7,    ID_HTML_LINK,   ID_HTML_IMAGE,
                             33020,          33021,          33022,             33023,          33024,
                             33025};
    DHtml dlg;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
        if (&d == &dlg) {
            QPlainTextEdit* edit = dlg.Editor();
            for (UINT id : commands) {
                QTextCursor c = edit->textCursor();
                c.movePosition(QTextCursor::End);
                c.insertText(QStringLiteral("\n<div>word</div>"));
                c.setPosition(c.position() - 10);
                c.setPosition(c.position() + 4, QTextCursor::KeepAnchor);
                edit->setTextCursor(c);
                ExecuteCommand(&dlg, id);
            }
            d.OnOK();
            return d.GetResult();
        }
        if (auto* color = dynamic_cast<DChooseColor*>(&d))
            color->SetColor(0x3366CC);
        if (dynamic_cast<DHtmlImage*>(&d))
            d.SetDlgItemText(1002, "pic \"1\".png");
        if (dynamic_cast<DHtmlLink*>(&d) || dynamic_cast<DHtmlImage*>(&d)) {
            d.SetDlgItemText(1000, "next.html?a=1&b=<2>");
            d.CheckDlgButton(1001, 1);
        }
        d.OnOK();
        return d.GetResult();
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    CDialog::SetModalHook(previous);

    CHtmlItem item;
    item.m_strText = dlg.m_strCode;
    CPageOutput out;
    item.WriteHtml(out);
    out.AssemblePage();
    const QByteArray page(out.m_strFinalPage.GetString());
    EXPECT_EQ(testsupport::TidyErrors(page), QByteArray()) << page.constData();
    EXPECT_TRUE(page.contains("<font color=#CC6633>word</font>")) << page.constData();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("index.html"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(page);
    file.close();
    browsertest::Browser browser;
    ASSERT_TRUE(browsertest::LoadFile(browser.page, path));
    browsertest::Wait(200);
    EXPECT_TRUE(browser.page.errors.isEmpty()) << browser.page.errors.join(QLatin1Char('\n')).toStdString();
    const QVariant links = browsertest::RunScript(browser.page, QStringLiteral("document.querySelectorAll('a[target=_blank]').length"));
    EXPECT_EQ(links.toInt(), 2);
    const QVariant headings = browsertest::RunScript(browser.page, QStringLiteral("document.querySelectorAll('h1,h2,h3,h4,h5,h6').length"));
    EXPECT_EQ(headings.toInt(), 6);
}

int main(int argc, char** argv)
{
    browsertest::PrepareEnvironment();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
