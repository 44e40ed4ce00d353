// Seeds: masks with literals and every mask character, prompts, typing, pastes, deletions and
// selections.
#include "FuzzSeeds.h"

#include <string>

namespace {

std::vector<unsigned char> Script(const std::string& mask, const std::string& prompt, const std::string& steps)
{
    std::vector<unsigned char> bytes;
    bytes.push_back(static_cast<unsigned char>(mask.size()));
    bytes.insert(bytes.end(), mask.begin(), mask.end());
    bytes.push_back(static_cast<unsigned char>(prompt.size()));
    bytes.insert(bytes.end(), prompt.begin(), prompt.end());
    bytes.insert(bytes.end(), steps.begin(), steps.end());
    return bytes;
}

} // namespace

void WriteSeeds(FuzzSeeds& seeds)
{
    seeds.Add("date", Script("NN/NN/NNNN", "__/__/____", "12252003\xF3\x03\x08\x08\xF1"));
    seeds.Add("letters", Script("LLLllBBbbAAaa", "", "abc1dE!fg hIJk\xF4\x01\x05\xF2\xF0\x03xyz"));
    seeds.Add("phone", Script("(nnn) nnn-nnnn", "(___) ___-____", "5551234567\xF3\x06\x08\xF5\xF8"));
    seeds.Add("runs", Script("aaaaNNNN.nn", "", "ab12\xF3\x01Z\xF3\x05\xF1\xF6\x04" "abcd1234.5Q"));
    seeds.Add("paste", Script(std::string(120, 'a'), std::string(120, '_'),
                              std::string("\xF0\x50") + std::string(160, 'p') + "\xF4\x01\x30\xF8\xF7\x20\x08"));
}
