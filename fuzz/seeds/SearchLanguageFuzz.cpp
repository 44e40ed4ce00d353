// Seeds: search texts of every construct of the language.
#include "FuzzSeeds.h"

#include <string.h>

#include <string>

void WriteSeeds(FuzzSeeds& seeds)
{
    const char* texts[] = {"auth = smith* and date >= 1990",
                           "titl = *smith*",
                           "not a and b or (c and not d)",
                           "auth = 'smith, john', \"roe\", \x93jones\x94",
                           "rec# = 100-250 or id < 99",
                           "record number <> 12, 13",
                           "form = journal* or workform >= book",
                           "form contains article",
                           "rs = reviews",
                           "#12 = empty and #05 = not empty",
                           "#46 contains x",
                           "call > PS and isid <= 4",
                           "date = 1990-1995",
                           "titl begins with the and titl ends with papers and key exactly mice",
                           "abst contains 'mice and men'",
                           "auth <",
                           "(a or b",
                           "titl = smith\r\nor titl = jones\r\n"};
    int n = 0;
    for (const char* text : texts)
        seeds.Add("search" + std::to_string(n++), std::vector<unsigned char>(text, text + strlen(text)));
}
