// CFile: an unbuffered binary file on the operating system.
//
// Errors are raised as CFileException (cause, OS error code, file name),
// except in Open, which reports failure by returning FALSE and filling the
// optional exception object, and in Abort, which never throws.
//
// Share modes are enforced in both builds: while one CFile holds a file open
// with shareExclusive (or shareDenyWrite), a second open of the same file for
// any access (or for writing) fails with sharingViolation.  The Windows build
// relies on CreateFile's share modes; the native build keeps a process-wide
// table of open files and mirrors the same rules across processes with
// advisory record locks.
//
// Positions and lengths are 32-bit: the program's files never exceed 2 GB.
// Every I/O operation is virtual so that in-memory and derived files can
// replace it; GetLength is built on GetPosition and Seek.
#pragma once

#include "classlib/Types.h"
#include "classlib/CString.h"
#include "classlib/Object.h"
#include "classlib/Time.h"

class CFileException;

struct CFileStatus
{
    CTime m_ctime;        // creation time
    CTime m_mtime;        // last modification
    CTime m_atime;        // last access
    DWORD m_size = 0;     // length in bytes
    BYTE m_attribute = 0; // CFile::Attribute bits
    char m_szFullName[260] = {};
};

class CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)

public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000, // treated as shareExclusive
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,   // CStdioFile only
        typeBinary = 0x8000, // CStdioFile only
    };

    enum Attribute
    {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20,
    };

    enum SeekPosition
    {
        begin = 0,
        current = 1,
        end = 2,
    };

    // The value of m_hFile while no file is open.
    static const HANDLE hFileNull;

    CFile();
    // Opens the file; throws CFileException on failure.
    CFile(const char* lpszFileName, UINT nOpenFlags);
    // Closes the file if still open (errors ignored).
    ~CFile() override;

    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opens the file in the given mode.  On failure returns FALSE and, when
    // pError is given, fills it with the cause, the OS error and the name.
    virtual BOOL Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);

    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);

    // Returns the new position; a negative result raises badSeek.
    virtual DWORD Seek(LONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    DWORD SeekToEnd() { return Seek(0, end); }
    virtual DWORD GetPosition() const;
    virtual DWORD GetLength() const;
    virtual void SetLength(DWORD dwNewLen);

    virtual void Flush();
    // Closes the handle; throws CFileException when the system reports a
    // failure.  Closing a closed file does nothing.
    virtual void Close();
    // Closes the handle ignoring every error; never throws.
    virtual void Abort();
    // A second CFile on the same open file with its own position (the same
    // access and share rights).
    virtual CFile* Duplicate() const;

    // Byte-range locks; a region locked through one CFile cannot be locked
    // again through another until it is unlocked (lockViolation).
    virtual void LockRange(DWORD dwPos, DWORD dwCount);
    virtual void UnlockRange(DWORD dwPos, DWORD dwCount);

    virtual CString GetFilePath() const { return m_strFileName; }
    virtual void SetFilePath(const char* lpszNewName) { m_strFileName = lpszNewName; }
    // The last component of the path ("C:\a\b.txt" -> "b.txt").
    virtual CString GetFileName() const;
    // The file name without its extension ("b").
    virtual CString GetFileTitle() const;

    BOOL GetStatus(CFileStatus& rStatus) const;
    static BOOL GetStatus(const char* lpszFileName, CFileStatus& rStatus);
    static void Remove(const char* lpszFileName);
    static void Rename(const char* lpszOldName, const char* lpszNewName);

    BOOL IsOpenHandle() const { return m_hFile != hFileNull; }

    HANDLE m_hFile;

protected:
    CString m_strFileName;
    UINT m_nOpenFlags = 0;
    BOOL m_bCloseOnDelete = FALSE;

private:
    void ThrowLastError() const; // with the error of the last system call
};

// Maps a program path onto the native file system (native build): backslashes
// become slashes and a drive prefix "X:" stands for the root "/", so
// "C:\tmp\a.txt" is "/tmp/a.txt".  The Windows build returns the path as is.
CString AfxNativePath(const char* lpszPath);
// The reverse for an absolute native path: "/tmp/a" is "C:\tmp\a" (native
// build); the Windows build returns the path as is.
CString AfxProgramPath(const char* lpszNativePath);
// The full Windows form of a path, as the system resolves it: relative to the
// current directory, backslashes only, "." and ".." taken out ("sub\..\a" in
// "C:\Data" is "C:\Data\a"). Nothing on disk is consulted, so the case
// stays as typed. The empty path stays empty.
CString AfxFullPath(const char* lpszPath);
