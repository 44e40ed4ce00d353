// Where the text after a tab starts: the paragraph's stops, its hanging position, or the next
// multiple of the default tab spacing, all relative to the tab base.
#pragma once

#include "richtext/engine/TxLineBreak.h"
#include "richtext/engine/TxStyleInfo.h"

enum
{
    kTxTabLeft = 1,
    kTxTabCentre = 2,
    kTxTabRight = 3,
    kTxTabDecimal = 4,
};

enum : uint32_t
{
    kTxCharDecimal = 0x80000, // class of a decimal point, where a decimal stop aligns
};

struct TxTabRequest
{
    const TxParInfo* par;
    int32_t base;               // the tab base (left tab origin plus the left page margin)
    int32_t x;                  // where the tab begins
    int32_t limit;              // stops at or past it are not used
    bool fixedTabs;             // the document advances every tab by the default spacing
    const TxMeasuredText* text; // the measured text the tab belongs to, for aligned stops
    int32_t after;              // the index just after the tab character
};

// The x where the text after the tab starts; never before x. A table paragraph ignores tabs.
int32_t TxTabEnd(const TxTabRequest& request);
