// The looks kept per user for new items: every section read back from the settings file
// by a plain INI reader, missing keys giving the kind's defaults.
#include "document/NewItemDefaults.h"
#include "framework/core/Profile.h"
#include "model/items/ArtisticTextItem.h"
#include "model/items/ImageButtonItem.h"
#include "model/items/PayPalItem.h"
#include "model/items/SymbolItem.h"

#include <QtCore/QFile>
#include <QtCore/QSettings>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

QString SettingsFile()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Varnelo"),
                     QStringLiteral("Tessel Web Designer"))
        .fileName();
}

void ClearSection(const char* section)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Varnelo"), QStringLiteral("Tessel Web Designer"));
    s.remove(QString::fromUtf8(section));
    s.sync();
}

// A plain INI reader: the "key=value" lines of one section, as the file has them.
Pairs ReadSection(const char* section)
{
    QFile file(SettingsFile());
    Pairs out;
    if (!file.open(QIODevice::ReadOnly))
        return out;
    bool inside = false;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[')) {
            inside = line == QByteArray("[") + section + "]";
            continue;
        }
        const int eq = line.indexOf('=');
        if (inside && eq > 0)
            out.emplace_back(line.left(eq).toStdString(), line.mid(eq + 1).toStdString());
    }
    return out;
}

std::string Value(const Pairs& pairs, const std::string& key)
{
    for (const auto& [k, v] : pairs)
        if (k == key)
            return v;
    return "<missing>";
}

struct DefaultsTest : ::testing::Test {
    void SetUp() override
    {
        for (const char* s : {kArtisticTextSection, kSymbolSection, kImageButtonSection, kPayButtonSection})
            ClearSection(s);
    }
};

TEST_F(DefaultsTest, MissingKeysGiveTheKindsDefaults)
{
    CArtisticTextItem art;
    ApplyNewItemDefaults(art);
    EXPECT_STREQ(art.m_lf.lfFaceName, "Arial Black");
    EXPECT_EQ(art.m_lf.lfHeight, -48);
    EXPECT_EQ(art.m_lf.lfWeight, 0);
    EXPECT_EQ(art.m_crText, 0xCCu);
    EXPECT_EQ(art.m_crFill2, 0xFFFFu);
    EXPECT_EQ(art.m_nStretch, 100);
    EXPECT_EQ(art.m_nCharExtra, 0);
    EXPECT_EQ(art.m_nFrameWidth, 0);
    EXPECT_EQ(art.m_nLineWidth2, 0);
    EXPECT_EQ(art.m_crFrame, 0xE0E0E0u);
    EXPECT_EQ(art.m_crLine2, 0x808080u);
    EXPECT_EQ(art.m_nGradient, 1);
    EXPECT_EQ(art.m_nInteriorShading, 0);

    CSymbolItem symbol;
    SetLogFontFace(symbol.m_lf, "Webdings");
    symbol.m_nGlyph = 0x41;
    ApplyNewItemDefaults(symbol);
    EXPECT_STREQ(symbol.m_lf.lfFaceName, "Webdings") << "the picker's face stays";
    EXPECT_EQ(symbol.m_nGlyph, 0x41);
    EXPECT_EQ(symbol.m_lf.lfHeight, -100);
    EXPECT_EQ(symbol.m_lf.lfWeight, 400);
    EXPECT_EQ(symbol.m_lf.lfCharSet, 1);
    EXPECT_EQ(symbol.m_lf.lfOutPrecision, 4);
    EXPECT_EQ(symbol.m_crText, 0xCCu);
    EXPECT_EQ(symbol.m_crFill2, 0x5080FFu);
    EXPECT_EQ(symbol.m_nFrameWidth, 10);
    EXPECT_EQ(symbol.m_nLineWidth2, 2);
    EXPECT_EQ(symbol.m_crFrame, 0x80E0E0u);
    EXPECT_EQ(symbol.m_nFrameShading, 4);
    EXPECT_EQ(symbol.m_nInteriorShading, 1);

    CImageButtonItem button;
    button.m_strText = "x";
    ApplyNewItemDefaults(button);
    EXPECT_EQ(button.m_strText.ToQString(), QStringLiteral("OK"));
    EXPECT_STREQ(button.m_lf.lfFaceName, "Tahoma");
    EXPECT_EQ(button.m_lf.lfWeight, 700);
    EXPECT_EQ(button.m_lf.lfHeight, -12);
    EXPECT_EQ(button.m_nRenderWidth, 88);
    EXPECT_EQ(button.m_nRenderHeight, 35);
    EXPECT_EQ(button.m_nFrameWidth, 4);
    EXPECT_EQ(button.m_crFrame, 0xFFFFu);

    CPayPalItem pay;
    ApplyNewItemDefaults(pay);
    EXPECT_EQ(pay.m_strText.ToQString(), QStringLiteral("Buy"));
    EXPECT_EQ(pay.m_nRenderWidth, 60);
    EXPECT_EQ(pay.m_nRenderHeight, 30);
    EXPECT_EQ(pay.m_nFrameWidth, 2);
    EXPECT_EQ(pay.m_crFrame, 0x00FF00u);
    EXPECT_EQ(pay.m_crText, 0xFFFFFFu);
    EXPECT_EQ(pay.m_crSecond, 0xC0C0C0u);
    EXPECT_STREQ(pay.m_lf.lfFaceName, "Tahoma");
}

TEST_F(DefaultsTest, ArtisticTextAndSymbolWrittenInKeyOrderWithoutGradientStyle)
{
    CArtisticTextItem art;
    art.m_lf.lfWeight = 700;
    art.m_lf.lfItalic = 1;
    art.m_lf.lfUnderline = 0;
    art.m_lf.lfHeight = -30;
    SetLogFontFace(art.m_lf, "Georgia");
    art.m_nCharExtra = -3;
    art.m_crText = 0x112233;
    art.m_crFill2 = 0x445566;
    art.m_bGradient2Way = 1;
    art.m_crFrame = 0x010203;
    art.m_crLine2 = 0x040506;
    art.m_nFrameShading = 2;
    art.m_nLineStyle2 = 3;
    art.m_nInteriorShading = 5;
    art.m_nStretch = 150;
    art.m_nFrameWidth = 6;
    art.m_nLineWidth2 = 7;
    art.m_nGradient = 4;
    SaveNewItemDefaults(art);
    const Pairs expected = {{"CharExtra", "-3"},    {"Face", "Georgia"},     {"FillColor2", "4478310"},
                            {"FillStyle3D", "5"},   {"FontColor", "1122867"}, {"FontHeight", "-30"},
                            {"Gradient2Way", "1"},  {"Italic", "1"},          {"LineColor", "66051"},
                            {"LineColor2", "263430"}, {"LineStyle3D", "2"},   {"LineStyle3D2", "3"},
                            {"LineWidth", "6"},     {"LineWidth2", "7"},      {"Stretch", "150"},
                            {"Underline", "0"},     {"Weight", "700"}};
    EXPECT_EQ(ReadSection(kArtisticTextSection), expected) << "the settings file keeps its keys sorted";

    CArtisticTextItem back;
    ApplyNewItemDefaults(back);
    EXPECT_EQ(back.m_nGradient, 1) << "the gradient is never stored";
    EXPECT_EQ(back.m_lf.lfHeight, -30);
    EXPECT_STREQ(back.m_lf.lfFaceName, "Georgia");
    EXPECT_EQ(back.m_crLine2, 0x040506u);
    EXPECT_EQ(back.m_nLineStyle2, 3);
    EXPECT_EQ(back.m_nCharExtra, -3);

    CSymbolItem symbol;
    symbol.m_nStretch = 80;
    symbol.m_nFrameWidth = 12;
    symbol.m_crText = 0x0A0B0C;
    SaveNewItemDefaults(symbol);
    const Pairs got = ReadSection(kSymbolSection);
    ASSERT_EQ(got.size(), 14u);
    for (const char* absent : {"Face", "FontHeight", "CharExtra", "GradientStyle"})
        EXPECT_EQ(Value(got, absent), "<missing>") << absent;
    EXPECT_EQ(Value(got, "Stretch"), "80");
    EXPECT_EQ(Value(got, "LineWidth"), "12");
    EXPECT_EQ(Value(got, "FontColor"), "658188");
}

TEST_F(DefaultsTest, ButtonSectionsAndTheCaption)
{
    CImageButtonItem button;
    button.m_nRenderWidth = 120;
    button.m_nRenderHeight = 50;
    button.m_strText = "Go";
    button.m_bGlass = 1;
    SaveNewItemDefaults(button);
    const Pairs image = ReadSection(kImageButtonSection);
    EXPECT_EQ(image.size(), 21u);
    EXPECT_EQ(Value(image, "Text"), "<missing>") << "the image button's caption is read only";
    EXPECT_EQ(Value(image, "Width"), "120");
    EXPECT_EQ(Value(image, "GlassStyle"), "1");

    CPayPalItem pay;
    pay.m_strText.SetQString(QStringLiteral("Kaufen \u00e4"));
    pay.m_nRenderWidth = 70;
    SaveNewItemDefaults(pay);
    const Pairs paid = ReadSection(kPayButtonSection);
    EXPECT_EQ(paid.size(), 22u);
    EXPECT_EQ(Value(paid, "Width"), "70");
    CPayPalItem back;
    ApplyNewItemDefaults(back);
    EXPECT_EQ(back.m_strText.ToQString(), QStringLiteral("Kaufen \u00e4"));
    EXPECT_EQ(back.m_nRenderWidth, 70);

    // The image button's stored height follows its stored width when missing.
    ClearSection(kImageButtonSection);
    WriteProfileInt(kImageButtonSection, "Width", 100);
    CImageButtonItem sized;
    ApplyNewItemDefaults(sized);
    EXPECT_EQ(sized.m_nRenderHeight, 40);
}

TEST_F(DefaultsTest, LongFacesAreCutAndHugeSizesBounded)
{
    const std::string face40(40, 'F');
    struct Case {
        const char* section;
    } cases[] = {{kArtisticTextSection}, {kImageButtonSection}, {kPayButtonSection}};
    for (const Case& c : cases)
        WriteProfileString(c.section, "Face", face40.c_str());
    CArtisticTextItem art;
    ApplyNewItemDefaults(art);
    CImageButtonItem button;
    ApplyNewItemDefaults(button);
    CPayPalItem pay;
    ApplyNewItemDefaults(pay);
    for (const LOGFONT* lf : {&art.m_lf, &button.m_lf, &pay.m_lf})
        EXPECT_EQ(std::string(lf->lfFaceName), std::string(31, 'F'));

    WriteProfileInt(kPayButtonSection, "Width", 2'000'000'000);
    WriteProfileInt(kPayButtonSection, "Height", -5);
    CPayPalItem big;
    ApplyNewItemDefaults(big);
    EXPECT_EQ(big.m_nRenderWidth, 3000);
    EXPECT_EQ(big.m_nRenderHeight, 1);
}

} // namespace
