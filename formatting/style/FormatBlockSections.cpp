#include "formatting/style/FormatBlockSections.h"

#include "formatting/style/StyleFormatVersion.h"

const int kAuthorFormatFields[kAuthorFormatCount] = {1, 7, 16, 30};
const int kTitleFormatFields[kTitleFormatCount] = {4, 9, 11, 32};
const int kDateFormatFields[kDateFormatCount] = {12, 20, 21};

namespace {
template <int N> int IndexOfField(const int (&fields)[N], int field)
{
    for (int i = 0; i < N; ++i) {
        if (fields[i] == field)
            return i;
    }
    return 0;
}

const int kField9Title = 1; // index of field 9's title page
} // namespace

int AuthorFormatIndex(int field)
{
    return IndexOfField(kAuthorFormatFields, field);
}

int TitleFormatIndex(int field)
{
    return IndexOfField(kTitleFormatFields, field);
}

int DateFormatIndex(int field)
{
    return IndexOfField(kDateFormatFields, field);
}

void SerializeTitlesAndJournal(CArchive& ar, CTitleFormatPage (&titles)[kTitleFormatCount],
                               CJournalFormatPage& journal, bool byVersion)
{
    const bool withoutField9 = byVersion && ar.IsLoading() && GetStyleVersion(ar) < kStyleVersionTitlePages;
    for (int i = 0; i < kTitleFormatCount; ++i) {
        if (!(withoutField9 && i == kField9Title))
            titles[i].Serialize(ar);
    }
    journal.Serialize(ar);
    if (withoutField9)
        titles[kField9Title].titleCase = journal.titleCase;
}

void SerializeDatesKeywordsPages(CArchive& ar, CDateFormatPage (&dates)[kDateFormatCount],
                                 CKeywordFormatPage& keywords, CPageNumberFormatPage& pages)
{
    for (CDateFormatPage& date : dates)
        date.Serialize(ar);
    keywords.Serialize(ar);
    pages.Serialize(ar);
}
