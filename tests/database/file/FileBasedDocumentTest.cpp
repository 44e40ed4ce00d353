// File-based documents: opening and sharing, saving in place and to a new
// path, counted references, observer hints, File Properties and File Rename.
#include <gtest/gtest.h>

#include "FileDocTestSupport.h"
#include "app/core/Paths.h"
#include "classlib/ClassLibIds.h"
#include "classlib/MessageBox.h"
#include "database/file/DocumentRename.h"
#include "database/file/FileBasedDocumentRef.h"
#include "database/file/FileDocTemplate.h"

using namespace filetest;

namespace
{
typedef CFileBasedDocument FBD;

class FileBasedDocumentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_template = MakeTemplate();
        m_app.AddDocTemplate(m_template);
        m_path = DocPath("fbdoc");
        m_other = DocPath("fbdoc2");
        WriteTermFile(m_path, 0, 0, docTypeTermList, docVersionTermList, "Title", "Notes", "original");
    }
    void TearDown() override
    {
        m_app.CloseAllDocuments(TRUE);
        RemoveFile(m_path);
        RemoveFile(m_other);
    }
    static CFileDocTemplate* MakeTemplate()
    {
        CFileDocTemplate* t = new CFileDocTemplate(0, RUNTIME_CLASS(TermDoc), nullptr, nullptr, docTypeTermList,
                                                   docVersionTermList);
        t->SetDocStrings("\nTerms\nTerms\nTerm Lists (*.ltl)\n.ltl\n\n");
        return t;
    }
    TermDoc* Open(UINT flags = FBD::OpenNoFrame, const CString* path = nullptr)
    {
        return static_cast<TermDoc*>(m_template->OpenDocumentFileEx(path ? *path : m_path, flags));
    }
    // The file is held by an open document when no one else can open it.
    static bool Locked(const CString& path)
    {
        CFile probe;
        CFileException e;
        if (!probe.Open(path, CFile::modeRead | CFile::shareDenyNone, &e))
            return true;
        probe.Close();
        return false;
    }

    PromptApp m_app;
    CMessageBoxScript m_boxes;
    CFileDocTemplate* m_template;
    CString m_path;
    CString m_other;
};

TEST_F(FileBasedDocumentTest, OpensReadWriteExclusiveAndLoadsHeaderAndBody)
{
    TermDoc* doc = Open();
    ASSERT_NE(doc, nullptr);
    EXPECT_FALSE(doc->IsReadOnly());
    EXPECT_TRUE(doc->CanRename());
    EXPECT_EQ(doc->m_body, "original");
    EXPECT_EQ(doc->GetTitleText(), "Title");
    EXPECT_EQ(doc->GetCommentsText(), "Notes");
    EXPECT_EQ(doc->GetHeaderType(), docTypeTermList);
    EXPECT_EQ(doc->GetHeaderVersion(), docVersionTermList);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetTitle(), GetFileTitleWithoutExt(m_path, ".ltl"));
    EXPECT_TRUE(Locked(m_path));
    EXPECT_EQ(m_boxes.CallCount(), 0);
}

// Another program reading the file (deny-write) leaves the document read-only;
// a caller that needs to write is then refused once, with "no write access".
TEST_F(FileBasedDocumentTest, SecondOpenerGetsReadOnlyAndOpenForWritingIsRefused)
{
    CFile reader(m_path, CFile::modeRead | CFile::shareDenyWrite);
    TermDoc* doc = Open();
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(doc->IsReadOnly());
    EXPECT_FALSE(doc->CanRename());
    EXPECT_TRUE(doc->GetTitle().Right(12) == " (Read-Only)");

    EXPECT_EQ(Open(FBD::OpenNoFrame | FBD::OpenForWriting), nullptr);
    ASSERT_EQ(m_boxes.CallCount(), 1);
    EXPECT_EQ(m_boxes.LastCall().helpId, (UINT)AFX_IDP_FAILED_ACCESS_WRITE);
    EXPECT_EQ(Open(), doc); // without the flag the open document is reused
    EXPECT_EQ(m_boxes.CallCount(), 1);
}

TEST_F(FileBasedDocumentTest, ReadOnlyOpenLetsASecondDocumentOpenReadOnly)
{
    const std::vector<unsigned char> before = ReadAll(m_path);
    TermDoc* first = Open(FBD::OpenNoFrame | FBD::OpenReadOnly);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->IsReadOnly());
    EXPECT_TRUE(first->GetTitle().Right(12) == " (Read-Only)");

    CFileDocTemplate* other = MakeTemplate();
    m_app.AddDocTemplate(other);
    TermDoc* second = static_cast<TermDoc*>(other->OpenDocumentFileEx(m_path, FBD::OpenNoFrame));
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->IsReadOnly());
    EXPECT_EQ(second->m_body, "original");
    second->OnCloseDocument();
    first->OnCloseDocument();
    EXPECT_EQ(ReadAll(m_path), before);
}

TEST_F(FileBasedDocumentTest, ExclusiveHolderMakesTheSecondOpenFailWithOneReport)
{
    TermDoc* first = Open();
    ASSERT_NE(first, nullptr);
    CFileDocTemplate* other = MakeTemplate();
    m_app.AddDocTemplate(other);
    EXPECT_EQ(other->OpenDocumentFileEx(m_path, FBD::OpenNoFrame), nullptr);
    EXPECT_EQ(m_boxes.CallCount(), 1);
    EXPECT_EQ(other->GetDocumentCount(), 0);
}

TEST_F(FileBasedDocumentTest, CreateFlagsMakeAReopenableFile)
{
    RemoveFile(m_other);
    EXPECT_EQ(Open(FBD::OpenNoFrame, &m_other), nullptr); // missing and not to be created
    EXPECT_EQ(m_boxes.CallCount(), 1);

    TermDoc* created = Open(FBD::OpenNoFrame | FBD::OpenCreateIfMissing, &m_other);
    ASSERT_NE(created, nullptr);
    EXPECT_FALSE(created->IsReadOnly());
    EXPECT_TRUE(created->m_body.IsEmpty());
    created->OnCloseDocument();
    const std::vector<unsigned char> bytes = ReadAll(m_other);
    ASSERT_GE(bytes.size(), 16u);
    EXPECT_EQ(U32At(bytes, 0), 0x005CF4B4ul);
    EXPECT_EQ(U16At(bytes, 12), (unsigned)docTypeTermList);

    TermDoc* anew = Open(FBD::OpenNoFrame | FBD::OpenCreateNew); // over the existing file
    ASSERT_NE(anew, nullptr);
    EXPECT_TRUE(anew->m_body.IsEmpty());
    EXPECT_TRUE(anew->GetTitleText().IsEmpty());
    EXPECT_EQ(m_boxes.CallCount(), 1);
}

TEST_F(FileBasedDocumentTest, RecentListOnlyForWindowedOpensWithoutNoRecentList)
{
    struct Case
    {
        UINT flags;
        bool listed;
    } cases[] = {{0, true}, {FBD::OpenNoRecentList, false}, {FBD::OpenNoFrame, false}};
    for (const Case& c : cases) {
        const CString path = DocPath("recent");
        WriteTermFile(path, 0, 0, docTypeTermList, docVersionTermList);
        TermDoc* doc = Open(c.flags, &path);
        ASSERT_NE(doc, nullptr);
        bool listed = false;
        for (int i = 0; i < m_app.GetRecentFileCount(); ++i)
            listed = listed || m_app.GetRecentFile(i) == path;
        EXPECT_EQ(listed, c.listed) << c.flags;
        doc->OnCloseDocument();
        RemoveFile(path);
    }
}

TEST_F(FileBasedDocumentTest, SaveInPlaceAndSaveAs)
{
    TermDoc* doc = Open();
    ASSERT_NE(doc, nullptr);
    doc->m_body = "changed";
    doc->SetModifiedFlag();
    ASSERT_TRUE(doc->OnSaveDocument(m_path));
    EXPECT_FALSE(doc->IsModified());

    doc->m_body = "as copy";
    ASSERT_TRUE(doc->OnSaveDocument(m_other));
    EXPECT_EQ(doc->GetFileObject()->GetPathName(), m_other);
    EXPECT_TRUE(Locked(m_other));
    EXPECT_FALSE(Locked(m_path));
    doc->OnCloseDocument();
    TermDoc* original = Open();
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(original->m_body, "changed"); // saved in place, untouched by the Save As

    TermDoc* reread = Open(FBD::OpenNoFrame, &m_other);
    ASSERT_NE(reread, nullptr);
    EXPECT_EQ(reread->m_body, "as copy");
    EXPECT_EQ(reread->GetCommentsText(), "Notes");
    EXPECT_EQ(m_boxes.CallCount(), 0);
}

// A document that has no file yet asks for its properties when its header has
// no title; cancelling removes the file it had begun.
TEST_F(FileBasedDocumentTest, FirstSaveOfANewDocumentAsksForProperties)
{
    ScriptedDialogs dialogs;
    RemoveFile(m_other);
    TermDoc* doc = static_cast<TermDoc*>(m_template->CreateNewDocument());
    ASSERT_TRUE(doc->OnNewDocument() == FALSE); // no file name given
    EXPECT_FALSE(doc->OnSaveDocument(m_other));
    EXPECT_EQ(dialogs.propertiesRuns, 1);
    EXPECT_FALSE(FileExists(m_other));

    dialogs.propertiesOk = TRUE;
    dialogs.newComments = "first";
    doc->m_body = "new";
    ASSERT_TRUE(doc->OnSaveDocument(m_other));
    EXPECT_EQ(doc->GetPathName(), m_other);
    doc->OnCloseDocument();
    TermDoc* reread = Open(FBD::OpenNoFrame, &m_other);
    ASSERT_NE(reread, nullptr);
    EXPECT_EQ(reread->m_body, "new");
    EXPECT_EQ(reread->GetCommentsText(), "first");
}

TEST_F(FileBasedDocumentTest, CountedReferenceKeepsTheDocumentOpenWithoutWindows)
{
    TermDoc::s_destroyed = 0;
    TermDoc* doc = Open();
    ASSERT_NE(doc, nullptr);
    {
        CFileBasedDocumentRef ref(doc);
        CFileBasedDocumentRef copy(ref);
        EXPECT_EQ(doc->GetRefCount(), 2);
        EXPECT_TRUE(ref.Attach(doc));
        EXPECT_EQ(doc->GetRefCount(), 2);
        doc->OnCloseDocument(); // the last window goes
        EXPECT_EQ(TermDoc::s_destroyed, 0);
        EXPECT_TRUE(Locked(m_path));
        EXPECT_EQ(doc->m_body, "original");
    }
    EXPECT_EQ(TermDoc::s_destroyed, 1);
    EXPECT_FALSE(Locked(m_path));
    EXPECT_EQ(m_template->GetDocumentCount(), 0);
}

TEST_F(FileBasedDocumentTest, ReattachingReleasesTheOldDocument)
{
    TermDoc::s_destroyed = 0;
    TermDoc* first = Open();
    TermDoc* second = Open(FBD::OpenNoFrame | FBD::OpenCreateIfMissing, &m_other);
    ASSERT_TRUE(first && second);
    CFileBasedDocumentRef ref(first);
    ref.Attach(second);
    EXPECT_EQ(TermDoc::s_destroyed, 1); // no window, no reference left
    EXPECT_EQ(ref.Get(), second);
    EXPECT_EQ(second->GetRefCount(), 1);
}

TEST_F(FileBasedDocumentTest, ObserversHearModifiedAndPropertiesHints)
{
    ScriptedDialogs dialogs;
    HintRecorder recorder;
    TermDoc* doc = static_cast<TermDoc*>(m_template->CreateNewDocument());
    doc->Attach(&recorder);
    ASSERT_TRUE(doc->OpenFile(m_path, 0));
    EXPECT_EQ(recorder.Count(FBD::hintModifiedChanged), 2); // set, then cleared by the load
    EXPECT_FALSE(doc->IsModified());

    // Cancelled, and OK without a change: nothing happens.
    doc->DoFileProperties();
    dialogs.propertiesOk = TRUE;
    dialogs.newComments = "Notes";
    doc->DoFileProperties();
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(recorder.Count(FBD::hintPropertiesChanged), 0);

    dialogs.newComments = "New notes";
    doc->DoFileProperties();
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetCommentsText(), "New notes");
    EXPECT_EQ(doc->GetTitle(), "Title");
    EXPECT_EQ(recorder.Count(FBD::hintPropertiesChanged), 1);
    EXPECT_EQ(recorder.hints.back(), (long)FBD::hintPropertiesChanged);
    EXPECT_EQ(dialogs.propertiesRuns, 3);
    EXPECT_EQ(dialogs.shown.comments, "Notes");
    EXPECT_EQ(dialogs.shown.fileName, AfxGetFileTitle(m_path));
    EXPECT_FALSE(dialogs.shown.readOnly);
    doc->OnCloseDocument();
}

TEST_F(FileBasedDocumentTest, PropertiesOfAReadOnlyDocumentChangeNothing)
{
    ScriptedDialogs dialogs;
    dialogs.propertiesOk = TRUE;
    dialogs.newComments = "ignored";
    TermDoc* doc = Open(FBD::OpenNoFrame | FBD::OpenReadOnly);
    ASSERT_NE(doc, nullptr);
    doc->DoFileProperties();
    EXPECT_TRUE(dialogs.shown.readOnly);
    EXPECT_EQ(doc->GetCommentsText(), "Notes");
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(FileBasedDocumentTest, RenameMovesTheFileAndKeepsItOpen)
{
    ScriptedDialogs dialogs;
    dialogs.renameTo = "Other.txt";
    TermDoc* doc = Open();
    ASSERT_NE(doc, nullptr);
    doc->DoFileRename();
    const CString expected = GetFileDirectory(m_path) + "Other.txt.ltl";
    EXPECT_EQ(doc->GetPathName(), expected);
    EXPECT_EQ(doc->GetTitle(), "Other.txt");
    EXPECT_FALSE(FileExists(m_path));
    EXPECT_TRUE(Locked(expected));
    EXPECT_EQ(m_app.GetRecentFile(0), expected);
    doc->OnCloseDocument();
    RemoveFile(expected);
    EXPECT_EQ(m_boxes.CallCount(), 0);
}

// The reopen under the new name fails: the file goes back and the document
// stays open under its old name; when even moving back fails it stays open
// under the new name. Either way the failure is reported once.
TEST_F(FileBasedDocumentTest, RenameWhoseReopenFailsNeverLeavesTheDocumentClosed)
{
    struct Case
    {
        int failRenameAt;
        bool endsRenamed;
    } cases[] = {{-1, false}, {1, true}};
    for (const Case& c : cases) {
        m_boxes.Clear();
        TermDoc* doc = Open();
        ASSERT_NE(doc, nullptr);
        doc->m_file.failOpens = 1;
        doc->m_file.failRenameAt = c.failRenameAt;
        doc->m_file.renames = 0;
        EXPECT_EQ(doc->RenameFile(m_other) != FALSE, c.endsRenamed);
        const CString& where = c.endsRenamed ? m_other : m_path;
        EXPECT_EQ(doc->GetPathName(), where);
        EXPECT_EQ(doc->GetFileObject()->GetPathName(), where);
        EXPECT_TRUE(doc->GetFileObject()->IsOpen());
        EXPECT_TRUE(Locked(where));
        EXPECT_FALSE(FileExists(c.endsRenamed ? m_path : m_other));
        EXPECT_EQ(m_boxes.CallCount(), 1);
        doc->OnCloseDocument();
        if (c.endsRenamed) { // put it back for the next case
            ASSERT_EQ(rename(AfxNativePath(m_other), AfxNativePath(m_path)), 0);
        }
    }
}

TEST_F(FileBasedDocumentTest, NewPDocumentCreatesItsFileAtOnce)
{
    ScriptedDialogs dialogs;
    RemoveFile(m_other);
    TermDoc* doc = static_cast<TermDoc*>(m_template->CreateNewDocument());
    EXPECT_FALSE(doc->OnNewDocument()); // file name prompt cancelled
    m_app.answer = m_other;
    EXPECT_FALSE(doc->OnNewDocument()); // properties cancelled
    EXPECT_FALSE(FileExists(m_other));

    dialogs.propertiesOk = TRUE;
    dialogs.newComments = "fresh";
    ASSERT_TRUE(doc->OnNewDocument());
    EXPECT_EQ(doc->GetPathName(), m_other);
    EXPECT_EQ(doc->GetHeaderType(), docTypeTermList);
    EXPECT_TRUE(Locked(m_other));
    EXPECT_FALSE(doc->IsReadOnly());
    doc->OnCloseDocument();
}
} // namespace

namespace
{
// A failing view stops the data exchange, and SaveModified then neither asks
// nor lets the document close.
TEST_F(FileBasedDocumentTest, FailedViewDataStopsTheExchangeAndTheClose)
{
    TermDoc* doc = Open();
    ASSERT_NE(doc, nullptr);
    int views[3];
    for (int& v : views)
        doc->AddView(reinterpret_cast<CView*>(&v));
    doc->SetModifiedFlag();
    doc->m_failViewAt = 1;
    EXPECT_FALSE(doc->SaveModified());
    EXPECT_EQ(doc->m_viewExchanges, 2);
    EXPECT_EQ(m_boxes.CallCount(), 0);

    doc->m_failViewAt = -1;
    m_boxes.PushAnswer(IDNO);
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_EQ(m_boxes.CallCount(), 1);
    doc->SetModifiedFlag(FALSE);
    for (int& v : views)
        doc->RemoveView(reinterpret_cast<CView*>(&v)); // the last one closes the document
    EXPECT_EQ(m_template->GetDocumentCount(), 0);
}

TEST(DocumentRenameTest, NamesAreCheckedForCharactersAndExistingFiles)
{
    const CString path = DocPath("ren");
    const CString taken = DocPath("taken");
    WriteTermFile(taken, 0, 0, docTypeTermList, docVersionTermList);
    const CString takenName = AfxGetFileTitle(taken);
    struct Case
    {
        const char* name;
        UINT expected;
    } cases[] = {
        {"Fine name", 0},     {"a\\b", IDP_RENAME_BAD_CHARACTERS}, {"a/b", IDP_RENAME_BAD_CHARACTERS},
        {"a:b", IDP_RENAME_BAD_CHARACTERS}, {"a*", IDP_RENAME_BAD_CHARACTERS}, {"a?", IDP_RENAME_BAD_CHARACTERS},
        {"\"a\"", IDP_RENAME_BAD_CHARACTERS}, {"<a>", IDP_RENAME_BAD_CHARACTERS}, {"a|b", IDP_RENAME_BAD_CHARACTERS},
        {"", IDP_RENAME_BAD_CHARACTERS},  {takenName, IDP_RENAME_EXISTS},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckRenameName(path, c.name), c.expected) << c.name;
    RemoveFile(taken);
}
} // namespace

namespace
{
// The copy made by Save As cannot be opened: the save fails once, reported,
// and the document keeps working on its old file.
TEST_F(FileBasedDocumentTest, SaveAsWhoseReopenFailsKeepsTheOldFileOpen)
{
    TermDoc* doc = Open();
    ASSERT_NE(doc, nullptr);
    doc->m_file.failOpens = 1;
    EXPECT_FALSE(doc->OnSaveDocument(m_other));
    EXPECT_EQ(m_boxes.CallCount(), 1);
    EXPECT_EQ(doc->GetFileObject()->GetPathName(), m_path);
    EXPECT_TRUE(doc->GetFileObject()->IsOpen());
    EXPECT_FALSE(doc->IsReadOnly());
    EXPECT_TRUE(Locked(m_path));
    EXPECT_EQ(AfxGetWaitCursorCount(), 0);
}
} // namespace
