// BibliographyHeading: the reference list's title, order, numbering and
// paragraph spacing (the Reference List page of a setup, and an output
// style's default heading).
//
// Stored form (all integers little-endian):
//   u16 schema 0, u16 version (written 1)
//   title                     styled string
//   i32 order, i32 ascending, i32 number references, i32 first number
//   prefix, suffix            styled strings
//   i32 alignment, i32 first-line indent, i32 hanging indent,
//   i32 line spacing, i32 space after
//   number label format       one style run (only from version 1 on)
#pragma once

#include "classlib/Object.h"
#include "database/text/StyledString.h"

class BibliographyHeading : public CObject
{
public:
    enum Alignment
    {
        kAlignLeft = 0,
        kAlignRight = 1,
        kAlignNone = 2
    };

    BibliographyHeading();
    BibliographyHeading(const BibliographyHeading& other);
    BibliographyHeading& operator=(const BibliographyHeading& other);
    ~BibliographyHeading() override;

    void Serialize(CArchive& ar) override;

    StyledString title;           // "Reference List"
    int order;                    // reference list order, 0 Record Number .. 7 Custom
    int ascending;                // 1
    int numberReferences;         // 1
    int firstNumber;              // 1
    StyleRun numberLabelFormat;   // length 1, all else 0
    StyledString numberingPrefix; // ""
    StyledString numberingSuffix; // ". "
    int numberAlignment;          // kAlignRight
    int firstLineIndent;          // twips
    int hangingIndent;            // twips
    int lineSpacing;              // 0 single, 1 1.5 lines, 2 double
    int spaceAfter;               // 0 none, 1 single, 2 1.5 lines, 3 double, 4 page break
};
