// Rendered bitmaps compared with reference pictures checked in under tests/model/data.
// A test never writes a reference: a missing one fails, with the current rendering left
// in the artifact folder to be looked at and, if right, copied into tests/model/data.
// A rendering that differs is left there too, beside the reference it missed.
#pragma once
#include "framework/core/Fonts.h"
#include "framework/core/Png.h"
#include "model/Dib.h"
#include "support/Artifacts.h"

#include <gtest/gtest.h>
#include <QtCore/QByteArray>
#include <QtCore/QFile>
#include <QtCore/QString>
#include <QtGui/QGuiApplication>
#include <cstdlib>
#include <iostream>

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
    const auto leaveForReview = [&] {
        const QString review = testsupport::ArtifactPath(QStringLiteral("references/") + QString::fromUtf8(name) + QStringLiteral(".png"));
        PackedBitmapPtr packed = dib.CopyToGlobal();
        if (packed)
            SavePNG(review.toUtf8().constData(), *packed);
        return review.toStdString();
    };
    if (!QFile::exists(path))
        FAIL() << "no reference " << path.toStdString() << "; the rendering is in " << leaveForReview()
               << ": look at it, and if it is right, copy it there";
    PackedBitmapPtr ref = LoadPNG(path.toUtf8().constData());
    ASSERT_TRUE(ref) << path.toStdString();
    CDib expected;
    ASSERT_TRUE(expected.CreateFromGlobal(*ref));
    if (expected.GetWidth() != dib.GetWidth() || expected.GetHeight() != dib.GetHeight())
        FAIL() << name << ": " << dib.GetWidth() << "x" << dib.GetHeight() << " drawn, the reference is " << expected.GetWidth()
               << "x" << expected.GetHeight() << "; the rendering is in " << leaveForReview();
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
    if (off > int(total * allowedOff))
        std::cerr << "the rendering of " << name << " is in " << leaveForReview() << "\n";
}

} // namespace renderref
