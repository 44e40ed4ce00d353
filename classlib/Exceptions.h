// Exceptions of the class library.
//
// They are thrown as heap pointers and caught as CException*; the catcher ends
// its handling with e->Delete():
//     try { ... } catch (CException* e) { ...; e->Delete(); }
// The memory exception is a preallocated object that Delete() leaves alone, so
// that reporting a lack of memory needs none.
#pragma once

#include "classlib/Object.h"
#include "classlib/CString.h"

#include <new>

class CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}
    ~CException() override = default;

    // Frees the exception unless it is a static one.
    void Delete();

    // Copies a readable text of the error (at most nMaxError-1 characters plus
    // a NUL) and returns TRUE; FALSE with an empty text when there is none.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
    // The same text as a CString.
    CString GetErrorText() const;

    // Shows the error text (or, when there is none, the string nMessageID)
    // through the installed reporter; returns the reporter's result, or 0
    // when no reporter is installed.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

    BOOL m_bAutoDelete;
};

// Hook through which ReportError shows its message; installed by the
// application shell (message boxes), absent in tests.
typedef int (*AFX_REPORT_ERROR_PROC)(const CException* pException, LPCTSTR lpszText, UINT nType,
                                     UINT nMessageID);
AFX_REPORT_ERROR_PROC AfxSetReportErrorProc(AFX_REPORT_ERROR_PROC pfn);

class CMemoryException : public CException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    explicit CMemoryException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

class CNotSupportedException : public CException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    explicit CNotSupportedException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

// Abandons an operation quietly: whoever threw it has already told the user.
class CUserException : public CException
{
    DECLARE_DYNAMIC(CUserException)
public:
    explicit CUserException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
};

class CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum
    {
        none = 0,
        generic = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);

    // The cause for a Win32 error code (GetLastError); generic when unknown.
    static int OsErrorToException(LONG lOsError);
    // The cause for a C runtime errno.  A missing file (ENOENT) whose folder
    // does not exist either is a bad path, as on Windows; lpszPath (may be NULL)
    // is the path that failed.
    static int ErrnoToException(int nErrno, LPCTSTR lpszPath = nullptr);
    static void ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = nullptr);
    static void ThrowErrno(int nErrno, LPCTSTR lpszFileName = nullptr);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    LONG m_lOsError; // -1 when not known
    CString m_strFileName;
};

class CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum
    {
        none = 0,
        generic = 1,
        readOnly = 2,
        endOfFile = 3,
        writeOnly = 4,
        badIndex = 5,
        badClass = 6,
        badSchema = 7
    };

    explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};

// Failure of an automation method, with an optional description for the caller.
class COleDispatchException : public CException
{
    DECLARE_DYNAMIC(COleDispatchException)
public:
    COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    WORD m_wCode;
    LONG m_scError;
    CString m_strSource;
    CString m_strDescription; // empty when there is none
    CString m_strHelpFile;
    DWORD m_dwHelpContext;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = nullptr);
[[noreturn]] void AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID = 0);

// Runs f and returns its result; a std::bad_alloc thrown by a standard
// container inside leaves as the memory exception instead, so that handlers
// of CException* see it and run their cleanup. Wrap the container calls of
// code whose callers catch only class-library exceptions.
template <class F>
auto AfxTranslateBadAlloc(F&& f) -> decltype(f())
{
    try
    {
        return f();
    }
    catch (const std::bad_alloc&)
    {
        AfxThrowMemoryException();
    }
}
