#include "framework/core/Colors.h"
#include "framework/core/DataBlock.h"
#include "framework/core/Geometry.h"
#include "framework/core/MessageBox.h"
#include "framework/core/PackedBitmap.h"
#include "framework/core/Paths.h"
#include "framework/core/Profile.h"

#include <gtest/gtest.h>
#include <QtCore/QFile>
#include <QtCore/QSettings>
#include <QtCore/QStandardPaths>

TEST(Geometry, EdgeRules)
{
    CRect r(10, 20, 30, 40);
    EXPECT_TRUE(r.PtInRect({10, 20}));
    EXPECT_FALSE(r.PtInRect({30, 20}));
    EXPECT_FALSE(r.PtInRect({10, 40}));
    CRect i;
    EXPECT_FALSE(i.IntersectRect(r, CRect(30, 20, 50, 40)));
    EXPECT_TRUE(i.IsRectNull());
    EXPECT_TRUE(i.IntersectRect(r, CRect(25, 0, 50, 25)));
    EXPECT_EQ(i, CRect(25, 20, 30, 25));
    CRect u;
    u.UnionRect(r, CRect());
    EXPECT_EQ(u, r);
    EXPECT_EQ(CRect(r.ToQRect()), r);
}

TEST(Colors, Conventions)
{
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), 0x332211u);
    EXPECT_TRUE(tessel::ColorIsUnset(0xFF000000u));
    EXPECT_TRUE(tessel::ColorIsUnset(0xFFFFFFFFu));
    EXPECT_FALSE(tessel::ColorIsUnset(0x00FFFFFFu));
    EXPECT_EQ(tessel::ColorRefToPixel(RGB(1, 2, 3)), 0x010203u);
    EXPECT_EQ(tessel::PixelToColorRef(0x80010203u), 0x80030201u);
    // Pixel transparency T is the complement of Qt's alpha.
    EXPECT_EQ(tessel::PixelToQRgb(0x00112233u), 0xFF112233u);
    EXPECT_EQ(tessel::PixelToQRgb(0xFF112233u), 0x00112233u);
    EXPECT_EQ(tessel::QRgbToPixel(0x40112233u), 0xBF112233u);
    EXPECT_EQ(tessel::QColorToColorRef(tessel::ColorRefToQColor(RGB(9, 8, 7))), RGB(9, 8, 7));
}

TEST(DataBlock, AllocateAndCopy)
{
    CDataBlock a("abc", 3);
    CDataBlock b = a;
    EXPECT_EQ(b.Size(), 3u);
    EXPECT_EQ(std::memcmp(b.Data(), "abc", 3), 0);
    EXPECT_NE(a.Data(), b.Data());
    // An absurd size fails without touching the old contents.
    EXPECT_FALSE(b.Allocate(std::size_t(1) << 62));
    EXPECT_EQ(b.Size(), 3u);
    b.Allocate(0);
    EXPECT_TRUE(b.IsEmpty());
}

TEST(PackedBitmap, CreateLimits)
{
    auto p = CPackedBitmap::Create(3, 2);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Header().biSize, 40u);
    EXPECT_EQ(p->Header().biBitCount, 32);
    EXPECT_EQ(p->PixelCount(), 6u);
    p->At(0, 0) = 7; // top-left lives in the last row of the block
    EXPECT_EQ(p->Bits()[3], 7u);
    EXPECT_FALSE(CPackedBitmap::Create(0, 5));
    EXPECT_FALSE(CPackedBitmap::Create(15001, 1));
}

TEST(MessageBox, HandlerRecordsAndAnswers)
{
    CString seen;
    auto old = SetMessageBoxHandler([&](const CString& text, const CString&, unsigned type) {
        seen = text;
        return (type & 0xF) == MB_YESNO ? IDNO : IDOK;
    });
    EXPECT_EQ(AfxMessageBox("Save changes?", MB_YESNO), IDNO);
    EXPECT_EQ(seen, "Save changes?");
    SetMessageBoxHandler(old);
}

TEST(Profile, RoundTrip)
{
    QStandardPaths::setTestModeEnabled(true);
    // The process's profile starts empty (the harness gives it its own home), so what
    // reads back below was written here.
    EXPECT_EQ(GetProfileInt("Current", "Number", -1), -1);
    EXPECT_TRUE(WriteProfileInt("Current", "Number", 42));
    EXPECT_TRUE(WriteProfileString("Current", "Name", "Gr\xC3\xBC\xC3\x9F" "e"));
    EXPECT_EQ(GetProfileInt("Current", "Number", 0), 42);
    EXPECT_EQ(GetProfileInt("Current", "Missing", -3), -3);
    EXPECT_EQ(GetProfileString("Current", "Name"), "Gr\xC3\xBC\xC3\x9F" "e");
    EXPECT_EQ(GetProfileString("Current", "None", "d"), "d");
    // and it is on disk, in the user's configuration folder
    QFile ini(QSettings(QSettings::IniFormat, QSettings::UserScope, "Varnelo", "Tessel Web Designer").fileName());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly)) << ini.fileName().toStdString();
    const QByteArray text = ini.readAll();
    EXPECT_TRUE(text.contains("[Current]")) << text.constData();
    EXPECT_TRUE(text.contains("Number=42")) << text.constData();
}

TEST(Paths, Helpers)
{
    EXPECT_EQ(tessel::FileNameOf("a/b/c.txt"), "c.txt");
    EXPECT_EQ(tessel::FolderOf("a/b/c.txt"), "a/b/");
    EXPECT_EQ(tessel::JoinPath("a/", "/b"), "a/b");
    EXPECT_EQ(tessel::TempFolder().Right(1), "/");
}
