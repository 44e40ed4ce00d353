#include "bibliography/setup/SubjectLayoutSetup.h"

#include "bibliography/setup/SetupArchive.h"

#include <initializer_list>
#include "database/text/StyledStringArchive.h"

SubjectLayoutSetup::SubjectLayoutSetup()
    : termsAndReferenceList(1), repeatingTerms(0), recyclingNumbers(1), termCounts(0), recordIdList(0),
      recordIdsOnNextLine(0), descending(0), textAfter("\r\r"), termStyle(1), upperCaseTerms(0),
      termCountStyle(0), recordIdStyle(0)
{
}

SubjectLayoutSetup::SubjectLayoutSetup(const SubjectLayoutSetup& other) : CObject()
{
    *this = other;
}

SubjectLayoutSetup& SubjectLayoutSetup::operator=(const SubjectLayoutSetup& other)
{
    if (this == &other)
        return *this;
    termsAndReferenceList = other.termsAndReferenceList;
    repeatingTerms = other.repeatingTerms;
    recyclingNumbers = other.recyclingNumbers;
    termCounts = other.termCounts;
    recordIdList = other.recordIdList;
    recordIdsOnNextLine = other.recordIdsOnNextLine;
    descending = other.descending;
    textBefore = other.textBefore;
    textAfter = other.textAfter;
    termStyle = other.termStyle;
    upperCaseTerms = other.upperCaseTerms;
    termCountStyle = other.termCountStyle;
    recordIdStyle = other.recordIdStyle;
    return *this;
}

SubjectLayoutSetup::~SubjectLayoutSetup() {}

void SubjectLayoutSetup::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        WriteSetupHeader(ar, 0);
        for (int v : {termsAndReferenceList, repeatingTerms, recyclingNumbers, termCounts, recordIdList,
                      recordIdsOnNextLine, descending})
            WriteSetupInt(ar, v);
        WriteStyledString(ar, textBefore);
        WriteStyledString(ar, textAfter);
        ar << static_cast<WORD>(termStyle);
        WriteSetupInt(ar, upperCaseTerms);
        ar << termCountStyle << recordIdStyle;
        return;
    }
    ReadSetupHeader(ar);
    for (int* v : {&termsAndReferenceList, &repeatingTerms, &recyclingNumbers, &termCounts, &recordIdList,
                   &recordIdsOnNextLine, &descending})
        *v = ReadSetupInt(ar);
    ReadStyledString(ar, textBefore);
    ReadStyledString(ar, textAfter);
    WORD style = 0;
    ar >> style;
    termStyle = style;
    upperCaseTerms = ReadSetupInt(ar);
    ar >> termCountStyle >> recordIdStyle;
}
