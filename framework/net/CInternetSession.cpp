#include "framework/net/CInternetSession.h"
#include "framework/net/CFtpConnection.h"
#include "framework/net/CInternetException.h"
#include "framework/net/FtpLink.h"

#include <QtCore/QCoreApplication>

CInternetSession::CInternetSession(const char* agent, std::uintptr_t context, DWORD accessType, const char*,
                                   const char*, DWORD)
    : m_agent(agent), m_context(context), m_accessType(accessType)
{
}

CInternetSession::~CInternetSession() = default;

void CInternetSession::SetTimeouts(long connectMs, long responseMs)
{
    m_connectTimeoutMs = connectMs > 0 ? connectMs : 30000;
    m_responseTimeoutMs = responseMs > 0 ? responseMs : 60000;
}

namespace {

// Accepts "host", "ftp://host/" and IPv6 literals; anything that could smuggle a user, a
// path or a command into the address is refused.
bool CleanHost(CString server, std::string& host)
{
    server.Trim();
    if (server.Left(6).CompareNoCase("ftp://") == 0)
        server = server.Mid(6);
    server.TrimRight('/');
    if (server.GetLength() >= 2 && server[0] == '[' && server[server.GetLength() - 1] == ']')
        server = server.Mid(1, server.GetLength() - 2);
    if (server.IsEmpty() || server.GetLength() > 253)
        return false;
    for (int i = 0; i < server.GetLength(); ++i) {
        char c = server[i];
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-'
            || c == '_' || c == ':';
        if (!ok)
            return false;
    }
    host.assign(server.GetString(), std::size_t(server.GetLength()));
    return true;
}

} // namespace

CFtpConnection* CInternetSession::GetFtpConnection(const char* server, const char* userName, const char* password,
                                                   int port, BOOL passive)
{
    FtpConfig config;
    if (!CleanHost(CString(server), config.host))
        AfxThrowInternetException(m_context, ERROR_INTERNET_INVALID_URL);
    port &= 0xFFFF; // the port travels as 16 bits
    config.port = port == 0 ? INTERNET_DEFAULT_FTP_PORT : port;
    config.user = userName ? userName : "";
    config.password = password ? password : "";
    if (FtpLink::HasControlChars(config.user) || FtpLink::HasControlChars(config.password))
        AfxThrowInternetException(m_context, ERROR_INTERNET_LOGIN_FAILURE);
    config.passive = passive != FALSE;
    config.direct = m_accessType == INTERNET_OPEN_TYPE_DIRECT;
    config.connectTimeoutMs = m_connectTimeoutMs;
    config.responseTimeoutMs = m_responseTimeoutMs;
    config.agent = m_agent.str();
    CFtpConnection* connection = new CFtpConnection(config, CString(config.host), m_context);
    DWORD rc = connection->m_link->Login();
    if (rc != 0) {
        CString reply = rc == ERROR_INTERNET_EXTENDED_ERROR ? CString(connection->m_link->LastReply()) : CString();
        delete connection;
        AfxThrowInternetException(m_context, rc, reply);
    }
    return connection;
}

std::function<void()> AfxSetInternetIdleHandler(std::function<void()> idle)
{
    return FtpLink::SetIdleHandler(std::move(idle));
}

void AfxCancelInternetWait()
{
    FtpLink::CancelWaitingStep();
}

CInternetEventPump::CInternetEventPump()
    : m_previous(AfxSetInternetIdleHandler([] { QCoreApplication::processEvents(QEventLoop::AllEvents, 10); }))
{
}

CInternetEventPump::~CInternetEventPump()
{
    AfxSetInternetIdleHandler(std::move(m_previous));
}
