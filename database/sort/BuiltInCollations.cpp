#include "database/sort/BuiltInCollations.h"

#include "database/sort/Collation.h"
#include "database/sort/LanguageSort.h"
#include "database/sort/tables/CollationTables.h"

// A collation's version changes whenever its tables or digraphs change, so
// that databases keyed with the old ones rebuild their indexes.
namespace
{
const BYTE kLeadWindows = 0x81;
const BYTE kLeadMacintosh = 0x82;
const BYTE kLeadCyrillic = 0x99;
const BYTE kLeadEastEurope = 0x9B;

const CDigraphCollation::Digraph kCzechDigraphs[] = {{'c', 'h', 81}};
const CDigraphCollation::Digraph kSpanishDigraphs[] = {{'c', 'h', 71}, {'l', 'l', 89}};

// Bytes below 0x80 and Windows Western text share one table.
void SetWesternTables(CCollation& collation, const CollationWeights* windows, const CollationWeights* mac)
{
    collation.SetTable(0, windows);
    collation.SetTable(kLeadWindows, windows);
    collation.SetTable(kLeadMacintosh, mac);
}

struct BuiltInCollations
{
    CCollation general{1, FALSE};
    CDigraphCollation czech{4, kCzechDigraphs, 1};
    CCollation danishNorwegian{3, FALSE};
    CCollation finnishSwedish{2, FALSE};
    CCollation french{1, TRUE};
    CCollation polish{3, FALSE};
    CCollation russian{1, FALSE};
    CDigraphCollation spanish{1, kSpanishDigraphs, 2};

    BuiltInCollations()
    {
        SetWesternTables(general, g_GeneralWindowsWeights, g_GeneralMacWeights);
        SetWesternTables(czech, g_CzechWindowsWeights, g_CzechMacWeights);
        czech.SetTable(kLeadEastEurope, g_CzechEastEuropeWeights);
        SetWesternTables(danishNorwegian, g_DanishNorwegianWindowsWeights, g_DanishNorwegianMacWeights);
        SetWesternTables(finnishSwedish, g_FinnishSwedishWindowsWeights, g_FinnishSwedishMacWeights);
        SetWesternTables(french, g_FrenchWindowsWeights, g_FrenchMacWeights);
        SetWesternTables(polish, g_PolishWindowsWeights, g_PolishMacWeights);
        polish.SetTable(kLeadEastEurope, g_PolishEastEuropeWeights);
        SetWesternTables(russian, g_GeneralWindowsWeights, g_GeneralMacWeights);
        russian.SetTable(kLeadCyrillic, g_RussianCyrillicWeights);
        SetWesternTables(spanish, g_SpanishWindowsWeights, g_SpanishMacWeights);
    }
};
} // namespace

const CCollation* GetBuiltInCollation(int code)
{
    static const BuiltInCollations collations;
    switch (code)
    {
    case langGeneral:
        return &collations.general;
    case langCzech:
        return &collations.czech;
    case langDanishNorwegian:
        return &collations.danishNorwegian;
    case langFinnishSwedish:
        return &collations.finnishSwedish;
    case langFrench:
        return &collations.french;
    case langPolish:
        return &collations.polish;
    case langRussian:
        return &collations.russian;
    case langSpanish:
        return &collations.spanish;
    default:
        return nullptr;
    }
}
