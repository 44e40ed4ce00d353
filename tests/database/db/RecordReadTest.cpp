// Reading stored records by number: the reader keeps its place in the record
// tree between reads, so these cases read in every order and between changes
// that move records from leaf to leaf, and compare with what was stored.
#include "DatabaseTestSupport.h"

#include "database/db/FieldSet.h"

#include <algorithm>
#include <random>

namespace {

// A note of a length that varies from record to record: some records take a
// fraction of a leaf, some spread over several.
std::string NoteOf(int32_t number, int round)
{
    const size_t length = (size_t)((number * 397 + round * 911) % 4000);
    std::string note(length, 'a');
    for (size_t i = 0; i < length; ++i)
        note[i] = (char)('a' + (i + (size_t)number + (size_t)round) % 26);
    return note;
}

class RecordReadFixture : public DatabaseFixture
{
protected:
    void Store(int32_t number, int round, BOOL update)
    {
        DBRecord record;
        record.m_bAutoDelete = FALSE;
        record.SetRecordIdText(std::to_string(10 * (number + 1)).c_str());
        record.SetField(StyledString(("Author " + std::to_string(number)).c_str()), 1);
        record.SetField(StyledString(NoteOf(number, round).c_str()), 30);
        if (update) {
            record.SetRecordNumber(number);
            m_db->UpdateRecord(record);
        } else {
            m_db->AddRecord(record, number);
        }
        m_round[number] = round;
    }
    void Expect(int32_t number)
    {
        DBRecord record;
        record.m_bAutoDelete = FALSE;
        m_db->ReadRecord(record, number);
        ASSERT_EQ(record.GetRecordNumber(), number);
        EXPECT_EQ(std::string(record.GetField(1).text), "Author " + std::to_string(number));
        EXPECT_EQ(std::string(record.GetField(30).text), NoteOf(number, m_round[number])) << number;
    }
    void ExpectMissing(int32_t number)
    {
        DBRecord record;
        record.m_bAutoDelete = FALSE;
        CMessageBoxScript quiet;
        EXPECT_TRUE(Raises<CUserException>([&] { m_db->ReadRecord(record, number); })) << number;
    }

    std::map<int32_t, int> m_round;
};

} // namespace

TEST_F(RecordReadFixture, EveryOrderReadsTheStoredRecords)
{
    const int count = 300;
    Create();
    for (int32_t n = 0; n < count; ++n)
        Store(n, 0, FALSE);
    std::vector<int32_t> ascending(count);
    for (int32_t n = 0; n < count; ++n)
        ascending[(size_t)n] = n;
    std::vector<int32_t> descending(ascending.rbegin(), ascending.rend());
    std::vector<int32_t> sparse;
    for (int32_t n = 0; n < count; n += 7)
        sparse.push_back(n);
    std::vector<int32_t> shuffled = ascending;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(5));
    std::vector<int32_t> repeated = {4, 4, 5, 4, 299, 0, 299};
    for (const auto* order : {&ascending, &descending, &sparse, &shuffled, &repeated}) {
        for (int32_t n : *order)
            Expect(n);
    }
    // The same after a commit and after the pages left the cache with a close.
    m_db->CommitFiles();
    for (int32_t n : sparse)
        Expect(n);
    Reopen();
    for (int32_t n : ascending)
        Expect(n);
}

TEST_F(RecordReadFixture, ChangesBetweenReadsMoveNoReadToAnotherRecord)
{
    const int count = 120;
    Create();
    for (int32_t n = 0; n < count; ++n)
        Store(n, 0, FALSE);
    // Each read leaves the reader's place on a leaf that the next change
    // splits, empties or frees before the next read.
    for (int32_t n = 0; n + 2 < count; n += 3) {
        Expect(n);
        Store(n + 1, 1 + n % 5, TRUE);
        m_db->DeleteRecord(n + 2);
        Expect(n + 1);
        ExpectMissing(n + 2);
    }
    // Numbers given back are taken again.
    for (int32_t n = 2; n < count; n += 3)
        Store(n, 7, FALSE);
    for (int32_t n = 0; n < count; ++n)
        Expect(n);
    // A number past the last record, inside the remembered leaf's range or
    // not, is missing.
    ExpectMissing(count);
    ExpectMissing(count + 5000);
}

TEST_F(RecordReadFixture, PartialReadsThenWholeReads)
{
    Create();
    for (int32_t n = 0; n < 40; ++n)
        Store(n, 0, FALSE);
    FieldSet first;
    first.Add(1);
    DBRecord record;
    record.m_bAutoDelete = FALSE;
    for (int32_t n = 0; n < 40; ++n) {
        // A read that stops after field 1 leaves the reader mid-record.
        m_db->ReadRecordFields(record, n, first);
        EXPECT_EQ(std::string(record.GetField(1).text), "Author " + std::to_string(n));
        EXPECT_TRUE(record.GetField(30).text.IsEmpty());
        Expect(n);
    }
}
