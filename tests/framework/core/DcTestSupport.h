// Shared set-up of the drawing tests: a GUI application for fonts, a white memory DC,
// and pixel probes.
#pragma once
#include "framework/core/Colors.h"
#include "framework/core/Dc.h"
#include "framework/core/Fonts.h"

#include <gtest/gtest.h>
#include <QtGui/QGuiApplication>

namespace dctest {

inline void EnsureGuiApplication()
{
    tessel::InstallFontSubstitutes();
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_framework_core";
        static char* argv[] = {name, nullptr};
        new QGuiApplication(argc, argv); // lives until the program ends
    }
}

// A memory DC over a white bitmap of w x h.
struct Canvas {
    CDC dc;
    CBitmap bitmap;
    Canvas(int w, int h)
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, w, h);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(CRect(0, 0, w, h), RGB(255, 255, 255));
    }
    const QImage& Image() const { return bitmap.Image(); }
    COLORREF At(int x, int y) const { return tessel::QColorToColorRef(QColor(Image().pixel(x, y))); }
    // Bounding box of every pixel that differs from white (empty when none).
    CRect Ink() const
    {
        const QImage& im = Image();
        CRect box;
        bool any = false;
        for (int y = 0; y < im.height(); ++y)
            for (int x = 0; x < im.width(); ++x)
                if ((im.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu) {
                    if (!any)
                        box = CRect(x, y, x + 1, y + 1);
                    box.left = std::min(box.left, x);
                    box.top = std::min(box.top, y);
                    box.right = std::max(box.right, x + 1);
                    box.bottom = std::max(box.bottom, y + 1);
                    any = true;
                }
        return box;
    }
    int Count(COLORREF c) const
    {
        int n = 0;
        for (int y = 0; y < Image().height(); ++y)
            for (int x = 0; x < Image().width(); ++x)
                n += At(x, y) == c;
        return n;
    }
};

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

} // namespace dctest
