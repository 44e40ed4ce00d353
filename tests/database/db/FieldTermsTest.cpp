#include "database/db/FieldTerms.h"

#include "app/core/LineStringArray.h"
#include "database/sort/AccentFold.h"
#include "database/sort/LanguageSort.h"
#include "database/text/InternalEncoding.h"
#include "database/text/StyledString.h"

#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

namespace {
struct Term
{
    std::string text;
    std::string key;
};

class FieldTerms : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { BuildAccentFoldTable(); }

    FieldTerms()
        : sort(langGeneral), authorStops("von"), genericStops("the\na\nan"),
          database(sort, authorStops, genericStops)
    {
    }

    // Walks the field as the term indexes do: until the position stops moving.
    std::vector<Term> Walk(FieldTermFunction next, const StyledString& field) const
    {
        std::vector<Term> terms;
        int position = 0;
        for (int calls = 0; calls < 1000; ++calls) {
            char key[kTermKeySize];
            memset(key, 'x', sizeof key);
            StyledString term;
            const int after = next(database, field, position, key, term);
            EXPECT_LT(strlen(key), static_cast<size_t>(kTermKeySize));
            EXPECT_LE(term.GetLength(), kMaxTermLength);
            if (!term.IsEmpty())
                terms.push_back({std::string(term.text), key});
            else
                EXPECT_STREQ("", key) << "no term, no key";
            if (after == position)
                return terms;
            EXPECT_GT(after, position);
            position = after;
        }
        ADD_FAILURE() << "the walk does not end";
        return terms;
    }

    std::vector<std::string> Texts(FieldTermFunction next, const char* field) const
    {
        std::vector<std::string> texts;
        for (const Term& t : Walk(next, StyledString(field)))
            texts.push_back(t.text);
        return texts;
    }

    // The key of one term's plain text, as the index keeps it.
    std::string KeyOf(FieldTermFunction next, const char* field) const
    {
        const std::vector<Term> terms = Walk(next, StyledString(field));
        EXPECT_EQ(1u, terms.size()) << field;
        return terms.empty() ? std::string() : terms[0].key;
    }

    std::string Collated(const char* words) const
    {
        char key[kTermKeySize];
        sort.MakeSortKey(key, sizeof key, words, sortKeyNoCase);
        return key;
    }

    CLanguageSort sort;
    CLineStringArray authorStops;
    CLineStringArray genericStops;
    SortKeyContext database;
};

typedef std::vector<std::string> Strings;

TEST_F(FieldTerms, AuthorsEndAtLineBreaksSemicolonsAndDoubleSlashes)
{
    const struct
    {
        const char* field;
        Strings terms;
    } cases[] = {
        {"Smith, John; Doe, Jane//", {"Smith, John", "Doe, Jane"}},
        {"Smith, J.\r\nDoe, K.//Roe, L.", {"Smith, J.", "Doe, K.", "Roe, L."}},
        {"Lee/Chan, A.//Wu, B.", {"Lee/Chan, A.", "Wu, B."}}, // a single slash stays
        {";;  Smith ; ", {"Smith "}},                         // blanks before a separator stay
        {"=World Health Organization", {"World Health Organization"}},
        {"=", {"="}},
        {"Author, A.////", {"Author, A."}},
        {" ; // \r\n ", {}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.terms, Texts(GetNextAuthorTerm, c.field)) << c.field;

    EXPECT_EQ(Collated("Smith John"), KeyOf(GetNextAuthorTerm, "SMITH, JOHN"));
    EXPECT_EQ(Collated("Braun Wernher"), KeyOf(GetNextAuthorTerm, "von Braun, Wernher"));
    // "the" is a generic stop word, not an author one: a personal name keeps
    // it, a literal name drops it.
    EXPECT_EQ(Collated("The Beatles"), KeyOf(GetNextAuthorTerm, "The Beatles"));
    EXPECT_EQ(Collated("Beatles"), KeyOf(GetNextAuthorTerm, "=The Beatles"));
}

TEST_F(FieldTerms, ListItemsEndAtSlashesAndLineBreaks)
{
    const struct
    {
        const char* field;
        Strings terms;
    } cases[] = {
        {"Alpha/ Beta \nGamma", {"Alpha", "Beta ", "Gamma"}}, // trailing blanks stay
        {"//Sleep; Dreams//\r\n", {"Sleep; Dreams"}},
        {" / \r\n/", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.terms, Texts(GetNextListTerm, c.field)) << c.field;
    EXPECT_EQ(Collated("Cell Biology"), KeyOf(GetNextListTerm, "the cell-biology"));
}

TEST_F(FieldTerms, JournalsAndTitlesAreOneTermEach)
{
    EXPECT_EQ(Strings{"The History/of Rome // 2"},
              Texts(GetWholeFieldTerm, "\r\n /The History/of Rome // 2"));
    EXPECT_EQ(Strings{}, Texts(GetWholeFieldTerm, " // \n"));

    const std::string longTitle = "A" + std::string(300, 'b');
    const std::vector<Term> terms = Walk(GetWholeFieldTerm, StyledString(longTitle.c_str()));
    ASSERT_EQ(1u, terms.size());
    EXPECT_EQ(longTitle.substr(0, kMaxTermLength), terms[0].text);

    // Only the first word meets the stop list.
    const std::string lancet = KeyOf(GetWholeFieldTerm, "Lancet");
    EXPECT_EQ(lancet, KeyOf(GetWholeFieldTerm, "The Lancet"));
    EXPECT_EQ(lancet, KeyOf(GetWholeFieldTerm, "the  LANCET."));
    EXPECT_NE(lancet, KeyOf(GetWholeFieldTerm, "The A Lancet"));
    EXPECT_EQ(Collated("A Lancet"), KeyOf(GetWholeFieldTerm, "The A Lancet"));
}

TEST_F(FieldTerms, TermsKeepTheirRunsAndKeysTheirCharacterSets)
{
    StyledString field("New ");
    StyledString bold;
    bold.AppendStyled("Scientist", 9, StyleRun(1, 0, nullptr, 9, 0, 0));
    field += bold;
    StyledString term;
    char key[kTermKeySize];
    EXPECT_EQ(field.GetLength(), GetWholeFieldTerm(database, field, 0, key, term));
    ASSERT_EQ(2, term.runs.GetSize());
    EXPECT_EQ(1, term.runs[1].style);

    // The key is built from the stored encoding: accents count, case does not.
    EXPECT_EQ(KeyOf(GetWholeFieldTerm, "R\xC9SUM\xC9"), KeyOf(GetWholeFieldTerm, "r\xE9sum\xE9"));
    EXPECT_NE(KeyOf(GetWholeFieldTerm, "resume"), KeyOf(GetWholeFieldTerm, "r\xE9sum\xE9"));
}

TEST_F(FieldTerms, PositionsOutsideTheTextAreClamped)
{
    const StyledString field("Smith; Doe");
    char key[kTermKeySize];
    StyledString term;
    EXPECT_EQ(5, GetNextAuthorTerm(database, field, -3, key, term));
    EXPECT_STREQ("Smith", term.text);
    EXPECT_EQ(10, GetNextListTerm(database, field, 99, key, term));
    EXPECT_TRUE(term.IsEmpty());
}

TEST(WordPrefixKey, FirstFourFoldedCharactersOfTheFirstWord)
{
    BuildAccentFoldTable();
    const struct
    {
        const char* text;
        const char* key;
        int after;
    } cases[] = {
        {"\xE9tudes des", "ETUD", 6}, {"  --ab, cd", "AB", 6}, {"x", "X", 1}, {" -- ", "", 4}, {"", "", 0},
    };
    for (const auto& c : cases) {
        char key[kWordPrefixLength + 1];
        EXPECT_EQ(c.after, GetWordPrefixKey(c.text, key)) << c.text;
        EXPECT_STREQ(c.key, key) << c.text;
    }
}
} // namespace
