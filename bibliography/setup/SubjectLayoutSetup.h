// SubjectLayoutSetup: how a subject bibliography lays out its terms (the
// Subject Bibliography page).
//
// Stored form: u16 schema 0, u16 version 0; i32 terms and reference list,
// repeating terms, recycling numbers, term counts, list of record IDs, record
// IDs on next line, descending; text before; text after (styled strings);
// u16 subject term style; i32 upper-case; u16 term count style; u16 record ID
// list style. Style values are 1 bold, 2 italic, 4 underline.
#pragma once

#include "classlib/Object.h"
#include "database/text/StyledString.h"

class SubjectLayoutSetup : public CObject
{
public:
    SubjectLayoutSetup();
    SubjectLayoutSetup(const SubjectLayoutSetup& other);
    SubjectLayoutSetup& operator=(const SubjectLayoutSetup& other);
    ~SubjectLayoutSetup() override;

    void Serialize(CArchive& ar) override;

    int termsAndReferenceList; // 1: 0 terms only, 1 terms and reference list
    int repeatingTerms;        // 0
    int recyclingNumbers;      // 1
    int termCounts;            // 0
    int recordIdList;          // 0
    int recordIdsOnNextLine;   // 0
    int descending;            // 0
    StyledString textBefore;   // ""
    StyledString textAfter;    // "\r\r"
    int termStyle;             // 1 (bold); stored in 16 bits
    int upperCaseTerms;        // 0
    WORD termCountStyle;       // 0
    WORD recordIdStyle;        // 0
};
