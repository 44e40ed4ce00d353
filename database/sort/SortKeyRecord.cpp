#include "database/sort/SortKeyRecord.h"

#include "database/sort/DBSortSpec.h"
#include "database/text/StyledString.h"

namespace {
const int kAuthorFields[] = {1, 7, 0};
const int kAuthorTitleFields[] = {1, 4, 7, 9, 10, 11, 0};
const int kTitleFields[] = {4, 9, 10, 11, 0};
const int kDateFields[] = {20, 21, 0};

const int* FieldsOfRole(int code)
{
    switch (code) {
    case sortFieldAuthor:
        return kAuthorFields;
    case sortFieldAuthorTitle:
        return kAuthorTitleFields;
    case sortFieldTitle:
        return kTitleFields;
    case sortFieldDate:
        return kDateFields;
    default:
        return nullptr;
    }
}
} // namespace

int SortKeyRecord::ResolveFieldRole(int code) const
{
    const int* fields = FieldsOfRole(code);
    if (fields == nullptr)
        return code;
    for (const int* f = fields; *f != 0; ++f) {
        if (!GetField(*f).IsEmpty())
            return *f;
    }
    return fields[0];
}
