#include "formatting/style/PageNumberFormatPage.h"

CPageNumberFormatPage::CPageNumberFormatPage() : CStyleSettingsPage(IDD), rangeFormat(kRangeFull) {}

void CPageNumberFormatPage::Serialize(CArchive& ar)
{
    SerializeSettingText(ar, pagePrecedingText);
    SerializeSettingText(ar, pageFollowingText);
    SerializeSettingText(ar, rangePrecedingText);
    SerializeSettingText(ar, rangeFollowingText);
    SerializeSettingByte(ar, rangeFormat);
}
