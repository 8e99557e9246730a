#include "PicturePageFixture.h"

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
        // dragged from bottom-right to top-left: written in order, the radius positive
        {0, CRect(30, 40, 1, 2), {}, "<area shape=rect coords=\"1,2,30,40\""},
        {0, CRect(30, 2, 1, 40), {}, "<area shape=rect coords=\"1,2,30,40\""},
        {1, CRect(31, 30, 10, 10), {}, "<area shape=circle coords=\"20,20,10\""},
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
    CImageItem* rolloverPtr = nullptr;
    std::vector<std::unique_ptr<CItem>> items;
    CPageOutput out;
    BuildPicturePage(dir.path(), items, out, &rolloverPtr);
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
    stored.m_nArchivedWord = 7;
    Load(loaded, Store(stored));
    EXPECT_EQ(loaded.m_nInnerWidth, 50);
    EXPECT_EQ(loaded.m_nArchivedWord, 7);
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
