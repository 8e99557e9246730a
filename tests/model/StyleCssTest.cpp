#include "framework/core/CFile.h"
#include "model/PageOutput.h"
#include "model/Picture.h"
#include "model/TextStyle.h"
#include <gtest/gtest.h>

namespace {

template <typename F> std::vector<BYTE> Store(F&& write)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
    return file.Bytes();
}

template <typename F> std::uint64_t Load(const std::vector<BYTE>& bytes, F&& read)
{
    CMemFile file(bytes.data(), bytes.size());
    CArchive ar(&file, CArchive::load);
    read(ar);
    return ar.GetRemaining();
}

TEST(StyleCss, TextStyleRules)
{
    CTextStyle fresh;
    EXPECT_EQ(fresh.WriteCss("p"), "p {\r\nfont-style:normal;\r\nfont-weight:normal;\r\nmargin-top:0px; margin-bottom:12px;\r\n\r\n}\r\n");

    CTextStyle full;
    full.m_strFamily = "Verdana";
    full.m_strWebFont = "Open Sans";
    full.m_nSize = 10;
    full.m_crText = 0x0000FF;
    full.m_crBack = 0xFFFFFF;
    full.m_nItalic = 1;
    full.m_nBold = 2;
    full.m_nPadding = 2;
    full.m_nBorderWidth = 1;
    full.m_crBorder = 0xB99D7F;
    full.m_nLineHeight = 5;
    full.m_nMarginTop = 3;
    full.m_nMarginBottom = 4;
    EXPECT_EQ(full.WriteCss("h2"),
              "h2 {\r\nfont-family:'Open Sans', Verdana;\r\nfont-size:10pt;\r\ncolor:#FF0000;\r\nbackground-color:#FFFFFF;\r\n"
              "font-style:italic;\r\npadding:2px;\r\nborder:1px solid #7F9DB9;line-height:150%;\r\nmargin-top:3px; margin-bottom:4px;\r\n\r\n}\r\n");
    EXPECT_EQ(full.WriteCss(nullptr),
              "font-family:'Open Sans', Verdana;font-size:10pt;color:#FF0000;background-color:#FFFFFF;font-style:italic;padding:2px;"
              "border:1px solid #7F9DB9;line-height:150%;margin-top:3px; margin-bottom:4px;");
}

TEST(StyleCss, SiteStylesheet)
{
    CSiteStyles styles;
    styles.m_base.m_strWebFont = "Open Sans";
    const CString css = styles.WriteCss();
    const CString head = "body { font-family:'Open Sans','Verdana';font-size:12pt;}\r\np,span {";
    EXPECT_EQ(css.Left(head.GetLength()), head);
    EXPECT_NE(css.Find("h1 {\r\nfont-family:Trebuchet MS;\r\nfont-size:28pt;\r\ncolor:#696969;\r\nfont-style:normal;\r\nfont-weight:bold;\r\n"
                       "margin-top:0px; margin-bottom:12px;\r\n\r\n}\r\n"),
              -1);
    EXPECT_NE(css.Find("textarea {\r\nfont-family:Courier;\r\nfont-size:9pt;\r\nbackground-color:#FFFFFF;\r\nfont-style:normal;\r\n"
                       "font-weight:normal;\r\npadding:2px;\r\nborder:1px solid #7F9DB9;margin-top:0px; margin-bottom:12px;\r\n\r\n}\r\n"),
              -1);
    // Element rules in their order, index 9 (submit) before index 8 (textarea); links last.
    const char* const order[] = {"p,span {", "h1 {", "h2 {", "h3 {", "h4 {", "h5 {", "h6 {", "pre {", "input[type=text] {",
                                 "input[type=submit] {", "textarea {", "select {", "a {"};
    int last = -1;
    for (const char* sel : order) {
        const int at = css.Find(CString("\n") + sel);
        EXPECT_GT(at, last) << sel;
        last = at;
    }
    EXPECT_EQ(css.Mid(css.Find("\na {") + 1), styles.m_link.WriteCss("a"));
}

TEST(StyleCss, SiteStylesDefaultsFamilies)
{
    CSiteStyles styles;
    EXPECT_EQ(styles.m_base.m_strFamily, "Verdana");
    EXPECT_EQ(styles.m_base.m_nSize, 12);
    EXPECT_EQ(styles.m_base.m_crText, 0u);
    EXPECT_EQ(styles.m_styles[STYLE_PRE].m_strScreenFace, "Courier");
    EXPECT_EQ(styles.m_styles[STYLE_PRE].m_nScreenHeight, -12);
    EXPECT_EQ(styles.m_styles[STYLE_INPUT_SUBMIT].m_crBack, 0xFFFFFFFFu);
    EXPECT_EQ(styles.m_styles[STYLE_H2].m_nBold, 0);
    EXPECT_EQ(styles.m_styles[STYLE_H6].m_nBold, 1);
    EXPECT_EQ(styles.m_styles[STYLE_SELECT].m_nPadding, 0);
    EXPECT_EQ(styles.m_styles[STYLE_SELECT].m_nBorderWidth, 1);
}

TEST(StyleCss, LinkStyleRules)
{
    CLinkStyle link;
    EXPECT_EQ(link.WriteCss("a"), "a {\r\ncolor:#000000;\r\ntext-decoration:none;\r\n}\r\na:hover {\r\ntext-decoration:none; color:inherit;}\r\n\r\n\r\n");
    link.m_crHoverColor = link.m_crColor;
    EXPECT_EQ(link.WriteCss("a"), "a {\r\ncolor:#000000;\r\ntext-decoration:none;\r\n}\r\n\r\n\r\n");
    link.m_crColor = link.m_crHoverColor = 0xFF000000;
    link.m_crBack = 0x00FF00;
    link.m_nItalic = 1;
    link.m_nBold = 0;
    link.m_nDecoration = 1;
    link.m_nHoverDecoration = 2;
    link.m_nHoverItalic = 0;
    link.m_nHoverBold = 1;
    link.m_crHoverColor = 0x0000FF;
    link.m_crHoverBack = 0xFFFFFF;
    EXPECT_EQ(link.WriteCss("a.x"), "a.x {\r\ncolor:inherit;\r\nbackground-color:#00FF00;\r\nfont-style:italic;\r\nfont-weight:normal;\r\n"
                                    "text-decoration:underline;\r\n}\r\na.x:hover {\r\ntext-decoration:line-through; font-style:normal; "
                                    "font-weight:bold; color:#FF0000; background-color:#FFFFFF;\r\n}\r\n\r\n\r\n");
}

TEST(StyleCss, StyleClassNamesAndRules)
{
    struct NameCase {
        int kind, number;
        const char* name;
    } const names[] = {
        {0, 4, "Class4"}, {0, 0, ""}, {1, 3, "ParaClass3"}, {2, 1, "SpanClass1"}, {3, 1, "Heading1Class1"},
        {8, 2, "Heading6Class2"}, {9, 1, "PreClass1"}, {12, 2, "AClass2"}, {13, 0, "DivClass0"}, {14, 5, "Class5"}, {24, -1, ""},
    };
    for (const NameCase& n : names)
        EXPECT_EQ(CStyleClass(n.kind, n.number).m_strName, n.name) << n.kind << " " << n.number;

    const CString fill; // a new fill writes nothing
    EXPECT_EQ(CStyleClass(1, 3).WriteCss(), "p.ParaClass3 {\r\ntext-decoration:inherit;\r\nmargin-right:auto;" + fill + "\r\n}\r\n");
    EXPECT_EQ(CStyleClass(12, 2).WriteCss(), "a.AClass2:link,a.AClass2:visited {\r\ncolor:inherit;text-decoration:inherit;\r\nmargin-right:auto;" + fill
                                                 + "\r\n}\r\n.AClass2:hover {\r\n" + fill + "text-decoration:inherit;\r\n\r\n}\r\n");
    EXPECT_EQ(CStyleClass(0, 0).WriteCss(), "");

    CStyleClass c(14, 1);
    c.m_strName = "1 odd";
    c.m_strFace = "Comic Sans MS";
    c.m_nSize = 9;
    c.m_crColor = 0x102030;
    c.m_nItalic = 0;
    c.m_nBold = 1;
    c.m_nDecoration = 3;
    c.m_nPadding = 2;
    c.m_borders[0].m_nStyle = 2;
    c.m_borders[0].m_nWidth = 1;
    c.m_borders[0].m_color = 0x0000FF;
    c.m_margin.m_bTop = 1;
    c.m_margin.m_nTop = 4;
    c.m_nLetterSpacing = 2;
    c.m_fill.m_crColor = 0x0000FF;
    EXPECT_EQ(c.WriteCss(), "input.text.\\31 \\ odd {\r\nfont-family:'Comic Sans MS';\r\nfont-size:9pt;\r\ncolor:#302010;\r\nfont-style:normal;\r\n"
                            "font-weight:bold;\r\ntext-decoration:line-through;\r\npadding:2px;\r\nborder:1px solid #FF0000; margin-top:4px;margin-right:auto;"
                                "background-color:#FF0000;letter-spacing:2px;\r\n}\r\n");
}

TEST(StyleCss, WebFontImportsComeFirst)
{
    EXPECT_EQ(WriteWebFontImports(""), "");
    EXPECT_EQ(WriteWebFontImports("Open Sans"), "@import url(" + CPageOutput::Servers().fontsHost + "/css?family=Open+Sans);\r\n");
    EXPECT_EQ(WriteWebFontImports("A&B)"), "@import url(" + CPageOutput::Servers().fontsHost + "/css?family=A%26B%29);\r\n");
    CSiteStyles styles;
    CStyleClass cls(1, 1);
    const CString css = BuildSiteStylesheet(styles, {&cls}, {CString("Lobster"), CString("Open Sans")});
    EXPECT_EQ(css, WriteWebFontImports("Lobster") + WriteWebFontImports("Open Sans") + styles.WriteCss() + cls.WriteCss());
}

TEST(StyleArchive, TextStyleGates)
{
    CTextStyle source;
    source.m_nId = 99;
    source.m_strFamily = "Arial";
    source.m_nSize = 11;
    source.m_nPadding = 3;
    source.m_nBorderWidth = 2;
    source.m_nLineHeight = 4;
    source.m_nMarginTop = 6;
    source.m_nMarginBottom = 7;
    source.m_strWebFont = "Lobster";
    const auto bytes = Store([&](CArchive& ar) { source.Serialize(ar, 92); });
    // Sizes of the gated tails: line height 4; second copies 8; margins and web font 4+4+8.
    struct Case {
        int version;
        size_t cut;
        int lineHeight, marginBottom;
        const char* webFont;
    } const cases[] = {{85, 4 + 8 + 16, 0, 12, ""}, {88, 8 + 16, 4, 12, ""}, {90, 16, 4, 12, ""}, {92, 0, 4, 7, "Lobster"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        auto cut = bytes;
        cut.resize(cut.size() - c.cut);
        CTextStyle st;
        EXPECT_EQ(Load(cut, [&](CArchive& ar) { st.Serialize(ar, c.version); }), 0u);
        EXPECT_EQ(st.m_nId, 99);
        EXPECT_EQ(st.m_strFamily, "Arial");
        EXPECT_EQ(st.m_nPadding, 3);
        EXPECT_EQ(st.m_nLineHeight, c.lineHeight);
        EXPECT_EQ(st.m_nMarginBottom, c.marginBottom);
        EXPECT_EQ(st.m_strWebFont, c.webFont);
    }
}

TEST(StyleArchive, SecondCopiesOfPaddingAndBorderStand)
{
    const auto bytes = Store([](CArchive& ar) {
        ar << std::int32_t(1) << CString("F") << std::int32_t(10) << std::int32_t(1) << std::int32_t(2) << std::int32_t(0) << std::int32_t(0);
        ar << std::int32_t(0) << std::int32_t(0) << std::int32_t(0) << CString("S") << std::int32_t(-13);
        ar << std::int32_t(0) << std::int32_t(8) << std::int32_t(9); // line height, padding, border width
    });
    CTextStyle st;
    EXPECT_EQ(Load(bytes, [&](CArchive& ar) { st.Serialize(ar, 90); }), 0u);
    EXPECT_EQ(st.m_nPadding, 8);
    EXPECT_EQ(st.m_nBorderWidth, 9);
}

TEST(StyleArchive, SiteStylesAndLinkExtras)
{
    CSiteStyles source;
    source.m_styles[STYLE_H4].m_nSize = 33;
    source.m_link.m_crColor = 0x123456;
    source.m_link.m_nHoverBold = 1;
    source.m_link.m_nHoverItalic = 0;
    const auto body = Store([&](CArchive& ar) { source.Serialize(ar, 92); });
    const auto withExtras = Store([&](CArchive& ar) {
        source.Serialize(ar, 92);
        source.SerializeExtra(ar, 92);
    });
    EXPECT_EQ(withExtras.size(), body.size() + 8);
    CSiteStyles plain;
    EXPECT_EQ(Load(body, [&](CArchive& ar) { plain.Serialize(ar, 92); }), 0u);
    EXPECT_EQ(plain.m_styles[STYLE_H4].m_nSize, 33);
    EXPECT_EQ(plain.m_link.m_crColor, 0x123456u);
    EXPECT_EQ(plain.m_link.m_nHoverBold, 2); // a file without the extension keeps the defaults
    CSiteStyles extended;
    EXPECT_EQ(Load(withExtras, [&](CArchive& ar) {
                  extended.Serialize(ar, 92);
                  extended.SerializeExtra(ar, 92);
              }),
              0u);
    EXPECT_EQ(extended.m_link.m_nHoverBold, 1);
    EXPECT_EQ(extended.m_link.m_nHoverItalic, 0);
    EXPECT_EQ(Store([&](CArchive& ar) { extended.Serialize(ar, 92); }), body);
}

// A style class record as a version 87 file holds it (fills without the later fields).
std::vector<BYTE> StyleClassRecord87()
{
    return Store([](CArchive& ar) {
        for (int fill = 0; fill < 2; ++fill) {
            for (int v : {0, 0, 0, 100, -1, 0, 0, 0xC0C0C0, 0xC0C0C0})
                ar << std::int32_t(v);
            ar << CString() << std::int32_t(0) << std::int32_t(0) << std::int32_t(0) << std::int32_t(0) << CString();
        }
        for (int box = 0; box < 2; ++box)
            for (int i = 0; i < 8; ++i)
                ar << std::int32_t(0);
        for (int side = 0; side < 5; ++side)
            ar << std::int32_t(0) << std::int32_t(1) << std::int32_t(side == 0 ? 1 : 0);
        ar << CString("OldName") << std::int32_t(1) << std::int32_t(0) << std::int32_t(2) << CString("Arial") << std::int32_t(12);
        ar << std::int32_t(0x112233) << std::int32_t(1) << std::int32_t(3) << std::int32_t(2) << std::int32_t(2) << std::int32_t(1);
        ar << std::int32_t(0xFF000000) << std::int32_t(0xFF000000);
    });
}

TEST(StyleArchive, StyleClassKindsOfOldFilesMoveUp)
{
    CStyleClass cls(2, 0);
    EXPECT_EQ(Load(StyleClassRecord87(), [&](CArchive& ar) { cls.Serialize(ar, 87); }), 0u);
    EXPECT_EQ(cls.m_nKind, 3);
    EXPECT_EQ(cls.m_strName, "OldName");
    EXPECT_EQ(cls.m_strFace, "Arial");
    EXPECT_EQ(cls.m_crColor, 0x112233u);
    EXPECT_EQ(cls.m_borders[0].m_nStyle, 2); // an old solid border

    CStyleClass current(2, 0);
    current.m_strSpare = "s";
    current.m_nSpareFlag = 1;
    const auto bytes = Store([&](CArchive& ar) { current.Serialize(ar, 92); });
    CStyleClass copy(2, 0);
    EXPECT_EQ(Load(bytes, [&](CArchive& ar) { copy.Serialize(ar, 92); }), 0u);
    EXPECT_EQ(copy.m_nKind, 2);
    EXPECT_EQ(copy.m_strSpare, "s");
    EXPECT_EQ(Store([&](CArchive& ar) { copy.Serialize(ar, 92); }), bytes);
}

TEST(StyleArchive, ClassFillsAreReconnected)
{
    CPicture texture;
    texture.m_nPictureId = 321;
    CStyleClass cls(13, 1);
    cls.m_fill.m_nKind = 2;
    cls.m_fill.m_nPictureId = 321;
    cls.m_hoverFill.m_nKind = 2;
    cls.m_hoverFill.m_nPictureId = 999; // missing
    cls.ConnectPictures([&](int id) { return id == texture.m_nPictureId ? &texture : nullptr; });
    EXPECT_EQ(cls.m_fill.m_pPicture, &texture);
    EXPECT_EQ(cls.m_hoverFill.m_pPicture, nullptr);
    EXPECT_EQ(cls.m_hoverFill.m_nPictureId, 999);
}

} // namespace
