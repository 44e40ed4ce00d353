#include "formatting/style/OutputStyleDoc.h"

#include "classlib/Archive.h"
#include "classlib/ClassLibIds.h"
#include "classlib/MessageBox.h"
#include "database/file/DocHeader.h"
#include "database/text/JournalTitleWorkforms.h"
#include "formatting/style/BibliographyFormat.h"
#include "formatting/style/CitationFormat.h"
#include "formatting/style/FormatStore.h"
#include "formatting/style/IntextFormat.h"
#include "formatting/style/JournalListPath.h"
#include "formatting/style/StyleFormatTooLongException.h"
#include "formatting/style/StyleFormatVersion.h"
#include "formatting/style/StyleTemplate.h"

#include <cstring>

IMPLEMENT_DYNCREATE(COutputStyleDoc, CFileBasedDocument)

namespace {
const int kArchiveBuffer = 4096;

// Replaces every stored code of field `from` in the text by that of field
// `to`, searching again from the start after each one. Four bytes for four:
// the runs stay valid.
void MoveFieldCodes(StyledString& text, BYTE from, BYTE to)
{
    const char code[] = {'<', 0x01, static_cast<char>(from), '>', '\0'};
    for (int at = text.text.Find(code); at >= 0; at = text.text.Find(code))
        text.text.SetAt(at + 2, static_cast<char>(to));
}

bool SameAbbreviation(const CLegacyIntextAuthorListPage& page)
{
    if (!page.abbreviateList && !page.abbreviateListSubsequent)
        return true;
    return page.abbreviateList == page.abbreviateListSubsequent &&
           page.abbreviateCount == page.abbreviateCountSubsequent &&
           page.abbreviateThreshold == page.abbreviateThresholdSubsequent &&
           std::strcmp(page.abbreviationText.text, page.abbreviationTextSubsequent.text) == 0 &&
           page.abbreviationText.runs.IsEqual(page.abbreviationTextSubsequent.runs);
}

void ConvertAuthorFormat(const CLegacyIntextAuthorFormatSheet& legacy, CIntextAuthorFormatSheet& sheet,
                         COutputStyleDoc::CitationChoice choice)
{
    const CLegacyIntextAuthorListPage& from = legacy.listPage;
    CIntextAuthorListPage& to = sheet.listPage;
    to.emptyAuthorAction = from.emptyAuthorAction;
    to.emptyAuthorText = from.emptyAuthorText;
    if (choice == COutputStyleDoc::kFirstCitation) {
        to.abbreviateList = from.abbreviateList;
        to.abbreviateCount = from.abbreviateCount;
        to.abbreviateThreshold = from.abbreviateThreshold;
        to.abbreviationText = from.abbreviationText;
    } else {
        to.abbreviateList = from.abbreviateListSubsequent;
        to.abbreviateCount = from.abbreviateCountSubsequent;
        to.abbreviateThreshold = from.abbreviateThresholdSubsequent;
        to.abbreviationText = from.abbreviationTextSubsequent;
    }
    sheet.separatorsPage = legacy.separatorsPage;
    sheet.namesPage = legacy.namesPage;
    sheet.textPage = legacy.textPage;
}

// The stored settings of a date page; the caption stays the target's.
void CopyDateSettings(const CDateFormatPage& from, CDateFormatPage& to)
{
    const UINT captionId = to.captionId;
    to = from;
    to.captionId = captionId;
}
} // namespace

COutputStyleDoc::COutputStyleDoc() : includeBibliography(TRUE) {}

COutputStyleDoc::~COutputStyleDoc()
{
    // A document deleted without closing must not leak its blocks.
    ClearFormatStore(bibliographyFormats);
    ClearFormatStore(firstCitationFormats);
    ClearFormatStore(subsequentCitationFormats);
}

WORD COutputStyleDoc::GetDocumentType()
{
    return docTypeOutputStyle;
}

WORD COutputStyleDoc::GetDocumentVersion()
{
    return docVersionOutputStyle;
}

void COutputStyleDoc::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    CFileBasedDocument::SetPathName(lpszPathName, bAddToMRU);
}

void COutputStyleDoc::DeleteContents()
{
    ClearFormatStore(bibliographyFormats);
    ClearFormatStore(firstCitationFormats);
    ClearFormatStore(subsequentCitationFormats);
}

BOOL COutputStyleDoc::OnNewDocument()
{
    if (!CFileBasedDocument::OnNewDocument())
        return FALSE;
    includeBibliography = TRUE;
    BibliographyFormat format;
    GetBibliographyFormat(kDefaultWorkform, format);
    format.templateText = MakeDefaultBibliographyTemplate();
    SetBibliographyFormat(kDefaultWorkform, format);
    return TRUE;
}

BOOL COutputStyleDoc::FormatStoresFit() const
{
    return FormatStoreFits(firstCitationFormats) && FormatStoreFits(subsequentCitationFormats) &&
           FormatStoreFits(bibliographyFormats);
}

void COutputStyleDoc::CheckFormatStoresFit(LPCTSTR lpszPathName) const
{
    if (!FormatStoresFit())
        throw new StyleFormatTooLongException(lpszPathName);
}

BOOL COutputStyleDoc::OnSaveDocument(LPCTSTR lpszPathName)
{
    // Before any step of the save: a Save As would already have copied the
    // file, a new file would already exist.
    try {
        CheckFormatStoresFit(lpszPathName);
    } catch (CException* e) {
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
    return CFileBasedDocument::OnSaveDocument(lpszPathName);
}

void COutputStyleDoc::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving,
                                              UINT nIDPDefault)
{
    if (e != nullptr && e->IsKindOf(RUNTIME_CLASS(StyleFormatTooLongException))) {
        AfxMessageBox(e->GetErrorText(), MB_ICONEXCLAMATION,
                      StyleFormatTooLongException::IDP_STYLE_FORMAT_TOO_LONG);
        return;
    }
    CFileBasedDocument::ReportSaveLoadException(lpszPathName, e, bSaving, nIDPDefault);
}

// ---- formats per workform

BOOL COutputStyleDoc::HasBibliographyFormat(WORD id) const
{
    return FindFormatBlock(bibliographyFormats, id) != nullptr;
}

BOOL COutputStyleDoc::HasFirstCitationFormat(WORD id) const
{
    return FindFormatBlock(firstCitationFormats, id) != nullptr;
}

BOOL COutputStyleDoc::HasSubsequentCitationFormat(WORD id) const
{
    return FindFormatBlock(subsequentCitationFormats, id) != nullptr;
}

void COutputStyleDoc::GetBibliographyFormat(WORD id, BibliographyFormat& format)
{
    LoadFormatFromStore(bibliographyFormats, id, format);
}

void COutputStyleDoc::GetFirstCitationFormat(WORD id, IntextFormat& format)
{
    LoadFormatFromStore(firstCitationFormats, id, format);
}

void COutputStyleDoc::GetSubsequentCitationFormat(WORD id, IntextFormat& format)
{
    LoadFormatFromStore(subsequentCitationFormats, id, format);
}

void COutputStyleDoc::SetBibliographyFormat(WORD id, BibliographyFormat& format)
{
    SaveFormatToStore(bibliographyFormats, id, format);
}

void COutputStyleDoc::SetFirstCitationFormat(WORD id, IntextFormat& format)
{
    SaveFormatToStore(firstCitationFormats, id, format);
}

void COutputStyleDoc::SetSubsequentCitationFormat(WORD id, IntextFormat& format)
{
    SaveFormatToStore(subsequentCitationFormats, id, format);
}

BOOL COutputStyleDoc::RemoveBibliographyFormat(WORD id)
{
    return RemoveFormatBlock(bibliographyFormats, id);
}

void COutputStyleDoc::RemoveFirstCitationFormat(WORD id)
{
    RemoveFormatBlock(firstCitationFormats, id);
}

void COutputStyleDoc::RemoveSubsequentCitationFormat(WORD id)
{
    RemoveFormatBlock(subsequentCitationFormats, id);
}

void COutputStyleDoc::LoadFormatFromStore(const CMapWordToOb& store, WORD id, CObject& format)
{
    CMemFile* block = FindFormatBlock(store, id);
    if (block == nullptr)
        return;
    try {
        block->SeekToBegin();
        CArchive ar(block, CArchive::load | CArchive::bNoFlushOnDelete, kArchiveBuffer);
        ar.m_pDocument = this;
        format.Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        // A damaged block gives the object as far as it was read.
        e->Delete();
    }
}

void COutputStyleDoc::SaveFormatToStore(CMapWordToOb& store, WORD id, CObject& format)
{
    CMemFile* block = GetOrAddFormatBlock(store, id);
    block->SetLength(0);
    block->SeekToBegin();
    CArchive ar(block, CArchive::store | CArchive::bNoFlushOnDelete, kArchiveBuffer);
    ar.m_pDocument = this;
    format.Serialize(ar);
    ar.Close();
}

// ---- older styles

BOOL COutputStyleDoc::HasDistinctSubsequentCitation(const CitationFormat& legacy)
{
    for (const CLegacyIntextAuthorFormatSheet& sheet : legacy.authorFormats) {
        if (!SameAbbreviation(sheet.listPage))
            return TRUE;
    }
    return FALSE;
}

// All four author, title and date formats are carried over (the older block
// holds them all), not only those of fields 1, 7, 16, 4, 9, 11, 12 and 20.
void COutputStyleDoc::ConvertLegacyCitationFormat(const CitationFormat& legacy, IntextFormat& format,
                                                  CitationChoice choice)
{
    citationSettings.sortedBy = legacy.sortOrder;
    citationSettings.leftDelimiter = legacy.leftDelimiter;
    citationSettings.rightDelimiter = legacy.rightDelimiter;
    citationSettings.citationSeparator = legacy.citationSeparator;
    citationSettings.useNumberRanges = legacy.useNumberRanges;
    citationSettings.rangeSeparator = legacy.rangeSeparator;

    format.templateText = legacy.templateText;
    for (int i = 0; i < kAuthorFormatCount; ++i)
        ConvertAuthorFormat(legacy.authorFormats[i], format.authorFormats[i], choice);
    for (int i = 0; i < kTitleFormatCount; ++i)
        format.titleFormats[i].titleCase = legacy.titleFormats[i].titleCase;
    format.journalFormat.titleCase = legacy.journalFormat.titleCase;
    format.journalFormat.journalListPath = legacy.journalFormat.journalListPath;
    for (int i = 0; i < kDateFormatCount; ++i)
        CopyDateSettings(legacy.dateFormats[i], format.dateFormats[i]);
    format.keywordFormat.keywordSeparator = legacy.keywordFormat.keywordSeparator;
    format.pageFormat = legacy.pageFormat;
}

void COutputStyleDoc::StoreLegacyCitationFormats(const CitationFormat& legacy)
{
    IntextFormat format;
    ConvertLegacyCitationFormat(legacy, format, kFirstCitation);
    SaveFormatToStore(firstCitationFormats, kDefaultWorkform, format);
    if (HasDistinctSubsequentCitation(legacy)) {
        ConvertLegacyCitationFormat(legacy, format, kSubsequentCitation);
        SaveFormatToStore(subsequentCitationFormats, kDefaultWorkform, format);
    }
}

void COutputStyleDoc::ConvertLegacyBibliographyFormats()
{
    for (WORD id : FormatBlockIds(bibliographyFormats)) {
        BibliographyFormat format;
        LoadFormatFromStore(bibliographyFormats, id, format);
        if (IsJournalTitleWorkform(id))
            MoveFieldCodes(format.templateText, 9, 10);
        if (IsField10ToField7Workform(id))
            MoveFieldCodes(format.templateText, 10, static_cast<BYTE>(GetField10Target(id)));
        try {
            SaveFormatToStore(bibliographyFormats, id, format);
        } catch (CException* e) {
            e->Delete();
        }
    }
}

// ---- the file

void COutputStyleDoc::ResetStyleSettings()
{
    includeBibliography = TRUE;
    citationSettings = InTextCitationSetup();
    referenceListHeading = BibliographyHeading();
}

// Layout: see OutputStyleDoc.h. The archive's document is this style, so that
// format blocks read by its version.
void COutputStyleDoc::Serialize(CArchive& ar)
{
    ar.m_pDocument = this;
    if (ar.IsStoring()) {
        CheckFormatStoresFit(styleFile.GetPathName());
        CFileBasedDocument::Serialize(ar);
        StoreBody(ar);
        return;
    }
    CFileBasedDocument::Serialize(ar);
    LoadBody(ar);
}

void COutputStyleDoc::StoreBody(CArchive& ar)
{
    ar << MakeStoredJournalListName(journalListPath);
    ar << static_cast<DWORD>(includeBibliography);
    WriteFormatStore(ar, firstCitationFormats);
    WriteFormatStore(ar, subsequentCitationFormats);
    citationSettings.Serialize(ar);
    WriteFormatStore(ar, bibliographyFormats);
    referenceListHeading.Serialize(ar);
}

void COutputStyleDoc::LoadBody(CArchive& ar)
{
    ResetStyleSettings();
    CString name;
    ar >> name;
    journalListPath = name.IsEmpty() ? CString() : ResolveJournalListPath(name, GetJournalListFolders());
    const WORD version = GetHeaderVersion();
    if (version < kStyleVersionCurrent) {
        LoadOlderBody(ar, version);
        return;
    }
    DWORD include = 0;
    ar >> include;
    includeBibliography = static_cast<BOOL>(include);
    ReadFormatStore(ar, firstCitationFormats);
    ReadFormatStore(ar, subsequentCitationFormats);
    citationSettings.Serialize(ar);
    ReadFormatStore(ar, bibliographyFormats);
    referenceListHeading.Serialize(ar);
}

// The older blocks read by the old header version; the style then takes the
// current one.
void COutputStyleDoc::LoadOlderBody(CArchive& ar, WORD version)
{
    CitationFormat legacy;
    legacy.Serialize(ar);
    StoreLegacyCitationFormats(legacy);
    ReadFormatStore(ar, bibliographyFormats);
    if (version >= kStyleVersionTitlePages)
        referenceListHeading.Serialize(ar);
    else
        ConvertLegacyBibliographyFormats();
    m_headerVersion = kStyleVersionCurrent;
}
