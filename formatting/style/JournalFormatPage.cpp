#include "formatting/style/JournalFormatPage.h"

#include "formatting/style/StyleFormatVersion.h"
#include "formatting/style/TitleFormatPage.h"

CJournalFormatPage::CJournalFormatPage() : CStyleSettingsPage(IDD), titleCase(kTitleUnchanged) {}

// Layout: see JournalFormatPage.h.
void CJournalFormatPage::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        SerializeSettingByte(ar, titleCase);
        ar << CString();
        return;
    }
    if (GetStyleVersion(ar) < kStyleVersionTitlePages) {
        int skipped = 0;
        SerializeSettingByte(ar, skipped);
    }
    SerializeSettingByte(ar, titleCase);
    CString dropped;
    ar >> dropped;
}
