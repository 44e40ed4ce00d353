// COleObjectFactory: the class factory that lets clients create objects of one runtime class.
//
// Factories are static objects of the program, constructed with the class id, the runtime class of the
// objects they make (a CCmdTarget with automation enabled by its constructor), the multiple-instance flag
// and the ProgID; they form one process-wide list. RegisterAll offers every factory to COM as a local
// server's class object: for multiple use (one running program serves every client) unless the factory
// is multiple-instance, when each client starts a program of its own. RevokeAll withdraws them.
// UpdateRegistryAll writes each factory's class registration: ProgID -> CLSID, and under the CLSID its
// ProgID and "LocalServer32" with the program's quoted path. Class registrations go to the machine's
// classes (HKEY_LOCAL_MACHINE\Software\Classes, the HKEY_CLASSES_ROOT that every process sees); the
// current user's classes are used only when the machine's refuse the write.
//
// An object made by the factory starts with the external count its construction gave it, adds the
// reference the client gets, and drops the first: the client's last release deletes it.
#pragma once

#include "classlib/CmdTarget.h"
#include "classlib/CString.h"

#include <ole2.h>

class COleObjectFactory : public CCmdTarget
{
    DECLARE_DYNAMIC(COleObjectFactory)

public:
    COleObjectFactory(REFCLSID clsid, CRuntimeClass* pRuntimeClass, BOOL bMultiInstance,
                      LPCTSTR lpszProgID);
    ~COleObjectFactory() override;

    BOOL Register();
    void Revoke();
    BOOL IsRegistered() const { return m_dwRegister != 0; }
    // Writes this factory's registration; FALSE when a key could not be written.
    BOOL UpdateRegistry(LPCTSTR lpszModulePath = nullptr);

    static BOOL RegisterAll();
    static void RevokeAll();
    static BOOL UpdateRegistryAll();

    REFCLSID GetClassID() const { return m_clsid; }
    LPCTSTR GetProgID() const { return m_strProgID; }
    // A new object of the runtime class (its automation enabled); NULL when it cannot be made.
    virtual CCmdTarget* OnCreateObject();

    IClassFactory* GetClassFactory();

private:
    CLSID m_clsid;
    CRuntimeClass* m_pRuntimeClass;
    BOOL m_bMultiInstance;
    CString m_strProgID;
    DWORD m_dwRegister;
    COleObjectFactory* m_pNextFactory;
    IClassFactory* m_pClassFactory; // owned
    static COleObjectFactory* s_pFirstFactory;
};
