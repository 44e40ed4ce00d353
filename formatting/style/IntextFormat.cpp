#include "formatting/style/IntextFormat.h"

#include <initializer_list>

IntextFormat::IntextFormat()
{
    SetIntextDefaults(titleFormats, dateFormats);
}

void SetIntextDefaults(CTitleFormatPage (&titles)[kTitleFormatCount],
                       CDateFormatPage (&dates)[kDateFormatCount])
{
    titles[TitleFormatIndex(9)].titleCase = kTitleHeadline;
    for (int field : {20, 21}) {
        CDateFormatPage& date = dates[DateFormatIndex(field)];
        date.dateFormatting = TRUE;
        date.firstPart = kDatePartYear;
        date.secondPart = kDatePartNone;
        date.thirdPart = kDatePartNone;
    }
}

// Layout: see IntextFormat.h.
void IntextFormat::Serialize(CArchive& ar)
{
    SerializeSettingText(ar, templateText);
    for (CIntextAuthorFormatSheet& sheet : authorFormats)
        sheet.Serialize(ar);
    SerializeTitlesAndJournal(ar, titleFormats, journalFormat, false);
    SerializeDatesKeywordsPages(ar, dateFormats, keywordFormat, pageFormat);
}
