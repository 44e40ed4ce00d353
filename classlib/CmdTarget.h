// CCmdTarget: the base of every object that receives commands (documents, templates, the application,
// windows).
//
// OnCmdMsg searches the object's message map chain (MessageMap.h) for an entry that takes the command and
// calls it; a window or frame overrides OnCmdMsg to pass commands on to other targets first or afterwards
// (view, document, frame, application). With pHandlerInfo given, nothing is called: the entry found is
// reported, so that callers can ask whether a handler exists.
// The wait-cursor helpers forward to the class library's wait cursor and keep no state here.
#pragma once

#include "classlib/Object.h"
#include "classlib/MessageMap.h"

#ifdef _WIN32
struct AFX_DISPMAP;
struct AFX_INTERFACEMAP;
struct IDispatch;
#endif

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)

public:
    CCmdTarget() = default;
    ~CCmdTarget() override;

    // Offers the command (nID, nCode) to this target; TRUE when it was handled.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // The chain's root: every map of a derived class ends here.
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Runs one entry's handler for a command; FALSE when the handler declined (an _EX handler).
    static BOOL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, void* pExtra,
                               const AFX_MSGMAP_ENTRY* pEntry);

#ifdef _WIN32
    // Automation (classlib/win/OleDispatch.h): after EnableAutomation the object answers IDispatch
    // through its dispatch map and the interface ids of its interface map. Its COM life is the
    // external count, 1 at construction: the release that brings it to 0 calls OnFinalRelease, which
    // deletes the object.
    void EnableAutomation();
    BOOL IsAutomationEnabled() const { return m_pDispatchPart != nullptr; }
    // The object's IDispatch (NULL without automation), with a reference added when bAddRef.
    IDispatch* GetIDispatch(BOOL bAddRef);
    static CCmdTarget* FromIDispatch(IDispatch* pDispatch);
    ULONG ExternalAddRef();
    ULONG ExternalRelease();
    // IUnknown and IDispatch when automation is on, and every id of the interface map.
    long ExternalQueryInterface(const void* piid, void** ppvObj);
    virtual void OnFinalRelease();

    static const AFX_DISPMAP* GetThisDispatchMap();
    virtual const AFX_DISPMAP* GetDispatchMap() const;
    static const AFX_INTERFACEMAP* GetThisInterfaceMap();
    virtual const AFX_INTERFACEMAP* GetInterfaceMap() const;

    long m_dwRef = 1;

private:
    IDispatch* m_pDispatchPart = nullptr; // owned; made by EnableAutomation
#endif
};
