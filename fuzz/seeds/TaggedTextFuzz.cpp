// Seeds: RIS and MEDLINE records for each shipped configuration, with
// continuation lines, a byte-order mark and each kind of line end.
#include "FuzzSeeds.h"

#include <string>

namespace {

std::vector<unsigned char> Seed(unsigned char config, const std::string& text)
{
    std::vector<unsigned char> bytes(1, config);
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

const char kRis[] =
    "TY  - JOUR\r\nID  - 12\r\nAU  - Smith, J.\r\nAU  - Lee, K.\r\nTI  - A title\r\nthat runs on\r\n"
    "JO  - Journal\r\nPY  - 1999\r\nKW  - a\r\nKW  - b\r\nER  - \r\n\r\nTY  - CHAP\nTI  - Two\nER  -\n";
const char kMedline[] = "PMID- 101\nTI  - A title that runs\n      on to a second line\nAU  - Smith J\n"
                        "AU  - van der Berg JH\nPT  - Journal Article\nMH  - Humans\nDP  - 2001 Mar\n\n"
                        "PMID- 102\r\nTI  - Caf\xC3\xA9\r\n\r\n";

} // namespace

void WriteSeeds(FuzzSeeds& seeds)
{
    seeds.Add("ris", Seed(0, kRis));
    seeds.Add("ris-bom", Seed(0, std::string("\xEF\xBB\xBF") + kRis));
    seeds.Add("medline", Seed(1, kMedline));
    seeds.Add("pubmed", Seed(2, kMedline));
    seeds.Add("ris-cr", Seed(0, "TY  - BOOK\rTI  - x\rER  - \r"));
}
