#include "ParserTestSupport.h"

#include "classlib/FileTestSupport.h"
#include "database/parser/ParserResources.h"

#include <gtest/gtest.h>

using namespace parsertest;

namespace {
typedef std::vector<std::pair<LONG, std::string>> Tokens;
}

TEST(TPLexTest, SearchLanguageLexemes)
{
    const struct
    {
        const char* text;
        Tokens tokens;
    } cases[] = {
        {"", {}},
        {"auth = smith*", {{20, "auth"}, {3, "="}, {2, "smith*"}}},
        {"AUTHOR<>x", {{20, "AUTHOR"}, {4, "<>"}, {2, "x"}}},
        // A word followed by more term characters is a term.
        {"andy notes titles", {{2, "andy"}, {2, "notes"}, {2, "titles"}}},
        {"a begins with b", {{2, "a"}, {9, "begins with"}, {2, "b"}}},
        {"not empty", {{53, "not empty"}}},
        {"not  empty", {{51, "not"}, {52, "empty"}}},
        {"record id = 12-30", {{44, "record id"}, {3, "="}, {2, "12-30"}}},
        {"rec#=1", {{44, "rec#"}, {3, "="}, {2, "1"}}},
        // Quoted terms keep blanks, commas and words; the marks are dropped.
        {"auth = 'smith, john'", {{20, "auth"}, {3, "="}, {2, "smith, john"}}},
        {"\"not\" \x93(a)\x94", {{2, "not"}, {2, "(a)"}}},
        {"''x", {{2, "x"}}},
        {"'open to the end", {{2, "open to the end"}}},
        // The field number takes the longest prefix it knows.
        {"#46", {{46, "#"}, {57, "4"}, {2, "6"}}},
        {"#05 #45", {{46, "#"}, {57, "05"}, {46, "#"}, {57, "45"}}},
        {"#", {{46, "#"}}},
        {"a\r\nb", {{2, "a\r"}, {2, "b"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.tokens, Lex(kSearchLanguageTables, c.text)) << c.text;
}

TEST(TPLexTest, LongestMatchScansAFailedPathAgain)
{
    // "record numbe" leads towards "record number" and fails at "x": the
    // term "record" is taken and " numbex" is read again.
    EXPECT_EQ((Tokens{{2, "record"}, {2, "numbex"}}), Lex(kSearchLanguageTables, "record numbex"));
    EXPECT_EQ((Tokens{{2, "begins"}, {2, "wit"}}), Lex(kSearchLanguageTables, "begins wit"));
}

TEST(TPLexTest, InvalidTokenNamesLineColumnAndText)
{
    EXPECT_EQ("TPLex0105e: Invalid token, Line 1, Offset 2, 0 ",
              RaisedMessage([] { Lex(kSearchLanguageTables, "#0 = x"); }));
    EXPECT_EQ("TPLex0105e: Invalid token, Line 3, Offset 4, x",
              RaisedMessage([] { Lex(kSearchLanguageTables, "a\nb\nc #x"); }));
    EXPECT_EQ("", RaisedMessage([] { Lex(kSearchLanguageTables, "#00 = x"); }));
}

TEST(TPLexTest, LexemesKnowTheirLineAndColumn)
{
    LexerStringConsumer input("x = 1;\n  y(\"a\\\"b\")");
    std::unique_ptr<LexerTable> table(LexerTable::FromResource(kTestExpressionTables));
    TPLex lex(&input, table.get());
    std::vector<std::string> seen;
    while (Lexeme* l = lex.NextToken())
    {
        TPHold<Lexeme> hold(l);
        seen.push_back(std::to_string(l->Token()) + ":" + l->Text() + "@" + std::to_string(l->Line()) + "," +
                       std::to_string(l->Offset()));
    }
    // The string's escape is a list pushed from within a pushed list.
    const std::vector<std::string> expected = {"3:x@1,1", "13:=@1,3", "2:1@1,5",  "12:;@1,6", "3:y@2,3",
                                               "9:(@2,4", "4:a@2,6",  "4:\"@2,8", "4:b@2,9",  "10:)@2,11"};
    EXPECT_EQ(expected, seen);
    EXPECT_EQ(10, lex.LexemeCount());
    EXPECT_EQ(0, lex.CurrentList());
    EXPECT_STREQ("TPLexTokenNotFound", lex.TokenName(3));
}

TEST(TPLexTest, ListChangesOutsideTheTableAreErrors)
{
    // A push of a list that does not exist; a pop of the only list.
    const std::vector<BYTE> bytes = LexerTableBytes({LexerList({
        {0, 0, {{'p', 'p', 1}, {'q', 'q', 2}, {0xFFFFFFFF, 0xFFFFFFFF, 3}}},
        {1, 0x10 | 0x20, {}, 4},
        {2, 0x10 | 0x08, {}},
        {-1, 0x50, {}},
    })});
    LexerTable table(bytes.data(), bytes.size(), "t");
    for (const char* text : {"p", "q"})
    {
        LexerStringConsumer input(text);
        TPLex lex(&input, &table);
        EXPECT_EQ(text[0] == 'p' ? "TPLex0106e: Invalid expression list index, 4"
                                 : "TPLifo0002e: No top, stack empty",
                  RaisedMessage([&] { lex.NextToken(); }));
    }
    TPLex nothing(nullptr, nullptr);
    EXPECT_EQ("TPLex0107e: Table or consumer missing, required", RaisedMessage([&] { nothing.NextToken(); }));
}

TEST(TPLexTest, FileInputIsRefilledAndGrown)
{
    ScratchDir dir;
    const CString path = dir.Path("input.txt");
    // Text mode: "\r\n" is read as "\n", a lone "\r" stays.
    const std::string longName(300, 'n');
    ScratchDir::WriteAll(path, "alpha = 12;\r\n" + longName + " = \"a\rb\";\r\n");
    std::unique_ptr<LexerTable> table(LexerTable::FromResource(kTestExpressionTables));
    for (LONG initial : {-1L, 4L, 1L})
    {
        LexerFileConsumer input(path, kLexerModeNarrowText, initial, 8);
        TPLex lex(&input, table.get());
        std::vector<std::string> seen;
        while (Lexeme* l = lex.NextToken())
        {
            TPHold<Lexeme> hold(l);
            seen.push_back(std::string(l->Text()) + "@" + std::to_string(l->Line()));
        }
        const std::vector<std::string> expected = {"alpha@1",       "=@1", "12@1",   ";@1",
                                                   longName + "@2", "=@2", "a\rb@2", ";@2"};
        EXPECT_EQ(expected, seen) << initial;
    }
}

TEST(TPLexTest, FileInputErrors)
{
    ScratchDir dir;
    std::unique_ptr<LexerTable> table(LexerTable::FromResource(kTestExpressionTables));
    const CString longFile = dir.Path("long.txt");
    ScratchDir::WriteAll(longFile, "abcdefghij;");
    EXPECT_EQ("TPLex0103e: Lexeme too long, 4", RaisedMessage([&] {
                  LexerFileConsumer input(longFile, kLexerModeNarrowText, 4, 0);
                  TPLex lex(&input, table.get());
                  lex.NextToken();
              }));

    const CString empty = dir.Path("empty.txt");
    ScratchDir::WriteAll(empty, "");
    EXPECT_EQ("TPLex0102e: Invalid file length or read error, " + std::string(empty) + ", 0",
              RaisedMessage([&] { LexerFileConsumer input(empty, kLexerModeNarrowText, -1, 0); }));

    const CString missing = dir.Path("missing.txt");
    const std::string opening =
        RaisedMessage([&] { LexerFileConsumer input(missing, kLexerModeNarrowText, -1, 0); });
    EXPECT_EQ(0u, opening.find("TPLex0101e: Error opening file, " + std::string(missing) + ", ")) << opening;
}
