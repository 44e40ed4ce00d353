#include "bibliography/setup/BibliographyHeading.h"

#include "bibliography/setup/SetupArchive.h"

#include <initializer_list>
#include "database/text/StyledStringArchive.h"

BibliographyHeading::BibliographyHeading()
    : title("Reference List"), order(0), ascending(1), numberReferences(1), firstNumber(1),
      numberingSuffix(". "), numberAlignment(kAlignRight), firstLineIndent(0), hangingIndent(0),
      lineSpacing(0), spaceAfter(1)
{
    numberLabelFormat.length = 1;
}

BibliographyHeading::BibliographyHeading(const BibliographyHeading& other) : CObject()
{
    *this = other;
}

BibliographyHeading& BibliographyHeading::operator=(const BibliographyHeading& other)
{
    if (this == &other)
        return *this;
    title = other.title;
    order = other.order;
    ascending = other.ascending;
    numberReferences = other.numberReferences;
    firstNumber = other.firstNumber;
    numberLabelFormat = other.numberLabelFormat;
    numberingPrefix = other.numberingPrefix;
    numberingSuffix = other.numberingSuffix;
    numberAlignment = other.numberAlignment;
    firstLineIndent = other.firstLineIndent;
    hangingIndent = other.hangingIndent;
    lineSpacing = other.lineSpacing;
    spaceAfter = other.spaceAfter;
    return *this;
}

BibliographyHeading::~BibliographyHeading() {}

void BibliographyHeading::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        WriteSetupHeader(ar, 1);
        WriteStyledString(ar, title);
        for (int v : {order, ascending, numberReferences, firstNumber})
            WriteSetupInt(ar, v);
        WriteStyledString(ar, numberingPrefix);
        WriteStyledString(ar, numberingSuffix);
        for (int v : {numberAlignment, firstLineIndent, hangingIndent, lineSpacing, spaceAfter})
            WriteSetupInt(ar, v);
        WriteStyleRun(ar, numberLabelFormat);
        return;
    }
    const WORD version = ReadSetupHeader(ar);
    ReadStyledString(ar, title);
    for (int* v : {&order, &ascending, &numberReferences, &firstNumber})
        *v = ReadSetupInt(ar);
    ReadStyledString(ar, numberingPrefix);
    ReadStyledString(ar, numberingSuffix);
    for (int* v : {&numberAlignment, &firstLineIndent, &hangingIndent, &lineSpacing, &spaceAfter})
        *v = ReadSetupInt(ar);
    if (version != 0)
        ReadStyleRun(ar, numberLabelFormat);
}
