// The site's text styles: one base style and eleven element styles with the link style
// (CSiteStyles), and the user's named CSS classes (CStyleClass). They are stored in the
// project and written out as the site stylesheet.
#pragma once
#include "framework/core/CArchive.h"
#include "framework/core/CString.h"
#include "framework/core/Types.h"
#include "model/Border.h"
#include "model/FillStyle.h"
#include <functional>
#include <set>
#include <vector>

class CPicture;

class CTextStyle {
public:
    CTextStyle();
    virtual ~CTextStyle() = default;
    CTextStyle(const CTextStyle&) = default;
    CTextStyle& operator=(const CTextStyle&) = default;

    void Serialize(CArchive& ar, int version);
    // A rule under selector, or the declarations on one line when selector is null.
    virtual CString WriteCss(const char* selector) const;

    int m_nId;
    CString m_strFamily;
    CString m_strWebFont;
    int m_nSize = 0; // points; 0 = not set
    int m_nBorderWidth = 0;
    int m_nPadding = 0;
    int m_nBold = 0;   // 1 bold, 0 normal, 2 inherit
    int m_nItalic = 0; // 1 italic, 0 normal, 2 inherit
    COLORREF m_crText = 0xFF000000;
    COLORREF m_crBack = 0xFF000000;
    COLORREF m_crBorder = 0xFF000000;
    CString m_strScreenFace = "Times New Roman";
    int m_nScreenHeight = -16;
    int m_nMarginTop = 0;
    int m_nMarginBottom = 12;
    int m_nLineHeight = 0; // n > 0: n * 10 + 100 percent
};

class CLinkStyle {
public:
    void Serialize(CArchive& ar, int version);
    // Hover bold and italic, which the project layout has no place for.
    void SerializeExtra(CArchive& ar, int version);
    CString WriteCss(const char* selector) const;

    COLORREF m_crColor = 0x000000;
    COLORREF m_crHoverColor = 0xFF000000;
    COLORREF m_crBack = 0xFF000000;
    COLORREF m_crHoverBack = 0xFF000000;
    int m_nDecoration = 0; // 0 none, 1 underline, 2 line-through
    int m_nHoverDecoration = 0;
    int m_nItalic = 2;
    int m_nBold = 2;
    int m_nHoverItalic = 2;
    int m_nHoverBold = 2;
};

// Indexes of the element styles.
enum ElementStyle {
    STYLE_H1 = 0, STYLE_H2, STYLE_H3, STYLE_H4, STYLE_H5, STYLE_H6, STYLE_PRE,
    STYLE_INPUT_TEXT, STYLE_TEXTAREA, STYLE_INPUT_SUBMIT, STYLE_SELECT, STYLE_COUNT
};

class CSiteStyles {
public:
    CSiteStyles();
    virtual ~CSiteStyles() = default;

    void Serialize(CArchive& ar, int version);
    void SerializeExtra(CArchive& ar, int version);
    // The whole site stylesheet of the style set.
    virtual CString WriteCss() const;

    CTextStyle m_base;
    CTextStyle m_styles[STYLE_COUNT];
    CLinkStyle m_link;
};

// Element kinds of a style class.
enum StyleClassKind { CLASS_ANY = 0, CLASS_P, CLASS_SPAN, CLASS_H1, CLASS_H6 = 8, CLASS_PRE, CLASS_FORM, CLASS_IMG, CLASS_A, CLASS_DIV, CLASS_INPUT_TEXT, CLASS_SELECT = 24, CLASS_KIND_COUNT };

class CStyleClass {
public:
    // Named after the kind and number ("ParaClass3"); kinds 0 and 14-24 stay nameless for
    // a number of 0 or less.
    CStyleClass(int kind, int number);
    virtual ~CStyleClass() = default;

    void Serialize(CArchive& ar, int version);
    // The fills' values the project layout has no place for (extension section).
    void SerializeExtra(CArchive& ar, int version);
    CString WriteCss() const;
    // Gives the normal and hover fills that show a picture of the site their picture
    // again (after a load); a picture that is not found leaves the fill's id in place.
    void ConnectPictures(const std::function<CPicture*(int id)>& find);
    // The element of the selector ("p", "a", "input.text"...); empty for kind 0.
    static const char* GetElement(int kind);

    CString m_strName;
    int m_nKind;
    CFillStyle m_fill;
    CFillStyle m_hoverFill;
    CBorderSide m_borders[5];
    CString m_strFace;
    int m_nSize = 0;
    int m_nPadding = 0;
    int m_nBold = 2, m_nItalic = 2;
    int m_nDecoration = 0; // 0 inherit, 1 none, 2 underline, 3 line-through
    int m_nHoverDecoration = 0;
    int m_nHoverBold = 2, m_nHoverItalic = 2;
    CBoxSpacing m_margin;
    CBoxSpacing m_padding;
    COLORREF m_crColor = 0xFFFFFFFF;
    int m_nLetterSpacing = 0;
    COLORREF m_crHoverColor = 0xFF000000;
    COLORREF m_crSpare = 0xFF000000;
    CString m_strSpare;
    int m_nSpareFlag = 0;
};

// "@import url(...);" CR LF of a web-font family for the stylesheet; empty for "".
CString WriteWebFontImports(const CString& family);
// The site stylesheet: the web-font imports first (CSS allows @import only before every
// other rule), then the style set, then each class.
CString BuildSiteStylesheet(const CSiteStyles& styles, const std::vector<const CStyleClass*>& classes, const std::set<CString>& webFonts);
