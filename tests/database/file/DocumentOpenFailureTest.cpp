// A file object whose open raises (a damaged or newer paged header) makes a
// failed load on every path that opens or reopens it: one report, the file
// closed, the document empty, and a document made for the open deleted.
#include <gtest/gtest.h>

#include "FileDocTestSupport.h"
#include "classlib/ClassLibIds.h"
#include "classlib/MessageBox.h"
#include "database/file/FileDocTemplate.h"

using namespace filetest;

namespace {
typedef CFileBasedDocument FBD;

class DocumentOpenFailureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_template = new CFileDocTemplate(0, RUNTIME_CLASS(PagedDoc), nullptr, nullptr, docTypeTermList,
                                          docVersionTermList);
        m_template->SetDocStrings("\nTerms\nTerms\nTerm Lists (*.ltl)\n.ltl\n\n");
        m_app.AddDocTemplate(m_template);
        m_path = DocPath("paged");
        m_other = DocPath("paged2");
        WritePagedTermFile(m_path);
        PagedDoc::s_destroyed = 0;
        PagedDoc::s_failOpensOfNext = 0;
    }
    void TearDown() override
    {
        PagedDoc::s_failOpensOfNext = 0;
        m_app.CloseAllDocuments(TRUE);
        RemoveFile(m_path);
        RemoveFile(m_other);
    }
    PagedDoc* Open(UINT flags = FBD::OpenNoFrame)
    {
        return static_cast<PagedDoc*>(m_template->OpenDocumentFileEx(m_path, flags));
    }
    // No one else can open a file that an open document holds.
    static bool Locked(const CString& path)
    {
        if (!FileExists(path))
            return false;
        CFile probe;
        CFileException e;
        if (!probe.Open(path, CFile::modeRead | CFile::shareDenyNone, &e))
            return true;
        probe.Close();
        return false;
    }
    // The open failed once, reported, and left nothing behind.
    void ExpectNothingLeft(CDocument* doc, const char* what)
    {
        EXPECT_EQ(doc, nullptr) << what;
        EXPECT_EQ(m_boxes.CallCount(), 1) << what;
        EXPECT_EQ(m_template->GetDocumentCount(), 0) << what;
        EXPECT_EQ(PagedDoc::s_destroyed, 1) << what;
        EXPECT_EQ(AfxGetWaitCursorCount(), 0) << what;
    }

    PromptApp m_app;
    CMessageBoxScript m_boxes;
    CFileDocTemplate* m_template;
    CString m_path;
    CString m_other;
};

TEST_F(DocumentOpenFailureTest, DamagedOrNewerHeaderFailsEveryOpenRouteOnce)
{
    struct Case
    {
        const char* what;
        size_t at;
        unsigned char value;
    } cases[] = {
        {"wrong magic", 1, 0x00},
        {"wrong code A", 8, 0x01},
        {"newer version", 14, (unsigned char)((docVersionTermList + 1) & 0xFF)},
    };
    const std::vector<unsigned char> good = ReadAll(m_path);
    for (const Case& c : cases) {
        for (bool ofClassLibrary : {false, true}) {
            m_boxes.Clear();
            PagedDoc::s_destroyed = 0;
            std::vector<unsigned char> bytes = good;
            bytes[c.at] = c.value;
            WriteAll(m_path, bytes);
            CDocument* doc = ofClassLibrary ? m_template->OpenDocumentFile(m_path, FALSE) : Open();
            ExpectNothingLeft(doc, c.what);
            EXPECT_EQ(m_boxes.LastCall().helpId, (UINT)AFX_IDP_FAILED_INVALID_FORMAT) << c.what;
            EXPECT_FALSE(Locked(m_path)) << c.what;
            EXPECT_EQ(ReadAll(m_path), bytes) << c.what;
        }
    }
}

// Opening anew: the file made for the new document cannot be opened, or its
// properties cannot be asked for.
TEST_F(DocumentOpenFailureTest, NewDocumentWhoseFileFailsIsDeleted)
{
    ScriptedDialogs dialogs;
    dialogs.propertiesOk = TRUE;
    m_app.answer = m_other;
    struct Case
    {
        const char* what;
        UINT flags;
        bool withPath;
        bool propertiesFail;
        bool ofClassLibrary;
    } cases[] = {
        {"untitled", FBD::OpenNoFrame, false, false, false},
        {"create new", FBD::OpenNoFrame | FBD::OpenCreateNew, true, false, false},
        {"create if missing", FBD::OpenNoFrame | FBD::OpenCreateIfMissing, true, false, false},
        {"untitled, no properties sheet", FBD::OpenNoFrame, false, true, false},
        {"untitled by the class library", 0, false, false, true},
        {"untitled by the class library, no properties sheet", 0, false, true, true},
    };
    for (const Case& c : cases) {
        m_boxes.Clear();
        RemoveFile(m_other);
        PagedDoc::s_destroyed = 0;
        PagedDoc::s_failOpensOfNext = c.propertiesFail ? 0 : 1;
        dialogs.propertiesFail = c.propertiesFail;
        CDocument* doc =
            c.ofClassLibrary
                ? m_template->OpenDocumentFile(nullptr, FALSE)
                : m_template->OpenDocumentFileEx(c.withPath ? (LPCTSTR)m_other : nullptr, c.flags);
        ExpectNothingLeft(doc, c.what);
        EXPECT_FALSE(Locked(m_other)) << c.what;
    }
}

// The copy made by Save As raises when it is opened: the save fails once and
// the document goes on with its old file.
TEST_F(DocumentOpenFailureTest, SaveAsWhoseCopyFailsToOpenKeepsTheOldFile)
{
    PagedDoc* doc = Open();
    ASSERT_NE(doc, nullptr);
    doc->m_file.failOpens = 1;
    EXPECT_FALSE(doc->OnSaveDocument(m_other));
    EXPECT_EQ(m_boxes.CallCount(), 1);
    EXPECT_EQ(m_boxes.LastCall().helpId, (UINT)AFX_IDP_FAILED_INVALID_FORMAT);
    EXPECT_EQ(doc->GetFileObject()->GetPathName(), m_path);
    EXPECT_TRUE(doc->GetFileObject()->IsOpen());
    EXPECT_FALSE(doc->IsReadOnly());
    EXPECT_TRUE(Locked(m_path));
    EXPECT_FALSE(Locked(m_other));
    EXPECT_EQ(AfxGetWaitCursorCount(), 0);
}

// The renamed file raises when it is reopened: it is moved back and reopened
// under its old name; when that fails too the document ends closed and empty.
TEST_F(DocumentOpenFailureTest, RenameWhoseReopenRaisesMovesTheFileBack)
{
    struct Case
    {
        int failOpens;
        bool endsOpen;
    } cases[] = {{1, true}, {2, false}};
    for (const Case& c : cases) {
        m_boxes.Clear();
        PagedDoc* doc = Open();
        ASSERT_NE(doc, nullptr);
        const int clears = doc->m_clears;
        doc->m_file.failOpens = c.failOpens;
        EXPECT_FALSE(doc->RenameFile(m_other));
        EXPECT_EQ(m_boxes.CallCount(), 1);
        EXPECT_EQ(doc->GetPathName(), m_path);
        EXPECT_EQ(doc->GetFileObject()->GetPathName(), m_path);
        EXPECT_EQ(doc->GetFileObject()->IsOpen() != FALSE, c.endsOpen);
        EXPECT_EQ(doc->m_clears > clears, !c.endsOpen);
        EXPECT_EQ(Locked(m_path), c.endsOpen);
        EXPECT_TRUE(FileExists(m_path));
        EXPECT_FALSE(FileExists(m_other));
        doc->OnCloseDocument();
    }
}
} // namespace
