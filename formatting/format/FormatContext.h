// FormatContext: the state of one output run, shared by every element of the
// formatted records it writes (and embedded by the citation formatter).
//
// Owns the sink, the previous entry's author list and the pending group
// texts; the writer and the style document are not owned. pendingGroupTexts
// holds the opening texts of groups whose fields have not written yet; an
// entry ends with it empty (CFormattedRecord::Write drops what a group left
// open at the end of a template would otherwise carry into the next entry).
#pragma once

#include "bibliography/output/AlternateText.h"
#include "bibliography/setup/BibliographySetup.h"
#include "bibliography/setup/SubjectLayoutSetup.h"
#include "classlib/List.h"
#include "database/db/FieldSet.h"
#include "formatting/format/ReferenceNumberFormat.h"

class AuthorList;
class CListFile;
class COutputStyleDoc;
class StyledTextSink;
class StyledTextWriter;
class FormatElement;

class FormatContext
{
public:
    FormatContext();
    virtual ~FormatContext();
    FormatContext(const FormatContext&) = delete;
    FormatContext& operator=(const FormatContext&) = delete;

    // Writes every pending group text through the sink, oldest first.
    void WritePendingGroupTexts();
    void DeletePendingGroupTexts();
    // The field text after alternate-text substitution with this run's table.
    StyledString SubstituteAlternate(const StyledString& text) const;

    FieldSet fieldSet;
    BibliographySetup setup;
    SubjectLayoutSetup subjectLayout;
    DWORD startNumber;
    int32_t currentNumber;
    ReferenceNumberFormat numberLabel;
    StyledTextWriter* writer;
    COutputStyleDoc* styleDocument;
    CListFile* journalList; // the journal list document's file; not owned
    StyledTextSink* sink;
    AuthorList* previousAuthors;
    DWORD atEntryStart;
    DWORD minAuthors;
    int32_t yearSuffix;
    DWORD suppressNumberLabel;
    DWORD useSubsequentFormat;
    DWORD suppressAuthor;
    CTypedPtrList<CPtrList, StyledString*> pendingGroupTexts;
    DWORD alternateTextLoaded;
    CMapStringToString alternateText;
    signed char skipTitleField;
    FormatElement* movedTitleElement; // a title element (kind 10)
    DWORD repeatingHeading;
    StyledString headingLeadingText;
    StyledString headingTerm;
    StyleRun headingStyle;
    StyledString headingTrailingText;
    DWORD showTermCount;
    StyleRun termCountStyle;
    DWORD showRecordIds;
    StyleRun recordIdStyle;
    DWORD recordIdsOnNextLine;
    DWORD recycleNumbers;
};
