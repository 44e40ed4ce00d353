// CKeywordFormatPage (dialog 3143 "Keywords"): the text between keywords. See
// StyleSettingsPage.h for the design.
//
// Stored form: styled text keywordSeparator.
#pragma once

#include "database/text/StyledString.h"
#include "formatting/style/StyleSettingsPage.h"

class CKeywordFormatPage : public CStyleSettingsPage
{
public:
    enum
    {
        IDD = 3143,
        kMaxText = 63
    };

    CKeywordFormatPage();
    void Serialize(CArchive& ar) override;

    StyledString keywordSeparator; // "/"
};
