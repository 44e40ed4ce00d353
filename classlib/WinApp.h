// CWinApp: the portable core of the process-wide application object.
//
// One application object exists at a time; its constructor makes it the one AfxGetApp returns. It holds
// where preferences live (registry key and profile name, forwarded to the class library's profile store),
// the list of document templates, and the application-level services documents call: the recent-file list
// and the file-name prompt, both virtual so that the shell (and tests) replace them. It is the program's
// user-interface thread (CWinThread): in the Windows build it adds the instance handle, the command line,
// the message loop's idle work and the help entry points.
//
// Invariants: m_pszRegistryKey / m_pszProfileName are NULL or own a copy of their text; the application
// owns its templates and deletes them when destroyed; the recent-file list holds at most m_nMaxMRU paths,
// most recent first, no two equal without regard to case.
#pragma once

#include "classlib/CommandLineInfo.h"
#include "classlib/WinThread.h"
#include "classlib/CString.h"
#include "classlib/Document.h"
#include "classlib/List.h"
#include "classlib/RecentFileList.h"

#include <vector>

class CDocManager;
class CDocTemplate;
class CProfile;
#ifdef _WIN32
class CPrintDialog;
#endif

class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)

public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    BOOL InitInstance() override;
    // Saves the recent-file list when it was loaded; the exit code.
    int ExitInstance() override;
    // Every message box of the library comes here (AfxMessageBox): the scriptable box of tests or the
    // system's box. nIDPrompt is the help context.
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // File commands: a new document of the first template; a document of the file the prompt names.
    void OnFileNew();
    void OnFileOpen();

    // Preferences: after SetRegistryKey they live under Software\<key>\<profile name>\<section> of the
    // current user (the native build keeps the same tree in a file).
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    // Replaces the profile name (SetRegistryKey sets it to the application name).
    void SetProfileName(LPCTSTR lpszProfileName);
    LPCTSTR GetRegistryKey() const { return m_pszRegistryKey; }
    LPCTSTR GetProfileName() const { return m_pszProfileName; }

    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // On success *ppData is a new[] block of *pBytes bytes that the caller delete[]s.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);
    // Deletes every setting under the profile name (the start-up wipe when Shift is held).
    BOOL DeleteProfileTree();
    CProfile& GetProfile() { return *m_pProfile; }

    // Document templates, owned by the document manager (made on the first AddDocTemplate unless the
    // program installed its own in m_pDocManager before).
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& rPos) const;
    int GetDocTemplateCount() const;
    // Opens the file with the template that suits it best (or returns the document already open).
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);

    // Services documents call; replaceable.
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    // Asks for a file name through the document manager (the file dialog of the window half); without a
    // manager, or without windows, the answer is FALSE, as if the user cancelled.
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);

    // The recent-file list and its profile form: section "Recent File List", entries "File1".."FileN";
    // its menu items have the ids ID_FILE_MRU_FILE1 and on.
    int GetRecentFileCount() const;
    CString GetRecentFile(int nIndex) const;
    CRecentFileList* m_pRecentFileList;
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();

    CDocManager* m_pDocManager; // owned; NULL until the first template
    LPCTSTR m_pszAppName;
    LPCTSTR m_pszRegistryKey;
    LPCTSTR m_pszProfileName;
    UINT m_nMaxMRU;

#ifdef _WIN32
    // Start-up of the Windows program: instance, command line, show command; installs the message filter.
    BOOL InitApplication();
    int Run() override;
    BOOL OnIdle(LONG lCount) override;
    // After the maps: the recent-file items (their menu and opening a file from them).
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
    void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    // Opens recent file nID - ID_FILE_MRU_FILE1; a file that does not open leaves the list.
    BOOL OnOpenRecentFile(UINT nID);
    // Fills rCmdInfo from the program's arguments.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // Carries out what the command line asks (new file, open, print, DDE, unregister); FALSE when it failed.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    // Help: the help file is m_pszHelpFilePath (the program's path with ".HLP" unless set).
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    void OnHelp();
    void OnHelpIndex();
    void OnHelpFinder();
    void OnHelpUsing();
    void OnContextHelp();
    void OnAppExit();
    // The wait cursor: 1 begins, -1 ends, 0 restores it.
    virtual void DoWaitCursor(int nCode);

    // Start-up calls. Three-dimensional controls are the system's own: nothing to switch on.
    BOOL Enable3dControls() { return TRUE; }
    // Shell open by DDE: the application and "system" topics are registered atoms from now on.
    void EnableShellOpen();
    // Every template whose document string names a registry file type: its extension, type, and the open
    // (and, with bCompat, print and print-to) commands with the program's path. Templates without a
    // file type register nothing.
    void RegisterShellFileTypes(BOOL bCompat = FALSE);

    // The application's printer: the default queue until Print Setup chooses another. The handles are
    // the application's (freed when it goes); GetPrinterDeviceDefaults lends them to pPrintDlg and
    // answers FALSE, showing nothing, when there is no printer.
    BOOL GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg);
    // Takes the default printer when none is selected, or always with bForceDefaults.
    void UpdatePrinterSelection(BOOL bForceDefaults);
    // Makes the given handles the application's printer (freeing the old ones when they differ).
    void SelectPrinter(HGLOBAL hDevNames, HGLOBAL hDevMode);
    // Runs a print or print setup dialog on the application's printer and keeps what it chose.
    INT_PTR DoPrintDialog(CPrintDialog* pPD);
    void OnFilePrintSetup();
    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;
    UINT m_nNumPreviewPages = 0; // what a preview starts with when the view does not say
    // The command line being carried out (its printer for "/pt"); NULL outside ProcessShellCommand.
    CCommandLineInfo* m_pCmdInfo = nullptr;
    ATOM m_atomApp = 0;
    ATOM m_atomSystemTopic = 0;

    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    LPCTSTR m_pszHelpFilePath = nullptr; // owned copy
    LPCTSTR m_pszExeName = nullptr;      // owned copy
#endif

    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

protected:
    BOOL m_bRecentListLoaded;

private:
    static LPTSTR CopyText(LPCTSTR lpsz);
    void ApplyProfileLocation();

    CProfile* m_pProfile;
    CWinApp* m_pPreviousApp;
};

// The application object, or NULL when none exists.
CWinApp* AfxGetApp();

#ifdef _WIN32
// The program's start: the application object's instance, command line and show command.
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
// The entry point's body: AfxWinInit, InitApplication, InitInstance, Run (or ExitInstance when
// InitInstance failed); the program's exit code.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
// The thread's WH_MSGFILTER hook that hands system modal loops' messages to ProcessMessageFilter.
void AfxInstallMessageFilter();
// Starts Windows Sockets 1.1 once per process; later calls give the first call's answer. lpwsaData
// (may be NULL) receives what the start reported. The sockets end with the process.
BOOL AfxSocketInit(WSADATA* lpwsaData = nullptr);
#endif
