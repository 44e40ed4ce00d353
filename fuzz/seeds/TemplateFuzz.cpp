// Seeds: templates in the shown and the stored form, with groups, escapes and
// the errors the parser reports.
#include "FuzzSeeds.h"

#include "formatting/style/StyleTemplate.h"

#include <string.h>

#include <string>

void WriteSeeds(FuzzSeeds& seeds)
{
    const char* templates[] = {"x|ab<Title>cd|e",
                               "|Rec# <Record ID>. |",
                               "\xAB(<20 Date of Publication>)\xBB",
                               "<15 Edition>. <19 Publisher Name>",
                               "\xAB[<04 Title, Analytic>\xAB (<Date>)\xBB]\xBB",
                               "\\<Title> \\\xAB<Author>\\\xBB",
                               "a\xBB"
                               "b",
                               "\xAB"
                               "a",
                               "<Citation Number>|<Author-Title>|<record id>"};
    int n = 0;
    for (const char* t : templates)
        seeds.Add("template" + std::to_string(n++), std::vector<unsigned char>(t, t + strlen(t)));
    const StyledString stored = MakeDefaultBibliographyTemplate();
    const char* bytes = stored.text;
    seeds.Add("default", std::vector<unsigned char>(bytes, bytes + stored.GetLength()));
}
