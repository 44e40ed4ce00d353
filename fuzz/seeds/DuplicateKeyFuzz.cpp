// Seeds: records under the default rules (author, title, date), with one
// field, with the options, and with eleven long fields.
#include "FuzzSeeds.h"

#include <string>

namespace {

std::vector<unsigned char> Seed(unsigned char options, const std::vector<unsigned char>& codes,
                                const std::vector<std::string>& texts)
{
    std::vector<unsigned char> bytes = {options, static_cast<unsigned char>(codes.size())};
    bytes.insert(bytes.end(), codes.begin(), codes.end());
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i > 0)
            bytes.push_back(0);
        bytes.insert(bytes.end(), texts[i].begin(), texts[i].end());
    }
    return bytes;
}

} // namespace

void WriteSeeds(FuzzSeeds& seeds)
{
    seeds.Add("author-title-date",
              Seed(0, {255, 254, 253},
                   {"Smith, John; =World Health Organization", "The History of Rome", "March 1990"}));
    seeds.Add("options", Seed(3, {255, 253}, {"M\xFCller, A.//de la Cruz, M.", "90"}));
    seeds.Add("call-number", Seed(0, {44}, {"QA76.73 .C15 1990"}));
    std::vector<unsigned char> eleven;
    std::vector<std::string> texts;
    for (int i = 0; i < 11; ++i) {
        eleven.push_back(static_cast<unsigned char>(31 + i));
        texts.push_back(std::string(80, static_cast<char>('a' + i)) + " words and more words");
    }
    seeds.Add("eleven-long", Seed(0, eleven, texts));
}
