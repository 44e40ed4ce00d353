// Seeds: styled strings and an array of them as the project writes them.
#include "FuzzSeeds.h"

#include "database/text/StyledStringArchive.h"
#include "database/text/StyledStringArray.h"

namespace
{
StyledString Mixed()
{
    StyledString s;
    s.AppendStyled("Title ", 6, StyleRun(kStyleBold, 12, "Times New Roman", 6));
    s.AppendStyled("x", 1, StyleRun(kStyleSuperscript, 0, nullptr, 1));
    s.AppendStyled("\xD0\xC1", 2, StyleRun(0, 0, "Arial", 2, 204));
    s.AppendStyled("abc", 3, StyleRun(0, 0, "Symbol", 3, 2));
    return s;
}
} // namespace

void WriteSeeds(FuzzSeeds& seeds)
{
    const StyledString plain("plain text");
    const StyledString mixed = Mixed();
    seeds.AddStored("plain", [&](CArchive& ar) {
        ar << BYTE(0);
        WriteStyledString(ar, plain);
        WriteStyleRuns(ar, plain.runs);
    });
    seeds.AddStored("mixed", [&](CArchive& ar) {
        ar << BYTE(0);
        WriteStyledString(ar, mixed);
        WriteStyleRuns(ar, mixed.runs);
    });
    seeds.AddStored("array", [&](CArchive& ar) {
        ar << BYTE(1);
        CStyledStringArray strings;
        strings.Add(plain);
        strings.Add(mixed);
        strings.Add(StyledString());
        strings.Serialize(ar);
    });
}
