// A real peer reads the exports: LibreOffice Calc (headless) opens the comma
// export and a tab export of all 45 fields, and the file it writes back holds
// 47 columns per record line with every text as written, multi-line abstracts
// included. Skipped where soffice is not installed; the native build runs it
// (the peer is a program of this machine, not of the Windows side).
#include <gtest/gtest.h>

#include "DelimitedTestSupport.h"

#ifndef _WIN32

#include <cstdlib>

namespace {

// The cells of CSV text: quoted cells may hold separators, line breaks and
// doubled quotes; rows end at LF (CR LF too) outside quotes.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text, char separator)
{
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string cell;
    bool quoted = false;
    bool any = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (quoted) {
            if (ch == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                cell += '"';
                ++i;
            } else if (ch == '"') {
                quoted = false;
            } else {
                cell += ch;
            }
            continue;
        }
        if (ch == '"' && cell.empty()) {
            quoted = true;
            any = true;
        } else if (ch == separator) {
            row.push_back(cell);
            cell.clear();
            any = true;
        } else if (ch == '\n' || ch == '\r') {
            if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            row.push_back(cell);
            rows.push_back(row);
            row.clear();
            cell.clear();
            any = false;
        } else {
            cell += ch;
            any = true;
        }
    }
    if (any) {
        row.push_back(cell);
        rows.push_back(row);
    }
    return rows;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string Native(const CString& path)
{
    return (const char*)AfxNativePath(path);
}

// Every column read and written as text, so that "007" stays "007".
std::string FilterOptions(int separator)
{
    std::string options = std::to_string(separator) + ",34,76,1,";
    for (int column = 1; column <= 47; ++column)
        options += (column > 1 ? "/" : "") + std::to_string(column) + "/2";
    return options;
}

class SpreadsheetPeerTest : public DelimitedTest
{
protected:
    void SetUp() override
    {
        if (std::system("command -v soffice >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "soffice is not installed";
        DelimitedTest::SetUp();
    }
    void TearDown() override
    {
        if (m_profile)
            DelimitedTest::TearDown();
    }
};

TEST_F(SpreadsheetPeerTest, CalcOpensTheCommaAndTabExportsAndWritesEveryTextBack)
{
    TestDatabase db;
    const int16_t workforms[] = {0, 1, 8, (int16_t)21748, 5};
    for (int i = 0; i < 30; ++i) {
        std::vector<std::pair<int, std::string>> fields;
        fields.push_back({1, "Smith, J.; Roe, K. " + std::to_string(i)});
        fields.push_back({4, "On \"quoted\" words, commas and it's " + std::to_string(i)});
        fields.push_back({20, std::to_string(1990 + i)});
        fields.push_back(
            {43, "First line of abstract " + std::to_string(i) + "\r\nsecond line\r\nthird, last"});
        fields.push_back({45, "0" + std::to_string(i)});
        db.Add(workforms[i % 5], (i % 2 ? "00" + std::to_string(i) : std::to_string(i) + "b").c_str(),
               fields);
    }
    struct PeerExport
    {
        const char* name;
        CDelimitedFormat format;
        char separator;
        std::string (*written)(std::string);
    } exports[] = {
        {"comma", CDelimitedFormat::CommaDelimited(), ',',
         [](std::string s) { return ReplaceAll(ReplaceAll(s, "\"", "'"), "\r\n", "\n"); }},
        {"tab", CDelimitedFormat(9, 13, 0, 0, 0, 1, 1, 1), '\t',
         [](std::string s) { return ReplaceAll(ReplaceAll(s, "\r", " "), "\n", " "); }},
    };
    const std::string work = Native(m_folder);
    std::string commands;
    for (const PeerExport& e : exports) {
        TestTextFile text;
        DelimitedExportOptions options;
        options.exportWorkformDefinitions = FALSE;
        ASSERT_TRUE(Export(db, db.Db().GetAllRecords(), e.format, options, text));
        const std::string input = work + "/" + e.name + ".txt";
        ASSERT_EQ(std::rename(Native(text.Path()).c_str(), input.c_str()), 0);
        // Two peers at once, each with a profile of its own.
        const std::string options_ = FilterOptions(e.separator);
        commands += "soffice -env:UserInstallation=file://" + work + "/profile-" + e.name +
                    " --headless --infilter='Text - txt - csv (StarCalc):" + options_ +
                    "' --convert-to 'csv:Text - txt - csv (StarCalc):" + std::to_string((int)e.separator) +
                    ",34,76,1' --outdir " + work + "/out-" + e.name + " " + input + " >/dev/null 2>&1 & ";
    }
    commands += "wait";
    ASSERT_EQ(std::system(commands.c_str()), 0);

    for (const PeerExport& e : exports) {
        SCOPED_TRACE(e.name);
        std::ifstream in(work + "/out-" + e.name + "/" + e.name + ".csv", std::ios::binary);
        ASSERT_TRUE(in.good());
        const std::string back((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const auto rows = ParseCsv(back, e.separator);
        ASSERT_EQ(rows.size(), 30u);
        for (int i = 0; i < 30; ++i) {
            ASSERT_EQ(rows[i].size(), 47u) << "row " << i;
            std::unique_ptr<DBRecord> record = db.Read(i);
            const int id = record->GetWorkformId();
            EXPECT_EQ(rows[i][0],
                      id < 20 ? std::string(1, (char)('A' + id)) : GetWorkformTable().GetName(id));
            EXPECT_EQ(rows[i][1], (const char*)record->GetRecordIdText());
            for (int n = 1; n <= 45; ++n)
                EXPECT_EQ(rows[i][n + 1], e.written((const char*)record->GetField((BYTE)n).text))
                    << "row " << i << " field " << n;
        }
    }
    std::system(("rm -rf " + work + "/profile-* " + work + "/out-* " + work + "/*.txt").c_str());
}

} // namespace

#endif
