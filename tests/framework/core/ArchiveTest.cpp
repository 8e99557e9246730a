#include "framework/core/CArchive.h"

#include <gtest/gtest.h>
#include <QtCore/QTemporaryDir>
#include <unistd.h>

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

CString LoadString(const std::vector<BYTE>& bytes)
{
    CMemFile f(bytes.data(), bytes.size());
    CArchive ar(&f, CArchive::load);
    CString s;
    ar >> s;
    EXPECT_EQ(ar.GetRemaining(), 0u);
    return s;
}

} // namespace

TEST(Archive, IntegersAreLittleEndian)
{
    auto bytes = Store([](CArchive& ar) {
        ar << BYTE(0xAB) << WORD(0x1234) << std::int32_t(-2) << std::uint32_t(0x01020304) << 1.5;
    });
    std::vector<BYTE> expect = {0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01,
                                0, 0, 0, 0, 0, 0, 0xF8, 0x3F};
    EXPECT_EQ(bytes, expect);

    CMemFile f(bytes.data(), bytes.size());
    CArchive ar(&f, CArchive::load);
    BYTE b; WORD w; std::int32_t i; std::uint32_t u; double d;
    ar >> b >> w >> i >> u >> d;
    EXPECT_EQ(b, 0xAB);
    EXPECT_EQ(w, 0x1234);
    EXPECT_EQ(i, -2);
    EXPECT_EQ(u, 0x01020304u);
    EXPECT_EQ(d, 1.5);
    EXPECT_THROW(ar >> b, CArchiveException);
}

// Counted strings: below 255 one length byte; below 0xFFFE 0xFF and a 16-bit length;
// otherwise 0xFF, 0xFFFF and a 32-bit length.
TEST(Archive, CountedStringLengthBoundaries)
{
    struct Case { int length; std::vector<BYTE> prefix; };
    const Case cases[] = {
        {0, {0x00}},
        {1, {0x01}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {256, {0xFF, 0x00, 0x01}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        std::string text(size_t(c.length), 'x');
        for (int i = 0; i < c.length; ++i)
            text[size_t(i)] = char('a' + i % 26);
        auto bytes = Store([&](CArchive& ar) { ar << CString(text); });
        ASSERT_EQ(bytes.size(), c.prefix.size() + size_t(c.length));
        EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), bytes.begin()));
        EXPECT_EQ(LoadString(bytes).str(), text);
    }
}

TEST(Archive, UnicodeMarkedStringIsRead)
{
    // 0xFF 0xFFFE marks UTF-16 text; then the length in the usual form.
    std::vector<BYTE> bytes = {0xFF, 0xFE, 0xFF, 0x02, 0xE9, 0x00, 0x41, 0x00};
    EXPECT_EQ(LoadString(bytes), CString("\xC3\xA9" "A"));
}

TEST(Archive, TruncatedStringThrowsBeforeAllocating)
{
    const std::vector<std::vector<BYTE>> damaged = {
        {},
        {0x05, 'a', 'b'},
        {0xFF, 0x10},
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, // 2 GB announced, nothing there
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, // 64-bit length form
    };
    for (const auto& d : damaged) {
        CMemFile f(d.data(), d.size());
        CArchive ar(&f, CArchive::load);
        CString s;
        EXPECT_THROW(ar >> s, CArchiveException);
    }
}

TEST(Archive, LargeRawBlocksAndFiles)
{
    QTemporaryDir dir;
    CString path = CString::FromQString(dir.filePath("a.bin"));
    std::vector<BYTE> block(300000);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = BYTE(i * 7);
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store, 4096);
        ar << std::int32_t(block.size());
        ar.Write(block.data(), block.size());
        ar << CString("end");
        ar.Close();
        f.Close();
    }
    CFile f(path, CFile::modeRead);
    CArchive ar(&f, CArchive::load, 4096);
    std::int32_t n;
    ar >> n;
    EXPECT_EQ(ar.GetRemaining(), block.size() + 4);
    std::vector<BYTE> back(static_cast<size_t>(n));
    ar.Read(back.data(), back.size());
    EXPECT_EQ(back, block);
    CString s;
    ar >> s;
    EXPECT_EQ(s, "end");
    EXPECT_THROW(ar.CheckCount(1), CArchiveException);
    EXPECT_THROW(ar.CheckCount(-1), CArchiveException);
}

TEST(Archive, WritingWhileLoadingIsRefused)
{
    std::vector<BYTE> none;
    CMemFile f(none.data(), 0);
    CArchive ar(&f, CArchive::load);
    EXPECT_THROW(ar << std::int32_t(1), CArchiveException);
}

namespace {

// A file on disk that counts what the archive asks of it.
class CountingFile : public CFile {
public:
    using CFile::CFile;
    UINT Read(void* buf, UINT count) override
    {
        ++reads;
        return CFile::Read(buf, count);
    }
    std::uint64_t GetLength() const override
    {
        ++lengths;
        return CFile::GetLength();
    }
    std::uint64_t GetPosition() const override
    {
        ++positions;
        return CFile::GetPosition();
    }
    int reads = 0;
    mutable int lengths = 0, positions = 0;
};

} // namespace

TEST(Archive, ReadingAFileAsksItsLengthOnceAndReadsInBlocks)
{
    QTemporaryDir dir;
    CString path = CString::FromQString(dir.filePath("strings.bin"));
    const int count = 20000;
    std::uint64_t total = 0;
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store);
        for (int i = 0; i < count; ++i)
            ar << CString::Formatted("field %d", i) << std::int32_t(i);
        ar.Close();
        total = f.GetLength();
    }
    CountingFile f(path, CFile::modeRead);
    CArchive ar(&f, CArchive::load, 4096);
    EXPECT_EQ(ar.GetRemaining(), total);
    for (int i = 0; i < count; ++i) {
        CString s;
        std::int32_t n = -1;
        ar >> s >> n; // every string bounds its length by what remains
        ASSERT_EQ(s, CString::Formatted("field %d", i));
        ASSERT_EQ(n, i);
    }
    EXPECT_EQ(ar.GetRemaining(), 0u);
    EXPECT_THROW(ar.CheckCount(1), CArchiveException);
    EXPECT_EQ(f.lengths, 1);
    EXPECT_EQ(f.positions, 1);
    // One read per buffer of 4096 bytes, and the one that finds the end.
    EXPECT_LE(f.reads, int(total / 4096) + 2);
}

TEST(Archive, RemainingStaysTrueAcrossBufferedAndDirectReads)
{
    QTemporaryDir dir;
    CString path = CString::FromQString(dir.filePath("mixed.bin"));
    std::vector<BYTE> block(10000, 0x5A);
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        f.Write("head", 4); // the archive starts after bytes someone else read
        CArchive ar(&f, CArchive::store, 1024);
        ar << std::int32_t(7);
        ar.Write(block.data(), block.size()); // larger than the buffer: straight to the file
        ar << CString("tail");
        ar.Close();
    }
    CFile f(path, CFile::modeRead);
    char head[4];
    ASSERT_EQ(f.Read(head, 4), 4u);
    CArchive ar(&f, CArchive::load, 1024);
    EXPECT_EQ(ar.GetRemaining(), 4u + 10000u + 5u);
    std::int32_t seven = 0;
    ar >> seven;
    EXPECT_EQ(seven, 7);
    EXPECT_EQ(ar.GetRemaining(), 10000u + 5u);
    std::vector<BYTE> back(block.size());
    ar.Read(back.data(), back.size());
    EXPECT_EQ(back, block);
    EXPECT_EQ(ar.GetRemaining(), 5u);
    // A string longer than what remains is refused before anything is read.
    EXPECT_THROW(ar.CheckCount(6), CArchiveException);
    CString tail;
    ar >> tail;
    EXPECT_EQ(tail, "tail");
    EXPECT_EQ(ar.GetRemaining(), 0u);
}

TEST(Archive, FileThatShrinksAfterItsLengthWasLearntStillThrows)
{
    // The length is learnt once; a file cut short afterwards still ends in endOfFile.
    QTemporaryDir dir;
    CString path = CString::FromQString(dir.filePath("short.bin"));
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store);
        ar << CString(std::string(300, 'x'));
        ar.Close();
    }
    CFile f(path, CFile::modeRead);
    CArchive ar(&f, CArchive::load, 1024);
    EXPECT_EQ(ar.GetRemaining(), 303u);
    ASSERT_EQ(::truncate(path.GetString(), 100), 0);
    CString s;
    try {
        ar >> s;
        FAIL() << "a string past the end was read";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
    }
    EXPECT_EQ(ar.GetRemaining(), 97u); // what the file still had, less the length read
}
