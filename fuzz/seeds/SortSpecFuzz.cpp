// Seeds: the standard sorts with stop lists and the fields of a reference,
// stored as the target reads them.
#include "FuzzSeeds.h"

#include "app/core/LineStringArray.h"
#include "database/sort/DBSortSpec.h"

namespace {
void Store(FuzzSeeds& seeds, const char* name, BYTE language, std::initializer_list<DBSortKey> keys,
           int options, std::initializer_list<const char*> texts)
{
    seeds.AddStored(name, [&](CArchive& ar) {
        DBSortSpec spec;
        for (const DBSortKey& key : keys)
            spec.AddKey(key);
        spec.emptyFirst = options & 1;
        spec.firstAuthorOnly = (options >> 1) & 1;
        spec.lastNameOnly = (options >> 2) & 1;
        spec.yearOnly = (options >> 3) & 1;
        ar << language;
        spec.Serialize(ar);
        CLineStringArray("von\nde\nvan").Serialize(ar);
        CLineStringArray("the\na\nan\nle\nla\nles\nder\ndie\ndas").Serialize(ar);
        for (const char* text : texts)
            ar << CString(text);
    });
}
} // namespace

void WriteSeeds(FuzzSeeds& seeds)
{
    const std::initializer_list<const char*> reference = {
        "Smith, John; =The Royal Society, London//Doe, J.////",
        "The Art of War",
        "von Braun, W.\r\nde Gaulle, C.",
        "Collected Works",
        "The Lancet",
        "Proceedings",
        "12 March 1994",
        "Editor, E.",
        "1994b",
        "Spring 1995-1996",
        "=Anonymous",
        "QA76.9 .D3 1990",
        "Sleep/ Dreams \nMemory",
        "A12"};
    Store(seeds, "author-title-date", 0, {DBSortKey(255, 1), DBSortKey(254, 1), DBSortKey(253, 1)}, 1,
          reference);
    Store(seeds, "date-desc-title", 4, {DBSortKey(253, 0), DBSortKey(254, 1)}, 8, reference);
    Store(seeds, "call-author-title", 1, {DBSortKey(44, 1), DBSortKey(255, 1), DBSortKey(254, 1)}, 6,
          reference);
    Store(seeds, "six-keys", 8,
          {DBSortKey(0, 1), DBSortKey(250, 0), DBSortKey(252, 1), DBSortKey(20, 1), DBSortKey(7, 0),
           DBSortKey(45, 1)},
          14, reference);
    Store(seeds, "record-id", 2, {DBSortKey(0, 1)}, 1, {"9", "10", "", "\xE9t\xE9 \xC0 la"});
}
