// Seeds: the program's table pairs (and the tests' expression language) with
// texts of their languages.
#include "FuzzSeeds.h"

#include "classlib/Resources.h"
#include "database/parser/ParserResources.h"

#include <string.h>

#include <string>

namespace {

void AppendPart(std::vector<unsigned char>& out, const void* data, DWORD size)
{
    for (int i = 0; i < 4; ++i)
        out.push_back((unsigned char)(size >> (8 * i)));
    const unsigned char* p = static_cast<const unsigned char*>(data);
    out.insert(out.end(), p, p + size);
}

} // namespace

void WriteSeeds(FuzzSeeds& seeds)
{
    const struct
    {
        UINT tables;
        const char* text;
    } samples[] = {
        {kSearchLanguageTables, "auth = smith*, 'jones, a' and not (date >= 1990 or #05 contains x)"},
        {kSearchLanguageTables, "a b"},
        {kCitationSearchTables, "Smith, J. et al. 1990 #12 /ID /PT 'see' x"},
        {kCitationDisplayTables, "/PT 'see ' /H /D =, p. 12"},
        {kTestExpressionTables, "x = f(1, -2 * (3 + y)); 1 + ; z = \"a\\\"b\";"},
    };
    int n = 0;
    for (const auto& s : samples)
    {
        DWORD parseSize = 0, lexSize = 0;
        const void* parse = AfxFindBinaryResource("YACC", s.tables, &parseSize);
        const void* lex = AfxFindBinaryResource("LEXX", s.tables, &lexSize);
        std::vector<unsigned char> seed;
        AppendPart(seed, parse, parseSize);
        AppendPart(seed, lex, lexSize);
        seed.insert(seed.end(), s.text, s.text + strlen(s.text));
        seeds.Add("tables" + std::to_string(n++), seed);
    }
}
