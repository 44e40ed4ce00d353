#include "formatting/style/DateFormatPage.h"

CDateFormatPage::CDateFormatPage()
    : CStyleSettingsPage(IDD), dateFormatting(TRUE), firstPart(kDatePartYear), firstSeparator("/"),
      secondPart(kDatePartNone), secondSeparator("/"), thirdPart(kDatePartNone), monthFormat(kMonthNumeric),
      dayFormat(kDayNumeric), yearFormat(kYearTwoDigits), padWithZeros(FALSE), captionId(0)
{
}

// Layout: see DateFormatPage.h.
void CDateFormatPage::Serialize(CArchive& ar)
{
    SerializeSettingByte(ar, dateFormatting);
    SerializeSettingByte(ar, firstPart);
    SerializeSettingText(ar, firstSeparator);
    SerializeSettingByte(ar, secondPart);
    SerializeSettingText(ar, secondSeparator);
    SerializeSettingByte(ar, thirdPart);
    SerializeSettingByte(ar, monthFormat);
    SerializeSettingByte(ar, dayFormat);
    SerializeSettingByte(ar, yearFormat);
    SerializeSettingByte(ar, padWithZeros);
}
