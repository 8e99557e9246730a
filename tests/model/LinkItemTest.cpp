#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/items/LinkItem.h"
#include "support/ExternalTools.h"

#include <gtest/gtest.h>
#include <functional>
#include <vector>

namespace {

// The link's record and extras as a project stores them.
std::vector<BYTE> Store(CLinkItem& link)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    link.Serialize(ar, kVersionCurrent);
    link.SerializeExtra(ar, kVersionCurrent);
    ar.Close();
    return file.Bytes();
}

// Reads what Store wrote into copy; the bytes left over.
std::uint64_t Load(const std::vector<BYTE>& bytes, CLinkItem& copy)
{
    CMemFile in(bytes.data(), bytes.size());
    CArchive ar(&in, CArchive::load);
    copy.Serialize(ar, kVersionCurrent);
    copy.SerializeExtra(ar, kVersionCurrent);
    return ar.GetRemaining();
}

struct LinkCase {
    const char* what;
    std::function<void(CLinkItem&)> set;
    const char* expectedBody; // %ID = the generated id
    std::vector<const char*> cssLines; // %N = the item's own style
};

TEST(LinkItemHtml, TagAndHoverRules)
{
    const LinkCase cases[] = {
        {"no link keeps an empty href; default transition", [](CLinkItem& l) { l.m_strName = "home"; },
            "<a id=\"home\" href=\"\">Go &amp; see</a>\r\n",
            {"#home { %Ntransition: border 0.500000s, color 0.500000s, background 0.500000s; }"}},
        {"address link, class, no transition, hover look", [](CLinkItem& l) {
             l.m_strName = "out";
             l.m_strClass = "nav";
             l.m_dTransition = 0.0;
             l.m_link.m_nKind = kLinkAddress;
             l.m_link.m_strHref = "https://example.com/?a=1&b=2";
             l.m_nHoverBold = 1;
             l.m_nHoverItalic = 0;
             l.m_nHoverDecoration = 2;
             l.m_crExtra[CLinkItem::kHoverText] = 0x0000FF;
             l.m_crExtra[CLinkItem::kHoverBorder] = 0x00FF00;
         },
            "<a id=\"out\" class=\"nav\" href=\"https://example.com/?a=1&amp;b=2\">Go &amp; see</a>\r\n",
            {"#out { %N }", "#out:hover { font-style:normal;font-weight:bold;text-decoration:underline;border-color:#00FF00;color:#FF0000; }"}},
        {"no name: the generated id, the project unchanged", [](CLinkItem& l) { l.m_nSerial = 7; },
            "<a id=\"%ID\" href=\"\">Go &amp; see</a>\r\n",
            {"#%ID { %Ntransition: border 0.500000s, color 0.500000s, background 0.500000s; }"}},
        {"flowing link inside a paragraph", [](CLinkItem& l) { l.m_strName = "f"; l.m_bPositioned = 0; },
            "<p><a id=\"f\" href=\"\">Go &amp; see</a></p>\r\n",
            {"#f { %Ntransition: border 0.500000s, color 0.500000s, background 0.500000s; }"}},
    };
    for (const LinkCase& c : cases) {
        SCOPED_TRACE(c.what);
        CLinkItem link;
        link.m_strText.SetText(u"Go & see");
        c.set(link);
        const CString nameBefore = link.m_strName;
        CPageOutput out;
        out.m_nMode = kPublishExport;
        link.WriteHtml(out);
        CString body = c.expectedBody;
        body.Replace("%ID", link.GetHtmlId());
        EXPECT_EQ(out.m_strBody, body);
        CString css;
        for (const char* line : c.cssLines) {
            CString l = line;
            l.Replace("%N", link.GetStyle());
            l.Replace("%ID", link.GetHtmlId());
            CPageOutput expected;
            expected.AppendCssLine(l.GetString());
            css += expected.m_strPageCss;
        }
        EXPECT_EQ(out.m_strPageCss, css);
        EXPECT_EQ(link.m_strName, nameBefore); // writing never names the item
        out.m_wstrTitle.SetText(u"Links");
        out.AssemblePage();
        EXPECT_EQ(testsupport::TidyErrors(QByteArray(out.m_strFinalPage.GetString())), QByteArray());
    }
}

TEST(LinkItemRecord, HoverSettingsRoundTrip)
{
    CLinkItem link;
    link.m_nHoverBold = 1;
    link.m_nHoverItalic = 0;
    link.m_nHoverDecoration = 3;
    link.m_crExtra[CLinkItem::kHoverText] = 0x112233;
    link.m_crExtra[CLinkItem::kHoverBorder] = 0x445566;
    link.m_hoverFill.Edit().m_crColor = 0x778899;
    CLinkItem copy;
    EXPECT_EQ(Load(Store(link), copy), 0u);
    EXPECT_EQ(copy.m_nHoverBold, 1);
    EXPECT_EQ(copy.m_nHoverItalic, 0);
    EXPECT_EQ(copy.m_nHoverDecoration, 3);
    EXPECT_EQ(copy.m_crExtra[CLinkItem::kHoverText], 0x112233u);
    EXPECT_EQ(copy.m_crExtra[CLinkItem::kHoverBorder], 0x445566u);
    EXPECT_EQ(copy.m_hoverFill.Get().m_crColor, 0x778899u);
}

// A link's hover fill is held only when its record holds anything but defaults: a value
// of the body record, or of the extension alone (the transparency), must come back.
TEST(LinkItem, HoverFillHeldOnlyWhenItHoldsSomething)
{
    struct Case {
        const char* what;
        std::function<void(CFillStyle&)> set;
        bool held;
    };
    const Case cases[] = {
        {"defaults", [](CFillStyle&) {}, false},
        {"colour", [](CFillStyle& f) { f.m_crColor = 0x010203; }, true},
        {"upload state only", [](CFillStyle& f) { f.m_nUploadState = 2; }, true},
        {"transparency only", [](CFillStyle& f) { f.m_nTransparency = 4; }, true},
        {"one gradient stop", [](CFillStyle& f) { f.m_stops.Set(6, {0x123456, 3, 70}); }, true},
        {"file name", [](CFillStyle& f) { f.m_strFileName = "t.png"; }, true},
    };
    for (const Case& c : cases) {
        CLinkItem link;
        c.set(link.m_hoverFill.Edit());
        const std::vector<BYTE> bytes = Store(link);
        CLinkItem copy;
        EXPECT_EQ(Load(bytes, copy), 0u) << c.what;
        EXPECT_EQ(copy.m_hoverFill.IsHeld(), c.held) << c.what;
        // saved again, the bytes are the same whether held or not
        EXPECT_EQ(Store(copy), bytes) << c.what;
        EXPECT_EQ(copy.m_hoverFill.Get().m_nTransparency, link.m_hoverFill.Get().m_nTransparency) << c.what;
    }
}

} // namespace
