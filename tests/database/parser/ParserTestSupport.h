// Helpers of the parser runtime's tests: tables written byte by byte, and a
// parser that records what the runtime does with a text.
#pragma once

#include "classlib/Resources.h"
#include "database/parser/TPException.h"
#include "database/parser/TPYacc.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace parsertest {

// --- Tables written by hand ------------------------------------------------

struct Bytes
{
    std::vector<BYTE> data;
    void Word(DWORD w)
    {
        for (int i = 0; i < 4; ++i)
            data.push_back(BYTE(w >> (8 * i)));
    }
    void Zeros(size_t n) { data.insert(data.end(), n, 0); }
    void Fill(size_t n, BYTE b) { data.insert(data.end(), n, b); }
    void SetWord(size_t at, DWORD w)
    {
        for (int i = 0; i < 4; ++i)
            data[at + i] = BYTE(w >> (8 * i));
    }
};

struct Entry
{
    DWORD word;
    LONG symbol;
};

struct Row
{
    DWORD flags = 0;
    std::vector<Entry> actions;
    std::vector<Entry> gotos;
    LONG errorState = -1; // an error entry when set
    size_t gapBefore = 0; // bytes of padding before the row
};

// A parse table; productions are (length, left side).  With magic 0 the
// offset array is left zero and gaps are not allowed.
inline std::vector<BYTE> ParseTable(const std::vector<Entry>& productions, const std::vector<Row>& rows,
                                    DWORD magic = 0x53535943, const std::vector<BYTE>& lists = {},
                                    DWORD listCount = 0)
{
    Bytes b;
    b.Word(magic);
    b.Word(DWORD(productions.size()) | (listCount << 16));
    b.Word(DWORD(rows.size()));
    b.Word(0); // first row, set below
    b.Word(DWORD(20 + 4 * rows.size()));
    b.Zeros(4 * rows.size());
    for (const Entry& p : productions)
    {
        b.Word(p.word);
        b.Word(DWORD(p.symbol));
    }
    for (size_t i = 0; i < rows.size(); ++i)
    {
        const Row& r = rows[i];
        b.Fill(r.gapBefore, 0xEE);
        if (i == 0)
            b.SetWord(12, DWORD(b.data.size()));
        if (magic != 0)
            b.SetWord(20 + 4 * i, DWORD(b.data.size()));
        b.Word(r.flags | (r.errorState >= 0 ? 0x2 : 0));
        b.Word(DWORD(r.gotos.size()));
        b.Word(DWORD(r.actions.size()));
        for (const Entry& e : r.actions)
        {
            b.Word(e.word);
            b.Word(DWORD(e.symbol));
        }
        for (const Entry& e : r.gotos)
        {
            b.Word(e.word);
            b.Word(DWORD(e.symbol));
        }
        if (r.errorState >= 0)
        {
            b.Word(DWORD(r.errorState));
            b.Word(DWORD(-2));
        }
    }
    b.data.insert(b.data.end(), lists.begin(), lists.end());
    return b.data;
}

struct Range
{
    DWORD first;
    DWORD last;
    LONG next;
};

struct LexState
{
    LONG token;
    DWORD flags;
    std::vector<Range> ranges;
    DWORD list = 0;
};

inline std::vector<BYTE> LexerList(const std::vector<LexState>& states, DWORD magic = 0x53534C58)
{
    const DWORD count = DWORD(states.size());
    Bytes b;
    b.Word(magic);
    b.Word(0); // size, set below
    b.Zeros(32);
    b.Word(count);
    b.Word(0);
    b.Word(88 + 28 * count);
    b.Word(88);
    b.Zeros(32);
    for (const LexState& s : states)
    {
        b.Word(DWORD(s.token));
        b.Word(s.list);
        b.Word(s.flags);
        b.Zeros(16);
    }
    DWORD at = 88 + 32 * count;
    for (const LexState& s : states)
    {
        b.Word(at);
        at += 4 + 12 * DWORD(s.ranges.size());
    }
    for (const LexState& s : states)
    {
        b.Word(DWORD(s.ranges.size()));
        for (const Range& r : s.ranges)
        {
            b.Word(r.first);
            b.Word(r.last);
            b.Word(DWORD(r.next));
        }
    }
    b.SetWord(4, DWORD(b.data.size()));
    b.SetWord(44, DWORD(b.data.size()));
    return b.data;
}

inline std::vector<BYTE> LexerTableBytes(const std::vector<std::vector<BYTE>>& lists,
                                         DWORD magic = 0x53534C58)
{
    Bytes b;
    b.Word(DWORD(lists.size()));
    b.Word(magic);
    b.Zeros(28);
    for (const auto& l : lists)
        b.data.insert(b.data.end(), l.begin(), l.end());
    return b.data;
}

// --- Running a language ------------------------------------------------------

inline std::vector<BYTE> ResourceBytes(LPCTSTR type, UINT id)
{
    DWORD size = 0;
    const BYTE* p = static_cast<const BYTE*>(AfxFindBinaryResource(type, id, &size));
    return p ? std::vector<BYTE>(p, p + size) : std::vector<BYTE>();
}

// The message of the TPException that f raises ("" when it raises none).
inline std::string RaisedMessage(const std::function<void()>& f)
{
    try
    {
        f();
    }
    catch (CException* e)
    {
        std::string message;
        if (e->IsKindOf(RUNTIME_CLASS(TPException)))
            message = static_cast<TPException*>(e)->GetMessage();
        else
            message = "(not a TPException)";
        e->Delete();
        return message;
    }
    return "";
}

// What a parse did.
struct ParseRun
{
    int result = -1;
    std::vector<DWORD> reductions;
    std::vector<std::pair<LONG, std::string>> lookaheads; // every lookahead, in order
    // The first syntax error, when there was one.
    bool hadError = false;
    LONG errorState = -1;
    LONG errorToken = 0;
    std::string errorText;
    LONG errorLine = 0;
    LONG errorOffset = 0;
    std::vector<LONG> expected;
};

// Records every reduction and lookahead; stops at the first syntax error
// unless told to recover.
class RecordingParser : public TPYacc
{
public:
    RecordingParser(UINT tables, const char* text, bool recover = false)
        : m_input(text), m_lexTable(LexerTable::FromResource(tables)), m_lex(&m_input, m_lexTable.get()),
          m_table(ParserTable::FromResource(tables)), m_recover(recover)
    {
        SetTable(m_table.get(), FALSE);
        SetLex(&m_lex);
    }

    ParseRun run;

    ParseStackElement* Reduce(DWORD production, DWORD length) override
    {
        run.reductions.push_back(production);
        return NewElement();
    }
    int OnLookahead(Lexeme* lexeme) override
    {
        run.lookaheads.emplace_back(lexeme->Token(), std::string(lexeme->Text(), lexeme->Length()));
        return 0;
    }
    int OnError(LONG state, Lexeme* lookahead) override
    {
        if (!run.hadError)
        {
            run.hadError = true;
            run.errorState = state;
            run.errorToken = lookahead->Token();
            run.errorText = lookahead->Text();
            run.errorLine = lookahead->Line();
            run.errorOffset = lookahead->Offset();
            run.expected = ExpectedTokens(state);
        }
        return m_recover ? TPYacc::OnError(state, lookahead) : 1;
    }

private:
    LexerStringConsumer m_input;
    std::unique_ptr<LexerTable> m_lexTable;
    TPLex m_lex;
    std::unique_ptr<ParserTable> m_table;
    bool m_recover;
};

inline ParseRun Parse(UINT tables, const char* text, bool recover = false)
{
    RecordingParser parser(tables, text, recover);
    parser.run.result = parser.Parse();
    return parser.run;
}

// The tokens of a text as the language's lexer makes them (end not included).
inline std::vector<std::pair<LONG, std::string>> Lex(UINT tables, const char* text)
{
    LexerStringConsumer input(text);
    std::unique_ptr<LexerTable> table(LexerTable::FromResource(tables));
    TPLex lex(&input, table.get());
    std::vector<std::pair<LONG, std::string>> tokens;
    while (Lexeme* l = lex.NextToken())
    {
        TPHold<Lexeme> hold(l);
        tokens.emplace_back(l->Token(), std::string(l->Text(), l->Length()));
    }
    return tokens;
}

} // namespace parsertest
