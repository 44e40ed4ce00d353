#include "bibliography/output/win/WordProcessorFileDialog.h"

#include "app/core/SettingsCatalogue.h"

#include <windows.h>
#include <commdlg.h>

#include <string.h>
#include <vector>

namespace {
UINT_PTR CALLBACK FollowTypeHook(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_NOTIFY)
        return 0;
    const OFNOTIFYA* notify = reinterpret_cast<const OFNOTIFYA*>(lParam);
    if (notify->hdr.code == CDN_TYPECHANGE) {
        const int zeroBased = static_cast<int>(notify->lpOFN->nFilterIndex) - 1;
        ::SendMessageA(::GetParent(dialog), CDM_SETDEFEXT, 0,
                       reinterpret_cast<LPARAM>(WordProcessorExtension(zeroBased)));
    }
    return 0;
}

// "a|b|" filters become the platform's NUL-separated list.
std::vector<char> PlatformFilter(const char* filter)
{
    std::vector<char> list(filter, filter + strlen(filter) + 1);
    for (char& ch : list) {
        if (ch == '|')
            ch = '\0';
    }
    return list;
}
} // namespace

BOOL WordProcessorFileDialog::Show(const char* filter, int& type, CString& path)
{
    std::vector<char> platformFilter = PlatformFilter(filter);
    char file[MAX_PATH] = {0};
    OPENFILENAMEA ofn;
    memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = ::GetActiveWindow();
    ofn.lpstrFilter = platformFilter.data();
    ofn.nFilterIndex = static_cast<DWORD>(type);
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrDefExt = WordProcessorExtension(type - 1);
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING;
    ofn.lpfnHook = FollowTypeHook;
    if (!::GetSaveFileNameA(&ofn))
        return FALSE;
    type = static_cast<int>(ofn.nFilterIndex);
    path = file;
    return TRUE;
}

StyledFileWriter* ChooseWordProcessorWriter()
{
    WordProcessorFileDialog dialog;
    return ChooseWordProcessorWriter(dialog, Settings::WordProcessorFormat);
}
