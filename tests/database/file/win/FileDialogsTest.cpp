// The windows of File Rename and File Properties, driven by messages: OK's state while typing, names that
// are refused keep the dialog open on the name, and the document's commands through the real dialogs.
#include "../FileDocTestSupport.h"
#include "classlib/win/DialogTestSupport.h"

#include "app/core/Paths.h"
#include "classlib/MessageBox.h"
#include "classlib/win/PropertySheet.h"
#include "database/file/DocumentRename.h"
#include "database/file/FileDocTemplate.h"
#include "database/file/win/FilePropertiesGeneralPage.h"
#include "database/file/win/RenameDlg.h"
#include "database/file/win/WinFileDocumentDialogs.h"

#include <gtest/gtest.h>

using namespace filetest;
typedef CFileBasedDocument FBD;

namespace {

class FileDialogsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_template = new CFileDocTemplate(0, RUNTIME_CLASS(TermDoc), nullptr, nullptr, docTypeTermList,
                                          docVersionTermList);
        m_template->SetDocStrings("\nTerms\nTerms\nTerm Lists (*.ltl)\n.ltl\n\n");
        m_app.AddDocTemplate(m_template);
        m_path = DocPath("rename");
        m_taken = DocPath("taken");
        WriteTermFile(m_path, 0, 0, docTypeTermList, docVersionTermList, "Title", "Notes", "original");
        WriteTermFile(m_taken, 0, 0, docTypeTermList, docVersionTermList);
        m_previous = SetFileDocumentDialogs(&m_dialogs);
    }
    void TearDown() override
    {
        SetFileDocumentDialogs(m_previous);
        m_app.CloseAllDocuments(TRUE);
        RemoveFile(m_path);
        RemoveFile(m_taken);
    }
    TermDoc* Open(UINT flags = FBD::OpenNoFrame)
    {
        return static_cast<TermDoc*>(m_template->OpenDocumentFileEx(m_path, flags));
    }
    static HWND Item(CWnd* pDlg, int nID) { return ::GetDlgItem(pDlg->GetSafeHwnd(), nID); }
    static void Type(CWnd* pDlg, int nID, LPCTSTR text) { ::SetWindowText(Item(pDlg, nID), text); }

    PromptApp m_app;
    CMessageBoxScript m_boxes;
    CWinFileDocumentDialogs m_dialogs;
    CFileDocumentDialogs* m_previous = nullptr;
    CFileDocTemplate* m_template = nullptr;
    CString m_path;
    CString m_taken;
};

TEST_F(FileDialogsTest, RenameOffersOKOnlyForANewNameAndRefusesBadNamesInPlace)
{
    const CString fileName = AfxGetFileTitle(m_path);
    CString upper = fileName;
    upper.MakeUpper();
    const CString renamed = GetFileDirectory(m_path) + "notes.txt.ltl";
    TermDoc* doc = Open();
    ASSERT_NE(nullptr, doc);
    CRenameDlg* dlg = nullptr;
    auto okEnabled = [&] { return ::IsWindowEnabled(Item(dlg, IDOK)) != FALSE; };
    TimerScript script({
        [&] {
            dlg = TimerScript::Active<CRenameDlg>();
            ASSERT_NE(nullptr, dlg);
            EXPECT_STREQ(fileName, DlgItemText(dlg->m_hWnd, CRenameDlg::IDC_FILE_NAME));
            EXPECT_STREQ(GetFileFolder(m_path), DlgItemText(dlg->m_hWnd, CRenameDlg::IDC_DIRECTORY));
            EXPECT_STREQ(fileName, DlgItemText(dlg->m_hWnd, CRenameDlg::IDC_NEW_NAME));
            EXPECT_FALSE(okEnabled());
            Type(dlg, CRenameDlg::IDC_NEW_NAME, upper); // another case is another name
            EXPECT_TRUE(okEnabled());
            Type(dlg, CRenameDlg::IDC_NEW_NAME, "");
            EXPECT_FALSE(okEnabled());
            Type(dlg, CRenameDlg::IDC_NEW_NAME, fileName);
            EXPECT_FALSE(okEnabled());
            Type(dlg, CRenameDlg::IDC_NEW_NAME, "a:b");
            PostKey(Item(dlg, CRenameDlg::IDC_NEW_NAME), VK_RETURN);
        },
        [&] {
            ASSERT_EQ(1, m_boxes.CallCount());
            EXPECT_EQ(static_cast<UINT>(IDP_RENAME_BAD_CHARACTERS), m_boxes.LastCall().helpId);
            EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), m_boxes.LastCall().type & MB_ICONMASK);
            EXPECT_TRUE(::IsWindowVisible(dlg->m_hWnd));
            EXPECT_EQ(Item(dlg, CRenameDlg::IDC_NEW_NAME), ::GetFocus());
            Type(dlg, CRenameDlg::IDC_NEW_NAME, AfxGetFileTitle(m_taken));
            PostKey(Item(dlg, CRenameDlg::IDC_NEW_NAME), VK_RETURN);
        },
        [&] {
            ASSERT_EQ(2, m_boxes.CallCount());
            CString expected;
            expected.Format("Cannot rename %s to %s: A file with the name you specified already exists. "
                            "Specify a different filename.",
                            static_cast<LPCTSTR>(m_path), static_cast<LPCTSTR>(AfxGetFileTitle(m_taken)));
            EXPECT_STREQ(expected, m_boxes.LastCall().text);
            EXPECT_TRUE(::IsWindowVisible(dlg->m_hWnd));
            Type(dlg, CRenameDlg::IDC_NEW_NAME, "notes.txt");
            PostKey(Item(dlg, CRenameDlg::IDC_NEW_NAME), VK_RETURN);
        },
    });
    doc->DoFileRename();
    EXPECT_EQ(2, m_boxes.CallCount());
    EXPECT_EQ(renamed, doc->GetPathName());
    EXPECT_FALSE(FileExists(m_path));
    EXPECT_TRUE(FileExists(renamed));
    doc->OnCloseDocument();
    RemoveFile(renamed);
}

TEST_F(FileDialogsTest, FilePropertiesShowsTheGeneralPageAndStoresTheCommentsOnOK)
{
    TermDoc* doc = Open();
    ASSERT_NE(nullptr, doc);
    TimerScript script({[&] {
        auto* sheet = TimerScript::Active<CPropertySheet>();
        ASSERT_NE(nullptr, sheet);
        EXPECT_STREQ("File Properties", sheet->GetTitle());
        EXPECT_EQ(nullptr, Item(sheet, ID_APPLY_NOW));
        ASSERT_EQ(1, sheet->GetPageCount());
        CPropertyPage* page = sheet->GetPage(0);
        EXPECT_STREQ("General", page->GetCaption());
        EXPECT_FALSE(page->GetStyle() & WS_CAPTION);
        EXPECT_STREQ(AfxGetFileTitle(m_path),
                     DlgItemText(page->m_hWnd, CFilePropertiesGeneralPage::IDC_FILE_NAME));
        EXPECT_STREQ(GetFileFolder(m_path),
                     DlgItemText(page->m_hWnd, CFilePropertiesGeneralPage::IDC_DIRECTORY));
        EXPECT_STREQ("Notes", DlgItemText(page->m_hWnd, CFilePropertiesGeneralPage::IDC_COMMENTS));
        Type(page, CFilePropertiesGeneralPage::IDC_COMMENTS, "New notes");
        ::PostMessage(sheet->m_hWnd, WM_COMMAND, IDOK, 0);
    }});
    doc->DoFileProperties();
    EXPECT_STREQ("New notes", doc->GetCommentsText());
    EXPECT_TRUE(doc->IsModified());
    doc->OnCloseDocument();
}

TEST_F(FileDialogsTest, ReadOnlyDocumentsShowCommentsThatCannotBeEdited)
{
    TermDoc* doc = Open(FBD::OpenNoFrame | FBD::OpenReadOnly);
    ASSERT_NE(nullptr, doc);
    TimerScript script({[&] {
        auto* sheet = TimerScript::Active<CPropertySheet>();
        ASSERT_NE(nullptr, sheet);
        HWND hWndComments = Item(sheet->GetPage(0), CFilePropertiesGeneralPage::IDC_COMMENTS);
        EXPECT_TRUE(::GetWindowLong(hWndComments, GWL_STYLE) & ES_READONLY);
        ::PostMessage(sheet->m_hWnd, WM_COMMAND, IDCANCEL, 0);
    }});
    doc->DoFileProperties();
    EXPECT_STREQ("Notes", doc->GetCommentsText());
    EXPECT_FALSE(doc->IsModified());
}

} // namespace
