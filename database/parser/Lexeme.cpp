#include "database/parser/Lexeme.h"

#include "database/parser/TPException.h"

#include <new>
#include <string.h>

Lexeme* Lexeme::Create(LONG token, const char* text, UINT length, LONG line, LONG offset)
{
    Lexeme* lexeme = new (std::nothrow) Lexeme(token, text, length, line, offset);
    if (lexeme == nullptr)
        TPRaiseOutOfStorage();
    if (lexeme->m_text == nullptr)
    {
        delete lexeme;
        TPRaiseOutOfStorage();
    }
    return Handout(lexeme);
}

Lexeme::Lexeme(LONG token, const char* text, UINT length, LONG line, LONG offset)
    : m_line(line), m_token(token), m_text(nullptr), m_length(length), m_offset(offset)
{
    m_text = static_cast<char*>(::operator new((size_t)length + 2, std::nothrow));
    if (m_text == nullptr)
        return;
    if (length)
        memcpy(m_text, text, length);
    m_text[length] = '\0';
    m_text[length + 1] = '\0';
}

Lexeme::~Lexeme()
{
    if (m_ownsText)
        ::operator delete(m_text);
}
