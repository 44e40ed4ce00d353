// CDocument: the data half of the document/view architecture, without windows.
//
// A document has a title, a path name, a modified flag and an auto-delete flag; it belongs to at most one
// template (which lists it) and is shown by zero or more views. Views and frames are the window half:
// this class knows views only as pointers of the abstract type CView and reaches them, and the frames that
// hold them, through the process-wide CDocViewServices that the window half installs. Without it (the
// windowless build, tests) the view list stays empty and documents open and close without frames.
//
// Invariants: m_pDocTemplate lists this document (or is NULL); a document is deleted by its owner or, when
// m_bAutoDelete is set, by OnCloseDocument; its destructor removes it from its template.
#pragma once

#include "classlib/ClassLibIds.h"
#include "classlib/CmdTarget.h"
#include "classlib/CString.h"
#include "classlib/List.h"

class CArchive;
class CDocTemplate;
class CDocument;
class CException;
class CFile;
class CFileException;
class CFrameWnd;
class CView;

// What documents and templates need of views and frames; installed once by the window half.
class CDocViewServices
{
public:
    virtual ~CDocViewServices() = default;
    // The view's reaction to CDocument::UpdateAllViews.
    virtual void UpdateView(CView* pView, CView* pSender, LPARAM lHint, CObject* pHint) = 0;
    // Closes every frame that shows a view of the document (pre-close step, then the window goes).
    virtual void CloseDocumentFrames(CDocument* pDocument) = 0;
    // A new frame with a view of the document; NULL on failure.
    virtual CFrameWnd* CreateNewFrame(CDocTemplate* pTemplate, CDocument* pDocument, CFrameWnd* pOther) = 0;
    virtual void InitialUpdateFrame(CDocTemplate* pTemplate, CFrameWnd* pFrame, CDocument* pDocument,
                                    BOOL bMakeVisible) = 0;
    // Destroys a frame made for a document that then failed to load (this deletes the document).
    virtual void DestroyFrame(CFrameWnd* pFrame) = 0;
    // The frame that holds the view.
    virtual CFrameWnd* GetViewFrame(CView* pView) = 0;
    // Numbers the document's frames (":1", ":2"... when it has more than one) and retitles them.
    virtual void UpdateFrameCounts(CDocument* pDocument) = 0;
};
// Returns the previous services; NULL means "no windows".
CDocViewServices* AfxSetDocViewServices(CDocViewServices* pServices);
CDocViewServices* AfxGetDocViewServices();

class CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)

public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Stores the full path (AfxFullPath), titles the document with its file name and,
    // when asked, adds it to the application's recent-file list.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);

    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // Views (always empty without the window half).
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& rPosition) const;
    int GetViewCount() const { return static_cast<int>(m_viewList.GetCount()); }
    // Tells every view but the sender of a change.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

    // Overridables of the document's life.
    virtual void DeleteContents();
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    // Closes the frames showing the document, clears it and deletes it when m_bAutoDelete is set.
    virtual void OnCloseDocument();
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
    virtual CFile* GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError);
    virtual void ReleaseFile(CFile* pFile, BOOL bAbort);

    // Asks "Save changes to %1?" (Yes/No/Cancel) when modified; FALSE when the user cancels or the save
    // fails, so the caller must not close.
    virtual BOOL SaveModified();
    // TRUE at once while another frame still shows the document; the last one asks SaveModified.
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    // Saves under lpszPathName, or asks for a name first when it is NULL; the document takes the new path
    // when bReplace is set.
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();
    virtual void OnChangedViewList();

    // Commands ID_FILE_CLOSE, ID_FILE_SAVE and ID_FILE_SAVE_AS of the document's message map.
    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();

    DECLARE_MESSAGE_MAP()

    BOOL m_bAutoDelete;
    BOOL m_bEmbedded;

protected:
    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate;
    CPtrList m_viewList; // of CView*
    BOOL m_bModified;

    friend class CDocTemplate;
    friend class CMultiDocTemplate;
};

// The class library's report of a failed load or save: the prompt id chosen for the exception, or 0 when
// nothing is to be shown (a user exception).
//   archive exception, cause end of file, bad index, bad class or bad schema -> invalid format (0xF120)
//   file exception, cause file not found or bad path -> invalid path (0xF121); access denied -> 0xF123
//   when loading, 0xF124 when saving; disk full -> 0xF122
//   anything else -> nIDPDefault
UINT AfxGetSaveLoadPrompt(CException* e, BOOL bSaving, UINT nIDPDefault);
// Shows that report: the prompt formatted with the file name of lpszPathName as "%1", exclamation icon,
// the prompt id as help context. A file exception without a file name takes lpszPathName.
void AfxReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
// The file name of a path (folder removed, extension kept), as prompts show it.
CString AfxGetFileTitle(LPCTSTR lpszPathName);
// TRUE when both name the same file: their full paths (AfxFullPath) are equal
// without regard to case, as Windows names files. An empty path names no file.
BOOL AfxComparePath(LPCTSTR lpszPath1, LPCTSTR lpszPath2);
