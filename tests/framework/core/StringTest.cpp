#include "framework/core/CString.h"

#include <clocale>
#include <gtest/gtest.h>

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
