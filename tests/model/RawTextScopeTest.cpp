// The raw-text choice of an item applies to that item's text only: the labels, headings
// and entries written after it are escaped again.
#include "model/PageOutput.h"
#include "model/items/CategoriesItem.h"
#include "model/items/CheckBoxItem.h"
#include "model/items/HeadingItem.h"
#include "model/items/MarqueeItem.h"
#include "model/items/ParagraphItem.h"
#include "model/items/PreformattedTextItem.h"
#include "model/items/TextItem.h"

#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

TEST(RawTextScope, RestoresTheFlagEvenWhenNested)
{
    CPageOutput out;
    {
        const CRawTextScope outer(out, 1);
        EXPECT_EQ(out.m_bRawText, 1);
        {
            const CRawTextScope inner(out, 0);
            EXPECT_EQ(out.m_bRawText, 0);
        }
        EXPECT_EQ(out.m_bRawText, 1);
    }
    EXPECT_EQ(out.m_bRawText, 0);
}

TEST(RawTextScope, TextAfterARawItemIsEscapedAgain)
{
    const struct {
        const char* what;
        std::function<std::unique_ptr<CItem>()> make;
    } setters[] = {
        {"Text", [] { return std::unique_ptr<CItem>(new CTextItem()); }},
        {"Heading", [] { return std::unique_ptr<CItem>(new CHeadingItem()); }},
        {"Preformatted", [] { return std::unique_ptr<CItem>(new CPreformattedTextItem()); }},
        {"Paragraph", [] { return std::unique_ptr<CItem>(new CParagraphItem()); }},
        {"Marquee", [] { return std::unique_ptr<CItem>(new CMarqueeItem()); }},
    };
    for (const auto& s : setters) {
        SCOPED_TRACE(s.what);
        std::unique_ptr<CItem> raw = s.make();
        raw->m_bRawText = 1;
        raw->m_strText.SetText(u"<u>mine</u>");
        CPageOutput out;
        raw->WriteHtml(out);
        EXPECT_GE(out.m_strBody.Find("<u>mine</u>"), 0) << out.m_strBody.GetString(); // the raw item's own text stays raw
        EXPECT_EQ(out.m_bRawText, 0);

        CCheckBoxItem box;
        box.m_strText.SetText(u"<b>bold</b> & more");
        CCategoriesItem categories;
        categories.m_nIcon = 0;
        categories.m_strText.SetText(u"<i>Topics</i>");
        categories.AddEntry()->m_wstrTitle.SetText(u"<s>News</s>");
        const int start = out.m_strBody.GetLength();
        box.WriteHtml(out);
        categories.WriteHtml(out);
        const CString after = out.m_strBody.Mid(start);
        for (const char* escaped : {"&lt;b&gt;bold&lt;/b&gt; &amp; more", "&lt;i&gt;Topics&lt;/i&gt;", "&lt;s&gt;News&lt;/s&gt;"})
            EXPECT_GE(after.Find(escaped), 0) << escaped << " in " << after.GetString();
        for (const char* element : {"<b>bold</b>", "><i>Topics</i><", "><s>News</s><"})
            EXPECT_LT(after.Find(element), 0) << element << " in " << after.GetString();
    }
}

} // namespace
