#include "model/WString.h"
#include "framework/core/CArchive.h"
#include "framework/core/Exceptions.h"

#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<BYTE> StoreWide(CWString& s)
{
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        s.Serialize(ar);
        ar.Close();
    }
    return f.Bytes();
}

std::u16string Units(const CWString& s)
{
    return s.GetBuffer() ? std::u16string(s.GetBuffer()) : std::u16string();
}

CWString Wide(const char16_t* text)
{
    CWString s;
    s.SetText(text);
    return s;
}

} // namespace

TEST(WString, ArchiveVectors)
{
    struct Case { const char16_t* text; std::vector<BYTE> bytes; };
    const Case cases[] = {
        {nullptr, {0, 0, 0, 0}},
        {u"", {0, 0, 0, 0}},
        {u"A", {1, 0, 0, 0, 0x41, 0}},
        {u"\u00E9t\u00E9", {3, 0, 0, 0, 0xE9, 0, 0x74, 0, 0xE9, 0}},
        {u"\u03A9\u20AC", {2, 0, 0, 0, 0xA9, 0x03, 0xAC, 0x20}},
        {u"\U0001F600", {2, 0, 0, 0, 0x3D, 0xD8, 0x00, 0xDE}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.size());
        CWString s;
        s.SetText(c.text);
        std::vector<BYTE> bytes = StoreWide(s);
        EXPECT_EQ(bytes, c.bytes);

        CMemFile f(bytes.data(), bytes.size());
        CArchive ar(&f, CArchive::load);
        CWString back;
        back.SetText(u"old text");
        back.Serialize(ar);
        EXPECT_EQ(ar.GetRemaining(), 0u);
        EXPECT_EQ(Units(back), c.text ? std::u16string(c.text) : std::u16string());
        // A count of 0 loads as the null form, whichever empty form was stored.
        EXPECT_EQ(back.IsNull(), bytes.size() == 4);
    }
}

TEST(WString, LongTextRoundTrip)
{
    std::u16string text;
    for (int i = 0; i < 70000; ++i)
        text += char16_t(0x20 + i % 0xD000);
    CWString s;
    s.SetText(text.c_str());
    std::vector<BYTE> bytes = StoreWide(s);
    ASSERT_EQ(bytes.size(), 4 + 2 * text.size());
    CMemFile f(bytes.data(), bytes.size());
    CArchive ar(&f, CArchive::load);
    CWString back;
    back.Serialize(ar);
    EXPECT_EQ(Units(back), text);
}

TEST(WString, DamagedCountsLoadSafely)
{
    // A negative count gives the null form and reads nothing more.
    {
        std::vector<BYTE> bytes = {0xFF, 0xFF, 0xFF, 0xFF, 0x41, 0x00};
        CMemFile f(bytes.data(), bytes.size());
        CArchive ar(&f, CArchive::load);
        CWString s;
        s.SetText(u"before");
        s.Serialize(ar);
        EXPECT_TRUE(s.IsNull());
        EXPECT_EQ(ar.GetRemaining(), 2u);
    }
    // Counts beyond the bytes that remain raise the archive exception.
    const std::vector<std::vector<BYTE>> damaged = {
        {0x02, 0, 0, 0, 0x41, 0x00},
        {0xFF, 0xFF, 0xFF, 0x7F, 0x41, 0x00},
        {0x01, 0, 0, 0, 0x41},
        {0x01, 0, 0},
    };
    for (const auto& d : damaged) {
        SCOPED_TRACE(d.size());
        CMemFile f(d.data(), d.size());
        CArchive ar(&f, CArchive::load);
        CWString s;
        EXPECT_THROW(s.Serialize(ar), CArchiveException);
    }
}

TEST(WString, AsciiNameTable)
{
    struct Case { const char* before; const char16_t* text; const char* after; };
    const Case cases[] = {
        {"", u"Caf\u00E9", "Cafe"},
        {"", u"\u03A9mega", "937mega"},
        {"", u"a\u03A9", "a-937"},
        {"x", u"\u03A9", "x-937"},
        {"", u"\u03A9\u03A9", "937-937"},
        {"", u"\u00DF", "ss"},
        {"", u"\u00C6", "A"},
        {"", u"\u00E6", "ae"},
        {"", u"\u00D7", "x"},
        {"", u"\u00F7", "-"},
        {"", u"\u00A7", ""},
        {"", u"\u0080\u00BF", ""},
        {"", u"\u007F", "\x7F"},
        {"", u"\u00C0\u00C7\u00D0\u00D1\u00D8\u00DD\u00DE\u00FF", "ACdNOYby"},
        {"", u"\u0100\u0101\u0106\u010E\u010F\u0110\u0111\u012C\u012D\u0141\u0142\u0178", "AaCDdDdIiLlY"},
        {"", u"\u0132\u0133\u0138\u0149\u0152\u0153\u017F", "IJijknOEoef"},
        {"", u"\u015A\u0161\u0164\u016F\u0174\u0177\u017D\u017E", "SsTuWyZz"},
        {"", u"\u0180", "384"},
        {"", u"\U0001F600", "55357-56832"},
        {"keep", nullptr, "keep"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.after);
        CWString s;
        s.SetText(c.text);
        CString out(c.before);
        s.ToAsciiName(out);
        EXPECT_EQ(out, CString(c.after));
    }
}

TEST(WString, EmptyFormsAndNullArguments)
{
    CWString s;
    EXPECT_TRUE(s.IsNull());
    EXPECT_EQ(s.GetLength(), 0);
    EXPECT_EQ(s.Find(u'a'), -1);

    s.SetText(u"abc");
    s.SetText(nullptr);
    EXPECT_EQ(Units(s), u"abc");
    s = static_cast<const char*>(nullptr);
    EXPECT_EQ(Units(s), u"abc");
    s.AppendText(nullptr);
    EXPECT_EQ(Units(s), u"abc");
    CWString none;
    s.Append(none);
    EXPECT_EQ(Units(s), u"abc");
    s.Copy(none);
    EXPECT_EQ(Units(s), u"abc");
    s.Copy(s);
    EXPECT_EQ(Units(s), u"abc");

    s.SetText(u"");
    EXPECT_FALSE(s.IsNull());
    EXPECT_EQ(s.GetLength(), 0);

    CWString grown;
    grown.AppendChar(u'Z');
    EXPECT_EQ(Units(grown), u"Z");
    grown.AppendChar(u'\u00E9');
    grown.Append(grown);
    EXPECT_EQ(Units(grown), u"Z\u00E9Z\u00E9");

    // Value copies keep the form of the source.
    CWString copy(none);
    EXPECT_TRUE(copy.IsNull());
    CWString target = Wide(u"x");
    target = none;
    EXPECT_TRUE(target.IsNull());
    target.Copy(Wide(u"new"));
    EXPECT_EQ(Units(target), u"new");
}

TEST(WString, FindTable)
{
    struct Case { const char16_t* text; char16_t ch; int index; };
    const Case cases[] = {
        {nullptr, u'a', -1}, {u"", u'a', -1}, {u"abc", u'a', 0},
        {u"abca", u'a', 0}, {u"abc", u'c', 2}, {u"abc", u'x', -1}, {u"x\u03A9y", u'\u03A9', 1},
    };
    for (const Case& c : cases) {
        CWString s;
        s.SetText(c.text);
        EXPECT_EQ(s.Find(c.ch), c.index) << int(c.ch);
    }
}

TEST(WString, EightBitConversionsIn)
{
    struct Case { const char* text; std::u16string utf8; std::u16string ansi; };
    const Case cases[] = {
        {"", u"", u""},
        {"plain", u"plain", u"plain"},
        {"Caf\xC3\xA9 \xE2\x82\xAC", u"Caf\u00E9 \u20AC", u"Caf\u00E9 \u20AC"},
        {"\xF0\x9F\x98\x80", u"\U0001F600", u"\U0001F600"},
        // Not UTF-8: the converter's replacement character, or Windows-1252 for 8-bit text.
        {"\xE9t\xE9 \x80", u"\uFFFDt\uFFFD \uFFFD", u"\u00E9t\u00E9 \u20AC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CWString a;
        EXPECT_EQ(a.FromUtf8(c.text), int(c.utf8.size()));
        EXPECT_FALSE(a.IsNull());
        EXPECT_EQ(Units(a), c.utf8);
        CWString b;
        EXPECT_EQ(b.FromAnsi(c.text), int(c.ansi.size()));
        EXPECT_EQ(Units(b), c.ansi);
        CWString d;
        d = c.text;
        EXPECT_EQ(Units(d), c.ansi);
    }
}

TEST(WString, EightBitConversionsOut)
{
    struct Case { std::u16string text; const char* utf8; const char* ansi; };
    const Case cases[] = {
        {u"", "", ""},
        {u"abc", "abc", "abc"},
        {u"\u00E9\u20AC", "\xC3\xA9\xE2\x82\xAC", "\xC3\xA9\xE2\x82\xAC"},
        {u"\U0001F600", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
        // A lone surrogate has no 8-bit form.
        {std::u16string(1, char16_t(0xD800)) + u"x", "\xEF\xBF\xBDx", "?x"},
        {u"x" + std::u16string(1, char16_t(0xDC00)), "x\xEF\xBF\xBD", "x?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        CWString s;
        s.SetText(c.text.c_str());
        CString out("previous");
        s.ToUtf8(out);
        EXPECT_EQ(out, CString(c.utf8));
        out = "previous";
        s.ToAnsi(out);
        EXPECT_EQ(out, CString(c.ansi));
    }
    CWString none;
    CString out("kept");
    none.ToUtf8(out);
    EXPECT_EQ(out, CString("kept"));
    none.ToAnsi(out);
    EXPECT_EQ(out, CString("kept"));
}
