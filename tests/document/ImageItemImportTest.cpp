#include "DocTestSupport.h"

#include "document/ImageItemImport.h"
#include "document/KJDoc.h"
#include "framework/core/Png.h"
#include "model/Page.h"
#include "model/items/ImageItem.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString WritePicture(const QTemporaryDir& dir, const QString& name, int w, int h)
{
    CDib dib;
    dib.CreateWhite(w, h);
    const QString path = dir.filePath(name);
    PackedBitmapPtr packed = dib.CopyToGlobal();
    EXPECT_TRUE(packed && SavePNG(CString::FromQString(path), *packed));
    return path;
}

TEST(ImageItemImport, NamesFollowTheFileAndClashesTakeTheCounter)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("other"));
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CPage* page = doc.m_pages.front().get();
    doc.m_nImageCounter = 7;
    const struct { const char* file; const char* base; const char* id; int counterAfter; } cases[] = {
        {"logo.png", "logo", "logo", 7},
        {"other/logo.png", "img7", "img7", 8},  // the site has a logo already
        {"2 my:pic.png", "2myxpic", "id2myxpic", 8},
        {"other/logo.png", "img8", "img8", 9},
    };
    for (const auto& k : cases) {
        const QString path = WritePicture(dir, k.file, 5, 3);
        std::unique_ptr<CImageItem> item(CreateImageItemFromFile(doc, CString::FromQString(path)));
        ASSERT_NE(item, nullptr) << k.file;
        EXPECT_EQ(item->m_strBaseName, k.base) << k.file;
        EXPECT_EQ(item->m_strName, k.id) << k.file;
        EXPECT_EQ(doc.m_nImageCounter, k.counterAfter) << k.file;
        EXPECT_EQ(item->m_picture.GetWidth(), 5);
        EXPECT_EQ(item->m_picture.GetHeight(), 3);
        EXPECT_TRUE(item->StateBitmap(0).IsValid()) << "rendered";
        page->AddChild(item.release());
    }
}

TEST(ImageItemImport, AFileThatIsNoPictureGivesNoItem)
{
    QTemporaryDir dir;
    QFile f(dir.filePath("fake.png"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture at all");
    f.close();
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doctest::MessageRecorder messages;
    EXPECT_EQ(CreateImageItemFromFile(doc, CString::FromQString(f.fileName())), nullptr);
    EXPECT_EQ(CreateImageItemFromFile(doc, CString::FromQString(dir.filePath("missing.png"))), nullptr);
    EXPECT_EQ(messages.texts.size(), 2u);
    EXPECT_EQ(doc.m_nImageCounter, 1);
}

} // namespace
