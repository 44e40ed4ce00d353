// Message maps: the tables through which command targets and windows name their handlers.
//
// A class that declares DECLARE_MESSAGE_MAP() gets a table written between BEGIN_MESSAGE_MAP(class, base)
// and END_MESSAGE_MAP(); the table is chained to its base class's, and a search walks from the most derived
// table to CCmdTarget's. Each entry names the message (WM_COMMAND for commands), the notification code, an
// id range and a dispatcher: a small function made by the entry's macro that unpacks the call's arguments
// and calls the member with its own signature, so a handler of the wrong signature does not compile.
//
// Command codes: CN_COMMAND (0) runs a command, CN_UPDATE_COMMAND_UI (-1) asks its state with a CCmdUI*
// as pExtra. A control notification routed as a command carries its code in the low word and the message
// (WM_COMMAND or WM_NOTIFY) in the high word of nCode; 0 in the high word means WM_COMMAND.
//
// This half needs no window: documents and the application route commands in both builds. The window
// message entries (ON_WM_*, ON_MESSAGE, ON_NOTIFY, reflection) are in classlib/win/MsgMacros.h.
#pragma once

#include "classlib/Types.h"

#ifndef _WIN32
#define WM_NOTIFY 0x004E
#define WM_COMMAND 0x0111
#endif

class CCmdTarget;
class CCmdUI;

#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// One call travelling through a dispatcher.
struct AFX_MSGCALL
{
    UINT message;     // window message, or WM_COMMAND / WM_NOTIFY for routed commands
    WPARAM wParam;    // window messages
    LPARAM lParam;    // window messages
    UINT nID;         // commands: the command or control id
    int nCode;        // commands: the notification code (low word)
    void* pExtra;     // commands: CCmdUI* for updates, AFX_NOTIFY* for WM_NOTIFY
    LRESULT lResult;  // window messages: the result the handler gave
};

// The dispatcher of one entry: calls the handler; FALSE means "not handled after all" (the _EX handlers
// that answer FALSE), and the search goes on.
typedef BOOL (*AFX_PDISPATCH)(CCmdTarget* pTarget, AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;            // 0xC000 for a registered message: see pRegisteredMessage
    UINT nCode;               // notification code, 0 for plain window messages
    UINT nID;                 // first id
    UINT nLastID;             // last id (equal to nID for single entries)
    const UINT* pRegisteredMessage; // ON_REGISTERED_MESSAGE: the variable holding the message number
    AFX_PDISPATCH pfnDispatch; // NULL ends the table
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)(); // NULL for CCmdTarget's own map
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled by OnCmdMsg instead of calling when the caller only asks whether a handler exists.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

// After an update handler ran: TRUE unless it asked for the routing to go on (CCmdUI::ContinueRouting).
// Update handlers exist in the Windows build only (CCmdUI works on windows and menus).
BOOL AfxCmdUIHandled(CCmdUI* pCmdUI);

// The first entry from lpEntry on (in one table) that takes (message, code, id), or NULL.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID);

#define DECLARE_MESSAGE_MAP()                                                                                \
protected:                                                                                                   \
    static const AFX_MSGMAP* GetThisMessageMap();                                                            \
    const AFX_MSGMAP* GetMessageMap() const override;                                                        \
                                                                                                             \
public:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                               \
    const AFX_MSGMAP* theClass::GetMessageMap() const                                                        \
    {                                                                                                        \
        return GetThisMessageMap();                                                                          \
    }                                                                                                        \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                          \
    {                                                                                                        \
        typedef theClass ThisClass;                                                                          \
        typedef baseClass TheBaseClass;                                                                      \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                                    \
    {0, 0, 0, 0, nullptr, nullptr}                                                                           \
    }                                                                                                        \
    ;                                                                                                        \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};            \
    return &messageMap;                                                                                      \
    }

// The handler as a pointer to member of the map's class (virtual members dispatch virtually).
#define AFX_HANDLER(memberFxn) (&ThisClass::memberFxn)
#define AFX_THIS(p) (static_cast<ThisClass*>(p))

// void memberFxn()
#define ON_COMMAND(id, memberFxn)                                                                            \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), nullptr,                                                \
     [](CCmdTarget* p, AFX_MSGCALL&) -> BOOL {                                                               \
         (AFX_THIS(p)->*AFX_HANDLER(memberFxn))();                                                           \
         return TRUE;                                                                                        \
     }},

// BOOL memberFxn(UINT nID): FALSE lets the command go on to the next handler.
#define ON_COMMAND_EX(id, memberFxn)                                                                         \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), nullptr,                                                \
     [](CCmdTarget* p, AFX_MSGCALL& c) -> BOOL { return (AFX_THIS(p)->*AFX_HANDLER(memberFxn))(c.nID); }},

// void memberFxn(UINT nID)
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                              \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), nullptr,                                            \
     [](CCmdTarget* p, AFX_MSGCALL& c) -> BOOL {                                                             \
         (AFX_THIS(p)->*AFX_HANDLER(memberFxn))(c.nID);                                                      \
         return TRUE;                                                                                        \
     }},

// BOOL memberFxn(UINT nID)
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                                                           \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), nullptr,                                            \
     [](CCmdTarget* p, AFX_MSGCALL& c) -> BOOL { return (AFX_THIS(p)->*AFX_HANDLER(memberFxn))(c.nID); }},

// void memberFxn(CCmdUI* pCmdUI)
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                                  \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), nullptr,                                      \
     [](CCmdTarget* p, AFX_MSGCALL& c) -> BOOL {                                                             \
         (AFX_THIS(p)->*AFX_HANDLER(memberFxn))(static_cast<CCmdUI*>(c.pExtra));                             \
         return AfxCmdUIHandled(static_cast<CCmdUI*>(c.pExtra));                                             \
     }},

#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                                    \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(idLast), nullptr,                                  \
     [](CCmdTarget* p, AFX_MSGCALL& c) -> BOOL {                                                             \
         (AFX_THIS(p)->*AFX_HANDLER(memberFxn))(static_cast<CCmdUI*>(c.pExtra));                             \
         return AfxCmdUIHandled(static_cast<CCmdUI*>(c.pExtra));                                             \
     }},
