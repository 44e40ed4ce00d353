// The system's common dialogs through the library, driven by messages from inside their own loops: the
// file dialog's filter, folder, refusal hook and several files; the default printer; colour and font
// results; the modeless find dialog's notifications and its self-deletion.
#include "DialogTestSupport.h"
#include "WndTestSupport.h"

#include "classlib/win/ColorDialog.h"
#include "classlib/win/FileDialog.h"
#include "classlib/win/FindReplaceDialog.h"
#include "classlib/win/FontDialog.h"
#include "classlib/win/PrintDialog.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

// Types a name into the file dialog's name box and presses Open.
void TypeFileNameAndOpen(HWND hDlg, LPCTSTR text)
{
    HWND hWndName = ::GetDlgItem(hDlg, cmb13);
    if (hWndName == nullptr)
        hWndName = ::GetDlgItem(hDlg, edt1);
    ASSERT_NE(nullptr, hWndName);
    ::SetWindowText(hWndName, text);
    ::PostMessage(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                  reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, IDOK)));
}

class RefusingFileDialog : public CFileDialog
{
public:
    using CFileDialog::CFileDialog;
    int nChecks = 0;
    int nInitDone = 0;

protected:
    BOOL OnFileNameOK() override { return ++nChecks == 1; } // the first name is refused
    void OnInitDone() override { ++nInitDone; }
};

class CommonDialogTest : public ::testing::Test
{
protected:
    RecordingApp app;
    CString folder;
    std::vector<CString> files;

    void SetUp() override
    {
        char temp[MAX_PATH];
        ::GetTempPath(MAX_PATH, temp);
        folder.Format("%slv_common_%lu", temp, ::GetCurrentProcessId());
        ::CreateDirectory(folder, nullptr);
        for (LPCTSTR name : {"alpha.txt", "beta.txt"}) {
            files.push_back(folder + "\\" + name);
            HANDLE h = ::CreateFile(files.back(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            ::CloseHandle(h);
        }
    }
    void TearDown() override
    {
        for (const CString& f : files)
            ::DeleteFile(f);
        ::RemoveDirectory(folder);
        PumpPending();
    }
};

TEST_F(CommonDialogTest, FileDialogStartsInTheFolderAndTakesTheNameItsHookAccepts)
{
    RefusingFileDialog dlg(TRUE, "txt", nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                           "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||");
    dlg.m_ofn.lpstrInitialDir = folder;
    TimerScript script({[&] { TypeFileNameAndOpen(dlg.GetDialogWindow(), "alpha.txt"); },
                        [&] {
                            // Refused by the hook: still open, asked once.
                            EXPECT_TRUE(::IsWindow(dlg.GetDialogWindow()));
                            EXPECT_EQ(1, dlg.nChecks);
                            TypeFileNameAndOpen(dlg.GetDialogWindow(), "beta.txt");
                        }});
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(2, dlg.nChecks);
    EXPECT_EQ(1, dlg.nInitDone);
    EXPECT_STREQ(files[1], dlg.GetPathName());
    EXPECT_STREQ("beta.txt", dlg.GetFileName());
    EXPECT_STREQ("txt", dlg.GetFileExt());
    EXPECT_STREQ("beta", dlg.GetFileTitle());
    EXPECT_FALSE(dlg.GetReadOnlyPref());
    // The filter reached the system as pairs ending in two NULs.
    const char* filter = dlg.m_ofn.lpstrFilter;
    EXPECT_STREQ("Text Files (*.txt)", filter);
    filter += strlen(filter) + 1;
    EXPECT_STREQ("*.txt", filter);
    filter += strlen(filter) + 1;
    EXPECT_STREQ("All Files (*.*)", filter);
    filter += strlen(filter) + 1;
    EXPECT_STREQ("*.*", filter);
    EXPECT_EQ('\0', filter[strlen(filter) + 1]);
}

TEST_F(CommonDialogTest, FileDialogWithSeveralNamesWalksEveryPath)
{
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST,
                    "All Files (*.*)|*.*||");
    dlg.m_ofn.lpstrInitialDir = folder;
    TimerScript script({[&] { TypeFileNameAndOpen(dlg.GetDialogWindow(), "\"alpha.txt\" \"beta.txt\""); }});
    ASSERT_EQ(IDOK, dlg.DoModal());
    std::vector<CString> chosen;
    for (POSITION pos = dlg.GetStartPosition(); pos != nullptr;)
        chosen.push_back(dlg.GetNextPathName(pos));
    ASSERT_EQ(2u, chosen.size());
    EXPECT_STREQ(files[0], chosen[0]);
    EXPECT_STREQ(files[1], chosen[1]);
}

TEST_F(CommonDialogTest, CancelledFileDialogAnswersCancel)
{
    CFileDialog dlg(FALSE, "txt", "report");
    TimerScript script({[&] { ::PostMessage(dlg.GetDialogWindow(), WM_COMMAND, IDCANCEL, 0); }});
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

TEST_F(CommonDialogTest, PrintDialogDefaultsNameTheDefaultPrinter)
{
    CPrintDialog dlg(FALSE);
    ASSERT_TRUE(dlg.GetDefaults());
    EXPECT_STREQ("LorvanePDF", dlg.GetDeviceName());
    ASSERT_NE(nullptr, dlg.GetDevMode());
    EXPECT_GE(dlg.GetCopies(), 1);
    HDC hDC = dlg.CreatePrinterDC();
    ASSERT_NE(nullptr, hDC);
    EXPECT_GT(::GetDeviceCaps(hDC, HORZRES), 0);
    ::DeleteDC(hDC);
}

TEST_F(CommonDialogTest, ColorDialogAnswersTheColourItWasGiven)
{
    CColorDialog dlg(RGB(200, 10, 30), CC_FULLOPEN);
    TimerScript script({[] { ::PostMessage(::GetActiveWindow(), WM_COMMAND, IDOK, 0); }});
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(RGB(200, 10, 30), dlg.GetColor());
}

TEST_F(CommonDialogTest, FontDialogAnswersTheFontItWasGiven)
{
    LOGFONT lf = {};
    lf.lfHeight = -16;
    lf.lfWeight = FW_BOLD;
    lstrcpy(lf.lfFaceName, "Liberation Serif");
    CFontDialog dlg(&lf, CF_SCREENFONTS | CF_EFFECTS);
    TimerScript script({[] { ::PostMessage(::GetActiveWindow(), WM_COMMAND, IDOK, 0); }});
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ("Liberation Serif", dlg.GetFaceName());
    EXPECT_TRUE(dlg.IsBold());
    EXPECT_FALSE(dlg.IsItalic());
    EXPECT_GT(dlg.GetSize(), 0);
}

// The owner of a find dialog: what each notification said.
class FindOwner : public CWnd
{
public:
    struct Note
    {
        CString what;
        BOOL findNext;
        BOOL down;
        BOOL terminating;
    };
    std::vector<Note> notes;
    LRESULT OnFindReplace(WPARAM, LPARAM lParam)
    {
        CFindReplaceDialog* pDlg = CFindReplaceDialog::GetNotifier(lParam);
        notes.push_back({pDlg->GetFindString(), pDlg->FindNext(), pDlg->SearchDown(), pDlg->IsTerminating()});
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

const UINT WM_FINDREPLACE = ::RegisterWindowMessage(FINDMSGSTRING);

BEGIN_MESSAGE_MAP(FindOwner, CWnd)
ON_REGISTERED_MESSAGE(WM_FINDREPLACE, OnFindReplace)
END_MESSAGE_MAP()

class CountedFindDialog : public CFindReplaceDialog
{
public:
    static inline int s_alive = 0;
    CountedFindDialog() { ++s_alive; }
    ~CountedFindDialog() override { --s_alive; }
};

TEST_F(CommonDialogTest, FindDialogNotifiesItsOwnerAndDeletesItselfWhenClosed)
{
    FindOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Text", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                               nullptr));
    auto* pDlg = new CountedFindDialog;
    ASSERT_TRUE(pDlg->Create(TRUE, "needle", nullptr, FR_DOWN, &owner));
    HWND hWndDlg = pDlg->m_hWnd;
    ASSERT_NE(nullptr, hWndDlg);
    EXPECT_EQ(pDlg, CWnd::FromHandlePermanent(hWndDlg));
    ::SendMessage(hWndDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                  reinterpret_cast<LPARAM>(::GetDlgItem(hWndDlg, IDOK)));
    ASSERT_EQ(1u, owner.notes.size());
    EXPECT_STREQ("needle", owner.notes[0].what);
    EXPECT_TRUE(owner.notes[0].findNext);
    EXPECT_TRUE(owner.notes[0].down);
    EXPECT_FALSE(owner.notes[0].terminating);

    ::SendMessage(hWndDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                  reinterpret_cast<LPARAM>(::GetDlgItem(hWndDlg, IDCANCEL)));
    PumpPending();
    ASSERT_EQ(2u, owner.notes.size());
    EXPECT_TRUE(owner.notes[1].terminating);
    EXPECT_FALSE(::IsWindow(hWndDlg));
    EXPECT_EQ(0, CountedFindDialog::s_alive);
    owner.DestroyWindow();
}

} // namespace
