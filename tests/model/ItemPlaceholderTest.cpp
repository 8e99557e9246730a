#include "framework/core/Dc.h"
#include "model/Item.h"
#include "model/ItemPlaceholder.h"
#include "framework/core/DcTestSupport.h"
#include <QtGui/QImage>
#include <gtest/gtest.h>

namespace {

// The caption's box in the given colour at the top left, clipped to the item.
TEST(ItemPlaceholder, CaptionBoxClippedToTheItem)
{
    struct Case {
        int width, height;
    } const cases[] = {{200, 100}, {6, 5}};
    dctest::EnsureGuiApplication();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        QImage image(300, 150, QImage::Format_RGB32);
        image.fill(QColor(255, 255, 255));
        CItem item;
        item.m_nWidth = c.width;
        item.m_nHeight = c.height;
        CSize extent;
        {
            CDC dc(&image);
            DrawPlaceholder(item, &dc, "YouTube", RGB(0, 200, 0));
            CFont font;
            font.CreatePointFont(80, "Arial", &dc);
            dc.SelectObject(&font);
            extent = dc.GetTextExtent(CString("YouTube"));
        }
        ASSERT_GT(extent.cx, 10);
        // Inside the box, away from the outline and the letters' row, the brush shows.
        const int boxRight = std::min(extent.cx, c.width);
        const int boxBottom = std::min(extent.cy, c.height);
        int green = 0;
        for (int y = 1; y < boxBottom - 1; ++y)
            for (int x = 1; x < boxRight - 1; ++x)
                green += image.pixel(x, y) == qRgb(0, 200, 0);
        EXPECT_GT(green, 0);
        // Nothing beyond the item or the box.
        for (int y = 0; y < 150; ++y) {
            for (int x = 0; x < 300; ++x) {
                if (x >= boxRight || y >= boxBottom) {
                    ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
                }
            }
        }
    }
}

} // namespace
