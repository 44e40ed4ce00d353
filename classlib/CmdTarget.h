// CCmdTarget: the base of every object that can receive commands (documents, templates, the application,
// and later windows).
//
// Command routing is inert until frames exist: OnCmdMsg handles nothing and answers FALSE. The window
// half adds message maps and routing by overriding OnCmdMsg, without changing the classes built on this.
// The wait-cursor helpers forward to the class library's wait cursor and keep no state here.
#pragma once

#include "classlib/Object.h"

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)

public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;

    // Offers the command (nID, nCode) to this target; TRUE when it was handled.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
};
