// CCommandLineInfo: what the program's command line asks for.
//
// ParseParam sees each argument once, with a leading '/' or '-' removed and bFlag set for such switches.
// Switches are compared without regard to case:
//   "pt"          print the file to the printer, driver and port named by the next three arguments
//   "p"           print the file on the default printer
//   "dde"         a shell request will come by DDE (no splash)
//   "Automation"  started by an automation client (no splash)
//   "Embedding"   started as an embedded server (no splash)
//   "Unregister", "Unregserver"  remove the program's registration
//   "nologo"      no splash
// The first argument that is no switch is the file; with it (and no other command) the command becomes
// FileOpen. After the last argument a splash is allowed unless a switch above forbade it.
#pragma once

#include "classlib/CString.h"

class CCommandLineInfo
{
public:
    enum
    {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppUnregister,
        FileNothing = -1
    };

    CCommandLineInfo();
    virtual ~CCommandLineInfo() = default;

    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);
    // Every argument of argv[1..argc-1] through ParseParam.
    void ParseArguments(int argc, const char* const* argv);

    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;
    int m_nShellCommand;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(const char* pszParam);
    void ParseParamNotFlag(const char* pszParam);
    void ParseLast(BOOL bLast);
};
