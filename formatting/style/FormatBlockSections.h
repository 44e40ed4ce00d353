// What the three format blocks (BibliographyFormat, IntextFormat,
// CitationFormat) hold and store alike: which fields their settings serve,
// the title and journal section, and the closing dates, keyword and
// page-number section.
#pragma once

#include "formatting/style/DateFormatPage.h"
#include "formatting/style/JournalFormatPage.h"
#include "formatting/style/KeywordFormatPage.h"
#include "formatting/style/PageNumberFormatPage.h"
#include "formatting/style/TitleFormatPage.h"

enum
{
    kAuthorFormatCount = 4, // fields 1, 7, 16, 30
    kTitleFormatCount = 4,  // fields 4, 9, 11, 32
    kDateFormatCount = 3,   // fields 12, 20, 21
    kJournalFormatField = 10,
    kPageFormatField = 25,
    kKeywordFormatField = 45
};

// The fields served by the settings at each index.
extern const int kAuthorFormatFields[kAuthorFormatCount];
extern const int kTitleFormatFields[kTitleFormatCount];
extern const int kDateFormatFields[kDateFormatCount];

// The index of a field's settings: its own, else that of the first field
// (1, 4 and 12), so every field number gives a valid index.
int AuthorFormatIndex(int field);
int TitleFormatIndex(int field);
int DateFormatIndex(int field);

// The four title pages, then the journal page. Blocks older than version
// 0x0400, when `byVersion` allows them, are read without the page of field 9,
// whose case is then the journal page's; writing always stores all four.
void SerializeTitlesAndJournal(CArchive& ar, CTitleFormatPage (&titles)[kTitleFormatCount],
                               CJournalFormatPage& journal, bool byVersion);

// The three date pages, the keyword page, the page-number page.
void SerializeDatesKeywordsPages(CArchive& ar, CDateFormatPage (&dates)[kDateFormatCount],
                                 CKeywordFormatPage& keywords, CPageNumberFormatPage& pages);
