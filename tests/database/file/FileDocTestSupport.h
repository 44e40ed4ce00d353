// A small file-based document (a term-list header followed by one archive
// string), a file object that can be told to fail, scripted dialogs, an
// observer that records hints and an application with a scripted file prompt.
#pragma once

#include "FileTestSupport.h"
#include "app/core/DocObserver.h"
#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "classlib/WinApp.h"
#include "database/file/BTPagedFile.h"
#include "database/file/DocHeader.h"
#include "database/file/FileBasedDocument.h"
#include "database/file/FileDocumentDialogs.h"
#include "database/file/PDocument.h"

#include <vector>

namespace filetest
{
// Fails the next `failOpens` opens with a sharing violation and the RenameTo
// call numbered `failRenameAt` (0 = the first one).
class FlakyFile : public CPFile
{
public:
    BOOL OpenFile(UINT nOpenFlags, CFileException* pError) override
    {
        if (failOpens > 0) {
            --failOpens;
            pError->m_cause = CFileException::sharingViolation;
            pError->m_strFileName = GetPathName();
            return FALSE;
        }
        return CPFile::OpenFile(nOpenFlags, pError);
    }
    void RenameTo(const CString& newPath) override
    {
        if (renames++ == failRenameAt)
            AfxThrowFileException(CFileException::accessDenied, -1, GetPathName());
        CPFile::RenameTo(newPath);
    }

    int failOpens = 0;
    int failRenameAt = -1;
    int renames = 0;
};

class TermDoc : public CPDocument
{
    DECLARE_DYNCREATE(TermDoc)

public:
    ~TermDoc() override { ++s_destroyed; }
    CPFile* GetFileObject() override { return &m_file; }
    WORD GetDocumentType() override { return docTypeTermList; }
    WORD GetDocumentVersion() override { return docVersionTermList; }
    WORD GetHeaderCodeA() override { return 0; }
    WORD GetHeaderCodeB() override { return 0; }
    void Serialize(CArchive& ar) override
    {
        CFileBasedDocument::Serialize(ar);
        if (ar.IsStoring())
            ar << m_body;
        else
            ar >> m_body;
    }
    void DeleteContents() override { m_body.Empty(); }

    FlakyFile m_file;
    CString m_body;
    int m_failViewAt = -1; // the view whose data exchange fails
    int m_viewExchanges = 0;
    static int s_destroyed;

protected:
    BOOL UpdateViewData(CView*, BOOL) override { return m_viewExchanges++ != m_failViewAt; }
};

// The database's kind of file object, with a term-list header: its open reads
// the paged header and raises for a damaged or newer one. It can be told to
// fail the header read of its next opens as well.
class PagedTermFile : public BTPagedFile
{
public:
    PagedTermFile()
    {
        SetDocumentType(docTypeTermList);
        SetVersion(docVersionTermList);
    }
    void OnOpen() override
    {
        BTPagedFile::OnOpen();
        if (failOpens > 0) {
            --failOpens;
            AfxThrowArchiveException(CArchiveException::badSchema, GetPathName());
        }
    }

    int failOpens = 0;
};

// A document kept in a paged file; its contents are whatever the file holds.
class PagedDoc : public CPDocument
{
    DECLARE_DYNCREATE(PagedDoc)

public:
    PagedDoc() { m_file.failOpens = s_failOpensOfNext; }
    ~PagedDoc() override { ++s_destroyed; }
    CPFile* GetFileObject() override { return &m_file; }
    WORD GetDocumentType() override { return docTypeTermList; }
    WORD GetDocumentVersion() override { return docVersionTermList; }
    WORD GetHeaderCodeA() override { return 0; }
    WORD GetHeaderCodeB() override { return 0; }
    void DeleteContents() override { ++m_clears; }

    PagedTermFile m_file;
    int m_clears = 0;
    static int s_failOpensOfNext; // header reads the next document's file fails
    static int s_destroyed;
};

class HintRecorder : public CDocObserver
{
public:
    int OnDocumentNotify(long hint, CObject*) override
    {
        hints.push_back(hint);
        return 0;
    }
    int Count(long hint) const
    {
        int n = 0;
        for (long h : hints)
            n += h == hint;
        return n;
    }
    std::vector<long> hints;
};

// Installed for its lifetime; answers Cancel unless told otherwise.
class ScriptedDialogs : public CFileDocumentDialogs
{
public:
    ScriptedDialogs() { m_previous = SetFileDocumentDialogs(this); }
    ~ScriptedDialogs() override { SetFileDocumentDialogs(m_previous); }
    BOOL RunFileProperties(FilePropertiesFields& fields) override
    {
        shown = fields;
        ++propertiesRuns;
        if (propertiesFail)
            AfxThrowMemoryException();
        if (!propertiesOk)
            return FALSE;
        if (!fields.readOnly)
            fields.comments = newComments;
        return TRUE;
    }
    BOOL RunRename(const CString&, CString& newName) override
    {
        newName = renameTo;
        return !renameTo.IsEmpty();
    }

    BOOL propertiesOk = FALSE;
    BOOL propertiesFail = FALSE; // the sheet cannot be shown
    CString newComments;
    CString renameTo;
    FilePropertiesFields shown;
    int propertiesRuns = 0;

private:
    CFileDocumentDialogs* m_previous;
};

class PromptApp : public CWinApp
{
public:
    PromptApp() : CWinApp("FileDocTests") {}
    BOOL DoPromptFileName(CString& fileName, UINT, DWORD, BOOL, CDocTemplate*) override
    {
        if (answer.IsEmpty())
            return FALSE;
        fileName = answer;
        return TRUE;
    }
    CString answer;
};

// A term-list file with the given header values and body.
inline void WriteTermFile(const CString& path, WORD codeA, WORD codeB, WORD type, WORD version,
                          const char* title = "T", const char* comments = "C", const char* body = "body")
{
    CFile f(path, CFile::modeCreate | CFile::modeReadWrite);
    CArchive ar(&f, CArchive::store);
    StoreDocumentHeader(ar, codeA, codeB, type, version, CString(title), CString(comments));
    ar << CString(body);
    ar.Close();
    f.Close();
}

// A fresh Windows path with the term-list extension (the native build maps
// C:\tmp to its temporary folder).
inline CString DocPath(const char* stem)
{
    static int counter = 0;
    char name[300];
#ifdef _WIN32
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    snprintf(name, sizeof(name), "%slvdoc_%s_%lu_%d.ltl", folder, stem, (unsigned long)GetCurrentProcessId(),
             ++counter);
#else
    snprintf(name, sizeof(name), "C:\\tmp\\lvdoc_%s_%d_%d.ltl", stem, (int)getpid(), ++counter);
#endif
    return CString(name);
}

// A new paged term-list file holding only its header.
inline void WritePagedTermFile(const CString& path)
{
    PagedTermFile file;
    file.SetPathName(path);
    file.CreateNew();
}

inline bool FileExists(const CString& path)
{
    CFileStatus status;
    return CFile::GetStatus(path, status) != FALSE;
}
} // namespace filetest
