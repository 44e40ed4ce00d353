#include "classlib/Exceptions.h"
#include "classlib/Resources.h"

#include <errno.h>
#include <string.h>
#include <sys/stat.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(COleDispatchException, CException)

namespace {

AFX_REPORT_ERROR_PROC g_pfnReportError = nullptr;

// Copies the text, cut to the buffer; FALSE when the text is empty.
BOOL CopyMessage(const CString& text, LPTSTR lpszError, UINT nMaxError)
{
    if (lpszError == nullptr || nMaxError == 0)
        return !text.IsEmpty();
    UINT n = (UINT)text.GetLength();
    if (n > nMaxError - 1)
        n = nMaxError - 1;
    memcpy(lpszError, (LPCTSTR)text, n);
    lpszError[n] = '\0';
    return !text.IsEmpty();
}

// The string-table text of a cause ("%1" replaced by the file name); a generic
// text when the table lacks it.
CString CauseText(UINT nFirstID, int cause, int nLastCause, const CString& strFileName)
{
    const CString strName = strFileName.IsEmpty() ? CString("an unnamed file") : strFileName;
    CString text;
    if (cause >= 0 && cause <= nLastCause)
        AfxFormatString1(text, nFirstID + (UINT)cause, strName);
    if (text.IsEmpty())
        AfxFormatString1(text, nFirstID + 1, strName); // the generic cause
    if (text.IsEmpty())
        text.Format("An unexpected error (cause %d) occurred while accessing %s.", cause, (LPCTSTR)strName);
    return text;
}

BOOL IsExistingFolder(const CString& strFolder)
{
    if (strFolder.IsEmpty())
        return TRUE; // the current folder
    CString strNative(strFolder);
#ifndef _WIN32
    strNative.Replace('\\', '/'); // callers may still hold the Windows form
#endif
    struct stat st;
    return stat(strNative, &st) == 0 && S_ISDIR(st.st_mode);
}

// The folder part of a path ("" when it names a file in the current folder).
CString FolderOf(const CString& strPath)
{
    int n = strPath.GetLength();
    while (n > 0 && strPath[n - 1] != '/' && strPath[n - 1] != '\\' && strPath[n - 1] != ':')
        --n;
    if (n > 1 && strPath[n - 1] != ':')
        --n; // drop the separator, keep a root "/" or "C:"
    return strPath.Left(n);
}

} // namespace

// ---- CException ----------------------------------------------------------------

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    return CopyMessage(CString(), lpszError, nMaxError);
}

CString CException::GetErrorText() const
{
    CString text;
    const int nMax = 1024;
    GetErrorMessage(text.GetBuffer(nMax), (UINT)nMax + 1);
    text.ReleaseBuffer();
    return text;
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    if (g_pfnReportError == nullptr)
        return 0;
    const CString text = GetErrorText();
    return g_pfnReportError(this, text, nType, text.IsEmpty() ? nMessageID : 0);
}

AFX_REPORT_ERROR_PROC AfxSetReportErrorProc(AFX_REPORT_ERROR_PROC pfn)
{
    AFX_REPORT_ERROR_PROC pfnOld = g_pfnReportError;
    g_pfnReportError = pfn;
    return pfnOld;
}

BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    return CopyMessage("Out of memory.", lpszError, nMaxError);
}

BOOL CNotSupportedException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    return CopyMessage("Unsupported operation was attempted.", lpszError, nMaxError);
}

// ---- CFileException -----------------------------------------------------------------

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName)
{
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = (UINT)m_cause;
    return CopyMessage(CauseText(AFX_IDP_FILE_NONE, m_cause, endOfFile, m_strFileName), lpszError, nMaxError);
}

int CFileException::OsErrorToException(LONG lOsError)
{
    // Win32 error codes (winerror.h numbers, so that both builds share the table).
    switch (lOsError) {
    case 0:
        return none;
    case 2:   // ERROR_FILE_NOT_FOUND
    case 18:  // ERROR_NO_MORE_FILES
    case 64:  // ERROR_NETNAME_DELETED
    case 110: // ERROR_OPEN_FAILED
        return fileNotFound;
    case 3:   // ERROR_PATH_NOT_FOUND
    case 15:  // ERROR_INVALID_DRIVE
    case 17:  // ERROR_NOT_SAME_DEVICE
    case 34:  // ERROR_WRONG_DISK
    case 53:  // ERROR_BAD_NETPATH
    case 55:  // ERROR_DEV_NOT_EXIST
    case 67:  // ERROR_BAD_NET_NAME
    case 111: // ERROR_BUFFER_OVERFLOW (name too long)
    case 123: // ERROR_INVALID_NAME
    case 161: // ERROR_BAD_PATHNAME
    case 206: // ERROR_FILENAME_EXCED_RANGE
    case 267: // ERROR_DIRECTORY
        return badPath;
    case 4:  // ERROR_TOO_MANY_OPEN_FILES
    case 36: // ERROR_SHARING_BUFFER_EXCEEDED
    case 68: // ERROR_TOO_MANY_NAMES
    case 69: // ERROR_TOO_MANY_SESS
        return tooManyOpenFiles;
    case 5:   // ERROR_ACCESS_DENIED
    case 19:  // ERROR_WRITE_PROTECT
    case 65:  // ERROR_NETWORK_ACCESS_DENIED
    case 71:  // ERROR_REQ_NOT_ACCEP
    case 80:  // ERROR_FILE_EXISTS
    case 145: // ERROR_DIR_NOT_EMPTY
    case 170: // ERROR_BUSY
    case 183: // ERROR_ALREADY_EXISTS
        return accessDenied;
    case 6:  // ERROR_INVALID_HANDLE
    case 26: // ERROR_NOT_DOS_DISK
    case 60: // ERROR_BAD_REM_ADAP
        return invalidFile;
    case 16: // ERROR_CURRENT_DIRECTORY
        return removeCurrentDir;
    case 62: // ERROR_NO_SPOOL_SPACE
    case 82: // ERROR_CANNOT_MAKE
        return directoryFull;
    case 25:  // ERROR_SEEK
    case 131: // ERROR_NEGATIVE_SEEK
    case 132: // ERROR_SEEK_ON_DEVICE
        return badSeek;
    case 21: // ERROR_NOT_READY
    case 23: // ERROR_CRC
    case 27: // ERROR_SECTOR_NOT_FOUND
    case 29: // ERROR_WRITE_FAULT
    case 30: // ERROR_READ_FAULT
    case 31: // ERROR_GEN_FAILURE
    case 57: // ERROR_ADAP_HDW_ERR
    case 59: // ERROR_UNEXP_NET_ERR
    case 88: // ERROR_NET_WRITE_FAULT
        return hardIO;
    case 32: // ERROR_SHARING_VIOLATION
    case 70: // ERROR_SHARING_PAUSED
        return sharingViolation;
    case 33:  // ERROR_LOCK_VIOLATION
    case 108: // ERROR_DRIVE_LOCKED
    case 158: // ERROR_NOT_LOCKED
    case 167: // ERROR_LOCK_FAILED
        return lockViolation;
    case 39:  // ERROR_HANDLE_DISK_FULL
    case 112: // ERROR_DISK_FULL
        return diskFull;
    case 38: // ERROR_HANDLE_EOF
        return endOfFile;
    default:
        return generic;
    }
}

int CFileException::ErrnoToException(int nErrno, LPCTSTR lpszPath)
{
    switch (nErrno) {
    case 0:
        return none;
    case ENOENT:
        // POSIX does not tell a missing file from a missing folder; Windows does.
        if (lpszPath != nullptr && !IsExistingFolder(FolderOf(lpszPath)))
            return badPath;
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ENODEV:
    case ENXIO:
    case EXDEV:
#ifdef ELOOP
    case ELOOP:
#endif
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case EEXIST:
    case ENOTEMPTY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
        return accessDenied;
    case EBADF:
        return invalidFile;
    case ESPIPE:
        return badSeek;
    case EIO:
        return hardIO;
    case EBUSY:
        return sharingViolation;
    case EDEADLK:
    case ENOLCK:
        return lockViolation;
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return diskFull;
    default:
        return generic;
    }
}

void CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
    if (nErrno != 0)
        AfxThrowFileException(ErrnoToException(nErrno, lpszFileName), nErrno, lpszFileName);
}

// ---- CArchiveException, COleDispatchException ------------------------------------------

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = (UINT)m_cause;
    return CopyMessage(CauseText(AFX_IDP_ARCH_NONE, m_cause, badSchema, m_strFileName), lpszError, nMaxError);
}

COleDispatchException::COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode)
    : m_wCode(wCode), m_scError(0), m_strDescription(lpszDescription), m_dwHelpContext(nHelpID)
{
}

BOOL COleDispatchException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = (UINT)m_dwHelpContext;
    return CopyMessage(m_strDescription, lpszError, nMaxError);
}

// ---- throwing helpers ----------------------------------------------------------------------

void AfxThrowMemoryException()
{
    // Preallocated: there may be no memory left for a new exception.
    // Thrown as the derived pointer type so that handlers of the derived type catch it.
    static CMemoryException s_memoryException(FALSE);
    throw &s_memoryException;
}

void AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void AfxThrowUserException()
{
    throw new CUserException;
}

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}

void AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID)
{
    throw new COleDispatchException(lpszDescription, nHelpID, wCode);
}
