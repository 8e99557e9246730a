// The framework's exceptions: file, archive, memory and Internet failures are thrown as
// these and caught where the user's operation starts.
#pragma once
#include "framework/core/CString.h"
#include <exception>

class CException : public std::exception {
public:
    ~CException() override = default;
    // The text shown to the user for this failure.
    virtual CString GetErrorMessage() const = 0;
    const char* what() const noexcept override;

private:
    mutable CString m_what;
};

class CMemoryException : public CException {
public:
    CString GetErrorMessage() const override { return "Out of memory."; }
};

class CFileException : public CException {
public:
    enum Cause {
        none = 0,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };
    CFileException(int cause = none, int osError = 0, const CString& fileName = CString())
        : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}
    CString GetErrorMessage() const override;
    static int OsErrorToCause(int err);

    int m_cause;
    int m_lOsError;
    CString m_strFileName;
};

class CArchiveException : public CException {
public:
    enum Cause {
        none = 0,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema,
        bufferFull,
    };
    explicit CArchiveException(int cause = none, const CString& fileName = CString())
        : m_cause(cause), m_strFileName(fileName) {}
    CString GetErrorMessage() const override;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowArchiveException(int cause, const CString& fileName = CString());
[[noreturn]] void AfxThrowFileException(int cause, int osError = 0, const CString& fileName = CString());
[[noreturn]] void AfxThrowMemoryException();
