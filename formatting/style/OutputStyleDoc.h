// COutputStyleDoc: the document of one output style file (".los"): for each
// workform, how its records are written in a reference list and as in-text
// citations (first and later citations of a work), plus the style-wide
// in-text citation settings and reference-list heading.
//
// Formats are kept per workform ID, serialised, in three format stores
// (FormatStore.h); ID 0xFFFF is the built-in "<Default>" workform and carries
// the style's defaults. Users build a format object and Get it for the ID
// they need, or Set it back; none of these marks the document modified.
//
// Style file, after the common document header (type 0x8005, version 0x0500,
// codes A and B 0xFFFF); little-endian:
//   archive string   journal list name (MakeStoredJournalListName)
//   u32              includeBibliography
//   format store     firstCitationFormats      (IntextFormat blocks)
//   format store     subsequentCitationFormats (IntextFormat blocks)
//   citationSettings     the in-text citation settings' stored form
//   format store     bibliographyFormats       (BibliographyFormat blocks)
//   referenceListHeading the heading's stored form
// Older bodies that are read and converted (the style then holds the current
// structure and its header version becomes 0x0500, so the next save writes
// the current form):
//   0x0400-0x04FF: journal list name, one CitationFormat, bibliographyFormats,
//                  referenceListHeading
//   below 0x0400:  journal list name, one CitationFormat, bibliographyFormats
//
// Invariants: every map value is a CMemFile owned by the document holding
// exactly the bytes the format's Serialize wrote; a style is saved only when
// every store fits its 16-bit counts, checked before a byte is written.
#pragma once

#include "bibliography/setup/BibliographyHeading.h"
#include "bibliography/setup/InTextCitationSetup.h"
#include "classlib/Collections.h"
#include "database/file/CPFile.h"
#include "database/file/FileBasedDocument.h"

class BibliographyFormat;
class CitationFormat;
class IntextFormat;

class COutputStyleDoc : public CFileBasedDocument
{
    DECLARE_DYNCREATE(COutputStyleDoc)

public:
    enum : WORD
    {
        kDefaultWorkform = 0xFFFF, // the "<Default>" workform's formats
        kHeaderCode = 0xFFFF,
    };

    // Which abbreviation of an older in-text format a conversion takes.
    enum CitationChoice
    {
        kFirstCitation,
        kSubsequentCitation
    };

    COutputStyleDoc();
    ~COutputStyleDoc() override;

    CPFile* GetFileObject() override { return &styleFile; }
    WORD GetDocumentType() override;
    WORD GetDocumentVersion() override;
    WORD GetHeaderCodeA() override { return kHeaderCode; }
    WORD GetHeaderCodeB() override { return kHeaderCode; }

    void Serialize(CArchive& ar) override;
    void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE) override;
    // Deletes every format block of the three stores.
    void DeleteContents() override;
    // A new style: one bibliography format for 0xFFFF with the default
    // template; no in-text format; includeBibliography 1.
    BOOL OnNewDocument() override;
    // Refuses, with its own message and before the file is touched, a style
    // whose stores do not fit the file's 16-bit counts.
    BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
    // A failure with a prompt of its own (a format too long for the file) is
    // reported with that prompt.
    void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving,
                                 UINT nIDPDefault) override;

    BOOL HasBibliographyFormat(WORD id) const;
    BOOL HasFirstCitationFormat(WORD id) const;
    BOOL HasSubsequentCitationFormat(WORD id) const;
    // Load the object from the ID's block; an ID without one leaves it
    // untouched, and an error while reading leaves it as far as it was read.
    void GetBibliographyFormat(WORD id, BibliographyFormat& format);
    void GetFirstCitationFormat(WORD id, IntextFormat& format);
    void GetSubsequentCitationFormat(WORD id, IntextFormat& format);
    // Store the object as the ID's block; errors propagate.
    void SetBibliographyFormat(WORD id, BibliographyFormat& format);
    void SetFirstCitationFormat(WORD id, IntextFormat& format);
    void SetSubsequentCitationFormat(WORD id, IntextFormat& format);
    // FALSE when the ID had no block.
    BOOL RemoveBibliographyFormat(WORD id);
    void RemoveFirstCitationFormat(WORD id);
    void RemoveSubsequentCitationFormat(WORD id);

    // TRUE when every store can be written (FormatStore.h).
    BOOL FormatStoresFit() const;

    // Conversion of the in-text format of older styles: into `format` (the
    // chosen abbreviation of each author list) and into citationSettings.
    void ConvertLegacyCitationFormat(const CitationFormat& legacy, IntextFormat& format,
                                     CitationChoice choice);
    // TRUE when an older format abbreviates first and later citations
    // differently in any of its author formats.
    static BOOL HasDistinctSubsequentCitation(const CitationFormat& legacy);

    CString journalListPath;                  // empty for none
    BOOL includeBibliography;                 // 1
    CMapWordToOb firstCitationFormats;        // IntextFormat blocks
    CMapWordToOb subsequentCitationFormats;   // IntextFormat blocks
    InTextCitationSetup citationSettings;     // as constructed
    CMapWordToOb bibliographyFormats;         // BibliographyFormat blocks
    BibliographyHeading referenceListHeading; // as constructed
    CPFile styleFile;

protected:
    void LoadFormatFromStore(const CMapWordToOb& store, WORD id, CObject& format);
    void SaveFormatToStore(CMapWordToOb& store, WORD id, CObject& format);
    // The in-text format of an older style as the defaults of the new stores.
    void StoreLegacyCitationFormats(const CitationFormat& legacy);
    // Reads the older blocks of bibliographyFormats by the old version and
    // stores them in the current form, moving journal-title codes as the
    // workform's fields moved.
    void ConvertLegacyBibliographyFormats();

private:
    void StoreBody(CArchive& ar);
    void LoadBody(CArchive& ar);
    void LoadOlderBody(CArchive& ar, WORD version);
    // The fields a body may lack take their new-document values.
    void ResetStyleSettings();
    // StyleFormatTooLongException when a store does not fit.
    void CheckFormatStoresFit(LPCTSTR lpszPathName) const;
};
