#include "database/search/SearchParser.h"

#include "app/core/ErrorReport.h"
#include "classlib/MessageBox.h"
#include "database/parser/ParserResources.h"
#include "database/parser/TPException.h"
#include "database/search/GroupLeaf.h"
#include "database/search/RecordIdLeaf.h"
#include "database/search/SearchLeafNode.h"
#include "database/search/SearchText.h"
#include "database/search/WorkformLeaf.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Tokens of table 128.
enum
{
    tokString = 2,
    tokEquals = 3,
    tokRightParen = 14,
    tokComma = 15,
    tokFirstField = 19,
    tokLastField = 43,
    tokRecordId = 44,
    tokDate = 45
};

// Productions of table 128, in the order the grammar lists them.
enum
{
    prAnd = 2,
    prOr = 3,
    prNot = 4,
    prBareTerms = 6,
    prFieldFirst = 7, // "=", "<>", "<", "<=", ">", ">=", bw, ew, exactly, contains
    prFieldEmpty = 17,
    prFieldNotEmpty = 18,
    prFormFirst = 19,     // the same ten operators
    prRecordIdFirst = 29, // "=", "<>", "<", "<=", ">", ">="
    prGroup = 35,
    prSingleTerm = 36,
    prFirstTerm = 37,
    prNextTerm = 38,
    prFirstFieldWord = 39,
    prLastFieldWord = 63,
    prDateWord = 64,
    prFieldNumber = 65
};

// Operators in production order.
enum
{
    opEquals,
    opNotEquals,
    opLess,
    opLessEqual,
    opGreater,
    opGreaterEqual,
    opBeginsWith,
    opEndsWith,
    opExactly,
    opContains
};

enum : UINT
{
    IDP_UNEXPECTED_COMMA = 5289,
    IDP_EXPECTED_FIELD = 5290,
    IDP_EXPECTED_TOKENS = 5291,
    IDP_EXPECTED_OPERATOR = 5292,
    IDP_UNMATCHED_PARENTHESIS = 5293,
    IDP_EXPECTED_TERM = 5296
};

struct FieldWord
{
    const char* name;
    int fields[4];
};

// Tokens 19 to 43: the name and the fields each field word searches.
const FieldWord kFieldWords[] = {
    {"abst", {43}},     {"auth", {1, 7, 16, 30}}, {"call", {44}},           {"codn", {39}},
    {"ctno", {22}},     {"desc", {45}},           {"dtmt", {12}},           {"edit", {15}},
    {"isbn", {41}},     {"isid", {24, 34}},       {"issn", {40}},           {"jrnl", {10}},
    {"key", {45}},      {"medm", {5, 14}},        {"note", {42}},           {"plpu", {18}},
    {"publ", {19}},     {"prid", {23}},           {"sred", {30}},           {"sris", {34}},
    {"srti", {32}},     {"srvo", {33}},           {"titl", {4, 9, 11, 32}}, {"jour", {10}},
    {"void", {22, 33}},
};

struct TokenNameEntry
{
    LONG token;
    const char* name;
};

const TokenNameEntry kTokenNames[] = {
    {2, "string"}, {3, "="},      {4, "<>"},       {5, "<"},         {6, "<="},    {7, ">"},       {8, ">="},
    {9, "bw"},     {10, "ew"},    {11, "exactly"}, {12, "contains"}, {13, "("},    {14, ")"},      {15, ","},
    {44, "rec#"},  {45, "date"},  {46, "#"},       {47, "form"},     {48, "rset"}, {49, "and"},    {50, "or"},
    {51, "not"},   {52, "empty"}, {53, "nempty"},  {57, "fld#"},     {-1, "eof"},  {-2, "%error"},
};

FieldSet FieldsOfWord(int token)
{
    FieldSet fields;
    for (int n : kFieldWords[token - tokFirstField].fields) {
        if (n != 0)
            fields.Add(n);
    }
    return fields;
}

} // namespace

LPCTSTR SearchLexer::TokenName(LONG token) const
{
    if (token >= tokFirstField && token <= tokLastField)
        return kFieldWords[token - tokFirstField].name;
    for (const TokenNameEntry& entry : kTokenNames) {
        if (entry.token == token)
            return entry.name;
    }
    return "TPLexTokenNotFound";
}

SearchParser::SearchParser(const char* text, ISearchDatabase& database)
    : m_text(ReadCrLfAsLf(text)), m_parseTable(ParserTable::FromResource(kSearchLanguageTables)),
      m_input(m_text.c_str(), (UINT)m_text.size()),
      m_lexTable(LexerTable::FromResource(kSearchLanguageTables)), m_lexer(&m_input, m_lexTable.get()),
      m_database(database)
{
    SetTable(m_parseTable.get(), FALSE);
    SetLex(&m_lexer);
}

SearchParser::~SearchParser()
{
    for (SearchNode* node : m_nodes)
        delete node;
}

SearchNode* SearchParser::TakeResult()
{
    return m_nodes.empty() ? nullptr : Pop();
}

const char* SearchParser::TermAt(int index) const
{
    Lexeme* lexeme = elementFromProduction(index)->GetLexeme();
    return lexeme ? lexeme->Text() : "";
}

void SearchParser::Push(SearchNode* node)
{
    std::unique_ptr<SearchNode> owned(node);
    m_nodes.push_back(node);
    owned.release();
}

SearchNode* SearchParser::Pop()
{
    SearchNode* node = m_nodes.back();
    m_nodes.pop_back();
    return node;
}

template <class MakeLeaf> void SearchParser::PushTermLeaves(MakeLeaf make, BOOL negated)
{
    // The stack owns every node built so far, so a term rejected half-way
    // through the list leaks nothing.
    Push(make(m_terms.front().c_str()));
    for (size_t i = 1; i < m_terms.size(); ++i) {
        std::unique_ptr<SearchNode> next(make(m_terms[i].c_str()));
        std::unique_ptr<SearchNode> earlier(Pop());
        SearchNode* joined = new SearchOrNode(next.get(), earlier.get());
        next.release();
        earlier.release();
        Push(joined);
    }
    if (negated) {
        std::unique_ptr<SearchNode> operand(Pop());
        SearchNode* node = new SearchNotNode(operand.get());
        operand.release();
        Push(node);
    }
}

void SearchParser::ReduceFieldClause(DWORD production)
{
    const FieldSet f = m_fields;
    switch (production - prFieldFirst) {
    case opEquals:
    case opNotEquals:
        PushTermLeaves([&](const char* t) { return new SearchWordLeaf(f, t); },
                       production - prFieldFirst == opNotEquals);
        break;
    case opLess:
        PushTermLeaves([&](const char* t) { return new SearchLessLeaf(f, t); });
        break;
    case opLessEqual:
        PushTermLeaves([&](const char* t) { return new SearchLessEqualLeaf(f, t); });
        break;
    case opGreater:
        PushTermLeaves([&](const char* t) { return new SearchGreaterLeaf(f, t); });
        break;
    case opGreaterEqual:
        PushTermLeaves([&](const char* t) { return new SearchGreaterEqualLeaf(f, t); });
        break;
    case opBeginsWith:
        PushTermLeaves([&](const char* t) { return new SearchBeginsWithLeaf(f, t); });
        break;
    case opEndsWith:
        PushTermLeaves([&](const char* t) { return new SearchEndsWithLeaf(f, t); });
        break;
    case opExactly:
        PushTermLeaves([&](const char* t) { return new SearchExactlyLeaf(f, t); });
        break;
    case opContains:
        PushTermLeaves([&](const char* t) { return new SearchContainsLeaf(f, t); });
        break;
    }
}

void SearchParser::ReduceWorkformClause(DWORD production)
{
    switch (production - prFormFirst) {
    case opEquals:
    case opNotEquals:
        PushTermLeaves([](const char* t) { return new WorkformWordLeaf(t); },
                       production - prFormFirst == opNotEquals);
        break;
    case opLess:
        PushTermLeaves([](const char* t) { return new WorkformLessLeaf(t); });
        break;
    case opLessEqual:
        PushTermLeaves([](const char* t) { return new WorkformLessEqualLeaf(t); });
        break;
    case opGreater:
        PushTermLeaves([](const char* t) { return new WorkformGreaterLeaf(t); });
        break;
    case opGreaterEqual:
        PushTermLeaves([](const char* t) { return new WorkformGreaterEqualLeaf(t); });
        break;
    case opBeginsWith:
        PushTermLeaves([](const char* t) { return new WorkformBeginsWithLeaf(t); });
        break;
    case opEndsWith:
        PushTermLeaves([](const char* t) { return new WorkformEndsWithLeaf(t); });
        break;
    case opExactly:
        PushTermLeaves([](const char* t) { return new WorkformExactlyLeaf(t); });
        break;
    case opContains:
        PushTermLeaves([](const char* t) { return new WorkformContainsLeaf(t); });
        break;
    }
}

void SearchParser::ReduceRecordIdClause(DWORD production)
{
    ISearchDatabase& db = m_database;
    switch (production - prRecordIdFirst) {
    case opEquals:
    case opNotEquals:
        PushTermLeaves([&](const char* t) { return MakeRecordIdEqualsNode(db, t); },
                       production - prRecordIdFirst == opNotEquals);
        break;
    case opLess:
        PushTermLeaves([&](const char* t) {
            CheckRecordIdTerm(t);
            return new RecordIdLessLeaf(db, t);
        });
        break;
    case opLessEqual:
        PushTermLeaves([&](const char* t) {
            CheckRecordIdTerm(t);
            return new RecordIdLessEqualLeaf(db, t);
        });
        break;
    case opGreater:
        PushTermLeaves([&](const char* t) {
            CheckRecordIdTerm(t);
            return new RecordIdGreaterLeaf(db, t);
        });
        break;
    case opGreaterEqual:
        PushTermLeaves([&](const char* t) {
            CheckRecordIdTerm(t);
            return new RecordIdGreaterEqualLeaf(db, t);
        });
        break;
    }
}

ParseStackElement* SearchParser::Reduce(DWORD production, DWORD)
{
    if (production >= (DWORD)prFirstFieldWord && production <= (DWORD)prLastFieldWord) {
        m_fields = FieldsOfWord((int)production - prFirstFieldWord + tokFirstField);
    } else if (production >= (DWORD)prFieldFirst && production < (DWORD)prFieldEmpty) {
        ReduceFieldClause(production);
    } else if (production >= (DWORD)prFormFirst && production < (DWORD)prRecordIdFirst) {
        ReduceWorkformClause(production);
    } else if (production >= (DWORD)prRecordIdFirst && production < (DWORD)prGroup) {
        ReduceRecordIdClause(production);
    } else {
        switch (production) {
        case prAnd:
        case prOr: {
            std::unique_ptr<SearchNode> right(Pop());
            std::unique_ptr<SearchNode> left(Pop());
            SearchNode* node = production == prAnd ? (SearchNode*)new SearchAndNode(left.get(), right.get())
                                                   : (SearchNode*)new SearchOrNode(left.get(), right.get());
            left.release();
            right.release();
            Push(node);
            break;
        }
        case prNot: {
            std::unique_ptr<SearchNode> operand(Pop());
            SearchNode* node = new SearchNotNode(operand.get());
            operand.release();
            Push(node);
            break;
        }
        case prBareTerms: {
            const FieldSet all = FieldSet::AllFields();
            PushTermLeaves([&](const char* t) { return new SearchWordLeaf(all, t); });
            break;
        }
        case prFieldEmpty:
            Push(new SearchEmptyLeaf(m_fields));
            break;
        case prFieldNotEmpty:
            Push(new SearchNotEmptyLeaf(m_fields));
            break;
        case prGroup: {
            ISearchDatabase& db = m_database;
            PushTermLeaves([&](const char* t) { return new GroupLeaf(db, t); });
            break;
        }
        case prSingleTerm:
        case prFirstTerm:
            m_terms.assign(1, TermAt(0));
            break;
        case prNextTerm:
            m_terms.push_back(TermAt(2));
            break;
        case prDateWord:
            m_fields = FieldSet::DateFields();
            break;
        case prFieldNumber:
            m_fields = FieldSet(atoi(TermAt(1)));
            break;
        default:
            break;
        }
    }
    return NewElement();
}

int SearchParser::OnError(LONG state, Lexeme* lookahead)
{
    ReportSyntaxError(state, lookahead);
}

void SearchParser::ReportSyntaxError(LONG state, Lexeme* lookahead)
{
    const LONG token = lookahead ? lookahead->Token() : kTokenEndOfInput;
    const CString at = token == kTokenEndOfInput ? CString("eof") : CString(lookahead->Text());
    const std::vector<LONG> expected = ExpectedTokens(state);
    auto expects = [&](LONG t) { return std::find(expected.begin(), expected.end(), t) != expected.end(); };
    if (token == kTokenEndOfInput && expects(tokRightParen))
        ShowErrorAndAbort(IDP_UNMATCHED_PARENTHESIS);
    if (token == tokComma)
        ShowErrorAndAbort(IDP_UNEXPECTED_COMMA);
    if (expects(tokFirstField))
        ShowErrorAndAbort(IDP_EXPECTED_FIELD, at);
    if (expects(tokEquals))
        ShowErrorAndAbort(IDP_EXPECTED_OPERATOR, at);
    if (expects(tokString))
        ShowErrorAndAbort(IDP_EXPECTED_TERM, at);
    CString names;
    for (size_t i = 0; i < expected.size(); ++i) {
        if (i > 0)
            names += i + 1 == expected.size() ? ", or " : ", ";
        names += m_lexer.TokenName(expected[i]);
    }
    ShowErrorAndAbort(IDP_EXPECTED_TOKENS, at, names);
}

SearchNode* ParseSearchExpression(const char* text, ISearchDatabase& database)
{
    try {
        SearchParser parser(text, database);
        parser.Parse();
        return parser.TakeResult();
    } catch (CException* e) {
        if (e->IsKindOf(RUNTIME_CLASS(TPException)))
            AfxMessageBox(static_cast<TPException*>(e)->GetMessage(), MB_OK);
        else
            ReportException(e);
        e->Delete();
        return nullptr;
    }
}
