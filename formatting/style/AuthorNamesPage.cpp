#include "formatting/style/AuthorNamesPage.h"

CAuthorNamesPage::CAuthorNamesPage()
    : CStyleSettingsPage(IDD), firstNameOrder(kNameLastCommaFirst), firstInitials(kInitialsFullNames),
      firstUppercasing(kUppercaseNone), otherNameOrder(kNameLastCommaFirst),
      otherInitials(kInitialsFullNames), otherUppercasing(kUppercaseNone)
{
}

void CAuthorNamesPage::Serialize(CArchive& ar)
{
    SerializeSettingByte(ar, firstNameOrder);
    SerializeSettingByte(ar, firstInitials);
    SerializeSettingByte(ar, firstUppercasing);
    SerializeSettingByte(ar, otherNameOrder);
    SerializeSettingByte(ar, otherInitials);
    SerializeSettingByte(ar, otherUppercasing);
}
