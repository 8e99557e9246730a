#include "model/PublishContext.h"
#include "framework/core/Paths.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

namespace {

CString WriteFile(const QTemporaryDir& dir, const char* name, int bytes)
{
    const QString path = dir.filePath(QString::fromUtf8(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(bytes, 'x'));
    return CString::FromQString(path);
}

} // namespace

TEST(PublishContext, Construction)
{
    CPublishContext named("Preview");
    EXPECT_EQ(named.m_strOutputFolder, tessel::TempFolder() + "Preview");
    EXPECT_TRUE(named.m_strOutputRoot.IsEmpty());
    EXPECT_TRUE(named.m_strCurrentFolder.IsEmpty());
    EXPECT_EQ(named.m_nMode, 0);
    EXPECT_EQ(named.m_bUploadAll, 0);
    EXPECT_EQ(named.m_bWorkingFlag, 0);
    EXPECT_EQ(named.m_pWorkingFolder, nullptr);
    EXPECT_EQ(named.GetFileCount(), 0);

    CPublishContext unnamed;
    EXPECT_TRUE(unnamed.m_strOutputFolder.IsEmpty());
}

TEST(PublishContext, AddFileListsByUploadState)
{
    struct Case { int uploadAll; int stateBefore; bool listed; int stateAfter; };
    const Case cases[] = {
        {0, kUploadChanged, true, kUploadListed},
        {0, kUploadListed, true, kUploadListed},
        {0, kUploadDone, false, kUploadDone},
        {1, kUploadDone, true, kUploadDone},
        {1, kUploadChanged, true, kUploadListed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stateBefore * 10 + c.uploadAll);
        CPublishContext ctx;
        ctx.m_bUploadAll = c.uploadAll;
        int state = c.stateBefore;
        ctx.AddFile("/out/a.html", "a.html", kPublishFilePage, &state);
        EXPECT_EQ(ctx.GetFileCount(), c.listed ? 1 : 0);
        EXPECT_EQ(state, c.stateAfter);
    }
}

TEST(PublishContext, AddFileRecordsEntries)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CString page = WriteFile(dir, "index.html", 123);
    const CString picture = WriteFile(dir, "p\xC3\xA9.png", 7);

    CPublishContext ctx;
    int pageState = kUploadChanged, pictureState = kUploadChanged, folderState = kUploadChanged;
    ctx.AddFile(page, "index.html", kPublishFileTopIndex, &pageState);
    ctx.AddFile(picture, "pics\\sub\\p\xC3\xA9.png", kPublishFilePicture, &pictureState);
    ctx.AddFile(CString::FromQString(dir.path()), "pics", kPublishFileFolder, &folderState, 1);
    ctx.AddFile("/no/such/file.html", "gone.html", kPublishFilePage, nullptr);

    struct Expect { const char* remote; std::uint32_t size; int kind; int dir; int* state; };
    const Expect expect[] = {
        {"index.html", 123, kPublishFileTopIndex, 0, &pageState},
        {"pics/sub/p\xC3\xA9.png", 7, kPublishFilePicture, 0, &pictureState},
        {"pics", 0, kPublishFileFolder, 1, &folderState},
        {"gone.html", 0, kPublishFilePage, 0, nullptr},
    };
    ASSERT_EQ(ctx.GetFileCount(), 4);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const CPublishFile& f = ctx.GetFile(i);
        EXPECT_EQ(f.m_strRemoteName, CString(expect[i].remote));
        EXPECT_EQ(f.m_nSize, expect[i].size);
        EXPECT_EQ(f.m_nKind, expect[i].kind);
        EXPECT_EQ(f.m_bDirectory, expect[i].dir);
        EXPECT_EQ(f.m_pUploadState, expect[i].state);
    }
    EXPECT_EQ(ctx.GetFile(1).m_strLocalPath, picture);
}

TEST(PublishContext, SameLocalPathIsListedOnce)
{
    CPublishContext ctx;
    int first = kUploadChanged;
    ctx.AddFile("/out/a.html", "a.html", kPublishFilePage, &first);
    int second = kUploadChanged;
    ctx.AddFile("/out/a.html", "other.html", kPublishFilePicture, &second);
    EXPECT_EQ(ctx.GetFileCount(), 1);
    // the second writer of the file goes up with the first entry
    EXPECT_EQ(second, kUploadListed);
    ASSERT_EQ(ctx.GetFile(0).m_sharedStates.size(), 1u);
    EXPECT_EQ(ctx.GetFile(0).m_sharedStates[0], &second);
    EXPECT_EQ(ctx.GetFile(0).m_strRemoteName, CString("a.html"));
    // Paths differing only in case are different files.
    ctx.AddFile("/out/A.html", "A.html", kPublishFilePage, &second);
    EXPECT_EQ(ctx.GetFileCount(), 2);
}

TEST(PublishContext, FindFileTable)
{
    CPublishContext ctx;
    ctx.m_strOutputRoot = "/out/";
    ctx.AddFile("/out/docs/a.png", "docs/a.png", kPublishFilePicture, nullptr);
    ctx.AddFile("/elsewhere/b.png", "docs/b.png", kPublishFilePicture, nullptr);
    ctx.AddFile("/out/c.png", "c.png", kPublishFilePicture, nullptr);

    struct Case { const char* folder; const char* name; bool found; };
    const Case cases[] = {
        {"docs/", "a.png", true},     // by local path
        {"docs/", "b.png", true},     // by remote name
        {"docs\\", "b.png", true},    // backslashes of the folder become '/'
        {"", "c.png", true},
        {"docs/", "A.png", false},    // case-sensitive
        {"", "a.png", false},
        {"docs/", "c.png", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CString(c.folder) + c.name);
        ctx.m_strCurrentFolder = c.folder;
        EXPECT_EQ(ctx.FindFile(c.name), c.found);
    }
}
