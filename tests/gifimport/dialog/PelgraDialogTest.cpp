// In a program running a widget application, the library's messages are real modal
// message boxes, not text on standard error.
#include "gifimport/GifTestSupport.h"
#include "gifimport/pelgra/pelgra.h"

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>
#include <gtest/gtest.h>

using namespace giftest;

TEST(PelgraDialog, MessagesAreModalBoxesInWidgetPrograms)
{
    int argc = 1;
    char name[] = "test_gifimport_dialog";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);

    struct Shown {
        QString text, title;
        QMessageBox::Icon icon;
    };
    std::vector<Shown> shown;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible() && box->isModal()) {
                shown.push_back({box->text(), box->windowTitle(), box->icon()});
                box->accept();
            }
    });
    poll.start();

    QTemporaryDir dir;
    const std::vector<Rgb> pal{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
    GifBuilder::ImageOptions o;
    o.minCodeSize = 2;
    const std::string two = WriteFile(dir, "two.gif", GifBuilder().Screen(1, 1, pal).Image(1, 1, RawLzw({1}, 2), o).Image(1, 1, RawLzw({2}, 2), o).Trailer().Data());
    const std::string bad = WriteFile(dir, "bad.gif", Bytes{'J', 'F', 'I', 'F'});

    StderrCapture err;
    GifBitmapHeader* h = GIFLoad(two.c_str());
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GifBitmapPixels(h)[0], 0x00040506u);
    GIFFree(h);
    EXPECT_EQ(GIFLoadAnimation(bad.c_str()), nullptr);
    const std::string printed = err.Text();

    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, QStringLiteral("This GIF animation contains multiple images. Only first image will be loaded."));
    EXPECT_EQ(shown[0].title, QStringLiteral("GIF Import"));
    EXPECT_EQ(shown[0].icon, QMessageBox::Warning);
    EXPECT_EQ(shown[1].text, QStringLiteral("No GIF Format"));
    EXPECT_EQ(shown[1].title, QStringLiteral("GIF Import"));
    EXPECT_EQ(shown[1].icon, QMessageBox::Critical);
    EXPECT_EQ(printed.find("GIF Import"), std::string::npos) << printed;
}
