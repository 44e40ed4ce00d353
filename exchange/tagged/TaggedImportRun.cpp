#include "exchange/tagged/TaggedImportRun.h"

#include "app/core/ErrorReport.h"
#include "app/core/Paths.h"
#include "app/core/ProgressDialog.h"
#include "app/core/SettingsCatalogue.h"
#include "classlib/Exceptions.h"
#include "classlib/File.h"
#include "classlib/MessageBox.h"
#include "classlib/WinApp.h"
#include "exchange/delimited/DelimitedImporter.h"
#include "exchange/tagged/TaggedTransfer.h"

namespace {

// Removes the temporary file as the run ends.
struct TemporaryFile
{
    const char* path;
    BOOL remove;
    ~TemporaryFile()
    {
        if (!remove)
            return;
        try {
            CFile::Remove(path);
        } catch (CException* e) {
            e->Delete();
        }
    }
};

bool SetUp(TaggedTransfer& transfer, const char* importPath, const char* configurationPath,
           const char* databasePath)
{
    return transfer.Initialize() && transfer.SetImportFile(importPath) &&
           transfer.SetImportFormat(configurationPath) && transfer.SetTargetDatabase(databasePath) &&
           transfer.BeginImport();
}

void Transfer(TaggedTransfer& transfer)
{
    ProgressDialog progress(0, (int)transfer.GetProgressMax(), CDelimitedImporter::IDS_IMPORTING);
    while (transfer.ProcessFile()) {
        if (!progress.SetPos((int)transfer.GetProgressValue()))
            break;
    }
}

void ShowResult(long records, long duplicates, const char* importPath, const char* databasePath)
{
    if (records == 0 && duplicates == 0) {
        AfxMessageBox(CDelimitedImporter::IDP_NO_RECORDS, MB_OK | MB_ICONINFORMATION);
        return;
    }
    CString format;
    format.LoadString(CDelimitedImporter::IDP_IMPORTED);
    CString text;
    text.Format(format, (const char*)GetFileTitleWithoutExt(importPath, ""),
                (const char*)GetFileTitleWithoutExt(databasePath, ""), records, duplicates);
    AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
}

} // namespace

void RunTaggedImport(TaggedTransfer& transfer, const char* importPath, BOOL temporaryFile,
                     const char* configurationPath, const char* databasePath)
{
    TemporaryFile temporary{importPath, temporaryFile};
    try {
        if (!SetUp(transfer, importPath, configurationPath, databasePath))
            return;
        Transfer(transfer);
        transfer.EndImport();
        const long records = transfer.GetRecordsImported();
        const long duplicates = transfer.GetDuplicatesDiscarded();
        ShowResult(records, duplicates, importPath, databasePath);
    } catch (CException* e) {
        ReportException(e);
        e->Delete();
        return;
    }
    Settings::ImportConfiguration.Set(configurationPath);
    Settings::ImportDatabase.Set(databasePath);
    if (CWinApp* app = AfxGetApp())
        app->AddToRecentFileList(databasePath);
}
