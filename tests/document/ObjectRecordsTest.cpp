#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "framework/core/Png.h"
#include "model/Folder.h"
#include "model/Picture.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<BYTE> Store(CSiteObject& o)
{
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        o.Serialize(ar, 0);
        ar.Close();
    }
    return f.Bytes();
}

void Load(CSiteObject& o, const std::vector<BYTE>& bytes, int version = 92)
{
    CMemFile f(bytes.data(), bytes.size());
    CArchive ar(&f, CArchive::load);
    o.Serialize(ar, version);
}

std::int32_t IntAt(const std::vector<BYTE>& b, std::size_t offset)
{
    std::int32_t v;
    std::memcpy(&v, b.data() + offset, 4);
    return v;
}

TEST(PictureRecord, FieldOrderAndRoundTrip)
{
    CPicture p;
    p.m_nPictureId = 4711;
    p.m_nWidth = 640;
    p.m_nHeight = 480;
    p.m_strName = "sky";
    p.m_nFormat = CPicture::FormatJpeg;
    p.m_nUploadState = 2;
    p.m_nStoredWord = 9;
    p.m_nSupersampling = 3;
    p.m_bInvert = 1;
    p.m_nChannelSwap = 4;
    p.m_crFrame = 0x123456;
    p.m_nFrameShading = 2;
    p.m_nFrameWidth = 5;
    p.m_nCornerRadius = 11;
    p.m_nShape = 8;
    p.m_nFadeKind = 2;
    p.m_nFadeLeft = 1;
    p.m_nFadeRight = 0;
    p.m_nFadeTop = 1;
    p.m_nFadeBottom = 0;
    p.m_nFadeWidth = 45;
    p.m_crShadow = 0x654321;
    p.m_nShadowOffset = 7;
    p.m_nShadowSoftness = 6;
    p.m_bShadow = 1;
    const BYTE source[] = {0xFF, 0xD8, 0xFF, 0xE0, 1, 2};
    p.m_blob.Assign(source, sizeof source);
    std::vector<BYTE> b = Store(p);
    // id, width, height, name (1-byte length + 3), then 21 ints, the size and the bytes
    ASSERT_EQ(b.size(), 12u + 4u + 21u * 4u + 4u + sizeof source);
    EXPECT_EQ(IntAt(b, 0), 4711);
    EXPECT_EQ(IntAt(b, 4), 640);
    EXPECT_EQ(IntAt(b, 8), 480);
    EXPECT_EQ(b[12], 3);
    const std::int32_t expected[21] = {2, 2, 9, 3, 1, 4, 0x123456, 2, 5, 11, 8, 2, 1, 0, 1, 0, 45, 0x654321, 7, 6, 1};
    for (int i = 0; i < 21; ++i)
        EXPECT_EQ(IntAt(b, 16 + 4 * std::size_t(i)), expected[i]) << "field " << i + 5;
    EXPECT_EQ(IntAt(b, 16 + 84), std::int32_t(sizeof source));

    CPicture q;
    Load(q, b);
    EXPECT_EQ(Store(q), b);
    EXPECT_EQ(q.GetFileName(), "sky.jpg");
}

TEST(PictureRecord, DamagedSizesAreRefused)
{
    CPicture p;
    p.m_strName = "x";
    const BYTE source[] = {1, 2, 3, 4};
    p.m_blob.Assign(source, sizeof source);
    std::vector<BYTE> b = Store(p);
    std::size_t sizeAt = b.size() - sizeof source - 4;
    for (std::int32_t bad : {-1, 5, 0x7FFFFFFF}) {
        std::vector<BYTE> d = b;
        std::memcpy(d.data() + sizeAt, &bad, 4);
        CPicture q;
        EXPECT_THROW(Load(q, d), CArchiveException) << bad;
    }
    for (std::size_t n = 0; n < b.size(); ++n) {
        std::vector<BYTE> cut(b.begin(), b.begin() + n);
        CPicture q;
        EXPECT_THROW(Load(q, cut), CArchiveException) << n;
    }
}

TEST(PictureRecord, FileNamesAndFormats)
{
    struct Case {
        const char* file;
        int format;
        const char* fileName;
    } cases[] = {
        {"a/Photo.JPG", CPicture::FormatJpeg, "Photo.jpg"},
        {"b.jpeg", CPicture::FormatJpeg, "b.jpg"},
        {"c.jpe", CPicture::FormatJpeg, "c.jpg"},
        {"d.Png", CPicture::FormatPng, "d.png"},
        {"e.gif", CPicture::FormatGif, "e.gif"},
        {"f.bmp", CPicture::FormatBmp, "f.bmp"},
        {"g.tiff", CPicture::FormatUnknown, "g"},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        QString path = dir.filePath(QString::fromUtf8(c.file).section('/', -1));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("data");
        f.close();
        CPicture p;
        EXPECT_EQ(p.LoadFile(CString::FromQString(path)), 0) << c.file; // not a picture
        EXPECT_EQ(p.m_nFormat, c.format) << c.file;
        EXPECT_EQ(p.GetFileName(), c.fileName) << c.file;
        EXPECT_EQ(p.m_blob.Size(), 4u);
    }
    // a real PNG decodes and gives the natural size
    CDib dib;
    dib.Create(2, 3);
    std::vector<BYTE> png;
    ASSERT_TRUE(SavePNGData(*dib.CopyToGlobal(), png));
    QString pngPath = dir.filePath("real.png");
    QFile pf(pngPath);
    ASSERT_TRUE(pf.open(QIODevice::WriteOnly));
    pf.write(reinterpret_cast<const char*>(png.data()), qint64(png.size()));
    pf.close();
    CPicture real;
    EXPECT_EQ(real.LoadFile(CString::FromQString(pngPath)), 1);
    EXPECT_EQ(real.m_nWidth, 2);
    EXPECT_EQ(real.m_nHeight, 3);
    EXPECT_EQ(real.m_picture.GetWidth(), 2);
    // the record of a decodable picture restores the decoded picture on load
    CPicture again;
    Load(again, Store(real));
    EXPECT_EQ(again.m_picture.GetHeight(), 3);
    CPicture missing;
    EXPECT_EQ(missing.LoadFile(CString::FromQString(dir.filePath("none.png"))), 0);
}

TEST(PictureRecord, PictureIdFollowsTheSerial)
{
    CPicture p;
    EXPECT_EQ(p.m_nPictureId, p.m_nSerial + 1);
    EXPECT_EQ(GetObjectCounter(), p.m_nPictureId);
    EXPECT_EQ(p.m_nType, 47);
}

TEST(FolderRecord, RootRecordThenParentId)
{
    CFolder parent;
    CFolder child;
    child.m_strBaseName = "docs";
    child.SetParentFolder(&parent);
    std::vector<BYTE> b = Store(child);
    EXPECT_EQ(IntAt(b, b.size() - 4), parent.m_nSerial);
    CFolder back;
    Load(back, b);
    EXPECT_EQ(back.m_nSerial, child.m_nSerial);
    EXPECT_EQ(back.m_nParentId, parent.m_nSerial);
    EXPECT_EQ(back.GetParentFolder(), nullptr); // the document resolves it
    EXPECT_EQ(back.GetFileName(), "docs");
    EXPECT_EQ(Store(back), b);
    CFolder top;
    EXPECT_EQ(IntAt(Store(top), Store(top).size() - 4), 0);
}

} // namespace
