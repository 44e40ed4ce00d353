#include "formatting/style/TitleFormatPage.h"

CTitleFormatPage::CTitleFormatPage() : CStyleSettingsPage(IDD), titleCase(kTitleUnchanged), captionId(0) {}

void CTitleFormatPage::Serialize(CArchive& ar)
{
    SerializeSettingByte(ar, titleCase);
}
