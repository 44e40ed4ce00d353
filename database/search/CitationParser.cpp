#include "database/search/CitationParser.h"

#include "database/parser/ParserResources.h"
#include "database/search/SearchText.h"

namespace {

// Productions of table 130.
enum
{
    prHideAll = 3,
    prHideAuthor = 4,
    prPreceding = 5,
    prFollowing = 6
};

} // namespace

LPCTSTR CitationLexer::TokenName(LONG token) const
{
    switch (token) {
    case 2:
        return "string";
    case 6:
        return "following";
    case 7:
        return "hideall";
    case 8:
        return "hideauthor";
    case 9:
        return "preceding";
    case -1:
        return "eof";
    case -2:
        return "%error";
    default:
        return "TPLexTokenNotFound";
    }
}

CitationParser::CitationParser(const char* text, CitationDisplayOptions& options)
    : m_text(ReadCrLfAsLf(text)), m_parseTable(ParserTable::FromResource(kCitationDisplayTables)),
      m_input(m_text.c_str(), (UINT)m_text.size()),
      m_lexTable(LexerTable::FromResource(kCitationDisplayTables)), m_lexer(&m_input, m_lexTable.get()),
      m_options(options)
{
    SetTable(m_parseTable.get(), FALSE);
    SetLex(&m_lexer);
}

const char* CitationParser::TextAt(int index) const
{
    Lexeme* lexeme = elementFromProduction(index)->GetLexeme();
    return lexeme ? lexeme->Text() : "";
}

ParseStackElement* CitationParser::Reduce(DWORD production, DWORD)
{
    switch (production) {
    case prHideAll:
        m_options.hideAll = TRUE;
        break;
    case prHideAuthor:
        m_options.hideAuthor = TRUE;
        break;
    case prPreceding:
        m_options.preceding = TextAt(1);
        break;
    case prFollowing:
        m_options.following = TextAt(1);
        break;
    default:
        break;
    }
    return NewElement();
}
