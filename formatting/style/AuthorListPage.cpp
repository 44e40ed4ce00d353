#include "formatting/style/AuthorListPage.h"

namespace {
const char kAbbreviation[] = " and others";
const char kAnonymous[] = "Anon.";
const char kRepeatedAuthors[] = "-----";

// The abbreviation settings every author list page stores alike.
void SerializeAbbreviation(CArchive& ar, BOOL& list, UINT& count, UINT& threshold, StyledString& text)
{
    SerializeSettingByte(ar, list);
    SerializeSettingCount(ar, count);
    SerializeSettingCount(ar, threshold);
    SerializeSettingText(ar, text);
}

void SerializeChoiceAndText(CArchive& ar, int& choice, StyledString& text)
{
    SerializeSettingByte(ar, choice);
    SerializeSettingText(ar, text);
}
} // namespace

CAuthorListPage::CAuthorListPage()
    : CStyleSettingsPage(IDD), abbreviateList(FALSE), abbreviateCount(1), abbreviateThreshold(4),
      abbreviationText(kAbbreviation), emptyAuthorAction(kEmptyAuthorNoSubstitution),
      emptyAuthorText(kAnonymous), repeatedAuthorAction(kRepeatedAuthorPrintList),
      repeatedAuthorText(kRepeatedAuthors)
{
}

// Layout: see AuthorListPage.h.
void CAuthorListPage::Serialize(CArchive& ar)
{
    SerializeAbbreviation(ar, abbreviateList, abbreviateCount, abbreviateThreshold, abbreviationText);
    SerializeChoiceAndText(ar, emptyAuthorAction, emptyAuthorText);
    SerializeChoiceAndText(ar, repeatedAuthorAction, repeatedAuthorText);
}

CIntextAuthorListPage::CIntextAuthorListPage()
    : CStyleSettingsPage(IDD), abbreviateList(FALSE), abbreviateThreshold(4), abbreviateCount(1),
      abbreviationText(kAbbreviation), emptyAuthorAction(kEmptyAuthorNoSubstitution),
      emptyAuthorText(kAnonymous)
{
}

void CIntextAuthorListPage::Serialize(CArchive& ar)
{
    SerializeAbbreviation(ar, abbreviateList, abbreviateCount, abbreviateThreshold, abbreviationText);
    SerializeChoiceAndText(ar, emptyAuthorAction, emptyAuthorText);
}

CLegacyIntextAuthorListPage::CLegacyIntextAuthorListPage()
    : CStyleSettingsPage(CIntextAuthorListPage::IDD), abbreviateList(FALSE), abbreviateThreshold(4),
      abbreviateCount(1), abbreviationText(kAbbreviation), abbreviateListSubsequent(FALSE),
      abbreviateThresholdSubsequent(4), abbreviateCountSubsequent(1),
      abbreviationTextSubsequent(kAbbreviation), emptyAuthorAction(kEmptyAuthorNoSubstitution),
      emptyAuthorText(kAnonymous)
{
}

void CLegacyIntextAuthorListPage::Serialize(CArchive& ar)
{
    SerializeAbbreviation(ar, abbreviateList, abbreviateCount, abbreviateThreshold, abbreviationText);
    SerializeAbbreviation(ar, abbreviateListSubsequent, abbreviateCountSubsequent,
                          abbreviateThresholdSubsequent, abbreviationTextSubsequent);
    SerializeChoiceAndText(ar, emptyAuthorAction, emptyAuthorText);
}
