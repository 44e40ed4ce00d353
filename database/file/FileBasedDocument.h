// CFileBasedDocument: the base of every document that lives in a file
// starting with the common document header.
//
// The document keeps its file open for as long as it is open: read-write with
// exclusive sharing when possible, else read-only with deny-write sharing (so
// a second opener of the same file gets read-only access). It writes and
// checks the header, saves in place or to a new path, runs the logic of File
// Properties and File Rename, counts outside references (CFileBasedDocumentRef)
// that keep it alive without windows, and tells its observers of changes:
// hint 0x8101 on every SetModifiedFlag, 0x8100 after File Properties changed.
//
// The derived document owns the file object (GetFileObject); the header's title
// and comments live there. Invariants: m_refCount >= 0; while the count is
// above 0 OnCloseDocument closes the frames but neither clears nor deletes the
// document; IsReadOnly is TRUE exactly while the file is open without
// read-write access, and the title then ends in " (Read-Only)".
#pragma once

#include "app/core/DocObserver.h"
#include "classlib/Document.h"
#include "classlib/File.h"
#include "database/file/CPFile.h"

#include <cstdint>

class CView;

class CFileBasedDocument : public CDocument, public CDocObserverList
{
    DECLARE_DYNAMIC(CFileBasedDocument)

public:
    // Flags of OpenFile and CFileDocTemplate::OpenDocumentFileEx.
    enum OpenFlags : UINT
    {
        OpenNoFrame = 1,         // no window
        OpenCreateIfMissing = 2, // create the file when it does not exist
        OpenForWriting = 4,      // an already open read-only document is refused
        OpenReadOnly = 8,        // open the file read-only
        OpenCreateNew = 16,      // create the file anew; never reuse an open document
        OpenNoRecentList = 32,   // keep the path out of the recent-file list
    };

    // Observer hints.
    enum : long
    {
        hintPropertiesChanged = 0x8100,
        hintModifiedChanged = 0x8101,
    };

    // The two modes the document file is opened in.
    enum : UINT
    {
        modeWriteExclusive = CFile::modeReadWrite | CFile::shareExclusive,
        modeReadDenyWrite = CFile::modeRead | CFile::shareDenyWrite,
    };

    // Command IDs of the base class (their prompts share the IDs) and the
    // File Properties sheet's caption.
    enum : UINT
    {
        ID_FILE_PROPERTIES = 33824,
        ID_FILE_RENAME = 33825,
        IDS_FILE_PROPERTIES = 5183,
    };

    CFileBasedDocument();
    ~CFileBasedDocument() override;

    virtual CPFile* GetFileObject() = 0;
    virtual WORD GetDocumentType() = 0;
    virtual WORD GetDocumentVersion() = 0;
    virtual WORD GetHeaderCodeA() = 0;
    virtual WORD GetHeaderCodeB() = 0;
    // The file object's header strings; the header reads into and writes from them.
    virtual CString& GetTitleText();
    virtual CString& GetCommentsText();
    virtual long AddRef();
    // When the count reaches 0 while the document has no views and deletes
    // itself automatically, it closes (and so deletes) itself.
    virtual long Release();
    virtual BOOL IsReadOnly();
    // UpdateAllViews, then Notify on the observer list.
    virtual void UpdateAllViewsAndNotify(CView* pSender, LPARAM lHint, CObject* pHint);
    // Data exchange of every view in turn; FALSE at the first view that fails.
    virtual BOOL UpdateViewsData(BOOL bSave);
    // Opens the file with OpenFlags and loads the document from it; failures
    // are reported (prompt 0xF101) and give FALSE with the document empty.
    virtual BOOL OpenFile(LPCTSTR lpszPathName, UINT nFlags);
    // The File Properties sheet: TRUE on OK, *pChanged when the comments changed.
    virtual BOOL EditProperties(BOOL* pChanged);
    virtual void DoFileProperties();
    virtual void DoFileRename();

    // The rename itself, for a new path already built and checked: close the
    // file, rename it on disk, reopen it and take the new path. When the
    // reopen fails the file is moved back and reopened under its old path (or,
    // when it cannot be moved back, reopened under the new one), so the
    // document always ends open with its path naming its file. TRUE when the
    // document ends renamed.
    virtual BOOL RenameFile(const CString& newPath);

    void Serialize(CArchive& ar) override;
    void SetTitle(LPCTSTR lpszTitle) override;
    void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE) override;
    void SetModifiedFlag(BOOL bModified = TRUE) override;
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
    void OnCloseDocument() override;
    BOOL SaveModified() override;

    // Command enabling.
    BOOL CanRename() { return !IsReadOnly() && !m_strPathName.IsEmpty(); }
    BOOL CanSave() { return IsModified(); }

    long GetRefCount() const { return m_refCount; }
    WORD GetHeaderType() const { return m_headerType; }
    WORD GetHeaderVersion() const { return m_headerVersion; }

protected:
    // The data exchange of one view; the window half's documents override it.
    virtual BOOL UpdateViewData(CView* pView, BOOL bSave);
    // Read-write exclusive, else read-only deny-write, at the file object's
    // path. The file object's hooks may raise (a damaged or newer header).
    BOOL OpenReadWriteElseReadOnly(CFileException* pError);
    // The same after a failure that is reported already: whatever goes wrong
    // leaves the file closed, the contents cleared and adds no second report.
    BOOL ReopenQuietly();
    // Opens the file object read-write and exclusive. NULL on success, else
    // the failure to report: pError, or the exception the file's hooks raised
    // (the file then stays closed), which the caller deletes.
    CException* OpenExclusive(CFileException* pError);
    // Aborts the file object; a failure there adds nothing to the error at hand.
    void AbortFileQuietly();
    // DeleteContents after a failure; what it raises adds nothing to the error at hand.
    void DeleteContentsQuietly();
    // Stores the document through a 4096-byte archive at offset 0 and flushes.
    void StoreToFile();

    int32_t m_refCount;
    WORD m_headerType;    // of the header last read or written
    WORD m_headerVersion; // of the header last read or written

private:
    // OpenFile's steps; what they raise OpenFile reports as a failed load.
    BOOL OpenAndLoad(LPCTSTR lpszPathName, UINT nFlags);
    // Loads the document from the open file through a 4096-byte archive.
    void LoadFromFile();
    BOOL SaveToOtherPath(LPCTSTR lpszPathName);
    BOOL SaveToNewFile(LPCTSTR lpszPathName);
};
