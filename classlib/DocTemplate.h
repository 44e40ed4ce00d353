// Document templates: what kind of document a file is, and how to make, open and list documents of it.
//
// A template is made from a resource id (whose string holds the document strings, "\n"-separated in the
// order of DocStringIndex) and the runtime classes of its document, frame and view. Frames and views are
// made through CDocViewServices when the window half is installed; without it a template opens and creates
// documents with no frame at all, so documents work headless (tests, the native build).
//
// CMultiDocTemplate keeps any number of open documents and numbers untitled ones ("Title1", "Title2"...).
// Invariants: every listed document points back at this template; the template does not own its
// documents (they delete themselves on close); a template destroyed first detaches the ones still listed.
#pragma once

#include "classlib/CmdTarget.h"
#include "classlib/CString.h"
#include "classlib/Document.h"
#include "classlib/List.h"

class CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)

public:
    enum DocStringIndex
    {
        windowTitle,     // the main window's title (single-document programs)
        docName,         // base of untitled names ("Sheet" -> "Sheet1")
        fileNewName,     // the name in the File New list
        filterName,      // the file dialog's filter text
        filterExt,       // the extension with its dot (".ldt")
        regFileTypeId,   // registry file type id
        regFileTypeName, // registry file type name
    };

    // How well a file suits this template, worst first.
    enum Confidence
    {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen,
    };

    ~CDocTemplate() override;

    // Reads the document strings of m_nIDResource (once; done by the constructor when they are empty).
    virtual void LoadTemplate();

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    // FALSE with an empty string when the template has no such part.
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;

    // yesAlreadyOpen (with the document) when a document of this template has that path; yesAttemptNative
    // when the path's extension is the template's filter extension (case-insensitive); else
    // yesAttemptForeign.
    virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);

    // A new document of the document class, added to this template; NULL when it cannot be made.
    virtual CDocument* CreateNewDocument();
    // Through the window half; NULL without it.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);

    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);

    // Opens the file as a new document of this template (a new untitled document for NULL); NULL on
    // failure, after the failure was reported.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;

    UINT GetResourceID() const { return m_nIDResource; }
    CRuntimeClass* GetDocClass() const { return m_pDocClass; }
    CRuntimeClass* GetFrameClass() const { return m_pFrameClass; }
    CRuntimeClass* GetViewClass() const { return m_pViewClass; }

    // Replaces the document strings (for templates without a string resource, and tests).
    void SetDocStrings(LPCTSTR lpszDocStrings) { m_strDocStrings = lpszDocStrings; }

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);

    // TRUE when frames are to be made: the window half is installed and the template names a frame class
    // (documents of a template without one are made without frames, as in the windowless build).
    BOOL HasWindows() const { return AfxGetDocViewServices() != nullptr && m_pFrameClass != nullptr; }

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
};

class CMultiDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CMultiDocTemplate)

public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    ~CMultiDocTemplate() override;

    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    int GetDocumentCount() const { return static_cast<int>(m_docList.GetCount()); }

    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    // The document name followed by the next untitled number, or the class library's "Untitled".
    void SetDefaultTitle(CDocument* pDocument) override;

    UINT m_nUntitledCount; // untitled documents made so far
#ifdef _WIN32
    // The menu and accelerators every frame of the template shows (resource m_nIDResource; NULL when the
    // program has none); owned by the template.
    HMENU m_hMenuShared = nullptr;
    HACCEL m_hAccelTable = nullptr;
#endif

protected:
    CPtrList m_docList; // of CDocument*
};
