// The upload of a generated site against a real FTP server on 127.0.0.1: what is sent,
// in which blocks, which objects count as uploaded, and what failures leave behind.
#include "document/ExtensionSection.h"
#include "document/Generate.h"
#include "document/KJDoc.h"
#include "document/SiteEdits.h"
#include "document/Upload.h"
#include "framework/net/CFtpConnection.h"
#include "framework/net/CInternetException.h"
#include "framework/net/CInternetSession.h"
#include "model/OutputPaths.h"
#include "model/Page.h"
#include "model/PublishContext.h"
#include "model/SiteObject.h"
#include "framework/core/CFile.h"

#include "DocTestSupport.h"
#include "GenerateTestSupport.h"
#include "support/FtpServer.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

using testsupport::FtpServer;
using testsupport::FtpServerOptions;

namespace {

CFtpSettings SettingsFor(const FtpServer& server, const char* folder = "/public_html")
{
    CFtpSettings s;
    s.m_strServer = "127.0.0.1";
    s.m_strUser = FtpServer::kUser;
    s.m_strPassword = FtpServer::kPassword;
    s.m_strFolder = folder;
    s.m_nPort = server.Port();
    s.m_bPassive = 1;
    return s;
}

std::vector<CPublishFile*> QueueOf(const CPublishContext& context)
{
    std::vector<CPublishFile*> queue;
    for (const auto& f : context.GetFiles())
        queue.push_back(f.get());
    return queue;
}

// Drives a transfer as the dialog's timer does; the number of steps taken.
int RunTransfer(CFileUploader& up, CFileUploader::Status& status)
{
    status = up.Begin();
    int steps = 0;
    while (status == CFileUploader::Running && steps < 1000000) {
        status = up.Step();
        ++steps;
    }
    return steps;
}

struct UploadRun {
    QTemporaryDir folder;
    CPublishContext context;
    CFileUploader::Status status = CFileUploader::Failed;
};

// Generate and send, as Website/Upload does once the login worked.
void Upload(CKJDoc& doc, const FtpServer& server, bool all, UploadRun& run, const char* remote = "/public_html")
{
    ASSERT_TRUE(GenerateForUpload(doc, run.context, all, run.folder));
    const CFtpSettings settings = SettingsFor(server, remote);
    std::unique_ptr<CFtpConnection> connection = ConnectFtp(GetDesignerInternetSession(), settings);
    ASSERT_TRUE(connection);
    std::vector<CPublishFile*> queue = QueueOf(run.context);
    if (SendsPhpIndex(queue))
        KeepServerIndexPage(*connection, settings.m_strFolder);
    CFileUploader up(queue, connection, settings.m_strFolder);
    RunTransfer(up, run.status);
}

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Every listed file whose object counts as uploaded is on the server byte for byte.
void ExpectUploadedOnServer(const CPublishContext& context, const QString& serverFolder)
{
    for (const auto& f : context.GetFiles()) {
        if (!f->m_pUploadState || *f->m_pUploadState != kUploadDone)
            continue;
        const QString remote = serverFolder + QLatin1Char('/') + f->m_strRemoteName.ToQString();
        if (f->m_bDirectory)
            EXPECT_TRUE(QFileInfo(remote).isDir()) << f->m_strRemoteName.GetString();
        else
            EXPECT_EQ(Bytes(remote), Bytes(f->m_strLocalPath.ToQString())) << f->m_strRemoteName.GetString();
    }
}

void BuildSite(CKJDoc& doc)
{
    gentest::BuildSampleSite(doc, false);
    gentest::GivePicturesToImages(doc);
    doc.SetTitle("Sample");
}

// Files and folders of the generated site (relative paths).
QStringList SiteFiles(const CPublishContext& context) { return gentest::FilesUnder(context.m_strOutputFolder.ToQString()); }

} // namespace

TEST(Upload, WholeSiteArrivesByteForByteAndCountsAsUploaded)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    QDir(server.Root()).mkpath(QStringLiteral("public_html"));
    CKJDoc doc;
    BuildSite(doc);
    doctest::MessageRecorder messages;
    UploadRun run;
    Upload(doc, server, false, run);
    ASSERT_EQ(run.status, CFileUploader::Finished);
    EXPECT_TRUE(messages.texts.empty());
    ASSERT_GT(run.context.GetFileCount(), 5);
    for (const auto& f : run.context.GetFiles())
        EXPECT_EQ(*f->m_pUploadState, kUploadDone) << f->m_strRemoteName.GetString();
    // The server holds exactly the generated site ("/public_html" taken as "/public_html/").
    const QString remote = server.LocalPath(QStringLiteral("public_html"));
    EXPECT_EQ(gentest::FilesUnder(remote), SiteFiles(run.context));
    for (const QString& rel : SiteFiles(run.context)) {
        const QString local = run.context.m_strOutputFolder.ToQString() + QLatin1Char('/') + rel;
        if (QFileInfo(local).isFile()) {
            EXPECT_EQ(Bytes(remote + QLatin1Char('/') + rel), Bytes(local)) << rel.toStdString();
        }
    }
}

TEST(Upload, AMissingRemoteFolderIsMadeOrNamed)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    QDir(server.Root()).mkpath(QStringLiteral("public_html"));
    QFile blocker(server.LocalPath(QStringLiteral("public_html/taken")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("a file, not a folder");
    blocker.close();

    struct Case { const char* remote; const char* serverFolder; bool made; };
    const Case cases[] = {
        {"/public_html/new/site/", "public_html/new/site", true}, // two levels missing
        {"shop", "shop", true},                                   // relative to the login folder
        {"/public_html/taken/site", nullptr, false},              // a file stands in the way
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.remote);
        CKJDoc doc;
        BuildSite(doc);
        doctest::MessageRecorder messages;
        UploadRun run;
        Upload(doc, server, false, run, c.remote);
        if (c.made) {
            ASSERT_EQ(run.status, CFileUploader::Finished);
            EXPECT_TRUE(messages.texts.empty());
            const QString remote = server.LocalPath(QString::fromUtf8(c.serverFolder));
            EXPECT_EQ(gentest::FilesUnder(remote), SiteFiles(run.context));
            ExpectUploadedOnServer(run.context, remote);
        } else {
            EXPECT_EQ(run.status, CFileUploader::Failed);
            ASSERT_EQ(messages.texts.size(), 1u);
            EXPECT_EQ(messages.texts[0], CString("The folder /public_html/taken/site/ does not exist on the server and could not be created."));
            for (const auto& f : run.context.GetFiles())
                EXPECT_NE(*f->m_pUploadState, kUploadDone) << f->m_strRemoteName.GetString();
        }
    }
}

// Generate, send and remove what the site no longer makes, as Website/Upload does.
void UploadRemovingStale(CKJDoc& doc, const FtpServer& server, UploadRun& run, const char* remote = "/public_html",
                         bool all = false)
{
    ASSERT_TRUE(GenerateForUpload(doc, run.context, all, run.folder));
    const CFtpSettings settings = SettingsFor(server, remote);
    std::unique_ptr<CFtpConnection> connection = ConnectFtp(GetDesignerInternetSession(), settings);
    ASSERT_TRUE(connection);
    CFileUploader up(QueueOf(run.context), connection, settings.m_strFolder);
    up.RemoveStaleFiles(&doc.m_published, run.context, settings);
    RunTransfer(up, run.status);
}

TEST(Upload, WhatTheSiteNoLongerMakesIsRemovedFromTheServer)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    QDir(server.Root()).mkpath(QStringLiteral("public_html"));
    const QString remote = server.LocalPath(QStringLiteral("public_html"));
    // a file of the user's own, never uploaded by us
    QFile own(remote + QStringLiteral("/notes.txt"));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("mine");
    own.close();

    CKJDoc doc;
    BuildSite(doc);
    {
        UploadRun run;
        UploadRemovingStale(doc, server, run);
        ASSERT_EQ(run.status, CFileUploader::Finished);
        EXPECT_EQ(doc.m_published.m_names.size(), run.context.m_generatedNames.size());
        EXPECT_EQ(doc.m_published.m_place.m_strHost, CString("127.0.0.1"));
        EXPECT_EQ(doc.m_published.m_place.m_strUser, CString(FtpServer::kUser));
        EXPECT_EQ(doc.m_published.m_place.m_nPort, server.Port());
        EXPECT_EQ(doc.m_published.m_place.m_strFolder, CString("/public_html/"));
    }
    ASSERT_GE(doc.m_pages.size(), 3u);
    // one page deleted, one renamed: both old files would stay behind
    CPage* gone = doc.m_pages[1].get();
    CPage* renamed = doc.m_pages[2].get();
    const CString goneName = SafeFolderPath(gone->GetFolder()) + SafeObjectFileName(*gone);
    const CString oldName = SafeFolderPath(renamed->GetFolder()) + SafeObjectFileName(*renamed);
    ASSERT_TRUE(QFileInfo::exists(remote + "/" + goneName.ToQString()));
    ASSERT_TRUE(QFileInfo::exists(remote + "/" + oldName.ToQString()));
    RenameSitePage(doc, *renamed, "renamed", renamed->GetFolder(), renamed->m_strExtension == ".php");
    renamed->m_nUploadState = kUploadChanged;
    ASSERT_TRUE(DetachSitePage(doc, gone));
    {
        doctest::MessageRecorder messages;
        UploadRun run;
        UploadRemovingStale(doc, server, run);
        ASSERT_EQ(run.status, CFileUploader::Finished);
        EXPECT_TRUE(messages.texts.empty());
        EXPECT_FALSE(QFileInfo::exists(remote + "/" + goneName.ToQString())) << goneName.GetString();
        EXPECT_FALSE(QFileInfo::exists(remote + "/" + oldName.ToQString())) << oldName.GetString();
        const CString newName = SafeFolderPath(renamed->GetFolder()) + SafeObjectFileName(*renamed);
        EXPECT_TRUE(QFileInfo::exists(remote + "/" + newName.ToQString())) << newName.GetString();
        EXPECT_TRUE(QFileInfo::exists(remote + QStringLiteral("/notes.txt"))) << "the user's own file stays";
        // the server now holds exactly the site, beside the user's file
        QStringList expected = SiteFiles(run.context);
        expected << QStringLiteral("notes.txt");
        expected.sort();
        QStringList held = gentest::FilesUnder(remote);
        held.sort();
        EXPECT_EQ(held, expected);
    }
    // the list is kept with the project
    const std::vector<BYTE> saved = doctest::SaveToBytes(doc);
    CKJDoc again;
    doctest::LoadFromBytes(again, saved);
    EXPECT_EQ(again.m_published, doc.m_published);
}

// The names of the list were left in one folder: in another folder (or on another server)
// the same names may be the user's own files, so an upload there removes none of them.
TEST(Upload, AListKeptForAnotherPlaceOrNoKnownPlaceRemovesNothing)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    QDir(server.Root()).mkpath(QStringLiteral("public_html"));
    QDir(server.Root()).mkpath(QStringLiteral("other"));
    const QString folderA = server.LocalPath(QStringLiteral("public_html"));
    const QString folderB = server.LocalPath(QStringLiteral("other"));
    auto writeOwn = [](const QString& path) {
        QDir().mkpath(QFileInfo(path).path());
        QFile own(path);
        ASSERT_TRUE(own.open(QIODevice::WriteOnly));
        own.write("the user's own");
    };

    CKJDoc doc;
    BuildSite(doc);
    {
        UploadRun run;
        UploadRemovingStale(doc, server, run, "/public_html");
        ASSERT_EQ(run.status, CFileUploader::Finished);
    }
    ASSERT_GE(doc.m_pages.size(), 3u);
    CPage* gone = doc.m_pages[1].get();
    const CString goneName = SafeFolderPath(gone->GetFolder()) + SafeObjectFileName(*gone);
    ASSERT_TRUE(QFileInfo::exists(folderA + "/" + goneName.ToQString()));
    ASSERT_TRUE(DetachSitePage(doc, gone));
    // folder B holds a file of the user's under the deleted page's name
    writeOwn(folderB + "/" + goneName.ToQString());
    {
        doctest::MessageRecorder messages;
        UploadRun run;
        UploadRemovingStale(doc, server, run, "/other/", true);
        ASSERT_EQ(run.status, CFileUploader::Finished);
        EXPECT_TRUE(messages.texts.empty());
        EXPECT_EQ(Bytes(folderB + "/" + goneName.ToQString()), QByteArray("the user's own"));
        // folder A is not this upload's business either
        EXPECT_TRUE(QFileInfo::exists(folderA + "/" + goneName.ToQString()));
        // the new list is B's, and holds what went there
        EXPECT_EQ(doc.m_published.m_place.m_strFolder, CString("/other/"));
        std::vector<CString> sent;
        for (const auto& f : run.context.GetFiles())
            sent.push_back(f->m_strRemoteName);
        EXPECT_EQ(doc.m_published.m_names, sent);
    }

    // A list read from a file kept before places were: nobody knows where its names went.
    doc.m_published.m_names.push_back(goneName);
    doc.m_published.m_place = CPublishPlace();
    std::vector<BYTE> saved = doctest::SaveToBytes(doc);
    {
        // the tail a list without a place ends before: host, user, port and folder
        CMemFile tail;
        CArchive ar(&tail, CArchive::store);
        CPublishPlace none;
        archive_io::Io(ar, none.m_strHost);
        archive_io::Io(ar, none.m_strUser);
        archive_io::Io(ar, none.m_nPort);
        archive_io::Io(ar, none.m_strFolder);
        ar.Close();
        // the section as such a file has it: the older marker, no length or checksum
        const auto marker = std::search(saved.begin(), saved.end(), std::begin(project::kExtraMarkerV2),
                                        std::end(project::kExtraMarkerV2));
        ASSERT_NE(marker, saved.end());
        const std::size_t at = std::size_t(marker - saved.begin());
        std::vector<BYTE> old(saved.begin(), saved.begin() + std::ptrdiff_t(at));
        old.insert(old.end(), std::begin(project::kExtraMarkerV1), std::end(project::kExtraMarkerV1));
        ASSERT_GT(saved.size(), at + 16 + tail.Bytes().size());
        old.insert(old.end(), saved.begin() + std::ptrdiff_t(at + 16), saved.end() - std::ptrdiff_t(tail.Bytes().size()));
        saved = old;
    }
    CKJDoc old;
    doctest::LoadFromBytes(old, saved);
    EXPECT_EQ(old.m_published.m_names, doc.m_published.m_names);
    EXPECT_FALSE(old.m_published.m_place.IsKnown());
    {
        UploadRun run;
        UploadRemovingStale(old, server, run, "/other/");
        ASSERT_EQ(run.status, CFileUploader::Finished);
        EXPECT_EQ(Bytes(folderB + "/" + goneName.ToQString()), QByteArray("the user's own"));
        EXPECT_EQ(old.m_published.m_place.m_strFolder, CString("/other/"));
        EXPECT_TRUE(old.m_published.m_place.IsKnown());
    }
}

TEST(Upload, OnlyChangedPagesGoAgainAndUploadAllSendsEverything)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    QDir(server.Root()).mkpath(QStringLiteral("public_html"));
    CKJDoc doc;
    BuildSite(doc);
    doctest::MessageRecorder messages;
    int total = 0;
    {
        UploadRun run;
        Upload(doc, server, false, run);
        ASSERT_EQ(run.status, CFileUploader::Finished);
        total = run.context.GetFileCount();
    }
    {
        UploadRun run; // nothing changed
        Upload(doc, server, false, run);
        EXPECT_EQ(run.status, CFileUploader::Finished);
        EXPECT_EQ(run.context.GetFileCount(), 0);
    }
    // One page changes: that page alone is listed, and the server gets its new text.
    CPage* changed = doc.m_pages.back().get();
    changed->m_title = CWString(u"A changed title");
    {
        UploadRun run;
        Upload(doc, server, false, run);
        ASSERT_EQ(run.status, CFileUploader::Finished);
        ASSERT_EQ(run.context.GetFileCount(), 1);
        const CPublishFile& f = run.context.GetFile(0);
        EXPECT_EQ(f.m_pUploadState, &changed->m_nUploadState);
        EXPECT_EQ(changed->m_nUploadState, kUploadDone);
        EXPECT_EQ(Bytes(server.LocalPath(QStringLiteral("public_html/") + f.m_strRemoteName.ToQString())),
                  Bytes(f.m_strLocalPath.ToQString()));
        EXPECT_TRUE(Bytes(f.m_strLocalPath.ToQString()).contains("A changed title"));
    }
    // Upload All: every file again, even into an emptied server folder.
    QDir(server.LocalPath(QStringLiteral("public_html"))).removeRecursively();
    QDir(server.Root()).mkpath(QStringLiteral("public_html"));
    {
        UploadRun run;
        Upload(doc, server, true, run);
        ASSERT_EQ(run.status, CFileUploader::Finished);
        EXPECT_EQ(run.context.GetFileCount(), total);
        EXPECT_EQ(gentest::FilesUnder(server.LocalPath(QStringLiteral("public_html"))), SiteFiles(run.context));
        ExpectUploadedOnServer(run.context, server.LocalPath(QStringLiteral("public_html")));
    }
    EXPECT_TRUE(messages.texts.empty());
}

// A server that fails midway: the failure is told, nothing counts as uploaded that is not
// on the server, and an upload to the mended server finishes the site.
TEST(Upload, ServerFailuresLeaveTheRestQueuedForTheNextUpload)
{
    constexpr unsigned kAnyIcon = ~0u;
    struct Case {
        const char* name;
        FtpServerOptions options;
        const char* message; // start of the message shown
        unsigned icon;
    };
    FtpServerOptions refuseFile;
    refuseFile.refuseUpload << QStringLiteral("styles.css");
    FtpServerOptions refuseFolder;
    FtpServerOptions cut;
    cut.disconnectAfter = 1;
    const Case cases[] = {
        {"file refused at its end", refuseFile, "Error uploading file: /public_html/styles.css", MB_OK},
        {"folder refused", refuseFolder, "Error uploading file: /public_html/", MB_OK},
        // Dropped while sending or before the final reply: either message may tell it.
        {"connection dropped", cut, "Error ", kAnyIcon},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CKJDoc doc;
        BuildSite(doc);
        // The folder to refuse is the first site folder the generator lists.
        FtpServerOptions options = c.options;
        if (std::string(c.name) == "folder refused") {
            UploadRun probe;
            ASSERT_TRUE(GenerateForUpload(doc, probe.context, true, probe.folder));
            for (const auto& f : probe.context.GetFiles())
                if (f->m_bDirectory) {
                    options.refuseMkdir << f->m_strRemoteName.ToQString().section(QLatin1Char('/'), -1);
                    break;
                }
            ASSERT_FALSE(options.refuseMkdir.isEmpty());
            for (const auto& f : probe.context.GetFiles())
                *f->m_pUploadState = kUploadChanged;
        }
        FtpServer failing(options);
        ASSERT_TRUE(failing.Start()) << failing.Error().constData();
        QDir(failing.Root()).mkpath(QStringLiteral("public_html"));
        doctest::MessageRecorder messages;
        UploadRun first;
        Upload(doc, failing, false, first);
        EXPECT_EQ(first.status, CFileUploader::Failed);
        ASSERT_EQ(messages.texts.size(), 1u);
        EXPECT_EQ(messages.texts[0].Left(int(strlen(c.message))), CString(c.message)) << messages.texts[0].GetString();
        if (c.icon != kAnyIcon) {
            EXPECT_EQ(messages.types[0], c.icon);
        }
        EXPECT_EQ(messages.texts[0].Find(FtpServer::kPassword), -1);
        int notDone = 0;
        for (const auto& f : first.context.GetFiles()) {
            // a file counts as missing for every object that wrote it (items sharing an icon)
            bool missing = *f->m_pUploadState != kUploadDone;
            for (const int* shared : f->m_sharedStates)
                missing = missing || *shared != kUploadDone;
            notDone += missing;
        }
        EXPECT_GT(notDone, 0);
        ExpectUploadedOnServer(first.context, failing.LocalPath(QStringLiteral("public_html")));

        // The same content on a server that works: the next upload lists what is missing.
        FtpServer mended;
        ASSERT_TRUE(mended.Start()) << mended.Error().constData();
        QDirIterator it(failing.Root(), QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString rel = QDir(failing.Root()).relativeFilePath(path);
            if (QFileInfo(path).isDir())
                QDir(mended.Root()).mkpath(rel);
            else
                QFile::copy(path, mended.Root() + QLatin1Char('/') + rel);
        }
        messages.texts.clear();
        UploadRun second;
        Upload(doc, mended, false, second);
        EXPECT_EQ(second.status, CFileUploader::Finished);
        EXPECT_TRUE(messages.texts.empty());
        EXPECT_EQ(second.context.GetFileCount(), notDone);
        EXPECT_EQ(gentest::FilesUnder(mended.LocalPath(QStringLiteral("public_html"))), SiteFiles(second.context));
        UploadRun all;
        ASSERT_TRUE(GenerateForUpload(doc, all.context, true, all.folder));
        ExpectUploadedOnServer(all.context, mended.LocalPath(QStringLiteral("public_html")));
        for (const auto& f : all.context.GetFiles())
            EXPECT_EQ(*f->m_pUploadState, kUploadDone) << f->m_strRemoteName.GetString();
    }
}

// Block pacing: one block per step, one more step for the end of the file.
TEST(Upload, FilesGoInBlocksWithOneStepForTheEnd)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    QTemporaryDir local;
    const struct {
        int size;
        int steps;
        int percentAfterFirst;
    } cases[] = {{0, 1, 0}, {1, 2, 100}, {16384, 2, 100}, {16385, 3, 99}, {3 * 16384, 4, 33}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        const QByteArray data = testsupport::RandomBytes(c.size, unsigned(c.size));
        const QString path = local.filePath(QStringLiteral("f%1.bin").arg(c.size));
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(data);
        out.close();
        int state = kUploadListed;
        CPublishFile entry;
        entry.m_strLocalPath = CString::FromQString(path);
        entry.m_strRemoteName = CString::FromQString(QFileInfo(path).fileName());
        entry.m_pUploadState = &state;
        std::unique_ptr<CFtpConnection> connection = ConnectFtp(GetDesignerInternetSession(), SettingsFor(server, ""));
        CFileUploader up({&entry}, connection, "");
        ASSERT_EQ(up.Begin(), CFileUploader::Running);
        EXPECT_EQ(up.GetRemotePath(), entry.m_strRemoteName); // empty folder: the login folder
        int steps = 0;
        CFileUploader::Status status = CFileUploader::Running;
        while (status == CFileUploader::Running) {
            status = up.Step();
            ++steps;
            if (steps == 1 && c.size > 0) {
                EXPECT_EQ(up.GetPercent(), c.percentAfterFirst);
                EXPECT_EQ(up.GetBytesSent(), std::min<std::uint64_t>(c.size, CFileUploader::kBlockSize));
            }
            if (status == CFileUploader::Running) {
                EXPECT_EQ(state, kUploadListed); // not yet confirmed
            }
        }
        EXPECT_EQ(status, CFileUploader::Finished);
        EXPECT_EQ(steps, c.steps);
        EXPECT_EQ(state, kUploadDone);
        EXPECT_EQ(up.GetBytesDone(), std::uint64_t(c.size));
        EXPECT_EQ(up.GetEntriesTaken(), 1u);
        EXPECT_EQ(Bytes(server.LocalPath(entry.m_strRemoteName.ToQString())), data);
    }
}

// An object with several files counts as uploaded only when all of them are there; a
// local file that cannot be read ends the transfer with a message.
TEST(Upload, ObjectsWithAFileMissingStayQueued)
{
    FtpServerOptions options;
    options.refuseUpload << QStringLiteral("b.txt");
    FtpServer server(options);
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    QTemporaryDir local;
    for (const char* n : {"a.txt", "b.txt"}) {
        QFile f(local.filePath(QString::fromLatin1(n)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("text");
    }
    struct Case {
        const char* second;
        const char* message;
    };
    const Case cases[] = {
        {"b.txt", "Error uploading file: b.txt"},
        {"missing.txt", "Error reading local file "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.second);
        int shared = kUploadListed;
        CPublishFile a, b;
        a.m_strLocalPath = CString::FromQString(local.filePath(QStringLiteral("a.txt")));
        a.m_strRemoteName = "a.txt";
        a.m_pUploadState = &shared;
        b.m_strLocalPath = CString::FromQString(local.filePath(QString::fromLatin1(c.second)));
        b.m_strRemoteName = c.second;
        b.m_pUploadState = &shared;
        doctest::MessageRecorder messages;
        std::unique_ptr<CFtpConnection> connection = ConnectFtp(GetDesignerInternetSession(), SettingsFor(server, ""));
        CFileUploader up({&a, &b}, connection, "");
        CFileUploader::Status status;
        RunTransfer(up, status);
        EXPECT_EQ(status, CFileUploader::Failed);
        EXPECT_EQ(shared, kUploadListed);
        ASSERT_EQ(messages.texts.size(), 1u);
        EXPECT_EQ(messages.texts[0].Left(int(strlen(c.message))), CString(c.message));
        EXPECT_TRUE(QFileInfo::exists(server.LocalPath(QStringLiteral("a.txt"))));
        EXPECT_FALSE(QFileInfo::exists(server.LocalPath(QString::fromLatin1(c.second))));
    }
}

TEST(Upload, ServerIndexPageIsKeptWithoutReplacingAnEarlierCopy)
{
    struct Case {
        QStringList before;
        QString renamedTo;
        QStringList after;
    };
    const Case cases[] = {
        {{}, QString(), {}},
        {{"index.html"}, "original_index.html", {"original_index.html"}},
        {{"index.html", "original_index.html"}, "original_index_2.html", {"original_index.html", "original_index_2.html"}},
        {{"index.html", "original_index.html", "original_index_2.html"},
         "original_index_3.html",
         {"original_index.html", "original_index_2.html", "original_index_3.html"}},
    };
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    for (const char* folder : {"/site", "/site/", "site"}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(QStringLiteral("%1 %2").arg(QString::fromLatin1(folder), c.before.join(QLatin1Char(','))).toStdString());
            QDir dir(server.LocalPath(QStringLiteral("site")));
            dir.removeRecursively();
            QDir(server.Root()).mkpath(QStringLiteral("site"));
            for (const QString& n : c.before) {
                QFile f(dir.filePath(n));
                ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                f.write(n.toUtf8());
            }
            std::unique_ptr<CFtpConnection> connection = ConnectFtp(GetDesignerInternetSession(), SettingsFor(server));
            EXPECT_EQ(KeepServerIndexPage(*connection, folder).ToQString(), c.renamedTo);
            QStringList names = dir.entryList(QDir::Files, QDir::Name);
            EXPECT_EQ(names, c.after);
            for (const QString& n : c.before)
                if (n != QStringLiteral("index.html")) {
                    EXPECT_EQ(Bytes(dir.filePath(n)), n.toUtf8()); // earlier copies untouched
                }
            if (!c.renamedTo.isEmpty()) {
                EXPECT_EQ(Bytes(dir.filePath(c.renamedTo)), QByteArray("index.html"));
            }
        }
    }
}

TEST(Upload, PhpHomePageMovesTheServersHtmlHomePageAside)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    QDir(server.Root()).mkpath(QStringLiteral("public_html"));
    QFile old(server.LocalPath(QStringLiteral("public_html/index.html")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old home");
    old.close();
    CKJDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetTitle("Php");
    CPage* home = doc.FindIndexPage();
    ASSERT_TRUE(home);
    home->m_strExtension = ".php";
    doctest::MessageRecorder messages;
    UploadRun run;
    Upload(doc, server, false, run);
    ASSERT_EQ(run.status, CFileUploader::Finished);
    EXPECT_EQ(Bytes(server.LocalPath(QStringLiteral("public_html/original_index.html"))), QByteArray("old home"));
    EXPECT_FALSE(QFileInfo::exists(server.LocalPath(QStringLiteral("public_html/index.html"))));
    EXPECT_TRUE(QFileInfo::exists(server.LocalPath(QStringLiteral("public_html/index.php"))));
}

TEST(Upload, LoginFailuresGiveTheirMessagesWithoutThePassword)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    CFtpSettings wrong = SettingsFor(server);
    wrong.m_strPassword = "not-the-password";
    CFtpSettings noServer = SettingsFor(server);
    noServer.m_nPort = testsupport::FreeLoopbackPort();
    CFtpSettings unknown = SettingsFor(server);
    unknown.m_strServer = "%s.test";
    unknown.m_strServer.Replace("%s", CString('a', 64)); // a name too long to exist // fails without a query leaving
    const struct {
        CFtpSettings settings;
        DWORD error;
        CString text;
    } cases[] = {
        {wrong, ERROR_INTERNET_INCORRECT_PASSWORD, "Invalid password or username (tester) on server 127.0.0.1."},
        {noServer, ERROR_INTERNET_CANNOT_CONNECT, "Login Failed: 127.0.0.1."},
        {unknown, ERROR_INTERNET_NAME_NOT_RESOLVED,
         CString::Formatted("The server: %s can not be found.", unknown.m_strServer.GetString())},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.GetString());
        try {
            ConnectFtp(GetDesignerInternetSession(), c.settings);
            ADD_FAILURE() << "connected";
        } catch (const CInternetException& e) {
            EXPECT_EQ(e.m_dwError, c.error);
            const CString text = FtpLoginFailureText(e.m_dwError, c.settings, nullptr);
            EXPECT_EQ(text, c.text);
            EXPECT_EQ(text.Find(c.settings.m_strPassword), -1);
        }
    }
    // The format is translated before the names go in.
    auto upper = [](const CString& s) { CString t = s; t.Replace("Login Failed", "LOGIN FAILED"); return t; };
    static CString (*tr)(const CString&) = +upper;
    EXPECT_EQ(FtpLoginFailureText(ERROR_INTERNET_LOGIN_FAILURE, noServer, tr), CString("LOGIN FAILED: 127.0.0.1."));
}

TEST(Upload, RemoteFolderTakesOneTrailingSlash)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"/public_html", "/public_html/"}, {"/public_html/", "/public_html/"}, {"/a//", "/a/"}, {"", ""}, {"/", "/"}, {"//", "/"}};
    for (const auto& c : cases)
        EXPECT_EQ(NormalizeRemoteFolder(c.in), CString(c.out)) << c.in;
}
