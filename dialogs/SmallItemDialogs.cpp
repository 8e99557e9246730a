#include "dialogs/SmallItemDialogs.h"

#include "dialogs/Background.h"
#include "dialogs/EditText.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/SizeDialogs.h"
#include "document/KJDoc.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"
#include "model/FillStyle.h"
#include "model/GroupItem.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/items/InputFieldItem.h"
#include "model/items/ListItem.h"
#include "model/items/MarqueeItem.h"

#include <QtGui/QRegularExpressionValidator>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>

#include <climits>
#include <memory>

namespace {
const DlgControl kGoToPageControls[] = {
    {1078, DlgKind::List, nullptr, nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kHeadingControls[] = {
    {1000, DlgKind::Edit, nullptr, nullptr, 0},
    {IDC_STATIC, DlgKind::Group, "Heading Size:", nullptr, 0},
    {1043, DlgKind::Radio, "Largest <H1>", nullptr, kDlgGroup},
    {1044, DlgKind::Radio, "Large <H2>", nullptr, 0},
    {1045, DlgKind::Radio, "Medium <H3>", nullptr, 0},
    {1046, DlgKind::Radio, "Small <H4>", nullptr, 0},
    {1089, DlgKind::Radio, "Smaller <H5>", nullptr, 0},
    {1090, DlgKind::Radio, "Smallest <H6>", nullptr, 0},
    {1001, DlgKind::Check, "Allow Tags < >", nullptr, 0},
    {IDC_STATIC, DlgKind::Static,
     "Headings provide hints for search engines about the content of your website. Enter most popular keywords "
     "and search phrases inside headings to improve your rank in search results.",
     nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kInputFieldControls[] = {
    {IDC_STATIC, DlgKind::Static, "Item name:", nullptr, 0},
    {1017, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Initial Value:", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Type:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, "Text|Password|Date", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Placeholder:", nullptr, 0},
    {1005, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1010, DlgKind::Check, "Readonly", nullptr, 0},
    {1001, DlgKind::Check, "Required field", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Reminder Message:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Allowed Signs:", nullptr, 0},
    {1002, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Forbidden Signs:", nullptr, 0},
    {1004, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Required Signs:", nullptr, 0},
    {1305, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Maximum Length:", nullptr, 0},
    {1007, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "characters", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Minimum Length:", nullptr, 0},
    {1008, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "characters", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Error Message:", nullptr, 0},
    {1306, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kListControls[] = {
    {1000, DlgKind::MultiEdit, nullptr, nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Numbering:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr,
     "image|decimal|disc|circle|square|lower greek|upper greek|small letters|capitalics|roman", kDlgBeside},
    {1025, DlgKind::Button, "Bullet", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Item Spacing:", nullptr, 0},
    {1019, DlgKind::Combo, nullptr, "0|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20", kDlgBeside},
    {1001, DlgKind::Check, "Allow Tags < >", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kMarginsControls[] = {
    {IDC_STATIC, DlgKind::Static, "Left:", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Top:", nullptr, 0},
    {1011, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Right:", nullptr, 0},
    {1014, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Bottom:", nullptr, 0},
    {1017, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static,
     "Minimum space from the item to adjacent item has effect only when the item is placed in the flow. Margins "
     "have no effect when the item is positioned at x,y coordinate.",
     nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kMarqueeControls[] = {
    {3, DlgKind::Button, "Edit", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Speed:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px/step", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Iterations:", nullptr, 0},
    {1020, DlgKind::Combo, nullptr, "Infinite|1|2|3|4|5|6|7|8|9|10", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Direction:", nullptr, 0},
    {1036, DlgKind::Combo, nullptr, "from Right to Left|from Left to Right", kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kMasterControls[] = {
    {IDC_STATIC, DlgKind::Static, "Item name:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1025, DlgKind::Button, "Height", nullptr, 0},
    {1073, DlgKind::Button, "Background", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kDivControls[] = {
    {IDC_STATIC, DlgKind::Static, "Item name:", nullptr, 0},
    {1017, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Scrollbars:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr,
     "No scrollbars, clip contents outside visible area|Enable scrollbars automatically|Show both scrollbars|"
     "No scrollbars, show contents outside visible area",
     kDlgBeside},
    {1073, DlgKind::Button, "Background", nullptr, 0},
    {1047, DlgKind::Button, "Borders", nullptr, kDlgBeside},
    {1064, DlgKind::Button, "Padding", nullptr, kDlgBeside},
    {1025, DlgKind::Button, "Size", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

// A length shown only when above 0; an empty box reads back as 0, a negative one is refused.
void DDX_Length(CDataExchange* pDX, int id, int& value)
{
    if (!pDX->m_bSaveAndValidate) {
        int shown = value > 0 ? value : 0;
        DDX_TextBlankZero(pDX, id, shown);
        return;
    }
    DDX_TextBlankZero(pDX, id, value);
    DDV_MinMaxInt(pDX, value, 0, INT_MAX);
}
} // namespace

const DlgTemplate kGoToPageTemplate{304, "Go To Page", true, kGoToPageControls};
const DlgTemplate kHeadingTemplate{174, "Heading", true, kHeadingControls};
const DlgTemplate kInputFieldTemplate{152, "Input Field", true, kInputFieldControls};
const DlgTemplate kListTemplate{167, "List", true, kListControls};
const DlgTemplate kMarginsTemplate{136, "Margins", true, kMarginsControls};
const DlgTemplate kMarqueeTemplate{219, "Marquee", true, kMarqueeControls};
const DlgTemplate kMasterTemplate{358, "Master", true, kMasterControls};
const DlgTemplate kDivTemplate{307, "Div", true, kDivControls};

// ---- DGoToPage

DGoToPage::DGoToPage(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kGoToPageTemplate);
    auto* list = qobject_cast<QListWidget*>(GetDlgItem(1078));
    // Selecting a row chooses its page; a double click only selects, as a single one does.
    QObject::connect(list, &QListWidget::currentRowChanged, this, [this, list](int row) {
        QListWidgetItem* entry = row >= 0 ? list->item(row) : nullptr;
        m_pPage = entry ? static_cast<CPage*>(entry->data(Qt::UserRole).value<void*>()) : nullptr;
    });
}

BOOL DGoToPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    auto* list = qobject_cast<QListWidget*>(GetDlgItem(1078));
    if (m_pPages) {
        for (CPage* page : *m_pPages) {
            auto* entry = new QListWidgetItem(page->m_title.ToQString(), list);
            entry->setData(Qt::UserRole, QVariant::fromValue<void*>(page));
        }
    }
    return TRUE;
}

// ---- DHeading

DHeading::DHeading(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kHeadingTemplate); }

void DHeading::DoDataExchange(CDataExchange* pDX)
{
    DDX_TextW(pDX, 1000, m_text);
    DDX_Radio(pDX, 1043, m_nLevel);
    DDX_Check(pDX, 1001, m_bAllowTags);
}

// ---- DInputField

DInputField::DInputField(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kInputFieldTemplate); }

void DInputField::DoDataExchange(CDataExchange* pDX)
{
    if (!m_pItem)
        return;
    CInputFieldItem& item = *m_pItem;
    // Saving goes into a copy of the values first, so a refused field stores nothing.
    CString name = item.m_strName;
    CWString text = item.m_strText, placeholder = item.m_wstrPlaceholder, reminder = item.m_strRequiredMessage;
    CWString allowed = item.m_strAllowedChars, forbidden = item.m_strForbiddenChars,
             required = item.m_strRequiredChars, error = item.m_strRuleMessage;
    int type = item.m_nInputType, readOnly = item.m_bReadOnly, isRequired = item.m_bRequired;
    int maxLength = item.m_nMaxLength, minLength = item.m_nMinLength;

    DDX_Text(pDX, 1017, name);
    DDX_TextW(pDX, 1003, text);
    DDX_CBIndex(pDX, 1018, type);
    DDX_TextW(pDX, 1005, placeholder);
    DDX_Check(pDX, 1010, readOnly);
    DDX_Check(pDX, 1001, isRequired);
    DDX_TextW(pDX, 1000, reminder);
    DDX_TextW(pDX, 1002, allowed);
    DDX_TextW(pDX, 1004, forbidden);
    DDX_TextW(pDX, 1305, required);
    DDX_Length(pDX, 1007, maxLength);
    DDX_Length(pDX, 1008, minLength);
    if (pDX->m_bSaveAndValidate && maxLength > 0 && minLength > maxLength) {
        AfxMessageBox(UiTranslate("The minimum length cannot be greater than the maximum length."));
        pDX->Fail();
    }
    DDX_TextW(pDX, 1306, error);
    if (!pDX->m_bSaveAndValidate)
        return;
    item.m_strName = name;
    item.m_strText = text;
    item.m_nInputType = type;
    item.m_wstrPlaceholder = placeholder;
    item.m_bReadOnly = readOnly;
    item.m_bRequired = isRequired;
    item.m_strRequiredMessage = reminder;
    item.m_strAllowedChars = allowed;
    item.m_strForbiddenChars = forbidden;
    item.m_strRequiredChars = required;
    item.m_nMaxLength = maxLength;
    item.m_nMinLength = minLength;
    item.m_strRuleMessage = error;
}

void DInputField::OnOK()
{
    CString name = GetDlgItemText(1017);
    // CheckItemName asks the user itself; true means the name was refused.
    if (!name.IsEmpty() && m_pDoc && m_pDoc->CheckItemName(name, m_pItem, m_pGroup))
        return;
    CDialog::OnOK();
}

// ---- DList

DList::DList(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kListTemplate); }

BOOL DList::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The bullet dialog is not part of this build yet: the button stays disabled.
    EnableDlgItem(1025, FALSE);
    return TRUE;
}

void DList::DoDataExchange(CDataExchange* pDX)
{
    if (!m_pItem)
        return;
    DDX_TextW(pDX, 1000, m_pItem->m_strText);
    DDX_CBIndex(pDX, 1018, m_pItem->m_nStyle);
    DDX_CBIndex(pDX, 1019, m_pItem->m_nLineSpacing);
    DDX_Check(pDX, 1001, m_pItem->m_bRawText);
}

// ---- DMargins

DMargins::DMargins(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kMarginsTemplate);
    for (int id : {1003, 1011, 1014, 1017}) {
        auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(id));
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    }
}

void DMargins::DoDataExchange(CDataExchange* pDX)
{
    if (!m_pMargin)
        return;
    CBoxSpacing box = *m_pMargin;
    DDX_BoxSide(pDX, 1003, box.m_bLeft, box.m_nLeft);
    DDX_BoxSide(pDX, 1011, box.m_bTop, box.m_nTop);
    DDX_BoxSide(pDX, 1014, box.m_bRight, box.m_nRight);
    DDX_BoxSide(pDX, 1017, box.m_bBottom, box.m_nBottom);
    *m_pMargin = box;
}

// ---- DMarquee

DMarquee::DMarquee(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kMarqueeTemplate);
    OnNotify(3, BN_CLICKED, [this] {
        if (!m_pItem)
            return;
        DEditText dlg(this);
        dlg.m_pItem = m_pItem;
        dlg.m_pDoc = m_pDoc;
        dlg.DoModal();
    });
}

void DMarquee::DoDataExchange(CDataExchange* pDX)
{
    if (!m_pItem)
        return;
    int speed = m_pItem->m_nScrollAmount, loop = m_pItem->m_nLoop, direction = m_pItem->m_nDirection;
    DDX_Text(pDX, 1000, speed);
    DDX_CBIndex(pDX, 1020, loop);
    DDX_CBIndex(pDX, 1036, direction);
    m_pItem->m_nScrollAmount = speed;
    m_pItem->m_nLoop = loop;
    m_pItem->m_nDirection = direction;
}

// ---- DMaster

DMaster::DMaster(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kMasterTemplate);
    OnNotify(1025, BN_CLICKED, [this] { OnHeight(); });
    OnNotify(1073, BN_CLICKED, [this] {
        if (m_pFill)
            EditFill(m_pDoc, m_pFill, "Master Background", this,
                     m_pMaster ? FillTargetOf(m_pDoc, *m_pMaster) : FillTarget::Opener(), m_pMaster ? m_pMaster->m_nWidth : 100,
                     m_pMaster ? m_pMaster->m_nHeight : 100);
    });
}

BOOL DMaster::OnInitDialog()
{
    CDialog::OnInitDialog();
    // without a fill record there is nothing to edit
    EnableDlgItem(1073, m_pFill != nullptr);
    return TRUE;
}

void DMaster::DoDataExchange(CDataExchange* pDX)
{
    if (m_pMaster)
        DDX_Text(pDX, 1000, m_pMaster->m_strName);
}

void DMaster::OnHeight()
{
    if (!m_pMaster)
        return;
    DPageHeight dlg(this);
    dlg.m_nHeight = m_pMaster->m_nHeight;
    dlg.m_nHeightMode = m_pMaster->m_nHeightMode;
    if (dlg.DoModal() != IDOK)
        return;
    m_pMaster->m_nHeight = dlg.m_nHeight;
    m_pMaster->m_nHeightMode = dlg.m_nHeightMode;
}

// ---- DDiv

DDiv::DDiv(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kDivTemplate);
    OnNotify(1047, BN_CLICKED, [this] {
        if (m_pItem)
            EditItemBorders(m_pItem);
    });
    OnNotify(1064, BN_CLICKED, [this] {
        if (m_pItem)
            EditItemPadding(m_pItem, this);
    });
    OnNotify(1025, BN_CLICKED, [this] { OnSize(); });
    OnNotify(1073, BN_CLICKED, [this] {
        if (!m_pItem)
            return;
        EditFill(m_pDoc, &FillOf(*m_pItem), "Background", this, FillTargetOf(m_pDoc, *m_pItem), m_pItem->m_nWidth,
                 m_pItem->m_nHeight);
    });
}

BOOL DDiv::OnInitDialog()
{
    CDialog::OnInitDialog();
    EnableDlgItem(1073, m_pItem != nullptr);
    return TRUE;
}

void DDiv::DoDataExchange(CDataExchange* pDX)
{
    if (!m_pItem)
        return;
    CString name = m_pItem->m_strName;
    int overflow = m_pItem->m_nOverflow;
    DDX_Text(pDX, 1017, name);
    DDX_CBIndex(pDX, 1018, overflow);
    m_pItem->m_strName = name;
    m_pItem->m_nOverflow = overflow;
}

void EditItemPadding(CItem* item, QWidget* parent)
{
    DPadding dlg(parent);
    if (item->m_pPadding)
        dlg.m_padding = *item->m_pPadding;
    dlg.m_nPadding = item->m_nPadding;
    dlg.m_strName = item->m_strName;
    if (dlg.DoModal() != IDOK)
        return;
    if (!item->m_pPadding)
        item->m_pPadding = std::make_unique<CBoxSpacing>();
    *item->m_pPadding = dlg.m_padding;
    item->m_nPadding = dlg.m_nPadding;
}

void DDiv::OnSize()
{
    if (!m_pItem)
        return;
    DResize dlg(this);
    dlg.m_strCaption = UiTranslateWithName("Resize : %s", m_pItem->m_strName);
    dlg.m_nWidth = m_pItem->m_nWidth;
    dlg.m_nHeight = m_pItem->m_nHeight;
    if (dlg.DoModal() != IDOK)
        return;
    m_pItem->m_nWidth = dlg.m_nWidth;
    m_pItem->m_nHeight = dlg.m_nHeight;
}
