// Seeds: each shipped configuration, a NUL, then a file of its kind.
#include "FuzzSeeds.h"

#include "TaggedFuzzSupport.h"

#include <cstdio>

namespace {

std::vector<unsigned char> Seed(const char* config, const std::string& text)
{
    std::vector<unsigned char> bytes;
    if (FILE* f = std::fopen(ShippedTaggedConfigPath(config).c_str(), "rb")) {
        int ch;
        while ((ch = std::fgetc(f)) != EOF)
            bytes.push_back((unsigned char)ch);
        std::fclose(f);
    }
    bytes.push_back(0);
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

} // namespace

void WriteSeeds(FuzzSeeds& seeds)
{
    const std::string ris =
        "TY  - JOUR\r\nAU  - Smith, J.\r\nTI  - A\r\nmore\r\nKW  - a\r\nKW  - b\r\nER  - \r\n";
    const std::string medline = "PMID- 1\nAU  - Smith JA\nTI  - T\n      more\nPT  - Book\n\n";
    seeds.Add("ris", Seed("RIS.cfg", ris));
    seeds.Add("medline", Seed("Medline.cfg", medline));
    seeds.Add("pubmed", Seed("Pubmed.cfg", medline));
}
