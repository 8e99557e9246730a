// A page with a slider and a gallery in the browser control: the scripts run without a
// console error, the slider changes frames and a thumbnail click swaps the large picture.
// Outside addresses are blocked, so the test needs no network.
#include "model/PageOutput.h"
#include "model/PublishContext.h"
#include "model/items/GalleryItem.h"
#include "model/items/SliderItem.h"
#include "BrowserHarness.h"

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

} // namespace

int main(int argc, char** argv)
{
    PrepareEnvironment();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
