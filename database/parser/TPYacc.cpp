#include "database/parser/TPYacc.h"

#include "database/parser/TPException.h"
#include "database/parser/TPSetArray.h"

namespace {

// Pushes a counted object, with the reference the stack holds.
void PushCounted(TPLifo& stack, TPRef* object)
{
    object->AddRef();
    try
    {
        stack.Push(object);
    }
    catch (...)
    {
        object->Release();
        throw;
    }
}

// The element a stack entry holds (pushed as a TPRef).
ParseStackElement* ElementOf(void* entry)
{
    return static_cast<ParseStackElement*>(static_cast<TPRef*>(entry));
}

} // namespace

TPYacc::TPYacc(LPCTSTR lpszTablePath) : m_stack(64, 64), m_queue(32, 32)
{
    m_eofLexeme = Lexeme::Create(kTokenEndOfInput, "eof", 3, -1, -1);
    m_eofLexeme->AddRef();
    if (lpszTablePath != nullptr)
    {
        try
        {
            SetTable(ParserTable::FromFile(lpszTablePath), TRUE);
        }
        catch (...)
        {
            m_eofLexeme->Release();
            throw;
        }
    }
}

TPYacc::~TPYacc()
{
    ReleaseAll();
    m_eofLexeme->Release();
    if (m_ownsTable)
        delete m_table;
}

void TPYacc::ReleaseAll()
{
    while (!m_stack.IsEmpty())
        static_cast<TPRef*>(m_stack.Pop())->Release();
    while (!m_queue.IsEmpty())
        static_cast<TPRef*>(m_queue.Pop())->Release();
    SetLookahead(nullptr);
}

void TPYacc::SetTable(ParserTable* table, BOOL owns)
{
    if (m_ownsTable && m_table != table)
        delete m_table;
    m_table = table;
    m_ownsTable = owns;
}

int TPYacc::Parse()
{
    if (m_table == nullptr)
        TPRaise(tpYaccMissingTable);
    ReleaseAll();
    m_error = 0;
    m_eofDelivered = FALSE;
    m_stepsSinceShift = 0;
    m_depthAtShift = 1;

    ParseStackElement* first = NewElement();
    first->SetState(0);
    PushElement(first);
    m_state = 0;
    if (!ReadLookahead())
        return 1;
    m_action = LookupAction(m_state, m_lookahead->Token());
    for (;;)
    {
        const DWORD argument = m_action & actionArgumentMask;
        if (m_action & actionShift)
        {
            if (!Shift(argument) || !ReadLookahead())
                return 1;
        }
        else if (m_action & actionReduce)
        {
            CountStep();
            if (!ReduceBy(argument))
                return 1;
        }
        else if (m_action & actionAccept)
        {
            return HadError();
        }
        else if (m_action & actionResolve)
        {
            CountStep();
            if (!ResolveByLookahead(argument))
                return 1;
            continue; // with the action decided
        }
        else
        {
            CountStep();
            m_error = 1;
            if (OnError(m_state, m_lookahead) != 0)
                return 1;
            continue; // with the action the handler set up
        }
        m_action = LookupAction(m_state, m_lookahead->Token());
    }
}

void TPYacc::CountStep()
{
    // Between two shifts a sound table reduces a bounded number of times; a
    // damaged one may reduce (and grow the stack) for ever.
    const ULONGLONG limit =
        ((ULONGLONG)m_depthAtShift + m_table->StateCount()) * ((ULONGLONG)m_table->ProductionCount() + 1);
    if (++m_stepsSinceShift > limit)
        TPRaise(tpYaccInvalidTable);
}

LONG TPYacc::CheckedState(DWORD state) const
{
    if (state >= m_table->StateCount())
        TPRaise(tpYaccInvalidTable);
    return (LONG)state;
}

DWORD TPYacc::LookupAction(LONG state, LONG token) const
{
    const ParserRow row = m_table->Row((DWORD)state);
    const LONG index = row.FindAction(token);
    return index < 0 ? 0 : row.ActionWord((DWORD)index);
}

BOOL TPYacc::Shift(DWORD state)
{
    const LONG target = CheckedState(state);
    ParseStackElement* element = ShiftElement(m_lookahead);
    if (element == nullptr)
        return FALSE;
    TPHold<ParseStackElement> hold(element);
    element->SetLexeme(m_lookahead);
    element->SetState(target);
    PushElement(element);
    m_state = target;
    m_stepsSinceShift = 0;
    m_depthAtShift = m_stack.Count();
    return TRUE;
}

BOOL TPYacc::ReduceBy(DWORD production)
{
    // Production 0 is the start production: its completion is the accept action.
    if (production == 0 || production >= m_table->ProductionCount())
        TPRaise(tpYaccInvalidTable);
    const DWORD length = m_table->ProductionLength(production);
    if (length >= (DWORD)m_stack.Count())
        TPRaise(tpYaccInvalidTable); // the bottom element stays
    m_production = production;
    m_productionLength = length;
    m_productionSymbol = m_table->ProductionSymbol(production);
    ParseStackElement* element = Reduce(production, length);
    if (element == nullptr)
        return FALSE;
    TPHold<ParseStackElement> hold(element);
    for (DWORD i = 0; i < length; ++i)
        PopElement();
    const ParserRow row = m_table->Row((DWORD)ElementOf(m_stack.Top())->State());
    LONG target = -1;
    for (DWORD i = 0; i < row.gotoCount && target < 0; ++i)
        if (row.GotoSymbol(i) == m_productionSymbol)
            target = CheckedState(row.GotoTarget(i));
    if (target < 0)
        TPRaise(tpYaccInvalidGoto, m_productionSymbol);
    element->SetState(target);
    PushElement(element);
    m_state = target;
    return TRUE;
}

BOOL TPYacc::ResolveByLookahead(DWORD listIndex)
{
    if (listIndex >= (DWORD)m_table->LookaheadListCount())
        TPRaise(tpYaccInvalidTable);
    const LexerExpressionList& list = m_table->LookaheadList((int)listIndex);
    DWORD state = 0;
    Lexeme* last = m_lookahead;
    for (int i = 0;; ++i)
    {
        Lexeme* lexeme = i == 0 ? m_lookahead : QueuedLexeme(i - 1);
        const LONG next = list.Next(state, (DWORD)lexeme->Token());
        if (next < 0)
        {
            m_error = 1;
            return OnLookaheadError(m_state, m_lookahead, last) == 0;
        }
        last = lexeme;
        state = (DWORD)next;
        const LexerStateInfo info = list.Info(state);
        if (info.flags & lexAccepts)
        {
            const DWORD decision = (DWORD)info.token & actionArgumentMask;
            m_action = ((info.flags & lexReduceDecision) ? actionReduce : actionShift) | decision;
            return TRUE;
        }
    }
}

Lexeme* TPYacc::QueuedLexeme(int index)
{
    while (m_queue.Count() <= index)
    {
        PushCounted(m_queue, ReadAhead());
    }
    return static_cast<Lexeme*>(static_cast<TPRef*>(m_queue.At(index)));
}

Lexeme* TPYacc::ReadAhead()
{
    Lexeme* lexeme = NextLexeme();
    if (lexeme != nullptr)
        return lexeme;
    if (m_eofDelivered)
        TPRaise(tpYaccReadPastEof);
    m_eofDelivered = TRUE;
    return m_eofLexeme;
}

BOOL TPYacc::ReadLookahead()
{
    if (!m_queue.IsEmpty())
    {
        Lexeme* queued = static_cast<Lexeme*>(static_cast<TPRef*>(m_queue.TakeBottom()));
        SetLookahead(queued);
        queued->Release();
    }
    else
    {
        SetLookahead(ReadAhead());
    }
    return OnLookahead(m_lookahead) == 0;
}

void TPYacc::SetLookahead(Lexeme* lexeme)
{
    if (lexeme)
        lexeme->AddRef();
    if (m_lookahead)
        m_lookahead->Release();
    m_lookahead = lexeme;
}

void TPYacc::PushElement(ParseStackElement* element)
{
    PushCounted(m_stack, element);
}

void TPYacc::PopElement()
{
    static_cast<TPRef*>(m_stack.Pop())->Release();
}

ParseStackElement* TPYacc::elementFromProduction(int i) const
{
    if (i < 0 || (DWORD)i >= m_productionLength || m_productionLength > (DWORD)m_stack.Count())
        TPRaise(tpYaccInvalidIndex, (LONG)i);
    return ElementOf(m_stack.Peek((int)m_productionLength - 1 - i));
}

std::vector<LONG> TPYacc::ExpectedTokens(LONG state) const
{
    if (m_table == nullptr)
        TPRaise(tpYaccMissingTable);
    const ParserRow row = m_table->Row((DWORD)state);
    std::vector<LONG> tokens;
    for (DWORD i = 0; i < row.actionCount; ++i)
        tokens.push_back(row.ActionToken(i));
    return tokens;
}

Lexeme* TPYacc::NextLexeme()
{
    if (m_lex == nullptr)
        TPRaise(tpYaccMissingLex);
    return m_lex->NextToken();
}

ParseStackElement* TPYacc::NewElement()
{
    return ParseStackElement::Create();
}

ParseStackElement* TPYacc::ShiftElement(Lexeme* lexeme)
{
    return NewElement();
}

int TPYacc::OnLookahead(Lexeme* lexeme)
{
    return 0;
}

int TPYacc::OnError(LONG state, Lexeme* lookahead)
{
    return RecoverFromError(state, lookahead);
}

int TPYacc::OnLookaheadError(LONG state, Lexeme* lookahead, Lexeme* lastReadAhead)
{
    return TPYacc::OnError(state, lookahead);
}

ParseStackElement* TPYacc::Reduce(DWORD production, DWORD length)
{
    return nullptr;
}

int TPYacc::RecoverFromError(LONG state, Lexeme* lookahead)
{
    // The tokens that any state on the stack can go on with.
    TPSetArray sync;
    for (int depth = 0; depth < m_stack.Count(); ++depth)
    {
        const ParserRow row = m_table->Row((DWORD)ElementOf(m_stack.Peek(depth))->State());
        for (DWORD i = 0; i < row.actionCount; ++i)
            if ((row.flags & rowAllSync) || ((row.flags & rowSyncMarked) && (row.ActionWord(i) & actionSync)))
                sync.Add(row.ActionToken(i));
        if (row.HasErrorEntry())
        {
            const ParserRow after = m_table->Row((DWORD)CheckedState(row.ErrorState()));
            for (DWORD i = 0; i < after.actionCount; ++i)
                sync.Add(after.ActionToken(i));
        }
    }
    if (sync.Count() == 0)
        TPRaise(tpYaccNoValidToken);

    while (!sync.Contains(m_lookahead->Token()))
    {
        if (m_lookahead->Token() == kTokenEndOfInput)
            TPRaise(tpYaccErrorAtEof);
        if (!ReadLookahead())
            return 1;
    }

    const LONG token = m_lookahead->Token();
    while (!m_stack.IsEmpty())
    {
        ParseStackElement* top = ElementOf(m_stack.Top());
        const ParserRow row = m_table->Row((DWORD)top->State());
        if (row.HasErrorEntry())
        {
            const LONG errorState = CheckedState(row.ErrorState());
            const ParserRow after = m_table->Row((DWORD)errorState);
            const LONG index = after.FindAction(token);
            if (index >= 0)
            {
                ParseStackElement* element = NewElement();
                TPHold<ParseStackElement> hold(element);
                element->SetLexeme(
                    Lexeme::Create(kTokenError, "%error", 6, m_lookahead->Line(), m_lookahead->Offset()));
                element->SetState(errorState);
                PushElement(element);
                m_state = errorState;
                m_action = after.ActionWord((DWORD)index);
                return 0;
            }
        }
        if (row.flags & (rowAllSync | rowSyncMarked))
        {
            const LONG index = row.FindAction(token);
            if (index >= 0)
            {
                m_state = top->State();
                m_action = row.ActionWord((DWORD)index);
                return 0;
            }
        }
        PopElement();
    }
    TPRaise(tpYaccNoValidToken);
}
