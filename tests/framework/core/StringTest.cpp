#include "framework/core/CString.h"

#include <clocale>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

TEST(CString, FormatIgnoresProcessLocale)
{
    const char* old = std::setlocale(LC_ALL, nullptr);
    std::string saved = old ? old : "C";
    // A locale with a decimal comma, when the machine has one.
    bool switched = std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "fr_FR.UTF-8");
    CString s;
    s.Format("%.2f|%d|%s", 3.25, -7, "x");
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(s, "3.25|-7|x");
    (void)switched;
}

TEST(CString, FormatLongOutput)
{
    std::string big(2000, 'q');
    CString s;
    s.Format("<%s>", big.c_str());
    EXPECT_EQ(s.GetLength(), 2002);
    s.AppendFormat("%05d", 42);
    EXPECT_EQ(s.Right(5), "00042");
}

// The integer and text conversions are written without printf: each one, its widths, flags
// and length modifiers, the extremes of each type and the ones that still go to printf.
TEST(CString, FormatConversionTable)
{
    struct Case {
        CString got;
        const char* expected;
    };
    const Case cases[] = {
        {CString::Formatted("left:%dpx;top:%dpx;", 12, -340), "left:12px;top:-340px;"},
        {CString::Formatted("%i|%d", 0, -2147483647 - 1), "0|-2147483648"},
        {CString::Formatted("%u|%x|%X", 4294967295u, 0xbeefu, 0xbeefu), "4294967295|beef|BEEF"},
        {CString::Formatted("#%02X%02X%02X", 0x0a, 0xff, 0), "#0AFF00"},
        {CString::Formatted("[%5d][%05d][%05d][%3d]", 42, 42, -42, 12345), "[   42][00042][-0042][12345]"},
        {CString::Formatted("%ld|%lld|%lu", -9000000000L, -9223372036854775807LL - 1, 18446744073709551615UL),
            "-9000000000|-9223372036854775808|18446744073709551615"},
        {CString::Formatted("%zu|%zd|%llx", size_t(77), std::ptrdiff_t(-5), 0xffffffffffULL), "77|-5|ffffffffff"},
        {CString::Formatted("%s=%c%%%s", "a", 'b', ""), "a=b%"},
        {CString::Formatted("[%3s][%2c]", "x", 'y'), "[  x][ y]"},
        {CString::Formatted("100%% plain"), "100% plain"},
        {CString::Formatted("%s tail", "\xc3\xa9"), "\xc3\xa9 tail"},
        // given to printf: floating point, precision, left alignment, '+', '*'
        {CString::Formatted("%.1f|%f", 0.25, 0.5), "0.2|0.500000"},
        {CString::Formatted("[%-4d][%+d][%.2s][%*d]", 7, 7, "abc", 3, 1), "[7   ][+7][ab][  1]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected);
    CString appended("a");
    appended.AppendFormat("%d-%s", 5, "b");
    appended.AppendFormat("%.1f", 1.5);
    EXPECT_EQ(appended, "a5-b1.5");
}

TEST(CString, EditingOperations)
{
    CString s("a..b..c");
    EXPECT_EQ(s.Replace("..", "/"), 2);
    EXPECT_EQ(s, "a/b/c");
    EXPECT_EQ(s.Find('/'), 1);
    EXPECT_EQ(s.Find('/', 2), 3);
    EXPECT_EQ(s.ReverseFind('/'), 3);
    EXPECT_EQ(s.Find("zz"), -1);
    EXPECT_EQ(s.Left(1), "a");
    EXPECT_EQ(s.Right(1), "c");
    EXPECT_EQ(s.Mid(2, 1), "b");
    EXPECT_EQ(s.Mid(10), "");
    EXPECT_EQ(s.Left(-3), "");
    EXPECT_EQ(s.Remove('/'), 2);
    EXPECT_EQ(s, "abc");
    CString t("  Hi There \r\n");
    t.Trim();
    EXPECT_EQ(t, "Hi There");
    t.MakeUpper();
    EXPECT_EQ(t, "HI THERE");
    EXPECT_EQ(t.CompareNoCase("hi there"), 0);
    EXPECT_LT(CString("a").Compare("b"), 0);
    CString u("\xC3\xA9" "A");
    u.MakeLower();
    EXPECT_EQ(u, "\xC3\xA9" "a"); // bytes of UTF-8 sequences are never touched
}

TEST(CString, BufferAccess)
{
    CString s;
    char* p = s.GetBuffer(10);
    std::strcpy(p, "abc");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 3);
    EXPECT_EQ(s, "abc");
}

TEST(CString, NarrowConversionFallsBackToWindows1252)
{
    EXPECT_EQ(CString("caf\xC3\xA9").ToQString(), QString::fromUtf8("café"));
    // 0xE9 alone is not UTF-8: Windows-1252 é; 0x80 is the euro sign.
    EXPECT_EQ(CString("caf\xE9 \x80").ToQString(), QString::fromUtf8("café €"));
    EXPECT_EQ(CString::FromQString(QString::fromUtf8("€")), "\xE2\x82\xAC");
}

// Fixed-point conversions are written without the C library: every value and precision
// must read exactly as printf writes it (rounding of the exact binary value included).
TEST(CString, FixedPointMatchesPrintf)
{
    const double values[] = {0.0, -0.0, 0.5, 0.25, 0.125, 2.5, 1.005, 0.1, 1e-7, -3.75, 123456789.987654321, 1e21, -1e300,
        1.0 / 3.0, 4503599627370497.5, std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::denorm_min()};
    const char* const formats[] = {"%f", "%.0f", "%.1f", "%.2f", "%.3f", "%.12f", "%.99f", "t:%.2fs;%d", "%s %f"};
    for (const char* format : formats)
        for (const double v : values) {
            char expected[1024];
            CString got;
            if (std::strncmp(format, "t:", 2) == 0) {
                std::snprintf(expected, sizeof expected, format, v, 7);
                got.Format(format, v, 7);
            } else if (format[0] == '%' && format[1] == 's') {
                std::snprintf(expected, sizeof expected, format, "x", v);
                got.Format(format, "x", v);
            } else {
                std::snprintf(expected, sizeof expected, format, v);
                got.Format(format, v);
            }
            EXPECT_STREQ(got.GetString(), expected) << format << " " << v;
        }
}
