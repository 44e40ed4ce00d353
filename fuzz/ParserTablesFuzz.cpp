// Parse and lexer tables of arbitrary bytes, run over a short text: a damaged
// table is a clean error (TPException among them), never a crash, a hang or a
// huge allocation.
//
// Input: u32 length of the parse table, its bytes, u32 length of the lexer
// table, its bytes, then the text (lengths are cut to what is there).
#include "FuzzSupport.h"

#include "database/parser/TPYacc.h"

#include <memory>

namespace {

// Reduces to fresh elements and asks about the error state, as languages do.
class FuzzParser : public TPYacc
{
public:
    ParseStackElement* Reduce(DWORD production, DWORD length) override
    {
        if (length > 0)
            elementFromProduction(0);
        return NewElement();
    }
    int OnError(LONG state, Lexeme* lookahead) override
    {
        ExpectedTokens(state);
        return TPYacc::OnError(state, lookahead);
    }
};

// The next length-prefixed part of the input.
std::pair<const uint8_t*, size_t> TakePart(const uint8_t*& data, size_t& size)
{
    size_t length = 0;
    for (int i = 0; i < 4 && size > 0; ++i, ++data, --size)
        length |= size_t(*data) << (8 * i);
    if (length > size)
        length = size;
    const std::pair<const uint8_t*, size_t> part(data, length);
    data += length;
    size -= length;
    return part;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto parseBytes = TakePart(data, size);
    const auto lexBytes = TakePart(data, size);
    const std::string text(reinterpret_cast<const char*>(data), size < 256 ? size : 256);

    std::unique_ptr<LexerTable> lexTable;
    FuzzStep([&] { lexTable.reset(new LexerTable(lexBytes.first, lexBytes.second, "fuzz")); });
    std::unique_ptr<ParserTable> parseTable;
    FuzzStep([&] { parseTable.reset(new ParserTable(parseBytes.first, parseBytes.second, "fuzz")); });
    if (!lexTable)
        return 0;

    // The lexer alone, to the end of the text.
    FuzzStep([&] {
        LexerStringConsumer input(text.data(), UINT(text.size()));
        TPLex lex(&input, lexTable.get());
        for (size_t n = 0; Lexeme* l = lex.NextToken(); ++n)
        {
            TPHold<Lexeme> hold(l);
            if (n > text.size() + 1)
                FuzzFinding("more lexemes than characters");
        }
    });
    if (!parseTable)
        return 0;
    FuzzStep([&] {
        LexerStringConsumer input(text.data(), UINT(text.size()));
        TPLex lex(&input, lexTable.get());
        FuzzParser parser;
        parser.SetTable(parseTable.get(), FALSE);
        parser.SetLex(&lex);
        parser.Parse();
    });
    return 0;
}
