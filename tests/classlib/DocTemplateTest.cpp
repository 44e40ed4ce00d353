// Templates make, open, list and close documents with no window at all.
#include "classlib/DocTemplate.h"
#include "classlib/File.h"
#include "classlib/MessageBox.h"

#include "DocTestSupport.h"

#include <gtest/gtest.h>

namespace {

const char kDocStrings[] = "\nRefs\nReference List\nReference Lists (*.tst)\n.tst\nLv.Refs\nReference List";

class DocTemplateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = ScratchPath("tpl");
        tpl = new CMultiDocTemplate(0, RUNTIME_CLASS(CNoteDoc), nullptr, nullptr);
        tpl->SetDocStrings(kDocStrings);
        app.AddDocTemplate(tpl); // the application owns it
        CNoteDoc::s_destroyed = 0;
    }
    void TearDown() override { RemoveQuietly(path); }

    void WriteNote(const char* text)
    {
        CNoteDoc doc;
        doc.m_text = text;
        ASSERT_TRUE(doc.OnSaveDocument(path));
    }

    TestApp app;
    CMultiDocTemplate* tpl = nullptr;
    CString path;
};

TEST_F(DocTemplateTest, DocumentStringsAreTheNewlineSeparatedParts)
{
    CString s;
    EXPECT_FALSE(tpl->GetDocString(s, CDocTemplate::windowTitle));
    EXPECT_TRUE(tpl->GetDocString(s, CDocTemplate::docName));
    EXPECT_STREQ("Refs", s);
    EXPECT_TRUE(tpl->GetDocString(s, CDocTemplate::filterExt));
    EXPECT_STREQ(".tst", s);
    EXPECT_TRUE(tpl->GetDocString(s, CDocTemplate::regFileTypeName));
    EXPECT_STREQ("Reference List", s);
    CMultiDocTemplate bare(0, RUNTIME_CLASS(CNoteDoc), nullptr, nullptr);
    EXPECT_FALSE(bare.GetDocString(s, CDocTemplate::filterExt));
    EXPECT_TRUE(s.IsEmpty());
}

TEST_F(DocTemplateTest, DocumentOpenedAndClosedThroughTheTemplateWithoutAWindow)
{
    WriteNote("Jones 2001");
    CNoteDoc::s_destroyed = 0;
    CDocument* opened = app.OpenDocumentFile(path);
    ASSERT_NE(nullptr, opened);
    CNoteDoc* doc = static_cast<CNoteDoc*>(opened);
    EXPECT_STREQ("Jones 2001", doc->m_text);
    EXPECT_EQ(tpl, doc->GetDocTemplate());
    EXPECT_STREQ(path, doc->GetPathName());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(1, tpl->GetDocumentCount());
    EXPECT_STREQ(path, app.GetRecentFile(0));

    // Opening the same path again (in another case) finds the open document.
    CString upper = path;
    upper.MakeUpper();
    EXPECT_EQ(opened, app.OpenDocumentFile(upper));
    EXPECT_EQ(1, tpl->GetDocumentCount());

    doc->OnCloseDocument(); // auto-deletes
    EXPECT_EQ(1, CNoteDoc::s_destroyed);
    EXPECT_EQ(0, tpl->GetDocumentCount());
    EXPECT_EQ(nullptr, tpl->GetFirstDocPosition());
}

TEST_F(DocTemplateTest, MatchConfidenceFollowsOpenDocumentsAndTheExtension)
{
    CDocument* match = reinterpret_cast<CDocument*>(1);
    EXPECT_EQ(CDocTemplate::yesAttemptNative, tpl->MatchDocType("C:\\Data\\x.TST", match));
    EXPECT_EQ(nullptr, match);
    EXPECT_EQ(CDocTemplate::yesAttemptForeign, tpl->MatchDocType("C:\\Data\\x.los", match));
    EXPECT_EQ(CDocTemplate::yesAttemptForeign, tpl->MatchDocType("C:\\v.tst\\x", match));

    WriteNote("x");
    CDocument* doc = tpl->OpenDocumentFile(path);
    ASSERT_NE(nullptr, doc);
    EXPECT_EQ(CDocTemplate::yesAlreadyOpen, tpl->MatchDocType(path, match));
    EXPECT_EQ(doc, match);
    doc->OnCloseDocument();
}

TEST_F(DocTemplateTest, UntitledDocumentsAreNumberedFromTheDocumentName)
{
    CDocument* first = tpl->OpenDocumentFile(nullptr);
    CDocument* second = tpl->OpenDocumentFile(nullptr);
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_STREQ("Refs1", first->GetTitle());
    EXPECT_STREQ("Refs2", second->GetTitle());
    EXPECT_TRUE(first->GetPathName().IsEmpty());
    EXPECT_EQ(2u, tpl->m_nUntitledCount);
    EXPECT_EQ(2, tpl->GetDocumentCount());

    CMultiDocTemplate* bare = new CMultiDocTemplate(0, RUNTIME_CLASS(CNoteDoc), nullptr, nullptr);
    app.AddDocTemplate(bare);
    CDocument* untitled = bare->OpenDocumentFile(nullptr);
    ASSERT_NE(nullptr, untitled);
    EXPECT_STREQ("Untitled", untitled->GetTitle());

    app.CloseAllDocuments(FALSE);
    EXPECT_EQ(0, tpl->GetDocumentCount());
    EXPECT_EQ(3, CNoteDoc::s_destroyed);
}

TEST_F(DocTemplateTest, FailedOpenIsReportedAndLeavesNoDocument)
{
    CMessageBoxScript script;
    EXPECT_EQ(nullptr, tpl->OpenDocumentFile(path)); // no such file
    ASSERT_EQ(1, script.CallCount());
    EXPECT_EQ(UINT(AFX_IDP_FAILED_INVALID_PATH), script.LastCall().helpId);
    EXPECT_EQ(0, tpl->GetDocumentCount());
    EXPECT_EQ(1, CNoteDoc::s_destroyed);
    EXPECT_EQ(0, app.GetRecentFileCount());
}

TEST_F(DocTemplateTest, TemplateWithoutADocumentClassMakesNothing)
{
    CMessageBoxScript script;
    CMultiDocTemplate empty(0, nullptr, nullptr, nullptr);
    EXPECT_EQ(nullptr, empty.OpenDocumentFile(nullptr));
    ASSERT_EQ(1, script.CallCount());
    EXPECT_EQ(UINT(AFX_IDP_FAILED_TO_CREATE_DOC), script.LastCall().promptId);
}

TEST_F(DocTemplateTest, DocumentOutlivingItsTemplateIsDetached)
{
    CMultiDocTemplate* shortLived = new CMultiDocTemplate(0, RUNTIME_CLASS(CNoteDoc), nullptr, nullptr);
    CDocument* doc = shortLived->CreateNewDocument();
    ASSERT_NE(nullptr, doc);
    EXPECT_EQ(shortLived, doc->GetDocTemplate());
    delete shortLived;
    EXPECT_EQ(nullptr, doc->GetDocTemplate());
    delete doc; // must not touch the deleted template
}

} // namespace
