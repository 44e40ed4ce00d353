// A local automation server for the class library's automation tests.
//
// "/Register" writes its class registration and ends; started by COM ("-Embedding" or "/Automation") it
// registers its factory and serves "LorvaneTest.Automation" objects until the last one is released
// (while the user does not control it). Its members exercise each kind of argument and result.
#include "classlib/WinApp.h"
#include "classlib/win/OleApp.h"
#include "classlib/win/OleDispatch.h"
#include "classlib/win/OleObjectFactory.h"

#include <cstring>

// {5D1C2F40-8A3B-4E6D-9C21-7B44E0A1D3F5}
const CLSID CLSID_TestAutomation = {0x5d1c2f40, 0x8a3b, 0x4e6d, {0x9c, 0x21, 0x7b, 0x44, 0xe0, 0xa1, 0xd3, 0xf5}};
// {5D1C2F41-8A3B-4E6D-9C21-7B44E0A1D3F5}
const IID IID_ITestAutomation = {0x5d1c2f41, 0x8a3b, 0x4e6d, {0x9c, 0x21, 0x7b, 0x44, 0xe0, 0xa1, 0xd3, 0xf5}};

class TestAutomation : public CCmdTarget
{
    DECLARE_DYNCREATE(TestAutomation)

public:
    TestAutomation()
    {
        EnableAutomation();
        AfxOleLockApp();
    }
    ~TestAutomation() override { AfxOleUnlockApp(); }

protected:
    CString Describe(LPCTSTR lpszText, long nNumber, BOOL bFlag, short nSmall)
    {
        CString str;
        str.Format("%s|%ld|%d|%d", lpszText, nNumber, bFlag ? 1 : 0, nSmall);
        return str;
    }
    BOOL AddTo(long* pValue, long nAmount)
    {
        *pValue += nAmount;
        return *pValue > 0;
    }
    // The bytes of a byte array in reverse order, as a new byte array.
    VARIANT ReverseBytes(const VARIANT& bytes)
    {
        if (bytes.vt != (VT_ARRAY | VT_UI1))
            AfxThrowOleException(E_INVALIDARG);
        LONG lower = 0, upper = -1;
        ::SafeArrayGetLBound(bytes.parray, 1, &lower);
        ::SafeArrayGetUBound(bytes.parray, 1, &upper);
        const LONG n = upper - lower + 1;
        VARIANT result;
        result.vt = VT_ARRAY | VT_UI1;
        result.parray = ::SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(n));
        BYTE* pIn = nullptr;
        BYTE* pOut = nullptr;
        ::SafeArrayAccessData(bytes.parray, reinterpret_cast<void**>(&pIn));
        ::SafeArrayAccessData(result.parray, reinterpret_cast<void**>(&pOut));
        for (LONG i = 0; i < n; ++i)
            pOut[i] = pIn[n - 1 - i];
        ::SafeArrayUnaccessData(result.parray);
        ::SafeArrayUnaccessData(bytes.parray);
        return result;
    }
    // Bytes 0, 1, ..., count - 1 into the caller's variable.
    void FillBytes(short nCount, VARIANT* pResult)
    {
        ::VariantClear(pResult);
        pResult->vt = VT_ARRAY | VT_UI1;
        pResult->parray = ::SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(nCount));
        BYTE* p = nullptr;
        ::SafeArrayAccessData(pResult->parray, reinterpret_cast<void**>(&p));
        for (short i = 0; i < nCount; ++i)
            p[i] = static_cast<BYTE>(i);
        ::SafeArrayUnaccessData(pResult->parray);
    }
    BOOL FailWithText(LPCTSTR lpszText)
    {
        AfxThrowOleDispatchException(0, lpszText);
    }
    BOOL FailWithStatus()
    {
        AfxThrowOleException(E_ACCESSDENIED);
    }
    long ServerProcessId() { return static_cast<long>(::GetCurrentProcessId()); }
    void SetUserControl(BOOL bUserCtrl) { AfxOleSetUserCtrl(bUserCtrl); }
    long LockCount() { return AfxOleGetLockCount(); }

    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()
};

IMPLEMENT_DYNCREATE(TestAutomation, CCmdTarget)

BEGIN_DISPATCH_MAP(TestAutomation, CCmdTarget)
DISP_FUNCTION(TestAutomation, "Describe", Describe, VT_BSTR, VTS_BSTR VTS_I4 VTS_BOOL VTS_I2)
DISP_FUNCTION(TestAutomation, "AddTo", AddTo, VT_BOOL, VTS_PI4 VTS_I4)
DISP_FUNCTION(TestAutomation, "ReverseBytes", ReverseBytes, VT_VARIANT, VTS_VARIANT)
DISP_FUNCTION(TestAutomation, "FillBytes", FillBytes, VT_EMPTY, VTS_I2 VTS_PVARIANT)
DISP_FUNCTION(TestAutomation, "FailWithText", FailWithText, VT_BOOL, VTS_BSTR)
DISP_FUNCTION(TestAutomation, "FailWithStatus", FailWithStatus, VT_BOOL, VTS_NONE)
DISP_FUNCTION(TestAutomation, "ServerProcessId", ServerProcessId, VT_I4, VTS_NONE)
DISP_FUNCTION(TestAutomation, "SetUserControl", SetUserControl, VT_EMPTY, VTS_BOOL)
DISP_FUNCTION(TestAutomation, "LockCount", LockCount, VT_I4, VTS_NONE)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(TestAutomation, CCmdTarget)
INTERFACE_PART(TestAutomation, IID_ITestAutomation, Dispatch)
END_INTERFACE_MAP()

static COleObjectFactory g_factory(CLSID_TestAutomation, RUNTIME_CLASS(TestAutomation), FALSE,
                                   "LorvaneTest.Automation");

class ServerApp : public CWinApp
{
public:
    ServerApp() : CWinApp("AutomationTestServer") {}
    BOOL InitInstance() override
    {
        if (!AfxOleInit())
            return FALSE;
        for (int i = 1; i < __argc; ++i)
            if (lstrcmpi(__argv[i], "/Register") == 0)
                return (m_nRegisterResult = COleObjectFactory::UpdateRegistryAll() ? 0 : 1), FALSE;
        CCommandLineInfo cmdInfo;
        ParseCommandLine(cmdInfo);
        if (!cmdInfo.m_bRunEmbedded && !cmdInfo.m_bRunAutomated)
            return FALSE;
        // Started by COM: nobody else uses this program.
        AfxOleSetUserCtrl(FALSE);
        return COleObjectFactory::RegisterAll();
    }
    int ExitInstance() override
    {
        AfxOleTerm();
        CWinApp::ExitInstance();
        return m_nRegisterResult;
    }
    int m_nRegisterResult = 0;
};

static ServerApp g_app;

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
