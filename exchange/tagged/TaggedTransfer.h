// TaggedTransfer: the eleven operations of the tagged-file transfer object,
// in their dispatch order (1 Initialize ... 11 GetDuplicatesDiscarded). The
// import run calls them through this interface: the in-process TransferRun,
// or the transfer object reached through automation.
#pragma once

#include "classlib/Types.h"

class TaggedTransfer
{
public:
    virtual ~TaggedTransfer() = default;

    virtual BOOL Initialize() = 0;
    virtual BOOL SetTargetDatabase(const char* databasePath) = 0;
    virtual BOOL SetImportFormat(const char* configurationPath) = 0;
    virtual BOOL SetImportFile(const char* path) = 0;
    virtual BOOL BeginImport() = 0;
    // TRUE while work remains.
    virtual BOOL ProcessFile() = 0;
    virtual void EndImport() = 0;
    virtual long GetProgressMax() = 0;
    virtual long GetProgressValue() = 0;
    virtual long GetRecordsImported() = 0;
    virtual long GetDuplicatesDiscarded() = 0;
};
