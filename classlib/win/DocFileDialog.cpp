#include "classlib/win/DocFileDialog.h"

#include "classlib/win/Wnd.h"

#include <commdlg.h>

#include <vector>

namespace {

AFX_DOCFILEDIALOGHOOK g_pfnHook = nullptr;

} // namespace

AFX_DOCFILEDIALOGHOOK AfxSetDocFileDialogHook(AFX_DOCFILEDIALOGHOOK pfnHook)
{
    AFX_DOCFILEDIALOGHOOK pfnOld = g_pfnHook;
    g_pfnHook = pfnHook;
    return pfnOld;
}

BOOL AfxRunDocFileDialog(const CDocFileDialogRequest& request, CString& rFileName)
{
    if (g_pfnHook != nullptr)
        return g_pfnHook(request, rFileName);

    // The dialog wants "name\0pattern\0...\0\0".
    std::vector<char> filter(static_cast<size_t>(request.filter.GetLength()) + 2, '\0');
    for (int i = 0; i < request.filter.GetLength(); ++i)
        filter[static_cast<size_t>(i)] = request.filter[i] == '|' ? '\0' : request.filter[i];
    std::vector<char> file(0x10000, '\0'); // room for a multiple selection
    lstrcpyn(file.data(), rFileName, static_cast<int>(file.size()));

    OPENFILENAME ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = request.pOwner->GetSafeHwnd();
    ofn.lpstrFilter = filter.data();
    ofn.nFilterIndex = static_cast<DWORD>(request.nFilterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = request.title.IsEmpty() ? nullptr : static_cast<LPCTSTR>(request.title);
    ofn.lpstrDefExt = request.defaultExt.IsEmpty() ? nullptr : static_cast<LPCTSTR>(request.defaultExt);
    ofn.Flags = request.flags | OFN_EXPLORER | OFN_ENABLESIZING;
    const BOOL bOK = request.bOpen ? ::GetOpenFileName(&ofn) : ::GetSaveFileName(&ofn);
    if (!bOK)
        return FALSE;
    rFileName = file.data();
    return TRUE;
}
