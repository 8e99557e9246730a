#include "dialogs/ImageDialogs.h"

#include "dialogs/ArtisticTextDialogs.h"
#include "dialogs/Background.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/ImageMap.h"
#include "dialogs/LinkDialog.h"
#include "dialogs/SmallItemDialogs.h"
#include "document/KJDoc.h"
#include "framework/core/MessageBox.h"
#include "framework/core/NumberFormat.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"
#include "model/FillStyle.h"
#include "model/items/ImageCloneItem.h"
#include "model/items/ImageItem.h"

#include <QtCore/QMimeData>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <cmath>

namespace {
const DlgControl kImageControls[] = {
    {IDC_STATIC, DlgKind::Static, "Item Name:", nullptr, 0},
    {1028, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Alternate Text:", nullptr, 0},
    {1023, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "File Name:", nullptr, 0},
    {1024, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1160, DlgKind::Static, "", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Original:", nullptr, 0},
    {1096, DlgKind::Static, "", nullptr, kDlgBeside},
    {1001, DlgKind::Check, "Export as JPEG", nullptr, 0},
    {1049, DlgKind::Button, "Link", nullptr, 0},
    {1055, DlgKind::Button, "Borders", nullptr, kDlgBeside},
    {1064, DlgKind::Button, "Padding", nullptr, kDlgBeside},
    {1073, DlgKind::Button, "Background", nullptr, kDlgBeside},
    {1058, DlgKind::Button, "Shape", nullptr, 0},
    {1059, DlgKind::Button, "Fadeout", nullptr, kDlgBeside},
    {1061, DlgKind::Button, "Shadow", nullptr, kDlgBeside},
    {1063, DlgKind::Button, "Map", nullptr, kDlgBeside},
    {1062, DlgKind::Button, "Change Image", nullptr, 0},
    {1065, DlgKind::Button, "Paste Into", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

const DlgControl kImageCloneControls[] = {
    {IDC_STATIC, DlgKind::Static, "Item Name:", nullptr, 0},
    {1174, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Alternate Text:", nullptr, 0},
    {1172, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Size:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "x", nullptr, kDlgBeside},
    {1023, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Original:", nullptr, 0},
    {1096, DlgKind::Static, "", nullptr, kDlgBeside},
    {1025, DlgKind::Button, "Link", nullptr, 0},
    {1064, DlgKind::Button, "Padding", nullptr, kDlgBeside},
    {1073, DlgKind::Button, "Background", nullptr, kDlgBeside},
    {1055, DlgKind::Button, "Borders", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

const DlgControl kInsertImageControls[] = {
    {IDC_STATIC, DlgKind::Static, "Clone Image:", nullptr, 0},
    {1078, DlgKind::List, nullptr, nullptr, 0},
    {1025, DlgKind::Button, "Load New Image", nullptr, 0},
    {1027, DlgKind::Button, "Image from the Internet", nullptr, kDlgBeside},
    {1026, DlgKind::Button, "Paste Image from Clipboard", nullptr, kDlgBeside},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

bool ClipboardHasBitmap()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasImage();
}

// The Link dialog on an item's link record.
void EditItemLink(CItem& item, CKJDoc* doc, QWidget* parent)
{
    DLink dlg(parent);
    dlg.m_pLink = &item.m_link;
    dlg.m_pDoc = doc;
    dlg.DoModal();
}

// The Background dialog on the item's fill, titled with its name; true on OK.
bool EditImageBackground(CItem& item, CKJDoc* doc, QWidget* parent)
{
    const CString caption = UiTranslateWithName("Image Background : %s", item.m_strName);
    CFillStyle& fill = FillOf(item);
    if (EditFill(doc, &fill, caption, parent, FillTargetOf(doc, item), item.m_nWidth, item.m_nHeight) != IDOK)
        return false;
    fill.Render(true);
    return true;
}
} // namespace

const DlgTemplate kImageTemplate{203, "Image", true, kImageControls};
const DlgTemplate kImageCloneTemplate{233, "Image Clone", true, kImageCloneControls};
const DlgTemplate kInsertImageTemplate{147, "Insert Image", true, kInsertImageControls};

// ---- DImage

DImage::DImage(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kImageTemplate);
    OnNotify(1049, BN_CLICKED, [this] {
        if (m_pItem)
            EditItemLink(*m_pItem, m_pDoc, this);
    });
    OnNotify(1055, BN_CLICKED, [this] {
        if (m_pItem)
            EditItemBorders(m_pItem);
    });
    OnNotify(1064, BN_CLICKED, [this] {
        if (m_pItem)
            EditItemPadding(m_pItem, this);
    });
    OnNotify(1073, BN_CLICKED, [this] {
        // a background shows only around the picture: it gets a padding to show in
        if (m_pItem && EditImageBackground(*m_pItem, m_pDoc, this) && m_pItem->m_nPadding == 0)
            m_pItem->m_nPadding = 4;
    });
    OnNotify(1058, BN_CLICKED, [this] { OnShape(); });
    OnNotify(1059, BN_CLICKED, [this] {
        if (m_pItem)
            EditItemEdgeFadeout(*m_pItem, this);
    });
    OnNotify(1061, BN_CLICKED, [this] {
        if (m_pItem)
            EditItemDropShadow(*m_pItem, this);
    });
    OnNotify(1063, BN_CLICKED, [this] {
        if (m_pItem)
            EditImageMap(*m_pItem, m_pDoc, this);
    });
    // handed to the view's commands once the dialog has closed
    OnNotify(1062, BN_CLICKED, [this] { EndDialog(3001); });
    OnNotify(1065, BN_CLICKED, [this] { EndDialog(3002); });
}

BOOL DImage::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_pItem)
        return TRUE;
    SetDlgItemText(1160, m_pItem->m_strExtension);
    if (m_pItem->m_blob.Size() > 0)
        SetDlgItemText(1096, CString::Formatted("[ %d x %d ] %s", m_pItem->m_picture.GetWidth(),
                                                m_pItem->m_picture.GetHeight(),
                                                FormatFileSize(double(m_pItem->m_blob.Size())).GetString()));
    // a picture that is a JPEG already shows the box ticked and fixed
    CheckDlgButton(1001, m_pItem->m_bJpegSource ? 1 : 0);
    EnableDlgItem(1001, !m_pItem->m_bJpegSource);
    const bool effects = !m_pItem->IsGif();
    for (int id : {1058, 1059, 1061})
        EnableDlgItem(id, effects);
    EnableDlgItem(1065, ClipboardHasBitmap());
    return TRUE;
}

void DImage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, 1001, m_bExportJpeg);
    if (!m_pItem)
        return;
    DDX_Text(pDX, 1028, m_pItem->m_strName);
    DDX_TextW(pDX, 1023, m_pItem->m_strText);
    DDX_Text(pDX, 1024, m_pItem->m_strBaseName);
}

bool DImage::CheckFileName(const CString& name)
{
    auto refuse = [this](const CString& text) {
        AfxMessageBox(text, MB_ICONSTOP);
        if (auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(1024)))
            GotoDlgCtrl(edit);
        return false;
    };
    if (name.IsEmpty())
        return refuse(UiTranslate("File name can not be empty."));
    if (m_pDoc && m_pItem) {
        // picture files are one folder on a server that may not tell cases apart
        CItemList all;
        m_pDoc->CollectAllItems(all);
        for (CItem* other : all) {
            if (other == m_pItem || other->m_strBaseName.CompareNoCase(name) != 0 ||
                other->m_strExtension.CompareNoCase(m_pItem->m_strExtension) != 0)
                continue;
            const CString question = CString::Formatted(
                UiTranslate("The name %s already exists and items will conflict with each other. Do you want to use this name anyway?"),
                name.GetString());
            if (AfxMessageBox(question, MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2) != IDYES)
                return false;
            break;
        }
    }
    // "#" and blanks break the picture's address in a page as surely as the others
    for (const char c : std::string_view(name.GetString(), std::size_t(name.GetLength()))) {
        if (std::string_view("/\\:<>|?*\"&%# ").find(c) != std::string_view::npos)
            return refuse(UiTranslate("The name can not contain the following characters") +
                          " / \\ : < > | ? * \" & % |");
    }
    for (const char c : std::string_view(name.GetString(), std::size_t(name.GetLength()))) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return refuse(UiTranslate("The name can not contain diacritics."));
    }
    return true;
}

void DImage::OnOK()
{
    const CString name = GetDlgItemText(1028);
    if (m_pDoc && m_pItem && !name.IsEmpty() && m_pDoc->CheckItemName(name, m_pItem, nullptr))
        return;
    if (!CheckFileName(GetDlgItemText(1024)))
        return;
    CDialog::OnOK();
}

void DImage::OnShape()
{
    if (!m_pItem)
        return;
    DBackgroundShape dlg(this);
    const int shownAngle = int(std::lround(m_pItem->m_dRotation));
    dlg.m_nAngle = shownAngle;
    dlg.m_nLineWidth = m_pItem->m_nFrameWidth;
    dlg.m_nLineStyle = m_pItem->m_nFrameShading;
    dlg.m_nShape = m_pItem->m_nFrameShape;
    dlg.m_nRounding = m_pItem->m_nCornerRadius;
    dlg.m_crLine = m_pItem->m_crFrame;
    if (dlg.DoModal() != IDOK)
        return;
    // an angle left as shown keeps its fraction
    if (dlg.m_nAngle != shownAngle)
        m_pItem->m_dRotation = dlg.m_nAngle;
    m_pItem->m_nFrameWidth = dlg.m_nLineWidth;
    m_pItem->m_nFrameShading = dlg.m_nLineStyle;
    m_pItem->m_nFrameShape = dlg.m_nShape;
    m_pItem->m_nCornerRadius = dlg.m_nRounding;
    m_pItem->m_crFrame = dlg.m_crLine;
}

// ---- DImageClone

DImageClone::DImageClone(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kImageCloneTemplate);
    OnNotify(1025, BN_CLICKED, [this] {
        if (m_pItem)
            EditItemLink(*m_pItem, m_pDoc, this);
    });
    OnNotify(1064, BN_CLICKED, [this] {
        if (m_pItem)
            EditItemPadding(m_pItem, this);
    });
    OnNotify(1073, BN_CLICKED, [this] {
        if (m_pItem)
            EditImageBackground(*m_pItem, m_pDoc, this);
    });
    OnNotify(1055, BN_CLICKED, [this] {
        if (m_pItem)
            EditItemBorders(m_pItem);
    });
}

BOOL DImageClone::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pItem && m_pItem->m_pSource)
        SetDlgItemText(1096, CString::Formatted("%s [%d x %d] #%d", m_pItem->m_pSource->m_strName.GetString(),
                                                m_pItem->m_pSource->m_nWidth, m_pItem->m_pSource->m_nHeight,
                                                m_pItem->m_nSerial));
    return TRUE;
}

void DImageClone::DoDataExchange(CDataExchange* pDX)
{
    if (!m_pItem)
        return;
    DDX_Text(pDX, 1174, m_pItem->m_strName);
    DDX_TextW(pDX, 1172, m_pItem->m_strText);
    DDX_Text(pDX, 1000, m_pItem->m_nWidth);
    DDV_MinMaxInt(pDX, m_pItem->m_nWidth, 1, 3000);
    DDX_Text(pDX, 1023, m_pItem->m_nHeight);
    DDV_MinMaxInt(pDX, m_pItem->m_nHeight, 1, 3000);
}

// ---- DInsertImage

DInsertImage::DInsertImage(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kInsertImageTemplate);
    auto* list = qobject_cast<QListWidget*>(GetDlgItem(1078));
    // a double click only selects, as a single one does; OK confirms
    QObject::connect(list, &QListWidget::currentRowChanged, this, [this, list](int row) {
        QListWidgetItem* entry = row >= 0 ? list->item(row) : nullptr;
        if (entry)
            m_pChosen = static_cast<CItem*>(entry->data(Qt::UserRole).value<void*>());
    });
    OnNotify(1025, BN_CLICKED, [this] {
        m_pChosen = nullptr;
        EndDialog(IDOK);
    });
    OnNotify(1026, BN_CLICKED, [this] { EndDialog(57637); });  // Edit/Paste
    OnNotify(1027, BN_CLICKED, [this] { EndDialog(33015); });  // Insert/External Image
}

BOOL DInsertImage::OnInitDialog()
{
    CDialog::OnInitDialog();
    auto* list = qobject_cast<QListWidget*>(GetDlgItem(1078));
    CItem* preset = m_pChosen;
    for (CItem* item : m_candidates) {
        CString text;
        item->m_strText.ToAnsi(text);
        if (text.IsEmpty())
            text = item->GetFileName();
        text.AppendFormat(" [ %d x %d ]", item->m_nWidth, item->m_nHeight);
        auto* entry = new QListWidgetItem(text.ToQString(), list);
        entry->setData(Qt::UserRole, QVariant::fromValue<void*>(item));
        if (item == preset)
            list->setCurrentItem(entry);
    }
    m_pChosen = preset;
    if (m_candidates.empty()) {
        // nothing to clone: a new file it is
        m_pChosen = nullptr;
        EndDialog(IDOK);
        return TRUE;
    }
    EnableDlgItem(1026, ClipboardHasBitmap());
    if (!m_strLoadCaption.IsEmpty())
        SetDlgItemText(1025, m_strLoadCaption);
    return TRUE;
}

void DInsertImage::OnOK() { EndDialog(IDOK); }
