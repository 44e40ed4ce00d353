#include "SearchTestSupport.h"

#include "database/parser/TPException.h"
#include "database/search/CitationParser.h"
#include "database/search/CitationSearchParser.h"

#include <gtest/gtest.h>

namespace {

class CitationText : public SearchFixture
{
protected:
    // The tree of a citation-search text, described.
    std::string SearchOf(const char* text)
    {
        CitationSearchParser parser(text, db);
        parser.Parse();
        std::unique_ptr<SearchNode> root(parser.TakeResult());
        return Describe(root.get());
    }
    // The records the citation finds, evaluated and tested as a search run does.
    std::set<int> Find(const char* text)
    {
        CitationSearchParser parser(text, db);
        parser.Parse();
        std::unique_ptr<SearchNode> root(parser.TakeResult());
        BOOL needsTest = FALSE;
        const DBRecordSet candidates = root->Evaluate(db, needsTest);
        std::set<int> found;
        for (int n : Members(candidates)) {
            if (!needsTest || root->Test(*db.OpenRecord(n)))
                found.insert(n);
        }
        return found;
    }
    // The error code a text raises, 0 when it parses.
    template <class Parse> static int ErrorOf(Parse parse)
    {
        try {
            parse();
        } catch (TPException* e) {
            const int code = e->GetCode();
            e->Delete();
            return code;
        }
        return 0;
    }
};

const char* const kCited = "1,4,7,9,10,11,16,30,32,45";

TEST_F(CitationText, ItemsBecomeOneSearchJoinedByAnd)
{
    const std::string words = std::string("word[") + kCited + " ";
    const struct
    {
        const char* text;
        std::string tree;
    } cases[] = {
        {"Smith 1990 #12",
         "and(and(" + words + "SMITH*] or(" + words + "1990*] word[12,20,21 1990])) id=12)"},
        {"Smith, J. et al. 1990",
         "and(and(" + words + "SMITH*] " + words + "J.*]) or(" + words + "1990*] word[12,20,21 1990]))"},
        {"Smith /PT see also 1990",
         "and(and(" + words + "SMITH*] " + words + "ALSO*]) or(" + words + "1990*] word[12,20,21 1990]))"},
        {"Smith & Jones and Roe", "and(and(" + words + "SMITH*] " + words + "JONES*]) " + words + "ROE*])"},
        {"12 /ID", "id=12"},
        {"#0012 /id", "id=0012"},
        {"'van der Berg' (2001a)",
         "and(" + words + "VAN DER BERG*] or(" + words + "(2001A)*] word[12,20,21 (2001A)]))"},
        {"Smith =rest of the line\nJones", "and(" + words + "SMITH*] " + words + "JONES*])"},
        {"Smith\r\nJones", "and(" + words + "SMITH*] " + words + "JONES*])"},
        {"/H /D /FT 'p. 12' Doe", words + "DOE*]"},
        {"", "nothing"},
        {"  , and ", "nothing"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SearchOf(c.text), c.tree) << c.text;
}

TEST_F(CitationText, EveryItemMustMatch)
{
    db.Add(0, "12", 0, {{1, "Smith, Kate"}, {4, "Moons"}, {20, "1990"}});
    db.Add(1, "13", 0, {{1, "Smith, Kate"}, {4, "Moons"}, {20, "1990"}});
    db.Add(2, "14", 0, {{1, "Smithers, Al"}, {4, "Tides"}, {20, "1991"}});
    db.Add(3, "15", 0, {{1, "Goldsmith, B."}, {4, "The 1990s"}, {20, "1985"}});
    EXPECT_EQ(Find("Smith 1990 #12"), std::set<int>{0});
    EXPECT_EQ(Find("Smith 1990"), (std::set<int>{0, 1}));
    EXPECT_EQ(Find("smith"), (std::set<int>{0, 1, 2}));
    EXPECT_EQ(Find("1990"), (std::set<int>{0, 1, 3}));
    EXPECT_EQ(Find("15 /ID"), std::set<int>{3});
    EXPECT_EQ(Find(""), std::set<int>{});
}

TEST_F(CitationText, DisplayOptionsComeFromTheText)
{
    const struct
    {
        const char* text;
        const char* preceding;
        const char* following;
        BOOL hideAuthor;
        BOOL hideAll;
    } cases[] = {
        {"/PT 'see ' =, p. 12", "see ", ", p. 12", FALSE, FALSE},
        {"/H /D", "kept", "kept", TRUE, TRUE},
        {"Smith 1990", "kept", "kept", FALSE, FALSE},
        {"/pt first /PT second /ft \"x y\"", "second", "x y", FALSE, FALSE},
        {"/d =p. 4\r\n/PT cf.", "cf.", "p. 4", TRUE, FALSE},
    };
    for (const auto& c : cases) {
        CitationDisplayOptions options;
        options.preceding = "kept";
        options.following = "kept";
        CitationParser parser(c.text, options);
        EXPECT_EQ(parser.Parse(), 0) << c.text;
        EXPECT_STREQ(options.preceding, c.preceding) << c.text;
        EXPECT_STREQ(options.following, c.following) << c.text;
        EXPECT_EQ(options.hideAuthor, c.hideAuthor) << c.text;
        EXPECT_EQ(options.hideAll, c.hideAll) << c.text;
    }
}

TEST_F(CitationText, MalformedTextsRaiseTheRuntimesErrors)
{
    for (const char* text : {"# /ID", "Smith #", "/ID", "Smith /ID /ID"}) {
        EXPECT_EQ(ErrorOf([&] {
                      CitationSearchParser parser(text, db);
                      parser.Parse();
                  }),
                  tpYaccNoValidToken)
            << text;
    }
    for (const char* text : {"/PT", "Smith /FT"}) {
        EXPECT_EQ(ErrorOf([&] {
                      CitationDisplayOptions options;
                      CitationParser parser(text, options);
                      parser.Parse();
                  }),
                  tpYaccNoValidToken)
            << text;
    }
    EXPECT_EQ(ErrorOf([&] {
                  CitationDisplayOptions options;
                  CitationParser parser("=\nx", options);
                  parser.Parse();
              }),
              tpLexInvalidToken);
}

} // namespace
