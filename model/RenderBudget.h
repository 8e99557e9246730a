// A ceiling on the work of one rendering, so that no item (from a file, a paste or an
// edit) can hold the program for more than a moment. A request beyond it is drawn with
// less work (a smaller blur); the item keeps the values the user set, and the user is
// told once per run.
#pragma once
#include "framework/core/CString.h"
#include <cstdint>
#include <vector>

namespace render_budget {

// Kernel taps one shadow may spend on the windows that mix opacities (a window all
// transparent or all opaque costs nothing). About 100 ms in an optimised build, at
// some 0.35 ns a tap.
constexpr std::int64_t kMaxShadowTaps = 250000000;

// Taps of the shadow kernel of a radius: the points strictly inside its circle.
std::int64_t ShadowKernelTaps(int radius);

// Sorts the k x k windows over an opacity grid (sw x sh bytes, rows from the top, zero
// outside) into all transparent, all opaque or mixed. Result row y, column x is the
// window of source columns x - k + 1 .. x and rows y - k + 1 .. y; a row has sw + k
// columns, and rows come one after another from 0 (up to sh + k - 1).
class WindowScan {
public:
    enum : std::uint8_t { kZero = 0, kFull = 1, kMixed = 2 };
    WindowScan(const std::uint8_t* opacity, int sw, int sh, int k);
    int Columns() const { return m_nx; }
    // Fills kinds[0 .. Columns()) for the next row, which must be y; returns the mixed count.
    int Row(int y, std::uint8_t* kinds);

private:
    void SourceRow(int sy, std::uint8_t* full, std::uint8_t* nonzero) const;
    const std::uint8_t* m_opacity;
    int m_sw, m_sh, m_k, m_nx;
    std::vector<std::uint8_t> m_ringFull, m_ringNonzero;
    std::vector<std::uint16_t> m_colFull, m_colNonzero;
};

// The largest radius up to the one asked for whose shadow of the opacity grid fits the
// ceiling; at least 1 (no blur, linear in the area).
int ClampShadowRadius(const std::uint8_t* opacity, int sw, int sh, int radius);
// Whether ClampShadowRadius keeps the radius for a grid of sw x sh whatever its pixels
// (radius 1, or even every window mixed stays under the ceiling).
bool KeepsRadiusForAnyPixels(int sw, int sh, int radius);

// The text the user reads when a rendering was reduced.
CString ClampedMessage();

// Records that a rendering was reduced; the first time in a run the user is told (after
// the current event when an application runs, so never from inside a paint).
void NoteClamped();
// Whether NoteClamped was called in this run; Reset forgets it (tests).
bool WasClamped();
void Reset();

} // namespace render_budget
