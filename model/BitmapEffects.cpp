#include "model/BitmapEffects.h"

#include "framework/core/Colors.h"
#include "framework/core/Dc.h"
#include "model/Dib.h"
#include "model/RenderBudget.h"

#include <algorithm>
#include <cmath>

namespace {

int Opacity(std::uint32_t p)
{
    return 255 - int(p >> 24);
}

std::uint32_t WithOpacity(std::uint32_t p, int opacity)
{
    return (p & 0x00FFFFFFu) | (std::uint32_t(255 - std::clamp(opacity, 0, 255)) << 24);
}

// Centre and radii of the fade ellipse by the edge flags.
void FadeEllipse(double w, double h, bool L, bool R, bool T, bool B, double& rx, double& ry, double& cx, double& cy)
{
    rx = w / 2, ry = h / 2, cx = w / 2, cy = h / 2;
    const int n = int(L) + int(R) + int(T) + int(B);
    if (n == 0 || n == 4)
        return;
    if (n == 1) {
        rx = w, ry = h;
        if (R) cx = 0, cy = h / 2;
        if (L) cx = w, cy = h / 2;
        if (B) cx = w / 2, cy = 0;
        if (T) cx = w / 2, cy = h;
        return;
    }
    if (n == 3) {
        if (!R) rx = w, ry = h / 2, cx = w, cy = h / 2;       // L, T, B
        else if (!L) rx = w, ry = h / 2, cx = 0, cy = h / 2;  // R, T, B
        else if (!B) rx = w / 2, ry = h, cx = w / 2, cy = h;  // L, R, T
        else rx = w / 2, ry = h, cx = w / 2, cy = 0;          // L, R, B
        return;
    }
    if (L && R) { rx = w / 2, ry = 2 * h / 3, cx = w / 2, cy = h / 2; return; }
    if (T && B) { rx = 2 * w / 3, ry = h / 2, cx = w / 2, cy = h / 2; return; }
    rx = w, ry = h;
    cx = L ? w : 0;
    cy = T ? h : 0;
}

} // namespace

std::uint32_t AddToChannels(std::uint32_t colour, int delta)
{
    std::uint32_t out = colour & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8)
        out |= std::uint32_t(std::clamp(int((colour >> shift) & 0xFF) + delta, 0, 255)) << shift;
    return out;
}

namespace {

// The shadow's growth on each axis, one formula for drawing and for measuring.
int ShadowSide(int side, int offset, int r)
{
    return side + offset + 2 * r + 1;
}

} // namespace

bool ShadowBitmapSize(int sw, int sh, int offset, int radius, int& width, int& height)
{
    const int r = std::clamp(radius, 1, kMaxShadowRadius);
    if (sw < 1 || sh < 1 || !render_budget::KeepsRadiusForAnyPixels(sw, sh, r))
        return false;
    offset = std::clamp(offset, 0, 1000);
    width = ShadowSide(sw, offset, r);
    height = ShadowSide(sh, offset, r);
    return width < CDib::kMaxSide && height < CDib::kMaxSide;
}

std::unique_ptr<CDib> MakeShadowBitmap(const CDib* source, int opacityPercent, int offset, int radius,
    std::uint32_t colour, COLORREF background)
{
    if (!source || !source->IsValid())
        return nullptr;
    const int asked = std::clamp(radius, 1, kMaxShadowRadius);
    offset = std::clamp(offset, 0, 1000);
    const int sw = source->GetWidth(), sh = source->GetHeight();

    // The source's opacity, rows from the top.
    std::vector<std::uint8_t> sourceOpacity(std::size_t(sw) * sh);
    const std::uint32_t* src = reinterpret_cast<const std::uint32_t*>(source->Lock());
    for (int y = 0; y < sh; ++y)
        for (int x = 0; x < sw; ++x)
            sourceOpacity[std::size_t(y) * sw + std::size_t(x)] = std::uint8_t(Opacity(src[std::size_t(sh - 1 - y) * sw + std::size_t(x)]));

    // Only windows that mix opacities cost kernel work; a large picture with a large blur
    // gets a smaller blur.
    const int r = render_budget::ClampShadowRadius(sourceOpacity.data(), sw, sh, asked);
    if (r < asked)
        render_budget::NoteClamped();
    const int W = ShadowSide(sw, offset, r), H = ShadowSide(sh, offset, r);
    auto result = std::make_unique<CDib>();
    result->Create(W, H);
    if (!result->IsValid())
        return nullptr;
    result->FillRect(tessel::ColorRefToPixel(background) | 0xFF000000u);

    // The kernel's weights; their sum is the same for every pixel. Each row keeps the
    // span of its non-zero weights, so the sum skips only terms that add nothing.
    const int k = 2 * r + 1;
    std::vector<double> weight(std::size_t(k) * k);
    std::vector<int> spanFirst(std::size_t(k), k), spanEnd(std::size_t(k), 0);
    double weightSum = 0;
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
            const double w = std::max(0.0, r - std::sqrt(double(dx * dx + dy * dy))) / r;
            weight[std::size_t(dy + r) * k + std::size_t(dx + r)] = w;
            weightSum += w;
            if (w != 0.0) {
                spanFirst[std::size_t(dy + r)] = std::min(spanFirst[std::size_t(dy + r)], dx + r);
                spanEnd[std::size_t(dy + r)] = std::max(spanEnd[std::size_t(dy + r)], dx + r + 1);
            }
        }
    // Opacity of the source placed at (2r, 2r) of a zero margin: the kernel of result
    // pixel (x, y) covers source pixels x - 2r .. x and never leaves the grid.
    const int pw = W + k + 4, ph = H + k;
    std::vector<float> opacity(std::size_t(pw) * ph, 0.0f);
    for (int y = 0; y < sh; ++y)
        for (int x = 0; x < sw; ++x)
            opacity[std::size_t(y + 2 * r) * pw + std::size_t(x + 2 * r)] = float(sourceOpacity[std::size_t(y) * sw + std::size_t(x)]);

    // Four neighbouring windows at once, each summed in the kernel's order: the same
    // result as one at a time, without waiting on one chain of additions.
    auto sum4 = [&](const float* base, double out[4]) {
        double s0 = 0, s1 = 0, s2 = 0, s3 = 0;
        for (int dy = 0; dy < k; ++dy) {
            const float* row = base + std::size_t(dy) * pw;
            const double* wrow = &weight[std::size_t(dy) * k];
            for (int dx = spanFirst[std::size_t(dy)]; dx < spanEnd[std::size_t(dy)]; ++dx) {
                const double w = wrow[dx];
                s0 += row[dx] * w;
                s1 += row[dx + 1] * w;
                s2 += row[dx + 2] * w;
                s3 += row[dx + 3] * w;
            }
        }
        out[0] = s0, out[1] = s1, out[2] = s2, out[3] = s3;
    };
    const int percent = std::clamp(opacityPercent, 0, 100);
    auto finish = [&](double sum) {
        const int value = weightSum > 0 ? std::clamp(int(sum / weightSum), 0, 255) : 0;
        return percent * value / 100;
    };
    // A window of fully opaque pixels gives the same sum wherever it lies.
    std::vector<float> full(std::size_t(pw) * k, 255.0f);
    double fullSums[4];
    sum4(full.data(), fullSums);
    full = {};
    const int fullValue = finish(fullSums[0]);
    const int zeroValue = finish(0.0);

    const std::uint32_t shadow = colour & 0x00FFFFFFu;
    const int nx = W - offset, ny = H - offset;
    render_budget::WindowScan scan(sourceOpacity.data(), sw, sh, k);
    std::vector<std::uint8_t> kind(std::size_t(nx) + 4, render_budget::WindowScan::kZero);
    result->BeginPixels();
    for (int y = 0; y < ny; ++y) {
        scan.Row(y, kind.data());
        for (int x = 0; x < nx; x += 4) {
            const int n = std::min(4, nx - x);
            bool mixed = false;
            for (int i = 0; i < n; ++i)
                mixed |= kind[std::size_t(x + i)] == render_budget::WindowScan::kMixed;
            double sums[4] = {0, 0, 0, 0};
            if (mixed)
                sum4(&opacity[std::size_t(y) * pw + std::size_t(x)], sums);
            for (int i = 0; i < n; ++i) {
                const std::uint8_t c = kind[std::size_t(x + i)];
                const int value = c == render_budget::WindowScan::kMixed ? finish(sums[i])
                    : c == render_budget::WindowScan::kFull                 ? fullValue
                                                                            : zeroValue;
                result->SetPixel(x + i + offset, y + offset, WithOpacity(shadow, value));
            }
        }
    }
    CDib& s = const_cast<CDib&>(*source);
    s.BeginPixels();
    for (int y = 0; y < sh; ++y)
        for (int x = 0; x < sw; ++x)
            result->BlendPixel(x + r, y + r, s.GetPixel(x, y));
    s.EndPixels();
    result->EndPixels();
    result->SetOpaqueFlag(0);
    return result;
}

void ApplyLinearEdgeFade(CDib& dib, int left, int right, int top, int bottom, int size)
{
    if (!dib.IsValid())
        return;
    size = std::clamp(size, 0, 100);
    const int w = dib.GetWidth(), h = dib.GetHeight();
    dib.BeginPixels();
    auto fade = [&](bool vertical, bool fromEnd) {
        const int side = vertical ? h : w;
        const int n = size * side / 100;
        for (int i = 0; i < n; ++i) {
            const int line = fromEnd ? side - 1 - i : i;
            const int length = vertical ? w : h;
            for (int j = 0; j < length; ++j) {
                const int x = vertical ? j : line, y = vertical ? line : j;
                const std::uint32_t p = dib.GetPixel(x, y);
                dib.SetPixel(x, y, WithOpacity(p, Opacity(p) * i / n));
            }
        }
    };
    if (left)
        fade(false, false);
    if (top)
        fade(true, false);
    if (right)
        fade(false, true);
    if (bottom)
        fade(true, true);
    dib.EndPixels();
    dib.SetOpaqueFlag(0);
}

void ApplyEllipticalEdgeFade(CDib& dib, int left, int right, int top, int bottom, double band)
{
    if (!dib.IsValid())
        return;
    const double f = std::clamp(band, 0.0, 1.0);
    const int w = dib.GetWidth(), h = dib.GetHeight();
    double rx, ry, cx, cy;
    FadeEllipse(w, h, left != 0, right != 0, top != 0, bottom != 0, rx, ry, cx, cy);
    dib.BeginPixels();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double ex = cx - x - 0.5, ey = cy - y - 0.5;
            const double d = ex * ex / (rx * rx) + ey * ey / (ry * ry);
            const std::uint32_t p = dib.GetPixel(x, y);
            if (d > 1.0) {
                dib.SetPixel(x, y, p | 0xFF000000u);
            } else if (f > 0 && d > 1.0 - f) {
                // Falls from the pixel's own opacity to nothing: transparent stays transparent.
                const int a = Opacity(p);
                dib.SetPixel(x, y, WithOpacity(p, a - int(a * (d - 1.0 + f) / f)));
            }
        }
    }
    dib.EndPixels();
    dib.SetOpaqueFlag(0);
}
