#include "bibliography/setup/InTextCitationSetup.h"

#include "bibliography/setup/SetupArchive.h"
#include "database/text/StyledStringArchive.h"

InTextCitationSetup::InTextCitationSetup()
    : sortedBy(0), reserved(0), leftDelimiter("("), rightDelimiter(")"), citationSeparator(";"),
      useNumberRanges(1), rangeSeparator("-")
{
}

InTextCitationSetup::InTextCitationSetup(const InTextCitationSetup& other) : CObject()
{
    *this = other;
}

InTextCitationSetup& InTextCitationSetup::operator=(const InTextCitationSetup& other)
{
    if (this == &other)
        return *this;
    sortedBy = other.sortedBy;
    reserved = other.reserved;
    leftDelimiter = other.leftDelimiter;
    rightDelimiter = other.rightDelimiter;
    citationSeparator = other.citationSeparator;
    useNumberRanges = other.useNumberRanges;
    rangeSeparator = other.rangeSeparator;
    return *this;
}

InTextCitationSetup::~InTextCitationSetup() {}

void InTextCitationSetup::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        WriteSetupHeader(ar, 0);
        WriteSetupInt(ar, sortedBy);
        WriteSetupInt(ar, reserved);
        WriteStyledString(ar, leftDelimiter);
        WriteStyledString(ar, rightDelimiter);
        WriteStyledString(ar, citationSeparator);
        WriteSetupInt(ar, useNumberRanges);
        WriteStyledString(ar, rangeSeparator);
        return;
    }
    ReadSetupHeader(ar);
    sortedBy = ReadSetupInt(ar);
    reserved = ReadSetupInt(ar);
    ReadStyledString(ar, leftDelimiter);
    ReadStyledString(ar, rightDelimiter);
    ReadStyledString(ar, citationSeparator);
    useNumberRanges = ReadSetupInt(ar);
    ReadStyledString(ar, rangeSeparator);
}
