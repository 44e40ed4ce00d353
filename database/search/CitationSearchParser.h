// The citation-search text of a word-processor citation: its items become a
// search that every cited record matches ("Smith 1990 #12").
//
// Each item pushes one node, joined to the nodes before it by "and": a
// record-ID leaf for "#id", "id /ID" and "#id /ID", else a term node (a word
// beginning with the item in the author, title, journal or keyword fields,
// or, for an item that reads as a date or holds brackets, that or the item in
// a date field). Tables 129; the lexer accepts every 8-bit text. A syntax
// error raises the runtime's TPException ("TPYacc0105e").
#pragma once

#include "database/parser/LexerConsumer.h"
#include "database/parser/LexerTable.h"
#include "database/parser/TPLex.h"
#include "database/parser/TPYacc.h"

#include <memory>
#include <string>
#include <vector>

class ISearchDatabase;
class SearchNode;

class CitationSearchLexer : public TPLex
{
public:
    CitationSearchLexer(LexerConsumer* input, LexerTable* table) : TPLex(input, table) {}
    // "string", "/ID", "#", "eof", "%error"; "TPLexTokenNotFound" otherwise.
    LPCTSTR TokenName(LONG token) const override;
};

class CitationSearchParser : public TPYacc
{
public:
    CitationSearchParser(const char* text, ISearchDatabase& database);
    ~CitationSearchParser() override;

    ParseStackElement* Reduce(DWORD production, DWORD length) override;

    // The search of the text (the caller owns it): the node on top, or a
    // SearchNothingNode when the text had no item.
    SearchNode* TakeResult();

    // A record-ID leaf for the ID as written (no length check), joined by "and".
    void AddRecordIdItem(const char* id);
    // The node of one term item.
    static SearchNode* MakeTermNode(const char* item);

private:
    const char* TextAt(int index) const;
    void AddNode(SearchNode* node);

    std::string m_text;
    std::unique_ptr<ParserTable> m_parseTable;
    LexerStringConsumer m_input;
    std::unique_ptr<LexerTable> m_lexTable;
    CitationSearchLexer m_lexer;
    std::vector<SearchNode*> m_nodes;
    ISearchDatabase& m_database;
};
