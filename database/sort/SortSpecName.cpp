#include "database/sort/SortSpecName.h"

#include "database/sort/DBSortSpec.h"

namespace {
const char* AuthorName(const DBSortSpec& spec)
{
    if (spec.firstAuthorOnly)
        return spec.lastNameOnly ? "First Author's Last Name" : "First Author";
    return spec.lastNameOnly ? "Author's Last Name" : "Author";
}
} // namespace

CString GetSortFieldName(int code, const DBSortSpec& spec, const DefaultFieldNames& names)
{
    if (code >= 1 && code <= 45)
        return names.GetFieldName(code);
    switch (code) {
    case sortFieldRecordId:
        return CString("Record ID");
    case sortFieldAuthorTitle:
        return CString("Author-Title");
    case sortFieldWorkform:
        return CString("Workform");
    case sortFieldDate:
        return CString("Date");
    case sortFieldTitle:
        return CString("Title");
    case sortFieldAuthor:
        return CString(AuthorName(spec));
    default:
        return CString();
    }
}

CString GetSortSpecName(const DBSortSpec& spec, const DefaultFieldNames& names)
{
    CString name;
    for (int i = 0; i < spec.keyCount && i < kMaxSortKeys; ++i) {
        if (i > 0)
            name += "/";
        name += GetSortFieldName(spec.keys[i].fieldCode, spec, names);
        if (!spec.keys[i].ascending)
            name += " (Descending)";
    }
    return name;
}
