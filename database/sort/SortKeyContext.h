// What text keys depend on besides the text: the database's sort language and
// its two stop lists. A change to any of them makes the keys built with the
// old ones stale, so the indexes must then be rebuilt.
//
// The context only refers to its parts; they must outlive it.
#pragma once

#include "classlib/Collections.h"

class CLanguageSort;

struct SortKeyContext
{
    SortKeyContext(const CLanguageSort& sort, const CStringArray& authors, const CStringArray& generic)
        : languageSort(sort), authorStopList(authors), genericStopList(generic)
    {
    }

    const CLanguageSort& languageSort;
    const CStringArray& authorStopList;  // first word of a personal author name
    const CStringArray& genericStopList; // first word of other text and literal names
};
