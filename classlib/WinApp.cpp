#include "classlib/WinApp.h"

#include "classlib/DocManager.h"
#include "classlib/DocTemplate.h"
#include "classlib/MessageBox.h"
#include "classlib/Profile.h"

#include <cstdio>
#include <cstring>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

CWinApp* g_pApp = nullptr;

const char kRecentFileSection[] = "Recent File List";
const char kRecentFileEntry[] = "File%d";

} // namespace

CWinApp* AfxGetApp()
{
    return g_pApp;
}

LPTSTR CWinApp::CopyText(LPCTSTR lpsz)
{
    if (lpsz == nullptr)
        return nullptr;
    const size_t n = std::strlen(lpsz);
    LPTSTR copy = new char[n + 1];
    std::memcpy(copy, lpsz, n + 1);
    return copy;
}

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pszAppName(CopyText(lpszAppName ? lpszAppName : "Lorvane5")), m_pszRegistryKey(nullptr),
      m_pszProfileName(nullptr), m_nMaxMRU(4),
      m_pRecentFileList(new CRecentFileList(ID_FILE_MRU_FILE1, kRecentFileSection, kRecentFileEntry, 4)),
      m_pDocManager(nullptr), m_bRecentListLoaded(FALSE), m_pProfile(&AfxGetProfile()),
      m_pPreviousApp(g_pApp)
{
    // The newest application object is the current one; tests make one per fixture.
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    delete m_pDocManager; // closes the documents, then deletes the templates
    delete m_pRecentFileList;
    delete[] m_pszAppName;
    delete[] m_pszRegistryKey;
    delete[] m_pszProfileName;
#ifdef _WIN32
    delete[] m_pszHelpFilePath;
    delete[] m_pszExeName;
    SelectPrinter(nullptr, nullptr);
    if (m_atomApp != 0)
        ::GlobalDeleteAtom(m_atomApp);
    if (m_atomSystemTopic != 0)
        ::GlobalDeleteAtom(m_atomSystemTopic);
#endif
    if (g_pApp == this)
        g_pApp = m_pPreviousApp;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    if (m_bRecentListLoaded)
        SaveStdProfileSettings();
    return CWinThread::ExitInstance();
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    return AfxShowMessageBox(lpszPrompt, nType, nIDPrompt);
}

void CWinApp::OnFileNew()
{
    if (m_pDocManager != nullptr)
        m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen()
{
    CString fileName;
    if (!DoPromptFileName(fileName, AFX_IDS_OPENFILE, 0, TRUE, nullptr))
        return;
    OpenDocumentFile(fileName);
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    delete[] m_pszRegistryKey;
    m_pszRegistryKey = CopyText(lpszRegistryKey);
    delete[] m_pszProfileName;
    m_pszProfileName = CopyText(m_pszAppName);
    ApplyProfileLocation();
}

void CWinApp::SetProfileName(LPCTSTR lpszProfileName)
{
    delete[] m_pszProfileName;
    m_pszProfileName = CopyText(lpszProfileName);
    ApplyProfileLocation();
}

void CWinApp::ApplyProfileLocation()
{
    m_pProfile->SetRegistryKey(m_pszRegistryKey ? m_pszRegistryKey : "");
    m_pProfile->SetProfileName(m_pszProfileName ? m_pszProfileName : "");
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    return m_pProfile->GetProfileInt(lpszSection, lpszEntry, nDefault);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    return m_pProfile->WriteProfileInt(lpszSection, lpszEntry, nValue);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    return m_pProfile->GetProfileString(lpszSection, lpszEntry, lpszDefault);
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    return m_pProfile->WriteProfileString(lpszSection, lpszEntry, lpszValue);
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    return m_pProfile->GetProfileBinary(lpszSection, lpszEntry, ppData, pBytes);
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    return m_pProfile->WriteProfileBinary(lpszSection, lpszEntry, pData, nBytes);
}

BOOL CWinApp::DeleteProfileTree()
{
    return m_pProfile->DeleteTree();
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    ASSERT(pTemplate != nullptr);
    if (m_pDocManager == nullptr)
        m_pDocManager = new CDocManager;
    m_pDocManager->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_pDocManager != nullptr ? m_pDocManager->GetFirstDocTemplatePosition() : nullptr;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& rPos) const
{
    return m_pDocManager->GetNextDocTemplate(rPos);
}

int CWinApp::GetDocTemplateCount() const
{
    int n = 0;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != nullptr; GetNextDocTemplate(pos))
        ++n;
    return n;
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    return m_pDocManager != nullptr ? m_pDocManager->OpenDocumentFile(lpszFileName) : nullptr;
}

BOOL CWinApp::SaveAllModified()
{
    return m_pDocManager == nullptr || m_pDocManager->SaveAllModified();
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    if (m_pDocManager != nullptr)
        m_pDocManager->CloseAllDocuments(bEndSession);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    m_pRecentFileList->Add(lpszPathName);
}

int CWinApp::GetRecentFileCount() const
{
    int n = 0;
    while (n < m_pRecentFileList->GetSize() && !(*m_pRecentFileList)[n].IsEmpty())
        ++n;
    return n;
}

CString CWinApp::GetRecentFile(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetRecentFileCount())
        return CString();
    return (*m_pRecentFileList)[nIndex];
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                CDocTemplate* pTemplate)
{
    return m_pDocManager != nullptr &&
           m_pDocManager->DoPromptFileName(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    m_nMaxMRU = nMaxMRU;
    m_bRecentListLoaded = TRUE;
    delete m_pRecentFileList;
    m_pRecentFileList =
        new CRecentFileList(ID_FILE_MRU_FILE1, kRecentFileSection, kRecentFileEntry, static_cast<int>(nMaxMRU));
    m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings()
{
    m_pRecentFileList->WriteList();
}
