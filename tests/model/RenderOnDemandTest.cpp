// Looks rendered on demand: loading only reads, the first paint after a load shows what
// the item showed before it was saved, a change renders anew; and the ceiling on the
// work of one rendering (shadow blur over a large picture).
#include "PictureTestSupport.h"
#include "RenderedReference.h"

#include "framework/core/Dc.h"
#include "framework/core/MessageBox.h"
#include "model/BitmapEffects.h"
#include "model/RenderBudget.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/ImageButtonItem.h"
#include "model/items/ImageItem.h"
#include "model/items/PayPalItem.h"
#include "model/items/ShapeItem.h"
#include "model/items/SymbolItem.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>

namespace {

std::vector<BYTE> StoreRecord(CItem& item)
{
    return picturetest::StoreWithExtras(item);
}

void LoadRecord(CItem& item, const std::vector<BYTE>& bytes)
{
    EXPECT_TRUE(picturetest::LoadWithExtras(item, bytes));
}

// The item painted on white, at its own size.
QImage Paint(CItem& item)
{
    QImage image(std::max(1, item.m_nWidth), std::max(1, item.m_nHeight), QImage::Format_RGB32);
    image.fill(Qt::white);
    CDC dc(&image);
    item.Draw(&dc);
    return image;
}

struct ItemCase {
    const char* name;
    std::function<std::unique_ptr<CImageItemBase>()> make;
};

// Rendered and laid out as the editor shows it: a frame draws by the laid-out size, so
// the second pass is the look the item keeps.
std::unique_ptr<CImageItemBase> Ready(std::unique_ptr<CImageItemBase> item)
{
    for (int pass = 0; pass < 2; ++pass) {
        item->Render(0);
        item->RecalcLayout();
    }
    return item;
}

std::vector<ItemCase> Cases()
{
    return {
        {"image with a shadow and a frame",
            [] {
                auto i = std::make_unique<CImageItem>();
                const auto png = picturetest::PngBytes(picturetest::Gradient(40, 30));
                i->m_blob.Assign(png.data(), png.size());
                DecodeStoredImage(*i);
                i->m_nRenderWidth = 40;
                i->m_nRenderHeight = 30;
                i->m_nShadowKind = 1;
                i->m_nShadowOffset = 3;
                i->m_nShadowBlur = 6;
                i->m_nShadowTransparency = 30;
                i->m_nFrameWidth = 2;
                i->m_crFrame = RGB(200, 0, 0);
                return Ready(std::move(i));
            }},
        {"rotated image with an edge fade",
            [] {
                auto i = std::make_unique<CImageItem>();
                const auto png = picturetest::PngBytes(picturetest::Gradient(30, 20));
                i->m_blob.Assign(png.data(), png.size());
                DecodeStoredImage(*i);
                i->m_nRenderWidth = 30;
                i->m_nRenderHeight = 20;
                i->m_dRotation = 20.0;
                i->m_nEdgeKind = 1;
                i->m_nEdgeLeft = 1;
                return Ready(std::move(i));
            }},
        {"shape with a caption and a shadow",
            [] {
                auto s = std::make_unique<CShapeItem>();
                s->m_nFrameShape = 1;
                s->m_nRenderWidth = 80;
                s->m_nRenderHeight = 50;
                s->m_nShadowKind = 1;
                s->m_nShadowBlur = 3;
                s->m_caption.m_strText = "Go";
                return Ready(std::move(s));
            }},
        {"artistic text",
            [] {
                auto a = std::make_unique<CArtisticTextItem>();
                a->m_strText = "Wave";
                a->m_nFrameWidth = 1;
                a->m_nGradient = 1;
                return Ready(std::move(a));
            }},
        {"symbol",
            [] {
                auto s = std::make_unique<CSymbolItem>();
                s->m_nGlyph = 0x41;
                return Ready(std::move(s));
            }},
        {"image button with a mouse-over look",
            [] {
                auto b = std::make_unique<CImageButtonItem>();
                b->m_strText = "Buy now";
                b->m_crHoverFace = RGB(0, 200, 0);
                return Ready(std::move(b));
            }},
        {"PayPal button",
            [] {
                auto p = std::make_unique<CPayPalItem>();
                return Ready(std::move(p));
            }},
    };
}

std::unique_ptr<CImageItemBase> Blank(const CImageItemBase& like)
{
    if (dynamic_cast<const CPayPalItem*>(&like))
        return std::make_unique<CPayPalItem>();
    if (dynamic_cast<const CImageButtonItem*>(&like))
        return std::make_unique<CImageButtonItem>();
    if (dynamic_cast<const CSymbolItem*>(&like))
        return std::make_unique<CSymbolItem>();
    if (dynamic_cast<const CArtisticTextItem*>(&like))
        return std::make_unique<CArtisticTextItem>();
    if (dynamic_cast<const CShapeItem*>(&like))
        return std::make_unique<CShapeItem>();
    return std::make_unique<CImageItem>();
}

bool SamePixels(const CDib& a, const CDib& b)
{
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight() || !a.IsValid() || !b.IsValid())
        return false;
    const std::size_t n = std::size_t(a.GetWidth()) * std::size_t(a.GetHeight()) * 4;
    return std::memcmp(a.Lock(), b.Lock(), n) == 0;
}

class RenderOnDemand : public ::testing::Test {
protected:
    void SetUp() override { renderref::EnsureFonts(); }
};

TEST_F(RenderOnDemand, FirstPaintAfterLoadEqualsPaintBeforeSave)
{
    for (const ItemCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CImageItemBase> before = c.make();
        ASSERT_TRUE(before->m_state[0].IsValid());
        const QImage painted = Paint(*before);
        const CDib look = before->m_state[0];
        const std::vector<BYTE> record = StoreRecord(*before);

        std::unique_ptr<CImageItemBase> after = Blank(*before);
        LoadRecord(*after, record);
        // Loading only read: nothing is rendered until it is asked for.
        EXPECT_TRUE(after->IsRenderPending());
        EXPECT_FALSE(after->m_state[0].IsValid());
        EXPECT_EQ(after->m_nWidth, before->m_nWidth);
        EXPECT_EQ(after->m_nHeight, before->m_nHeight);

        EXPECT_EQ(Paint(*after), painted);
        EXPECT_FALSE(after->IsRenderPending());
        EXPECT_TRUE(SamePixels(after->m_state[0], look));
        // Measuring after the paint keeps the size the item had.
        after->RecalcLayout();
        EXPECT_EQ(after->m_nWidth, before->m_nWidth);
        EXPECT_EQ(after->m_nHeight, before->m_nHeight);
        EXPECT_EQ(StoreRecord(*after), record);
    }
}

TEST_F(RenderOnDemand, MeasuringAndTheMouseOverLookRenderWhatTheyNeed)
{
    for (const ItemCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CImageItemBase> before = c.make();
        const CDib look = before->m_state[0];
        const std::vector<BYTE> record = StoreRecord(*before);

        std::unique_ptr<CImageItemBase> measured = Blank(*before);
        LoadRecord(*measured, record);
        measured->m_nWidth = measured->m_nHeight = 0;
        measured->RecalcLayout();
        EXPECT_EQ(measured->m_nWidth, before->m_nWidth);
        EXPECT_EQ(measured->m_nHeight, before->m_nHeight);

        std::unique_ptr<CImageItemBase> over = Blank(*before);
        LoadRecord(*over, record);
        over->RenderOverState();
        EXPECT_TRUE(SamePixels(over->m_state[0], look));
        EXPECT_TRUE(SamePixels(over->StateBitmap(0), look));
    }
}

TEST_F(RenderOnDemand, ChangedItemRendersAnew)
{
    for (const ItemCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CImageItemBase> before = c.make();
        const std::vector<BYTE> record = StoreRecord(*before);
        std::unique_ptr<CImageItemBase> after = Blank(*before);
        LoadRecord(*after, record);
        const QImage first = Paint(*after);
        // A resize to a larger rectangle is a change: the look follows it.
        const int w = after->m_nWidth, h = after->m_nHeight;
        after->SetRect(0, 0, 2 * w, 2 * h);
        EXPECT_GT(after->m_state[0].GetWidth(), before->m_state[0].GetWidth());
        EXPECT_NE(Paint(*after), first);
        // Saved and loaded again, the changed look is what the first paint shows.
        const QImage changed = Paint(*after);
        std::unique_ptr<CImageItemBase> again = Blank(*before);
        LoadRecord(*again, StoreRecord(*after));
        EXPECT_EQ(Paint(*again), changed);
    }
}

// ---------------------------------------------------------------- the ceiling

TEST(RenderBudget, KernelTapsAreThePointsInsideTheCircle)
{
    const struct {
        int radius;
        std::int64_t taps;
    } cases[] = {{1, 1}, {2, 9}, {3, 25}, {4, 45}, {0, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(render_budget::ShadowKernelTaps(c.radius), c.taps) << c.radius;
}

TEST(RenderBudget, WindowsAreSortedByWhatTheyCover)
{
    // 3 x 2 opacity grid, zero outside; windows of 2 x 2 ending at each place.
    const std::uint8_t grid[] = {255, 255, 255, 255, 255, 0};
    render_budget::WindowScan scan(grid, 3, 2, 2);
    ASSERT_EQ(scan.Columns(), 5);
    const char* expected[] = {"MMMMZ", "MFMMZ", "MMMZZ", "ZZZZZ"};
    const int mixedCounts[] = {4, 3, 3, 0};
    for (int y = 0; y < 4; ++y) {
        std::uint8_t kinds[5];
        EXPECT_EQ(scan.Row(y, kinds), mixedCounts[y]) << y;
        std::string got;
        for (std::uint8_t k : kinds)
            got += k == render_budget::WindowScan::kMixed ? 'M' : k == render_budget::WindowScan::kFull ? 'F' : 'Z';
        EXPECT_EQ(got, expected[y]) << y;
    }
}

std::int64_t ShadowWork(const std::vector<std::uint8_t>& grid, int w, int h, int radius)
{
    const int k = 2 * radius + 1;
    render_budget::WindowScan scan(grid.data(), w, h, k);
    std::vector<std::uint8_t> kinds(std::size_t(scan.Columns()));
    std::int64_t mixed = 0;
    for (int y = 0; y < h + k; ++y)
        mixed += scan.Row(y, kinds.data());
    return mixed * render_budget::ShadowKernelTaps(radius);
}

TEST(RenderBudget, OnlyLargeWorkIsClamped)
{
    // Ordinary pictures keep the blur asked for, whatever it is.
    for (int side : {10, 200, 1000}) {
        std::vector<std::uint8_t> opaque(std::size_t(side) * side, 255);
        if (side <= 200) {
            EXPECT_EQ(render_budget::ClampShadowRadius(opaque.data(), side, side, 32), 32) << side;
        }
        EXPECT_EQ(render_budget::ClampShadowRadius(opaque.data(), side, side, 5), 5) << side;
    }
    // A picture whose every window mixes opacities costs by its area: the largest radius
    // within the ceiling, and never less than no blur at all.
    const int side = 2000;
    std::vector<std::uint8_t> noise(std::size_t(side) * side);
    for (std::size_t i = 0; i < noise.size(); ++i)
        noise[i] = std::uint8_t((i * 2654435761u) >> 13);
    const int r = render_budget::ClampShadowRadius(noise.data(), side, side, 32);
    EXPECT_LT(r, 32);
    EXPECT_GE(r, 1);
    if (r > 1) {
        EXPECT_LE(ShadowWork(noise, side, side, r), render_budget::kMaxShadowTaps);
    }
    EXPECT_GT(ShadowWork(noise, side, side, r + 1), render_budget::kMaxShadowTaps);
}

TEST(RenderBudget, ShadowMatchesTheDirectSumEverywhere)
{
    // The skipped windows and the four-at-once sums give what summing every window gives.
    CDib source;
    source.Create(23, 17);
    source.BeginPixels();
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 23; ++x)
            source.SetPixel(x, y, (x > 3 && x < 15 && y > 2) ? 0x00336699u : (x + y) % 5 == 0 ? 0x80112233u : 0xFF000000u);
    source.EndPixels();
    const int r = 4, offset = 2, percent = 70;
    std::unique_ptr<CDib> shadow = MakeShadowBitmap(&source, percent, offset, r, 0x00102030u, RGB(255, 255, 255));
    ASSERT_TRUE(shadow);
    ASSERT_EQ(shadow->GetWidth(), 23 + offset + 2 * r + 1);
    ASSERT_EQ(shadow->GetHeight(), 17 + offset + 2 * r + 1);
    // The reference: every kernel point of every window, in order.
    auto opacityAt = [&](int x, int y) -> double {
        if (x < 0 || y < 0 || x >= 23 || y >= 17)
            return 0;
        return 255 - int(source.GetPixel(x, y) >> 24);
    };
    source.BeginPixels();
    shadow->BeginPixels();
    int checked = 0;
    for (int y = 0; y + offset < shadow->GetHeight(); ++y)
        for (int x = 0; x + offset < shadow->GetWidth(); ++x) {
            double sum = 0, weights = 0;
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx) {
                    const double w = std::max(0.0, r - std::sqrt(double(dx * dx + dy * dy))) / r;
                    sum += float(opacityAt(x - r + dx, y - r + dy)) * w;
                    weights += w;
                }
            const int value = percent * std::clamp(int(sum / weights), 0, 255) / 100;
            // The source is blended over the shadow at (r, r): check where it is transparent.
            const int sx = x + offset - r, sy = y + offset - r;
            if (sx >= 0 && sy >= 0 && sx < 23 && sy < 17 && (source.GetPixel(sx, sy) >> 24) != 0xFF)
                continue;
            ASSERT_EQ(255 - int(shadow->GetPixel(x + offset, y + offset) >> 24), value) << x << "," << y;
            ++checked;
        }
    shadow->EndPixels();
    source.EndPixels();
    EXPECT_GT(checked, 300);
}

TEST_F(RenderOnDemand, CraftedProjectWithTheLargestPictureAndBlurOpensInBoundedTime)
{
    render_budget::Reset();
    std::vector<CString> told;
    MessageBoxHandler previous = SetMessageBoxHandler([&](const CString& text, const CString&, unsigned) {
        told.push_back(text);
        return IDOK;
    });
    // A picture shown at 6000 x 6000 with the largest blur and a shadow, written to a
    // real file (a small picture scaled up: the rendering is as large as a large one's).
    const int side = 6000;
    CImageItem crafted;
    {
        const std::vector<BYTE> png = picturetest::PngBytes(picturetest::Solid(60, 60, 0x00406080u));
        crafted.m_blob.Assign(png.data(), png.size());
    }
    crafted.m_nRenderWidth = crafted.m_nRenderHeight = side;
    crafted.m_nWidth = crafted.m_nHeight = side;
    crafted.m_nShadowKind = 1;
    crafted.m_nShadowOffset = 5;
    crafted.m_nShadowBlur = 31;
    QTemporaryDir dir;
    const CString path = CString::FromQString(dir.filePath("crafted.bin"));
    std::vector<BYTE> record;
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store);
        crafted.Serialize(ar, 92);
        crafted.SerializeExtra(ar, 92);
        ar.Close();
    }
    ASSERT_TRUE(CFile::ReadAll(path, record));

    QElapsedTimer clock;
    clock.start();
    CImageItem opened;
    {
        CFile f(path, CFile::modeRead);
        CArchive ar(&f, CArchive::load);
        opened.Serialize(ar, 92);
        opened.SerializeExtra(ar, 92);
    }
    opened.RecalcLayout(); // the first measure renders
    const qint64 ms = clock.elapsed();
    EXPECT_LT(ms, 120000) << "generous: a sanitizer build is many times slower; unbounded took minutes even optimised";
    RecordProperty("crafted_open_ms", int(ms));
    // The shadow is there, drawn with less blur than asked.
    ASSERT_TRUE(opened.m_state[0].IsValid());
    EXPECT_GT(opened.m_state[0].GetWidth(), side + 5);
    EXPECT_LT(opened.m_state[0].GetWidth(), side + 5 + 2 * 32 + 1);
    EXPECT_TRUE(render_budget::WasClamped());
    // The file keeps what the user set.
    EXPECT_EQ(opened.m_nShadowBlur, 31);
    const std::vector<BYTE> again = StoreRecord(opened);
    CImageItem reopened;
    LoadRecord(reopened, again);
    EXPECT_EQ(reopened.m_nShadowBlur, 31);
    EXPECT_EQ(reopened.m_nShadowOffset, 5);
    EXPECT_EQ(reopened.m_nShadowKind, 1);
    // Loaded and saved without a paint: the same bytes.
    EXPECT_EQ(StoreRecord(reopened), again);
    EXPECT_TRUE(reopened.IsRenderPending());
    // Told once, however often it renders.
    opened.Render(0);
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], render_budget::ClampedMessage());
    SetMessageBoxHandler(previous);
    render_budget::Reset();
}

} // namespace

namespace {

TEST_F(RenderOnDemand, CraftedShapeWithTheLargestBlurRendersInBoundedTime)
{
    render_budget::Reset();
    std::vector<CString> told;
    MessageBoxHandler previous = SetMessageBoxHandler([&](const CString& text, const CString&, unsigned) {
        told.push_back(text);
        return IDOK;
    });
    // A large ellipse needs no picture bytes: a few bytes on the clipboard ask for it all.
    CShapeItem shape;
    shape.m_nFrameShape = 1;
    shape.m_nRenderWidth = shape.m_nRenderHeight = 3000;
    shape.m_nSupersampling = 0;
    shape.m_nShadowKind = 1;
    shape.m_nShadowBlur = 31;
    const std::vector<BYTE> record = StoreRecord(shape);
    QElapsedTimer clock;
    clock.start();
    CShapeItem opened;
    LoadRecord(opened, record);
    opened.RecalcLayout();
    EXPECT_LT(clock.elapsed(), 60000);
    EXPECT_GT(opened.m_nWidth, 3000);
    EXPECT_TRUE(render_budget::WasClamped());
    EXPECT_EQ(opened.m_nShadowBlur, 31);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(told.size(), 1u);
    SetMessageBoxHandler(previous);
    render_budget::Reset();
}

} // namespace
