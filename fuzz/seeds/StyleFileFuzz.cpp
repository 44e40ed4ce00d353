// Seeds: output style files as the program writes them (a new style, one
// with formats for several workforms) and the older bodies it reads.
#include "FuzzSeeds.h"

#include "database/file/DocHeader.h"
#include "formatting/style/BibliographyFormat.h"
#include "formatting/style/CitationFormat.h"
#include "formatting/style/IntextFormat.h"
#include "formatting/style/OutputStyleDoc.h"

namespace {
void StoreStyle(CArchive& ar, COutputStyleDoc& doc)
{
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
}

// An older body: the header of that version, a journal list name, one older
// in-text block, a bibliography store, and the heading from 0x0400 on.
void StoreOlderStyle(CArchive& ar, WORD version)
{
    StoreDocumentHeader(ar, 0xFFFF, 0xFFFF, docTypeOutputStyle, version, "Old", "");
    ar << CString("Medical");
    CitationFormat legacy;
    legacy.templateText = "<\x01\xFF>, <\x01\xFD>";
    legacy.authorFormats[0].listPage.abbreviateListSubsequent = TRUE;
    legacy.Serialize(ar);
    ar << WORD(0);
    if (version >= 0x0400) {
        BibliographyHeading heading;
        heading.Serialize(ar);
    }
}
} // namespace

void WriteSeeds(FuzzSeeds& seeds)
{
    COutputStyleDoc doc;
    doc.m_bAutoDelete = FALSE;
    doc.OnNewDocument();
    seeds.AddStored("new-style", [&](CArchive& ar) { StoreStyle(ar, doc); });

    BibliographyFormat book;
    book.templateText = "<\x01\x07>. <\x01\x09>. \xAB<\x01\x14>\xBB";
    book.AuthorFormatFor(7).namesPage.firstInitials = 3;
    doc.SetBibliographyFormat(1, book);
    IntextFormat first;
    first.templateText = "(<\x01\x01>, <\x01\x14>)";
    doc.SetFirstCitationFormat(0xFFFF, first);
    first.templateText = "<\x01\x01>";
    doc.SetSubsequentCitationFormat(0xFFFF, first);
    doc.SetFirstCitationFormat(21748, first);
    doc.journalListPath = "C:\\Lists\\Medical.ljl";
    doc.GetTitleText() = "Several Workforms";
    seeds.AddStored("several-workforms", [&](CArchive& ar) { StoreStyle(ar, doc); });

    seeds.AddStored("version-0401", [](CArchive& ar) { StoreOlderStyle(ar, 0x0401); });
    seeds.AddStored("version-0300", [](CArchive& ar) { StoreOlderStyle(ar, 0x0300); });
}
