#include "dialogs/SiteListDialogs.h"
#include "dialogs/LinkItemDialogs.h"
#include "controls/ColorControl.h"

#include "dialogs/EffectDialogs.h"
#include "dialogs/LinkDialog.h"
#include "dialogs/SmallItemDialogs.h"
#include "document/KJDoc.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"
#include "model/ItemLink.h"
#include "model/Page.h"
#include "model/items/CategoriesItem.h"

#include <algorithm>

namespace {
const DlgControl kCloneToPageControls[] = {
    {IDC_STATIC, DlgKind::Static, "Select pages where the item should appear", nullptr, 0},
    {1167, DlgKind::Custom, nullptr, nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
constexpr const char* kFaces = "Verdana|Arial|Times|Courier|Tahoma|Georgia|Lucida Sans Unicode|Lucida Console|"
                               "Palatino Linotype|Comic Sans MS|Trebuchet MS|Arial Black";
const DlgControl kCategoriesControls[] = {
    {1028, DlgKind::Edit, nullptr, nullptr, 0},
    {1078, DlgKind::Custom, nullptr, nullptr, 0},
    {1025, DlgKind::Button, "Add", nullptr, 0},
    {1027, DlgKind::Button, "Edit", nullptr, kDlgBeside},
    {1026, DlgKind::Button, "Delete", nullptr, kDlgBeside},
    {1029, DlgKind::Button, "Bring to Front", nullptr, 0},
    {1030, DlgKind::Button, "Send to Back", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Group, "Header Style", nullptr, 0},
    {1018, DlgKind::EditCombo, nullptr, kFaces, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "pt", nullptr, kDlgBeside},
    {1001, DlgKind::Check, "Bold", nullptr, 0},
    {1009, DlgKind::Check, "Italic", nullptr, kDlgBeside},
    {1036, DlgKind::Combo, nullptr, "|no underline|underlined|strike-through", kDlgBeside},
    {1019, DlgKind::Color, "Font Color", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Space:", nullptr, kDlgBeside},
    {1011, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Group, "Item Style", nullptr, 0},
    {1020, DlgKind::EditCombo, nullptr, kFaces, 0},
    {1002, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "pt", nullptr, kDlgBeside},
    {1003, DlgKind::Check, "Bold", nullptr, 0},
    {1010, DlgKind::Check, "Italic", nullptr, kDlgBeside},
    {1021, DlgKind::Color, "Font Color", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Space:", nullptr, kDlgBeside},
    {1012, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1060, DlgKind::Button, "Bullet", nullptr, 0},
    {1047, DlgKind::Button, "Padding", nullptr, kDlgBeside},
    {1063, DlgKind::Button, "Border", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

CReportList* MakeList(CDialog& dlg, const DlgControl& row) { return new CReportList(&dlg, row.id); }

CItemLink* RowLink(const CReportList* list, int row) { return reinterpret_cast<CItemLink*>(list->GetItemData(row)); }
} // namespace

const DlgTemplate kCloneToPageTemplate{204, "Clone to Page", true, kCloneToPageControls};
const DlgTemplate kCategoriesTemplate{369, "Categories", true, kCategoriesControls};

// ---- DCloneToPage

DCloneToPage::DCloneToPage(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kCloneToPageTemplate, MakeList);
    connect(List(), &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { ToggleRow(List()->indexOfTopLevelItem(node)); });
    resize(640, 360);
}

CReportList* DCloneToPage::List() const { return static_cast<CReportList*>(GetDlgItem(1167)); }

BOOL DCloneToPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    CReportList* list = List();
    list->InsertColumn(0, "Page", 300);
    list->InsertColumn(1, "File", 500);
    list->DeleteAllItems();
    if (!m_pDoc)
        return TRUE;
    for (const auto& page : m_pDoc->m_pages) {
        const int state = page.get() == m_pPage ? 2 : PageHasClone(page.get(), m_pItem) ? 1 : 0;
        const int row = list->InsertItem(page->m_title.GetUtf8(), state, std::intptr_t(page.get()));
        list->SetItemText(row, 1, page->GetFileName());
    }
    return TRUE;
}

void DCloneToPage::ToggleRow(int row)
{
    CReportList* list = List();
    if (row < 0 || row >= list->GetItemCount())
        return;
    const int image = list->GetItemImage(row);
    if (image == 2)
        return;
    list->SetItemImage(row, image == 1 ? 0 : 1);
}

void DCloneToPage::OnOK()
{
    m_result.clear();
    CReportList* list = List();
    for (int row = 0; row < list->GetItemCount(); ++row) {
        auto* page = reinterpret_cast<CPage*>(list->GetItemData(row));
        if (list->GetItemImage(row) == 1 && page && page != m_pPage)
            m_result.push_back(page);
    }
    CDialog::OnOK();
}

// ---- DCategories

DCategories::DCategories(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kCategoriesTemplate, MakeList);
    OnNotify(1025, BN_CLICKED, [this] { OnAdd(); });
    OnNotify(1060, BN_CLICKED, [this] {
        if (!m_pItem)
            return;
        DBullet dlg(this);
        dlg.m_pItem = m_pItem;
        dlg.DoModal();
    });
    OnNotify(1027, BN_CLICKED, [this] { OnEdit(); });
    OnNotify(1078, LVN_DBLCLK, [this] { OnEdit(); });
    OnNotify(1026, BN_CLICKED, [this] { OnDelete(); });
    OnNotify(1029, BN_CLICKED, [this] { OnMove(true); });
    OnNotify(1030, BN_CLICKED, [this] { OnMove(false); });
    OnNotify(1047, BN_CLICKED, [this] {
        if (m_pItem)
            EditItemPadding(m_pItem, this);
    });
    OnNotify(1063, BN_CLICKED, [this] {
        if (m_pItem)
            EditItemBorders(m_pItem);
    });
}

DCategories::~DCategories() = default;

CReportList* DCategories::List() const { return static_cast<CReportList*>(GetDlgItem(1078)); }

BOOL DCategories::OnInitDialog()
{
    CDialog::OnInitDialog();
    EnableDlgItem(1060, m_pItem != nullptr);
    CReportList* list = List();
    list->InsertColumn(0, "", 300);
    list->setHeaderHidden(true);
    list->DeleteAllItems();
    if (m_pItem)
        for (const auto& entry : m_pItem->m_entries)
            list->InsertItem(entry->m_wstrTitle.GetUtf8(), -1, std::intptr_t(entry.get()));
    return TRUE;
}

void DCategories::DoDataExchange(CDataExchange* pDX)
{
    if (!m_pItem)
        return;
    CCategoriesItem& i = *m_pItem;
    DDX_TextW(pDX, 1028, i.m_strText);
    DDX_CBString(pDX, 1018, i.m_strHeadingFace);
    DDX_TextBlankZero(pDX, 1000, i.m_nHeadingSize);
    DDX_Check(pDX, 1001, i.m_nHeadingBold);
    DDX_Check(pDX, 1009, i.m_nHeadingItalic);
    DDX_CBIndex(pDX, 1036, i.m_nHeadingDecoration);
    DdxUserData(pDX, 1019, i.m_crHeading);
    DdxUserData(pDX, 1021, i.m_crText);
    DDX_Text(pDX, 1011, i.m_nOption1);
    DDX_CBString(pDX, 1020, i.m_strFontFace);
    DDX_TextBlankZero(pDX, 1002, i.m_nFontSize);
    // The boxes show bold and italic; a box left as it was keeps the record's value (0 and 2
    // both show unticked), a changed one stores 1 or 2.
    const int boldShown = i.m_nBold == 1 ? 1 : 0, italicShown = i.m_nItalic == 1 ? 1 : 0;
    int bold = boldShown, italic = italicShown;
    DDX_Check(pDX, 1003, bold);
    DDX_Check(pDX, 1010, italic);
    DDX_Text(pDX, 1012, i.m_nOption2);
    if (!pDX->m_bSaveAndValidate)
        return;
    if (bold != boldShown)
        i.m_nBold = bold ? 1 : 2;
    if (italic != italicShown)
        i.m_nItalic = italic ? 1 : 2;
}

void DCategories::OnAdd()
{
    auto link = std::make_unique<CItemLink>();
    DLink dlg(this);
    dlg.m_pDoc = m_pDoc;
    dlg.m_pLink = link.get();
    if (dlg.DoModal() != IDOK)
        return; // the record goes with the unique pointer
    if (link->m_wstrTitle.GetLength() == 0)
        link->m_wstrTitle = "new item";
    List()->InsertItem(link->m_wstrTitle.GetUtf8(), -1, std::intptr_t(link.get()));
    m_added.push_back(std::move(link));
}

void DCategories::OnEdit()
{
    const std::vector<int> rows = List()->GetSelectedRows();
    if (rows.empty())
        return;
    CItemLink* link = RowLink(List(), rows.front());
    DLink dlg(this);
    dlg.m_pDoc = m_pDoc;
    dlg.m_pLink = link;
    if (dlg.DoModal() == IDOK)
        List()->SetItemText(rows.front(), 0, link->m_wstrTitle.GetUtf8());
}

void DCategories::OnDelete()
{
    const std::vector<int> rows = List()->GetSelectedRows();
    if (rows.empty())
        return;
    // the record goes at OK, with every record no row names
    delete List()->takeTopLevelItem(rows.front());
}

void DCategories::OnMove(bool toTop)
{
    const std::vector<int> rows = List()->GetSelectedRows();
    if (rows.empty())
        return;
    QTreeWidgetItem* row = List()->takeTopLevelItem(rows.front());
    if (toTop)
        List()->insertTopLevelItem(0, row);
    else
        List()->addTopLevelItem(row);
    List()->setCurrentItem(row);
}

void DCategories::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_pItem) {
        // Take every record out, then put back those the rows name, in row order.
        std::vector<std::unique_ptr<CItemLink>> pool = std::move(m_pItem->m_entries);
        for (auto& added : m_added)
            pool.push_back(std::move(added));
        m_added.clear();
        m_pItem->m_entries.clear();
        for (int row = 0; row < List()->GetItemCount(); ++row) {
            CItemLink* link = RowLink(List(), row);
            auto it = std::find_if(pool.begin(), pool.end(), [link](const auto& p) { return p.get() == link; });
            if (it != pool.end())
                m_pItem->m_entries.push_back(std::move(*it));
        }
        // what is left in the pool was deleted in the dialog and goes with it
        m_pItem->RecalcLayout();
    }
    EndDialog(IDOK);
}

void DCategories::OnCancel()
{
    m_added.clear(); // records made by Add never reach the item
    CDialog::OnCancel();
}
