// StyledFragment: one piece of a laid-out line placed as a unit (the text
// between two tab positions, or a whole line without tabs).
//
// The rectangle and baseline are twips; the rectangle's right edge grows as
// text is appended. The text's runs use the styled string's bits (0x100
// superscript, 0x200 subscript). Copies are deep.
//
// Archive form (no object header, class name or schema; integers 32-bit
// little-endian, written raw):
//   i32 left, i32 top, i32 right, i32 bottom, i32 baseline, i32 alignment,
//   then the text in the styled string's archive form (StyledStringArchive.h).
// A damaged text is refused as the styled string's reader refuses it.
#pragma once

#include "classlib/Object.h"
#include "classlib/Rect.h"
#include "database/text/StyledString.h"

class StyledFragment : public CObject
{
public:
    StyledFragment();
    StyledFragment(const StyledFragment& other);
    StyledFragment& operator=(const StyledFragment& other);

    void Serialize(CArchive& ar) override;

    CRect rect;
    int baseline;
    int alignment; // the paragraph's alignment while the fragment was filled
    StyledString text;
};
