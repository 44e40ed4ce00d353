// The recent files as menu items: one item per file in place of the first, numbered, greyed when the
// list is empty; choosing one opens it.
#include "WndTestSupport.h"

#include "classlib/CmdUI.h"
#include "classlib/win/Menu.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class OpeningApp : public RecordingApp
{
public:
    std::vector<CString> opened;
    CDocument* OpenDocumentFile(LPCTSTR lpszFileName) override
    {
        opened.push_back(lpszFileName);
        return nullptr; // as if the file had gone
    }
};

CString ItemText(CMenu& menu, UINT nPos)
{
    CString text;
    menu.GetMenuString(nPos, text, MF_BYPOSITION);
    return text;
}

TEST(RecentFileMenu, ItemsFollowTheListAndOpenTheirFiles)
{
    OpeningApp app;
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Menu", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, ID_FILE_OPEN, "&Open");
    popup.AppendMenu(MF_STRING, ID_FILE_MRU_FILE1, "Recent File");
    popup.AppendMenu(MF_STRING, ID_APP_EXIT, "E&xit");

    // Empty list: the original item, greyed.
    AfxUpdateMenuCmdUI(&app, &popup, FALSE);
    EXPECT_EQ(3u, popup.GetMenuItemCount());
    EXPECT_TRUE(popup.GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);

    app.AddToRecentFileList("C:\\Refs\\one.ldt");
    app.AddToRecentFileList("C:\\Refs\\Smith & Jones.ldt");
    AfxUpdateMenuCmdUI(&app, &popup, FALSE);
    ASSERT_EQ(4u, popup.GetMenuItemCount());
    EXPECT_STREQ("&1 C:\\Refs\\Smith && Jones.ldt", ItemText(popup, 1));
    EXPECT_STREQ("&2 C:\\Refs\\one.ldt", ItemText(popup, 2));
    EXPECT_EQ(ID_FILE_MRU_FILE1 + 1, popup.GetMenuItemID(2));
    EXPECT_EQ(ID_APP_EXIT, popup.GetMenuItemID(3));
    EXPECT_FALSE(popup.GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);

    // Updating again does not pile up items.
    AfxUpdateMenuCmdUI(&app, &popup, FALSE);
    EXPECT_EQ(4u, popup.GetMenuItemCount());

    // Choosing the second opens its file; a file that does not open leaves the list.
    EXPECT_TRUE(app.OnCmdMsg(ID_FILE_MRU_FILE1 + 1, CN_COMMAND, nullptr, nullptr));
    ASSERT_EQ(1u, app.opened.size());
    EXPECT_STREQ("C:\\Refs\\one.ldt", app.opened[0]);
    EXPECT_EQ(1, app.GetRecentFileCount());
    wnd.DestroyWindow();
}

} // namespace
