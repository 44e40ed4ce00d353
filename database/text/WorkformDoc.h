// CWorkformDoc: the document of one workform file (".lwf"), without its
// editor window.
//
// The workform's name is the title of the common document header. The
// document creates new workforms, reads and writes the file, and enters the
// workform into the process-wide workform table when it is saved.
//
// Workform file, little-endian, written and read through one archive:
//   common document header: codes A and B 0xFFFF, type 0x8004, version
//                           0x0300, title (the workform's name), comments
//   u16      workform ID
//   6 bytes  used-field set: byte k holds fields 8k..8k+7, lowest bit first;
//            bits 0, 46 and 47 are 0 (cleared when read)
//   45 archive strings: the names of fields 1 to 45, used or not
// Nothing follows the 45th name.
//
// Invariants: exactly 45 field names; the used-field set holds fields 1..45 only.
#pragma once

#include "database/db/FieldSet.h"
#include "database/file/CPFile.h"
#include "database/file/FileBasedDocument.h"
#include "database/text/WorkformInfo.h"

class CWorkformTable;

class CWorkformDoc : public CFileBasedDocument
{
    DECLARE_DYNCREATE(CWorkformDoc)

public:
    enum : WORD
    {
        kHeaderCode = 0xFFFF,
    };
    // The header title of a new workform when its template names none.
    static const char kUntitledName[]; // "Untitled Workform"

    CWorkformDoc();
    ~CWorkformDoc() override;

    CPFile* GetFileObject() override { return &m_file; }
    WORD GetDocumentType() override;
    WORD GetDocumentVersion() override;
    WORD GetHeaderCodeA() override { return kHeaderCode; }
    WORD GetHeaderCodeB() override { return kHeaderCode; }

    void Serialize(CArchive& ar) override;
    // A new workform: a new ID from the process-wide table, the template's
    // document name as its name, the fields 1-9, 20, 22, 24, 25, 39, 40 and
    // 42-45, and the built-in field names.
    BOOL OnNewDocument() override;
    // SaveDocumentAs(path, TRUE).
    BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
    // Saves to the path; with renewId a workform saved from an open file to
    // another path (compared case-sensitively) becomes a workform of its own
    // with a new ID, while a failed save keeps the ID it had. After a
    // successful save the workform table is brought up to date and the saved
    // hook runs.
    virtual BOOL SaveDocumentAs(LPCTSTR lpszPathName, BOOL renewId);

    WORD GetWorkformId() const { return m_id; }
    void SetWorkformId(WORD id) { m_id = id; }
    const CString& GetWorkformName() const { return m_file.GetTitleText(); }
    // The kept file's path (also for a document opened without a template).
    const CString& GetWorkformPath() const { return m_file.GetPathName(); }
    const FieldSet& GetUsedFieldSet() const { return m_usedFields; }
    // Field n's own name, n from 1 to 45.
    const CString& GetFieldName(int n) const { return m_fieldNames[n - 1]; }

    // Editing: each marks the document modified when it changes something.
    void SetWorkformName(const char* name);
    void SetFieldName(int n, const char* name);
    // Takes the set (fields 1..45 only) when it differs from the document's
    // and tells the views (hint 0); the same set changes nothing.
    void SetUsedFields(const FieldSet& fields);

    // Run after every successful save of a workform (the shell tells its open
    // database documents and record windows); NULL for none. Returns the
    // previous handler.
    typedef void (*SavedHandler)(CWorkformDoc* doc);
    static SavedHandler SetSavedHandler(SavedHandler handler);

private:
    static FieldSet OnlyRecordFields(const FieldSet& fields);

    CPFile m_file;
    WORD m_id;
    FieldSet m_usedFields;
    CString m_fieldNames[kWorkformFields];
};

// The start-up step for one workform file: opens it read-only without a
// window and, when it opens, adds its workform to the table (a workform whose
// ID is known already is skipped). An open that fails is reported by the
// document. TRUE when the file opened.
BOOL LoadWorkformFile(CWorkformTable& table, const char* path);
