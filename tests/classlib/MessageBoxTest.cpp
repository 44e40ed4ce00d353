#include "classlib/MessageBox.h"
#include "classlib/Resources.h"

#include <gtest/gtest.h>

TEST(MessageBoxTest, ScriptAnswersInOrderAndRecordsEveryCall)
{
    CMessageBoxScript script;
    script.PushAnswer(IDNO);
    script.PushAnswer(IDCANCEL);

    EXPECT_EQ(AfxMessageBox("Save changes?", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(AfxMessageBox(4101, MB_YESNO), IDCANCEL);
    // Answers used up: the default button answers.
    EXPECT_EQ(AfxMessageBox("Done", MB_OK, 77), IDOK);

    ASSERT_EQ(script.CallCount(), 3);
    const auto& calls = script.Calls();
    EXPECT_STREQ(calls[0].text, "Save changes?");
    EXPECT_EQ(calls[0].type, UINT(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(calls[0].promptId, 0u);
    CString text4101;
    AfxLoadStringResource(4101, text4101);
    EXPECT_STREQ(calls[1].text, text4101);
    EXPECT_EQ(calls[1].promptId, 4101u);
    EXPECT_EQ(calls[1].helpId, 4101u); // the prompt's own help by default
    EXPECT_EQ(calls[2].helpId, 77u);
    EXPECT_EQ(script.LastCall().answer, IDOK);
}

TEST(MessageBoxTest, DefaultButtons)
{
    struct Case
    {
        UINT type;
        int answer;
    };
    const Case cases[] = {
        {MB_OK, IDOK},
        {MB_OKCANCEL, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_YESNO | MB_ICONEXCLAMATION, IDYES},
        {MB_YESNO | MB_DEFBUTTON2, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {MB_RETRYCANCEL, IDRETRY},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, IDIGNORE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AfxDefaultMessageBoxAnswer(c.type), c.answer) << c.type;
}

TEST(MessageBoxTest, ScriptsNest)
{
    CMessageBoxScript outer;
    outer.PushAnswer(IDNO);
    {
        CMessageBoxScript inner;
        inner.PushAnswer(IDRETRY);
        EXPECT_EQ(AfxMessageBox("inner", MB_RETRYCANCEL), IDRETRY);
        EXPECT_EQ(inner.CallCount(), 1);
    }
    EXPECT_EQ(AfxMessageBox("outer", MB_YESNO), IDNO);
    EXPECT_EQ(outer.CallCount(), 1);
}

TEST(MessageBoxTest, WaitCursorNests)
{
    EXPECT_EQ(AfxGetWaitCursorCount(), 0);
    {
        CWaitCursor outer;
        AfxBeginWaitCursor();
        EXPECT_EQ(AfxGetWaitCursorCount(), 2);
        AfxEndWaitCursor();
        outer.Restore();
        EXPECT_EQ(AfxGetWaitCursorCount(), 1);
    }
    EXPECT_EQ(AfxGetWaitCursorCount(), 0);
    AfxEndWaitCursor(); // unbalanced: ignored
    EXPECT_EQ(AfxGetWaitCursorCount(), 0);
}
