#include "dialogs/ArtisticTextDialogs.h"

#include "controls/ColorControl.h"
#include "controls/FontChooser.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/ScopedEdit.h"
#include "document/NewItemDefaults.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/SymbolItem.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>

#include <algorithm>

namespace {

#define FILL_KINDS "Solid Fill|Gradient Down|Gradient Right|Gradient Circular|Gradient Up|Gradient Left"
#define STYLES_3D "Flat|Outset|Inset|Bar|Metal|Glass"
#define WIDTHS_10 "None|1 px|2 px|3 px|4 px|5 px|6 px|7 px|8 px|9 px|10 px"
#define WIDTHS_20 WIDTHS_10 "|11 px|12 px|13 px|14 px|15 px|16 px|17 px|18 px|19 px|20 px"

const DlgControl kArtisticTextControls[] = {
    {IDC_STATIC, DlgKind::Static,
     "Artistic text creates image of selected font so the font displays properly on all browsers even if the font "
     "is not installed on your visitor's computer.",
     nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Text:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1025, DlgKind::Button, "Font", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Spacing:", nullptr, kDlgBeside},
    {1011, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {1019, DlgKind::Color, "Text Color", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Stretch:", nullptr, 0},
    {1014, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "%", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Angle:", nullptr, kDlgBeside},
    {1015, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "\xC2\xB0", nullptr, kDlgBeside},
    {1074, DlgKind::Combo, nullptr, FILL_KINDS, 0},
    {1022, DlgKind::Color, "Bottom Color", nullptr, kDlgBeside},
    {1001, DlgKind::Check, "2 Way", nullptr, kDlgBeside},
    {1068, DlgKind::Combo, nullptr, STYLES_3D, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Internal Line Width:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, WIDTHS_10, kDlgBeside},
    {1042, DlgKind::Color, "Line Color", nullptr, kDlgBeside},
    {1070, DlgKind::Combo, nullptr, STYLES_3D, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "External Line Width:", nullptr, 0},
    {1066, DlgKind::Combo, nullptr, WIDTHS_10, kDlgBeside},
    {1053, DlgKind::Color, "Line Color", nullptr, kDlgBeside},
    {1072, DlgKind::Combo, nullptr, STYLES_3D, kDlgBeside},
    {1027, DlgKind::Button, "Shadow", nullptr, 0},
    {1031, DlgKind::Button, "Fadout", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

const DlgControl kSymbolControls[] = {
    {1019, DlgKind::Color, "Fill Color", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Stretch:", nullptr, 0},
    {1014, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "%", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Angle:", nullptr, kDlgBeside},
    {1015, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "\xC2\xB0", nullptr, kDlgBeside},
    {1074, DlgKind::Combo, nullptr, FILL_KINDS, 0},
    {1022, DlgKind::Color, "Bottom Color", nullptr, kDlgBeside},
    {1001, DlgKind::Check, "2 Way", nullptr, kDlgBeside},
    {1068, DlgKind::Combo, nullptr, STYLES_3D, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Internal Line Width:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, WIDTHS_20, kDlgBeside},
    {1042, DlgKind::Color, "Line Color", nullptr, kDlgBeside},
    {1070, DlgKind::Combo, nullptr, STYLES_3D, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "External Line Width:", nullptr, 0},
    {1066, DlgKind::Combo, nullptr, WIDTHS_10, kDlgBeside},
    {1053, DlgKind::Color, "Line Color", nullptr, kDlgBeside},
    {1072, DlgKind::Combo, nullptr, STYLES_3D, kDlgBeside},
    {1027, DlgKind::Button, "Shadow", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

// Ranges the renderer copes with; outside them the picture would be empty or enormous.
constexpr int kMinStretch = 10, kMaxStretch = 1000;
constexpr int kMaxSpacing = 1000;
constexpr double kMaxAngle = 360.0;

// A colour button stands in a box with its caption beside it; the box shows or hides both.
QWidget* ColorBox(CDialog& dlg, int id)
{
    QWidget* button = dlg.GetDlgItem(id);
    return button ? button->parentWidget() : nullptr;
}

void ShowControl(CDialog& dlg, int id, bool show)
{
    QWidget* w = dlg.GetDlgItem(id);
    if (dynamic_cast<CColorButton*>(w))
        w = w->parentWidget();
    if (w)
        w->setVisible(show);
}

int SelectedIndex(CDialog& dlg, int id)
{
    auto* combo = qobject_cast<QComboBox*>(dlg.GetDlgItem(id));
    return combo ? combo->currentIndex() : -1;
}

} // namespace

const DlgTemplate kArtisticTextTemplate = {169, "Artistic Text", true, kArtisticTextControls};
const DlgTemplate kSymbolTemplate = {341, "Symbol", true, kSymbolControls};

bool EditItemDropShadow(CImageItemBase& item, QWidget* parent)
{
    DDropShadow dlg(parent);
    dlg.m_bEnable = item.m_nShadowKind > 0 ? 1 : 0;
    dlg.m_nDistance = item.m_nShadowOffset;
    dlg.m_nRadius = item.m_nShadowBlur;
    dlg.m_crColor = item.m_crShadow;
    if (dlg.DoModal() != IDOK)
        return false;
    item.m_nShadowKind = dlg.m_bEnable ? 1 : 0;
    item.m_nShadowOffset = dlg.m_nDistance;
    item.m_nShadowBlur = dlg.m_nRadius;
    item.m_crShadow = dlg.m_crColor;
    return true;
}

bool EditItemEdgeFadeout(CImageItemBase& item, QWidget* parent)
{
    DEdgeFadeout dlg(parent);
    dlg.m_bLeft = item.m_nEdgeLeft;
    dlg.m_bRight = item.m_nEdgeRight;
    dlg.m_bTop = item.m_nEdgeTop;
    dlg.m_bBottom = item.m_nEdgeBottom;
    dlg.m_nDistance = item.m_nEdgeSize;
    dlg.m_nKind = item.m_nEdgeKind;
    if (dlg.DoModal() != IDOK)
        return false;
    item.m_nEdgeLeft = dlg.m_bLeft;
    item.m_nEdgeRight = dlg.m_bRight;
    item.m_nEdgeTop = dlg.m_bTop;
    item.m_nEdgeBottom = dlg.m_bBottom;
    item.m_nEdgeSize = dlg.m_nDistance;
    item.m_nEdgeKind = dlg.m_nKind;
    return true;
}

// ---- DLetterDialogBase

DLetterDialogBase::DLetterDialogBase(QWidget* parent) : CDialog(parent) {}

void DLetterDialogBase::ConnectLookHandlers()
{
    OnNotify(1074, CBN_SELCHANGE, [this] { ApplyFillKindRule(); });
    OnNotify(1001, BN_CLICKED, [this] { ApplyLineRule(); });
    // The line rule reads the width combos; the widths reach the item at OK.
    OnNotify(1018, CBN_SELCHANGE, [this] { ApplyLineRule(); });
    OnNotify(1066, CBN_SELCHANGE, [this] { ApplyLineRule(); });
    OnNotify(1027, BN_CLICKED, [this] {
        if (CImageItemBase* item = Item())
            EditItemDropShadow(*item, this);
    });
}

BOOL DLetterDialogBase::OnInitDialog()
{
    CDialog::OnInitDialog();
    ApplyFillKindRule();
    ApplyLineRule();
    return TRUE;
}

void DLetterDialogBase::ApplyFillKindRule()
{
    static const char* const kCaptions[] = {"", "Bottom Color", "Right Color", "Outer Color", "Top Color", "Left Color"};
    const int kind = SelectedIndex(*this, 1074);
    const bool gradient = kind >= 1 && kind <= 5;
    ShowControl(*this, 1022, gradient);
    ShowControl(*this, 1001, gradient);
    if (!gradient)
        return;
    if (QWidget* box = ColorBox(*this, 1022))
        if (auto* label = box->findChild<QLabel*>())
            label->setText(UiTranslate(kCaptions[kind]).ToQString());
}

void DLetterDialogBase::ApplyLineRule()
{
    const bool inner = SelectedIndex(*this, 1018) > 0, outer = SelectedIndex(*this, 1066) > 0;
    ShowControl(*this, 1042, inner);
    ShowControl(*this, 1070, inner);
    ShowControl(*this, 1053, outer);
    ShowControl(*this, 1072, outer);
}

void DLetterDialogBase::ExchangeLook(CDataExchange* pDX, CImageItemBase& item, const LookFields& f)
{
    // Saving goes through copies, so a refused value stores nothing.
    COLORREF text = item.m_crText, fill2 = *f.fill2, line = item.m_crFrame, line2 = *f.line2;
    int stretch = *f.stretch, gradient = *f.gradient, twoWay = *f.twoWay, faceStyle = item.m_nInteriorShading;
    int width = item.m_nFrameWidth, lineStyle = item.m_nFrameShading;
    int width2 = *f.lineWidth2, lineStyle2 = *f.outerRelief;
    double angle = item.m_dRotation;

    DdxUserData(pDX, 1019, text);
    DDX_Text(pDX, 1014, stretch);
    DDV_MinMaxInt(pDX, stretch, kMinStretch, kMaxStretch);
    DDX_Text(pDX, 1015, angle);
    DDV_MinMaxDouble(pDX, angle, -kMaxAngle, kMaxAngle);
    DDX_CBIndex(pDX, 1074, gradient);
    DdxUserData(pDX, 1022, fill2);
    DDX_Check(pDX, 1001, twoWay);
    DDX_CBIndex(pDX, 1068, faceStyle);
    DDX_CBIndex(pDX, 1018, width);
    DdxUserData(pDX, 1042, line);
    DDX_CBIndex(pDX, 1070, lineStyle);
    DDX_CBIndex(pDX, 1066, width2);
    DdxUserData(pDX, 1053, line2);
    DDX_CBIndex(pDX, 1072, lineStyle2);
    if (!pDX->m_bSaveAndValidate)
        return;
    item.m_crText = text;
    *f.fill2 = fill2;
    item.m_crFrame = line;
    *f.line2 = line2;
    *f.stretch = stretch;
    *f.gradient = gradient;
    *f.twoWay = twoWay;
    item.m_nInteriorShading = faceStyle;
    item.m_nFrameWidth = std::max(0, width);
    item.m_nFrameShading = lineStyle;
    *f.lineWidth2 = std::max(0, width2);
    *f.outerRelief = lineStyle2;
    item.m_dRotation = angle;
}

// ---- DArtisticText

DArtisticText::DArtisticText(QWidget* parent) : DLetterDialogBase(parent)
{
    BuildDialog(*this, kArtisticTextTemplate);
    ConnectLookHandlers();
    OnNotify(1025, BN_CLICKED, [this] { OnFont(); });
    OnNotify(1031, BN_CLICKED, [this] {
        if (m_pItem)
            EditItemEdgeFadeout(*m_pItem, this);
    });
}

CImageItemBase* DArtisticText::Item() const { return m_pItem; }

DLetterDialogBase::LookFields DArtisticText::Fields() const
{
    CArtisticTextItem& i = *m_pItem;
    return {&i.m_crFill2, &i.m_crLine2, &i.m_nLineWidth2, &i.m_nGradient, &i.m_bGradient2Way, &i.m_nStretch, &i.m_nLineStyle2};
}

void DArtisticText::DoDataExchange(CDataExchange* pDX)
{
    if (!m_pItem)
        return;
    CWString text = m_pItem->m_strText;
    int spacing = m_pItem->m_nCharExtra;
    DDX_TextW(pDX, 1000, text);
    DDX_Text(pDX, 1011, spacing);
    DDV_MinMaxInt(pDX, spacing, -kMaxSpacing, kMaxSpacing);
    ExchangeLook(pDX, *m_pItem, Fields());
    if (!pDX->m_bSaveAndValidate)
        return;
    m_pItem->m_strText = text;
    m_pItem->m_nCharExtra = spacing;
}

void DArtisticText::OnFont()
{
    if (m_pItem)
        ChooseFontDlg(m_pItem->m_lf, this);
}

void DArtisticText::SaveDefaults()
{
    if (m_pItem)
        SaveNewItemDefaults(*m_pItem);
}

// ---- DSymbol

DSymbol::DSymbol(QWidget* parent) : DLetterDialogBase(parent)
{
    BuildDialog(*this, kSymbolTemplate);
    ConnectLookHandlers();
}

CImageItemBase* DSymbol::Item() const { return m_pItem; }

DLetterDialogBase::LookFields DSymbol::Fields() const
{
    CSymbolItem& i = *m_pItem;
    return {&i.m_crFill2, &i.m_crLine2, &i.m_nLineWidth2, &i.m_nGradient, &i.m_bGradient2Way, &i.m_nStretch, &i.m_nLineStyle2};
}

void DSymbol::DoDataExchange(CDataExchange* pDX)
{
    if (m_pItem)
        ExchangeLook(pDX, *m_pItem, Fields());
}

void DSymbol::SaveDefaults()
{
    if (m_pItem)
        SaveNewItemDefaults(*m_pItem);
}

namespace {
template <class Dialog, class Item>
int EditLetterItem(CKJDoc& doc, CItem* page, CItem* container, Item* item, const char* description)
{
    Dialog dlg;
    dlg.m_pItem = item;
    return RunInEditScope(doc, page, container, item, description, dlg, [&] {
        item->Render(0);
        dlg.SaveDefaults();
    });
}
} // namespace

int EditArtisticTextProperties(CKJDoc& doc, CItem* page, CItem* container, CArtisticTextItem* item)
{
    return EditLetterItem<DArtisticText>(doc, page, container, item, "Artistic Text Properties");
}

int EditSymbolProperties(CKJDoc& doc, CItem* page, CItem* container, CSymbolItem* item)
{
    return EditLetterItem<DSymbol>(doc, page, container, item, "Symbol Properties");
}
