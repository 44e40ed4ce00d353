#include "app/core/ApplicationProfile.h"

#include "classlib/WinApp.h"

#ifdef _WIN32
#include <windows.h>
#endif

const char kRegistryKey[] = "Quenmark";
const char kProfileName[] = "Lorvane 5\\Application Settings";

void SetUpApplicationProfile(CWinApp& app, BOOL bWipeSettings)
{
    app.SetRegistryKey(kRegistryKey);
    app.SetProfileName(kProfileName);
    if (bWipeSettings)
        app.DeleteProfileTree();
}

BOOL IsShiftKeyDown()
{
#ifdef _WIN32
    return (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
#else
    return FALSE;
#endif
}
