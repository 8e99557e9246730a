// The uploader against a server that misbehaves on purpose: a file counts as uploaded only
// when the server holds all of its bytes, whatever the server replied.
#include "document/Upload.h"
#include "framework/core/MessageBox.h"
#include "framework/net/CFtpConnection.h"
#include "framework/net/CInternetException.h"
#include "framework/net/CInternetSession.h"
#include "model/PublishContext.h"

#include "DocTestSupport.h"
#include "support/FtpServer.h"

#include <gtest/gtest.h>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

using testsupport::FtpFaults;
using testsupport::FtpServer;

namespace {

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Three files of three objects, sent in this order into "/site/".
struct Site {
    QTemporaryDir local;
    const char* names[3] = {"a.html", "styles.css", "pic.bin"};
    QByteArray data[3];
    int state[3] = {kUploadListed, kUploadListed, kUploadListed};
    CPublishFile entries[3];

    Site()
    {
        for (int i = 0; i < 3; ++i) {
            data[i] = testsupport::RandomBytes(i == 2 ? 40000 : 3000 + i, unsigned(i + 7));
            const QString path = local.filePath(QString::fromLatin1(names[i]));
            QFile out(path);
            out.open(QIODevice::WriteOnly);
            out.write(data[i]);
            out.close();
            entries[i].m_strLocalPath = CString::FromQString(path);
            entries[i].m_strRemoteName = names[i];
            entries[i].m_pUploadState = &state[i];
        }
    }
    // What an upload lists: every object not yet uploaded.
    std::vector<CPublishFile*> Pending()
    {
        std::vector<CPublishFile*> out;
        for (int i = 0; i < 3; ++i)
            if (state[i] != kUploadDone)
                out.push_back(&entries[i]);
        return out;
    }
    std::string Marked() const
    {
        std::string s;
        for (int i = 0; i < 3; ++i)
            s += state[i] == kUploadDone ? 'U' : '-';
        return s;
    }
};

CFileUploader::Status UploadPending(Site& site, const FtpServer& server, std::size_t* sent = nullptr)
{
    CFtpSettings s;
    s.m_strServer = "127.0.0.1";
    s.m_strUser = FtpServer::kUser;
    s.m_strPassword = FtpServer::kPassword;
    s.m_strFolder = "/site";
    s.m_nPort = server.Port();
    std::vector<CPublishFile*> queue = site.Pending();
    if (sent)
        *sent = queue.size();
    std::unique_ptr<CFtpConnection> connection;
    try {
        connection = ConnectFtp(GetDesignerInternetSession(), s);
    } catch (const CInternetException&) {
        return CFileUploader::Failed;
    }
    CFileUploader up(queue, connection, s.m_strFolder);
    CFileUploader::Status status = up.Begin();
    for (int n = 0; status == CFileUploader::Running && n < 100000; ++n)
        status = up.Step();
    return status;
}

// Short time limits for the stalling cases; restored afterwards.
struct ShortTimeouts {
    ShortTimeouts() { GetDesignerInternetSession().SetTimeouts(2000, 2000); }
    ~ShortTimeouts() { GetDesignerInternetSession().SetTimeouts(30000, 60000); }
};

} // namespace

TEST(UploadVerify, WhatIsMarkedLoggedAndSentNextTime)
{
    struct Case {
        const char* name;
        FtpFaults faults;
        CFileUploader::Status status; // of the upload with the fault
        const char* message;          // the one message shown; "" for none
        const char* marked;           // a.html, styles.css, pic.bin: U marked uploaded
        std::size_t sentNext;         // files the next upload (fault gone) sends
    };
    FtpFaults truncate;
    truncate.truncate = QStringList {QStringLiteral("styles.css")};
    FtpFaults truncateNoSize = truncate;
    truncateNoSize.refuseSize = true;
    FtpFaults noSize;
    noSize.refuseSize = true;
    FtpFaults drop;
    drop.dropAfter = 20000; // inside pic.bin
    FtpFaults stallStore;
    stallStore.stall = QStringList {QStringLiteral("STOR")};
    FtpFaults stallSize;
    stallSize.stall = QStringList {QStringLiteral("SIZE")};
    FtpFaults truncateStallSize = truncate;
    truncateStallSize.stall = QStringList {QStringLiteral("SIZE")};
    const Case cases[] = {
        {"no fault", {}, CFileUploader::Finished, "", "UUU", 0},
        {"226 for a truncated file", truncate, CFileUploader::Failed, "Error writing remote file /site/styles.css", "U--", 2},
        {"truncated, SIZE refused: the listing tells", truncateNoSize, CFileUploader::Failed,
         "Error writing remote file /site/styles.css", "U--", 2},
        {"SIZE refused, files whole", noSize, CFileUploader::Finished, "", "UUU", 0},
        {"dropped mid-transfer", drop, CFileUploader::Failed, "Error ", "UU-", 1},
        {"STOR never answered", stallStore, CFileUploader::Failed, "Error uploading file: /site/a.html", "---", 3},
        {"SIZE never answered: the listing tells", stallSize, CFileUploader::Finished, "", "UUU", 0},
        {"truncated, SIZE never answered", truncateStallSize, CFileUploader::Failed,
         "Error writing remote file /site/styles.css", "U--", 2},
    };
    ShortTimeouts timeouts;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FtpServer server;
        ASSERT_TRUE(server.Start()) << server.Error().constData();
        QDir(server.Root()).mkpath(QStringLiteral("site"));
        ASSERT_TRUE(server.SetFaults(c.faults));
        Site site;
        doctest::MessageRecorder messages;
        EXPECT_EQ(UploadPending(site, server), c.status);
        if (*c.message) {
            ASSERT_EQ(messages.texts.size(), 1u);
            EXPECT_EQ(messages.texts[0].Left(int(strlen(c.message))), CString(c.message)) << messages.texts[0].GetString();
        } else {
            EXPECT_TRUE(messages.texts.empty()) << (messages.texts.empty() ? "" : messages.texts[0].GetString());
        }
        EXPECT_EQ(site.Marked(), c.marked);
        // Whatever counts as uploaded is on the server byte for byte.
        for (int i = 0; i < 3; ++i) {
            if (site.state[i] == kUploadDone) {
                EXPECT_EQ(Bytes(server.LocalPath(QStringLiteral("site/") + QLatin1String(site.names[i]))), site.data[i])
                    << site.names[i];
            }
        }

        // The fault gone, the next upload sends what is not marked, and then all is there.
        ASSERT_TRUE(server.SetFaults({}));
        messages.texts.clear();
        std::size_t sent = 0;
        EXPECT_EQ(UploadPending(site, server, &sent), CFileUploader::Finished);
        EXPECT_EQ(sent, c.sentNext);
        EXPECT_TRUE(messages.texts.empty());
        EXPECT_EQ(site.Marked(), "UUU");
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Bytes(server.LocalPath(QStringLiteral("site/") + QLatin1String(site.names[i]))), site.data[i])
                << site.names[i];
    }
}

// The size check itself: SIZE, the listing where SIZE is refused, and no answer for a
// file that is not there.
TEST(UploadVerify, RemoteFileSizeBySizeOrListing)
{
    FtpServer server;
    ASSERT_TRUE(server.Start()) << server.Error().constData();
    QDir(server.Root()).mkpath(QStringLiteral("d"));
    {
        QFile f(server.LocalPath(QStringLiteral("d/f.bin")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(testsupport::RandomBytes(12345, 3));
    }
    CFtpSettings s;
    s.m_strServer = "127.0.0.1";
    s.m_strUser = FtpServer::kUser;
    s.m_strPassword = FtpServer::kPassword;
    s.m_nPort = server.Port();
    for (bool refuse : {false, true}) {
        SCOPED_TRACE(refuse ? "SIZE refused" : "SIZE");
        FtpFaults faults;
        faults.refuseSize = refuse;
        ASSERT_TRUE(server.SetFaults(faults));
        std::unique_ptr<CFtpConnection> c = ConnectFtp(GetDesignerInternetSession(), s);
        std::uint64_t size = 1;
        EXPECT_TRUE(c->GetRemoteFileSize("/d/f.bin", size));
        EXPECT_EQ(size, 12345u);
        EXPECT_TRUE(c->GetRemoteFileSize("d/f.bin", size)); // relative to the login folder "/"
        EXPECT_EQ(size, 12345u);
        EXPECT_FALSE(c->GetRemoteFileSize("/d/none.bin", size));
        EXPECT_FALSE(c->GetRemoteFileSize("/d", size)); // a folder has no size
        EXPECT_FALSE(c->GetRemoteFileSize("/nofolder/f.bin", size));
    }
}
