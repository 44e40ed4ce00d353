// CDocManager: the application's list of document templates and the operations over all of them.
//
// The application object holds one manager (CWinApp::m_pDocManager, made on the first AddDocTemplate
// unless the program installs its own subclass first) and forwards its template and document operations
// to it. The manager owns its templates and deletes them (after closing their documents) when destroyed.
//
// OpenDocumentFile asks every template in registration order how well it suits the file; the best one
// opens it, the earlier one winning a tie; a document already open under that path is returned (and in
// the Windows build its first view's frame is activated, or given a frame when it has none).
// DoPromptFileName and the New type chooser are window operations: without windows the prompt answers
// FALSE (as if cancelled) and File New takes the first template.
#pragma once

#include "classlib/CmdTarget.h"
#include "classlib/CString.h"
#include "classlib/List.h"

class CDocTemplate;
class CDocument;

class CDocManager : public CObject
{
    DECLARE_DYNAMIC(CDocManager)

public:
    CDocManager() = default;
    ~CDocManager() override;

    virtual void AddDocTemplate(CDocTemplate* pTemplate);
    virtual POSITION GetFirstDocTemplatePosition() const;
    virtual CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual int GetDocumentCount();

    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);

    // File New: a new document of the only template with a File New name, or of the one the user picks
    // when several have one; nothing when the user cancels.
    virtual void OnFileNew();
    // File Open: the file prompt, then OpenDocumentFile.
    virtual void OnFileOpen();

    // The file dialog: every template's filter ("name|*.ext") with pTemplate's first, then all files;
    // the chosen path replaces fileName. FALSE when cancelled.
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);

    // The filter text of the file dialog, with '|' where the dialog wants NULs (see above); nDefault gets
    // the 1-based index of pTemplate's filter (0 when it has none).
    CString BuildFilter(CDocTemplate* pTemplate, int* pnDefault = nullptr) const;

    CDocManager(const CDocManager&) = delete;
    CDocManager& operator=(const CDocManager&) = delete;

protected:
    // Brings an open document forward (its first view's frame), or gives it a frame when it has none.
    virtual void ActivateOpenDocument(CDocument* pDocument);
    // The template a new document is made of: NULL when the user cancels the choice.
    virtual CDocTemplate* ChooseNewTemplate();

    CPtrList m_templateList; // of CDocTemplate*, owned, in registration order
};
