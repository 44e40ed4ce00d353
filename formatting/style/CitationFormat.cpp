#include "formatting/style/CitationFormat.h"

#include "formatting/style/IntextFormat.h"
#include "formatting/style/StyleFormatVersion.h"

CitationFormat::CitationFormat()
    : leftDelimiter("("), rightDelimiter(")"), citationSeparator(";"), useNumberRanges(TRUE),
      rangeSeparator("-"), sortOrder(0)
{
    SetIntextDefaults(titleFormats, dateFormats);
    for (int i = 0; i < kAuthorFormatCount; ++i)
        authorFormats[i].captionId = IDS_FIRST_AUTHOR_CAPTION + i;
    for (int i = 0; i < kTitleFormatCount; ++i)
        titleFormats[i].captionId = IDS_FIRST_TITLE_CAPTION + i;
    for (int i = 0; i < kDateFormatCount; ++i)
        dateFormats[i].captionId = IDS_FIRST_DATE_CAPTION + i;
}

// Layout: see CitationFormat.h.
void CitationFormat::Serialize(CArchive& ar)
{
    SerializeSettingText(ar, templateText);
    SerializeSettingText(ar, leftDelimiter);
    SerializeSettingText(ar, rightDelimiter);
    SerializeSettingText(ar, citationSeparator);
    SerializeSettingByte(ar, useNumberRanges);
    SerializeSettingText(ar, rangeSeparator);
    if (ar.IsStoring() || GetStyleVersion(ar) > kStyleVersionTitlePages)
        SerializeSettingByte(ar, sortOrder);
    for (CLegacyIntextAuthorFormatSheet& sheet : authorFormats)
        sheet.Serialize(ar);
    SerializeTitlesAndJournal(ar, titleFormats, journalFormat, true);
    SerializeDatesKeywordsPages(ar, dateFormats, keywordFormat, pageFormat);
}
