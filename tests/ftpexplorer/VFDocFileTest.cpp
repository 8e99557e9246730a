// The ".ftp" connection file: bytes, round trips, damaged files, permissions.
#include "ftpexplorer/VFDocData.h"
#include "support/FileRights.h"
#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <random>
#include <sys/stat.h>

namespace {

struct Settings {
    const char* host;
    const char* user;
    std::string password;
    int port;
    int passive;
    const char* remote;
    const char* local;
};

void Apply(CVFDocData& d, const Settings& s)
{
    d.m_strHost = s.host;
    d.m_strUser = s.user;
    d.m_strPassword = CString(s.password);
    d.m_nPort = s.port;
    d.m_bPassive = s.passive;
    d.m_strRemoteFolder = s.remote;
    d.m_strLocalFolder = s.local;
}

std::vector<BYTE> Store(CVFDocData& d)
{
    CMemFile mem;
    CArchive ar(&mem, CArchive::store);
    d.Serialize(ar);
    ar.Close();
    return mem.Bytes();
}

void Load(CVFDocData& d, const std::vector<BYTE>& bytes)
{
    CMemFile mem(bytes.data(), bytes.size());
    CArchive ar(&mem, CArchive::load);
    d.Serialize(ar);
}

void PutString(std::vector<BYTE>& out, const std::string& s)
{
    if (s.size() < 255) {
        out.push_back(BYTE(s.size()));
    } else {
        out.push_back(0xFF);
        out.push_back(BYTE(s.size()));
        out.push_back(BYTE(s.size() >> 8));
    }
    out.insert(out.end(), s.begin(), s.end());
}

void PutInt(std::vector<BYTE>& out, std::int32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(BYTE(std::uint32_t(v) >> (8 * i)));
}

class FtpFile : public ::testing::Test {
protected:
    void SetUp() override { m_cwd = QDir::currentPath(); }
    // Loading makes the local folder current; put it back.
    void TearDown() override { QDir::setCurrent(m_cwd); }
    QString m_cwd;
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(FtpFile, BytesOfTheFile)
{
    CVFDocData d;
    Apply(d, {"ftp.example.com", "webmaster", "pw1", 2121, 0, "/htdocs/", "/home/me/site/"});
    std::vector<BYTE> bytes = Store(d);
    // The password: its characters at even positions, each shifted by one fixed amount;
    // fillers at odd positions.
    std::vector<BYTE> expected;
    PutString(expected, "VFTP1");
    PutString(expected, "ftp.example.com");
    PutInt(expected, 0);
    size_t passwordAt = expected.size();
    ASSERT_GT(bytes.size(), passwordAt + 7);
    ASSERT_EQ(bytes[passwordAt], 6);
    std::string scrambled(bytes.begin() + std::ptrdiff_t(passwordAt) + 1, bytes.begin() + std::ptrdiff_t(passwordAt) + 7);
    const int shift = (BYTE(scrambled[0]) - BYTE('p')) & 0xFF;
    EXPECT_NE(shift, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ((BYTE(scrambled[size_t(2 * i)]) - BYTE("pw1"[i])) & 0xFF, shift) << i;
        EXPECT_NE(BYTE(scrambled[size_t(2 * i + 1)]), 0) << i;
    }
    PutString(expected, scrambled);
    PutInt(expected, 2121);
    PutString(expected, "/htdocs/");
    PutString(expected, "/home/me/site/");
    PutString(expected, "webmaster");
    EXPECT_EQ(bytes, expected);
    // Storing leaves the document's password plain.
    EXPECT_EQ(d.m_strPassword, "pw1");
}

TEST_F(FtpFile, RoundTrips)
{
    const Settings cases[] = {
        {"ftp.example.com", "user", "secret", 21, 1, "/public_html/", "/home/u/"},
        {"10.0.0.1", "", "", 65535, 0, "", ""},
        {"host", "name with space", std::string("\x01\xff\x80 \xd5 ", 6), 1, 1, "/", "/tmp/"},
        {"h", "caf\xc3\xa9", std::string(300, 'p'), 990, 1, "/very/long/", "/x/"},
    };
    for (const Settings& s : cases) {
        SCOPED_TRACE(s.host);
        CVFDocData out;
        Apply(out, s);
        CVFDocData in;
        Load(in, Store(out));
        EXPECT_EQ(in.m_strHost, s.host);
        EXPECT_EQ(in.m_strUser, s.user);
        EXPECT_EQ(in.m_strPassword.str(), s.password);
        EXPECT_EQ(in.m_nPort, s.port);
        EXPECT_EQ(in.m_bPassive, s.passive);
        EXPECT_EQ(in.m_strRemoteFolder, s.remote);
        EXPECT_EQ(in.m_strLocalFolder, s.local);
    }
}

TEST_F(FtpFile, TwoSavesDifferButReadTheSame)
{
    CVFDocData d;
    Apply(d, {"host", "user", "a longer password", 21, 1, "/", "/tmp/"});
    std::vector<BYTE> a = Store(d), b = Store(d);
    EXPECT_NE(a, b);
    CVFDocData ra, rb;
    Load(ra, a);
    Load(rb, b);
    EXPECT_EQ(ra.m_strPassword, "a longer password");
    EXPECT_EQ(rb.m_strPassword, "a longer password");
}

TEST_F(FtpFile, DamagedFilesAreRefusedAndChangeNothing)
{
    CVFDocData good;
    Apply(good, {"host", "user", "pw", 21, 1, "/r/", "/l/"});
    const std::vector<BYTE> bytes = Store(good);
    std::vector<std::pair<std::string, std::vector<BYTE>>> damaged;
    for (size_t n = 0; n < bytes.size(); ++n)
        damaged.emplace_back("cut at " + std::to_string(n), std::vector<BYTE>(bytes.begin(), bytes.begin() + std::ptrdiff_t(n)));
    auto withTail = bytes;
    withTail.push_back(0);
    damaged.emplace_back("trailing byte", withTail);
    auto make = [](const char* magic, const std::string& host, std::int32_t passive, const std::string& pw, std::int32_t port) {
        std::vector<BYTE> v;
        PutString(v, magic);
        PutString(v, host);
        PutInt(v, passive);
        PutString(v, pw);
        PutInt(v, port);
        PutString(v, "/r/");
        PutString(v, "/l/");
        PutString(v, "user");
        return v;
    };
    damaged.emplace_back("other magic", make("XFTP1", "host", 1, "ab", 21));
    damaged.emplace_back("passive 2", make("VFTP1", "host", 2, "ab", 21));
    damaged.emplace_back("port beyond 16 bits", make("VFTP1", "host", 1, "ab", 70000));
    damaged.emplace_back("negative port", make("VFTP1", "host", 1, "ab", -1));
    damaged.emplace_back("odd password", make("VFTP1", "host", 1, "abc", 21));
    damaged.emplace_back("line break in host", make("VFTP1", "host\r\nDELE x", 1, "ab", 21));
    std::vector<BYTE> huge;
    PutString(huge, "VFTP1");
    huge.push_back(0xFF);
    huge.push_back(0xFF);
    huge.push_back(0xFF);
    PutInt(huge, 0x7FFFFFF0);
    damaged.emplace_back("length beyond the file", huge);

    // The control case is accepted, so the refusals are about the damage.
    CVFDocData control;
    EXPECT_NO_THROW(Load(control, make("VFTP1", "host", 1, "ab", 21)));
    for (auto& [what, data] : damaged) {
        SCOPED_TRACE(what);
        CVFDocData d;
        Apply(d, {"before", "u0", "p0", 2100, 0, "/r0/", "/l0/"});
        EXPECT_THROW(Load(d, data), CArchiveException);
        EXPECT_EQ(d.m_strHost, "before");
        EXPECT_EQ(d.m_strPassword, "p0");
        EXPECT_EQ(d.m_nPort, 2100);
    }
}

TEST_F(FtpFile, SavedWithOwnerOnlyPermissionsAndReadBack)
{
    ASSERT_TRUE(m_dir.isValid());
    QString path = m_dir.filePath("site.ftp");
    {
        // An older file readable by everyone is replaced by a private one.
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0644), 0);
    }
    CVFDocData d;
    Apply(d, {"host", "user", "pw", 21, 1, "/r/", QDir::tempPath().toUtf8().constData()});
    d.SaveFtpFile(QFile::encodeName(path).constData());
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 1) << "a temporary file was left";

    CVFDocData r;
    r.LoadFtpFile(QFile::encodeName(path).constData());
    EXPECT_EQ(r.m_strPassword, "pw");
    EXPECT_EQ(r.m_strHost, "host");
    // Loading makes the local folder the current one.
    EXPECT_EQ(QDir::currentPath(), QDir(QDir::tempPath()).canonicalPath());
}

TEST_F(FtpFile, FailedSaveKeepsTheOldFile)
{
    ASSERT_TRUE(m_dir.isValid());
    QString folder = m_dir.filePath("locked");
    ASSERT_TRUE(QDir().mkdir(folder));
    QString path = folder + "/site.ftp";
    CVFDocData d;
    Apply(d, {"host", "user", "pw", 21, 1, "/r/", "/l/"});
    d.SaveFtpFile(QFile::encodeName(path).constData());
    QFile before(path);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    QByteArray old = before.readAll();
    before.close();
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0500), 0);
    {
        const testsupport::WithoutFileOverride bound; // root too obeys the folder's mode
        ASSERT_FALSE(testsupport::WithoutFileOverride::CanCreateIn(QFile::encodeName(folder).toStdString()));
        d.m_strHost = "changed";
        EXPECT_THROW(d.SaveFtpFile(QFile::encodeName(path).constData()), CFileException);
    }
    chmod(QFile::encodeName(folder).constData(), 0700);
    QFile after(path);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), old);
}

TEST_F(FtpFile, MissingFileThrows)
{
    CVFDocData d;
    EXPECT_THROW(d.LoadFtpFile(QFile::encodeName(m_dir.filePath("none.ftp")).constData()), CFileException);
}

TEST(VFDocData, EntryRename)
{
    CFileEntry e {"old.txt", "/pub/docs/old.txt", CFileEntry::file, 5, 0, ""};
    CVFDocData::SetEntryName(e, "new name.txt");
    EXPECT_EQ(e.m_strName, "new name.txt");
    EXPECT_EQ(e.m_strPath, "/pub/docs/new name.txt");
    CFileEntry bare {"a", "a", CFileEntry::file, 0, 0, ""};
    CVFDocData::SetEntryName(bare, "b");
    EXPECT_EQ(bare.m_strPath, "b");
}

TEST_F(FtpFile, SaveThatCannotReplaceTheTargetLeavesNoTemporaryFile)
{
    ASSERT_TRUE(m_dir.isValid());
    // A folder stands where the file should go: the final rename fails.
    QString path = m_dir.filePath("taken.ftp");
    ASSERT_TRUE(QDir().mkdir(path));
    CVFDocData d;
    Apply(d, {"host", "user", "pw", 21, 1, "/r/", "/l/"});
    EXPECT_THROW(d.SaveFtpFile(QFile::encodeName(path).constData()), CFileException);
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

TEST_F(FtpFile, FlippedBytesLoadWithinRangeOrAreRefused)
{
    CVFDocData good;
    Apply(good, {"ftp.example.com", "user", "password", 2121, 1, "/remote/", "/local/"});
    const std::vector<BYTE> bytes = Store(good);
    std::mt19937 rng(7);
    int refused = 0, loaded = 0;
    for (int round = 0; round < 5000; ++round) {
        std::vector<BYTE> v = bytes;
        for (int k = 0, n = 1 + int(rng() % 3); k < n; ++k)
            v[rng() % v.size()] = BYTE(rng());
        CVFDocData d;
        Apply(d, {"before", "u0", "p0", 2100, 0, "/r0/", "/l0/"});
        try {
            Load(d, v);
            ++loaded;
            EXPECT_TRUE(d.m_nPort >= 0 && d.m_nPort <= 65535);
            EXPECT_TRUE(d.m_bPassive == 0 || d.m_bPassive == 1);
            EXPECT_EQ(d.m_strHost.Find('\n'), -1);
        } catch (const CArchiveException&) {
            ++refused;
            EXPECT_EQ(d.m_strHost, "before");
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_GT(loaded, 0); // flips inside texts still give a connection file
}
