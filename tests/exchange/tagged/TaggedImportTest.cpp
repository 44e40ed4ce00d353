#include <gtest/gtest.h>

#include "TaggedTestSupport.h"

#include "exchange/tagged/DocumentRecordSink.h"
#include "exchange/tagged/ImportServer.h"
#include "exchange/tagged/TransferRun.h"

namespace {

// Refuses every record after the first `accepted`.
class RefusingSink : public DocumentRecordSink
{
public:
    RefusingSink(DBDocument* document, int accepted) : DocumentRecordSink(document), m_left(accepted) {}
    BOOL AddRecord(const TaggedRecord& record, int32_t& number) override
    {
        if (m_left-- <= 0)
            return FALSE;
        return DocumentRecordSink::AddRecord(record, number);
    }

private:
    int m_left;
};

std::string MedlineRecord(int id)
{
    const std::string n = std::to_string(id);
    return "PMID- " + n + "\nTI  - Study " + n + " of a thing that\n      goes on\nAU  - Berg JH\nAU  - Ng " +
           std::string(1, (char)('A' + id % 26)) + "\nJT  - Journal " + std::to_string(id % 5) +
           "\nDP  - 1999\nMH  - Mice\nMH  - Term " + n + "\n\n";
}

class TaggedImportTest : public DelimitedTest
{
protected:
    // The records of the database as field maps (0: the record ID text, -1: the workform ID), in number
    // order.
    static std::vector<std::map<int, std::string>> Records(TestDatabase& db)
    {
        std::vector<std::map<int, std::string>> out;
        const DBRecordSet& all = db.Db().GetAllRecords();
        for (int n = all.FindNext(-1); n != -1; n = all.FindNext(n)) {
            std::unique_ptr<DBRecord> record = db.Read(n);
            std::map<int, std::string> fields;
            for (int f = 1; f <= 45; ++f) {
                const StyledString& value = record->GetField((BYTE)f);
                if (value.GetLength() > 0)
                    fields[f] = (const char*)value.text;
            }
            fields[0] = (const char*)record->GetRecordIdText();
            fields[-1] = std::to_string(record->GetWorkformId());
            out.push_back(fields);
        }
        return out;
    }
    // The transfer run over the file, called as the import window calls it.
    static BOOL RunTransfer(TransferRun& run, const TestTextFile& file, const CString& config,
                            TestDatabase& db)
    {
        if (!run.Initialize() || !run.SetImportFile(file.Path()) || !run.SetImportFormat(config) ||
            !run.SetTargetDatabase(db.Db().GetPathName()) || !run.BeginImport())
            return FALSE;
        while (run.ProcessFile()) {
            EXPECT_LE(run.GetProgressValue(), run.GetProgressMax());
        }
        run.EndImport();
        return TRUE;
    }
};

TEST_F(TaggedImportTest, RisFileOfAHundredRecordsWithDuplicatesDiscardedOnlyWhenTheSettingIsOn)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += RisRecord(i);
    for (int i = 0; i < 5; ++i) // the same references again under other IDs
        text += RisRecord(i).replace(RisRecord(i).find("ID  - R"), 7, "ID  - D");
    TestTextFile file(text);
    const struct
    {
        int discard;
        long imported;
        long duplicates;
    } cases[] = {{0, 105, 0}, {1, 100, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.discard);
        Settings::DiscardDuplicates.Set(c.discard);
        TestDatabase db;
        db.Add(0, "OLD", {{4, "Marked before"}});
        db.Db().GetMarkedRecords().Set(db.Db().GetAllRecords().FindNext(-1));
        DocumentRecordSink sink(&db.Doc());
        TransferRun run(sink);
        ASSERT_TRUE(RunTransfer(run, file, ShippedConfigPath("RIS.cfg"), db));
        EXPECT_EQ(run.GetRecordsImported(), c.imported);
        EXPECT_EQ(run.GetDuplicatesDiscarded(), c.duplicates);
        EXPECT_EQ(run.GetProgressValue(), (long)text.size());
        EXPECT_EQ(db.Db().GetAllRecords().GetCount(), c.imported + 1);
        // The marked set is exactly this import's records.
        DBRecordSet imported = db.Db().GetAllRecords();
        imported.Clear(imported.FindNext(-1));
        EXPECT_TRUE(db.Db().GetMarkedRecords() == imported);
        const auto records = Records(db);
        EXPECT_EQ(records[1].at(0), "R0");
        EXPECT_EQ(records[1].at(1), "Author0, A.//Second, B.");
        EXPECT_EQ(records[1].at(45), "alpha/beta 0");
        EXPECT_EQ(records[1].at(20), "1950");
        EXPECT_EQ(records[100].at(4), "Title 99 on things");
    }
    Settings::DiscardDuplicates.Set(0);
}

TEST_F(TaggedImportTest, AFaultyConfigurationIsReportedWithItsLineAndNothingIsImported)
{
    TestTextFile config("tag-width = 2\nrecord-start = TY\nfield = AU one\n");
    TestTextFile file(RisRecord(1));
    TestDatabase db;
    DocumentRecordSink sink(&db.Doc());
    TransferRun run(sink);
    CMessageBoxScript boxes;
    EXPECT_FALSE(RunTransfer(run, file, config.Path(), db));
    ASSERT_EQ(boxes.CallCount(), 1);
    EXPECT_EQ(std::string(boxes.LastCall().text),
              std::string(config.Path()) + ", line 3: not a tag and a field number");
    EXPECT_EQ(db.Db().GetAllRecords().GetCount(), 0);

    ImportServer server;
    EXPECT_FALSE(server.Initialize(&sink, config.Path(), "Test Database"));
    EXPECT_EQ(boxes.CallCount(), 2);
    EXPECT_FALSE(server.Start());
    EXPECT_FALSE(server.ProcessRecord("PMID- 1\n\n", 10));
}

TEST_F(TaggedImportTest, RecordIdsThatAreNotValidKeepTheNewRecordsOwnId)
{
    TestTextFile file("TY  - JOUR\nID  - 007\nTI  - kept\nER  - \nTY  - JOUR\nID  - " + std::string(25, '9') +
                      "\nTI  - too long\nER  - \n");
    TestDatabase db;
    DocumentRecordSink sink(&db.Doc());
    TransferRun run(sink);
    ASSERT_TRUE(RunTransfer(run, file, ShippedConfigPath("RIS.cfg"), db));
    const auto records = Records(db);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].at(0), "007");
    EXPECT_NE(records[1].at(0), "");
    EXPECT_EQ(records[1].at(0).find_first_not_of("0123456789"), std::string::npos) << records[1].at(0);
}

TEST_F(TaggedImportTest, ImportServerStoresWhatAFileImportStoresAndStopsWhenTheSinkRefuses)
{
    std::string all;
    std::vector<std::pair<size_t, size_t>> pieces; // start and length of each record with its blank line
    for (int i = 0; i < 20; ++i) {
        const std::string record = MedlineRecord(i);
        pieces.push_back({all.size(), record.size()});
        all += record;
    }
    TestTextFile file(all);
    TestDatabase byFile;
    {
        DocumentRecordSink sink(&byFile.Doc());
        TransferRun run(sink);
        ASSERT_TRUE(RunTransfer(run, file, ShippedConfigPath("Pubmed.cfg"), byFile));
        EXPECT_EQ(run.GetRecordsImported(), 20);
    }
    TestDatabase byServer;
    {
        DocumentRecordSink sink(&byServer.Doc());
        ImportServer server;
        ASSERT_TRUE(server.Initialize(&sink, ShippedConfigPath("Pubmed.cfg"), "Test Database"));
        ASSERT_TRUE(server.Start());
        // Each record is the first `length` bytes of a text that runs on to the end.
        for (const auto& piece : pieces)
            EXPECT_TRUE(server.ProcessRecord(all.c_str() + piece.first, (long)piece.second));
        server.Finish();
        EXPECT_EQ(server.GetRecordsImported(), 20);
    }
    const auto expected = Records(byFile);
    EXPECT_EQ(Records(byServer), expected);
    EXPECT_EQ(expected[3].at(1), "Berg, J.H.//Ng, D.");
    EXPECT_EQ(expected[3].at(4), "Study 3 of a thing that goes on");

    TestDatabase refused;
    RefusingSink sink(&refused.Doc(), 2);
    ImportServer server;
    ASSERT_TRUE(server.Initialize(&sink, ShippedConfigPath("Pubmed.cfg"), "Test Database"));
    ASSERT_TRUE(server.Start());
    EXPECT_TRUE(server.ProcessRecord(all.c_str(), (long)(pieces[2].first)));
    EXPECT_FALSE(server.ProcessRecord(all.c_str() + pieces[2].first, (long)pieces[2].second));
    server.Finish();
    EXPECT_EQ(refused.Db().GetAllRecords().GetCount(), 2);
}

TEST_F(TaggedImportTest, ImportedRecordsExportAsDelimitedTextWithTheTaggedFields)
{
    TestTextFile file(
        "TY  - CHAP\r\nAU  - Lee, K.\r\nAU  - Roe, P.\r\nTI  - Part \"one\", first\r\nBT  - The Book"
        "\r\nPY  - 2004\r\nSP  - 10-20\r\nKW  - x\r\nKW  - y\r\nID  - 55\r\nER  - \r\n");
    TestDatabase db;
    DocumentRecordSink sink(&db.Doc());
    TransferRun run(sink);
    ASSERT_TRUE(RunTransfer(run, file, ShippedConfigPath("RIS.cfg"), db));
    DelimitedExportOptions options;
    options.exportWorkformDefinitions = FALSE;
    TestTextFile out;
    ASSERT_TRUE(Export(db, db.Db().GetAllRecords(), CDelimitedFormat::CommaDelimited(), options, out));
    std::string expected = "\"C\",\"55\"";
    for (int n = 1; n <= 45; ++n) {
        const char* value = n == 1    ? "Lee, K.//Roe, P."
                            : n == 4  ? "Part 'one', first"
                            : n == 9  ? "The Book"
                            : n == 20 ? "2004"
                            : n == 25 ? "10-20"
                            : n == 45 ? "x/y"
                                      : "";
        expected += std::string(",\"") + value + "\"";
    }
    EXPECT_EQ(out.Read(), expected + "\r\n");
}

} // namespace
