#include "document/SafeSave.h"

#include "framework/core/CArchive.h"
#include "framework/core/Paths.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

#include <ctime>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

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

} // namespace
