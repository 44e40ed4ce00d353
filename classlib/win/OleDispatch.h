// Automation of command targets: dispatch maps, interface maps and the errors a member may raise.
//
// A class that declares DECLARE_DISPATCH_MAP() lists its members between BEGIN_DISPATCH_MAP(class, base)
// and END_DISPATCH_MAP(); each DISP_FUNCTION names the member, its result type (VT_*) and a string of its
// parameter types (VTS_*, written one after another). The members of the most derived map take the
// dispatch ids 1, 2, 3... in map order; a base map's entries take their position plus 0x10000 times its
// distance from the derived map. GetIDsOfNames finds a name without regard to case; Invoke coerces each
// argument to its parameter's type (an argument passed by reference is read through), calls the member
// through a thunk made from its own signature, and turns the result into a VARIANT. A class-library
// exception raised by a member becomes DISP_E_EXCEPTION with its text in the EXCEPINFO (the exception is
// deleted); the object stays usable. There is no type library: GetTypeInfoCount answers 0.
//
// Parameter types and the C++ types their members take:
//   VTS_BOOL BOOL, VTS_I2 short, VTS_I4 long, VTS_BSTR LPCTSTR (ANSI text of the argument),
//   VTS_VARIANT const VARIANT&, VTS_DISPATCH IDispatch*, VTS_PI4 long*, VTS_PVARIANT VARIANT*
//   (by reference: the caller's variable, or a copy when the caller passed a value).
// Results: VT_BOOL, VT_I2, VT_I4 (integers), VT_BSTR (CString), VT_VARIANT (VARIANT, whose ownership
// passes to the caller), VT_DISPATCH (IDispatch*, its reference passes to the caller), VT_EMPTY (void).
//
// An interface map (DECLARE_INTERFACE_MAP, BEGIN_INTERFACE_MAP, INTERFACE_PART(class, iid, Dispatch))
// lists further interface ids that QueryInterface answers with the object's IDispatch.
#pragma once

#include "classlib/CmdTarget.h"
#include "classlib/Exceptions.h"

#include <ole2.h>
#include <oleauto.h>

#include <tuple>
#include <utility>

// Parameter type strings; a by-reference type is its VT_* with 0x40 added.
#define VTS_NONE ""
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_BSTR "\x08"
#define VTS_DISPATCH "\x09"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"
#define VTS_PI2 "\x42"
#define VTS_PI4 "\x43"
#define VTS_PVARIANT "\x4C"
#define AFX_VTS_BYREF 0x40

// BSTR <-> text of the ANSI code page.
CString AfxStringFromBSTR(BSTR bstr);
BSTR AfxAllocBSTR(LPCTSTR lpsz); // SysFreeString frees it

// An OLE status raised as a class-library exception.
class COleException : public CException
{
    DECLARE_DYNAMIC(COleException)

public:
    explicit COleException(SCODE sc = S_OK) : m_sc(sc) {}
    // The system's text for the status (or its code in hex).
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
    // The status a caught exception stands for (E_FAIL for other kinds, E_OUTOFMEMORY for memory).
    static SCODE Process(const CException* pAnyException);
    SCODE m_sc;
};

// COleDispatchException (an automation error with its own text) is in classlib/Exceptions.h.

[[noreturn]] void AfxThrowOleException(SCODE sc);
// Fills the EXCEPINFO a dispatch error carries from any class-library exception (its text, its code).
void AfxFillExcepInfo(EXCEPINFO* pInfo, const CException* pException);
// The exception an EXCEPINFO describes (thrown by the dispatch driver).
[[noreturn]] void AfxThrowFromExcepInfo(const EXCEPINFO& info);

// ---- dispatch maps ----

typedef HRESULT (*AFX_DISPCALL)(CCmdTarget* pTarget, VARIANT* pArgs, VARIANT* pResult);

struct AFX_DISPMAP_ENTRY
{
    LPCSTR lpszName; // NULL ends the map
    LPCSTR lpszParams;
    VARTYPE vtResult;
    AFX_DISPCALL pfnCall;
};

struct AFX_DISPMAP
{
    const AFX_DISPMAP* (*pfnGetBaseMap)();
    const AFX_DISPMAP_ENTRY* lpEntries;
};

struct AFX_INTERFACEMAP_ENTRY
{
    const IID* piid; // NULL ends the map
};

struct AFX_INTERFACEMAP
{
    const AFX_INTERFACEMAP* (*pfnGetBaseMap)();
    const AFX_INTERFACEMAP_ENTRY* lpEntries;
};

// Argument conversion for the thunks: each argument VARIANT already has its parameter's type.
namespace afxdisp {

template <class T> struct Arg;
template <> struct Arg<BOOL>
{
    static BOOL Get(VARIANT& v, CString&) { return v.vt == VT_BOOL ? (v.boolVal != 0) : v.lVal; }
};
template <> struct Arg<short>
{
    static short Get(VARIANT& v, CString&) { return v.iVal; }
};
template <> struct Arg<long>
{
    static long Get(VARIANT& v, CString&) { return v.lVal; }
};
template <> struct Arg<LPCTSTR>
{
    static LPCTSTR Get(VARIANT& v, CString& tmp)
    {
        tmp = AfxStringFromBSTR(v.bstrVal);
        return tmp;
    }
};
template <> struct Arg<const VARIANT&>
{
    static const VARIANT& Get(VARIANT& v, CString&) { return v; }
};
template <> struct Arg<IDispatch*>
{
    static IDispatch* Get(VARIANT& v, CString&) { return v.pdispVal; }
};
template <> struct Arg<long*>
{
    static long* Get(VARIANT& v, CString&) { return v.plVal; }
};
template <> struct Arg<short*>
{
    static short* Get(VARIANT& v, CString&) { return v.piVal; }
};
template <> struct Arg<VARIANT*>
{
    static VARIANT* Get(VARIANT& v, CString&) { return v.pvarVal; }
};

// The result into *pResult (which the caller set to VT_EMPTY).
void SetResult(VARIANT* pResult, long lValue);
void SetResult(VARIANT* pResult, const CString& str);
void SetResult(VARIANT* pResult, const VARIANT& var);
void SetResult(VARIANT* pResult, IDispatch* pDispatch);

template <class T, class R, class... A, size_t... I>
HRESULT Call(T* pThis, R (T::*pmf)(A...), VARIANT* pArgs, VARIANT* pResult, std::index_sequence<I...>)
{
    CString tmp[sizeof...(A) + 1];
    (void)tmp;
    (void)pArgs;
    if constexpr (std::is_void_v<R>) {
        (pThis->*pmf)(Arg<A>::Get(pArgs[I], tmp[I])...);
    } else if constexpr (std::is_integral_v<R>) {
        SetResult(pResult, static_cast<long>((pThis->*pmf)(Arg<A>::Get(pArgs[I], tmp[I])...)));
    } else {
        SetResult(pResult, (pThis->*pmf)(Arg<A>::Get(pArgs[I], tmp[I])...));
    }
    return S_OK;
}

template <class PMF> struct MemberClass;
template <class T, class R, class... A> struct MemberClass<R (T::*)(A...)>
{
    using Class = T;
    static constexpr size_t nArgs = sizeof...(A);
};

template <auto PMF> HRESULT Thunk(CCmdTarget* pTarget, VARIANT* pArgs, VARIANT* pResult)
{
    using Info = MemberClass<decltype(PMF)>;
    return Call(static_cast<typename Info::Class*>(pTarget), PMF, pArgs, pResult,
                std::make_index_sequence<Info::nArgs>());
}

} // namespace afxdisp

#define DECLARE_DISPATCH_MAP()                                                                               \
protected:                                                                                                   \
    static const AFX_DISPMAP* GetThisDispatchMap();                                                          \
    const AFX_DISPMAP* GetDispatchMap() const override;                                                      \
                                                                                                             \
public:

#define BEGIN_DISPATCH_MAP(theClass, baseClass)                                                              \
    const AFX_DISPMAP* theClass::GetDispatchMap() const                                                      \
    {                                                                                                        \
        return GetThisDispatchMap();                                                                         \
    }                                                                                                        \
    const AFX_DISPMAP* theClass::GetThisDispatchMap()                                                        \
    {                                                                                                        \
        typedef theClass ThisClass;                                                                          \
        typedef baseClass TheBaseClass;                                                                      \
        static const AFX_DISPMAP_ENTRY entries[] = {

#define DISP_FUNCTION(theClass, szExternalName, pfnMember, vtRetVal, vtsParams)                              \
    {szExternalName, vtsParams, vtRetVal, &afxdisp::Thunk<&theClass::pfnMember>},

#define END_DISPATCH_MAP()                                                                                   \
    {nullptr, nullptr, VT_EMPTY, nullptr}                                                                    \
    }                                                                                                        \
    ;                                                                                                        \
    static const AFX_DISPMAP map = {&TheBaseClass::GetThisDispatchMap, &entries[0]};                         \
    (void)sizeof(ThisClass);                                                                                 \
    return &map;                                                                                             \
    }

#define DECLARE_INTERFACE_MAP()                                                                              \
protected:                                                                                                   \
    static const AFX_INTERFACEMAP* GetThisInterfaceMap();                                                    \
    const AFX_INTERFACEMAP* GetInterfaceMap() const override;                                                \
                                                                                                             \
public:

#define BEGIN_INTERFACE_MAP(theClass, baseClass)                                                             \
    const AFX_INTERFACEMAP* theClass::GetInterfaceMap() const                                                \
    {                                                                                                        \
        return GetThisInterfaceMap();                                                                        \
    }                                                                                                        \
    const AFX_INTERFACEMAP* theClass::GetThisInterfaceMap()                                                  \
    {                                                                                                        \
        typedef baseClass TheBaseClass;                                                                      \
        static const AFX_INTERFACEMAP_ENTRY entries[] = {

// Only the object's IDispatch can answer an interface id here.
#define INTERFACE_PART(theClass, iid, localClass) {&iid},

#define END_INTERFACE_MAP()                                                                                  \
    {nullptr}                                                                                                \
    }                                                                                                        \
    ;                                                                                                        \
    static const AFX_INTERFACEMAP map = {&TheBaseClass::GetThisInterfaceMap, &entries[0]};                   \
    return &map;                                                                                             \
    }
