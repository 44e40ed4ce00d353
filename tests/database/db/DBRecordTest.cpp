// The record: its stream byte for byte and its older forms, field addressing
// and role codes, and the load and save flows against a database kept in
// memory (the stream is what that database stores).
#include <gtest/gtest.h>

#include <algorithm>

#include "MemoryDatabase.h"
#include "classlib/ClassLibIds.h"
#include "classlib/MessageBox.h"
#include "database/db/DBRecordRef.h"
#include "database/db/DBRecordTemplate.h"
#include "database/db/DefaultWorkform.h"
#include "database/db/FieldSet.h"
#include "database/text/StyledStringArchive.h"
#include "support/WorkformFixtures.h"

namespace {
Bytes StreamOf(DBRecord& record)
{
    return StoreToBytes([&](CArchive& ar) { record.Serialize(ar); });
}

void ReadStream(DBRecord& record, const Bytes& bytes)
{
    EXPECT_EQ(LoadFromBytes(bytes, [&](CArchive& ar) { record.Serialize(ar); }), 0);
}

void Put32(Bytes& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// A field in its archive form: text of one plain run.
void PutPlainField(Bytes& b, const char* text)
{
    const size_t n = strlen(text);
    b.push_back(static_cast<unsigned char>(n));
    b.insert(b.end(), text, text + n);
    PutBytes(b, {0x00});
    Put16(b, static_cast<unsigned>(n));
}

StyledString Bold(const char* text)
{
    StyledString s;
    s.AppendStyled(text, static_cast<int>(strlen(text)), StyleRun(kStyleBold, 12, "Arial", 0));
    return s;
}
} // namespace

// ---- record stream ----------------------------------------------------------

TEST(DBRecordStreamTest, OnlyField45)
{
    DBRecord record; // both times 0, no workform
    record.SetRecordIdText("17");
    record.SetField(StyledString("x"), 45);
    Bytes expected;
    PutBytes(expected, {0x88, 0x88, 0x02, 0x00});
    Put32(expected, 0);       // created
    Put32(expected, 0);       // modified
    Put16(expected, 0xFFFF);  // workform -1
    Put32(expected, 17);      // record ID number
    PutBytes(expected, {44}); // field 45
    PutPlainField(expected, "x");
    PutBytes(expected, {0xFF});
    PutPlainField(expected, "17");
    EXPECT_EQ(StreamOf(record), expected);
}

TEST(DBRecordStreamTest, RoundTripKeepsEverything)
{
    DBRecord record;
    record.SetWorkformId(21748);
    record.SetRecordIdText("A-12");
    record.SetField(Bold("Smith, J."), 1);
    record.SetField(StyledString("A title"), 4);
    record.SetField(StyledString(CString('k', 40000)), 45);
    Bytes stream = StreamOf(record);

    DBRecord back;
    ReadStream(back, stream);
    EXPECT_EQ(back.GetWorkformId(), 21748);
    EXPECT_EQ(back.GetRecordIdText(), "A-12");
    EXPECT_EQ(back.GetRecordIdNumber(), 0);
    for (int n = 1; n <= DBRecord::kFieldCount; ++n) {
        EXPECT_EQ(back.GetField(n).text, record.GetField(n).text) << n;
        EXPECT_TRUE(back.GetField(n).runs.IsEqual(record.GetField(n).runs)) << n;
    }
    EXPECT_EQ(StreamOf(back), stream);
}

// Version 1 and the form without marker have no record ID text: it becomes
// the ID number. Without marker the time stamps keep their values. Reading
// never keeps fields of the record read before.
TEST(DBRecordStreamTest, OlderFormsTakeTheIdFromItsNumber)
{
    Bytes current;
    PutBytes(current, {0x88, 0x88, 0x02, 0x00});
    Put32(current, 1000);
    Put32(current, 2000);
    Put16(current, 3);
    Put32(current, 99);
    PutBytes(current, {0});
    PutPlainField(current, "old field 1");
    PutBytes(current, {0xFF});
    PutPlainField(current, "99");

    Bytes version1;
    PutBytes(version1, {0x88, 0x88, 0x01, 0x00});
    Put32(version1, 5000);
    Put32(version1, 6000);
    Put16(version1, 2);
    Put32(version1, 4711);
    PutBytes(version1, {9});
    PutPlainField(version1, "Title");
    PutBytes(version1, {0xFF});

    Bytes unmarked;
    Put16(unmarked, 1);
    Put32(unmarked, 1234567);
    PutBytes(unmarked, {19});
    PutPlainField(unmarked, "1999");
    PutBytes(unmarked, {0xFF});

    DBRecord record;
    ReadStream(record, current);
    ReadStream(record, version1);
    EXPECT_EQ(record.GetRecordIdText(), "4711");
    EXPECT_EQ(record.GetRecordIdNumber(), 4711);
    EXPECT_EQ(record.GetRecordIdText(), CString("4711"));
    EXPECT_EQ(record.GetField(0).runs.GetSize(), 1);
    EXPECT_EQ(record.GetCreated(), 5000u);
    EXPECT_EQ(record.GetModified(), 6000u);
    EXPECT_EQ(record.GetWorkformId(), 2);
    EXPECT_EQ(record.GetField(10).text, "Title");
    EXPECT_TRUE(record.GetField(1).IsEmpty()); // not left from the first stream

    ReadStream(record, unmarked);
    EXPECT_EQ(record.GetRecordIdText(), "1234567");
    EXPECT_EQ(record.GetCreated(), 5000u);
    EXPECT_EQ(record.GetModified(), 6000u);
    EXPECT_EQ(record.GetWorkformId(), 1);
    EXPECT_EQ(record.GetField(20).text, "1999");
    EXPECT_TRUE(record.GetField(10).IsEmpty());
}

TEST(DBRecordStreamTest, FieldBytesFrom45To254AreBadIndexes)
{
    for (int fieldByte : {45, 46, 100, 200, 254}) {
        SCOPED_TRACE(fieldByte);
        Bytes stream;
        PutBytes(stream, {0x88, 0x88, 0x02, 0x00});
        Put32(stream, 0);
        Put32(stream, 0);
        Put16(stream, 0);
        Put32(stream, 1);
        PutBytes(stream, {44});
        PutPlainField(stream, "kw");
        stream.push_back(static_cast<unsigned char>(fieldByte));
        PutPlainField(stream, "z");
        PutBytes(stream, {0xFF});
        PutPlainField(stream, "1");
        DBRecord record;
        try {
            LoadFromBytes(stream, [&](CArchive& ar) { record.Serialize(ar); });
            ADD_FAILURE() << "accepted";
        } catch (CException* e) {
            ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CArchiveException)));
            EXPECT_EQ(static_cast<CArchiveException*>(e)->m_cause, CArchiveException::badIndex);
            e->Delete();
        }
    }
}

// A search decodes only the fields it tests: the others come out empty, the
// reading stops after the last wanted field unless the record ID (field 0) is
// wanted, and one object reused for many records keeps nothing of the last.
TEST(DBRecordStreamTest, PartialLoadsDecodeOnlyTheWantedFields)
{
    DBRecord record;
    record.SetWorkformId(3);
    record.SetRecordIdText("A-12");
    record.SetField(Bold("Smith, J."), 1);
    record.SetField(StyledString("A title"), 4);
    record.SetField(Bold(CString('n', 3000)), 38);
    record.SetField(StyledString("kw"), 45);
    const Bytes stream = StreamOf(record);
    const struct
    {
        std::vector<int> wanted;
        std::vector<int> filled; // fields read; 0 for the record ID
    } cases[] = {
        {{1, 45}, {0, 1, 45}},
        {{1}, {1}},
        {{0, 4}, {0, 4}},
        {{}, {}},
    };
    DBRecord back;
    ReadStream(back, stream); // every buffer in use before each partial load
    for (const auto& c : cases) {
        FieldSet wanted;
        for (int n : c.wanted)
            wanted.Add(n);
        LoadFromBytes(stream, [&](CArchive& ar) { back.LoadFields(ar, wanted); });
        EXPECT_EQ(back.GetWorkformId(), 3);
        EXPECT_EQ(back.GetRecordIdNumber(), 0);
        for (int n = 0; n <= DBRecord::kFieldCount; ++n) {
            const bool filled = std::find(c.filled.begin(), c.filled.end(), n) != c.filled.end();
            const StyledString& expected = filled ? record.GetField(n) : StyledString();
            EXPECT_EQ(back.GetField(n).text, expected.text) << n;
            EXPECT_TRUE(back.GetField(n).runs.IsEqual(expected.runs)) << n;
        }
    }
    // Cut inside field 38, which is skipped: the short stream still fails,
    // and nothing of the record stays.
    Bytes cut(stream.begin(), stream.begin() + (long)(stream.size() / 2));
    FieldSet last;
    last.Add(45);
    try {
        LoadFromBytes(cut, [&](CArchive& ar) { back.LoadFields(ar, last); });
        ADD_FAILURE() << "accepted";
    } catch (CException* e) {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CArchiveException)));
        e->Delete();
    }
    for (int n = 0; n <= DBRecord::kFieldCount; ++n)
        EXPECT_TRUE(back.GetField(n).text.IsEmpty()) << n;
}

// ---- field addressing -------------------------------------------------------------

// The role lists do not depend on the workform: the same choice for records of several.
TEST(DBRecordFieldTest, RoleCodesTakeTheFirstFilledFieldOfTheirList)
{
    const struct
    {
        BYTE code;
        std::vector<int> filled;
        int getField;
        int resolved;
    } cases[] = {
        {255, {16}, 16, 1},      {255, {7, 16}, 7, 7}, {255, {}, 1, 1},         {255, {30}, 30, 1},
        {254, {10}, 4, 10},      {254, {32}, 32, 4},   {254, {11, 32}, 11, 11}, {254, {9, 10}, 9, 9},
        {253, {12, 21}, 12, 21}, {253, {}, 12, 20},    {253, {21}, 21, 21},     {250, {9, 30}, 9, 9},
        {250, {30}, 30, 1},      {250, {10}, 1, 10},   {250, {32, 11}, 11, 11},
    };
    GetWorkformTable().RemoveAll();
    WorkformFixtureFiles files;
    GetWorkformTable().RemoveAll();
    LoadWorkformFiles(GetWorkformTable(), files.Paths());
    for (int16_t workform : {0, 1, 2, 8, 21748, 999}) {
        for (const auto& c : cases) {
            DBRecord record;
            record.SetWorkformId(workform);
            for (int n : c.filled)
                record.SetField(StyledString("text"), static_cast<BYTE>(n));
            SCOPED_TRACE(testing::Message() << "workform " << workform << " code " << int(c.code)
                                            << " first filled " << (c.filled.empty() ? 0 : c.filled[0]));
            EXPECT_EQ(&record.GetField(c.code), &record.GetField(static_cast<BYTE>(c.getField)));
            EXPECT_EQ(record.ResolveFieldRole(c.code), c.resolved);
        }
    }
    GetWorkformTable().RemoveAll();
    DBRecord record;
    for (BYTE code : {0, 5, 45, 46, 251, 252})
        EXPECT_EQ(record.ResolveFieldRole(code), code);
}

TEST(DBRecordFieldTest, FieldsIdsAndValidity)
{
    DBRecord record;
    EXPECT_TRUE(record.IsEmpty());
    record.SetField(StyledString("0042"), 0); // the ID text, number not recomputed
    EXPECT_EQ(record.GetRecordIdText(), "0042");
    EXPECT_EQ(record.GetRecordIdNumber(), -1);
    EXPECT_TRUE(record.IsEmpty());
    EXPECT_EQ(record.SetRecordIdText("0042"), 42);
    record.SetRecordIdNumber(77);
    EXPECT_EQ(record.GetRecordIdText(), "77");
    record.SetField(StyledString("abc"), 3);
    record.SetField(StyledString("de"), 44);
    EXPECT_FALSE(record.IsEmpty());
    EXPECT_EQ(record.GetTextLength(), 5u);

    // Numbers it does not know address nothing.
    record.SetField(StyledString("lost"), 46);
    record.SetField(StyledString("lost"), 252);
    EXPECT_EQ(record.GetTextLength(), 5u);
    record.GetField(100).SetPlainText("scratch");
    EXPECT_TRUE(record.GetField(100).IsEmpty());

    EXPECT_TRUE(record.IsValidRecordId(CString('9', 20)));
    EXPECT_FALSE(record.IsValidRecordId(CString('9', 21)));
    EXPECT_FALSE(record.IsValidRecordId(""));
}

// ---- load and save flows ------------------------------------------------------------

namespace {
class DBRecordFlowTest : public ::testing::Test
{
protected:
    DBRecordFlowTest() : m_template(0, RUNTIME_CLASS(DBRecord), nullptr, nullptr) {}
    void SetUp() override { GetWorkformTable().RemoveAll(); }
    void TearDown() override
    {
        POSITION pos = m_template.GetFirstDocPosition();
        while (pos != nullptr)
            m_template.GetNextDoc(pos)->OnCloseDocument();
        GetWorkformTable().RemoveAll();
    }

    // A record document of the template, owned by it until the test ends.
    DBRecord* OpenRecord()
    {
        DBRecord* record = static_cast<DBRecord*>(m_template.CreateNewDocument());
        record->SetDatabase(&m_db);
        return record;
    }
    DBRecord* NewRecord()
    {
        DBRecord* record = OpenRecord();
        EXPECT_TRUE(record->InitNewRecord());
        return record;
    }

    DBRecordTemplate m_template;
    MemoryDatabase m_db;
    CMessageBoxScript m_boxes;
};
} // namespace

TEST_F(DBRecordFlowTest, NewRecordsAreStoredAndReadBack)
{
    DBRecord* first = NewRecord();
    EXPECT_EQ(first->GetRecordNumber(), -1);
    EXPECT_EQ(first->GetRecordIdText(), "10");
    EXPECT_EQ(first->GetRecordIdNumber(), 10);
    first->SetField(Bold("Doe, A."), 1);
    first->SetField(StyledString("First"), 4);
    first->SetAddToMarked(TRUE);
    ASSERT_TRUE(first->SaveRecord(-1, 0));
    EXPECT_EQ(first->GetRecordNumber(), 0);
    EXPECT_NE(first->GetCreated(), 0u);
    EXPECT_EQ(first->GetCreated(), first->GetModified());
    EXPECT_FALSE(first->IsModified());
    EXPECT_EQ(m_db.marked.count(0), 1u);

    m_db.nextRecordId = "20";
    DBRecord* second = NewRecord();
    second->SetField(StyledString("Second"), 4);
    ASSERT_TRUE(second->SaveRecord(-1, 0));
    EXPECT_EQ(second->GetRecordNumber(), 1);
    EXPECT_EQ(m_db.marked.count(1), 0u);
    EXPECT_EQ(m_template.GetLastNewRecord(), 1);
    EXPECT_EQ(m_template.GetPreviousNewRecord(), 0);

    DBRecord* copy = OpenRecord();
    ASSERT_TRUE(copy->LoadRecord(0));
    EXPECT_FALSE(copy->IsModified());
    EXPECT_EQ(copy->GetRecordNumber(), 0);
    EXPECT_EQ(copy->GetRecordIdText(), "10");
    EXPECT_EQ(copy->GetCreated(), first->GetCreated());
    EXPECT_EQ(copy->GetField(1).text, "Doe, A.");
    EXPECT_TRUE(copy->GetField(1).runs.IsEqual(first->GetField(1).runs));

    // Saving the stored record again replaces it; its creation time stays.
    copy->SetField(StyledString("Changed"), 4);
    ASSERT_TRUE(copy->SaveRecord(copy->GetRecordNumber(), 0));
    DBRecord check;
    check.SetDatabase(&m_db);
    ASSERT_TRUE(check.LoadRecord(0));
    EXPECT_EQ(check.GetField(4).text, "Changed");
    EXPECT_EQ(check.GetCreated(), first->GetCreated());
    EXPECT_EQ(m_db.stored.size(), 2u);
    EXPECT_EQ(m_boxes.CallCount(), 0);
}

// A new record whose ID another open record shows already takes the next one;
// an increment of 0 must still give a different ID.
TEST_F(DBRecordFlowTest, NewRecordIdsPassTheOpenRecords)
{
    m_db.nextRecordId = "40";
    EXPECT_EQ(NewRecord()->GetRecordIdText(), "40");
    EXPECT_EQ(NewRecord()->GetRecordIdText(), "50");
    DBRecord* third = NewRecord();
    EXPECT_EQ(third->GetRecordIdText(), "60");
    EXPECT_EQ(third->GetRecordIdNumber(), 60);

    m_db.increment = 0;
    m_db.nextRecordId = "40";
    EXPECT_EQ(NewRecord()->GetRecordIdText(), "41");
    EXPECT_EQ(NewRecord()->GetRecordIdText(), "42");

    // The same text in other runs is another ID.
    DBRecord* styled = NewRecord();
    m_db.nextRecordId = "77";
    styled->SetField(Bold("77"), 0);
    EXPECT_EQ(NewRecord()->GetRecordIdText(), "77");
}

TEST_F(DBRecordFlowTest, NewRecordsTakeTheDefaultWorkform)
{
    EXPECT_EQ(NewRecord()->GetWorkformId(), -1); // an empty table: the built-in default
    EXPECT_STREQ(GetDefaultWorkform().GetName(), "<Default>");

    auto fixtures = StandardWorkformFixtures();
    WorkformFixtureFiles files;
    GetWorkformTable().RemoveAll();
    LoadWorkformFiles(GetWorkformTable(), files.Paths());
    EXPECT_EQ(NewRecord()->GetWorkformId(), 0); // "Journal, Article"

    // Without "Journal, Article": the first of the table.
    GetWorkformTable().RemoveAll();
    LoadWorkformFiles(GetWorkformTable(),
                      std::vector<CString>(files.Paths().begin() + 3, files.Paths().end()));
    EXPECT_EQ(NewRecord()->GetWorkformId(), 3);
}

TEST_F(DBRecordFlowTest, Duplicates)
{
    DBRecord* original = NewRecord();
    original->SetField(StyledString("Same title"), 4);
    ASSERT_TRUE(original->SaveRecord(-1, 0));

    // Flag 1: dropped silently, and that is success.
    DBRecord* dropped = NewRecord();
    dropped->SetField(StyledString("Same title"), 4);
    EXPECT_TRUE(dropped->SaveRecord(-1, DBRecord::kSaveDropDuplicate));
    EXPECT_EQ(dropped->GetRecordNumber(), -1);
    EXPECT_EQ(m_db.stored.size(), 1u);

    // Flag 2: the user decides for a new record.
    m_boxes.PushAnswer(IDNO);
    EXPECT_FALSE(dropped->SaveRecord(-1, DBRecord::kSaveAskDuplicate));
    ASSERT_EQ(m_boxes.CallCount(), 1);
    EXPECT_EQ(m_boxes.LastCall().promptId, unsigned(DBRecord::IDP_CONFIRM_DUPLICATE));
    EXPECT_EQ(m_db.stored.size(), 1u);
    m_boxes.PushAnswer(IDYES);
    EXPECT_TRUE(dropped->SaveRecord(-1, DBRecord::kSaveAskDuplicate));
    EXPECT_EQ(dropped->GetRecordNumber(), 1);

    // A stored record is saved without asking.
    m_boxes.Clear();
    original->SetField(StyledString("note"), 42);
    EXPECT_TRUE(original->SaveRecord(original->GetRecordNumber(), DBRecord::kSaveAskDuplicate));
    EXPECT_EQ(m_boxes.CallCount(), 0);
}

TEST_F(DBRecordFlowTest, LoadFailures)
{
    DBRecord* record = OpenRecord();
    // Not in the database: message 4137 with the database's path.
    EXPECT_FALSE(record->LoadRecord(5));
    ASSERT_EQ(m_boxes.CallCount(), 1);
    EXPECT_EQ(m_boxes.LastCall().text,
              "An attempt was made to access a record that has been deleted from C:\\tmp\\References.ldt.");

    // A damaged stream: the invalid-format prompt, and nothing half-read is left.
    DBRecord* good = NewRecord();
    good->SetField(StyledString("kept?"), 2);
    ASSERT_TRUE(good->SaveRecord(-1, 0));
    Bytes& stream = m_db.StreamOf(0);
    stream[18] = 50; // the first field byte, after 18 bytes of fixed part
    m_boxes.Clear();
    EXPECT_FALSE(record->LoadRecord(0));
    ASSERT_EQ(m_boxes.CallCount(), 1);
    EXPECT_EQ(m_boxes.LastCall().helpId, unsigned(AFX_IDP_FAILED_INVALID_FORMAT));
    EXPECT_TRUE(record->IsEmpty());
    EXPECT_EQ(record->GetRecordNumber(), -1);
    EXPECT_TRUE(record->GetRecordIdText().IsEmpty());

    // Held by the set but missing from storage: the database tells the user
    // (4100) and aborts; the record adds no second report.
    m_db.allRecords.insert(9);
    m_boxes.Clear();
    EXPECT_FALSE(record->LoadRecord(9));
    ASSERT_EQ(m_boxes.CallCount(), 1);
    EXPECT_GT(m_boxes.LastCall().text.Find("should be repaired using the Rebuild command"), 0);
}

TEST_F(DBRecordFlowTest, SaveFailuresAreReportedWithTheDatabaseName)
{
    DBRecord* record = NewRecord();
    record->SetField(StyledString("t"), 4);
    m_db.failWrites = CFileException::hardIO;
    EXPECT_FALSE(record->SaveRecord(-1, 0));
    ASSERT_EQ(m_boxes.CallCount(), 1);
    EXPECT_EQ(m_boxes.LastCall().helpId, unsigned(AFX_IDP_FAILED_IO_ERROR_WRITE));
    EXPECT_EQ(m_boxes.LastCall().text, "An unexpected error occurred while writing References.ldt.");
    EXPECT_TRUE(record->IsModified());
    EXPECT_FALSE(record->WriteRecordAt(7));
    EXPECT_EQ(m_boxes.CallCount(), 2);

    m_db.failWrites = CFileException::none;
    ASSERT_TRUE(record->WriteRecordAt(7)); // stored as it is, under its old number
    EXPECT_EQ(record->GetRecordNumber(), 7);
    EXPECT_TRUE(m_db.HoldsRecord(7));
}

TEST(DBRecordErrorTest, PromptsForExceptions)
{
    const struct
    {
        CException* e;
        UINT loading;
        UINT saving;
    } cases[] = {
        {new CUserException, 0, 0},
        {new CArchiveException(CArchiveException::endOfFile), 0xF120, 0xF120},
        {new CArchiveException(CArchiveException::badIndex), 0xF120, 0xF120},
        {new CArchiveException(CArchiveException::badSchema), 0xF120, 0xF120},
        {new CArchiveException(CArchiveException::generic), 1, 2},
        {new CFileException(CFileException::generic), 0xF125, 0xF126},
        {new CFileException(CFileException::badSeek), 0xF125, 0xF126},
        {new CFileException(CFileException::hardIO), 0xF125, 0xF126},
        {new CFileException(CFileException::fileNotFound), 0xF121, 0xF121},
        {new CFileException(CFileException::accessDenied), 0xF123, 0xF124},
        {new CFileException(CFileException::diskFull), 0xF122, 0xF122},
        {new CFileException(CFileException::sharingViolation), 1, 2},
        {new CMemoryException, 1, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DBRecord::GetFileErrorPrompt(c.e, FALSE, 1), c.loading)
            << c.e->GetRuntimeClass()->m_lpszClassName;
        EXPECT_EQ(DBRecord::GetFileErrorPrompt(c.e, TRUE, 2), c.saving)
            << c.e->GetRuntimeClass()->m_lpszClassName;
        c.e->Delete();
    }
}

TEST_F(DBRecordFlowTest, PromptAndSaveAndTheSaveCommand)
{
    DBRecord* record = NewRecord();
    EXPECT_TRUE(record->PromptAndSave(TRUE)); // not modified: nothing asked
    EXPECT_EQ(m_boxes.CallCount(), 0);

    record->SetField(StyledString("t"), 4);
    m_boxes.PushAnswer(IDCANCEL);
    EXPECT_FALSE(record->SaveModified());
    m_boxes.PushAnswer(IDNO);
    EXPECT_TRUE(record->SaveModified());
    EXPECT_TRUE(m_db.stored.empty());
    EXPECT_EQ(m_boxes.LastCall().promptId, unsigned(DBRecord::IDP_SAVE_RECORD_CHANGES));
    m_boxes.PushAnswer(IDYES);
    EXPECT_TRUE(record->SaveModified());
    EXPECT_EQ(m_db.stored.size(), 1u);
    EXPECT_EQ(m_db.flushes, 1);
    EXPECT_EQ(m_db.notifications, 1);

    // The command flushes and tells the views even when the save fails.
    m_db.failWrites = CFileException::diskFull;
    record->SetField(StyledString("u"), 4);
    EXPECT_TRUE(record->OnCmdMsg(DBRecord::ID_SAVE_RECORD, 0, nullptr, &m_db)); // asked only
    EXPECT_EQ(m_db.flushes, 1);
    EXPECT_TRUE(record->OnCmdMsg(DBRecord::ID_SAVE_RECORD, 0, nullptr, nullptr));
    EXPECT_EQ(m_boxes.LastCall().helpId, unsigned(AFX_IDP_FAILED_DISK_FULL));
    EXPECT_EQ(m_db.flushes, 2);
    EXPECT_EQ(m_db.notifications, 2);
    EXPECT_FALSE(record->OnCmdMsg(DBRecord::ID_CHOOSE_GROUPS, 0, nullptr, nullptr));
}

namespace {
class CountedRecord : public DBRecord
{
public:
    ~CountedRecord() override { ++destroyed; }
    static int destroyed;
};
int CountedRecord::destroyed = 0;
} // namespace

// Holders keep a record in memory through a close; the last release closes it.
TEST(DBRecordLifetimeTest, HoldersKeepTheRecord)
{
    CountedRecord::destroyed = 0;
    CountedRecord* record = new CountedRecord; // deletes itself when closed
    {
        DBRecordRef first(record);
        DBRecordRef second(first);
        EXPECT_EQ(record->GetUserCount(), 2);
        record->SetField(StyledString("kept"), 4);
        record->OnCloseDocument();
        EXPECT_EQ(CountedRecord::destroyed, 0);
        EXPECT_EQ(record->GetField(4).text, "kept");
        second.Attach(nullptr);
        EXPECT_EQ(CountedRecord::destroyed, 0);
    }
    EXPECT_EQ(CountedRecord::destroyed, 1);

    CountedRecord local; // not deleted by its last release
    local.m_bAutoDelete = FALSE;
    {
        DBRecordRef hold(&local);
    }
    EXPECT_EQ(local.GetUserCount(), 0);
}
