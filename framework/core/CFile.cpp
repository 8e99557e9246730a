#include "framework/core/CFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CFile::CFile(const char* path, UINT flags)
{
    CFileException e;
    if (!Open(path, flags, &e))
        throw e;
}

CFile::~CFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool CFile::Open(const char* path, UINT flags, CFileException* error)
{
    if (m_fd >= 0)
        Abort();
    m_path = path ? path : "";
    int oflags = O_CLOEXEC;
    switch (flags & 3) {
    case modeRead: oflags |= O_RDONLY; break;
    case modeWrite: oflags |= O_WRONLY; break;
    default: oflags |= O_RDWR; break;
    }
    if (flags & modeCreate) {
        oflags |= O_CREAT;
        if (!(flags & modeNoTruncate))
            oflags |= O_TRUNC;
    }
    m_fd = ::open(m_path.GetString(), oflags, 0666);
    if (m_fd < 0) {
        int err = errno;
        if (error) {
            error->m_cause = CFileException::OsErrorToCause(err);
            error->m_lOsError = err;
            error->m_strFileName = m_path;
        }
        return false;
    }
    struct stat st;
    if (::fstat(m_fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(m_fd);
        m_fd = -1;
        if (error) {
            error->m_cause = CFileException::accessDenied;
            error->m_lOsError = EISDIR;
            error->m_strFileName = m_path;
        }
        return false;
    }
    return true;
}

void CFile::ThrowOsError(int err) const
{
    throw CFileException(CFileException::OsErrorToCause(err), err, m_path);
}

void CFile::Close()
{
    if (m_fd >= 0) {
        int r = ::close(m_fd);
        m_fd = -1;
        if (r != 0)
            ThrowOsError(errno);
    }
}

void CFile::Abort()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

UINT CFile::Read(void* buf, UINT count)
{
    if (m_fd < 0)
        throw CFileException(CFileException::invalidFile, 0, m_path);
    size_t done = 0;
    while (done < count) {
        ssize_t r = ::read(m_fd, static_cast<char*>(buf) + done, count - done);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            ThrowOsError(errno);
        }
        if (r == 0)
            break;
        done += size_t(r);
    }
    return UINT(done);
}

void CFile::Write(const void* buf, UINT count)
{
    if (m_fd < 0)
        throw CFileException(CFileException::invalidFile, 0, m_path);
    size_t done = 0;
    while (done < count) {
        ssize_t r = ::write(m_fd, static_cast<const char*>(buf) + done, count - done);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            ThrowOsError(errno);
        }
        done += size_t(r);
    }
}

std::uint64_t CFile::Seek(std::int64_t offset, UINT from)
{
    int whence = from == begin ? SEEK_SET : (from == current ? SEEK_CUR : SEEK_END);
    off_t r = ::lseek(m_fd, off_t(offset), whence);
    if (r < 0)
        throw CFileException(CFileException::badSeek, errno, m_path);
    return std::uint64_t(r);
}

std::uint64_t CFile::GetPosition() const
{
    off_t r = ::lseek(m_fd, 0, SEEK_CUR);
    if (r < 0)
        throw CFileException(CFileException::badSeek, errno, m_path);
    return std::uint64_t(r);
}

std::uint64_t CFile::GetLength() const
{
    struct stat st;
    if (::fstat(m_fd, &st) != 0)
        ThrowOsError(errno);
    return std::uint64_t(st.st_size);
}

void CFile::SetLength(std::uint64_t length)
{
    if (::ftruncate(m_fd, off_t(length)) != 0)
        ThrowOsError(errno);
}

void CFile::Flush()
{
    if (m_fd >= 0 && ::fsync(m_fd) != 0 && errno != EINVAL)
        ThrowOsError(errno);
}

bool CFile::ReadAll(const char* path, std::vector<BYTE>& out)
{
    CFile f;
    if (!f.Open(path, modeRead))
        return false;
    try {
        std::uint64_t len = f.GetLength();
        if (len > 0x7FFFFFFFu)
            return false;
        out.resize(size_t(len));
        UINT got = f.Read(out.data(), UINT(len));
        out.resize(got);
        return true;
    } catch (const CException&) {
        return false;
    }
}

CMemFile::CMemFile(const BYTE* data, std::size_t size) : m_ext(data), m_size(size), m_grow(1024) {}

void CMemFile::Reserve(std::size_t need)
{
    if (!m_ext && need <= m_capacity)
        return;
    // Growing, or writing into an attached block: move to a larger private copy.
    std::size_t n = std::max<std::size_t>({need, m_capacity * 2, m_grow, m_size});
    std::unique_ptr<BYTE[]> grown(new BYTE[n]);
    if (m_size)
        std::memcpy(grown.get(), Data(), m_size);
    m_buf = std::move(grown);
    m_capacity = n;
    m_ext = nullptr;
}

UINT CMemFile::Read(void* buf, UINT count)
{
    if (m_pos >= m_size)
        return 0;
    std::size_t n = std::min<std::size_t>(count, m_size - m_pos);
    std::memcpy(buf, Data() + m_pos, n);
    m_pos += n;
    return UINT(n);
}

void CMemFile::Write(const void* buf, UINT count)
{
    if (!count)
        return;
    Reserve(m_pos + count);
    std::memcpy(m_buf.get() + m_pos, buf, count);
    m_pos += count;
    if (m_pos > m_size)
        m_size = m_pos;
}

std::uint64_t CMemFile::Seek(std::int64_t offset, UINT from)
{
    std::int64_t base = from == begin ? 0 : (from == current ? std::int64_t(m_pos) : std::int64_t(m_size));
    std::int64_t p = base + offset;
    if (p < 0)
        throw CFileException(CFileException::badSeek, 0, m_path);
    m_pos = std::size_t(p);
    return m_pos;
}

void CMemFile::SetLength(std::uint64_t length)
{
    Reserve(size_t(length));
    if (size_t(length) > m_size)
        std::memset(m_buf.get() + m_size, 0, size_t(length) - m_size);
    m_size = size_t(length);
    if (m_pos > m_size)
        m_pos = m_size;
}

std::vector<BYTE> CMemFile::Detach()
{
    std::vector<BYTE> out(Data(), Data() + m_size);
    m_buf.reset();
    m_ext = nullptr;
    m_capacity = m_size = m_pos = 0;
    return out;
}
