// The page of picture items in the browser control: every file the page asks for
// (pictures, the sprite of the mouse-over look) was written beside it, and every
// picture decodes. Outside addresses are blocked, so the test needs no network.
#include "../PicturePageFixture.h"
#include "BrowserHarness.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtWebEngineCore/QWebEngineProfile>
#include <QtWebEngineCore/QWebEngineUrlRequestInterceptor>
#include <QtWidgets/QApplication>

#include <gtest/gtest.h>

namespace {

using namespace browsertest;

// Lets local files through and notes them; blocks everything else.
class Recorder : public QWebEngineUrlRequestInterceptor {
public:
    QStringList files;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override
    {
        const QUrl url = info.requestUrl();
        if (url.isLocalFile())
            files << url.toLocalFile();
        else
            info.block(true);
    }
};

TEST(PictureBrowser, EveryReferencedFileIsThere)
{
    QTemporaryDir dir;
    std::vector<std::unique_ptr<CItem>> items;
    CPageOutput out;
    picturetest::BuildPicturePage(dir.path(), items, out);
    const QString path = dir.filePath("index.html");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(out.m_strFinalPage.GetString());
    f.close();

    QWebEngineProfile profile;
    Recorder recorder;
    profile.setUrlRequestInterceptor(&recorder);
    QWebEnginePage page(&profile);
    ASSERT_TRUE(LoadFile(page, path));
    ASSERT_TRUE(Settle(page)); // pictures requested after the load event have come

    // Hovering is not needed: the sprite is the link's background and loads with it.
    const QStringList images = RunScript(page, QStringLiteral(
        "Array.from(document.querySelectorAll('img, input[type=image]'))"
        ".filter(e => e.src.startsWith('file:'))"
        ".map(e => e.src + ' ' + (e.naturalWidth || 0) + ' ' + (e.complete ? 1 : 0))")).toStringList();
    EXPECT_EQ(images.size(), 4); // the map, the plain picture, the form button's image, the clone
    for (const QString& entry : images) {
        const QStringList parts = entry.split(' ');
        ASSERT_EQ(parts.size(), 3) << entry.toStdString();
        if (parts[0].contains("send"))
            continue; // an input of type image has no natural size
        EXPECT_GT(parts[1].toInt(), 0) << entry.toStdString();
    }
    const QString sprite = RunScript(page, QStringLiteral(
        "getComputedStyle(document.getElementById('hover_me')).backgroundImage")).toString();
    EXPECT_TRUE(sprite.contains("_over.png")) << sprite.toStdString();

    int pictures = 0;
    for (const QString& file : recorder.files) {
        if (file == path)
            continue;
        ++pictures;
        EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
        EXPECT_TRUE(file.startsWith(dir.path() + "/")) << file.toStdString();
    }
    EXPECT_GE(pictures, 4);
}

} // namespace

int main(int argc, char** argv)
{
    browsertest::PrepareEnvironment();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
