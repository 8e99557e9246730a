#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "framework/core/DcTestSupport.h"
#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/items/GalleryItem.h"
#include "support/ExternalTools.h"
#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// An Image item with a plain picture of the given size.
CImageItem* MakePicture(const char* name, int width, int height, std::uint32_t colour = 0x3366CC)
{
    auto* image = new CImageItem;
    image->m_strName = name;
    image->m_picture.Create(width, height);
    image->m_picture.FillRect(colour);
    image->m_nRenderWidth = width;
    image->m_nRenderHeight = height;
    SaveItemPictureTemp(*image);
    image->Render(0);
    image->RecalcLayout();
    return image;
}

TEST(GalleryItem, StripHeightAndCurrentPicture)
{
    CGalleryItem g;
    EXPECT_EQ(g.GetStripHeight(), 70 + 25 + 2 * (10 + 1 + 2));
    EXPECT_EQ(GetGalleryPicture(g), nullptr);
    g.AddPicture(MakePicture("a", 4, 4));
    g.AddPicture(MakePicture("b", 4, 4));
    g.AddPicture(MakePicture("c", 4, 4));
    const std::pair<int, int> cases[] = {{0, 0}, {2, 2}, {5, 0}, {3, 0}, {-1, 0}};
    for (auto [index, shown] : cases) {
        g.m_nCurrent = index;
        EXPECT_EQ(GetGalleryPicture(g), g.m_pictures[size_t(shown)].get()) << index;
    }
}

TEST(GalleryItem, ThumbnailSizesNamesAndExtension)
{
    struct Case {
        int mode, renderW, renderH;
        bool jpeg;
        int thumbW, thumbH;
    };
    const Case cases[] = {
        {0, 200, 100, false, 140, 70}, {2, 100, 300, true, 23, 70}, {1, 200, 100, false, 100, 50}, {3, 50, 200, true, 100, 400},
        {0, 200, 0, false, 200, 0}, // no render size: a copy without scaling, never a division by zero
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode * 1000 + c.renderW);
        CGalleryItem g;
        std::unique_ptr<CImageItem> image(MakePicture("pic", c.renderW, std::max(c.renderH, 1)));
        image->m_nRenderHeight = c.renderH;
        image->m_bJpegSource = c.jpeg;
        g.m_nThumbMode = c.mode;
        MakeScaledCopy(g, *image);
        ASSERT_TRUE(image->m_pLinked);
        const CBitmapItem& thumb = *image->m_pLinked;
        if (c.renderH == 0) {
            EXPECT_EQ(thumb.m_bitmap.GetWidth(), c.renderW);
            continue;
        }
        EXPECT_EQ(thumb.m_bitmap.GetWidth(), c.thumbW);
        EXPECT_EQ(thumb.m_bitmap.GetHeight(), c.thumbH);
        EXPECT_EQ(thumb.m_nWidth, c.thumbW);
        EXPECT_EQ(thumb.m_nHeight, c.thumbH);
        EXPECT_EQ(thumb.m_strName, "pic_100x70");
        EXPECT_EQ(thumb.m_strBaseName, "pic_100x70");
        if (c.jpeg) {
            EXPECT_EQ(thumb.m_strExtension, ".jpg");
        }
    }
}

TEST(GalleryItem, LayoutCentresPictureAndStrip)
{
    CGalleryItem g;
    g.m_nWidth = 600;
    g.m_nHeight = 400;
    g.AddPicture(MakePicture("a", 200, 100));
    g.AddPicture(MakePicture("b", 140, 70));
    g.AddPicture(MakePicture("nothumb", 50, 50));
    g.m_nCurrent = 1;
    MakeScaledCopy(g, *g.m_pictures[0]);
    MakeScaledCopy(g, *g.m_pictures[1]);
    g.RecalcLayout();
    const int S = g.GetStripHeight();
    const CImageItem& current = *g.m_pictures[1];
    EXPECT_EQ(current.m_nX, (600 - current.m_nWidth) / 2);
    EXPECT_EQ(current.m_nY, ((400 - S) - current.m_nHeight) / 2);
    // Two thumbnails of 140 x 70, each taking 140 + 20 + 2 + 1.
    const int run = 2 * (140 + 2 * 10 + 2 + 1);
    const int offset = (600 - run) / 2 + g.m_nInset[SIDE_LEFT];
    const CBitmapItem& t0 = *g.m_pictures[0]->m_pLinked;
    const CBitmapItem& t1 = *g.m_pictures[1]->m_pLinked;
    EXPECT_EQ(t0.m_nX, 3 + offset);
    EXPECT_EQ(t1.m_nX, 163 + 3 + offset);
    EXPECT_EQ(t0.m_nY, 400 - S + 10);

    // A strip wider than the gallery starts at the left inset.
    g.m_nWidth = 100;
    g.RecalcLayout();
    EXPECT_EQ(t0.m_nX, 3 + g.m_nInset[SIDE_LEFT]);
}

TEST(GalleryItem, HtmlOfViewAndStrip)
{
    CGalleryItem g;
    g.m_strName = "Holiday";
    g.m_nWidth = 500;
    g.m_nHeight = 400;
    g.AddPicture(MakePicture("a", 20, 10));
    g.AddPicture(MakePicture("b", 20, 10));
    g.AddPicture(MakePicture("c", 20, 10));
    MakeScaledCopy(g, *g.m_pictures[0]);
    MakeScaledCopy(g, *g.m_pictures[2]);
    g.m_pictures[0]->m_strThirdName = "beach day.png";
    g.m_pictures[0]->m_pLinked->m_strThirdName = "beach thumb.jpg";
    g.m_pictures[2]->m_strThirdName = "c.png";
    g.m_pictures[2]->m_pLinked->m_strThirdName = "c_100x70.jpg";
    g.m_crThumbBorder = 0x0000FF;
    CPageOutput out;
    g.WriteHtml(out);
    const CString cell = "<td><img alt=\"[]\" src=\"%s\" width=\"140\" height=\"70\" style=\"cursor:pointer; padding:2px; background-color:#FFFFFF; "
                         "border:1px solid #FF0000;\" onClick=\"document.getElementById('Holiday').style.backgroundImage='url(%s)';\"></td>";
    const CString expected = "<div style=\"" + g.GetStyle() + " overflow:hidden;\">"
        "<div style=\"width:100%; height:279px; overflow: hidden; background-image:url('beach%20day.png'); background-repeat:no-repeat; "
        "background-position: center center;  text-align:center;\" id=\"Holiday\"></div>"
        "<div style=\"width:100%; height:121px; overflow: auto; text-align:center;\"><table cellpadding=\"10\" align=\"center\"><tr valign=\"bottom\">"
        + CString::Formatted(cell.GetString(), "beach%20thumb.jpg", "beach%20day.png") + CString::Formatted(cell.GetString(), "c_100x70.jpg", "c.png")
        + "</tr></table>\r\n</div>\r\n</div>\r\n";
    EXPECT_EQ(out.m_strBody, expected);
}

// The view, the strip and the padding fill the gallery's box: the page's box is the
// canvas's.
TEST(GalleryItem, ViewLeavesRoomForStripAndPadding)
{
    struct Case {
        int height, padding, view;
    } const cases[] = {{400, 0, 279}, {400, 8, 263}, {537, 8, 400}, {100, 8, 0}};
    for (const Case& c : cases) {
        CGalleryItem g;
        g.m_nWidth = 500;
        g.m_nPadding = c.padding;
        g.RecalcLayout();
        g.m_nHeight = c.height;
        CPageOutput out;
        g.WriteHtml(out);
        EXPECT_NE(out.m_strBody.Find(CString::Formatted("height:%dpx; overflow: hidden; background-image", c.view)), -1)
            << c.height << " " << c.padding << ": " << out.m_strBody.GetString();
    }
}

TEST(GalleryItem, HtmlEscapesNamesAndNeedsNoPicture)
{
    CGalleryItem g;
    g.m_nHeight = 50; // smaller than the strip
    CPageOutput empty;
    g.WriteHtml(empty);
    // the generated id stands in for the missing name; the item keeps its own
    EXPECT_EQ(g.m_strName, CString());
    EXPECT_NE(empty.m_strBody.Find(CString::Formatted("id=\"id%d\"", g.m_nSerial)), -1) << empty.m_strBody.GetString();
    EXPECT_NE(empty.m_strBody.Find("height:0px; overflow: hidden; background-image:url('');"), -1);
    // a strip without pictures has no row: a row without cells is invalid
    EXPECT_NE(empty.m_strBody.Find("<table cellpadding=\"10\" align=\"center\"></table>"), -1) << empty.m_strBody.GetString();
    EXPECT_EQ(empty.m_strBody.Find("<tr"), -1);

    g.m_strName = "a'b\"c";
    g.AddPicture(MakePicture("x", 8, 8));
    MakeScaledCopy(g, *g.m_pictures[0]);
    g.m_pictures[0]->m_strThirdName = "it's (1).png";
    CPageOutput out;
    g.WriteHtml(out);
    EXPECT_NE(out.m_strBody.Find("id=\"a'b&quot;c\""), -1);
    EXPECT_NE(out.m_strBody.Find("getElementById('a\\'b\\x22c').style.backgroundImage='url(it%27s%20%281%29.png)';"), -1);
    out.AssemblePage();
    EXPECT_EQ(testsupport::TidyErrors(QByteArray(out.m_strFinalPage.GetString())), QByteArray());
}

TEST(GalleryItem, ExportWritesPicturesAndThumbnailsThatThePageNames)
{
    QTemporaryDir dir;
    CPublishContext context;
    context.m_strOutputRoot = CString::FromQString(dir.path()) + "/";
    CGalleryItem g;
    g.m_strName = "G";
    g.m_nWidth = 400;
    g.m_nHeight = 300;
    g.AddPicture(MakePicture("red", 40, 20, 0xFF0000));
    g.AddPicture(MakePicture("blue", 20, 40, 0x0000FF));
    for (auto& p : g.m_pictures)
        MakeScaledCopy(g, *p);
    EXPECT_TRUE(g.ExportFiles(context));
    CPageOutput out;
    g.WriteHtml(out);
    const QByteArray html(out.m_strBody.GetString());
    ASSERT_EQ(context.GetFileCount(), 4);
    for (const auto& f : context.GetFiles()) {
        EXPECT_TRUE(QFile::exists(f->m_strLocalPath.ToQString())) << f->m_strLocalPath.GetString();
        EXPECT_TRUE(html.contains(f->m_strRemoteName.GetString())) << f->m_strRemoteName.GetString();
    }
}

TEST(GalleryItem, RecordRoundTripKeepsPicturesAndThumbnails)
{
    CGalleryItem g;
    g.m_nThumbMode = 1;
    g.m_nThumbWidth = 50;
    g.m_nCurrent = 1;
    g.m_crThumbBack = 0x123456;
    g.AddPicture(MakePicture("a", 30, 20));
    g.AddPicture(MakePicture("b", 10, 40));
    MakeScaledCopy(g, *g.m_pictures[1]);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        g.Serialize(ar, kVersionCurrent);
        g.SerializeExtra(ar, kVersionCurrent);
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CGalleryItem back;
    back.Serialize(ar, kVersionCurrent);
    back.SerializeExtra(ar, kVersionCurrent);
    EXPECT_EQ(ar.GetRemaining(), 0u);
    ASSERT_EQ(back.m_pictures.size(), 2u);
    EXPECT_EQ(back.m_nThumbMode, 1);
    EXPECT_EQ(back.m_nThumbWidth, 50);
    EXPECT_EQ(back.m_nCurrent, 1);
    EXPECT_EQ(back.m_crThumbBack, 0x123456u);
    EXPECT_FALSE(back.m_pictures[0]->m_pLinked);
    ASSERT_TRUE(back.m_pictures[1]->m_pLinked);
    EXPECT_EQ(back.m_pictures[1]->m_pLinked->m_bitmap.GetWidth(), 50);
    EXPECT_EQ(back.m_pictures[1]->m_picture.GetWidth(), 10);
    EXPECT_TRUE(back.m_pictures[1]->StateBitmap(0).IsValid());
}

TEST(GalleryItem, DamagedPictureCountIsRefused)
{
    CGalleryItem g;
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        g.CItem::Serialize(ar, kVersionCurrent);
        for (int i = 0; i < 9; ++i)
            ar << std::int32_t(1);
        ar << std::int32_t(0x7FFFFFFF);
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CGalleryItem back;
    EXPECT_THROW(back.Serialize(ar, kVersionCurrent), CArchiveException);
}

TEST(GalleryItem, PaintsPictureAndFramedThumbnails)
{
    dctest::EnsureGuiApplication();
    CGalleryItem g;
    g.m_nWidth = 300;
    g.m_nHeight = 250;
    g.AddPicture(MakePicture("big", 60, 40, 0x00FF00));
    MakeScaledCopy(g, *g.m_pictures[0]);
    g.RecalcLayout();
    QImage image(300, 250, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        CDC dc(&image);
        g.Draw(&dc);
    }
    const CImageItem& big = *g.m_pictures[0];
    EXPECT_EQ(image.pixel(big.m_nX + 30, big.m_nY + 20), qRgb(0, 255, 0));
    const CBitmapItem& t = *big.m_pLinked;
    EXPECT_EQ(image.pixel(t.m_nX + 5, t.m_nY + 5), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(t.m_nX - 1, t.m_nY + 5), qRgb(255, 255, 255)); // thumbnail padding
    EXPECT_EQ(image.pixel(t.m_nX - 3, t.m_nY + 5), qRgb(128, 128, 128)); // thumbnail border
}

} // namespace
