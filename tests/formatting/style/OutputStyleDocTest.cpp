// The output style document: its file byte for byte, formats per workform
// through real files, styles of older versions, damaged files and formats
// too long for the file.
#include "StyleTestSupport.h"

#include "app/core/TempFile.h"
#include "classlib/MessageBox.h"
#include "classlib/Resources.h"
#include "database/text/StyledStringArchive.h"
#include "database/file/DocHeader.h"
#include "database/file/FileTestSupport.h"
#include "formatting/style/BibliographyFormat.h"
#include "formatting/style/CitationFormat.h"
#include "formatting/style/FormatStore.h"
#include "formatting/style/IntextFormat.h"
#include "formatting/style/JournalListPath.h"
#include "formatting/style/OutputStyleDoc.h"
#include "formatting/style/StyleFormatLookup.h"
#include "formatting/style/StyleFormatTooLongException.h"
#include "formatting/style/StyleTemplate.h"
#include "support/WorkformFixtures.h"

#include <gtest/gtest.h>

#include <memory>

#ifdef _WIN32
#include <windows.h>
#else
#include "app/core/NativePath.h"
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
const WORD kDefault = 0xFFFF;

class OutputStyleDocTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        for (const CString& path : m_paths)
            filetest::RemoveFile(path);
    }

    CString NewPath()
    {
        m_paths.push_back(filetest::TempPath("style"));
        return m_paths.back();
    }

    COutputStyleDoc* NewDoc()
    {
        COutputStyleDoc* doc = new COutputStyleDoc;
        doc->m_bAutoDelete = FALSE;
        m_docs.emplace_back(doc);
        return doc;
    }

    // A style read from the file, or NULL when it does not open.
    COutputStyleDoc* Open(const CString& path)
    {
        COutputStyleDoc* doc = NewDoc();
        if (!doc->OpenFile(path, CFileBasedDocument::OpenNoFrame))
            return nullptr;
        return doc;
    }

    static void Close(COutputStyleDoc* doc) { doc->OnCloseDocument(); }

    CMessageBoxScript m_boxes;
    std::vector<CString> m_paths;
    std::vector<std::unique_ptr<COutputStyleDoc>> m_docs;
};

// The common header of a style file, empty title and comments.
ByteWriter StyleHeader(WORD version)
{
    ByteWriter w;
    w.U32(0x005CF4B4).U32(0x009AC10C).U16(0xFFFF).U16(0xFFFF).U16(0x8005).U16(version).String("").String("");
    return w;
}

IntextFormat IntextWithTemplate(const char* text)
{
    IntextFormat format;
    format.templateText = text;
    return format;
}

BibliographyFormat BibliographyWithTemplate(const char* text)
{
    BibliographyFormat format;
    format.templateText = text;
    return format;
}
} // namespace

TEST_F(OutputStyleDocTest, StyleWithoutFormatsStoresTheLayout)
{
    COutputStyleDoc* doc = NewDoc();
    ByteWriter expected = StyleHeader(0x0500);
    expected.String("").U32(1).U16(0).U16(0);
    InTextCitationSetup settings;
    expected.Append(StoreBytes(settings)).U16(0);
    BibliographyHeading heading;
    expected.Append(StoreBytes(heading));
    EXPECT_EQ(expected.bytes, StoreBytes(*doc, doc));
}

TEST_F(OutputStyleDocTest, NewStyleHoldsTheDefaultBibliographyFormatOnly)
{
    COutputStyleDoc* doc = NewDoc();
    ASSERT_TRUE(doc->OnNewDocument());
    EXPECT_TRUE(doc->HasBibliographyFormat(kDefault));
    EXPECT_EQ(1, doc->bibliographyFormats.GetCount());
    EXPECT_EQ(0, doc->firstCitationFormats.GetCount());
    EXPECT_EQ(0, doc->subsequentCitationFormats.GetCount());
    EXPECT_TRUE(doc->includeBibliography);
    BibliographyFormat format;
    doc->GetBibliographyFormat(kDefault, format);
    EXPECT_STREQ(MakeDefaultBibliographyTemplate().text, format.templateText.text);
    EXPECT_EQ(-1, format.templateText.text.Find("<Record ID>"));
    EXPECT_EQ(1, format.templateText.text.Find("Rec# <\x01\xFF>"));
    EXPECT_GE(format.templateText.text.Find("<\x01\x04>"), 0);
}

// Formats for several workforms and the defaults, through a file and back;
// a workform without its own formats takes those of 0xFFFF.
TEST_F(OutputStyleDocTest, FormatsPerWorkformRoundTripAndFallBackToTheDefaults)
{
    const CString path = NewPath();
    COutputStyleDoc* doc = NewDoc();
    ASSERT_TRUE(doc->OnNewDocument());
    BibliographyFormat book = BibliographyWithTemplate("<\x01\x09>.");
    book.TitleFormatFor(9).titleCase = kTitleHeadline;
    doc->SetBibliographyFormat(1, book);
    BibliographyFormat article = BibliographyWithTemplate("<\x01\x04>");
    doc->SetBibliographyFormat(0, article);
    IntextFormat first = IntextWithTemplate("(<\x01\x01>, <\x01\x14>)");
    doc->SetFirstCitationFormat(kDefault, first);
    IntextFormat thesisFirst = IntextWithTemplate("<\x01\x0B>");
    doc->SetFirstCitationFormat(21748, thesisFirst);
    IntextFormat bookLater = IntextWithTemplate("<\x01\x07>");
    bookLater.AuthorFormatFor(7).listPage.abbreviateList = TRUE;
    doc->SetSubsequentCitationFormat(1, bookLater);
    doc->includeBibliography = FALSE;
    doc->citationSettings.sortedBy = 2;
    doc->citationSettings.leftDelimiter = BoldText("[");
    doc->referenceListHeading.title = "Works Cited";
    doc->referenceListHeading.hangingIndent = 720;
    doc->GetTitleText() = "My Style";
    doc->GetCommentsText() = "notes";
    ASSERT_TRUE(doc->OnSaveDocument(path));
    const Bytes saved = StoreBytes(*doc, doc);
    Close(doc);

    COutputStyleDoc* back = Open(path);
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(0, m_boxes.CallCount());
    EXPECT_EQ(0x0500, back->GetHeaderVersion());
    EXPECT_STREQ("My Style", back->GetTitleText());
    EXPECT_FALSE(back->includeBibliography);
    EXPECT_EQ(2, back->citationSettings.sortedBy);
    EXPECT_TRUE(back->citationSettings.leftDelimiter.runs.IsEqual(BoldText("[").runs));
    EXPECT_STREQ("Works Cited", back->referenceListHeading.title.text);
    EXPECT_EQ(720, back->referenceListHeading.hangingIndent);
    EXPECT_EQ(saved.size(), StoreBytes(*back, back).size());
    struct
    {
        WORD id;
        BOOL bibliography, first, subsequent;
    } has[] = {{kDefault, 1, 1, 0}, {0, 1, 0, 0}, {1, 1, 0, 1}, {21748, 0, 1, 0}, {5, 0, 0, 0}};
    for (const auto& h : has) {
        EXPECT_EQ(h.bibliography, back->HasBibliographyFormat(h.id)) << h.id;
        EXPECT_EQ(h.first, back->HasFirstCitationFormat(h.id)) << h.id;
        EXPECT_EQ(h.subsequent, back->HasSubsequentCitationFormat(h.id)) << h.id;
    }
    BibliographyFormat bookBack;
    back->GetBibliographyFormat(BibliographyFormatWorkform(*back, 1), bookBack);
    EXPECT_EQ(StoreBytes(book), StoreBytes(bookBack));

    // Bibliography: workform 5 has none and takes the defaults; the defaults
    // stay the defaults.
    EXPECT_EQ(kDefault, BibliographyFormatWorkform(*back, 5));
    EXPECT_EQ(kDefault, BibliographyFormatWorkform(*back, kDefault));
    EXPECT_EQ(0, BibliographyFormatWorkform(*back, 0));

    // In-text: a workform with either format keeps its own ID; a missing
    // subsequent format is the first-citation format; one with only a
    // subsequent format keeps the constructed first format.
    struct
    {
        WORD id, chosen;
        const char* first;
        const char* subsequent;
    } citations[] = {{5, kDefault, "(<\x01\x01>, <\x01\x14>)", "(<\x01\x01>, <\x01\x14>)"},
                     {0, kDefault, "(<\x01\x01>, <\x01\x14>)", "(<\x01\x01>, <\x01\x14>)"},
                     {21748, 21748, "<\x01\x0B>", "<\x01\x0B>"},
                     {1, 1, "", "<\x01\x07>"}};
    for (const auto& c : citations) {
        EXPECT_EQ(c.chosen, CitationFormatWorkform(*back, c.id)) << c.id;
        IntextFormat f, s;
        GetCitationFormatsFor(*back, c.id, f, s);
        EXPECT_STREQ(c.first, f.templateText.text) << c.id;
        EXPECT_STREQ(c.subsequent, s.templateText.text) << c.id;
    }
    IntextFormat later;
    back->GetSubsequentCitationFormat(1, later);
    EXPECT_TRUE(later.AuthorFormatFor(7).listPage.abbreviateList);
}

TEST_F(OutputStyleDocTest, GetSetAndRemoveOfSingleFormats)
{
    COutputStyleDoc* doc = NewDoc();
    IntextFormat untouched = IntextWithTemplate("kept");
    doc->GetFirstCitationFormat(3, untouched);
    EXPECT_STREQ("kept", untouched.templateText.text);
    EXPECT_FALSE(doc->RemoveBibliographyFormat(3));

    BibliographyFormat one = BibliographyWithTemplate("one");
    doc->SetBibliographyFormat(3, one);
    BibliographyFormat shorter = BibliographyWithTemplate("1");
    doc->SetBibliographyFormat(3, shorter); // the block is truncated, not overlaid
    BibliographyFormat read;
    doc->GetBibliographyFormat(3, read);
    EXPECT_EQ(StoreBytes(shorter), StoreBytes(read));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(doc->RemoveBibliographyFormat(3));
    EXPECT_FALSE(doc->HasBibliographyFormat(3));

    // A damaged block gives the object as far as it was read, silently.
    CMemFile* block = GetOrAddFormatBlock(doc->bibliographyFormats, 4);
    const Bytes part = ByteWriter().Text("cut").Byte(1).bytes;
    block->Write(part.data(), static_cast<UINT>(part.size()));
    BibliographyFormat partial;
    doc->GetBibliographyFormat(4, partial);
    EXPECT_STREQ("cut", partial.templateText.text);
    EXPECT_TRUE(partial.AuthorFormatFor(1).listPage.abbreviateList);
}

namespace {
Bytes TextBytes(const StyledString& text)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    WriteStyledString(ar, text);
    ar.Close();
    return ReadAll(file);
}

// An older in-text block as styles of version 0x0400 hold it: without the
// sort byte, which follows the template, the three delimiters, the flag and
// the range separator.
Bytes Legacy0400Block(CitationFormat& legacy)
{
    Bytes block = StoreBytes(legacy);
    size_t sortAt = 1;
    for (const StyledString* s : {&legacy.templateText, &legacy.leftDelimiter, &legacy.rightDelimiter,
                                  &legacy.citationSeparator, &legacy.rangeSeparator})
        sortAt += TextBytes(*s).size();
    block.erase(block.begin() + sortAt);
    return block;
}

// A version 0x0400 style from its byte layout: journal list name, the older
// in-text block, the bibliography store (one block for 0xFFFF), the heading.
Bytes Version0400Style(CitationFormat& legacy, BibliographyFormat& bibliography, BibliographyHeading& heading)
{
    ByteWriter w = StyleHeader(0x0400);
    w.String("Medical");
    w.Append(Legacy0400Block(legacy));
    const Bytes block = StoreBytes(bibliography);
    w.U16(1).U16(0xFFFF).U16(static_cast<int>(block.size())).Append(block);
    w.Append(StoreBytes(heading));
    return w.bytes;
}

CitationFormat MakeLegacyFormat()
{
    CitationFormat legacy;
    legacy.templateText = "<\x01\xFF>, <\x01\xFD>";
    legacy.leftDelimiter = "[";
    legacy.rightDelimiter = BoldText("]");
    legacy.citationSeparator = "; ";
    legacy.useNumberRanges = FALSE;
    legacy.rangeSeparator = "--";
    legacy.sortOrder = 1; // not stored at 0x0400
    for (CLegacyIntextAuthorFormatSheet& sheet : legacy.authorFormats) {
        sheet.listPage.abbreviateList = TRUE;
        sheet.listPage.abbreviateCount = 1;
        sheet.listPage.abbreviateThreshold = 3;
        sheet.listPage.abbreviationText = " et al.";
        sheet.listPage.abbreviateListSubsequent = TRUE;
        sheet.listPage.abbreviateCountSubsequent = 1;
        sheet.listPage.abbreviateThresholdSubsequent = 3;
        sheet.listPage.abbreviationTextSubsequent = " et al.";
        sheet.listPage.emptyAuthorAction = kEmptyAuthorPrintText;
        sheet.listPage.emptyAuthorText = "Anonymous";
        sheet.separatorsPage.twoAuthorSeparator = " & ";
        sheet.namesPage.firstInitials = kInitialsDotted;
    }
    legacy.titleFormats[2].titleCase = kTitleUppercase;
    legacy.journalFormat.titleCase = kTitleLowercase;
    legacy.dateFormats[0].monthFormat = kMonthFull;
    legacy.keywordFormat.keywordSeparator = ", ";
    legacy.pageFormat.rangeFormat = kRangeAbbreviated;
    return legacy;
}
} // namespace

TEST_F(OutputStyleDocTest, Version0400StyleOpensConvertedAndSavesAs0500)
{
    CitationFormat legacy = MakeLegacyFormat();
    BibliographyFormat bibliography = BibliographyWithTemplate("<\x01\x01>. <\x01\x04>.");
    bibliography.TitleFormatFor(9).titleCase = kTitleUppercase;
    BibliographyHeading heading;
    heading.title = "Literature";
    heading.spaceAfter = 4;
    const CString path = NewPath();
    filetest::WriteAll(path, Version0400Style(legacy, bibliography, heading));

    COutputStyleDoc* doc = Open(path);
    ASSERT_NE(nullptr, doc);
    EXPECT_EQ(0x0500, doc->GetHeaderVersion());
    EXPECT_STREQ("Medical", doc->journalListPath); // no journal list folders here
    EXPECT_TRUE(doc->includeBibliography);         // not in older styles
    EXPECT_STREQ("Literature", doc->referenceListHeading.title.text);
    EXPECT_EQ(4, doc->referenceListHeading.spaceAfter);
    EXPECT_EQ(0, doc->citationSettings.sortedBy); // no sort byte at 0x0400
    EXPECT_STREQ("[", doc->citationSettings.leftDelimiter.text);
    EXPECT_TRUE(doc->citationSettings.rightDelimiter.runs.IsEqual(BoldText("]").runs));
    EXPECT_STREQ("; ", doc->citationSettings.citationSeparator.text);
    EXPECT_FALSE(doc->citationSettings.useNumberRanges);
    EXPECT_STREQ("--", doc->citationSettings.rangeSeparator.text);

    // Equal abbreviations: a first-citation format for 0xFFFF only.
    EXPECT_TRUE(doc->HasFirstCitationFormat(kDefault));
    EXPECT_EQ(1, doc->firstCitationFormats.GetCount());
    EXPECT_EQ(0, doc->subsequentCitationFormats.GetCount());
    IntextFormat first;
    doc->GetFirstCitationFormat(kDefault, first);
    EXPECT_STREQ(legacy.templateText.text, first.templateText.text);
    for (int field : {1, 7, 16, 30}) {
        const CIntextAuthorFormatSheet& sheet = first.AuthorFormatFor(field);
        EXPECT_TRUE(sheet.listPage.abbreviateList);
        EXPECT_EQ(3u, sheet.listPage.abbreviateThreshold);
        EXPECT_STREQ(" et al.", sheet.listPage.abbreviationText.text);
        EXPECT_EQ(kEmptyAuthorPrintText, sheet.listPage.emptyAuthorAction);
        EXPECT_STREQ("Anonymous", sheet.listPage.emptyAuthorText.text);
        EXPECT_STREQ(" & ", sheet.separatorsPage.twoAuthorSeparator.text);
        EXPECT_EQ(kInitialsDotted, sheet.namesPage.firstInitials);
    }
    EXPECT_EQ(kTitleUppercase, first.TitleFormatFor(11).titleCase);
    EXPECT_EQ(kTitleHeadline, first.TitleFormatFor(9).titleCase);
    EXPECT_EQ(kTitleLowercase, first.journalFormat.titleCase);
    EXPECT_EQ(kMonthFull, first.DateFormatFor(12).monthFormat);
    EXPECT_STREQ(", ", first.keywordFormat.keywordSeparator.text);
    EXPECT_EQ(kRangeAbbreviated, first.pageFormat.rangeFormat);
    BibliographyFormat bibliographyBack;
    doc->GetBibliographyFormat(kDefault, bibliographyBack);
    EXPECT_EQ(StoreBytes(bibliography), StoreBytes(bibliographyBack));

    // Saved, it is a current style that reads back the same.
    ASSERT_TRUE(doc->OnSaveDocument(path));
    Close(doc); // an open style is exclusive
    const Bytes saved = filetest::ReadAll(path);
    ASSERT_GT(saved.size(), 16u);
    EXPECT_EQ(0x00, saved[14]);
    EXPECT_EQ(0x05, saved[15]);
    COutputStyleDoc* again = Open(path);
    ASSERT_NE(nullptr, again);
    IntextFormat firstAgain;
    again->GetFirstCitationFormat(kDefault, firstAgain);
    EXPECT_EQ(StoreBytes(first), StoreBytes(firstAgain));
    EXPECT_EQ(0, again->citationSettings.sortedBy);
    EXPECT_STREQ("--", again->citationSettings.rangeSeparator.text);
    EXPECT_EQ(0, m_boxes.CallCount());
}

TEST_F(OutputStyleDocTest, DistinctLaterAbbreviationsGiveASubsequentFormat)
{
    CitationFormat legacy = MakeLegacyFormat();
    EXPECT_FALSE(COutputStyleDoc::HasDistinctSubsequentCitation(legacy));
    // Runs count: the same text in bold differs.
    legacy.authorFormats[3].listPage.abbreviationTextSubsequent = BoldText(" et al.");
    EXPECT_TRUE(COutputStyleDoc::HasDistinctSubsequentCitation(legacy));
    legacy.authorFormats[3].listPage.abbreviationTextSubsequent = " et al.";
    legacy.authorFormats[1].listPage.abbreviateCountSubsequent = 2;
    EXPECT_TRUE(COutputStyleDoc::HasDistinctSubsequentCitation(legacy));
    // With both flags clear the abbreviations do not matter.
    legacy.authorFormats[1].listPage.abbreviateList = FALSE;
    legacy.authorFormats[1].listPage.abbreviateListSubsequent = FALSE;
    EXPECT_FALSE(COutputStyleDoc::HasDistinctSubsequentCitation(legacy));
    legacy.authorFormats[0].listPage.abbreviateListSubsequent = FALSE;
    EXPECT_TRUE(COutputStyleDoc::HasDistinctSubsequentCitation(legacy));

    BibliographyFormat bibliography;
    BibliographyHeading heading;
    const CString path = NewPath();
    filetest::WriteAll(path, Version0400Style(legacy, bibliography, heading));
    COutputStyleDoc* doc = Open(path);
    ASSERT_NE(nullptr, doc);
    IntextFormat first, later;
    ASSERT_TRUE(doc->HasSubsequentCitationFormat(kDefault));
    doc->GetFirstCitationFormat(kDefault, first);
    doc->GetSubsequentCitationFormat(kDefault, later);
    EXPECT_TRUE(first.AuthorFormatFor(1).listPage.abbreviateList);
    EXPECT_FALSE(later.AuthorFormatFor(1).listPage.abbreviateList);
    EXPECT_STREQ("Anonymous", later.AuthorFormatFor(1).listPage.emptyAuthorText.text);
}

namespace {
// The part of a block older than 0x0400 from its titles on: titles of fields
// 4, 11 and 32, the journal page with its extra byte, dates, keywords, pages.
Bytes OlderBlockTail(int journalCase)
{
    ByteWriter w;
    w.Byte(0).Byte(0).Byte(0);
    w.Byte(0x55).Byte(journalCase).String("MEDICAL");
    CDateFormatPage date;
    for (int i = 0; i < 3; ++i)
        w.Append(StoreBytes(date));
    w.Text("/").Text("").Text("").Text("").Text("").Byte(0);
    return w.bytes;
}

Bytes OlderBibliographyBlock(const char* templateText, int journalCase)
{
    ByteWriter w;
    w.Text(templateText);
    CAuthorFormatSheet sheet;
    for (int i = 0; i < 4; ++i)
        w.Append(StoreBytes(sheet));
    return w.Append(OlderBlockTail(journalCase)).bytes;
}

Bytes OlderCitationBlock(int journalCase)
{
    ByteWriter w;
    w.Text("<\x01\xFF>").Text("(").Text(")").Text(";").Byte(1).Text("-"); // no sort byte
    CLegacyIntextAuthorFormatSheet sheet;
    for (int i = 0; i < 4; ++i)
        w.Append(StoreBytes(sheet));
    return w.Append(OlderBlockTail(journalCase)).bytes;
}
} // namespace

// Styles older than 0x0400: no heading, the journal's case for field 9, and
// journal-title codes moved where the workform keeps the journal.
TEST_F(OutputStyleDocTest, Version0300StyleConvertsItsBibliographyFormats)
{
    GetWorkformTable().RemoveAll();
    // "Journal, Article" (0) keeps its journal in field 10, "Newspaper Article" (8) in field 7.
    WorkformFixtureFiles workforms;
    const struct
    {
        WORD id;
        const char* stored;
        const char* converted;
    } blocks[] = {
        {0, "<\x01\x09>: <\x01\x09>", "<\x01\x0A>: <\x01\x0A>"},
        {8, "<\x01\x0A>|<\x01\x09>", "<\x01\x07>|<\x01\x09>"},
        {1, "<\x01\x09>.<\x01\x0A>", "<\x01\x09>.<\x01\x0A>"},
    };
    ByteWriter w = StyleHeader(0x0300);
    w.String("").Append(OlderCitationBlock(kTitleUppercase)).U16(3);
    for (const auto& b : blocks) {
        const Bytes block = OlderBibliographyBlock(b.stored, 2);
        w.U16(b.id).U16(static_cast<int>(block.size())).Append(block);
    }
    const CString path = NewPath();
    filetest::WriteAll(path, w.bytes);

    COutputStyleDoc* doc = Open(path);
    ASSERT_NE(nullptr, doc);
    EXPECT_EQ(0, m_boxes.CallCount());
    EXPECT_EQ(0x0500, doc->GetHeaderVersion());
    EXPECT_STREQ("Reference List", doc->referenceListHeading.title.text);
    IntextFormat first;
    ASSERT_TRUE(doc->HasFirstCitationFormat(kDefault));
    doc->GetFirstCitationFormat(kDefault, first);
    EXPECT_EQ(kTitleUppercase, first.TitleFormatFor(9).titleCase);
    EXPECT_EQ(kTitleUppercase, first.journalFormat.titleCase);
    for (const auto& b : blocks) {
        BibliographyFormat format;
        doc->GetBibliographyFormat(b.id, format);
        EXPECT_STREQ(b.converted, format.templateText.text) << b.id;
        EXPECT_EQ(2, format.TitleFormatFor(9).titleCase) << b.id;
    }
    ASSERT_TRUE(doc->OnSaveDocument(path));
    Close(doc);
    COutputStyleDoc* again = Open(path);
    ASSERT_NE(nullptr, again);
    BibliographyFormat format;
    again->GetBibliographyFormat(0, format);
    EXPECT_STREQ("<\x01\x0A>: <\x01\x0A>", format.templateText.text);
    EXPECT_EQ(2, format.TitleFormatFor(9).titleCase);
    GetWorkformTable().RemoveAll();
}

// A damaged or foreign style file does not open, is reported once, leaves the
// document empty and the file as it was.
TEST_F(OutputStyleDocTest, DamagedStylesAreRefusedAndLeftUnchanged)
{
    const CString goodPath = NewPath();
    COutputStyleDoc* made = NewDoc();
    ASSERT_TRUE(made->OnNewDocument());
    IntextFormat first = IntextWithTemplate("(<\x01\x01>)");
    made->SetFirstCitationFormat(kDefault, first);
    made->GetTitleText() = "Good";
    ASSERT_TRUE(made->OnSaveDocument(goodPath));
    Close(made);
    const Bytes good = filetest::ReadAll(goodPath);
    const size_t bodyAt = 16 + 5 + 1; // fixed header, title "Good", empty comments
    ASSERT_EQ(0, good[bodyAt]);       // empty journal list name

    auto patched = [&](size_t at, std::initializer_list<unsigned> values) {
        Bytes b(good);
        for (unsigned v : values)
            b[at++] = static_cast<BYTE>(v);
        return b;
    };
    // First store: u16 count at bodyAt + 5, then the entry's ID and length.
    const size_t firstStore = bodyAt + 1 + 4;
    InTextCitationSetup settings;
    const size_t firstBlock = StoreBytes(first).size();
    const size_t settingsAt = firstStore + 2 + 4 + firstBlock + 2;
    const struct
    {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"wrong magic", patched(4, {0})},
        {"codes of a list file", patched(8, {0, 0})},
        {"a workform file", patched(12, {0x04, 0x80})},
        {"a newer version", patched(14, {0x01, 0x05})},
        {"empty", Bytes()},
        {"cut in the header", Bytes(good.begin(), good.begin() + 10)},
        {"cut in a store", Bytes(good.begin(), good.begin() + firstStore + 8)},
        {"cut in the heading", Bytes(good.begin(), good.end() - 3)},
        {"more entries than stored", patched(firstStore, {0x40, 0})},
        {"a block longer than the file", patched(firstStore + 4, {0xFF, 0xFF})},
        {"citation settings of another schema", patched(settingsAt, {1, 0})},
    };
    ASSERT_EQ(good[settingsAt], 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CString path = NewPath();
        filetest::WriteAll(path, c.bytes);
        m_boxes.Clear();
        COutputStyleDoc* doc = NewDoc();
        EXPECT_FALSE(doc->OpenFile(path, CFileBasedDocument::OpenNoFrame));
        EXPECT_EQ(1, m_boxes.CallCount());
        EXPECT_EQ(0, doc->bibliographyFormats.GetCount());
        EXPECT_EQ(0, doc->firstCitationFormats.GetCount());
        EXPECT_FALSE(doc->styleFile.IsOpen());
        EXPECT_EQ(c.bytes, filetest::ReadAll(path));
    }
    m_boxes.Clear();
    EXPECT_NE(nullptr, Open(goodPath));
    EXPECT_EQ(0, m_boxes.CallCount());
}

// The file counts a format's bytes in 16 bits: a block of 65,536 bytes or
// more is refused with a message of its own, and nothing is written.
TEST_F(OutputStyleDocTest, FormatTooLongForTheFileIsRefusedBeforeAnythingIsWritten)
{
    CMapWordToOb store;
    CMemFile* block = GetOrAddFormatBlock(store, 7);
    const Bytes big(kMaxFormatBlockBytes, 'x');
    block->Write(big.data(), static_cast<UINT>(big.size()));
    EXPECT_TRUE(FormatStoreFits(store));
    block->Write("x", 1);
    EXPECT_FALSE(FormatStoreFits(store));
    ClearFormatStore(store);

    const CString path = NewPath();
    COutputStyleDoc* made = NewDoc();
    ASSERT_TRUE(made->OnNewDocument());
    made->GetTitleText() = "Long";
    ASSERT_TRUE(made->OnSaveDocument(path));
    Close(made); // an open style is exclusive
    const Bytes before = filetest::ReadAll(path);
    ASSERT_FALSE(before.empty());
    COutputStyleDoc* doc = Open(path);
    ASSERT_NE(nullptr, doc);

    BibliographyFormat huge;
    huge.templateText = (const char*)CString('a', 70000);
    doc->SetBibliographyFormat(3, huge);
    doc->SetModifiedFlag(TRUE);
    m_boxes.Clear();
    EXPECT_FALSE(doc->OnSaveDocument(path));
    ASSERT_EQ(1, m_boxes.CallCount());
    CString expected;
    AfxFormatString1(expected, StyleFormatTooLongException::IDP_STYLE_FORMAT_TOO_LONG, path);
    EXPECT_FALSE(expected.IsEmpty());
    EXPECT_STREQ(expected, m_boxes.LastCall().text);
    EXPECT_TRUE(doc->IsModified());

    // Save As refuses before copying: no file appears.
    const CString other = NewPath();
    EXPECT_FALSE(doc->OnSaveDocument(other));
    CFileStatus status;
    EXPECT_FALSE(CFile::GetStatus(other, status));

    // Storing by any other road raises before a byte is written.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        try {
            doc->Serialize(ar);
            ADD_FAILURE() << "stored";
        } catch (CArchiveException* e) {
            EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(StyleFormatTooLongException)));
            e->Delete();
        }
        ar.Abort();
    }
    EXPECT_EQ(0u, file.GetLength());

    // Closed without saving: the file is as it was.
    Close(doc);
    EXPECT_EQ(before, filetest::ReadAll(path));

    // Shortened, the style saves.
    doc = Open(path);
    ASSERT_NE(nullptr, doc);
    huge.templateText = (const char*)CString('a', 60000);
    doc->SetBibliographyFormat(3, huge);
    EXPECT_TRUE(doc->OnSaveDocument(path));
    Close(doc);
    COutputStyleDoc* back = Open(path);
    ASSERT_NE(nullptr, back);
    BibliographyFormat read;
    back->GetBibliographyFormat(3, read);
    EXPECT_EQ(60000, read.templateText.GetLength());
}

namespace {
// A new folder under the temporary folder, in the program's path form.
CString MakeTempFolder()
{
    const CString name = MakeTempFileName();
    CFile::Remove(name);
    const CString folder = name + ".d";
#ifdef _WIN32
    EXPECT_TRUE(::CreateDirectoryA(folder, nullptr));
#else
    EXPECT_EQ(0, ::mkdir(NativePath::ToSystem(folder).c_str(), 0700));
#endif
    return folder;
}

void RemoveFolder(const CString& folder)
{
#ifdef _WIN32
    ::RemoveDirectoryA(folder);
#else
    ::rmdir(NativePath::ToSystem(folder).c_str());
#endif
}
} // namespace

TEST(JournalListPath, StoredNamesAndTheirResolution)
{
    EXPECT_STREQ("", MakeStoredJournalListName(""));
    EXPECT_STREQ("Medical", MakeStoredJournalListName("C:\\Lists\\Medical.ljl"));
    EXPECT_STREQ("Medical", MakeStoredJournalListName("D:\\Other\\Medical.LJL"));
    EXPECT_STREQ("Medical.txt", MakeStoredJournalListName("C:\\Lists\\Medical.txt"));

    // Folders with journal lists to resolve against.
    const CString one = MakeTempFolder();
    const CString two = MakeTempFolder();
    const CString full = one + "\\Medical - Full.ljl";
    const CString medical = two + "\\medical.ljl";
    const CString journals = two + "\\Journals.ljl";
    for (const CString& p : {full, medical, journals})
        filetest::WriteAll(p, Bytes(1, 'x'));
    const CString folders = one + ";" + two;

    EXPECT_STREQ(medical, ResolveJournalListPath("Medical", folders)); // an equal title wins
    EXPECT_STREQ(full, ResolveJournalListPath("Medical - Full", folders));
    EXPECT_STREQ(journals, ResolveJournalListPath("Journals.lst", folders));
    EXPECT_STREQ(journals, ResolveJournalListPath("X:\\Old\\JOURNALS.LST", folders));
    EXPECT_STREQ("Unknown", ResolveJournalListPath("Unknown", folders));
    EXPECT_STREQ(journals, ResolveJournalListPath(journals, "")); // an existing file as it is
    filetest::RemoveFile(medical);
    EXPECT_STREQ(full, ResolveJournalListPath("Medical", folders)); // the stand-in
    for (const CString& p : {full, journals})
        filetest::RemoveFile(p);
    RemoveFolder(one);
    RemoveFolder(two);
}
