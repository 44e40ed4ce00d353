#include "database/parser/TPLex.h"

#include "database/parser/TPException.h"

TPLex::TPLex(LexerConsumer* input, LexerTable* table, BOOL ownsParts)
    : m_table(table), m_listStack(32, 32), m_input(input), m_ownsParts(ownsParts)
{
    m_listStack.Push(reinterpret_cast<void*>((INT_PTR)0));
}

TPLex::~TPLex()
{
    if (m_ownsParts)
    {
        delete m_input;
        delete m_table;
    }
}

Lexeme* TPLex::NextToken()
{
    if (m_table == nullptr || m_input == nullptr)
        TPRaise(tpLexMissingParts);
    for (;;)
    {
        const LexerExpressionList& list = m_table->List(m_currentList);
        m_input->StartLexeme();
        DWORD state = 0;
        BOOL accepted = FALSE;
        LexerStateInfo acceptedInfo{};
        InputMark matchEnd{};
        DWORD ch;
        if (!m_input->Read(ch))
            return nullptr;
        BOOL more = TRUE;
        while (more)
        {
            const LONG next = list.Next(state, ch);
            if (next < 0)
                break;
            state = (DWORD)next;
            const LexerStateInfo info = list.Info(state);
            if (info.flags & lexAccepts)
            {
                accepted = TRUE;
                acceptedInfo = info;
                matchEnd = m_input->Mark();
            }
            more = m_input->Read(ch);
        }
        if (!accepted)
        {
            const int result = OnInvalidToken(*m_input);
            if (result != 0)
                return nullptr;
            continue; // the characters read are dropped
        }
        m_input->Rewind(matchEnd);
        if (acceptedInfo.flags & lexIgnore)
        {
            ChangeList(acceptedInfo);
            continue;
        }
        ++m_lexemeCount;
        ChangeList(acceptedInfo);
        Lexeme* lexeme = CompleteLexeme(*m_input, acceptedInfo, matchEnd);
        if (lexeme != nullptr)
            return lexeme;
    }
}

void TPLex::ChangeList(const LexerStateInfo& info)
{
    if (info.flags & lexPop)
    {
        m_listStack.Pop();
        m_currentList = (int)reinterpret_cast<INT_PTR>(m_listStack.Top());
    }
    if (info.flags & lexPush)
    {
        if (info.list >= (DWORD)m_table->ListCount())
            TPRaise(tpLexInvalidListIndex, (LONG)info.list);
        m_listStack.Push(reinterpret_cast<void*>((INT_PTR)info.list));
        m_currentList = (int)info.list;
    }
}

int TPLex::OnInvalidToken(LexerConsumer& input)
{
    const InputMark at = input.Mark();
    const CString text(input.LexemeStart(), (int)input.LexemeLength(at.position));
    TPRaise(tpLexInvalidToken, input.LexemeLine(), input.LexemeColumn(), (LPCTSTR)text);
}

LPCTSTR TPLex::TokenName(LONG token) const
{
    return "TPLexTokenNotFound";
}

Lexeme* TPLex::CompleteLexeme(LexerConsumer& input, const LexerStateInfo& info, const InputMark& matchEnd)
{
    return Lexeme::Create(info.token, input.LexemeStart(), input.LexemeLength(matchEnd.position),
                          input.LexemeLine(), input.LexemeColumn());
}
