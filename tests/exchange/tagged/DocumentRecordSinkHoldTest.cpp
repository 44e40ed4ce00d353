#include <gtest/gtest.h>

#include "TaggedTestSupport.h"

#include "exchange/tagged/DocumentRecordSink.h"

#include <cstdio>

namespace {

class DocumentRecordSinkHoldTest : public DelimitedTest
{
protected:
    CString NewDatabase()
    {
        const CString reserved = MakeTempFileName();
        m_reserved.push_back(reserved);
        DBDatabase db;
        db.SetPathName(reserved + ".ldt");
        db.CreateNew();
        return reserved + ".ldt";
    }
    void TearDown() override
    {
        for (const CString& reserved : m_reserved)
            for (const char* ext : {".ldt", ".ldx", ""})
                WorkformFixtureFiles::RemoveQuietly(reserved + ext);
        DelimitedTest::TearDown();
    }
    static int32_t StoredCount(const CString& path)
    {
        DBDocument* document = new DBDocument;
        EXPECT_TRUE(document->OpenFile(path, 0));
        const int32_t count = document->GetDatabase().GetAllRecords().GetCount();
        document->OnCloseDocument();
        return count;
    }
    std::vector<CString> m_reserved;
};

TEST_F(DocumentRecordSinkHoldTest, ASecondOpenDatabaseMovesTheHoldAndAFailedOneKeepsIt)
{
    const CString first = NewDatabase();
    const CString second = NewDatabase();
    const CString missing = MakeTempFileName() + "-missing.ldt";
    struct Step
    {
        const char* name;
        CString path;
        BOOL opened;
        CString held;
        bool sameDocument; // the document held before stays in use
    };
    const Step steps[] = {
        {"first", first, TRUE, first, false},
        {"first again", first, TRUE, first, true},
        {"a file that is not there", missing, FALSE, first, true},
        {"second", second, TRUE, second, false},
    };
    DocumentRecordSink sink;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        DBDocument* before = sink.GetDocument();
        EXPECT_EQ(sink.OpenDatabase(step.path), step.opened);
        ASSERT_NE(sink.GetDocument(), nullptr);
        EXPECT_EQ(sink.GetDocument()->GetDatabasePathName().CompareNoCase(step.held), 0);
        EXPECT_EQ(sink.GetDocument() == before, step.sameDocument);
    }
    // Records go to the database now held; the first is no longer held open.
    const std::vector<TaggedRecord> records = ParseAll(ShippedConfig("RIS.cfg"), RisRecord(1) + RisRecord(2));
    ASSERT_TRUE(sink.BeginImport(FALSE, TRUE));
    for (const TaggedRecord& record : records) {
        int32_t number = -1;
        EXPECT_TRUE(sink.AddRecord(record, number));
    }
    sink.EndImport();
    EXPECT_EQ(StoredCount(first), 0);
    EXPECT_EQ(std::remove(first), 0) << "the first database is still held open";
    EXPECT_EQ(StoredCount(second), 2);
}

} // namespace
