// The Link item, bullet and default link style dialogs, offscreen: fields both ways, the
// site's link style changing only on OK, the bullet kept when no row is chosen.
#include "ComboTestSupport.h"
#include "DialogTestSupport.h"

#include "controls/ColorControl.h"
#include "dialogs/CodeView.h"
#include "dialogs/LinkItemDialogs.h"
#include "document/KJDoc.h"
#include "model/items/LinkItem.h"

#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QListWidget>

#include <gtest/gtest.h>

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
                            EXPECT_FALSE(d.GetDlgItem(1058)->isEnabled()) << "background editor not built here";
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
