#include "app/Wizard.h"

#include "controls/ColorControl.h"
#include "controls/DialogKit.h"
#include "controls/DialogTemplate.h"
#include "controls/FileChooser.h"
#include "dialogs/FormDialogs.h"
#include "dialogs/SliderDialogs.h"
#include "document/EditScope.h"
#include "document/KJDoc.h"
#include "editor/commands/InsertCommands.h"
#include "model/items/SliderItem.h"
#include "framework/core/MessageBox.h"
#include "framework/core/Profile.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DocView.h"
#include "framework/ui/Frames.h"
#include "framework/ui/Shell.h"
#include "framework/ui/Translation.h"
#include "framework/ui/WinApp.h"
#include "model/Page.h"
#include "model/Translate.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/ImageButtonItem.h"

#include <QtCore/QStandardPaths>
#include <QtGui/QFontDatabase>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <algorithm>

std::vector<CString> WizardFontFamilies()
{
    std::vector<CString> out;
    for (const QString& family : QFontDatabase::families()) {
        if (!QFontDatabase::isScalable(family) || QFontDatabase::isPrivateFamily(family))
            continue;
        if (QFontDatabase::writingSystems(family).contains(QFontDatabase::Symbol))
            continue;
        out.push_back(CString::FromQString(family));
    }
    std::sort(out.begin(), out.end(), [](const CString& a, const CString& b) { return a.CompareNoCase(b) < 0; });
    return out;
}

// ---------------------------------------------------------------- common

BOOL CWizardPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    TranslateWindow(this);
    return TRUE;
}

void CWizardPage::Edit(const std::function<void()>& change)
{
    CEditScope scope(Doc());
    scope.TouchSite();
    change();
}

void CWizardPage::SetButtons(UINT flags)
{
    if (GetSheet())
        GetSheet()->SetWizardButtons(flags);
}

void CWizardPage::FillFontList(int id, const CString& selected)
{
    auto* combo = qobject_cast<QComboBox*>(GetDlgItem(id));
    if (!combo)
        return;
    const QSignalBlocker block(combo);
    combo->clear();
    for (const CString& family : WizardFontFamilies())
        combo->addItem(family.ToQString());
    combo->setCurrentIndex(combo->findText(selected.ToQString(), Qt::MatchExactly));
}

namespace {
QComboBox* Combo(const CDialog& dialog, int id) { return qobject_cast<QComboBox*>(dialog.GetDlgItem(id)); }
int Selection(const CDialog& dialog, int id)
{
    QComboBox* combo = Combo(dialog, id);
    return combo ? combo->currentIndex() : -1;
}
COLORREF ButtonColor(const CDialog& dialog, int id)
{
    auto* button = dynamic_cast<CColorButton*>(dialog.GetDlgItem(id));
    return button ? button->GetColor() : 0;
}
void LimitEdit(const CDialog& dialog, int id, int limit)
{
    if (auto* edit = qobject_cast<QLineEdit*>(dialog.GetDlgItem(id)))
        edit->setMaxLength(limit);
}
CWString WideText(const CDialog& dialog, int id)
{
    CWString text;
    text.FromUtf8(dialog.GetDlgItemText(id).GetString());
    return text;
}
void SetWideText(CDialog& dialog, int id, const CWString& text) { dialog.SetDlgItemText(id, text.GetUtf8()); }
} // namespace

// ---------------------------------------------------------------- 318: pages

namespace {
const DlgControl kPagesControls[] = {
    {IDC_STATIC, DlgKind::Static, "Top Menu Pages:", nullptr, 0},
    {2000, DlgKind::Edit, nullptr, nullptr, 0},
    {2001, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {2002, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {2003, DlgKind::Edit, nullptr, nullptr, 0},
    {2004, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {2005, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "More subpages:", nullptr, 0},
    {1001, DlgKind::Check, "Special Discounts", nullptr, 0},
    {1202, DlgKind::Check, "Videos", nullptr, kDlgBeside},
    {1403, DlgKind::Check, "Photo Gallery", nullptr, kDlgBeside},
    {1304, DlgKind::Check, "Price Lists", nullptr, 0},
    {1205, DlgKind::Check, "Driving Directions", nullptr, kDlgBeside},
    {1009, DlgKind::Check, "Drop Down Menu", nullptr, 0},
};
const DlgTemplate kPagesTemplate{318, "Website Wizard", true, kPagesControls};
const int kSubpageBoxes[5] = {1001, 1202, 1403, 1304, 1205};
} // namespace

DWizardPages::DWizardPages(const CWizardTarget& target) : CWizardPage(target) { BuildDialog(*this, kPagesTemplate); }

BOOL DWizardPages::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    for (int i = 0; i < 6; ++i) {
        LimitEdit(*this, 2000 + i, 10);
        SetWideText(*this, 2000 + i, State().menuWords[i]);
    }
    for (int id : kSubpageBoxes)
        CheckDlgButton(id, 1);
    return TRUE;
}

BOOL DWizardPages::OnSetActive()
{
    SetButtons(PSWIZB_NEXT);
    return TRUE;
}

void DWizardPages::DoDataExchange(CDataExchange* pDX) { DDX_Check(pDX, 1009, State().dropDownMenu); }

int DWizardPages::OnWizardNext()
{
    CWizardState& s = State();
    s.wantDirections = IsDlgButtonChecked(1205);
    s.wantGallery = IsDlgButtonChecked(1403);
    s.wantPrices = IsDlgButtonChecked(1304);
    s.wantDiscounts = IsDlgButtonChecked(1001);
    s.wantVideos = IsDlgButtonChecked(1202);
    s.dropDownMenu = IsDlgButtonChecked(1009);
    for (int i = 0; i < 6; ++i)
        s.menuWords[i] = WideText(*this, 2000 + i);
    {
        CEditScope scope(Doc());
        scope.TouchSite();
        scope.SetHint(HINT_FILL_TREE);
        Doc().FreeDocumentContent();
        Doc().BuildThemeWebsite(s);
    }
    if (m_target.update) {
        m_target.update(HINT_SET_PAGE, Doc().m_pages.empty() ? nullptr : Doc().m_pages.front().get());
        m_target.update(HINT_REPAINT, nullptr);
    }
    return 0;
}

// ---------------------------------------------------------------- 245: company

namespace {
const DlgControl kCompanyControls[] = {
    {IDC_STATIC, DlgKind::Static, "Company Name:", nullptr, 0},
    {1303, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Company Slogan:", nullptr, 0},
    {1204, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Main Button:", nullptr, 0},
    {1010, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
};
const DlgTemplate kCompanyTemplate{245, "Website Wizard", true, kCompanyControls};
} // namespace

DWizardCompany::DWizardCompany(const CWizardTarget& target) : CWizardPage(target)
{
    BuildDialog(*this, kCompanyTemplate);
    LimitEdit(*this, 1303, 18);
    LimitEdit(*this, 1204, 46);
    LimitEdit(*this, 1010, 14);
}

BOOL DWizardCompany::OnSetActive()
{
    SetButtons(PSWIZB_NEXT);
    const CWizardState& s = State();
    if (s.companyItem)
        SetWideText(*this, 1303, s.companyItem->m_strText);
    if (s.sloganItem)
        SetWideText(*this, 1204, s.sloganItem->m_strText);
    if (s.mainButton)
        SetWideText(*this, 1010, s.mainButton->m_strText);
    return TRUE;
}

BOOL DWizardCompany::OnKillActive()
{
    const CWString company = WideText(*this, 1303), slogan = WideText(*this, 1204), button = WideText(*this, 1010);
    Edit([&] { State().ApplyCompanyTexts(company, slogan, button); });
    return CWizardPage::OnKillActive();
}

// ---------------------------------------------------------------- 319: style and main image

namespace {
const DlgControl kStyleControls[] = {
    {IDC_STATIC, DlgKind::Static, "General Style:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, "Black|White|Green|Orange|Blue|Pink|Sepia|Emerald", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Default Font:", nullptr, kDlgBeside},
    {1019, DlgKind::Combo, nullptr,
     "Verdana|Arial|Times|Courier|Tahoma|Georgia|Lucida Sans Unicode|Lucida Console|Palatino Linotype|Comic Sans "
     "MS|Trebuchet MS",
     kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Headers:", nullptr, 0},
    {1020, DlgKind::Combo, nullptr, "Trebuchet|Georgia|Palatino|Comic|Arial|Tahoma", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Colors:", nullptr, kDlgBeside},
    {1021, DlgKind::Combo, nullptr, "Gray|Light Gray|Red|Blue|Green|Orange|Lime|Cyan|Pink|Violet|Emerald", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Main Image:", nullptr, 0},
    {1025, DlgKind::Button, "Change Image", nullptr, kDlgBeside},
    {1026, DlgKind::Button, "Browse My Pictures", nullptr, kDlgBeside},
    {1027, DlgKind::Button, "Create Slideshow", nullptr, 0},
    {1028, DlgKind::Button, "Buy Photos", nullptr, kDlgBeside},
};
const DlgTemplate kStyleTemplate{319, "Website Wizard", true, kStyleControls};
} // namespace

DWizard1A::DWizard1A(const CWizardTarget& target) : CWizardPage(target)
{
    BuildDialog(*this, kStyleTemplate);
    OnNotify(1018, CBN_SELCHANGE, [this] {
        const int k = Selection(*this, 1018);
        Edit([&] { State().ApplyColourPreset(Doc(), k); });
    });
    OnNotify(1019, CBN_SELCHANGE, [this] {
        const int index = Selection(*this, 1019);
        Edit([&] { State().ApplyDefaultFont(Doc(), index); });
    });
    auto headings = [this] {
        const int set = Selection(*this, 1020), colours = Selection(*this, 1021);
        Edit([&] { State().ApplyHeadingTables(Doc(), set, colours); });
    };
    OnNotify(1020, CBN_SELCHANGE, headings);
    OnNotify(1021, CBN_SELCHANGE, headings);
    OnNotify(1025, BN_CLICKED, [this] { ChooseMainImage(State().wizardFolder + "theme/"); });
    OnNotify(1026, BN_CLICKED, [this] {
        ChooseMainImage(CString::FromQString(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)));
    });
    OnNotify(1027, BN_CLICKED, [this] { CreateSlideshow(); });
    OnNotify(1028, BN_CLICKED, [] { ShellOpenOrReport(kWizardPhotoShop); });
}

BOOL DWizard1A::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    return TRUE;
}

void DWizard1A::CreateSlideshow()
{
    DNewSlider dlg(this);
    dlg.m_nWidth = Doc().m_nPageWidth;
    dlg.m_nHeight = Doc().m_nPageWidth / 3;
    if (dlg.DoModal() != IDOK)
        return;
    CWaitCursor wait;
    Edit([&] {
        State().SetSlideshow(Doc(), BuildSlider(Doc(), dlg.m_nWidth, dlg.m_nHeight, dlg.m_nFrameTime, dlg.m_nDirection,
                                                dlg.m_bDescriptions != 0, dlg.m_paths));
    });
}

BOOL DWizard1A::OnSetActive()
{
    SetButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return TRUE;
}

void DWizard1A::DoDataExchange(CDataExchange* pDX)
{
    CWizardState& s = State();
    DDX_CBIndex(pDX, 1018, s.generalStyle);
    DDX_CBIndex(pDX, 1019, s.defaultFont);
    DDX_CBIndex(pDX, 1020, s.headerSet);
    DDX_CBIndex(pDX, 1021, s.headerColours);
}

void DWizard1A::ChooseMainImage(const CString& folder)
{
    CFileChooser chooser;
    chooser.SetFilter("Images (*.png;*.jpg;*.bmp)|*.png;*.jpg;*.bmp||");
    chooser.AddFlags(OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    chooser.SetTitle(Translate("Import Image"));
    chooser.SetInitialFolder(folder);
    if (!chooser.DoOpen())
        return;
    const std::vector<CString> paths = chooser.GetPathNames();
    if (paths.empty())
        return;
    CWaitCursor wait;
    Edit([&] { State().ChangeMainImage(Doc(), paths.front()); });
}

// ---------------------------------------------------------------- 313: buttons

namespace {
const DlgControl kButtonsControls[] = {
    {IDC_STATIC, DlgKind::Static, "Top Menu Buttons:", nullptr, 0},
    {1039, DlgKind::Combo, nullptr,
     "Rectangle|Square|Ellipse|Circle|Rounded Rectangle|Rounded Square|Full Rounded Rectangle", kDlgBeside},
    {1040, DlgKind::Combo, nullptr, "Flat|Outset|Inset", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Button Border:", nullptr, 0},
    {1041, DlgKind::Combo, nullptr, "0|1|2|3|4|5|6|7|8", kDlgBeside},
    {1042, DlgKind::Combo, nullptr, "Flat|Outset|Inset", kDlgBeside},
    {1045, DlgKind::Color, "Line Color", nullptr, 0},
    {1019, DlgKind::Color, "Fill Color", nullptr, kDlgBeside},
    {1026, DlgKind::Color, "Text Color", nullptr, 0},
    {1028, DlgKind::Color, "Over Color", nullptr, kDlgBeside},
    {1001, DlgKind::Check, "Hairline", nullptr, 0},
    {1009, DlgKind::Check, "Glass", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Button Font:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, nullptr, kDlgBeside},
};
const DlgTemplate kButtonsTemplate{313, "Website Wizard", true, kButtonsControls};
} // namespace

DWizardButtons::DWizardButtons(const CWizardTarget& target) : CWizardPage(target)
{
    BuildDialog(*this, kButtonsTemplate);
    OnNotify(1039, CBN_SELCHANGE, [this] {
        State().menuStyle = Selection(*this, 1039);
        Edit([&] { State().ApplyWizardMenuStyle(); });
    });
    for (int id : {1040, 1041, 1042})
        OnNotify(id, CBN_SELCHANGE, [this] { LookChanged(); });
    for (int id : {1001, 1009})
        OnNotify(id, BN_CLICKED, [this] { LookChanged(); });
    for (int id : {1019, 1026, 1045, 1028})
        OnNotify(id, NM_CLICK, [this] { LookChanged(); });
    OnNotify(1018, CBN_SELCHANGE, [this] {
        const CString face = GetDlgItemText(1018);
        Edit([&] { State().ApplyButtonFont(face); });
    });
}

BOOL DWizardButtons::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    FillFontList(1018, State().buttonFont);
    return TRUE;
}

BOOL DWizardButtons::OnSetActive()
{
    SetButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return TRUE;
}

void DWizardButtons::DoDataExchange(CDataExchange* pDX)
{
    CWizardState& s = State();
    DdxUserData(pDX, 1019, s.fillColour);
    DdxUserData(pDX, 1026, s.buttonTextColour);
    DdxUserData(pDX, 1045, s.lineColour);
    DdxUserData(pDX, 1028, s.overColour);
    DDX_CBIndex(pDX, 1039, s.menuStyle);
    DDX_CBIndex(pDX, 1040, s.faceRelief);
    DDX_CBIndex(pDX, 1041, s.borderWidth);
    DDX_CBIndex(pDX, 1042, s.borderRelief);
    DDX_Check(pDX, 1009, s.glass);
    DDX_Check(pDX, 1001, s.hairline);
}

void DWizardButtons::LookChanged()
{
    CWizardState& s = State();
    s.faceRelief = Selection(*this, 1040);
    s.borderWidth = Selection(*this, 1041);
    s.borderRelief = Selection(*this, 1042);
    s.hairline = IsDlgButtonChecked(1001);
    s.glass = IsDlgButtonChecked(1009);
    s.fillColour = ButtonColor(*this, 1019);
    s.buttonTextColour = ButtonColor(*this, 1026);
    s.lineColour = ButtonColor(*this, 1045);
    s.overColour = ButtonColor(*this, 1028);
    Edit([&] { s.ApplyButtonLook(); });
}

// ---------------------------------------------------------------- 314: slogan

namespace {
const DlgControl kSloganControls[] = {
    {IDC_STATIC, DlgKind::Static, "Slogan Font:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, nullptr, kDlgBeside},
    {1019, DlgKind::Color, "Slogan Color", nullptr, 0},
    {1001, DlgKind::Check, "Shadow", nullptr, 0},
    {1202, DlgKind::Check, "Bold", nullptr, kDlgBeside},
    {1403, DlgKind::Check, "Italic", nullptr, kDlgBeside},
};
const DlgTemplate kSloganTemplate{314, "Website Wizard", true, kSloganControls};
} // namespace

DWizardSlogan::DWizardSlogan(const CWizardTarget& target) : CWizardPage(target)
{
    BuildDialog(*this, kSloganTemplate);
    OnNotify(1018, CBN_SELCHANGE, [this] {
        State().sloganFont = GetDlgItemText(1018);
        SloganChanged([this](CArtisticTextItem& s) {
            SetLogFontFace(s.m_lf, State().sloganFont.GetString());
        });
    });
    OnNotify(1001, BN_CLICKED, [this] {
        const int on = IsDlgButtonChecked(1001);
        SloganChanged([on](CArtisticTextItem& s) { s.m_nShadowKind = on; });
    });
    OnNotify(1202, BN_CLICKED, [this] {
        const bool on = IsDlgButtonChecked(1202) != 0;
        SloganChanged([on](CArtisticTextItem& s) { s.m_lf.lfWeight = on ? 700 : 400; });
    });
    OnNotify(1403, BN_CLICKED, [this] {
        const bool on = IsDlgButtonChecked(1403) != 0;
        SloganChanged([on](CArtisticTextItem& s) { s.m_lf.lfItalic = on ? 1 : 0; });
    });
    OnNotify(1019, NM_CLICK, [this] {
        State().sloganColour = ButtonColor(*this, 1019);
        SloganChanged([this](CArtisticTextItem& s) { s.m_crText = State().sloganColour; }, false);
    });
}

BOOL DWizardSlogan::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    FillFontList(1018, State().sloganFont);
    if (const CArtisticTextItem* slogan = State().sloganItem) {
        CheckDlgButton(1202, slogan->m_lf.lfWeight >= 700 ? 1 : 0);
        CheckDlgButton(1403, slogan->m_lf.lfItalic ? 1 : 0);
    }
    return TRUE;
}

void DWizardSlogan::DoDataExchange(CDataExchange* pDX)
{
    DdxUserData(pDX, 1019, State().sloganColour);
    int shadowless = 0;
    DDX_Check(pDX, 1001, State().sloganItem ? State().sloganItem->m_nShadowKind : shadowless);
}

void DWizardSlogan::SloganChanged(const std::function<void(CArtisticTextItem&)>& change, bool anchor)
{
    CArtisticTextItem* slogan = State().sloganItem;
    if (!slogan)
        return;
    Edit([&] {
        change(*slogan);
        RerenderWizardItem(*slogan);
        if (anchor)
            State().AnchorSlogan(true);
    });
}

// ---------------------------------------------------------------- 315: background

namespace {
const DlgControl kBackgroundControls[] = {
    {IDC_STATIC, DlgKind::Static, "Background Theme:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, "Solid|Gradient|Abstract|Stars", kDlgBeside},
    {1019, DlgKind::Color, "Top Color", nullptr, 0},
    {1026, DlgKind::Color, "Bottom Color", nullptr, kDlgBeside},
    {1001, DlgKind::Check, "Negative", nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Colorize:", nullptr, kDlgBeside},
    {1020, DlgKind::Combo, nullptr, "<none>|R<>G|G<>B|R<>B|R>G>B|R<G<B", kDlgBeside},
    {1002, DlgKind::Check, "Stretch to Browser", nullptr, 0},
};
const DlgTemplate kBackgroundTemplate{315, "Website Wizard", true, kBackgroundControls};
} // namespace

DWizardBackground::DWizardBackground(const CWizardTarget& target) : CWizardPage(target)
{
    BuildDialog(*this, kBackgroundTemplate);
    OnNotify(1018, CBN_SELCHANGE, [this] {
        const int theme = Selection(*this, 1018);
        Edit([&] { State().ApplyBackgroundTheme(Doc(), theme); });
        ShowThemeControls();
    });
    OnNotify(1019, NM_CLICK, [this] {
        const COLORREF c = ButtonColor(*this, 1019);
        Edit([&] { State().ApplyTopColour(Doc(), c); });
    });
    OnNotify(1026, NM_CLICK, [this] {
        const COLORREF c = ButtonColor(*this, 1026);
        Edit([&] { State().ApplyBottomColour(Doc(), c); });
    });
    OnNotify(1001, BN_CLICKED, [this] {
        const bool on = IsDlgButtonChecked(1001) != 0;
        Edit([&] { State().ApplyBackgroundNegative(Doc(), on); });
    });
    OnNotify(1020, CBN_SELCHANGE, [this] {
        const int mode = Selection(*this, 1020);
        Edit([&] { State().ApplyBackgroundColorize(Doc(), mode); });
    });
    OnNotify(1002, BN_CLICKED, [this] {
        const bool on = IsDlgButtonChecked(1002) != 0;
        Edit([&] { State().ApplyStretchToBrowser(Doc(), on); });
    });
}

BOOL DWizardBackground::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    CheckDlgButton(1002, Doc().m_bStretchToBrowser ? 1 : 0);
    if (QComboBox* colorize = Combo(*this, 1020))
        colorize->setCurrentIndex(0);
    ShowThemeControls();
    return TRUE;
}

void DWizardBackground::DoDataExchange(CDataExchange* pDX)
{
    CWizardState& s = State();
    DDX_CBIndex(pDX, 1018, s.backgroundTheme);
    DdxUserData(pDX, 1019, s.topColour);
    DdxUserData(pDX, 1026, s.bottomColour);
}

void DWizardBackground::ShowThemeControls()
{
    const int t = State().backgroundTheme;
    if (QWidget* top = GetDlgItem(1019))
        top->setVisible(t == 1);
    if (QWidget* bottom = GetDlgItem(1026))
        bottom->setVisible(t <= 1);
    EnableDlgItem(1001, t > 1);
    EnableDlgItem(1020, t > 1);
}

// ---------------------------------------------------------------- 316: contact form

namespace {
const DlgControl kContactControls[] = {
    {IDC_STATIC, DlgKind::Static, "Add contact form to your website. The form will be sent by email.", nullptr, 0},
    {1018, DlgKind::Combo, nullptr,
     "No contact form|Message (first name, last name, email, message)|Schedule visit (first name, last name, email, "
     "phone, date, time)|Order (first name, last name, email, company, address, product)",
     0},
    {IDC_STATIC, DlgKind::Static, "Email:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1025, DlgKind::Button, "Customize Form", nullptr, kDlgBeside},
};
const DlgTemplate kContactTemplate{316, "Website Wizard", true, kContactControls};
} // namespace

DWizardContact::DWizardContact(const CWizardTarget& target) : CWizardPage(target)
{
    BuildDialog(*this, kContactTemplate);
    m_strEmail = GetProfileString("Current", "Email", kWizardPlaceholderEmail);
    if (m_strEmail.IsEmpty())
        m_strEmail = kWizardPlaceholderEmail;
    OnNotify(1018, CBN_SELCHANGE, [this] { KindChanged(); });
    OnNotify(1025, BN_CLICKED, [this] { CustomizeForm(); });
}

BOOL DWizardContact::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    KindChanged();
    return TRUE;
}

BOOL DWizardContact::OnSetActive()
{
    SetButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return TRUE;
}

void DWizardContact::DoDataExchange(CDataExchange* pDX)
{
    DDX_CBIndex(pDX, 1018, m_nFormKind);
    DDX_Text(pDX, 1000, m_strEmail);
}

void DWizardContact::KindChanged()
{
    const bool form = Selection(*this, 1018) >= 1;
    EnableDlgItem(1000, form);
    EnableDlgItem(1025, form);
}

void DWizardContact::CustomizeForm()
{
    DInsertForm dlg(this);
    dlg.m_options = m_options; // a copy: Cancel leaves the record alone
    if (dlg.DoModal() == IDOK)
        m_options = dlg.m_options;
}

int DWizardContact::OnWizardNext()
{
    CString email = m_strEmail;
    if (m_nFormKind >= 1 && !IsPlainMailAddress(email.Trim())) {
        AfxMessageBox(Translate("Enter a valid email address."), MB_ICONEXCLAMATION);
        return -1;
    }
    return 0;
}

// ---------------------------------------------------------------- 317: finish

namespace {
const DlgControl kFinishControls[] = {
    {IDC_STATIC, DlgKind::Static, "Congratulations! Your website is now created. Click Finish to start editing the project.",
     nullptr, 0},
};
const DlgTemplate kFinishTemplate{317, "Website Wizard", true, kFinishControls};
} // namespace

DWizardFinish::DWizardFinish() { BuildDialog(*this, kFinishTemplate); }

BOOL DWizardFinish::OnSetActive()
{
    if (GetSheet())
        GetSheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    return TRUE;
}

// ---------------------------------------------------------------- the sheet

int RunWebsiteWizard(CDocument& frameDoc, CKJDoc& doc)
{
    CWizardState state;
    CWizardTarget target{&doc, &state, [&frameDoc](long hint, void* object) { frameDoc.UpdateAllViews(nullptr, hint, object); }};
    DWizardPages pages(target);
    DWizardCompany company(target);
    DWizard1A style(target);
    DWizardButtons buttons(target);
    DWizardSlogan slogan(target);
    DWizardBackground background(target);
    DWizardContact contact(target);
    DWizardFinish finish;
    CWinApp* app = AfxGetApp();
    CPropertySheet sheet("Website Wizard", app ? static_cast<QWidget*>(app->m_pMainWnd) : nullptr);
    for (CPropertyPage* page : std::initializer_list<CPropertyPage*>{&pages, &company, &style, &buttons, &slogan,
                                                                      &background, &contact, &finish})
        sheet.AddPage(page);
    sheet.SetWizardMode();
    const int result = sheet.DoModal();
    if (result != ID_WIZFINISH)
        return result;

    CString email = contact.m_strEmail;
    email.Trim();
    if (contact.m_nFormKind >= 1 && IsPlainMailAddress(email))
        WriteProfileString("Current", "Email", email.GetString());
    {
        CEditScope scope(doc);
        scope.TouchSite();
        scope.SetHint(HINT_FILL_TREE);
        BuildWizardFinish(doc, contact.m_nFormKind, email, contact.m_options);
    }
    return result;
}
