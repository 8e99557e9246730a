#include "model/Folder.h"
#include "model/FolderOutput.h"
#include "model/HeaderFooterItem.h"
#include "model/MasterItem.h"
#include "model/Page.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/items/HeadingItem.h"
#include "model/items/TextItem.h"
#include "support/ExternalTools.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A text item at (x, y) without fill or padding record.
CTextItem* Text(const char16_t* text, const char* name, int x, int y)
{
    auto* t = new CTextItem;
    t->m_strText.SetText(text);
    t->m_strName = name;
    t->m_nX = x;
    t->m_nY = y;
    t->m_nWidth = 50;
    t->m_nHeight = 20;
    t->m_nWidthMode = 0;
    t->m_nHeightMode = 0;
    t->m_pFill.reset();
    t->m_pPadding.reset();
    return t;
}

// A page 900 x 700 (insets 20) with a header band, a footer band and two masters.
struct Site {
    int fullWidth = 0;
    CPage page;
    CHeaderFooterItem header, footer;
    CMasterItem first, second;

    Site()
    {
        page.m_strBaseName = "home";
        page.m_pStretch = &fullWidth;
        page.m_nHeightMode = 2;
        page.m_bodyText.SetText(u"<!-- body -->");
        page.AddChild(Text(u"Hello", "t1", 30, 40));
        page.m_borders[BORDER_ALL].m_nStyle = 2;
        page.m_borders[BORDER_ALL].m_nWidth = 1;
        page.m_borders[BORDER_ALL].m_color = 0x0000FF;
        page.m_pFill->m_crColor = 0xEEEEEE;
        page.RecalcLayout();
        for (CHeaderFooterItem* band : {&header, &footer}) {
            band->m_pStretch = &fullWidth;
            band->m_nWidth = 900;
            band->m_nHeight = 100;
            band->m_nHeightMode = 0;
            band->m_nWidthMode = 0;
            band->m_pPadding.reset();
            band->RecalcLayout();
        }
        header.m_nOverflow = 0;
        header.AddChild(Text(u"Top", "h1", 5, 5));
        footer.m_nOverflow = 3;
        footer.AddChild(Text(u"Bottom", "f1", 5, 5));
        first.AddChild(Text(u"M1", "m1", 1, 1));
        second.AddChild(Text(u"M2", "m2", 2, 2));
        page.m_pHeaderBand = &header;
        page.m_pFooterBand = &footer;
        page.m_nHeaderZIndex = 4;
        page.m_pMaster1 = &first;
        page.m_pMaster2 = &second;
    }

    CString Write(int mode)
    {
        CPageOutput out;
        out.m_nMode = mode;
        page.WriteHtml(out);
        return out.m_strBody;
    }
};

// The whole page file around a body.
QByteArray AssembledPage(const CString& body)
{
    CPageOutput out;
    out.m_nMode = kPublishExport;
    out.m_wstrTitle.SetText(u"Home");
    out.m_strBody = body;
    out.AssemblePage();
    return QByteArray(out.m_strFinalPage.GetString());
}

const char kTextM1[] = "<span id=\"m1\" style=\"position:absolute;left:1px;top:1px;height:20px;width:50px;\">M1</span>\r\n";

TEST(PageHtml, PageWithBandsAndMastersExactly)
{
    Site site;
    const CString html = site.Write(3);
    const CString expected = CString()
        // header band, z-index from the page (only the full-width block writes it)
        + "\r\n<div style=\"margin:auto;height:100px;width:900px;overflow:hidden;\">\r\n"
        + "<span id=\"h1\" style=\"position:absolute;left:5px;top:5px;height:20px;width:50px;\">Top</span>\r\n"
        + "</div>\r\n\r\n"
        // the page block carries borders, fill and the class
        + "<div style=\"margin:auto;min-height:658px;width:858px;padding:20px;border:1px solid #FF0000; background-color:#EEEEEE;\" class=\"page\">"
        + kTextM1 + "\r\n"
        + "\r\n<!-- body -->"
        + "<span id=\"t1\" style=\"position:absolute;left:30px;top:40px;height:20px;width:50px;\">Hello</span>\r\n"
        + "<span id=\"m2\" style=\"position:absolute;left:2px;top:2px;height:20px;width:50px;\">M2</span>\r\n\r\n"
        + "</div>\r\n"
        // footer band
        + "\r\n\r\n<div style=\"margin:auto;height:100px;width:900px;overflow:visible;\">\r\n"
        + "<span id=\"f1\" style=\"position:absolute;left:5px;top:5px;height:20px;width:50px;\">Bottom</span>\r\n"
        + "</div>\r\n"
        + "\r\n";
    EXPECT_EQ(html, expected);
    EXPECT_EQ(site.header.m_nZIndex, 4);

    EXPECT_EQ(testsupport::TidyErrors(AssembledPage(html)), QByteArray());
}

TEST(PageHtml, FullWidthMovesBordersAndFillOutward)
{
    Site site;
    site.fullWidth = 1;
    const CString html = site.Write(3);
    const char outerPage[] = "<div style=\"width:100%;text-align:center;border:1px solid #FF0000; background-color:#EEEEEE;\" class=\"page\">\r\n"
                             "<div style=\"margin:auto;min-height:658px;width:858px;padding:20px;\">";
    EXPECT_NE(html.Find(outerPage), -1) << html.GetString();
    // Each band sits in its own full-width block, the header's with its z-index.
    EXPECT_EQ(html.Find("<div style=\"width:100%;text-align:center;z-index:4;\">\r\n\r\n<div style=\"margin:auto;height:100px;width:900px;overflow:hidden;\">"), 0);
    EXPECT_NE(html.Find("</div>\r\n</div>\r\n<div style=\"width:100%;text-align:center;\">\r\n\r\n<div style=\"margin:auto;height:100px;width:900px;overflow:visible;\">"), -1);
    // Only the outer block carries the class.
    EXPECT_EQ(html.Find("class=\"page\"", html.Find("class=\"page\"") + 1), -1);

    EXPECT_EQ(testsupport::TidyErrors(AssembledPage(html)), QByteArray());
}

TEST(PageHtml, IncludedItemsBecomeScriptVariables)
{
    Site site;
    struct Case {
        const char* name;
        bool variable;
    } cases[] = {{"field1", true}, {"$x_2", true}, {"1abc", false}, {"a-b", false}, {"x');alert(1);//", false}, {"var", false}, {"", false}};
    for (const Case& c : cases) {
        CTextItem* t = Text(u"x", c.name, 0, 0);
        t->m_bInclude = 1;
        site.page.AddChild(t);
    }
    // Not included: no variable.
    site.page.AddChild(Text(u"y", "plain", 0, 0));
    site.page.m_script.SetText(u"go();");
    const CString html = site.Write(3);
    const int start = html.Find("<script type=\"text/javascript\">\r\n");
    ASSERT_NE(start, -1);
    const CString script = html.Mid(start);
    EXPECT_EQ(script, "<script type=\"text/javascript\">\r\nfield1 = document.getElementById('field1');\r\n"
                      "$x_2 = document.getElementById('$x_2');\r\ngo();\r\n</script>");
    const int open = int(strlen("<script type=\"text/javascript\">"));
    const CString code = script.Mid(open, script.GetLength() - open - int(strlen("</script>")));
    EXPECT_EQ(testsupport::JsSyntaxErrors(QByteArray(code.GetString())), QByteArray());
}

TEST(PageHtml, VisitorCounterOnlyInPublishedPhpPages)
{
    struct Case {
        const char* name;
        int stats1, stats2, mode;
        const char* extension;
        bool counter;
    } cases[] = {
        {"export", 1, 1, 3, ".php", true},   {"upload", 1, 1, 2, ".php", true},   {"browser preview", 1, 1, 1, ".php", false},
        {"first flag off", 0, 1, 3, ".php", false}, {"second flag off", 1, 0, 3, ".php", false}, {"html page", 1, 1, 3, ".html", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Site site;
        site.page.m_bStats1 = c.stats1;
        site.page.m_bStats2 = c.stats2;
        site.page.m_strExtension = c.extension;
        const CString html = site.Write(c.mode);
        const CString counter = CString::Formatted("<?php date_default_timezone_set('GMT');$dat=date(\"Y-m-d\");$dat = \"_stats_%d_\".$dat.\".txt\";"
                                                   "$f = @fopen($dat, 'a');@fwrite($f,\" \",1);@fclose($f);?>",
                                                   site.page.m_nSerial);
        EXPECT_EQ(html.Find(counter) != -1, c.counter);
        if (c.counter) {
            EXPECT_EQ(testsupport::PhpLintErrors(AssembledPage(html)), QByteArray());
        }
    }
}

TEST(PageHtml, CountsEveryVisitWhenRun)
{
    Site site;
    site.page.m_bStats2 = 1;
    const CString html = site.Write(3);
    const int at = html.Find("<?php");
    ASSERT_NE(at, -1);
    QTemporaryDir dir;
    const QByteArray script = QByteArray(html.Mid(at).GetString());
    for (int visit = 0; visit < 3; ++visit) {
        const auto r = testsupport::RunProcess(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("cd '%1' && php").arg(dir.path())}, script);
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    }
    const QStringList files = QDir(dir.path()).entryList(QStringList{QStringLiteral("_stats_*")}, QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files.front().startsWith(QStringLiteral("_stats_%1_").arg(site.page.m_nSerial)));
    EXPECT_EQ(QFileInfo(dir.filePath(files.front())).size(), 3);
}

TEST(PageHtml, PageCssByHeightMode)
{
    Site site;
    site.page.m_pFill.reset();
    site.page.m_borders[BORDER_ALL] = CBorderSide();
    site.page.m_nPadding = 0;
    site.page.RecalcLayout();
    const struct {
        int mode, align;
        const char* css;
    } cases[] = {
        {0, 0, "margin:auto;height:700px;width:900px;"},
        {1, 1, "margin:auto;width:900px;text-align:right;"},
        {2, 2, "margin:auto;min-height:700px;width:900px;text-align:center;"},
        {3, 3, "margin:auto;max-height:700px;width:900px;"},
    };
    for (const auto& c : cases) {
        site.page.m_nHeightMode = c.mode;
        site.page.m_nTextAlign = c.align;
        EXPECT_EQ(site.page.GetStyle(), c.css);
    }
}

TEST(PageHtml, IndexNamesAndClones)
{
    CFolder folder;
    const struct {
        const char* base;
        bool inFolder;
        int result;
    } cases[] = {{"index", false, 2}, {"index", true, 6}, {"Index", false, 0}, {"index2", false, 0}, {"", false, 0}};
    for (const auto& c : cases) {
        CPage page;
        page.m_strBaseName = c.base;
        page.m_pParent = c.inFolder ? &folder : nullptr;
        EXPECT_EQ(IsIndexName(&page), c.result) << c.base;
    }
    CPage page;
    CTextItem a, b;
    PageAddClone(&page, &a);
    PageAddClone(&page, &a);
    PageAddClone(&page, &b);
    EXPECT_EQ(page.m_clones.size(), 2u);
    EXPECT_EQ(PageHasClone(&page, &a), 1);
    PageRemoveClone(&page, &a);
    EXPECT_EQ(PageHasClone(&page, &a), 0);
    EXPECT_EQ(PageHasClone(&page, &b), 1);
}

TEST(PageHtml, ClonesAreWrittenAfterThePageItems)
{
    Site site;
    site.page.m_pMaster2 = nullptr;
    std::unique_ptr<CTextItem> clone(Text(u"Copy", "c1", 9, 9));
    PageAddClone(&site.page, clone.get());
    const CString html = site.Write(3);
    const int own = html.Find("id=\"t1\"");
    const int copy = html.Find("id=\"c1\"");
    ASSERT_NE(own, -1);
    EXPECT_GT(copy, own);
}

// Each id stands once in the page, on the element that holds the text.
struct IdAndText {
    const char* id;
    const char* text;
};
template <std::size_t N> void ExpectEachIdOnceBeforeItsText(const CString& html, const IdAndText (&expected)[N])
{
    for (const IdAndText& e : expected) {
        SCOPED_TRACE(e.id);
        const CString tag = CString::Formatted("id=\"%s\"", e.id);
        const int at = html.Find(tag);
        ASSERT_NE(at, -1) << html.GetString();
        EXPECT_EQ(html.Find(tag, at + 1), -1) << "twice";
        EXPECT_EQ(html.Mid(html.Find(">", at) + 1, 1), CString(e.text));
    }
}

TEST(PageHtml, IdsAreUniqueWithinThePageWhileNamesStay)
{
    Site site;
    // the header band, the first master, the page and the footer each hold a "logo"; the
    // page also holds a "logo_2" of its own, which the third one must not take
    site.header.AddChild(Text(u"A", "logo", 1, 1));
    site.first.AddChild(Text(u"B", "logo", 1, 1));
    site.page.AddChild(Text(u"C", "logo", 1, 1));
    site.page.AddChild(Text(u"D", "logo_2", 1, 1));
    site.footer.AddChild(Text(u"E", "logo", 1, 1));
    const CString html = site.Write(3);
    const IdAndText order[] = {{"logo", "A"}, {"logo_3", "B"}, {"logo_4", "C"}, {"logo_2", "D"}, {"logo_5", "E"}};
    ExpectEachIdOnceBeforeItsText(html, order);
    // the names are untouched and the ids are the names again once the page is written
    CItemList all;
    site.page.CollectItems(all);
    site.header.CollectItems(all);
    site.first.CollectItems(all);
    site.footer.CollectItems(all);
    for (CItem* item : all) {
        EXPECT_TRUE(item->m_strPageId.IsEmpty());
        EXPECT_EQ(item->GetHtmlId(), item->m_strName);
    }
    // the whole page is well formed
    EXPECT_EQ(testsupport::TidyErrors(AssembledPage(html)), QByteArray());
}

// An anchor is written as an id: an item named as another item's anchor takes the next
// free id, while an anchor that is its own item's id stays that id alone.
TEST(PageHtml, AnchorsCountAmongTheIdsOfThePage)
{
    Site site;
    site.header.AddChild(Text(u"A", "top", 1, 1));
    CTextItem* b = Text(u"B", "intro", 1, 1);
    b->m_strAnchor = "top";
    site.page.AddChild(b);
    CTextItem* c = Text(u"C", "sec", 1, 1);
    c->m_strAnchor = "sec";
    site.page.AddChild(c);
    site.page.AddChild(Text(u"E", "top_2", 1, 1));
    site.footer.AddChild(Text(u"D", "sec", 1, 1));
    const CString html = site.Write(3);
    const IdAndText items[] = {{"top_3", "A"}, {"intro", "B"}, {"sec", "C"}, {"top_2", "E"}, {"sec_2", "D"}};
    ExpectEachIdOnceBeforeItsText(html, items);
    const int anchor = html.Find("<a id=\"top\"></a>");
    ASSERT_NE(anchor, -1) << html.GetString();
    EXPECT_EQ(html.Find("id=\"top\""), anchor + 3) << "the anchor alone carries its id";
    EXPECT_EQ(html.Find("id=\"top\"", anchor + 4), -1);
    EXPECT_EQ(html.Find("<a id=\"sec\""), -1) << "the item's own id is the anchor";
    EXPECT_EQ(testsupport::TidyErrors(AssembledPage(html)), QByteArray());
}

// ---------------------------------------------------------------- folders

TEST(FolderOutput, FoldersAreMadeInsideTheOutputRoot)
{
    QTemporaryDir dir;
    CPublishContext context;
    context.m_strOutputRoot = CString::FromQString(dir.path()) + "/site/";
    struct Case {
        const char* parent;
        const char* name;
        const char* remote; // empty: nothing made
    } cases[] = {
        {nullptr, "docs", "docs"},
        {"docs", "img", "docs/img"},
        {nullptr, "..", "folder"},
        {nullptr, "../../etc", "....etc"},
        {nullptr, "a/b\\c", "abc"},
        {nullptr, "C:\\x", "Cx"},
        {nullptr, "tab\there", "tabhere"},
    };
    std::vector<std::unique_ptr<CFolder>> folders;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto f = std::make_unique<CFolder>();
        f->m_strBaseName = c.name;
        if (c.parent)
            for (auto& other : folders)
                if (other->m_strBaseName == c.parent)
                    f->SetParentFolder(other.get());
        const int before = context.GetFileCount();
        ASSERT_EQ(CreateFolderOutput(f.get(), context), 1);
        ASSERT_EQ(context.GetFileCount(), before + 1);
        const CPublishFile& file = context.GetFile(before);
        EXPECT_EQ(file.m_strRemoteName, c.remote);
        EXPECT_EQ(file.m_bDirectory, 1);
        EXPECT_EQ(file.m_nKind, kPublishFileFolder);
        EXPECT_EQ(f->m_nUploadState, kUploadListed);
        EXPECT_TRUE(QFileInfo(dir.path() + "/site/" + QString::fromUtf8(c.remote)).isDir());
        folders.push_back(std::move(f));
    }
    // Nothing was made beside the output root.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("site")});
}

TEST(FolderOutput, LoopingParentsMakeNothing)
{
    QTemporaryDir dir;
    CPublishContext context;
    context.m_strOutputRoot = CString::FromQString(dir.path()) + "/";
    CFolder a, b;
    a.m_strBaseName = "a";
    b.m_strBaseName = "b";
    a.SetParentFolder(&b);
    b.SetParentFolder(&a);
    EXPECT_EQ(CreateFolderOutput(&a, context), 0);
    EXPECT_EQ(context.GetFileCount(), 0);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

} // namespace
