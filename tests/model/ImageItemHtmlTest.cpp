#include "PictureTestSupport.h"

#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/items/ExternalImageItem.h"
#include "model/items/ImageCloneItem.h"
#include "model/items/ImageItem.h"

#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>
#include <QtCore/QUrl>
#include <gtest/gtest.h>

using namespace picturetest;

namespace {

std::unique_ptr<CImageItem> Picture(const char* name, int x)
{
    auto item = std::make_unique<CImageItem>();
    const CDib dib = Gradient(24, 16);
    const std::vector<BYTE> png = PngBytes(dib);
    item->m_blob.Assign(png.data(), png.size());
    DecodeStoredImage(*item);
    item->m_strName = name;
    item->m_nX = x;
    item->m_nWidth = item->m_nRenderWidth = 24;
    item->m_nHeight = item->m_nRenderHeight = 16;
    item->Render(0);
    item->RecalcLayout();
    return item;
}

std::unique_ptr<CImageMapArea> Area(int kind, CRect rect, std::vector<CPoint> points, const char* url, const char16_t* title)
{
    auto area = std::make_unique<CImageMapArea>();
    area->m_nKind = kind;
    area->m_rect = rect;
    area->m_points = std::move(points);
    area->m_link.m_nKind = kLinkAddress;
    area->m_link.m_strUrl = url;
    area->m_link.m_strHref = url;
    area->m_link.m_wstrTitle.SetText(title);
    return area;
}

TEST(ImageMapAreas, CoordinatesByKind)
{
    CPageOutput out;
    struct Case {
        int kind;
        CRect rect;
        std::vector<CPoint> points;
        const char* start;
    } cases[] = {
        {0, CRect(1, 2, 30, 40), {}, "<area shape=rect coords=\"1,2,30,40\""},
        {1, CRect(10, 10, 31, 30), {}, "<area shape=circle coords=\"20,20,10\""},
        {2, CRect(), {CPoint(1, 2), CPoint(3, 4)}, "<area shape=poly coords=\"1,2, 3,4\""},
    };
    for (const Case& c : cases) {
        auto area = Area(c.kind, c.rect, c.points, "a.html", u"T<\"x\">");
        const CString tag = WriteImageMapAreas(*area, out);
        EXPECT_EQ(tag.Left(int(std::strlen(c.start))), c.start) << tag.GetString();
        EXPECT_NE(tag.Find(" href=\"a.html\""), -1) << tag.GetString();
        EXPECT_NE(tag.Find(" alt=\"T<&quot;x&quot;>\">\r\n"), -1) << tag.GetString();
    }
}

TEST(ImageItemHtml, PageWithMapsRolloversAndClonesIsValidAndComplete)
{
    QTemporaryDir dir;
    CPublishContext context;
    context.m_strOutputRoot = CString::FromQString(dir.path()) + "/";

    std::vector<std::unique_ptr<CItem>> items;
    auto mapped = Picture("mapped", 0);
    mapped->m_strText = "A \"map\" & <more>";
    mapped->m_areas.push_back(Area(0, CRect(0, 0, 10, 10), {}, "one.html?a=1&b=2", u"One \"1\""));
    mapped->m_areas.push_back(Area(1, CRect(10, 0, 20, 10), {}, "http://example.com/#x", u"Two"));
    mapped->m_areas.push_back(Area(2, CRect(), {CPoint(0, 10), CPoint(10, 16), CPoint(0, 16)}, "three.html", u"<Three>"));
    auto rollover = Picture("hover me", 40);
    rollover->m_crOverShift = 0x00A08080u;
    rollover->m_link.m_nKind = kLinkAddress;
    rollover->m_link.m_strHref = "next.html";
    auto plain = Picture("../../etc/x\"#", 80);
    plain->m_strText = "plain \"quoted\"";
    plain->m_strTitle.SetText(u"Title <b>");
    auto button = Picture("send", 120);
    button->m_bFormButton = 1;
    auto clone = std::make_unique<CImageCloneItem>();
    clone->m_pSource = plain.get();
    clone->m_strText = "clone";
    auto orphan = std::make_unique<CImageCloneItem>();
    auto external = std::make_unique<CExternalImageItem>();
    external->m_strThirdName = "http://example.com/a picture\".png";
    external->m_strText = "outside <pic>";
    external->m_nWidthStyle = 1;
    external->RecalcLayout();
    CImageItem* rolloverPtr = rollover.get();
    items.push_back(std::move(mapped));
    items.push_back(std::move(rollover));
    items.push_back(std::move(plain));
    items.push_back(std::move(button));
    items.push_back(std::move(clone));
    items.push_back(std::move(orphan));
    items.push_back(std::move(external));

    for (auto& item : items)
        item->ExportFiles(context);
    CPageOutput out;
    for (auto& item : items)
        item->WriteHtml(out);
    out.m_wstrTitle.SetText(u"Pictures");
    out.AssemblePage();
    const QByteArray page(out.m_strFinalPage.GetString());

    EXPECT_EQ(testsupport::TidyErrors(page), QByteArray()) << page.constData();
    EXPECT_TRUE(page.contains("alt=\"A &quot;map&quot; &amp; <more>\"") || page.contains("alt=\"A &quot;map&quot; &amp; &lt;more&gt;\""));
    EXPECT_TRUE(page.contains(" usemap=\"#mapped_map_"));
    EXPECT_TRUE(page.contains("<area shape=circle coords=\"15,5,5\""));
    EXPECT_TRUE(page.contains(":hover { background-position:0px -16px;  }"));
    EXPECT_TRUE(page.contains("<input type=\"image\""));
    EXPECT_TRUE(page.contains("max-width:600px;"));
    EXPECT_EQ(rolloverPtr->m_strName, "hover me");

    // Every picture the page refers to by a relative address was written.
    QStringList refs;
    const QRegularExpression src(QStringLiteral("src=\"([^\"]*)\""));
    for (auto it = src.globalMatch(QString::fromUtf8(page)); it.hasNext();)
        refs << it.next().captured(1);
    const QRegularExpression url(QStringLiteral("url\\(([^)]*)\\)"));
    for (auto it = url.globalMatch(QString::fromUtf8(page)); it.hasNext();)
        refs << it.next().captured(1);
    int local = 0;
    for (const QString& ref : refs) {
        if (ref.startsWith("http"))
            continue;
        ++local;
        EXPECT_FALSE(ref.contains(' ') || ref.contains('"') || ref.contains('#')) << ref.toStdString();
        const QString file = QUrl::fromPercentEncoding(ref.toUtf8());
        EXPECT_FALSE(file.contains('/')) << ref.toStdString();
        EXPECT_TRUE(QFile::exists(dir.filePath(file))) << ref.toStdString();
    }
    EXPECT_EQ(local, 5); // mapped, sprite, plain, button, clone
}

TEST(ExternalImageHtml, StyleByWidthAndHeightStyles)
{
    struct Case {
        int widthStyle, heightStyle;
        const char* style;
    } cases[] = {
        {1, 0, "style=\"max-width:320px;"}, {2, 2, "style=\"width:320px;height:200px;"}, {0, 1, "style=\"max-height:200px;"},
    };
    for (const Case& c : cases) {
        CExternalImageItem item;
        item.m_nInnerWidth = 320;
        item.m_nWidthStyle = c.widthStyle;
        item.m_nHeightStyle = c.heightStyle;
        item.RecalcLayout();
        CPageOutput out;
        item.WriteHtml(out);
        EXPECT_NE(out.m_strBody.Find(c.style), -1) << out.m_strBody.GetString();
    }
    CExternalImageItem loaded;
    CExternalImageItem stored;
    stored.m_nInnerWidth = 50;
    stored.m_nKept = 7;
    Load(loaded, Store(stored));
    EXPECT_EQ(loaded.m_nInnerWidth, 50);
    EXPECT_EQ(loaded.m_nKept, 7);
}

TEST(ImageCloneHtml, WritesNothingWithoutSource)
{
    CImageCloneItem clone;
    CPageOutput out;
    clone.WriteHtml(out);
    EXPECT_EQ(out.m_strBody.Find("<img"), -1);
    CPublishContext context;
    EXPECT_FALSE(clone.ExportFiles(context));
    EXPECT_TRUE(CImageCloneItem::IsCloneableType(ITEM_IMAGE));
    EXPECT_FALSE(CImageCloneItem::IsCloneableType(ITEM_GIF));
    EXPECT_FALSE(CImageCloneItem::IsCloneableType(ITEM_PAYPAL));
}

} // namespace
