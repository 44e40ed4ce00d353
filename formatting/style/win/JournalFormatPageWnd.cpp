#include "formatting/style/win/JournalFormatPageWnd.h"

#include "classlib/Exceptions.h"
#include "classlib/MessageBox.h"
#include "classlib/Resources.h"
#include "classlib/ClassLibIds.h"
#include "classlib/win/FileDialog.h"
#include "formatting/style/JournalListPath.h"

#include <algorithm>
#include <utility>

namespace {

const int IDC_JOURNAL_LIST = 2310;
const int IDC_BROWSE_JOURNAL_LIST = 2176;
const UINT IDS_NONE = 5330;
const char kExtension[] = ".ljl";

CString NoneText()
{
    CString text;
    text.LoadString(IDS_NONE);
    return text;
}

// The file name without its folder and without the hidden extension.
CString TitleOf(const CString& path)
{
    CString name = path.Mid(path.ReverseFind('\\') + 1);
    const int nExt = name.GetLength() - static_cast<int>(sizeof kExtension - 1);
    if (nExt >= 0 && name.Mid(nExt).CompareNoCase(kExtension) == 0)
        name = name.Left(nExt);
    return name;
}

CString FolderOf(const CString& path)
{
    const int nSlash = path.ReverseFind('\\');
    return nSlash < 0 ? CString() : path.Left(nSlash);
}

void FindJournalLists(const CString& folder, std::vector<CString>& found)
{
    WIN32_FIND_DATA data;
    HANDLE hFind = ::FindFirstFile(folder + "\\*.*", &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        const CString name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != "." && name != "..")
                FindJournalLists(folder + "\\" + name, found);
        } else if (TitleOf(name) != name) {
            found.push_back(folder + "\\" + name);
        }
    } while (::FindNextFile(hFind, &data));
    ::FindClose(hFind);
}

std::vector<CString> JournalListFolders()
{
    std::vector<CString> folders;
    const CString all = GetJournalListFolders();
    int nStart = 0;
    while (nStart <= all.GetLength()) {
        int nEnd = all.Find(';', nStart);
        if (nEnd < 0)
            nEnd = all.GetLength();
        CString folder = all.Mid(nStart, nEnd - nStart);
        folder.TrimRight('\\');
        if (!folder.IsEmpty())
            folders.push_back(folder);
        nStart = nEnd + 1;
    }
    return folders;
}

} // namespace

BEGIN_MESSAGE_MAP(CJournalFormatPageWnd, CPropertyPage)
ON_BN_CLICKED(IDC_BROWSE_JOURNAL_LIST, OnBrowseJournalList)
END_MESSAGE_MAP()

CJournalFormatPageWnd::CJournalFormatPageWnd(CJournalFormatPage& settings)
    : CStyleSettingsPageWnd<CJournalFormatPage>(settings)
{
}

BOOL CJournalFormatPageWnd::OnInitDialog()
{
    FillJournalLists();
    return CStyleSettingsPageWnd<CJournalFormatPage>::OnInitDialog();
}

int CJournalFormatPageWnd::AddEntry(const CString& title, const CString& path)
{
    HWND hWndList = ::GetDlgItem(m_hWnd, IDC_JOURNAL_LIST);
    const int nItem =
        static_cast<int>(::SendMessage(hWndList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LPCTSTR(title))));
    ::SendMessage(hWndList, CB_SETITEMDATA, nItem, static_cast<LPARAM>(m_paths.size()));
    m_paths.push_back(path);
    return nItem;
}

void CJournalFormatPageWnd::FillJournalLists()
{
    ::SendDlgItemMessage(m_hWnd, IDC_JOURNAL_LIST, CB_RESETCONTENT, 0, 0);
    m_paths.clear();
    std::vector<CString> found;
    for (const CString& folder : JournalListFolders())
        FindJournalLists(folder, found);
    std::stable_sort(found.begin(), found.end(), [](const CString& a, const CString& b) {
        return TitleOf(a).CompareNoCase(TitleOf(b)) < 0;
    });
    AddEntry(NoneText(), CString());
    for (const CString& path : found)
        AddEntry(TitleOf(path), path);
}

CString CJournalFormatPageWnd::GetSelectedPath() const
{
    const LRESULT nItem = ::SendDlgItemMessage(m_hWnd, IDC_JOURNAL_LIST, CB_GETCURSEL, 0, 0);
    if (nItem == CB_ERR)
        return CString();
    const size_t index =
        static_cast<size_t>(::SendDlgItemMessage(m_hWnd, IDC_JOURNAL_LIST, CB_GETITEMDATA, nItem, 0));
    return index < m_paths.size() ? m_paths[index] : CString();
}

void CJournalFormatPageWnd::SelectPath(const CString& path)
{
    HWND hWndList = ::GetDlgItem(m_hWnd, IDC_JOURNAL_LIST);
    const int nCount = static_cast<int>(::SendMessage(hWndList, CB_GETCOUNT, 0, 0));
    for (int nItem = 0; nItem < nCount; ++nItem) {
        const size_t index = static_cast<size_t>(::SendMessage(hWndList, CB_GETITEMDATA, nItem, 0));
        if (index < m_paths.size() && m_paths[index].CompareNoCase(path) == 0) {
            ::SendMessage(hWndList, CB_SETCURSEL, nItem, 0);
            return;
        }
    }
    ::SendMessage(hWndList, CB_SETCURSEL, AddEntry(TitleOf(path), path), 0);
}

void CJournalFormatPageWnd::DoDataExchange(CDataExchange* pDX)
{
    CStyleSettingsPageWnd<CJournalFormatPage>::DoDataExchange(pDX);
    ExchangeJournalList(pDX);
}

void CJournalFormatPageWnd::ExchangeJournalList(CDataExchange* pDX)
{
    pDX->PrepareCtrl(IDC_JOURNAL_LIST);
    if (!pDX->m_bSaveAndValidate) {
        SelectPath(m_edit.journalListPath);
        return;
    }
    CString path = GetSelectedPath();
    if (path == NoneText())
        path.Empty();
    m_edit.journalListPath = path;
    if (!path.IsEmpty() && ::GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES) {
        CString prompt;
        AfxFormatString1(prompt, AFX_IDP_FAILED_INVALID_PATH, path);
        AfxMessageBox(prompt, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

BOOL CJournalFormatPageWnd::BrowseForJournalList(const CString& folder, CString& path)
{
    CFileDialog dlg(TRUE, "ljl", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                    "Journal Lists (*.ljl)|*.ljl|All Files (*.*)|*.*||", this);
    dlg.m_ofn.lpstrTitle = "Open Journal List";
    dlg.m_ofn.lpstrInitialDir = folder;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    path = dlg.GetPathName();
    return TRUE;
}

void CJournalFormatPageWnd::OnBrowseJournalList()
{
    try {
        CString folder = FolderOf(GetSelectedPath());
        if (folder.IsEmpty()) {
            const std::vector<CString> folders = JournalListFolders();
            if (!folders.empty())
                folder = folders.front();
        }
        CString path;
        if (BrowseForJournalList(folder, path))
            SelectPath(path);
    } catch (CException* e) {
        if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
            e->ReportError();
        e->Delete();
    }
}
