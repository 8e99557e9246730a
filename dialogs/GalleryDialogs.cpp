#include "dialogs/GalleryDialogs.h"

#include "controls/DialogKit.h"
#include "controls/FileChooser.h"
#include "dialogs/ImageCrop.h"
#include "dialogs/SizeDialogs.h"
#include "document/ImageItemImport.h"
#include "framework/core/NumberFormat.h"
#include "framework/ui/Translation.h"
#include "model/Translate.h"
#include "model/items/GalleryItem.h"
#include "model/items/ImageItem.h"

#include <QtCore/QFileInfo>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QListWidget>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace {

const DlgControl kInsertGalleryControls[] = {
    {1078, DlgKind::List, nullptr, nullptr, 0},
    {1025, DlgKind::Button, "Add Images", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Image Size:", nullptr, 0},
    {1036, DlgKind::Combo, nullptr,
     "Other size...|X Small (200 x 150)|Small (300 x 200)|Medium (600 x 400)|Large (800 x 600)|X Large (1000 x 750)",
     kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Thumbnail Size:", nullptr, 0},
    {1037, DlgKind::Combo, nullptr,
     "Other size...|X Small (20 x 15)|Small (50 x 35)|Medium (100 x 70)|Large (200 x 140)|X Large (300 x 200)",
     kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kGalleryControls[] = {
    {1078, DlgKind::Custom, nullptr, nullptr, 0},
    {4, DlgKind::Button, "Add", nullptr, 0},
    {3, DlgKind::Button, "Delete", nullptr, kDlgBeside},
    {5, DlgKind::Button, "Make First", nullptr, kDlgBeside},
    {6, DlgKind::Button, "Make Last", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

constexpr int kPictureBoxes[6][2] = {{0, 0}, {200, 150}, {300, 200}, {600, 400}, {800, 600}, {1000, 750}};
constexpr int kThumbBoxes[6][2] = {{0, 0}, {20, 15}, {50, 35}, {100, 70}, {200, 140}, {300, 200}};

CString BaseNameOf(const CString& path) { return CString::FromQString(QFileInfo(path.ToQString()).completeBaseName()); }

} // namespace

const DlgTemplate kInsertGalleryTemplate{357, "Insert Gallery", true, kInsertGalleryControls};
const DlgTemplate kGalleryTemplate{329, "Gallery", true, kGalleryControls};

std::vector<CString> ChooseImageFiles(const char* filter)
{
    CFileChooser chooser;
    chooser.SetFilter(filter);
    chooser.AddFlags(OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY);
    chooser.SetTitle(Translate("Hold CTRL and click to select images"));
    chooser.LoadFolder("Current", "ImageFolder");
    if (!chooser.DoOpen())
        return {};
    std::vector<CString> paths = chooser.GetPathNames();
    if (!paths.empty())
        chooser.SaveFolder("Current", "ImageFolder");
    return paths;
}

bool FitIntoBox(int w, int h, int W, int H, int& outW, int& outH)
{
    if (w <= 0 || h <= 0 || W <= 0 || H <= 0)
        return false;
    outW = w;
    outH = h;
    if (w <= W && h <= H)
        return true;
    // w / W <= h / H, compared without rounding
    if (std::int64_t(w) * H <= std::int64_t(h) * W) {
        outH = H;
        outW = int(std::int64_t(w) * H / h);
    } else {
        outW = W;
        outH = int(std::int64_t(h) * W / w);
    }
    outW = std::max(outW, 1);
    outH = std::max(outH, 1);
    return true;
}

// ---- DInsertGallery

DInsertGallery::DInsertGallery(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kInsertGalleryTemplate);
    OnNotify(1036, CBN_SELCHANGE, [this] { OnSize(false); });
    OnNotify(1037, CBN_SELCHANGE, [this] { OnSize(true); });
    OnNotify(1025, BN_CLICKED, [this] { OnAddImages(); });
}

BOOL DInsertGallery::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int id : {1036, 1037}) {
        auto* box = qobject_cast<QComboBox*>(GetDlgItem(id));
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(3);
    }
    EnableDlgItem(IDOK, !m_files.empty());
    return TRUE;
}

void DInsertGallery::OnSize(bool thumbnail)
{
    const int index = qobject_cast<QComboBox*>(GetDlgItem(thumbnail ? 1037 : 1036))->currentIndex();
    int& width = thumbnail ? m_nThumbWidth : m_nWidth;
    int& height = thumbnail ? m_nThumbHeight : m_nHeight;
    if (index >= 1 && index <= 5) {
        const auto& box = thumbnail ? kThumbBoxes[index] : kPictureBoxes[index];
        width = box[0];
        height = box[1];
        return;
    }
    if (index != 0)
        return;
    DResize dlg(this);
    dlg.m_strCaption = thumbnail ? "Thumbnail Size" : "Image Size";
    dlg.m_nWidth = width;
    dlg.m_nHeight = height;
    if (dlg.DoModal() != IDOK)
        return;
    width = dlg.m_nWidth;
    height = dlg.m_nHeight;
}

void DInsertGallery::OnAddImages()
{
    const std::vector<CString> paths =
        ChooseImageFiles("Images|*.jpg;*.jpe;*.jpeg;*.bmp|Windows Bitmap (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg");
    auto* list = qobject_cast<QListWidget*>(GetDlgItem(1078));
    for (const CString& path : paths) {
        m_files.push_back(path);
        list->addItem(BaseNameOf(path).ToQString());
    }
    EnableDlgItem(IDOK, !m_files.empty());
}

// ---- DGallery

DGallery::DGallery(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kGalleryTemplate, [](CDialog& dlg, const DlgControl& row) {
        auto* list = new CReportList(&dlg, row.id);
        list->SetMultiSelect(true);
        list->setMinimumSize(720, 260);
        return list;
    });
    OnNotify(1078, LVN_ITEMCHANGED, [this] { UpdateButtons(); });
    OnNotify(1078, LVN_DBLCLK, [this] { OnCrop(); });
    OnNotify(3, BN_CLICKED, [this] { OnDelete(); });
    OnNotify(4, BN_CLICKED, [this] { OnAdd(); });
    OnNotify(5, BN_CLICKED, [this] { OnMakeFirst(); });
    OnNotify(6, BN_CLICKED, [this] { OnMakeLast(); });
}

CReportList* DGallery::List() const { return static_cast<CReportList*>(GetDlgItem(1078)); }

BOOL DGallery::OnInitDialog()
{
    CDialog::OnInitDialog();
    CReportList* list = List();
    list->InsertColumn(0, "File", 200);
    list->InsertColumn(1, "Dimensions", 100);
    list->InsertColumn(2, "Size", 100);
    list->InsertColumn(3, "Thumbnail", 300);
    Fill();
    return TRUE;
}

void DGallery::Fill()
{
    CReportList* list = List();
    const QSignalBlocker quiet(list);
    list->DeleteAllItems();
    for (const auto& picture : m_pItem->m_pictures) {
        const CImageItem& p = *picture;
        const int row = list->InsertItem(p.m_strBaseName + p.m_strExtension, -1, std::intptr_t(&p));
        list->SetItemText(row, 1, CString::Formatted("%dx%d", p.m_nWidth, p.m_nHeight));
        list->SetItemText(row, 2, FormatFileSize(double(p.m_blob.Size())));
        CString thumb;
        if (p.m_pLinked)
            thumb.Format("%s%s [%dx%d]", p.m_pLinked->m_strBaseName.GetString(), p.m_pLinked->m_strExtension.GetString(),
                         p.m_pLinked->m_nWidth, p.m_pLinked->m_nHeight);
        list->SetItemText(row, 3, thumb);
    }
    UpdateButtons();
}

std::vector<int> DGallery::SelectedRows() const { return List()->GetSelectedRows(); }

void DGallery::UpdateButtons()
{
    const std::vector<int> rows = SelectedRows();
    const int count = List()->GetItemCount();
    EnableDlgItem(3, !rows.empty());
    EnableDlgItem(5, !rows.empty() && rows.front() != 0 && count >= 2);
    EnableDlgItem(6, !rows.empty() && rows.front() != count - 1 && count >= 2);
}

void DGallery::OnDelete()
{
    auto& pictures = m_pItem->m_pictures;
    std::vector<int> rows = SelectedRows();
    std::sort(rows.rbegin(), rows.rend());
    for (int row : rows)
        if (row >= 0 && std::size_t(row) < pictures.size())
            pictures.erase(pictures.begin() + row);
    if (m_pItem->m_nCurrent >= int(pictures.size()))
        m_pItem->m_nCurrent = 0;
    m_pItem->RecalcLayout();
    Fill();
}

void DGallery::OnMakeFirst()
{
    auto& pictures = m_pItem->m_pictures;
    // each selected picture, top to bottom, goes to the head: several end up reversed
    std::vector<CImageItem*> chosen;
    for (int row : SelectedRows())
        chosen.push_back(pictures[std::size_t(row)].get());
    for (CImageItem* p : chosen) {
        auto at = std::find_if(pictures.begin(), pictures.end(), [p](const auto& q) { return q.get() == p; });
        std::rotate(pictures.begin(), at, at + 1);
    }
    m_pItem->RecalcLayout();
    Fill();
}

void DGallery::OnMakeLast()
{
    auto& pictures = m_pItem->m_pictures;
    std::vector<CImageItem*> chosen;
    for (int row : SelectedRows())
        chosen.push_back(pictures[std::size_t(row)].get());
    for (CImageItem* p : chosen) {
        auto at = std::find_if(pictures.begin(), pictures.end(), [p](const auto& q) { return q.get() == p; });
        std::rotate(at, at + 1, pictures.end());
    }
    m_pItem->RecalcLayout();
    Fill();
}

void DGallery::OnAdd()
{
    const std::vector<CString> paths = ChooseImageFiles(
        "Images|*.jpg;*.jpe;*.jpeg;*.bmp|Portable Network Graphics (*.png)|*.png|JPEG (*.jpg)|*.jpg");
    if (paths.empty() || !m_pDoc)
        return;
    int boxW = 0, boxH = 0;
    if (const CImageItem* current = GetGalleryPicture(*m_pItem)) {
        boxW = current->m_nWidth;
        boxH = current->m_nHeight;
    }
    if (boxW <= 0 || boxH <= 0) {
        DResize dlg(this);
        dlg.m_strCaption = "Maximum Image Size";
        dlg.m_nWidth = 600;
        dlg.m_nHeight = 400;
        if (dlg.DoModal() != IDOK)
            return;
        boxW = dlg.m_nWidth;
        boxH = dlg.m_nHeight;
        if (boxW <= 0 || boxH <= 0) {
            AfxMessageBox(Translate("The maximum image size must be at least 1 x 1 pixels."), MB_ICONEXCLAMATION);
            return;
        }
    }
    CWaitCursor wait;
    for (const CString& path : paths) {
        std::unique_ptr<CImageItem> picture(CreateImageItemFromFile(*m_pDoc, path));
        if (!picture)
            continue; // the reader has named the file; the others still come
        picture->m_strText = BaseNameOf(path).GetString();
        picture->m_strSourcePath = path;
        int w = 0, h = 0;
        if (FitIntoBox(picture->m_picture.GetWidth(), picture->m_picture.GetHeight(), boxW, boxH, w, h) &&
            (w != picture->m_picture.GetWidth() || h != picture->m_picture.GetHeight()))
            ResizeItemPicture(*picture, w, h);
        MakeScaledCopy(*m_pItem, *picture);
        m_pItem->AddPicture(picture.release());
    }
    m_pItem->RecalcLayout();
    Fill();
}

void DGallery::OnCrop()
{
    const std::vector<int> rows = SelectedRows();
    if (rows.empty() || std::size_t(rows.front()) >= m_pItem->m_pictures.size())
        return;
    CImageItem& picture = *m_pItem->m_pictures[std::size_t(rows.front())];
    DImageCrop dlg(this);
    dlg.m_pPicture = &picture.m_picture;
    if (dlg.DoModal() != IDOK || !dlg.m_pCanvas)
        return;
    const CRect* area = dlg.m_pCanvas->GetSelection();
    if (!area || area->IsRectEmpty())
        return;
    CropImage(picture, area->left, area->top, area->right, area->bottom);
    picture.m_nWidth = picture.m_picture.GetWidth();
    picture.m_nHeight = picture.m_picture.GetHeight();
    MakeScaledCopy(*m_pItem, picture);
    ResizeItemPicture(picture, picture.m_nWidth, picture.m_nHeight);
    m_pItem->RecalcLayout();
    Fill();
}
