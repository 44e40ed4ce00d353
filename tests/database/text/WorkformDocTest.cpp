// The workform document: a new workform, the workform file byte for byte, IDs
// across saves to other paths, refused files, and field choices.
#include <gtest/gtest.h>

#include "ArchiveBytes.h"
#include "classlib/MessageBox.h"
#include "database/file/DocHeader.h"
#include "database/file/FileTestSupport.h"
#include "support/WorkformFixtures.h"

namespace {
class WorkformDocTest : public ::testing::Test
{
protected:
    void SetUp() override { GetWorkformTable().RemoveAll(); }
    void TearDown() override
    {
        CWorkformDoc::SetSavedHandler(nullptr);
        GetWorkformTable().RemoveAll();
    }

    // A new workform document, deleted by the test's end.
    CWorkformDoc* NewDoc()
    {
        CWorkformDoc* doc = new CWorkformDoc;
        doc->m_bAutoDelete = FALSE;
        m_docs.emplace_back(doc);
        EXPECT_TRUE(doc->OnNewDocument());
        return doc;
    }

    WorkformFixtureFiles m_files{{}};
    CMessageBoxScript m_boxes;
    std::vector<std::unique_ptr<CWorkformDoc>> m_docs;
};

CWorkformDoc* g_saved = nullptr;
void RecordSaved(CWorkformDoc* doc)
{
    g_saved = doc;
}
} // namespace

TEST_F(WorkformDocTest, NewWorkformStartsFromTheBuiltInNames)
{
    CWorkformDoc* doc = NewDoc();
    EXPECT_EQ(doc->GetWorkformName(), "Untitled Workform");
    const BYTE expected[FieldSet::kBytes] = {0xFE, 0x03, 0x50, 0x03, 0x80, 0x3D};
    for (int i = 0; i < FieldSet::kBytes; ++i)
        EXPECT_EQ(doc->GetUsedFieldSet().GetByte(i), expected[i]) << i;
    EXPECT_EQ(doc->GetUsedFieldSet().Count(), 19); // 1-9, 20, 22, 24, 25, 39, 40, 42-45
    for (int n = 1; n <= kWorkformFields; ++n)
        EXPECT_EQ(doc->GetFieldName(n), GetBuiltInFieldName(n)) << n;
    EXPECT_GT(doc->GetWorkformId(), 25);
    EXPECT_LT(doc->GetWorkformId(), 0x8000);
    EXPECT_NE(NewDoc()->GetWorkformId(), doc->GetWorkformId()); // made in the same second
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(WorkformDocTest, WorkformFileBytes)
{
    const WorkformFixture fixture = {"Tiny", 0x4321, {1, 45}, {{1, "Who"}}};
    const CString path = m_files.NewPath();
    WriteWorkformFile(fixture, path);

    const Bytes expected = StoreToBytes([&](CArchive& ar) {
        StoreDocumentHeader(ar, 0xFFFF, 0xFFFF, 0x8004, 0x0300, CString("Tiny"), CString());
        ar << WORD(0x4321);
        for (BYTE b : {0x02, 0x00, 0x00, 0x00, 0x00, 0x20})
            ar << b;
        for (int n = 1; n <= kWorkformFields; ++n)
            ar << FixtureFieldName(fixture, n);
    });
    const Bytes written = filetest::ReadAll(path);
    EXPECT_EQ(written, expected);
    EXPECT_EQ(Bytes(written.begin(), written.begin() + 16),
              Bytes({0xB4, 0xF4, 0x5C, 0x00, 0x0C, 0xC1, 0x9A, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x04, 0x80, 0x00,
                     0x03}));

    // Saving entered it into the table; reading the file gives the same workform.
    ASSERT_TRUE(GetWorkformTable().Exists(0x4321));
    EXPECT_STREQ(GetWorkformTable().GetFieldName(0x4321, 1), "Who");
    EXPECT_STREQ(GetWorkformTable().GetFieldName(0x4321, 2), "---");
    CWorkformTable fresh;
    ASSERT_TRUE(LoadWorkformFile(fresh, path));
    EXPECT_STREQ(fresh.GetName(0x4321), "Tiny");
    EXPECT_EQ(fresh.GetAt(0).GetPathName(), path);
}

TEST_F(WorkformDocTest, SavingUnderAnotherPathMakesAWorkformOfItsOwn)
{
    CWorkformDoc::SetSavedHandler(RecordSaved);
    CWorkformDoc* doc = NewDoc();
    const WORD created = doc->GetWorkformId();
    const CString first = m_files.NewPath();
    g_saved = nullptr;
    ASSERT_TRUE(doc->OnSaveDocument(first));
    EXPECT_EQ(doc->GetWorkformId(), created); // a new workform keeps its first ID
    EXPECT_EQ(g_saved, doc);

    ASSERT_TRUE(doc->OnSaveDocument(first)); // the same path: the same ID
    EXPECT_EQ(doc->GetWorkformId(), created);

    const CString second = m_files.NewPath();
    ASSERT_TRUE(doc->OnSaveDocument(second));
    const WORD renewed = doc->GetWorkformId();
    EXPECT_NE(renewed, created);
    const CWorkformTable& table = GetWorkformTable();
    ASSERT_EQ(table.GetCount(), 2);
    EXPECT_EQ(table.FindById(created).GetPathName(), first);
    EXPECT_EQ(table.FindById(renewed).GetPathName(), second);

    // The same name in other letters counts as another path: where that is
    // another file (natively) the workform gets a new ID; where it is the same
    // file (Windows) the save fails on the open file and the ID stays.
    const int nameAt = second.ReverseFind('\\') + 1;
    CString otherCase = second.Mid(nameAt);
    otherCase.MakeUpper();
    otherCase = second.Left(nameAt) + otherCase;
    ASSERT_NE(otherCase, second);
    if (doc->SaveDocumentAs(otherCase, TRUE)) {
        EXPECT_NE(doc->GetWorkformId(), renewed);
        m_files.RemoveQuietly(otherCase);
    } else {
        EXPECT_EQ(doc->GetWorkformId(), renewed);
        EXPECT_EQ(doc->GetWorkformPath(), second);
    }

    // Without renewal (the conversion of old files) the ID stays.
    const WORD before = doc->GetWorkformId();
    ASSERT_TRUE(doc->SaveDocumentAs(m_files.NewPath(), FALSE));
    EXPECT_EQ(doc->GetWorkformId(), before);
}

// A Save As that fails leaves the document with its old file: it must keep
// that file's ID too, or its next save would cut the file off from its records.
TEST_F(WorkformDocTest, FailedSaveAsKeepsTheId)
{
    CWorkformDoc* doc = NewDoc();
    const CString path = m_files.NewPath();
    ASSERT_TRUE(doc->OnSaveDocument(path));
    const WORD id = doc->GetWorkformId();
    const int tableCount = GetWorkformTable().GetCount();

    EXPECT_FALSE(doc->OnSaveDocument(path + ".missing-folder\\x.lwf"));
    EXPECT_GE(m_boxes.CallCount(), 1);
    EXPECT_EQ(doc->GetWorkformId(), id);
    EXPECT_EQ(doc->GetWorkformPath(), path);
    EXPECT_EQ(GetWorkformTable().GetCount(), tableCount);
}

TEST_F(WorkformDocTest, FilesOfOtherKindsOrDamagedAreRefused)
{
    const WorkformFixture fixture = {"Good", 777, {1, 2, 3}, {}};
    const CString goodPath = m_files.NewPath();
    WriteWorkformFile(fixture, goodPath);
    const Bytes good = filetest::ReadAll(goodPath);
    const size_t headerEnd = 16 + 1 + 4 + 1; // fixed part, "Good", empty comments

    auto patched = [&](size_t at, std::initializer_list<unsigned> values) {
        Bytes b(good);
        for (unsigned v : values)
            b[at++] = static_cast<unsigned char>(v);
        return b;
    };
    const struct
    {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"output style type", patched(12, {0x05, 0x80})},
        {"newer version", patched(14, {0x01, 0x03})},
        {"codes of a database", patched(8, {0, 0, 0, 0})},
        {"wrong magic", patched(0, {0})},
        {"cut in the names", Bytes(good.begin(), good.end() - 3)},
        {"cut in the field set", Bytes(good.begin(), good.begin() + headerEnd + 4)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CString path = m_files.NewPath();
        filetest::WriteAll(path, c.bytes);
        CWorkformTable table;
        m_boxes.Clear();
        EXPECT_FALSE(LoadWorkformFile(table, path));
        EXPECT_EQ(table.GetCount(), 0);
        EXPECT_EQ(m_boxes.CallCount(), 1); // the failed open is reported once
    }
    CWorkformTable table;
    EXPECT_TRUE(LoadWorkformFile(table, goodPath));
    EXPECT_EQ(table.GetCount(), 1);
}

TEST_F(WorkformDocTest, FieldChoicesMarkTheDocumentOnlyWhenTheyChange)
{
    CWorkformDoc* doc = NewDoc();
    const FieldSet same = doc->GetUsedFieldSet();
    doc->SetUsedFields(same);
    doc->SetFieldName(1, GetBuiltInFieldName(1));
    doc->SetWorkformName("Untitled Workform");
    EXPECT_FALSE(doc->IsModified());

    FieldSet other(same);
    other.Add(0);  // not a record field: dropped
    other.Add(47); // likewise
    doc->SetUsedFields(other);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetUsedFieldSet(), same);

    other.Add(30);
    doc->SetUsedFields(other);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(doc->GetUsedFieldSet().Contains(30));
    EXPECT_FALSE(doc->GetUsedFieldSet().Contains(47));
}
