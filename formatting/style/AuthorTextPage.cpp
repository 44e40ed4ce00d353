#include "formatting/style/AuthorTextPage.h"

CAuthorTextPage::CAuthorTextPage() : CStyleSettingsPage(IDD) {}

void CAuthorTextPage::Serialize(CArchive& ar)
{
    SerializeSettingText(ar, singleAuthorPreceding);
    SerializeSettingText(ar, singleAuthorFollowing);
    SerializeSettingText(ar, multipleAuthorPreceding);
    SerializeSettingText(ar, multipleAuthorFollowing);
}
