// Tagged import: 100,000 generated records (or the count given; the records of
// DatabaseBench, about 1 KB each) written as RIS text and as MEDLINE text,
// each file parsed into records without a database (goal: 50,000 records/s
// or more), then each imported into a new database with every index through
// the transfer run, beside the rate of the same records stored directly (as
// DatabaseBench stores them).
#include "bench/support/BenchRecords.h"
#include "bench/support/BenchReport.h"
#include "bench/support/BenchWorkforms.h"
#include "bench/support/DatabaseWork.h"

#include "app/core/Paths.h"
#include "app/core/TempFile.h"
#include "classlib/Exceptions.h"
#include "classlib/File.h"
#include "classlib/MessageBox.h"
#include "classlib/WinApp.h"
#include "database/db/DBDatabase.h"
#include "database/db/DBRecord.h"
#include "dbwindows/core/DBDocument.h"
#include "exchange/tagged/DocumentRecordSink.h"
#include "exchange/tagged/TaggedTextParser.h"
#include "exchange/tagged/TransferRun.h"

#include <cstdlib>
#include <string>

namespace {

int recordCount = 100000;

// The lines of a field's text (authors and keywords are one a line).
std::vector<std::string> Lines(const StyledString& field)
{
    std::vector<std::string> lines;
    std::string text = (const char*)field.text;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string Field(const DBRecord& record, int n)
{
    return (const char*)record.GetField((BYTE)n).text;
}

void AppendRis(std::string& out, const DBRecord& record, int i)
{
    static const char* const kTypes[] = {"JOUR", "BOOK", "CHAP", "CONF"};
    out += std::string("TY  - ") + kTypes[record.GetWorkformId() % 4] + "\r\n";
    out += "ID  - R" + std::to_string(i) + "\r\n";
    for (const std::string& author : Lines(record.GetField(1)))
        out += "AU  - " + author + "\r\n";
    out += "TI  - " + Field(record, 4) + "\r\nJO  - " + Field(record, 10) + "\r\nPY  - " + Field(record, 12) +
           "\r\nN1  - " + Field(record, 35) + "\r\nAB  - " + Field(record, 38) + "\r\n";
    for (const std::string& keyword : Lines(record.GetField(45)))
        out += "KW  - " + keyword + "\r\n";
    out += "ER  - \r\n\r\n";
}

// A MEDLINE value: lines of about 70 characters, continued after six blanks.
void AppendMedlineValue(std::string& out, const char* tag, const std::string& value)
{
    std::string head = tag;
    head.resize(4, ' ');
    out += head + "- ";
    size_t start = 0;
    while (value.size() - start > 70) {
        size_t cut = value.rfind(' ', start + 70);
        if (cut == std::string::npos || cut <= start)
            cut = start + 70;
        out += value.substr(start, cut - start) + "\n      ";
        start = cut + 1;
    }
    out += value.substr(start) + "\n";
}

void AppendMedline(std::string& out, const DBRecord& record, int i)
{
    AppendMedlineValue(out, "PMID", std::to_string(10000000 + i));
    AppendMedlineValue(out, "TI", Field(record, 4));
    for (std::string author : Lines(record.GetField(1))) {
        // "Surname, A." as MEDLINE writes it: "Surname A".
        const size_t comma = author.find(", ");
        if (comma != std::string::npos)
            author = author.substr(0, comma) + " " + author.substr(comma + 2, 1);
        AppendMedlineValue(out, "AU", author);
    }
    AppendMedlineValue(out, "JT", Field(record, 10));
    AppendMedlineValue(out, "DP", Field(record, 12));
    AppendMedlineValue(out, "AB", Field(record, 35) + " " + Field(record, 38));
    AppendMedlineValue(out, "PT", "Journal Article");
    for (const std::string& keyword : Lines(record.GetField(45)))
        AppendMedlineValue(out, "MH", keyword);
    out += "\n";
}

// Both files from the same records.
void WriteFiles(const CString& risPath, const CString& medlinePath)
{
    CFile ris(risPath, CFile::modeCreate | CFile::modeWrite);
    CFile medline(medlinePath, CFile::modeCreate | CFile::modeWrite);
    DBRecord record;
    record.m_bAutoDelete = FALSE;
    std::string risText, medlineText;
    BenchRestartRandom();
    for (int i = 0; i < recordCount; ++i) {
        record.DeleteContents();
        FillBenchRecord(record, i);
        AppendRis(risText, record, i);
        AppendMedline(medlineText, record, i);
        if (risText.size() > (1u << 20) || i + 1 == recordCount) {
            ris.Write(risText.data(), (UINT)risText.size());
            medline.Write(medlineText.data(), (UINT)medlineText.size());
            risText.clear();
            medlineText.clear();
        }
    }
}

// A shipped configuration, read where it is kept.
CString ConfigPath(const char* name)
{
#ifdef _WIN32
    return CString("Z:") + LORVANE_TAGGED_CONFIG_DIR + "/" + name;
#else
    return CString(LORVANE_TAGGED_CONFIG_DIR) + "/" + name;
#endif
}

class FileSource : public TaggedByteSource
{
public:
    explicit FileSource(const char* path) : m_file(path, CFile::modeRead | CFile::shareDenyWrite) {}
    UINT Read(BYTE* out, UINT count) override { return m_file.Read(out, count); }

private:
    CFile m_file;
};

void ParseFile(const char* what, const CString& path, const CString& config)
{
    TaggedImportConfig settings;
    if (!settings.Load(config))
        AfxThrowUserException();
    BenchClock clock;
    FileSource source(path);
    TaggedTextParser parser(settings, source);
    TaggedRecord record;
    int count = 0;
    while (parser.Next(record))
        ++count;
    const double seconds = clock.Seconds();
    BenchPrintRate(what, count, seconds);
    BenchPrintValue("  parse goal met (50,000 records/s)", count / seconds >= 50000.0 ? 1 : 0, "");
    if (count != recordCount)
        AfxThrowUserException();
}

void ImportFile(const char* what, const CString& path, const CString& config)
{
    CString databasePath;
    {
        DBDatabase db;
        databasePath = CreateBenchDatabase(db);
        db.Close();
    }
    DBDocument* document = new DBDocument;
    if (!document->OpenFile(databasePath, 0))
        AfxThrowFileException(CFileException::generic, -1, databasePath);
    BenchClock clock;
    {
        DocumentRecordSink sink(document);
        TransferRun run(sink);
        if (!run.Initialize() || !run.SetImportFile(path) || !run.SetImportFormat(config) ||
            !run.SetTargetDatabase(databasePath) || !run.BeginImport())
            AfxThrowUserException();
        while (run.ProcessFile()) {
        }
        run.EndImport();
        BenchPrintRate(what, run.GetRecordsImported(), clock.Seconds());
    }
    const int stored = document->GetDatabase().GetAllRecords().GetCount();
    document->OnCloseDocument();
    CFile::Remove(databasePath);
    CFile::Remove(ReplaceExtension(databasePath, ".ldx"));
    if (stored != recordCount)
        AfxThrowUserException();
}

void StoreDirectly()
{
    DBDatabase db;
    const CString path = CreateBenchDatabase(db);
    BenchRestartRandom();
    const BenchImportFigures figures = BenchAddOneByOne(db, 0, recordCount);
    db.Close();
    BenchPrintRate("database import, records stored directly (as DatabaseBench)", recordCount, figures.seconds);
    CFile::Remove(path);
    CFile::Remove(ReplaceExtension(path, ".ldx"));
}

void Run()
{
    CWinApp app("Lorvane5 Bench");
    app.SetRegistryKey("Quenmark");
    app.SetProfileName("Lorvane 5 Bench");
    AddBenchWorkforms();
    CMessageBoxScript quiet;

    const CString risPath = MakeTempFileName();
    const CString medlinePath = MakeTempFileName();
    WriteFiles(risPath, medlinePath);
    CFileStatus status;
    CFile::GetStatus(risPath, status);
    BenchPrintValue("RIS text", (double)status.m_size / 1048576.0, "MiB");
    CFile::GetStatus(medlinePath, status);
    BenchPrintValue("MEDLINE text", (double)status.m_size / 1048576.0, "MiB");

    const CString ris = ConfigPath("RIS.cfg");
    const CString medline = ConfigPath("Medline.cfg");
    ParseFile("RIS parsed into records, no database", risPath, ris);
    ParseFile("MEDLINE parsed into records, no database", medlinePath, medline);
    StoreDirectly();
    ImportFile("RIS imported into a database with every index (records)", risPath, ris);
    ImportFile("MEDLINE imported into a database with every index (records)", medlinePath, medline);
    BenchPrintPeakMemory();
    CFile::Remove(risPath);
    CFile::Remove(medlinePath);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::atoi(argv[1]) > 0)
        recordCount = std::atoi(argv[1]);
    return BenchMain(Run);
}
