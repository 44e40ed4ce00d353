// The sort language of a database.
//
// CLanguageSort turns a text in the stored encoding (EncodeStyledText) into a
// sort key: a NUL-terminated byte string whose plain unsigned byte order is
// the order of the language. Every index key that holds text is built through
// it, and every such key is compared by CompareSortKeys alone, so B-tree
// searches never call into a collation.
//
// Key of a built-in collation: the primary weights (letters), then, unless
// left out by the flags, 0x01 and the secondary weights (accents), 0x01 and
// the tertiary weights (case). A level whose weights are all "none" is left
// out (its separator stays), and trailing separators are stripped, so a text
// without accents or capitals keys as its letters alone and sorts before the
// same letters with them.
//
// Languages (registry order, as the sort-language list shows them):
//   1 General, 2 Czech, 3 Danish and Norwegian, 4 Finnish and Swedish,
//   5 French, 7 Polish, 9 Russian (Cyrillic), 8 Spanish (Traditional),
//   254 System Specific (the system's collation of the user's locale);
//   255 (not listed): no collation, keys are the raw bytes.
//
// Stored form (schema 0): u16 language code, u16 collation version.
// The stored version is the version of the tables the database's keys were
// built with; CollationVersionDiffers tells when the tables in use are
// another, so that the indexes must be rebuilt.
#pragma once

#include "classlib/Object.h"

class CCollation;

enum LanguageCode
{
    langGeneral = 1,
    langCzech = 2,
    langDanishNorwegian = 3,
    langFinnishSwedish = 4,
    langFrench = 5,
    langPolish = 7,
    langSpanish = 8,
    langRussian = 9,
    langSystem = 254,
    langRawBytes = 255
};

// MakeSortKey flags.
enum SortKeyFlags
{
    sortKeyNoAccents = 1, // leave out the secondary level
    sortKeyNoCase = 2     // leave out the tertiary level
};

class CLanguageSort : public CObject
{
    DECLARE_SERIAL(CLanguageSort)
public:
    // Registers the languages on first use and selects the language;
    // the collation version is that of the selected tables.
    explicit CLanguageSort(int language = langRawBytes);

    // Selects a language. FALSE when the code is unknown or its collation is
    // unavailable: the language is then 255 (raw bytes). The stored collation
    // version is left as it is.
    BOOL SetLanguage(int code);
    int GetLanguage() const { return m_language; }

    // The version of the tables in use: 2 for the system collation, 0 for raw
    // bytes, else the selected collation's.
    int GetCollationVersion() const;
    // The version the keys were built with, as read or as set.
    int GetStoredCollationVersion() const { return m_collationVersion; }
    void SetStoredCollationVersion(int version) { m_collationVersion = version; }
    // TRUE when keys built with the stored version may differ from keys built
    // now: the indexes need rebuilding.
    BOOL CollationVersionDiffers() const { return m_collationVersion != GetCollationVersion(); }

    void Serialize(CArchive& ar) override;

    // Writes the key of text (stored encoding, NUL-terminated) into dest, at
    // most size bytes with its NUL, and returns dest. A key that does not fit
    // is cut with its NUL at dest[size - 1]. Nothing is written when size < 1.
    char* MakeSortKey(char* dest, int size, const char* text, int flags) const;

    // -1, 0 or 1: unsigned byte order of two NUL-terminated keys, a key that
    // is a prefix of the other first. The same for every language.
    static int CompareSortKeys(const char* a, const char* b);

    // The language registry, filled once; later calls return at once.
    static void RegisterLanguages();
    static int GetLanguageCount();
    static const char* GetLanguageName(int index);
    static WORD GetLanguageCode(int index);
    // NULL for "System Specific".
    static const CCollation* GetLanguageCollation(int index);
    // The registry index of a code, or -1.
    static int FindLanguage(int code);

private:
    int m_language;
    int m_collationVersion;
    const CCollation* m_collation; // shared, not owned
};

// The key of the system collation: the text without its lead bytes, mapped
// by the operating system's sort keys of the user's default locale (a
// portable stand-in with the same contract outside Windows). Flag 2 ignores
// case; flag 1 has no effect. Same size rules as MakeSortKey.
char* MakeLocaleSortKey(char* dest, int size, const char* text, int flags);
