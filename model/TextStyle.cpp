#include "model/TextStyle.h"
#include "model/Escaping.h"
#include "model/HtmlWriting.h"
#include "model/ItemHtml.h"
#include "model/PageOutput.h"
#include "model/Picture.h"
#include "framework/core/Colors.h"
#include <cstdlib>
#include <ctime>

namespace {

using archive_io::Io;

bool IsSet(COLORREF c)
{
    return !tessel::ColorIsUnset(c);
}

const char* kCrLf = "\r\n";

} // namespace

// ---------------------------------------------------------------- CTextStyle

CTextStyle::CTextStyle()
    // Unsigned arithmetic: the shifted value does not fit an int.
    : m_nId(int((unsigned(std::rand()) << 16) + unsigned(std::time(nullptr))))
{
}

void CTextStyle::Serialize(CArchive& ar, int version)
{
    const bool store = ar.IsStoring();
    Io(ar, m_nId);
    Io(ar, m_strFamily);
    Io(ar, m_nSize);
    Io(ar, m_nBorderWidth);
    Io(ar, m_nPadding);
    Io(ar, m_nBold);
    Io(ar, m_nItalic);
    Io(ar, m_crText);
    Io(ar, m_crBack);
    Io(ar, m_crBorder);
    Io(ar, m_strScreenFace);
    Io(ar, m_nScreenHeight);
    if (store || version >= 88)
        Io(ar, m_nLineHeight);
    if (store || version >= 90) {
        // Second copies; they are what a reader keeps.
        Io(ar, m_nPadding);
        Io(ar, m_nBorderWidth);
    }
    if (store || version >= 92) {
        Io(ar, m_nMarginBottom);
        Io(ar, m_nMarginTop);
        Io(ar, m_strWebFont);
    }
}

CString CTextStyle::WriteCss(const char* selector) const
{
    const char* eol = selector ? kCrLf : "";
    CString s;
    if (selector)
        s.Format("%s {\r\n", selector);
    if (!m_strWebFont.IsEmpty() || !m_strFamily.IsEmpty()) {
        s += "font-family:";
        if (!m_strWebFont.IsEmpty())
            s += CssQuoted(m_strWebFont);
        if (!m_strWebFont.IsEmpty() && !m_strFamily.IsEmpty())
            s += ", ";
        s += CssFontFamily(m_strFamily);
        s += ";";
        s += eol;
    }
    if (m_nSize > 0)
        s.AppendFormat("font-size:%dpt;%s", m_nSize, eol);
    if (IsSet(m_crText))
        s += "color:" + ColorToHtml(m_crText) + ";" + eol;
    if (IsSet(m_crBack))
        s += "background-color:" + ColorToHtml(m_crBack) + ";" + eol;
    if (m_nItalic == 1)
        s += CString("font-style:italic;") + eol;
    else if (m_nItalic == 0)
        s += CString("font-style:normal;") + eol;
    if (m_nBold == 1)
        s += CString("font-weight:bold;") + eol;
    else if (m_nBold == 0)
        s += CString("font-weight:normal;") + eol;
    if (m_nPadding > 0)
        s.AppendFormat("padding:%dpx;%s", m_nPadding, eol);
    if (m_nBorderWidth > 0)
        s.AppendFormat("border:%dpx solid %s;", m_nBorderWidth, ColorToHtml(m_crBorder).GetString());
    if (m_nLineHeight > 0)
        s.AppendFormat("line-height:%d%%;%s", m_nLineHeight * 10 + 100, eol);
    s.AppendFormat("margin-top:%dpx; margin-bottom:%dpx;%s", m_nMarginTop, m_nMarginBottom, eol);
    if (selector)
        s += "\r\n}\r\n";
    return s;
}

// ---------------------------------------------------------------- CLinkStyle

void CLinkStyle::Serialize(CArchive& ar, int /*version*/)
{
    Io(ar, m_nDecoration);
    Io(ar, m_nHoverDecoration);
    Io(ar, m_nItalic);
    Io(ar, m_nBold);
    Io(ar, m_crHoverColor);
    Io(ar, m_crColor);
    Io(ar, m_crBack);
    Io(ar, m_crHoverBack);
}

void CLinkStyle::SerializeExtra(CArchive& ar, int /*version*/)
{
    Io(ar, m_nHoverItalic);
    Io(ar, m_nHoverBold);
}

CString CLinkStyle::WriteCss(const char* selector) const
{
    CString s;
    s.Format("%s {\r\n", selector);
    if (IsSet(m_crColor))
        s += "color:" + ColorToHtml(m_crColor) + ";\r\n";
    else
        s += "color:inherit;\r\n";
    if (IsSet(m_crBack))
        s += "background-color:" + ColorToHtml(m_crBack) + ";\r\n";
    if (m_nItalic == 1)
        s += "font-style:italic;\r\n";
    else if (m_nItalic == 0)
        s += "font-style:normal;\r\n";
    if (m_nBold == 1)
        s += "font-weight:bold;\r\n";
    else if (m_nBold == 0)
        s += "font-weight:normal;\r\n";
    if (m_nDecoration == 2)
        s += "text-decoration:line-through;\r\n";
    else if (m_nDecoration == 1)
        s += "text-decoration:underline;\r\n";
    else if (m_nDecoration == 0)
        s += "text-decoration:none;\r\n";
    s += "}\r\n";
    if (m_nHoverItalic != m_nItalic || m_nHoverBold != m_nBold || m_nHoverDecoration != m_nDecoration
        || m_crHoverColor != m_crColor || m_crHoverBack != m_crBack) {
        s.AppendFormat("%s:hover {\r\n", selector);
        if (m_nHoverDecoration == 2)
            s += "text-decoration:line-through; ";
        else if (m_nHoverDecoration == 1)
            s += "text-decoration:underline; ";
        else if (m_nHoverDecoration == 0)
            s += "text-decoration:none; ";
        if (m_nHoverItalic == 1)
            s += "font-style:italic; ";
        else if (m_nHoverItalic == 0)
            s += "font-style:normal; ";
        if (m_nHoverBold == 1)
            s += "font-weight:bold; ";
        else if (m_nHoverBold == 0)
            s += "font-weight:normal; ";
        if (IsSet(m_crHoverColor))
            s += "color:" + ColorToHtml(m_crHoverColor) + "; ";
        else
            s += "color:inherit;";
        if (IsSet(m_crHoverBack))
            s += "background-color:" + ColorToHtml(m_crHoverBack) + ";\r\n";
        s += "}\r\n";
    }
    s += "\r\n\r\n";
    return s;
}

// ---------------------------------------------------------------- CSiteStyles

namespace {

struct ElementDefaults {
    const char* family;
    int size;
    int bold; // -1: the style's default
    COLORREF color;
    int border;
    int padding;
    COLORREF back;
    COLORREF borderColor;
    const char* screenFace; // null: the style's default
    int screenHeight;
};

const ElementDefaults kElementDefaults[STYLE_COUNT] = {
    {"Trebuchet MS", 28, 1, 0x696969, 0, 0, 0xFF000000, 0xFF000000, nullptr, -16},
    {"Verdana", 22, -1, 0x949494, 0, 0, 0xFF000000, 0xFF000000, nullptr, -16},
    {"Times New Roman", 20, 1, 0x000000, 0, 0, 0xFF000000, 0xFF000000, nullptr, -16},
    {"Arial", 16, 0, 0x808080, 0, 0, 0xFF000000, 0xFF000000, nullptr, -16},
    {"Courier", 14, 0, 0x008000, 0, 0, 0xFF000000, 0xFF000000, nullptr, -16},
    {"Verdana", 12, 1, 0x000000, 0, 0, 0xFF000000, 0xFF000000, nullptr, -16},
    {"Courier", 9, -1, 0x000000, 0, 0, 0xFF000000, 0xFF000000, "Courier", -12},
    {"Arial", 10, -1, 0xFF000000, 1, 2, 0xFFFFFF, 0xB99D7F, "Arial", -13},
    {"Courier", 9, -1, 0xFF000000, 1, 2, 0xFFFFFF, 0xB99D7F, "Courier", -12},
    {"Arial", 10, -1, 0xFF000000, 0, 0, 0xFFFFFFFF, 0xFF000000, "Arial", -13},
    {"Arial", 10, -1, 0xFF000000, 1, 0, 0xFFFFFF, 0xB99D7F, "Arial", -13},
};

const char* const kElementSelectors[STYLE_COUNT] = {
    "h1", "h2", "h3", "h4", "h5", "h6", "pre", "input[type=text]", "textarea", "input[type=submit]", "select",
};

} // namespace

CSiteStyles::CSiteStyles()
{
    m_base.m_strFamily = "Verdana";
    m_base.m_nSize = 12;
    m_base.m_crText = 0x000000;
    for (int i = 0; i < STYLE_COUNT; ++i) {
        const ElementDefaults& d = kElementDefaults[i];
        CTextStyle& st = m_styles[i];
        st.m_strFamily = d.family;
        st.m_nSize = d.size;
        if (d.bold >= 0)
            st.m_nBold = d.bold;
        st.m_crText = d.color;
        st.m_nBorderWidth = d.border;
        st.m_nPadding = d.padding;
        st.m_crBack = d.back;
        st.m_crBorder = d.borderColor;
        if (d.screenFace) {
            st.m_strScreenFace = d.screenFace;
            st.m_nScreenHeight = d.screenHeight;
        }
    }
}

void CSiteStyles::Serialize(CArchive& ar, int version)
{
    m_base.Serialize(ar, version);
    m_link.Serialize(ar, version);
    for (CTextStyle& st : m_styles)
        st.Serialize(ar, version);
}

void CSiteStyles::SerializeExtra(CArchive& ar, int version)
{
    m_link.SerializeExtra(ar, version);
}

CString CSiteStyles::WriteCss() const
{
    CString families;
    if (!m_base.m_strWebFont.IsEmpty())
        families = CssQuoted(m_base.m_strWebFont);
    if (!m_base.m_strFamily.IsEmpty()) {
        if (!families.IsEmpty())
            families += ",";
        families += CssQuoted(m_base.m_strFamily);
    }
    CString s;
    s.Format("body { font-family:%s;font-size:%dpt;}\r\n", families.GetString(), m_base.m_nSize);
    s += m_base.WriteCss("p,span");
    static const int kOrder[STYLE_COUNT] = {STYLE_H1, STYLE_H2, STYLE_H3, STYLE_H4, STYLE_H5, STYLE_H6, STYLE_PRE,
                                            STYLE_INPUT_TEXT, STYLE_INPUT_SUBMIT, STYLE_TEXTAREA, STYLE_SELECT};
    for (int i : kOrder)
        s += m_styles[i].WriteCss(kElementSelectors[i]);
    s += m_link.WriteCss("a");
    return s;
}

// ---------------------------------------------------------------- CStyleClass

namespace {

const char* const kClassElements[CLASS_KIND_COUNT] = {
    "", "p", "span", "h1", "h2", "h3", "h4", "h5", "h6", "pre", "form", "img", "a", "div",
    "input.text", "input.password", "input.submit", "input.reset", "input.radio", "input.checkbox",
    "input.color", "input.date", "input.file", "textarea", "select",
};

const char* const kClassNames[CLASS_DIV + 1] = {
    "Class%d", "ParaClass%d", "SpanClass%d", "Heading1Class%d", "Heading2Class%d", "Heading3Class%d",
    "Heading4Class%d", "Heading5Class%d", "Heading6Class%d", "PreClass%d", "FormClass%d", "ImgClass%d",
    "AClass%d", "DivClass%d",
};

void AppendStyleAndWeight(CString& s, int italic, int bold)
{
    if (italic == 1)
        s += "font-style:italic;\r\n";
    else if (italic == 0)
        s += "font-style:normal;\r\n";
    if (bold == 1)
        s += "font-weight:bold;\r\n";
    else if (bold == 0)
        s += "font-weight:normal;\r\n";
}

void AppendClassDecoration(CString& s, int decoration)
{
    switch (decoration) {
    case 0: s += "text-decoration:inherit;\r\n"; break;
    case 1: s += "text-decoration:none;\r\n"; break;
    case 2: s += "text-decoration:underline;\r\n"; break;
    case 3: s += "text-decoration:line-through;\r\n"; break;
    default: break;
    }
}

} // namespace

const char* CStyleClass::GetElement(int kind)
{
    return kind >= 0 && kind < CLASS_KIND_COUNT ? kClassElements[kind] : "";
}

CStyleClass::CStyleClass(int kind, int number)
    : m_nKind(kind)
{
    if (kind >= 1 && kind <= CLASS_DIV)
        m_strName.Format(kClassNames[kind], number);
    else if (number > 0)
        m_strName.Format("Class%d", number);
}

void CStyleClass::Serialize(CArchive& ar, int version)
{
    m_fill.Serialize(ar, version);
    m_hoverFill.Serialize(ar, version);
    m_padding.Serialize(ar, version);
    m_margin.Serialize(ar, version);
    for (CBorderSide& side : m_borders)
        side.Serialize(ar, version);
    Io(ar, m_strName);
    Io(ar, m_nBold);
    Io(ar, m_nItalic);
    Io(ar, m_nDecoration);
    Io(ar, m_strFace);
    Io(ar, m_nSize);
    Io(ar, m_crColor);
    Io(ar, m_nLetterSpacing);
    Io(ar, m_nPadding);
    Io(ar, m_nHoverBold);
    Io(ar, m_nHoverItalic);
    Io(ar, m_nHoverDecoration);
    Io(ar, m_crSpare);
    Io(ar, m_crHoverColor);
    if (ar.IsStoring() || version >= 88) {
        Io(ar, m_strSpare);
        Io(ar, m_nSpareFlag);
    }
    // Older files had no kind 0: their kinds count from 1 below ours.
    if (ar.IsLoading() && version < 88)
        ++m_nKind;
}

void CStyleClass::SerializeExtra(CArchive& ar, int /*version*/)
{
    m_fill.SerializeExtension(ar);
    m_hoverFill.SerializeExtension(ar);
}

void CStyleClass::ConnectPictures(const std::function<CPicture*(int id)>& find)
{
    for (CFillStyle* fill : {&m_fill, &m_hoverFill}) {
        if (fill->m_nKind != 2 || fill->m_nPictureId == 0)
            continue;
        CPicture* picture = find ? find(fill->m_nPictureId) : nullptr;
        if (picture)
            fill->m_pPicture = picture;
    }
}

CString CStyleClass::WriteCss() const
{
    // A nameless class has no selector to write.
    if (m_strName.IsEmpty())
        return CString();
    const CString name = CssEscapeIdent(m_strName);
    const CString element = GetElement(m_nKind);
    CString s;
    if (m_nKind == CLASS_A)
        s = "a." + name + ":link,a." + name + ":visited";
    else
        s = element + "." + name;
    s += " {\r\n";
    if (!m_strFace.IsEmpty())
        s += "font-family:" + CssQuoted(m_strFace) + ";\r\n";
    if (m_nSize > 0)
        s.AppendFormat("font-size:%dpt;\r\n", m_nSize);
    if (IsSet(m_crColor))
        s += "color:" + ColorToHtml(m_crColor) + ";\r\n";
    else if (m_nKind == CLASS_A)
        s += "color:inherit;";
    AppendStyleAndWeight(s, m_nItalic, m_nBold);
    AppendClassDecoration(s, m_nDecoration);
    if (m_nPadding > 0)
        s.AppendFormat("padding:%dpx;\r\n", m_nPadding);
    static const char* const kBorderNames[5] = {"border", "border-left", "border-top", "border-right", "border-bottom"};
    for (int i = 0; i < 5; ++i)
        s += WriteBorderStyle(m_borders[i], kBorderNames[i]);
    s += WriteMarginStyle(m_margin, 0);
    m_fill.WriteCss(s);
    if (m_nLetterSpacing != 0)
        s.AppendFormat("letter-spacing:%dpx;", m_nLetterSpacing);
    s += "\r\n}\r\n";
    if (m_nKind == CLASS_A) {
        s += "." + name + ":hover {\r\n";
        m_hoverFill.WriteCss(s);
        if (IsSet(m_crHoverColor))
            s += "color:" + ColorToHtml(m_crHoverColor) + ";\r\n";
        AppendStyleAndWeight(s, m_nHoverItalic, m_nHoverBold);
        AppendClassDecoration(s, m_nHoverDecoration);
        s += "\r\n}\r\n";
    }
    return s;
}

// ---------------------------------------------------------------- stylesheet

CString WriteWebFontImports(const CString& family)
{
    if (family.IsEmpty())
        return CString();
    return "@import url(" + CPageOutput::Servers().fontsHost + "/css?family=" + UrlEncodeFormValue(family) + ");\r\n";
}

CString BuildSiteStylesheet(const CSiteStyles& styles, const std::vector<const CStyleClass*>& classes, const std::set<CString>& webFonts)
{
    CString s;
    for (const CString& family : webFonts)
        s += WriteWebFontImports(family);
    s += styles.WriteCss();
    for (const CStyleClass* c : classes)
        if (c)
            s += c->WriteCss();
    return s;
}
