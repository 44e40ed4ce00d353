#include "bibliography/output/StyledLine.h"

#include "classlib/Archive.h"
#include "classlib/Exceptions.h"

#include <string.h>

namespace {
void CheckRange(int value, int low, int high)
{
    if (value < low || value > high)
        AfxThrowArchiveException(CArchiveException::badIndex);
}
} // namespace

StyledLine::StyledLine()
    : startKind(kBeginsParagraph), endKind(kNotEnded), penX(-1), penY(-1), rightLimit(-1), bottomLimit(-1),
      lineRect(0, 0, 0, 0), baseline(0), leading(0), spacing(0), tabCount(0), overflow(0), tabIndex(-1),
      xBeforeTab(0)
{
    memset(tabPositions, 0, sizeof tabPositions);
    memset(tabKinds, 0, sizeof tabKinds);
}

StyledLine::StyledLine(const StyledLine& other)
    : CObject(), fragments(other.fragments), current(other.current)
{
    CopyValues(other);
}

StyledLine& StyledLine::operator=(const StyledLine& other)
{
    if (this != &other) {
        fragments = other.fragments;
        current = other.current;
        CopyValues(other);
    }
    return *this;
}

void StyledLine::CopyValues(const StyledLine& other)
{
    startKind = other.startKind;
    endKind = other.endKind;
    penX = other.penX;
    penY = other.penY;
    rightLimit = other.rightLimit;
    bottomLimit = other.bottomLimit;
    lineRect = other.lineRect;
    baseline = other.baseline;
    leading = other.leading;
    spacing = other.spacing;
    tabCount = other.tabCount < 0 ? 0 : (other.tabCount > kMaxTabs ? kMaxTabs : other.tabCount);
    memset(tabPositions, 0, sizeof tabPositions);
    memset(tabKinds, 0, sizeof tabKinds);
    for (int i = 0; i < tabCount; ++i) {
        tabPositions[i] = other.tabPositions[i];
        tabKinds[i] = other.tabKinds[i];
    }
    overflow = other.overflow;
    tabIndex = other.tabIndex;
    xBeforeTab = other.xBeforeTab;
}

void StyledLine::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << startKind << endKind;
        fragments.Serialize(ar);
        ar << penX << penY << rightLimit << bottomLimit;
        current.Serialize(ar);
        ar << static_cast<int>(lineRect.left) << static_cast<int>(lineRect.top)
           << static_cast<int>(lineRect.right) << static_cast<int>(lineRect.bottom);
        ar << baseline << leading << spacing << tabCount;
        for (int i = 0; i < kMaxTabs; ++i)
            ar << tabPositions[i];
        for (int i = 0; i < kMaxTabs; ++i)
            ar << tabKinds[i];
        return;
    }
    ar >> startKind >> endKind;
    CheckRange(startKind, kContinuesParagraph, kBeginsParagraph);
    CheckRange(endKind, kNotEnded, kTab);
    fragments.Serialize(ar);
    ar >> penX >> penY >> rightLimit >> bottomLimit;
    current.Serialize(ar);
    LoadTail(ar);
}

void StyledLine::LoadTail(CArchive& ar)
{
    int left = 0, top = 0, right = 0, bottom = 0;
    ar >> left >> top >> right >> bottom;
    lineRect.SetRect(left, top, right, bottom);
    int count = 0;
    ar >> baseline >> leading >> spacing >> count;
    CheckRange(count, 0, kMaxTabs);
    tabCount = count;
    for (int i = 0; i < kMaxTabs; ++i)
        ar >> tabPositions[i];
    for (int i = 0; i < kMaxTabs; ++i)
        ar >> tabKinds[i];
    for (int i = 0; i < tabCount; ++i)
        CheckRange(tabKinds[i], 0, 3);
}

void StyledLine::ClearFragments()
{
    fragments.RemoveAll();
    overflow = 0;
}

void StyledLine::ShiftBy(int amount)
{
    lineRect.top += amount;
    lineRect.bottom += amount;
    baseline += amount;
    for (POSITION pos = fragments.GetHeadPosition(); pos != nullptr;) {
        StyledFragment& fragment = fragments.GetNextElement(pos);
        fragment.rect.top += amount;
        fragment.rect.bottom += amount;
        fragment.baseline += amount;
    }
}
