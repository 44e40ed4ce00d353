#include "app/core/ErrorReport.h"

#include "classlib/Document.h"
#include "classlib/Exceptions.h"
#include "classlib/MessageBox.h"
#include "classlib/Resources.h"

void ShowErrorAndAbort(UINT nID, const char* insert1, const char* insert2)
{
    CString text;
    AfxFormatString2(text, nID, insert1 ? insert1 : "", insert2 ? insert2 : "");
    AfxMessageBox(text, MB_OK);
    AfxThrowUserException();
}

void ReportException(CException* e)
{
    if (e == nullptr || e->IsKindOf(RUNTIME_CLASS(CUserException)))
        return;
    if (e->IsKindOf(RUNTIME_CLASS(COleDispatchException)) &&
        static_cast<COleDispatchException*>(e)->m_strDescription.IsEmpty())
        return;
    e->ReportError(MB_OK, 0);
}

void ReportFileException(const char* path, CException* e, BOOL bSaving, UINT nIDPDefault)
{
    AfxReportSaveLoadException(path, e, bSaving, nIDPDefault);
}

namespace {

int ShowExceptionReport(const CException*, LPCTSTR lpszText, UINT nType, UINT nMessageID)
{
    if (lpszText != nullptr && *lpszText != '\0')
        return AfxMessageBox(lpszText, nType, nMessageID);
    return nMessageID != 0 ? AfxMessageBox(nMessageID, nType) : 0;
}

} // namespace

void InstallExceptionReporter()
{
    AfxSetReportErrorProc(ShowExceptionReport);
}
