// The libcurl side of an FTP connection: one easy handle on one multi handle, so that the
// control connection (and its login) is reused by every command, listing and transfer.
// Commands and listings run to completion; a file transfer advances one step per call.
// While a step waits for the network, the idle handler (if one is set) runs about every
// 20 ms, so that a window's event loop goes on; a step can be cancelled from there.
// Internal to framework/net.
#pragma once
#include "framework/core/Types.h"
#include <curl/curl.h>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct FtpConfig {
    std::string host;
    int port = 21;
    std::string user;
    std::string password;
    bool passive = true;
    bool direct = false; // no proxy, whatever the environment says
    long connectTimeoutMs = 30000;
    long responseTimeoutMs = 60000;
    std::string agent;
};

class FtpLink : public std::enable_shared_from_this<FtpLink> {
public:
    explicit FtpLink(FtpConfig config);
    ~FtpLink();
    FtpLink(const FtpLink&) = delete;
    FtpLink& operator=(const FtpLink&) = delete;

    // Closes the link; asked while a step waits (from the idle handler), the step is
    // cancelled and the link closes once it has ended.
    void Close();
    bool IsClosed() const { return m_multi == nullptr || m_closePending; }
    bool Busy() const { return m_transfer != Transfer::None || m_driving; }

    // Runs while any step waits; nullptr removes it. Not re-entered while it runs.
    static std::function<void()> SetIdleHandler(std::function<void()> idle);
    // Ends the step that is waiting with ERROR_INTERNET_OPERATION_CANCELLED; nothing when
    // no step waits.
    void RequestCancel();
    // RequestCancel on the step waiting now, whichever link runs it (the innermost one when
    // an idle handler started another); nothing when no step waits.
    static void CancelWaitingStep();

    // Blocking steps; each returns the Internet error code (0 on success).
    DWORD Login();
    DWORD Quote(const std::vector<std::string>& commands);
    DWORD List(const std::string& folder, const char* command, std::string& text);
    // SIZE of a file in binary mode: true with the size when the server answered 213.
    // Any other answer (refused, unknown command, no such file) gives false, not an error.
    bool QuerySize(const std::string& path, std::uint64_t& size);

    // The text of the last reply of the given code among the last command's replies.
    bool FindReply(int code, std::string& text) const;
    const std::string& LastReply() const { return m_lastReply; }
    int LastReplyCode() const { return m_lastCode; }
    const std::string& EntryPath() const { return m_entryPath; }

    // Stepped transfers (throw CInternetException).
    void StartTransfer(const std::string& path, bool upload, bool ascii);
    void Write(const void* data, std::size_t count);
    void FinishUpload();
    std::size_t Read(void* data, std::size_t count);
    void AbortTransfer();
    std::uint64_t TransferredBytes() const { return m_moved; }

    // Paths become URL paths: percent-encoded, a leading "/" as "%2F" so that it stays absolute.
    static std::string EncodePath(const std::string& path);
    static bool HasControlChars(const std::string& s);

private:
    enum class Transfer { None, Upload, Download };
    void Prepare(const std::string& urlPath);
    DWORD RunBlocking();
    bool PerformOnce(); // true when the transfer ended
    void Wait(int ms);
    // Runs the transfer until it ends or enough() holds; false when the server stayed
    // silent (no reply, no data) beyond the time limits.
    // m_stopCode then tells why: timeout or cancel.
    template <typename Enough> bool Drive(Enough enough);
    void RunIdle();
    [[noreturn]] void ThrowStopped();
    DWORD MapError(CURLcode rc) const;
    [[noreturn]] void ThrowFor(CURLcode rc);
    void Detach();

    static size_t HeaderCb(char* data, size_t size, size_t n, void* self);
    static size_t ReadCb(char* data, size_t size, size_t n, void* self);
    static size_t WriteCb(char* data, size_t size, size_t n, void* self);

    FtpConfig m_config;
    CURLM* m_multi = nullptr;
    CURL* m_easy = nullptr;
    curl_slist* m_quote = nullptr;
    char m_error[CURL_ERROR_SIZE] = {};

    std::vector<std::pair<int, std::string>> m_replies;
    std::string m_lastReply;
    int m_lastCode = 0;
    std::string m_entryPath;

    Transfer m_transfer = Transfer::None;
    bool m_attached = false;
    bool m_listing = false;
    bool m_started = false; // the server accepted the transfer (or data flowed)
    bool m_eof = false;
    bool m_paused = false;
    bool m_done = false;
    bool m_overflow = false;
    bool m_driving = false;
    FtpLink* m_outerDriving = nullptr; // the link whose step waited when this one's began
    bool m_cancel = false;
    bool m_closePending = false;
    DWORD m_stopCode = 0;
    CURLcode m_result = CURLE_OK;
    std::vector<char> m_buf;
    std::size_t m_bufPos = 0;
    std::uint64_t m_moved = 0;
};
