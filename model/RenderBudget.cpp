#include "model/RenderBudget.h"

#include "framework/core/MessageBox.h"
#include "model/Translate.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QMetaObject>

#include <algorithm>
#include <atomic>

namespace render_budget {

namespace {
std::atomic<bool> g_clamped{false};
}

std::int64_t ShadowKernelTaps(int radius)
{
    // Weights are max(0, r - distance): only points closer than r count.
    std::int64_t taps = 0;
    for (int dy = -radius + 1; dy < radius; ++dy)
        for (int dx = -radius + 1; dx < radius; ++dx)
            if (dx * dx + dy * dy < radius * radius)
                ++taps;
    return std::max<std::int64_t>(taps, 1);
}

WindowScan::WindowScan(const std::uint8_t* opacity, int sw, int sh, int k)
    : m_opacity(opacity), m_sw(sw), m_sh(sh), m_k(k), m_nx(sw + k),
      m_ringFull(std::size_t(k) * std::size_t(sw + k)), m_ringNonzero(std::size_t(k) * std::size_t(sw + k)),
      m_colFull(std::size_t(sw + k)), m_colNonzero(std::size_t(sw + k))
{
}

void WindowScan::SourceRow(int sy, std::uint8_t* full, std::uint8_t* nonzero) const
{
    // Counts over source columns x - k + 1 .. x, sliding.
    const std::uint8_t* row = m_opacity + std::size_t(sy) * std::size_t(m_sw);
    int f = 0, n = 0;
    for (int x = 0; x < m_nx; ++x) {
        if (x < m_sw) {
            f += row[x] == 255;
            n += row[x] != 0;
        }
        const int gone = x - m_k;
        if (gone >= 0 && gone < m_sw) {
            f -= row[gone] == 255;
            n -= row[gone] != 0;
        }
        full[x] = std::uint8_t(f);
        nonzero[x] = std::uint8_t(n);
    }
}

int WindowScan::Row(int y, std::uint8_t* kinds)
{
    const std::size_t slot = std::size_t(y % m_k) * std::size_t(m_nx);
    std::uint8_t* full = &m_ringFull[slot];
    std::uint8_t* nonzero = &m_ringNonzero[slot];
    const int gone = y - m_k; // the row leaving the window shares the slot of the one coming
    if (gone >= 0 && gone < m_sh)
        for (int x = 0; x < m_nx; ++x) {
            m_colFull[std::size_t(x)] = std::uint16_t(m_colFull[std::size_t(x)] - full[x]);
            m_colNonzero[std::size_t(x)] = std::uint16_t(m_colNonzero[std::size_t(x)] - nonzero[x]);
        }
    if (y < m_sh) {
        SourceRow(y, full, nonzero);
        for (int x = 0; x < m_nx; ++x) {
            m_colFull[std::size_t(x)] = std::uint16_t(m_colFull[std::size_t(x)] + full[x]);
            m_colNonzero[std::size_t(x)] = std::uint16_t(m_colNonzero[std::size_t(x)] + nonzero[x]);
        }
    }
    const int all = m_k * m_k;
    int mixed = 0;
    for (int x = 0; x < m_nx; ++x) {
        const std::uint8_t kind = m_colNonzero[std::size_t(x)] == 0 ? kZero : m_colFull[std::size_t(x)] == all ? kFull : kMixed;
        kinds[x] = kind;
        mixed += kind == kMixed;
    }
    return mixed;
}

namespace {

std::int64_t MixedWindows(const std::uint8_t* opacity, int sw, int sh, int k)
{
    WindowScan scan(opacity, sw, sh, k);
    std::vector<std::uint8_t> kinds(std::size_t(scan.Columns()));
    std::int64_t mixed = 0;
    for (int y = 0; y < sh + k; ++y)
        mixed += scan.Row(y, kinds.data());
    return mixed;
}

// Without counting: even every window mixed stays under the ceiling.
bool FitsWithoutCounting(int sw, int sh, int r)
{
    return (std::int64_t(sw) + 2 * r + 1) * (std::int64_t(sh) + 2 * r + 1) * ShadowKernelTaps(r) <= kMaxShadowTaps;
}

bool Fits(const std::uint8_t* opacity, int sw, int sh, int r)
{
    if (FitsWithoutCounting(sw, sh, r))
        return true;
    return MixedWindows(opacity, sw, sh, 2 * r + 1) * ShadowKernelTaps(r) <= kMaxShadowTaps;
}

} // namespace

bool KeepsRadiusForAnyPixels(int sw, int sh, int radius)
{
    const int r = std::max(1, radius);
    return r == 1 || FitsWithoutCounting(sw, sh, r);
}

int ClampShadowRadius(const std::uint8_t* opacity, int sw, int sh, int radius)
{
    int r = std::max(1, radius);
    if (r == 1 || Fits(opacity, sw, sh, r))
        return r;
    // The largest radius that fits: the work grows with the radius.
    int lo = 1, hi = r - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (Fits(opacity, sw, sh, mid))
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

CString ClampedMessage()
{
    return Translate("A shadow is too large to draw with its full softness; it is shown and published with less. "
                     "The project keeps the values you set.");
}

void NoteClamped()
{
    if (g_clamped.exchange(true))
        return;
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, [] { AfxMessageBox(ClampedMessage(), MB_OK | MB_ICONINFORMATION); }, Qt::QueuedConnection);
    else
        AfxMessageBox(ClampedMessage(), MB_OK | MB_ICONINFORMATION);
}

bool WasClamped()
{
    return g_clamped.load();
}

void Reset()
{
    g_clamped = false;
}

} // namespace render_budget
