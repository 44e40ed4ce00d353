#include "bench/support/BenchRecords.h"

#include "app/core/Paths.h"
#include "app/core/TempFile.h"
#include "classlib/Exceptions.h"
#include "database/db/DBDatabase.h"
#include "database/db/DBRecord.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

unsigned g_seed = 12345;

const char* const kFunctionWords[] = {
    "the",  "of",    "and",    "in",      "a",     "to",    "for",   "with",  "on",   "by",
    "from", "at",    "as",     "an",      "is",    "its",   "their", "new",   "two",  "between",
    "into", "after", "during", "under",   "over",  "among", "via",   "study", "role", "effect",
    "use",  "case",  "toward", "without", "using", "based", "some",  "not",   "or",   "are"};
const unsigned kGeneratedWords = 20000;
const unsigned kSurnames = 3000;
const unsigned kJournals = 300;
const unsigned kKeywords = 2000;

const char* const kOnsets[] = {"b",  "c",  "d",  "f",  "g",  "h",  "j",  "k",  "l",  "m",  "n",
                               "p",  "r",  "s",  "t",  "v",  "w",  "z",  "br", "ch", "cl", "dr",
                               "fr", "gr", "kr", "pl", "pr", "sh", "st", "th", "tr", "sk", ""};
const char* const kVowels[] = {"a", "e", "i", "o", "u", "y", "ai", "ea", "ou", "io"};
const char* const kCodas[] = {"", "", "", "n", "r", "s", "l", "m", "t", "nd", "rt", "st", "x"};
// Internal-encoding letters that surnames take in place of a plain vowel.
const char* const kAccented[] = {"\xe9", "\xfc", "\xe5", "\xf6", "\xe1", "\xf1", "\xe7", "\xf8"};

template <size_t N> const char* Pick(const char* const (&table)[N], unsigned r)
{
    return table[r % N];
}

// The pools' own sequence, apart from BenchRandom so that building them
// never shifts the records.
struct PoolRandom
{
    unsigned seed;
    unsigned operator()()
    {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    }
};

std::string Syllable(PoolRandom& random)
{
    std::string s = Pick(kOnsets, random());
    s += Pick(kVowels, random());
    s += Pick(kCodas, random());
    return s;
}

std::string Syllables(PoolRandom& random, int count)
{
    std::string word;
    for (int i = 0; i < count; ++i)
        word += Syllable(random);
    return word;
}

// Adds made terms to pool until it holds size distinct ones.
template <class Make> void Fill(std::vector<std::string>& pool, unsigned size, Make make)
{
    std::set<std::string> seen(pool.begin(), pool.end());
    while (pool.size() < size) {
        std::string term = make();
        if (!term.empty() && seen.insert(term).second)
            pool.push_back(term);
    }
}

// A pool with its Zipf-like weights: the term of rank r weighs 1 / (r + 1 + shift).
struct Pool
{
    std::vector<std::string> terms;
    std::vector<double> cumulative;

    void Weigh(double shift)
    {
        double total = 0;
        for (size_t r = 0; r < terms.size(); ++r) {
            total += 1.0 / ((double)r + 1.0 + shift);
            cumulative.push_back(total);
        }
    }
    const std::string& Draw() const
    {
        const double u = (BenchRandom() % 16777216u) / 16777216.0 * cumulative.back();
        const size_t rank = std::upper_bound(cumulative.begin(), cumulative.end(), u) - cumulative.begin();
        return terms[std::min(rank, terms.size() - 1)];
    }
    const char* At(unsigned rank) const { return terms[rank % terms.size()].c_str(); }
};

const Pool& Words()
{
    static const Pool pool = [] {
        Pool p;
        p.terms.assign(std::begin(kFunctionWords), std::end(kFunctionWords));
        PoolRandom random{7};
        Fill(p.terms, (unsigned)p.terms.size() + kGeneratedWords,
             [&] { return Syllables(random, 2 + (int)(random() % 3)); });
        p.Weigh(0);
        return p;
    }();
    return pool;
}

std::string Surname(PoolRandom& random)
{
    std::string name = Syllables(random, 2 + (int)(random() % 4 == 0));
    const unsigned kind = random() % 20;
    if (kind == 0)
        name = "o'" + name;
    else if (kind == 1)
        name = "d'" + name;
    else if (kind < 5) {
        const size_t vowel = name.find_first_of("aeiou", 1);
        if (vowel != std::string::npos)
            name.replace(vowel, 1, Pick(kAccented, random()));
    }
    name[0] = (char)(name[0] - 'a' + 'A');
    if (name[1] == '\'')
        name[2] = (char)(name[2] - 'a' + 'A');
    return name;
}

const Pool& Surnames()
{
    static const Pool pool = [] {
        Pool p;
        PoolRandom random{11};
        Fill(p.terms, kSurnames, [&] { return Surname(random); });
        p.Weigh(9);
        return p;
    }();
    return pool;
}

std::string Capitalised(std::string word)
{
    word[0] = (char)(word[0] - 'a' + 'A');
    return word;
}

// A generated word of the pool's common part, for journal and keyword names.
const std::string& ContentWord(PoolRandom& random, unsigned range)
{
    const Pool& words = Words();
    return words.terms[sizeof kFunctionWords / sizeof *kFunctionWords + random() % range];
}

const Pool& Journals()
{
    static const Pool pool = [] {
        Pool p;
        PoolRandom random{13};
        Fill(p.terms, kJournals, [&] {
            const std::string a = Capitalised(ContentWord(random, 3000));
            const std::string b = Capitalised(ContentWord(random, 3000));
            switch (random() % 4) {
            case 0:
                return "Journal of " + a + " " + b;
            case 1:
                return a + " " + b + " Review";
            case 2:
                return "Annals of " + a;
            default:
                return a + " Letters";
            }
        });
        p.Weigh(1);
        return p;
    }();
    return pool;
}

const Pool& Keywords()
{
    static const Pool pool = [] {
        Pool p;
        PoolRandom random{17};
        Fill(p.terms, kKeywords, [&] {
            std::string term = ContentWord(random, 8000);
            if (random() % 2)
                term += " " + ContentWord(random, 8000);
            return term;
        });
        p.Weigh(1);
        return p;
    }();
    return pool;
}

std::string Text(int count)
{
    const Pool& words = Words();
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i)
            text += ' ';
        text += words.Draw();
    }
    return text;
}

std::string Authors()
{
    std::string authors;
    const int count = 1 + (int)(BenchRandom() % 6);
    for (int a = 0; a < count; ++a) {
        if (a)
            authors += '\n';
        authors += Surnames().Draw();
        authors += ", ";
        authors += (char)('A' + BenchRandom() % 26);
        authors += '.';
    }
    return authors;
}

} // namespace

void BenchRestartRandom()
{
    g_seed = 12345;
}

unsigned BenchRandom()
{
    g_seed = g_seed * 1103515245u + 12345u;
    return g_seed >> 8;
}

void FillBenchRecord(DBRecord& record, int i)
{
    char year[16];
    std::snprintf(year, sizeof year, "%d", 1950 + (int)(BenchRandom() % 70));
    // One keyword a line, as imports store them: each line is a term.
    const std::string keywords = Keywords().Draw() + "\n" + Keywords().Draw() + "\n" + Keywords().Draw();
    record.SetWorkformId((int16_t)(i % 4));
    record.SetField(StyledString(Authors().c_str()), 1);
    record.SetField(StyledString(Capitalised(Text(12)).c_str()), 4);
    record.SetField(StyledString(Journals().Draw().c_str()), 10);
    record.SetField(StyledString(year), 12);
    record.SetField(StyledString(Capitalised(Text(40)).c_str()), 35);
    record.SetField(StyledString(Capitalised(Text(50)).c_str()), 38);
    record.SetField(StyledString(keywords.c_str()), 45);
}

const char* BenchName(unsigned rank)
{
    return Surnames().At(rank);
}

const char* BenchWord(unsigned rank)
{
    return Words().At(rank);
}

const char* BenchJournal(unsigned rank)
{
    return Journals().At(rank);
}

const char* BenchKeyword(unsigned rank)
{
    return Keywords().At(rank);
}

unsigned BenchNameCount()
{
    return (unsigned)Surnames().terms.size();
}

unsigned BenchWordCount()
{
    return (unsigned)Words().terms.size();
}

CString CreateBenchDatabase(DBDatabase& db)
{
    const CString path = ReplaceExtension(MakeTempFileName(), ".ldt");
    db.SetPathName(path);
    db.CreateNew();
    CFileException error;
    if (!db.OpenDatabase(CFile::modeReadWrite | CFile::shareExclusive, &error))
        AfxThrowFileException(error.m_cause);
    return path;
}
