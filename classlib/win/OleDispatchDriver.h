// COleDispatchDriver: calls an automation object's members through its IDispatch.
//
// CreateDispatch makes the object from a class id or ProgID (any server kind) and holds its IDispatch;
// the driver releases it in ReleaseDispatch or its destructor (unless m_bAutoRelease is FALSE).
// InvokeHelper calls member dwDispID with the arguments that follow pbParamInfo (a VTS_* string), read as
// the C++ types a call passes through "...": VTS_BOOL and VTS_I2 as int (promoted), VTS_I4 as long,
// VTS_BSTR as LPCTSTR, VTS_VARIANT as const VARIANT*, VTS_DISPATCH as IDispatch*, by-reference types as
// pointers (long*, short*, VARIANT*). The result goes to pvRet by vtRet: VT_BOOL BOOL*, VT_I2 short*,
// VT_I4 long*, VT_BSTR CString*, VT_VARIANT VARIANT* (the caller clears it), VT_DISPATCH IDispatch**
// (the caller releases it), VT_EMPTY nothing. A failure throws: a dispatch exception from the server as
// COleDispatchException with its text and code, any other failure as COleException with its status.
#pragma once

#include "classlib/win/OleDispatch.h"

#include <cstdarg>

class COleDispatchDriver
{
public:
    COleDispatchDriver() = default;
    explicit COleDispatchDriver(IDispatch* pDispatch, BOOL bAutoRelease = TRUE)
        : m_lpDispatch(pDispatch), m_bAutoRelease(bAutoRelease)
    {
    }
    ~COleDispatchDriver() { ReleaseDispatch(); }
    COleDispatchDriver(const COleDispatchDriver&) = delete;
    COleDispatchDriver& operator=(const COleDispatchDriver&) = delete;

    // FALSE when the object cannot be made; pError (may be NULL) receives the status.
    BOOL CreateDispatch(REFCLSID clsid, COleException* pError = nullptr);
    BOOL CreateDispatch(LPCTSTR lpszProgID, COleException* pError = nullptr);
    void AttachDispatch(IDispatch* pDispatch, BOOL bAutoRelease = TRUE);
    IDispatch* DetachDispatch();
    void ReleaseDispatch();

    // The id of a member name (case as the server compares it); throws COleException when unknown.
    DISPID GetIDOfName(LPCTSTR lpszName);

    void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const char* pbParamInfo, ...);
    void InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const char* pbParamInfo,
                       va_list argList);

    IDispatch* m_lpDispatch = nullptr;
    BOOL m_bAutoRelease = TRUE;
};
