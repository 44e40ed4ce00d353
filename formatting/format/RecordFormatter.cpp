#include "formatting/format/RecordFormatter.h"

#include "bibliography/core/StyledTextWriter.h"
#include "classlib/Exceptions.h"
#include "database/db/DBRecord.h"
#include "database/text/AuthorList.h"
#include "database/text/StyledTextSink.h"
#include "formatting/format/FormattedRecord.h"
#include "formatting/style/OutputStyleDoc.h"
#include "formatting/style/StyleFormatLookup.h"

#include <memory>

RecordFormatter::RecordFormatter(COutputStyleDoc* style, CListFile* journalList_, int32_t firstNumber)
    : formatsBegun(FALSE)
{
    styleDocument = style;
    journalList = journalList_;
    startNumber = static_cast<DWORD>(firstNumber);
    currentNumber = firstNumber;
    if (styleDocument != nullptr)
        styleDocument->AddRef();
}

RecordFormatter::~RecordFormatter()
{
    if (styleDocument != nullptr)
        styleDocument->Release();
}

void RecordFormatter::SetWriter(StyledTextWriter* writer_)
{
    writer = writer_;
}

void RecordFormatter::BeginOutput(const char* stylePath)
{
    if (formatsBegun)
        return;
    if (writer == nullptr)
        AfxThrowNotSupportedException();
    formatsBegun = TRUE;
    delete sink;
    sink = nullptr;
    sink = new StyledTextSink(writer);
    // The document's header is written with a left-aligned paragraph.
    writer->paragraphFormat.alignment = 0;
    if (setup.fields.alternateText) {
        alternateTextLoaded = TRUE;
        LoadAlternateText(stylePath != nullptr ? stylePath : "", alternateText);
    }
    writer->WriteHeader();
    writer->paragraphFormat = writer->pageLayout.defaultParagraphFormat;
    writer->BeginBody();
}

void RecordFormatter::FormatRecord(const DBRecord& record)
{
    if (sink == nullptr)
        AfxThrowNotSupportedException();
    atEntryStart = TRUE;
    const WORD id = BibliographyFormatWorkform(*styleDocument, static_cast<WORD>(record.GetWorkformId()));
    std::unique_ptr<CFormattedRecord> elements(
        bibliographyFormats.BuildFormattedRecord(*styleDocument, record, id));
    writer->paragraphFormat.spaceAfter = 0;
    elements->Write(*this, record);
    const int spaceAfter = writer->pageLayout.defaultParagraphFormat.spaceAfter;
    writer->paragraphFormat.spaceAfter = spaceAfter;
    writer->WriteChar('\r');
    if (spaceAfter == kPageBreakSpaceAfter)
        writer->WriteChar('\f');
}

void RecordFormatter::StartNewList(BOOL restart)
{
    if (restart)
        currentNumber = static_cast<int32_t>(startNumber);
    delete previousAuthors;
    previousAuthors = nullptr;
    atEntryStart = TRUE;
}

void RecordFormatter::EndOutput()
{
    delete previousAuthors;
    previousAuthors = nullptr;
    alternateText.RemoveAll();
    if (writer == nullptr)
        return;
    writer->EndBody();
    writer->WriteTrailer();
}
