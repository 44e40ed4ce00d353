#include "classlib/win/OleDispatchDriver.h"

#include <cstring>
#include <vector>

BOOL COleDispatchDriver::CreateDispatch(REFCLSID clsid, COleException* pError)
{
    ReleaseDispatch();
    IDispatch* pDispatch = nullptr;
    const HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch,
                                          reinterpret_cast<void**>(&pDispatch));
    if (FAILED(hr)) {
        if (pError != nullptr)
            pError->m_sc = hr;
        return FALSE;
    }
    AttachDispatch(pDispatch, TRUE);
    return TRUE;
}

BOOL COleDispatchDriver::CreateDispatch(LPCTSTR lpszProgID, COleException* pError)
{
    BSTR bstr = AfxAllocBSTR(lpszProgID);
    CLSID clsid;
    const HRESULT hr = ::CLSIDFromProgID(bstr, &clsid);
    ::SysFreeString(bstr);
    if (FAILED(hr)) {
        if (pError != nullptr)
            pError->m_sc = hr;
        return FALSE;
    }
    return CreateDispatch(clsid, pError);
}

void COleDispatchDriver::AttachDispatch(IDispatch* pDispatch, BOOL bAutoRelease)
{
    ReleaseDispatch();
    m_lpDispatch = pDispatch;
    m_bAutoRelease = bAutoRelease;
}

IDispatch* COleDispatchDriver::DetachDispatch()
{
    IDispatch* p = m_lpDispatch;
    m_lpDispatch = nullptr;
    return p;
}

void COleDispatchDriver::ReleaseDispatch()
{
    if (m_lpDispatch != nullptr) {
        if (m_bAutoRelease)
            m_lpDispatch->Release();
        m_lpDispatch = nullptr;
    }
}

DISPID COleDispatchDriver::GetIDOfName(LPCTSTR lpszName)
{
    if (m_lpDispatch == nullptr)
        AfxThrowOleException(E_UNEXPECTED);
    BSTR bstr = AfxAllocBSTR(lpszName);
    DISPID dispid = DISPID_UNKNOWN;
    const HRESULT hr = m_lpDispatch->GetIDsOfNames(IID_NULL, &bstr, 1, LOCALE_USER_DEFAULT, &dispid);
    ::SysFreeString(bstr);
    if (FAILED(hr))
        AfxThrowOleException(hr);
    return dispid;
}

void COleDispatchDriver::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                      const char* pbParamInfo, ...)
{
    va_list argList;
    va_start(argList, pbParamInfo);
    try {
        InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
    } catch (...) {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

namespace {

// Reads one argument of type nType from the list into v (a BSTR made here is freed by VariantClear).
void ReadArgument(BYTE nType, va_list& argList, VARIANT& v)
{
    if (nType & AFX_VTS_BYREF) {
        v.vt = static_cast<VARTYPE>(VT_BYREF | (nType & ~AFX_VTS_BYREF));
        v.byref = va_arg(argList, void*);
        return;
    }
    v.vt = nType;
    switch (nType) {
    case VT_BOOL:
        v.boolVal = va_arg(argList, int) ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VT_I2:
        v.iVal = static_cast<SHORT>(va_arg(argList, int));
        break;
    case VT_I4:
        v.lVal = va_arg(argList, long);
        break;
    case VT_BSTR:
        v.bstrVal = AfxAllocBSTR(va_arg(argList, LPCTSTR));
        break;
    case VT_DISPATCH:
        v.pdispVal = va_arg(argList, IDispatch*);
        if (v.pdispVal != nullptr)
            v.pdispVal->AddRef(); // VariantClear releases it
        break;
    case VT_VARIANT: {
        const VARIANT* pSource = va_arg(argList, const VARIANT*);
        v.vt = VT_EMPTY;
        if (FAILED(::VariantCopy(&v, const_cast<VARIANT*>(pSource))))
            AfxThrowOleException(E_OUTOFMEMORY);
        break;
    }
    default:
        AfxThrowOleException(E_INVALIDARG);
    }
}

void StoreResult(VARTYPE vtRet, VARIANT& result, void* pvRet)
{
    if (vtRet == VT_EMPTY || pvRet == nullptr)
        return;
    if (vtRet == VT_VARIANT) {
        *static_cast<VARIANT*>(pvRet) = result; // ownership passes to the caller
        result.vt = VT_EMPTY;
        return;
    }
    if (result.vt != vtRet) {
        const HRESULT hr = ::VariantChangeType(&result, &result, 0, vtRet);
        if (FAILED(hr))
            AfxThrowOleException(hr);
    }
    switch (vtRet) {
    case VT_BOOL:
        *static_cast<BOOL*>(pvRet) = result.boolVal != 0;
        break;
    case VT_I2:
        *static_cast<short*>(pvRet) = result.iVal;
        break;
    case VT_I4:
        *static_cast<long*>(pvRet) = result.lVal;
        break;
    case VT_BSTR:
        *static_cast<CString*>(pvRet) = AfxStringFromBSTR(result.bstrVal);
        break;
    case VT_DISPATCH:
        *static_cast<IDispatch**>(pvRet) = result.pdispVal;
        result.vt = VT_EMPTY; // the reference passes to the caller
        break;
    default:
        AfxThrowOleException(E_INVALIDARG);
    }
}

} // namespace

void COleDispatchDriver::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                       const char* pbParamInfo, va_list argList)
{
    if (m_lpDispatch == nullptr)
        AfxThrowOleException(E_UNEXPECTED);
    const size_t nArgs = pbParamInfo != nullptr ? std::strlen(pbParamInfo) : 0;
    std::vector<VARIANT> args(nArgs + 1);
    for (VARIANT& v : args)
        ::VariantInit(&v);
    struct Clear
    {
        std::vector<VARIANT>& args;
        ~Clear()
        {
            for (VARIANT& v : args)
                ::VariantClear(&v);
        }
    } clear{args};
    // DISPPARAMS wants them last first.
    for (size_t i = 0; i < nArgs; ++i)
        ReadArgument(static_cast<BYTE>(pbParamInfo[i]), argList, args[nArgs - 1 - i]);
    DISPPARAMS params = {args.data(), nullptr, static_cast<UINT>(nArgs), 0};
    DISPID dispidNamed = DISPID_PROPERTYPUT;
    if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.cNamedArgs = 1;
        params.rgdispidNamedArgs = &dispidNamed;
    }
    VARIANT result;
    ::VariantInit(&result);
    EXCEPINFO excepInfo = {};
    UINT nArgErr = 0;
    const HRESULT hr = m_lpDispatch->Invoke(dwDispID, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params,
                                            vtRet == VT_EMPTY ? nullptr : &result, &excepInfo, &nArgErr);
    if (hr == DISP_E_EXCEPTION) {
        if (excepInfo.pfnDeferredFillIn != nullptr)
            excepInfo.pfnDeferredFillIn(&excepInfo);
        struct FreeInfo
        {
            EXCEPINFO& info;
            ~FreeInfo()
            {
                ::SysFreeString(info.bstrSource);
                ::SysFreeString(info.bstrDescription);
                ::SysFreeString(info.bstrHelpFile);
            }
        } freeInfo{excepInfo};
        AfxThrowFromExcepInfo(excepInfo);
    }
    if (FAILED(hr))
        AfxThrowOleException(hr);
    try {
        StoreResult(vtRet, result, pvRet);
    } catch (...) {
        ::VariantClear(&result);
        throw;
    }
    ::VariantClear(&result);
}
