#include "database/sort/AccentFold.h"

unsigned char g_AccentFold[256];

namespace
{
void FoldRange(int first, int last, char to)
{
    for (int c = first; c <= last; ++c)
        g_AccentFold[c] = static_cast<unsigned char>(to);
}
} // namespace

void BuildAccentFoldTable()
{
    for (int c = 0; c < 256; ++c)
        g_AccentFold[c] = static_cast<unsigned char>(c);
    for (int c = 'a'; c <= 'z'; ++c)
        g_AccentFold[c] = static_cast<unsigned char>(c - 'a' + 'A');

    FoldRange(192, 198, 'A'); // À..Æ
    FoldRange(224, 230, 'A'); // à..æ
    FoldRange(199, 199, 'C');
    FoldRange(231, 231, 'C');
    FoldRange(200, 203, 'E');
    FoldRange(232, 235, 'E');
    FoldRange(204, 207, 'I');
    FoldRange(236, 239, 'I');
    FoldRange(209, 209, 'N');
    FoldRange(241, 241, 'N');
    FoldRange(140, 140, 'O'); // Œ
    FoldRange(210, 214, 'O');
    FoldRange(242, 246, 'O');
    FoldRange(138, 138, 'S'); // Š
    FoldRange(217, 220, 'U');
    FoldRange(249, 252, 'U');
    FoldRange(159, 159, 'Y'); // Ÿ
    FoldRange(221, 221, 'Y');
    FoldRange(253, 253, 'Y');
    FoldRange(255, 255, 'Y');
    FoldRange(145, 146, '\'');
    FoldRange(147, 148, '"');
}

namespace
{
// Built before main: a database opened by a program that never called
// BuildAccentFoldTable would otherwise fold every text to nothing and key
// every term, word and sort under the empty text.
const bool g_accentFoldBuilt = (BuildAccentFoldTable(), true);
}
