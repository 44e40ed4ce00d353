// Delimited text out and in: 100,000 generated records (or the count given; the
// records of DatabaseBench) stored in a database the way DatabaseBench imports
// them, then exported with the comma preset and the workform definitions
// through the export writer (goal: under 2 s, 50,000 records/s), then that file
// imported into a new database through the delimited importer. The two import
// rates are printed side by side: records stored directly, and records read
// from delimited text and saved through the database document.
#include "bench/support/BenchRecords.h"
#include "bench/support/BenchReport.h"
#include "bench/support/BenchWorkforms.h"

#include "app/core/Paths.h"
#include "app/core/TempFile.h"
#include "classlib/Exceptions.h"
#include "classlib/File.h"
#include "classlib/MessageBox.h"
#include "classlib/WinApp.h"
#include "database/db/DBDatabase.h"
#include "database/db/DBRecord.h"
#include "database/text/WorkformDoc.h"
#include "database/text/WorkformTable.h"
#include "dbwindows/core/CDelimitedFormat.h"
#include "dbwindows/core/DBDocument.h"
#include "dbwindows/core/DelimitedExportOptions.h"
#include "exchange/delimited/DelimitedExportWriter.h"
#include "exchange/delimited/DelimitedImporter.h"

#include <cstdio>
#include <cstdlib>

namespace {

int recordCount = 100000;

DBDocument* OpenDocument(const CString& path)
{
    DBDocument* doc = new DBDocument;
    if (!doc->OpenFile(path, 0))
        AfxThrowFileException(CFileException::generic, -1, path);
    return doc;
}

void RemoveDatabase(const CString& path)
{
    CFile::Remove(path);
    CFile::Remove(ReplaceExtension(path, ".ldx"));
}

void Run()
{
    CWinApp app("Lorvane5 Bench");
    app.SetRegistryKey("Quenmark");
    app.SetProfileName("Lorvane 5 Bench");
    AddBenchWorkforms();
    CMessageBoxScript quiet; // the import's summary

    CString sourcePath;
    BenchClock clock;
    {
        DBDatabase db;
        sourcePath = CreateBenchDatabase(db);
        DBRecord record;
        record.m_bAutoDelete = FALSE;
        for (int i = 0; i < recordCount; ++i) {
            FillBenchRecord(record, i);
            record.SetRecordIdText(db.GetNextRecordId());
            db.AddRecord(record, db.GetNextFreeRecordNumber());
        }
        db.CommitFiles();
        db.Close();
    }
    BenchPrintRate("database import, records stored directly (as DatabaseBench)", recordCount,
                   clock.Seconds());

    const CString textPath = MakeTempFileName();
    DBDocument* source = OpenDocument(sourcePath);
    clock.Restart();
    {
        CFile out(textPath, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
        DelimitedExportOptions options;
        if (!ExportDelimitedRecords(*source, source->GetDatabase().GetAllRecords(),
                                    CDelimitedFormat::CommaDelimited(), options, out))
            AfxThrowUserException();
        out.Close();
    }
    const double exportSeconds = clock.Seconds();
    BenchPrintRate("delimited export, comma preset with definitions (records)", recordCount, exportSeconds);
    CFileStatus status;
    CFile::GetStatus(textPath, status);
    BenchPrintValue("text file", (double)status.m_size / 1048576.0, "MiB");
    BenchPrintValue("export goal met (under 2 s)", exportSeconds < 2.0 ? 1 : 0, "");
    source->OnCloseDocument();

    CString targetPath;
    {
        DBDatabase db;
        targetPath = CreateBenchDatabase(db);
        db.Close();
    }
    DBDocument* target = OpenDocument(targetPath);
    clock.Restart();
    {
        CFile in(textPath, CFile::modeRead | CFile::shareDenyWrite);
        RunDelimitedImport(*target, in, CDelimitedFormat::CommaDelimited(), 0);
    }
    const int imported = target->GetDatabase().GetAllRecords().GetCount();
    BenchPrintRate("delimited import through the document (records)", imported, clock.Seconds());
    if (imported != recordCount)
        AfxThrowUserException();
    target->OnCloseDocument();
    BenchPrintPeakMemory();

    CFile::Remove(textPath);
    RemoveDatabase(sourcePath);
    RemoveDatabase(targetPath);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::atoi(argv[1]) > 0)
        recordCount = std::atoi(argv[1]);
    return BenchMain(Run);
}
