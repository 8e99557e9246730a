// Single properties set through the item commands, in the browser control: the generated
// page shows each value in the computed style, and a class made on the way has its rule.
#include "../FormatTestSupport.h"
#include "../../support/BrowserHarness.h"
#include "../../support/ExternalTools.h"

#include "dialogs/ClassDialogs.h"
#include "document/Generate.h"
#include "editor/commands/ItemCommands.h"
#include "model/PublishContext.h"
#include "model/TextStyle.h"
#include "resources/CommandIds.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QComboBox>
#include <gtest/gtest.h>

using namespace edtest;

namespace {
// Runs the command with the dialog answered by act, then OK.
void RunWith(FormatCanvas& c, CItem* item, UINT id, std::function<void(CDialog&)> act)
{
    c.Select({item});
    CDialog::SetModalHook([act](CDialog& d) -> int {
        if (dynamic_cast<DSelectClass*>(&d)) {
            d.SendNotify(1025, BN_CLICKED); // a new class
            return d.GetResult();
        }
        act(d);
        d.OnOK();
        return d.IsEnded() ? d.GetResult() : IDCANCEL;
    });
    c.Run(id);
}
} // namespace

TEST(ItemCommandsBrowser, EachPropertyReachesTheComputedStyle)
{
    FormatCanvas c;
    c.page->m_strBaseName = "index";
    c.page->m_strExtension = ".html";
    CItem* para = c.Add(ITEM_PARAGRAPH, 20, 20, 300, 80);
    para->m_strText.FromUtf8("Shadowed words");
    CItem* field = c.Add(ITEM_INPUT_FIELD, 20, 200, 200, 30);
    field->m_strName = "field";
    c.Settle();
    auto item = [&c](std::size_t i) { return c.page->GetChildren()[i].get(); };
    RunWith(c, item(0), ID_ITEM_RENAME, [](CDialog& d) { d.SetDlgItemText(1000, "shade"); });
    RunWith(c, item(0), ID_ITEM_RADIUS, [](CDialog& d) { d.SetDlgItemText(1000, "8"); });
    RunWith(c, item(0), ID_ITEM_OPACITY, [](CDialog& d) { d.SetDlgItemText(1000, "50"); });
    RunWith(c, item(0), ID_ITEM_BOX_SHADOW, [](CDialog& d) {
        qobject_cast<QComboBox*>(d.GetDlgItem(1018))->setCurrentIndex(1);
        d.SetDlgItemText(1000, "3");
        d.SetDlgItemText(1001, "4");
        d.SetDlgItemText(1002, "5");
        d.SetDlgItemText(1003, "1");
    });
    RunWith(c, item(0), ID_ITEM_TEXT_SHADOW, [](CDialog& d) {
        qobject_cast<QComboBox*>(d.GetDlgItem(1038))->setCurrentIndex(1);
        d.SetDlgItemText(1000, "2");
        d.SetDlgItemText(1001, "2");
        d.SetDlgItemText(1002, "3");
    });
    RunWith(c, item(0), ID_ITEM_CLASS, [](CDialog&) {});
    RunWith(c, item(1), ID_FORM_TAB_INDEX, [](CDialog& d) { d.SetDlgItemText(1000, "7"); });
    ASSERT_EQ(c.doc.m_styleClasses.size(), 1u);
    const QString className = c.doc.m_styleClasses[0]->m_strName.ToQString();

    QTemporaryDir dir;
    CPublishContext context;
    context.m_strOutputFolder = CString::FromQString(dir.filePath(QStringLiteral("site")));
    context.m_nMode = kPublishExport;
    context.m_bUploadAll = 1;
    CString error;
    ASSERT_EQ(GenerateWebsite(c.doc, context, &error), 1) << error.GetString();
    const QString index = dir.filePath(QStringLiteral("site/index.html"));
    QFile file(index);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray html = file.readAll();
    EXPECT_EQ(testsupport::TidyErrors(html), QByteArray()) << html.constData();
    QFile css(dir.filePath(QStringLiteral("site/") + c.doc.m_strCssFile.ToQString()));
    ASSERT_TRUE(css.open(QIODevice::ReadOnly));
    EXPECT_TRUE(css.readAll().contains(("." + className).toUtf8())) << "the new class has its rule";

    browsertest::Browser browser;
    ASSERT_TRUE(browsertest::LoadFile(browser.page, index));
    browsertest::Wait(200);
    EXPECT_TRUE(browser.page.errors.isEmpty()) << browser.page.errors.join(QLatin1Char('\n')).toStdString();
    auto style = [&browser](const char* property) {
        return browsertest::RunScript(browser.page,
                                      QStringLiteral("getComputedStyle(document.getElementById('shade')).%1").arg(QLatin1String(property)))
            .toString();
    };
    EXPECT_EQ(style("borderTopLeftRadius"), QStringLiteral("8px"));
    EXPECT_EQ(style("opacity"), QStringLiteral("0.5"));
    EXPECT_TRUE(style("boxShadow").contains(QStringLiteral("3px 4px 5px 1px"))) << style("boxShadow").toStdString();
    EXPECT_TRUE(style("textShadow").contains(QStringLiteral("2px 2px 3px"))) << style("textShadow").toStdString();
    EXPECT_EQ(browsertest::RunScript(browser.page, QStringLiteral("document.getElementById('shade').classList.contains('%1')").arg(className)).toBool(),
              true);
    EXPECT_EQ(browsertest::RunScript(browser.page, QStringLiteral("document.getElementById('field').tabIndex")).toInt(), 7);
}

int main(int argc, char** argv)
{
    browsertest::PrepareEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
