// The citation display text: what to show before and after a citation and
// whether to hide its author or the whole citation ("/PT 'see ' =, p. 12").
//
// The parser sets the options the text names and leaves the others as the
// caller gave them; a later option of a kind replaces an earlier one. Tables
// 130. Errors are the runtime's TPException ("TPYacc0105e" for /PT or /FT
// without an item, "TPLex0105e" for "=" right before a line feed).
#pragma once

#include "classlib/CString.h"
#include "database/parser/LexerConsumer.h"
#include "database/parser/LexerTable.h"
#include "database/parser/TPLex.h"
#include "database/parser/TPYacc.h"

#include <memory>
#include <string>

struct CitationDisplayOptions
{
    CString preceding;
    CString following;
    BOOL hideAuthor = FALSE;
    BOOL hideAll = FALSE;
};

class CitationLexer : public TPLex
{
public:
    CitationLexer(LexerConsumer* input, LexerTable* table) : TPLex(input, table) {}
    // "string", "following", "hideall", "hideauthor", "preceding", "eof",
    // "%error"; "TPLexTokenNotFound" otherwise.
    LPCTSTR TokenName(LONG token) const override;
};

class CitationParser : public TPYacc
{
public:
    // The options must outlive the parser.
    CitationParser(const char* text, CitationDisplayOptions& options);

    ParseStackElement* Reduce(DWORD production, DWORD length) override;

private:
    const char* TextAt(int index) const;

    std::string m_text;
    std::unique_ptr<ParserTable> m_parseTable;
    LexerStringConsumer m_input;
    std::unique_ptr<LexerTable> m_lexTable;
    CitationLexer m_lexer;
    CitationDisplayOptions& m_options;
};
