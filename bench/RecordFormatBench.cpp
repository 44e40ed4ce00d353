// The record formatter over 10,000 generated records of four workforms,
// sorted by author and year: the whole reference list formatted with an
// author-date style and with a numbered style into the text, RTF and HTML
// writers (in memory), then one in-text citation of every record with each
// style. Prints entries per second for each list and citations per second.
#include "bench/support/BenchRecords.h"
#include "bench/support/BenchReport.h"

#include "bibliography/core/HtmlWriter.h"
#include "bibliography/core/TextWriter.h"
#include "bibliography/output/RtfWriter.h"
#include "bibliography/output/StyledStringWriter.h"
#include "classlib/MemFile.h"
#include "classlib/WinApp.h"
#include "database/db/DBRecord.h"
#include "database/text/StyledTextSink.h"
#include "formatting/format/ApplySetupToFormatter.h"
#include "formatting/format/FormattedRecord.h"
#include "formatting/format/RecordFormatter.h"
#include "formatting/format/StyleTemplateMap.h"
#include "formatting/style/BibliographyFormat.h"
#include "formatting/style/IntextFormat.h"
#include "formatting/style/OutputStyleDoc.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kRecords = 10000;
const int kPasses = 3;

std::string Code(int n)
{
    return std::string("<\x01") + static_cast<char>(n) + ">";
}

StyledString Italic(const std::string& text)
{
    StyledString s;
    s.AppendStyled(text.c_str(), static_cast<int>(text.size()), StyleRun(kStyleItalic, 0, nullptr, 0));
    return s;
}

StyledString Plain(const std::string& text)
{
    return StyledString(text.c_str());
}

StyledString operator+(StyledString a, const StyledString& b)
{
    a += b;
    return a;
}

// One format for every workform but 1, which has its own.
void AddFormats(COutputStyleDoc& style, bool numbered)
{
    BibliographyFormat general;
    general.templateText = Plain(Code(0xFE) + "| \xAB(" + Code(0xFA) + ")\xBB|. " + Code(0xFC) + "|. ") +
                           Italic(Code(10)) + Plain("|, " + Code(25) + "|. |Keywords: " + Code(45) + "|.");
    general.AuthorFormatFor(1).listPage.abbreviateList = TRUE;
    general.TitleFormatFor(4).titleCase = 3; // headline
    style.SetBibliographyFormat(COutputStyleDoc::kDefaultWorkform, general);
    BibliographyFormat book;
    book.templateText = Plain(Code(0xFE) + "| \xAB(" + Code(0xFA) + ")\xBB|. ") + Italic(Code(0xFC)) +
                        Plain("|. " + Code(10) + "|.");
    style.SetBibliographyFormat(1, book);
    IntextFormat first;
    first.templateText =
        Plain(numbered ? "[" + Code(0xFB) + "]" : "(" + Code(0xFD) + "|, " + Code(0xFA) + "|)");
    for (CIntextAuthorFormatSheet& sheet : first.authorFormats)
        sheet.namesPage.firstNameOrder = sheet.namesPage.otherNameOrder = 3; // last name only
    style.SetFirstCitationFormat(COutputStyleDoc::kDefaultWorkform, first);
}

struct SortedRecord
{
    std::string key;
    DBRecord* record;
};

// The generated records with their year in the date of publication, sorted
// by their author list and year.
std::vector<SortedRecord> MakeSortedRecords()
{
    std::vector<SortedRecord> records;
    records.reserve(kRecords);
    for (int i = 0; i < kRecords; ++i) {
        DBRecord* record = new DBRecord;
        record->m_bAutoDelete = FALSE;
        FillBenchRecord(*record, i);
        record->SetRecordIdNumber(i + 1);
        record->SetField(record->GetField(12), 20);
        record->SetField(StyledString(), 12);
        char pages[32];
        std::snprintf(pages, sizeof pages, "%d-%d", 100 + i % 300, 110 + i % 300);
        record->SetField(StyledString(pages), 25);
        records.push_back(
            {std::string(record->GetField(1).text) + '\x01' + std::string(record->GetField(20).text),
             record});
    }
    std::stable_sort(records.begin(), records.end(),
                     [](const SortedRecord& a, const SortedRecord& b) { return a.key < b.key; });
    return records;
}

void FontFamilies(RtfFontFamilyArray& families)
{
    families.Add(RtfFontFamily("Times New Roman", 0x12));
    families.Add(RtfFontFamily("Arial", 0x22));
}

StyledFileWriter* MakeWriter(int kind)
{
    switch (kind) {
    case 0:
        return new TextWriter;
    case 1: {
        // A fixed font table: the printer's is read once per document and is not what is measured.
        RtfWriter* rtf = new RtfWriter;
        rtf->fontSource = FontFamilies;
        return rtf;
    }
    default:
        return new HtmlWriter;
    }
}

// Formats the whole list kPasses times; returns the best seconds of a pass.
double FormatList(COutputStyleDoc& style, const BibliographySetup& setup, int kind,
                  const std::vector<SortedRecord>& records, ULONGLONG& bytes)
{
    double best = 1e30;
    for (int pass = 0; pass < kPasses; ++pass) {
        CMemFile file(1 << 20);
        std::unique_ptr<StyledFileWriter> writer(MakeWriter(kind));
        writer->SetOutputFile(&file);
        writer->pageLayout.defaultParagraphFormat.spaceAfter = setup.heading.spaceAfter;
        BenchClock clock;
        RecordFormatter formatter(&style, nullptr, setup.heading.firstNumber);
        ApplySetupToFormatter(formatter, setup);
        formatter.SetWriter(writer.get());
        formatter.BeginOutput("");
        for (const SortedRecord& r : records)
            formatter.FormatRecord(*r.record);
        formatter.EndOutput();
        best = std::min(best, clock.Seconds());
        bytes = file.GetLength();
    }
    return best;
}

double FormatCitations(COutputStyleDoc& style, const std::vector<SortedRecord>& records)
{
    StyledStringWriter writer;
    FormatContext context;
    context.styleDocument = &style;
    context.writer = &writer;
    context.sink = new StyledTextSink(&writer);
    context.suppressNumberLabel = TRUE;
    CStyleTemplateMap templates;
    BenchClock clock;
    int number = 1;
    for (const SortedRecord& r : records) {
        writer.output.Empty();
        context.currentNumber = number++;
        std::unique_ptr<CFormattedRecord> citation(templates.FormatCitation(
            context, *r.record, static_cast<WORD>(r.record->GetWorkformId()), FALSE, FALSE));
        citation->Write(context, *r.record);
    }
    return clock.Seconds();
}

void Run()
{
    CWinApp app("Lorvane5 Bench");
    std::vector<SortedRecord> records = MakeSortedRecords();
    static const char* const kWriters[] = {"text", "RTF", "HTML"};
    for (int numbered = 0; numbered < 2; ++numbered) {
        COutputStyleDoc* style = new COutputStyleDoc;
        style->m_bAutoDelete = FALSE;
        std::unique_ptr<COutputStyleDoc> owner(style);
        style->OnNewDocument();
        AddFormats(*style, numbered != 0);
        BibliographySetup setup;
        setup.heading.numberReferences = numbered;
        setup.heading.spaceAfter = 1;
        for (int kind = 0; kind < 3; ++kind) {
            ULONGLONG bytes = 0;
            const double seconds = FormatList(*style, setup, kind, records, bytes);
            char phase[96];
            std::snprintf(phase, sizeof phase, "%s list, %s (%llu bytes), entries",
                          numbered ? "numbered" : "author-date", kWriters[kind], (unsigned long long)bytes);
            BenchPrintRate(phase, kRecords, seconds);
        }
        char phase[64];
        std::snprintf(phase, sizeof phase, "%s in-text citations", numbered ? "numbered" : "author-date");
        BenchPrintRate(phase, kRecords, FormatCitations(*style, records));
    }
    for (SortedRecord& r : records)
        delete r.record;
    BenchPrintPeakMemory();
}

} // namespace

int main()
{
    return BenchMain(Run);
}
