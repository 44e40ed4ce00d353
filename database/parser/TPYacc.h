// The LR driver: runs a parse table over the lexemes of a TPLex.
//
// A language derives its parser from TPYacc and supplies Reduce, which builds
// the language's result for one production (reading the right-hand side
// through elementFromProduction) and returns a new element (NewElement); it
// may replace OnError.  Parse shifts and reduces until the table accepts.
//
// Errors: a token without an entry in the current state is a syntax error;
// the base OnError recovers through the table's error entries and
// synchronising tokens (RecoverFromError) or raises "TPYacc0105e" / "TPYacc0106e".
// A damaged table never makes the driver read outside it: a shift, goto or
// reduction that leads outside the table, or reductions that go on without
// end, raise "TPYacc0102e: Parse failed, invalid table".
//
// Counted objects: the element stack, the lookahead queue and the current
// lookahead hold references that the destructor releases; the destructor also
// deletes an owned table.
#pragma once

#include "database/parser/ParseStackElement.h"
#include "database/parser/ParserTable.h"
#include "database/parser/TPLex.h"
#include "database/parser/TPLifo.h"

#include <vector>

class TPYacc
{
public:
    // With a path the table is read from that file (and owned); otherwise the
    // subclass sets its table and lexer before parsing.
    explicit TPYacc(LPCTSTR lpszTablePath = nullptr);
    virtual ~TPYacc();
    TPYacc(const TPYacc&) = delete;
    TPYacc& operator=(const TPYacc&) = delete;

    void SetTable(ParserTable* table, BOOL owns);
    void SetLex(TPLex* lex) { m_lex = lex; }
    TPLex* GetLex() const { return m_lex; }
    const ParserTable* GetTable() const { return m_table; }

    // 0 when the input was accepted without error; 1 when an error was met
    // and recovered from before acceptance, or when the parse stopped.
    // "TPYacc0109e: setTable missing, required" without a table.
    int Parse();

    // During Reduce: the element of the right-hand side's symbol i (0 the
    // leftmost); "TPYacc0108e: Invalid index on elementFromProduction, <i>"
    // outside the production.
    ParseStackElement* elementFromProduction(int i) const;
    // The tokens of the state's action entries in table order; "TPYacc0114e:
    // Invalid state specified, <state>" for a state past the last.
    std::vector<LONG> ExpectedTokens(LONG state) const;

    LONG CurrentState() const { return m_state; }
    Lexeme* CurrentLookahead() const { return m_lookahead; }

    virtual int HadError() { return m_error; }
    // The lexer's next lexeme; "TPYacc0110e: setLex missing, required" without one.
    virtual Lexeme* NextLexeme();
    virtual ParseStackElement* NewElement();
    // The element for a shifted token; the driver gives it the lexeme and state.
    virtual ParseStackElement* ShiftElement(Lexeme* lexeme);
    // Every lexeme as it becomes the lookahead; non-zero stops the parse.
    virtual int OnLookahead(Lexeme* lexeme);
    // A syntax error in state on the lookahead; non-zero stops the parse,
    // 0 goes on with the action set up (RecoverFromError does).
    virtual int OnError(LONG state, Lexeme* lookahead);
    // A lookahead-resolution list that has no way on; calls OnError.
    virtual int OnLookaheadError(LONG state, Lexeme* lookahead, Lexeme* lastReadAhead);
    // The element for production's left-hand side, or NULL to stop the parse.
    virtual ParseStackElement* Reduce(DWORD production, DWORD length);

protected:
    // Skips input to a synchronising token and goes on from the deepest state
    // that has a way on with it; see the class comment.
    int RecoverFromError(LONG state, Lexeme* lookahead);

    DWORD CurrentProduction() const { return m_production; }

private:
    void ReleaseAll();
    void SetLookahead(Lexeme* lexeme);
    // FALSE when OnLookahead stops the parse.
    BOOL ReadLookahead();
    // A new lexeme from the input, or the end-of-input lexeme once.
    Lexeme* ReadAhead();
    Lexeme* QueuedLexeme(int index);
    void PushElement(ParseStackElement* element);
    void PopElement();
    DWORD LookupAction(LONG state, LONG token) const;
    LONG CheckedState(DWORD state) const;
    BOOL Shift(DWORD state);
    BOOL ReduceBy(DWORD production);
    BOOL ResolveByLookahead(DWORD list);
    void CountStep();

    TPLex* m_lex = nullptr;
    BOOL m_ownsTable = FALSE;
    int m_error = 0;
    ParserTable* m_table = nullptr;
    LONG m_state = 0;
    Lexeme* m_lookahead = nullptr;
    TPLifo m_stack;
    TPLifo m_queue;
    DWORD m_action = 0;
    DWORD m_production = 0;
    DWORD m_productionLength = 0;
    LONG m_productionSymbol = 0;
    Lexeme* m_eofLexeme = nullptr;
    BOOL m_eofDelivered = FALSE;
    // Steps since the last shift, and the stack depth at that shift.
    ULONGLONG m_stepsSinceShift = 0;
    int m_depthAtShift = 0;
};
