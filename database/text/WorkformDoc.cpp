#include "database/text/WorkformDoc.h"

#include "classlib/Archive.h"
#include "classlib/DocTemplate.h"
#include "database/file/DocHeader.h"
#include "database/file/FileBasedDocumentRef.h"
#include "database/text/WorkformTable.h"

IMPLEMENT_DYNCREATE(CWorkformDoc, CFileBasedDocument)

const char CWorkformDoc::kUntitledName[] = "Untitled Workform";

namespace {
CWorkformDoc::SavedHandler g_savedHandler = nullptr;

// Fields 1-9, 20, 22, 24, 25, 39, 40 and 42-45.
const BYTE kNewWorkformFields[FieldSet::kBytes] = {0xFE, 0x03, 0x50, 0x03, 0x80, 0x3D};
} // namespace

CWorkformDoc::CWorkformDoc() : m_id(0) {}

CWorkformDoc::~CWorkformDoc() = default;

WORD CWorkformDoc::GetDocumentType()
{
    return docTypeWorkform;
}

WORD CWorkformDoc::GetDocumentVersion()
{
    return docVersionWorkform;
}

FieldSet CWorkformDoc::OnlyRecordFields(const FieldSet& fields)
{
    FieldSet result(fields);
    result.Remove(0);
    result.Remove(46);
    result.Remove(47);
    return result;
}

// Layout: see WorkformDoc.h.
void CWorkformDoc::Serialize(CArchive& ar)
{
    CFileBasedDocument::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_id;
        for (int i = 0; i < FieldSet::kBytes; ++i)
            ar << m_usedFields.GetByte(i);
        for (const CString& name : m_fieldNames)
            ar << name;
        return;
    }
    WORD id;
    ar >> id;
    FieldSet fields;
    for (int i = 0; i < FieldSet::kBytes; ++i) {
        BYTE b;
        ar >> b;
        fields.SetByte(i, b);
    }
    CString names[kWorkformFields];
    for (CString& name : names)
        ar >> name;
    m_id = id;
    m_usedFields = OnlyRecordFields(fields);
    for (int i = 0; i < kWorkformFields; ++i)
        m_fieldNames[i] = names[i];
}

BOOL CWorkformDoc::OnNewDocument()
{
    m_id = static_cast<WORD>(GetWorkformTable().NewWorkformId());
    CString name;
    if (GetDocTemplate() == nullptr || !GetDocTemplate()->GetDocString(name, CDocTemplate::docName) ||
        name.IsEmpty())
        name = kUntitledName;
    GetTitleText() = name;
    for (int i = 0; i < FieldSet::kBytes; ++i)
        m_usedFields.SetByte(i, kNewWorkformFields[i]);
    const IWorkformInfo& builtIn = GetWorkformTable().GetDefault();
    for (int n = 1; n <= kWorkformFields; ++n)
        m_fieldNames[n - 1] = builtIn.GetFieldName(n);
    return CFileBasedDocument::OnNewDocument();
}

BOOL CWorkformDoc::OnSaveDocument(LPCTSTR lpszPathName)
{
    return SaveDocumentAs(lpszPathName, TRUE);
}

BOOL CWorkformDoc::SaveDocumentAs(LPCTSTR lpszPathName, BOOL renewId)
{
    const WORD oldId = m_id;
    if (renewId && m_file.IsOpen() && !(m_file.GetPathName() == lpszPathName))
        m_id = static_cast<WORD>(GetWorkformTable().NewWorkformId());
    if (!CFileBasedDocument::OnSaveDocument(lpszPathName)) {
        // The document stays with its old file: giving that file a new ID at
        // its next save would cut it off from its records.
        m_id = oldId;
        return FALSE;
    }
    GetWorkformTable().UpdateFromDocument(*this);
    if (g_savedHandler != nullptr)
        g_savedHandler(this);
    return TRUE;
}

void CWorkformDoc::SetWorkformName(const char* name)
{
    if (GetTitleText() == name)
        return;
    GetTitleText() = name;
    SetModifiedFlag(TRUE);
}

void CWorkformDoc::SetFieldName(int n, const char* name)
{
    if (m_fieldNames[n - 1] == name)
        return;
    m_fieldNames[n - 1] = name;
    SetModifiedFlag(TRUE);
}

void CWorkformDoc::SetUsedFields(const FieldSet& fields)
{
    const FieldSet wanted = OnlyRecordFields(fields);
    if (wanted == m_usedFields)
        return;
    m_usedFields = wanted;
    SetModifiedFlag(TRUE);
    UpdateAllViewsAndNotify(nullptr, 0, nullptr);
}

CWorkformDoc::SavedHandler CWorkformDoc::SetSavedHandler(SavedHandler handler)
{
    SavedHandler previous = g_savedHandler;
    g_savedHandler = handler;
    return previous;
}

BOOL LoadWorkformFile(CWorkformTable& table, const char* path)
{
    CWorkformDoc* doc = static_cast<CWorkformDoc*>(RUNTIME_CLASS(CWorkformDoc)->CreateObject());
    CFileBasedDocumentRef hold(doc);
    if (!doc->OpenFile(path, CFileBasedDocument::OpenNoFrame | CFileBasedDocument::OpenReadOnly))
        return FALSE;
    table.AddFromDocument(*doc);
    doc->OnCloseDocument();
    return TRUE;
}
