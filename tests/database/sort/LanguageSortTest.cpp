#include "database/sort/LanguageSort.h"

#include "classlib/Exceptions.h"
#include "database/sort/Collation.h"
#include "database/text/ArchiveBytes.h"
#include "database/text/InternalEncoding.h"

#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

namespace
{
const BYTE kCharSetEastEurope = 238;
const BYTE kCharSetCyrillic = 204;

// Windows text from UTF-8 source: the Latin-1 letters are the same bytes in
// Windows-1252.
std::string Latin1(const char* utf8)
{
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8); *p != 0; ++p)
    {
        if ((*p == 0xC2 || *p == 0xC3) && p[1] != 0)
        {
            out += static_cast<char>(((*p & 0x03) << 6) | (p[1] & 0x3F));
            ++p;
        }
        else
        {
            out += static_cast<char>(*p);
        }
    }
    return out;
}

StyledString Windows(const char* utf8)
{
    return StyledString(Latin1(utf8).c_str());
}

// Text in one run of a character set or encoding (bytes as given).
StyledString InSet(const std::string& bytes, BYTE charSet, BYTE encoding = kEncodingWindows)
{
    StyledString s;
    s.AppendStyled(bytes.data(), static_cast<int>(bytes.size()),
                   StyleRun(0, 0, nullptr, 0, charSet, encoding));
    return s;
}

StyledString Macintosh(const std::string& bytes)
{
    return InSet(bytes, 0, kEncodingMacintosh);
}

StyledString SymbolFont(const std::string& bytes)
{
    StyledString s;
    s.AppendStyled(bytes.data(), static_cast<int>(bytes.size()), StyleRun(0, 0, "Symbol", 0));
    return s;
}

StyledString Join(StyledString a, const StyledString& b)
{
    a += b;
    return a;
}

std::string Encoded(const StyledString& s)
{
    char buffer[1024];
    EncodeStyledText(buffer, sizeof buffer, s);
    return buffer;
}

std::string KeyOf(const CLanguageSort& sort, const StyledString& s, int flags)
{
    char key[1024];
    sort.MakeSortKey(key, sizeof key, Encoded(s).c_str(), flags);
    return key;
}

std::string KeyOf(int language, const StyledString& s, int flags)
{
    return KeyOf(CLanguageSort(language), s, flags);
}

std::string Hex(const std::string& bytes)
{
    std::string out;
    char digits[4];
    for (unsigned char c : bytes)
    {
        snprintf(digits, sizeof digits, "%02X ", c);
        out += digits;
    }
    return out;
}

// One row of an order table: how the text compares with the row before it.
struct Row
{
    char relation; // '<' after the row before, '=' equal to it
    StyledString text;
};

// Every pair of rows compares as their places in the table say.
void ExpectOrder(int language, int flags, const std::vector<Row>& rows)
{
    const CLanguageSort sort(language);
    std::vector<std::string> keys;
    std::vector<int> ranks;
    int rank = 0;
    for (const Row& row : rows)
    {
        if (!keys.empty() && row.relation == '<')
            ++rank;
        keys.push_back(KeyOf(sort, row.text, flags));
        ranks.push_back(rank);
    }
    for (size_t i = 0; i < rows.size(); ++i)
    {
        for (size_t j = 0; j < rows.size(); ++j)
        {
            const int expected = ranks[i] < ranks[j] ? -1 : ranks[i] > ranks[j] ? 1 : 0;
            EXPECT_EQ(expected, CLanguageSort::CompareSortKeys(keys[i].c_str(), keys[j].c_str()))
                << "language " << language << " flags " << flags << ": '" << rows[i].text.text << "' ["
                << Hex(keys[i]) << "] against '" << rows[j].text.text << "' [" << Hex(keys[j]) << "]";
        }
    }
}

const BYTE* Weights(int language, BYTE lead, BYTE ch)
{
    const CCollation* collation = CLanguageSort::GetLanguageCollation(CLanguageSort::FindLanguage(language));
    return collation->GetTable(lead)[ch];
}

std::string WeightsText(const BYTE* w)
{
    return std::to_string(w[0]) + "," + std::to_string(w[1]) + "," + std::to_string(w[2]) + "," +
           std::to_string(w[3]);
}
} // namespace

TEST(LanguageSortTest, RegistryListsTheLanguagesInOrder)
{
    const struct
    {
        const char* name;
        int code;
        int version;
    } expected[] = {{"General", 1, 1},
                    {"Czech", 2, 4},
                    {"Danish and Norwegian", 3, 3},
                    {"Finnish and Swedish", 4, 2},
                    {"French", 5, 1},
                    {"Polish", 7, 3},
                    {"Russian (Cyrillic)", 9, 1},
                    {"Spanish (Traditional)", 8, 1},
                    {"System Specific", 254, 2}};
    ASSERT_EQ(9, CLanguageSort::GetLanguageCount());
    for (int i = 0; i < 9; ++i)
    {
        EXPECT_STREQ(expected[i].name, CLanguageSort::GetLanguageName(i));
        EXPECT_EQ(expected[i].code, CLanguageSort::GetLanguageCode(i));
        EXPECT_EQ(i, CLanguageSort::FindLanguage(expected[i].code));
        const CLanguageSort sort(expected[i].code);
        EXPECT_EQ(expected[i].code, sort.GetLanguage());
        EXPECT_EQ(expected[i].version, sort.GetCollationVersion()) << expected[i].name;
        EXPECT_EQ(expected[i].version, sort.GetStoredCollationVersion());
        EXPECT_FALSE(sort.CollationVersionDiffers());
    }
    EXPECT_EQ(nullptr, CLanguageSort::GetLanguageCollation(8)); // System Specific
    EXPECT_STREQ("", CLanguageSort::GetLanguageName(9));
    EXPECT_STREQ("", CLanguageSort::GetLanguageName(-1));
    EXPECT_EQ(nullptr, CLanguageSort::GetLanguageCollation(9));
    EXPECT_EQ(-1, CLanguageSort::FindLanguage(6));
    EXPECT_EQ(-1, CLanguageSort::FindLanguage(255));
}

TEST(LanguageSortTest, UnknownCodesFallBackToRawBytes)
{
    CLanguageSort sort(langFrench);
    for (int code : {0, 6, 10, 253, 256, -1})
    {
        EXPECT_FALSE(sort.SetLanguage(code)) << code;
        EXPECT_EQ(langRawBytes, sort.GetLanguage());
        EXPECT_EQ(0, sort.GetCollationVersion());
        // Selecting keeps the version the keys were built with.
        EXPECT_EQ(1, sort.GetStoredCollationVersion());
        EXPECT_TRUE(sort.CollationVersionDiffers());
    }
    EXPECT_TRUE(sort.SetLanguage(langSystem));
    EXPECT_EQ(2, sort.GetCollationVersion());
    EXPECT_TRUE(sort.SetLanguage(langRawBytes));
    EXPECT_TRUE(sort.SetLanguage(langPolish));
    EXPECT_EQ(langPolish, sort.GetLanguage());
    EXPECT_EQ(3, sort.GetCollationVersion());

    const CLanguageSort unknown(6);
    EXPECT_EQ(langRawBytes, unknown.GetLanguage());
    EXPECT_EQ(0, unknown.GetStoredCollationVersion());
}

TEST(LanguageSortTest, TellingWeightRows)
{
    const struct
    {
        int language;
        BYTE lead;
        BYTE ch;
        const char* weights;
    } rows[] = {
        {langGeneral, 0, 'a', "0,65,2,3"},
        {langGeneral, 0x81, 0xC1, "0,65,3,2"},        // Á
        {langGeneral, 0x81, 0xFC, "0,85,6,3"},        // ü
        {langGeneral, 0x81, 0xDF, "0,115,115,129"},   // ß: s s
        {langGeneral, 0x81, 0xD0, "0,92,2,2"},        // Ð
        {langGeneral, 0x81, 0xDE, "0,91,2,2"},        // Þ
        {langGeneral, 0x81, 0xA7, "0,167,2,2"},       // §
        {langGeneral, 0x81, 0x8E, "0,142,2,2"},       // Ž keeps its code
        {langGeneral, 0x81, 0x9E, "0,158,2,2"},       // ž
        {langGeneral, 0x81, 0xC6, "0,65,69,129"},     // Æ: A E
        {langGeneral, 0x81, 0x9C, "0,111,101,129"},   // œ: o e
        {langGeneral, 0x81, 0xD8, "0,79,9,2"},        // Ø: O stroke
        {langGeneral, 0x82, 0x87, "0,65,3,3"},        // Macintosh á
        {langGeneral, 0x82, 0xDE, "0,102,105,129"},   // Macintosh fi: f i
        {langGeneral, 0x82, 0xB7, "131,229,2,2"},     // Macintosh ∑: Symbol 0xE5
        {langCzech, 0, 'Z', "0,116,2,2"},
        {langCzech, 0, '[', "0,117,2,2"},
        {langCzech, 0, '`', "0,122,2,2"},
        {langCzech, 0x9B, 0xE8, "0,71,2,3"},          // č
        {langCzech, 0x9B, 0xD8, "0,101,2,2"},         // Ř
        {langCzech, 0x81, 0x8A, "0,103,2,2"},         // Š
        {langCzech, 0x81, 0x9E, "0,117,2,3"},         // ž
        {langCzech, 0x9B, 0xF9, "0,106,14,3"},        // ů: ring
        {langCzech, 0x81, 0xD0, "0,72,13,2"},         // Ð as D
        {langCzech, 0x81, 0xDE, "0,104,13,2"},        // Þ as T
        {langDanishNorwegian, 0x81, 0xC6, "0,115,2,2"}, // Æ, no expansion
        {langDanishNorwegian, 0x81, 0xFC, "0,113,6,3"}, // ü as y
        {langDanishNorwegian, 0x81, 0x9F, "0,114,6,2"}, // Ÿ as Z
        {langDanishNorwegian, 0x81, 0xC5, "0,119,2,2"}, // Å
        {langDanishNorwegian, 0x81, 0xDE, "0,104,9,2"},
        {langFinnishSwedish, 0, 'w', "0,108,2,3"},
        {langFinnishSwedish, 0x81, 0xD8, "0,115,2,2"},  // Ø
        {langFinnishSwedish, 0x81, 0xC6, "0,65,69,129"}, // Æ: A E
        {langFrench, 0x81, 0xDE, "0,117,2,2"},
        {langFrench, 0x81, 0xD0, "0,118,2,2"},
        {langPolish, 0x9B, 0xA5, "0,67,2,2"},         // Ą
        {langPolish, 0x9B, 0xB3, "0,89,2,3"},         // ł
        {langPolish, 0x81, 0xD3, "0,95,2,2"},         // Ó
        {langPolish, 0x9B, 0xBF, "0,118,2,3"},        // ż
        {langPolish, 0x81, 0xDE, "0,91,2,2"},
        {langSpanish, 0x81, 0xF1, "0,93,2,3"},        // ñ
        {langRussian, 0, 'a', "0,65,2,3"},
        {langRussian, 0x99, 0xE0, "0,192,2,3"},       // а
        {langRussian, 0x99, 0xA8, "0,168,2,2"},       // Ё
        {langRussian, 0x99, 0xB8, "0,168,2,3"},       // ё
        {langRussian, 0x99, 0x9A, "0,138,2,3"},       // љ as Љ
    };
    for (const auto& row : rows)
    {
        EXPECT_EQ(row.weights, WeightsText(Weights(row.language, row.lead, row.ch)))
            << "language " << row.language << " lead " << int(row.lead) << " char " << int(row.ch);
    }
    // The plain table and the Windows table are one; leads without a table.
    const CCollation* general = CLanguageSort::GetLanguageCollation(0);
    EXPECT_EQ(general->GetTable(0), general->GetTable(0x81));
    EXPECT_EQ(nullptr, general->GetTable(0x83));
    EXPECT_EQ(nullptr, general->GetTable(0x9B));
    EXPECT_EQ(1, general->IsAvailable());
    EXPECT_EQ(0, general->reverseAccents);
    EXPECT_EQ(1,
              CLanguageSort::GetLanguageCollation(CLanguageSort::FindLanguage(langFrench))->reverseAccents);
}

// Every table entry of every collation is well formed: a primary weight that
// is not 0 (no NUL inside a key), levels of 2 or more, expansions that name
// plain characters.
TEST(LanguageSortTest, EveryTableEntryIsWellFormed)
{
    for (int i = 0; i < CLanguageSort::GetLanguageCount(); ++i)
    {
        const CCollation* collation = CLanguageSort::GetLanguageCollation(i);
        if (collation == nullptr)
            continue;
        for (int lead = 0; lead < 256; ++lead)
        {
            const CollationWeights* table = collation->GetTable(static_cast<BYTE>(lead));
            if (table == nullptr)
                continue;
            for (int ch = 1; ch < 256; ++ch)
            {
                const BYTE* w = table[ch];
                SCOPED_TRACE(std::string(CLanguageSort::GetLanguageName(i)) + " lead " +
                             std::to_string(lead) + " char " + std::to_string(ch));
                EXPECT_NE(0, w[1]);
                if (w[3] == kExpansionMark)
                {
                    const CollationWeights* parts = collation->GetTable(w[0]);
                    ASSERT_NE(nullptr, parts);
                    EXPECT_NE(kExpansionMark, parts[w[1]][3]);
                    EXPECT_NE(kExpansionMark, parts[w[2]][3]);
                }
                else
                {
                    EXPECT_GE(w[2], 2);
                    EXPECT_TRUE(w[3] == 2 || w[3] == 3);
                }
            }
        }
    }
}

TEST(LanguageSortTest, GeneralOrder)
{
    ExpectOrder(langGeneral, 0,
                {{'<', Windows("A")},
                 {'<', Windows("a")},
                 {'<', Windows("Á")},
                 {'<', Windows("á")},
                 {'<', Windows("b")}});
    ExpectOrder(langGeneral, sortKeyNoCase,
                {{'<', Windows("A")},
                 {'=', Windows("a")},
                 {'<', Windows("Á")},
                 {'=', Windows("á")},
                 {'<', Windows("b")}});
    ExpectOrder(langGeneral, 0,
                {{'<', Windows("resume")}, {'<', Windows("Résumé")}, {'<', Windows("résumé")},
                 {'<', Windows("resumes")}});
    // Accents weigh from the start: the first difference decides.
    ExpectOrder(
        langGeneral, sortKeyNoCase,
        {{'<', Windows("cote")}, {'<', Windows("coté")}, {'<', Windows("côte")}, {'<', Windows("côté")}});
    // Without the accent level accented letters are their base letters.
    ExpectOrder(langGeneral, sortKeyNoCase | sortKeyNoAccents,
                {{'<', Windows("resume")}, {'=', Windows("RÉSUMÉ")}, {'<', Windows("resumes")}});
    // Expansions, the letters after Z, and the letters that keep their code.
    ExpectOrder(langGeneral, sortKeyNoCase,
                {{'<', Windows("ad")},
                 {'<', Windows("ae")},
                 {'=', Windows("æ")},
                 {'=', Windows("AE")},
                 {'=', Windows("Æ")},
                 {'<', Windows("af")},
                 {'<', Windows("strasse")},
                 {'=', Windows("straße")},
                 {'<', Windows("zz")},
                 {'<', Windows("Þ")},
                 {'=', Windows("þ")},
                 {'<', Windows("Ð")},
                 {'=', Windows("ð")},
                 {'<', Windows("\x8E")}, // Ž
                 {'<', Windows("\x9E")}}); // ž
    ExpectOrder(langGeneral, sortKeyNoCase,
                {{'<', Windows("oe")}, {'=', Windows("\x9C")}, {'=', Windows("\x8C")}, {'<', Windows("of")}});
}

TEST(LanguageSortTest, AuthorSeparatorSortsBeforeTheBlank)
{
    ExpectOrder(langGeneral, sortKeyNoCase,
                {{'<', Windows("Smith")},
                 {'<', Windows("Smith\x01Jones")},
                 {'<', Windows("Smith Adam")},
                 {'<', Windows("Smithson")}});
}

// A character weighs the same whichever character set carries it; characters
// whose set has no table weigh their raw bytes, after every letter.
TEST(LanguageSortTest, CharacterSetsMeetInOneOrder)
{
    for (int language : {langGeneral, langFrench, langCzech, langRussian})
    {
        // é in Windows, Macintosh Roman and (for Czech) Windows-1250 text.
        const std::string windows = KeyOf(language, Windows("caf\xE9"), 0);
        EXPECT_EQ(Hex(windows), Hex(KeyOf(language, Macintosh("caf\x8E"), 0))) << language;
        if (language == langCzech)
        {
            EXPECT_EQ(Hex(windows), Hex(KeyOf(language, InSet("caf\xE9", kCharSetEastEurope), 0)));
        }
    }
    // Macintosh mathematical signs weigh as the Symbol-font sign.
    EXPECT_EQ(Hex(KeyOf(langGeneral, SymbolFont("\xE5"), 0)), Hex(KeyOf(langGeneral, Macintosh("\xB7"), 0)));
    EXPECT_EQ(Hex(KeyOf(langGeneral, SymbolFont("p"), 0)), Hex(KeyOf(langGeneral, Macintosh("\xB9"), 0)));
    // The Macintosh fi ligature is f i.
    EXPECT_EQ(Hex(KeyOf(langGeneral, Windows("fit"), sortKeyNoCase)),
              Hex(KeyOf(langGeneral, Macintosh("\xDEt"), sortKeyNoCase)));
    // Greek has no table: its raw bytes come after every Latin letter.
    const StyledString greek = InSet("\xE1", 161);
    EXPECT_EQ("94 E1 ", Hex(KeyOf(langGeneral, greek, 0)));
    ExpectOrder(langGeneral, sortKeyNoCase,
                {{'<', Windows("Zz")}, {'<', Windows("Ðz")}, {'<', greek}, {'<', InSet("\xE2", 161)}});
    // Symbol-font letters are not Latin letters.
    ExpectOrder(langGeneral, sortKeyNoCase, {{'<', Windows("b")}, {'<', SymbolFont("a")}});
}

TEST(LanguageSortTest, CzechOrder)
{
    const auto czech = [](const char* bytes) { return InSet(bytes, kCharSetEastEurope); };
    ExpectOrder(langCzech, sortKeyNoCase,
                {{'<', Windows("c")},
                 {'<', Windows("cz")},
                 {'<', czech("\xE8")},   // č
                 {'=', czech("\xC8")},   // Č
                 {'<', czech("\xE8z")},
                 {'<', Windows("d")},
                 {'<', Windows("hz")},
                 {'<', Windows("ch")},
                 {'=', Windows("CH")},
                 {'=', Windows("Ch")},
                 {'=', Windows("cH")},
                 {'<', Windows("chz")},
                 {'<', Windows("i")},
                 {'<', Windows("rz")},
                 {'<', czech("\xF8")},   // ř
                 {'<', Windows("s")},
                 {'<', Windows("sz")},
                 {'<', Windows("\x9A")}, // š in Windows text
                 {'=', czech("\x9A")},   // and in Windows-1250 text
                 {'<', Windows("t")},
                 {'<', Windows("zz")},
                 {'<', czech("\x9E")}}); // ž
    // Czech accent weights: dot above, diaeresis, acute, caron, ring.
    ExpectOrder(langCzech, sortKeyNoCase,
                {{'<', Windows("e")},
                 {'<', czech("\xEB")},  // ë
                 {'<', czech("\xE9")},  // é
                 {'<', czech("\xEC")},  // ě
                 {'<', Windows("f")},
                 {'<', Windows("u")},
                 {'<', czech("\xFA")},  // ú
                 {'<', czech("\xF9")},  // ů
                 {'<', czech("\xFB")},  // ű
                 {'<', Windows("v")}});
    ExpectOrder(langCzech, sortKeyNoCase,
                {{'<', Windows("d")}, {'<', Windows("Ð")}, {'<', Windows("e")}, {'<', Windows("t")},
                 {'<', Windows("Þ")}, {'<', Windows("u")}});
}

TEST(LanguageSortTest, DanishNorwegianOrder)
{
    ExpectOrder(langDanishNorwegian, sortKeyNoCase,
                {{'<', Windows("x")},
                 {'<', Windows("ya")},
                 {'<', Windows("üb")},
                 {'<', Windows("yc")},
                 {'<', Windows("z")},
                 {'<', Windows("æ")},
                 {'=', Windows("Æ")},
                 {'<', Windows("ä")},
                 {'<', Windows("ø")},
                 {'<', Windows("ö")},
                 {'<', Windows("å")},
                 {'=', Windows("Å")}});
    ExpectOrder(langDanishNorwegian, sortKeyNoCase,
                {{'<', Windows("y")}, {'<', Windows("ý")}, {'<', Windows("ü")}, {'<', Windows("z")}});
}

TEST(LanguageSortTest, FinnishSwedishOrder)
{
    ExpectOrder(langFinnishSwedish, sortKeyNoCase,
                {{'<', Windows("u")},
                 {'<', Windows("va")},
                 {'=', Windows("wa")},
                 {'<', Windows("wb")},
                 {'=', Windows("vb")},
                 {'<', Windows("x")},
                 {'<', Windows("y")},
                 {'<', Windows("ü")},
                 {'<', Windows("z")},
                 {'<', Windows("å")},
                 {'<', Windows("ä")},
                 {'<', Windows("ö")},
                 {'<', Windows("ø")}});
    // Æ is not a letter of its own here.
    ExpectOrder(langFinnishSwedish, sortKeyNoCase,
                {{'<', Windows("ad")}, {'<', Windows("ae")}, {'=', Windows("æ")}, {'<', Windows("af")}});
}

TEST(LanguageSortTest, FrenchOrderWeighsAccentsFromTheEnd)
{
    ExpectOrder(langFrench, sortKeyNoCase,
                {{'<', Windows("cote")},
                 {'<', Windows("côte")},
                 {'<', Windows("coté")},
                 {'<', Windows("côté")},
                 {'<', Windows("cotes")}});
    ExpectOrder(langFrench, 0,
                {{'<', Windows("Cote")},
                 {'<', Windows("cote")},
                 {'<', Windows("côte")},
                 {'<', Windows("coté")},
                 {'<', Windows("Côté")},
                 {'<', Windows("côté")}});
    ExpectOrder(langFrench, sortKeyNoCase,
                {{'<', Windows("zz")}, {'<', Windows("Þ")}, {'<', Windows("Ð")}});
}

TEST(LanguageSortTest, PolishOrder)
{
    const auto polish = [](const char* bytes) { return InSet(bytes, kCharSetEastEurope); };
    ExpectOrder(langPolish, sortKeyNoCase,
                {{'<', Windows("az")},
                 {'<', polish("\xB9")},  // ą
                 {'=', polish("\xA5")},  // Ą
                 {'<', Windows("b")},
                 {'<', Windows("cz")},
                 {'<', polish("\xE6")},  // ć
                 {'<', Windows("d")},
                 {'<', Windows("ez")},
                 {'<', polish("\xEA")},  // ę
                 {'<', Windows("f")},
                 {'<', Windows("lz")},
                 {'<', polish("\xB3")},  // ł
                 {'=', polish("\xA3")},  // Ł
                 {'<', Windows("m")},
                 {'<', Windows("nz")},
                 {'<', polish("\xF1")},  // ń
                 {'<', Windows("o")},
                 {'<', Windows("oz")},
                 {'<', Windows("ó")},
                 {'=', polish("\xF3")},  // ó in Windows-1250 text
                 {'<', Windows("p")},
                 {'<', Windows("sz")},
                 {'<', polish("\x9C")},  // ś
                 {'<', Windows("t")},
                 {'<', Windows("zz")},
                 {'<', polish("\x9F")},  // ź
                 {'<', polish("\xBF")},  // ż
                 {'=', polish("\xAF")}}); // Ż
    // Other accents stay accents of their base letter.
    ExpectOrder(langPolish, sortKeyNoCase,
                {{'<', Windows("e")}, {'<', Windows("é")}, {'<', Windows("ez")}, {'<', polish("\xEA")}});
}

TEST(LanguageSortTest, SpanishOrder)
{
    ExpectOrder(langSpanish, sortKeyNoCase,
                {{'<', Windows("c")},
                 {'<', Windows("cz")},
                 {'<', Windows("ch")},
                 {'=', Windows("CH")},
                 {'=', Windows("Ch")},
                 {'=', Windows("cH")},
                 {'<', Windows("chz")},
                 {'<', Windows("d")},
                 {'<', Windows("lz")},
                 {'<', Windows("ll")},
                 {'=', Windows("LL")},
                 {'<', Windows("llz")},
                 {'<', Windows("m")},
                 {'<', Windows("nz")},
                 {'<', Windows("ñ")},
                 {'=', Windows("Ñ")},
                 {'<', Windows("o")},
                 {'<', Windows("zz")},
                 {'<', Windows("Þ")},
                 {'<', Windows("Ð")}});
    // The digraph letters weigh the same at the case level in any case.
    ExpectOrder(langSpanish, 0,
                {{'<', Windows("CHa")}, {'<', Windows("Cha")}, {'<', Windows("cHa")}, {'<', Windows("cha")}});
}

TEST(LanguageSortTest, RussianOrder)
{
    const auto cyrillic = [](const char* bytes) { return InSet(bytes, kCharSetCyrillic); };
    ExpectOrder(langRussian, sortKeyNoCase,
                {{'<', Windows("a")},
                 {'<', Windows("Á")},
                 {'<', Windows("zz")},
                 {'<', Windows("Ðz")},
                 {'<', cyrillic("\xA8")},     // Ё
                 {'=', cyrillic("\xB8")},     // ё
                 {'<', cyrillic("\xC0")},     // А
                 {'=', cyrillic("\xE0")},     // а
                 {'<', cyrillic("\xE0\xE1")}, // аб
                 {'<', cyrillic("\xC1")},     // Б
                 {'<', cyrillic("\xEC\xE8\xF0")}, // мир
                 {'=', cyrillic("\xCC\xC8\xD0")}, // МИР
                 {'<', cyrillic("\xFF")}});   // я
    ExpectOrder(langRussian, 0,
                {{'<', cyrillic("\xCC\xE8\xF0")}, {'<', cyrillic("\xEC\xE8\xF0")}});
    // Latin letters follow the general table.
    ExpectOrder(langRussian, 0,
                {{'<', Windows("A")},
                 {'<', Windows("a")},
                 {'<', Windows("Á")},
                 {'<', Windows("á")},
                 {'<', Windows("b")}});
}

TEST(LanguageSortTest, KeyForm)
{
    // Upper case without accents keys as its primary weights alone.
    EXPECT_EQ("41 42 43 ", Hex(KeyOf(langGeneral, Windows("ABC"), 0)));
    EXPECT_EQ("41 01 01 03 ", Hex(KeyOf(langGeneral, Windows("a"), 0)));
    EXPECT_EQ("41 01 03 ", Hex(KeyOf(langGeneral, Windows("Á"), 0)));
    EXPECT_EQ("41 01 03 01 03 ", Hex(KeyOf(langGeneral, Windows("á"), 0)));
    EXPECT_EQ("41 01 03 ", Hex(KeyOf(langGeneral, Windows("á"), sortKeyNoCase)));
    EXPECT_EQ("41 01 03 ", Hex(KeyOf(langGeneral, Windows("á"), sortKeyNoAccents)));
    EXPECT_EQ("41 ", Hex(KeyOf(langGeneral, Windows("á"), sortKeyNoAccents | sortKeyNoCase)));
    // An expansion weighs both of its letters at every level.
    EXPECT_EQ("53 53 01 01 03 03 ", Hex(KeyOf(langGeneral, Windows("ß"), 0)));
    // French accents reversed: côté -> 03 02 05 02.
    EXPECT_EQ("46 5E 68 4A 01 03 02 05 02 ", Hex(KeyOf(langFrench, Windows("CÔTÉ"), sortKeyNoCase)));
    // The empty text keys as the empty key in every language.
    for (int i = 0; i < CLanguageSort::GetLanguageCount(); ++i)
        EXPECT_EQ("", KeyOf(CLanguageSort::GetLanguageCode(i), StyledString(""), 0));
    EXPECT_EQ("", KeyOf(langRawBytes, StyledString(""), 0));
}

// Keys never pass their buffer and end with a NUL at size - 1 when full, in
// every language and at every size.
TEST(LanguageSortTest, KeysStayInsideTheirBuffer)
{
    const std::string text = Encoded(Join(Windows("Æßœ Résumé CH ll "), InSet("\xE8\xF8\xC0\xE0", 238))) +
                             Encoded(InSet("\xC0\xE0\xA8", 204)) + Encoded(SymbolFont("ab"));
    std::vector<int> codes = {langRawBytes, langSystem};
    for (int i = 0; i < CLanguageSort::GetLanguageCount(); ++i)
        codes.push_back(CLanguageSort::GetLanguageCode(i));
    for (int code : codes)
    {
        const CLanguageSort sort(code);
        for (int flags = 0; flags < 4; ++flags)
        {
            char whole[512];
            sort.MakeSortKey(whole, sizeof whole, text.c_str(), flags);
            const size_t wholeLength = strlen(whole);
            for (int size = 0; size <= static_cast<int>(wholeLength) + 2; ++size)
            {
                char buffer[600];
                memset(buffer, 0x55, sizeof buffer);
                EXPECT_EQ(buffer + 8, sort.MakeSortKey(buffer + 8, size, text.c_str(), flags));
                SCOPED_TRACE("language " + std::to_string(code) + " flags " + std::to_string(flags) +
                             " size " + std::to_string(size));
                for (int i = 0; i < 8; ++i)
                    ASSERT_EQ(0x55, static_cast<BYTE>(buffer[i]));
                for (int i = 8 + std::max(size, 0); i < static_cast<int>(sizeof buffer); ++i)
                    ASSERT_EQ(0x55, static_cast<BYTE>(buffer[i]));
                if (size < 1)
                    continue;
                const size_t length = strnlen(buffer + 8, size);
                ASSERT_LT(length, static_cast<size_t>(size));
                // A cut key is the beginning of the whole key (French reverses
                // the accents it has room for, the system keys its own way).
                if (code != langSystem && code != langFrench)
                {
                    EXPECT_EQ(0, strncmp(whole, buffer + 8, length));
                }
            }
        }
    }
}

TEST(LanguageSortTest, KeyFilledToItsSizeEndsWithNulAtTheLastByte)
{
    char key[6];
    memset(key, 'x', sizeof key);
    CLanguageSort(langGeneral).MakeSortKey(key, sizeof key, "ABCDEFGH", 0);
    EXPECT_EQ(std::string("ABCDE"), std::string(key));
    EXPECT_EQ('\0', key[5]);
    CLanguageSort(langRawBytes).MakeSortKey(key, sizeof key, "abcdefgh", 0);
    EXPECT_EQ(std::string("abcde"), std::string(key));
}

TEST(LanguageSortTest, RawBytesKeyIsTheText)
{
    const std::string text = Encoded(Join(Windows("Zoë "), InSet("\xC0", 204)));
    EXPECT_EQ(Hex(text), Hex(KeyOf(langRawBytes, Join(Windows("Zoë "), InSet("\xC0", 204)), 0)));
    ExpectOrder(langRawBytes, 0, {{'<', Windows("B")}, {'<', Windows("a")}, {'<', Windows("b")}});
}

// A lead byte directly before the end of the text is not a character.
TEST(LanguageSortTest, LeadByteAtTheEndIsDropped)
{
    for (int i = 0; i < CLanguageSort::GetLanguageCount(); ++i)
    {
        const CLanguageSort sort(CLanguageSort::GetLanguageCode(i));
        char a[64], b[64];
        sort.MakeSortKey(a, sizeof a, "AB\x81", 0);
        sort.MakeSortKey(b, sizeof b, "AB", 0);
        EXPECT_STREQ(b, a) << CLanguageSort::GetLanguageName(i);
    }
}

// The system collation: what any locale's order gives.
TEST(LanguageSortTest, SystemSpecificOrder)
{
    ExpectOrder(langSystem, sortKeyNoCase,
                {{'<', Windows("apple")},
                 {'=', Windows("APPLE")},
                 {'<', Windows("Banana")},
                 {'<', Windows("cherry")}});
    ExpectOrder(langSystem, 0,
                {{'<', Windows("rest")},
                 {'<', Windows("resume")},
                 {'<', Windows("résumé")},
                 {'<', Windows("resumes")}});
    // Lead bytes are dropped: a Symbol-font 'a' is an 'a'.
    EXPECT_EQ(Hex(KeyOf(langSystem, Windows("a"), 0)), Hex(KeyOf(langSystem, SymbolFont("a"), 0)));
    // The key of a long text is cut to the buffer.
    const std::string text = Encoded(Windows("a rather long title that the system keys in many bytes"));
    char whole[512];
    MakeLocaleSortKey(whole, sizeof whole, text.c_str(), 0);
    char cut[9];
    memset(cut, 'x', sizeof cut);
    MakeLocaleSortKey(cut, 8, text.c_str(), 0);
    EXPECT_EQ('x', cut[8]);
    EXPECT_EQ('\0', cut[7]);
    EXPECT_EQ(std::string(whole, 7), std::string(cut));
    EXPECT_EQ("", KeyOf(langSystem, StyledString(""), 0));
}

TEST(LanguageSortTest, CompareSortKeys)
{
    EXPECT_EQ(0, CLanguageSort::CompareSortKeys("", ""));
    EXPECT_EQ(-1, CLanguageSort::CompareSortKeys("", "A"));
    EXPECT_EQ(-1, CLanguageSort::CompareSortKeys("AB", "ABC"));
    EXPECT_EQ(1, CLanguageSort::CompareSortKeys("ABC", "AB"));
    EXPECT_EQ(1, CLanguageSort::CompareSortKeys("\x80", "\x7F")); // unsigned
    EXPECT_EQ(-1, CLanguageSort::CompareSortKeys("A\x01", "A "));
    EXPECT_EQ(0, CLanguageSort::CompareSortKeys("A\xFF", "A\xFF"));
}

TEST(LanguageSortTest, StoredFormRoundTrips)
{
    for (int i = 0; i < CLanguageSort::GetLanguageCount(); ++i)
    {
        CLanguageSort stored(CLanguageSort::GetLanguageCode(i));
        const Bytes bytes = StoreToBytes([&](CArchive& ar) { stored.Serialize(ar); });
        Bytes expected;
        Put16(expected, stored.GetLanguage());
        Put16(expected, stored.GetCollationVersion());
        EXPECT_EQ(expected, bytes);

        CLanguageSort loaded;
        EXPECT_EQ(0, LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
        EXPECT_EQ(stored.GetLanguage(), loaded.GetLanguage());
        EXPECT_EQ(stored.GetStoredCollationVersion(), loaded.GetStoredCollationVersion());
        EXPECT_FALSE(loaded.CollationVersionDiffers());
        EXPECT_EQ(KeyOf(stored, Windows("Côté chll"), 0), KeyOf(loaded, Windows("Côté chll"), 0));
    }
}

TEST(LanguageSortTest, StoredFormIsACreatableClass)
{
    CObject* object = RUNTIME_CLASS(CLanguageSort)->CreateObject();
    ASSERT_NE(nullptr, object);
    CLanguageSort* sort = DYNAMIC_DOWNCAST(CLanguageSort, object);
    ASSERT_NE(nullptr, sort);
    EXPECT_EQ(langRawBytes, sort->GetLanguage());
    EXPECT_EQ(0, sort->GetCollationVersion());
    EXPECT_TRUE(sort->IsSerializable());
    delete object;
}

// A database keyed with other tables, or with a language no longer known,
// says that its indexes need rebuilding.
TEST(LanguageSortTest, StaleCollationVersionIsDetected)
{
    const struct
    {
        int language;
        int version;
        int expectLanguage;
        bool differs;
    } cases[] = {
        {langCzech, 4, langCzech, false},
        {langCzech, 3, langCzech, true},
        {langGeneral, 0, langGeneral, true},
        {langSystem, 2, langSystem, false},
        {langSystem, 1, langSystem, true},
        {langRawBytes, 0, langRawBytes, false},
        {6, 1, langRawBytes, true},   // unknown language: raw bytes now
        {0x1234, 0, langRawBytes, false},
    };
    for (const auto& c : cases)
    {
        Bytes bytes;
        Put16(bytes, c.language);
        Put16(bytes, c.version);
        CLanguageSort loaded(langFrench);
        EXPECT_EQ(0, LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
        EXPECT_EQ(c.expectLanguage, loaded.GetLanguage()) << c.language;
        EXPECT_EQ(c.version, loaded.GetStoredCollationVersion());
        EXPECT_EQ(c.differs, loaded.CollationVersionDiffers() != 0) << c.language << " v" << c.version;
        if (c.differs)
        {
            // After the rebuild the database stores the version in use.
            loaded.SetStoredCollationVersion(loaded.GetCollationVersion());
            EXPECT_FALSE(loaded.CollationVersionDiffers());
        }
    }
}

TEST(LanguageSortTest, TruncatedStoredFormIsAnArchiveError)
{
    for (const Bytes& bytes : {Bytes{}, Bytes{0x02}, Bytes{0x02, 0x00, 0x04}})
    {
        CLanguageSort loaded(langGeneral);
        try
        {
            LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
            ADD_FAILURE() << "no error for " << bytes.size() << " bytes";
        }
        catch (CArchiveException* e)
        {
            EXPECT_EQ(CArchiveException::endOfFile, e->m_cause);
            e->Delete();
        }
    }
}
