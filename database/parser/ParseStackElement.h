// An element of the parser's stack: the state it put the parser in and, for
// a shifted token, its lexeme (held counted).
#pragma once

#include "database/parser/Lexeme.h"

class ParseStackElement : public TPRef
{
public:
    // A new element without lexeme, in state 0 (handed out with the count 0).
    static ParseStackElement* Create();

    Lexeme* GetLexeme() const { return m_lexeme; }
    void SetLexeme(Lexeme* lexeme);
    LONG State() const { return m_state; }
    void SetState(LONG state) { m_state = state; }

protected:
    ParseStackElement() = default;
    ~ParseStackElement() override;

private:
    Lexeme* m_lexeme = nullptr;
    LONG m_state = 0;
};
