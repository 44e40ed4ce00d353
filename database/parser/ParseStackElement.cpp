#include "database/parser/ParseStackElement.h"

#include "database/parser/TPException.h"

#include <new>

ParseStackElement* ParseStackElement::Create()
{
    ParseStackElement* element = new (std::nothrow) ParseStackElement;
    if (element == nullptr)
        TPRaiseOutOfStorage();
    return Handout(element);
}

void ParseStackElement::SetLexeme(Lexeme* lexeme)
{
    if (lexeme)
        lexeme->AddRef();
    if (m_lexeme)
        m_lexeme->Release();
    m_lexeme = lexeme;
}

ParseStackElement::~ParseStackElement()
{
    if (m_lexeme)
        m_lexeme->Release();
}
