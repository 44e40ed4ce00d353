// The record formatter end to end: a style written to a file and opened
// again, a handful of records of several workforms, and the whole output of
// the text, RTF and HTML writers; in-text citations through the template map.
#include "bibliography/core/HtmlWriter.h"
#include "bibliography/core/TextWriter.h"
#include "bibliography/output/RtfWriter.h"
#include "bibliography/output/StyledStringWriter.h"
#include "classlib/MemFile.h"
#include "classlib/MessageBox.h"
#include "database/db/DBRecord.h"
#include "database/file/FileTestSupport.h"
#include "database/text/StyledTextSink.h"
#include "formatting/format/ApplySetupToFormatter.h"
#include "formatting/format/FormattedRecord.h"
#include "formatting/format/RecordFormatter.h"
#include "formatting/format/StyleTemplateMap.h"
#include "formatting/style/BibliographyFormat.h"
#include "formatting/style/IntextFormat.h"
#include "formatting/style/OutputStyleDoc.h"
#include "support/WorkformFixtures.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {
const WORD kDefault = 0xFFFF;
const WORD kArticle = 0; // "Journal, Article"
const WORD kBook = 1;    // "Book, Entire": authors in field 7, no field 1

// A stored field code.
std::string Code(int n)
{
    return std::string("<\x01") + static_cast<char>(n) + ">";
}
const std::string kAuthor = Code(0xFE);
const std::string kAuthorOrTitle = Code(0xFD);
const std::string kTitle = Code(0xFC);
const std::string kCitationNumber = Code(0xFB);
const std::string kDate = Code(0xFA);

StyledString Plain(const std::string& text)
{
    return StyledString(text.c_str());
}

StyledString Italic(const std::string& text)
{
    StyledString s;
    s.AppendStyled(text.c_str(), static_cast<int>(text.size()), StyleRun(kStyleItalic, 0, nullptr, 0));
    return s;
}

StyledString operator+(StyledString a, const StyledString& b)
{
    a += b;
    return a;
}

void FontTable(RtfFontFamilyArray& families)
{
    families.Add(RtfFontFamily("Times New Roman", 0x12));
}

enum Output
{
    kText,
    kRtf,
    kHtml
};

// A record of the workform with the given fields (field, text).
std::unique_ptr<DBRecord> MakeRecord(WORD workform, std::initializer_list<std::pair<int, const char*>> fields)
{
    std::unique_ptr<DBRecord> record(new DBRecord);
    record->m_bAutoDelete = FALSE;
    record->SetWorkformId(static_cast<int16_t>(workform));
    for (const auto& f : fields)
        record->SetField(StyledString(f.second), static_cast<BYTE>(f.first));
    return record;
}

class RecordFormatterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GetWorkformTable().RemoveAll();
        m_workforms.reset(new WorkformFixtureFiles); // enters the standard workforms
    }

    void TearDown() override
    {
        m_docs.clear();
        GetWorkformTable().RemoveAll();
        for (const CString& path : m_paths)
            filetest::RemoveFile(path);
    }

    // The test style: a default format, a book format, and in-text formats;
    // numbered or author-date. Saved to a file and opened from it.
    COutputStyleDoc* WriteStyle(bool numbered)
    {
        COutputStyleDoc* made = NewDoc();
        EXPECT_TRUE(made->OnNewDocument());
        BibliographyFormat general;
        general.templateText = Plain(kAuthor + "|\xAB (" + kDate + ")\xBB|. " + kTitle + "|. ") +
                               Italic(Code(10)) + Plain("|, " + Code(25) + "|.");
        general.DateFormatFor(20).yearFormat = kYearFourDigits;
        made->SetBibliographyFormat(kDefault, general);
        BibliographyFormat book;
        book.templateText = Plain(kAuthor + "|\xAB (" + kDate + ")\xBB|. ") + Italic(Code(9)) +
                            // The citation number names no field of an entry: nothing is written for it.
                            Plain("|. " + Code(19) + "| [" + kCitationNumber + "]|.");
        book.AuthorFormatFor(7).listPage.emptyAuthorAction = kEmptyAuthorMoveTitle;
        book.DateFormatFor(20).yearFormat = kYearFourDigits;
        made->SetBibliographyFormat(kBook, book);
        IntextFormat first;
        if (numbered) {
            first.templateText = Plain("[" + kCitationNumber + "]");
        } else {
            // Years in the format's default two digits.
            first.templateText = Plain("(|" + kAuthorOrTitle + ", |" + kDate + "|)");
            for (CIntextAuthorFormatSheet& sheet : first.authorFormats)
                sheet.namesPage.firstNameOrder = sheet.namesPage.otherNameOrder = kNameLastOnly;
        }
        made->SetFirstCitationFormat(kDefault, first);
        IntextFormat emptyLater; // an empty subsequent template: the first one serves
        made->SetSubsequentCitationFormat(kDefault, emptyLater);
        made->GetTitleText() = "Test Style";
        const CString path = filetest::TempPath("fmtstyle");
        m_paths.push_back(path);
        EXPECT_TRUE(made->OnSaveDocument(path));
        for (const auto& call : m_boxes.Calls())
            ADD_FAILURE() << call.text;
        made->OnCloseDocument();
        COutputStyleDoc* style = NewDoc();
        EXPECT_TRUE(style->OpenFile(path, CFileBasedDocument::OpenNoFrame));
        return style;
    }

    COutputStyleDoc* NewDoc()
    {
        COutputStyleDoc* doc = new COutputStyleDoc;
        doc->m_bAutoDelete = FALSE;
        m_docs.emplace_back(doc);
        return doc;
    }

    // The records of the lists below, in list order.
    void MakeRecords()
    {
        m_records.clear();
        // One author, every field of the general format.
        m_records.push_back(MakeRecord(kArticle, {{1, "Smith, John A."},
                                                  {4, "Cell growth in models"},
                                                  {10, "Journal of Data"},
                                                  {20, "1999"},
                                                  {25, "101-109"}}));
        // Many authors, a book of its own format.
        m_records.push_back(MakeRecord(kBook, {{7, "Jones, B.\nNguyen, Chi\nRossi, D. E."},
                                               {9, "A theory of networks"},
                                               {19, "Wiley"},
                                               {20, "2005"}}));
        // No date: the group around it vanishes; no pages either.
        m_records.push_back(MakeRecord(kArticle, {{1, "Tanaka, K."}, {4, "Signal review"}, {10, "Climate"}}));
        // A workform the style has no format for, and the default workform.
        m_records.push_back(MakeRecord(77, {{1, "Dubois, A."}, {4, "Protein data"}, {20, "2010"}}));
        m_records.push_back(MakeRecord(kDefault, {{1, "Rossi, P."}, {4, "Language models"}, {20, "2011"}}));
        // A book without authors: the author role means field 7, whose empty
        // list moves the book title into its place.
        m_records.push_back(MakeRecord(kBook, {{9, "Anonymous classics"}, {19, "Penguin"}, {20, "1987"}}));
    }

    // Formats every record into one document of the given writer.
    std::string Render(COutputStyleDoc* style, Output output, const BibliographySetup& setup)
    {
        CMemFile file;
        std::unique_ptr<StyledFileWriter> writer;
        if (output == kText) {
            writer.reset(new TextWriter);
        } else if (output == kRtf) {
            RtfWriter* rtf = new RtfWriter;
            rtf->fontSource = FontTable;
            writer.reset(rtf);
        } else {
            writer.reset(new HtmlWriter);
        }
        writer->SetOutputFile(&file);
        writer->pageLayout.defaultParagraphFormat.spaceAfter = setup.heading.spaceAfter;
        {
            RecordFormatter formatter(style, nullptr, setup.heading.firstNumber);
            ApplySetupToFormatter(formatter, setup);
            formatter.SetWriter(writer.get());
            formatter.BeginOutput(style->GetPathName());
            for (const auto& record : m_records)
                formatter.FormatRecord(*record);
            formatter.EndOutput();
        }
        std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
        file.SeekToBegin();
        if (!bytes.empty())
            file.Read(&bytes[0], static_cast<UINT>(bytes.size()));
        return bytes;
    }

    static BibliographySetup AuthorDateSetup()
    {
        BibliographySetup setup;
        setup.heading.numberReferences = 0;
        return setup;
    }

    CMessageBoxScript m_boxes;
    std::unique_ptr<WorkformFixtureFiles> m_workforms;
    std::vector<std::unique_ptr<COutputStyleDoc>> m_docs;
    std::vector<CString> m_paths;
    std::vector<std::unique_ptr<DBRecord>> m_records;
};

const char* const kAuthorDateText =
    "Smith, John A. (1999). Cell growth in models. Journal of Data, 101-109.\r\n"
    "\r\n"
    "Jones, B., Nguyen, Chi, and Rossi, D. E. (2005). A theory of networks. Wiley.\r\n"
    "\r\n"
    "Tanaka, K. Signal review. Climate.\r\n"
    "\r\n"
    "Dubois, A. (2010). Protein data.\r\n"
    "\r\n"
    "Rossi, P. (2011). Language models.\r\n"
    "\r\n"
    "Anonymous classics (1987). Penguin.\r\n"
    "\r\n";
const char* const kAuthorDateRtf =
    "{\\rtf1\\ansi\\deff1\\deflang1033{\\fonttbl{\\f1\\froman Times New Roman;}}\r\n"
    "\r\n"
    "\\margl1800\\margr1800\\margt1440\\margb1440\\sectd\r\n"
    "\r\n"
    "\\pard\\li0\\ri0\\fi0\\sa240\\f1\\cchs0\\fs24\r\n"
    "{\\f1\\cchs0\\fs24 Smith, John A. (1999). Cell growth in models. }{\\f1\\cchs0\\fs24\\i\r\n"
    " Journal of Data}{\\f1\\cchs0\\fs24 , 101-109.\\par }\r\n"
    "{\\f1\\cchs0\\fs24 Jones, B., Nguyen, Chi, and Rossi, D. E. (2005). }{\\f1\\cchs0\r\n"
    "\\fs24\\i A theory of networks}{\\f1\\cchs0\\fs24 . Wiley.\\par }\r\n"
    "{\\f1\\cchs0\\fs24 Tanaka, K. Signal review. }{\\f1\\cchs0\\fs24\\i Climate}{\\f1\\cchs0\r\n"
    "\\fs24 .\\par }\r\n"
    "{\\f1\\cchs0\\fs24 Dubois, A. (2010). Protein data.\\par }\r\n"
    "{\\f1\\cchs0\\fs24 Rossi, P. (2011). Language models.\\par }\r\n"
    "{\\f1\\cchs0\\fs24\\i Anonymous classics}{\\f1\\cchs0\\fs24  (1987). Penguin.\\par }}";
const char* const kAuthorDateHtml =
    "<html>\r\n"
    "\r\n"
    "<title>Title</title>\r\n"
    "\r\n"
    "<body>\r\n"
    "Smith, John A. (1999). Cell growth in models. <i>Journal of Data</i>, 101-109.<p>\r\n"
    "Jones, B., Nguyen, Chi, and Rossi, D. E. (2005). <i>A theory of networks</i>. Wiley.<p>\r\n"
    "Tanaka, K. Signal review. <i>Climate</i>.<p>\r\n"
    "Dubois, A. (2010). Protein data.<p>\r\n"
    "Rossi, P. (2011). Language models.<p>\r\n"
    "<i>Anonymous classics</i> (1987). Penguin.<p>\r\n"
    "</body>\r\n"
    "</html>\r\n";
const char* const kNumberedText =
    "\t9. \tSmith, John A. (1999). Cell growth in models. Journal of Data, 101-109.\r\n"
    "\r\n"
    "\t10. \tJones, B., Nguyen, Chi, and Rossi, D. E. (2005). A theory of networks. Wiley.\r\n"
    "\r\n"
    "\t11. \tTanaka, K. Signal review. Climate.\r\n"
    "\r\n"
    "\t12. \tDubois, A. (2010). Protein data.\r\n"
    "\r\n"
    "\t13. \tRossi, P. (2011). Language models.\r\n"
    "\r\n"
    "\t14. \tAnonymous classics (1987). Penguin.\r\n"
    "\r\n";
const char* const kNumberedRtf =
    "{\\rtf1\\ansi\\deff1\\deflang1033{\\fonttbl{\\f1\\froman Times New Roman;}}\r\n"
    "\r\n"
    "\\margl1800\\margr1800\\margt1440\\margb1440\\sectd\r\n"
    "\r\n"
    "\\pard\\li0\\ri0\\fi0\\sa240\\f1\\cchs0\\fs24\r\n"
    "{\\f1\\cchs0\\fs24 \\tab 9. \\tab Smith, John A. (1999). Cell growth in models. }{\\f1\r\n"
    "\\cchs0\\fs24\\i Journal of Data}{\\f1\\cchs0\\fs24 , 101-109.\\par }\r\n"
    "{\\f1\\cchs0\\fs24 \\tab 10. \\tab Jones, B., Nguyen, Chi, and Rossi, D. E. (2005). }\r\n"
    "{\\f1\\cchs0\\fs24\\i A theory of networks}{\\f1\\cchs0\\fs24 . Wiley.\\par }\r\n"
    "{\\f1\\cchs0\\fs24 \\tab 11. \\tab Tanaka, K. Signal review. }{\\f1\\cchs0\\fs24\\i Clima\r\n"
    "te}{\\f1\\cchs0\\fs24 .\\par }\r\n"
    "{\\f1\\cchs0\\fs24 \\tab 12. \\tab Dubois, A. (2010). Protein data.\\par }\r\n"
    "{\\f1\\cchs0\\fs24 \\tab 13. \\tab Rossi, P. (2011). Language models.\\par }\r\n"
    "{\\f1\\cchs0\\fs24 \\tab 14. \\tab }{\\f1\\cchs0\\fs24\\i Anonymous classics}{\\f1\\cchs0\r\n"
    "\\fs24  (1987). Penguin.\\par }}";
const char* const kNumberedHtml =
    "<html>\r\n"
    "\r\n"
    "<title>Title</title>\r\n"
    "\r\n"
    "<body>\r\n"
    "\r\n"
    "<ol>\r\n"
    "<li>Smith, John A. (1999). Cell growth in models. <i>Journal of Data</i>, 101-109.<p>\r\n"
    "\r\n"
    "<li>Jones, B., Nguyen, Chi, and Rossi, D. E. (2005). <i>A theory of networks</i>. Wiley.<p>\r\n"
    "\r\n"
    "<li>Tanaka, K. Signal review. <i>Climate</i>.<p>\r\n"
    "\r\n"
    "<li>Dubois, A. (2010). Protein data.<p>\r\n"
    "\r\n"
    "<li>Rossi, P. (2011). Language models.<p>\r\n"
    "\r\n"
    "<li><i>Anonymous classics</i> (1987). Penguin.<p>\r\n"
    "\r\n"
    "</ol>\r\n"
    "</body>\r\n"
    "</html>\r\n";
} // namespace

TEST_F(RecordFormatterTest, AuthorDateListInEveryWriter)
{
    COutputStyleDoc* style = WriteStyle(false);
    MakeRecords();
    const BibliographySetup setup = AuthorDateSetup();
    EXPECT_EQ(kAuthorDateText, Render(style, kText, setup));
    EXPECT_EQ(kAuthorDateRtf, Render(style, kRtf, setup));
    EXPECT_EQ(kAuthorDateHtml, Render(style, kHtml, setup));
}

TEST_F(RecordFormatterTest, NumberedListInEveryWriter)
{
    COutputStyleDoc* style = WriteStyle(true);
    MakeRecords();
    BibliographySetup setup;
    setup.heading.firstNumber = 9;
    EXPECT_EQ(kNumberedText, Render(style, kText, setup));
    EXPECT_EQ(kNumberedRtf, Render(style, kRtf, setup));
    EXPECT_EQ(kNumberedHtml, Render(style, kHtml, setup));
}

TEST_F(RecordFormatterTest, FormatsLoadOncePerWorkformAndUnknownWorkformsShareTheDefault)
{
    COutputStyleDoc* style = WriteStyle(false);
    auto book1 = MakeRecord(kBook, {{7, "Jones, B."}, {9, "First"}});
    auto book2 = MakeRecord(kBook, {{7, "Jones, B."}, {9, "Second"}});
    auto unknown = MakeRecord(77, {{1, "Dubois, A."}, {4, "Unknown"}});
    auto general = MakeRecord(kDefault, {{1, "Rossi, P."}, {4, "General"}});
    StyledStringWriter writer;
    RecordFormatter formatter(style, nullptr, 1);
    ApplySetupToFormatter(formatter, AuthorDateSetup());
    formatter.SetWriter(&writer);
    formatter.BeginOutput("");
    formatter.FormatRecord(*book1);
    // A change to the style made while the formatter lives is not seen by it.
    BibliographyFormat changed;
    changed.templateText = Plain("changed " + Code(9));
    style->SetBibliographyFormat(kBook, changed);
    formatter.FormatRecord(*book2);
    EXPECT_EQ(1, formatter.bibliographyFormats.GetCount());
    formatter.FormatRecord(*unknown);
    formatter.FormatRecord(*general);
    EXPECT_EQ(2, formatter.bibliographyFormats.GetCount());
    formatter.EndOutput();
    EXPECT_STREQ("Jones, B. First.\rJones, B. Second.\rDubois, A. Unknown.\rRossi, P. General.\r",
                 writer.output.text);
}

TEST_F(RecordFormatterTest, SecondBeginOutputWritesNoSecondHeaderAndPageBreaksFollowEveryEntry)
{
    COutputStyleDoc* style = WriteStyle(true);
    MakeRecords();
    m_records.resize(2);
    BibliographySetup setup;
    setup.heading.spaceAfter = RecordFormatter::kPageBreakSpaceAfter;
    EXPECT_EQ("\t1. \tSmith, John A. (1999). Cell growth in models. Journal of Data, 101-109.\r\n"
              "\f\t2. \tJones, B., Nguyen, Chi, and Rossi, D. E. (2005). A theory of networks. Wiley.\r\n"
              "\f",
              Render(style, kText, setup));

    CMemFile file;
    RtfWriter rtf;
    rtf.fontSource = FontTable;
    rtf.SetOutputFile(&file);
    RecordFormatter formatter(style, nullptr, 1);
    formatter.SetWriter(&rtf);
    formatter.BeginOutput("");
    formatter.BeginOutput("");
    formatter.FormatRecord(*m_records[0]);
    formatter.EndOutput();
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    file.SeekToBegin();
    file.Read(&bytes[0], static_cast<UINT>(bytes.size()));
    EXPECT_EQ("{\\rtf1\\ansi\\deff1\\deflang1033{\\fonttbl{\\f1\\froman Times New Roman;}}\r\n"
              "\r\n"
              "\\margl1800\\margr1800\\margt1440\\margb1440\\sectd\r\n"
              "\r\n"
              "\\pard\\li0\\ri0\\fi0\\f1\\cchs0\\fs24\r\n"
              "{\\f1\\cchs0\\fs24 \\tab 1\\tab Smith, John A. (1999). Cell growth in models. }{\\f1\r\n"
              "\\cchs0\\fs24\\i Journal of Data}{\\f1\\cchs0\\fs24 , 101-109.\\par }}",
              bytes);
}

// The citation formatter's way: a bare context with the template map.
TEST_F(RecordFormatterTest, CitationsFromFirstAndSubsequentFormats)
{
    MakeRecords();
    struct Case
    {
        bool numbered;
        int record;
        BOOL subsequent;
        BOOL suppressAuthor;
        const char* expected;
    } cases[] = {
        {false, 0, FALSE, FALSE, "(Smith, 99)"},
        {false, 0, TRUE, FALSE, "(Smith, 99)"},
        {false, 0, FALSE, TRUE, "(99)"},
        {false, 1, FALSE, FALSE, "(Jones, Nguyen, and Rossi, 2005)"},
        {false, 3, FALSE, FALSE, "(Dubois, 2010)"},
        {false, 5, FALSE, FALSE, "(Anonymous Classics, 87)"},
        {false, 5, FALSE, TRUE, "(87)"},
        {true, 2, FALSE, FALSE, "[7]"},
        {true, 2, TRUE, FALSE, "[7]"},
    };
    COutputStyleDoc* styles[2] = {WriteStyle(false), WriteStyle(true)};
    for (const Case& c : cases) {
        StyledStringWriter writer;
        FormatContext context;
        context.styleDocument = styles[c.numbered ? 1 : 0];
        context.writer = &writer;
        context.sink = new StyledTextSink(&writer);
        context.suppressNumberLabel = TRUE;
        CStyleTemplateMap templates;
        const DBRecord& record = *m_records[c.record];
        context.currentNumber = 7;
        context.useSubsequentFormat = c.subsequent;
        std::unique_ptr<CFormattedRecord> citation(templates.FormatCitation(
            context, record, static_cast<WORD>(record.GetWorkformId()), c.subsequent, c.suppressAuthor));
        context.suppressAuthor = c.suppressAuthor;
        citation->Write(context, record);
        EXPECT_STREQ(c.expected, writer.output.text) << c.record << " " << c.subsequent << c.suppressAuthor;
        EXPECT_EQ(1, templates.GetCount());
    }
}

TEST_F(RecordFormatterTest, NewListRestartsNumberingOnlyWhenAsked)
{
    COutputStyleDoc* style = WriteStyle(true);
    auto record = MakeRecord(kDefault, {{1, "Rossi, P."}, {4, "General"}});
    StyledStringWriter writer;
    RecordFormatter formatter(style, nullptr, 5);
    BibliographySetup setup;
    setup.heading.numberAlignment = BibliographyHeading::kAlignNone;
    ApplySetupToFormatter(formatter, setup);
    formatter.SetWriter(&writer);
    formatter.BeginOutput("");
    formatter.FormatRecord(*record);
    formatter.StartNewList(FALSE);
    formatter.FormatRecord(*record);
    formatter.StartNewList(TRUE);
    formatter.FormatRecord(*record);
    formatter.EndOutput();
    EXPECT_STREQ("5. Rossi, P. General.\r6. Rossi, P. General.\r5. Rossi, P. General.\r", writer.output.text);
}
