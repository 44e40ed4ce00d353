// CFileDocTemplate: a document template that recognises its files by the
// common document header instead of their extension.
//
// A file whose header carries the template's document type and a version not
// above its highest one is claimed as native (yesAttemptNative) whatever its
// extension; a readable, non-empty file with any other header is declined
// (noAttempt). A missing, empty or unreadable file keeps the class library's
// plain confidence: nothing escapes the match, and the open that follows
// reports the failure once.
#pragma once

#include "classlib/DocTemplate.h"
#include "database/file/FileBasedDocument.h"

class CFileDocTemplate : public CMultiDocTemplate
{
    DECLARE_DYNAMIC(CFileDocTemplate)

public:
    CFileDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                     CRuntimeClass* pViewClass, WORD docType, WORD maxVersion);

    Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch) override;
    // Magics, type and version; codes A and B are read past, not compared.
    virtual BOOL CheckHeader(CArchive& ar);
    // Opens (or creates, or finds already open) the document at the path with
    // CFileBasedDocument::OpenFlags; a new untitled document for NULL. NULL
    // on failure, after the failure was reported.
    virtual CDocument* OpenDocumentFileEx(LPCTSTR lpszPathName, UINT nFlags);

    // Creates and shows a frame for a document that has none (nothing
    // without the window half); a document whose frame fails is deleted.
    void ShowDocument(CDocument* pDocument);
    // UpdateAllViewsAndNotify on every open file-based document.
    void UpdateAllDocuments(CView* pSender, LPARAM lHint, CObject* pHint);

    WORD GetDocType() const { return m_docType; }
    WORD GetMaxVersion() const { return m_maxVersion; }

protected:
    CDocument* FindOpenDocument(LPCTSTR lpszPathName) const;
    // A new document of the template made untitled (no path) or opened from
    // the path; FALSE after the failure was reported, whatever was raised.
    BOOL LoadNewDocument(CDocument* pDocument, LPCTSTR lpszPathName, UINT nFlags);

    WORD m_docType;
    WORD m_maxVersion;
};
