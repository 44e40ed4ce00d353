#include <gtest/gtest.h>

#include "TaggedTestSupport.h"

#include "exchange/tagged/DocumentRecordSink.h"
#include "exchange/tagged/TaggedImportRun.h"
#include "exchange/tagged/TaggedTransfer.h"
#include "exchange/tagged/TransferRun.h"

namespace {

// Logs each call by its dispatch id and answers from its script.
class LoggingTransfer : public TaggedTransfer
{
public:
    int refuseAt = 0;     // the dispatch id (1-5) that answers FALSE; 0: none
    int workingCalls = 3; // ProcessFile answers TRUE this often
    long records = 5;
    long duplicates = 1;
    std::string log;
    std::string importPath;

    BOOL Initialize() override { return Note(1); }
    BOOL SetTargetDatabase(const char*) override { return Note(2); }
    BOOL SetImportFormat(const char*) override { return Note(3); }
    BOOL SetImportFile(const char* path) override
    {
        importPath = path;
        return Note(4);
    }
    BOOL BeginImport() override { return Note(5); }
    BOOL ProcessFile() override
    {
        Note(6);
        return workingCalls-- > 0;
    }
    void EndImport() override { Note(7); }
    long GetProgressMax() override { return Note(8), 100; }
    long GetProgressValue() override { return Note(9), 50; }
    long GetRecordsImported() override { return Note(10), records; }
    long GetDuplicatesDiscarded() override { return Note(11), duplicates; }

private:
    BOOL Note(int id)
    {
        log += (log.empty() ? "" : " ") + std::to_string(id);
        return id != refuseAt;
    }
};

class TaggedImportRunTest : public DelimitedTest
{
protected:
    void SetUp() override
    {
        DelimitedTest::SetUp();
        Settings::ImportConfiguration.Set("");
        Settings::ImportDatabase.Set("");
    }
    static std::string Stored()
    {
        return std::string(Settings::ImportConfiguration.Get()) + "|" +
               std::string(Settings::ImportDatabase.Get());
    }
};

TEST_F(TaggedImportRunTest, CallingOrderAndWhatEachEndShows)
{
    const struct
    {
        const char* what;
        int refuseAt;
        int stopAt;
        long records;
        long duplicates;
        const char* log;
        UINT message; // 0: none
        bool stored;
    } cases[] = {
        {"whole run", 0, 0, 5, 1, "1 4 3 2 5 8 6 9 6 9 6 9 6 7 10 11", 4124, true},
        {"Initialize refuses", 1, 0, 5, 1, "1", 0, false},
        {"SetImportFile refuses", 4, 0, 5, 1, "1 4", 0, false},
        {"SetImportFormat refuses", 3, 0, 5, 1, "1 4 3", 0, false},
        {"SetTargetDatabase refuses", 2, 0, 5, 1, "1 4 3 2", 0, false},
        {"BeginImport refuses", 5, 0, 5, 1, "1 4 3 2 5", 0, false},
        {"Stop at once", 0, 1, 2, 0, "1 4 3 2 5 8 6 9 7 10 11", 4124, true},
        {"nothing matched", 0, 0, 0, 0, "1 4 3 2 5 8 6 9 6 9 6 9 6 7 10 11", 4125, true},
        {"only duplicates", 0, 0, 0, 3, "1 4 3 2 5 8 6 9 6 9 6 9 6 7 10 11", 4124, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Settings::ImportConfiguration.Set("");
        Settings::ImportDatabase.Set("");
        LoggingTransfer transfer;
        transfer.refuseAt = c.refuseAt;
        transfer.records = c.records;
        transfer.duplicates = c.duplicates;
        ScriptedProgressDisplay::StopAtCall(c.stopAt);
        CMessageBoxScript boxes;
        RunTaggedImport(transfer, "C:\\In\\refs.txt", FALSE, "C:\\Prog\\Config\\RIS.cfg",
                        "C:\\Data\\mine.ldt");
        EXPECT_EQ(transfer.log, c.log);
        if (c.message == 0) {
            EXPECT_EQ(boxes.CallCount(), 0);
        } else {
            ASSERT_EQ(boxes.CallCount(), 1);
            EXPECT_EQ(boxes.LastCall().type & MB_ICONMASK, (UINT)MB_ICONINFORMATION);
            if (c.message == 4125) {
                EXPECT_EQ(boxes.LastCall().promptId, 4125u);
            } else {
                EXPECT_EQ(std::string(boxes.LastCall().text),
                          "Information in refs.txt has been successfully imported into mine.ldt.\n\n"
                          "Number of records imported: " +
                              std::to_string(c.records) +
                              "\nNumber of duplicates discarded: " + std::to_string(c.duplicates));
            }
        }
        EXPECT_EQ(Stored(), c.stored ? "C:\\Prog\\Config\\RIS.cfg|C:\\Data\\mine.ldt" : "|");
    }
}

TEST_F(TaggedImportRunTest, AnEditedTextIsImportedFromItsTemporaryFileWhichIsGoneAfterwards)
{
    for (int refuseAt : {0, 3}) {
        SCOPED_TRACE(refuseAt);
        TestTextFile edited("TY  - JOUR\r\nER  - \r\n");
        LoggingTransfer transfer;
        transfer.refuseAt = refuseAt;
        CMessageBoxScript boxes;
        RunTaggedImport(transfer, edited.Path(), TRUE, "RIS.cfg", "C:\\Data\\mine.ldt");
        EXPECT_EQ(transfer.importPath, std::string(edited.Path()));
        CFileStatus status;
        EXPECT_FALSE(CFile::GetStatus(edited.Path(), status));
        if (refuseAt == 0) {
            ASSERT_EQ(boxes.CallCount(), 1);
            const CString title = GetFileTitleWithoutExt(edited.Path(), "");
            EXPECT_EQ(
                std::string(boxes.LastCall().text).find("Information in " + std::string(title) + " has"), 0u);
        }
    }
}

TEST_F(TaggedImportRunTest, TheRunOverTheTransferRunImportsIntoTheDatabase)
{
    std::string text;
    for (int i = 0; i < 120; ++i)
        text += RisRecord(i);
    TestTextFile file(text);
    TestDatabase db;
    DocumentRecordSink sink(&db.Doc());
    TransferRun transfer(sink);
    CMessageBoxScript boxes;
    const CString database = db.Db().GetPathName();
    RunTaggedImport(transfer, file.Path(), FALSE, ShippedConfigPath("RIS.cfg"), database);
    EXPECT_EQ(db.Db().GetAllRecords().GetCount(), 120);
    ASSERT_EQ(boxes.CallCount(), 1);
    EXPECT_NE(std::string(boxes.LastCall().text).find("Number of records imported: 120\n"),
              std::string::npos);
    EXPECT_EQ(std::string(Settings::ImportDatabase.Get()), std::string(database));
}

} // namespace
