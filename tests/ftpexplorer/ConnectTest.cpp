// Connecting and disconnecting a connection document: messages and history entries.
#include "framework/core/MessageBox.h"
#include "ftpexplorer/FtpTranslate.h"
#include "ftpexplorer/History.h"
#include "ftpexplorer/VFDocData.h"
#include "support/FtpServer.h"
#include <gtest/gtest.h>

using testsupport::FtpServer;

namespace {

class Connecting : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearHistoryEvents();
        ClearTranslations();
        m_previous = SetMessageBoxHandler([this](const CString& text, const CString&, unsigned type) {
            m_boxes.emplace_back(text, type);
            return IDOK;
        });
        ASSERT_TRUE(m_server.Start()) << m_server.Error().toStdString();
        m_doc.m_session.SetTimeouts(5000, 10000);
        m_doc.m_strHost = "127.0.0.1";
        m_doc.m_strUser = FtpServer::kUser;
        m_doc.m_strPassword = FtpServer::kPassword;
        m_doc.m_nPort = m_server.Port();
        m_doc.m_strLocalFolder = "/l/";
        m_doc.m_strRemoteFolder = "/r/";
    }
    void TearDown() override
    {
        SetMessageBoxHandler(m_previous);
        ClearHistoryEvents();
        ClearTranslations();
    }

    FtpServer m_server;
    CVFDocData m_doc;
    std::vector<std::pair<CString, unsigned>> m_boxes;
    MessageBoxHandler m_previous;
};

} // namespace

TEST_F(Connecting, SuccessIsLoggedWithHostAndPort)
{
    ASSERT_EQ(m_doc.Connect(), 1);
    EXPECT_TRUE(m_doc.m_pConnection);
    EXPECT_TRUE(m_doc.IsConnectionAlive());
    EXPECT_TRUE(m_boxes.empty());
    ASSERT_EQ(GetHistoryEvents().size(), 1u);
    const CHistoryEvent& e = GetHistoryEvents()[0];
    EXPECT_EQ(e.m_strEvent, CString::Formatted("Connected: ftp://127.0.0.1:%d", m_server.Port()));
    EXPECT_EQ(e.m_strDescription, "Local folder: /l/  Remote folder: /r/");
    EXPECT_EQ(e.m_nIcon, HISTORY_CONNECTED);

    m_doc.DisconnectConnection();
    EXPECT_FALSE(m_doc.m_pConnection);
    EXPECT_FALSE(m_doc.IsConnectionAlive());
    ASSERT_EQ(GetHistoryEvents().size(), 2u);
    EXPECT_EQ(GetHistoryEvents()[1].m_strEvent, "Disconnected: ftp://127.0.0.1");
    EXPECT_EQ(GetHistoryEvents()[1].m_nIcon, HISTORY_DISCONNECTED);
    // Logged even when nothing was connected.
    m_doc.DisconnectConnection();
    EXPECT_EQ(GetHistoryEvents().size(), 3u);
}

TEST_F(Connecting, FailuresShowTheirMessageAndLogNothing)
{
    // A first label beyond 63 characters is never sent to a resolver.
    const CString unresolvable = CString::Formatted("%s.test", std::string(64, 'a').c_str());
    struct Case {
        CString host;
        const char* password;
        bool noServer;
        CString message;
    } cases[] = {
        {"127.0.0.1", "wrong", false, "Invalid password or username (tester) on server 127.0.0.1."},
        {"127.0.0.1", FtpServer::kPassword, true, "Can not connect to the server: 127.0.0.1. Error code: 12029."},
        {unresolvable, FtpServer::kPassword, false,
         CString::Formatted("The server: %s can not be found.", unresolvable.GetString())},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.GetString());
        m_boxes.clear();
        m_doc.m_strHost = c.host;
        m_doc.m_strPassword = c.password;
        m_doc.m_nPort = c.noServer ? testsupport::FreeLoopbackPort() : m_server.Port();
        EXPECT_EQ(m_doc.Connect(), 0);
        EXPECT_FALSE(m_doc.m_pConnection);
        ASSERT_EQ(m_boxes.size(), 1u);
        EXPECT_EQ(m_boxes[0].first, c.message);
        EXPECT_EQ(m_boxes[0].second & MB_ICONERROR, unsigned(MB_ICONERROR));
        EXPECT_TRUE(GetHistoryEvents().empty());
    }
}

TEST_F(Connecting, MessagesAreTranslatedBeforeFormatting)
{
    LoadLanguageText("Invalid password or username (%s) on server %s.=Falsches Kennwort (%s) auf %s.\n");
    m_doc.m_strPassword = "wrong";
    EXPECT_EQ(m_doc.Connect(), 0);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].first, "Falsches Kennwort (tester) auf 127.0.0.1.");
}
