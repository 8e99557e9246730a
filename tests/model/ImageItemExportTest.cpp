#include "PictureTestSupport.h"

#include "framework/core/MessageBox.h"
#include "model/PublishContext.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/ImageItem.h"

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace picturetest;

namespace {

struct Output {
    QTemporaryDir dir;
    CPublishContext context;
    Output() { context.m_strOutputRoot = CString::FromQString(dir.path()) + "/"; }
    QString Path(const CString& name) const { return dir.filePath(name.ToQString()); }
};

// An Image item imported from bytes, as the designer does it.
std::unique_ptr<CImageItem> Imported(const std::vector<BYTE>& bytes, const char* file, const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QString::fromUtf8(file));
    EXPECT_TRUE(WriteAll(path, bytes));
    auto item = std::make_unique<CImageItem>();
    EXPECT_EQ(ImportImageFile(*item, path.toUtf8().constData()), 1);
    return item;
}

TEST(ImageItemImport, FormatFromTheBytes)
{
    QTemporaryDir dir;
    const CDib dib = Gradient(12, 8);
    CDib bmpSource = Gradient(12, 8);
    // A 24-bit BMP written by Pillow from the PNG.
    const QString png = dir.filePath("g.png");
    ASSERT_TRUE(WriteAll(png, PngBytes(dib)));
    const QString bmp = dir.filePath("photo.BMP");
    ASSERT_EQ(testsupport::RunPython("import sys\nfrom PIL import Image\nImage.open(sys.argv[1]).convert('RGB').save(sys.argv[2], 'BMP')\n", {png, bmp}).exitCode, 0);
    std::vector<BYTE> bmpBytes;
    {
        const QByteArray b = ReadAll(bmp);
        bmpBytes.assign(b.begin(), b.end());
    }
    struct Case {
        std::vector<BYTE> bytes;
        const char* file;
        int type, jpeg;
        const char* extension;
        int storedFormat;
    } cases[] = {
        {PngBytes(dib), "a.png", ITEM_IMAGE, 0, ".png", CPicture::FormatPng},
        {JpegBytes(dib), "x.JPE", ITEM_IMAGE, 1, ".JPE", CPicture::FormatJpeg},
        {PngBytes(dib), "named.jpg", ITEM_IMAGE, 0, ".png", CPicture::FormatPng},
        {GifBytes(), "anim.gif", ITEM_GIF, 0, ".gif", CPicture::FormatGif},
        {bmpBytes, "photo.BMP", ITEM_IMAGE, 0, ".png", CPicture::FormatPng},
    };
    for (const Case& c : cases) {
        auto item = Imported(c.bytes, c.file, dir);
        EXPECT_EQ(item->m_nType, c.type) << c.file;
        EXPECT_EQ(item->m_bJpegSource, c.jpeg) << c.file;
        EXPECT_EQ(item->m_strExtension, c.extension) << c.file;
        EXPECT_EQ(SniffPictureFormat(item->m_blob.Data(), item->m_blob.Size()), c.storedFormat) << c.file;
        EXPECT_EQ(item->m_nWidth, item->m_picture.GetWidth());
        EXPECT_TRUE(item->m_state[0].IsValid()) << c.file;
    }
    // A file that is no picture: a message, and the item keeps what it had.
    auto item = Imported(PngBytes(dib), "keep.png", dir);
    const std::size_t size = item->m_blob.Size();
    ASSERT_TRUE(WriteAll(dir.filePath("bad.png"), {'n', 'o', 'p', 'e'}));
    CString shown;
    MessageBoxHandler old = SetMessageBoxHandler([&](const CString& text, const CString&, unsigned) {
        shown = text;
        return IDOK;
    });
    EXPECT_EQ(ImportImageFile(*item, dir.filePath("bad.png").toUtf8().constData()), 0);
    SetMessageBoxHandler(old);
    EXPECT_FALSE(shown.IsEmpty());
    EXPECT_EQ(item->m_blob.Size(), size);
    EXPECT_EQ(item->m_picture.GetWidth(), 12);
}

TEST(ImageItemExport, CopyOrEncodeByWhatChanged)
{
    QTemporaryDir source;
    const CDib dib = Gradient(30, 20);
    struct Case {
        const char* label;
        bool jpegSource;
        int frame, grow;
        double rotation;
        COLORREF shift;
        const char* file;
        const char* format;
        bool copied;
    } cases[] = {
        {"png unchanged", false, 0, 0, 0.0, 0xFF808080u, "pic.png", "PNG", true},
        {"jpeg unchanged", true, 0, 0, 0.0, 0xFF808080u, "pic.jpg", "JPEG", true},
        {"png one pixel wider", false, 0, 1, 0.0, 0xFF808080u, "pic.png", "PNG", false},
        {"jpeg framed", true, 2, 0, 0.0, 0xFF808080u, "pic.jpg", "JPEG", false},
        {"jpeg framed and rotated", true, 2, 0, 10.0, 0xFF808080u, "pic.png", "PNG", false},
        {"jpeg with rollover", true, 0, 0, 0.0, RGB(0xA0, 0x80, 0x80), "pic.jpg", "JPEG", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::vector<BYTE> bytes = c.jpegSource ? JpegBytes(dib) : PngBytes(dib);
        auto item = Imported(bytes, c.jpegSource ? "in.jpg" : "in.png", source);
        item->m_strName = "pic";
        item->m_nFrameWidth = c.frame;
        item->m_dRotation = c.rotation;
        item->m_crOverShift = c.shift;
        if (c.grow)
            item->SetRect(0, 0, item->m_nWidth + c.grow, item->m_nHeight);
        else
            item->Render(0);
        item->RecalcLayout();
        Output out;
        ASSERT_TRUE(item->ExportFiles(out.context));
        EXPECT_EQ(item->m_strOutputName, c.file);
        const QByteArray written = ReadAll(out.Path(c.file));
        EXPECT_EQ(written == QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())), c.copied);
        const PillowView v = ReadWithPillow(out.Path(c.file));
        ASSERT_TRUE(v.ok);
        EXPECT_EQ(v.format, c.format);
        EXPECT_EQ(v.width, item->m_state[0].GetWidth());
        if (item->HasRollover()) {
            const PillowView sprite = ReadWithPillow(out.Path("pic_over.png"), {{5, 5}, {5, 25}});
            ASSERT_TRUE(sprite.ok);
            EXPECT_EQ(sprite.height, 2 * item->m_nHeight);
            // Top: the normal look (near 40, 40, 100 after JPEG); below: red moved up by 32.
            const std::uint32_t top = sprite.rgba[0], below = sprite.rgba[1];
            EXPECT_NEAR(int(top >> 24), 40, 10);
            EXPECT_EQ(int(below >> 24) - int(top >> 24), 32);
            EXPECT_EQ(below & 0x00FFFFFFu, top & 0x00FFFFFFu);
        }
    }
}

TEST(ImageItemExport, SpriteHalvesAndGifCopies)
{
    QTemporaryDir source;
    for (int showOver : {0, 1}) {
        auto item = Imported(PngBytes(Solid(120, 40, 0x00102030u)), "flat.png", source);
        item->m_strName = "button";
        item->m_crOverShift = RGB(0xA0, 0x80, 0x80);
        item->m_bShowOverState = showOver;
        Output out;
        item->ExportFiles(out.context);
        const PillowView v = ReadWithPillow(out.Path("button_over.png"), {{60, 10}, {60, 50}});
        ASSERT_TRUE(v.ok);
        EXPECT_EQ(v.width, 120);
        EXPECT_EQ(v.height, 80);
        const std::uint32_t normal = 0x102030FFu, over = 0x302030FFu;
        EXPECT_EQ(v.rgba[0], showOver ? over : normal);
        EXPECT_EQ(v.rgba[1], showOver ? normal : over);
    }
    auto gif = Imported(GifBytes(), "anim.gif", source);
    gif->m_strName = "anim";
    gif->m_crOverShift = 0x00808080u;
    gif->m_dRotation = 45.0;
    Output out;
    ASSERT_TRUE(gif->ExportFiles(out.context));
    EXPECT_EQ(gif->m_strOutputName, "anim.gif");
    EXPECT_EQ(ReadAll(out.Path("anim.gif")).size(), qsizetype(GifBytes().size()));
    EXPECT_EQ(out.context.GetFileCount(), 1);

    CImageItem empty;
    EXPECT_FALSE(empty.ExportFiles(out.context));
}

TEST(ImageItemExport, HostileNamesStayInsideAndStayApart)
{
    QTemporaryDir source;
    Output out;
    const char* names[] = {"../x", "a\"b#c", "", "..", "../x", "x", "sub/../../y"};
    std::vector<std::unique_ptr<CImageItem>> items;
    for (const char* name : names) {
        auto item = Imported(PngBytes(Gradient(8, 8)), "p.png", source);
        item->m_strName = name;
        item->m_crOverShift = 0x00908080u; // with a sprite too
        ASSERT_TRUE(item->ExportFiles(out.context));
        items.push_back(std::move(item));
    }
    const QStringList written = QDir(out.dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    EXPECT_EQ(written.size(), 2 * int(items.size()));
    QStringList names2;
    for (const auto& item : items) {
        const CString file = item->m_strOutputName;
        EXPECT_EQ(file.Find('/'), -1);
        EXPECT_NE(file[0], '.');
        EXPECT_TRUE(written.contains(file.ToQString())) << file.GetString();
        EXPECT_TRUE(written.contains(GetRolloverFileName(*item).ToQString())) << file.GetString();
        names2 << file.ToQString();
    }
    names2.removeDuplicates();
    EXPECT_EQ(names2.size(), int(items.size()));
    for (int i = 0; i < out.context.GetFileCount(); ++i)
        EXPECT_TRUE(out.context.GetFile(i).m_strLocalPath.ToQString().startsWith(out.dir.path() + "/"));
}

TEST(ImageItemRecord, RoundTripWithAreasAndLinkedCopy)
{
    QTemporaryDir source;
    auto item = Imported(PngBytes(Gradient(16, 12)), "p.png", source);
    item->m_strName = "map";
    item->m_nHueShift = 30;
    item->m_nFrameWidth = 1;
    SetLogFontFace(item->m_lf, "Arial");
    for (int kind = 0; kind < 3; ++kind) {
        auto area = std::make_unique<CImageMapArea>();
        area->m_nKind = kind;
        area->m_rect = CRect(1, 2, 3, 4);
        area->m_points = {CPoint(1, 2), CPoint(3, 4)};
        item->m_areas.push_back(std::move(area));
    }
    item->m_pLinked = std::make_unique<CBitmapItem>();
    item->m_pLinked->m_nWidth = 3;
    item->m_pLinked->m_nHeight = 2;
    item->m_pLinked->m_bitmap = Gradient(3, 2);
    item->Render(0);

    const std::vector<BYTE> bytes = Store(*item);
    CImageItem back;
    Load(back, bytes);
    EXPECT_EQ(Store(back), bytes);
    EXPECT_EQ(back.m_areas.size(), 3u);
    EXPECT_EQ(back.m_areas[2]->m_points.size(), 2u);
    EXPECT_EQ(back.m_nHueShift, 30);
    ASSERT_TRUE(back.m_pLinked);
    EXPECT_EQ(back.m_pLinked->m_bitmap.GetWidth(), 3);
    EXPECT_EQ(back.m_picture.GetWidth(), 16);          // decoded from the stored bytes
    EXPECT_TRUE(back.IsRenderPending());               // rendered when first asked for
    EXPECT_EQ(back.StateBitmap(0).GetWidth(), 16);
    EXPECT_EQ(std::string(back.m_lf.lfFaceName), "Arial");

    // A face name without its terminator is cut; counts beyond the bytes are refused.
    std::vector<BYTE> unterminated = bytes;
    const std::vector<BYTE> face = {'A', 'r', 'i', 'a', 'l', 0};
    auto at = std::search(unterminated.begin(), unterminated.end(), face.begin(), face.end());
    ASSERT_NE(at, unterminated.end());
    std::fill(at, at + 32, BYTE('A'));
    CImageItem cut;
    Load(cut, unterminated);
    EXPECT_EQ(std::strlen(cut.m_lf.lfFaceName), 31u);

    CImageItem plain;
    plain.m_strName = "n";
    const std::vector<BYTE> empty = Store(plain);
    for (std::int32_t bad : {-1, 5000, 0x7FFFFFFF}) {
        std::vector<BYTE> d = empty;
        std::memcpy(d.data() + d.size() - 4, &bad, 4); // the area count is last
        CImageItem q;
        EXPECT_THROW(Load(q, d), CArchiveException) << bad;
    }
}

TEST(BitmapItemRecord, PixelsAsTheSizeAnnounces)
{
    struct Case {
        int width, height, bitmapWidth, bitmapHeight;
    } cases[] = {{3, 2, 3, 2}, {3, 2, 7, 5}, {4, 4, 0, 0}, {0, 3, 2, 2}};
    for (const Case& c : cases) {
        CBitmapItem item;
        item.m_nWidth = c.width;
        item.m_nHeight = c.height;
        if (c.bitmapWidth)
            item.m_bitmap = Gradient(c.bitmapWidth, c.bitmapHeight);
        CItem bare;
        bare.m_nWidth = c.width;
        bare.m_nHeight = c.height;
        const std::size_t base = Store(bare).size();
        const std::vector<BYTE> bytes = Store(item);
        EXPECT_EQ(bytes.size() - base, std::size_t(std::max(0, c.width * c.height) * 4)) << c.width << "x" << c.height;
        CBitmapItem back;
        Load(back, bytes);
        EXPECT_EQ(back.m_bitmap.GetWidth(), c.width > 0 && c.height > 0 ? c.width : 0);
        EXPECT_EQ(Store(back), bytes);
    }
    CBitmapItem huge;
    huge.m_nWidth = 1000;
    huge.m_nHeight = 1000;
    std::vector<BYTE> bytes = Store(huge);
    bytes.resize(bytes.size() - 10);
    CBitmapItem q;
    EXPECT_THROW(Load(q, bytes), CArchiveException);
}

} // namespace

namespace {

TEST(ImageItemEdit, CropClipsAndStoresTheCut)
{
    QTemporaryDir source;
    struct Case {
        CRect rect;
        int width, height;
    } cases[] = {{CRect(2, 3, 12, 9), 10, 5}, {CRect(20, 10, 5, 5), 15, 3}, {CRect(-5, -5, 4, 4), 4, 4}, {CRect(40, 40, 50, 50), 20, 8}};
    for (const Case& c : cases) {
        auto item = Imported(PngBytes(Gradient(20, 8)), "p.png", source);
        CropImage(*item, c.rect.left, c.rect.top, c.rect.right, c.rect.bottom);
        EXPECT_EQ(item->m_picture.GetWidth(), c.width);
        EXPECT_EQ(item->m_picture.GetHeight(), c.height);
        EXPECT_EQ(item->m_state[0].GetWidth(), c.width);
        CImageItem back;
        back.m_blob = item->m_blob;
        DecodeStoredImage(back);
        EXPECT_EQ(back.m_picture.GetWidth(), c.width);
        // The cut's top-left is the picture's pixel at the clipped rectangle's corner.
        CRect clipped = c.rect;
        clipped.NormalizeRect();
        clipped.IntersectRect(clipped, CRect(0, 0, 20, 8));
        if (clipped.Width() > 0) {
            back.m_picture.BeginPixels();
            EXPECT_EQ(back.m_picture.GetPixel(0, 0), Gradient(20, 8).GetPixelChecked(clipped.left, clipped.top));
            back.m_picture.EndPixels();
        }
    }
    auto item = Imported(PngBytes(Gradient(20, 8)), "p.png", source);
    ASSERT_TRUE(SaveItemPictureTempJpeg(*item));
    EXPECT_EQ(item->m_bJpegSource, 1);
    EXPECT_EQ(SniffPictureFormat(item->m_blob.Data(), item->m_blob.Size()), CPicture::FormatJpeg);
    EXPECT_EQ(item->m_picture.GetWidth(), 20);

    item->m_dRotation = 12.5;
    const CString text = item->Describe();
    EXPECT_EQ(text.Right(int(std::strlen(" 12.5\xC2\xB0"))), " 12.5\xC2\xB0");
}

TEST(BitmapItemExport, AlwaysJpegUnderASafeUniqueName)
{
    QTemporaryDir dir;
    CPublishContext context;
    context.m_strOutputRoot = CString::FromQString(dir.path()) + "/";
    const char* names[] = {"thumb", "thumb", "../up", ""};
    std::vector<std::unique_ptr<CBitmapItem>> items; // all alive through the run, as in a project
    for (const char* name : names) {
        items.push_back(std::make_unique<CBitmapItem>());
        CBitmapItem& item = *items.back();
        item.m_strName = name;
        item.m_nWidth = 6;
        item.m_nHeight = 4;
        item.m_bitmap = Gradient(6, 4);
        ASSERT_TRUE(item.ExportFiles(context));
        // the written name is the run's; the item's own names stay as they were
        EXPECT_EQ(item.m_strOutputName.Right(4), ".jpg");
        EXPECT_EQ(item.m_strExtension, CString());
        EXPECT_EQ(item.m_strThirdName, CString());
        const PillowView v = ReadWithPillow(dir.filePath(item.m_strOutputName.ToQString()));
        ASSERT_TRUE(v.ok) << item.m_strOutputName.GetString();
        EXPECT_EQ(v.format, "JPEG");
        EXPECT_EQ(v.width, 6);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4);
    // Exported again into the same run, an item keeps its own name.
    const CString first = items[0]->m_strOutputName;
    ASSERT_TRUE(items[0]->ExportFiles(context));
    EXPECT_EQ(items[0]->m_strOutputName, first);
}

} // namespace

namespace {

TEST(ImageItemRecord, ExtrasCarryShadowTransparencyAndTheLinkedCopy)
{
    CImageItem item;
    item.m_nShadowTransparency = 60;
    item.m_pLinked = std::make_unique<CBitmapItem>();
    item.m_pLinked->m_pFill = std::make_unique<CFillStyle>();
    item.m_pLinked->m_pFill->m_nTransparency = 4;
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        item.Serialize(ar, kVersionMemory);
        item.SerializeExtra(ar, kVersionMemory);
        ar.Close();
    }
    const std::vector<BYTE> bytes = f.Bytes();
    CImageItem back;
    CMemFile in(bytes.data(), bytes.size());
    CArchive ar(&in, CArchive::load);
    back.Serialize(ar, kVersionMemory);
    back.SerializeExtra(ar, kVersionMemory);
    EXPECT_EQ(back.m_nShadowTransparency, 60);
    ASSERT_TRUE(back.m_pLinked);
    EXPECT_EQ(back.m_pLinked->m_pFill->m_nTransparency, 4);
    EXPECT_EQ(ar.GetRemaining(), 0u);
}

} // namespace

// An artistic text without text draws nothing; its page still needs its picture, or the
// whole site would stop at it: a clear picture of the item's size is written.
TEST(ImageItemExport, ItemWithNothingToShowWritesAClearPictureOfItsSize)
{
    CArtisticTextItem item;
    item.m_strName = "empty";
    item.m_nWidth = 40;
    item.m_nHeight = 12;
    item.m_strText = CWString();
    Output out;
    ASSERT_TRUE(item.ExportFiles(out.context));
    EXPECT_TRUE(out.context.m_strFailedPath.IsEmpty());
    EXPECT_EQ(item.m_strOutputName, CString("empty.png"));
    const PillowView v = ReadWithPillow(out.Path("empty.png"), {{0, 0}, {39, 11}});
    ASSERT_TRUE(v.ok);
    EXPECT_EQ(v.width, 40);
    EXPECT_EQ(v.height, 12);
    ASSERT_EQ(v.rgba.size(), 2u);
    EXPECT_EQ(v.rgba[0] & 0xFFu, 0u); // alpha
    EXPECT_EQ(v.rgba[1] & 0xFFu, 0u);
}
