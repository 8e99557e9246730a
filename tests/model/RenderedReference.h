// Rendered bitmaps compared with reference pictures kept under tests/model/data. A
// missing reference is written from the current rendering and the check fails, so a
// new reference is looked at before it is kept.
#pragma once
#include "framework/core/Fonts.h"
#include "framework/core/Png.h"
#include "model/Dib.h"

#include <gtest/gtest.h>
#include <QtCore/QByteArray>
#include <QtCore/QFile>
#include <QtCore/QString>
#include <QtGui/QGuiApplication>
#include <cstdlib>

namespace renderref {

// Text needs the font database of a (windowless) application and the face substitutes.
inline void EnsureFonts()
{
    tessel::InstallFontSubstitutes();
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test_model";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv); // lives until the program ends
}

inline QString ReferencePath(const char* name)
{
    const char* root = std::getenv("TESSEL_SOURCE_DIR");
    return QString::fromUtf8(root ? root : ".") + QStringLiteral("/tests/model/data/") + QString::fromUtf8(name) + QStringLiteral(".png");
}

// Every byte of a pixel (colour and transparency) may differ by tolerance; at most
// allowedOff of the pixels may differ by more (glyph edges of another font version).
inline void ExpectMatchesReference(const CDib& dib, const char* name, int tolerance, double allowedOff = 0.0)
{
    ASSERT_TRUE(dib.IsValid()) << name;
    const QString path = ReferencePath(name);
    if (!QFile::exists(path)) {
        PackedBitmapPtr packed = dib.CopyToGlobal();
        ASSERT_TRUE(packed);
        SavePNG(path.toUtf8().constData(), *packed);
        FAIL() << "reference made, look at it before keeping it: " << path.toStdString();
    }
    PackedBitmapPtr ref = LoadPNG(path.toUtf8().constData());
    ASSERT_TRUE(ref) << path.toStdString();
    CDib expected;
    ASSERT_TRUE(expected.CreateFromGlobal(*ref));
    ASSERT_EQ(expected.GetWidth(), dib.GetWidth()) << name;
    ASSERT_EQ(expected.GetHeight(), dib.GetHeight()) << name;
    CDib actual(dib);
    expected.BeginPixels();
    actual.BeginPixels();
    int off = 0, worst = 0;
    for (int y = 0; y < dib.GetHeight(); ++y)
        for (int x = 0; x < dib.GetWidth(); ++x) {
            const std::uint32_t a = actual.GetPixel(x, y), e = expected.GetPixel(x, y);
            int d = 0;
            for (int s = 0; s < 32; s += 8)
                d = std::max(d, std::abs(int((a >> s) & 0xFF) - int((e >> s) & 0xFF)));
            worst = std::max(worst, d);
            if (d > tolerance)
                ++off;
        }
    actual.EndPixels();
    expected.EndPixels();
    const double total = double(dib.GetWidth()) * dib.GetHeight();
    EXPECT_LE(off, int(total * allowedOff)) << name << ": " << off << " pixels beyond " << tolerance << " (worst " << worst << ")";
}

} // namespace renderref
