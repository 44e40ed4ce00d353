// CPFile: the file object a file-based document keeps open while it is open.
//
// A CFile with a stored path that every operation works on, the mode of the
// current open, the title and comments strings of the common document header,
// whole-file operations (create anew, remove, copy, rename) and five hooks
// through which a derived file prepares a new file, loads or drops its caches
// and writes back its buffers.
//
// Invariants:
// - the file is open exactly while the handle is valid (IsOpen);
// - a file opened without read-write access never runs FlushBuffers, neither
//   from Close nor from FlushIfWritable;
// - CreateNew leaves a closed file holding only what InitNew wrote.
#pragma once

#include "classlib/File.h"
#include "classlib/CString.h"

class CPFile : public CFile
{
    DECLARE_DYNAMIC(CPFile)
public:
    // Open modes this class builds itself.
    enum
    {
        modeCreateExclusive = 0x1012, // create | read-write | share exclusive
    };

    CPFile();
    virtual ~CPFile();

    // Stores the path; opens nothing.
    virtual void SetPathName(const CString& path);
    const CString& GetPathName() const { return m_path; }

    // Deletes an existing file at the path, creates it anew (InitNew,
    // FlushBuffers, OnClose) and closes it. Raises CFileException on failure.
    virtual void CreateNew();
    // Close, then delete the file at the path (raises on failure).
    virtual void Remove();
    // Copies the whole file to newPath; this object keeps its path and stays open.
    virtual void CopyTo(const CString& newPath);
    // Renames the file and stores the new path.
    virtual void Rename(const CString& newPath);
    // Renames the file only; the stored path stays.
    virtual void RenameTo(const CString& newPath);
    // Opens the stored path in the mode; FALSE with *pError filled on failure.
    // With the create bit runs InitNew and FlushBuffers; then OnOpen.
    virtual BOOL OpenFile(UINT nOpenFlags, CFileException* pError);
    virtual void FlushIfWritable();
    virtual BOOL IsOpen() const;
    // TRUE when closed or opened with read-write access.
    virtual BOOL IsWritable() const;
    // FALSE for an empty path; else whether the file's status can be read.
    virtual BOOL Exists() const;

    // Hooks; all do nothing here except OnAbort, which runs OnClose.
    virtual void InitNew();
    virtual void OnOpen();
    virtual void OnClose();
    virtual void OnAbort();
    virtual void FlushBuffers();

    virtual void SetFilePath(const char* lpszNewName) override;
    virtual void Abort() override;
    virtual void Close() override;

    UINT GetOpenFlags() const { return m_openFlags; }
    CString& GetTitleText() { return m_title; }
    CString& GetCommentsText() { return m_comments; }
    const CString& GetTitleText() const { return m_title; }
    const CString& GetCommentsText() const { return m_comments; }

    // Largest chunk CopyTo moves at once.
    static const DWORD copyChunkSize = 0x19000;

protected:
    // Memory for CopyTo's chunks; NULL when none can be had (the size is then halved).
    virtual void* AllocCopyBlock(DWORD size);
    virtual void FreeCopyBlock(void* block);

    UINT m_openFlags;  // CFile open mode of the current open (0 before the first)
    CString m_path;
    CString m_title;
    CString m_comments;
};
