#include "dialogs/MenuDialogs.h"

#include "controls/ColorControl.h"
#include "dialogs/Background.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/FormDialogs.h"
#include "dialogs/ItemExchange.h"
#include "document/KJDoc.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/PropertySheet.h"
#include "model/FillStyle.h"
#include "model/ItemLink.h"
#include "model/items/MenuItem.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QRadioButton>

#include <algorithm>

namespace {

constexpr const char* kFaces = "Verdana|Arial|Times|Courier|Tahoma|Georgia|Lucida Sans Unicode|Lucida Console|"
                               "Palatino Linotype|Comic Sans MS|Trebuchet MS|Arial Black";
constexpr const char* kDecorations = "no underline|underlined|strike-through";
constexpr const char* kOverDecorations = "no over underline|over underlined|over strike-through";
// The separators as the Windows-1252 characters they were: bullet 0x95, 0xBB, 0xA4, 0xB7, 0xAB.
// Filled by the dialog: "|" is one of them.
const char16_t* const kSeparators[11] = {u"", u"|", u":", u"::", u"\u2022", u"\u00BB", u"\u00A4", u"\u00B7", u"\u00AB", u">", u"<"};

const DlgControl kMenuControls[] = {
    {IDC_STATIC, DlgKind::Static, "Top Items:", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Sub Items:", nullptr, kDlgBeside},
    {1078, DlgKind::List, nullptr, nullptr, 0},
    {1079, DlgKind::List, nullptr, nullptr, kDlgBeside},
    {1025, DlgKind::Button, "+", nullptr, 0},
    {1026, DlgKind::Button, "-", nullptr, kDlgBeside},
    {1027, DlgKind::Button, "Make First", nullptr, kDlgBeside},
    {1028, DlgKind::Button, "Make Last", nullptr, kDlgBeside},
    {1035, DlgKind::Button, "+", nullptr, kDlgBeside},
    {1036, DlgKind::Button, "-", nullptr, kDlgBeside},
    {1037, DlgKind::Button, "Make First", nullptr, kDlgBeside},
    {1038, DlgKind::Button, "Make Last", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Group, "Top Menu", nullptr, 0},
    {1040, DlgKind::EditCombo, nullptr, kFaces, 0},
    {1041, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "pt", nullptr, kDlgBeside},
    {1042, DlgKind::Check, "Bold", nullptr, kDlgBeside},
    {1043, DlgKind::Check, "Italic", nullptr, kDlgBeside},
    {1044, DlgKind::Combo, nullptr, kDecorations, kDlgBeside},
    {1050, DlgKind::Color, "Font Color", nullptr, 0},
    {1051, DlgKind::Color, "Over Font Color", nullptr, kDlgBeside},
    {1045, DlgKind::Check, "Over Bold", nullptr, kDlgBeside},
    {1046, DlgKind::Check, "Over Italic", nullptr, kDlgBeside},
    {1047, DlgKind::Combo, nullptr, kOverDecorations, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Align:", nullptr, 0},
    {1048, DlgKind::Combo, nullptr, "Left|Center|Right", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Separator:", nullptr, kDlgBeside},
    {1049, DlgKind::Combo, nullptr, nullptr, kDlgBeside},
    {1052, DlgKind::Color, "Separator Color", nullptr, kDlgBeside},
    {1030, DlgKind::Button, "Background", nullptr, 0},
    {1031, DlgKind::Button, "Border", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Group, "Sub Menu", nullptr, 0},
    {1060, DlgKind::EditCombo, nullptr, kFaces, 0},
    {1061, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "pt", nullptr, kDlgBeside},
    {1062, DlgKind::Check, "Bold", nullptr, kDlgBeside},
    {1063, DlgKind::Check, "Italic", nullptr, kDlgBeside},
    {1064, DlgKind::Combo, nullptr, kDecorations, kDlgBeside},
    {1053, DlgKind::Color, "Font Color", nullptr, 0},
    {1054, DlgKind::Color, "Over Font Color", nullptr, kDlgBeside},
    {1055, DlgKind::Color, "Over Background Color", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Width:", nullptr, 0},
    {1065, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {1066, DlgKind::Check, "Over Bold", nullptr, kDlgBeside},
    {1067, DlgKind::Check, "Over Italic", nullptr, kDlgBeside},
    {1068, DlgKind::Combo, nullptr, kOverDecorations, kDlgBeside},
    {1032, DlgKind::Button, "Background", nullptr, 0},
    {1033, DlgKind::Button, "Border", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kMenuItemControls[] = {
    {IDC_STATIC, DlgKind::Static, "Text:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Tooltip:", nullptr, 0},
    {1001, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1043, DlgKind::Radio, "No Link", nullptr, kDlgGroup},
    {1044, DlgKind::Radio, "Go to Page:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, nullptr, kDlgBeside | kDlgInGroup},
    {1045, DlgKind::Radio, "Open URL:", nullptr, 0},
    {1011, DlgKind::Edit, nullptr, nullptr, kDlgBeside | kDlgInGroup},
    {IDC_STATIC, DlgKind::Static, "Arguments:", nullptr, 0},
    {1014, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1002, DlgKind::Check, "Open in a new window", nullptr, 0},
    {1050, DlgKind::Color, "Font Color", nullptr, 0},
    {1003, DlgKind::Check, "Bold", nullptr, kDlgBeside},
    {1004, DlgKind::Check, "Italic", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

CMenuEntry* EntryData(QListWidgetItem* row)
{
    return row ? static_cast<CMenuEntry*>(row->data(Qt::UserRole).value<void*>()) : nullptr;
}

QListWidgetItem* RowFor(CMenuEntry* entry)
{
    auto* row = new QListWidgetItem(entry->m_strCaption.ToQString());
    row->setData(Qt::UserRole, QVariant::fromValue<void*>(entry));
    return row;
}

template <class List> std::size_t IndexOf(const List& list, const CMenuEntry* entry)
{
    return std::size_t(std::find_if(list.begin(), list.end(), [entry](const auto& e) { return e.get() == entry; }) -
                       list.begin());
}

} // namespace

const DlgTemplate kMenuTemplate{261, "Menu", true, kMenuControls};
const DlgTemplate kMenuItemTemplate{262, "Menu Item", true, kMenuItemControls};

int LevelAfterMove(int level, int from, int to)
{
    if (level == from)
        return to;
    if (to < from && level >= to && level < from)
        return level + 1;
    if (to > from && level > from && level <= to)
        return level - 1;
    return level;
}

int LevelAfterRemove(int level, int at) { return level > at ? level - 1 : level; }
int LevelAfterInsert(int level, int after) { return level > after ? level + 1 : level; }

// ---- DMenuItem

DMenuItem::DMenuItem(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kMenuItemTemplate);
    KeepColorSwatches(*this, {1050});
    for (int i = 0; i < 3; ++i)
        OnNotify(1043 + i, BN_CLICKED, [this, i] {
            m_pEntry->m_link.m_nKind = i; // a click sets the kind at once
            UpdateControls();
        });
    OnNotify(1018, CBN_SELCHANGE, [this] { OnPageChosen(); });
    GetDlgItem(1011)->setMinimumWidth(260);
}

BOOL DMenuItem::OnInitDialog()
{
    FillLinkTargets(qobject_cast<QComboBox*>(GetDlgItem(1018)), m_pDoc, m_pEntry->m_link.m_nTargetId);
    CDialog::OnInitDialog();
    UpdateControls();
    return TRUE;
}

void DMenuItem::UpdateControls()
{
    int kind = 0;
    for (int i = 0; i < 3; ++i)
        if (IsDlgButtonChecked(1043 + i))
            kind = i;
    EnableDlgItem(1018, kind == 1);
    EnableDlgItem(1011, kind == 2);
    for (int id : {1001, 1014, 1002})
        EnableDlgItem(id, kind == 1 || kind == 2);
}

void DMenuItem::OnPageChosen()
{
    auto* pages = qobject_cast<QComboBox*>(GetDlgItem(1018));
    const int id = int(pages->currentData().toLongLong());
    if (!m_pDoc || id <= 0)
        return;
    if (const CItem* object = m_pDoc->FindObjectById(id))
        SetDlgItemText(1011, object->GetFileName());
}

void DMenuItem::DoDataExchange(CDataExchange* pDX)
{
    CMenuEntry& e = *m_pEntry;
    DDX_TextW(pDX, 1000, e.m_strCaption);
    DDX_TextW(pDX, 1001, e.m_link.m_wstrTitle);
    DDX_Text(pDX, 1011, e.m_link.m_strUrl);
    DDX_Text(pDX, 1014, e.m_link.m_strArguments);
    int kind = std::clamp(int(e.m_link.m_nKind), 0, 2);
    DDX_Radio(pDX, 1043, kind);
    if (pDX->m_bSaveAndValidate)
        e.m_link.m_nKind = kind < 0 ? 0 : kind;
    int newWindow = e.m_link.m_bNewWindow;
    DDX_Check(pDX, 1002, newWindow);
    e.m_link.m_bNewWindow = newWindow;
    DdxUserData(pDX, 1050, e.m_crColor);
    // bold and italic ride in the entry's two spare words
    DDX_Check(pDX, 1003, e.m_nArchivedFirst);
    DDX_Check(pDX, 1004, e.m_nArchivedSecond);
}

void DMenuItem::OnOK()
{
    auto* pages = qobject_cast<QComboBox*>(GetDlgItem(1018));
    if (pages->currentIndex() >= 0) {
        const int id = int(pages->currentData().toLongLong());
        if (id != 0)
            m_pEntry->m_link.SetPageLink(id);
    }
    CDialog::OnOK();
}

// ---- DMenu

DMenu::DMenu(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kMenuTemplate);
    KeepColorSwatches(*this, {1050, 1051, 1052, 1053, 1054, 1055});
    auto* separators = qobject_cast<QComboBox*>(GetDlgItem(1049));
    for (const char16_t* text : kSeparators)
        separators->addItem(QString::fromUtf16(text));
    TopList()->setMinimumSize(200, 160);
    SubList()->setMinimumSize(200, 160);
    OnNotify(1078, LBN_SELCHANGE, [this] {
        FillSubs();
        UpdateButtons();
    });
    OnNotify(1079, LBN_SELCHANGE, [this] { UpdateButtons(); });
    OnNotify(1078, LBN_DBLCLK, [this] { OnEdit(true); });
    OnNotify(1079, LBN_DBLCLK, [this] { OnEdit(false); });
    OnNotify(1025, BN_CLICKED, [this] { OnTopAdd(); });
    OnNotify(1026, BN_CLICKED, [this] { OnTopRemove(); });
    OnNotify(1027, BN_CLICKED, [this] { OnTopMove(true); });
    OnNotify(1028, BN_CLICKED, [this] { OnTopMove(false); });
    OnNotify(1035, BN_CLICKED, [this] { OnSubAdd(); });
    OnNotify(1036, BN_CLICKED, [this] { OnSubRemove(); });
    OnNotify(1037, BN_CLICKED, [this] { OnSubMove(true); });
    OnNotify(1038, BN_CLICKED, [this] { OnSubMove(false); });
    OnNotify(1030, BN_CLICKED, [this] { OnBackground(false); });
    OnNotify(1031, BN_CLICKED, [this] { EditItemBorders(m_pItem); });
    OnNotify(1032, BN_CLICKED, [this] { OnBackground(true); });
    OnNotify(1033, BN_CLICKED, [this] { OnSubBorder(); });
}

QListWidget* DMenu::TopList() const { return qobject_cast<QListWidget*>(GetDlgItem(1078)); }
QListWidget* DMenu::SubList() const { return qobject_cast<QListWidget*>(GetDlgItem(1079)); }

CMenuEntry* DMenu::EntryOf(QListWidget* list, int row) const { return EntryData(list->item(row)); }

BOOL DMenu::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (const auto& entry : m_pItem->m_topEntries)
        TopList()->addItem(RowFor(entry.get()));
    UpdateButtons();
    return TRUE;
}

void DMenu::DoDataExchange(CDataExchange* pDX)
{
    CMenuItem& m = *m_pItem;
    DDX_CBString(pDX, 1040, m.m_strFontFace);
    DDX_PositiveSize(pDX, 1041, m.m_nFontSize);
    DDX_InheritFlag(pDX, 1042, m.m_nBold);
    DDX_InheritFlag(pDX, 1043, m.m_nItalic);
    DDX_CBIndex(pDX, 1044, m.m_nDecoration);
    DdxUserData(pDX, 1050, m.m_crText);
    DdxUserData(pDX, 1051, m.m_crBarHover);
    DDX_InheritFlag(pDX, 1045, m.m_nBarHoverBold);
    DDX_InheritFlag(pDX, 1046, m.m_nBarHoverItalic);
    DDX_CBIndex(pDX, 1047, m.m_nBarHoverDecoration);
    DDX_CBIndex(pDX, 1048, m.m_nTextAlign);
    DDX_CBIndex(pDX, 1049, m.m_nSeparator);
    DdxUserData(pDX, 1052, m.m_crSeparator);
    DDX_CBString(pDX, 1060, m.m_strDropFace);
    DDX_PositiveSize(pDX, 1061, m.m_nDropSize);
    DDX_InheritFlag(pDX, 1062, m.m_nDropBold);
    DDX_InheritFlag(pDX, 1063, m.m_nDropItalic);
    DDX_CBIndex(pDX, 1064, m.m_nDropDecoration);
    DdxUserData(pDX, 1053, m.m_crDropText);
    DdxUserData(pDX, 1054, m.m_crDropHover);
    DdxUserData(pDX, 1055, m.m_crDropHighlight);
    DDX_PositiveSize(pDX, 1065, m.m_nDropWidth);
    DDX_InheritFlag(pDX, 1066, m.m_nDropHoverBold);
    DDX_InheritFlag(pDX, 1067, m.m_nDropHoverItalic);
    DDX_CBIndex(pDX, 1068, m.m_nDropHoverDecoration);
}

void DMenu::FillSubs()
{
    QListWidget* subs = SubList();
    const QSignalBlocker quiet(subs);
    subs->clear();
    const CMenuEntry* top = EntryOf(TopList(), TopList()->currentRow());
    if (!top)
        return;
    for (const auto& entry : m_pItem->m_dropEntries)
        if (entry->m_nNumber == top->m_nNumber)
            subs->addItem(RowFor(entry.get()));
}

void DMenu::UpdateButtons()
{
    const int top = TopList()->currentRow(), tops = TopList()->count();
    EnableDlgItem(1026, top >= 0);
    EnableDlgItem(1027, tops >= 2 && top > 0);
    EnableDlgItem(1028, tops >= 2 && top >= 0 && top < tops - 1);
    EnableDlgItem(1035, tops > 0);
    const bool sub = SubList()->currentRow() >= 0;
    for (int id : {1036, 1037, 1038})
        EnableDlgItem(id, sub);
}

bool DMenu::RunEntry(CMenuEntry& entry)
{
    DMenuItem dlg(this);
    dlg.m_pDoc = m_pDoc;
    dlg.m_pEntry = &entry;
    return dlg.DoModal() == IDOK;
}

void DMenu::OnTopAdd()
{
    auto entry = std::make_unique<CMenuEntry>();
    entry->m_strCaption = CWString(u"New Item");
    if (!RunEntry(*entry))
        return;
    QListWidget* tops = TopList();
    const int at = tops->currentRow();
    CMenuEntry* added = entry.get();
    auto& list = m_pItem->m_topEntries;
    if (at < 0 || std::size_t(at) >= list.size())
        list.push_back(std::move(entry));
    else {
        list.insert(list.begin() + at + 1, std::move(entry));
        for (auto& sub : m_pItem->m_dropEntries)
            sub->m_nNumber = LevelAfterInsert(sub->m_nNumber, at);
    }
    const int row = at < 0 ? tops->count() : at + 1;
    {
        const QSignalBlocker quiet(tops);
        tops->insertItem(row, RowFor(added));
    }
    m_pItem->RecalcLayout(); // renumbers the top entries by position
    SubList()->clear();
    tops->setCurrentRow(row);
    UpdateButtons();
}

void DMenu::OnTopRemove()
{
    QListWidget* tops = TopList();
    const int at = tops->currentRow();
    auto& list = m_pItem->m_topEntries;
    if (at < 0 || std::size_t(at) >= list.size())
        return;
    const int level = list[std::size_t(at)]->m_nNumber;
    list.erase(list.begin() + at);
    auto& subs = m_pItem->m_dropEntries;
    subs.erase(std::remove_if(subs.begin(), subs.end(), [level](const auto& e) { return e->m_nNumber == level; }),
               subs.end());
    for (auto& sub : subs)
        sub->m_nNumber = LevelAfterRemove(sub->m_nNumber, at);
    SubList()->clear();
    {
        const QSignalBlocker quiet(tops);
        delete tops->takeItem(at);
    }
    m_pItem->RecalcLayout();
    tops->setCurrentRow(tops->count() ? 0 : -1);
    FillSubs();
    UpdateButtons();
}

void DMenu::OnTopMove(bool first)
{
    QListWidget* tops = TopList();
    const int at = tops->currentRow();
    auto& list = m_pItem->m_topEntries;
    if (at < 0 || std::size_t(at) >= list.size())
        return;
    const int to = first ? 0 : int(list.size()) - 1;
    if (first)
        std::rotate(list.begin(), list.begin() + at, list.begin() + at + 1);
    else
        std::rotate(list.begin() + at, list.begin() + at + 1, list.end());
    for (auto& sub : m_pItem->m_dropEntries)
        sub->m_nNumber = LevelAfterMove(sub->m_nNumber, at, to);
    {
        const QSignalBlocker quiet(tops);
        QListWidgetItem* row = tops->takeItem(at);
        tops->insertItem(to, row);
        tops->setCurrentRow(to);
    }
    SubList()->clear();
    m_pItem->RecalcLayout();
    UpdateButtons();
}

void DMenu::OnSubAdd()
{
    QListWidget* tops = TopList();
    const int topRow = tops->currentRow() >= 0 ? tops->currentRow() : 0;
    CMenuEntry* top = EntryOf(tops, topRow);
    if (!top)
        return;
    auto entry = std::make_unique<CMenuEntry>();
    entry->m_strCaption = CWString(u"New Item");
    entry->m_nNumber = top->m_nNumber;
    if (!RunEntry(*entry))
        return;
    QListWidget* subs = SubList();
    const int row = subs->currentRow();
    CMenuEntry* chosen = EntryOf(subs, row);
    auto& list = m_pItem->m_dropEntries;
    CMenuEntry* added = entry.get();
    if (chosen)
        list.insert(list.begin() + std::ptrdiff_t(IndexOf(list, chosen)) + 1, std::move(entry));
    else
        list.push_back(std::move(entry));
    subs->insertItem(row < 0 ? subs->count() : row + 1, RowFor(added));
    m_pItem->RecalcLayout();
    UpdateButtons();
}

void DMenu::OnSubRemove()
{
    QListWidget* subs = SubList();
    const int row = subs->currentRow();
    CMenuEntry* chosen = EntryOf(subs, row);
    if (!chosen)
        return;
    auto& list = m_pItem->m_dropEntries;
    list.erase(list.begin() + std::ptrdiff_t(IndexOf(list, chosen)));
    {
        const QSignalBlocker quiet(subs);
        delete subs->takeItem(row);
    }
    m_pItem->RecalcLayout();
    UpdateButtons();
}

void DMenu::OnSubMove(bool first)
{
    QListWidget* subs = SubList();
    const int row = subs->currentRow();
    CMenuEntry* chosen = EntryOf(subs, row);
    if (!chosen)
        return;
    auto& list = m_pItem->m_dropEntries;
    const auto at = list.begin() + std::ptrdiff_t(IndexOf(list, chosen));
    if (first)
        std::rotate(list.begin(), at, at + 1);
    else
        std::rotate(at, at + 1, list.end());
    const QSignalBlocker quiet(subs);
    QListWidgetItem* item = subs->takeItem(row);
    const int to = first ? 0 : subs->count();
    subs->insertItem(to, item);
    subs->setCurrentRow(to);
}

void DMenu::OnEdit(bool top)
{
    QListWidget* list = top ? TopList() : SubList();
    const int row = list->currentRow();
    CMenuEntry* entry = EntryOf(list, row);
    if (!entry || !RunEntry(*entry))
        return;
    list->item(row)->setText(entry->m_strCaption.ToQString());
    m_pItem->RecalcLayout();
}

void DMenu::OnBackground(bool sub)
{
    CFillStyle& fill = sub ? m_pItem->m_dropFill : FillOf(*m_pItem);
    DBackground dlg(this);
    dlg.m_pFill = &fill;
    dlg.m_pDoc = m_pDoc;
    const bool ok = dlg.DoModal() == IDOK;
    if (!ok && !sub)
        return;
    // the sub level's record is rendered again whatever the dialog answered
    fill.Render(true);
    fill.m_nUploadState = 0;
}

void DMenu::OnSubBorder()
{
    DBorder page;
    page.m_strCaption = "Sub Menu";
    page.m_side = m_pItem->m_dropBorder;
    CPropertySheet sheet("Borders", this);
    sheet.AddPage(&page);
    if (sheet.DoModal() == IDOK)
        m_pItem->m_dropBorder = page.m_side;
}
