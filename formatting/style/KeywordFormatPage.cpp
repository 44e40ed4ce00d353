#include "formatting/style/KeywordFormatPage.h"

CKeywordFormatPage::CKeywordFormatPage() : CStyleSettingsPage(IDD), keywordSeparator("/") {}

void CKeywordFormatPage::Serialize(CArchive& ar)
{
    SerializeSettingText(ar, keywordSeparator);
}
