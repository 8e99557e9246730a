#include "document/WizardState.h"

#include "document/ImageItemImport.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "framework/core/Colors.h"
#include "framework/core/Paths.h"
#include "model/Escaping.h"
#include "model/Page.h"
#include "model/items/FormItem.h"
#include "model/items/PhpItem.h"

#include <memory>
#include "model/Picture.h"
#include "model/Translate.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/GalleryItem.h"
#include "model/items/ImageButtonItem.h"
#include "model/items/ImageItem.h"
#include "model/items/ShapeItem.h"

#include <algorithm>
#include <cstdint>

CContactFormOptions DefaultContactFormOptions()
{
    CContactFormOptions options{};
    options[0] = options[1] = options[2] = options[3] = options[13] = 1;
    return options;
}

const CWizardColourPreset kWizardColourPresets[kWizardPresetCount] = {
    {0x000000, 0x808080, 0x000000, 0xFFFFFF, 0, 0, 4, 0, 0, 0xCCCCCC, 0x808080, 0xFFFFFF, 0x0000FF},
    {0xFFFFFF, 0x808080, 0xFFFFFF, 0x000000, 0, 0, 4, 0, 0, 0xCCCCCC, 0x808080, 0xFFFFFF, 0x000000},
    {0x00FF80, 0x00FFFF, 0xFFFFFFFF, 0x000000, 0, 2, 3, 1, 1, 0x00CC9C, 0x16F0FC, 0x004040, 0x404040},
    {0x0080FF, 0x00FFFF, 0xFFFFFFFF, 0x000000, 0, 2, 3, 1, 1, 0x0080FF, 0x16F0FC, 0xFFFFFF, 0xFFFFFF},
    {0xA87464, 0xFFCEAA, 0xFFFFFFFF, 0x000000, 1, 2, 4, 0, 1, 0xFFAA96, 0xFAFAFA, 0xFFFFFF, 0xFFFFFF},
    {0x9A07BC, 0xFFD1EA, 0xFFFFFFFF, 0x000000, 0, 2, 0, 0, 1, 0xFF6DDB, 0xFAFAFA, 0xFFFFFF, 0xFFFFFF},
    {0x7484BA, 0xAFE3FF, 0xAFE3FF, 0x000000, 0, 2, 2, 0, 1, 0x67BAF2, 0x384566, 0x235268, 0xFFFFFF},
    {0x7CA85D, 0xF4FFA3, 0xFFFFFFFF, 0x000000, 1, 2, 4, 1, 0, 0xE7FFC9, 0xD5FFB7, 0x565B43, 0xFFFFFF},
};

const CWizardHeadingFont kWizardHeadingFonts[kWizardHeadingSets][4] = {
    {{"Trebuchet MS", 28}, {"Verdana", 18}, {"Times New Roman", 18}, {"Arial", 12}},
    {{"Georgia", 28}, {"Georgia", 18}, {"Lucida Sans Unicode", 14}, {"Arial", 12}},
    {{"Palatino Linotype", 28}, {"Tahoma", 14}, {"Verdana", 14}, {"Times", 12}},
    {{"Comic Sans MS", 28}, {"Trebuchet MS", 18}, {"Georgia", 14}, {"Times", 12}},
    {{"Arial", 28}, {"Georgia", 18}, {"Tahoma", 14}, {"Arial", 12}},
    {{"Tahoma", 28}, {"Lucida Sans Unicode", 18}, {"Georgia", 14}, {"Tahoma", 12}},
};

const COLORREF kWizardHeadingColourTable[kWizardHeadingColours][4] = {
    {0x696969, 0x949494, 0x000000, 0x808080}, {0xE1E1E1, 0xC0C0C0, 0xFFFFFF, 0x808080},
    {0x0000FF, 0x7878B4, 0xC0C0C0, 0x0080FF}, {0xFF0000, 0xB47878, 0xC0C0C0, 0xFF8000},
    {0x008000, 0x78B478, 0xC0C0C0, 0x80FF00}, {0x00A4FF, 0x78468C, 0x0064FF, 0x0000FF},
    {0x0AE60F, 0x64A046, 0x64FF82, 0x00FFC8}, {0xFFE600, 0xE68C00, 0xFFB432, 0xCDFF5A},
    {0xAA00E6, 0x780096, 0x3C00FF, 0xBE00FF}, {0xE60082, 0x730096, 0xFF005A, 0xFF00A0},
    {0x80A400, 0x965050, 0x82BE3C, 0x288028},
};

CWizardState::CWizardState()
{
    wizardFolder = tessel::ProgramFolder() + "wizard/";
    companyName = Translate("ACME, Inc.");
    slogan = Translate("The future will come tomorrow");
    const char* words[6] = {"Company", "Products", "Services", "Delivery", "Resources", "Contact"};
    for (int i = 0; i < 6; ++i)
        menuWords[i] = Translate(words[i]);
}

CWizardState::~CWizardState() { menuButtons.clear(); }

int CWizardState::ScaleBySizeMode(int v) const
{
    if (sizeMode == 0)
        return int(std::int64_t(v) * 2 / 3);
    if (sizeMode == 2)
        return int(std::int64_t(v) * 3 / 2);
    return v;
}

CString CWizardState::FontNameByIndex(int index)
{
    static const char* const kFaces[] = {"Verdana", "Arial", "Times", "Courier", "Tahoma", "Georgia",
                                         "Lucida Sans Unicode", "Lucida Console", "Palatino Linotype",
                                         "Comic Sans MS", "Trebuchet MS"};
    return index >= 1 && index <= 10 ? CString(kFaces[index]) : CString("Verdana");
}

CString CWizardState::GetFontName() const { return FontNameByIndex(defaultFont); }

void RerenderWizardItem(CImageItemBase& item)
{
    item.Render(0);
    item.RecalcLayout();
}

void CWizardState::ApplyWizardMenuStyle()
{
    int gap = ScaleBySizeMode(10);
    const int width = ScaleBySizeMode(90);
    int height = ScaleBySizeMode(30);
    int shape = -1;
    switch (menuStyle) {
    case 0: shape = 0; break;
    case 1: shape = 0, height = ScaleBySizeMode(80), gap = ScaleBySizeMode(15); break;
    case 2: shape = 1; break;
    case 3: shape = 1, height = ScaleBySizeMode(80), gap = ScaleBySizeMode(15); break;
    case 4: shape = 3; break;
    case 5: shape = 3, height = ScaleBySizeMode(80), gap = ScaleBySizeMode(15); break;
    case 6: shape = 4; break;
    default: break;
    }
    for (size_t i = 0; i < menuButtons.size(); ++i) {
        CImageButtonItem* button = menuButtons[i];
        if (shape >= 0)
            button->m_nFrameShape = shape;
        button->m_nRenderWidth = width;
        button->m_nRenderHeight = height;
        button->m_nX = ScaleBySizeMode(900) + gap - (6 - int(i)) * (width + gap);
        button->m_nY = (ScaleBySizeMode(100) - height) / 2;
        RerenderWizardItem(*button);
    }
}

void CWizardState::GiveButtonLook(CImageButtonItem& b) const
{
    b.m_crText = buttonTextColour;
    b.m_crSecond = fillColour;
    b.m_crFrame = lineColour;
    b.m_nFrameWidth = borderWidth;
    b.m_nFrameShading = borderRelief;
    b.m_nInteriorShading = faceRelief;
    b.m_bHairline = hairline;
    b.m_bGlass = glass;
}

void CWizardState::ApplyColourPreset(CKJDoc& doc, int k)
{
    if (k >= 0 && k < kWizardPresetCount) {
        const CWizardColourPreset& p = kWizardColourPresets[k];
        generalStyle = k;
        topColour = p.top, bottomColour = p.bottom, pageColour = p.page, textColour = p.text;
        borderRelief = p.borderRelief, faceRelief = p.faceRelief, borderWidth = p.borderWidth;
        hairline = p.hairline, glass = p.glass;
        fillColour = p.fill, lineColour = p.line, buttonTextColour = p.buttonText, accentColour = p.accent;
    }
    doc.m_websiteBackground.m_crStart = topColour;
    doc.m_websiteBackground.m_crColor = bottomColour;
    doc.m_styles.m_base.m_crText = textColour;
    for (CImageButtonItem* b : menuButtons) {
        GiveButtonLook(*b);
        b->Render(0);
    }
    for (auto& page : doc.m_pages) {
        if (!page->m_pFill)
            page->m_pFill = std::make_unique<CFillStyle>();
        page->m_pFill->m_crColor = pageColour;
    }
    if (mainButton) {
        GiveButtonLook(*mainButton);
        mainButton->Render(0);
    }
    if (companyItem) {
        companyItem->m_crText = accentColour;
        RerenderWizardItem(*companyItem);
    }
    if (logoShape) {
        logoShape->m_crFrame = accentColour;
        RerenderWizardItem(*logoShape);
    }
    doc.m_websiteBackground.Render(true);
    doc.ApplyPageWidth();
}

void CWizardState::ApplyDefaultFont(CKJDoc& doc, int index)
{
    defaultFont = index;
    doc.m_styles.m_base.m_strFamily = FontNameByIndex(index);
    doc.ApplyPageWidth();
}

void CWizardState::ApplyHeadingTables(CKJDoc& doc, int set, int colours)
{
    headerSet = set;
    headerColours = colours;
    for (int i = 0; i < 4; ++i) {
        CTextStyle& style = doc.m_styles.m_styles[i];
        if (set >= 0 && set < kWizardHeadingSets) {
            style.m_strFamily = kWizardHeadingFonts[set][i].face;
            style.m_nSize = kWizardHeadingFonts[set][i].size;
        }
        if (colours >= 0 && colours < kWizardHeadingColours)
            style.m_crText = kWizardHeadingColourTable[colours][i];
    }
    doc.ApplyPageWidth();
}

void CWizardState::ApplyButtonLook()
{
    if (mainButton) {
        GiveButtonLook(*mainButton);
        mainButton->m_crHoverFace = overColour;
        RerenderWizardItem(*mainButton);
    }
    for (CImageButtonItem* b : menuButtons) {
        GiveButtonLook(*b);
        b->m_crHoverFace = overColour;
        RerenderWizardItem(*b);
    }
}

void CWizardState::ApplyButtonFont(const CString& face)
{
    buttonFont = face;
    for (CImageButtonItem* b : menuButtons) {
        SetLogFontFace(b->m_lf, face.GetString());
        RerenderWizardItem(*b);
    }
}

void CWizardState::ApplyCompanyTexts(const CWString& company, const CWString& sloganText, const CWString& button)
{
    if (companyItem) {
        companyItem->m_strText = company;
        RerenderWizardItem(*companyItem);
    }
    if (sloganItem) {
        sloganItem->m_strText = sloganText;
        RerenderWizardItem(*sloganItem);
        AnchorSlogan(false);
    }
    if (mainButton) {
        mainButton->m_strText = button;
        RerenderWizardItem(*mainButton);
    }
}

void CWizardState::AnchorSlogan(bool vertical)
{
    if (!sloganItem)
        return;
    sloganItem->m_nX = ScaleBySizeMode(870) - sloganItem->m_nWidth;
    if (vertical)
        sloganItem->m_nY = ScaleBySizeMode(270) - sloganItem->m_nHeight;
}

void CWizardState::ApplyBackgroundTheme(CKJDoc& doc, int theme)
{
    backgroundTheme = theme;
    CFillStyle& bg = doc.m_websiteBackground;
    if (theme == 0) {
        bg.m_nKind = CFillStyle::KindColor;
    } else if (theme == 1) {
        bg.m_nKind = CFillStyle::KindGradient;
        bg.m_crStart = topColour;
        bg.m_crColor = bottomColour;
    } else if (theme >= 2) {
        // Ours while the background still shows it; a new texture otherwise, which the
        // view's texture entries must hear of.
        CPicture* picture = nullptr;
        const bool ours = backgroundTexture && bg.m_pPicture == backgroundTexture
            && std::any_of(doc.m_textures.begin(), doc.m_textures.end(),
                           [this](const auto& t) { return t.get() == backgroundTexture; });
        if (ours) {
            picture = backgroundTexture;
        } else {
            CEditScope scope(doc);
            scope.SetHint(HINT_TEXTURES);
            auto made = std::make_unique<CPicture>();
            made->m_strName = doc.TakeTextureName();
            picture = made.get();
            doc.AddTexture(std::move(made));
            backgroundTexture = picture;
        }
        picture->LoadFile(wizardFolder + CString::Formatted("background%d.jpg", theme - 1));
        picture->Render();
        bg.m_nKind = CFillStyle::KindPicture;
        bg.m_pPicture = picture;
        bg.m_nPictureId = picture->m_nPictureId;
        const CDib& dib = picture->m_rendering.IsValid() ? picture->m_rendering : picture->m_picture;
        if (dib.IsValid())
            bg.m_crColor = tessel::PixelToColorRef(dib.GetPixelChecked(0, 0)) & 0xFFFFFF;
    }
    bg.Render(true);
}

void CWizardState::ApplyTopColour(CKJDoc& doc, COLORREF colour)
{
    topColour = colour;
    CFillStyle& bg = doc.m_websiteBackground;
    bg.m_nKind = CFillStyle::KindGradient;
    bg.m_crStart = colour;
    bg.Render(true);
}

void CWizardState::ApplyBottomColour(CKJDoc& doc, COLORREF colour)
{
    bottomColour = colour;
    CFillStyle& bg = doc.m_websiteBackground;
    bg.m_crColor = colour;
    if (backgroundTheme == 1)
        bg.m_nKind = CFillStyle::KindGradient;
    else if (backgroundTheme == 0)
        bg.m_nKind = CFillStyle::KindColor;
    bg.Render(true);
}

void CWizardState::ApplyBackgroundNegative(CKJDoc& doc, bool on)
{
    CPicture* picture = doc.m_websiteBackground.m_pPicture;
    if (!picture)
        return;
    picture->m_bInvert = on ? 1 : 0;
    picture->Render();
}

void CWizardState::ApplyBackgroundColorize(CKJDoc& doc, int mode)
{
    CPicture* picture = doc.m_websiteBackground.m_pPicture;
    if (!picture)
        return;
    picture->m_nChannelSwap = mode;
    picture->Render();
}

void CWizardState::ApplyStretchToBrowser(CKJDoc& doc, bool on)
{
    doc.m_bStretchToBrowser = on ? 1 : 0;
    COLORREF& c = doc.m_allPagesBackground.m_crColor;
    c = on ? (c & 0xFFFFFF) : (c | 0xFF000000u);
}

bool CWizardState::ChangeMainImage(CKJDoc& doc, const CString& path)
{
    if (doc.m_pages.empty())
        return false;
    CPage* home = doc.m_pages.front().get();
    if (slideshow) {
        delete home->DetachChild(slideshow);
        slideshow = nullptr;
    }
    if (!mainImage) {
        // Named after its file, as every imported picture is.
        mainImage = CreateImageItemFromFile(doc, path);
        if (!mainImage)
            return true;
        mainImage->SetSiteStyles(&doc.m_styles);
        home->InsertChild(0, mainImage);
    } else {
        ImportImageFile(*mainImage, path.GetString());
    }
    const int maxW = ScaleBySizeMode(900), maxH = ScaleBySizeMode(300);
    const int w = mainImage->m_picture.GetWidth(), h = mainImage->m_picture.GetHeight();
    if (w > 0 && h > 0 && (w > maxW || h > maxH)) {
        const int newH = int(std::int64_t(h) * maxW / w);
        ResizeItemPicture(*mainImage, maxW, newH);
        int top = (newH - maxH) / 2;
        if (top < 0)
            top = 0;
        CropImage(*mainImage, 0, top, maxW, top + maxH);
        ResizeItemPicture(*mainImage, mainImage->m_nRenderWidth, mainImage->m_nRenderHeight);
    }
    mainImage->m_nUploadState = 0;
    RerenderWizardItem(*mainImage);
    return true;
}

void CWizardState::SetSlideshow(CKJDoc& doc, CItem* slider)
{
    std::unique_ptr<CItem> owned(slider);
    if (!slider || doc.m_pages.empty())
        return;
    CPage* home = doc.m_pages.front().get();
    // at most one of the two heads the home page
    if (slideshow) {
        delete home->DetachChild(slideshow);
        slideshow = nullptr;
    }
    if (mainImage) {
        delete home->DetachChild(mainImage);
        mainImage = nullptr;
    }
    slider->m_nX = slider->m_nY = 0;
    slider->RecalcLayout();
    home->InsertChild(0, owned.release());
    slideshow = slider;
}

// ---- finish step

CString BuildWizardMailScript(const CString& email)
{
    // the form page names its owner as the sender: only a plain address may stand there
    if (!IsPlainMailAddress(email))
        return CString();
    return BuildMailScript(email);
}

void MarkPhpPage(CPage& page)
{
    // The extension is the page's "Enable PHP" flag: Page/Setup reads it back from there.
    page.m_strExtension = ".php";
}

bool BuildWizardFinish(CKJDoc& doc, int formKind, const CString& email, const CContactFormOptions& options)
{
    if (formKind < 1)
        return true;
    const CString script = BuildWizardMailScript(email);
    if (script.IsEmpty() || doc.m_pages.empty())
        return false;
    CWString title;
    title = "Thank you";
    CPage* thanks = doc.AddPage(doc.m_pages.front().get(), &title);
    thanks->m_strBaseName = "send_form";
    MarkPhpPage(*thanks);
    auto* php = new CPhpItem();
    php->SetSiteStyles(&doc.m_styles);
    php->m_pBaseStyle = &doc.m_styles.m_base;
    php->m_nX = 8;
    php->m_nY = 100;
    php->m_nWidth = 400;
    php->m_nHeight = 300;
    php->m_strText = script.GetString();
    php->RecalcLayout();
    thanks->AddChild(php);

    if (options[0] && doc.m_pages.size() > 7) {
        CPage* contact = doc.m_pages[7].get();
        CFormItem* form = doc.BuildContactForm(options);
        form->m_nX = 250;
        form->m_nY = 100;
        form->RecalcLayout();
        contact->AddChild(form);
        if (contact->m_nHeight - 100 < form->m_nHeight)
            contact->m_nHeight = form->m_nHeight + 140;
        form->m_link.SetPageLink(thanks->m_nSerial);
        // The form writes its address as it stands: without it the form would post to its
        // own page instead of the script.
        form->m_link.m_strUrl = thanks->m_strBaseName + thanks->m_strExtension;
    }
    return true;
}
