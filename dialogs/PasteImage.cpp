#include "dialogs/PasteImage.h"

#include "controls/HtmlView.h"
#include "dialogs/SizeDialogs.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"
#include "model/Escaping.h"
#include "model/Picture.h"

#include <QtCore/QFile>
#include <QtWidgets/QComboBox>

#include <algorithm>

namespace {
const DlgControl kPasteImageControls[] = {
    {IDC_STATIC, DlgKind::Static, "File Name:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, ".*", nullptr, kDlgBeside},
    {1005, DlgKind::Static, "Zoom: 100%", nullptr, 0},
    {1001, DlgKind::Button, "+", nullptr, kDlgBeside},
    {1002, DlgKind::Button, "-", nullptr, kDlgBeside},
    {1006, DlgKind::Static, "Image Size: 0 x 0", nullptr, 0},
    {1003, DlgKind::Button, "...", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Format:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, "PNG|JPEG", kDlgBeside},
    {1010, DlgKind::Radio, "Insert movable image ", nullptr, kDlgGroup},
    {1011, DlgKind::Radio, "Set as background", nullptr, 0},
    {1012, DlgKind::Radio, "Set as browser background", nullptr, 0},
    {1004, DlgKind::Button, "Preview", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault | kDlgBeside},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
constexpr int kMinZoom = 5;

// Clears the transparency byte of every pixel.
void MakeOpaque(CDib& dib)
{
    dib.BeginPixels();
    for (int y = 0; y < dib.GetHeight(); ++y)
        for (int x = 0; x < dib.GetWidth(); ++x)
            dib.SetPixel(x, y, dib.GetPixel(x, y) & 0x00FFFFFFu);
    dib.EndPixels();
}
} // namespace

const DlgTemplate kPasteImageTemplate{179, "Paste Image", true, kPasteImageControls};

bool DPasteImage::s_bShowPreview = true;

DPasteImage::DPasteImage(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kPasteImageTemplate);
    OnNotify(1001, BN_CLICKED, [this] { OnPlus(); });
    OnNotify(1002, BN_CLICKED, [this] { OnMinus(); });
    OnNotify(1003, BN_CLICKED, [this] { OnSize(); });
    OnNotify(1004, BN_CLICKED, [this] { WritePreview(); });
}

BOOL DPasteImage::OnInitDialog()
{
    CDialog::OnInitDialog();
    qobject_cast<QComboBox*>(GetDlgItem(1018))->setCurrentIndex(0);
    m_nWidth = m_picture.GetWidth();
    m_nHeight = m_picture.GetHeight();
    ShowSize();
    for (int id : {1010, 1011, 1012})
        EnableDlgItem(id, !m_bLock);
    return TRUE;
}

void DPasteImage::DoDataExchange(CDataExchange* pDX)
{
    DDX_TextW(pDX, 1000, m_name);
    DDX_Radio(pDX, 1010, m_nPlacement);
    DDX_CBIndex(pDX, 1018, m_nFormat);
}

void DPasteImage::ShowSize()
{
    CString text;
    text.Format(UiTranslate("Zoom: %d%%"), m_nZoom);
    SetDlgItemText(1005, text);
    text.Format(UiTranslate("Image Size: %d x %d"), m_nWidth, m_nHeight);
    SetDlgItemText(1006, text);
}

void DPasteImage::OnPlus()
{
    if (m_nZoom >= 100)
        return;
    m_nZoom += 5;
    m_nWidth = m_picture.GetWidth() * m_nZoom / 100;
    m_nHeight = m_picture.GetHeight() * m_nZoom / 100;
    ShowSize();
}

void DPasteImage::OnMinus()
{
    // a picture of 0 x 0 pixels is no picture
    if (m_nZoom <= kMinZoom)
        return;
    m_nZoom -= 5;
    m_nWidth = m_picture.GetWidth() * m_nZoom / 100;
    m_nHeight = m_picture.GetHeight() * m_nZoom / 100;
    ShowSize();
}

void DPasteImage::OnSize()
{
    DResize dlg(this);
    dlg.m_bKeepProportions = 1;
    dlg.m_nWidth = m_nWidth;
    dlg.m_nHeight = m_nHeight;
    if (dlg.DoModal() != IDOK)
        return;
    m_nWidth = dlg.m_nWidth;
    m_nHeight = dlg.m_nHeight;
    const int sum = m_picture.GetWidth() + m_picture.GetHeight();
    if (sum > 0)
        m_nZoom = std::max(kMinZoom, (m_nWidth + m_nHeight) * 100 / sum);
    ShowSize();
}

CString DPasteImage::PreviewPage(const CString& pictureFile, const CWString& name, int width, int height)
{
    CString page;
    page.Format("<!DOCTYPE html>\r\n<html><head><meta charset=\"utf-8\"><title>%s</title></head>"
                "<body style=\"font-family:Verdana;font-size:small;text-align:center\">"
                "<p><img src=\"%s\" alt=\"\"></p><p>%s [ %d x %d ]</p></body></html>\r\n",
                (const char*)HtmlEscape(UiTranslate("Preview")), (const char*)UrlEncodePath(pictureFile),
                (const char*)HtmlEscape(name.GetUtf8()), width, height);
    return page;
}

CString DPasteImage::WritePreview()
{
    if (!m_picture.IsValid())
        return {};
    if (!m_previewDir || !m_previewDir->isValid())
        m_previewDir = std::make_unique<QTemporaryDir>();
    if (!m_previewDir->isValid())
        return {};
    UpdateData(TRUE);
    CDib copy = m_picture;
    MakeOpaque(copy);
    const int w = std::max(1, m_picture.GetWidth() * m_nZoom / 100);
    const int h = std::max(1, m_picture.GetHeight() * m_nZoom / 100);
    copy.Resample(w, h);
    // the names are ours: the user's name only appears, escaped, in the page's text
    ++m_nPreviews;
    const bool png = m_nFormat == 0;
    CString pictureName, pageName;
    pictureName.Format("preview%d.%s", m_nPreviews, png ? "png" : "jpg");
    pageName.Format("preview%d.htm", m_nPreviews);
    CDataBlock bytes;
    PackedBitmapPtr packed = copy.CopyToGlobal();
    if (!packed || !EncodePictureData(*packed, !png, bytes))
        return {};
    const QString folder = m_previewDir->path() + QLatin1Char('/');
    QFile picture(folder + pictureName.ToQString());
    QFile page(folder + pageName.ToQString());
    const CString text = PreviewPage(pictureName, m_name, w, h);
    if (!picture.open(QIODevice::WriteOnly) || picture.write(reinterpret_cast<const char*>(bytes.Data()), qint64(bytes.Size())) != qint64(bytes.Size())
        || !page.open(QIODevice::WriteOnly) || page.write(text.GetString(), text.GetLength()) != text.GetLength())
        return {};
    picture.close();
    page.close();
    const CString path = CString::FromQString(page.fileName());
    if (s_bShowPreview) {
        DPreview preview(this);
        preview.m_strCaption = UiTranslate("Preview");
        preview.m_strAddress = path;
        preview.m_nContentWidth = 1000;
        preview.m_nContentHeight = 650;
        preview.DoModal();
    }
    return path;
}

void DPasteImage::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_nWidth > 0 && m_nHeight > 0 && (m_nWidth != m_picture.GetWidth() || m_nHeight != m_picture.GetHeight())) {
        MakeOpaque(m_picture);
        m_picture.Resample(m_nWidth, m_nHeight);
    }
    EndDialog(IDOK);
}
