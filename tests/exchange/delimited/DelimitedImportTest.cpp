// The delimited import through the database document: each stopping message
// with the records before it kept and marked, the summary and "no records",
// Stop, the workform-letter question, record IDs as written, short records
// and workform definitions.
#include <gtest/gtest.h>

#include "DelimitedTestSupport.h"

#include "app/core/ErrorReport.h"

namespace {

std::string Join(const std::vector<std::string>& items, char separator, const char* end = "\r\n")
{
    std::string line;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            line += separator;
        line += items[i];
    }
    return line + end;
}

// A tab line: indicator, ID and the fields.
std::string TabLine(const char* workform, const char* id, int fields, const char* text = "v")
{
    std::vector<std::string> items = {workform, id};
    for (int i = 0; i < fields; ++i)
        items.push_back(std::string(text) + std::to_string(i + 1));
    return Join(items, '\t');
}

// A comma line with quotes: indicator, ID and the fields.
std::string CommaLine(const char* workform, const char* id, int fields, const char* text = "v")
{
    std::vector<std::string> items = {std::string("\"") + workform + "\"", std::string("\"") + id + "\""};
    for (int i = 0; i < fields; ++i)
        items.push_back("\"" + std::string(text) + std::to_string(i + 1) + "\"");
    return Join(items, ',');
}

std::string Definition(const char* name, int fieldNames, const char* used = "Used")
{
    std::string line = std::string("<Workform Definition>\"") + name + "\"";
    for (int i = 0; i < fieldNames; ++i)
        line += std::string(",\"") + (i % 2 == 0 ? used : "---") + "\"";
    return line + "\r\n";
}

const int kJournalFields = 13; // fields of the fixture "Journal, Article" (ID 0), 38 among them

class DelimitedImportTest : public DelimitedTest
{
protected:
    std::vector<WorkformFixture> Fixtures() override
    {
        std::vector<WorkformFixture> fixtures = StandardWorkformFixtures();
        // More fields than the built-in set of its letter (E, 29 fields).
        std::vector<int> wide;
        for (int n = 1; n <= 30; ++n)
            wide.push_back(n);
        wide.push_back(38);
        fixtures.push_back({"Wide Report", 4, wide, {}});
        fixtures.push_back({"Field Log", 20010, {1, 4, 25, 38, 42, 45}, {}});
        return fixtures;
    }
    static std::vector<UINT> Prompts(const CMessageBoxScript& boxes)
    {
        std::vector<UINT> prompts;
        for (const auto& call : boxes.Calls())
            prompts.push_back(call.promptId);
        return prompts;
    }
    static std::string Field(TestDatabase& db, int32_t number, int n)
    {
        return (const char*)db.Read(number)->GetField((BYTE)n).text;
    }
};

TEST_F(DelimitedImportTest, EachStoppingMessageKeepsAndMarksTheRecordsBeforeIt)
{
    const CDelimitedFormat tab = CDelimitedFormat::TabDelimited();
    const CDelimitedFormat comma = CDelimitedFormat::CommaDelimited();
    const std::string good = TabLine("A", "1", kJournalFields);
    struct Case
    {
        const char* what;
        CDelimitedFormat format;
        std::string file;
        UINT message;
        int kept;
    } cases[] = {
        {"definition with 44 field names", tab, Definition("New Form", 44) + good, 4117, 0},
        {"definition with 46 field names", tab, Definition("New Form", 46) + good, 4117, 0},
        {"definition whose name is too long", tab, Definition("A Workform Name Of Thirty-Two Ch", 45) + good,
         4117, 0},
        {"definition with an empty name", tab, Definition("", 45) + good, 4117, 0},
        {"definition ending the file short", tab, Definition("New Form", 3).substr(0, 60), 4117, 0},
        {"more fields than the field list", tab, good + TabLine("E", "2", 30), 4118, 1},
        {"file ends inside a quoted record", comma, CommaLine("A", "1", 45) + "\"A\",\"2\",\"x\"", 4119, 1},
        {"file ends inside a plain record", tab, good + "A\t2\tx\ty", 4119, 1},
        {"more fields than the workform's", tab, good + TabLine("A", "2", kJournalFields + 1), 4120, 1},
        {"more than 45 fields", comma, CommaLine("A", "1", 45) + CommaLine("A", "2", 46), 4120, 1},
        {"too few fields", tab, good + TabLine("A", "2", 1), 4121, 1},
        {"two short of a workform with field 38", tab, good + TabLine("A", "2", kJournalFields - 2), 4121, 1},
        {"blank line in plain mode", tab, good + "\r\n" + good, 4121, 1},
        {"record ID longer than 20 characters", tab,
         good + TabLine("A", "123456789012345678901", kJournalFields), 4122, 1},
        {"unknown workform", tab, good + TabLine("Nonexistent", "2", kJournalFields), 4123, 1},
        {"unknown two-letter workform", comma, CommaLine("A", "1", 45) + CommaLine("UV", "2", 45), 4123, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestDatabase db;
        TestTextFile file(c.file);
        CMessageBoxScript boxes;
        EXPECT_EQ(Import(db, file, c.format), c.message);
        EXPECT_EQ(db.Db().GetAllRecords().GetCount(), c.kept);
        EXPECT_EQ(db.Db().GetMarkedRecords().GetCount(), c.kept);
        // The stop, then the summary only when records were kept.
        std::vector<UINT> expected = {c.message};
        if (c.kept > 0)
            expected.push_back(0);
        EXPECT_EQ(Prompts(boxes), expected);
        EXPECT_TRUE(CreatedWorkformFiles().empty());
        EXPECT_EQ(CountNamed("New Form"), 0);
    }
}

TEST_F(DelimitedImportTest, SummaryNoRecordsAndDuplicates)
{
    struct Case
    {
        const char* what;
        std::string file;
        BOOL discard;
        const char* message; // NULL: string 4125
        int kept;
    } cases[] = {
        {"empty file", "", FALSE, nullptr, 0},
        {"definitions only", Definition("Only Form", 45), FALSE, nullptr, 0},
        {"two records", TabLine("A", "1", kJournalFields) + TabLine("B", "2", 11), FALSE,
         "has been successfully imported into Test Database.\n\nNumber of records imported: 2\n"
         "Number of duplicates discarded: 0",
         2},
        {"a duplicate discarded",
         TabLine("A", "1", kJournalFields, "same") + TabLine("A", "2", kJournalFields, "same"), TRUE,
         "Number of records imported: 1\nNumber of duplicates discarded: 1", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Settings::DiscardDuplicates.Set(c.discard);
        TestDatabase db;
        TestTextFile file(c.file);
        CMessageBoxScript boxes;
        EXPECT_EQ(Import(db, file, CDelimitedFormat::TabDelimited()), 0u);
        EXPECT_EQ(db.Db().GetAllRecords().GetCount(), c.kept);
        ASSERT_EQ(boxes.CallCount(), 1);
        if (c.message == nullptr) {
            EXPECT_EQ(boxes.LastCall().promptId, 4125u);
        } else {
            const std::string text = (const char*)boxes.LastCall().text;
            EXPECT_EQ(text.find("Information in " +
                                std::string((const char*)file.Path().Mid(file.Path().ReverseFind('\\') + 1)) +
                                " has been"),
                      0u)
                << text;
            EXPECT_NE(text.find(c.message), std::string::npos) << text;
        }
    }
    Settings::DiscardDuplicates.Set(0);
}

TEST_F(DelimitedImportTest, StopAfterThreeRecordsKeepsThree)
{
    TestDatabase db;
    std::string text;
    for (int i = 0; i < 6; ++i)
        text += TabLine("A", std::to_string(i + 1).c_str(), kJournalFields);
    TestTextFile file(text);
    CMessageBoxScript boxes;
    ScriptedProgressDisplay::StopAtCall(3);
    EXPECT_EQ(Import(db, file, CDelimitedFormat::TabDelimited()), 0u);
    EXPECT_EQ(db.Db().GetAllRecords().GetCount(), 3);
    EXPECT_EQ(db.Db().GetMarkedRecords().GetCount(), 3);
    ASSERT_EQ(boxes.CallCount(), 1);
    EXPECT_NE(std::string((const char*)boxes.LastCall().text).find("imported: 3\n"), std::string::npos);
    EXPECT_EQ(db.Read(2)->GetRecordIdText(), "3");
}

TEST_F(DelimitedImportTest, UserLettersAreAskedOncePerLetterPerImport)
{
    TestDatabase db;
    TestTextFile file(CommaLine("U", "1", 45) + CommaLine("@u", "2", 45) + CommaLine("V", "3", 45) +
                      CommaLine("U", "4", 45));
    ScriptedLetterChooser chooser;
    chooser.answers = {2, 0}; // V stands for "A" (ID 0): an answer all the same
    CMessageBoxScript boxes;
    EXPECT_EQ(Import(db, file, CDelimitedFormat::CommaDelimited(), &chooser), 0u);
    EXPECT_EQ(chooser.asked, "UV");
    ASSERT_EQ(db.Db().GetAllRecords().GetCount(), 4);
    const int16_t expected[] = {2, 2, 0, 2};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(db.Read(i)->GetWorkformId(), expected[i]) << i;

    // A second import asks again; Cancel ends it quietly, keeping the record before.
    TestDatabase second;
    ScriptedLetterChooser cancelling;
    TestTextFile two(CommaLine("A", "1", 45) + CommaLine("Z", "2", 45) + CommaLine("A", "3", 45));
    CMessageBoxScript quiet;
    EXPECT_EQ(Import(second, two, CDelimitedFormat::CommaDelimited(), &cancelling), 0u);
    EXPECT_EQ(cancelling.asked, "Z");
    EXPECT_EQ(second.Db().GetAllRecords().GetCount(), 1);
    ASSERT_EQ(quiet.CallCount(), 1); // the summary alone
    EXPECT_EQ(quiet.LastCall().promptId, 0u);
}

TEST_F(DelimitedImportTest, RecordIdsAreTakenAsWritten)
{
    TestDatabase db;
    db.Add(0, "40", {{1, "Before"}});
    TestTextFile file(TabLine("A", "007", kJournalFields) + TabLine("A", "12b", kJournalFields) +
                      TabLine("A", "", kJournalFields) + TabLine("", " 5", kJournalFields));
    CMessageBoxScript boxes;
    EXPECT_EQ(Import(db, file, CDelimitedFormat::TabDelimited()), 0u);
    const char* expected[] = {"40", "007", "12b", "50", " 5"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(db.Read(i)->GetRecordIdText(), expected[i]) << i;
    // No indicator: the default workform.
    EXPECT_EQ(db.Read(4)->GetWorkformId(), 0);
}

TEST_F(DelimitedImportTest, ARecordOneShortLeavesField38EmptyAndShiftsTheRest)
{
    // "Field Log" uses 1, 4, 25, 38, 42 and 45; five fields are given.
    for (const CDelimitedFormat& format :
         {CDelimitedFormat(',', 13, 1, '"', '\'', 1, 1, 0), CDelimitedFormat::TabDelimited()}) {
        SCOPED_TRACE(format.delimitFields ? "quoted" : "plain");
        TestDatabase db;
        TestTextFile file(format.delimitFields ? CommaLine("Field Log", "1", 5)
                                               : TabLine("Field Log", "1", 5));
        CMessageBoxScript boxes;
        EXPECT_EQ(Import(db, file, format), 0u);
        ASSERT_EQ(db.Db().GetAllRecords().GetCount(), 1);
        EXPECT_EQ(Field(db, 0, 25), "v3");
        EXPECT_EQ(Field(db, 0, 38), "");
        EXPECT_EQ(Field(db, 0, 42), "v4");
        EXPECT_EQ(Field(db, 0, 45), "v5");
    }
}

TEST_F(DelimitedImportTest, QuotedReadingEdgeCases)
{
    struct Case
    {
        const char* what;
        std::string file;
        int records;
        int field;            // of the first record
        const char* expected; // its text
    } cases[] = {
        {"a quote followed by a comma cuts the field",
         "\"A\",\"1\",\"x\",y\",\"z\"" +
             [] {
                 std::string s;
                 for (int i = 3; i <= 45; ++i)
                     s += ",\"\"";
                 return s;
             }() +
             "\r\n",
         1, 2, ",\"z"},
        {"unquoted text between fields is ignored; quotes inside stay",
         "\"A\", junk \"1\",\"a \"\"b\"\" c\"" +
             [] {
                 std::string s;
                 for (int i = 2; i <= 45; ++i)
                     s += ",\"\"";
                 return s;
             }() +
             "\r\n",
         1, 1, "a \"\"b\"\" c"},
        {"CR LF inside a field belongs to it; blank lines are skipped",
         "\r\n" + std::string("\"A\",\"1\",\"line one\r\nline two\"") +
             [] {
                 std::string s;
                 for (int i = 2; i <= 45; ++i)
                     s += ",\"\"";
                 return s;
             }() +
             "\r\n\r\n",
         1, 1, "line one\r\nline two"},
        {"a definition after a record is read as a record", CommaLine("A", "1", 45) + Definition("Late", 45),
         0, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestDatabase db;
        TestTextFile file(c.file);
        CMessageBoxScript boxes;
        const UINT stop = Import(db, file, CDelimitedFormat::CommaDelimited());
        if (c.expected == nullptr) {
            EXPECT_NE(stop, 0u);
            continue;
        }
        EXPECT_EQ(stop, 0u);
        ASSERT_EQ(db.Db().GetAllRecords().GetCount(), c.records);
        EXPECT_EQ(Field(db, 0, c.field), c.expected);
    }
}

TEST_F(DelimitedImportTest, PlainRecordsWithOneCharacterForBoth)
{
    // CR separates and ends: a record ends once its fields are read; CR LF counts once.
    std::string text = "B\r1\r";
    for (int i = 1; i <= 11; ++i)
        text += "f" + std::to_string(i) + "\r\n";
    text += text;
    TestDatabase db;
    TestTextFile file(text);
    CMessageBoxScript boxes;
    EXPECT_EQ(Import(db, file, CDelimitedFormat(13, 13, 0, 0, 0, 1, 1, 0)), 0u);
    ASSERT_EQ(db.Db().GetAllRecords().GetCount(), 2);
    // "Book, Entire" uses 7, 9, 18, 19, 20, 38, 41, 42, 43, 44, 45.
    EXPECT_EQ(Field(db, 1, 7), "f1");
    EXPECT_EQ(Field(db, 1, 45), "f11");
}

TEST_F(DelimitedImportTest, DefinitionsCreateEachNewWorkformOnceWithItsFields)
{
    TestDatabase db;
    std::string line = "<Workform Definition>\"Field Notes\"";
    for (int n = 1; n <= 45; ++n)
        line += n == 3 || n == 45 ? ",\"Observer " + std::to_string(n) + "\"" : std::string(",\"---\"");
    const std::string file1 = line + "\r\n" + line + "\n\r\n" + Definition("Journal, Article", 45) +
                              Definition("journal, article", 45) + "\"Field Notes\",\"1\",\"a\",\"b\"\r\n";
    TestTextFile file(file1);
    CMessageBoxScript boxes;
    // The 45-field preset takes a short record as it is: fields 1 and 2.
    EXPECT_EQ(Import(db, file, CDelimitedFormat::CommaDelimited()), 0u);
    EXPECT_EQ(Field(db, 0, 2), "b");
    EXPECT_EQ(CountNamed("Field Notes"), 1);
    EXPECT_EQ(CountNamed("Journal, Article"), 1); // the program's own name, not created again
    const std::vector<CString> created = CreatedWorkformFiles();
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0].Mid(m_folder.GetLength() + 1), "FIELDNOT.LWF");
    const IWorkformInfo& notes = GetWorkformTable().FindByName("Field Notes");
    EXPECT_STREQ(notes.GetFieldName(3), "Observer 3");
    EXPECT_STREQ(notes.GetFieldName(4), "---");
    EXPECT_TRUE(notes.IsFieldUsed(45));

    // With the tab preset the two fields fit the new workform.
    TestDatabase second;
    TestTextFile again(line + "\r\nField Notes\t5\ta\tb\r\n");
    EXPECT_EQ(Import(second, again, CDelimitedFormat::TabDelimited()), 0u);
    ASSERT_EQ(second.Db().GetAllRecords().GetCount(), 1);
    EXPECT_EQ(second.Read(0)->GetWorkformId(), notes.GetId());
    EXPECT_EQ(Field(second, 0, 3), "a");
    EXPECT_EQ(Field(second, 0, 45), "b");
    EXPECT_EQ(CreatedWorkformFiles().size(), 1u);
}

TEST_F(DelimitedImportTest, AFileThatCannotBeOpenedIsReported)
{
    TestDatabase db;
    InstallExceptionReporter();
    CMessageBoxScript boxes;
    db.Doc().ImportDelimitedFile("C:\\no\\such\\folder\\file.txt", CDelimitedFormat::TabDelimited(), 0);
    EXPECT_EQ(boxes.CallCount(), 1);
    EXPECT_EQ(db.Db().GetAllRecords().GetCount(), 0);
}

TEST_F(DelimitedImportTest, TextKeepsTheCharacterSetOfTheImport)
{
    TestDatabase db;
    TestTextFile file(TabLine("A", "1", kJournalFields, "\xe9t\xe9"));
    CMessageBoxScript boxes;
    EXPECT_EQ(Import(db, file, CDelimitedFormat::TabDelimited(), nullptr, 204), 0u);
    const std::unique_ptr<DBRecord> record = db.Read(0);
    const StyledString& field = record->GetField(1);
    EXPECT_EQ(std::string((const char*)field.text), "\xe9t\xe9"
                                                    "1");
    ASSERT_EQ(field.runs.GetSize(), 1);
    EXPECT_EQ(field.runs[0].charSet, 204);
    EXPECT_EQ(field.runs[0].style, 0);
    EXPECT_EQ(field.runs[0].length, 4);
}

} // namespace
