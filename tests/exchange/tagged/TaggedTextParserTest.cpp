#include <gtest/gtest.h>

#include "TaggedTestSupport.h"

namespace {

struct ParserCase
{
    const char* name;
    const char* config;
    std::string text;
    // Per record: field number -> text; field 0 is the record ID, -1 the workform name.
    std::vector<std::map<int, std::string>> records;
    int replaced;
};

const std::string kMedlineRecord = "PMID- 101\n"
                                   "TI  - A title that runs\n"
                                   "      on to a second line\n"
                                   "AU  - Smith J\n"
                                   "AU  - van der Berg JH\n"
                                   "AU  - Already, A.\n"
                                   "PT  - Journal Article\n"
                                   "PT  - Review\n"
                                   "MH  - Humans\n"
                                   "OT  - rats\n"
                                   "ZZ  - an unknown tag\n"
                                   "DP  - 2001 Mar\n"
                                   "\n";

const std::vector<ParserCase>& Cases()
{
    static const std::vector<ParserCase> cases = {
        {"RIS, CR LF: repeated AU joined by //, KW by /, a continuation line, the type's workform",
         "RIS.cfg",
         "TY  - BOOK\r\nAU  - Smith, J.\r\nAU  - Jones, K.\r\nTI  - Long\r\ntitle\r\nKW  - a\r\nKW  - b\r\n"
         "ID  - 12b\r\nER  - \r\n",
         {{{1, "Smith, J.//Jones, K."}, {4, "Long title"}, {45, "a/b"}, {0, "12b"}, {-1, "Book, Entire"}}},
         0},
        {"RIS, LF, an end tag without its blank, an unknown type, unknown tags ignored",
         "RIS.cfg",
         "TY  - XXXX\nTI  - One\nZZ  - skipped\nN1  - first\nN1  - second\nER  -\n",
         {{{4, "One"}, {42, "first\rsecond"}, {-1, "Journal, Article"}}},
         0},
        {"RIS: stray text and blank lines between records, the last end tag missing at the end",
         "RIS.cfg",
         "stray heading\r\n\r\nTY  - JOUR\r\nTI  - A\r\nER  - \r\nnoise between\r\n\r\n\r\nTY  - CHAP\r\nTI  "
         "- B",
         {{{4, "A"}, {-1, "Journal, Article"}}, {{4, "B"}, {-1, "Book, Section"}}},
         0},
        {"RIS: a new start tag ends a record whose end tag is missing",
         "RIS.cfg",
         "TY  - JOUR\nTI  - A\nTY  - JOUR\nTI  - B\nER  - \n",
         {{{4, "A"}, {-1, "Journal, Article"}}, {{4, "B"}, {-1, "Journal, Article"}}},
         0},
        {"RIS: a UTF-8 byte-order mark makes the text UTF-8; what 1252 lacks becomes ?",
         "RIS.cfg",
         "\xEF\xBB\xBFTY  - JOUR\r\nTI  - Caf\xC3\xA9 \xE2\x80\x9Cq\xE2\x80\x9D \xE4\xB8\xAD\r\nER  - \r\n",
         {{{4, "Caf\xE9 \x93q\x94 ?"}, {-1, "Journal, Article"}}},
         1},
        {"RIS, CR alone ends lines; a NUL becomes ? and is counted",
         "RIS.cfg",
         std::string("TY  - JOUR\rTI  - a\0b\rER  - \r", 28),
         {{{4, "a?b"}, {-1, "Journal, Article"}}},
         1},
        {"MEDLINE: continuation, authors to Last, A.B., the first mapped type, keywords by /",
         "Medline.cfg",
         kMedlineRecord,
         {{{0, "101"},
           {4, "A title that runs on to a second line"},
           {1, "Smith, J.//van der Berg, J.H.//Already, A."},
           {45, "Humans/rats"},
           {20, "2001 Mar"},
           {-1, "Journal, Article"}}},
         0},
        {"MEDLINE, CR LF, two records at blank lines, the last without its blank line",
         "Medline.cfg",
         "PMID- 1\r\nTI  - One\r\nPT  - Book\r\n\r\n\r\nPMID- 2\r\nTI  - Two",
         {{{0, "1"}, {4, "One"}, {-1, "Book, Entire"}}, {{0, "2"}, {4, "Two"}, {-1, "Journal, Article"}}},
         0},
        {"PubMed configuration: UTF-8 without a byte-order mark",
         "Pubmed.cfg",
         "PMID- 7\nAU  - M\xC3\xBCller K\n\n",
         {{{0, "7"}, {1, "M\xFCller, K."}, {-1, "Journal, Article"}}},
         0},
        {"No record start anywhere: nothing", "RIS.cfg", "AU  - Smith\nER  - \n", {}, 0},
    };
    return cases;
}

TEST(TaggedTextParserTest, ReadsExactFieldsOfEachCase)
{
    for (const ParserCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        int replaced = 0;
        const std::vector<TaggedRecord> records = ParseAll(ShippedConfig(c.config), c.text, &replaced);
        ASSERT_EQ(records.size(), c.records.size());
        for (size_t r = 0; r < records.size(); ++r) {
            std::map<int, std::string> got;
            for (int n = 1; n <= TaggedImportConfig::kFields; ++n) {
                if (!records[r].fields[n].empty())
                    got[n] = records[r].fields[n];
            }
            if (!records[r].recordId.empty())
                got[0] = records[r].recordId;
            got[-1] = records[r].workformName;
            EXPECT_EQ(got, c.records[r]) << "record " << r;
        }
        EXPECT_EQ(replaced, c.replaced);
    }
}

TEST(TaggedTextParserTest, AuthorForms)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Smith J", "Smith, J."},
        {"Smith JA", "Smith, J.A."},
        {"de la Cruz MA", "de la Cruz, M.A."},
        {"Smith", "Smith"},
        {"Smith, J.", "Smith, J."},
        {"World Health Organization", "World Health Organization"},
        {"Smith jr", "Smith jr"},
        {"Smith ABCDE", "Smith ABCDE"},
        {" J", " J"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TaggedTextParser::AuthorWithInitials(c.first), c.second) << c.first;
}

TEST(TaggedTextParserTest, HoldsOneRecordAndCountsBytes)
{
    // Progress moves with the records read, and a field stops at its limit.
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += RisRecord(i);
    text += "TY  - JOUR\nAB  - " + std::string(TaggedTextParser::kMaxFieldLength + 100, 'x') + "\nER  - \n";
    StringSource source(text, TaggedTextParser::kBufferSize);
    const TaggedImportConfig config = ShippedConfig("RIS.cfg");
    TaggedTextParser parser(config, source);
    TaggedRecord record;
    ASSERT_TRUE(parser.Next(record));
    EXPECT_EQ(record.fields[4], "Title 0 on things");
    EXPECT_LT(parser.GetBytesRead(), text.size());
    int count = 1;
    TaggedRecord last;
    while (parser.Next(record)) {
        ++count;
        last = record;
    }
    EXPECT_EQ(count, 2001);
    EXPECT_EQ(last.fields[43], std::string(TaggedTextParser::kMaxFieldLength, 'x'));
    EXPECT_EQ(parser.GetBytesRead(), text.size());
}

TEST(TaggedImportConfigTest, FaultyLinesAreNamedAndLeaveTheConfigurationAsItWas)
{
    const std::pair<const char*, const char*> cases[] = {
        {"tag-width = 2\nrecord-start = TY\nbogus = 1\n", "x.cfg, line 3: an unknown setting"},
        {"# c\n\ntag-width = 9\n", "x.cfg, line 3: a tag width outside 1 to 8"},
        {"tag-width = 2\nfield = AU 46\n", "x.cfg, line 2: not a tag and a field number"},
        {"tag-width = 2\nfield = AU\n", "x.cfg, line 2: not a tag and a field number"},
        {"charset = 850\n", "x.cfg, line 1: an unknown character set"},
        {"tag-width = 2\ntype = JOUR Journal\n", "x.cfg, line 2: not a type, \"|\" and a workform name"},
        {"tag-width 2\n", "x.cfg, line 1: no \"=\""},
        {"join = 0 /\n", "x.cfg, line 1: not a field number and a joiner"},
        {"tag-width = 2\n", "x.cfg: no tag-width or record-start"},
        {"tag-width = 2\nrecord-start = TOOLONG\n", "x.cfg, line 2: a bad tag"},
    };
    TaggedImportConfig config = ShippedConfig("RIS.cfg");
    for (const auto& c : cases) {
        EXPECT_FALSE(config.Parse(c.first, "x.cfg")) << c.first;
        EXPECT_EQ(std::string(config.GetError()), c.second);
        EXPECT_EQ(config.recordStart, "TY");
        EXPECT_EQ(config.fieldOfTag.at("AU"), 1);
    }
    EXPECT_FALSE(config.Load(ShippedConfigPath("Missing.cfg")));
    EXPECT_NE(std::string(config.GetError()).find("Missing.cfg: the file cannot be read"), std::string::npos);
}

} // namespace
