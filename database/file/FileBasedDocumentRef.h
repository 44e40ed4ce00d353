// CFileBasedDocumentRef: a counted reference that keeps a file-based document
// alive (open, possibly without windows) for as long as it is held.
//
// Invariant: the held document (if any) carries exactly one reference of this
// object; destroying or re-attaching gives it back, which may close and delete
// a document whose windows are gone.
#pragma once

#include "database/file/FileBasedDocument.h"

class CFileBasedDocumentRef
{
public:
    CFileBasedDocumentRef() : m_pDocument(nullptr) {}
    explicit CFileBasedDocumentRef(CFileBasedDocument* pDocument) : m_pDocument(nullptr) { Attach(pDocument); }
    CFileBasedDocumentRef(const CFileBasedDocumentRef& other) : m_pDocument(nullptr) { Attach(other.m_pDocument); }
    CFileBasedDocumentRef& operator=(const CFileBasedDocumentRef& other)
    {
        Attach(other.m_pDocument);
        return *this;
    }
    ~CFileBasedDocumentRef() { Attach(nullptr); }

    // Holds pDocument (NULL: nothing) and gives up the one held before;
    // attaching the document already held changes nothing.
    BOOL Attach(CFileBasedDocument* pDocument)
    {
        if (pDocument == m_pDocument)
            return TRUE;
        if (pDocument != nullptr)
            pDocument->AddRef();
        CFileBasedDocument* old = m_pDocument;
        m_pDocument = pDocument;
        if (old != nullptr)
            old->Release();
        return TRUE;
    }

    CFileBasedDocument* Get() const { return m_pDocument; }
    CFileBasedDocument* operator->() const { return m_pDocument; }

private:
    CFileBasedDocument* m_pDocument;
};
