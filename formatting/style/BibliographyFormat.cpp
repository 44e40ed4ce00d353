#include "formatting/style/BibliographyFormat.h"

BibliographyFormat::BibliographyFormat() = default;

// Layout: see BibliographyFormat.h.
void BibliographyFormat::Serialize(CArchive& ar)
{
    SerializeSettingText(ar, templateText);
    for (CAuthorFormatSheet& sheet : authorFormats)
        sheet.Serialize(ar);
    SerializeTitlesAndJournal(ar, titleFormats, journalFormat, true);
    SerializeDatesKeywordsPages(ar, dateFormats, keywordFormat, pageFormat);
}
