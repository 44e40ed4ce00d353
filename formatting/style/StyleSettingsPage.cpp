#include "formatting/style/StyleSettingsPage.h"

#include "database/text/StyledStringArchive.h"

void SerializeSettingByte(CArchive& ar, int& value)
{
    if (ar.IsStoring()) {
        ar << static_cast<BYTE>(value & 0xFF);
        return;
    }
    BYTE b = 0;
    ar >> b;
    value = b;
}

void SerializeSettingCount(CArchive& ar, UINT& value)
{
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(value & 0xFFFF);
        return;
    }
    WORD w = 0;
    ar >> w;
    value = w;
}

void SerializeSettingText(CArchive& ar, StyledString& text)
{
    if (ar.IsStoring())
        WriteStyledString(ar, text);
    else
        ReadStyledString(ar, text);
}
