#include <gtest/gtest.h>

#include "../TaggedTestSupport.h"

#include "exchange/tagged/TaggedImportRun.h"
#include "exchange/tagged/win/TransferTaggedFileDriver.h"
#include "exchange/tagged/win/TransferTaggedFileObject.h"

namespace {

int g_reports = 0;
std::string g_reportedClass;

int CountReport(const CException* e, LPCTSTR, UINT, UINT)
{
    ++g_reports;
    g_reportedClass = e->GetRuntimeClass()->m_lpszClassName;
    return IDOK;
}

class TransferTaggedFileDriverTest : public DelimitedTest
{
protected:
    // A new database file that no document holds.
    CString NewDatabase()
    {
        m_reserved = MakeTempFileName();
        DBDatabase db;
        db.SetPathName(m_reserved + ".ldt");
        db.CreateNew();
        return m_reserved + ".ldt";
    }
    void TearDown() override
    {
        for (const char* ext : {".ldt", ".ldx", ""})
            WorkformFixtureFiles::RemoveQuietly(m_reserved + ext);
        DelimitedTest::TearDown();
    }
    CString m_reserved;
};

TEST_F(TransferTaggedFileDriverTest, TheDriverRunsTheObjectThroughItsDispatchIntoTheDatabase)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += RisRecord(i);
    for (int i = 0; i < 4; ++i)
        text += RisRecord(i).replace(RisRecord(i).find("ID  - R"), 7, "ID  - D");
    TestTextFile file(text);
    const CString database = NewDatabase();
    Settings::DiscardDuplicates.Set(1);
    {
        CTransferTaggedFileDriver driver;
        driver.AttachDispatch((new TransferTaggedFileObject)->GetIDispatch(FALSE));
        CMessageBoxScript boxes;
        RunTaggedImport(driver, file.Path(), FALSE, ShippedConfigPath("RIS.cfg"), database);
        ASSERT_EQ(boxes.CallCount(), 1);
        EXPECT_NE(std::string(boxes.LastCall().text)
                      .find("Number of records imported: 100\nNumber of duplicates discarded: 4"),
                  std::string::npos)
            << (const char*)boxes.LastCall().text;
    } // the last reference goes: the object closes its database
    Settings::DiscardDuplicates.Set(0);
    DBDocument* document = new DBDocument;
    ASSERT_TRUE(document->OpenFile(database, 0));
    EXPECT_EQ(document->GetDatabase().GetAllRecords().GetCount(), 100);
    EXPECT_TRUE(document->GetDatabase().GetMarkedRecords() == document->GetDatabase().GetAllRecords());
    document->OnCloseDocument();
}

TEST_F(TransferTaggedFileDriverTest, AnObjectThatCannotBeMadeIsReportedAndNothingIsCalledOrStored)
{
    // The class is not registered in the test's prefix.
    Settings::ImportDatabase.Set("");
    CTransferTaggedFileDriver driver;
    CMessageBoxScript boxes;
    g_reports = 0;
    const AFX_REPORT_ERROR_PROC previous = AfxSetReportErrorProc(&CountReport);
    RunTaggedImport(driver, "C:\\In\\refs.txt", FALSE, "RIS.cfg", "C:\\Data\\mine.ldt");
    AfxSetReportErrorProc(previous);
    EXPECT_EQ(g_reports, 1);
    EXPECT_EQ(g_reportedClass, "COleException");
    EXPECT_EQ(boxes.CallCount(), 0);
    EXPECT_EQ(driver.m_lpDispatch, nullptr);
    EXPECT_EQ(std::string(Settings::ImportDatabase.Get()), "");
}

} // namespace
