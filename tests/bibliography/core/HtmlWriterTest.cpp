#include "bibliography/core/HtmlWriter.h"
#include "classlib/MemFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {
const std::string kPrologue = "<html>\r\n\r\n<title>Title</title>\r\n\r\n<body>\r\n";
const std::string kEpilogue = "</body>\r\n</html>\r\n";

// Runs a whole document through an HTML writer and answers the file's bytes.
class HtmlDocument
{
public:
    HtmlDocument()
    {
        writer.SetOutputFile(&file);
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
    HtmlWriter writer;
};
} // namespace

TEST(HtmlWriter, NumberedParagraphsBecomeAnOrderedList)
{
    HtmlDocument doc;
    doc.Write("\t1.\tSmith J. Title.\r");
    doc.Write("Unnumbered stays in the list.\r");
    doc.Write("\t2.\tJones K.\r");
    EXPECT_EQ(kPrologue + "\r\n<ol>\r\n<li>Smith J. Title.<p>\r\n" + "Unnumbered stays in the list.<p>\r\n" +
                  "\r\n<li>Jones K.<p>\r\n" + "\r\n</ol>\r\n" + kEpilogue,
              doc.Finish());

    HtmlDocument closing;
    closing.Write("\t1.\tA\r");
    closing.Write("\tB\r"); // a lone leading tab, then no numbered piece: the list ends
    EXPECT_EQ(kPrologue + "\r\n<ol>\r\n<li>A<p>\r\n\r\n</ol>\r\nB<p>\r\n" + kEpilogue, closing.Finish());
}

TEST(HtmlWriter, StylesEntitiesAndCodePageCharacters)
{
    HtmlDocument doc;
    doc.Write("E = mc");
    doc.Style(kCharSuperscript);
    doc.Write("2");
    doc.Style(kCharBold | kCharItalic);
    doc.Write("\"A & <B>\"");
    doc.Style(kCharSubscript);
    doc.Write("x");
    doc.Style(0);
    // ü, the euro sign, a right single quote, an em dash and a non-breaking space.
    doc.Write(" \xFC\x80\x92\x97\xA0\n\x0B\r");
    EXPECT_EQ(kPrologue + "E = mc<sup>2</sup><b><i>&quot;A &amp; &lt;B&gt;&quot;</b></i><sub>x</sub> " +
                  "&#252;&#8364;&#8217;&#8212;&#160;<br>\r\n\x0B<p>\r\n" + kEpilogue,
              doc.Finish());
}

TEST(HtmlWriter, CentringSpacingAndPageBreaks)
{
    HtmlDocument doc;
    doc.writer.paragraphFormat.alignment = 1;
    doc.writer.paragraphFormat.spaceAfter = 2;
    doc.Write("Heading\r");
    doc.writer.paragraphFormat.alignment = 0;
    doc.writer.paragraphFormat.spaceAfter = 3;
    doc.Write("Body\f");
    doc.writer.paragraphFormat.spaceAfter = 0;
    doc.Write("Next\r");
    EXPECT_EQ(kPrologue + "<center>Heading</center><p>\r\n<p>\r\nBody<hr>\r\nNext<p>\r\n" + kEpilogue,
              doc.Finish());
}

TEST(HtmlWriter, LinksOnlyUrlsFoundAtTheFirstColon)
{
    struct Case
    {
        const char* text;
        const char* html;
    } cases[] = {
        {"See http://x.org/a?b=1 now", "See <A HREF=\"http://x.org/a?b=1\">http://x.org/a?b=1</A> now"},
        {"https://a.b", "<A HREF=\"https://a.b\">https://a.b</A>"},
        {"sftp://h", "s<A HREF=\"ftp://h\">ftp://h</A>"},
        {"Note: see http://x.org", "Note: see http://x.org"},
        {"http://", "http://"},
        {"web://x", "web://x"},
        {"a ftp://h b mailto://c d",
         "a <A HREF=\"ftp://h\">ftp://h</A> b <A HREF=\"mailto://c\">mailto://c</A> d"},
        // Markup characters end a URL.
        {"http://a&b", "<A HREF=\"http://a\">http://a</A>&amp;b"},
    };
    for (const Case& c : cases) {
        HtmlDocument doc;
        doc.Write(c.text);
        EXPECT_EQ(kPrologue + c.html + kEpilogue, doc.Finish()) << c.text;
    }
}
