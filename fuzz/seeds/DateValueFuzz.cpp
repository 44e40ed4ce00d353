// Seeds: date texts of every form the reader knows.
#include "FuzzSeeds.h"

#include <string.h>

#include <string>

void WriteSeeds(FuzzSeeds& seeds)
{
    const char* dates[] = {"12 May 1990",     "May 12, 1990",      "5/12/90",        "901205",
                           "1990-1991",       "1990-",             "May 15 - 20, 1990", "Dec 1990 - Jan",
                           "Winter 1990-91",  "Fall - Winter 1990", "199?",          "c1850?",
                           "circa1850",       "100 BC",            "44 B.C.",        "AD 50",
                           "1990a",           "12th May 1990",     "III 1990",       "In Press",
                           "5 - 6 May 1990",  "1 - 2 - 3 - 4 - 5 - 6", "1990/1991/1992 A", " 1990"};
    int n = 0;
    for (const char* date : dates)
        seeds.Add("date" + std::to_string(n++), std::vector<unsigned char>(date, date + strlen(date)));
}
