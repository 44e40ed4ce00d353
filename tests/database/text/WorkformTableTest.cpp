// The workform table read from workform files the program wrote, its lookups
// and their fall-back to "<Default>", new workform IDs, and the descriptor's
// stored form.
#include <gtest/gtest.h>

#include "ArchiveBytes.h"
#include "classlib/MessageBox.h"
#include "database/text/JournalTitleWorkforms.h"
#include "support/WorkformFixtures.h"

#include <set>

namespace {
class WorkformTableTest : public ::testing::Test
{
protected:
    void SetUp() override { GetWorkformTable().RemoveAll(); }
    void TearDown() override { GetWorkformTable().RemoveAll(); }

    // The fixture files written, then read back into an empty table as at start-up.
    void LoadFixtures()
    {
        m_files.reset(new WorkformFixtureFiles);
        GetWorkformTable().RemoveAll();
        ASSERT_EQ(LoadWorkformFiles(GetWorkformTable(), m_files->Paths()),
                  static_cast<int>(StandardWorkformFixtures().size()));
    }

    std::unique_ptr<WorkformFixtureFiles> m_files;
    CMessageBoxScript m_boxes;
};

void ExpectIsDefault(const IWorkformInfo& workform)
{
    EXPECT_EQ(workform.GetId(), -1);
    EXPECT_STREQ(workform.GetName(), "<Default>");
    EXPECT_STREQ(workform.GetFieldName(10), "Journal Title");
    EXPECT_STREQ(workform.GetFieldName(45), "Keywords");
    EXPECT_TRUE(workform.GetPathName().IsEmpty());
}
} // namespace

TEST_F(WorkformTableTest, FixtureFilesReadBackIntoTheTable)
{
    LoadFixtures();
    const CWorkformTable& table = GetWorkformTable();
    const auto& fixtures = StandardWorkformFixtures();
    ASSERT_EQ(table.GetCount(), static_cast<int>(fixtures.size()));
    for (size_t i = 0; i < fixtures.size(); ++i) {
        const WorkformFixture& fixture = fixtures[i];
        SCOPED_TRACE(fixture.name);
        const int index = static_cast<int>(i);
        EXPECT_EQ(table.GetIdAt(index), static_cast<int16_t>(fixture.id));
        EXPECT_STREQ(table.GetNameAt(index), fixture.name);
        const IWorkformInfo& workform = table.FindById(fixture.id);
        EXPECT_EQ(&workform, &table.GetAt(index));
        EXPECT_EQ(&table.FindByName(fixture.name), &workform);
        EXPECT_EQ(workform.GetPathName(), m_files->Paths()[i]);
        FieldSet used;
        EXPECT_EQ(workform.GetFieldSet(used), FixtureFieldSet(fixture));
        for (int n = 1; n <= kWorkformFields; ++n) {
            const bool isUsed = FixtureFieldSet(fixture).Contains(n);
            EXPECT_EQ(workform.IsFieldUsed(n) != FALSE, isUsed) << n;
            EXPECT_EQ(CString(table.GetFieldName(fixture.id, n)),
                      isUsed ? FixtureFieldName(fixture, n) : CString("---"))
                << n;
        }
    }
    CStringArray names;
    EXPECT_EQ(table.GetNames(names), table.GetCount());
    ASSERT_EQ(names.GetSize(), table.GetCount());
    EXPECT_EQ(names[1], "Book, Entire");

    // Reading the same files again adds nothing: their IDs are known.
    EXPECT_EQ(LoadWorkformFiles(GetWorkformTable(), m_files->Paths()), table.GetCount());
    EXPECT_EQ(table.GetCount(), static_cast<int>(fixtures.size()));
}

TEST_F(WorkformTableTest, EveryLookupOfAnUnknownWorkformFallsBackToDefault)
{
    for (bool filled : {false, true}) {
        SCOPED_TRACE(filled ? "filled table" : "empty table");
        if (filled)
            LoadFixtures();
        const CWorkformTable& table = GetWorkformTable();
        for (int id : {-1, 4, 19, 12345, 0x10000 + 12345}) {
            SCOPED_TRACE(id);
            ExpectIsDefault(table.FindById(id));
            EXPECT_STREQ(table.GetName(id), "<Default>");
            EXPECT_STREQ(table.GetFieldName(id, 10), "Journal Title");
            EXPECT_STREQ(table.GetFieldName(id, 1), "Author, Analytic");
            EXPECT_TRUE(table.IsFieldUsed(id, 33));
            EXPECT_FALSE(table.Exists(id));
        }
        for (const char* name : {"Unknown", "", "Journal Article", "<Default>"}) {
            SCOPED_TRACE(name);
            ExpectIsDefault(table.FindByName(name));
            EXPECT_EQ(table.GetIdFromText(name), -1);
        }
        ExpectIsDefault(table.GetDefault());
    }
}

TEST_F(WorkformTableTest, IdsFromTextLettersAndNames)
{
    LoadFixtures();
    const CWorkformTable& table = GetWorkformTable();
    const struct
    {
        const char* text;
        int id;
    } cases[] = {
        {"c", 2},   {"T", 19},           {"a", 0},          {"t", 19},       {"U", -1}, {"u", -1},
        {"AB", -1}, {"book, entire", 1}, {"THESIS", 21748}, {"Thesis ", -1}, {"1", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(table.GetIdFromText(c.text), static_cast<int16_t>(c.id)) << c.text;
    }
    // IDs are 16-bit: an int above 0xFFFF is reduced first.
    EXPECT_STREQ(table.GetName(0x10000 + 21748), "Thesis");
    EXPECT_STREQ(table.GetName(21748 - 0x10000), "Thesis");
    EXPECT_STREQ(table.GetName(0x10000 + 21749), "<Default>");
}

TEST_F(WorkformTableTest, DescriptorFromDocumentBits)
{
    CWorkformDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetWorkformId(300);
    doc.SetWorkformName("Short");
    FieldSet fields;
    for (int n : {1, 4, 10})
        fields.Add(n);
    doc.SetUsedFields(fields);
    const CWorkformInfo info(doc);
    BYTE used[46];
    const BYTE expected[] = {1, 4, 10, 0};
    EXPECT_EQ(0, memcmp(info.GetUsedFields(used), expected, sizeof expected));
    EXPECT_EQ(FormatFieldListLine(info, 7), "(07) ---");
    EXPECT_EQ(FormatFieldListLine(info, 10), "(10) Journal Title");
    EXPECT_STREQ(info.GetFieldName(9), "---");

    // An empty own name still counts as used.
    doc.SetFieldName(4, "");
    EXPECT_TRUE(CWorkformInfo(doc).IsFieldUsed(4));
    EXPECT_STREQ(CWorkformInfo(doc).GetFieldName(4), "");

    // The table keeps 31 characters of a longer title.
    doc.SetWorkformName("A workform name of more than thirty-one characters");
    EXPECT_STREQ(CWorkformInfo(doc).GetName(), "A workform name of more than th");
}

TEST_F(WorkformTableTest, AddAndUpdateFromDocuments)
{
    CWorkformTable& table = GetWorkformTable();
    CWorkformDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetWorkformId(500);
    doc.SetWorkformName("First");
    table.AddFromDocument(doc);
    ASSERT_EQ(table.GetCount(), 1);

    doc.SetWorkformName("Second");
    table.AddFromDocument(doc); // the ID is known: unchanged
    ASSERT_EQ(table.GetCount(), 1);
    EXPECT_STREQ(table.GetNameAt(0), "First");

    CWorkformDoc other;
    ASSERT_TRUE(other.OnNewDocument());
    other.SetWorkformId(600);
    table.UpdateFromDocument(other); // a new ID is added at the end
    table.UpdateFromDocument(doc);   // a known one replaced in place
    ASSERT_EQ(table.GetCount(), 2);
    EXPECT_STREQ(table.GetNameAt(0), "Second");
    EXPECT_EQ(table.GetIdAt(1), 600);

    // A workform claiming ID -1 would hide "<Default>": it never enters.
    CWorkformDoc shadow;
    ASSERT_TRUE(shadow.OnNewDocument());
    shadow.SetWorkformId(0xFFFF);
    shadow.SetWorkformName("Shadow");
    table.AddFromDocument(shadow);
    table.UpdateFromDocument(shadow);
    EXPECT_EQ(table.GetCount(), 2);
    EXPECT_STREQ(table.GetName(-1), "<Default>");
}

// Every ID is handed out once, never one of the table's, a built-in or
// standard one or -1, however fast they are asked for; then there are none.
// (A table of its own: the process-wide one must keep IDs for other tests.)
TEST_F(WorkformTableTest, NewWorkformIdsAreUniqueUntilNoneIsLeft)
{
    WorkformFixtureFiles files;
    CWorkformTable table;
    ASSERT_EQ(LoadWorkformFiles(table, files.Paths()), static_cast<int>(StandardWorkformFixtures().size()));
    std::set<int> seen;
    std::vector<int> firstDraws;
    for (;;) {
        int16_t id;
        try {
            id = table.NewWorkformId();
        } catch (CException* e) {
            EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CNotSupportedException)));
            e->Delete();
            break;
        }
        ASSERT_GE(id, 0);
        ASSERT_FALSE(id <= 25 || id == 17762 || id == 21426 || id == 21748) << id;
        ASSERT_TRUE(seen.insert(id).second) << id;
        if (firstDraws.size() < 2)
            firstDraws.push_back(id);
    }
    EXPECT_NE(firstDraws[0], firstDraws[1]);
    // 0..32767 less 0..25, 17762, 21426 and the fixture Thesis's 21748.
    EXPECT_EQ(seen.size(), 32768u - 26u - 3u);
}

TEST_F(WorkformTableTest, JournalTitleFieldRules)
{
    LoadFixtures();
    EXPECT_TRUE(IsJournalTitleWorkform(0));     // no field 9, has field 10
    EXPECT_FALSE(IsJournalTitleWorkform(1));    // has field 9
    EXPECT_FALSE(IsJournalTitleWorkform(999));  // "<Default>" uses both
    EXPECT_TRUE(IsField10ToField7Workform(8));  // no field 11, has field 7
    EXPECT_FALSE(IsField10ToField7Workform(2)); // only ID 8 counts
    EXPECT_EQ(GetField10Target(8), 7);
}

// ---- the descriptor's stored form ---------------------------------------------

namespace {
CWorkformInfo SmallInfo()
{
    const char* names[kWorkformFields] = {};
    names[0] = "Au";
    names[44] = "Kw";
    return CWorkformInfo("Ab", 0x1234, names, "C:\\x.lwf");
}

Bytes SmallInfoBytes()
{
    Bytes b;
    Put16(b, 0x1234);
    Put16(b, 3);
    PutBytes(b, {'A', 'b', 0});
    Put16(b, 3 + 43 * 4 + 3);
    PutBytes(b, {'A', 'u', 0});
    for (int i = 0; i < 43; ++i)
        PutBytes(b, {'-', '-', '-', 0});
    PutBytes(b, {'K', 'w', 0});
    return b;
}
} // namespace

TEST(WorkformInfoArchiveTest, StoredBytesAndBack)
{
    CWorkformInfo info = SmallInfo();
    const Bytes stored = StoreToBytes([&](CArchive& ar) { info.Serialize(ar); });
    EXPECT_EQ(stored, SmallInfoBytes());

    CWorkformInfo loaded;
    EXPECT_EQ(LoadFromBytes(stored, [&](CArchive& ar) { loaded.Serialize(ar); }), 0);
    EXPECT_EQ(loaded.GetId(), 0x1234);
    EXPECT_STREQ(loaded.GetName(), "Ab");
    EXPECT_STREQ(loaded.GetFieldName(1), "Au");
    EXPECT_FALSE(loaded.IsFieldUsed(2));
    EXPECT_STREQ(loaded.GetFieldName(45), "Kw");
    EXPECT_TRUE(loaded.GetPathName().IsEmpty()); // not stored
}

// A damaged descriptor is refused whole, and never leaves names that run past their block.
TEST(WorkformInfoArchiveTest, DamagedDescriptorsAreRefused)
{
    const Bytes good = SmallInfoBytes();
    const size_t blockSizeAt = 2 + 2 + 3;
    auto withBlock = [&](const Bytes& block) {
        Bytes b(good.begin(), good.begin() + blockSizeAt);
        Put16(b, static_cast<unsigned>(block.size()));
        b.insert(b.end(), block.begin(), block.end());
        return b;
    };
    const Bytes goodBlock(good.begin() + blockSizeAt + 2, good.end());
    Bytes noTerminators(goodBlock.size(), 'x');
    Bytes lastUnterminated(goodBlock.begin(), goodBlock.end() - 1);
    Bytes trailing(goodBlock);
    trailing.push_back('z');
    Bytes longName;
    Put16(longName, 1);
    Put16(longName, 33);
    longName.insert(longName.end(), 33, 'n');

    const struct
    {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"no terminators", withBlock(noTerminators)},
        {"44 names and a cut one", withBlock(lastUnterminated)},
        {"bytes after the 45th name", withBlock(trailing)},
        {"empty block", withBlock(Bytes())},
        {"name size above 32", longName},
        {"short name", Bytes(good.begin(), good.begin() + 5)},
        {"short block", Bytes(good.begin(), good.end() - 1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CWorkformInfo info = SmallInfo();
        try {
            LoadFromBytes(c.bytes, [&](CArchive& ar) { info.Serialize(ar); });
            ADD_FAILURE() << "accepted";
        } catch (CException* e) {
            ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CArchiveException)));
            EXPECT_EQ(static_cast<CArchiveException*>(e)->m_cause, CArchiveException::endOfFile);
            e->Delete();
        }
        EXPECT_EQ(info.GetId(), 0x1234);
        EXPECT_STREQ(info.GetFieldName(1), "Au");
    }
}

TEST(WorkformInfoArchiveTest, NamesTooLargeForTheirSizeFieldAreNotStored)
{
    const CString big('n', 1500);
    const char* names[kWorkformFields];
    for (const char*& name : names)
        name = big;
    CWorkformInfo info("Big", 7, names, "");
    Bytes stored;
    try {
        stored = StoreToBytes([&](CArchive& ar) { info.Serialize(ar); });
        ADD_FAILURE() << "stored";
    } catch (CException* e) {
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CArchiveException)));
        EXPECT_EQ(static_cast<CArchiveException*>(e)->m_cause, CArchiveException::generic);
        e->Delete();
    }
}
