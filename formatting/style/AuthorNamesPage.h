// CAuthorNamesPage (dialog 3135 "Names"): name order, initials and upper-casing
// of the first author and of all other authors. See StyleSettingsPage.h.
//
// Stored form: six bytes in member order.
#pragma once

#include "formatting/style/StyleSettingsPage.h"

// The name orders of lists 2309 and 2311, in list order.
enum AuthorNameOrder
{
    kNameFirstMiddleLast = 0, // "First Middle Last"
    kNameLastCommaFirst = 1,  // "Last, First Middle"
    kNameLastFirst = 2,       // "Last First Middle"
    kNameLastOnly = 3         // "Last"
};

// The forms of first and middle names of lists 2310 and 2312, in list order.
enum AuthorInitials
{
    kInitialsFullNames = 0,    // "First Middle"
    kInitialsFirstFull = 1,    // "First M."
    kInitialsDottedSpaced = 2, // "F. M. "
    kInitialsDotted = 3,       // "F.M."
    kInitialsSpaced = 4,       // "F M"
    kInitialsPlain = 5         // "FM"
};

// The upper-casing radio groups, buttons in order.
enum AuthorUppercasing
{
    kUppercaseNone = 0,
    kUppercaseLastName = 1,
    kUppercaseWholeName = 2
};

class CAuthorNamesPage : public CStyleSettingsPage
{
public:
    enum
    {
        IDD = 3135
    };

    CAuthorNamesPage();
    void Serialize(CArchive& ar) override;

    int firstNameOrder;   // AuthorNameOrder, 1
    int firstInitials;    // AuthorInitials, 0
    int firstUppercasing; // AuthorUppercasing, 0
    int otherNameOrder;   // 1
    int otherInitials;    // 0
    int otherUppercasing; // 0
};
