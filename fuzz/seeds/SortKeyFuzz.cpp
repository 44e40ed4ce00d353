// Seeds: titles in the stored encoding, as the key builders receive them, in
// Windows, Macintosh, East European, Cyrillic and Symbol-font text.
#include "FuzzSeeds.h"

#include "database/text/InternalEncoding.h"

#include <string.h>

#include <string>

namespace
{
StyledString Run(const char* bytes, BYTE charSet, BYTE encoding = 0, const char* font = nullptr)
{
    StyledString s;
    const int length = static_cast<int>(strlen(bytes));
    s.AppendStyled(bytes, length, StyleRun(0, 0, font, length, charSet, encoding));
    return s;
}

std::vector<unsigned char> Seed(unsigned char size, const StyledString& text)
{
    char encoded[256];
    EncodeStyledText(encoded, sizeof encoded, text);
    std::vector<unsigned char> bytes(1, size);
    bytes.insert(bytes.end(), encoded, encoded + strlen(encoded));
    return bytes;
}
} // namespace

void WriteSeeds(FuzzSeeds& seeds)
{
    StyledString mixed = Run("Smith\x01R\xE9sum\xE9 ", 0);
    mixed += Run("\xE8" "esk\xFD ", 238);
    mixed += Run("\xA8\xEB\xEA\xE0 ", 204);
    mixed += Run("\xDE" "le \xB7", 0, 1);
    mixed += Run("ab", 2, 0, "Symbol");
    seeds.Add("mixed", Seed(123, mixed));
    seeds.Add("mixed-cut", Seed(9, mixed));
    seeds.Add("digraphs", Seed(40, Run("Chico llama CHLL cH lL \xC6\xDF\x9C", 0)));
    seeds.Add("french", Seed(6, Run("c\xF4t\xE9 cote C\xD4TE", 0)));
    seeds.Add("greek", Seed(20, Run("\xE1\xE2\xE3", 161)));
}
