#include "framework/core/CFile.h"

#include <gtest/gtest.h>
#include <QtCore/QTemporaryDir>

TEST(CFile, OpenFailureFillsException)
{
    QTemporaryDir dir;
    CString missing = CString::FromQString(dir.filePath("nope/x.bin"));
    CFile f;
    CFileException e;
    EXPECT_FALSE(f.Open(missing, CFile::modeRead, &e));
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    EXPECT_NE(e.GetErrorMessage().Find("x.bin"), -1);
    EXPECT_THROW(CFile(missing, CFile::modeRead), CFileException);
    // A folder is not a file.
    EXPECT_FALSE(f.Open(CString::FromQString(dir.path()), CFile::modeRead, &e));
}

TEST(CFile, WriteSeekRead)
{
    QTemporaryDir dir;
    CString path = CString::FromQString(dir.filePath("f.bin"));
    CFile f(path, CFile::modeCreate | CFile::modeReadWrite);
    f.Write("hello world", 11);
    EXPECT_EQ(f.GetLength(), 11u);
    f.Seek(6, CFile::begin);
    char buf[16] = {};
    EXPECT_EQ(f.Read(buf, 16), 5u);
    EXPECT_STREQ(buf, "world");
    f.SetLength(5);
    EXPECT_EQ(f.GetLength(), 5u);
    f.Close();
    std::vector<BYTE> all;
    ASSERT_TRUE(CFile::ReadAll(path, all));
    EXPECT_EQ(std::string(all.begin(), all.end()), "hello");
}

TEST(CMemFile, GrowsAndDetaches)
{
    CMemFile m(4);
    for (int i = 0; i < 1000; ++i)
        m.Write(&i, 1);
    EXPECT_EQ(m.GetLength(), 1000u);
    m.SeekToBegin();
    BYTE b[3];
    EXPECT_EQ(m.Read(b, 3), 3u);
    EXPECT_EQ(b[2], 2);
    auto bytes = m.Detach();
    EXPECT_EQ(bytes.size(), 1000u);
    EXPECT_EQ(m.GetLength(), 0u);
}

TEST(CMemFile, AttachedBlockIsCopiedOnWrite)
{
    const BYTE src[4] = {1, 2, 3, 4};
    CMemFile m(src, 4);
    m.Seek(2, CFile::begin);
    BYTE nine = 9;
    m.Write(&nine, 1);
    EXPECT_EQ(src[2], 3);
    EXPECT_EQ(m.Bytes(), (std::vector<BYTE>{1, 2, 9, 4}));
}
