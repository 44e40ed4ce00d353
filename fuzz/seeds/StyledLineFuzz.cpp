// Seeds: line and fragment lists as the project stores them.
#include "FuzzSeeds.h"

#include "bibliography/output/StyledLineList.h"

#include <string.h>

namespace {
StyledFragment Fragment(int left, const char* text, WORD style)
{
    StyledFragment f;
    f.rect.SetRect(left, 1440, left + 600, 1680);
    f.baseline = 1630;
    f.text.AppendStyled(text, static_cast<int>(strlen(text)), StyleRun(style, 12, "Times New Roman", 0));
    return f;
}

StyledLine Line()
{
    StyledLine line;
    line.fragments.AddTail(Fragment(1800, "1.", 0));
    line.fragments.AddTail(Fragment(2520, "Smith J", kStyleBold));
    line.current = Fragment(4000, "x", kStyleSuperscript);
    line.penX = 4100;
    line.penY = 1440;
    line.lineRect.SetRect(1800, 1440, 10440, 1680);
    line.tabCount = 2;
    line.tabPositions[0] = 2520;
    line.tabKinds[1] = 3;
    line.endKind = StyledLine::kParagraphEnd;
    return line;
}
} // namespace

void WriteSeeds(FuzzSeeds& seeds)
{
    seeds.AddStored("lines", [](CArchive& ar) {
        ar << BYTE(0);
        StyledLineList lines;
        lines.AddTail(Line());
        lines.AddTail(StyledLine());
        lines.Serialize(ar);
    });
    seeds.AddStored("fragments", [](CArchive& ar) {
        ar << BYTE(1);
        StyledFragmentList fragments;
        fragments.AddTail(Fragment(0, "plain", 0));
        fragments.AddTail(Fragment(600, "\xE9t\xE9", kStyleItalic));
        fragments.Serialize(ar);
    });
}
