// Seeds: citation texts of both languages.
#include "FuzzSeeds.h"

#include <string.h>

#include <string>

void WriteSeeds(FuzzSeeds& seeds)
{
    const char* texts[] = {"Smith 1990 #12",
                           "Smith, J. et al. 1990",
                           "Smith /PT see also 1990",
                           "/PT 'see ' =, p. 12",
                           "/H /D",
                           "12 /ID #13 /id & Jones and Roe",
                           "'van der Berg' (2001a) [in press]",
                           "/FT \x93p. 4\x94 Doe =rest\nmore",
                           "# /ID",
                           ""};
    int n = 0;
    for (const char* text : texts)
        seeds.Add("citation" + std::to_string(n++), std::vector<unsigned char>(text, text + strlen(text)));
}
