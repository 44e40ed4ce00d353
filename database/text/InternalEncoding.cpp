#include "database/text/InternalEncoding.h"

namespace
{
const BYTE kLeadAnsi = 0x81;
const BYTE kLeadMacRoman = 0x82;
const BYTE kLeadSymbol = 0x83;
const BYTE kLeadUnknown = 0xFF;

struct CharSetLead
{
    BYTE charSet;
    BYTE lead;
};

const CharSetLead kNationalLeads[] = {
    {128, 0x90}, {129, 0x91}, {134, 0x92}, {136, 0x93}, {161, 0x94}, {162, 0x95},
    {177, 0x96}, {178, 0x97}, {186, 0x98}, {204, 0x99}, {222, 0x9A}, {238, 0x9B},
};

BYTE WindowsLead(BYTE charSet)
{
    if (charSet == kCharSetAnsi || charSet == kCharSetDefault)
        return kLeadAnsi;
    if (charSet == kCharSetSymbol)
        return kLeadSymbol;
    for (const CharSetLead& entry : kNationalLeads)
    {
        if (entry.charSet == charSet)
            return entry.lead;
    }
    return kLeadUnknown;
}

BYTE MacintoshLead(BYTE script)
{
    if (script == 0)
        return kLeadMacRoman;
    if (script < 32)
        return static_cast<BYTE>(0xAF + script);
    return kLeadUnknown;
}

// Writes the characters text[from, to) with lead; returns the new write
// position, which stops below size - 2 so a pair always fits.
int EncodeChars(char* out, int size, int w, const char* text, int from, int to, BYTE lead)
{
    for (int r = from; r < to && w < size - 2; ++r)
    {
        const BYTE ch = static_cast<BYTE>(text[r]);
        if (lead == kLeadSymbol || ch >= 0x80)
            out[w++] = static_cast<char>(lead);
        out[w++] = static_cast<char>(ch);
    }
    return w;
}
} // namespace

BYTE GetRunLeadByte(const StyleRun& run)
{
    if (run.FontNameIs("Symbol"))
        return kLeadSymbol;
    switch (run.encoding)
    {
    case kEncodingWindows:
        return WindowsLead(run.charSet);
    case kEncodingMacintosh:
        return MacintoshLead(run.charSet);
    default:
        return kLeadUnknown;
    }
}

char* EncodeStyledText(char* buffer, int size, const StyledString& s)
{
    if (size <= 0)
        return buffer;
    const char* text = s.text.GetString();
    const int length = s.text.GetLength();
    int r = 0;
    int w = 0;
    for (int i = 0; i < s.runs.GetSize() && r < length; ++i)
    {
        const int64_t runEnd = static_cast<int64_t>(r) + (s.runs[i].length > 0 ? s.runs[i].length : 0);
        const int end = runEnd < length ? static_cast<int>(runEnd) : length;
        w = EncodeChars(buffer, size, w, text, r, end, GetRunLeadByte(s.runs[i]));
        r = end;
    }
    w = EncodeChars(buffer, size, w, text, r, length, kLeadAnsi);
    buffer[w < size ? w : size - 1] = '\0';
    return buffer;
}
