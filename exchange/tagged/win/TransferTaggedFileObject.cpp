#include "exchange/tagged/win/TransferTaggedFileObject.h"

TransferTaggedFileObject::TransferTaggedFileObject() : m_run(m_sink)
{
    EnableAutomation();
}

TransferTaggedFileObject::~TransferTaggedFileObject() = default;

BOOL TransferTaggedFileObject::Initialize()
{
    return m_run.Initialize();
}
BOOL TransferTaggedFileObject::SetTargetDatabase(LPCTSTR path)
{
    return m_run.SetTargetDatabase(path);
}
BOOL TransferTaggedFileObject::SetImportFormat(LPCTSTR path)
{
    return m_run.SetImportFormat(path);
}
BOOL TransferTaggedFileObject::SetImportFile(LPCTSTR path)
{
    return m_run.SetImportFile(path);
}
BOOL TransferTaggedFileObject::BeginImport()
{
    return m_run.BeginImport();
}
BOOL TransferTaggedFileObject::ProcessFile()
{
    return m_run.ProcessFile();
}
void TransferTaggedFileObject::EndImport()
{
    m_run.EndImport();
}
long TransferTaggedFileObject::GetProgressMax()
{
    return m_run.GetProgressMax();
}
long TransferTaggedFileObject::GetProgressValue()
{
    return m_run.GetProgressValue();
}
long TransferTaggedFileObject::GetRecordsImported()
{
    return m_run.GetRecordsImported();
}
long TransferTaggedFileObject::GetDuplicatesDiscarded()
{
    return m_run.GetDuplicatesDiscarded();
}

// The order gives the dispatch ids 1 to 11.
BEGIN_DISPATCH_MAP(TransferTaggedFileObject, CCmdTarget)
DISP_FUNCTION(TransferTaggedFileObject, "Initialize", Initialize, VT_BOOL, VTS_NONE)
DISP_FUNCTION(TransferTaggedFileObject, "SetTargetDatabase", SetTargetDatabase, VT_BOOL, VTS_BSTR)
DISP_FUNCTION(TransferTaggedFileObject, "SetImportFormat", SetImportFormat, VT_BOOL, VTS_BSTR)
DISP_FUNCTION(TransferTaggedFileObject, "SetImportFile", SetImportFile, VT_BOOL, VTS_BSTR)
DISP_FUNCTION(TransferTaggedFileObject, "BeginImport", BeginImport, VT_BOOL, VTS_NONE)
DISP_FUNCTION(TransferTaggedFileObject, "ProcessFile", ProcessFile, VT_BOOL, VTS_NONE)
DISP_FUNCTION(TransferTaggedFileObject, "EndImport", EndImport, VT_EMPTY, VTS_NONE)
DISP_FUNCTION(TransferTaggedFileObject, "GetProgressMax", GetProgressMax, VT_I4, VTS_NONE)
DISP_FUNCTION(TransferTaggedFileObject, "GetProgressValue", GetProgressValue, VT_I4, VTS_NONE)
DISP_FUNCTION(TransferTaggedFileObject, "GetRecordsImported", GetRecordsImported, VT_I4, VTS_NONE)
DISP_FUNCTION(TransferTaggedFileObject, "GetDuplicatesDiscarded", GetDuplicatesDiscarded, VT_I4, VTS_NONE)
END_DISPATCH_MAP()
