// The IDispatch of command targets: reference counting, interface lookup and the dispatch map's Invoke.
#include "classlib/win/OleDispatch.h"

#include "classlib/WinApp.h"

#include <cstring>
#include <new>
#include <vector>

IMPLEMENT_DYNAMIC(COleException, CException)

// ---- texts ----

CString AfxStringFromBSTR(BSTR bstr)
{
    CString str;
    const int nChars = bstr != nullptr ? static_cast<int>(::SysStringLen(bstr)) : 0;
    if (nChars == 0)
        return str;
    const int nBytes = ::WideCharToMultiByte(CP_ACP, 0, bstr, nChars, nullptr, 0, nullptr, nullptr);
    std::vector<char> buf(static_cast<size_t>(nBytes) + 1);
    ::WideCharToMultiByte(CP_ACP, 0, bstr, nChars, buf.data(), nBytes, nullptr, nullptr);
    buf[static_cast<size_t>(nBytes)] = '\0';
    str = buf.data();
    return str;
}

BSTR AfxAllocBSTR(LPCTSTR lpsz)
{
    if (lpsz == nullptr)
        lpsz = "";
    const int nLen = lstrlen(lpsz);
    const int nWide = ::MultiByteToWideChar(CP_ACP, 0, lpsz, nLen, nullptr, 0);
    BSTR bstr = ::SysAllocStringLen(nullptr, static_cast<UINT>(nWide));
    if (bstr == nullptr)
        AfxThrowMemoryException();
    ::MultiByteToWideChar(CP_ACP, 0, lpsz, nLen, bstr, nWide);
    return bstr;
}

// ---- exceptions ----

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    char* pMsg = nullptr;
    const DWORD n = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                         FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, static_cast<DWORD>(m_sc), 0, reinterpret_cast<LPSTR>(&pMsg),
                                     0, nullptr);
    if (n != 0 && pMsg != nullptr) {
        lstrcpyn(lpszError, pMsg, static_cast<int>(nMaxError));
        ::LocalFree(pMsg);
    } else {
        wsprintfA(lpszError, "%08lX", static_cast<unsigned long>(m_sc));
    }
    return TRUE;
}

SCODE COleException::Process(const CException* pAnyException)
{
    if (pAnyException->IsKindOf(RUNTIME_CLASS(COleException)))
        return static_cast<const COleException*>(pAnyException)->m_sc;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        return E_OUTOFMEMORY;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CNotSupportedException)))
        return E_NOTIMPL;
    return E_UNEXPECTED;
}

void AfxThrowOleException(SCODE sc)
{
    throw new COleException(sc);
}

void AfxFillExcepInfo(EXCEPINFO* pInfo, const CException* pException)
{
    std::memset(pInfo, 0, sizeof(*pInfo));
    CString strSource;
    if (AfxGetApp() != nullptr && AfxGetApp()->m_pszAppName != nullptr)
        strSource = AfxGetApp()->m_pszAppName;
    if (pException->IsKindOf(RUNTIME_CLASS(COleDispatchException))) {
        const auto* pDisp = static_cast<const COleDispatchException*>(pException);
        pInfo->wCode = pDisp->m_wCode;
        pInfo->scode = pDisp->m_wCode != 0 ? 0 : (pDisp->m_scError != 0 ? pDisp->m_scError : E_UNEXPECTED);
        pInfo->dwHelpContext = pDisp->m_dwHelpContext;
        if (!pDisp->m_strSource.IsEmpty())
            strSource = pDisp->m_strSource;
        if (!pDisp->m_strHelpFile.IsEmpty())
            pInfo->bstrHelpFile = AfxAllocBSTR(pDisp->m_strHelpFile);
        pInfo->bstrDescription = AfxAllocBSTR(pDisp->m_strDescription);
    } else {
        pInfo->scode = COleException::Process(pException);
        pInfo->bstrDescription = AfxAllocBSTR(pException->GetErrorText());
    }
    pInfo->bstrSource = AfxAllocBSTR(strSource);
}

void AfxThrowFromExcepInfo(const EXCEPINFO& info)
{
    auto* pException = new COleDispatchException(AfxStringFromBSTR(info.bstrDescription),
                                                 info.dwHelpContext, info.wCode);
    pException->m_scError = info.scode;
    pException->m_strSource = AfxStringFromBSTR(info.bstrSource);
    pException->m_strHelpFile = AfxStringFromBSTR(info.bstrHelpFile);
    throw pException;
}

// ---- results of the thunks ----

namespace afxdisp {

void SetResult(VARIANT* pResult, long lValue)
{
    pResult->vt = VT_I4;
    pResult->lVal = lValue;
}

void SetResult(VARIANT* pResult, const CString& str)
{
    pResult->vt = VT_BSTR;
    pResult->bstrVal = AfxAllocBSTR(str);
}

void SetResult(VARIANT* pResult, const VARIANT& var)
{
    *pResult = var; // the member's VARIANT is handed on, not copied
}

void SetResult(VARIANT* pResult, IDispatch* pDispatch)
{
    pResult->vt = VT_DISPATCH;
    pResult->pdispVal = pDispatch;
}

} // namespace afxdisp

// ---- the IDispatch part ----

namespace {

// Finds the entry of dispid (see the header for the numbering); NULL when none.
const AFX_DISPMAP_ENTRY* FindEntry(const AFX_DISPMAP* pMap, DISPID dispid)
{
    const long nLevel = static_cast<long>(dispid) >> 16;
    const long nIndex = static_cast<long>(dispid) & 0xFFFF;
    for (long i = 0; i < nLevel && pMap != nullptr; ++i)
        pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr;
    if (pMap == nullptr || nIndex < 1)
        return nullptr;
    for (long i = 1; pMap->lpEntries[i - 1].lpszName != nullptr; ++i)
        if (i == nIndex)
            return &pMap->lpEntries[i - 1];
    return nullptr;
}

// One argument made to fit its parameter type; by-reference parameters point into the caller's
// variable (or into pLocal, a copy, when the caller passed a value).
HRESULT CoerceArgument(VARIANT* pSource, BYTE nType, VARIANT* pArg, VARIANT* pLocal)
{
    if (nType & AFX_VTS_BYREF) {
        const VARTYPE vtBase = static_cast<VARTYPE>(nType & ~AFX_VTS_BYREF);
        VARIANT* pInner = pSource;
        if (pSource->vt == (VT_BYREF | VT_VARIANT) && vtBase != VT_VARIANT)
            pInner = pSource->pvarVal;
        if (vtBase == VT_VARIANT) {
            pArg->vt = VT_BYREF | VT_VARIANT;
            if (pSource->vt == (VT_BYREF | VT_VARIANT)) {
                pArg->pvarVal = pSource->pvarVal;
                return S_OK;
            }
            HRESULT hr = ::VariantCopyInd(pLocal, pSource);
            pArg->pvarVal = pLocal;
            return hr;
        }
        if (pInner->vt == (VT_BYREF | vtBase)) {
            *pArg = *pInner;
            return S_OK;
        }
        if (pInner->vt == vtBase) {
            // A variable of the right type inside the caller's VARIANT, or a plain value.
            pArg->vt = VT_BYREF | vtBase;
            pArg->byref = &pInner->lVal;
            return S_OK;
        }
        HRESULT hr = ::VariantChangeType(pLocal, pInner, 0, vtBase);
        pArg->vt = VT_BYREF | vtBase;
        pArg->byref = &pLocal->lVal;
        return hr;
    }
    HRESULT hr = ::VariantCopyInd(pLocal, pSource);
    if (SUCCEEDED(hr) && nType != VT_VARIANT && pLocal->vt != nType)
        hr = ::VariantChangeType(pLocal, pLocal, 0, nType);
    *pArg = *pLocal;
    return hr;
}

class DispatchPart final : public IDispatch
{
public:
    explicit DispatchPart(CCmdTarget* pOwner) : m_pOwner(pOwner) {}
    virtual ~DispatchPart() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        return m_pOwner->ExternalQueryInterface(&riid, ppv);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return m_pOwner->ExternalAddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return m_pOwner->ExternalRelease(); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override
    {
        if (pctinfo == nullptr)
            return E_POINTER;
        *pctinfo = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo != nullptr)
            *ppTInfo = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID,
                                            DISPID* rgDispId) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID riid, LCID, WORD wFlags, DISPPARAMS* pParams,
                                     VARIANT* pResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

    CCmdTarget* m_pOwner;
};

HRESULT DispatchPart::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId)
{
    if (cNames == 0 || rgszNames == nullptr || rgDispId == nullptr)
        return E_INVALIDARG;
    for (UINT i = 0; i < cNames; ++i)
        rgDispId[i] = DISPID_UNKNOWN;
    BSTR bstr = ::SysAllocString(rgszNames[0]);
    const CString strName = AfxStringFromBSTR(bstr);
    ::SysFreeString(bstr);
    long nLevel = 0;
    for (const AFX_DISPMAP* pMap = m_pOwner->GetDispatchMap(); pMap != nullptr; ++nLevel) {
        for (long i = 0; pMap->lpEntries[i].lpszName != nullptr; ++i) {
            if (lstrcmpi(pMap->lpEntries[i].lpszName, strName) == 0) {
                rgDispId[0] = static_cast<DISPID>((nLevel << 16) | (i + 1));
                // Parameter names are not known.
                return cNames == 1 ? S_OK : DISP_E_UNKNOWNNAME;
            }
        }
        pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr;
    }
    return DISP_E_UNKNOWNNAME;
}

HRESULT DispatchPart::Invoke(DISPID dispid, REFIID riid, LCID, WORD wFlags, DISPPARAMS* pParams,
                             VARIANT* pResult, EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if ((wFlags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) == 0)
        return DISP_E_MEMBERNOTFOUND;
    const AFX_DISPMAP_ENTRY* pEntry = FindEntry(m_pOwner->GetDispatchMap(), dispid);
    if (pEntry == nullptr)
        return DISP_E_MEMBERNOTFOUND;
    if (pParams == nullptr)
        return E_INVALIDARG;
    if (pParams->cNamedArgs != 0)
        return DISP_E_NONAMEDARGS;
    const UINT nParams = static_cast<UINT>(std::strlen(pEntry->lpszParams));
    if (pParams->cArgs != nParams)
        return DISP_E_BADPARAMCOUNT;

    // rgvarg holds the arguments last first.
    std::vector<VARIANT> args(nParams + 1), locals(nParams + 1);
    for (VARIANT& v : locals)
        ::VariantInit(&v);
    for (VARIANT& v : args)
        ::VariantInit(&v);
    HRESULT hr = S_OK;
    for (UINT i = 0; i < nParams && SUCCEEDED(hr); ++i) {
        hr = CoerceArgument(&pParams->rgvarg[nParams - 1 - i], static_cast<BYTE>(pEntry->lpszParams[i]),
                            &args[i], &locals[i]);
        if (FAILED(hr)) {
            if (puArgErr != nullptr)
                *puArgErr = nParams - 1 - i;
            hr = DISP_E_TYPEMISMATCH;
        }
    }
    VARIANT result;
    ::VariantInit(&result);
    if (SUCCEEDED(hr)) {
        try {
            hr = pEntry->pfnCall(m_pOwner, args.data(), &result);
        } catch (CException* e) {
            if (pExcepInfo != nullptr)
                AfxFillExcepInfo(pExcepInfo, e);
            e->Delete();
            hr = DISP_E_EXCEPTION;
        } catch (const std::bad_alloc&) {
            hr = E_OUTOFMEMORY;
        }
    }
    for (VARIANT& v : locals)
        ::VariantClear(&v);
    if (SUCCEEDED(hr) && pEntry->vtResult != VT_EMPTY && pEntry->vtResult != VT_VARIANT &&
        result.vt != pEntry->vtResult)
        hr = ::VariantChangeType(&result, &result, 0, pEntry->vtResult);
    if (SUCCEEDED(hr) && pResult != nullptr)
        *pResult = result;
    else
        ::VariantClear(&result);
    return hr;
}

} // namespace

void AfxFreeDispatchPart(IDispatch* pPart)
{
    delete static_cast<DispatchPart*>(pPart);
}

// ---- CCmdTarget's automation ----

void CCmdTarget::EnableAutomation()
{
    if (m_pDispatchPart == nullptr)
        m_pDispatchPart = new DispatchPart(this);
}

IDispatch* CCmdTarget::GetIDispatch(BOOL bAddRef)
{
    if (m_pDispatchPart != nullptr && bAddRef)
        ExternalAddRef();
    return m_pDispatchPart;
}

CCmdTarget* CCmdTarget::FromIDispatch(IDispatch* pDispatch)
{
    // Only our own parts are recognised: their vtable is DispatchPart's.
    static DispatchPart probe(nullptr);
    if (pDispatch == nullptr || *reinterpret_cast<void**>(pDispatch) != *reinterpret_cast<void**>(&probe))
        return nullptr;
    return static_cast<DispatchPart*>(pDispatch)->m_pOwner;
}

ULONG CCmdTarget::ExternalAddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_dwRef));
}

ULONG CCmdTarget::ExternalRelease()
{
    const long n = ::InterlockedDecrement(&m_dwRef);
    if (n == 0)
        OnFinalRelease();
    return static_cast<ULONG>(n);
}

long CCmdTarget::ExternalQueryInterface(const void* piid, void** ppvObj)
{
    if (ppvObj == nullptr)
        return E_POINTER;
    *ppvObj = nullptr;
    const IID& iid = *static_cast<const IID*>(piid);
    BOOL bFound = m_pDispatchPart != nullptr && (iid == IID_IUnknown || iid == IID_IDispatch);
    for (const AFX_INTERFACEMAP* pMap = GetInterfaceMap(); !bFound && pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr)
        for (const AFX_INTERFACEMAP_ENTRY* p = pMap->lpEntries; !bFound && p->piid != nullptr; ++p)
            bFound = m_pDispatchPart != nullptr && *p->piid == iid;
    if (!bFound)
        return E_NOINTERFACE;
    *ppvObj = m_pDispatchPart;
    ExternalAddRef();
    return S_OK;
}

void CCmdTarget::OnFinalRelease()
{
    delete this;
}

namespace {
const AFX_DISPMAP_ENTRY g_rootDispEntries[] = {{nullptr, nullptr, VT_EMPTY, nullptr}};
const AFX_DISPMAP g_rootDispMap = {nullptr, &g_rootDispEntries[0]};
const AFX_INTERFACEMAP_ENTRY g_rootInterfaceEntries[] = {{nullptr}};
const AFX_INTERFACEMAP g_rootInterfaceMap = {nullptr, &g_rootInterfaceEntries[0]};
} // namespace

const AFX_DISPMAP* CCmdTarget::GetThisDispatchMap()
{
    return &g_rootDispMap;
}

const AFX_DISPMAP* CCmdTarget::GetDispatchMap() const
{
    return GetThisDispatchMap();
}

const AFX_INTERFACEMAP* CCmdTarget::GetThisInterfaceMap()
{
    return &g_rootInterfaceMap;
}

const AFX_INTERFACEMAP* CCmdTarget::GetInterfaceMap() const
{
    return GetThisInterfaceMap();
}
