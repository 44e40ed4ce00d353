// Builds the sort keys of 1,000,000 mixed-language titles (Western, Macintosh,
// Czech and Polish, Russian and Symbol-font text) in every sort language, as
// the sort keys of titles are built (primary and accent levels, 123 bytes of
// room). Prints keys per second for each language and for the encoding of the
// styled titles.
#include "bench/support/BenchReport.h"

#include "database/sort/LanguageSort.h"
#include "database/text/InternalEncoding.h"

#include <cstdio>
#include <string>
#include <vector>

namespace
{
const int kTitles = 1000000;
const int kKeyRoom = 123;

struct WordPool
{
    BYTE charSet;
    BYTE encoding;
    const char* fontName;
    std::vector<const char*> words;
};

std::vector<WordPool> MakePools()
{
    const std::vector<const char*> english = {"The",    "art",     "of",       "war",      "Studies",
                                              "in",     "biology", "history",  "and",      "theory",
                                              "review", "Journal", "clinical", "practice", "molecular"};
    const std::vector<const char*> western = {"R\xE9sum\xE9", "\xE9tude", "c\xF4t\xE9", "M\xFCller",
                                              "Gro\xDF",      "\xC6gir",  "fj\xF8rd",   "\xC5lborg",
                                              "Espa\xF1ol",   "ni\xF1o",  "chico",      "llama"};
    const std::vector<const char*> macintosh = {"caf\x8E", "\x80lvsborg", "na\x95ve", "\xDEle", "\x8Ctre"};
    const std::vector<const char*> eastEurope = {"\xE8istota", "P\xF8\xEDklad", "\xB3oso\x9C", "\x9Cwiat",
                                                 "\xBFycie",   "chrom",         "Dvo\xF8\xE1k"};
    const std::vector<const char*> cyrillic = {"\xC2\xEE\xE9\xED\xE0", "\xEC\xE8\xF0", "\xA8\xEB\xEA\xE0",
                                               "\xD0\xEE\xF1\xF1\xE8\xFF"};
    const std::vector<const char*> symbol = {"abg", "p", "\xE5"};
    return {{0, 0, nullptr, english},      {0, 0, nullptr, western},    {0, 1, nullptr, macintosh},
            {238, 0, nullptr, eastEurope}, {204, 0, nullptr, cyrillic}, {2, 0, "Symbol", symbol}};
}

// One of the pools: mostly plain English, then the other scripts.
int PickPool(unsigned pick)
{
    static const int pools[16] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 2, 3, 3, 4, 5};
    return pools[pick % 16];
}

// Deterministic titles of three to eight words from mixed pools.
std::vector<std::string> MakeEncodedTitles(double& encodeSeconds)
{
    const std::vector<WordPool> pools = MakePools();
    std::vector<StyledString> titles;
    titles.reserve(kTitles);
    unsigned state = 0x2545F491;
    const auto next = [&state]() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    for (int i = 0; i < kTitles; ++i)
    {
        StyledString title;
        const int words = 3 + next() % 6;
        for (int w = 0; w < words; ++w)
        {
            const WordPool& pool = pools[PickPool(next())];
            if (w > 0)
                title.AppendStyled(" ", 1, StyleRun());
            const char* word = pool.words[next() % pool.words.size()];
            const int length = static_cast<int>(std::string(word).size());
            const StyleRun run(0, 0, pool.fontName, length, pool.charSet, pool.encoding);
            title.AppendStyled(word, length, run);
        }
        titles.push_back(title);
    }
    std::vector<std::string> encoded;
    encoded.reserve(kTitles);
    char buffer[128];
    BenchClock clock;
    for (const StyledString& title : titles)
        encoded.push_back(EncodeStyledText(buffer, sizeof buffer, title));
    encodeSeconds = clock.Seconds();
    return encoded;
}
} // namespace

int main()
{
    double encodeSeconds = 0;
    const std::vector<std::string> titles = MakeEncodedTitles(encodeSeconds);
    BenchPrintRate("encode styled titles", kTitles, encodeSeconds);

    std::vector<int> codes;
    for (int i = 0; i < CLanguageSort::GetLanguageCount(); ++i)
        codes.push_back(CLanguageSort::GetLanguageCode(i));
    codes.push_back(langRawBytes);

    char key[kKeyRoom];
    for (int code : codes)
    {
        const CLanguageSort sort(code);
        const int index = CLanguageSort::FindLanguage(code);
        const std::string name = index >= 0 ? CLanguageSort::GetLanguageName(index) : "raw bytes";
        size_t nonEmpty = 0;
        BenchClock clock;
        for (const std::string& title : titles)
        {
            sort.MakeSortKey(key, sizeof key, title.c_str(), sortKeyNoCase);
            nonEmpty += key[0] != '\0';
        }
        const double seconds = clock.Seconds();
        BenchPrintRate(("sort keys, " + name).c_str(), kTitles, seconds);
        if (nonEmpty != static_cast<size_t>(kTitles))
            std::printf("  (%u empty keys)\n", static_cast<unsigned>(kTitles - nonEmpty));
    }
    BenchPrintPeakMemory();
    return 0;
}
