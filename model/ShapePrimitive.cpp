#include "model/ShapePrimitive.h"

#include "framework/core/Dc.h"
#include "model/Dib.h"
#include "model/Picture.h"
#include "model/items/ImageItemBase.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kTwoPi = 6.28318530716;
constexpr double kPi = 3.14159265358;

struct Figure {
    CDC* dc;
    bool started = false;
    void To(int x, int y)
    {
        if (!started) {
            dc->MoveTo(x, y);
            started = true;
        } else {
            dc->LineTo(x, y);
        }
    }
    // A line to the arc's start, then the arc, counter-clockwise on the screen for a
    // positive sweep (y grows downwards), in steps small enough to look round.
    void AngleArc(int cx, int cy, int radius, double startDeg, double sweepDeg)
    {
        const int steps = std::max(4, std::min(90, radius / 2 + 4));
        for (int i = 0; i <= steps; ++i) {
            const double a = (startDeg + sweepDeg * i / steps) * kPi / 180.0;
            To(int(std::lround(cx + radius * std::cos(a))), int(std::lround(cy - radius * std::sin(a))));
        }
    }
    void Begin()
    {
        dc->BeginPath();
        started = false;
    }
    void End()
    {
        dc->EndPath();
        dc->StrokeAndFillPath();
    }
};

void Poly(Figure& f, std::initializer_list<std::pair<int, int>> points)
{
    f.Begin();
    for (const auto& p : points)
        f.To(p.first, p.second);
    f.End();
}

void RayStar(Figure& f, int n, int W, int H, int m, bool pictureVariant)
{
    const int w = W - 2 * m, h = H - 2 * m;
    const int d = (w * 3 / 2) / n;
    f.Begin();
    if (!pictureVariant)
        f.To(w / 2, h);
    for (int i = 0; i < n; ++i) {
        const double a = i * kTwoPi / n;
        const double b = a + kPi / n;
        if (pictureVariant) {
            const int rx = w / 2, ry = h / 2;
            f.To(int(m + rx * std::sin(a) + rx), int(m + ry * std::cos(a) + ry));
            f.To(int(m + (rx - d) * std::sin(b) + rx), int(m + (ry - d) * std::cos(b) + ry));
        } else {
            f.To(int(m + (w / 2.0) * std::sin(a) + w / 2.0), int(m + (h / 2.0) * std::cos(a) + h / 2.0));
            f.To(int(m + (w / 2 - d) * std::sin(b) + w / 2), int(m + (h / 2 - d) * std::cos(b) + h / 2));
        }
    }
    f.End();
}

} // namespace

void DrawShapeFigure(CDC* dc, int kind, int W, int H, int m, int r, bool pictureVariant)
{
    if (!dc || W < 1 || H < 1)
        return;
    Figure f{dc};
    const int q = std::min(W, H);
    switch (kind) {
    case 0: dc->Rectangle(0, 0, W, H); break;
    case 1: dc->Ellipse(0, 0, W, H); break;
    case 2:
        if (pictureVariant)
            dc->RoundRect(0, 0, W, H, r, r);
        else
            dc->RoundRect(0, 0, W, H, 2 * r, 2 * r);
        break;
    case 3: dc->RoundRect(0, 0, W, H, q / 4, q / 4); break;
    case 4: dc->RoundRect(0, 0, W, H, q / 2, q / 2); break;
    case 5: dc->RoundRect(0, 0, W, H, q, q); break;
    case 6: {
        const int t = pictureVariant ? 2 * r : r;
        f.Begin();
        f.To(W - m, H - m);
        f.To(W - m, t + m);
        f.AngleArc(W - t - m, t + m, t, 0, 90);
        f.To(m + t, m);
        f.AngleArc(t + m, t + m, t, 90, 90);
        f.To(m, H - m);
        f.To(W - m, H - m);
        f.End();
        break;
    }
    case 7: {
        const int t = pictureVariant ? 2 * r : r;
        f.Begin();
        f.To(W - m, m);
        f.To(m, m);
        f.To(m, H - t - m);
        f.AngleArc(t + m, H - t - m, t, 180, 90);
        f.To(W - m - t, H - m);
        f.AngleArc(W - t - m, H - t - m, t, 270, 90);
        f.To(W - m, m);
        f.End();
        break;
    }
    case 8:
        Poly(f, {{W / 2, m}, {W * 61 / 100, H * 35 / 100}, {W - m, H * 35 / 100}, {W * 68 / 100, H * 58 / 100},
                 {W * 80 / 100, H * 94 / 100 - m}, {W * 50 / 100, H * 72 / 100}, {W * 20 / 100, H * 94 / 100 - m},
                 {W * 32 / 100, H * 58 / 100}, {m, H * 35 / 100}, {W * 39 / 100, H * 35 / 100}});
        break;
    case 9: RayStar(f, 10, W, H, m, pictureVariant); break;
    case 10: RayStar(f, 20, W, H, m, pictureVariant); break;
    case 11: RayStar(f, 50, W, H, m, pictureVariant); break;
    default:
        if (pictureVariant)
            break;
        switch (kind) {
        case 12: Poly(f, {{W / 2, m}, {m, H - m}, {W - m, H - m}}); break;
        case 13: Poly(f, {{W / 2, H - m}, {m, m}, {W - m, m}}); break;
        case 14: Poly(f, {{m, H / 2}, {W - m, m}, {W - m, H - m}}); break;
        case 15: Poly(f, {{W - m, H / 2}, {m, m}, {m, H - m}}); break;
        case 16: Poly(f, {{W / 2, m}, {m, H / 4}, {m, H - m}, {W - m, H - m}, {W - m, H / 4}}); break;
        case 17: Poly(f, {{W / 2, H - m}, {m, H - H / 4}, {m, m}, {W - m, m}, {W - m, H - H / 4}}); break;
        case 18: Poly(f, {{m, H / 2}, {W / 4, m}, {W - m, m}, {W - m, H - m}, {W / 4, H - m}}); break;
        case 19: Poly(f, {{W - m, H / 2}, {W - W / 4, m}, {m, m}, {m, H - m}, {W - W / 4, H - m}}); break;
        case 20: Poly(f, {{W / 2, m}, {m, H / 2}, {W / 4, H / 2}, {W / 4, H - m}, {W - W / 4, H - m}, {W - W / 4, H / 2}, {W - m, H / 2}}); break;
        case 21: Poly(f, {{W / 2, H - m}, {m, H / 2}, {W / 4, H / 2}, {W / 4, m}, {W - W / 4, m}, {W - W / 4, H / 2}, {W - m, H / 2}}); break;
        case 22: Poly(f, {{m, H / 2}, {W / 2, m}, {W / 2, H / 4}, {W - m, H / 4}, {W - m, H - H / 4}, {W / 2, H - H / 4}, {W / 2, H - m}}); break;
        case 23: Poly(f, {{W - m, H / 2}, {W / 2, m}, {W / 2, H / 4}, {m, H / 4}, {m, H - H / 4}, {W / 2, H - H / 4}, {W / 2, H - m}}); break;
        default: break;
        }
    }
}

void DrawShapePrimitive(const CImageItemBase& item, CDC* dc, int W, int H)
{
    if (item.m_nWidth < 1 || item.m_nHeight < 1)
        return;
    // Supersampling is a flag for the callers of this function.
    const int aa = item.m_nSupersampling ? 1 : 0;
    if (item.m_nFrameWidth == 0) {
        W += aa;
        H += aa;
    }
    const int r = aa ? 2 * item.m_nCornerRadius : item.m_nCornerRadius;
    DrawShapeFigure(dc, item.m_nFrameShape, W, H, item.m_nFrameWidth, r, false);
}

void DrawShapePath(const CPicture& picture, CDC* dc, int W, int H)
{
    DrawShapeFigure(dc, picture.m_nShape, W, H, picture.m_nFrameWidth, picture.m_nCornerRadius, true);
}

void CaptureKeyedShape(CAlphaCapture& capture, int penWidth, const std::function<void(CDC&)>& draw)
{
    CDC& dc = capture.GetDC();
    CPen pen(penWidth > 0 ? PS_INSIDEFRAME : PS_NULL, penWidth, 0xC0C0C0);
    CBrush brush(0x808080);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    for (int n = 0; n < 2; ++n) {
        capture.FillBackground(n);
        draw(dc);
        capture.Capture(n);
    }
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}
