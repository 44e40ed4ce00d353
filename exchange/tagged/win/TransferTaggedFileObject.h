// The tagged-file transfer object as an automation object: the transfer run
// over a sink of its own straight over the target database, its eleven
// operations as dispatch members 1 to 11 in the transfer interface's order.
// Its life follows the references to its dispatch (the last Release deletes
// it).
#pragma once

#include "exchange/tagged/DocumentRecordSink.h"
#include "exchange/tagged/TransferRun.h"

#include "classlib/win/OleDispatch.h"

class TransferTaggedFileObject : public CCmdTarget
{
public:
    TransferTaggedFileObject();
    ~TransferTaggedFileObject() override;

    BOOL Initialize();
    BOOL SetTargetDatabase(LPCTSTR databasePath);
    BOOL SetImportFormat(LPCTSTR configurationPath);
    BOOL SetImportFile(LPCTSTR path);
    BOOL BeginImport();
    BOOL ProcessFile();
    void EndImport();
    long GetProgressMax();
    long GetProgressValue();
    long GetRecordsImported();
    long GetDuplicatesDiscarded();

    DECLARE_DISPATCH_MAP()

private:
    DocumentRecordSink m_sink;
    TransferRun m_run;
};
