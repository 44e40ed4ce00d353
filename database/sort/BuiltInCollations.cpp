#include "database/sort/BuiltInCollations.h"

#include "database/sort/Collation.h"
#include "database/sort/LanguageSort.h"

const CCollation* GetBuiltInCollation(int code)
{
    static const CCollation general(1, FALSE);
    switch (code)
    {
    case langGeneral:
        return &general;
    default:
        return nullptr;
    }
}
