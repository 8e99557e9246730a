// The explorer's translation map and the formatting of its texts.
#include "ftpexplorer/FtpTranslate.h"
#include "ftpexplorer/TransferEngine.h"
#include <gtest/gtest.h>

namespace {
struct Translations : ::testing::Test {
    void SetUp() override { ClearTranslations(); }
    void TearDown() override { ClearTranslations(); }
};
} // namespace

TEST_F(Translations, LinesOfTheFile)
{
    LoadLanguageText("Cancel=Abbrechen\r\n"
                     " Upload=Hochladen\n"
                     "a=b=c\n"
                     "Twice=first\n"
                     "Twice=second\n"
                     "=no key\n"
                     "no equals sign\n"
                     "Line\\nbreak=Zeile\\nUmbruch\\t!\n"
                     "Empty=\n"
                     "File %d of %d=Datei %d von %d\n"
                     "Uploaded: %s=Hochgeladen: %d\n"
                     "Error reading local file %s=%s %n\n");
    const std::pair<const char*, const char*> cases[] = {
        {"Cancel", "Abbrechen"},
        {"Upload", "Upload"},          // the key holds the space
        {" Upload", "Hochladen"},
        {"a", "b=c"},
        {"Twice", "second"},
        {"=no key", "=no key"},
        {"Line\nbreak", "Zeile\nUmbruch\t!"},
        {"Empty", ""},
        {"File %d of %d", "Datei %d von %d"},
        {"Uploaded: %s", "Uploaded: %s"}, // placeholders differ: ignored
        {"Error reading local file %s", "Error reading local file %s"},
        {"cancel", "cancel"},
    };
    for (auto [key, expected] : cases)
        EXPECT_EQ(TranslateText(key), expected) << key;
}

TEST_F(Translations, FormattingTakesSixtyFourBitValuesAndTranslatedFormats)
{
    LoadLanguageText("File %d of %d=Datei %d von %d\n");
    EXPECT_EQ(FtpFormat("File %d of %d", {std::int64_t(3), std::int64_t(12)}), "Datei 3 von 12");
    EXPECT_EQ(FtpFormat("%d bytes sent OK   From: %s   To: %s",
                        {std::uint64_t(5368709123ull), "/home/a b.txt", "/pub/a b.txt"}),
              "5368709123 bytes sent OK   From: /home/a b.txt   To: /pub/a b.txt");
    // Missing arguments and unknown conversions are left as they stand; "%%" is one '%'.
    EXPECT_EQ(FtpFormatRaw("%s and %s", {"one"}), "one and %s");
    EXPECT_EQ(FtpFormatRaw("100%% %x %s", {"done"}), "100% %x done");
    EXPECT_EQ(FtpFormatRaw("%s", {"%d %s %n"}), "%d %s %n");
}

TEST(TransferTexts, RateText)
{
    const std::pair<std::uint64_t, const char*> cases[] = {
        {0, "0 bytes"},         {500, "500 bytes"},        {1024, "1024 bytes"},    {1025, "1 kB"},
        {1536, "1.5 kB"},       {2048, "2 kB"},            {1048576, "1024 kB"},    {1048577, "1 MB"},
        {1023 * 1024, "1023 kB"}, {999 * 1024, "999 kB"},  {5ull << 30, "5 GB"},     {(1ull << 40) + 1, "1 TB"},
        {3000ull << 40, "3000 TB"},
    };
    for (auto [value, text] : cases)
        EXPECT_EQ(CTransferEngine::FormatRate(value), text) << value;
}

TEST(TransferTexts, PercentForAnySize)
{
    struct {
        std::uint64_t done, size;
        int percent;
    } cases[] = {
        {0, 0, 0},
        {10, 0, 0},
        {16384, 40000, 40},
        {42949673, 42949673, 100},
        {42949672, 85899346, 49},
        {5368709123ull, 5368709123ull, 100},
        {16384, 5368709123ull, 0},
        {~0ull, ~0ull, 100},
        {~0ull / 2, ~0ull, 49},
        {200, 100, 100},
    };
    for (auto& c : cases)
        EXPECT_EQ(CTransferEngine::Percent(c.done, c.size), c.percent) << c.done << "/" << c.size;
}
