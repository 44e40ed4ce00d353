// The author list pages: how long author lists are abbreviated and what an
// empty author field becomes; the bibliography page also says what becomes
// of a repeated author list. See StyleSettingsPage.h for the design.
//
// Stored form of both pages (the in-text page simply ends after the empty
// author text):
//   u8  abbreviateList
//   u16 abbreviateCount
//   u16 abbreviateThreshold
//   styled text abbreviationText
//   u8  emptyAuthorAction
//   styled text emptyAuthorText
//   u8  repeatedAuthorAction      (bibliography page only)
//   styled text repeatedAuthorText (bibliography page only)
#pragma once

#include "database/text/StyledString.h"
#include "formatting/style/StyleSettingsPage.h"

// What an empty author field becomes (the radio group's buttons in order).
enum EmptyAuthorAction
{
    kEmptyAuthorNoSubstitution = 0,
    kEmptyAuthorMoveTitle = 1, // the corresponding title moves to the author position
    kEmptyAuthorPrintText = 2  // emptyAuthorText is printed
};

// What a subsequent work by the same authors shows.
enum RepeatedAuthorAction
{
    kRepeatedAuthorPrintList = 0,
    kRepeatedAuthorReplace = 1, // repeatedAuthorText replaces the list
    kRepeatedAuthorSuppress = 2
};

// Dialog 3132 "Author List", of bibliography formats.
class CAuthorListPage : public CStyleSettingsPage
{
public:
    enum
    {
        IDD = 3132,
        kMaxCount = 32768, // both counts, 0 to this
        kMaxText = 255     // characters of each text
    };

    CAuthorListPage();
    void Serialize(CArchive& ar) override;

    BOOL abbreviateList;             // 0
    UINT abbreviateCount;            // 1: authors listed when abbreviated
    UINT abbreviateThreshold;        // 4: author count from which the list is abbreviated
    StyledString abbreviationText;   // " and others"
    int emptyAuthorAction;           // EmptyAuthorAction, 0
    StyledString emptyAuthorText;    // "Anon."
    int repeatedAuthorAction;        // RepeatedAuthorAction, 0
    StyledString repeatedAuthorText; // "-----"
};

// Dialog 3133 "Author List", of in-text formats: no repeated-author group,
// and lower count limits. The counts are declared in the other order but
// stored in the same order as on the bibliography page.
class CIntextAuthorListPage : public CStyleSettingsPage
{
public:
    enum
    {
        IDD = 3133,
        kMaxCount = 32000,
        kMaxText = 255
    };

    CIntextAuthorListPage();
    void Serialize(CArchive& ar) override;

    BOOL abbreviateList;           // 0
    UINT abbreviateThreshold;      // 4
    UINT abbreviateCount;          // 1
    StyledString abbreviationText; // " and others"
    int emptyAuthorAction;         // 0
    StyledString emptyAuthorText;  // "Anon."
};

// The author list page of the in-text format of styles older than version
// 0x0500 (CitationFormat): one abbreviation for first citations and one for
// subsequent ones. Only read (and converted); never shown.
//
// Stored form:
//   u8 abbreviateList, u16 abbreviateCount, u16 abbreviateThreshold,
//   styled text abbreviationText,
//   u8 abbreviateListSubsequent, u16 abbreviateCountSubsequent,
//   u16 abbreviateThresholdSubsequent, styled text abbreviationTextSubsequent,
//   u8 emptyAuthorAction, styled text emptyAuthorText
class CLegacyIntextAuthorListPage : public CStyleSettingsPage
{
public:
    CLegacyIntextAuthorListPage();
    void Serialize(CArchive& ar) override;

    BOOL abbreviateList;                     // 0
    UINT abbreviateThreshold;                // 4
    UINT abbreviateCount;                    // 1
    StyledString abbreviationText;           // " and others"
    BOOL abbreviateListSubsequent;           // 0
    UINT abbreviateThresholdSubsequent;      // 4
    UINT abbreviateCountSubsequent;          // 1
    StyledString abbreviationTextSubsequent; // " and others"
    int emptyAuthorAction;                   // 0
    StyledString emptyAuthorText;            // "Anon."
};
