// CTransferTaggedFileDriver: the automation client of the tagged-file transfer
// object (class {7E3A91CB-5B2F-4C1D-9A6E-3F8D2C41B7A0}): each operation invokes
// its dispatch id (1 Initialize ... 11 GetDuplicatesDiscarded) as a method,
// strings as BSTRs. Initialize creates the object first, unless a dispatch is
// attached already; when the creation fails the error's own report is shown
// and the answer is FALSE without a call. A failed invocation raises the
// class library's OLE exception.
#pragma once

#include "exchange/tagged/TaggedTransfer.h"

#include "classlib/win/OleDispatchDriver.h"

extern const CLSID CLSID_TransferTaggedFile;

class CTransferTaggedFileDriver : public COleDispatchDriver, public TaggedTransfer
{
public:
    CTransferTaggedFileDriver() = default;

    BOOL Initialize() override;
    BOOL SetTargetDatabase(const char* databasePath) override;
    BOOL SetImportFormat(const char* configurationPath) override;
    BOOL SetImportFile(const char* path) override;
    BOOL BeginImport() override;
    BOOL ProcessFile() override;
    void EndImport() override;
    long GetProgressMax() override;
    long GetProgressValue() override;
    long GetRecordsImported() override;
    long GetDuplicatesDiscarded() override;

private:
    BOOL CallBool(DISPID id);
    BOOL CallBoolWithText(DISPID id, const char* text);
    long CallLong(DISPID id);
};
