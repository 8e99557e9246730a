// Failures of the Internet classes. The error codes are the numbers callers test
// (name not resolved, wrong password, ...); texts never carry credentials.
#pragma once
#include "framework/core/Exceptions.h"
#include "framework/core/Types.h"
#include <cstdint>

// Error codes of the Internet classes.
enum : DWORD {
    ERROR_NO_MORE_FILES = 18,
    ERROR_INTERNET_TIMEOUT = 12002,
    ERROR_INTERNET_EXTENDED_ERROR = 12003, // the server refused; its reply is in the message
    ERROR_INTERNET_INTERNAL_ERROR = 12004,
    ERROR_INTERNET_INVALID_URL = 12005,
    ERROR_INTERNET_NAME_NOT_RESOLVED = 12007,
    ERROR_INTERNET_INCORRECT_PASSWORD = 12014,
    ERROR_INTERNET_LOGIN_FAILURE = 12015,
    ERROR_INTERNET_OPERATION_CANCELLED = 12017,
    ERROR_INTERNET_CANNOT_CONNECT = 12029,
    ERROR_INTERNET_CONNECTION_ABORTED = 12030,
    ERROR_FTP_TRANSFER_IN_PROGRESS = 12110,
    ERROR_FTP_DROPPED = 12111,
};

class CInternetException : public CException {
public:
    explicit CInternetException(DWORD error, const CString& serverReply = CString(), std::uintptr_t context = 1)
        : m_dwError(error), m_dwContext(context), m_strReply(serverReply) {}
    CString GetErrorMessage() const override;

    DWORD m_dwError;
    std::uintptr_t m_dwContext;
    CString m_strReply; // the server's last reply line, when it refused
};

[[noreturn]] void AfxThrowInternetException(std::uintptr_t context, DWORD error, const CString& reply = CString());
