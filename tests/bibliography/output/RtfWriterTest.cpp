#include "bibliography/core/HtmlWriter.h"
#include "bibliography/output/RtfWriter.h"
#include "bibliography/output/StyledStringWriter.h"
#include "classlib/MemFile.h"
#include "database/text/StyledTextSink.h"

#include <gtest/gtest.h>

#include <string>

namespace {
void ThreeFamilies(RtfFontFamilyArray& families)
{
    families.Add(RtfFontFamily("Arial", 0x22));
    families.Add(RtfFontFamily("Times New Roman", 0x12));
    families.Add(RtfFontFamily("Courier New", 0x31));
}

void NoFamilies(RtfFontFamilyArray&) {}

const std::string kPrologue = "{\\rtf1\\ansi\\deff2\\deflang1033{\\fonttbl{\\f1\\fswiss Arial;}{\\f2\\froman "
                              "Times New R\r\noman;}{\\f3\\fmodern Courier New;}}\r\n\r\n"
                              "\\margl1800\\margr1800\\margt1440\\margb1440\\sectd\r\n";
const std::string kParagraphGroup = "\r\n\\pard\\li0\\ri0\\fi0\\f2\\cchs0\\fs24\r\n";

class RtfDocument
{
public:
    explicit RtfDocument(int wordPerfect6 = 0, RtfWriter::FontFamilySource source = ThreeFamilies)
        : writer(wordPerfect6)
    {
        writer.fontSource = source;
        writer.SetOutputFile(&file);
    }

    void Begin()
    {
        writer.WriteHeader();
        writer.paragraphFormat = writer.pageLayout.defaultParagraphFormat;
        writer.BeginBody();
    }
    void Write(const std::string& text) { writer.Write(text.data(), static_cast<int>(text.size())); }
    void Style(int style) { writer.charFormat.style = style; }

    std::string Finish()
    {
        writer.EndBody();
        writer.WriteTrailer();
        std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
        file.Seek(0, CFile::begin);
        if (!bytes.empty())
            file.Read(&bytes[0], static_cast<UINT>(bytes.size()));
        return bytes;
    }

    CMemFile file;
    RtfWriter writer;
};
} // namespace

TEST(RtfWriter, PrologueRunsAndParagraphsByteExact)
{
    RtfDocument doc;
    doc.Begin();
    doc.Write("Smith, J. ");
    doc.Style(kCharItalic);
    doc.Write("Title");
    doc.Style(0);
    doc.Write(".\r");
    doc.Style(kCharBold);
    doc.Write("Bold");
    doc.Write(" still one group\r");
    EXPECT_EQ(kPrologue + kParagraphGroup +
                  "{\\f2\\cchs0\\fs24 Smith, J. }{\\f2\\cchs0\\fs24\\i Title}{\\f2\\cchs0\\fs24 .\\par }\r\n"
                  "{\\f2\\cchs0\\fs24\\b Bold still one group\\par }}",
              doc.Finish());
}

TEST(RtfWriter, ParagraphFormatsFontsAndSizes)
{
    RtfDocument doc;
    doc.writer.pageLayout.titlePage = 1;
    doc.writer.pageLayout.leftMargin = 1440;
    doc.Begin();
    ParagraphFormat& para = doc.writer.paragraphFormat;
    para.alignment = 3;
    para.leftIndent = 720;
    para.firstLineIndent = -720;
    para.lineSpacing = 2;
    para.spaceAfter = 1;
    para.AddTabStop(TabStop(720, TabStop::kLeft));
    para.AddTabStop(TabStop(4320, TabStop::kDecimal));
    doc.writer.charFormat = CharFormat("courier new", kCharUnderline | kCharSuperscript, 9, 0);
    doc.Write("a");
    doc.writer.charFormat = CharFormat("Unlisted Face", kCharSubscript, 10, 161);
    doc.Write("b");
    doc.writer.charFormat = CharFormat("Arial", 0, 10, 0);
    doc.Write("\r");
    EXPECT_EQ("{\\rtf1\\ansi\\deff2\\deflang1033{\\fonttbl{\\f1\\fswiss Arial;}{\\f2\\froman "
              "Times New R\r\noman;}{\\f3\\fmodern Courier New;}}\r\n\r\n"
              "\\margl1440\\margr1800\\margt1440\\margb1440\\sectd\\titlepg\r\n"
              "\r\n\\pard\\qj\\li720\\ri0\\fi-720\\sl480\\slmult1\\sa240\\tx720\\tqdec\\tx4320\\f3\\cchs0"
              "\\fs24\r\n"
              "{\\f3\\cchs0\\fs24\\ul\\super a}{\\cchs161\\fs24\\sub b}{\\f1\\cchs0\\fs20 \\par }}",
              doc.Finish());
}

TEST(RtfWriter, EscapesSpecialAndControlCharacters)
{
    RtfDocument doc;
    doc.Begin();
    doc.Write("caf\xE9 {x} a\\b\ttab\nline\x0B\x01\x1F\x7F");
    doc.Write("\fnext\r");
    EXPECT_EQ(kPrologue + kParagraphGroup +
                  "{\\f2\\cchs0\\fs24 caf\\'e9 \\{x\\} a\\\\b\\tab tab\\line line\\'0b\\'01\\'1f\\'7f\\page "
                  "\r\nnext\\par }}",
              doc.Finish());
}

TEST(RtfWriter, KeepsSourceLinesNearEightyColumns)
{
    RtfDocument doc;
    doc.Begin();
    const std::string word(200, 'w');
    doc.Write(word + "\r");
    const std::string out = doc.Finish();
    const std::string body = kParagraphGroup + "{\\f2\\cchs0\\fs24 ";
    const size_t start = kPrologue.size() + body.size();
    ASSERT_EQ(kPrologue + body, out.substr(0, start));
    // 16 columns are taken by the character group: the word fills the line
    // and goes on in whole lines of 80.
    EXPECT_EQ(std::string(64, 'w') + "\r\n" + std::string(80, 'w') + "\r\n" + std::string(56, 'w') +
                  "\\par }}",
              out.substr(start));

    // A control word that does not fit moves to the next line whole.
    RtfDocument tight;
    tight.Begin();
    tight.Write(std::string(61, 'x'));
    tight.Style(kCharBold);
    tight.Write("y\r");
    const std::string tail = tight.Finish().substr(kPrologue.size() + kParagraphGroup.size());
    EXPECT_EQ("{\\f2\\cchs0\\fs24 " + std::string(61, 'x') + "}{\r\n\\f2\\cchs0\\fs24\\b y\\par }}", tail);
}

TEST(RtfWriter, WordPerfectSixRepeatsParagraphGroupsAndShiftsTabs)
{
    RtfDocument doc(1);
    doc.Begin();
    doc.writer.paragraphFormat.leftIndent = 720;
    doc.writer.paragraphFormat.AddTabStop(TabStop(2880, TabStop::kRight));
    doc.Write("a\r");
    doc.Write("b\r");
    const std::string group = "\r\n\\pard\\li720\\ri0\\fi0\\tqr\\tx2160\\f2\\cchs0\\fs24\r\n";
    EXPECT_EQ(kPrologue + group + "{\\f2\\cchs0\\fs24 a\\par }" + group + "{\\f2\\cchs0\\fs24 b\\par }}",
              doc.Finish());

    RtfDocument word;
    word.Begin();
    word.writer.paragraphFormat.leftIndent = 720;
    word.Write("a\r");
    word.Write("b\r");
    EXPECT_EQ(kPrologue + "\r\n\\pard\\li720\\ri0\\fi0\\f2\\cchs0\\fs24\r\n{\\f2\\cchs0\\fs24 a\\par }\r\n"
                          "{\\f2\\cchs0\\fs24 b\\par }}",
              word.Finish());
}

TEST(RtfWriter, WithoutFontsAndPageNumberGroups)
{
    RtfDocument doc(0, NoFamilies);
    doc.writer.pageLayout.pageNumbersOn = 1;
    doc.writer.pageLayout.numberAlignment = 2;
    doc.Begin();
    doc.Write("x\r");
    doc.writer.WritePageHeader();
    doc.writer.WritePageFooter(); // the number sits in the header
    EXPECT_EQ(
        "{\\rtf1\\ansi\\deflang1033{\\fonttbl}\r\n\r\n\\margl1800\\margr1800\\margt1440\\margb1440\\sectd"
        "\r\n\r\n\\pard\\li0\\ri0\\fi0\\cchs0\\fs24\r\n{\\cchs0\\fs24 x\\par \r\n"
        "{\\header \\pard\\qr\\li0\\ri0\\fi0\\f1\\fs24{\\field{\\*\\fldinst PAGE}}\\par }\r\n}}",
        doc.Finish());
}

// A formatted entry as the formatter hands it over: a styled string whose runs
// carry no font or size of their own, written run by run.
TEST(RtfWriter, StyledStringEntryInTheLayoutsDefaultFont)
{
    StyledString entry;
    entry.AppendStyled("Nature", 6, StyleRun(kStyleItalic, 0, nullptr, 0));
    entry.AppendStyled(" 12", 3, StyleRun(0, 0, nullptr, 0));
    entry.AppendStyled("3", 1, StyleRun(kStyleSuperscript, 0, nullptr, 0));
    entry.AppendStyled("\r", 1, StyleRun(0, 0, nullptr, 0));

    RtfDocument rtf;
    rtf.writer.pageLayout.defaultCharFormat = CharFormat("Arial", 0, 10, 0);
    rtf.Begin();
    WriteStyledText(rtf.writer, entry);
    std::string prologue = kPrologue;
    prologue.replace(prologue.find("deff2"), 5, "deff1");
    EXPECT_EQ(prologue + "\r\n\\pard\\li0\\ri0\\fi0\\f1\\cchs0\\fs20\r\n"
                         "{\\f1\\cchs0\\fs20\\i Nature}{\\f1\\cchs0\\fs20  12}{\\f1\\cchs0\\fs20\\super 3}"
                         "{\\f1\\cchs0\r\n\\fs20 \\par }}", // the size word does not fit the line
              rtf.Finish());

    CMemFile file;
    HtmlWriter html;
    html.SetOutputFile(&file);
    html.BeginBody();
    WriteStyledText(html, entry);
    html.EndBody();
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    file.Seek(0, CFile::begin);
    file.Read(&bytes[0], static_cast<UINT>(bytes.size()));
    EXPECT_EQ("<html>\r\n\r\n<title>Title</title>\r\n\r\n<body>\r\n<i>Nature</i> 12<sup>3</sup><p>\r\n"
              "</body>\r\n</html>\r\n",
              bytes);
}

// Field texts and literals joined by the styled-text sink reach both writers
// with their punctuation settled and the field's extra style added.
TEST(RtfWriter, SinkJoinedEntryThroughBothWriters)
{
    const auto writeEntry = [](StyledTextWriter& writer) {
        StyledTextSink sink(&writer);
        sink.Write(StyledString("2nd ed."), nullptr);
        sink.Append(StyledString(". "));
        const StyleRun bold(kStyleBold, 0, nullptr, 0);
        sink.Write(StyledString("Acme & Sons {UK}"), &bold);
        sink.Flush();
        writer.charFormat = writer.pageLayout.defaultCharFormat;
        writer.WriteChar('\r');
    };

    RtfDocument rtf;
    rtf.Begin();
    writeEntry(rtf.writer);
    EXPECT_EQ(kPrologue + kParagraphGroup +
                  "{\\f2\\cchs0\\fs24 2nd ed. }{\\f2\\cchs0\\fs24\\b Acme & Sons \\{UK\\}}"
                  "{\\f2\\cchs0\\fs24 \r\n\\par }}",
              rtf.Finish());

    CMemFile file;
    HtmlWriter html;
    html.SetOutputFile(&file);
    html.BeginBody();
    writeEntry(html);
    html.EndBody();
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    file.Seek(0, CFile::begin);
    file.Read(&bytes[0], static_cast<UINT>(bytes.size()));
    EXPECT_EQ("<html>\r\n\r\n<title>Title</title>\r\n\r\n<body>\r\n2nd ed. <b>Acme &amp; Sons {UK}</b><p>\r\n"
              "</body>\r\n</html>\r\n",
              bytes);
}
