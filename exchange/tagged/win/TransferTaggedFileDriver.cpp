#include "exchange/tagged/win/TransferTaggedFileDriver.h"

// {7E3A91CB-5B2F-4C1D-9A6E-3F8D2C41B7A0}
const CLSID CLSID_TransferTaggedFile = {
    0x7E3A91CB, 0x5B2F, 0x4C1D, {0x9A, 0x6E, 0x3F, 0x8D, 0x2C, 0x41, 0xB7, 0xA0}};

BOOL CTransferTaggedFileDriver::CallBool(DISPID id)
{
    BOOL result = FALSE;
    InvokeHelper(id, DISPATCH_METHOD, VT_BOOL, &result, VTS_NONE);
    return result;
}

BOOL CTransferTaggedFileDriver::CallBoolWithText(DISPID id, const char* text)
{
    BOOL result = FALSE;
    InvokeHelper(id, DISPATCH_METHOD, VT_BOOL, &result, VTS_BSTR, text);
    return result;
}

long CTransferTaggedFileDriver::CallLong(DISPID id)
{
    long result = 0;
    InvokeHelper(id, DISPATCH_METHOD, VT_I4, &result, VTS_NONE);
    return result;
}

BOOL CTransferTaggedFileDriver::Initialize()
{
    if (m_lpDispatch == nullptr) {
        COleException error;
        if (!CreateDispatch(CLSID_TransferTaggedFile, &error)) {
            error.ReportError(MB_OK);
            return FALSE;
        }
    }
    return CallBool(1);
}

BOOL CTransferTaggedFileDriver::SetTargetDatabase(const char* databasePath)
{
    return CallBoolWithText(2, databasePath);
}

BOOL CTransferTaggedFileDriver::SetImportFormat(const char* configurationPath)
{
    return CallBoolWithText(3, configurationPath);
}

BOOL CTransferTaggedFileDriver::SetImportFile(const char* path)
{
    return CallBoolWithText(4, path);
}

BOOL CTransferTaggedFileDriver::BeginImport()
{
    return CallBool(5);
}

BOOL CTransferTaggedFileDriver::ProcessFile()
{
    return CallBool(6);
}

void CTransferTaggedFileDriver::EndImport()
{
    InvokeHelper(7, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_NONE);
}

long CTransferTaggedFileDriver::GetProgressMax()
{
    return CallLong(8);
}

long CTransferTaggedFileDriver::GetProgressValue()
{
    return CallLong(9);
}

long CTransferTaggedFileDriver::GetRecordsImported()
{
    return CallLong(10);
}

long CTransferTaggedFileDriver::GetDuplicatesDiscarded()
{
    return CallLong(11);
}
