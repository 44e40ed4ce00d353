#include "database/text/MacintoshRuns.h"

#include "database/text/RunFontQueries.h"

#define A_(c) {kMacToAnsi, c}
#define M_(c) {kMacKeep, c}
#define S_(c) {kMacToSymbol, c}
#define ASCII_ROW(r)                                                                               \
    A_(r + 0x0), A_(r + 0x1), A_(r + 0x2), A_(r + 0x3), A_(r + 0x4), A_(r + 0x5), A_(r + 0x6),     \
        A_(r + 0x7), A_(r + 0x8), A_(r + 0x9), A_(r + 0xA), A_(r + 0xB), A_(r + 0xC),              \
        A_(r + 0xD), A_(r + 0xE), A_(r + 0xF)

const MacCharMapping MacRomanToWindowsTable[256] = {
    ASCII_ROW(0x00), ASCII_ROW(0x10), ASCII_ROW(0x20), ASCII_ROW(0x30),
    ASCII_ROW(0x40), ASCII_ROW(0x50), ASCII_ROW(0x60), ASCII_ROW(0x70),
    // 0x80
    A_(0xC4), A_(0xC5), A_(0xC7), A_(0xC9), A_(0xD1), A_(0xD6), A_(0xDC), A_(0xE1),
    A_(0xE0), A_(0xE2), A_(0xE4), A_(0xE3), A_(0xE5), A_(0xE7), A_(0xE9), A_(0xE8),
    // 0x90
    A_(0xEA), A_(0xEB), A_(0xED), A_(0xEC), A_(0xEE), A_(0xEF), A_(0xF1), A_(0xF3),
    A_(0xF2), A_(0xF4), A_(0xF6), A_(0xF5), A_(0xFA), A_(0xF9), A_(0xFB), A_(0xFC),
    // 0xA0
    A_(0x86), A_(0xB0), A_(0xA2), A_(0xA3), A_(0xA7), A_(0x95), A_(0xB6), A_(0xDF),
    A_(0xAE), A_(0xA9), A_(0x99), A_(0xB4), A_(0xA8), S_(0xB9), A_(0xC6), A_(0xD8),
    // 0xB0
    S_(0xA5), A_(0xB1), S_(0xA3), S_(0xB3), A_(0xA5), A_(0xB5), S_(0xB6), S_(0xE5),
    S_(0xD5), S_(0x70), S_(0xF2), A_(0xAA), A_(0xBA), S_(0x57), A_(0xE6), A_(0xF8),
    // 0xC0
    A_(0xBF), A_(0xA1), A_(0xAC), S_(0xD6), A_(0x83), S_(0xBB), S_(0x44), A_(0xAB),
    A_(0xBB), A_(0x85), A_(0xA0), A_(0xC0), A_(0xC3), A_(0xD5), A_(0x8C), A_(0x9C),
    // 0xD0
    A_(0x96), A_(0x97), A_(0x93), A_(0x94), A_(0x91), A_(0x92), A_(0xF7), S_(0xE0),
    A_(0xFF), A_(0x9F), M_(0xDA), A_(0xA4), A_(0x8B), A_(0x9B), M_(0xDE), M_(0xDF),
    // 0xE0
    A_(0x87), A_(0xB7), A_(0x82), A_(0x84), A_(0x89), A_(0xC2), A_(0xCA), A_(0xC1),
    A_(0xCB), A_(0xC8), A_(0xCD), A_(0xCE), A_(0xCF), A_(0xCC), A_(0xD3), A_(0xD4),
    // 0xF0
    M_(0xF0), A_(0xD2), A_(0xDA), A_(0xDB), A_(0xD9), M_(0xF5), A_(0x88), A_(0x98),
    A_(0xAF), M_(0xF9), M_(0xFA), M_(0xFB), A_(0xB8), M_(0xFD), M_(0xFE), M_(0xFF),
};

#undef A_
#undef M_
#undef S_
#undef ASCII_ROW

namespace
{
void ApplyClass(StyleRun& run, BYTE cls)
{
    switch (cls)
    {
    case kMacKeep:
        run.encoding = kEncodingMacintosh;
        run.charSet = 0;
        break;
    case kMacToSymbol:
        run.encoding = kEncodingWindows;
        run.charSet = kCharSetSymbol;
        run.SetFontName("Symbol");
        break;
    default:
        run.encoding = kEncodingWindows;
        run.charSet = kCharSetAnsi;
        break;
    }
}

// Converts the run at `index`, whose text starts at `pos`; returns the
// number of pieces it became.
int ConvertRun(StyledString& s, int index, int pos, const MacCharMapping* table)
{
    const StyleRun original = s.runs[index];
    const int length = original.length;
    if (length <= 0)
        return 1;
    char* text = s.text.GetBuffer(s.text.GetLength());
    int piece = index;
    int pieceStart = pos;
    BYTE previous = 0;
    for (int j = 0; j < length; ++j)
    {
        const MacCharMapping& m = table[static_cast<BYTE>(text[pos + j])];
        text[pos + j] = static_cast<char>(m.ch);
        if (j == 0)
        {
            ApplyClass(s.runs[piece], m.cls);
        }
        else if (m.cls != previous)
        {
            s.runs[piece].length = pos + j - pieceStart;
            StyleRun next = original;
            next.length = length - j;
            ApplyClass(next, m.cls);
            s.runs.InsertAt(++piece, next);
            pieceStart = pos + j;
        }
        previous = m.cls;
    }
    s.text.ReleaseBuffer(s.text.GetLength());
    return piece - index + 1;
}
} // namespace

void ConvertMacintoshRuns(StyledString& s, BYTE encoding, BYTE charSet, const MacCharMapping* table)
{
    int pos = 0;
    for (int i = 0; i < s.runs.GetSize();)
    {
        StyleRun& run = s.runs[i];
        const int length = run.length;
        int pieces = 1;
        if (run.FontNameIs("Symbol") || run.FontNameIs("Wingdings"))
        {
            run.encoding = kEncodingWindows;
            run.charSet = kCharSetSymbol;
        }
        else if (run.encoding == encoding && run.charSet == charSet)
        {
            if (pos + static_cast<int64_t>(length) > s.text.GetLength())
                return; // runs that do not cover the text are never converted
            pieces = ConvertRun(s, i, pos, table);
        }
        pos += length;
        i += pieces;
    }
}

void NormalizeRunFonts(StyledString& s)
{
    const RunFontQueries& fonts = GetRunFontQueries();
    for (int i = 0; i < s.runs.GetSize(); ++i)
    {
        StyleRun& run = s.runs[i];
        if (run.encoding != kEncodingWindows)
            continue;
        if (run.charSet == kCharSetDefault)
            run.charSet = kCharSetAnsi;
        BYTE found = 0;
        if (run.fontName[0] == '\0' || run.charSet != kCharSetAnsi || fonts.lookupCharSet == nullptr ||
            !fonts.lookupCharSet(run.fontName, found))
            continue;
        run.charSet = found;
        if (found > kCharSetSymbol)
        {
            CString family;
            if (fonts.getFamilyName != nullptr && fonts.getFamilyName(run.fontName, found, family))
                run.SetFontName(family);
            else
                run.SetFontName("");
        }
    }
    ConvertMacintoshRuns(s, kEncodingMacintosh, 0, MacRomanToWindowsTable);
}
