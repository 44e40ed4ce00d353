// The program's languages through their generated tables: what the runtime
// accepts, reduces and reports for sample texts.  What the reductions build
// is the languages' own business.
#include "ParserTestSupport.h"

#include "database/parser/ParserResources.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace parsertest;

namespace {
typedef std::vector<DWORD> Reductions;

// Search-language productions.
enum
{
    sText = 1,
    sAnd,
    sOr,
    sNot,
    sParentheses,
    sTerms,
    sFieldEquals,
    sFieldGreaterEqual = 12,
    sFieldContains = 16,
    sFieldEmpty,
    sFieldNotEmpty,
    sFormContains = 28,
    sRecordEquals,
    sRecordLess = 31,
    sGroupEquals = 35,
    sSingleTerm,
    sFirstTerm,
    sMoreTerms,
    sAuthor = 39 + (20 - 19),
    sTitle = 39 + (41 - 19),
    sDate = 64,
    sFieldNumber
};
} // namespace

TEST(LanguageTablesTest, SearchTextsReduceAsTheGrammarSays)
{
    const struct
    {
        const char* text;
        Reductions reductions;
    } cases[] = {
        {"auth = smith*", {sAuthor, sFirstTerm, sFieldEquals, sText}},
        {"date >= 1990", {sDate, sSingleTerm, sFieldGreaterEqual, sText}},
        {"auth = a, b, c", {sAuthor, sFirstTerm, sMoreTerms, sMoreTerms, sFieldEquals, sText}},
        // "and" and "or" bind alike, to the left; "not" binds tightest.
        {"a or b and c", {sFirstTerm, sTerms, sFirstTerm, sTerms, sOr, sFirstTerm, sTerms, sAnd, sText}},
        {"a and b or c", {sFirstTerm, sTerms, sFirstTerm, sTerms, sAnd, sFirstTerm, sTerms, sOr, sText}},
        {"not a and b", {sFirstTerm, sTerms, sNot, sFirstTerm, sTerms, sAnd, sText}},
        {"not not a", {sFirstTerm, sTerms, sNot, sNot, sText}},
        {"a and (b or c)",
         {sFirstTerm, sTerms, sFirstTerm, sTerms, sFirstTerm, sTerms, sOr, sParentheses, sAnd, sText}},
        {"auth = not empty", {sAuthor, sFieldNotEmpty, sText}},
        {"title = empty", {sTitle, sFieldEmpty, sText}},
        {"titl = 'not'", {sTitle, sFirstTerm, sFieldEquals, sText}},
        {"#05 contains x", {sFieldNumber, sFirstTerm, sFieldContains, sText}},
        {"workform contains book", {sFirstTerm, sFormContains, sText}},
        {"record id = 12-30", {sFirstTerm, sRecordEquals, sText}},
        {"id < 5", {sSingleTerm, sRecordLess, sText}},
        {"group = mine", {sFirstTerm, sGroupEquals, sText}},
    };
    for (const auto& c : cases)
    {
        const ParseRun run = Parse(kSearchLanguageTables, c.text);
        EXPECT_EQ(0, run.result) << c.text;
        EXPECT_EQ(c.reductions, run.reductions) << c.text;
    }
}

TEST(LanguageTablesTest, SearchSyntaxErrorsStopAtTheirToken)
{
    const LONG kEof = -1, kString = 2, kEquals = 3, kField = 19, kRParen = 14;
    const struct
    {
        const char* text;
        LONG token;
        const char* tokenText;
        LONG mustExpect; // a token the error state must list
    } cases[] = {
        {"", kEof, "eof", kField},
        {"auth", kEof, "eof", kEquals},
        {"auth =", kEof, "eof", kString},
        {"(a or b", kEof, "eof", kRParen},
        {"auth < smith, jones", 15, ",", kEof},
        {"titl = not", 51, "not", kString},
        {"auth = not  empty", 51, "not", kString},
        {"rs < a", 5, "<", kEquals},
    };
    for (const auto& c : cases)
    {
        const ParseRun run = Parse(kSearchLanguageTables, c.text);
        EXPECT_EQ(1, run.result) << c.text;
        ASSERT_TRUE(run.hadError) << c.text;
        EXPECT_EQ(c.token, run.errorToken) << c.text;
        EXPECT_EQ(c.tokenText, run.errorText) << c.text;
        EXPECT_NE(run.expected.end(), std::find(run.expected.begin(), run.expected.end(), c.mustExpect))
            << c.text;
    }
    // The expected tokens come in table order: ascending, the end last.
    EXPECT_EQ((std::vector<LONG>{14, 15, 49, 50, -1}), Parse(kSearchLanguageTables, "a b").expected);
    EXPECT_EQ((std::vector<LONG>{49, 50, -1}), Parse(kSearchLanguageTables, "a )").expected);
}

TEST(LanguageTablesTest, CitationSearchTexts)
{
    const struct
    {
        const char* text;
        std::vector<std::string> items;
        Reductions reductions;
    } cases[] = {
        {"Smith 1990 #12", {"Smith", "1990", "#", "12"}, {2, 6, 1, 6, 1, 4, 1}},
        {"Smith, J. et al. 1990", {"Smith", "J.", "1990"}, {2, 6, 1, 6, 1, 6, 1}},
        {"Smith /PT see also 1990", {"Smith", "also", "1990"}, {2, 6, 1, 6, 1, 6, 1}},
        {"a and b & c = dropped to the end\nd", {"a", "b", "c", "d"}, {2, 6, 1, 6, 1, 6, 1, 6, 1}},
        {"#12 /ID 7 /id /Hx", {"#", "12", "/ID", "7", "/id", "/Hx"}, {2, 3, 1, 5, 1, 6, 1}},
        {"O'Brien 'two words' /FT \"skipped text\" kept",
         {"O'Brien", "two words", "kept"},
         {2, 6, 1, 6, 1, 6, 1}},
        {"", {}, {2}},
    };
    for (const auto& c : cases)
    {
        const ParseRun run = Parse(kCitationSearchTables, c.text);
        EXPECT_EQ(0, run.result) << c.text;
        std::vector<std::string> items;
        for (const auto& l : run.lookaheads)
            if (l.first != -1)
                items.push_back(l.second);
        EXPECT_EQ(c.items, items) << c.text;
        EXPECT_EQ(c.reductions, run.reductions) << c.text;
    }
    for (const char* text : {"# /ID", "#", "/ID", "a /ID /ID"})
        EXPECT_EQ("TPYacc0105e: Error token failed, no valid token",
                  RaisedMessage([&] { Parse(kCitationSearchTables, text, true); }))
            << text;
}

TEST(LanguageTablesTest, CitationDisplayTexts)
{
    const ParseRun run = Parse(kCitationDisplayTables, "/PT 'see ' =, p. 12");
    EXPECT_EQ(0, run.result);
    const std::vector<std::pair<LONG, std::string>> tokens = {
        {9, "/PT"}, {2, "see "}, {6, "="}, {2, ", p. 12"}, {-1, "eof"}};
    EXPECT_EQ(tokens, run.lookaheads);
    EXPECT_EQ((Reductions{2, 5, 1, 6, 1}), run.reductions);

    EXPECT_EQ((Reductions{2, 3, 1, 4, 1}), Parse(kCitationDisplayTables, "/h /D").reductions);
    EXPECT_EQ((Reductions{2, 7, 1, 7, 1}), Parse(kCitationDisplayTables, "just items").reductions);

    EXPECT_EQ("TPYacc0105e: Error token failed, no valid token",
              RaisedMessage([] { Parse(kCitationDisplayTables, "x /PT", true); }));
    EXPECT_EQ("TPLex0105e: Invalid token, Line 1, Offset 2, \n",
              RaisedMessage([] { Parse(kCitationDisplayTables, "=\nx", true); }));
}
