#include "framework/core/CArchive.h"

#include <QtCore/QString>

CArchive::CArchive(CFile* file, UINT mode, int bufferSize)
    : m_file(file), m_storing((mode & load) == 0), m_bufSize(size_t(bufferSize > 512 ? bufferSize : 512))
{
    m_buf.reset(new BYTE[m_bufSize]);
    m_cur = m_buf.get();
    // Storing: the free room runs to the end of the buffer. Loading: nothing read yet.
    m_end = m_storing ? m_buf.get() + m_bufSize : m_buf.get();
    if (file)
        m_strFileName = file->GetFilePath();
}

CArchive::~CArchive()
{
    if (m_storing && m_file) {
        try {
            Flush();
        } catch (...) {
        }
    }
}

void CArchive::Flush()
{
    if (m_storing) {
        std::size_t n = size_t(m_cur - m_buf.get());
        m_cur = m_buf.get();
        if (n)
            m_file->Write(m_buf.get(), UINT(n));
    }
}

void CArchive::Close()
{
    Flush();
    m_file = nullptr;
}

void CArchive::Abort()
{
    m_cur = m_buf.get();
    m_end = m_storing ? m_buf.get() + m_bufSize : m_buf.get();
    m_file = nullptr;
    m_fileLeftKnown = false;
}

void CArchive::LearnFileLeft() const
{
    const std::uint64_t len = m_file->GetLength();
    const std::uint64_t pos = m_file->GetPosition();
    m_fileLeft = len > pos ? len - pos : 0;
    m_fileLeftKnown = true;
}

UINT CArchive::ReadFile(void* p, std::size_t n)
{
    const UINT got = m_file->Read(p, UINT(n));
    if (m_fileLeftKnown) {
        // A short read means the file ends here, whatever its length said.
        m_fileLeft = got < n ? 0 : (m_fileLeft > got ? m_fileLeft - got : 0);
    }
    return got;
}

void CArchive::ThrowEof() const
{
    throw CArchiveException(CArchiveException::endOfFile, m_strFileName);
}

void CArchive::CheckCount(std::int64_t count, std::uint64_t itemSize) const
{
    if (count < 0)
        throw CArchiveException(CArchiveException::badIndex, m_strFileName);
    if (itemSize && std::uint64_t(count) > GetRemaining() / itemSize)
        ThrowEof();
}

void CArchive::Fill()
{
    std::size_t keep = size_t(m_end - m_cur);
    std::memmove(m_buf.get(), m_cur, keep);
    m_cur = m_buf.get();
    m_end = m_cur + keep;
    UINT got = m_file ? ReadFile(m_end, m_bufSize - keep) : 0;
    m_end += got;
}

std::size_t CArchive::ReadSome(void* buf, std::size_t count)
{
    if (m_storing)
        throw CArchiveException(CArchiveException::writeOnly, m_strFileName);
    BYTE* out = static_cast<BYTE*>(buf);
    std::size_t done = 0;
    while (done < count) {
        std::size_t avail = size_t(m_end - m_cur);
        if (avail == 0) {
            std::size_t want = count - done;
            if (want >= m_bufSize && m_file) {
                // Large raw blocks go straight from the file, past the buffer.
                UINT got = ReadFile(out + done, std::min<std::size_t>(want, 0x40000000u));
                if (got == 0)
                    break;
                done += got;
                continue;
            }
            Fill();
            avail = size_t(m_end - m_cur);
            if (avail == 0)
                break;
        }
        std::size_t n = std::min(avail, count - done);
        std::memcpy(out + done, m_cur, n);
        m_cur += n;
        done += n;
    }
    return done;
}

void CArchive::Read(void* buf, std::size_t count)
{
    if (ReadSome(buf, count) != count)
        ThrowEof();
}

void CArchive::Write(const void* buf, std::size_t count)
{
    if (!m_storing)
        throw CArchiveException(CArchiveException::readOnly, m_strFileName);
    const BYTE* in = static_cast<const BYTE*>(buf);
    std::size_t room = size_t(m_end - m_cur);
    if (count <= room) {
        std::memcpy(m_cur, in, count);
        m_cur += count;
        return;
    }
    Flush();
    if (count >= m_bufSize) {
        while (count) {
            UINT n = UINT(std::min<std::size_t>(count, 0x40000000u));
            m_file->Write(in, n);
            in += n;
            count -= n;
        }
        return;
    }
    std::memcpy(m_cur, in, count);
    m_cur += count;
}

void CArchive::WriteStringLength(std::uint32_t length)
{
    if (length < 0xFF) {
        *this << BYTE(length);
    } else if (length < 0xFFFE) {
        *this << BYTE(0xFF) << WORD(length);
    } else {
        *this << BYTE(0xFF) << WORD(0xFFFF) << std::uint32_t(length);
    }
}

std::uint32_t CArchive::ReadStringLength(bool* wide)
{
    if (wide)
        *wide = false;
    BYTE b;
    *this >> b;
    if (b < 0xFF)
        return b;
    WORD w;
    *this >> w;
    if (w == 0xFFFE) {
        // A UTF-16 string follows: its length comes again in the same form.
        if (wide)
            *wide = true;
        *this >> b;
        if (b < 0xFF)
            return b;
        *this >> w;
    }
    if (w < 0xFFFF)
        return w;
    std::uint32_t d;
    *this >> d;
    if (d == 0xFFFFFFFFu)
        throw CArchiveException(CArchiveException::badIndex, m_strFileName); // 64-bit lengths: never ours
    return d;
}

CArchive& CArchive::operator<<(const CString& s)
{
    WriteStringLength(std::uint32_t(s.GetLength()));
    Write(s.GetString(), size_t(s.GetLength()));
    return *this;
}

CArchive& CArchive::operator>>(CString& s)
{
    bool wide = false;
    std::uint32_t n = ReadStringLength(&wide);
    CheckCount(n, wide ? 2 : 1);
    if (wide) {
        std::u16string units(n, u'\0');
        Read(units.data(), size_t(n) * 2);
        s = CString::FromQString(QString::fromUtf16(units.data(), qsizetype(n)));
    } else {
        std::string bytes(n, '\0');
        Read(bytes.data(), n);
        s = CString(std::move(bytes));
    }
    return *this;
}
