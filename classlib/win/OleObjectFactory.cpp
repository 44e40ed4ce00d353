#include "classlib/win/OleObjectFactory.h"

#include "classlib/Exceptions.h"
#include "classlib/win/OleApp.h"

IMPLEMENT_DYNAMIC(COleObjectFactory, CCmdTarget)

COleObjectFactory* COleObjectFactory::s_pFirstFactory = nullptr;

namespace {

class ClassFactoryPart final : public IClassFactory
{
public:
    explicit ClassFactoryPart(COleObjectFactory* pOwner) : m_pOwner(pOwner) {}
    virtual ~ClassFactoryPart() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *ppv = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // The factory is a static object of the program: COM's references do not decide its life.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (pOuter != nullptr)
            return CLASS_E_NOAGGREGATION;
        CCmdTarget* pObject = nullptr;
        try {
            pObject = m_pOwner->OnCreateObject();
        } catch (CException* e) {
            e->Delete();
            return E_OUTOFMEMORY;
        }
        if (pObject == nullptr)
            return E_OUTOFMEMORY;
        const HRESULT hr = pObject->ExternalQueryInterface(&riid, ppv);
        pObject->ExternalRelease(); // the construction's reference; a failed query deletes the object
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override
    {
        if (fLock)
            AfxOleLockApp();
        else
            AfxOleUnlockApp();
        return S_OK;
    }

private:
    COleObjectFactory* m_pOwner;
};

// Writes one default value (lpszValue) of key lpszKey below the classes root.
BOOL SetClassesValue(HKEY hRoot, const CString& strKey, LPCTSTR lpszValue)
{
    HKEY hKey = nullptr;
    LONG lResult = ::RegCreateKeyExA(hRoot, strKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                                     &hKey, nullptr);
    if (lResult != ERROR_SUCCESS)
        return FALSE;
    lResult = ::RegSetValueExA(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                               static_cast<DWORD>(lstrlen(lpszValue) + 1));
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

CString GuidText(REFCLSID clsid)
{
    LPOLESTR pWide = nullptr;
    CString str;
    if (SUCCEEDED(::StringFromCLSID(clsid, &pWide))) {
        char buf[64] = {};
        ::WideCharToMultiByte(CP_ACP, 0, pWide, -1, buf, sizeof(buf), nullptr, nullptr);
        str = buf;
        ::CoTaskMemFree(pWide);
    }
    return str;
}

} // namespace

COleObjectFactory::COleObjectFactory(REFCLSID clsid, CRuntimeClass* pRuntimeClass, BOOL bMultiInstance,
                                     LPCTSTR lpszProgID)
    : m_clsid(clsid), m_pRuntimeClass(pRuntimeClass), m_bMultiInstance(bMultiInstance),
      m_strProgID(lpszProgID != nullptr ? lpszProgID : ""), m_dwRegister(0),
      m_pNextFactory(s_pFirstFactory), m_pClassFactory(new ClassFactoryPart(this))
{
    s_pFirstFactory = this;
}

COleObjectFactory::~COleObjectFactory()
{
    Revoke();
    for (COleObjectFactory** pp = &s_pFirstFactory; *pp != nullptr; pp = &(*pp)->m_pNextFactory) {
        if (*pp == this) {
            *pp = m_pNextFactory;
            break;
        }
    }
    delete static_cast<ClassFactoryPart*>(m_pClassFactory);
}

IClassFactory* COleObjectFactory::GetClassFactory()
{
    return m_pClassFactory;
}

CCmdTarget* COleObjectFactory::OnCreateObject()
{
    CObject* pObject = m_pRuntimeClass != nullptr ? m_pRuntimeClass->CreateObject() : nullptr;
    if (pObject == nullptr)
        return nullptr;
    auto* pTarget = static_cast<CCmdTarget*>(pObject);
    pTarget->EnableAutomation();
    return pTarget;
}

BOOL COleObjectFactory::Register()
{
    if (m_dwRegister != 0)
        return TRUE;
    const DWORD dwFlags = m_bMultiInstance ? REGCLS_SINGLEUSE : REGCLS_MULTIPLEUSE;
    return SUCCEEDED(::CoRegisterClassObject(m_clsid, m_pClassFactory, CLSCTX_LOCAL_SERVER, dwFlags,
                                             &m_dwRegister));
}

void COleObjectFactory::Revoke()
{
    if (m_dwRegister != 0) {
        ::CoRevokeClassObject(m_dwRegister);
        m_dwRegister = 0;
    }
}

BOOL COleObjectFactory::UpdateRegistry(LPCTSTR lpszModulePath)
{
    char szPath[MAX_PATH] = {};
    if (lpszModulePath == nullptr) {
        ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
        lpszModulePath = szPath;
    }
    const CString strClsid = GuidText(m_clsid);
    CString strServer = "\"";
    strServer += lpszModulePath;
    strServer += "\"";
    const CString strClsidKey = CString("CLSID\\") + strClsid;
    auto writeAll = [&](HKEY hRoot, const CString& strBase) {
        return SetClassesValue(hRoot, strBase + m_strProgID, m_strProgID) &&
               SetClassesValue(hRoot, strBase + m_strProgID + "\\CLSID", strClsid) &&
               SetClassesValue(hRoot, strBase + strClsidKey, m_strProgID) &&
               SetClassesValue(hRoot, strBase + strClsidKey + "\\ProgID", m_strProgID) &&
               SetClassesValue(hRoot, strBase + strClsidKey + "\\LocalServer32", strServer);
    };
    if (writeAll(HKEY_LOCAL_MACHINE, "Software\\Classes\\"))
        return TRUE;
    return writeAll(HKEY_CURRENT_USER, "Software\\Classes\\");
}

BOOL COleObjectFactory::RegisterAll()
{
    BOOL bResult = TRUE;
    for (COleObjectFactory* p = s_pFirstFactory; p != nullptr; p = p->m_pNextFactory)
        bResult = p->Register() && bResult;
    return bResult;
}

void COleObjectFactory::RevokeAll()
{
    for (COleObjectFactory* p = s_pFirstFactory; p != nullptr; p = p->m_pNextFactory)
        p->Revoke();
}

BOOL COleObjectFactory::UpdateRegistryAll()
{
    BOOL bResult = TRUE;
    for (COleObjectFactory* p = s_pFirstFactory; p != nullptr; p = p->m_pNextFactory)
        bResult = p->UpdateRegistry() && bResult;
    return bResult;
}
