// Document templates that recognise files by their header, damaged headers at
// document and template level, and the open flags of OpenDocumentFileEx.
#include <gtest/gtest.h>

#include "FileDocTestSupport.h"
#include "app/core/Paths.h"
#include "classlib/ClassLibIds.h"
#include "classlib/MessageBox.h"
#include "database/file/FileDocTemplate.h"

using namespace filetest;

namespace
{
typedef CFileBasedDocument FBD;

CFileDocTemplate* MakeTemplate(WORD type, WORD maxVersion, const char* ext)
{
    CFileDocTemplate* t = new CFileDocTemplate(0, RUNTIME_CLASS(TermDoc), nullptr, nullptr, type, maxVersion);
    CString strings = "\nDoc\nDoc\nFiles\n";
    strings += ext;
    strings += "\n\n";
    t->SetDocStrings(strings);
    return t;
}

class FileDocTemplateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_terms = MakeTemplate(docTypeTermList, docVersionTermList, ".ltl");
        m_journals = MakeTemplate(docTypeJournalList, docVersionJournalList, ".ljl");
        m_app.AddDocTemplate(m_journals);
        m_app.AddDocTemplate(m_terms);
        m_path = DocPath("tmpl");
    }
    void TearDown() override
    {
        m_app.CloseAllDocuments(TRUE);
        RemoveFile(m_path);
    }
    CDocTemplate::Confidence Match(CFileDocTemplate* t, const CString& path)
    {
        CDocument* found = nullptr;
        return t->MatchDocType(path, found);
    }

    PromptApp m_app;
    CMessageBoxScript m_boxes;
    CFileDocTemplate* m_terms;
    CFileDocTemplate* m_journals;
    CString m_path;
};

// The header decides, not the extension: a term list named .ljl is still a
// term list.
TEST_F(FileDocTemplateTest, MatchesByHeaderWhateverTheExtension)
{
    const CString path = m_path + ".ljl";
    WriteTermFile(path, 0, 0, docTypeTermList, docVersionTermList);
    EXPECT_EQ(Match(m_terms, path), CDocTemplate::yesAttemptNative);
    EXPECT_EQ(Match(m_journals, path), CDocTemplate::noAttempt);
    CDocument* doc = m_app.OpenDocumentFile(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetDocTemplate(), m_terms);
    CDocument* found = nullptr;
    EXPECT_EQ(m_terms->MatchDocType(path, found), CDocTemplate::yesAlreadyOpen);
    EXPECT_EQ(found, doc);
    doc->OnCloseDocument();
    RemoveFile(path);
}

TEST_F(FileDocTemplateTest, EmptyAndMissingFilesKeepThePlainConfidence)
{
    EXPECT_EQ(Match(m_terms, m_path), CDocTemplate::yesAttemptNative); // missing, extension fits
    WriteAll(m_path, {});
    EXPECT_EQ(Match(m_terms, m_path), CDocTemplate::yesAttemptNative);
    EXPECT_EQ(Match(m_journals, m_path), CDocTemplate::yesAttemptForeign);
}

// A file no one can read (held exclusively elsewhere): no exception escapes
// the match, and the open that follows reports the failure exactly once.
TEST_F(FileDocTemplateTest, UnreadableFileIsDeclinedAndReportedOnce)
{
    WriteTermFile(m_path, 0, 0, docTypeTermList, docVersionTermList);
    CFile holder(m_path, CFile::modeReadWrite | CFile::shareExclusive);
    EXPECT_EQ(Match(m_journals, m_path), CDocTemplate::yesAttemptForeign);
    EXPECT_EQ(m_app.OpenDocumentFile(m_path), nullptr);
    EXPECT_EQ(m_boxes.CallCount(), 1);
    EXPECT_EQ(m_terms->GetDocumentCount() + m_journals->GetDocumentCount(), 0);
}

// Each damaged header: refused by the document with the invalid-format report
// and the file left byte for byte as it was; the template's verdict differs
// only for wrong codes, which it does not compare.
TEST_F(FileDocTemplateTest, DamagedHeadersAreRefusedAndFilesLeftUnchanged)
{
    WriteTermFile(m_path, 0, 0, docTypeTermList, docVersionTermList, "A long enough title", "C");
    const std::vector<unsigned char> good = ReadAll(m_path);
    struct Case
    {
        const char* name;
        size_t offset; // byte to change, or the length to cut to
        int value;     // new byte value, or -1 to cut
        CDocTemplate::Confidence templateVerdict;
    } cases[] = {
        {"wrong magic 1", 0, 0xB5, CDocTemplate::noAttempt},
        {"wrong magic 2", 7, 0x01, CDocTemplate::noAttempt},
        {"wrong code A", 8, 0xFF, CDocTemplate::yesAttemptNative},
        {"wrong code B", 11, 0x01, CDocTemplate::yesAttemptNative},
        {"wrong type", 12, 0x07, CDocTemplate::noAttempt},
        {"newer version", 14, 0x02, CDocTemplate::noAttempt}, // 0x0302
        {"truncated after 10 bytes", 10, -1, CDocTemplate::noAttempt},
        {"truncated inside the title", 20, -1, CDocTemplate::yesAttemptNative},
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> bytes = good;
        if (c.value < 0)
            bytes.resize(c.offset);
        else
            bytes[c.offset] = (unsigned char)c.value;
        WriteAll(m_path, bytes);
        m_boxes.Clear();

        EXPECT_EQ(Match(m_terms, m_path), c.templateVerdict) << c.name;
        EXPECT_EQ(m_terms->OpenDocumentFileEx(m_path, FBD::OpenNoFrame), nullptr) << c.name;
        ASSERT_EQ(m_boxes.CallCount(), 1) << c.name;
        EXPECT_EQ(m_boxes.LastCall().helpId, (UINT)AFX_IDP_FAILED_INVALID_FORMAT) << c.name;
        EXPECT_EQ(m_terms->GetDocumentCount(), 0) << c.name;
        EXPECT_EQ(ReadAll(m_path), bytes) << c.name;
    }
}

TEST_F(FileDocTemplateTest, VersionUpToTheHighestIsAccepted)
{
    WriteTermFile(m_path, 0, 0, docTypeTermList, docVersionTermList - 1);
    EXPECT_EQ(Match(m_terms, m_path), CDocTemplate::yesAttemptNative);
    TermDoc* doc = static_cast<TermDoc*>(m_terms->OpenDocumentFileEx(m_path, FBD::OpenNoFrame));
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetHeaderVersion(), docVersionTermList - 1);
    // Saving writes the current version.
    ASSERT_TRUE(doc->OnSaveDocument(m_path));
    EXPECT_EQ(doc->GetHeaderVersion(), docVersionTermList);
    doc->OnCloseDocument();
    EXPECT_EQ(U16At(ReadAll(m_path), 14), (unsigned)docVersionTermList);
}

// Without a path a new document is made; a CPDocument asks for its file at
// once, and a cancelled prompt abandons it.
TEST_F(FileDocTemplateTest, OpenWithoutPathMakesANewDocument)
{
    EXPECT_EQ(m_terms->OpenDocumentFileEx(nullptr, FBD::OpenNoFrame), nullptr);
    EXPECT_EQ(m_terms->GetDocumentCount(), 0);
    EXPECT_EQ(m_terms->m_nUntitledCount, 0u);

    ScriptedDialogs dialogs;
    dialogs.propertiesOk = TRUE;
    m_app.answer = m_path;
    CDocument* doc = m_terms->OpenDocumentFileEx(nullptr, FBD::OpenNoFrame);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetPathName(), m_path);
    EXPECT_EQ(m_terms->m_nUntitledCount, 1u);
    EXPECT_TRUE(FileExists(m_path));
    doc->OnCloseDocument();
}

TEST_F(FileDocTemplateTest, CreateNewNeverReusesAnOpenDocument)
{
    WriteTermFile(m_path, 0, 0, docTypeTermList, docVersionTermList);
    CDocument* doc = m_terms->OpenDocumentFileEx(m_path, FBD::OpenNoFrame);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(m_terms->OpenDocumentFileEx(m_path, FBD::OpenNoFrame), doc);
    // The open document holds the file, so creating it anew fails and is reported.
    EXPECT_EQ(m_terms->OpenDocumentFileEx(m_path, FBD::OpenNoFrame | FBD::OpenCreateNew), nullptr);
    EXPECT_EQ(m_boxes.CallCount(), 1);
    EXPECT_EQ(m_terms->GetDocumentCount(), 1);
}

// The current directory, changed for the object's lifetime.
class CurrentDirectory
{
public:
    explicit CurrentDirectory(const CString& dir)
    {
#ifdef _WIN32
        GetCurrentDirectoryA(sizeof m_previous, m_previous);
        SetCurrentDirectoryA(dir);
#else
        if (getcwd(m_previous, sizeof m_previous) == nullptr || chdir(AfxNativePath(dir)) != 0)
            ADD_FAILURE() << "cannot change to " << (LPCTSTR)dir;
#endif
    }
    ~CurrentDirectory()
    {
#ifdef _WIN32
        SetCurrentDirectoryA(m_previous);
#else
        if (chdir(m_previous) != 0)
            ADD_FAILURE() << "cannot change back to " << m_previous;
#endif
    }

private:
    char m_previous[1024] = {};
};

// A document is known by its full path, compared as Windows compares paths:
// every spelling of its path finds it, and saving to one saves in place.
TEST_F(FileDocTemplateTest, EverySpellingOfAnOpenPathFindsTheSameDocument)
{
    WriteTermFile(m_path, 0, 0, docTypeTermList, docVersionTermList);
    const CString dir = GetFileDirectory(m_path);
    const CString name = AfxGetFileTitle(m_path);
    CDocument* doc = m_terms->OpenDocumentFileEx(dir + ".\\" + name, FBD::OpenNoFrame);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetPathName(), m_path);
    EXPECT_EQ(static_cast<TermDoc*>(doc)->GetFileObject()->GetPathName(), m_path);

    CString upper = m_path;
    upper.MakeUpper();
    CString slashes = m_path;
    slashes.Replace('\\', '/');
    const CString spellings[] = {m_path, upper, slashes, dir + "sub\\..\\" + name, dir + "\\.\\" + name};
    for (const CString& spelling : spellings) {
        EXPECT_EQ(m_terms->OpenDocumentFileEx(spelling, FBD::OpenNoFrame), doc) << (LPCTSTR)spelling;
        EXPECT_EQ(Match(m_terms, spelling), CDocTemplate::yesAlreadyOpen) << (LPCTSTR)spelling;
    }
    {
        CurrentDirectory inFolder(dir);
        EXPECT_EQ(m_terms->OpenDocumentFileEx(name, FBD::OpenNoFrame), doc);
    }
    EXPECT_TRUE(doc->OnSaveDocument(upper));
    EXPECT_EQ(doc->GetPathName(), m_path);
    EXPECT_EQ(m_boxes.CallCount(), 0);
    EXPECT_EQ(m_terms->GetDocumentCount(), 1);
}

TEST_F(FileDocTemplateTest, UpdateAllDocumentsNotifiesEveryDocument)
{
    WriteTermFile(m_path, 0, 0, docTypeTermList, docVersionTermList);
    const CString second = DocPath("tmpl2");
    WriteTermFile(second, 0, 0, docTypeTermList, docVersionTermList);
    HintRecorder a, b;
    static_cast<TermDoc*>(m_terms->OpenDocumentFileEx(m_path, FBD::OpenNoFrame))->Attach(&a);
    static_cast<TermDoc*>(m_terms->OpenDocumentFileEx(second, FBD::OpenNoFrame))->Attach(&b);
    m_terms->UpdateAllDocuments(nullptr, 0x8001, nullptr);
    EXPECT_EQ(a.Count(0x8001), 1);
    EXPECT_EQ(b.Count(0x8001), 1);
    m_app.CloseAllDocuments(TRUE);
    RemoveFile(second);
}
} // namespace
