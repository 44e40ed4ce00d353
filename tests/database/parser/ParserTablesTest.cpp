#include "ParserTestSupport.h"

#include "classlib/FileTestSupport.h"
#include "database/parser/LexerTable.h"
#include "database/parser/ParserResources.h"
#include "database/parser/ParserTable.h"

#include <gtest/gtest.h>

using namespace parsertest;

namespace {

std::string AsString(const std::vector<BYTE>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

// S' -> A, A -> 'a' (token 5): state 0 shifts 'a' to 1 and goes to 2 on A;
// state 1 reduces on the end; state 2 accepts.
std::vector<Row> TinyRows(size_t gapBeforeLast)
{
    Row shift{0, {{0x40000001, 5}}, {{2, 0x4001}}};
    Row reduce{0, {{0x20000001, -1}}, {}};
    Row accept{0, {{0x10000000, -1}}, {}};
    accept.gapBefore = gapBeforeLast;
    return {shift, reduce, accept};
}

const std::vector<Entry> kTinyProductions = {{1, 0}, {1, 0x4001}};

// A lexer for the tiny grammar: "a" is token 5, the start marker is ignored.
std::vector<BYTE> TinyLexer()
{
    return LexerTableBytes({LexerList({
        {0, 0, {{'a', 'a', 1}, {0xFFFFFFFF, 0xFFFFFFFF, 2}}},
        {5, 0x10, {}},
        {-1, 0x50, {}},
    })});
}

class TinyParser : public TPYacc
{
public:
    std::vector<DWORD> reductions;
    ParseStackElement* Reduce(DWORD production, DWORD length) override
    {
        reductions.push_back(production);
        return NewElement();
    }
};

// Parses the text with the tiny lexer; the reductions, or the raised message.
std::string ParseTiny(ParserTable& table, const char* text)
{
    const std::vector<BYTE> lexBytes = TinyLexer();
    LexerTable lexTable(lexBytes.data(), lexBytes.size(), "tiny");
    LexerStringConsumer input(text);
    TPLex lex(&input, &lexTable);
    TinyParser parser;
    parser.SetTable(&table, FALSE);
    parser.SetLex(&lex);
    std::string out;
    const std::string raised = RaisedMessage([&] { out = std::to_string(parser.Parse()); });
    if (!raised.empty())
        return raised;
    for (DWORD p : parser.reductions)
        out += " " + std::to_string(p);
    return out;
}

} // namespace

TEST(ParserTablesTest, ProgramTablesLoadFromResources)
{
    const struct
    {
        UINT id;
        DWORD states;
        DWORD productions;
        int lists;
    } tables[] = {
        {kSearchLanguageTables, 106, 66, 5},
        {kCitationSearchTables, 9, 7, 5},
        {kCitationDisplayTables, 11, 8, 5},
    };
    for (const auto& t : tables)
    {
        std::unique_ptr<ParserTable> parse(ParserTable::FromResource(t.id));
        EXPECT_EQ(t.states, parse->StateCount()) << t.id;
        EXPECT_EQ(t.productions, parse->ProductionCount()) << t.id;
        EXPECT_EQ(0, parse->LookaheadListCount()) << t.id;
        std::unique_ptr<LexerTable> lex(LexerTable::FromResource(t.id));
        EXPECT_EQ(t.lists, lex->ListCount()) << t.id;
        // Every list's start state takes the start-of-input marker to a state
        // that accepts and ignores it.
        for (int i = 0; i < lex->ListCount(); ++i)
        {
            const LexerExpressionList& list = lex->List(i);
            const LONG marker = list.Next(0, kStartOfInput);
            ASSERT_GE(marker, 0) << t.id << " list " << i;
            EXPECT_EQ(-1, list.Info(DWORD(marker)).token);
            EXPECT_EQ(DWORD(lexAccepts | lexIgnore), list.Info(DWORD(marker)).flags);
        }
    }
}

TEST(ParserTablesTest, ParseTableLoadsFromAFile)
{
    ScratchDir dir;
    const CString path = dir.Path("search.yacc");
    ScratchDir::WriteAll(path, AsString(ResourceBytes("YACC", kSearchLanguageTables)));
    std::unique_ptr<ParserTable> table(ParserTable::FromFile(path));
    EXPECT_EQ(106u, table->StateCount());
    EXPECT_EQ(66u, table->ProductionCount());

    // The driver reads its table from a file when given a path.
    TPYacc parser(path);
    EXPECT_EQ(106u, parser.GetTable()->StateCount());
}

TEST(ParserTablesTest, LoadingErrorsNameTheTable)
{
    ScratchDir dir;
    const CString missing = dir.Path("missing.yacc");
    EXPECT_EQ("TPYacc0101e: Open file failed, " + std::string(missing),
              RaisedMessage([&] { delete ParserTable::FromFile(missing); }));
    EXPECT_EQ("TPYacc0101e: Open file failed, " + std::string(missing),
              RaisedMessage([&] { TPYacc parser(missing); }));

    std::vector<BYTE> bad = ResourceBytes("YACC", kSearchLanguageTables);
    bad[0] = 'X';
    const CString badFile = dir.Path("bad.yacc");
    ScratchDir::WriteAll(badFile, AsString(bad));
    EXPECT_EQ("TPYacc0111e: Error reading table, " + std::string(badFile),
              RaisedMessage([&] { delete ParserTable::FromFile(badFile); }));
    const CString emptyFile = dir.Path("empty.yacc");
    ScratchDir::WriteAll(emptyFile, "");
    EXPECT_EQ("TPYacc0111e: Error reading table, " + std::string(emptyFile),
              RaisedMessage([&] { delete ParserTable::FromFile(emptyFile); }));

    EXPECT_EQ("TPYacc0114e: Resource not found, 131",
              RaisedMessage([] { delete ParserTable::FromResource(131); }));
    EXPECT_EQ("TPLex0108e: Resource not found, 131",
              RaisedMessage([] { delete LexerTable::FromResource(131); }));
    EXPECT_EQ("TPYacc0111e: Error reading table, x",
              RaisedMessage([&] { ParserTable t(bad.data(), bad.size(), "x"); }));

    std::vector<BYTE> lex = ResourceBytes("LEXX", kSearchLanguageTables);
    std::vector<BYTE> badHeader = lex;
    badHeader[4] = 'Y';
    EXPECT_EQ("TPLex0104e: Invalid table, 128",
              RaisedMessage([&] { LexerTable t(badHeader.data(), badHeader.size(), "128"); }));
    std::vector<BYTE> badList = lex;
    badList[36] = 'Y'; // the first list's own magic
    EXPECT_EQ("TPLex0104e: Invalid table, 128",
              RaisedMessage([&] { LexerTable t(badList.data(), badList.size(), "128"); }));
}

TEST(ParserTablesTest, OlderMagicsAreAccepted)
{
    // 1: the same layout; 0: rows walked one after another.
    for (DWORD magic : {1u, 0u})
    {
        const std::vector<BYTE> bytes = ParseTable(kTinyProductions, TinyRows(0), magic);
        ParserTable table(bytes.data(), bytes.size(), "tiny");
        EXPECT_EQ("0 1", ParseTiny(table, "a")) << magic;
    }
    std::vector<BYTE> oldLexer = TinyLexer();
    oldLexer[4] = oldLexer[5] = oldLexer[6] = oldLexer[7] = 0; // header magic 0
    oldLexer[36] = 1;
    oldLexer[37] = oldLexer[38] = oldLexer[39] = 0; // list magic 1
    LexerTable table(oldLexer.data(), oldLexer.size(), "old");
    EXPECT_EQ(1, table.ListCount());
}

TEST(ParserTablesTest, RowAfterAGapIsFoundThroughItsOffset)
{
    const std::vector<BYTE> bytes = ParseTable(kTinyProductions, TinyRows(64));
    ParserTable table(bytes.data(), bytes.size(), "gap");
    EXPECT_EQ("0 1", ParseTiny(table, "a"));
    EXPECT_EQ(DWORD(0x10000000), table.Row(2).ActionWord(0));
    // A reader that took the rows as contiguous would read the padding as
    // the last row and never accept.
    std::vector<BYTE> walked = bytes;
    walked[0] = walked[1] = walked[2] = walked[3] = 0;
    ParserTable contiguous(walked.data(), walked.size(), "gap");
    EXPECT_NE("0 1", ParseTiny(contiguous, "a"));
}

TEST(ParserTablesTest, CharactersOutsideEveryRangeHaveNoTransition)
{
    const std::vector<BYTE> bytes = LexerTableBytes({LexerList({
        {0, 0, {{'b', 'd', 1}, {'x', 'y', 1}, {0xFFFFFFFF, 0xFFFFFFFF, 2}}},
        {7, 0x10, {{'b', 'd', 1}}},
        {-1, 0x50, {}},
    })});
    LexerTable table(bytes.data(), bytes.size(), "ranges");
    const LexerExpressionList& list = table.List(0);
    EXPECT_EQ(1, list.Next(0, 'b'));
    EXPECT_EQ(1, list.Next(0, 'd'));
    EXPECT_EQ(1, list.Next(0, 'y'));
    EXPECT_EQ(-1, list.Next(0, 'a')); // below the first range
    EXPECT_EQ(-1, list.Next(0, 'e')); // between two ranges
    EXPECT_EQ(-1, list.Next(0, 'z')); // above the last byte range
    EXPECT_EQ(-1, list.Next(1, 'x')); // above the row's last range
    EXPECT_EQ(2, list.Next(0, kStartOfInput));

    LexerStringConsumer input("bdz");
    TPLex lex(&input, &table);
    Lexeme* first = lex.NextToken();
    TPHold<Lexeme> hold(first);
    EXPECT_EQ(7, first->Token());
    EXPECT_STREQ("bd", first->Text());
    EXPECT_EQ("TPLex0105e: Invalid token, Line 1, Offset 3, z", RaisedMessage([&] { lex.NextToken(); }));
}

TEST(ParserTablesTest, DamagedTablesAreCleanErrors)
{
    const std::vector<BYTE> good = ParseTable(kTinyProductions, TinyRows(0));
    struct Damage
    {
        const char* what;
        size_t at;
        DWORD word;
        const char* message;
    } damages[] = {
        {"states past the end", 8, 0x00100000, "TPYacc0111e: Error reading table, t"},
        {"production table past the end", 16, 0x7FFFFFF0, "TPYacc0111e: Error reading table, t"},
        {"row past the end", 20, 0x7FFFFFF0, "TPYacc0111e: Error reading table, t"},
        {"too big", 8, 0xFFFFFFF0, "TPYacc0112e: Table too big"},
        {"lookahead list that is not one", 4, 0x00010002, "TPLex0104e: Invalid table, t"},
    };
    for (const Damage& d : damages)
    {
        std::vector<BYTE> bytes = good;
        Bytes b{bytes};
        b.SetWord(d.at, d.word);
        EXPECT_EQ(d.message, RaisedMessage([&] { ParserTable t(b.data.data(), b.data.size(), "t"); }))
            << d.what;
    }
    EXPECT_EQ("TPYacc0111e: Error reading table, t",
              RaisedMessage([&] { ParserTable t(good.data(), 19, "t"); }));

    // Shifts and gotos to states that do not exist, reductions of the start
    // production or of more symbols than the stack holds.
    const struct
    {
        size_t row;
        bool isGoto;
        DWORD word;
    } targets[] = {{0, false, 0x40000009}, {0, true, 9}, {1, false, 0x20000000}, {1, false, 0x20000007}};
    for (const auto& t : targets)
    {
        std::vector<Row> rows = TinyRows(0);
        (t.isGoto ? rows[t.row].gotos : rows[t.row].actions)[0].word = t.word;
        std::vector<Entry> productions = kTinyProductions;
        productions[1].word = 1;
        const std::vector<BYTE> bytes = ParseTable(productions, rows);
        ParserTable table(bytes.data(), bytes.size(), "t");
        EXPECT_EQ("TPYacc0102e: Parse failed, invalid table", ParseTiny(table, "a")) << t.word;
    }
    {
        std::vector<Entry> productions = kTinyProductions;
        productions[1].word = 5; // more symbols than the stack holds
        const std::vector<BYTE> bytes = ParseTable(productions, TinyRows(0));
        ParserTable table(bytes.data(), bytes.size(), "t");
        EXPECT_EQ("TPYacc0102e: Parse failed, invalid table", ParseTiny(table, "a"));
    }
    {
        // An empty production whose goto comes back to the same state: it
        // would reduce for ever.
        std::vector<Row> rows = TinyRows(0);
        rows[0].actions[0] = {0x20000001, 5};
        rows[0].gotos[0] = {0, 0x4001};
        const std::vector<BYTE> bytes = ParseTable({{1, 0}, {0, 0x4001}}, rows);
        ParserTable table(bytes.data(), bytes.size(), "t");
        EXPECT_EQ("TPYacc0102e: Parse failed, invalid table", ParseTiny(table, "a"));
    }
    {
        std::vector<Row> rows = TinyRows(0);
        rows[0].gotos[0].symbol = 0x4002; // no goto for the reduced symbol
        const std::vector<BYTE> bytes = ParseTable(kTinyProductions, rows);
        ParserTable table(bytes.data(), bytes.size(), "t");
        EXPECT_EQ("TPYacc0107e: Invalid goto on 16385", ParseTiny(table, "a"));
    }
}

TEST(ParserTablesTest, DamagedLexerListsAreCleanErrors)
{
    const std::vector<BYTE> good = TinyLexer();
    const struct
    {
        size_t at;
        DWORD word;
    } damages[] = {
        {0, 5},                  // list count beyond the bytes
        {36 + 4, 0x7FFFFFFF},    // list size past the end
        {36 + 40, 0x00FFFFFF},   // states past the end
        {36 + 48, 0x7FFFFFF0},   // row offsets past the end
        {36 + 88 + 3 * 28, 999}, // first row offset past the end
    };
    for (const auto& d : damages)
    {
        Bytes b{good};
        b.SetWord(d.at, d.word);
        EXPECT_EQ("TPLex0104e: Invalid table, t",
                  RaisedMessage([&] { LexerTable t(b.data.data(), b.data.size(), "t"); }))
            << d.at;
    }
    // A next state that does not exist.
    const std::vector<BYTE> wild = LexerTableBytes({LexerList({{0, 0, {{'a', 'a', 3}}}})});
    EXPECT_EQ("TPLex0104e: Invalid table, t",
              RaisedMessage([&] { LexerTable t(wild.data(), wild.size(), "t"); }));
}
