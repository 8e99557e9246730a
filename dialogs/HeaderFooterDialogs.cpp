#include "dialogs/HeaderFooterDialogs.h"
#include "dialogs/Background.h"

#include "dialogs/EffectDialogs.h"
#include "dialogs/SizeDialogs.h"
#include "dialogs/SmallItemDialogs.h"
#include "document/KJDoc.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"
#include "model/HeaderFooterItem.h"
#include "model/Page.h"

#include <QtWidgets/QListWidget>
#include <algorithm>

namespace {
const DlgControl kHeadersFootersControls[] = {
    {IDC_STATIC, DlgKind::Static, "Header:", nullptr, 0},
    {1078, DlgKind::List, nullptr, nullptr, 0},
    {1037, DlgKind::Button, "+", nullptr, 0},
    {1047, DlgKind::Button, "-", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Footer:", nullptr, 0},
    {1167, DlgKind::List, nullptr, nullptr, 0},
    {1064, DlgKind::Button, "+", nullptr, 0},
    {1073, DlgKind::Button, "-", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kHeaderFooterControls[] = {
    {IDC_STATIC, DlgKind::Static, "Item name:", nullptr, 0},
    {1017, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Scrollbars:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr,
     "No scrollbars, clip contents outside visible area|Enable scrollbars automatically|Show both scrollbars|"
     "No scrollbars, show contents outside visible area",
     kDlgBeside},
    {1025, DlgKind::Button, "Height", nullptr, 0},
    {1073, DlgKind::Button, "Background", nullptr, kDlgBeside},
    {1047, DlgKind::Button, "Borders", nullptr, kDlgBeside},
    {1064, DlgKind::Button, "Padding", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

QListWidget* ListOf(const CDialog& d, bool header) { return qobject_cast<QListWidget*>(d.GetDlgItem(header ? 1078 : 1167)); }

CHeaderFooterItem* RowBand(const QListWidgetItem* row)
{
    return row ? static_cast<CHeaderFooterItem*>(row->data(Qt::UserRole).value<void*>()) : nullptr;
}

QListWidgetItem* AddRow(QListWidget* list, const CString& text, CHeaderFooterItem* band)
{
    auto* row = new QListWidgetItem(text.ToQString(), list);
    row->setData(Qt::UserRole, QVariant::fromValue<void*>(band));
    return row;
}

} // namespace

const DlgTemplate kHeadersFootersTemplate{178, "Headers/Footers", true, kHeadersFootersControls};
const DlgTemplate kHeaderFooterTemplate{359, "Header/Footer", true, kHeaderFooterControls};

// ---- DHeadersFooters

DHeadersFooters::DHeadersFooters(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kHeadersFootersTemplate);
    for (bool header : {true, false}) {
        QListWidget* list = ListOf(*this, header);
        QObject::connect(list, &QListWidget::currentRowChanged, this, [this, header](int) { OnSelect(header); });
        OnNotify(header ? 1037 : 1064, BN_CLICKED, [this, header] { OnAdd(header); });
        OnNotify(header ? 1047 : 1073, BN_CLICKED, [this, header] { OnDelete(header); });
    }
}

DHeadersFooters::~DHeadersFooters() = default;

BOOL DHeadersFooters::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (bool header : {true, false}) {
        QListWidget* list = ListOf(*this, header);
        CHeaderFooterItem* chosen = header ? m_pHeader : m_pFooter;
        QSignalBlocker block(list);
        list->clear();
        list->setCurrentItem(AddRow(list, "<none>", nullptr));
        if (m_pDoc)
            for (const auto& band : header ? m_pDoc->m_headerBands : m_pDoc->m_footerBands) {
                QListWidgetItem* row = AddRow(list, band->m_strName, band.get());
                if (band.get() == chosen)
                    list->setCurrentItem(row);
            }
    }
    if (!m_strCaption.IsEmpty())
        setWindowTitle(UiTranslate("Headers/Footers").ToQString() + QStringLiteral(" : ") + m_strCaption.ToQString());
    UpdateButtons();
    return TRUE;
}

void DHeadersFooters::UpdateButtons()
{
    EnableDlgItem(1047, m_pHeader != nullptr);
    EnableDlgItem(1073, m_pFooter != nullptr);
}

void DHeadersFooters::OnSelect(bool header)
{
    CHeaderFooterItem* band = RowBand(ListOf(*this, header)->currentItem());
    (header ? m_pHeader : m_pFooter) = band;
    UpdateButtons();
}

void DHeadersFooters::OnAdd(bool header)
{
    auto band = std::make_unique<CHeaderFooterItem>();
    band->m_strName = header ? "New Header" : "New Footer";
    band->m_nWidth = 900;
    band->m_nHeight = header ? 100 : 30;
    band->m_bPositioned = 0;
    if (m_pDoc) {
        const auto& list = header ? m_pDoc->m_headerBands : m_pDoc->m_footerBands;
        if (!list.empty()) { // the first band's size, as the others of the site have
            band->m_nWidth = list.front()->m_nWidth;
            band->m_nHeight = list.front()->m_nHeight;
        }
        band->m_pStretch = &m_pDoc->m_bStretchToBrowser;
        band->m_pCenter = &m_pDoc->m_bCenterInBrowser;
        band->SetSiteStyles(&m_pDoc->m_styles);
    }
    band->RecalcLayout();
    DHeaderFooter dlg(this);
    dlg.m_pDoc = m_pDoc;
    dlg.m_pBand = band.get();
    if (dlg.DoModal() != IDOK)
        return; // the band is destroyed here
    QListWidget* list = ListOf(*this, header);
    QListWidgetItem* row = AddRow(list, band->m_strName, band.get());
    (header ? m_newHeaders : m_newFooters).push_back(std::move(band));
    list->setCurrentItem(row);
    OnSelect(header);
}

void DHeadersFooters::OnDelete(bool header)
{
    QListWidget* list = ListOf(*this, header);
    QListWidgetItem* row = list->currentItem();
    CHeaderFooterItem* band = RowBand(row);
    if (!band)
        return;
    // Pages lose the band, and snapshots that name it can no longer be read back.
    if (AfxMessageBox(UiTranslate("Do you want to delete the selected band? Pages that use it will have none, "
                                  "and the changes made so far can not be undone."),
                      MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2)
        != IDYES)
        return;
    auto& pending = header ? m_newHeaders : m_newFooters;
    auto it = std::find_if(pending.begin(), pending.end(), [band](const auto& b) { return b.get() == band; });
    if (it != pending.end())
        pending.erase(it); // never reached the document
    else
        m_deleted.push_back(band);
    delete row;
    list->setCurrentRow(0);
    (header ? m_pHeader : m_pFooter) = nullptr;
    UpdateButtons();
}

void DHeadersFooters::OnOK()
{
    if (m_pDoc) {
        // Pages lose the deleted bands; the opener's edit scope marks what changed, and each
        // page that lost a band lays out once.
        std::vector<CPage*> relayout;
        for (CHeaderFooterItem* band : m_deleted) {
            for (auto& page : m_pDoc->m_pages) {
                const bool header = page->m_pHeaderBand == band, footer = page->m_pFooterBand == band;
                if (header) {
                    page->m_pHeaderBand = nullptr;
                    page->m_nHeaderBandId = 0;
                }
                if (footer) {
                    page->m_pFooterBand = nullptr;
                    page->m_nFooterBandId = 0;
                }
                if ((header || footer) && std::find(relayout.begin(), relayout.end(), page.get()) == relayout.end())
                    relayout.push_back(page.get());
            }
            for (auto* list : {&m_pDoc->m_headerBands, &m_pDoc->m_footerBands})
                std::erase_if(*list, [band](const auto& b) { return b.get() == band; });
            ++m_nDeleted;
        }
        for (CPage* page : relayout)
            page->RecalcLayout();
        if (m_nDeleted)
            m_pDoc->ClearUndo();
        for (auto& band : m_newHeaders) {
            m_pDoc->m_headerBands.push_back(std::move(band));
            ++m_nAdded;
        }
        for (auto& band : m_newFooters) {
            m_pDoc->m_footerBands.push_back(std::move(band));
            ++m_nAdded;
        }
    }
    m_deleted.clear();
    m_newHeaders.clear();
    m_newFooters.clear();
    CDialog::OnOK();
}

// ---- DHeaderFooter

DHeaderFooter::DHeaderFooter(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kHeaderFooterTemplate);
    OnNotify(1025, BN_CLICKED, [this] { OnHeight(); });
    OnNotify(1047, BN_CLICKED, [this] {
        if (m_pBand)
            EditItemBorders(m_pBand);
    });
    OnNotify(1064, BN_CLICKED, [this] {
        if (m_pBand)
            EditItemPadding(m_pBand, this);
    });
    OnNotify(1073, BN_CLICKED, [this] {
        if (!m_pBand)
            return;
        // A band made in the bands dialog reaches the site only at its OK, which marks it.
        EditFill(m_pDoc, &FillOf(*m_pBand), UiTranslate("Background").GetString(), this,
                 FillTargetOf(m_pDoc, *m_pBand), m_pBand->m_nWidth, m_pBand->m_nHeight);
    });
}

BOOL DHeaderFooter::OnInitDialog()
{
    CDialog::OnInitDialog();
    EnableDlgItem(1073, m_pBand != nullptr);
    return TRUE;
}

void DHeaderFooter::DoDataExchange(CDataExchange* pDX)
{
    if (!m_pBand)
        return;
    CString name = m_pBand->m_strName;
    int overflow = m_pBand->m_nOverflow;
    DDX_Text(pDX, 1017, name);
    DDX_CBIndex(pDX, 1018, overflow);
    m_pBand->m_strName = name;
    m_pBand->m_nOverflow = overflow;
}

void DHeaderFooter::OnHeight()
{
    if (!m_pBand)
        return;
    DPageHeight dlg(this);
    dlg.m_nHeight = m_pBand->m_nHeight;
    dlg.m_nHeightMode = m_pBand->m_nHeightMode;
    if (dlg.DoModal() != IDOK)
        return;
    m_pBand->m_nHeight = dlg.m_nHeight;
    m_pBand->m_nHeightMode = dlg.m_nHeightMode;
}
