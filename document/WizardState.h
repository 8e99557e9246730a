// The Website Wizard's record, shared by the wizard pages and the theme builder, and the
// changes the pages make to the site the builder made. Nothing here needs a window: the
// pages call these and the tests drive them on a bare project.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/Types.h"
#include "model/PhpSnippets.h"
#include "model/WString.h"

#include <array>
#include <cstdint>
#include <vector>

class CArtisticTextItem;
class CImageButtonItem;
class CImageItemBase;
class CImageItem;
class CItem;
class CKJDoc;
class CPage;
class CPicture;
class CShapeItem;

// The choices of a contact form: 0 make a form (not read by the builder), 1 first name,
// 2 last name, 3 email, 4 street, 5 company, 6 phone, 7 fax, 8 country, 9 city, 10 postal
// code, 11 date picker, 12 time, 13 comments, 14 radio options, 15 drop-down options.
using CContactFormOptions = std::array<std::int32_t, 16>;
// What the wizard's contact page starts with: a form with first and last name, email and
// comments.
CContactFormOptions DefaultContactFormOptions();

class CWizardState {
public:
    CWizardState();
    // Forgets the item references; the document owns the items.
    ~CWizardState();
    CWizardState(const CWizardState&) = delete;
    CWizardState& operator=(const CWizardState&) = delete;

    // The chosen colours, frame, relief and shine on a button (not its hover face).
    void GiveButtonLook(CImageButtonItem& button) const;

    int menuStyle = 4;
    int borderWidth = 4;
    int faceRelief = 0;
    int borderRelief = 0;
    int hairline = 0;
    int glass = 0;
    COLORREF fillColour = 0xCCCCCC;
    COLORREF lineColour = 0x808080;
    COLORREF buttonTextColour = 0xFFFFFF;
    COLORREF overColour = 0xC08080;
    COLORREF accentColour = 0x0000FF;
    COLORREF sloganColour = 0xFFFFFF;
    COLORREF pageColour = 0xFFFFFF;
    COLORREF textColour = 0x000000;
    int generalStyle = 1;
    CString companyName;
    CString slogan;
    int defaultFont = 0;
    CString sloganFont = "Arial Narrow";
    CString buttonFont = "Arial Narrow";
    int backgroundTheme = 1;
    COLORREF topColour = 0xFFFFFF;
    COLORREF bottomColour = 0x808080;
    CWString menuWords[6];
    std::vector<CImageButtonItem*> menuButtons; // not owned
    CImageButtonItem* mainButton = nullptr;
    CImageItem* mainImage = nullptr;
    CItem* slideshow = nullptr;
    CArtisticTextItem* sloganItem = nullptr;
    CArtisticTextItem* companyItem = nullptr;
    CShapeItem* logoShape = nullptr;
    // The texture the picture backgrounds load into (not owned): the wizard's own, so a
    // texture of the user's is never loaded over.
    CPicture* backgroundTexture = nullptr;
    int sizeMode = 1;
    int wantDiscounts = 1, wantVideos = 1, wantGallery = 1, wantPrices = 1, wantDirections = 1;
    int dropDownMenu = 1;
    int headerSet = 0;
    int headerColours = 0;
    // Where the wizard's pictures are ("theme/abstract.jpg", "background%d.jpg"); the
    // "wizard" folder beside the program unless a caller chooses another.
    CString wizardFolder;

    // v scaled for the font size mode: 2/3 in mode 0, 3/2 in mode 2 (truncating).
    int ScaleBySizeMode(int v) const;
    // Lays the menu buttons out in a row ending at S(900) for menuStyle and renders them.
    void ApplyWizardMenuStyle();
    // The face of the "Default Font" choice.
    CString GetFontName() const;
    static CString FontNameByIndex(int index);

    // ---- what the pages change (the caller runs each inside one edit) ----
    // "General Style": sets the record from preset k and gives it to the site.
    void ApplyColourPreset(CKJDoc& doc, int k);
    // "Default Font": the site text's face, then every page is laid out again.
    void ApplyDefaultFont(CKJDoc& doc, int index);
    // "Headers" and "Colors": Heading 1 to 4 faces, sizes and colours.
    void ApplyHeadingTables(CKJDoc& doc, int set, int colours);
    // The button look of the record to the main button and every menu button.
    void ApplyButtonLook();
    // "Button Font": the face of every menu button (the main button keeps its own).
    void ApplyButtonFont(const CString& face);
    // Company page: the three texts of the logo, the slogan and the main button.
    void ApplyCompanyTexts(const CWString& company, const CWString& sloganText, const CWString& button);
    // The slogan's right and bottom edges back on S(870) and S(270).
    void AnchorSlogan(bool vertical);
    // "Background Theme": 0 solid, 1 gradient, 2 and 3 the pictures of the wizard folder.
    void ApplyBackgroundTheme(CKJDoc& doc, int theme);
    void ApplyTopColour(CKJDoc& doc, COLORREF colour);
    void ApplyBottomColour(CKJDoc& doc, COLORREF colour);
    // "Negative" and "Colorize" of the background picture (nothing without one).
    void ApplyBackgroundNegative(CKJDoc& doc, bool on);
    void ApplyBackgroundColorize(CKJDoc& doc, int mode);
    void ApplyStretchToBrowser(CKJDoc& doc, bool on);
    // "Change Image": the picture file becomes the home page's main image (a slideshow
    // goes), scaled and cropped to S(900) x S(300) when larger. False when nothing
    // changed (no home page).
    bool ChangeMainImage(CKJDoc& doc, const CString& path);
    // "Create Slideshow": slider (taken over) heads the home page in place of the main
    // image and of an earlier slideshow. Without a home page it is deleted.
    void SetSlideshow(CKJDoc& doc, CItem* slider);
};

// Colour presets ("General Style"), heading fonts ("Headers") and heading colours
// ("Colors") as the wizard offers them.
struct CWizardColourPreset {
    COLORREF top, bottom, page, text;
    int borderRelief, faceRelief, borderWidth, hairline, glass;
    COLORREF fill, line, buttonText, accent;
};
inline constexpr int kWizardPresetCount = 8;
extern const CWizardColourPreset kWizardColourPresets[kWizardPresetCount];
struct CWizardHeadingFont {
    const char* face;
    int size;
};
inline constexpr int kWizardHeadingSets = 6, kWizardHeadingColours = 11;
extern const CWizardHeadingFont kWizardHeadingFonts[kWizardHeadingSets][4];
extern const COLORREF kWizardHeadingColourTable[kWizardHeadingColours][4];

// An item of the wizard's site drawn again after a change, its box settled to the new picture.
void RerenderWizardItem(CImageItemBase& item);

// The finish step's mail script for the address; empty when the address is refused (a
// line break or anything but a plain mail address).
CString BuildWizardMailScript(const CString& email);
// A page written as PHP: the ".php" extension and the page's PHP flag.
void MarkPhpPage(CPage& page);
// The finish step: the "Thank you" page with the mail script and, when options[0] is
// set, the contact form on the page at index 7. Nothing for form kind 0. False when the
// address is refused (nothing is built then).
bool BuildWizardFinish(CKJDoc& doc, int formKind, const CString& email, const CContactFormOptions& options);
