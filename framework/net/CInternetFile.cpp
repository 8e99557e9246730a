#include "framework/net/CInternetFile.h"
#include "framework/net/CInternetException.h"
#include "framework/net/FtpLink.h"

CInternetFile::CInternetFile(std::shared_ptr<FtpLink> link, const CString& path, bool writing)
    : m_link(std::move(link)), m_path(path), m_writing(writing)
{
}

CInternetFile::~CInternetFile()
{
    Abort();
}

UINT CInternetFile::Read(void* buffer, UINT count)
{
    if (!m_open || m_writing)
        AfxThrowInternetException(1, ERROR_INTERNET_INTERNAL_ERROR);
    if (m_eof || count == 0)
        return 0;
    std::size_t n;
    try {
        n = m_link->Read(buffer, count);
    } catch (...) {
        m_open = false;
        throw;
    }
    if (n == 0) {
        m_eof = true; // the transfer ended with the server's confirmation
    }
    m_moved += n;
    return UINT(n);
}

void CInternetFile::Write(const void* buffer, UINT count)
{
    if (!m_open || !m_writing)
        AfxThrowInternetException(1, ERROR_INTERNET_INTERNAL_ERROR);
    if (count == 0)
        return;
    try {
        m_link->Write(buffer, count);
    } catch (...) {
        m_open = false;
        throw;
    }
    m_moved += count;
}

void CInternetFile::Close()
{
    if (!m_open)
        return;
    m_open = false;
    if (m_writing)
        m_link->FinishUpload();
    else if (!m_eof)
        m_link->AbortTransfer();
}

void CInternetFile::Abort()
{
    if (!m_open)
        return;
    m_open = false;
    m_link->AbortTransfer();
}
