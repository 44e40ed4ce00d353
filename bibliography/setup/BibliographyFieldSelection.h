// BibliographyFieldSelection: which optional fields a bibliography shows (the
// Fields page), the short form and the alternate-text switch. The short-form
// set's bit 12 also carries the Show Reprint Status choice. The reserved text
// is kept and stored but shown nowhere.
//
// Stored form: u16 schema 0, u16 version 0 (not examined on reading);
// i32 show record IDs, notes, abstract, call number, keywords, use short form;
// the 6 bytes of the short-form field set; i32 alternate text; CString
// reserved text.
#pragma once

#include "classlib/CString.h"
#include "classlib/Object.h"
#include "database/db/FieldSet.h"

class BibliographyFieldSelection : public CObject
{
public:
    BibliographyFieldSelection();
    BibliographyFieldSelection(const BibliographyFieldSelection& other);
    BibliographyFieldSelection& operator=(const BibliographyFieldSelection& other);

    void Serialize(CArchive& ar) override;

    // The fields the record formatter may output: all but the record ID,
    // notes, abstract, call number, keywords and reprint status unless shown;
    // intersected with the short-form set when the short form is on.
    FieldSet GetFieldMask() const;

    int showRecordIds;  // 0
    int showNotes;      // 1
    int showAbstract;   // 0
    int showCallNumber; // 0
    int showKeywords;   // 0
    int useShortForm;   // 0
    FieldSet shortFormFields;
    int alternateText; // 0
    CString reservedText;
};
