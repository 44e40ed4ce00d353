// The registry of sort languages: three parallel arrays filled once, in the
// order of the sort-language list.
#include "database/sort/LanguageSort.h"

#include "database/sort/BuiltInCollations.h"
#include "database/sort/Collation.h"

namespace
{
struct LanguageEntry
{
    const char* name;
    WORD code;
};

const LanguageEntry kLanguages[] = {
    {"General", langGeneral},
    {"Czech", langCzech},
    {"Danish and Norwegian", langDanishNorwegian},
    {"Finnish and Swedish", langFinnishSwedish},
    {"French", langFrench},
    {"Polish", langPolish},
    {"Russian (Cyrillic)", langRussian},
    {"Spanish (Traditional)", langSpanish},
    {"System Specific", langSystem},
};
const int kLanguageCount = sizeof(kLanguages) / sizeof(kLanguages[0]);

const char* g_languageNames[kLanguageCount];
WORD g_languageCodes[kLanguageCount];
const CCollation* g_languageCollations[kLanguageCount];
int g_registeredCount = 0;

bool ValidIndex(int index)
{
    CLanguageSort::RegisterLanguages();
    return index >= 0 && index < g_registeredCount;
}
} // namespace

void CLanguageSort::RegisterLanguages()
{
    if (g_registeredCount != 0)
        return;
    for (int i = 0; i < kLanguageCount; ++i)
    {
        g_languageNames[i] = kLanguages[i].name;
        g_languageCodes[i] = kLanguages[i].code;
        g_languageCollations[i] = GetBuiltInCollation(kLanguages[i].code);
    }
    g_registeredCount = kLanguageCount;
}

int CLanguageSort::GetLanguageCount()
{
    RegisterLanguages();
    return g_registeredCount;
}

const char* CLanguageSort::GetLanguageName(int index)
{
    return ValidIndex(index) ? g_languageNames[index] : "";
}

WORD CLanguageSort::GetLanguageCode(int index)
{
    return ValidIndex(index) ? g_languageCodes[index] : static_cast<WORD>(langRawBytes);
}

const CCollation* CLanguageSort::GetLanguageCollation(int index)
{
    return ValidIndex(index) ? g_languageCollations[index] : nullptr;
}

int CLanguageSort::FindLanguage(int code)
{
    RegisterLanguages();
    for (int i = 0; i < g_registeredCount; ++i)
    {
        if (g_languageCodes[i] == code)
            return i;
    }
    return -1;
}
