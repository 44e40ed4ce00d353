// Automation through a real local server: AutomationTestServer.exe, registered by its own "/Register" and
// started by COM, driven by name through COleDispatchDriver and by raw IDispatch calls.
#include "classlib/win/OleDispatchDriver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char kProgID[] = "LorvaneTest.Automation";

std::string ServerPath()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path);
    return s.substr(0, s.find_last_of('\\') + 1) + "AutomationTestServer.exe";
}

// Runs a program to its end; its exit code, or -1 when it did not start.
int RunToEnd(const std::string& commandLine, DWORD dwTimeout = 60000)
{
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::string cmd = commandLine;
    if (!::CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    ::WaitForSingleObject(pi.hProcess, dwTimeout);
    DWORD code = 0;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

// TRUE when the process ends within dwTimeout ms (or is gone already).
BOOL ProcessEnds(DWORD pid, DWORD dwTimeout)
{
    HANDLE h = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (h == nullptr)
        return TRUE;
    const BOOL bEnded = ::WaitForSingleObject(h, dwTimeout) == WAIT_OBJECT_0;
    ::CloseHandle(h);
    return bEnded;
}

void StopProcess(DWORD pid)
{
    HANDLE h = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (h == nullptr)
        return;
    ::TerminateProcess(h, 1);
    ::WaitForSingleObject(h, 10000);
    ::CloseHandle(h);
}

VARIANT ByteArray(const std::vector<BYTE>& bytes)
{
    VARIANT v;
    v.vt = VT_ARRAY | VT_UI1;
    v.parray = ::SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    BYTE* p = nullptr;
    ::SafeArrayAccessData(v.parray, reinterpret_cast<void**>(&p));
    for (size_t i = 0; i < bytes.size(); ++i)
        p[i] = bytes[i];
    ::SafeArrayUnaccessData(v.parray);
    return v;
}

std::vector<BYTE> BytesOf(const VARIANT& v)
{
    std::vector<BYTE> bytes;
    if (v.vt != (VT_ARRAY | VT_UI1))
        return bytes;
    LONG lower = 0, upper = -1;
    ::SafeArrayGetLBound(v.parray, 1, &lower);
    ::SafeArrayGetUBound(v.parray, 1, &upper);
    BYTE* p = nullptr;
    ::SafeArrayAccessData(v.parray, reinterpret_cast<void**>(&p));
    bytes.assign(p, p + (upper - lower + 1));
    ::SafeArrayUnaccessData(v.parray);
    return bytes;
}

class Automation : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ::CoInitialize(nullptr);
        s_registered = RunToEnd("\"" + ServerPath() + "\" /Register") == 0;
    }
    static void TearDownTestSuite()
    {
        // A server kept by user control, or by a client that died, would outlive the run.
        for (DWORD pid : s_servers)
            if (!ProcessEnds(pid, 0))
                StopProcess(pid);
        ::CoUninitialize();
    }
    void SetUp() override { ASSERT_TRUE(s_registered) << "the test server did not register itself"; }

    // A new object through its ProgID; remembers its server's process.
    DWORD Create(COleDispatchDriver& driver)
    {
        COleException error;
        EXPECT_TRUE(driver.CreateDispatch(kProgID, &error)) << std::hex << error.m_sc;
        if (driver.m_lpDispatch == nullptr)
            return 0;
        long pid = 0;
        driver.InvokeHelper(driver.GetIDOfName("ServerProcessId"), DISPATCH_METHOD, VT_I4, &pid, VTS_NONE);
        s_servers.push_back(static_cast<DWORD>(pid));
        return static_cast<DWORD>(pid);
    }

    static BOOL s_registered;
    static std::vector<DWORD> s_servers;
};

BOOL Automation::s_registered = FALSE;
std::vector<DWORD> Automation::s_servers;

TEST_F(Automation, RegistrationIsVisibleToEveryProcessAsClassesRoot)
{
    // The machine's classes: Wine does not merge the user's classes into HKEY_CLASSES_ROOT.
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegOpenKeyExA(HKEY_CLASSES_ROOT, "LorvaneTest.Automation\\CLSID", 0, KEY_READ, &hKey));
    char clsid[64] = {};
    LONG cb = sizeof(clsid);
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueA(hKey, nullptr, clsid, &cb));
    ::RegCloseKey(hKey);
    EXPECT_STREQ("{5D1C2F40-8A3B-4E6D-9C21-7B44E0A1D3F5}", clsid);
    char server[MAX_PATH + 4] = {};
    cb = sizeof(server);
    ASSERT_EQ(ERROR_SUCCESS, ::RegQueryValueA(HKEY_CLASSES_ROOT,
                                              (std::string("CLSID\\") + clsid + "\\LocalServer32").c_str(),
                                              server, &cb));
    EXPECT_EQ("\"" + ServerPath() + "\"", std::string(server));
}

TEST_F(Automation, MemberNamesInAnyCaseGiveTheMapOrder)
{
    COleDispatchDriver driver;
    ASSERT_NE(0u, Create(driver));
    const struct
    {
        const char* name;
        DISPID id;
    } cases[] = {{"Describe", 1},        {"DESCRIBE", 1},       {"addto", 2},          {"ReverseBytes", 3},
                 {"fillbytes", 4},       {"FailWithText", 5},   {"FAILWITHSTATUS", 6}, {"serverProcessID", 7},
                 {"SetUserControl", 8},  {"LockCount", 9}};
    for (const auto& c : cases)
        EXPECT_EQ(c.id, driver.GetIDOfName(c.name)) << c.name;

    BSTR bstr = AfxAllocBSTR("NoSuchMember");
    DISPID id = 0;
    EXPECT_EQ(DISP_E_UNKNOWNNAME, driver.m_lpDispatch->GetIDsOfNames(IID_NULL, &bstr, 1, 0, &id));
    EXPECT_EQ(DISPID_UNKNOWN, id);
    ::SysFreeString(bstr);
    UINT nInfo = 99;
    EXPECT_EQ(S_OK, driver.m_lpDispatch->GetTypeInfoCount(&nInfo));
    EXPECT_EQ(0u, nInfo);
}

TEST_F(Automation, ArgumentsAndResultsOfEveryKindCrossBothWays)
{
    COleDispatchDriver driver;
    ASSERT_NE(0u, Create(driver));

    // Strings (beyond ASCII, through the ANSI code page), longs, booleans and shorts by value.
    CString text;
    driver.InvokeHelper(driver.GetIDOfName("describe"), DISPATCH_METHOD, VT_BSTR, &text,
                        VTS_BSTR VTS_I4 VTS_BOOL VTS_I2, "Caf\xe9 na\xefve", -70000L, TRUE, 12);
    EXPECT_STREQ("Caf\xe9 na\xefve|-70000|1|12", text);

    // A long by reference is changed in the caller's variable.
    long value = 40;
    BOOL bPositive = FALSE;
    driver.InvokeHelper(2, DISPATCH_METHOD, VT_BOOL, &bPositive, VTS_PI4 VTS_I4, &value, 2L);
    EXPECT_EQ(42, value);
    EXPECT_TRUE(bPositive);

    // Byte arrays in and out, as a result and through a VARIANT by reference.
    VARIANT bytes = ByteArray({1, 2, 3, 250});
    VARIANT reversed;
    ::VariantInit(&reversed);
    driver.InvokeHelper(3, DISPATCH_METHOD, VT_VARIANT, &reversed, VTS_VARIANT, &bytes);
    EXPECT_EQ(std::vector<BYTE>({250, 3, 2, 1}), BytesOf(reversed));
    ::VariantClear(&reversed);
    ::VariantClear(&bytes);
    VARIANT filled;
    ::VariantInit(&filled);
    driver.InvokeHelper(4, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_I2 VTS_PVARIANT, 5, &filled);
    EXPECT_EQ(std::vector<BYTE>({0, 1, 2, 3, 4}), BytesOf(filled));
    ::VariantClear(&filled);
}

TEST_F(Automation, ArgumentsAreCoercedToTheMembersTypesAlsoThroughReferences)
{
    COleDispatchDriver driver;
    ASSERT_NE(0u, Create(driver));
    IDispatch* pDisp = driver.m_lpDispatch;

    // Describe(text, long, bool, short) with a number as text, a text as number, every argument wrapped.
    VARIANT inner[4];
    for (VARIANT& v : inner)
        ::VariantInit(&v);
    inner[0].vt = VT_I4; // the text parameter receives a number
    inner[0].lVal = 7;
    inner[1].vt = VT_BSTR; // the long receives a text
    inner[1].bstrVal = AfxAllocBSTR("123");
    inner[2].vt = VT_I4; // the boolean receives a number
    inner[2].lVal = 5;
    short nSmall = 9;
    VARIANT args[4]; // last first, each by reference
    args[3].vt = VT_BYREF | VT_VARIANT;
    args[3].pvarVal = &inner[0];
    args[2].vt = VT_BYREF | VT_VARIANT;
    args[2].pvarVal = &inner[1];
    args[1].vt = VT_BYREF | VT_VARIANT;
    args[1].pvarVal = &inner[2];
    args[0].vt = VT_BYREF | VT_I2;
    args[0].piVal = &nSmall;
    DISPPARAMS params = {args, nullptr, 4, 0};
    VARIANT result;
    ::VariantInit(&result);
    ASSERT_EQ(S_OK, pDisp->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr));
    ASSERT_EQ(VT_BSTR, result.vt);
    EXPECT_STREQ("7|123|1|9", AfxStringFromBSTR(result.bstrVal));
    ::VariantClear(&result);
    ::VariantClear(&inner[1]);

    // A long by reference wrapped in a VARIANT by reference is still the caller's variable.
    VARIANT holder;
    holder.vt = VT_I4;
    holder.lVal = -5;
    VARIANT amount;
    amount.vt = VT_I4;
    amount.lVal = 3;
    VARIANT refArgs[2] = {amount, {}};
    refArgs[1].vt = VT_BYREF | VT_VARIANT;
    refArgs[1].pvarVal = &holder;
    DISPPARAMS refParams = {refArgs, nullptr, 2, 0};
    ASSERT_EQ(S_OK, pDisp->Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &refParams, &result, nullptr, nullptr));
    EXPECT_EQ(-2, holder.lVal);

    // What cannot be coerced, or does not fit the member, is refused.
    VARIANT bad;
    bad.vt = VT_BSTR;
    bad.bstrVal = AfxAllocBSTR("not a number");
    VARIANT badArgs[2] = {bad, amount};
    badArgs[0] = amount;
    badArgs[1] = bad;
    VARIANT describeArgs[4] = {amount, amount, bad, amount}; // the long parameter receives the text
    DISPPARAMS badParams = {describeArgs, nullptr, 4, 0};
    UINT nArgErr = 99;
    EXPECT_EQ(DISP_E_TYPEMISMATCH,
              pDisp->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &badParams, &result, nullptr, &nArgErr));
    EXPECT_EQ(2u, nArgErr);
    DISPPARAMS shortParams = {badArgs, nullptr, 1, 0};
    EXPECT_EQ(DISP_E_BADPARAMCOUNT,
              pDisp->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &shortParams, &result, nullptr, nullptr));
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
              pDisp->Invoke(77, IID_NULL, 0, DISPATCH_METHOD, &shortParams, &result, nullptr, nullptr));
    ::VariantClear(&bad);
}

TEST_F(Automation, AThrowingMemberGivesADispatchExceptionWithItsText)
{
    COleDispatchDriver driver;
    ASSERT_NE(0u, Create(driver));

    VARIANT arg;
    arg.vt = VT_BSTR;
    arg.bstrVal = AfxAllocBSTR("The database does not contain the record.");
    DISPPARAMS params = {&arg, nullptr, 1, 0};
    EXCEPINFO info = {};
    VARIANT result;
    ::VariantInit(&result);
    EXPECT_EQ(DISP_E_EXCEPTION,
              driver.m_lpDispatch->Invoke(5, IID_NULL, 0, DISPATCH_METHOD, &params, &result, &info, nullptr));
    EXPECT_STREQ("The database does not contain the record.", AfxStringFromBSTR(info.bstrDescription));
    EXPECT_STREQ("AutomationTestServer", AfxStringFromBSTR(info.bstrSource));
    ::SysFreeString(info.bstrDescription);
    ::SysFreeString(info.bstrSource);
    ::SysFreeString(info.bstrHelpFile);
    ::VariantClear(&arg);

    // Through the driver: the server's text, then its status; the object stays usable.
    const struct
    {
        const char* member;
        const char* paramInfo;
        SCODE sc;
        const char* text;
    } cases[] = {{"FailWithText", VTS_BSTR, 0, "Invalid search expression."},
                 {"FailWithStatus", VTS_NONE, E_ACCESSDENIED, nullptr}};
    for (const auto& c : cases) {
        try {
            BOOL b = FALSE;
            if (c.text != nullptr)
                driver.InvokeHelper(driver.GetIDOfName(c.member), DISPATCH_METHOD, VT_BOOL, &b, c.paramInfo,
                                    c.text);
            else
                driver.InvokeHelper(driver.GetIDOfName(c.member), DISPATCH_METHOD, VT_BOOL, &b, c.paramInfo);
            ADD_FAILURE() << c.member << " did not throw";
        } catch (CException* e) {
            ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(COleDispatchException))) << c.member;
            auto* pDisp = static_cast<COleDispatchException*>(e);
            if (c.text != nullptr)
                EXPECT_STREQ(c.text, pDisp->m_strDescription);
            else
                EXPECT_EQ(c.sc, pDisp->m_scError);
            e->Delete();
        }
    }
    long pid = 0;
    driver.InvokeHelper(7, DISPATCH_METHOD, VT_I4, &pid, VTS_NONE);
    EXPECT_NE(0, pid);
}

// An object of this process: its interface map and its life by the external count.
const IID IID_ILocalTest = {0x5d1c2f42, 0x8a3b, 0x4e6d, {0x9c, 0x21, 0x7b, 0x44, 0xe0, 0xa1, 0xd3, 0xf5}};

class LocalObject : public CCmdTarget
{
public:
    LocalObject(int* pDestroyed) : m_pDestroyed(pDestroyed) { EnableAutomation(); }
    ~LocalObject() override { ++*m_pDestroyed; }
    long Twice(long n) { return 2 * n; }
    int* m_pDestroyed;
    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()
};

BEGIN_DISPATCH_MAP(LocalObject, CCmdTarget)
DISP_FUNCTION(LocalObject, "Twice", Twice, VT_I4, VTS_I4)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(LocalObject, CCmdTarget)
INTERFACE_PART(LocalObject, IID_ILocalTest, Dispatch)
END_INTERFACE_MAP()

TEST(AutomationLocal, TheInterfaceMapAnswersWithTheDispatchAndTheLastReleaseDeletes)
{
    int nDestroyed = 0;
    auto* pObject = new LocalObject(&nDestroyed);
    IDispatch* pDisp = pObject->GetIDispatch(FALSE); // takes over the construction's reference
    EXPECT_EQ(pObject, CCmdTarget::FromIDispatch(pDisp));
    IDispatch* pCustom = nullptr;
    ASSERT_EQ(S_OK, pDisp->QueryInterface(IID_ILocalTest, reinterpret_cast<void**>(&pCustom)));
    EXPECT_EQ(pDisp, pCustom);
    IUnknown* pOther = nullptr;
    EXPECT_EQ(E_NOINTERFACE, pDisp->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&pOther)));
    {
        COleDispatchDriver driver(pCustom);
        long n = 0;
        driver.InvokeHelper(driver.GetIDOfName("TWICE"), DISPATCH_METHOD, VT_I4, &n, VTS_I4, 21L);
        EXPECT_EQ(42, n);
    }
    EXPECT_EQ(0, nDestroyed);
    pDisp->Release();
    EXPECT_EQ(1, nDestroyed);
}

// The second client of TwoClientsShareOneServer: a process of this program that writes its server's
// process id to the file named by the environment.
TEST(AutomationChild, ReportServerProcess)
{
    const char* pszOut = std::getenv("LORVANE_AUTOMATION_CHILD_OUT");
    if (pszOut == nullptr)
        GTEST_SKIP() << "run by TwoClientsShareOneServer only";
    ::CoInitialize(nullptr);
    {
        COleDispatchDriver driver;
        ASSERT_TRUE(driver.CreateDispatch(kProgID));
        long pid = 0;
        driver.InvokeHelper(driver.GetIDOfName("ServerProcessId"), DISPATCH_METHOD, VT_I4, &pid, VTS_NONE);
        FILE* f = std::fopen(pszOut, "w");
        ASSERT_NE(nullptr, f);
        std::fprintf(f, "%ld", pid);
        std::fclose(f);
    }
    ::CoUninitialize();
}

TEST_F(Automation, TwoClientsShareOneServerProcess)
{
    COleDispatchDriver first, second;
    const DWORD pid = Create(first);
    ASSERT_NE(0u, pid);
    EXPECT_EQ(pid, Create(second));
    long nLocks = 0;
    first.InvokeHelper(9, DISPATCH_METHOD, VT_I4, &nLocks, VTS_NONE);
    EXPECT_EQ(2, nLocks);

    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string out = std::string(temp) + "lorvane_automation_child.txt";
    ::DeleteFileA(out.c_str());
    ::SetEnvironmentVariableA("LORVANE_AUTOMATION_CHILD_OUT", out.c_str());
    EXPECT_EQ(0, RunToEnd(std::string("\"") + self + "\" --gtest_filter=AutomationChild.*"));
    ::SetEnvironmentVariableA("LORVANE_AUTOMATION_CHILD_OUT", nullptr);
    FILE* f = std::fopen(out.c_str(), "r");
    ASSERT_NE(nullptr, f);
    long childPid = 0;
    EXPECT_EQ(1, std::fscanf(f, "%ld", &childPid));
    std::fclose(f);
    ::DeleteFileA(out.c_str());
    EXPECT_EQ(static_cast<long>(pid), childPid);
}

TEST_F(Automation, TheServerEndsAfterTheLastReleaseUnlessTheUserControlsIt)
{
    for (BOOL bUserCtrl : {FALSE, TRUE}) {
        DWORD pid = 0;
        {
            COleDispatchDriver driver;
            pid = Create(driver);
            ASSERT_NE(0u, pid);
            driver.InvokeHelper(8, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_BOOL, bUserCtrl);
        }
        if (bUserCtrl) {
            EXPECT_FALSE(ProcessEnds(pid, 1500)) << "a server under user control stays";
            StopProcess(pid);
        } else {
            EXPECT_TRUE(ProcessEnds(pid, 20000)) << "the last release ends the server";
        }
    }
}

} // namespace
