// Records exported and imported again into an empty database: the same
// records field by field, within each format's stated losses, and every
// user workform created once from the definitions.
#include <gtest/gtest.h>

#include "DelimitedTestSupport.h"

#include <cstdint>

namespace {

// Deterministic text: words with commas, quotes and apostrophes, multi-line
// abstracts, alphanumeric record IDs.
class RecordGenerator
{
public:
    explicit RecordGenerator(uint32_t seed) : m_state(seed) {}

    uint32_t Next(uint32_t bound)
    {
        m_state = m_state * 1103515245u + 12345u;
        return (m_state >> 8) % bound;
    }
    std::string Words(int count)
    {
        static const char* const words[] = {
            "Smith, J.", "a \"quoted\" word", "O'Brien", "theory", "of",  "signals;", "tab\there",
            "100%",      "caf\xe9",           "x|y",     "#1",     "end."};
        std::string text;
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                text += ' ';
            text += words[Next(sizeof words / sizeof words[0])];
        }
        return text;
    }
    std::string Abstract()
    {
        std::string text = Words(6);
        const int lines = (int)Next(3);
        for (int i = 0; i < lines; ++i)
            text += "\r\n" + Words(5);
        return text;
    }
    std::string RecordId(int i)
    {
        switch (Next(3)) {
        case 0:
            return std::to_string(i + 1);
        case 1:
            return "00" + std::to_string(i);
        default:
            return std::to_string(i) + "b";
        }
    }

private:
    uint32_t m_state;
};

const int16_t kUserLetter = 20000;  // "Letter", written "Letter (Correspondence)"
const int16_t kUserChapter = 20001; // "Book Chapter", written "Book, Chapter"

class DelimitedRoundTripTest : public DelimitedTest
{
protected:
    std::vector<WorkformFixture> Fixtures() override
    {
        std::vector<WorkformFixture> fixtures = StandardWorkformFixtures();
        fixtures.push_back({"Letter", kUserLetter, {1, 4, 16, 20, 38, 42, 43}, {{16, "Recipient"}}});
        fixtures.push_back({"Book Chapter", kUserChapter, {1, 4, 7, 9, 19, 20, 25, 43, 45}, {{9, "Book"}}});
        return fixtures;
    }
    // Every workform: the table's, and letters the table does not hold.
    static std::vector<int16_t> WorkformIds()
    {
        std::vector<int16_t> ids;
        const CWorkformTable& table = GetWorkformTable();
        for (int i = 0; i < table.GetCount(); ++i)
            ids.push_back(table.GetIdAt(i));
        for (int16_t letter : {5, 12, 19})
            ids.push_back(letter);
        return ids;
    }
    // Records of every workform, filled in the fields their workform uses.
    void Generate(TestDatabase& db, int count)
    {
        RecordGenerator generator(7);
        const std::vector<int16_t> ids = WorkformIds();
        const CWorkformTable& table = GetWorkformTable();
        for (int i = 0; i < count; ++i) {
            const int16_t id = ids[i % ids.size()];
            std::vector<std::pair<int, std::string>> fields;
            for (int n = 1; n <= 45; ++n) {
                if (!table.IsFieldUsed(id, n) || generator.Next(4) == 0)
                    continue;
                fields.push_back(
                    {n, n == 43 ? generator.Abstract() : generator.Words(1 + (int)generator.Next(4))});
            }
            db.Add(id, generator.RecordId(i).c_str(), fields);
        }
    }
    // The table as the program starts with it: the standard workforms only.
    void ForgetUserWorkforms()
    {
        GetWorkformTable().RemoveAll();
        const std::vector<CString>& paths = m_workforms->Paths();
        for (size_t i = 0; i < StandardWorkformFixtures().size(); ++i)
            LoadWorkformFile(GetWorkformTable(), paths[i]);
    }
    // What a value becomes in the format.
    typedef std::string (*Loss)(std::string);

    void ExpectSameRecords(TestDatabase& from, TestDatabase& to, Loss loss,
                           const std::map<int, std::string>& names)
    {
        ASSERT_EQ(to.Db().GetAllRecords().GetCount(), from.Db().GetAllRecords().GetCount());
        const int count = from.Db().GetAllRecords().GetCount();
        int differences = 0;
        for (int i = 0; i < count && differences < 5; ++i) {
            std::unique_ptr<DBRecord> a = from.Read(i);
            std::unique_ptr<DBRecord> b = to.Read(i);
            const auto name = names.find(a->GetWorkformId());
            const std::string expectedName =
                name != names.end() ? name->second
                                    : std::string(GetWorkformTable().GetName(a->GetWorkformId()));
            if (a->GetWorkformId() < 20)
                EXPECT_EQ(b->GetWorkformId(), a->GetWorkformId()) << i;
            else
                EXPECT_EQ(std::string(GetWorkformTable().GetName(b->GetWorkformId())), expectedName) << i;
            EXPECT_EQ(b->GetRecordIdText(), a->GetRecordIdText()) << i;
            for (int n = 1; n <= 45; ++n) {
                const std::string expected = loss((const char*)a->GetField((BYTE)n).text);
                const std::string got = (const char*)b->GetField((BYTE)n).text;
                if (got != expected) {
                    ++differences;
                    ADD_FAILURE() << "record " << i << " field " << n << ": '" << got << "' for '" << expected
                                  << "'";
                }
            }
        }
    }
    std::map<int, std::string> UserNames()
    {
        return {{kUserLetter, "Letter"}, {kUserChapter, "Book Chapter"}};
    }
};

std::string Replace(std::string text, const std::string& chars, char by)
{
    for (char& ch : text) {
        if (chars.find(ch) != std::string::npos)
            ch = by;
    }
    return text;
}

TEST_F(DelimitedRoundTripTest, CommaPresetWithDefinitionsKeepsEveryRecord)
{
    TestDatabase from;
    Generate(from, 1000);
    TestTextFile text;
    DelimitedExportOptions options;
    ASSERT_TRUE(Export(from, from.Db().GetAllRecords(), CDelimitedFormat::CommaDelimited(), options, text));

    ForgetUserWorkforms();
    TestDatabase to;
    CMessageBoxScript boxes;
    ASSERT_EQ(Import(to, text, CDelimitedFormat::CommaDelimited()), 0u);
    EXPECT_EQ(CountNamed("Letter"), 1);
    EXPECT_EQ(CountNamed("Book Chapter"), 1);
    EXPECT_EQ(CountNamed("Journal, Article"), 1);
    EXPECT_EQ(CreatedWorkformFiles().size(), 2u);
    EXPECT_EQ(to.Db().GetMarkedRecords().GetCount(), 1000);
    ExpectSameRecords(
        from, to, [](std::string s) { return Replace(s, "\"", '\''); }, UserNames());

    // A second import of the same file creates no workform again.
    TestDatabase again;
    ASSERT_EQ(Import(again, text, CDelimitedFormat::CommaDelimited()), 0u);
    EXPECT_EQ(CreatedWorkformFiles().size(), 2u);
}

TEST_F(DelimitedRoundTripTest, TabPresetAndACustomFormatKeepTheirStatedLosses)
{
    TestDatabase from;
    Generate(from, 200);
    struct Case
    {
        const char* what;
        CDelimitedFormat format;
        Loss loss;
    } cases[] = {
        {"tab preset: tabs, CR and LF become blanks", CDelimitedFormat::TabDelimited(),
         [](std::string s) { return Replace(s, "\t\r\n", ' '); }},
        {"custom: apostrophes quote, '|' separates, '#' ends; an apostrophe becomes '`'",
         CDelimitedFormat('|', '#', 1, '\'', '`', 1, 1, 0),
         [](std::string s) { return Replace(s, "'", '`'); }},
        {"custom: plain with ';' and CR, all 45 fields", CDelimitedFormat(';', 13, 0, 0, 0, 1, 1, 1),
         [](std::string s) { return Replace(s, ";\r\n", ' '); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestTextFile text;
        DelimitedExportOptions options;
        ASSERT_TRUE(Export(from, from.Db().GetAllRecords(), c.format, options, text));
        TestDatabase to;
        CMessageBoxScript boxes;
        ASSERT_EQ(Import(to, text, c.format), 0u);
        ExpectSameRecords(from, to, c.loss, UserNames());
    }
}

} // namespace
