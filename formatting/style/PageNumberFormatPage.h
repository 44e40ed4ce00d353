// CPageNumberFormatPage (dialog 3144 "Page Numbers"): texts around a single
// page and around a range, and how a range is written. See
// StyleSettingsPage.h for the design.
//
// Stored form: the four styled texts in member order, then u8 rangeFormat.
#pragma once

#include "database/text/StyledString.h"
#include "formatting/style/StyleSettingsPage.h"

// Range formats, the radio buttons in dialog order; each button's label is
// its example.
enum PageRangeFormat
{
    kRangeFull = 0,        // 52-53, 101-104, 200-203, 558-561, 871-879
    kRangeAbbreviated = 1, // 52-3, 101-4, 200-3, 558-61, 871-9
    kRangeChicago = 2,     // 52-53, 101-4, 200-203, 558-61, 871-79
    kRangeMla = 3,         // 52-53, 101-04, 200-03, 558-61, 871-79
    kRangeStartOnly = 4    // 52, 101, 200, 558, 871
};

class CPageNumberFormatPage : public CStyleSettingsPage
{
public:
    enum
    {
        IDD = 3144,
        kMaxText = 63
    };

    CPageNumberFormatPage();
    void Serialize(CArchive& ar) override;

    StyledString pagePrecedingText; // all four empty by default
    StyledString pageFollowingText;
    StyledString rangePrecedingText;
    StyledString rangeFollowingText;
    int rangeFormat; // PageRangeFormat, 0
};
