// CAuthorSeparatorsPage (dialog 3136 "Separators"): the texts between the
// authors of a list. See StyleSettingsPage.h for the design.
//
// Stored form: the three styled texts in member order.
#pragma once

#include "database/text/StyledString.h"
#include "formatting/style/StyleSettingsPage.h"

class CAuthorSeparatorsPage : public CStyleSettingsPage
{
public:
    enum
    {
        IDD = 3136,
        kMaxText = 63
    };

    CAuthorSeparatorsPage();
    void Serialize(CArchive& ar) override;

    StyledString twoAuthorSeparator;  // " and ": between exactly two authors
    StyledString authorSeparator;     // ", ": between each author of more than two
    StyledString lastAuthorSeparator; // ", and ": before the last of more than two
};
