#include "dialogs/Background.h"

#include "controls/ColorControl.h"
#include "controls/DialogKit.h"
#include "controls/FileChooser.h"
#include "dialogs/EffectDialogs.h"
#include "dialogs/ImageCrop.h"
#include "dialogs/PasteImage.h"
#include "dialogs/SizeDialogs.h"
#include "dialogs/Texture.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "framework/core/Colors.h"
#include "framework/core/Paths.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Translation.h"
#include "model/Clipboard.h"
#include "model/FillStyle.h"
#include "model/HtmlWriting.h"
#include "model/Item.h"
#include "model/Picture.h"

#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtCore/QMimeData>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>

#include <algorithm>

namespace {
const char* const kImageFilter = "Images (*.png;*.gif;*.jpg;*.bmp)|*.png;*.gif;*.jpg;*.bmp||";
const char* const kExternalFilter = "Images (*.jpg,*.png)|*.jpg;*.png";

const DlgControl kBackgroundControls[] = {
    {1043, DlgKind::Radio, "No image", nullptr, kDlgGroup},
    {1069, DlgKind::Radio, "Gradient", nullptr, kDlgBeside},
    {1077, DlgKind::Radio, "Picture/Texture", nullptr, kDlgBeside},
    {1078, DlgKind::Radio, "External Image", nullptr, kDlgBeside},
    {1019, DlgKind::Color, "Background Color", nullptr, kDlgNoColor},
    {IDC_STATIC, DlgKind::Static, "Background Opacity:", nullptr, kDlgBeside},
    {1040, DlgKind::Combo, nullptr, "100%|90%|80%|70%|60%|50%|40%|30%|20%|10%", kDlgBeside},
    {IDC_STATIC, DlgKind::Group, "Gradient", nullptr, 0},
    {1096, DlgKind::Static, "Top Color", nullptr, 0},
    {1026, DlgKind::Color, "", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Direction:", nullptr, kDlgBeside},
    {1018, DlgKind::Combo, nullptr,
     "from Top edge|from Left edge|from Bottom edge|from Right edge|from Top-Left corner|from Top-Right corner|"
     "from Bottom-Left corner|from Bottom-Right corner|from Center",
     kDlgBeside},
    {1020, DlgKind::Combo, nullptr, "to background color|to custom color|to transparency", 0},
    {1045, DlgKind::Color, "Custom Color", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Length:", nullptr, kDlgBeside},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "pixels", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Group, "Picture/Texture", nullptr, 0},
    {1036, DlgKind::Combo, nullptr, nullptr, 0},
    {1169, DlgKind::Button, "Load", nullptr, kDlgBeside},
    {1033, DlgKind::Button, "Create", nullptr, kDlgBeside},
    {1034, DlgKind::Button, "Paste", nullptr, kDlgBeside},
    {1035, DlgKind::Button, "Delete", nullptr, kDlgBeside},
    {1030, DlgKind::Button, "Resize", nullptr, 0},
    {1031, DlgKind::Button, "Crop", nullptr, kDlgBeside},
    {1025, DlgKind::Button, "Shape", nullptr, kDlgBeside},
    {1039, DlgKind::Button, "Shadow", nullptr, kDlgBeside},
    {1041, DlgKind::Button, "Edge Fadeout", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Group, "External Image", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "URL:", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1037, DlgKind::Button, "...", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Group, "Position", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Align:", nullptr, 0},
    {1066, DlgKind::Combo, nullptr,
     "from Top edge|from Left edge|from Bottom edge|from Right edge|from Top-Left corner|from Top-Right corner|"
     "from Bottom-Left corner|from Bottom-Right corner|Center|Custom",
     kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "X:", nullptr, kDlgBeside},
    {1002, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Y:", nullptr, kDlgBeside},
    {1004, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Repeat:", nullptr, 0},
    {1088, DlgKind::Combo, nullptr, "Display Once|Repeat Vertical|Repeat Horizontal|Repeat Vertical and Horizontal",
     kDlgBeside},
    {1001, DlgKind::Check, "Apply to all pages", nullptr, 0},
    {3, DlgKind::Button, "Remove Background", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault | kDlgBeside},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

const DlgControl kBackgroundShapeControls[] = {
    {IDC_STATIC, DlgKind::Static, "Shape:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr,
     "Rectangle|Ellipse|Rounded Rectangle|Rounded 1/4|Rounded 1/2|Full Rounded|Top Tab|Bottom Tab|Star|"
     "Star 10 Rays|Star 20 Rays|Star 50 Rays|Triangle Up|Triangle Down|Triangle Left|Triangle Right",
     kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Rounding:", nullptr, 0},
    {1067, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Angle:", nullptr, 0},
    {1050, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "\u00b0", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Line Width:", nullptr, 0},
    {1036, DlgKind::Combo, nullptr, "<none>|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Line Style:", nullptr, 0},
    {1040, DlgKind::Combo, nullptr, "Flat|Outset|Inset|Bar|Metal|Glass", kDlgBeside},
    {1026, DlgKind::Color, "Line Color", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

const char* const kStartColorLabels[] = {"Top Color",      "Left Color",        "Bottom Color",
                                         "Right Color",    "Top Left Color",    "Top Right Color",
                                         "Bottom Left Color", "Bottom Right Color", "Center Color"};

QComboBox* Combo(const CDialog& d, int id) { return qobject_cast<QComboBox*>(d.GetDlgItem(id)); }
CColorButton* ColorButton(const CDialog& d, int id) { return static_cast<CColorButton*>(d.GetDlgItem(id)); }

// A colour button and the caption beside it, shown or hidden together.
void ShowColorButton(CDialog& d, int id, bool show)
{
    QWidget* button = d.GetDlgItem(id);
    button->setVisible(show);
    if (button->parentWidget() != &d)
        button->parentWidget()->setVisible(show);
}

bool ClipboardHasPicture()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasImage();
}
} // namespace

const DlgTemplate kBackgroundTemplate{177, "Background", true, kBackgroundControls};
const DlgTemplate kBackgroundShapeTemplate{230, "Shape", true, kBackgroundShapeControls};

// ---- DBackgroundShape

DBackgroundShape::DBackgroundShape(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kBackgroundShapeTemplate);
    OnNotify(1018, CBN_SELCHANGE, [this] { UpdateControls(); });
    OnNotify(1036, CBN_SELCHANGE, [this] { UpdateControls(); });
}

BOOL DBackgroundShape::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateControls();
    return TRUE;
}

void DBackgroundShape::UpdateControls()
{
    const int shape = Combo(*this, 1018)->currentIndex();
    // only these shapes have a rounding of their own
    EnableDlgItem(1067, shape == 2 || shape == 6 || shape == 7);
    const bool line = Combo(*this, 1036)->currentIndex() > 0;
    GetDlgItem(1040)->setVisible(line);
    ShowColorButton(*this, 1026, line);
}

void DBackgroundShape::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1050, m_nAngle);
    DDX_CBIndex(pDX, 1036, m_nLineWidth);
    DDX_CBIndex(pDX, 1040, m_nLineStyle);
    DDX_CBIndex(pDX, 1018, m_nShape);
    // a rounding the shape does not use is neither read nor checked
    if (!pDX->m_bSaveAndValidate || GetDlgItem(1067)->isEnabled()) {
        DDX_Text(pDX, 1067, m_nRounding);
        DDV_MinMaxInt(pDX, m_nRounding, 0, 1000);
    }
    DdxUserData(pDX, 1026, m_crLine);
}

void DBackgroundShape::From(const CPicture& picture)
{
    // the record's word after the upload state holds the frame angle
    m_nAngle = picture.m_nStoredWord;
    m_nLineWidth = std::clamp(picture.m_nFrameWidth, 0, 20);
    m_nLineStyle = std::clamp(picture.m_nFrameShading, 0, 5);
    m_nShape = std::clamp(picture.m_nShape, 0, 15);
    m_nRounding = picture.m_nCornerRadius;
    m_crLine = picture.m_crFrame;
}

void DBackgroundShape::To(CPicture& picture) const
{
    picture.m_nStoredWord = m_nAngle;
    picture.m_nFrameWidth = m_nLineWidth;
    picture.m_nFrameShading = m_nLineStyle;
    picture.m_nShape = m_nShape;
    picture.m_nCornerRadius = m_nRounding;
    picture.m_crFrame = m_crLine;
}

// ---- DBackground

DBackground::DBackground(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kBackgroundTemplate);
    for (int id : {1043, 1069, 1077, 1078})
        OnNotify(id, BN_CLICKED, [this] { UpdateControls(); });
    OnNotify(1018, CBN_SELCHANGE, [this] { SetStartColorLabel(); });
    OnNotify(1020, CBN_SELCHANGE, [this] {
        const int end = Combo(*this, 1020)->currentIndex();
        ShowColorButton(*this, 1045, end == 1);
        if (end == 2)
            ColorButton(*this, 1019)->SetColor(0xFFFFFFFFu);
        UpdateControls();
    });
    OnNotify(1066, CBN_SELCHANGE, [this] { UpdateControls(); });
    OnNotify(1036, CBN_SELCHANGE, [this] { UpdateControls(); });
    OnNotify(1019, NM_CLICK, [this] { UpdateControls(); });
    OnNotify(1169, BN_CLICKED, [this] { OnLoad(); });
    OnNotify(1033, BN_CLICKED, [this] { OnCreate(); });
    OnNotify(1034, BN_CLICKED, [this] { OnPaste(); });
    OnNotify(1035, BN_CLICKED, [this] { OnDelete(); });
    OnNotify(1030, BN_CLICKED, [this] { OnResize(); });
    OnNotify(1031, BN_CLICKED, [this] { OnCrop(); });
    OnNotify(1025, BN_CLICKED, [this] { OnShape(); });
    OnNotify(1039, BN_CLICKED, [this] { OnShadow(); });
    OnNotify(1041, BN_CLICKED, [this] { OnEdgeFadeout(); });
    OnNotify(1037, BN_CLICKED, [this] { OnChooseFile(); });
    OnNotify(3, BN_CLICKED, [this] { OnRemoveBackground(); });
}

BOOL DBackground::OnInitDialog()
{
    CDialog::OnInitDialog();
    setWindowTitle(UiTranslate(m_strCaption).ToQString());
    QComboBox* list = Combo(*this, 1036);
    list->clear();
    if (m_pDoc)
        for (const auto& texture : m_pDoc->m_textures)
            list->addItem(GetPictureCaption(*texture).ToQString(), QVariant::fromValue<void*>(texture.get()));
    if (m_pFill)
        SelectTexture(m_pFill->m_pPicture);
    SetStartColorLabel();
    ShowColorButton(*this, 1045, Combo(*this, 1020)->currentIndex() == 1);
    UpdateControls();
    GetDlgItem(1001)->setVisible(m_bShowApplyToAll != 0);
    return TRUE;
}

int DBackground::GetKind() const
{
    const int ids[] = {1043, 1069, 1077, 1078};
    for (int i = 0; i < 4; ++i)
        if (IsDlgButtonChecked(ids[i]))
            return i;
    return -1;
}

CPicture* DBackground::GetSelectedTexture() const
{
    QComboBox* list = Combo(*this, 1036);
    return list->currentIndex() < 0 ? nullptr : static_cast<CPicture*>(list->currentData().value<void*>());
}

void DBackground::SelectTexture(CPicture* picture)
{
    QComboBox* list = Combo(*this, 1036);
    list->setCurrentIndex(picture ? list->findData(QVariant::fromValue<void*>(picture)) : -1);
}

void DBackground::SetStartColorLabel()
{
    const int direction = Combo(*this, 1018)->currentIndex();
    if (direction >= 0 && direction < 9)
        SetDlgItemText(1096, UiTranslate(kStartColorLabels[direction]));
}

void DBackground::UpdateControls()
{
    const int kind = GetKind();
    const bool gradient = kind == CFillStyle::KindGradient;
    const bool texture = kind == CFillStyle::KindPicture;
    const bool external = kind == CFillStyle::KindAddress;
    const bool selected = GetSelectedTexture() != nullptr;
    for (int id : {1018, 1020, 1000})
        EnableDlgItem(id, gradient);
    ShowColorButton(*this, 1026, gradient);
    GetDlgItem(1096)->setVisible(gradient);
    // a fade to transparency has no opacity of its own to choose
    const bool toTransparency = gradient && Combo(*this, 1020)->currentIndex() == CFillStyle::EndTransparent;
    const bool hasColor = !tessel::ColorIsUnset(ColorButton(*this, 1019)->GetColor());
    EnableDlgItem(1040, m_bAllowOpacity && hasColor && (kind == CFillStyle::KindColor || gradient) && !toTransparency);
    EnableDlgItem(1003, external);
    EnableDlgItem(1037, external);
    EnableDlgItem(1036, texture);
    EnableDlgItem(1066, texture || external);
    EnableDlgItem(1088, texture || external);
    for (int id : {1025, 1030, 1035, 1039, 1041, 1031})
        EnableDlgItem(id, texture && selected);
    const bool custom = Combo(*this, 1066)->currentIndex() == 9;
    const bool positioned = (texture && selected) || external;
    EnableDlgItem(1002, positioned && custom);
    EnableDlgItem(1004, positioned && custom);
    // new textures need a project to keep them
    EnableDlgItem(1169, m_pDoc != nullptr);
    EnableDlgItem(1033, m_pDoc != nullptr);
    EnableDlgItem(1034, m_pDoc != nullptr && ClipboardHasPicture());
}

void DBackground::DoDataExchange(CDataExchange* pDX)
{
    if (!m_pFill)
        return;
    CFillStyle& f = *m_pFill;
    const bool saving = pDX->m_bSaveAndValidate;
    // a field the dialog disabled is neither read nor checked: its value stays
    auto active = [&](int id) { return !saving || GetDlgItem(id)->isEnabled(); };
    DDX_Radio(pDX, 1043, f.m_nKind);
    DdxUserData(pDX, 1019, f.m_crColor);
    DdxUserData(pDX, 1026, f.m_crStart);
    DdxUserData(pDX, 1045, f.m_crSecond);
    if (active(1000)) {
        DDX_Text(pDX, 1000, f.m_nLength);
        DDV_MinMaxInt(pDX, f.m_nLength, 1, 3000);
    }
    DDX_CBIndex(pDX, 1018, f.m_nDirection);
    DDX_CBIndex(pDX, 1020, f.m_nEndMode);
    DDX_CBIndex(pDX, 1066, f.m_nPosition);
    DDX_CBIndex(pDX, 1088, f.m_nRepeat);
    if (active(1040)) {
        int opacity = f.m_nTransparency;
        DDX_CBIndex(pDX, 1040, opacity);
        if (opacity >= 0)
            f.m_nTransparency = opacity;
    }
    if (active(1002)) {
        DDX_Text(pDX, 1002, f.m_nX);
        DDV_MinMaxInt(pDX, f.m_nX, -3000, 3000);
    }
    if (active(1004)) {
        DDX_Text(pDX, 1004, f.m_nY);
        DDV_MinMaxInt(pDX, f.m_nY, -3000, 3000);
    }
    DDX_Text(pDX, 1003, f.m_strAddress);
    if (m_bShowApplyToAll)
        DDX_Check(pDX, 1001, m_bApplyToAll);
}

void DBackground::OnOK()
{
    if (!m_pFill) {
        EndDialog(IDOK);
        return;
    }
    // a local path becomes a file address (drive paths of old projects, absolute paths)
    const CString address = GetDlgItemText(1003);
    const CString url = LocalPathToFileAddress(address);
    if (url != address)
        SetDlgItemText(1003, url);
    // the radio group may be empty: the kind then stays
    const int kindBefore = m_pFill->m_nKind;
    CFillStyle before = *m_pFill;
    if (!UpdateData(TRUE)) {
        *m_pFill = before;
        return;
    }
    if (m_pFill->m_nKind < 0)
        m_pFill->m_nKind = kindBefore;
    CPicture* texture = GetSelectedTexture();
    m_pFill->m_pPicture = texture;
    m_pFill->m_nPictureId = texture ? texture->m_nPictureId : 0;
    EndDialog(IDOK);
}

int DBackground::GuessRepeat(const CPicture& picture)
{
    const CDib& dib = picture.m_picture.IsValid() ? picture.m_picture : picture.m_rendering;
    const int w = dib.GetWidth(), h = dib.GetHeight();
    if (!dib.IsValid() || w < 1 || h < 1)
        return 0;
    CDib& pixels = const_cast<CDib&>(dib);
    pixels.BeginPixels();
    bool vertical = true, horizontal = true;
    for (int x = 0; x < w && vertical; ++x)
        vertical = pixels.GetPixel(x, 0) == pixels.GetPixel(x, h - 1);
    for (int y = 0; y < h && horizontal; ++y)
        horizontal = pixels.GetPixel(0, y) == pixels.GetPixel(w - 1, y);
    pixels.EndPixels();
    return vertical && horizontal ? 3 : vertical ? 1 : horizontal ? 2 : 0;
}

CPicture* DBackground::AddNewTexture(std::unique_ptr<CPicture> texture)
{
    CPicture* added = texture.get();
    if (!m_pDoc || !added)
        return nullptr; // no project to keep it in
    m_pDoc->AddTexture(std::move(texture));
    CheckDlgButton(1043, 0);
    CheckDlgButton(1069, 0);
    CheckDlgButton(1078, 0);
    CheckDlgButton(1077, 1);
    QComboBox* list = Combo(*this, 1036);
    list->addItem(GetPictureCaption(*added).ToQString(), QVariant::fromValue<void*>(added));
    list->setCurrentIndex(list->count() - 1);
    UpdateControls();
    return added;
}

void DBackground::OnLoad()
{
    if (!m_pDoc)
        return;
    CFileChooser chooser;
    chooser.SetFilter(kImageFilter);
    chooser.SetTitle(UiTranslate("Import"));
    chooser.AddFlags(OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    chooser.LoadFolder("Current", "TextureFolder");
    if (chooser.GetInitialFolder().IsEmpty())
        chooser.SetInitialFolder(tessel::ProgramFolder() + "/textures/");
    if (!chooser.DoOpen())
        return;
    chooser.SaveFolder("Current", "TextureFolder");
    const std::vector<CString> paths = chooser.GetPathNames();
    if (paths.empty())
        return;
    auto picture = std::make_unique<CPicture>();
    if (!picture->LoadFile(paths[0])) {
        CString text;
        text.Format("Error loading image %s.", (const char*)paths[0]);
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    picture->Render();
    CPicture* added = AddNewTexture(std::move(picture));
    if (!added)
        return;
    // the colour behind the picture from its bottom-left pixel, when that pixel shows one
    CDib& dib = added->m_picture;
    if (dib.IsValid()) {
        dib.BeginPixels();
        const std::uint32_t pixel = dib.GetPixel(0, dib.GetHeight() - 1);
        dib.EndPixels();
        if ((pixel >> 24) == 0)
            ColorButton(*this, 1019)->SetColor(tessel::PixelToColorRef(pixel) & 0xFFFFFF);
    }
    Combo(*this, 1088)->setCurrentIndex(GuessRepeat(*added));
    UpdateControls();
}

void DBackground::OnCreate()
{
    if (!m_pDoc)
        return;
    DTexture dlg(this);
    dlg.m_nWidth = m_nPatternWidth;
    dlg.m_nHeight = m_nPatternHeight;
    if (dlg.DoModal() != IDOK)
        return;
    auto picture = std::make_unique<CPicture>();
    dlg.ApplyTo(*picture);
    if (!MakePatternTexture(*picture)) {
        AfxMessageBox(UiTranslate("The texture could not be made."), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    picture->Render();
    AddNewTexture(std::move(picture));
    Combo(*this, 1088)->setCurrentIndex(3);
}

void DBackground::OnPaste()
{
    if (!m_pDoc)
        return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasImage())
        return;
    DPasteImage dlg(this);
    dlg.m_picture = DibFromQImage(qvariant_cast<QImage>(data->imageData()));
    if (!dlg.m_picture.IsValid())
        return;
    dlg.m_name = m_pDoc->TakeTextureName();
    dlg.m_nPlacement = m_bBrowserBackground ? 2 : 1;
    dlg.m_bLock = 1;
    if (dlg.DoModal() != IDOK)
        return;
    // whatever format was picked, a texture is kept as PNG, encoded in memory
    auto picture = std::make_unique<CPicture>();
    CString ascii;
    dlg.m_name.ToAsciiName(ascii);
    picture->m_strName = ascii.IsEmpty() ? CString("Texture") : ascii;
    picture->m_nFormat = CPicture::FormatPng;
    picture->m_picture = dlg.m_picture;
    picture->m_rendering = dlg.m_picture;
    picture->m_nWidth = dlg.m_picture.GetWidth();
    picture->m_nHeight = dlg.m_picture.GetHeight();
    if (!StorePictureBytes(*picture)) {
        AfxMessageBox(UiTranslate("The texture could not be made."), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    picture->Render();
    AddNewTexture(std::move(picture));
}

void DBackground::OnDelete()
{
    QComboBox* list = Combo(*this, 1036);
    const int row = list->currentIndex();
    if (row < 0)
        return;
    CPicture* picture = GetSelectedTexture();
    if (picture && m_pDoc) {
        const int others = m_pDoc->CountTextureUses(picture, m_pFill);
        if (others > 0) {
            CString text;
            text.Format(UiTranslate("This texture is used by %d other backgrounds, which will lose it. Delete it anyway?"),
                        others);
            if (AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION) != IDYES)
                return;
        }
    }
    list->removeItem(row);
    list->setCurrentIndex(-1);
    if (picture && m_pDoc)
        m_pDoc->DeleteTexture(picture);
    UpdateControls();
}

CPicture* DBackground::TextureToChange()
{
    CPicture* picture = GetSelectedTexture();
    if (picture && m_pDoc)
        m_pDoc->KeepTextureForCancel(*picture);
    m_bTextureChanged = m_bTextureChanged || picture != nullptr;
    return picture;
}

void DBackground::RefreshSelectedCaption()
{
    QComboBox* list = Combo(*this, 1036);
    CPicture* picture = GetSelectedTexture();
    if (picture)
        list->setItemText(list->currentIndex(), GetPictureCaption(*picture).ToQString());
}

void DBackground::OnResize()
{
    CPicture* picture = GetSelectedTexture();
    if (!picture)
        return;
    DResize dlg(this);
    dlg.m_nWidth = picture->m_nWidth;
    dlg.m_nHeight = picture->m_nHeight;
    dlg.m_bKeepProportions = 1;
    dlg.m_strCaption = UiTranslateWithName("Resize Texture: %s", picture->m_strName);
    if (dlg.DoModal() != IDOK)
        return;
    CWaitCursor wait;
    TextureToChange();
    if (ResizePicture(*picture, dlg.m_nWidth, dlg.m_nHeight))
        picture->Render();
    RefreshSelectedCaption();
}

void DBackground::OnCrop()
{
    CPicture* picture = GetSelectedTexture();
    if (!picture)
        return;
    DImageCrop dlg(this);
    dlg.m_pPicture = &picture->m_picture;
    if (dlg.DoModal() != IDOK || !dlg.m_pCanvas->GetSelection())
        return;
    const CRect selection = *dlg.m_pCanvas->GetSelection();
    CWaitCursor wait;
    TextureToChange();
    if (CropPictureHolder(*picture, selection))
        picture->Render();
    RefreshSelectedCaption();
}

void DBackground::OnShape()
{
    CPicture* picture = GetSelectedTexture();
    if (!picture)
        return;
    DBackgroundShape dlg(this);
    dlg.From(*picture);
    if (dlg.DoModal() != IDOK)
        return;
    TextureToChange();
    dlg.To(*picture);
    picture->Render();
    // a shaped picture shows what lies behind it
    ColorButton(*this, 1019)->SetColor(0xFFFFFFFFu);
    UpdateControls();
}

void DBackground::OnShadow()
{
    CPicture* picture = GetSelectedTexture();
    if (!picture)
        return;
    DDropShadow dlg(this);
    dlg.m_bEnable = picture->m_bShadow;
    dlg.m_nDistance = picture->m_nShadowOffset;
    dlg.m_nRadius = picture->m_nShadowSoftness;
    dlg.m_crColor = picture->m_crShadow;
    if (dlg.DoModal() != IDOK)
        return;
    TextureToChange();
    picture->m_bShadow = dlg.m_bEnable;
    picture->m_nShadowOffset = dlg.m_nDistance;
    picture->m_nShadowSoftness = dlg.m_nRadius;
    picture->m_crShadow = dlg.m_crColor;
    picture->Render();
}

void DBackground::OnEdgeFadeout()
{
    CPicture* picture = GetSelectedTexture();
    if (!picture)
        return;
    DEdgeFadeout dlg(this);
    dlg.m_bLeft = picture->m_nFadeLeft;
    dlg.m_bRight = picture->m_nFadeRight;
    dlg.m_bTop = picture->m_nFadeTop;
    dlg.m_bBottom = picture->m_nFadeBottom;
    dlg.m_nDistance = picture->m_nFadeWidth;
    dlg.m_nKind = picture->m_nFadeKind;
    if (dlg.DoModal() != IDOK)
        return;
    TextureToChange();
    picture->m_nFadeLeft = dlg.m_bLeft;
    picture->m_nFadeRight = dlg.m_bRight;
    picture->m_nFadeTop = dlg.m_bTop;
    picture->m_nFadeBottom = dlg.m_bBottom;
    picture->m_nFadeWidth = dlg.m_nDistance;
    picture->m_nFadeKind = dlg.m_nKind;
    picture->Render();
}

void DBackground::OnChooseFile()
{
    CFileChooser chooser;
    chooser.SetFilter(kExternalFilter);
    chooser.AddFlags(OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    if (!chooser.DoOpen())
        return;
    const std::vector<CString> paths = chooser.GetPathNames();
    if (paths.empty())
        return;
    SetDlgItemText(1003, LocalPathToFileAddress(paths[0]));
}

void DBackground::OnRemoveBackground()
{
    // only this fill loses its picture: the texture stays for the others
    if (m_pFill) {
        m_pFill->m_nKind = CFillStyle::KindColor;
        m_pFill->m_pPicture = nullptr;
        m_pFill->m_nPictureId = 0;
        m_pFill->m_crColor = 0xFFFFFFFFu;
    }
    EndDialog(IDOK);
}

FillTarget FillTargetOf(const CKJDoc* doc, CItem& owner)
{
    if (!doc)
        return FillTarget::Opener();
    CItemList all;
    doc->CollectAllItems(all);
    return std::find(all.begin(), all.end(), &owner) != all.end() ? FillTarget::Item(owner) : FillTarget::Opener();
}

CFillStyle& FillOf(CItem& item)
{
    if (!item.m_pFill)
        item.m_pFill = std::make_unique<CFillStyle>();
    return *item.m_pFill;
}

int EditFill(CKJDoc* doc, CFillStyle* fill, const char* caption, QWidget* parent, FillTarget target,
             int patternWidth, int patternHeight, int* applyToAll, bool browserBackground)
{
    if (!fill)
        return IDCANCEL;
    CItem* owner = target.kind == FillTarget::Kind::Item ? target.item : nullptr;
    std::unique_ptr<CEditScope> scope;
    if (doc) {
        scope = owner ? std::make_unique<CEditScope>(*doc, nullptr, owner, nullptr, caption)
                      : std::make_unique<CEditScope>(*doc);
        // the fill may be the document's own, which no snapshot holds
        doc->KeepFillForCancel(*fill);
    }
    DBackground dlg(parent);
    dlg.m_pFill = fill;
    dlg.m_pDoc = doc;
    if (caption)
        dlg.m_strCaption = caption;
    dlg.m_nPatternWidth = patternWidth > 0 ? patternWidth : 100;
    dlg.m_nPatternHeight = patternHeight > 0 ? patternHeight : 100;
    dlg.m_bShowApplyToAll = applyToAll != nullptr;
    dlg.m_bBrowserBackground = browserBackground;
    if (applyToAll)
        dlg.m_bApplyToAll = *applyToAll;
    const int result = dlg.DoModal();
    if (result != IDOK) {
        if (scope)
            scope->Cancel();
        return result;
    }
    fill->Render(true);
    fill->m_nUploadState = 0;
    if (applyToAll)
        *applyToAll = dlg.m_bApplyToAll;
    if (scope) {
        switch (target.kind) {
        case FillTarget::Kind::Item:
            scope->Touch(owner);
            break;
        case FillTarget::Kind::Site:
            scope->TouchSite();
            break;
        case FillTarget::Kind::Stylesheet:
            scope->TouchStylesheet();
            break;
        case FillTarget::Kind::Opener:
            break;
        }
        // a texture is the site's: every fill that shows it changed with it
        if (dlg.m_bTextureChanged)
            scope->TouchSite();
    }
    return IDOK;
}
