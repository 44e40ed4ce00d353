// RecordFormatter: the one road from a record to a formatted reference-list
// entry. Clients make a writer, construct the formatter over the output
// style, copy the setup into it (ApplySetupToFormatter), SetWriter,
// BeginOutput, FormatRecord for each record in list order, EndOutput, and
// destroy it.
//
// Each record is written with the bibliography format of its workform, or of
// 0xFFFF when the style has none for it; formats are loaded and parsed once
// per workform for the life of the formatter, element lists are built anew
// for every record. Each entry ends with a paragraph mark that takes the
// writer's default space after (marks inside the entry get none), and with a
// page break as well when that space after is 4 ("Page Break").
//
// A formatter serves one output run: only the first BeginOutput acts, and
// EndOutput may be followed only by destruction. It holds a reference on the
// style document; the journal list and the writer are borrowed and must
// outlive it.
#pragma once

#include "formatting/format/BibliographyFormatMap.h"
#include "formatting/format/FormatContext.h"

class RecordFormatter : public FormatContext
{
public:
    enum
    {
        kPageBreakSpaceAfter = 4
    };

    // style must not be null; journalList may be.
    RecordFormatter(COutputStyleDoc* style, CListFile* journalList, int32_t firstNumber);
    ~RecordFormatter() override;

    void SetWriter(StyledTextWriter* writer);
    // Makes the sink over the writer (which must be set), loads the
    // alternate text for the path when the setup asks for it, and starts the
    // writer's document. Later calls do nothing.
    void BeginOutput(const char* stylePath);
    // Writes one entry; BeginOutput must have run.
    void FormatRecord(const DBRecord& record);
    // Forgets the previous entry's authors; with restart, numbering starts
    // again at the first number.
    void StartNewList(BOOL restart);
    // Ends the writer's body and document.
    void EndOutput();

    DWORD formatsBegun;
    BibliographyFormatMap bibliographyFormats;
};
