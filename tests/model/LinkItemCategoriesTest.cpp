#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/items/CategoriesItem.h"
#include "support/ExternalTools.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

void AddEntry(CCategoriesItem& item, const char16_t* title, const char* href)
{
    const std::size_t before = item.m_entries.size();
    CItemLink* link = item.AddEntry();
    EXPECT_EQ(item.m_entries.size(), before + 1);
    EXPECT_EQ(item.m_entries.back().get(), link);
    EXPECT_EQ(link->m_nKind, 0); // a default record
    link->m_wstrTitle.SetText(title);
    if (href) {
        link->m_nKind = kLinkAddress;
        link->m_strHref = href;
    }
}

TEST(CategoriesItem, EntriesAndHeading)
{
    for (int flowing = 0; flowing < 2; ++flowing) {
        SCOPED_TRACE(flowing ? "flowing" : "positioned");
        CCategoriesItem item;
        item.m_nIcon = 0;
        item.m_bPositioned = !flowing;
        item.m_strText.SetText(u"Topics & more");
        item.m_strHeadingFace = "Times New Roman";
        item.m_crText = 0x0000FF;
        AddEntry(item, u"News", "news.html");
        AddEntry(item, u"Tips <new>", nullptr);
        AddEntry(item, u"About", "about.html");
        item.RecalcLayout();
        const int top = item.m_nInset[SIDE_TOP], left = item.m_nInset[SIDE_LEFT];
        EXPECT_GE(item.m_nHeight, top + 130 + item.m_nInset[SIDE_BOTTOM]);
        CPageOutput out;
        out.m_nMode = kPublishExport;
        item.WriteHtml(out);
        CString expected;
        if (flowing)
            expected += "<div style=\"text-align:left;\">";
        expected += "<div id=\"" + item.GetHtmlId() + "\" style=\"" + item.GetStyle() + "display:inline-block;" + (flowing ? "position:relative;" : "") + "\">";
        expected += "<span style=\"font-size:16pt;font-family:'Times New Roman';color:#C0C0C0;font-style:normal;font-weight:normal;text-decoration:none;\">Topics &amp; more</span>";
        const char* const anchors[3] = {" href=\"news.html\" title=\"News\"", " href=\"\" title=\"Tips <new>\"", " href=\"about.html\" title=\"About\""};
        const char* const titles[3] = {"News", "Tips &lt;new&gt;", "About"};
        for (int i = 0; i < 3; ++i)
            expected += CString("<a") + anchors[i] + CString::Formatted(" style=\"position:absolute;left:%dpx;top:%dpx;color:#FF0000;\">", left, top + 40 + 30 * i) + titles[i] + "</a>";
        expected += flowing ? "</div></div>\r\n" : "</div>\r\n";
        EXPECT_EQ(out.m_strBody, expected);
        out.m_wstrTitle.SetText(u"Categories");
        out.AssemblePage();
        EXPECT_EQ(testsupport::TidyErrors(QByteArray(out.m_strFinalPage.GetString())), QByteArray());
    }
}

TEST(CategoriesItem, RecordRoundTripAndHostileCount)
{
    CCategoriesItem item;
    item.m_nRowSpacing = 25;
    item.m_nFirstEntryY = 50;
    item.m_nHeadingBold = 1;
    item.m_strHeadingFace = "Verdana";
    AddEntry(item, u"One", "1.html");
    AddEntry(item, u"Two", nullptr);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        item.Serialize(ar, kVersionCurrent);
        ar.Close();
    }
    std::vector<BYTE> bytes = file.Bytes();
    {
        CCategoriesItem copy;
        CMemFile in(bytes.data(), bytes.size());
        CArchive ar(&in, CArchive::load);
        copy.Serialize(ar, kVersionCurrent);
        EXPECT_EQ(ar.GetRemaining(), 0u);
        EXPECT_EQ(copy.m_nRowSpacing, 25);
        EXPECT_EQ(copy.m_nFirstEntryY, 50);
        EXPECT_EQ(copy.m_nHeadingBold, 1);
        EXPECT_EQ(copy.m_strHeadingFace, CString("Verdana"));
        ASSERT_EQ(copy.m_entries.size(), 2u);
        EXPECT_EQ(copy.m_entries[1]->m_wstrTitle.GetUtf8(), CString("Two"));
        EXPECT_EQ(copy.m_entries[0]->m_strUrl, item.m_entries[0]->m_strUrl);
    }
    // A count far beyond the bytes that follow is refused before anything is made.
    CMemFile probe;
    {
        CArchive ar(&probe, CArchive::store);
        CCategoriesItem empty;
        empty.m_strHeadingFace = "Verdana";
        empty.CItem::Serialize(ar, kVersionCurrent);
        std::int32_t v = 0;
        ar << v << v << v << v << v;
        CString face = "Verdana";
        ar << face;
        ar << std::int32_t(0x7FFFFFFF);
        ar.Close();
    }
    std::vector<BYTE> hostile = probe.Bytes();
    CCategoriesItem victim;
    CMemFile in(hostile.data(), hostile.size());
    CArchive ar(&in, CArchive::load);
    EXPECT_THROW(victim.Serialize(ar, kVersionCurrent), CArchiveException);
    EXPECT_TRUE(victim.m_entries.empty());
}

} // namespace
