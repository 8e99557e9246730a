#include "framework/net/FtpLink.h"
#include "framework/net/CInternetException.h"
#include <algorithm>
#include <cctype>
#include <cstring>
#include <mutex>

namespace {

// Upload data handed over but not yet sent, and download data received but not yet read,
// are bounded: beyond this a write waits for the network and a download pauses.
constexpr std::size_t kMaxBuffered = 256 * 1024;
// A listing larger than this is refused rather than held in memory.
constexpr std::size_t kMaxListing = 64 * 1024 * 1024;

std::function<void()>& IdleHandler()
{
    static std::function<void()> idle;
    return idle;
}

void GlobalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

} // namespace

FtpLink::FtpLink(FtpConfig config) : m_config(std::move(config))
{
    GlobalInit();
    m_multi = curl_multi_init();
    m_easy = curl_easy_init();
    if (!m_multi || !m_easy) {
        Close();
        AfxThrowInternetException(1, ERROR_INTERNET_INTERNAL_ERROR);
    }
}

FtpLink::~FtpLink()
{
    Close();
}

std::function<void()> FtpLink::SetIdleHandler(std::function<void()> idle)
{
    std::function<void()> previous = std::move(IdleHandler());
    IdleHandler() = std::move(idle);
    return previous;
}

void FtpLink::RequestCancel()
{
    if (m_driving)
        m_cancel = true;
}

namespace {
FtpLink*& WaitingLink()
{
    static FtpLink* link = nullptr;
    return link;
}
} // namespace

void FtpLink::CancelWaitingStep()
{
    if (FtpLink* link = WaitingLink())
        link->RequestCancel();
}

void FtpLink::RunIdle()
{
    static bool running = false;
    if (running || !IdleHandler())
        return;
    running = true;
    // The handler may drop the last owner of this link: it lives until the step ends.
    std::shared_ptr<FtpLink> keep = weak_from_this().lock();
    try {
        IdleHandler()();
    } catch (...) {
        running = false;
        throw;
    }
    running = false;
}

void FtpLink::ThrowStopped()
{
    AfxThrowInternetException(1, m_stopCode ? m_stopCode : ERROR_INTERNET_TIMEOUT);
}

void FtpLink::Close()
{
    if (m_driving) {
        // The waiting step still uses the handles: it is cancelled and closes them.
        m_cancel = true;
        m_closePending = true;
        return;
    }
    m_closePending = false;
    Detach();
    m_transfer = Transfer::None;
    if (m_easy)
        curl_easy_cleanup(m_easy);
    m_easy = nullptr;
    if (m_multi)
        curl_multi_cleanup(m_multi);
    m_multi = nullptr;
    if (m_quote)
        curl_slist_free_all(m_quote);
    m_quote = nullptr;
    // The password is only needed while connected.
    std::fill(m_config.password.begin(), m_config.password.end(), '\0');
    m_config.password.clear();
}

void FtpLink::Detach()
{
    if (m_attached && m_multi && m_easy)
        curl_multi_remove_handle(m_multi, m_easy);
    m_attached = false;
}

bool FtpLink::HasControlChars(const std::string& s)
{
    for (unsigned char c : s)
        if (c < 32 || c == 127)
            return true;
    return false;
}

std::string FtpLink::EncodePath(const std::string& path)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    size_t i = 0;
    if (!path.empty() && path[0] == '/') {
        out = "%2F";
        i = 1;
    }
    for (; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_'
            || c == '.' || c == '~' || c == '/';
        if (plain) {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

void FtpLink::Prepare(const std::string& urlPath)
{
    Detach();
    curl_easy_reset(m_easy);
    m_replies.clear();
    m_lastReply.clear();
    m_lastCode = 0;
    m_error[0] = 0;
    m_started = m_eof = m_paused = m_done = m_overflow = false;
    m_listing = false;
    m_result = CURLE_OK;
    m_buf.clear();
    m_bufPos = 0;
    m_moved = 0;

    std::string host = m_config.host;
    if (host.find(':') != std::string::npos)
        host = "[" + host + "]";
    std::string url = "ftp://" + host + ":" + std::to_string(m_config.port) + "/" + urlPath;
    curl_easy_setopt(m_easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(m_easy, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(m_easy, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(m_easy, CURLOPT_NOSIGNAL, 1L);
    // Credentials go through their own options, never into the address (which may be logged).
    if (!m_config.user.empty()) {
        curl_easy_setopt(m_easy, CURLOPT_USERNAME, m_config.user.c_str());
        curl_easy_setopt(m_easy, CURLOPT_PASSWORD, m_config.password.c_str());
    }
    // Paths are always sent whole: the server's current folder stays the login folder.
    curl_easy_setopt(m_easy, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(m_easy, CURLOPT_CONNECTTIMEOUT_MS, m_config.connectTimeoutMs);
    curl_easy_setopt(m_easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, std::max(1L, m_config.responseTimeoutMs / 1000));
    curl_easy_setopt(m_easy, CURLOPT_ACCEPTTIMEOUT_MS, m_config.responseTimeoutMs);
    if (!m_config.passive)
        curl_easy_setopt(m_easy, CURLOPT_FTPPORT, "-");
    if (m_config.direct)
        curl_easy_setopt(m_easy, CURLOPT_PROXY, "");
    if (!m_config.agent.empty())
        curl_easy_setopt(m_easy, CURLOPT_USERAGENT, m_config.agent.c_str());
    curl_easy_setopt(m_easy, CURLOPT_ERRORBUFFER, m_error);
    curl_easy_setopt(m_easy, CURLOPT_HEADERFUNCTION, &FtpLink::HeaderCb);
    curl_easy_setopt(m_easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(m_easy, CURLOPT_WRITEFUNCTION, &FtpLink::WriteCb);
    curl_easy_setopt(m_easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(m_easy, CURLOPT_READFUNCTION, &FtpLink::ReadCb);
    curl_easy_setopt(m_easy, CURLOPT_READDATA, this);
}


bool FtpLink::PerformOnce()
{
    if (m_done)
        return true;
    int running = 0;
    CURLMcode mc = curl_multi_perform(m_multi, &running);
    if (mc != CURLM_OK) {
        m_done = true;
        m_result = CURLE_FAILED_INIT;
        return true;
    }
    int left = 0;
    while (CURLMsg* msg = curl_multi_info_read(m_multi, &left)) {
        if (msg->msg == CURLMSG_DONE && msg->easy_handle == m_easy) {
            m_done = true;
            m_result = msg->data.result;
        }
    }
    return m_done;
}

void FtpLink::Wait(int ms)
{
    curl_multi_poll(m_multi, nullptr, 0, ms, nullptr);
}

template <typename Enough> bool FtpLink::Drive(Enough enough)
{
    if (m_driving) {
        m_stopCode = ERROR_FTP_TRANSFER_IN_PROGRESS;
        return false;
    }
    // Kept alive while the idle handler runs; closed at the end when that was asked meanwhile.
    std::shared_ptr<FtpLink> keep = weak_from_this().lock();
    struct Scope {
        FtpLink& link;
        explicit Scope(FtpLink& l) : link(l)
        {
            link.m_driving = true;
            link.m_outerDriving = WaitingLink();
            WaitingLink() = &link;
        }
        ~Scope()
        {
            WaitingLink() = link.m_outerDriving;
            link.m_outerDriving = nullptr;
            link.m_driving = false;
            link.m_cancel = false;
        }
    } scope(*this);
    m_stopCode = 0;
    const auto limit = std::chrono::milliseconds(m_config.connectTimeoutMs + m_config.responseTimeoutMs);
    auto deadline = std::chrono::steady_clock::now() + limit;
    std::uint64_t lastMoved = m_moved;
    size_t lastReplies = m_replies.size();
    while (!PerformOnce() && !enough()) {
        Wait(20);
        RunIdle();
        if (m_cancel) {
            m_stopCode = ERROR_INTERNET_OPERATION_CANCELLED;
            return false;
        }
        if (m_moved != lastMoved || m_replies.size() != lastReplies) {
            lastMoved = m_moved;
            lastReplies = m_replies.size();
            deadline = std::chrono::steady_clock::now() + limit;
        } else if (std::chrono::steady_clock::now() > deadline) {
            m_stopCode = ERROR_INTERNET_TIMEOUT;
            return false;
        }
    }
    return true;
}

DWORD FtpLink::RunBlocking()
{
    curl_multi_add_handle(m_multi, m_easy);
    m_attached = true;
    if (!Drive([] { return false; }))
        m_result = m_stopCode == ERROR_INTERNET_OPERATION_CANCELLED ? CURLE_ABORTED_BY_CALLBACK : CURLE_OPERATION_TIMEDOUT;
    Detach();
    return m_result == CURLE_OK ? 0 : MapError(m_result);
}

DWORD FtpLink::MapError(CURLcode rc) const
{
    if (m_overflow)
        return ERROR_INTERNET_INTERNAL_ERROR;
    switch (rc) {
    case CURLE_OK:
        return 0;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_LOGIN_DENIED:
        return ERROR_INTERNET_INCORRECT_PASSWORD;
    case CURLE_COULDNT_CONNECT:
        return ERROR_INTERNET_CANNOT_CONNECT;
    case CURLE_OPERATION_TIMEDOUT:
        return ERROR_INTERNET_TIMEOUT;
    case CURLE_URL_MALFORMAT:
    case CURLE_UNSUPPORTED_PROTOCOL:
        return ERROR_INTERNET_INVALID_URL;
    case CURLE_ABORTED_BY_CALLBACK:
        return ERROR_INTERNET_OPERATION_CANCELLED;
    default:
        break;
    }
    // The server answered with a refusal: report its reply. Otherwise the link broke.
    if (m_lastCode >= 400)
        return ERROR_INTERNET_EXTENDED_ERROR;
    switch (rc) {
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_FTP_WEIRD_227_FORMAT:
    case CURLE_FTP_CANT_GET_HOST:
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_ACCEPT_TIMEOUT:
    case CURLE_FTP_PORT_FAILED:
    case CURLE_UPLOAD_FAILED:
    case CURLE_QUOTE_ERROR:
        return ERROR_INTERNET_CONNECTION_ABORTED;
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_FTP_COULDNT_RETR_FILE:
    case CURLE_REMOTE_DISK_FULL:
        return ERROR_INTERNET_EXTENDED_ERROR;
    default:
        return ERROR_INTERNET_INTERNAL_ERROR;
    }
}

void FtpLink::ThrowFor(CURLcode rc)
{
    DWORD code = MapError(rc);
    std::string reply = code == ERROR_INTERNET_EXTENDED_ERROR ? m_lastReply : std::string();
    AfxThrowInternetException(1, code ? code : ERROR_INTERNET_INTERNAL_ERROR, CString(reply));
}

size_t FtpLink::HeaderCb(char* data, size_t size, size_t n, void* self)
{
    FtpLink* link = static_cast<FtpLink*>(self);
    size_t len = size * n;
    std::string line(data, len);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    // A final reply line is "NNN text"; continuation lines ("NNN-") and curl's own header
    // lines are not replies.
    if (line.size() >= 3 && std::isdigit((unsigned char)line[0]) && std::isdigit((unsigned char)line[1])
        && std::isdigit((unsigned char)line[2]) && (line.size() == 3 || line[3] == ' ')) {
        int code = (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
        link->m_lastCode = code;
        link->m_lastReply = line;
        if (link->m_replies.size() < 1000)
            link->m_replies.emplace_back(code, line);
        if (code == 150 || code == 125)
            link->m_started = true;
    }
    return len;
}

size_t FtpLink::ReadCb(char* data, size_t size, size_t n, void* self)
{
    FtpLink* link = static_cast<FtpLink*>(self);
    link->m_started = true;
    size_t avail = link->m_buf.size() - link->m_bufPos;
    if (avail == 0) {
        if (link->m_eof)
            return 0;
        link->m_paused = true;
        return CURL_READFUNC_PAUSE;
    }
    size_t take = std::min(avail, size * n);
    std::memcpy(data, link->m_buf.data() + link->m_bufPos, take);
    link->m_bufPos += take;
    link->m_moved += take;
    if (link->m_bufPos == link->m_buf.size()) {
        link->m_buf.clear();
        link->m_bufPos = 0;
    }
    return take;
}

size_t FtpLink::WriteCb(char* data, size_t size, size_t n, void* self)
{
    FtpLink* link = static_cast<FtpLink*>(self);
    size_t len = size * n;
    link->m_started = true;
    if (link->m_listing) {
        if (link->m_buf.size() + len > kMaxListing) {
            link->m_overflow = true;
            return 0; // ends the transfer with an error
        }
    } else if (link->m_buf.size() - link->m_bufPos >= kMaxBuffered) {
        link->m_paused = true;
        return CURL_WRITEFUNC_PAUSE;
    }
    if (link->m_bufPos > 0 && link->m_bufPos == link->m_buf.size()) {
        link->m_buf.clear();
        link->m_bufPos = 0;
    }
    link->m_buf.insert(link->m_buf.end(), data, data + len);
    link->m_moved += len;
    return len;
}

DWORD FtpLink::Login()
{
    if (IsClosed())
        return ERROR_FTP_DROPPED;
    if (Busy())
        return ERROR_FTP_TRANSFER_IN_PROGRESS;
    Prepare("");
    curl_easy_setopt(m_easy, CURLOPT_NOBODY, 1L);
    DWORD rc = RunBlocking();
    if (rc == 0) {
        const char* entry = nullptr;
        if (curl_easy_getinfo(m_easy, CURLINFO_FTP_ENTRY_PATH, &entry) == CURLE_OK && entry)
            m_entryPath = entry;
    }
    return rc;
}

DWORD FtpLink::Quote(const std::vector<std::string>& commands)
{
    if (IsClosed())
        return ERROR_FTP_DROPPED;
    if (Busy())
        return ERROR_FTP_TRANSFER_IN_PROGRESS;
    for (const std::string& c : commands)
        if (HasControlChars(c))
            return ERROR_INTERNET_INVALID_URL;
    Prepare("");
    if (m_quote)
        curl_slist_free_all(m_quote);
    m_quote = nullptr;
    for (const std::string& c : commands)
        m_quote = curl_slist_append(m_quote, c.c_str());
    curl_easy_setopt(m_easy, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(m_easy, CURLOPT_QUOTE, m_quote);
    DWORD rc = RunBlocking();
    if (rc == 0 && m_entryPath.empty()) {
        const char* entry = nullptr;
        if (curl_easy_getinfo(m_easy, CURLINFO_FTP_ENTRY_PATH, &entry) == CURLE_OK && entry)
            m_entryPath = entry;
    }
    return rc;
}

DWORD FtpLink::List(const std::string& folder, const char* command, std::string& text)
{
    text.clear();
    if (IsClosed())
        return ERROR_FTP_DROPPED;
    if (Busy())
        return ERROR_FTP_TRANSFER_IN_PROGRESS;
    if (HasControlChars(folder))
        return ERROR_INTERNET_INVALID_URL;
    std::string dir = folder;
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    Prepare(EncodePath(dir));
    m_listing = true;
    curl_easy_setopt(m_easy, CURLOPT_CUSTOMREQUEST, command);
    DWORD rc = RunBlocking();
    m_listing = false;
    if (rc == 0)
        text.assign(m_buf.begin(), m_buf.end());
    m_buf.clear();
    return rc;
}

bool FtpLink::QuerySize(const std::string& path, std::uint64_t& size)
{
    size = 0;
    if (IsClosed() || Busy() || path.empty() || path.back() == '/' || HasControlChars(path))
        return false;
    // Without a body libcurl sets binary mode (a size in ASCII mode would differ or be
    // refused) and asks SIZE; the reply is read from the replies it passed on.
    Prepare(EncodePath(path));
    curl_easy_setopt(m_easy, CURLOPT_NOBODY, 1L);
    RunBlocking();
    std::string reply;
    if (!FindReply(213, reply))
        return false;
    std::size_t i = 4;
    while (i < reply.size() && reply[i] == ' ')
        ++i;
    std::uint64_t v = 0;
    std::size_t digits = 0;
    for (; i < reply.size() && std::isdigit(static_cast<unsigned char>(reply[i])); ++i, ++digits) {
        if (v > (UINT64_MAX - 9) / 10)
            return false;
        v = v * 10 + std::uint64_t(reply[i] - '0');
    }
    if (digits == 0 || (i < reply.size() && reply[i] != ' ' && reply[i] != '\r'))
        return false;
    size = v;
    return true;
}

bool FtpLink::FindReply(int code, std::string& text) const
{
    for (auto it = m_replies.rbegin(); it != m_replies.rend(); ++it) {
        if (it->first == code) {
            text = it->second;
            return true;
        }
    }
    return false;
}

void FtpLink::StartTransfer(const std::string& path, bool upload, bool ascii)
{
    if (IsClosed())
        AfxThrowInternetException(1, ERROR_FTP_DROPPED);
    if (Busy())
        AfxThrowInternetException(1, ERROR_FTP_TRANSFER_IN_PROGRESS);
    if (path.empty() || path.back() == '/' || HasControlChars(path))
        AfxThrowInternetException(1, ERROR_INTERNET_INVALID_URL);
    Prepare(EncodePath(path));
    if (upload)
        curl_easy_setopt(m_easy, CURLOPT_UPLOAD, 1L);
    if (ascii)
        curl_easy_setopt(m_easy, CURLOPT_TRANSFERTEXT, 1L);
    curl_multi_add_handle(m_multi, m_easy);
    m_attached = true;
    m_transfer = upload ? Transfer::Upload : Transfer::Download;
    // Like opening a remote file, this returns once the server accepted the transfer, so
    // that a refusal (no such folder, no permission) is reported here.
    if (!Drive([this] { return m_started; })) {
        AbortTransfer();
        ThrowStopped();
    }
    if (m_done && m_result != CURLE_OK) {
        CURLcode rc = m_result;
        Detach();
        m_transfer = Transfer::None;
        ThrowFor(rc);
    }
}

void FtpLink::Write(const void* data, std::size_t count)
{
    if (m_transfer != Transfer::Upload)
        AfxThrowInternetException(1, ERROR_INTERNET_INTERNAL_ERROR);
    if (m_done) {
        CURLcode rc = m_result;
        AbortTransfer();
        ThrowFor(rc == CURLE_OK ? CURLE_SEND_ERROR : rc);
    }
    const char* p = static_cast<const char*>(data);
    if (m_bufPos > kMaxBuffered) {
        m_buf.erase(m_buf.begin(), m_buf.begin() + std::ptrdiff_t(m_bufPos));
        m_bufPos = 0;
    }
    m_buf.insert(m_buf.end(), p, p + count);
    if (m_paused) {
        m_paused = false;
        curl_easy_pause(m_easy, CURLPAUSE_CONT);
    }
    PerformOnce();
    // Beyond the bound, wait for the network instead of holding more.
    if (!Drive([this] { return m_buf.size() - m_bufPos <= kMaxBuffered; })) {
        AbortTransfer();
        ThrowStopped();
    }
    if (m_done) {
        CURLcode rc = m_result;
        AbortTransfer();
        ThrowFor(rc == CURLE_OK ? CURLE_SEND_ERROR : rc);
    }
}

void FtpLink::FinishUpload()
{
    if (m_transfer != Transfer::Upload)
        return;
    m_eof = true;
    if (m_paused) {
        m_paused = false;
        curl_easy_pause(m_easy, CURLPAUSE_CONT);
    }
    // Success only once the server's final reply to the store command has arrived.
    if (!Drive([] { return false; })) {
        AbortTransfer();
        ThrowStopped();
    }
    CURLcode rc = m_result;
    Detach();
    m_transfer = Transfer::None;
    m_buf.clear();
    m_bufPos = 0;
    if (rc != CURLE_OK)
        ThrowFor(rc);
}

std::size_t FtpLink::Read(void* data, std::size_t count)
{
    if (m_transfer != Transfer::Download)
        AfxThrowInternetException(1, ERROR_INTERNET_INTERNAL_ERROR);
    if (m_buf.size() == m_bufPos && !m_done) {
        if (m_paused) {
            m_paused = false;
            curl_easy_pause(m_easy, CURLPAUSE_CONT);
        }
        if (!Drive([this] { return m_buf.size() > m_bufPos; })) {
            AbortTransfer();
            ThrowStopped();
        }
    }
    size_t avail = m_buf.size() - m_bufPos;
    if (avail == 0) {
        // The transfer ended: with the server's confirmation, or with an error.
        CURLcode rc = m_result;
        Detach();
        m_transfer = Transfer::None;
        if (rc != CURLE_OK)
            ThrowFor(rc);
        return 0;
    }
    size_t take = std::min(avail, count);
    std::memcpy(data, m_buf.data() + m_bufPos, take);
    m_bufPos += take;
    if (m_bufPos == m_buf.size()) {
        m_buf.clear();
        m_bufPos = 0;
    } else if (m_bufPos > kMaxBuffered) {
        m_buf.erase(m_buf.begin(), m_buf.begin() + std::ptrdiff_t(m_bufPos));
        m_bufPos = 0;
    }
    if (m_paused && m_buf.size() - m_bufPos < kMaxBuffered / 2) {
        m_paused = false;
        curl_easy_pause(m_easy, CURLPAUSE_CONT);
    }
    return take;
}

void FtpLink::AbortTransfer()
{
    if (m_driving) {
        // Asked from the idle handler: the waiting step ends and abandons the transfer.
        m_cancel = true;
        return;
    }
    // Removing an unfinished transfer makes libcurl drop its connection; the next command
    // logs in again.
    Detach();
    m_transfer = Transfer::None;
    m_buf.clear();
    m_bufPos = 0;
    m_paused = false;
}
