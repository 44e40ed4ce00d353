// ParagraphFormat: indents, alignment, spacing and tab stops of the paragraph
// being written. Lengths are twips; the first-line indent is relative to the
// left indent. Invariant: 0 <= tabCount <= kMaxTabs; only the first tabCount
// stops are meaningful.
#pragma once

#include "classlib/Types.h"

struct TabStop
{
    enum Kind
    {
        kLeft = 0,
        kCentre = 1,
        kRight = 2,
        kDecimal = 3
    };

    int position; // twips from the left of the content area
    int kind;

    TabStop() : position(0), kind(kLeft) {}
    TabStop(int position_, int kind_) : position(position_), kind(kind_) {}
};

struct ParagraphFormat
{
    enum
    {
        kMaxTabs = 20
    };

    int leftIndent;
    int rightIndent;
    int firstLineIndent;
    int alignment;   // 0 left, 1 centre, 2 right, 3 justified
    int lineSpacing; // 0 single, 1 one and a half, 2 double
    int spaceAfter;  // 0..3 blank lines; negative ends the page in paged output
    int tabCount;
    TabStop tabs[kMaxTabs];

    // All values 0, no tab stops.
    ParagraphFormat();
    ParagraphFormat(const ParagraphFormat& other) = default;
    ParagraphFormat& operator=(const ParagraphFormat& other);

    // Any of the six values differs, or one of this format's first tabCount
    // stops differs from the other's stop at the same index; the counts
    // themselves are not compared.
    BOOL Differs(const ParagraphFormat& other) const;
    // Ignored when kMaxTabs stops are held.
    void AddTabStop(const TabStop& stop);
};
