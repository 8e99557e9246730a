#include "document/SafeSave.h"

#include "framework/core/CArchive.h"
#include "framework/core/Paths.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

#include "document/KJDoc.h"
#include "DocTestSupport.h"

#include <csignal>
#include <ctime>
#include <random>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

QByteArray BigBlock() { return QByteArray(64 * 1024, 'p'); }

void WriteAll(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

class SafeSave : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_oldData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", m_dir.filePath("data").toUtf8());
    }
    void TearDown() override
    {
        if (m_oldData.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", m_oldData);
    }
    QStringList Entries(const QString& folder) const
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QTemporaryDir m_dir;
    QByteArray m_oldData;
};

TEST_F(SafeSave, WritesThroughATemporaryFileAndRenames)
{
    QString target = m_dir.filePath("site.kjproj");
    WriteAll(target, "old");
    project::SaveFileSafely(CString::FromQString(target), [](CFile& f) { f.Write("new bytes", 9); });
    EXPECT_EQ(ReadAll(target), "new bytes");
    EXPECT_EQ(Entries(m_dir.path()), QStringList{"site.kjproj"});
}

TEST_F(SafeSave, FailedWriterLeavesTheOldFileAndNoLeftovers)
{
    QString target = m_dir.filePath("site.kjproj");
    WriteAll(target, "precious");
    struct Failure {
        const char* what;
        std::function<void(CFile&)> writer;
    } failures[] = {
        {"archive error midway", [](CFile& f) { f.Write("partial", 7); AfxThrowArchiveException(CArchiveException::genericException); }},
        {"file error at once", [](CFile&) { AfxThrowFileException(CFileException::diskFull); }},
    };
    for (const Failure& f : failures) {
        EXPECT_ANY_THROW(project::SaveFileSafely(CString::FromQString(target), f.writer)) << f.what;
        EXPECT_EQ(ReadAll(target), "precious") << f.what;
        EXPECT_EQ(Entries(m_dir.path()), QStringList{"site.kjproj"}) << f.what;
    }
    // a new file that fails is never created
    QString fresh = m_dir.filePath("fresh.kjproj");
    EXPECT_ANY_THROW(project::SaveFileSafely(CString::FromQString(fresh), failures[0].writer));
    EXPECT_FALSE(QFileInfo::exists(fresh));
}

TEST_F(SafeSave, MissingFolderReportsAFileError)
{
    QString target = m_dir.filePath("no/such/folder/site.kjproj");
    EXPECT_THROW(project::SaveFileSafely(CString::FromQString(target), [](CFile& f) { f.Write("x", 1); }), CFileException);
}

TEST_F(SafeSave, BackupCopyGoesToTheBackupFolderWithNameAndTime)
{
    QString source = m_dir.filePath("My Site.kjproj");
    WriteAll(source, "version one");
    CString folder = project::BackupFolder();
    EXPECT_TRUE(folder.ToQString().startsWith(m_dir.filePath("data"))) << folder.GetString();
    EXPECT_TRUE(folder.ToQString().endsWith("/TesselBackups/"));
    long long before = std::time(nullptr);
    CString copy = project::MakeBackupCopy(CString::FromQString(source));
    long long after = std::time(nullptr);
    ASSERT_FALSE(copy.IsEmpty());
    QString name = QFileInfo(copy.ToQString()).fileName();
    ASSERT_TRUE(name.startsWith("My Site-") && name.endsWith(".kjproj")) << name.toStdString();
    long long stamp = name.mid(8, name.size() - 8 - 7).toLongLong();
    EXPECT_GE(stamp, before);
    EXPECT_LE(stamp, after);
    EXPECT_EQ(QFileInfo(copy.ToQString()).absolutePath() + "/", folder.ToQString());
    EXPECT_EQ(ReadAll(copy.ToQString()), "version one");
    // an existing copy of the same second is never overwritten
    WriteAll(copy.ToQString(), "older copy");
    WriteAll(source, "version two");
    CString second = project::MakeBackupCopy(CString::FromQString(source));
    EXPECT_EQ(ReadAll(copy.ToQString()), "older copy");
    if (!second.IsEmpty()) {
        EXPECT_NE(second, copy);
        EXPECT_EQ(ReadAll(second.ToQString()), "version two");
    }
    // no file, no copy
    EXPECT_TRUE(project::MakeBackupCopy(CString::FromQString(m_dir.filePath("none.kjproj"))).IsEmpty());
    EXPECT_TRUE(project::MakeBackupCopy("").IsEmpty());
}

TEST_F(SafeSave, BackupNameKeepsEveryDotOfTheProjectName)
{
    // Only the extension goes: "a.v2.kjproj" is backed up as "a.v2-<time>.kjproj".
    struct Case {
        const char* file;
        const char* stem;
    } const cases[] = {
        {"plain.kjproj", "plain-"},
        {"a.v2.kjproj", "a.v2-"},
        {"site 1.0.3 final.kjproj", "site 1.0.3 final-"},
        {".hidden.kjproj", ".hidden-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString source = m_dir.filePath(c.file);
        WriteAll(source, c.file);
        const long long before = std::time(nullptr);
        const CString copy = project::MakeBackupCopy(CString::FromQString(source));
        const long long after = std::time(nullptr);
        ASSERT_FALSE(copy.IsEmpty());
        const QString name = QFileInfo(copy.ToQString()).fileName();
        const QString stem = QString::fromUtf8(c.stem);
        ASSERT_TRUE(name.startsWith(stem) && name.endsWith(".kjproj")) << name.toStdString();
        const QString stamp = name.mid(stem.size(), name.size() - stem.size() - 7);
        bool number = false;
        const long long time = stamp.toLongLong(&number);
        EXPECT_TRUE(number) << name.toStdString();
        EXPECT_GE(time, before);
        EXPECT_LE(time, after);
        EXPECT_EQ(ReadAll(copy.ToQString()), c.file);
    }
}

// A save killed at any moment (a child process saving in a loop, killed after a random
// time): the project is the old or the new version and loads; the next save leaves no
// temporary file behind.
TEST_F(SafeSave, KilledSavesLeaveOldOrNewAndTheNextSaveCleansUp)
{
    CKJDoc a;
    doctest::BuildRichProject(a);
    const std::vector<BYTE> oldBytes = doctest::SaveToBytes(a);
    a.m_strAnalytics = "<!-- the new version -->";
    const std::vector<BYTE> newBytes = doctest::SaveToBytes(a);
    ASSERT_NE(oldBytes, newBytes);
    const QString target = m_dir.filePath("site.kjproj");
    auto write = [](const std::vector<BYTE>& bytes) {
        return [&bytes](CFile& f) {
            // in pieces, so that a kill can land between them
            for (std::size_t at = 0; at < bytes.size(); at += 4096)
                f.Write(bytes.data() + at, UINT(std::min<std::size_t>(4096, bytes.size() - at)));
        };
    };
    WriteAll(target, QByteArray(reinterpret_cast<const char*>(oldBytes.data()), int(oldBytes.size())));
    std::mt19937 rng(25);
    int leftovers = 0;
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                try {
                    project::SaveFileSafely(CString::FromQString(target), write(newBytes));
                    project::SaveFileSafely(CString::FromQString(target), write(oldBytes));
                } catch (...) {
                    _exit(3);
                }
            }
        }
        usleep(useconds_t(std::uniform_int_distribution<int>(0, 30000)(rng)));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child failed on its own";
        const QByteArray now = ReadAll(target);
        const std::vector<BYTE> nowBytes(now.begin(), now.end());
        ASSERT_TRUE(nowBytes == oldBytes || nowBytes == newBytes) << "a mixed or partial project, " << now.size() << " bytes";
        CKJDoc loaded;
        ASSERT_TRUE(doctest::OpenBytes(loaded, nowBytes));
        leftovers += Entries(m_dir.path()).size() - 1;
        if (round % 2 == 1) {
            // The next save in this process removes what the killed one left.
            project::SaveFileSafely(CString::FromQString(target), write(oldBytes));
            EXPECT_EQ(Entries(m_dir.path()), QStringList {"site.kjproj"});
        }
    }
    RecordProperty("leftovers_seen", leftovers);
}

// Leftovers are recognised by their exact form: other hidden files stay.
TEST_F(SafeSave, OnlyOurTemporaryNamesAreRemoved)
{
    const QString target = m_dir.filePath("site.kjproj");
    WriteAll(target, "old");
    for (const char* name : {".site.kjproj.Ab12Cd", ".site.kjproj.zzzzzz", ".site.kjproj.Ab12C", ".site.kjproj.Ab12Cd7",
                             ".other.kjproj.Ab12Cd", "site.kjproj.Ab12Cd", ".site.kjproj.Ab-2Cd"})
        WriteAll(m_dir.filePath(QString::fromLatin1(name)), "x");
    QFile::link(target, m_dir.filePath(".site.kjproj.LiNk01"));
    project::SaveFileSafely(CString::FromQString(target), [](CFile& f) { f.Write("new", 3); });
    EXPECT_EQ(ReadAll(target), "new");
    QStringList left = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    EXPECT_EQ(left, (QStringList {".other.kjproj.Ab12Cd", ".site.kjproj.Ab-2Cd", ".site.kjproj.Ab12C", ".site.kjproj.Ab12Cd7",
                                  ".site.kjproj.LiNk01", "site.kjproj", "site.kjproj.Ab12Cd"}));
}

// Runs a save that runs out of room and checks what it leaves: the old file, no temporary
// file, and a message that names the project, not the temporary file.
void ExpectFullDiskSave(const QString& folder)
{
    const QString target = folder + "/site.kjproj";
    WriteAll(target, "the old project");
    const QByteArray big = BigBlock();
    bool thrown = false;
    try {
        project::SaveFileSafely(CString::FromQString(target), [&](CFile& f) {
            for (int i = 0; i < 64; ++i)
                f.Write(big.constData(), UINT(big.size()));
        });
    } catch (const CFileException& e) {
        thrown = true;
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
        EXPECT_EQ(e.GetErrorMessage(), CString::Formatted("There is not enough space on the disk for %s.", target.toUtf8().constData()));
        EXPECT_EQ(e.m_strFileName, CString::FromQString(target));
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(ReadAll(target), "the old project");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot), QStringList {"site.kjproj"});
}

// A real small filesystem (tmpfs of 256 kB), where this test may mount one.
TEST_F(SafeSave, FullSmallFilesystemKeepsTheOldFileAndNamesIt)
{
    const QString mountPoint = m_dir.filePath("small");
    ASSERT_TRUE(QDir().mkpath(mountPoint));
    if (mount("tmpfs", mountPoint.toUtf8().constData(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "no permission to mount a small filesystem here; the file size limit test covers this";
    ExpectFullDiskSave(mountPoint);
    umount(mountPoint.toUtf8().constData());
}

// The same with the kernel refusing writes beyond a file size limit (works without root).
TEST_F(SafeSave, WriteRefusedByTheSystemKeepsTheOldFileAndNamesIt)
{
    rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previous = signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 256 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    ExpectFullDiskSave(m_dir.path());
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, previous);
}

} // namespace
