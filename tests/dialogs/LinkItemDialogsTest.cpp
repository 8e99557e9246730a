// The Link item, bullet and default link style dialogs, offscreen: fields both ways, the
// site's link style changing only on OK, the bullet kept when no row is chosen.
#include "ComboTestSupport.h"
#include "DialogTestSupport.h"

#include "controls/ColorControl.h"
#include "dialogs/CodeView.h"
#include "dialogs/ImageButtonDialog.h"
#include "dialogs/LinkItemDialogs.h"
#include "dialogs/LinkDialog.h"
#include "dialogs/SizeDialogs.h"
#include "dialogs/WidgetDialogs.h"
#include "document/DocTestSupport.h"
#include "document/EditScope.h"
#include "framework/ui/PropertySheet.h"
#include "model/Page.h"
#include "dialogs/CodeView.h"
#include "model/items/FlashItem.h"
#include "model/items/GoogleMapItem.h"
#include "model/items/PayPalItem.h"
#include "document/KJDoc.h"
#include "model/items/LinkItem.h"

#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QListWidget>

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace dialogtest;
using namespace itemdialogtest;

namespace {

void SetColor(CDialog& d, int id, COLORREF c) { dynamic_cast<CColorButton*>(d.GetDlgItem(id))->SetColor(c); }

TEST(LinkItem, FieldsBothWaysWithEmptyEntriesAsIndices)
{
    CKJDoc doc;
    CLinkItem item;
    item.m_strText = "Home";
    item.m_nFontSize = 0;
    item.m_nBold = 2;
    item.m_nItalic = 1;
    item.m_nDecoration = 0;
    item.m_nHoverDecoration = 3;
    item.m_strFontFace = "Georgia";
    DLinkItem dlg;
    dlg.m_pItem = &item;
    dlg.m_pDoc = &doc;
    EXPECT_EQ(RunDialog(dlg,
                        [](CDialog& d) {
                            EXPECT_EQ(d.GetDlgItemText(1028), CString("Home"));
                            EXPECT_EQ(d.GetDlgItemText(1066), CString("")) << "size 0 shows empty";
                            EXPECT_EQ(Selected(d, 1020), 2);
                            EXPECT_EQ(Selected(d, 1023), 1);
                            EXPECT_EQ(Selected(d, 1036), 0);
                            EXPECT_EQ(Selected(d, 1038), 3);
                            EXPECT_EQ(d.GetDlgItemText(1018), CString("Georgia"));
                            EXPECT_TRUE(d.GetDlgItem(1058)->isEnabled()) << "the link's own background";
                            EXPECT_TRUE(d.GetDlgItem(1055)->isEnabled()) << "its background under the mouse";
                            d.SetDlgItemText(1028, "Start");
                            d.SetDlgItemText(1066, "14");
                            Choose(d, 1020, 1);
                            Choose(d, 1036, 2);
                            Choose(d, 1024, 2);
                            SetColor(d, 1021, 0x0000FF);
                            d.SetDlgItemText(1026, "1.5");
                            Screenshot(d, "DLinkItem");
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(item.m_strText.ToQString(), QStringLiteral("Start"));
    EXPECT_EQ(item.m_nFontSize, 14);
    EXPECT_EQ(item.m_nBold, 1);
    EXPECT_EQ(item.m_nDecoration, 2);
    EXPECT_EQ(item.m_nHoverBold, 2);
    EXPECT_EQ(item.m_crExtra[CLinkItem::kHoverText], 0x0000FFu);
    EXPECT_DOUBLE_EQ(item.m_dTransition, 1.5);
    EXPECT_EQ(dlg.m_bDefaultStyleChanged, 0);

    DLinkItem again;
    again.m_pItem = &item;
    again.m_bTextLocked = 1;
    EXPECT_EQ(RunDialog(again,
                        [](CDialog& d) {
                            EXPECT_FALSE(d.GetDlgItem(1028)->isEnabled());
                            d.SetDlgItemText(1066, "abc");
                            PressOk(d);
                        }),
              IDOK);
    EXPECT_EQ(item.m_nFontSize, 0) << "a size that is no number is stored as 0";
}

TEST(LinkItem, DefaultStyleChangesOnlyOnOk)
{
    for (bool confirm : {false, true}) {
        CKJDoc doc;
        doc.m_styles.m_link.m_crColor = 0x111111;
        CLinkItem item;
        item.m_strText = "x";
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
            if (dynamic_cast<DDefaultLinkStyle*>(&d)) {
                SetColor(d, 1019, 0x2233AA);
                d.OnOK();
                return d.GetResult();
            }
            d.SendNotify(1037, BN_CLICKED);
            EXPECT_EQ(doc.m_styles.m_link.m_crColor, 0x111111u) << "not before the link dialog's OK";
            if (confirm)
                d.OnOK();
            return confirm ? d.GetResult() : IDCANCEL;
        });
        DLinkItem dlg;
        dlg.m_pItem = &item;
        dlg.m_pDoc = &doc;
        dlg.DoModal();
        CDialog::SetModalHook(previous);
        EXPECT_EQ(doc.m_styles.m_link.m_crColor, confirm ? 0x2233AAu : 0x111111u);
        EXPECT_EQ(dlg.m_bDefaultStyleChanged, confirm ? 1 : 0);
    }
}

TEST(LinkItem, ViewCodeShowsTheNewColourAndCancelKeepsTheRecord)
{
    CLinkStyle style;
    style.m_crColor = 0x000000;
    CString shown;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
        if (auto* view = dynamic_cast<DCodeView*>(&d)) {
            shown = view->m_strText;
            return IDOK;
        }
        SetColor(d, 1019, 0x3366CC); // red 0xCC, green 0x66, blue 0x33
        qobject_cast<QAbstractButton*>(d.GetDlgItem(1062))->click();
        return IDCANCEL;
    });
    DDefaultLinkStyle dlg;
    dlg.m_pStyle = &style;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    CDialog::SetModalHook(previous);
    EXPECT_TRUE(shown.ToQString().contains(QStringLiteral("#CC6633"), Qt::CaseInsensitive)) << shown.GetString();
    EXPECT_EQ(style.m_crColor, 0x000000u) << "Cancel leaves the record as it was";
}

TEST(Bullet, RowsAndTheBulletKeptWithoutARow)
{
    const struct {
        int before;
        int row; // -1: no row selected
        int after;
    } cases[] = {{3, 7, 7}, {5, -1, 5}, {0, 40, 40}, {99, -1, 99}};
    for (const auto& c : cases) {
        CLinkItem item;
        item.m_nIcon = c.before;
        DBullet dlg;
        dlg.m_pItem = &item;
        EXPECT_EQ(RunDialog(dlg,
                            [&](CDialog& d) {
                                auto* list = qobject_cast<QListWidget*>(d.GetDlgItem(1078));
                                EXPECT_EQ(list->count(), 41);
                                EXPECT_EQ(list->item(0)->text(), QStringLiteral("<none>"));
                                EXPECT_EQ(list->item(36)->text(), QStringLiteral("Buy Now"));
                                EXPECT_FALSE(list->item(1)->icon().isNull()) << "rows drawn with the item icons";
                                EXPECT_EQ(list->currentRow(), c.before <= 40 ? c.before : -1);
                                if (c.row >= 0)
                                    list->setCurrentRow(c.row);
                                else
                                    list->setCurrentRow(-1);
                                PressOk(d);
                            }),
                  IDOK);
        EXPECT_EQ(item.m_nIcon, c.after) << c.before << " " << c.row;
    }
}

} // namespace

// ---- Cancel after sub-dialogs, inside the opener's edit scope


namespace {

// Confirms every sub-dialog with a change where it has one.
int ConfirmSubDialog(CDialog& d)
{
    if (auto* padding = dynamic_cast<DPadding*>(&d)) {
        padding->SetDlgItemText(1000, "17");
        padding->OnOK();
        return padding->GetResult();
    }
    if (auto* bullet = dynamic_cast<DBullet*>(&d)) {
        qobject_cast<QListWidget*>(bullet->GetDlgItem(1078))->setCurrentRow(9);
        bullet->OnOK();
        return bullet->GetResult();
    }
    if (auto* link = dynamic_cast<DLink*>(&d)) {
        link->OnOK();
        return link->GetResult();
    }
    if (dynamic_cast<CPropertySheet*>(&d) || dynamic_cast<DDefaultLinkStyle*>(&d)) {
        d.OnOK();
        return d.GetResult();
    }
    if (dynamic_cast<DImageButton*>(&d)) {
        Choose(d, 1020, 7);
        d.OnOK();
        return d.GetResult();
    }
    return IDCANCEL;
}

TEST(CancelInScope, SubDialogsConfirmedThenCancelLeaveTheProjectAsItWas)
{
    CKJDoc doc;
    auto p = std::make_unique<CPage>();
    p->m_strBaseName = "index";
    p->m_strExtension = ".html";
    CPage* page = p.get();
    doc.m_pages.push_back(std::move(p));
    auto link = std::make_unique<CLinkItem>();
    link->m_strText = "Home";
    CLinkItem* linkItem = link.get();
    page->AddChild(link.release());
    auto pay = std::make_unique<CPayPalItem>();
    pay->m_strBusiness = "a@b.c";
    CPayPalItem* payItem = pay.get();
    page->AddChild(pay.release());
    payItem->Render(0);
    payItem->RecalcLayout();
    auto flash = std::make_unique<CFlashItem>();
    flash->m_strThirdName = "https://example.com/a.swf";
    CFlashItem* flashItem = flash.get();
    page->AddChild(flash.release());
    QTemporaryDir dir;
    const QString movie = dir.filePath(QStringLiteral("a.swf"));
    {
        QFile f(movie);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("FWS\x06\x10\x00\x00\x00\x78\x00\x05\x5F\x00\x00\x0F\xA0\x00\x00\x0C\x01", 20));
    }
    auto map = std::make_unique<CGoogleMapItem>();
    CGoogleMapItem* mapItem = map.get();
    page->AddChild(map.release());
    // Items on a page have their site styles and layout; a restored snapshot gets them again.
    doctest::SettleLayout(doc);
    const std::vector<BYTE> before = doctest::SaveToBytes(doc);
    const size_t undo = doc.m_undo.GetCount();

    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
        if (dynamic_cast<DLinkItem*>(&d)) {
            for (int id : {1065, 1037, 1047, 1063, 1060})
                d.SendNotify(id, BN_CLICKED);
            EXPECT_EQ(linkItem->m_nIcon, 9) << "the bullet went into the item";
            d.SetDlgItemText(1028, "Changed");
            return IDCANCEL;
        }
        if (dynamic_cast<DPayPal*>(&d)) {
            d.SendNotify(1025, BN_CLICKED);
            EXPECT_EQ(payItem->m_nRenderWidth, 256) << "the button style went into the item";
            return IDCANCEL;
        }
        if (auto* flashDialog = dynamic_cast<DFlash*>(&d)) {
            EXPECT_TRUE(flashDialog->ImportFile(CString::FromQString(movie)));
            d.SetDlgItemText(1014, "77");
            d.SendNotify(1062, BN_CLICKED);
            EXPECT_EQ(flashItem->m_nWidth, 77) << "View Code stored the size";
            EXPECT_FALSE(flashItem->m_blob.IsEmpty());
            return IDCANCEL;
        }
        if (dynamic_cast<DCodeView*>(&d))
            return IDOK;
        if (dynamic_cast<DGoogleMap*>(&d)) {
            d.SetDlgItemText(1000, "45");
            d.SetDlgItemText(1002, "999"); // refused: nothing stored
            d.OnOK();
            return IDCANCEL;
        }
        return ConfirmSubDialog(d);
    });
    MessageLog log;
    {
        CEditScope scope(doc, page, page, linkItem, "Link Properties");
        DLinkItem dlg;
        dlg.m_pItem = linkItem;
        dlg.m_pDoc = &doc;
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        scope.Cancel();
    }
    EXPECT_TRUE(doctest::SaveToBytes(doc) == before) << "link";
    {
        CEditScope scope(doc, page, page, payItem, "PayPal Properties");
        DPayPal dlg;
        dlg.m_pItem = payItem;
        dlg.m_pDoc = &doc;
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        scope.Cancel();
    }
    EXPECT_TRUE(doctest::SaveToBytes(doc) == before) << "payment button";
    {
        CEditScope scope(doc, page, page, flashItem, "Flash Properties");
        DFlash dlg;
        dlg.m_pItem = flashItem;
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        scope.Cancel();
    }
    EXPECT_TRUE(doctest::SaveToBytes(doc) == before) << "flash";
    {
        CEditScope scope(doc, page, page, mapItem, "Google Map Properties");
        DGoogleMap dlg;
        dlg.m_pItem = mapItem;
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        scope.Cancel();
    }
    CDialog::SetModalHook(previous);
    EXPECT_EQ(doctest::SaveToBytes(doc), before);
    EXPECT_EQ(doc.m_undo.GetCount(), undo);
}

} // namespace

TEST(LinkItem, BackgroundButtonsOpenTheBackgroundEditorOnTheLinksFills)
{
    CLinkItem item;
    item.m_strText.FromUtf8("Home");
    ASSERT_TRUE(item.m_pFill);
    std::vector<QString> captions;
    const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
        if (dynamic_cast<DLinkItem*>(&d)) {
            Click(d, 1058);
            Click(d, 1055);
            d.OnCancel();
            return d.GetResult();
        }
        captions.push_back(d.windowTitle());
        return IDCANCEL;
    });
    DLinkItem dlg;
    dlg.m_pItem = &item;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    CDialog::SetModalHook(previous);
    EXPECT_EQ(captions, (std::vector<QString>{QStringLiteral("Link Background : Home"), QStringLiteral("Link Over Background : Home")}));
}

TEST(LinkItem, BackgroundWorksWithoutAFillRecordAndMarksOnlyAPlacedLinksPage)
{
    for (bool placed : {false, true}) {
        SCOPED_TRACE(placed);
        CKJDoc doc;
        doc.OnNewDocument();
        CPage* home = doc.m_pages.front().get();
        CWString title;
        title = "Second";
        CPage* second = doc.AddPage(home, &title);
        ASSERT_NE(second, nullptr);
        auto link = std::make_unique<CLinkItem>();
        link->m_strText.FromUtf8("Home");
        link->m_pFill.reset(); // as read from a file that had none
        CLinkItem* item = link.get();
        if (placed)
            home->AddChild(link.release());
        for (auto& page : doc.m_pages)
            page->m_nUploadState = 2;
        doc.m_nCssUploadState = 2;
        const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog& d) -> int {
            if (dynamic_cast<DLinkItem*>(&d)) {
                EXPECT_TRUE(d.GetDlgItem(1058)->isEnabled()) << "a fill is made when asked for";
                Click(d, 1058);
                d.OnCancel();
                return d.GetResult();
            }
            Click(d, 1069); // gradient
            d.OnOK();
            return d.GetResult();
        });
        DLinkItem dlg;
        dlg.m_pItem = item;
        dlg.m_pDoc = &doc;
        dlg.DoModal();
        CDialog::SetModalHook(previous);
        ASSERT_TRUE(item->m_pFill);
        EXPECT_EQ(item->m_pFill->m_nKind, CFillStyle::KindGradient);
        EXPECT_EQ(home->m_nUploadState, placed ? 0 : 2) << "a link not placed yet is its opener's to mark";
        EXPECT_EQ(second->m_nUploadState, 2);
        EXPECT_EQ(doc.m_nCssUploadState, 2);
    }
}
