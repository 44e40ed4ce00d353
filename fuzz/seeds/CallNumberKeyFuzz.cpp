// Seeds: call numbers of each class.
#include "FuzzSeeds.h"

#include <string.h>

#include <string>

void WriteSeeds(FuzzSeeds& seeds)
{
    const char* numbers[] = {"QA76.9 .D3 1990", "KFN5225", "610.73", "ABC123", "FIC SMITH",
                             "Q 123.45 .B2 A3 1999x", "61/0.7/3 .S6"};
    int n = 0;
    for (const char* text : numbers)
        seeds.Add("call" + std::to_string(n++), std::vector<unsigned char>(text, text + strlen(text)));
}
