// CAuthorTextPage (dialog 3137 "Text"): texts before and after the author
// list, for a single author and for several. See StyleSettingsPage.h.
//
// Stored form: the four styled texts in member order.
#pragma once

#include "database/text/StyledString.h"
#include "formatting/style/StyleSettingsPage.h"

class CAuthorTextPage : public CStyleSettingsPage
{
public:
    enum
    {
        IDD = 3137,
        kMaxText = 63
    };

    CAuthorTextPage();
    void Serialize(CArchive& ar) override;

    StyledString singleAuthorPreceding; // all empty by default
    StyledString singleAuthorFollowing;
    StyledString multipleAuthorPreceding;
    StyledString multipleAuthorFollowing;
};
