#include "dialogs/LinkItemDialogs.h"
#include "dialogs/Background.h"
#include "framework/ui/Translation.h"

#include "controls/ColorControl.h"
#include "controls/DialogKit.h"
#include "dialogs/CodeView.h"
#include "dialogs/LinkDialog.h"
#include "dialogs/SmallItemDialogs.h"
#include "dialogs/EffectDialogs.h"
#include "document/KJDoc.h"
#include "framework/ui/DataExchange.h"
#include "framework/core/Dc.h"
#include "model/Dib.h"
#include "model/Item.h"
#include "model/items/LinkItem.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtGui/QPainter>

#include <iterator>

namespace {

#define BOLD_ENTRIES "normal|bold|"
#define ITALIC_ENTRIES "normal|italic|"
#define DECORATION_ENTRIES "|no underline|underlined|strike-through"

const DlgControl kLinkItemControls[] = {
    {1028, DlgKind::Edit, nullptr, nullptr, 0},
    {1002, DlgKind::Check, "Allow Tags < >", nullptr, 0},
    {1065, DlgKind::Button, "Destination Address", nullptr, kDlgBeside},
    {1037, DlgKind::Button, "Style", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Group, "Normal Style", nullptr, 0},
    {1019, DlgKind::Color, "Font Color", nullptr, kDlgNoColor},
    {1018, DlgKind::EditCombo, nullptr,
     "Verdana|Arial|Times|Courier|Tahoma|Georgia|Lucida Sans Unicode|Lucida Console|Palatino Linotype|Comic Sans MS|"
     "Trebuchet MS|Arial Black",
     kDlgBeside},
    {1066, DlgKind::EditCombo, nullptr, "7|8|9|10|11|12|13|14|15|16|17|18|19|20|22|24|26|28|30|32|36|38|42|48|56|64|72",
     kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "pt", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Bold:", nullptr, 0},
    {1020, DlgKind::Combo, nullptr, BOLD_ENTRIES, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Italic:", nullptr, kDlgBeside},
    {1023, DlgKind::Combo, nullptr, ITALIC_ENTRIES, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Underline:", nullptr, kDlgBeside},
    {1036, DlgKind::Combo, nullptr, DECORATION_ENTRIES, kDlgBeside},
    {1058, DlgKind::Button, "Background", nullptr, 0},
    {1047, DlgKind::Button, "Padding", nullptr, kDlgBeside},
    {1063, DlgKind::Button, "Border", nullptr, kDlgBeside},
    {1060, DlgKind::Button, "Bullet", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Group, "Over Style", nullptr, 0},
    {1021, DlgKind::Color, "Font Color", nullptr, kDlgNoColor},
    {1022, DlgKind::Color, "Border Color", nullptr, kDlgBeside | kDlgNoColor},
    {IDC_STATIC, DlgKind::Static, "Bold:", nullptr, 0},
    {1024, DlgKind::Combo, nullptr, BOLD_ENTRIES, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Italic:", nullptr, kDlgBeside},
    {1025, DlgKind::Combo, nullptr, ITALIC_ENTRIES, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Underline:", nullptr, kDlgBeside},
    {1038, DlgKind::Combo, nullptr, DECORATION_ENTRIES, kDlgBeside},
    {1055, DlgKind::Button, "Background", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Transition Time:", nullptr, kDlgBeside},
    {1026, DlgKind::EditCombo, nullptr, "0.0|0.1|0.2|0.5|1.0|1.5|2.0|3.0", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "s.", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

const DlgControl kBulletControls[] = {
    {1078, DlgKind::List, nullptr, nullptr, 0},
    {1019, DlgKind::Color, "Color", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, "Flat|Outset|Inset|Backlit|Frontlit", kDlgBeside},
    {1016, DlgKind::Check, "Shadow", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

const DlgControl kDefaultLinkStyleControls[] = {
    {1019, DlgKind::Color, "Font Color", nullptr, 0},
    {1042, DlgKind::Color, "Background Color", nullptr, kDlgBeside | kDlgNoColor},
    {1026, DlgKind::Color, "Over Color", nullptr, kDlgNoColor},
    {1029, DlgKind::Color, "Over Background Color", nullptr, kDlgBeside | kDlgNoColor},
    {IDC_STATIC, DlgKind::Static, "Bold:", nullptr, 0},
    {1020, DlgKind::Combo, nullptr, "normal|bold| ", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Over Bold:", nullptr, kDlgBeside},
    {1022, DlgKind::Combo, nullptr, "normal|bold| ", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Italic:", nullptr, 0},
    {1021, DlgKind::Combo, nullptr, "normal|italic| ", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Over Italic:", nullptr, kDlgBeside},
    {1023, DlgKind::Combo, nullptr, "normal|italic| ", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Underline:", nullptr, 0},
    {1036, DlgKind::Combo, nullptr, "none|underlined|strike-through", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Over Underline:", nullptr, kDlgBeside},
    {1038, DlgKind::Combo, nullptr, "none|underlined|strike-through", kDlgBeside},
    {IDC_STATIC, DlgKind::Static,
     "All links in the project will have the above style. To modify the visual style of a link you can also apply a "
     "class to links or modify individual properties of a link.",
     nullptr, 0},
    {1062, DlgKind::Custom, nullptr, nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

// The names of the bullet pictures, by index (names repeat; the index is stored).
const char* const kBulletNames[] = {
    "<none>", "Circle", "Square", "Next", "Previous", "Down", "Up", "Box", "FF", "Rev", "Down", "Left", "Up", "Right",
    "Circle", "Square", "Plus", "Minus", "Page", "Check", "Disc", "Video", "Email", "Home", "Chat", "Close", "Zoom",
    "More", "Mobile", "Squares", "Star", "RSS", "MP3", "Gallery", "Folder", "Download", "Buy Now", "Small Rect",
    "Small Dot", "Arrow", "Next",
};

QPixmap BulletPixmap(int index)
{
    CDib picture;
    if (index <= 0 || !RenderItemIcon(picture, index, 0x000000, 0, 0))
        return {};
    QImage image(picture.GetWidth(), picture.GetHeight(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        CDC dc(&p);
        picture.DrawTransparent(&dc, 0, 0);
    }
    return QPixmap::fromImage(image);
}

} // namespace

const DlgTemplate kLinkItemTemplate = {163, "Link", true, kLinkItemControls};
const DlgTemplate kBulletTemplate = {322, "Bullet", true, kBulletControls};
const DlgTemplate kDefaultLinkStyleTemplate = {305, "Default Link Style", true, kDefaultLinkStyleControls};

// ---- DDefaultLinkStyle

DDefaultLinkStyle::DDefaultLinkStyle(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kDefaultLinkStyleTemplate, [](CDialog& dlg, const DlgControl&) -> QWidget* {
        return CreateViewCodeButton(&dlg, 1062);
    });
    OnNotify(1062, BN_CLICKED, [this] { OnViewCode(); });
}

BOOL DDefaultLinkStyle::OnInitDialog()
{
    if (m_pStyle)
        m_edit = *m_pStyle;
    return CDialog::OnInitDialog();
}

void DDefaultLinkStyle::DoDataExchange(CDataExchange* pDX)
{
    CLinkStyle s = m_edit;
    DdxUserData(pDX, 1019, s.m_crColor);
    DdxUserData(pDX, 1042, s.m_crBack);
    DdxUserData(pDX, 1026, s.m_crHoverColor);
    DdxUserData(pDX, 1029, s.m_crHoverBack);
    DDX_CBIndex(pDX, 1020, s.m_nBold);
    DDX_CBIndex(pDX, 1021, s.m_nItalic);
    DDX_CBIndex(pDX, 1036, s.m_nDecoration);
    DDX_CBIndex(pDX, 1022, s.m_nHoverBold);
    DDX_CBIndex(pDX, 1023, s.m_nHoverItalic);
    DDX_CBIndex(pDX, 1038, s.m_nHoverDecoration);
    if (!pDX->m_bSaveAndValidate)
        return;
    m_edit = s;
}

void DDefaultLinkStyle::OnOK()
{
    CDialog::OnOK();
    // Only the confirmed dialog reaches the record; View Code works on the copy.
    if (m_pStyle && IsEnded() && GetResult() == IDOK)
        *m_pStyle = m_edit;
}

void DDefaultLinkStyle::OnViewCode()
{
    if (!UpdateData(TRUE))
        return;
    DCodeView view(this);
    view.m_strText = m_edit.WriteCss("a");
    view.DoModal();
}

// ---- DBullet

DBullet::DBullet(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kBulletTemplate); }

BOOL DBullet::OnInitDialog()
{
    auto* list = qobject_cast<QListWidget*>(GetDlgItem(1078));
    list->setIconSize(QSize(17, 17));
    for (int i = 0; i < int(std::size(kBulletNames)); ++i)
        new QListWidgetItem(QIcon(BulletPixmap(i)), QString::fromUtf8(kBulletNames[i]), list);
    CDialog::OnInitDialog();
    if (m_pItem && m_pItem->m_nIcon >= 0 && m_pItem->m_nIcon < list->count())
        list->setCurrentRow(m_pItem->m_nIcon);
    return TRUE;
}

void DBullet::DoDataExchange(CDataExchange* pDX)
{
    if (!m_pItem)
        return;
    DdxUserData(pDX, 1019, m_pItem->m_crIcon);
    DDX_CBIndex(pDX, 1018, m_pItem->m_nIconShading);
    DDX_Check(pDX, 1016, m_pItem->m_bIconShadow);
    if (!pDX->m_bSaveAndValidate)
        return;
    // No row selected keeps the item's bullet.
    const int row = qobject_cast<QListWidget*>(GetDlgItem(1078))->currentRow();
    if (row >= 0)
        m_pItem->m_nIcon = row;
}

// ---- DLinkItem

DLinkItem::DLinkItem(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kLinkItemTemplate);
    OnNotify(1065, BN_CLICKED, [this] {
        if (!m_pItem)
            return;
        DLink dlg(this);
        dlg.m_pDoc = m_pDoc;
        dlg.m_pLink = &m_pItem->m_link;
        dlg.DoModal();
    });
    OnNotify(1037, BN_CLICKED, [this] { OnStyle(); });
    OnNotify(1047, BN_CLICKED, [this] {
        if (m_pItem)
            EditItemPadding(m_pItem, this);
    });
    OnNotify(1063, BN_CLICKED, [this] {
        if (m_pItem)
            EditItemBorders(m_pItem);
    });
    // The link's own background and its background under the mouse. A link not placed yet
    // has no pages to mark: its opener's change marks them.
    auto background = [this](bool hover) {
        if (!m_pItem)
            return;
        CFillStyle* fill = hover ? &m_pItem->m_hoverFill.Edit() : &FillOf(*m_pItem);
        CString text;
        m_pItem->m_strText.ToUtf8(text);
        const CString caption = UiTranslateWithName(hover ? "Link Over Background : %s" : "Link Background : %s", text);
        EditFill(m_pDoc, fill, caption.GetString(), this, FillTargetOf(m_pDoc, *m_pItem));
    };
    OnNotify(1058, BN_CLICKED, [background] { background(false); });
    OnNotify(1055, BN_CLICKED, [background] { background(true); });
    OnNotify(1060, BN_CLICKED, [this] {
        if (!m_pItem)
            return;
        DBullet dlg(this);
        dlg.m_pItem = m_pItem;
        dlg.DoModal();
    });
}

BOOL DLinkItem::OnInitDialog()
{
    CDialog::OnInitDialog();
    EnableDlgItem(1028, !m_bTextLocked);
    EnableDlgItem(1058, m_pItem != nullptr);
    EnableDlgItem(1055, m_pItem != nullptr);
    EnableDlgItem(1037, m_pDoc != nullptr);
    return TRUE;
}

void DLinkItem::OnStyle()
{
    if (!m_pDoc)
        return;
    // The site's style changes only when this dialog is confirmed.
    CLinkStyle edit = m_pendingStyle ? *m_pendingStyle : m_pDoc->m_styles.m_link;
    DDefaultLinkStyle dlg(this);
    dlg.m_pStyle = &edit;
    if (dlg.DoModal() == IDOK)
        m_pendingStyle = edit;
}

void DLinkItem::DoDataExchange(CDataExchange* pDX)
{
    if (!m_pItem)
        return;
    CLinkItem& i = *m_pItem;
    CWString text = i.m_strText;
    CString face = i.m_strFontFace, size;
    int allowTags = i.m_bRawText, bold = i.m_nBold, italic = i.m_nItalic, decoration = i.m_nDecoration;
    int hoverBold = i.m_nHoverBold, hoverItalic = i.m_nHoverItalic, hoverDecoration = i.m_nHoverDecoration;
    COLORREF color = i.m_crText, hoverColor = i.m_crExtra[CLinkItem::kHoverText];
    COLORREF hoverBorder = i.m_crExtra[CLinkItem::kHoverBorder];
    double transition = i.m_dTransition;
    if (!pDX->m_bSaveAndValidate && i.m_nFontSize > 0)
        size.Format("%d", i.m_nFontSize);
    DDX_TextW(pDX, 1028, text);
    DDX_Check(pDX, 1002, allowTags);
    DdxUserData(pDX, 1019, color);
    DDX_CBString(pDX, 1018, face);
    DDX_CBString(pDX, 1066, size);
    DDX_CBIndex(pDX, 1020, bold);
    DDX_CBIndex(pDX, 1023, italic);
    DDX_CBIndex(pDX, 1036, decoration);
    DdxUserData(pDX, 1021, hoverColor);
    DdxUserData(pDX, 1022, hoverBorder);
    DDX_CBIndex(pDX, 1024, hoverBold);
    DDX_CBIndex(pDX, 1025, hoverItalic);
    DDX_CBIndex(pDX, 1038, hoverDecoration);
    DDX_Text(pDX, 1026, transition);
    if (!pDX->m_bSaveAndValidate)
        return;
    int points = 0;
    if (!ParseInt(size, points))
        points = 0; // no number: stored as 0, shown empty next time
    i.m_strText = text;
    i.m_bRawText = allowTags;
    i.m_crText = color;
    i.m_strFontFace = face;
    i.m_nFontSize = points;
    i.m_nBold = bold;
    i.m_nItalic = italic;
    i.m_nDecoration = decoration;
    i.m_crExtra[CLinkItem::kHoverText] = hoverColor;
    i.m_crExtra[CLinkItem::kHoverBorder] = hoverBorder;
    i.m_nHoverBold = hoverBold;
    i.m_nHoverItalic = hoverItalic;
    i.m_nHoverDecoration = hoverDecoration;
    i.m_dTransition = transition;
    if (m_pendingStyle && m_pDoc) {
        m_pDoc->m_styles.m_link = *m_pendingStyle;
        m_bDefaultStyleChanged = 1;
    }
}
