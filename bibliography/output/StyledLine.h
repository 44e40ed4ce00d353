// StyledLine: one laid-out line of a paragraph, or the line being laid out.
//
// Invariants: 0 <= tabCount <= kMaxTabs; only the first tabCount entries of
// the tab table are meaningful (copies take only those and zero the rest).
// Lengths are twips. The overflow flag, tab index and x before tab matter only
// while the line is being filled; starting a line sets them.
//
// Archive form (no object header, class name or schema; every integer 32-bit
// little-endian, written raw), in this order:
//   i32 start kind, i32 end kind, the fragment list (StyledObjectList.h),
//   i32 pen x, i32 pen y, i32 right limit, i32 bottom limit,
//   the current fragment (StyledFragment.h),
//   the line rectangle as i32 left, top, right, bottom,
//   i32 baseline, i32 leading, i32 spacing, i32 tab count,
//   20 x i32 tab positions, 20 x i32 tab kinds.
// Loading refuses what no line can hold (CArchiveException badIndex): a start
// kind other than 1 or 2, an end kind outside 0 to 3, a tab count outside 0 to
// 20, a kind outside 0 to 3 among the used tab stops.
#pragma once

#include "bibliography/output/StyledFragmentList.h"

class StyledLine : public CObject
{
public:
    enum
    {
        kMaxTabs = 20
    };
    enum StartKind
    {
        kContinuesParagraph = 1,
        kBeginsParagraph = 2
    };
    enum EndKind
    {
        kNotEnded = 0,
        kWrapped = 1,      // wrapped, or a line break
        kParagraphEnd = 2, // also a page-break character
        kTab = 3
    };

    StyledLine();
    StyledLine(const StyledLine& other);
    StyledLine& operator=(const StyledLine& other);

    void Serialize(CArchive& ar) override;

    // Empties the fragment list and clears the overflow flag.
    void ClearFragments();
    // Moves the line rectangle, the baseline and every listed fragment's top,
    // bottom and baseline down by amount.
    void ShiftBy(int amount);

    int startKind;
    int endKind;
    StyledFragmentList fragments;
    int penX, penY;
    int rightLimit;  // content right edge minus the right indent
    int bottomLimit; // content bottom
    StyledFragment current;
    CRect lineRect;
    int baseline; // line top plus the largest ascent so far
    int leading;  // largest external leading of the fonts used
    int spacing;  // extra space below the line
    int tabCount;
    int tabPositions[kMaxTabs]; // absolute x
    int tabKinds[kMaxTabs];
    int overflow;   // a font used would reach below the bottom limit
    int tabIndex;   // tab stop the current fragment started at, -1 for none
    int xBeforeTab; // pen x when that tab was taken

private:
    void CopyValues(const StyledLine& other);
    void LoadTail(CArchive& ar);
};
