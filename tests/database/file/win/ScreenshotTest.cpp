// Pictures of the Rename dialog and the File Properties sheet as the screen shows them, saved to be looked
// at (not compared). Runs only where scripts/screenshots names the folder in LORVANE_ARTEFACTS (a virtual
// X display with a Wine prefix that draws through it); skipped everywhere else.
#include "classlib/win/DialogTestSupport.h"

#include "classlib/WinApp.h"
#include "classlib/win/PropertySheet.h"
#include "database/file/win/WinFileDocumentDialogs.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Steps that let the dialog show and paint, picture it and cancel it.
std::vector<std::function<void()>> PictureSteps(const CString& path, int* pColours)
{
    return {[] {
                ::RedrawWindow(::GetActiveWindow(), nullptr, nullptr,
                               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
            },
            [] { ::Sleep(300); }, // the X server catches up
            [path, pColours] {
                HWND hWnd = ::GetActiveWindow();
                *pColours = SaveWindowPicture(hWnd, path);
                ::PostMessage(hWnd, WM_COMMAND, IDCANCEL, 0);
            }};
}

TEST(Screenshot, RenameDialogAndFilePropertiesSheet)
{
    const char* folder = std::getenv("LORVANE_ARTEFACTS");
    if (folder == nullptr || *folder == '\0')
        GTEST_SKIP() << "no picture folder (run by scripts/screenshots on a virtual display)";
    CWinApp app;
    CWinFileDocumentDialogs dialogs;
    const CString dialogPath = CString(folder) + "\\rename-dialog.bmp";
    const CString sheetPath = CString(folder) + "\\file-properties-sheet.bmp";

    int nDialogColours = 0;
    {
        TimerScript script(PictureSteps(dialogPath, &nDialogColours));
        CString newName;
        dialogs.RunRename("C:\\Users\\Researcher\\Documents\\Lorvane\\Sociology 2003.ldt", newName);
    }
    int nSheetColours = 0;
    {
        TimerScript script(PictureSteps(sheetPath, &nSheetColours));
        FilePropertiesFields fields;
        fields.fileName = "Sociology 2003.ldt";
        fields.folder = "C:\\Users\\Researcher\\Documents\\Lorvane";
        fields.comments = "References for the urban sociology review.\r\nShared with the reading group.";
        dialogs.RunFileProperties(fields);
    }
    // A picture of one colour would mean nothing was read from the screen.
    EXPECT_GT(nDialogColours, 2) << dialogPath;
    EXPECT_GT(nSheetColours, 2) << sheetPath;
}

} // namespace
