#include "dialogs/TextMediaDialogs.h"

#include "controls/ColorControl.h"
#include "dialogs/ArtisticTextDialogs.h"
#include "dialogs/ItemExchange.h"
#include "dialogs/LinkItemDialogs.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Shell.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/EmailItem.h"
#include "model/items/ShapeItem.h"
#include "model/items/TextItem.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>

#include <algorithm>

namespace {

constexpr const char* kFaces = "Verdana|Arial|Times|Courier|Tahoma|Georgia|Lucida Sans Unicode|Lucida Console|"
                               "Palatino Linotype|Comic Sans MS|Trebuchet MS|Arial Black";
constexpr const char* kVideoSite = "https://www.youtube.com";

const DlgControl kTextControls[] = {
    {1000, DlgKind::MultiEdit, nullptr, nullptr, 0},
    {IDC_STATIC, DlgKind::Static, "Face Name:", nullptr, 0},
    {1036, DlgKind::EditCombo, nullptr, kFaces, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Font Size:", nullptr, 0},
    {1037, DlgKind::EditCombo, nullptr,
     "7|8|9|10|11|12|13|14|15|16|17|18|19|20|22|24|26|28|30|32|36|38|42|48|56|64|72", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "pt", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Bold:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr, "normal|bold|", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Italic:", nullptr, 0},
    {1019, DlgKind::Combo, nullptr, "normal|italic|", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Underline:", nullptr, 0},
    {1020, DlgKind::Combo, nullptr, "none|underlined|strike-through", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Letter spacing:", nullptr, 0},
    {1002, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {1050, DlgKind::Color, "Font Color", nullptr, 0},
    {1001, DlgKind::Check, "Allow Tags  < >", nullptr, 0},
    {1025, DlgKind::Button, "Bullet", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kPreformattedControls[] = {
    {1000, DlgKind::MultiEdit, nullptr, nullptr, 0},
    {1001, DlgKind::Check, "Allow Tags  < >", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kEmailControls[] = {
    {IDC_STATIC, DlgKind::Static, "Text:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Email address:", nullptr, 0},
    {1001, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Subject:", nullptr, 0},
    {1002, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Carbon Copy (CC):", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Initial Content:", nullptr, 0},
    {1004, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Face Name:", nullptr, 0},
    {1036, DlgKind::EditCombo, nullptr, kFaces, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Font Size:", nullptr, 0},
    {1005, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "pt", nullptr, kDlgBeside},
    {1006, DlgKind::Check, "Bold", nullptr, 0},
    {1007, DlgKind::Check, "Italic", nullptr, kDlgBeside},
    {1050, DlgKind::Color, "Font Color", nullptr, 0},
    {1008, DlgKind::Check, "Spam Protection", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kVideoStreamControls[] = {
    {IDC_STATIC, DlgKind::Static, "File Path:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Size:", nullptr, 0},
    {1001, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "x", nullptr, kDlgBeside},
    {1002, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1003, DlgKind::Check, "Autostart", nullptr, 0},
    {1004, DlgKind::Check, "Navigation Buttons", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
const DlgControl kYouTubeControls[] = {
    {IDC_STATIC, DlgKind::Static, "Link to Video:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Arguments:", nullptr, 0},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Size:", nullptr, 0},
    {1001, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "x", nullptr, kDlgBeside},
    {1002, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Source:", nullptr, 0},
    {1004, DlgKind::Static, "", nullptr, kDlgBeside},
    {1025, DlgKind::Button, "Browse Videos", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};
constexpr const char* kReliefs = "Flat|Outset|Inset|Bar|Metal|Glass";
const DlgControl kShapeControls[] = {
    {IDC_STATIC, DlgKind::Static, "Shape:", nullptr, 0},
    {1018, DlgKind::Combo, nullptr,
     "Rectangle|Ellipse|Rounded Rectangle|Rounded 1/4|Rounded 1/2|Full Rounded|Top Tab|Bottom Tab|Star|Star 10 Rays|"
     "Star 20 Rays|Star 50 Rays|Triangle Up|Triangle Down|Triangle Left|Triangle Right|Halfhex Up|Halfhex Down|"
     "Halfhex Left|Halfhex Right|Arrow Up|Arrow Down|Arrow Left|Arrow Right",
     kDlgBeside},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Size:", nullptr, 0},
    {1001, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "x", nullptr, kDlgBeside},
    {1002, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Fill:", nullptr, 0},
    {1019, DlgKind::Combo, nullptr,
     "No Fill|Solid Fill|Gradient Down|Gradient Right|Gradient Circular|Gradient Up|Gradient Left", kDlgBeside},
    {1050, DlgKind::Color, "Fill Color", nullptr, 0},
    {1051, DlgKind::Color, "Gradient Color", nullptr, kDlgBeside},
    {1004, DlgKind::Check, "2 Way", nullptr, kDlgBeside},
    {1020, DlgKind::Combo, nullptr, kReliefs, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Line Width:", nullptr, 0},
    {1021, DlgKind::Combo, nullptr, "<none>|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20", kDlgBeside},
    {1052, DlgKind::Color, "Line Color", nullptr, kDlgBeside},
    {1022, DlgKind::Combo, nullptr, kReliefs, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Opacity:", nullptr, 0},
    {1023, DlgKind::Combo, nullptr, "100%|90%|80%|70%|60%|50%|40%|30%|20%|10%", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Angle:", nullptr, 0},
    {1005, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {1006, DlgKind::Check, "Antialiased Edges", nullptr, 0},
    {1007, DlgKind::Check, "Behind", nullptr, kDlgBeside},
    {1025, DlgKind::Button, "Text", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

void LimitEdit(CDialog& d, int id, int chars) { qobject_cast<QLineEdit*>(d.GetDlgItem(id))->setMaxLength(chars); }

} // namespace

const DlgTemplate kTextTemplate{195, "Text", true, kTextControls};
const DlgTemplate kPreformattedTextTemplate{173, "Preformatted Text", true, kPreformattedControls};
const DlgTemplate kEmailTemplate{323, "Email", true, kEmailControls};
const DlgTemplate kVideoStreamTemplate{309, "Video Stream", true, kVideoStreamControls};
const DlgTemplate kYouTubeTemplate{206, "YouTube", true, kYouTubeControls};
const DlgTemplate kShapeTemplate{228, "Shape", true, kShapeControls};

CString ExtractVideoId(const CString& link)
{
    const std::string s = link.GetString();
    const std::size_t query = s.find('?');
    if (query != std::string::npos) {
        // the "v" argument names the video wherever it stands
        std::size_t at = query + 1;
        while (at <= s.size()) {
            std::size_t end = s.find_first_of("&#", at);
            if (end == std::string::npos)
                end = s.size();
            const std::string arg = s.substr(at, end - at);
            if (arg.rfind("v=", 0) == 0 && arg.size() > 2)
                return CString(arg.substr(2).c_str());
            if (end >= s.size() || s[end] == '#')
                break;
            at = end + 1;
        }
    }
    std::string path = s.substr(0, std::min(s.find_first_of("?#"), s.size()));
    while (!path.empty() && path.back() == '/')
        path.pop_back();
    const std::size_t slash = path.rfind('/');
    return CString((slash == std::string::npos ? path : path.substr(slash + 1)).c_str());
}

CString YouTubeSource(const CString& id, const CString& arguments)
{
    CString source = CString(kVideoSite) + "/v/" + id;
    if (!arguments.IsEmpty()) {
        if (arguments[0] != '?')
            source += "?";
        source += arguments;
    }
    return source;
}

// ---- DText

DText::DText(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kTextTemplate);
    OnNotify(1025, BN_CLICKED, [this] {
        DBullet dlg(this);
        dlg.m_pItem = m_pItem;
        dlg.DoModal();
    });
}

void DText::DoDataExchange(CDataExchange* pDX)
{
    DDX_TextW(pDX, 1000, m_pItem->m_strText);
    DDX_CBString(pDX, 1036, m_pItem->m_strFontFace);
    DDX_PositiveSize(pDX, 1037, m_pItem->m_nFontSize);
    DDX_CBIndex(pDX, 1018, m_pItem->m_nBold);
    DDX_CBIndex(pDX, 1019, m_pItem->m_nItalic);
    DDX_CBIndex(pDX, 1020, m_pItem->m_nDecoration);
    DDX_Text(pDX, 1002, m_pItem->m_nLetterSpacing);
    DdxUserData(pDX, 1050, m_pItem->m_crText);
    DDX_Check(pDX, 1001, m_pItem->m_bRawText);
}

// ---- DPreformattedText

DPreformattedText::DPreformattedText(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kPreformattedTextTemplate); }

void DPreformattedText::DoDataExchange(CDataExchange* pDX)
{
    DDX_TextW(pDX, 1000, m_strText);
    DDX_Check(pDX, 1001, m_bAllowTags);
}

// ---- DEmail

DEmail::DEmail(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kEmailTemplate);
    for (int id : {1000, 1001, 1002, 1003, 1004})
        LimitEdit(*this, id, 200);
}

void DEmail::DoDataExchange(CDataExchange* pDX)
{
    DDX_TextW(pDX, 1000, m_pItem->m_strText);
    DDX_Text(pDX, 1001, m_pItem->m_strAddress);
    DDX_Text(pDX, 1002, m_pItem->m_strSubject);
    DDX_Text(pDX, 1003, m_pItem->m_strCc);
    DDX_Text(pDX, 1004, m_pItem->m_strBody);
    DDX_CBString(pDX, 1036, m_pItem->m_strFontFace);
    DDX_PositiveSize(pDX, 1005, m_pItem->m_nFontSize);
    DDX_InheritFlag(pDX, 1006, m_pItem->m_nBold);
    DDX_InheritFlag(pDX, 1007, m_pItem->m_nItalic);
    DdxUserData(pDX, 1050, m_pItem->m_crText);
    DDX_Check(pDX, 1008, m_pItem->m_nEncode);
}

// ---- DVideoStream

DVideoStream::DVideoStream(QWidget* parent) : CDialog(parent) { BuildDialog(*this, kVideoStreamTemplate); }

void DVideoStream::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1000, m_strPath);
    DDX_Text(pDX, 1001, m_nWidth);
    DDV_MinMaxInt(pDX, m_nWidth, 1, 3000);
    DDX_Text(pDX, 1002, m_nHeight);
    DDV_MinMaxInt(pDX, m_nHeight, 1, 3000);
    DDX_Check(pDX, 1003, m_bAutostart);
    DDX_Check(pDX, 1004, m_bNavigation);
}

// ---- DYouTube

DYouTube::DYouTube(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kYouTubeTemplate);
    OnNotify(1000, EN_CHANGE, [this] { ShowSource(); });
    OnNotify(1003, EN_CHANGE, [this] { ShowSource(); });
    OnNotify(1025, BN_CLICKED, [] { ShellOpen(kVideoSite); });
}

BOOL DYouTube::OnInitDialog()
{
    CDialog::OnInitDialog();
    ShowSource();
    return TRUE;
}

void DYouTube::ShowSource()
{
    CString shown = YouTubeSource(ExtractVideoId(GetDlgItemText(1000)), GetDlgItemText(1003));
    shown.Replace("&", "&&");
    SetDlgItemText(1004, shown);
}

void DYouTube::DoDataExchange(CDataExchange* pDX)
{
    // values land in locals first: a refused size stores nothing
    CString link = m_strLink, arguments = m_strArguments;
    int width = m_nWidth, height = m_nHeight;
    DDX_Text(pDX, 1000, link);
    DDX_Text(pDX, 1003, arguments);
    DDX_Text(pDX, 1001, width);
    DDV_MinMaxInt(pDX, width, 1, 3000);
    DDX_Text(pDX, 1002, height);
    DDV_MinMaxInt(pDX, height, 1, 3000);
    if (pDX->m_bSaveAndValidate) {
        m_strLink = ExtractVideoId(link);
        m_strArguments = arguments;
        m_nWidth = width;
        m_nHeight = height;
    }
}

// ---- DShape

DShape::DShape(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kShapeTemplate);
    KeepColorSwatches(*this, {1050, 1051, 1052});
    for (int id : {1018, 1019, 1021})
        OnNotify(id, CBN_SELCHANGE, [this] { UpdateVisibility(); });
    OnNotify(1025, BN_CLICKED, [this] { OnText(); });
}

BOOL DShape::OnInitDialog()
{
    const CShapeItem& s = *m_pItem;
    m_nShape = s.m_nFrameShape;
    m_nWidth = s.m_nRenderWidth;
    m_nHeight = s.m_nRenderHeight;
    m_nRadius = s.m_nCornerRadius;
    m_nFill = s.m_nFill;
    m_crFill = s.m_crSecond;
    m_crGradient = s.m_crGradient;
    m_crLine = s.m_crFrame;
    m_b2Way = s.m_b2Way;
    m_nFillStyle = s.m_nInteriorShading;
    m_nLineWidth = std::clamp(s.m_nFrameWidth, 0, 20);
    m_nLineStyle = s.m_nFrameShading;
    m_nOpacity = s.m_nOpacityStep;
    m_dAngle = s.m_dRotation;
    m_bAntialiased = s.m_nSupersampling ? 1 : 0;
    m_bBehind = s.m_bLineBehind;
    CDialog::OnInitDialog();
    UpdateVisibility();
    return TRUE;
}

void DShape::DoDataExchange(CDataExchange* pDX)
{
    DDX_CBIndex(pDX, 1018, m_nShape);
    DDX_Text(pDX, 1001, m_nWidth);
    DDV_MinMaxInt(pDX, m_nWidth, 1, 3000);
    DDX_Text(pDX, 1002, m_nHeight);
    DDV_MinMaxInt(pDX, m_nHeight, 1, 3000);
    DDX_Text(pDX, 1003, m_nRadius);
    DDV_MinMaxInt(pDX, m_nRadius, 0, 1000);
    DDX_CBIndex(pDX, 1019, m_nFill);
    DdxUserData(pDX, 1050, m_crFill);
    DdxUserData(pDX, 1051, m_crGradient);
    DDX_Check(pDX, 1004, m_b2Way);
    DDX_CBIndex(pDX, 1020, m_nFillStyle);
    DDX_CBIndex(pDX, 1021, m_nLineWidth);
    DdxUserData(pDX, 1052, m_crLine);
    DDX_CBIndex(pDX, 1022, m_nLineStyle);
    DDX_CBIndex(pDX, 1023, m_nOpacity);
    DDX_Text(pDX, 1005, m_dAngle);
    DDX_Check(pDX, 1006, m_bAntialiased);
    DDX_Check(pDX, 1007, m_bBehind);
}

void DShape::UpdateVisibility()
{
    auto index = [this](int id) { return qobject_cast<QComboBox*>(GetDlgItem(id))->currentIndex(); };
    // a colour control stands in a box with its caption: the box shows or hides
    auto show = [this](int id, bool on) {
        QWidget* w = GetDlgItem(id);
        QWidget* box = dynamic_cast<CColorButton*>(w) ? w->parentWidget() : w;
        box->setVisible(on);
    };
    const int shape = index(1018), fill = index(1019), line = index(1021);
    show(1050, fill > 0);
    show(1020, fill > 0);
    show(1004, fill > 0);
    show(1051, fill >= 2);
    show(1052, line > 0);
    show(1022, line > 0);
    EnableDlgItem(1003, shape == 2 || shape == 6 || shape == 7);
}

void DShape::OnText()
{
    DArtisticText dlg(this);
    dlg.m_pItem = &m_pItem->m_caption;
    if (dlg.DoModal() != IDOK)
        return;
    m_pItem->m_crText = m_pItem->m_caption.m_crText;
    m_pItem->m_lf = m_pItem->m_caption.m_lf;
}

void DShape::OnOK()
{
    if (!UpdateData(TRUE))
        return; // the refused value is named; nothing reached the shape
    CShapeItem& s = *m_pItem;
    s.m_nFrameShape = m_nShape;
    s.m_nRenderWidth = m_nWidth;
    s.m_nRenderHeight = m_nHeight;
    s.m_nCornerRadius = m_nRadius;
    s.m_nFill = m_nFill;
    s.m_crSecond = m_crFill;
    s.m_crGradient = m_crGradient;
    s.m_crFrame = m_crLine;
    s.m_b2Way = m_b2Way;
    s.m_nInteriorShading = m_nFillStyle;
    s.m_nFrameWidth = m_nLineWidth;
    s.m_nFrameShading = m_nLineStyle;
    s.m_nOpacityStep = m_nOpacity;
    s.m_dRotation = m_dAngle;
    s.m_nSupersampling = m_bAntialiased;
    s.m_bLineBehind = m_bBehind;
    if (m_dAngle == 0) {
        s.m_nWidth = m_nWidth;
        s.m_nHeight = m_nHeight;
    }
    s.InvalidateRendering();
    EndDialog(IDOK);
}
