#include "PictureTestSupport.h"

#include "model/Clipboard.h"
#include "model/PublishContext.h"

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

using namespace picturetest;

namespace {

struct Output {
    QTemporaryDir dir;
    CPublishContext context;
    Output() { context.m_strOutputRoot = CString::FromQString(dir.path()) + "/"; }
    QString Path(const CString& name) const { return dir.filePath(name.ToQString()); }
};

void Fill(CPicture& p, const std::vector<BYTE>& bytes, const char* name)
{
    p.m_blob.Assign(bytes.data(), bytes.size());
    p.m_strName = name;
    p.m_nFormat = SniffPictureFormat(bytes.data(), bytes.size());
    ASSERT_TRUE(p.DecodeSource());
    p.Render();
}

TEST(PictureExport, RoadsByEffect)
{
    const CDib opaque = Gradient(30, 20);
    CDib translucent = Gradient(30, 20);
    translucent.FillRect(0x80FF0000u);
    struct Case {
        const char* label;
        std::vector<BYTE> source;
        int invert, swap, frame, shape, fadeLeft;
        const char* file;
        const char* pillowFormat;
        bool sameBytes;
    } cases[] = {
        {"png unchanged", PngBytes(opaque), 0, 0, 0, 0, 0, "pic.png", "PNG", true},
        {"jpeg unchanged", JpegBytes(opaque), 0, 0, 0, 0, 0, "pic.jpg", "JPEG", true},
        {"gif unchanged", GifBytes(), 0, 0, 0, 0, 0, "pic.gif", "GIF", true},
        {"inverted", PngBytes(opaque), 1, 0, 0, 0, 0, "pic.jpg", "JPEG", false},
        {"swapped", PngBytes(opaque), 0, 3, 0, 0, 0, "pic.jpg", "JPEG", false},
        {"inverted translucent", PngBytes(translucent), 1, 0, 0, 0, 0, "pic.png", "PNG", false},
        {"framed", JpegBytes(opaque), 0, 0, 2, 0, 0, "pic.png", "PNG", false},
        {"ellipse", PngBytes(opaque), 0, 0, 0, 1, 0, "pic.png", "PNG", false},
        {"faded", PngBytes(opaque), 0, 0, 0, 0, 1, "pic.png", "PNG", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Output out;
        CPicture p;
        p.m_bInvert = c.invert;
        p.m_nChannelSwap = c.swap;
        p.m_nFrameWidth = c.frame;
        p.m_nShape = c.shape;
        p.m_nFadeLeft = c.fadeLeft;
        p.m_nFadeKind = c.fadeLeft ? 1 : 0;
        Fill(p, c.source, "pic");
        p.Export(out.context);
        EXPECT_EQ(p.GetFileName(), c.file);
        ASSERT_EQ(out.context.GetFileCount(), 1);
        EXPECT_EQ(out.context.GetFile(0).m_strRemoteName, c.file);
        EXPECT_EQ(out.context.GetFile(0).m_nKind, kPublishFilePicture);
        const QByteArray written = ReadAll(out.Path(c.file));
        EXPECT_EQ(written == QByteArray(reinterpret_cast<const char*>(c.source.data()), qsizetype(c.source.size())), c.sameBytes);
        const PillowView v = ReadWithPillow(out.Path(c.file), {{std::min(15, p.m_rendering.GetWidth() - 1), std::min(10, p.m_rendering.GetHeight() - 1)}});
        ASSERT_TRUE(v.ok);
        EXPECT_EQ(v.format, c.pillowFormat);
        EXPECT_EQ(v.width, p.m_rendering.GetWidth());
        EXPECT_EQ(v.height, p.m_rendering.GetHeight());
        if (c.invert && std::string(c.pillowFormat) == "JPEG") {
            // The centre pixel (120, 80, 100) inverted, within JPEG's tolerance.
            const std::uint32_t px = v.rgba[0];
            EXPECT_NEAR(int(px >> 24), 255 - 120, 12);
            EXPECT_NEAR(int((px >> 16) & 0xFF), 255 - 80, 12);
            EXPECT_NEAR(int((px >> 8) & 0xFF), 255 - 100, 12);
        }
        if (std::string(c.label) == "inverted translucent") {
            EXPECT_NEAR(int(v.rgba[0] & 0xFF), 127, 1); // the transparency survived
        }
    }
}

TEST(PictureExport, HostileNamesStayInsideAndDoNotClash)
{
    Output out;
    const char* names[] = {"../x", "..", "a\"b#c", "/etc/passwd", "", "sub/../../y"};
    std::vector<std::unique_ptr<CPicture>> pictures;
    for (const char* name : names) {
        auto p = std::make_unique<CPicture>();
        Fill(*p, PngBytes(Gradient(4, 4)), name);
        p->Export(out.context);
        pictures.push_back(std::move(p));
    }
    // Two pictures of one name
    auto twin = std::make_unique<CPicture>();
    Fill(*twin, PngBytes(Gradient(4, 4)), "../x");
    twin->Export(out.context);
    EXPECT_NE(twin->GetFileName(), pictures[0]->GetFileName());
    pictures.push_back(std::move(twin));

    const QDir root(out.dir.path());
    QStringList written = root.entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    EXPECT_EQ(written.size(), int(pictures.size()));
    for (const auto& p : pictures) {
        const CString name = p->GetFileName();
        EXPECT_EQ(name.Find('/'), -1) << name.GetString();
        EXPECT_NE(name[0], '.') << name.GetString();
        EXPECT_TRUE(written.contains(name.ToQString())) << name.GetString();
    }
    for (int i = 0; i < out.context.GetFileCount(); ++i)
        EXPECT_TRUE(out.context.GetFile(i).m_strLocalPath.ToQString().startsWith(out.dir.path() + "/"));
}

TEST(PictureHelpers, StoreResizeCropAndCaption)
{
    CPicture p;
    Fill(p, JpegBytes(Gradient(40, 30)), "shot");
    EXPECT_EQ(GetPictureCaption(p), "shot.jpg [ 40 x 30 ]");

    ASSERT_TRUE(StorePictureBytes(p));
    EXPECT_EQ(SniffPictureFormat(p.m_blob.Data(), p.m_blob.Size()), CPicture::FormatJpeg);

    ASSERT_TRUE(ResizePicture(p, 20, 15));
    EXPECT_EQ(p.m_nFormat, CPicture::FormatPng);
    EXPECT_EQ(SniffPictureFormat(p.m_blob.Data(), p.m_blob.Size()), CPicture::FormatPng);
    EXPECT_EQ(p.m_nWidth, 20);
    CPicture decoded;
    decoded.m_blob = p.m_blob;
    decoded.m_nFormat = CPicture::FormatPng;
    ASSERT_TRUE(decoded.DecodeSource());
    EXPECT_EQ(decoded.m_nHeight, 15);

    // A crop that reaches past the picture is cut to it.
    ASSERT_TRUE(CropPictureHolder(p, CRect(30, 20, 10, 5)));
    EXPECT_EQ(p.m_nWidth, 10);
    EXPECT_EQ(p.m_nHeight, 10);
    ASSERT_TRUE(CropPictureHolder(p, CRect(5, 5, 500, 500)));
    EXPECT_EQ(p.m_nWidth, 5);
    EXPECT_EQ(p.m_nHeight, 5);
    EXPECT_FALSE(CropPictureHolder(p, CRect(100, 100, 200, 200)));
    EXPECT_FALSE(ResizePicture(p, 0, 10));
}

} // namespace
