#include "dialogs/FontDialogs.h"

#include "controls/ColorControl.h"
#include "dialogs/DialogTables.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Shell.h"
#include "framework/ui/Translation.h"
#include "model/TextStyle.h"

#include <QtCore/QFile>
#include <QtWidgets/QComboBox>

namespace {
const DlgControl kFontControls[] = {
    {IDC_STATIC, DlgKind::Static, "Face Name:", nullptr, 0},
    {1018, DlgKind::EditCombo, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Google Font*:", nullptr, 0},
    {1022, DlgKind::EditCombo, nullptr, nullptr, kDlgBeside},
    {1025, DlgKind::Button, "...", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Font Size:", nullptr, 0},
    {1066, DlgKind::EditCombo, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Bold:", nullptr, 0},
    {1020, DlgKind::Combo, nullptr, "normal|bold|", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Italic:", nullptr, 0},
    {1021, DlgKind::Combo, nullptr, "normal|italic|", kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Underline:", nullptr, 0},
    {1036, DlgKind::Combo, nullptr, "none|underlined|strike-through", kDlgBeside},
    {1019, DlgKind::Color, "Font Color", nullptr, kDlgNoColor},
    {IDC_STATIC, DlgKind::Static, "*Google fonts visible in browser only", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

const DlgControl kFontStyleControls[] = {
    {IDC_STATIC, DlgKind::Static, "Face Name:", nullptr, 0},
    {1018, DlgKind::EditCombo, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Google Font*:", nullptr, 0},
    {1022, DlgKind::EditCombo, nullptr, nullptr, kDlgBeside},
    {1025, DlgKind::Button, "...", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Font Size:", nullptr, 0},
    {1000, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "pt", nullptr, kDlgBeside},
    {1001, DlgKind::Check, "Bold", nullptr, 0},
    {1009, DlgKind::Check, "Italic", nullptr, kDlgBeside},
    {1019, DlgKind::Color, "Font Color", nullptr, kDlgNoColor},
    {1020, DlgKind::Color, "Background Color", nullptr, kDlgNoColor},
    {1021, DlgKind::Color, "Line Color", nullptr, kDlgNoColor},
    {1003, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Space Before:", nullptr, 0},
    {1002, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Space After:", nullptr, 0},
    {1203, DlgKind::Edit, nullptr, nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "px", nullptr, kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "Line Height:", nullptr, 0},
    {1023, DlgKind::Combo, nullptr,
     "<default>|110%|120%|130%|140%|150%|160%|170%|180%|190%|200%|210%|220%|230%|240%|250%|260%|270%|280%|290%|300%",
     kDlgBeside},
    {IDC_STATIC, DlgKind::Static, "*Google fonts visible in browser only", nullptr, 0},
    {IDOK, DlgKind::Button, "OK", nullptr, kDlgDefault},
    {IDCANCEL, DlgKind::Button, "Cancel", nullptr, kDlgBeside},
};

void AddEntries(CDialog& dlg, int id, const std::vector<CString>& entries)
{
    auto* combo = qobject_cast<QComboBox*>(dlg.GetDlgItem(id));
    if (!combo)
        return;
    for (const CString& e : entries)
        combo->addItem(e.ToQString());
    combo->setCurrentIndex(-1);
}

// The lists and the "..." button both font dialogs share.
void SetUpFontLists(CDialog& dlg, int sizeList)
{
    const FontLists& lists = GetFontLists();
    AddEntries(dlg, 1018, lists.faces);
    AddEntries(dlg, 1022, lists.webFonts);
    if (sizeList)
        AddEntries(dlg, sizeList, lists.sizes);
    dlg.OnNotify(1025, BN_CLICKED, [] { ShellOpen(kWebFontCatalogue); });
}

// A number shown only when above 0; an empty field stores 0.
void DDX_PositiveOrBlank(CDataExchange* pDX, int id, int& value)
{
    int shown = value > 0 ? value : 0;
    DDX_TextBlankZero(pDX, id, pDX->m_bSaveAndValidate ? value : shown);
}
} // namespace

const DlgTemplate kFontTemplate{312, "Font", true, kFontControls};
const DlgTemplate kFontStyleTemplate{133, "Font Style", true, kFontStyleControls};
const char* const kWebFontCatalogue = "https://fonts.google.com/";

const FontLists& GetFontLists()
{
    static const FontLists lists = [] {
        FontLists l;
        QFile file(QStringLiteral(":/dialogs/fontlists.txt"));
        if (!file.open(QIODevice::ReadOnly))
            return l;
        std::vector<CString>* section = nullptr;
        for (const QByteArray& raw : file.readAll().split('\n')) {
            const QByteArray line = raw.trimmed();
            if (line.isEmpty() || line.startsWith('#'))
                continue;
            if (line == "[faces]")
                section = &l.faces;
            else if (line == "[sizes]")
                section = &l.sizes;
            else if (line == "[webfonts]")
                section = &l.webFonts;
            else if (section)
                section->push_back(CString(line.constData()));
        }
        return l;
    }();
    return lists;
}

// ---- DFont

DFont::DFont(QWidget* parent) : CDialog(parent)
{
    BuildDialog(*this, kFontTemplate);
    SetUpFontLists(*this, 1066);
}

BOOL DFont::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_strCaption.IsEmpty())
        setWindowTitle((UiTranslate("Font") + " : " + m_strCaption).ToQString());
    return TRUE;
}

void DFont::DoDataExchange(CDataExchange* pDX)
{
    DDX_CBStringExact(pDX, 1018, m_strFace);
    DDX_CBStringExact(pDX, 1022, m_strWebFont);
    DDX_PositiveOrBlank(pDX, 1066, m_nSize);
    DDX_CBIndex(pDX, 1020, m_nBold);
    DDX_CBIndex(pDX, 1021, m_nItalic);
    DDX_CBIndex(pDX, 1036, m_nUnderline);
    DdxUserData(pDX, 1019, m_crColor);
}

// ---- DFontStyle

DFontStyle::DFontStyle(CTextStyle* style, QWidget* parent) : CDialog(parent), m_pStyle(style), m_edit(*style)
{
    BuildDialog(*this, kFontStyleTemplate);
    SetUpFontLists(*this, 0);
}

BOOL DFontStyle::OnInitDialog()
{
    // The opener's caption first, so that the translation finds it.
    if (!m_strCaption.IsEmpty())
        setWindowTitle(m_strCaption.ToQString());
    return CDialog::OnInitDialog();
}

void DFontStyle::OnOK()
{
    // The style changes only when every value was accepted.
    if (!UpdateData(TRUE))
        return;
    *m_pStyle = m_edit;
    EndDialog(IDOK);
}

void DFontStyle::DoDataExchange(CDataExchange* pDX)
{
    CTextStyle& s = m_edit;
    DDX_CBStringExact(pDX, 1018, s.m_strFamily);
    DDX_CBStringExact(pDX, 1022, s.m_strWebFont);
    DDX_PositiveOrBlank(pDX, 1000, s.m_nSize);
    DDX_Check(pDX, 1001, s.m_nBold);
    DDX_Check(pDX, 1009, s.m_nItalic);
    DdxUserData(pDX, 1019, s.m_crText);
    DdxUserData(pDX, 1020, s.m_crBack);
    DdxUserData(pDX, 1021, s.m_crBorder);
    DDX_PositiveOrBlank(pDX, 1003, s.m_nBorderWidth);
    DDX_Text(pDX, 1002, s.m_nMarginTop);
    DDX_Text(pDX, 1203, s.m_nMarginBottom);
    DDX_CBIndex(pDX, 1023, s.m_nLineHeight);
}
