#include "framework/net/CInternetException.h"

CString CInternetException::GetErrorMessage() const
{
    switch (m_dwError) {
    case ERROR_NO_MORE_FILES:
        return "No more files.";
    case ERROR_INTERNET_TIMEOUT:
        return "The operation timed out.";
    case ERROR_INTERNET_EXTENDED_ERROR:
        return m_strReply.IsEmpty() ? CString("The server refused the request.")
                                    : CString("The server refused the request: ") + m_strReply;
    case ERROR_INTERNET_INVALID_URL:
        return "The server name or path is not valid.";
    case ERROR_INTERNET_NAME_NOT_RESOLVED:
        return "The server name could not be resolved.";
    case ERROR_INTERNET_INCORRECT_PASSWORD:
        return "The user name or password was not accepted.";
    case ERROR_INTERNET_LOGIN_FAILURE:
        return "The login request was refused.";
    case ERROR_INTERNET_OPERATION_CANCELLED:
        return "The operation was cancelled.";
    case ERROR_INTERNET_CANNOT_CONNECT:
        return "A connection with the server could not be established.";
    case ERROR_INTERNET_CONNECTION_ABORTED:
        return "The connection with the server was terminated.";
    case ERROR_FTP_TRANSFER_IN_PROGRESS:
        return "A transfer is already in progress on this connection.";
    case ERROR_FTP_DROPPED:
        return "The connection with the server is closed.";
    default:
        return CString::Formatted("Internet error %u.", unsigned(m_dwError));
    }
}

void AfxThrowInternetException(std::uintptr_t context, DWORD error, const CString& reply)
{
    throw CInternetException(error, reply, context);
}
