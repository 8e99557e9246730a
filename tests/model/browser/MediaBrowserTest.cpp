// A page with a slider and a gallery in the browser control: the scripts run without a
// console error, the slider changes frames and a thumbnail click swaps the large picture.
// Outside addresses are blocked, so the test needs no network.
#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/items/GalleryItem.h"
#include "model/items/MarqueeItem.h"
#include "model/items/SliderItem.h"
#include "BrowserHarness.h"

#include <algorithm>

#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>

#include <gtest/gtest.h>

namespace {

using namespace browsertest;

CImageItem* Picture(const char* name, std::uint32_t colour)
{
    auto* image = new CImageItem;
    image->m_strName = name;
    image->m_picture.Create(60, 40);
    image->m_picture.FillRect(colour);
    image->m_nRenderWidth = 60;
    image->m_nRenderHeight = 40;
    SaveItemPictureTemp(*image);
    image->Render(0);
    image->RecalcLayout();
    return image;
}

TEST(MediaBrowser, SliderChangesFramesAndGallerySwapsPictures)
{
    QTemporaryDir dir;
    CPublishContext context;
    context.m_strOutputRoot = CString::FromQString(dir.path()) + "/";

    CSliderItem slider;
    slider.m_strName = "Show";
    slider.m_nX = 10;
    slider.m_nY = 10;
    slider.m_nWidth = 200;
    slider.m_nHeight = 100;
    slider.m_nInterval = 1;
    slider.m_nTransition = 1;
    for (int i = 0; i < 3; ++i)
        slider.AddFrame();
    CGalleryItem gallery;
    gallery.m_strName = "Album";
    gallery.m_nX = 10;
    gallery.m_nY = 150;
    gallery.m_nWidth = 400;
    gallery.m_nHeight = 300;
    gallery.AddPicture(Picture("first picture", 0xFF0000));
    gallery.AddPicture(Picture("second picture", 0x00FF00));
    for (auto& p : gallery.m_pictures)
        MakeScaledCopy(gallery, *p);
    gallery.RecalcLayout();
    slider.ExportFiles(context);
    gallery.ExportFiles(context);

    CPageOutput out;
    slider.WriteHtml(out);
    gallery.WriteHtml(out);
    out.AssemblePage();
    const QString path = QDir(dir.path()).filePath(QStringLiteral("index.html"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(out.m_strFinalPage.GetString());
    f.close();

    Browser browser;
    ConsolePage& page = browser.page;
    ASSERT_TRUE(LoadFile(page, path));

    const QString visibility = QStringLiteral("['ShowFrame1','ShowFrame2','ShowFrame3'].map(id => getComputedStyle(document.getElementById(id)).visibility).join(' ')");
    // Right after loading the first frame shows alone; the first change starts after a
    // second and takes half a second.
    QStringList states{RunScript(page, visibility).toString()};
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 6000 && states.last() != QStringLiteral("hidden visible hidden")) {
        Wait(50);
        const QString now = RunScript(page, visibility).toString();
        if (now != states.last())
            states << now;
    }
    EXPECT_EQ(states.first(), QStringLiteral("visible hidden hidden"));
    EXPECT_EQ(states.last(), QStringLiteral("hidden visible hidden")) << states.join(QStringLiteral(" / ")).toStdString();
    EXPECT_EQ(RunScript(page, QStringLiteral("document.getElementById('ShowFrame2').style.left")).toString(), QStringLiteral("0px"));

    const QString large = QStringLiteral("document.getElementById('Album').style.backgroundImage");
    EXPECT_TRUE(RunScript(page, large).toString().contains(QStringLiteral("firstpicture"))) << RunScript(page, large).toString().toStdString();
    RunScript(page, QStringLiteral("document.querySelectorAll('td img')[1].click(); 0"));
    EXPECT_TRUE(RunScript(page, large).toString().contains(QStringLiteral("secondpicture"))) << RunScript(page, large).toString().toStdString();
    const int thumbs = RunScript(page, QStringLiteral("Array.from(document.querySelectorAll('td img')).filter(e => e.complete && e.naturalWidth > 0).length")).toInt();
    EXPECT_EQ(thumbs, 2);
    EXPECT_TRUE(page.errors.isEmpty()) << page.errors.join('\n').toStdString();
}

TEST(MediaBrowser, MarqueeTextScrollsAcrossItsBoxInTheChosenDirection)
{
    QTemporaryDir dir;
    struct Case { int direction; const char* name; };
    for (const Case c : {Case{0, "left"}, Case{1, "right"}}) {
        SCOPED_TRACE(c.name);
        CMarqueeItem marquee;
        marquee.m_strText.SetText(u"News");
        marquee.m_nX = 20;
        marquee.m_nY = 20;
        marquee.m_nWidth = 300;
        marquee.m_nHeight = 30;
        marquee.m_nScrollAmount = 30; // 300 px * 2 * 85 ms / 30 = 1.7 s a pass
        marquee.m_nDirection = c.direction;
        CPageOutput out;
        marquee.WriteHtml(out);
        out.AssemblePage();
        const QString path = QDir(dir.path()).filePath(QStringLiteral("%1.html").arg(c.name));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(out.m_strFinalPage.GetString());
        f.close();

        Browser browser;
        ASSERT_TRUE(LoadFile(browser.page, path));
        // where the text's left edge stands against the box's, at moments of its one
        // animation (set through the animation itself: a page that is not shown draws no
        // frames, so its clock would not run)
        EXPECT_EQ(RunScript(browser.page, QStringLiteral("document.getAnimations().length")).toInt(), 1);
        EXPECT_EQ(RunScript(browser.page, QStringLiteral("document.getAnimations()[0].effect.getComputedTiming().duration")).toInt(), 1700);
        QList<int> seen;
        for (int t : {0, 425, 850, 1275, 1690})
            seen << RunScript(browser.page, QStringLiteral("(() => { document.getAnimations()[0].currentTime = %1;"
                                                           " const p = document.querySelector('div > p'); const r = document.createRange();"
                                                           " r.selectNodeContents(p); return Math.round(r.getBoundingClientRect().left"
                                                           " - p.parentNode.getBoundingClientRect().left); })()").arg(t)).toInt();
        ASSERT_EQ(seen.size(), 5);
        const int lowest = *std::min_element(seen.begin(), seen.end());
        const int highest = *std::max_element(seen.begin(), seen.end());
        // the text passes through the box: seen inside it and, at one end, beyond it
        EXPECT_LT(lowest, 0) << c.name;
        EXPECT_GT(highest, 150) << c.name;
        // it moves the chosen way all along
        for (int i = 1; i < seen.size(); ++i)
            if (c.direction == 0)
                EXPECT_LT(seen[i], seen[i - 1]) << i;
            else
                EXPECT_GT(seen[i], seen[i - 1]) << i;
        EXPECT_TRUE(browser.page.errors.isEmpty()) << browser.page.errors.join('\n').toStdString();
    }
}

} // namespace

int main(int argc, char** argv)
{
    PrepareEnvironment();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
