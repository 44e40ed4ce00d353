#include "database/search/CitationSearchParser.h"

#include "database/db/FieldSet.h"
#include "database/parser/ParserResources.h"
#include "database/search/RecordIdLeaf.h"
#include "database/search/SearchLeafNode.h"
#include "database/search/SearchText.h"
#include "database/text/DateValue.h"

#include <cstring>

namespace {

// Productions of table 129.
enum
{
    prHashIdMarked = 3,
    prHashId = 4,
    prIdMarked = 5,
    prTerm = 6
};

FieldSet CitedTextFields()
{
    return FieldSet::AuthorFields() | FieldSet::TitleFields() | FieldSet::JournalField() |
           FieldSet::KeywordField();
}

} // namespace

LPCTSTR CitationSearchLexer::TokenName(LONG token) const
{
    switch (token) {
    case 2:
        return "string";
    case 14:
        return "/ID";
    case 15:
        return "#";
    case -1:
        return "eof";
    case -2:
        return "%error";
    default:
        return "TPLexTokenNotFound";
    }
}

CitationSearchParser::CitationSearchParser(const char* text, ISearchDatabase& database)
    : m_text(ReadCrLfAsLf(text)), m_parseTable(ParserTable::FromResource(kCitationSearchTables)),
      m_input(m_text.c_str(), (UINT)m_text.size()),
      m_lexTable(LexerTable::FromResource(kCitationSearchTables)), m_lexer(&m_input, m_lexTable.get()),
      m_database(database)
{
    SetTable(m_parseTable.get(), FALSE);
    SetLex(&m_lexer);
}

CitationSearchParser::~CitationSearchParser()
{
    for (SearchNode* node : m_nodes)
        delete node;
}

SearchNode* CitationSearchParser::TakeResult()
{
    if (m_nodes.empty())
        return new SearchNothingNode;
    SearchNode* node = m_nodes.back();
    m_nodes.pop_back();
    return node;
}

const char* CitationSearchParser::TextAt(int index) const
{
    Lexeme* lexeme = elementFromProduction(index)->GetLexeme();
    return lexeme ? lexeme->Text() : "";
}

void CitationSearchParser::AddNode(SearchNode* node)
{
    std::unique_ptr<SearchNode> added(node);
    if (!m_nodes.empty()) {
        std::unique_ptr<SearchNode> earlier(m_nodes.back());
        m_nodes.back() = nullptr;
        SearchNode* joined = new SearchAndNode(earlier.get(), added.get());
        earlier.release();
        added.release();
        m_nodes.back() = joined;
        return;
    }
    m_nodes.push_back(added.get());
    added.release();
}

void CitationSearchParser::AddRecordIdItem(const char* id)
{
    AddNode(new RecordIdLeaf(m_database, id));
}

SearchNode* CitationSearchParser::MakeTermNode(const char* item)
{
    const std::string prefix = std::string(item) + "*";
    std::unique_ptr<SearchNode> words(new SearchWordLeaf(CitedTextFields(), prefix.c_str()));
    const DateValue date(item);
    if (date.start.year == 0 && strpbrk(item, "[](){}") == nullptr)
        return words.release();
    std::unique_ptr<SearchNode> dates(new SearchWordLeaf(FieldSet::DateFields(), item));
    SearchNode* either = new SearchOrNode(words.get(), dates.get());
    words.release();
    dates.release();
    return either;
}

ParseStackElement* CitationSearchParser::Reduce(DWORD production, DWORD)
{
    switch (production) {
    case prHashIdMarked:
    case prHashId:
        AddRecordIdItem(TextAt(1));
        break;
    case prIdMarked:
        AddRecordIdItem(TextAt(0));
        break;
    case prTerm:
        AddNode(MakeTermNode(TextAt(0)));
        break;
    default:
        break;
    }
    return NewElement();
}
