#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/items/MenuItem.h"
#include "support/ExternalTools.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace {

CMenuEntry* Entry(const char16_t* caption, int number, const char* href)
{
    auto* e = new CMenuEntry;
    e->m_strCaption.SetText(caption);
    e->m_nNumber = number;
    e->m_link.m_nKind = kLinkAddress;
    e->m_link.m_strHref = href;
    return e;
}

// Bar: Home, Shop (with two drop-down entries), Contact; one stray drop-down entry.
void Fill(CMenuItem& menu)
{
    menu.m_strName = "nav";
    menu.m_topEntries.emplace_back(Entry(u"Home", 0, "index.html"));
    menu.m_topEntries.emplace_back(Entry(u"Shop & more", 0, "shop.html"));
    menu.m_topEntries.emplace_back(Entry(u"Contact", 0, "contact.html"));
    menu.m_dropEntries.emplace_back(Entry(u"Books", 1, "books.html"));
    menu.m_dropEntries.emplace_back(Entry(u"Music <CD>", 1, "music.html"));
    menu.m_dropEntries.emplace_back(Entry(u"Lost", 9, "lost.html"));
    menu.RecalcLayout();
}

CString Write(CMenuItem& menu, CString* css = nullptr)
{
    CPageOutput out;
    out.m_nMode = kPublishExport;
    menu.WriteHtml(out);
    if (css)
        *css = out.m_strPageCss;
    return out.m_strBody;
}

TEST(MenuItem, LayoutNumbersAndPlacesTheBarEntries)
{
    struct Case {
        int align, separator;
    } const cases[] = {{0, 1}, {1, 1}, {2, 1}, {0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "align " << c.align << " separator " << c.separator);
        CMenuItem menu;
        menu.m_nTextAlign = c.align;
        menu.m_nSeparator = c.separator;
        Fill(menu);
        int x = 2;
        for (size_t i = 0; i < menu.m_topEntries.size(); ++i) {
            const CMenuEntry& e = *menu.m_topEntries[i];
            EXPECT_EQ(e.m_nNumber, int(i));
            EXPECT_GT(e.m_nWidth, 0);
            x += 4 + e.m_nWidth + 2 * menu.m_nPadding + (c.separator > 0 && i + 1 < menu.m_topEntries.size() ? 14 : 0);
        }
        const int shift = c.align == 2 ? menu.m_nWidth - x : c.align == 1 ? (menu.m_nWidth - x) / 2 : 0;
        EXPECT_EQ(menu.m_topEntries[0]->m_nX, 2 + shift);
    }
    CMenuItem empty;
    empty.m_nWidth = 0;
    empty.RecalcLayout();
    EXPECT_EQ(empty.m_nWidth, 2);
}

TEST(MenuItem, ScriptCellsAndDropDowns)
{
    CMenuItem menu;
    Fill(menu);
    CString css;
    const CString html = Write(menu, &css);
    const CString script =
        "<script type=\"text/javascript\">\r\n"
        "var navHideTimer = null;function navTimerMenu(){if(navHideTimer) clearTimeout(navHideTimer);navHideTimer = setTimeout(\"navHideAll();\",1000);}\r\n"
        "function navHideMenu(menuname){document.getElementById(menuname).style.visibility = 'hidden';}\r\n"
        "function navShowMenu(menuname){\r\n"
        "if(navHideTimer) clearTimeout(navHideTimer);\r\n"
        "document.getElementById(menuname).style.visibility = 'visible';\r\n"
        "\r\n"
        "if(menuname!='navSM1') navHideMenu('navSM1');\r\n"
        "\r\n"
        "}\r\n"
        "function navHideAll(){navHideMenu('navSM1');}\r\n"
        "</script>\r\n";
    EXPECT_EQ(html.Left(script.GetLength()), script);
    const CMenuEntry& shop = *menu.m_topEntries[1];
    const CString shopCell = CString::Formatted("<td id=\"navTI1\" style=\"text-align:center;width:%dpx\" onMouseOver=\"navShowMenu('navSM1')\" onMouseOut=\"navTimerMenu('')\"><a class=\"navTC\" href=\"shop.html\">Shop &amp; more</a></td>\r\n",
        shop.m_nWidth + 16);
    EXPECT_NE(html.Find(shopCell), -1) << html.GetString();
    EXPECT_NE(html.Find("onMouseOver=\"navHideAll()\"><a class=\"navTC\" href=\"index.html\">Home</a></td>\r\n<td class=\"navSP\" style=\"width:10px\">|</td>\r\n"), -1);
    EXPECT_NE(html.Find("<td> &nbsp; </td>\r\n</tr>\r\n</table>"), -1);
    EXPECT_NE(html.Find(CString::Formatted("<table id=\"navSM1\" style=\"position: absolute; left:%dpx; top:%dpx; width:200px; ", shop.m_nX, menu.m_nHeight)), -1);
    EXPECT_NE(html.Find("<tr><td id=\"navSI1x1\" style=\"padding:8px;\" onMouseOver=\"navShowMenu('navSM1'); document.getElementById('navSI1x1').style.backgroundColor = '#FFFF80';\" onMouseOut=\"navTimerMenu(''); document.getElementById('navSI1x1').style.background = 'none';\"><a class=\"navSC\" href=\"music.html\">Music &lt;CD&gt;</a></td></tr>\r\n"), -1);
    EXPECT_EQ(html.Find("lost.html"), -1); // a drop-down entry of no bar entry
    EXPECT_EQ(html.Find("navSM0"), -1);
    EXPECT_NE(css.Find("a.navTC:hover { color:#FFFFFF; }"), -1) << css.GetString(); // bar hover bold equals the item's
    EXPECT_NE(css.Find("a.navSC { padding:8px;  color:#000000; text-decoration:none; font-size:10pt;font-style:normal;font-weight:normal; }"), -1) << css.GetString();
}

// An entry's own colour, bold and italic (the Menu Item dialog) reach the page through its
// cell's id, and hovering keeps the level's colour.
TEST(MenuItem, EntriesOwnColourBoldAndItalic)
{
    CMenuItem menu;
    menu.m_nBold = 0;
    menu.m_crBarHover = 0x00FF00;
    menu.m_crDropHover = 0x0000FF;
    Fill(menu);
    menu.m_topEntries[0]->m_crColor = 0x0000FF;     // red
    menu.m_topEntries[2]->m_nArchivedFirst = 1;     // bold
    menu.m_dropEntries[1]->m_nArchivedSecond = 1;   // italic
    menu.m_dropEntries[1]->m_crColor = 0x102030;
    menu.RecalcLayout();
    CString css;
    Write(menu, &css);
    const char* const present[] = {
        "#navTI0 a.navTC, #navTI0 a.navTC:link, #navTI0 a.navTC:visited { color:#FF0000; }",
        "#navTI0 a.navTC:hover { color:#00FF00; }",
        "#navTI2 a.navTC, #navTI2 a.navTC:link, #navTI2 a.navTC:visited { font-weight:bold; }",
        "#navSI1x1 a.navSC, #navSI1x1 a.navSC:link, #navSI1x1 a.navSC:visited { color:#302010; font-style:italic; }",
        "#navSI1x1 a.navSC:hover { color:#FF0000; }",
    };
    for (const char* rule : present)
        EXPECT_NE(css.Find(rule), -1) << rule << "\n" << css.GetString();
    EXPECT_EQ(css.Find("#navTI1"), -1) << "an entry with nothing of its own adds no rule";
    EXPECT_EQ(css.Find("#navTI2 a.navTC:hover"), -1) << "no colour of its own, no hover rule";
    EXPECT_EQ(css.Find("#navSI1x0"), -1);

    CPageOutput out;
    out.m_nMode = kPublishExport;
    out.m_wstrTitle.SetText(u"Menu");
    menu.WriteHtml(out);
    out.AssemblePage();
    EXPECT_EQ(testsupport::TidyErrors(QByteArray(out.m_strFinalPage.GetString())), QByteArray());
}

TEST(MenuItem, PagesAreValidForEveryAlignmentAndPlacement)
{
    for (int flowing = 0; flowing < 2; ++flowing) {
        for (int align = 0; align < 3; ++align) {
            SCOPED_TRACE(testing::Message() << "align " << align << (flowing ? " flowing" : " positioned"));
            CMenuItem menu;
            menu.m_nTextAlign = align;
            menu.m_bPositioned = !flowing;
            menu.m_strDropFace = "Times New Roman";
            Fill(menu);
            CPageOutput out;
            out.m_nMode = kPublishExport;
            out.m_wstrTitle.SetText(u"Menu");
            menu.WriteHtml(out);
            const int fillers = (align == 1 ? 2 : 1);
            int count = 0;
            for (int at = out.m_strBody.Find("<td> &nbsp; </td>"); at >= 0; at = out.m_strBody.Find("<td> &nbsp; </td>", at + 1))
                ++count;
            EXPECT_EQ(count, fillers);
            EXPECT_EQ(out.m_strBody.Find("position:relative;") >= 0, flowing == 1);
            EXPECT_NE(out.m_strPageCss.Find("font-family:'Times New Roman';"), -1);
            out.AssemblePage();
            EXPECT_EQ(testsupport::TidyErrors(QByteArray(out.m_strFinalPage.GetString())), QByteArray());
        }
    }
}

// The show and hide functions run by node against a stub document and timers.
TEST(MenuItem, DropDownsShownAndHiddenByTheScript)
{
    CMenuItem menu;
    Fill(menu);
    menu.m_strName = "main-menu"; // no identifier: the script names are made safe
    menu.m_topEntries.emplace_back(Entry(u"More", 0, "more.html"));
    menu.m_dropEntries.emplace_back(Entry(u"FAQ", 3, "faq.html"));
    menu.RecalcLayout();
    const CString html = Write(menu);
    const int start = html.Find("<script type=\"text/javascript\">\r\n") + 33;
    const int end = html.Find("</script>");
    const QByteArray script = QByteArray(
        "var els = {}; var document = { getElementById: function(id) { return els[id] || (els[id] = { id: id, style: { visibility: 'hidden' } }); } };\n"
        "var pending = null; function setTimeout(code, ms) { pending = code; return 1; } function clearTimeout(t) { pending = null; }\n")
        + QByteArray(html.Mid(start, end - start).GetString()) + "\n"
        "function state() { return document.getElementById('main_menuSM1').style.visibility + ',' + document.getElementById('main_menuSM3').style.visibility; }\n"
        "var log = [];\n"
        "main_menuShowMenu('main_menuSM1'); log.push(state());\n"
        "main_menuShowMenu('main_menuSM3'); log.push(state());\n"
        "main_menuTimerMenu(''); log.push(state() + ',' + (pending !== null));\n"
        "eval(pending); log.push(state());\n"
        "console.log(log.join('|'));\n";
    QTemporaryDir dir;
    QFile file(dir.filePath("menu.js"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(script);
    file.close();
    const testsupport::ProcessResult r = testsupport::RunProcess("node", {dir.filePath("menu.js")});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.trimmed(), QByteArray("visible,hidden|hidden,visible|hidden,visible,true|hidden,hidden"));
}

TEST(MenuItem, RecordRoundTrip)
{
    CMenuItem menu;
    Fill(menu);
    menu.m_nDropWidth = 180;
    menu.m_crDropHighlight = 0x123456;
    menu.m_strDropFace = "Verdana";
    menu.m_nSeparator = 5;
    menu.m_nDropHoverBold = 1;
    menu.m_dropFill.m_crColor = 0x00FF00;
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        menu.Serialize(ar, kVersionCurrent);
        menu.SerializeExtra(ar, kVersionCurrent);
        ar.Close();
    }
    const std::vector<BYTE> bytes = file.Bytes();
    CMenuItem copy;
    CMemFile in(bytes.data(), bytes.size());
    CArchive ar(&in, CArchive::load);
    copy.Serialize(ar, kVersionCurrent);
    copy.SerializeExtra(ar, kVersionCurrent);
    EXPECT_EQ(ar.GetRemaining(), 0u);
    EXPECT_EQ(copy.m_nDropWidth, 180);
    EXPECT_EQ(copy.m_crDropHighlight, 0x123456u);
    EXPECT_EQ(copy.m_strDropFace, CString("Verdana"));
    EXPECT_EQ(copy.m_nSeparator, 5);
    EXPECT_EQ(copy.m_nDropHoverBold, 1);
    EXPECT_EQ(copy.m_dropFill.m_crColor, 0x00FF00u);
    ASSERT_EQ(copy.m_topEntries.size(), 3u);
    ASSERT_EQ(copy.m_dropEntries.size(), 3u);
    EXPECT_EQ(copy.m_dropEntries[2]->m_nNumber, 9);
    EXPECT_EQ(copy.m_topEntries[1]->m_strCaption, menu.m_topEntries[1]->m_strCaption);
}

} // namespace
