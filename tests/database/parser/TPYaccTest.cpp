#include "ParserTestSupport.h"

#include "database/parser/ParserResources.h"
#include "database/parser/TPSetArray.h"

#include <gtest/gtest.h>

#include <new>

using namespace parsertest;

namespace {

// Productions of the tests' expression language, as its grammar numbers them.
enum
{
    pProgram = 1,
    pMoreStatements,
    pFirstStatement,
    pExpression,
    pAssignment,
    pRecovered,
    pAdd,
    pSubtract,
    pMultiply,
    pDivide,
    pNegate,
    pParentheses,
    pNumber,
    pName,
    pText,
    pCall,
    pFirstPiece,
    pMorePieces,
    pFirstArgument,
    pMoreArguments
};

// An element that carries the text of what it stands for.
class ValueElement : public ParseStackElement
{
public:
    static ValueElement* Create()
    {
        ValueElement* e = new ValueElement;
        return Handout(e);
    }
    std::string value;
};

// Renders every statement fully parenthesised: "1+2*3;" is "(1+(2*3))".
class ExpressionParser : public TPYacc
{
public:
    explicit ExpressionParser(const char* text)
        : m_input(text), m_lexTable(LexerTable::FromResource(kTestExpressionTables)),
          m_lex(&m_input, m_lexTable.get())
    {
        SetTable(ParserTable::FromResource(kTestExpressionTables), TRUE);
        SetLex(&m_lex);
    }

    std::vector<std::string> statements;
    std::vector<DWORD> reductions;
    std::vector<std::string> errors; // "token text@line,column expected ..."

    ParseStackElement* NewElement() override { return ValueElement::Create(); }

    ParseStackElement* Reduce(DWORD production, DWORD length) override
    {
        reductions.push_back(production);
        static const char* const ops[] = {"+", "-", "*", "/"};
        std::string v;
        switch (production)
        {
        case pExpression:
            statements.push_back(At(0));
            break;
        case pAssignment:
            statements.push_back(At(0) + "=" + At(2));
            break;
        case pRecovered:
            statements.push_back("error");
            break;
        case pAdd:
        case pSubtract:
        case pMultiply:
        case pDivide:
            v = "(" + At(0) + ops[production - pAdd] + At(2) + ")";
            break;
        case pNegate:
            v = "(-" + At(1) + ")";
            break;
        case pParentheses:
            v = At(1);
            break;
        case pNumber:
        case pName:
        case pText:
        case pFirstArgument:
        case pFirstPiece:
            v = At(0);
            break;
        case pCall:
            v = At(0) + "(" + At(2) + ")";
            break;
        case pMoreArguments:
            v = At(0) + "," + At(2);
            break;
        case pMorePieces:
            v = At(0) + At(1);
            break;
        }
        ValueElement* e = ValueElement::Create();
        e->value = v;
        return e;
    }

    int OnError(LONG state, Lexeme* lookahead) override
    {
        std::string e = std::string(lookahead->Text()) + "@" + std::to_string(lookahead->Line()) + "," +
                        std::to_string(lookahead->Offset()) + " expected";
        for (LONG t : ExpectedTokens(state))
            e += " " + std::to_string(t);
        errors.push_back(e);
        return TPYacc::OnError(state, lookahead);
    }

private:
    // The value of right-hand-side symbol i: a token's text or a reduction's value.
    std::string At(int i) const
    {
        ParseStackElement* e = elementFromProduction(i);
        if (e->GetLexeme())
            return e->GetLexeme()->Text();
        return static_cast<ValueElement*>(e)->value;
    }

    LexerStringConsumer m_input;
    std::unique_ptr<LexerTable> m_lexTable;
    TPLex m_lex;
};

} // namespace

TEST(TPYaccTest, ExpressionsReduceByPrecedenceAndAssociativity)
{
    const struct
    {
        const char* text;
        std::vector<std::string> statements;
    } cases[] = {
        {"1 + 2 * 3;", {"(1+(2*3))"}},
        {"1 * 2 + 3;", {"((1*2)+3)"}},
        {"1 - 2 - 3;", {"((1-2)-3)"}},
        {"8 / 4 / 2;", {"((8/4)/2)"}},
        {"-2 * -(3 + x);", {"((-2)*(-(3+x)))"}},
        {"a = f(1, g(2), 3 + 4) ; b = \"q\\\"uote\";", {"a=f(1,g(2),(3+4))", "b=q\"uote"}},
    };
    for (const auto& c : cases)
    {
        ExpressionParser parser(c.text);
        EXPECT_EQ(0, parser.Parse()) << c.text;
        EXPECT_EQ(c.statements, parser.statements) << c.text;
        EXPECT_TRUE(parser.errors.empty()) << c.text;
    }
}

TEST(TPYaccTest, ReductionsComeInParseOrder)
{
    ExpressionParser parser("1 + 2 * 3;");
    EXPECT_EQ(0, parser.Parse());
    const std::vector<DWORD> expected = {pNumber, pNumber,     pNumber,         pMultiply,
                                         pAdd,    pExpression, pFirstStatement, pProgram};
    EXPECT_EQ(expected, parser.reductions);
}

TEST(TPYaccTest, SyntaxErrorsAreReportedAtTheirTokenAndRecoveredFrom)
{
    // After "+" an operand is expected; the statement is dropped up to ";"
    // and the parse goes on with the next one.
    ExpressionParser parser("x = 1;\ny = 2 + ;\nz = 3;");
    EXPECT_EQ(1, parser.Parse());
    EXPECT_EQ((std::vector<std::string>{"x=1", "error", "z=3"}), parser.statements);
    // number, name, text, "-", "(" may follow "+".
    EXPECT_EQ((std::vector<std::string>{";@2,9 expected 2 3 4 6 9"}), parser.errors);

    // Tokens before the synchronising ";" are skipped.
    ExpressionParser skipping("1 2 3 4; 5;");
    EXPECT_EQ(1, skipping.Parse());
    EXPECT_EQ((std::vector<std::string>{"error", "5"}), skipping.statements);
    ASSERT_EQ(1u, skipping.errors.size());
    EXPECT_EQ(0u, skipping.errors[0].find("2@1,3 expected")) << skipping.errors[0];
}

TEST(TPYaccTest, UnrecoverableErrors)
{
    // The input ends before a synchronising token.
    EXPECT_EQ("TPYacc0106e: Error token failed, eof", RaisedMessage([] { ExpressionParser("1 +").Parse(); }));
    // A table without error entries or synchronising tokens.
    EXPECT_EQ("TPYacc0105e: Error token failed, no valid token",
              RaisedMessage([] { Parse(kCitationSearchTables, "# /ID", true); }));
    // An invalid token stops the parse with the lexer's message.
    EXPECT_EQ("TPLex0105e: Invalid token, Line 1, Offset 5, ?",
              RaisedMessage([] { ExpressionParser("1 + ?;").Parse(); }));
}

TEST(TPYaccTest, EmptyTextMeetsTheEndAtOnce)
{
    const ParseRun run = Parse(kCitationSearchTables, "");
    EXPECT_EQ(0, run.result);
    EXPECT_EQ((std::vector<std::pair<LONG, std::string>>{{-1, "eof"}}), run.lookaheads);
    EXPECT_EQ(std::vector<DWORD>{2}, run.reductions);

    ExpressionParser parser("");
    EXPECT_EQ("TPYacc0106e: Error token failed, eof", RaisedMessage([&] { parser.Parse(); }));
    ASSERT_EQ(1u, parser.errors.size());
    EXPECT_EQ(0u, parser.errors[0].find("eof@-1,-1 expected")) << parser.errors[0];
}

TEST(TPYaccTest, DriverContracts)
{
    TPYacc bare;
    EXPECT_EQ("TPYacc0109e: setTable missing, required", RaisedMessage([&] { bare.Parse(); }));
    bare.SetTable(ParserTable::FromResource(kTestExpressionTables), TRUE);
    EXPECT_EQ("TPYacc0110e: setLex missing, required", RaisedMessage([&] { bare.Parse(); }));
    EXPECT_EQ("TPYacc0114e: Invalid state specified, 38", RaisedMessage([&] { bare.ExpectedTokens(38); }));
    // Number, name, text, "-" and "(" may begin a statement; the error token
    // is no action entry.
    EXPECT_EQ(std::vector<LONG>({2, 3, 4, 6, 9}), bare.ExpectedTokens(0));

    // elementFromProduction: 0 is the leftmost symbol; outside the production
    // is an error.
    class Probe : public ExpressionParser
    {
    public:
        using ExpressionParser::ExpressionParser;
        std::string seen;
        ParseStackElement* Reduce(DWORD production, DWORD length) override
        {
            if (production == pAdd)
            {
                seen = std::string(elementFromProduction(1)->GetLexeme()->Text()) + " " +
                       std::to_string(length) + " " + RaisedMessage([&] { elementFromProduction(3); }) +
                       " / " + RaisedMessage([&] { elementFromProduction(-1); });
            }
            return ExpressionParser::Reduce(production, length);
        }
    } probe("1 + 2;");
    EXPECT_EQ(0, probe.Parse());
    EXPECT_EQ("+ 3 TPYacc0108e: Invalid index on elementFromProduction, 3 / "
              "TPYacc0108e: Invalid index on elementFromProduction, -1",
              probe.seen);

    // A reduction that returns nothing stops the parse.
    class Stopper : public ExpressionParser
    {
    public:
        using ExpressionParser::ExpressionParser;
        ParseStackElement* Reduce(DWORD production, DWORD length) override { return nullptr; }
    } stopper("1;");
    EXPECT_EQ(1, stopper.Parse());
}

TEST(TPYaccTest, RuntimeStructureErrors)
{
    TPLifo fixed(1, 0);
    fixed.Push(nullptr);
    EXPECT_EQ("TPLifo0001e: Stack full", RaisedMessage([&] { fixed.Push(nullptr); }));
    EXPECT_EQ("TPLifo0003e: Invalid index", RaisedMessage([&] { fixed.Peek(1); }));
    fixed.Pop();
    EXPECT_EQ("TPLifo0004e: Cannot pop empty stack", RaisedMessage([&] { fixed.Pop(); }));
    EXPECT_EQ("TPLifo0002e: No top, stack empty", RaisedMessage([&] { fixed.Top(); }));

    TPLifo growing(1, 1);
    for (int i = 0; i < 1000; ++i)
        growing.Push(reinterpret_cast<void*>(INT_PTR(i)));
    EXPECT_EQ(999, INT_PTR(growing.Top()));
    EXPECT_EQ(0, INT_PTR(growing.TakeBottom()));
    EXPECT_EQ(1, INT_PTR(growing.At(0)));

    TPSetArray set(2, 0);
    set.Add(5);
    set.Add(5);
    set.Add(-1);
    EXPECT_EQ(2, set.Count());
    EXPECT_EQ("TPSetArray0001e: Set full", RaisedMessage([&] { set.Add(7); }));

    Lexeme* lexeme = Lexeme::Create(2, "ab", 2, 1, 1);
    EXPECT_EQ(0, lexeme->RefCount());
    EXPECT_EQ("TPRef0001e: Reference count less than zero", RaisedMessage([&] { lexeme->Release(FALSE); }));
    lexeme->AddRef();
    EXPECT_STREQ("ab", lexeme->Text());
    EXPECT_EQ(0, lexeme->Release());

    // Messages are cut to 127 characters; the out-of-storage exception is
    // one preallocated object.
    const std::string path(300, 'p');
    const std::string cut = RaisedMessage([&] { delete ParserTable::FromFile(path.c_str()); });
    EXPECT_EQ(127u, cut.size());
    EXPECT_EQ(0u, cut.find("TPYacc0101e: Open file failed, ppp"));
    for (int twice = 0; twice < 2; ++twice)
    {
        try
        {
            TPRaiseOutOfStorage();
        }
        catch (CException* e)
        {
            ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(TPExceptionOutOfStorage)));
            EXPECT_EQ(-1, static_cast<TPException*>(e)->GetCode());
            EXPECT_STREQ("TPException0001e: Out of storage", static_cast<TPException*>(e)->GetMessage());
            EXPECT_EQ(CString("TPException0001e: Out of storage"), e->GetErrorText());
            e->Delete();
        }
    }
}
