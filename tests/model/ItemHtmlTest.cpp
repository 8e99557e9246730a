#include "model/Folder.h"
#include "model/Escaping.h"
#include "model/GroupItem.h"
#include "model/ItemFactory.h"
#include "model/ItemHtml.h"
#include "model/ItemTypes.h"
#include "model/PageOutput.h"
#include "support/ExternalTools.h"
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

struct StyleCase {
    const char* name;
    std::function<void(CItem&)> set;
    const char* css;
};

// A fixed item without fill or padding record: only what a case sets is written.
TEST(ItemHtml, InlineCssOfEachProperty)
{
    const StyleCase cases[] = {
        {"nothing", [](CItem&) {}, "height:0px;width:0px;"},
        {"positioned minus borders", [](CItem& i) { i.m_bPositioned = 1; i.m_nX = 100; i.m_nY = 50; i.m_nEffBorder[SIDE_LEFT] = 2; i.m_nEffBorder[SIDE_TOP] = 1; },
         "position:absolute;left:98px;top:49px;height:0px;width:0px;"},
        {"automatic height, minimum width", [](CItem& i) { i.m_nHeightMode = 1; i.m_nWidthMode = 2; i.m_nWidth = 50; }, "min-width:50px;"},
        {"maximum sizes minus padding", [](CItem& i) { i.m_nHeightMode = 3; i.m_nWidthMode = 3; i.m_nWidth = 50; i.m_nHeight = 40;
             i.m_nEffPadding[SIDE_LEFT] = 1; i.m_nEffPadding[SIDE_RIGHT] = 2; i.m_nEffPadding[SIDE_TOP] = 3; i.m_nEffPadding[SIDE_BOTTOM] = 4; },
         "max-height:33px;max-width:47px;"},
        {"hidden, cursor, z-index", [](CItem& i) { i.m_nHeightMode = 1; i.m_nWidthMode = 1; i.m_bHidden = 1; i.m_nCursor = 3; i.m_nZIndex = -2; },
         "visibility:hidden;cursor:pointer;z-index:-2;"},
        {"face and web font", [](CItem& i) { i.m_nHeightMode = 1; i.m_nWidthMode = 1; i.m_strFontFace = "Arial"; i.m_strWebFont = "Lobster"; },
         "font-family:Arial, Lobster;"},
        {"font", [](CItem& i) { i.m_nHeightMode = 1; i.m_nWidthMode = 1; i.m_nFontSize = 11; i.m_nLetterSpacing = -1; i.m_crText = 0xFF8000;
             i.m_nItalic = 0; i.m_nBold = 1; i.m_nDecoration = 3; },
         "font-size:11pt;letter-spacing:-1px;color:#0080FF;font-style:normal;font-weight:bold;text-decoration:none;"},
        {"inherit bold and italic", [](CItem& i) { i.m_nHeightMode = 1; i.m_nWidthMode = 1; i.m_nItalic = 2; i.m_nBold = 2; i.m_crText = 0xFFFFFFFF; }, ""},
        {"box", [](CItem& i) { i.m_nHeightMode = 1; i.m_nWidthMode = 1; i.m_nPadding = 4; i.m_bDisplayNone = 1; i.m_nBorderRadius = 6;
             i.m_borders[BORDER_LEFT].m_nStyle = 2; i.m_borders[BORDER_LEFT].m_nWidth = 1; i.m_borders[BORDER_LEFT].m_color = 0x0000FF;
             i.m_borders[BORDER_ALL].m_nStyle = 1; },
         "padding:4px;display:none;border-radius:6px;border:none;border-left:1px solid #FF0000; "},
        {"opacity, custom, alignment", [](CItem& i) { i.m_nHeightMode = 1; i.m_nWidthMode = 1; i.m_nOpacity = 50; i.m_strExtraCss = "outline:0;"; i.m_nTextAlign = 4; },
         "opacity:0.500000;filter:alpha(opacity=50);outline:0;text-align:left;"},
        {"shadows", [](CItem& i) { i.m_nHeightMode = 1; i.m_nWidthMode = 1; i.m_bBoxShadow = 1; i.m_nBoxShadowX = 1; i.m_nBoxShadowY = 2;
             i.m_nBoxShadowBlur = 3; i.m_nBoxShadowSpread = 4; i.m_crBoxShadow = 0x000000; i.m_bTextShadow = 1; i.m_nTextShadowX = 5;
             i.m_nTextShadowY = 6; i.m_nTextShadowBlur = 7; i.m_crTextShadow = 0xFFFFFF; },
         "box-shadow: 1px 2px 3px 4px #000000;text-shadow: 5px 6px 7px #FFFFFF;"},
    };
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(c.name);
        CItem item;
        item.m_nHeightMode = 0;
        c.set(item);
        EXPECT_EQ(item.GetStyle(), c.css);
    }
}

TEST(ItemHtml, PaddingRecordFollowsTheBorders)
{
    CItem item;
    item.m_nHeightMode = item.m_nWidthMode = 1;
    item.m_pPadding = std::make_unique<CBoxSpacing>();
    item.m_pPadding->m_bTop = 1;
    item.m_pPadding->m_nTop = 7;
    item.m_borders[BORDER_BOTTOM].m_nStyle = 1;
    EXPECT_EQ(item.GetStyle(), "border-bottom:none;padding-top:7px;");
}

TEST(ItemHtml, DefaultIdComesFromTheSerialAndIsNotStored)
{
    CItem item;
    CPageOutput out;
    item.WriteIdClassTitle(out);
    EXPECT_EQ(out.m_strBody, CString::Formatted(" id=\"id%d\"", item.m_nSerial));
    EXPECT_TRUE(item.m_strName.IsEmpty());
    item.WriteHtml(out);
    EXPECT_TRUE(item.m_strName.IsEmpty());
}

TEST(ItemHtml, IdClassAndTitleAreEscaped)
{
    CItem item;
    item.m_strName = "a\"b";
    item.m_strClass = "big <red>";
    item.m_strTitle = "Say \"hi\" & go";
    CPageOutput out;
    item.WriteIdClassTitle(out);
    EXPECT_EQ(out.m_strBody, " id=\"a&quot;b\" class=\"big <red>\" title=\"Say ''hi'' &amp; go\"");
}

TEST(ItemHtml, AnchorAndWebFont)
{
    CItem item;
    item.m_strAnchor = "top";
    item.m_strWebFont = "Open Sans";
    CPageOutput out;
    item.WriteHtml(out);
    EXPECT_EQ(out.m_strBody, "<a id=\"top\"></a>");
    EXPECT_EQ(out.m_webFonts.count(CString("Open Sans")), 1u);

    // an anchor named like the item: the item's element is the target, the id is not repeated
    item.m_strName = "top";
    CPageOutput same;
    item.WriteHtml(same);
    EXPECT_EQ(same.m_strBody, "");
}

TEST(ItemHtml, EventAttributes)
{
    CItem item;
    item.m_actions[EVENT_CLICK].m_wstrScript = "f(1);";
    item.m_actions[EVENT_MOUSE_UP].m_wstrScript = "u();";
    item.m_actions[EVENT_CHANGE].m_wstrScript = "if (a && b) c();";
    CPageOutput out;
    item.WriteEventAttributes(out);
    EXPECT_EQ(out.m_strBody, " onClick=\"f(1);\" onMouseUp=\"u();\" onChange=\"if (a &amp;&amp; b) c();\"");
    EXPECT_EQ(out.m_bOverlayUsed, 0);
}

TEST(ItemHtml, PictureOverlayClick)
{
    CItem item;
    item.m_link.m_nKind = kLinkPicture;
    item.m_link.m_strPicture = "big.jpg";
    CPageOutput out;
    item.WriteEventAttributes(out);
    // the site's own copy, at the root (beside a page at the top)
    const CString loading = "loading.gif";
    EXPECT_EQ(out.m_strBody, " onClick=\"document.getElementById('dimimg').src = '" + loading
                                 + "';document.getElementById('dimout').style.visibility = 'visible';document.getElementById('dimimg').src = 'big.jpg';return false;\"");
    EXPECT_EQ(out.m_bOverlayUsed, 1);
}

TEST(ItemHtml, FlowingItemsAreWrappedInABlock)
{
    struct Case {
        int positioned, align, textAlign;
        const char* open;
        const char* close;
    } const cases[] = {
        // the block spans the line: the inline item inside is placed by the block's text alignment
        {0, 2, 0, "<div style=\"margin-left:auto;margin-top:10px;margin-right:auto;text-align:center;\">", "</div>"},
        {0, 1, 0, "<div style=\"margin-left:auto;margin-top:10px;text-align:right;\">", "</div>"},
        {0, 0, 1, "<div style=\"margin-top:10px;margin-right:auto;Text-align:right;\">", "</div>"},
        {0, 3, 2, "<div style=\"margin-top:10px;Text-align:center;\">", "</div>"},
        {1, 2, 1, "", ""},
    };
    for (const Case& c : cases) {
        CItem item;
        item.m_bPositioned = c.positioned;
        item.m_nBlockAlign = c.align;
        item.m_nTextAlign = c.textAlign;
        item.m_margin.m_bTop = 1;
        item.m_margin.m_nTop = 10;
        CPageOutput open, close;
        item.WriteTextBoxStyle(open);
        item.WriteParagraphEnd(close);
        EXPECT_EQ(open.m_strBody, c.open);
        EXPECT_EQ(close.m_strBody, c.close);
    }
}

TEST(ItemHtml, RelativePaths)
{
    CFolder a, b, c;
    a.m_strBaseName = "a";
    b.m_strBaseName = "b";
    c.m_strBaseName = "c";
    b.SetParentFolder(&a);
    c.SetParentFolder(&a);
    struct Case {
        const CFolder* from;
        const CFolder* to;
        const char* path;
    } const cases[] = {
        {nullptr, nullptr, ""}, {&a, &a, ""}, {nullptr, &a, "a/"}, {&a, nullptr, "../"},
        {&b, &c, "../../a/c/"}, {nullptr, &b, "a/b/"}, {&b, nullptr, "../../"},
    };
    for (const Case& x : cases)
        EXPECT_EQ(GetRelativePath(x.from, x.to), x.path);
}

TEST(ItemHtml, CssIdentifiers)
{
    struct Case {
        const char* in;
        const char* out;
    } const cases[] = {
        {"menu_1", "menu_1"}, {"a-b", "a-b"}, {"1st", "\\31 st"}, {"-2x", "-\\32 x"}, {"a b", "a\\ b"},
        {"x{y}", "x\\{y\\}"}, {"a.b:c", "a\\.b\\:c"}, {"-", "\\-"}, {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CssEscapeIdent(c.in), c.out) << c.in;
}

// The writer contract every per-type writer follows, for items whose own writer is not
// part of the model yet.
void WriteGenericItem(CItem& item, CPageOutput& out)
{
    if (auto* group = dynamic_cast<CGroupItem*>(&item)) {
        group->WriteHtml(out);
        return;
    }
    item.WriteHtml(out);
    item.WriteTextBoxStyle(out);
    out.Append("<div");
    out.AppendAttribute("style", item.GetStyle());
    item.WriteIdClassTitle(out);
    item.WriteEventAttributes(out);
    out.Append(">");
    out.AppendText(item.m_strText);
    out.Append("</div>");
    item.WriteParagraphEnd(out);
    out.AppendLine();
}

TEST(ItemHtml, PageOfEveryItemTypePassesTidy)
{
    CPageOutput out;
    out.m_wstrTitle = "All items";
    CGroupItem form;
    int made = 0;
    for (int code = 1; code <= 46; ++code) {
        std::unique_ptr<CItem> item(CreateItem(code));
        if (!item)
            continue;
        ++made;
        item->m_nWidth = 100 + code;
        item->m_nHeight = 20;
        item->m_bPositioned = code % 2;
        item->m_nBlockAlign = code % 3;
        item->m_strText = "Text <&> \"quoted\"";
        item->m_strTitle = "Tip \"" + CString::Formatted("%d", code) + "\" & more";
        item->m_strClass = code % 5 == 0 ? "c\"lass" : "";
        item->m_strAnchor = code == 14 ? "an&chor" : "";
        item->m_strWebFont = code == 3 ? "Open Sans" : "";
        item->m_strFontFace = code == 3 ? "Comic \"Sans\"" : "";
        item->m_actions[EVENT_CLICK].m_wstrScript = "alert(\"<hi>\" && 1);";
        item->m_actions[EVENT_FOCUS].AddStep().m_strTarget = "x";
        item->m_link.m_nKind = code == 2 ? kLinkAddress : kLinkNone;
        item->m_link.m_strHref = "http://example.org/?a=1&b=2";
        item->m_strExtraCss = "outline:0;";
        if (auto* group = dynamic_cast<CGroupItem*>(item.get())) {
            CItem* child = CreateItem(ITEM_TEXT);
            child->m_strText = "child";
            group->AddChild(child);
        }
        item->RecalcLayout();
        WriteGenericItem(*item, out);
    }
    EXPECT_GE(made, 42);
    out.AssemblePage();
    const QByteArray html(out.m_strFinalPage.GetString(), out.m_strFinalPage.GetLength());
    EXPECT_EQ(testsupport::TidyErrors(html), QByteArray()) << html.constData();
}

} // namespace

#include "framework/core/Png.h"
#include "model/PublishContext.h"
#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>

namespace {

TEST(ItemExport, IconPictureIsWrittenAndRecorded)
{
    QTemporaryDir dir;
    CPublishContext context;
    context.m_strOutputRoot = CString::FromQString(dir.path()) + "/";
    context.m_strCurrentFolder = "sub/";
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    CItem item;
    item.m_nIcon = 3;
    item.m_crIcon = 255;
    item.m_nIconShading = 2;
    item.m_bIconShadow = 1;
    ASSERT_TRUE(RenderItemIcon(item.m_dib, item.m_nIcon, item.m_crIcon, item.m_nIconShading, item.m_bIconShadow));
    EXPECT_TRUE(item.ExportFiles(context));
    EXPECT_EQ(item.m_strImageName, "3_255_2_1.png");
    ASSERT_EQ(context.GetFileCount(), 1);
    const CPublishFile& file = context.GetFile(0);
    EXPECT_EQ(file.m_strRemoteName, "sub/3_255_2_1.png");
    EXPECT_EQ(file.m_nKind, int(kPublishFileItemBackground));
    EXPECT_EQ(file.m_pUploadState, &item.m_nUploadState);
    EXPECT_EQ(item.m_nUploadState, 1);
    EXPECT_GT(file.m_nSize, 0u);
    PackedBitmapPtr packed = LoadPNG(file.m_strLocalPath);
    ASSERT_TRUE(packed);
    CDib back;
    ASSERT_TRUE(back.CreateFromGlobal(*packed));
    ASSERT_EQ(back.GetWidth(), 17);
    back.BeginPixels();
    item.m_dib.BeginPixels();
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 17; ++x)
            ASSERT_EQ(back.GetPixel(x, y), item.m_dib.GetPixel(x, y)) << x << "," << y;
}

TEST(ItemExport, NoIconNoFile)
{
    QTemporaryDir dir;
    CPublishContext context;
    context.m_strOutputRoot = CString::FromQString(dir.path()) + "/";
    CItem item;
    EXPECT_TRUE(item.ExportFiles(context));
    EXPECT_EQ(context.GetFileCount(), 0);
}

} // namespace
