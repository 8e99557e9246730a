// The toolbar pictures come from the SVG resources: each command of the bars has one of
// its own, drawn at both icon sizes.
#include "app/Artwork.h"
#include "app/SiteTreeCtrl.h"
#include "editor/SiteTreeNodes.h"
#include "resources/CommandIds.h"

#include <QtCore/QFile>
#include <QtGui/QColor>
#include <QtGui/QIcon>
#include <QtGui/QImage>

#include <gtest/gtest.h>

namespace {

QImage Picture(UINT id, int size)
{
    return CommandIcon(id).pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

int CoveredPixels(const QImage& image)
{
    int covered = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            covered += qAlpha(image.pixel(x, y)) > 0;
    return covered;
}

} // namespace

TEST(Artwork, EveryToolbarCommandHasItsOwnPicture)
{
    const UINT ids[] = {ID_FILE_NEW, ID_FILE_OPEN_PROJECT, ID_FILE_SAVE, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_UNDO,
        ID_ITEM_FONT, ID_ITEM_TEXT_COLOR, ID_LARGER_FONT, ID_SMALLER_FONT, ID_BOLD, ID_ITALIC, ID_UNDERLINE, ID_ALIGN_LEFT,
        ID_ALIGN_CENTER, ID_ALIGN_RIGHT, ID_PAGE_PREVIEW, ID_PAGE_PREVIEW_BROWSER, ID_WEBSITE_UPLOAD, ID_PREVIEW_ONLINE, ID_HELP_CONTENTS,
        ID_INSERT_PARAGRAPH, ID_INSERT_TEXT, ID_INSERT_HEADING, ID_INSERT_LINK, ID_INSERT_ARTISTIC, ID_INSERT_IMAGE,
        ID_INSERT_BUTTON, ID_INSERT_MENU, ID_INSERT_SHAPE, ID_INSERT_GROUP, ID_INSERT_SCROLLAREA, ID_FORM_NEW, ID_FORM_INPUT,
        ID_FORM_LIST, ID_FORM_DROPDOWN, ID_FORM_TEXTAREA, ID_FORM_CHECKBOX, ID_FORM_RADIO, ID_FORM_SUBMIT, ID_ACTION_ONCLICK,
        ID_ACTION_LINK, ID_INSERT_FLASH, ID_INSERT_YOUTUBE, ID_INSERT_VIDEO, ID_INSERT_PHP, ID_INSERT_MARQUEE, ID_INSERT_TAB,
        ID_INSERT_GRADIENT};
    const QImage fallback = Picture(0, 16);
    EXPECT_GT(CoveredPixels(fallback), 0) << "the plain square of commands without a picture";
    std::vector<QImage> seen;
    for (UINT id : ids) {
        SCOPED_TRACE(id);
        const QImage small = Picture(id, 16), large = Picture(id, 32);
        ASSERT_EQ(small.size(), QSize(16, 16));
        ASSERT_EQ(large.size(), QSize(32, 32));
        EXPECT_GT(CoveredPixels(small), 10);
        EXPECT_GT(CoveredPixels(large), 4 * 10);
        EXPECT_NE(small, fallback);
        for (const QImage& other : seen)
            EXPECT_NE(small, other); // no two commands look alike
        seen.push_back(small);
    }
    // Upload and upload-all share one picture.
    EXPECT_EQ(Picture(ID_WEBSITE_UPLOAD_ALL, 16), Picture(ID_WEBSITE_UPLOAD, 16));
}

TEST(Artwork, PicturesAreResourceFiles)
{
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/toolbar/file_new.svg")));
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/toolbar/command.svg")));
}

TEST(Artwork, SiteTreePicturesAreDrawnFromTheirFiles)
{
    const std::vector<QIcon> images = MakeSiteTreeImages();
    for (int index : {IMAGE_PAGE, IMAGE_FOLDER, IMAGE_HOME, IMAGE_TEXTURE, IMAGE_FOLDER_HOME, IMAGE_FILE, IMAGE_MASTER}) {
        SCOPED_TRACE(index);
        const QImage image = images[size_t(index)].pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_GT(CoveredPixels(image), 10);
    }
    // the home page is the page with a red corner
    const QImage page = images[IMAGE_PAGE].pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage home = images[IMAGE_HOME].pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(QColor(home.pixel(11, 12)), QColor(0xdc, 0x28, 0x28));
    EXPECT_NE(page.pixel(11, 12), home.pixel(11, 12));
}
