// The delimited export writer: exact lines for the presets and the edge
// formats, the definition lines, and a run over a database into a file.
#include <gtest/gtest.h>

#include "DelimitedTestSupport.h"

namespace {

std::string Repeat(const std::string& piece, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

DelimitedExportOptions Options(BOOL definitions, BOOL selectedOnly = FALSE, FieldSet fields = FieldSet())
{
    DelimitedExportOptions options;
    options.exportWorkformDefinitions = definitions;
    options.selectedFieldsOnly = selectedOnly;
    options.fields = fields;
    return options;
}

class DelimitedExportTest : public DelimitedTest
{
protected:
    std::vector<WorkformFixture> Fixtures() override
    {
        std::vector<WorkformFixture> fixtures = StandardWorkformFixtures();
        fixtures.push_back({"Journal Article", 20000, {1, 4, 10}, {{4, "Say \"what\""}}});
        return fixtures;
    }
    // The record of the exact-bytes cases.
    int32_t AddSmith(TestDatabase& db)
    {
        return db.Add(0, "12", {{1, "Smith, J."}, {4, "A \"q\" title"}, {12, "1999"}});
    }
    std::string Line(TestDatabase& db, int32_t number, const CDelimitedFormat& format,
                     const DelimitedExportOptions& options = Options(FALSE))
    {
        DBRecordSet none;
        TestTextFile unused;
        CFile file(unused.Path(), CFile::modeWrite);
        CDelimitedExportWriter writer(db.Doc(), file, none);
        writer.SetOptions(format, options);
        std::string line;
        writer.FormatRecord(*db.Read(number), line);
        return line;
    }
};

TEST_F(DelimitedExportTest, CommaPresetWritesTheExactBytesIntoTheFile)
{
    TestDatabase db;
    AddSmith(db);
    TestTextFile out;
    EXPECT_TRUE(Export(db, db.Db().GetAllRecords(), CDelimitedFormat::CommaDelimited(), Options(FALSE), out));
    EXPECT_EQ(out.Read(),
              "\"A\",\"12\",\"Smith, J.\",\"\",\"\",\"A 'q' title\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
              "\"1999\"" +
                  Repeat(",\"\"", 33) + "\r\n");
}

TEST_F(DelimitedExportTest, LinesOfEachFormat)
{
    TestDatabase db;
    const int32_t smith = AddSmith(db);
    const int32_t thesis =
        db.Add((int16_t)21748, "7b", {{1, "Doe; Roe"}, {11, "On \"tabs\"\tand\r\nlines|x"}});
    const int32_t mapped = db.Add((int16_t)20000, "007", {{1, "Ann"}, {4, "T"}});
    const int32_t unknown = db.Add((int16_t)5, "9", {{45, "kw"}});
    FieldSet onlyTitle;
    onlyTitle.Add(4);
    struct Case
    {
        const char* what;
        int32_t record;
        CDelimitedFormat format;
        DelimitedExportOptions options;
        std::string expected;
    } cases[] = {
        {"tab preset: used fields, no quotes", smith, CDelimitedFormat::TabDelimited(), Options(FALSE),
         "A\t12\tSmith, J.\t\tA \"q\" title" + Repeat("\t", 10) + "\r\n"},
        {"tabs with all 45 fields", smith, CDelimitedFormat(9, 13, 0, 0, 0, 1, 1, 1), Options(FALSE),
         "A\t12\tSmith, J.\t\t\tA \"q\" title\t\t\t\t\t\t\t\t1999" + Repeat("\t", 33) + "\r\n"},
        {"CR separator, other terminator; a separator, CR or LF inside a value is a blank", thesis,
         CDelimitedFormat(13, '|', 0, 0, 0, 1, 1, 0), Options(FALSE),
         "Thesis\r7b\rDoe; Roe\r\rOn \"tabs\"\tand  lines x\r\r\r\r\r\r|"},
        {"replacement 0 leaves the delimiter", thesis, CDelimitedFormat(';', 13, 1, '"', 0, 0, 0, 0),
         Options(FALSE),
         "\"Doe; Roe\";\"\";\"On \"tabs\"\tand\r\nlines|x\";\"\";\"\";\"\";\"\";\"\";\"\"\r\n"},
        {"selected fields only, empty set: every column present and empty", smith,
         CDelimitedFormat::CommaDelimited(), Options(FALSE, TRUE),
         "\"A\",\"12\"" + Repeat(",\"\"", 45) + "\r\n"},
        {"selected fields only: the title", smith, CDelimitedFormat(9, 13, 0, 0, 0, 0, 0, 0),
         Options(FALSE, TRUE, onlyTitle), "\t\tA \"q\" title" + Repeat("\t", 10) + "\r\n"},
        {"a standard name is written with its comma", mapped, CDelimitedFormat::TabDelimited(),
         Options(FALSE), "Journal, Article\t007\tAnn\tT\t\r\n"},
        {"an ID below 20 is its letter even without a workform", unknown,
         CDelimitedFormat(',', 13, 0, 0, 0, 1, 0, 0), Options(FALSE), "F" + Repeat(",", 44) + ",kw\r\n"},
        {"no terminator, no separator", mapped, CDelimitedFormat(0, 0, 0, 0, 0, 0, 1, 0), Options(FALSE),
         "007AnnT"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Line(db, c.record, c.format, c.options), c.expected) << c.what;
}

TEST_F(DelimitedExportTest, DefinitionsPrecedeTheRecordsInCommasWhateverTheFormat)
{
    TestDatabase db;
    AddSmith(db);
    TestTextFile out;
    EXPECT_TRUE(Export(db, db.Db().GetAllRecords(), CDelimitedFormat::TabDelimited(), Options(TRUE), out));
    std::string expected;
    const CWorkformTable& table = GetWorkformTable();
    ASSERT_EQ(table.GetCount(), 7);
    for (const WorkformFixture& fixture : Fixtures()) {
        expected += "<Workform Definition>\"" + std::string(fixture.name) + "\"";
        const FieldSet used = FixtureFieldSet(fixture);
        for (int n = 1; n <= 45; ++n)
            expected += ",\"" +
                        std::string(used.Contains(n) ? (const char*)FixtureFieldName(fixture, n) : "---") +
                        "\"";
        expected += "\r\n";
    }
    expected += "A\t12\tSmith, J.\t\tA \"q\" title" + Repeat("\t", 10) + "\r\n";
    EXPECT_EQ(out.Read(), expected);
    // Names as stored: the quote inside a field name and the name without the comma.
    EXPECT_NE(expected.find("<Workform Definition>\"Journal Article\",\"Author, Analytic\",\"---\",\"---\","
                            "\"Say \"what\"\""),
              std::string::npos);
}

TEST_F(DelimitedExportTest, RecordsComeInRecordNumberOrderAndStopKeepsWhatWasWritten)
{
    TestDatabase db;
    for (int i = 0; i < 5; ++i)
        db.Add(1, std::to_string(100 - i).c_str(), {{9, "Book " + std::to_string(i)}});
    TestTextFile all;
    EXPECT_TRUE(Export(db, db.Db().GetAllRecords(), CDelimitedFormat(',', 13, 0, 0, 0, 0, 1, 0),
                       Options(FALSE), all));
    std::string expected;
    for (int i = 0; i < 5; ++i)
        expected += std::to_string(100 - i) + ",,Book " + std::to_string(i) + Repeat(",", 9) + "\r\n";
    EXPECT_EQ(all.Read(), expected);
    ScriptedProgressDisplay::StopAtCall(2);
    TestTextFile stopped;
    EXPECT_FALSE(Export(db, db.Db().GetAllRecords(), CDelimitedFormat(',', 13, 0, 0, 0, 0, 1, 0),
                        Options(FALSE), stopped));
    EXPECT_EQ(stopped.Read(), expected.substr(0, expected.find("98,")));
    // An empty set writes only the definitions.
    TestTextFile empty;
    DBRecordSet none;
    EXPECT_TRUE(Export(db, none, CDelimitedFormat::CommaDelimited(), Options(FALSE), empty));
    EXPECT_EQ(empty.Read(), "");
}

TEST_F(DelimitedExportTest, ARecordOpenInAWindowIsWrittenAsHeldAndAMissingOneStopsTheRun)
{
    TestDatabase db;
    const int32_t first = db.Add(1, "1", {{9, "Stored title"}});
    const int32_t second = db.Add(1, "2", {{9, "Second"}});
    DBRecord* open = db.Doc().OpenRecord(first, 0);
    ASSERT_NE(open, nullptr);
    open->AddRef();
    StyledString edited;
    edited.AppendStyled("Edited title", 12, StyleRun(0, 0, "", 0, 0));
    open->SetField(edited, 9);
    const CDelimitedFormat idAndFields(',', 13, 0, 0, 0, 0, 1, 0);
    TestTextFile out;
    EXPECT_TRUE(Export(db, db.Db().GetAllRecords(), idAndFields, Options(FALSE), out));
    EXPECT_EQ(out.Read(), "1,,Edited title" + Repeat(",", 9) + "\r\n2,,Second" + Repeat(",", 9) + "\r\n");
    open->SetModifiedFlag(FALSE); // the edit is dropped with the window
    open->Release();

    // A number the database does not hold: its loss is told and the run ends there.
    DBRecordSet set;
    set.Set(first);
    set.Set(second + 5);
    set.Set(second + 6);
    CMessageBoxScript box;
    TestTextFile partial;
    EXPECT_FALSE(Export(db, set, idAndFields, Options(FALSE), partial));
    EXPECT_EQ(partial.Read(), "1,,Stored title" + Repeat(",", 9) + "\r\n");
    EXPECT_EQ(box.Calls().size(), 1u);
}

} // namespace
