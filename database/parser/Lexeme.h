// One lexeme: its token, its characters and where it starts.
//
// Lexemes are counted (TPRef) and handed out with the count 0 (see TPRef).
// The text is a copy of the characters ended by two zero bytes.
#pragma once

#include "database/parser/TPRef.h"

// Tokens every language shares.
const LONG kTokenEndOfInput = -1;
const LONG kTokenError = -2;

class Lexeme : public TPRef
{
public:
    // A new lexeme (count 0) of token with a copy of length characters.
    static Lexeme* Create(LONG token, const char* text, UINT length, LONG line, LONG offset);

    LONG Token() const { return m_token; }
    const char* Text() const { return m_text; }
    UINT Length() const { return m_length; }
    // Line of the first character, from 1.
    LONG Line() const { return m_line; }
    // Column of the first character in its line, from 1.
    LONG Offset() const { return m_offset; }
    BOOL IsNarrow() const { return m_narrow; }

protected:
    Lexeme(LONG token, const char* text, UINT length, LONG line, LONG offset);
    ~Lexeme() override;

private:
    DWORD m_reserved = 0;
    BOOL m_ownsText = TRUE;
    BOOL m_narrow = TRUE;
    LONG m_line;
    LONG m_token;
    char* m_text;
    UINT m_length;
    LONG m_offset;
};
