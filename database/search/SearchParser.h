// The search language: a typed search text becomes a search expression tree.
//
// SearchLexer and SearchParser run the lexer table and the parse table 128.
// Reduce builds the tree on a node stack (newest last): the field words set
// the current field set, the terms fill the current term list, each clause
// pushes one node (the leaves of its terms joined by "or"), and "and", "or"
// and "not" combine the nodes on top. At acceptance the stack holds the root.
//
// The first syntax error shows one message (5289 to 5296, see
// ReportSyntaxError) and ends the parse with the class library's user
// exception; record-ID terms and group names are checked as they are reduced.
// Nodes left on the stack are deleted with the parser.
#pragma once

#include "database/db/FieldSet.h"
#include "database/parser/LexerConsumer.h"
#include "database/parser/LexerTable.h"
#include "database/parser/TPLex.h"
#include "database/parser/TPYacc.h"

#include <memory>
#include <string>
#include <vector>

class ISearchDatabase;
class SearchNode;

class SearchLexer : public TPLex
{
public:
    SearchLexer(LexerConsumer* input, LexerTable* table) : TPLex(input, table) {}
    // "string", "=", "auth", ... as the syntax messages name them;
    // "TPLexTokenNotFound" for a number that is no token of the language.
    LPCTSTR TokenName(LONG token) const override;
};

class SearchParser : public TPYacc
{
public:
    SearchParser(const char* text, ISearchDatabase& database);
    ~SearchParser() override;

    ParseStackElement* Reduce(DWORD production, DWORD length) override;
    int OnError(LONG state, Lexeme* lookahead) override;

    // The root after an accepted parse (the caller owns it); NULL when no node was built.
    SearchNode* TakeResult();

private:
    // Never returns: shows the message for a syntax error and aborts.
    [[noreturn]] void ReportSyntaxError(LONG state, Lexeme* lookahead);
    const char* TermAt(int index) const;
    void Push(SearchNode* node);
    SearchNode* Pop();
    // One leaf per term of the list, joined by "or" nodes; the joined node is
    // pushed, inside a "not" when negated.
    template <class MakeLeaf> void PushTermLeaves(MakeLeaf make, BOOL negated = FALSE);
    void ReduceFieldClause(DWORD production);
    void ReduceWorkformClause(DWORD production);
    void ReduceRecordIdClause(DWORD production);

    std::string m_text;
    std::unique_ptr<ParserTable> m_parseTable;
    LexerStringConsumer m_input;
    std::unique_ptr<LexerTable> m_lexTable;
    SearchLexer m_lexer;
    std::vector<SearchNode*> m_nodes;
    FieldSet m_fields;
    std::vector<std::string> m_terms;
    ISearchDatabase& m_database;
};

// Parses text for the database: the root of its tree (the caller owns it),
// or NULL after the parse's message was shown.
SearchNode* ParseSearchExpression(const char* text, ISearchDatabase& database);
