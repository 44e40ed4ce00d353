#include "classlib/WinApp.h"

#include "classlib/DocTemplate.h"
#include "classlib/MessageBox.h"
#include "classlib/Profile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

CWinApp* g_pApp = nullptr;

const char kRecentFileSection[] = "Recent File List";
const char kRecentFileEntry[] = "File%u";

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
      m_pszProfileName(nullptr), m_nMaxMRU(4), m_bRecentListLoaded(FALSE), m_pProfile(&AfxGetProfile()),
      m_pPreviousApp(g_pApp)
{
    // The newest application object is the current one; tests make one per fixture.
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    CloseAllDocuments(TRUE);
    while (!m_templateList.IsEmpty())
        delete static_cast<CDocTemplate*>(m_templateList.RemoveHead());
    delete[] m_pszAppName;
    delete[] m_pszRegistryKey;
    delete[] m_pszProfileName;
#ifdef _WIN32
    delete[] m_pszHelpFilePath;
    delete[] m_pszExeName;
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
    // One kind of document: no need to ask which.
    POSITION pos = GetFirstDocTemplatePosition();
    if (pos != nullptr)
        GetNextDocTemplate(pos)->OpenDocumentFile(nullptr);
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
    m_templateList.AddTail(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_templateList.GetHeadPosition();
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& rPos) const
{
    return static_cast<CDocTemplate*>(m_templateList.GetNext(rPos));
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    CDocTemplate* pBestTemplate = nullptr;
    CDocument* pOpenDocument = nullptr;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CDocument* pMatch = nullptr;
        const CDocTemplate::Confidence match = pTemplate->MatchDocType(lpszFileName, pMatch);
        if (match > bestMatch) {
            bestMatch = match;
            pBestTemplate = pTemplate;
        }
        if (match == CDocTemplate::yesAlreadyOpen) {
            pOpenDocument = pMatch;
            break;
        }
    }
    if (pOpenDocument != nullptr)
        return pOpenDocument;
    if (pBestTemplate == nullptr)
        return nullptr;
    return pBestTemplate->OpenDocumentFile(lpszFileName);
}

BOOL CWinApp::SaveAllModified()
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr) {
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (lpszPathName == nullptr || *lpszPathName == '\0' || m_nMaxMRU == 0)
        return;
    const CString path(lpszPathName);
    auto same = [&](const CString& entry) { return entry.CompareNoCase(path) == 0; };
    m_recentFiles.erase(std::remove_if(m_recentFiles.begin(), m_recentFiles.end(), same),
                        m_recentFiles.end());
    m_recentFiles.insert(m_recentFiles.begin(), path);
    if (m_recentFiles.size() > m_nMaxMRU)
        m_recentFiles.resize(m_nMaxMRU);
}

CString CWinApp::GetRecentFile(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetRecentFileCount())
        return CString();
    return m_recentFiles[static_cast<size_t>(nIndex)];
}

BOOL CWinApp::DoPromptFileName(CString&, UINT, DWORD, BOOL, CDocTemplate*)
{
    return FALSE;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    m_nMaxMRU = nMaxMRU;
    m_bRecentListLoaded = TRUE;
    m_recentFiles.clear();
    for (UINT i = 1; i <= nMaxMRU; ++i) {
        char entry[16];
        std::snprintf(entry, sizeof entry, kRecentFileEntry, i);
        const CString path = GetProfileString(kRecentFileSection, entry);
        if (!path.IsEmpty())
            m_recentFiles.push_back(path);
    }
}

void CWinApp::SaveStdProfileSettings()
{
    for (UINT i = 1; i <= m_nMaxMRU; ++i) {
        char entry[16];
        std::snprintf(entry, sizeof entry, kRecentFileEntry, i);
        if (i <= m_recentFiles.size())
            WriteProfileString(kRecentFileSection, entry, m_recentFiles[i - 1]);
        else
            WriteProfileString(kRecentFileSection, entry, nullptr);
    }
}
