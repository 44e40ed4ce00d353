// Documents without windows: load, save, the modified flag and the save prompt.
#include "classlib/Archive.h"
#include "classlib/DocTemplate.h"
#include "classlib/Document.h"
#include "classlib/Exceptions.h"
#include "classlib/File.h"
#include "classlib/MessageBox.h"
#include "classlib/WinApp.h"

#include "DocTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

IMPLEMENT_DYNCREATE(CNoteDoc, CDocument)

void CNoteDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_text;
    else
        ar >> m_text;
}

void CNoteDoc::DeleteContents()
{
    m_text.Empty();
    ++m_deleteContentsCalls;
}

int CNoteDoc::s_destroyed = 0;

namespace {

class DocumentTest : public ::testing::Test
{
protected:
    void SetUp() override { path = ScratchPath("doc"); }
    void TearDown() override { RemoveQuietly(path); }

    TestApp app;
    CString path;
};

TEST_F(DocumentTest, SavedDocumentLoadsBackAndLoadingClearsTheModifiedFlag)
{
    CNoteDoc saved;
    saved.m_text = "Smith 1999";
    ASSERT_TRUE(saved.OnSaveDocument(path));
    EXPECT_FALSE(saved.IsModified());

    CNoteDoc loaded;
    loaded.SetModifiedFlag(TRUE);
    ASSERT_TRUE(loaded.OnOpenDocument(path));
    EXPECT_STREQ("Smith 1999", loaded.m_text);
    EXPECT_FALSE(loaded.IsModified());
}

TEST_F(DocumentTest, DamagedOrMissingFileIsReportedAndLeavesTheDocumentEmpty)
{
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        const BYTE truncated[] = {10, 'S', 'm'}; // a string of 10 announced, 2 stored
        file.Write(truncated, sizeof truncated);
    }
    CMessageBoxScript script;
    CNoteDoc doc;
    doc.m_text = "old";
    EXPECT_FALSE(doc.OnOpenDocument(path));
    EXPECT_TRUE(doc.m_text.IsEmpty());
    ASSERT_EQ(1, script.CallCount());
    EXPECT_EQ(UINT(AFX_IDP_FAILED_INVALID_FORMAT), script.LastCall().helpId);

    RemoveQuietly(path);
    EXPECT_FALSE(doc.OnOpenDocument(path));
    ASSERT_EQ(2, script.CallCount());
    EXPECT_EQ(UINT(AFX_IDP_FAILED_INVALID_PATH), script.LastCall().helpId);
}

TEST_F(DocumentTest, SetPathNameTitlesTheDocumentAndFeedsTheRecentList)
{
    CNoteDoc doc;
    doc.SetPathName("C:\\Data\\Refs.tst");
    EXPECT_STREQ("C:\\Data\\Refs.tst", doc.GetPathName());
    EXPECT_STREQ("Refs.tst", doc.GetTitle());
    EXPECT_STREQ("C:\\Data\\Refs.tst", app.GetRecentFile(0));
    doc.SetPathName("C:\\Data\\Other.tst", FALSE);
    EXPECT_EQ(1, app.GetRecentFileCount());
}

TEST_F(DocumentTest, SaveModifiedFollowsTheAnswer)
{
    CNoteDoc doc;
    ASSERT_TRUE(doc.OnSaveDocument(path));
    doc.SetPathName(path, FALSE);
    doc.m_text = "changed";

    EXPECT_TRUE(CNoteDoc().SaveModified()); // unmodified: nothing asked

    CMessageBoxScript script;
    doc.SetModifiedFlag(TRUE);
    script.PushAnswer(IDCANCEL);
    EXPECT_FALSE(doc.SaveModified());
    ASSERT_EQ(1, script.CallCount());
    EXPECT_EQ(UINT(MB_YESNOCANCEL), script.LastCall().type & MB_TYPEMASK);
    EXPECT_NE(nullptr, std::strstr(script.LastCall().text, doc.GetTitle()));

    script.PushAnswer(IDNO);
    EXPECT_TRUE(doc.SaveModified());
    CNoteDoc onDisk;
    ASSERT_TRUE(onDisk.OnOpenDocument(path));
    EXPECT_STREQ("", onDisk.m_text); // "No" saved nothing

    script.PushAnswer(IDYES);
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(onDisk.OnOpenDocument(path));
    EXPECT_STREQ("changed", onDisk.m_text);
}

TEST_F(DocumentTest, SavingAnUntitledDocumentAsksForAName)
{
    CMessageBoxScript script;
    CNoteDoc doc;
    doc.SetTitle("Refs1");
    doc.m_text = "new";
    doc.SetModifiedFlag(TRUE);

    script.PushAnswer(IDYES);
    EXPECT_FALSE(doc.SaveModified()); // the name prompt was cancelled
    EXPECT_TRUE(doc.IsModified());

    app.m_promptAnswer = path;
    script.PushAnswer(IDYES);
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_STREQ(path, doc.GetPathName());
    EXPECT_STREQ("Refs1", app.m_lastPromptStart); // the prompt starts at the document's title
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentTest, UpdateAllViewsWithNoViewsDoesNothing)
{
    CNoteDoc doc;
    EXPECT_EQ(nullptr, doc.GetFirstViewPosition());
    doc.UpdateAllViews(nullptr, 1, nullptr);
    EXPECT_EQ(0, doc.GetViewCount());
}

} // namespace

namespace {

TEST_F(DocumentTest, FileCommandsReachTheDocumentThroughItsMessageMap)
{
    CNoteDoc doc;
    doc.m_text = "routed";
    doc.SetModifiedFlag(TRUE);
    app.m_promptAnswer = path;
    // Save on an untitled document asks for the name and saves there.
    EXPECT_TRUE(doc.OnCmdMsg(ID_FILE_SAVE, CN_COMMAND, nullptr, nullptr));
    EXPECT_STREQ(path, doc.GetPathName());
    EXPECT_FALSE(doc.IsModified());

    CNoteDoc loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(path));
    EXPECT_STREQ("routed", loaded.m_text);

    AFX_CMDHANDLERINFO info = {nullptr, nullptr};
    EXPECT_TRUE(doc.OnCmdMsg(ID_FILE_CLOSE, CN_COMMAND, nullptr, &info));
    EXPECT_TRUE(doc.OnCmdMsg(ID_FILE_SAVE_AS, CN_COMMAND, nullptr, &info));
    EXPECT_FALSE(doc.OnCmdMsg(ID_FILE_OPEN, CN_COMMAND, nullptr, &info)); // the application's
}

} // namespace
