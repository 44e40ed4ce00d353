// Longest-match scanner over a lexer table.
//
// NextToken follows the current expression list's automaton from its state 0
// as far as the input allows and returns the lexeme of the last accepting
// state passed; characters read past it are read again for the next lexeme.
// An accepting state with the flag 0x40 drops its lexeme; 0x20 makes the
// state's list current afterwards (pushed on the list stack), 0x08 returns to
// the list before (popped), both together switch lists.  Text that reaches
// no accepting state goes to OnInvalidToken.
//
// A language derives its lexer from TPLex and names its tokens (TokenName).
// The table and the input are the caller's unless the lexer is told to own
// them.
#pragma once

#include "database/parser/Lexeme.h"
#include "database/parser/LexerConsumer.h"
#include "database/parser/LexerTable.h"
#include "database/parser/TPLifo.h"

class TPLex
{
public:
    // List 0 of the table becomes current.
    TPLex(LexerConsumer* input, LexerTable* table, BOOL ownsParts = FALSE);
    virtual ~TPLex();
    TPLex(const TPLex&) = delete;
    TPLex& operator=(const TPLex&) = delete;

    // The next lexeme (handed out with the count 0), or NULL at the end of
    // the input.  "TPLex0107e: Table or consumer missing, required" without
    // either.
    Lexeme* NextToken();

    // Text that no rule accepts: the base raises "TPLex0105e: Invalid token,
    // Line <line>, Offset <column>, <characters read>".  A non-zero result is
    // returned by NextToken; 0 drops the characters and scans on.
    virtual int OnInvalidToken(LexerConsumer& input);
    // The name of a token in messages.
    virtual LPCTSTR TokenName(LONG token) const;
    // The lexeme for the accepted text from the lexeme start to matchEnd;
    // NULL makes NextToken scan on.
    virtual Lexeme* CompleteLexeme(LexerConsumer& input, const LexerStateInfo& info,
                                   const InputMark& matchEnd);

    LONG LexemeCount() const { return m_lexemeCount; }
    int CurrentList() const { return m_currentList; }

private:
    void ChangeList(const LexerStateInfo& info);

    LexerTable* m_table;
    int m_currentList = 0;
    TPLifo m_listStack;
    LexerConsumer* m_input;
    BOOL m_ownsParts;
    LONG m_lexemeCount = 0;
};
