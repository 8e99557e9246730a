// Shapes, lines, drawing modes, state, coordinates, clipping, paths and blits of the
// device context, sampled at known pixels.
#include "DcTestSupport.h"

#include <vector>

using namespace dctest;

#if defined(__SANITIZE_ADDRESS__)
// fontconfig keeps a small block for the life of the process that the leak checker
// cannot reach; it is the library's, not ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
#endif

namespace {

class DcShape : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }
};

enum class Kind { Rect, Ellipse, Round };

struct ShapeCase {
    const char* name;
    Kind kind;
    CRect rc;
    int corner;
    int penStyle;
    int penWidth;
    std::vector<CPoint> pen, brush, outside;
};

void DrawCase(CDC& dc, const ShapeCase& c)
{
    CPen pen(c.penStyle, c.penWidth, kBlue);
    CBrush brush(kRed);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    switch (c.kind) {
    case Kind::Rect: dc.Rectangle(c.rc); break;
    case Kind::Ellipse: dc.Ellipse(c.rc); break;
    case Kind::Round: dc.RoundRect(c.rc, CPoint(c.corner, c.corner)); break;
    }
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

} // namespace

TEST_F(DcShape, ShapesFollowEdgeAndPenRules)
{
    const ShapeCase cases[] = {
        {"rect, 1 px pen", Kind::Rect, {10, 10, 30, 20}, 0, PS_SOLID, 1,
            {{10, 10}, {29, 10}, {10, 19}, {29, 19}, {20, 10}}, {{11, 11}, {28, 18}, {20, 15}},
            {{30, 15}, {20, 20}, {9, 15}, {20, 9}}},
        {"rect, null pen fills the whole rectangle", Kind::Rect, {10, 10, 30, 20}, 0, PS_NULL, 1, {},
            {{10, 10}, {29, 19}, {20, 15}}, {{30, 19}, {29, 20}, {9, 9}}},
        {"rect, inside frame 4 px", Kind::Rect, {10, 10, 40, 40}, 0, PS_INSIDEFRAME, 4,
            {{10, 10}, {13, 13}, {39, 39}, {36, 36}, {25, 13}}, {{14, 14}, {35, 35}},
            {{9, 9}, {40, 40}, {40, 25}}},
        {"rect, centred 3 px pen", Kind::Rect, {10, 10, 40, 40}, 0, PS_SOLID, 3,
            {{9, 9}, {11, 11}, {40, 40}, {38, 38}}, {{12, 12}, {37, 37}}, {{8, 8}, {41, 41}}},
        {"ellipse", Kind::Ellipse, {0, 0, 40, 20}, 0, PS_SOLID, 1,
            {{0, 10}, {39, 10}, {20, 0}, {20, 19}}, {{20, 10}, {5, 10}}, {{0, 0}, {39, 19}, {2, 2}, {40, 10}}},
        {"round rect corners are cut", Kind::Round, {0, 0, 40, 40}, 20, PS_SOLID, 1,
            {{20, 0}, {0, 20}, {39, 20}, {20, 39}}, {{20, 20}, {5, 5}}, {{0, 0}, {1, 1}, {39, 39}, {38, 1}}},
        {"round rect with inside frame", Kind::Round, {0, 0, 40, 40}, 16, PS_INSIDEFRAME, 3,
            {{20, 0}, {20, 2}, {0, 20}, {39, 20}}, {{20, 3}, {20, 20}}, {{0, 0}, {1, 1}, {40, 20}}},
    };
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas cv(60, 60);
        DrawCase(cv.dc, c);
        for (CPoint p : c.pen)
            EXPECT_EQ(cv.At(p.x, p.y), kBlue) << "pen at " << p.x << "," << p.y;
        for (CPoint p : c.brush)
            EXPECT_EQ(cv.At(p.x, p.y), kRed) << "brush at " << p.x << "," << p.y;
        for (CPoint p : c.outside)
            EXPECT_EQ(cv.At(p.x, p.y), kWhite) << "outside at " << p.x << "," << p.y;
    }
}

TEST_F(DcShape, HollowBrushAndStockObjects)
{
    Canvas cv(40, 40);
    cv.dc.SelectStockObject(HOLLOW_BRUSH);
    cv.dc.SelectStockObject(BLACK_PEN);
    cv.dc.Rectangle(5, 5, 25, 25);
    EXPECT_EQ(cv.At(5, 5), kBlack);
    EXPECT_EQ(cv.At(24, 24), kBlack);
    EXPECT_EQ(cv.At(15, 15), kWhite);
    // The stock null pen and black brush: filled, no outline of another colour.
    cv.dc.SelectStockObject(NULL_PEN);
    cv.dc.SelectStockObject(BLACK_BRUSH);
    cv.dc.Ellipse(26, 26, 36, 36);
    EXPECT_EQ(cv.At(31, 31), kBlack);
    EXPECT_EQ(cv.Ink(), CRect(5, 5, 36, 36));
}

TEST_F(DcShape, LinesLeaveOutTheirEndPoint)
{
    struct LineCase {
        CPoint from, to;
        std::vector<CPoint> on, off;
    } cases[] = {
        {{0, 5}, {10, 5}, {{0, 5}, {9, 5}}, {{10, 5}, {0, 4}}},
        {{5, 0}, {5, 10}, {{5, 0}, {5, 9}}, {{5, 10}}},
        {{0, 0}, {10, 10}, {{0, 0}, {5, 5}, {9, 9}}, {{10, 10}, {1, 0}}},
        {{10, 2}, {0, 2}, {{10, 2}, {1, 2}}, {{0, 2}}},
    };
    for (const LineCase& c : cases) {
        Canvas cv(20, 20);
        cv.dc.MoveTo(c.from);
        cv.dc.LineTo(c.to);
        EXPECT_EQ(cv.dc.GetCurrentPosition(), c.to);
        for (CPoint p : c.on)
            EXPECT_EQ(cv.At(p.x, p.y), kBlack) << p.x << "," << p.y;
        for (CPoint p : c.off)
            EXPECT_EQ(cv.At(p.x, p.y), kWhite) << p.x << "," << p.y;
    }
}

TEST_F(DcShape, DottedPenLeavesGaps)
{
    Canvas cv(40, 5);
    CPen dotted(PS_DOT, 1, kBlack);
    cv.dc.SelectObject(&dotted);
    cv.dc.MoveTo(0, 2);
    cv.dc.LineTo(40, 2);
    const int on = cv.Count(kBlack);
    EXPECT_GT(on, 10);
    EXPECT_LT(on, 30);
}

TEST_F(DcShape, XorAndFocusRectangleUndoThemselves)
{
    Canvas cv(50, 50);
    cv.dc.FillSolidRect(CRect(0, 0, 25, 50), RGB(10, 200, 30));
    const QImage before = cv.Image().copy();

    CPen pen(PS_DOT, 1, kWhite);
    cv.dc.SelectObject(&pen);
    cv.dc.SelectStockObject(HOLLOW_BRUSH);
    cv.dc.SetROP2(R2_XORPEN);
    cv.dc.Rectangle(5, 5, 45, 45);
    EXPECT_NE(cv.Image(), before);
    cv.dc.Rectangle(5, 5, 45, 45);
    EXPECT_EQ(cv.Image(), before);

    // A guide line far beyond the device, shown and removed.
    cv.dc.MoveTo(20, -6000);
    cv.dc.LineTo(20, 6000);
    EXPECT_NE(cv.Image(), before);
    cv.dc.MoveTo(20, -6000);
    cv.dc.LineTo(20, 6000);
    EXPECT_EQ(cv.Image(), before);
    cv.dc.MoveTo(-2000000000, 10);
    cv.dc.LineTo(2000000000, 10); // must neither hang nor crash
    EXPECT_NE(cv.Image(), before);
    cv.dc.FillSolidRect(CRect(0, 0, 50, 50), kWhite);
    cv.dc.FillSolidRect(CRect(0, 0, 25, 50), RGB(10, 200, 30));

    cv.dc.SetROP2(R2_COPYPEN);
    cv.dc.DrawFocusRect(CRect(27, 3, 47, 30));
    EXPECT_EQ(cv.At(27, 3), kBlack);  // white inverted
    EXPECT_EQ(cv.At(28, 3), kWhite);  // every other pixel
    EXPECT_EQ(cv.At(46, 4), kBlack);
    EXPECT_EQ(cv.At(35, 10), kWhite); // inside untouched
    EXPECT_EQ(cv.Ink(), CRect(0, 0, 47, 50));
    cv.dc.DrawFocusRect(CRect(27, 3, 47, 30));
    EXPECT_EQ(cv.Image(), before);
}

TEST_F(DcShape, ViewportOriginAndSavedStates)
{
    Canvas cv(60, 60);
    CDC& dc = cv.dc;
    const int saved = dc.SaveDC();
    dc.SetViewportOrg(30, 20);
    dc.SetTextColor(kRed);
    dc.IntersectClipRect(0, 0, 10, 10); // device 30..40 x 20..30
    const int inner = dc.SaveDC();
    dc.OffsetViewportOrg(5, 5);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(35, 25));
    EXPECT_TRUE(dc.RestoreDC(inner));
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(30, 20));
    dc.FillSolidRect(CRect(-30, -20, 30, 40), kBlue);
    EXPECT_EQ(cv.Ink(), CRect(30, 20, 40, 30));
    EXPECT_EQ(dc.GetPixel(0, 0), kBlue);
    EXPECT_TRUE(dc.RestoreDC(saved));
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, 0));
    EXPECT_EQ(dc.GetTextColor(), kBlack);
    CRect box;
    EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(0, 0, 60, 60));
    EXPECT_FALSE(dc.RestoreDC(saved)); // already popped
    EXPECT_FALSE(dc.RestoreDC(-1));
}

TEST_F(DcShape, ClipRegionsStayInDeviceUnits)
{
    Canvas cv(60, 60);
    CDC& dc = cv.dc;
    dc.SetViewportOrg(10, 10);
    CRgn rgn;
    rgn.CreateEllipticRgn(0, 0, 40, 40); // device units: not moved by the origin
    dc.SelectClipRgn(&rgn);
    dc.FillSolidRect(CRect(-10, -10, 50, 50), kRed);
    EXPECT_EQ(cv.At(20, 20), kRed);
    EXPECT_EQ(cv.At(1, 1), kWhite);
    EXPECT_EQ(cv.At(40, 20), kWhite); // right edge excluded
    EXPECT_EQ(cv.Ink(), CRect(0, 0, 40, 40));

    dc.ExcludeClipRect(0, 0, 10, 10); // logical, becomes device 10..20
    dc.FillSolidRect(CRect(-10, -10, 50, 50), kBlue);
    EXPECT_EQ(cv.At(15, 15), kRed);
    EXPECT_EQ(cv.At(25, 25), kBlue);
    dc.SelectClipRgn(nullptr);
    dc.FillSolidRect(CRect(45, 45, 50, 50), kBlue);
    EXPECT_EQ(cv.At(56, 56), kBlue);
}

TEST_F(DcShape, AnisotropicScaleAndConversions)
{
    Canvas cv(80, 80);
    CDC& dc = cv.dc;
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetViewportExt(2, 2);
    dc.SetViewportOrg(10, 4);
    EXPECT_EQ(dc.GetViewportExt(), CSize(2, 2));
    dc.SelectStockObject(NULL_PEN);
    dc.SelectStockObject(BLACK_BRUSH);
    dc.Rectangle(0, 0, 10, 5);
    EXPECT_EQ(cv.Ink(), CRect(10, 4, 30, 14));

    CPoint p(7, 3);
    dc.LPtoDP(&p);
    EXPECT_EQ(p, CPoint(24, 10));
    dc.DPtoLP(&p);
    EXPECT_EQ(p, CPoint(7, 3));
    CRect r(1, 1, 3, 3);
    dc.LPtoDP(&r);
    EXPECT_EQ(r, CRect(12, 6, 16, 10));

    // Text measured in logical units keeps its size under the zoom (within rounding).
    CDC plain;
    CFont font;
    LOGFONT lf;
    lf.lfHeight = -20;
    SetLogFontFace(lf, "Arial");
    font.CreateFontIndirect(&lf);
    plain.SelectObject(&font);
    dc.SelectObject(&font);
    const CSize a = plain.GetTextExtent(CString("Measure"));
    const CSize b = dc.GetTextExtent(CString("Measure"));
    EXPECT_NEAR(b.cx, a.cx, 2);
    EXPECT_NEAR(b.cy, a.cy, 1);
    dc.SetMapMode(MM_TEXT);
    EXPECT_EQ(dc.GetViewportExt(), CSize(1, 1));
}

TEST_F(DcShape, PathsFillStrokeAndClip)
{
    {
        // A path rectangle runs through its outer pixels: the fill stops short of them.
        Canvas cv(40, 40);
        cv.dc.SelectStockObject(BLACK_BRUSH);
        cv.dc.BeginPath();
        cv.dc.Rectangle(5, 5, 15, 15);
        cv.dc.EndPath();
        EXPECT_TRUE(cv.dc.FillPath());
        EXPECT_EQ(cv.Ink(), CRect(5, 5, 14, 14));
        EXPECT_FALSE(cv.dc.FillPath()); // the path is used up
    }
    {
        Canvas cv(40, 40);
        CPen pen(PS_SOLID, 1, kBlue);
        CBrush brush(kRed);
        cv.dc.SelectObject(&pen);
        cv.dc.SelectObject(&brush);
        cv.dc.BeginPath();
        cv.dc.MoveTo(5, 5);
        cv.dc.LineTo(30, 5);
        cv.dc.LineTo(30, 30);
        cv.dc.LineTo(5, 30);
        cv.dc.CloseFigure();
        cv.dc.EndPath();
        EXPECT_EQ(cv.Ink(), CRect()); // nothing drawn while recording
        cv.dc.StrokeAndFillPath();
        EXPECT_EQ(cv.At(5, 5), kBlue);
        EXPECT_EQ(cv.At(30, 30), kBlue);
        EXPECT_EQ(cv.At(17, 17), kRed);
        EXPECT_EQ(cv.Ink(), CRect(5, 5, 31, 31));
    }
    {
        // Clipping to a path, as containers do with their outline.
        Canvas cv(40, 40);
        cv.dc.BeginPath();
        cv.dc.MoveTo(0, 0);
        cv.dc.LineTo(20, 0);
        cv.dc.LineTo(20, 10);
        cv.dc.LineTo(0, 10);
        cv.dc.LineTo(0, 0);
        cv.dc.CloseFigure();
        cv.dc.EndPath();
        EXPECT_TRUE(cv.dc.SelectClipPath(RGN_AND));
        cv.dc.FillSolidRect(CRect(0, 0, 40, 40), kBlue);
        EXPECT_EQ(cv.Ink(), CRect(0, 0, 20, 10));
    }
    {
        // Text outlines in a path: stroked, they lie where the glyphs are drawn.
        Canvas cv(120, 60);
        CFont font;
        LOGFONT lf;
        lf.lfHeight = -40;
        lf.lfWeight = FW_BOLD;
        SetLogFontFace(lf, "Arial");
        font.CreateFontIndirect(&lf);
        cv.dc.SelectObject(&font);
        cv.dc.SetBkMode(TRANSPARENT);
        CPen wide(PS_SOLID, 3, kBlue);
        cv.dc.SelectObject(&wide);
        cv.dc.BeginPath();
        cv.dc.TextOut(10, 5, CString("HI"));
        cv.dc.EndPath();
        cv.dc.StrokePath();
        const CRect strokes = cv.Ink();
        EXPECT_GT(cv.Count(kBlue), 100);
        EXPECT_EQ(cv.At(1, 1), kWhite);

        Canvas plain(120, 60);
        plain.dc.SelectObject(&font);
        plain.dc.SetBkMode(TRANSPARENT);
        plain.dc.TextOut(10, 5, CString("HI"));
        const CRect glyphs = plain.Ink();
        EXPECT_NEAR(strokes.left, glyphs.left, 3);
        EXPECT_NEAR(strokes.right, glyphs.right, 3);
        EXPECT_NEAR(strokes.top, glyphs.top, 3);
        EXPECT_NEAR(strokes.bottom, glyphs.bottom, 3);
    }
}

TEST_F(DcShape, PolygonAndRegions)
{
    Canvas cv(40, 40);
    cv.dc.SelectStockObject(BLACK_BRUSH);
    cv.dc.SelectStockObject(NULL_PEN);
    const POINT tri[] = {{0, 0}, {30, 0}, {0, 30}};
    cv.dc.Polygon(tri, 3);
    EXPECT_EQ(cv.At(5, 5), kBlack);
    EXPECT_EQ(cv.At(25, 25), kWhite);

    CRgn poly;
    ASSERT_TRUE(poly.CreatePolygonRgn(tri, 3, ALTERNATE));
    EXPECT_TRUE(poly.PtInRegion(5, 5));
    EXPECT_FALSE(poly.PtInRegion(25, 25));
    CRgn ell, rect, both;
    ell.CreateEllipticRgn(0, 0, 20, 20);
    rect.CreateRectRgn(10, 10, 30, 30);
    EXPECT_FALSE(ell.PtInRegion(20, 10));
    EXPECT_TRUE(ell.PtInRegion(19, 10));
    EXPECT_FALSE(rect.PtInRegion(30, 29));
    EXPECT_EQ(both.CombineRgn(&ell, &rect, RGN_AND), COMPLEXREGION);
    CRect box;
    both.GetRgnBox(&box);
    EXPECT_EQ(box.TopLeft(), CPoint(10, 10));
    EXPECT_EQ(both.CombineRgn(&ell, &rect, RGN_DIFF), COMPLEXREGION);
    EXPECT_FALSE(both.PtInRegion(15, 15));
    EXPECT_TRUE(both.PtInRegion(5, 10));
}

namespace {
// Pixels 0xTTRRGGBB, rows bottom-up as the packed bitmap keeps them.
struct Dib {
    BITMAPINFOHEADER header;
    std::vector<std::uint32_t> bits;
    Dib(int w, int h, std::initializer_list<std::uint32_t> topDown)
    {
        header.biWidth = w;
        header.biHeight = h;
        bits.resize(size_t(w * h));
        std::vector<std::uint32_t> src(topDown);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                bits[size_t((h - 1 - y) * w + x)] = src[size_t(y * w + x)];
    }
};
} // namespace

TEST_F(DcShape, StretchDIBitsPlacesRowsBottomUp)
{
    // Top row red, green; bottom row blue, and a fully transparent white drawn opaque.
    const Dib dib(2, 2, {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFFFFFFFFu});
    {
        Canvas cv(10, 10);
        EXPECT_EQ(cv.dc.StretchDIBits(3, 4, 2, 2, 0, 0, 2, 2, dib.bits.data(), &dib.header, DIB_RGB_COLORS, SRCCOPY), 2);
        EXPECT_EQ(cv.At(3, 4), kRed);
        EXPECT_EQ(cv.At(4, 4), RGB(0, 255, 0));
        EXPECT_EQ(cv.At(3, 5), kBlue);
        EXPECT_EQ(cv.At(4, 5), kWhite);
        EXPECT_EQ(cv.Ink(), CRect(3, 4, 5, 6));
    }
    {
        // Scaled 3x with nearest pixels.
        Canvas cv(10, 10);
        cv.dc.SetStretchBltMode(COLORONCOLOR);
        cv.dc.StretchDIBits(0, 0, 6, 6, 0, 0, 2, 2, dib.bits.data(), &dib.header, DIB_RGB_COLORS, SRCCOPY);
        EXPECT_EQ(cv.At(0, 0), kRed);
        EXPECT_EQ(cv.At(2, 2), kRed);
        EXPECT_EQ(cv.At(3, 2), RGB(0, 255, 0));
        EXPECT_EQ(cv.At(2, 3), kBlue);
        EXPECT_EQ(cv.At(5, 5), kWhite);
    }
    {
        // A negative height means rows top-down.
        Dib top = dib;
        top.header.biHeight = -2;
        Canvas cv(4, 4);
        cv.dc.StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, top.bits.data(), &top.header, DIB_RGB_COLORS, SRCCOPY);
        EXPECT_EQ(cv.At(0, 0), kBlue);
        EXPECT_EQ(cv.At(0, 1), kRed);
    }
    {
        // Headers it cannot draw give 0 and leave the device alone.
        Canvas cv(4, 4);
        Dib bad = dib;
        for (auto change : {+[](BITMAPINFOHEADER& h) { h.biBitCount = 8; }, +[](BITMAPINFOHEADER& h) { h.biWidth = 0; },
                 +[](BITMAPINFOHEADER& h) { h.biCompression = 1; }, +[](BITMAPINFOHEADER& h) { h.biHeight = 0; }}) {
            bad.header = dib.header;
            change(bad.header);
            EXPECT_EQ(cv.dc.StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, bad.bits.data(), &bad.header, DIB_RGB_COLORS, SRCCOPY), 0);
        }
        EXPECT_EQ(cv.dc.StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, nullptr, &dib.header, DIB_RGB_COLORS, SRCCOPY), 0);
        EXPECT_EQ(cv.Ink(), CRect());
    }
}

TEST_F(DcShape, BitBltBetweenMemoryContexts)
{
    Canvas src(10, 10);
    src.dc.FillSolidRect(CRect(2, 2, 6, 6), kRed);
    Canvas dst(20, 20);
    dst.dc.SetViewportOrg(5, 5);
    EXPECT_TRUE(dst.dc.BitBlt(0, 0, 4, 4, &src.dc, 2, 2, SRCCOPY));
    EXPECT_EQ(dst.Ink(), CRect(5, 5, 9, 9));
    EXPECT_EQ(dst.At(8, 8), kRed);
    // A capture of what the device shows.
    const QImage grabbed = dst.dc.GrabImage(CRect(0, 0, 4, 4));
    ASSERT_EQ(grabbed.size(), QSize(4, 4));
    EXPECT_EQ(grabbed.pixel(0, 0) & 0xFFFFFFu, 0xFF0000u);
    // Drawing with alpha: a half transparent blue over red.
    QImage over(1, 1, QImage::Format_ARGB32);
    over.setPixel(0, 0, qRgba(0, 0, 255, 128));
    dst.dc.DrawImage(0, 0, over);
    const COLORREF mixed = dst.At(5, 5);
    EXPECT_NEAR(GetRValue(mixed), 127, 2);
    EXPECT_NEAR(GetBValue(mixed), 128, 2);
}

TEST_F(DcShape, BitmapLifetimeWithContext)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    auto bitmap = std::make_unique<CBitmap>();
    ASSERT_TRUE(bitmap->CreateCompatibleBitmap(&dc, 8, 8));
    EXPECT_EQ(bitmap->Image().pixel(0, 0), 0xFF000000u); // starts black
    CBitmap* old = dc.SelectObject(bitmap.get());
    ASSERT_NE(old, nullptr);
    CDC other;
    other.CreateCompatibleDC(nullptr);
    EXPECT_EQ(other.SelectObject(bitmap.get()), nullptr); // one context at a time
    EXPECT_FALSE(bitmap->DeleteObject());                 // not while selected
    dc.FillSolidRect(CRect(0, 0, 8, 8), kRed);
    EXPECT_EQ(dc.GetPixel(7, 7), kRed);
    bitmap.reset(); // destroyed while selected: the context falls back to its own bitmap
    dc.FillSolidRect(CRect(0, 0, 8, 8), kBlue);
    EXPECT_EQ(dc.GetPixel(0, 0), kBlue);
    EXPECT_EQ(dc.GetPixel(1, 1), CLR_INVALID); // the 1 x 1 default bitmap
    // A plain context that painted into a bitmap destroyed since paints nowhere.
    CDC plain;
    {
        CBitmap gone;
        gone.CreateCompatibleBitmap(&plain, 4, 4);
        EXPECT_EQ(plain.SelectObject(&gone), nullptr); // nothing was selected before
        EXPECT_EQ(plain.GetCurrentBitmap(), &gone);
    }
    EXPECT_EQ(plain.GetCurrentBitmap(), nullptr);
    EXPECT_EQ(plain.Image(), nullptr);
    plain.FillSolidRect(CRect(0, 0, 4, 4), kRed);
    // A context without a device draws nothing and does not crash.
    CDC none;
    EXPECT_FALSE(none.PatBlt(0, 0, 5, 5, PATCOPY));
    none.Rectangle(0, 0, 5, 5);
    EXPECT_EQ(none.GetPixel(0, 0), CLR_INVALID);
}
