// Pages made with the menu and slider dialogs, in the browser control: after the menu's
// level edits each top entry shows its own sub entries; after the slider's Insert the page
// holds as many frames as the dialog's list. No script error appears.
#include "../DialogTestSupport.h"
#include "model/browser/BrowserHarness.h"

#include "dialogs/MenuDialogs.h"
#include "dialogs/SliderDialogs.h"
#include "document/KJDoc.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/items/MenuItem.h"
#include "model/items/SliderItem.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QListWidget>

#include <gtest/gtest.h>

#include <map>

using namespace browsertest;

namespace {

void Click(CDialog& d, int id) { qobject_cast<QAbstractButton*>(d.GetDlgItem(id))->click(); }

bool Load(QWebEnginePage& page, CPageOutput& out, const QTemporaryDir& dir)
{
    out.AssemblePage();
    const QString path = QDir(dir.path()).filePath(QStringLiteral("index.html"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(out.m_strFinalPage.GetString());
    f.close();
    return LoadFile(page, path);
}

CMenuEntry* Entry(const char* caption, int number)
{
    auto* e = new CMenuEntry;
    e->m_strCaption = caption;
    e->m_nNumber = number;
    e->m_link.m_nKind = kLinkAddress;
    e->m_link.m_strHref = "page.html";
    return e;
}

} // namespace

TEST(MenuSliderBrowser, AfterLevelEditsEachTopEntryShowsItsOwnSubEntries)
{
    CKJDoc doc;
    CMenuItem menu;
    menu.m_strName = "nav";
    for (int k = 0; k < 4; ++k) {
        menu.m_topEntries.emplace_back(Entry(CString::Formatted("Top%d", k).GetString(), k));
        for (int j = 0; j < 2; ++j)
            menu.m_dropEntries.emplace_back(Entry(CString::Formatted("Sub%d_%d", k, j).GetString(), k));
    }
    menu.RecalcLayout();
    // the third made first, the second removed, the last made last again after a new one
    DMenu dlg;
    dlg.m_pItem = &menu;
    dlg.m_pDoc = &doc;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
        if (dynamic_cast<DMenuItem*>(&d)) {
            d.SetDlgItemText(1000, "Added");
            d.OnOK();
            return d.GetResult();
        }
        dlg.TopList()->setCurrentRow(2);
        Click(d, 1027);
        dlg.TopList()->setCurrentRow(2);
        Click(d, 1026);
        dlg.TopList()->setCurrentRow(0);
        Click(d, 1025);
        dlg.TopList()->setCurrentRow(1);
        Click(d, 1035);
        dlg.TopList()->setCurrentRow(0);
        Click(d, 1028);
        d.OnOK();
        return d.GetResult();
    });
    dlg.DoModal();
    CDialog::SetModalHook(previous);
    // what each top entry must show, by caption
    std::map<std::string, std::vector<std::string>> expected = {
        {"Top2", {"Sub2_0", "Sub2_1"}}, {"Added", {"Added"}}, {"Top0", {"Sub0_0", "Sub0_1"}}, {"Top3", {"Sub3_0", "Sub3_1"}}};
    ASSERT_EQ(menu.m_topEntries.size(), 4u);

    CPageOutput out;
    out.m_nMode = kPublishExport;
    out.m_wstrTitle.SetText(u"Menu");
    menu.WriteHtml(out);
    QTemporaryDir dir;
    Browser browser;
    ASSERT_TRUE(Load(browser.page, out, dir));
    for (const auto& top : menu.m_topEntries) {
        const std::string caption = top->m_strCaption.GetUtf8().GetString();
        SCOPED_TRACE(caption);
        const int k = top->m_nNumber;
        RunScript(browser.page, QStringLiteral("document.getElementById('navTI%1').dispatchEvent(new MouseEvent('mouseover', {bubbles: true})); 0").arg(k));
        const QString shown = RunScript(browser.page, QStringLiteral(
            "Array.from(document.querySelectorAll('[id^=navSM]')).filter(e => getComputedStyle(e).visibility == 'visible')"
            ".map(e => e.innerText.trim().split(/\\s+/).join(',')).join('|')")).toString();
        QStringList wanted;
        for (const std::string& sub : expected[caption])
            wanted << QString::fromStdString(sub);
        EXPECT_EQ(shown.toStdString(), wanted.join(QLatin1Char(',')).toStdString());
    }
    EXPECT_TRUE(browser.page.errors.isEmpty()) << browser.page.errors.join('\n').toStdString();
}

TEST(MenuSliderBrowser, AfterInsertThePageHoldsAsManyFramesAsTheList)
{
    CKJDoc doc;
    CSliderItem slider;
    slider.m_strName = "Show";
    slider.m_nWidth = 300;
    slider.m_nHeight = 260;
    slider.SetSiteStyles(&doc.m_styles);
    slider.AddFrame();
    slider.AddFrame();
    DSlider dlg;
    dlg.m_pItem = &slider;
    dlg.m_pDoc = &doc;
    int listed = 0;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
        if (dynamic_cast<DInsertFrames*>(&d)) {
            d.SetDlgItemText(1000, "3");
            d.OnOK();
            return d.GetResult();
        }
        Click(d, 1025);
        auto* list = qobject_cast<QListWidget*>(d.GetDlgItem(1078));
        list->setCurrentRow(4);
        Click(d, 5);
        listed = list->count();
        d.OnOK();
        return d.GetResult();
    });
    dlg.DoModal();
    CDialog::SetModalHook(previous);
    ASSERT_EQ(listed, 5);

    QTemporaryDir dir;
    CPublishContext context;
    context.m_strOutputRoot = CString::FromQString(dir.path()) + "/";
    slider.ExportFiles(context);
    CPageOutput out;
    out.m_nMode = kPublishExport;
    out.m_wstrTitle.SetText(u"Slider");
    slider.WriteHtml(out);
    Browser browser;
    ASSERT_TRUE(Load(browser.page, out, dir));
    EXPECT_EQ(RunScript(browser.page, QStringLiteral("document.querySelectorAll('[id^=ShowFrame]').length")).toInt(), listed);
    EXPECT_EQ(RunScript(browser.page, QStringLiteral("document.getElementById('ShowFrame1').innerText.trim()")).toString(),
              QStringLiteral("Frame 6")) << "the frame made first";
    EXPECT_TRUE(browser.page.errors.isEmpty()) << browser.page.errors.join('\n').toStdString();
}

int main(int argc, char** argv)
{
    browsertest::PrepareEnvironment();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
