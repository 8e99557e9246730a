#include "dialogs/ImageButtonDialog.h"

#include "controls/ColorControl.h"
#include "controls/FontChooser.h"
#include "dialogs/ArtisticTextDialogs.h"
#include "dialogs/LinkDialog.h"
#include "dialogs/ScopedEdit.h"
#include "document/NewItemDefaults.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"
#include "framework/core/Dc.h"
#include "model/Dib.h"
#include "model/items/ImageButtonItem.h"

#include <QtGui/QPainter>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>

#include <algorithm>

namespace {

constexpr int kMinSide = 1, kMaxSide = 3000;
constexpr int kPreviewId = 3000;

const DlgControl kImageButtonControls[] = {
    {kPreviewId, DlgKind::Custom, nullptr, nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Label:", nullptr, 0},
    {1067, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Size:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "x", nullptr, kDlgBeside},
    {1023, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1032, DlgKind::Button, "Apply", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Border:", nullptr, 0},
    {1088, DlgKind::Combo, nullptr, "Flat|3D|Inset", kDlgBeside},
    {1097, DlgKind::Combo, nullptr, "none|1 px|2 px|3 px|4 px|5 px|6 px|7 px|8 px|9 px|10 px", kDlgBeside},
    {1094, DlgKind::Button, "Line Color", nullptr, kDlgBeside},
    {1164, DlgKind::Check, "Hairline", nullptr, 0},
    {1166, DlgKind::Button, "...", nullptr, kDlgBeside},
    {1016, DlgKind::Check, "Glass", nullptr, kDlgBeside},
    {1013, DlgKind::Check, "Shadow", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Shape:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, "Rectangle|Circle|Rounded Edges|Rounded|Rounded Full", kDlgBeside},
    {1099, DlgKind::Combo, nullptr, "Flat|3D|Inset", kDlgBeside},
    {1056, DlgKind::Button, "Fill Color", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Font:", nullptr, 0},
    {1006, DlgKind::Button, "", nullptr, kDlgBeside},
    {1161, DlgKind::Combo, nullptr, "Flat|Drop shadow|Inset|Outset", kDlgBeside},
    {1080, DlgKind::Button, "Font Color", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Quick Style:", nullptr, 0},
    {1036, DlgKind::Combo, nullptr,
     "Black |White|Red |Blue|Green|Yellow|Orange|Navy|Pink|Fire|Fresh|Dream|Metal|Sport", kDlgBeside},
    {1020, DlgKind::Combo, nullptr, "|XXS|XS|Small|Medium|Large|XL|XXL", kDlgBeside},
    {1025, DlgKind::Button, "Link", nullptr, 0},
    {1027, DlgKind::Button, "Shadow", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
};

const ButtonSizePreset kSizePresets[] = {
    {32, 16, 6}, {48, 24, 10}, {64, 32, 12}, {92, 46, 16}, {128, 64, 18}, {164, 82, 24}, {256, 128, 32},
};

// The controls that need an item; OK does not.
const int kItemControls[] = {1056, 1032, 1006, 1080, 1094, 1013, 1164, 1016, 1018, 1099, 1000, 1023, 1161, 1097,
                             1088, 1166, 1067, 1036, 1020, 1025, 1027};

// The item field behind each combo box and check box.
int* ComboField(CImageButtonItem& item, int id)
{
    switch (id) {
    case 1088: return &item.m_nFrameShading;
    case 1097: return &item.m_nFrameWidth;
    case 1018: return &item.m_nFrameShape;
    case 1099: return &item.m_nInteriorShading;
    case 1161: return &item.m_nCaptionStyle;
    case 1164: return &item.m_bHairline;
    case 1016: return &item.m_bGlass;
    case 1013: return &item.m_bInnerShadow;
    default: return nullptr;
    }
}

struct ColorField {
    int id;
    const char* title;
    COLORREF CImageButtonItem::*field;
};
const ColorField kColorFields[] = {
    {1094, "Line Color", &CImageButtonItem::m_crFrame},
    {1166, "Hairline Color", &CImageButtonItem::m_crHairline},
    {1056, "Fill Color", &CImageButtonItem::m_crSecond},
    {1080, "Text Color", &CImageButtonItem::m_crText},
};

} // namespace

const DlgTemplate kImageButtonTemplate = {200, "Image Button", true, kImageButtonControls};

const ButtonSizePreset* ButtonSizePresetAt(int index)
{
    if (index < 1 || index > int(std::size(kSizePresets)))
        return nullptr;
    return &kSizePresets[index - 1];
}

CString ButtonFontText(const CImageButtonItem& item)
{
    CString text;
    text.Format("%s, %dpt", item.m_lf.lfFaceName, -MulDiv(item.m_lf.lfHeight, 3, 4));
    return text;
}

// ---- CButtonPreviewWnd

CButtonPreviewWnd::CButtonPreviewWnd(QWidget* parent) : QWidget(parent)
{
    setMinimumHeight(170);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CButtonPreviewWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::gray);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!m_pItem)
        return;
    CDib& picture = m_pItem->StateBitmap(0);
    if (!picture.IsValid())
        return;
    CDC dc(&p);
    picture.DrawTransparent(&dc, (width() - picture.GetWidth()) / 2, (height() - picture.GetHeight()) / 2);
}

// ---- DImageButton

DImageButton::DImageButton(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kImageButtonTemplate, [this](CDialog&, const DlgControl&) -> QWidget* {
        m_pPreview = new CButtonPreviewWnd(this);
        return m_pPreview;
    });
    for (int id : {1088, 1097, 1018, 1099, 1161})
        OnNotify(id, CBN_SELCHANGE, [this, id] { OnCombo(id); });
    for (int id : {1164, 1016, 1013})
        OnNotify(id, BN_CLICKED, [this, id] { OnCheck(id); });
    for (const ColorField& c : kColorFields)
        OnNotify(c.id, BN_CLICKED, [this, id = c.id] { OnColor(id); });
    OnNotify(1006, BN_CLICKED, [this] { OnFont(); });
    OnNotify(1032, BN_CLICKED, [this] { OnApply(); });
    OnNotify(1036, CBN_SELCHANGE, [this] { OnQuickStyle(); });
    OnNotify(1020, CBN_SELCHANGE, [this] { OnSizePreset(); });
    OnNotify(1067, EN_KILLFOCUS, [this] { OnLabel(); });
    OnNotify(1025, BN_CLICKED, [this] { OnLink(); });
    OnNotify(1027, BN_CLICKED, [this] { OnShadow(); });
}

BOOL DImageButton::OnInitDialog()
{
    // Four digits: the sizes run up to 3000.
    for (int id : {1000, 1023})
        qobject_cast<QLineEdit*>(GetDlgItem(id))->setMaxLength(4);
    qobject_cast<QLineEdit*>(GetDlgItem(1067))->setMaxLength(6500);
    CDialog::OnInitDialog();
    RefreshControls();
    return TRUE;
}

void DImageButton::DoDataExchange(CDataExchange* pDX)
{
    if (!m_pItem)
        return;
    CWString label = m_pItem->m_strText;
    int width = m_pItem->m_nRenderWidth, height = m_pItem->m_nRenderHeight;
    DDX_TextW(pDX, 1067, label);
    DDX_Text(pDX, 1000, width);
    DDV_MinMaxInt(pDX, width, kMinSide, kMaxSide);
    DDX_Text(pDX, 1023, height);
    DDV_MinMaxInt(pDX, height, kMinSide, kMaxSide);
    if (!pDX->m_bSaveAndValidate)
        return;
    const bool changed = !(label == m_pItem->m_strText) || width != m_pItem->m_nRenderWidth
        || height != m_pItem->m_nRenderHeight;
    m_pItem->m_strText = label;
    m_pItem->m_nRenderWidth = width;
    m_pItem->m_nRenderHeight = height;
    if (changed)
        Rerender(true);
}

void DImageButton::RefreshControls()
{
    const bool on = m_pItem != nullptr;
    for (int id : kItemControls)
        EnableDlgItem(id, on);
    // The link belongs to a plain image button; a payment button posts its own form.
    EnableDlgItem(1025, on && m_pItem->m_nType == ITEM_IMAGE_BUTTON);
    m_pPreview->m_pItem = m_pItem;
    m_pPreview->update();
    if (!on)
        return;
    for (int id : {1088, 1097, 1018, 1099, 1161}) {
        auto* combo = qobject_cast<QComboBox*>(GetDlgItem(id));
        const int v = *ComboField(*m_pItem, id);
        combo->setCurrentIndex(v >= 0 && v < combo->count() ? v : -1);
    }
    for (int id : {1164, 1016, 1013})
        CheckDlgButton(id, *ComboField(*m_pItem, id) ? 1 : 0);
    SetDlgItemText(1067, m_pItem->m_strText.GetUtf8());
    SetDlgItemInt(1000, m_pItem->m_nRenderWidth);
    SetDlgItemInt(1023, m_pItem->m_nRenderHeight);
    SetDlgItemText(1006, ButtonFontText(*m_pItem));
}

void DImageButton::Rerender(bool layout)
{
    if (!m_pItem)
        return;
    m_pItem->Render(0);
    if (layout)
        m_pItem->RecalcLayout();
    m_pPreview->update();
}

void DImageButton::OnCombo(int id)
{
    if (!m_pItem)
        return;
    *ComboField(*m_pItem, id) = std::max(0, qobject_cast<QComboBox*>(GetDlgItem(id))->currentIndex());
    Rerender();
}

void DImageButton::OnCheck(int id)
{
    if (!m_pItem)
        return;
    *ComboField(*m_pItem, id) = IsDlgButtonChecked(id) ? 1 : 0;
    Rerender();
}

void DImageButton::OnColor(int id)
{
    if (!m_pItem)
        return;
    for (const ColorField& c : kColorFields) {
        if (c.id != id)
            continue;
        COLORREF color = m_pItem->*c.field;
        if (ChooseColorDlg(color, UiTranslate(c.title), FALSE)) {
            m_pItem->*c.field = color;
            Rerender();
        }
    }
}

void DImageButton::OnFont()
{
    if (!m_pItem)
        return;
    ChooseFontDlg(m_pItem->m_lf, this);
    Rerender();
    RefreshControls();
}

void DImageButton::OnApply()
{
    if (!m_pItem)
        return;
    // The same range as OK: a refused size stores nothing.
    CDataExchange dx(this, TRUE);
    int width = 0, height = 0;
    try {
        DDX_Text(&dx, 1000, width);
        DDV_MinMaxInt(&dx, width, kMinSide, kMaxSide);
        DDX_Text(&dx, 1023, height);
        DDV_MinMaxInt(&dx, height, kMinSide, kMaxSide);
    } catch (const CUserException&) {
        return;
    }
    m_pItem->m_nRenderWidth = width;
    m_pItem->m_nRenderHeight = height;
    Rerender(true);
}

void DImageButton::OnQuickStyle()
{
    if (!m_pItem)
        return;
    ApplyButtonPreset(*m_pItem, qobject_cast<QComboBox*>(GetDlgItem(1036))->currentIndex());
    Rerender(true);
    RefreshControls();
}

void DImageButton::OnSizePreset()
{
    if (!m_pItem)
        return;
    const ButtonSizePreset* preset = ButtonSizePresetAt(qobject_cast<QComboBox*>(GetDlgItem(1020))->currentIndex());
    if (!preset)
        return;
    m_pItem->m_nRenderWidth = preset->width;
    m_pItem->m_nRenderHeight = preset->height;
    m_pItem->m_lf.lfHeight = -preset->fontHeight;
    Rerender(true);
    RefreshControls();
}

void DImageButton::OnLabel()
{
    if (!m_pItem)
        return;
    CWString label;
    label.SetQString(GetDlgItemText(1067).ToQString());
    if (label == m_pItem->m_strText)
        return;
    m_pItem->m_strText = label;
    Rerender();
}

void DImageButton::OnLink()
{
    if (!m_pItem || m_pItem->m_nType != ITEM_IMAGE_BUTTON)
        return;
    DLink dlg(this);
    dlg.m_pDoc = m_pDoc;
    dlg.m_pLink = &m_pItem->m_link;
    dlg.DoModal();
}

void DImageButton::OnShadow()
{
    if (!m_pItem)
        return;
    // The shadow is part of the rendered picture, so the preview renders it too.
    if (EditItemDropShadow(*m_pItem, this))
        Rerender(true);
}

int EditImageButtonProperties(CKJDoc& doc, CItem* page, CItem* container, CImageButtonItem* item)
{
    DImageButton dlg;
    dlg.m_pItem = item;
    dlg.m_pDoc = &doc;
    return RunInEditScope(doc, page, container, item, "Image Button Properties", dlg, [&] {
        item->Render(0);
        if (item->m_nType == ITEM_IMAGE_BUTTON)
            SaveNewItemDefaults(*item);
    });
}
