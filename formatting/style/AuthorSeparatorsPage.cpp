#include "formatting/style/AuthorSeparatorsPage.h"

CAuthorSeparatorsPage::CAuthorSeparatorsPage()
    : CStyleSettingsPage(IDD), twoAuthorSeparator(" and "), authorSeparator(", "),
      lastAuthorSeparator(", and ")
{
}

void CAuthorSeparatorsPage::Serialize(CArchive& ar)
{
    SerializeSettingText(ar, twoAuthorSeparator);
    SerializeSettingText(ar, authorSeparator);
    SerializeSettingText(ar, lastAuthorSeparator);
}
