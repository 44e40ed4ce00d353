#include "classlib/CommandLineInfo.h"

CCommandLineInfo::CCommandLineInfo()
    : m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE), m_nShellCommand(FileNew)
{
}

void CCommandLineInfo::ParseArguments(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* pszParam = argv[i];
        BOOL bFlag = FALSE;
        if (pszParam[0] == '-' || pszParam[0] == '/') {
            bFlag = TRUE;
            ++pszParam;
        }
        ParseParam(pszParam, bFlag, i == argc - 1);
    }
    if (argc <= 1)
        ParseLast(TRUE);
}

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast)
{
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const char* pszParam)
{
    const CString flag(pszParam);
    if (flag.CompareNoCase("pt") == 0) {
        m_nShellCommand = FilePrintTo;
    } else if (flag.CompareNoCase("p") == 0) {
        m_nShellCommand = FilePrint;
    } else if (flag.CompareNoCase("Unregister") == 0 || flag.CompareNoCase("Unregserver") == 0) {
        m_nShellCommand = AppUnregister;
    } else if (flag.CompareNoCase("dde") == 0) {
        m_nShellCommand = FileDDE;
        m_bShowSplash = FALSE;
    } else if (flag.CompareNoCase("Embedding") == 0) {
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    } else if (flag.CompareNoCase("Automation") == 0) {
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    } else if (flag.CompareNoCase("nologo") == 0) {
        m_bShowSplash = FALSE;
    }
}

void CCommandLineInfo::ParseParamNotFlag(const char* pszParam)
{
    if (m_strFileName.IsEmpty())
        m_strFileName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast)
{
    if (!bLast)
        return;
    if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
    if (m_bRunEmbedded || m_bRunAutomated)
        m_bShowSplash = FALSE;
}
