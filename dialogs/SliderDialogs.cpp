#include "dialogs/SliderDialogs.h"

#include "dialogs/GalleryDialogs.h"
#include "document/ImageItemImport.h"
#include "document/KJDoc.h"
#include "framework/ui/DataExchange.h"
#include "model/FillStyle.h"
#include "model/GroupItem.h"
#include "model/ItemTypes.h"
#include "model/items/ImageItem.h"
#include "model/items/SliderItem.h"
#include "model/items/TextItem.h"

#include <QtCore/QFileInfo>
#include <QtWidgets/QListWidget>

#include <algorithm>
#include <memory>

namespace {

constexpr const char* kTimes = "1|2|3|4|5|6|7|8|9|10";
constexpr const char* kDirections = "from left|from right|from top|from bottom|fade";
constexpr const char* kPictureFilter =
    "Images|*.jpg;*.jpe;*.jpeg;*.bmp|Portable Network Graphics (*.png)|*.png|JPEG (*.jpg)|*.jpg";

const DlgControl kSliderControls[] = {
    {1078, DlgKind::List, nullptr, nullptr, 0},
    {1025, DlgKind::Button, "Insert", nullptr, 0},
    {3, DlgKind::Button, "Delete", nullptr, kDlgBeside},
    {5, DlgKind::Button, "Make First", nullptr, kDlgBeside},
    {6, DlgKind::Button, "Make Last", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Frame Time:", nullptr, 0},
    {1036, DlgKind::Combo, nullptr, kTimes, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Direction:", nullptr, 0},
    {1037, DlgKind::Combo, nullptr, kDirections, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kInsertFramesControls[] = {
    {IDC_STATIC, DlgKind::Static, "Insert:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "frames", nullptr, kDlgBeside},
    {IDR_IMPORT_IMAGE, DlgKind::Button, "Import Image", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kNewSliderControls[] = {
    {IDC_STATIC, DlgKind::Static, "Frame Size:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "x", nullptr, kDlgBeside},
    {1001, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Frame Time:", nullptr, 0},
    {1036, DlgKind::Combo, nullptr, kTimes, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Direction:", nullptr, 0},
    {1037, DlgKind::Combo, nullptr, kDirections, kDlgBeside},
    {1002, DlgKind::Check, "Add image descriptions", nullptr, 0},
    {1078, DlgKind::List, nullptr, nullptr, 0},
    {3, DlgKind::Button, "Add", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

QListWidget* ListOf(const CDialog& d) { return qobject_cast<QListWidget*>(d.GetDlgItem(1078)); }

} // namespace

const DlgTemplate kSliderTemplate{350, "Slider", true, kSliderControls};
const DlgTemplate kInsertFramesTemplate{352, "Insert Frames", true, kInsertFramesControls};
const DlgTemplate kNewSliderTemplate{353, "New Slider", true, kNewSliderControls};

void InsertBlankFrames(CKJDoc& doc, CSliderItem& slider, int count)
{
    for (int i = 0; i < count; ++i) {
        CGroupItem* frame = slider.AddFrame();
        if (!frame->m_pFill)
            frame->m_pFill = std::make_unique<CFillStyle>();
        frame->m_pFill->m_crColor = i % 2 == 0 ? 0xAFAFAF : 0xC0C0C0; // RGB 175 and 192
        auto text = std::make_unique<CTextItem>();
        text->SetSiteStyles(&doc.m_styles);
        text->m_strText = CString::Formatted("Frame %d", int(slider.m_frames.size()) + 1).GetString();
        text->m_nX = 20;
        text->m_nY = 240;
        text->RecalcLayout();
        text->m_nWidth = 145;
        frame->AddChild(text.release());
    }
}

// ---- DSlider

DSlider::DSlider(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kSliderTemplate);
    ListOf(*this)->setMinimumSize(300, 200);
    OnNotify(1078, LBN_SELCHANGE, [this] { UpdateButtons(); });
    OnNotify(1025, BN_CLICKED, [this] { OnInsert(); });
    OnNotify(3, BN_CLICKED, [this] { OnDelete(); });
    OnNotify(5, BN_CLICKED, [this] { OnMakeFirst(); });
    OnNotify(6, BN_CLICKED, [this] { OnMakeLast(); });
}

BOOL DSlider::OnInitDialog()
{
    CDialog::OnInitDialog();
    Fill();
    return TRUE;
}

namespace {

// The list shows "1" to "10" seconds and the slideshow waits its interval in seconds: entry
// k stands for k + 1 seconds, so that no choice makes a slideshow that never waits.
void ExchangeSeconds(CDataExchange* pDX, int id, int& seconds)
{
    int index = std::clamp(seconds, 1, 10) - 1;
    DDX_CBIndex(pDX, id, index);
    if (pDX->m_bSaveAndValidate)
        seconds = std::clamp(index, 0, 9) + 1;
}

} // namespace

void DSlider::DoDataExchange(CDataExchange* pDX)
{
    ExchangeSeconds(pDX, 1036, m_pItem->m_nInterval);
    DDX_CBIndex(pDX, 1037, m_pItem->m_nTransition);
}

int DSlider::Selected() const { return ListOf(*this)->currentRow(); }

void DSlider::Fill(int select)
{
    QListWidget* list = ListOf(*this);
    {
        const QSignalBlocker quiet(list);
        list->clear();
        for (const auto& frame : m_pItem->m_frames)
            list->addItem(frame->m_strName.ToQString());
        if (select >= 0 && select < list->count())
            list->setCurrentRow(select);
    }
    UpdateButtons();
}

void DSlider::UpdateButtons()
{
    const int row = Selected();
    const int count = ListOf(*this)->count();
    EnableDlgItem(3, row >= 0);
    EnableDlgItem(5, count > 0 && row != 0);
    EnableDlgItem(6, count > 0 && row != count - 1);
}

void DSlider::OnDelete()
{
    const int row = Selected();
    auto& frames = m_pItem->m_frames;
    if (row < 0 || std::size_t(row) >= frames.size())
        return;
    frames.erase(frames.begin() + row);
    m_pItem->MakeFrameName();
    Fill();
}

void DSlider::OnMakeFirst()
{
    const int row = Selected();
    auto& frames = m_pItem->m_frames;
    if (row < 0 || std::size_t(row) >= frames.size())
        return;
    std::rotate(frames.begin(), frames.begin() + row, frames.begin() + row + 1);
    Fill(0);
}

void DSlider::OnMakeLast()
{
    const int row = Selected();
    auto& frames = m_pItem->m_frames;
    if (row < 0 || std::size_t(row) >= frames.size())
        return;
    std::rotate(frames.begin() + row, frames.begin() + row + 1, frames.end());
    Fill(int(frames.size()) - 1);
}

void DSlider::OnInsert()
{
    DInsertFrames ask(this);
    const int result = ask.DoModal();
    if (result == IDR_IMPORT_IMAGE) {
        if (!m_pDoc)
            return;
        for (const CString& path : ChooseImageFiles(kPictureFilter)) {
            CImageItem* picture = CreateImageItemFromFile(*m_pDoc, path);
            if (picture)
                m_pItem->AddPicture(picture);
        }
    } else if (result == IDOK && m_pDoc)
        InsertBlankFrames(*m_pDoc, *m_pItem, ask.m_nFrames);
    else
        return;
    Fill();
}

// ---- DInsertFrames

DInsertFrames::DInsertFrames(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kInsertFramesTemplate);
    OnNotify(IDR_IMPORT_IMAGE, BN_CLICKED, [this] { EndDialog(IDR_IMPORT_IMAGE); });
}

void DInsertFrames::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1000, m_nFrames);
    DDV_MinMaxInt(pDX, m_nFrames, 1, 100);
}

// ---- DNewSlider

DNewSlider::DNewSlider(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kNewSliderTemplate);
    OnNotify(3, BN_CLICKED, [this] { OnAdd(); });
}

BOOL DNewSlider::OnInitDialog()
{
    CDialog::OnInitDialog();
    QListWidget* list = ListOf(*this);
    for (const CString& path : m_paths)
        list->addItem(QFileInfo(path.ToQString()).completeBaseName());
    EnableDlgItem(IDOK, !m_paths.empty());
    return TRUE;
}

void DNewSlider::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1000, m_nWidth);
    DDV_MinMaxInt(pDX, m_nWidth, 1, 15000);
    DDX_Text(pDX, 1001, m_nHeight);
    DDV_MinMaxInt(pDX, m_nHeight, 1, 15000);
    ExchangeSeconds(pDX, 1036, m_nFrameTime);
    DDX_CBIndex(pDX, 1037, m_nDirection);
    DDX_Check(pDX, 1002, m_bDescriptions);
}

void DNewSlider::OnAdd()
{
    QListWidget* list = ListOf(*this);
    for (const CString& path : ChooseImageFiles(kPictureFilter)) {
        m_paths.push_back(path);
        list->addItem(QFileInfo(path.ToQString()).completeBaseName());
    }
    EnableDlgItem(IDOK, !m_paths.empty());
}
