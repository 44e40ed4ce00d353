#include "bibliography/output/StyledFragment.h"

#include "classlib/Archive.h"
#include "database/text/StyledStringArchive.h"

StyledFragment::StyledFragment() : rect(0, 0, 0, 0), baseline(0), alignment(0) {}

StyledFragment::StyledFragment(const StyledFragment& other)
    : CObject(), rect(other.rect), baseline(other.baseline), alignment(other.alignment), text(other.text)
{
}

StyledFragment& StyledFragment::operator=(const StyledFragment& other)
{
    if (this != &other) {
        text = other.text; // may throw: nothing else changed yet
        rect = other.rect;
        baseline = other.baseline;
        alignment = other.alignment;
    }
    return *this;
}

void StyledFragment::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<int>(rect.left) << static_cast<int>(rect.top) << static_cast<int>(rect.right)
           << static_cast<int>(rect.bottom) << baseline << alignment;
        WriteStyledString(ar, text);
        return;
    }
    int left = 0, top = 0, right = 0, bottom = 0;
    ar >> left >> top >> right >> bottom >> baseline >> alignment;
    rect.SetRect(left, top, right, bottom);
    ReadStyledString(ar, text);
}
