// An Internet session: the settings shared by the connections it makes. FTP connections
// log in when they are made and are owned by the caller.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/Types.h"
#include <cstdint>
#include <functional>

class CFtpConnection;

// While any network step waits (a reply, room to send, data to read), idle runs about every
// 20 ms on the same thread: a window lets its event loop run there, so it repaints and a
// Cancel reaches CFtpConnection::CancelStep. nullptr removes it. The previous handler is
// returned, so that a scope can put it back.
std::function<void()> AfxSetInternetIdleHandler(std::function<void()> idle);
// Cancels the network step waiting now (from its idle handler, e.g. a Cancel button): it
// ends with ERROR_INTERNET_OPERATION_CANCELLED. Nothing when no step waits.
void AfxCancelInternetWait();

// While it lives, network waits let the event loop of the thread run (windows repaint,
// timers fire, a Cancel button is heard). The transfer dialogs hold one.
class CInternetEventPump {
public:
    CInternetEventPump();
    ~CInternetEventPump();
    CInternetEventPump(const CInternetEventPump&) = delete;
    CInternetEventPump& operator=(const CInternetEventPump&) = delete;

private:
    std::function<void()> m_previous;
};

enum : DWORD {
    INTERNET_OPEN_TYPE_PRECONFIG = 0, // proxy settings of the environment
    INTERNET_OPEN_TYPE_DIRECT = 1,
};
enum : int { INTERNET_DEFAULT_FTP_PORT = 21 };

class CInternetSession {
public:
    explicit CInternetSession(const char* agent = nullptr, std::uintptr_t context = 1,
                              DWORD accessType = INTERNET_OPEN_TYPE_PRECONFIG, const char* proxyName = nullptr,
                              const char* proxyBypass = nullptr, DWORD flags = 0);
    virtual ~CInternetSession();
    CInternetSession(const CInternetSession&) = delete;
    CInternetSession& operator=(const CInternetSession&) = delete;

    // Connects and logs in. Throws CInternetException (12007 name not resolved, 12014 user
    // or password refused, 12029 no server, ...). Port 0 means 21.
    CFtpConnection* GetFtpConnection(const char* server, const char* userName = nullptr,
                                     const char* password = nullptr, int port = INTERNET_DEFAULT_FTP_PORT,
                                     BOOL passive = FALSE);

    // Time limits for connecting and for each server reply (milliseconds).
    void SetTimeouts(long connectMs, long responseMs);
    void Close() {}

    std::uintptr_t GetContext() const { return m_context; }
    const CString& GetAgent() const { return m_agent; }

private:
    CString m_agent;
    std::uintptr_t m_context;
    DWORD m_accessType;
    long m_connectTimeoutMs = 30000;
    long m_responseTimeoutMs = 60000;
};
