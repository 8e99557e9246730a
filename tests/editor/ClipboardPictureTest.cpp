// A clipboard picture pasted as an image, a container background or the browser
// background, encoded in memory into a private folder that does not outlive the paste.
#include "CommandTestSupport.h"

#include "document/EditScope.h"
#include "editor/commands/ClipboardPicture.h"
#include "model/Dib.h"
#include "model/FillStyle.h"
#include "model/Picture.h"
#include "model/WString.h"
#include "model/items/ImageItem.h"
#include "support/ExternalTools.h"

#include <QtCore/QDir>
#include <QtCore/QMimeData>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <gtest/gtest.h>

using namespace edtest;

namespace {

QImage TestPicture()
{
    QImage image(64, 48, QImage::Format_ARGB32);
    image.fill(QColor(20, 120, 220));
    for (int x = 0; x < 64; ++x)
        image.setPixel(x, 10, qRgb(250, 200, 0));
    return image;
}

CWString Wide(const char* text)
{
    CWString w;
    w.SetQString(QString::fromUtf8(text));
    return w;
}

// Format, size and (JPEG) the first luminance quantizer, as Pillow reads the bytes.
QByteArray PillowInfo(const QByteArray& bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("read");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    f.close();
    const testsupport::ProcessResult r = testsupport::RunPython(
        "import sys\n"
        "from PIL import Image\n"
        "im = Image.open(sys.argv[1]); im.load()\n"
        "q = getattr(im, 'quantization', None)\n"
        "print(im.format, im.size[0], im.size[1], q[0][0] if q else '-')\n",
        {path});
    return r.out.trimmed();
}

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

TEST(ClipboardPicture, NamesAreAsciiLowerCaseAndNeverPaths)
{
    const struct { const char* typed; const char* name; } cases[] = {
        {"My Photo", "my_photo"}, {"Café Über", "cafe_uber"}, {"../x", "x"}, {"a/b\\c", "abc"},
        {"..", "image"},          {"", "image"},              {"img-2.v1", "img-2.v1"},
    };
    for (const auto& k : cases)
        EXPECT_STREQ(PastedPictureName(Wide(k.typed)).GetString(), k.name) << k.typed;
}

TEST(ClipboardPicture, EachPlacementAndFormat)
{
    // a temporary folder of this test's own, inside a folder that holds nothing else
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString temp = root.filePath("tmp");
    ASSERT_TRUE(QDir().mkpath(temp));
    const QByteArray previousTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", temp.toLocal8Bit());
    ASSERT_EQ(QDir::tempPath(), QDir(temp).absolutePath());
    for (bool jpeg : {true, false}) {
        EditCanvas c;
        c.doc.m_nImageCounter = 4;
        const std::vector<BYTE> before = RecordBytes(*c.page);
        ASSERT_TRUE(PastePicture(c.view(), DibFromQImage(TestPicture()), Wide("../x"), jpeg, PastePictureImage));
        ASSERT_EQ(c.page->GetChildCount(), 1);
        CItem* item = c.page->GetChild(0);
        EXPECT_EQ(item->m_nType, ITEM_IMAGE);
        EXPECT_STREQ(item->m_strName.GetString(), "x");
        EXPECT_EQ(c.doc.m_nImageCounter, 5);
        EXPECT_STREQ(c.doc.m_undo.GetHead()->m_strDescription.GetString(), "Paste Image");
        const QByteArray stored(reinterpret_cast<const char*>(item->m_blob.Data()), qsizetype(item->m_blob.Size()));
        EXPECT_EQ(PillowInfo(stored), jpeg ? QByteArray("JPEG 64 48 3") : QByteArray("PNG 64 48 -"));
        if (!jpeg)
            SaveScreenshot(c.view().RenderClient(), "picture-paste");
        c.view().ClearInteraction();
        c.Undo();
        EXPECT_EQ(FirstDifference(RecordBytes(*c.page), before), -1);

        // the current container's background
        const size_t textures = c.doc.m_textures.size();
        ASSERT_TRUE(PastePicture(c.view(), DibFromQImage(TestPicture()), Wide("back"), jpeg, PastePictureBackground));
        ASSERT_EQ(c.doc.m_textures.size(), textures + 1);
        CPicture* texture = c.doc.m_textures.back().get();
        EXPECT_EQ(c.page->m_pFill->m_nKind, CFillStyle::KindPicture);
        EXPECT_EQ(c.page->m_pFill->m_pPicture, texture);
        // the fill names the picture by its picture id (not its serial: that names nothing)
        EXPECT_EQ(c.page->m_pFill->m_nPictureId, texture->m_nPictureId);
        EXPECT_NE(texture->m_nPictureId, texture->m_nSerial);
        EXPECT_EQ(texture->m_nWidth, 64);
        const QByteArray bytes(reinterpret_cast<const char*>(texture->m_blob.Data()), qsizetype(texture->m_blob.Size()));
        EXPECT_EQ(PillowInfo(bytes), jpeg ? QByteArray("JPEG 64 48 3") : QByteArray("PNG 64 48 -"));

        // the browser background
        ASSERT_TRUE(PastePicture(c.view(), DibFromQImage(TestPicture()), Wide("browser"), jpeg, PastePictureBrowserBackground));
        EXPECT_EQ(c.doc.m_websiteBackground.m_nKind, CFillStyle::KindPicture);
        EXPECT_EQ(c.doc.m_websiteBackground.m_pPicture, c.doc.m_textures.back().get());
        EXPECT_TRUE(c.doc.IsModified());
    }
    // nothing written beside the temporary folder, and no temporary file left in it
    EXPECT_EQ(Entries(temp), QStringList());
    EXPECT_EQ(Entries(root.path()), QStringList{"tmp"});
    if (previousTmp.isEmpty())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", previousTmp);
}

TEST(ClipboardPicture, ADrawingBecomesAnImageWhoseUncoveredPartIsTransparent)
{
    const QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='100' height='50'>"
                           "<rect x='0' y='0' width='50' height='50' fill='#ff0000'/></svg>";
    for (int antialiased : {0, 1}) {
        EditCanvas c;
        c.doc.m_nItemCounter = 8;
        c.doc.m_nImageCounter = 2;
        auto* mime = new QMimeData;
        mime->setData(QString::fromLatin1(kDrawingMimeType), svg);
        QGuiApplication::clipboard()->setMimeData(mime);
        DialogAnswer answer({}, true, {{1002, antialiased}});
        ExecuteCommand(&c.view(), ID_EDIT_PASTE);
        EXPECT_EQ(answer.shown.size(), 0u);
        ASSERT_EQ(c.page->GetChildCount(), 1) << antialiased;
        auto* item = dynamic_cast<CImageItem*>(c.page->GetChild(0));
        ASSERT_TRUE(item);
        EXPECT_STREQ(item->m_strName.GetString(), "img8");
        EXPECT_EQ(c.doc.m_nImageCounter, 3);
        EXPECT_STREQ(c.doc.m_undo.GetHead()->m_strDescription.GetString(), "Paste Metafile");
        CDib picture = item->m_picture;
        ASSERT_EQ(picture.GetWidth(), 100);
        ASSERT_EQ(picture.GetHeight(), 50);
        picture.BeginPixels();
        EXPECT_EQ(picture.GetPixel(20, 20), 0x00FF0000u) << antialiased; // red, opaque
        EXPECT_EQ(picture.GetPixel(80, 20) >> 24, 0xFFu) << antialiased; // uncovered
        picture.EndPixels();
        c.view().ClearInteraction();
    }
    // Cancel: nothing changes
    EditCanvas c;
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(kDrawingMimeType), svg);
    QGuiApplication::clipboard()->setMimeData(mime);
    c.doc.SetModifiedFlag(false);
    const std::vector<BYTE> before = ProjectBytes(c.doc);
    DialogAnswer answer({}, false);
    ExecuteCommand(&c.view(), ID_EDIT_PASTE);
    EXPECT_EQ(answer.opened, 1);
    EXPECT_EQ(FirstDifference(ProjectBytes(c.doc), before), -1);
    EXPECT_FALSE(c.doc.IsModified());
}

// A pasted background stays on its container through an unrelated change taken back and
// through saving and opening the project; Cancel of the paste's change takes the texture
// out of the list again.
TEST(ClipboardPicture, APastedBackgroundSurvivesUndoAndReopening)
{
    EditCanvas c;
    ASSERT_TRUE(PastePicture(c.view(), DibFromQImage(TestPicture()), Wide("back"), false, PastePictureBackground));
    ASSERT_EQ(c.doc.m_textures.size(), 1u);
    CPicture* texture = c.doc.m_textures.back().get();
    ASSERT_EQ(c.page->m_pFill->m_pPicture, texture);

    // an unrelated change to the page, then Edit/Undo: the page is read back from its snapshot
    {
        CEditScope scope(c.doc, c.page, c.page, nullptr, "Other");
        c.Add(ITEM_GROUP, 10, 10);
    }
    ASSERT_EQ(c.page->GetChildCount(), 1);
    c.Undo();
    ASSERT_EQ(c.page->GetChildCount(), 0);
    EXPECT_EQ(c.page->m_pFill->m_nKind, CFillStyle::KindPicture);
    EXPECT_EQ(c.page->m_pFill->m_pPicture, texture);

    // saved and opened again
    QTemporaryDir dir;
    const CString path = CString::FromQString(dir.filePath("site.kjproj"));
    ASSERT_TRUE(c.doc.OnSaveDocument(path));
    CKJDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    ASSERT_EQ(reopened.m_textures.size(), 1u);
    ASSERT_FALSE(reopened.m_pages.empty());
    const CFillStyle* fill = reopened.m_pages.front()->m_pFill.get();
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(fill->m_nKind, CFillStyle::KindPicture);
    ASSERT_EQ(fill->m_pPicture, reopened.m_textures.front().get());
    EXPECT_EQ(fill->m_pPicture->m_nWidth, 64);

    // the paste joined to a change that is cancelled leaves no texture behind
    {
        CEditScope outer(c.doc, c.page, c.page, nullptr, "Outer");
        ASSERT_TRUE(PastePicture(c.view(), DibFromQImage(TestPicture()), Wide("more"), false, PastePictureBackground));
        EXPECT_EQ(c.doc.m_textures.size(), 2u);
        outer.Cancel();
    }
    EXPECT_EQ(c.doc.m_textures.size(), 1u);
    EXPECT_EQ(c.page->m_pFill->m_pPicture, texture);
}
