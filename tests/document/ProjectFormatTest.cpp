#include "document/ProjectFormat.h"

#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<BYTE> Store(const std::function<void(CArchive&)>& write)
{
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store);
        write(ar);
        ar.Close();
    }
    return f.Bytes();
}

template <typename T> T Load(const std::vector<BYTE>& bytes, const std::function<T(CArchive&)>& read)
{
    CMemFile f(bytes.data(), bytes.size());
    CArchive ar(&f, CArchive::load);
    return read(ar);
}

TEST(ProjectFormat, VersionTextIsReadFromItsDigits)
{
    struct Case {
        const char* text;
        int version;
    } cases[] = {
        {" 9.2", 92}, {" 8.4", 84}, {"9.2", 92}, {" 8.3", 83}, {" 9.3", 93}, {"10.0", 100},
        {" 8.6 ", 86}, {" 8.79", 87}, {" 7", 70}, {" 0.1", 1}, {" 8.", 80},
        {"", -1}, {"   ", -1}, {" x.2", -1}, {" 9,2", -1}, {"-9.2", -1}, {" 9.2a", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(project::ParseVersionText(c.text), c.version) << '"' << c.text << '"';
}

TEST(ProjectFormat, HeaderIsTwentyBytesWithTerminatingNul)
{
    std::vector<BYTE> bytes = Store([](CArchive& ar) { project::WriteHeader(ar); });
    const char expected[] = "VARNELO@WEBPROJ 9.2";
    ASSERT_EQ(bytes.size(), 20u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 19), expected);
    EXPECT_EQ(bytes[19], 0);
    CString text;
    int v = Load<int>(bytes, [&](CArchive& ar) { return project::ReadHeader(ar, &text); });
    EXPECT_EQ(v, 92);
    EXPECT_EQ(text, " 9.2");
}

TEST(ProjectFormat, HeaderRejectsWrongMagicAndShortInput)
{
    std::vector<BYTE> bytes = Store([](CArchive& ar) { project::WriteHeader(ar); });
    std::vector<BYTE> wrong = bytes;
    wrong[3] = 'x';
    EXPECT_THROW(Load<int>(wrong, [](CArchive& ar) { return project::ReadHeader(ar, nullptr); }), CArchiveException);
    for (std::size_t n = 0; n < bytes.size(); n += 3) {
        std::vector<BYTE> cut(bytes.begin(), bytes.begin() + n);
        EXPECT_THROW(Load<int>(cut, [](CArchive& ar) { return project::ReadHeader(ar, nullptr); }), CArchiveException) << n;
    }
    std::vector<BYTE> garbage = bytes;
    garbage[16] = 'Z';
    EXPECT_THROW(Load<int>(garbage, [](CArchive& ar) { return project::ReadHeader(ar, nullptr); }), CArchiveException);
}

TEST(ProjectFormat, NewerVersionMessage)
{
    EXPECT_EQ(project::NewerVersionMessage(" 9.3"), "The file was created in newer version:  9.3");
}

TEST(ProjectFormat, PasswordScramblingLayout)
{
    struct Case {
        CString password;
        std::vector<std::int32_t> values;
    } cases[] = {
        {"", {0}},
        {"a", {1, 0x61 + 0x5C1}},
        {"ab", {2, 0x61 + 0x5C1, 0x62 + 0x5C1 + 0x6B}},
        {CString("\xE9", 1), {1, -23 + 0x5C1}},
        {CString("x\xFFz", 3), {3, 0x78 + 0x5C1, -1 + 0x5C1 + 0x6B, 0x7A + 0x5C1 + 2 * 0x6B}},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> bytes = Store([&](CArchive& ar) { project::WritePassword(ar, c.password); });
        ASSERT_EQ(bytes.size(), 4 * c.values.size());
        for (std::size_t i = 0; i < c.values.size(); ++i) {
            std::int32_t v;
            std::memcpy(&v, bytes.data() + 4 * i, 4);
            EXPECT_EQ(v, c.values[i]) << i;
        }
        CString back = Load<CString>(bytes, [](CArchive& ar) { return project::ReadPassword(ar); });
        EXPECT_EQ(back, c.password);
    }
}

TEST(ProjectFormat, PasswordCountsAreBounded)
{
    // a non-positive count is an empty password; a count beyond the bytes is refused
    for (std::int32_t n : {0, -1, -100000}) {
        std::vector<BYTE> bytes = Store([&](CArchive& ar) { ar << n; });
        EXPECT_EQ(Load<CString>(bytes, [](CArchive& ar) { return project::ReadPassword(ar); }), "");
    }
    std::vector<BYTE> huge = Store([](CArchive& ar) { ar << std::int32_t(0x7FFFFFFF) << std::int32_t(1); });
    EXPECT_THROW(Load<CString>(huge, [](CArchive& ar) { return project::ReadPassword(ar); }), CArchiveException);
    // hostile values do not overflow
    std::vector<BYTE> odd = Store([](CArchive& ar) { ar << std::int32_t(2) << std::int32_t(INT32_MIN) << std::int32_t(INT32_MAX); });
    EXPECT_EQ(Load<CString>(odd, [](CArchive& ar) { return project::ReadPassword(ar); }).GetLength(), 2);
}

} // namespace
