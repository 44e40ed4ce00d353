#include "bibliography/core/ParagraphFormat.h"

ParagraphFormat::ParagraphFormat()
    : leftIndent(0), rightIndent(0), firstLineIndent(0), alignment(0), lineSpacing(0), spaceAfter(0),
      tabCount(0)
{
}

ParagraphFormat& ParagraphFormat::operator=(const ParagraphFormat& other)
{
    if (this != &other) {
        leftIndent = other.leftIndent;
        rightIndent = other.rightIndent;
        firstLineIndent = other.firstLineIndent;
        alignment = other.alignment;
        lineSpacing = other.lineSpacing;
        spaceAfter = other.spaceAfter;
        tabCount = other.tabCount;
        for (int i = 0; i < kMaxTabs; ++i)
            tabs[i] = other.tabs[i];
    }
    return *this;
}

BOOL ParagraphFormat::Differs(const ParagraphFormat& other) const
{
    if (leftIndent != other.leftIndent || rightIndent != other.rightIndent ||
        firstLineIndent != other.firstLineIndent || alignment != other.alignment ||
        lineSpacing != other.lineSpacing || spaceAfter != other.spaceAfter)
        return TRUE;
    for (int i = 0; i < tabCount && i < kMaxTabs; ++i) {
        if (tabs[i].position != other.tabs[i].position || tabs[i].kind != other.tabs[i].kind)
            return TRUE;
    }
    return FALSE;
}

void ParagraphFormat::AddTabStop(const TabStop& stop)
{
    if (tabCount < 0 || tabCount >= kMaxTabs)
        return;
    tabs[tabCount++] = stop;
}
