// CTitleFormatPage (dialog 3145 "Titles"): the case a title field is written
// in. See StyleSettingsPage.h for the design.
//
// Stored form: u8 titleCase.
#pragma once

#include "formatting/style/StyleSettingsPage.h"

// Title cases: the list's items in order, and one more the formatter knows.
enum TitleCase
{
    kTitleUnchanged = 0,
    kTitleUppercase = 1,
    kTitleLowercase = 2,
    kTitleHeadline = 3,
    kTitleCaseMode4 = 4 // not offered by the list
};

class CTitleFormatPage : public CStyleSettingsPage
{
public:
    enum
    {
        IDD = 3145
    };

    CTitleFormatPage();
    void Serialize(CArchive& ar) override;

    int titleCase;  // TitleCase, 0
    UINT captionId; // not stored: string ID of the page's caption, 0 for none
};
