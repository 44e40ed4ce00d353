#include "StyleTestSupport.h"

#include "formatting/style/BibliographyFormat.h"
#include "formatting/style/CitationFormat.h"
#include "formatting/style/IntextFormat.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
// Stored form of a fresh author format sheet of a bibliography format.
Bytes DefaultAuthorSheetBytes()
{
    ByteWriter w;
    w.Byte(0).U16(1).U16(4).Text(" and others").Byte(0).Text("Anon.").Byte(0).Text("-----");
    w.Text(" and ").Text(", ").Text(", and ");
    w.Byte(1).Byte(0).Byte(0).Byte(1).Byte(0).Byte(0);
    w.Text("").Text("").Text("").Text("");
    return w.bytes;
}

Bytes DefaultDateBytes()
{
    ByteWriter w;
    w.Byte(1).Byte(2).Text("/").Byte(3).Text("/").Byte(3).Byte(3).Byte(0).Byte(1).Byte(0);
    return w.bytes;
}

// Stored, read back into a fresh object and stored again: the same bytes, and
// nothing of the stored form left unread.
template <class T> void ExpectRoundTrip(T& changed, CDocument* doc = nullptr)
{
    const Bytes stored = StoreBytes(changed, doc);
    T back;
    EXPECT_EQ(0u, LoadBytes(back, stored, doc));
    EXPECT_EQ(stored, StoreBytes(back, doc));
    T fresh;
    EXPECT_NE(StoreBytes(fresh, doc), stored) << "the test changed nothing";
}
} // namespace

TEST(FieldFormatSettings, DefaultsStoreExactly)
{
    CAuthorFormatSheet sheet;
    EXPECT_EQ(DefaultAuthorSheetBytes(), StoreBytes(sheet));
    EXPECT_EQ(CAuthorFormatSheet::kNoApplyNow, sheet.sheetFlags);
    EXPECT_EQ(0u, sheet.captionId);

    CDateFormatPage date;
    EXPECT_EQ(DefaultDateBytes(), StoreBytes(date));

    // The in-text list page stores the same fields in the same order, without
    // the repeated-author group.
    CIntextAuthorListPage intext;
    intext.abbreviateCount = 2;
    intext.abbreviateThreshold = 7;
    ByteWriter w;
    w.Byte(0).U16(2).U16(7).Text(" and others").Byte(0).Text("Anon.");
    EXPECT_EQ(w.bytes, StoreBytes(intext));

    // A bibliography format: empty template, the pages' defaults in block order.
    BibliographyFormat format;
    ByteWriter b;
    b.Text("");
    for (int i = 0; i < 4; ++i)
        b.Append(DefaultAuthorSheetBytes());
    b.Byte(0).Byte(0).Byte(0).Byte(0); // titles
    b.Byte(0).String("");              // journal
    for (int i = 0; i < 3; ++i)
        b.Append(DefaultDateBytes());
    b.Text("/");                                   // keywords
    b.Text("").Text("").Text("").Text("").Byte(0); // pages
    EXPECT_EQ(b.bytes, StoreBytes(format));
}

TEST(FieldFormatSettings, EverySettingsGroupRoundTrips)
{
    CAuthorListPage list;
    list.abbreviateList = TRUE;
    list.abbreviateCount = 32768;
    list.abbreviateThreshold = 9;
    list.abbreviationText = BoldText(", et al.");
    list.emptyAuthorAction = kEmptyAuthorPrintText;
    list.emptyAuthorText = "";
    list.repeatedAuthorAction = kRepeatedAuthorSuppress;
    list.repeatedAuthorText = BoldText("___", "");
    ExpectRoundTrip(list);

    CIntextAuthorListPage intextList;
    intextList.abbreviateList = TRUE;
    intextList.abbreviateThreshold = 32000;
    intextList.emptyAuthorAction = kEmptyAuthorMoveTitle;
    ExpectRoundTrip(intextList);

    CLegacyIntextAuthorListPage legacyList;
    legacyList.abbreviateListSubsequent = TRUE;
    legacyList.abbreviateCountSubsequent = 3;
    legacyList.abbreviateThresholdSubsequent = 2;
    legacyList.abbreviationTextSubsequent = BoldText(" et al.");
    ExpectRoundTrip(legacyList);

    CAuthorSeparatorsPage separators;
    separators.lastAuthorSeparator = BoldText(" & ");
    ExpectRoundTrip(separators);

    CAuthorNamesPage names;
    names.firstNameOrder = kNameLastOnly;
    names.firstInitials = kInitialsPlain;
    names.firstUppercasing = kUppercaseWholeName;
    names.otherNameOrder = kNameFirstMiddleLast;
    names.otherInitials = kInitialsDotted;
    names.otherUppercasing = kUppercaseLastName;
    ExpectRoundTrip(names);

    CAuthorTextPage text;
    text.singleAuthorPreceding = "by ";
    text.multipleAuthorFollowing = BoldText(" (eds.)");
    ExpectRoundTrip(text);

    CTitleFormatPage title;
    title.titleCase = kTitleCaseMode4;
    ExpectRoundTrip(title);

    CJournalFormatPage journal;
    journal.titleCase = kTitleUppercase;
    ExpectRoundTrip(journal);

    CDateFormatPage date;
    date.dateFormatting = FALSE;
    date.firstPart = kDatePartMonth;
    date.firstSeparator = " ";
    date.secondPart = kDatePartDay;
    date.secondSeparator = BoldText(", ");
    date.thirdPart = kDatePartYear;
    date.monthFormat = kMonthRoman;
    date.dayFormat = kDayRoman;
    date.yearFormat = kYearRoman;
    date.padWithZeros = TRUE;
    ExpectRoundTrip(date);

    CKeywordFormatPage keywords;
    keywords.keywordSeparator = "; ";
    ExpectRoundTrip(keywords);

    CPageNumberFormatPage pages;
    pages.pagePrecedingText = "p. ";
    pages.rangePrecedingText = "pp. ";
    pages.rangeFollowingText = BoldText(".");
    pages.rangeFormat = kRangeStartOnly;
    ExpectRoundTrip(pages);

    BibliographyFormat bibliography;
    bibliography.templateText = BoldText("<\x01\x04>.");
    bibliography.authorFormats[3].namesPage.otherInitials = kInitialsSpaced;
    bibliography.titleFormats[1].titleCase = kTitleLowercase;
    bibliography.dateFormats[2].padWithZeros = TRUE;
    bibliography.pageFormat.rangeFormat = kRangeMla;
    ExpectRoundTrip(bibliography);

    IntextFormat intext;
    intext.authorFormats[2].listPage.abbreviateCount = 5;
    intext.keywordFormat.keywordSeparator = ", ";
    ExpectRoundTrip(intext);

    CitationFormat legacy;
    legacy.sortOrder = 2;
    legacy.useNumberRanges = FALSE;
    legacy.rangeSeparator = BoldText("\x96");
    legacy.authorFormats[1].listPage.abbreviateListSubsequent = TRUE;
    ExpectRoundTrip(legacy);

    // Copies are member by member: a copy stores what the original stores.
    BibliographyFormat copy(bibliography);
    EXPECT_EQ(StoreBytes(bibliography), StoreBytes(copy));
    IntextFormat assigned;
    assigned = intext;
    EXPECT_EQ(StoreBytes(intext), StoreBytes(assigned));
}

// A choice is stored in one byte: only its low byte survives, zero-extended.
TEST(FieldFormatSettings, ChoicesKeepTheirLowByteAndCountsTheirLowWord)
{
    CAuthorListPage list;
    list.emptyAuthorAction = 0x1FE;
    list.abbreviateCount = 0x12345;
    CAuthorListPage back;
    LoadBytes(back, StoreBytes(list));
    EXPECT_EQ(0xFE, back.emptyAuthorAction);
    EXPECT_EQ(0x2345u, back.abbreviateCount);
}

TEST(FieldFormatSettings, FieldSelectorsFallBackToTheFirstField)
{
    BibliographyFormat format;
    struct Case
    {
        int field, author, title, date;
    } cases[] = {{1, 0, 0, 0},  {2, 0, 0, 0},  {7, 1, 0, 0},  {16, 2, 0, 0}, {30, 3, 0, 0},
                 {9, 0, 1, 0},  {10, 0, 0, 0}, {11, 0, 2, 0}, {32, 0, 3, 0}, {20, 0, 0, 1},
                 {21, 0, 0, 2}, {0, 0, 0, 0},  {12, 0, 0, 0}, {4, 0, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(&format.authorFormats[c.author], &format.AuthorFormatFor(c.field)) << c.field;
        EXPECT_EQ(&format.titleFormats[c.title], &format.TitleFormatFor(c.field)) << c.field;
        EXPECT_EQ(&format.dateFormats[c.date], &format.DateFormatFor(c.field)) << c.field;
    }
    IntextFormat intext;
    EXPECT_EQ(&intext.authorFormats[1], &intext.AuthorFormatFor(7));
    EXPECT_EQ(&intext.titleFormats[3], &intext.TitleFormatFor(32));
    EXPECT_EQ(&intext.dateFormats[0], &intext.DateFormatFor(45));
}

TEST(FieldFormatSettings, InTextFormatsHaveTheirOwnDefaults)
{
    IntextFormat intext;
    BibliographyFormat bibliography;
    EXPECT_EQ(kTitleHeadline, intext.TitleFormatFor(9).titleCase);
    EXPECT_EQ(kTitleUnchanged, bibliography.TitleFormatFor(9).titleCase);
    EXPECT_EQ(kTitleUnchanged, intext.TitleFormatFor(4).titleCase);
    for (int field : {20, 21}) {
        EXPECT_TRUE(intext.DateFormatFor(field).dateFormatting);
        EXPECT_EQ(kDatePartYear, intext.DateFormatFor(field).firstPart);
        EXPECT_EQ(kDatePartNone, intext.DateFormatFor(field).secondPart);
    }
    EXPECT_EQ(0u, intext.TitleFormatFor(9).captionId);

    CitationFormat legacy;
    EXPECT_EQ(kTitleHeadline, legacy.titleFormats[1].titleCase);
    EXPECT_STREQ("(", legacy.leftDelimiter.text);
    EXPECT_STREQ(")", legacy.rightDelimiter.text);
    EXPECT_STREQ(";", legacy.citationSeparator.text);
    EXPECT_STREQ("-", legacy.rangeSeparator.text);
    EXPECT_TRUE(legacy.useNumberRanges);
    EXPECT_EQ(0, legacy.sortOrder);
    const UINT authorCaptions[] = {5120, 5121, 5122, 5123};
    const UINT titleCaptions[] = {5314, 5315, 5316, 5317};
    const UINT dateCaptions[] = {5159, 5160, 5161};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(authorCaptions[i], legacy.authorFormats[i].captionId);
        EXPECT_EQ(CLegacyIntextAuthorFormatSheet::kNoApplyNow, legacy.authorFormats[i].sheetFlags);
        EXPECT_EQ(titleCaptions[i], legacy.titleFormats[i].captionId);
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(dateCaptions[i], legacy.dateFormats[i].captionId);
    CString caption;
    caption.LoadString(5315);
    EXPECT_STREQ("Title (09) Formatting", caption);
}

// Blocks of styles older than version 0x0400 have no title page of field 9
// (it takes the journal's case) and one byte more before the journal's case.
TEST(FieldFormatSettings, OlderBibliographyBlocksReadByTheStyleVersion)
{
    ByteWriter old;
    old.Text("");
    for (int i = 0; i < 4; ++i)
        old.Append(DefaultAuthorSheetBytes());
    old.Byte(2).Byte(0).Byte(3);          // titles of fields 4, 11, 32
    old.Byte(0x77).Byte(1).String("MED"); // journal: skipped byte, case 1, dropped name
    for (int i = 0; i < 3; ++i)
        old.Append(DefaultDateBytes());
    old.Text("/").Text("").Text("").Text("").Text("").Byte(2);

    VersionedDocument v0300(0x0300);
    BibliographyFormat format;
    EXPECT_EQ(0u, LoadBytes(format, old.bytes, &v0300));
    EXPECT_EQ(2, format.TitleFormatFor(4).titleCase);
    EXPECT_EQ(1, format.TitleFormatFor(9).titleCase);
    EXPECT_EQ(0, format.TitleFormatFor(11).titleCase);
    EXPECT_EQ(3, format.TitleFormatFor(32).titleCase);
    EXPECT_EQ(1, format.journalFormat.titleCase);
    EXPECT_EQ(kRangeChicago, format.pageFormat.rangeFormat);

    // Written again it is a current block: four title pages, no extra byte.
    const Bytes current = StoreBytes(format, &v0300);
    // One title byte more, one journal byte less, and the dropped name stored empty.
    EXPECT_EQ(old.bytes.size() - 3, current.size());
    VersionedDocument v0500(0x0500);
    BibliographyFormat back;
    EXPECT_EQ(0u, LoadBytes(back, current, &v0500));
    EXPECT_EQ(current, StoreBytes(back));
    EXPECT_EQ(1, back.TitleFormatFor(9).titleCase);

    // A document with no header yet reads the current form; one whose header
    // says version 0 the oldest.
    VersionedDocument fresh;
    BibliographyFormat unversioned;
    EXPECT_EQ(0u, LoadBytes(unversioned, current, &fresh));
    EXPECT_EQ(current, StoreBytes(unversioned));
    VersionedDocument v0000(0);
    BibliographyFormat oldest;
    EXPECT_EQ(0u, LoadBytes(oldest, old.bytes, &v0000));
    EXPECT_EQ(current, StoreBytes(oldest));
}

TEST(FieldFormatSettings, LegacyInTextBlocksHaveTheirSortByteAbove0x0400)
{
    CitationFormat original;
    original.sortOrder = 3;
    original.templateText = "<\x01\xFF>";
    const Bytes full = StoreBytes(original);
    // The sort byte follows the template (4 characters), the three
    // delimiters, the flag and the range separator (1 character each).
    const size_t sortAt = (1 + 4 + 3) + 3 * (1 + 1 + 3) + 1 + (1 + 1 + 3);
    ASSERT_EQ(3, full[sortAt]);
    Bytes withoutSort(full);
    withoutSort.erase(withoutSort.begin() + sortAt);

    VersionedDocument v0401(0x0401);
    CitationFormat with;
    EXPECT_EQ(0u, LoadBytes(with, full, &v0401));
    EXPECT_EQ(3, with.sortOrder);
    EXPECT_EQ(full, StoreBytes(with));

    VersionedDocument v0400(0x0400);
    CitationFormat without;
    EXPECT_EQ(0u, LoadBytes(without, withoutSort, &v0400));
    EXPECT_EQ(0, without.sortOrder);
    Bytes expected(full);
    expected[sortAt] = 0;
    EXPECT_EQ(expected, StoreBytes(without)); // written whole again
}

TEST(FieldFormatSettings, ShortBlocksRaiseEndOfFile)
{
    BibliographyFormat format;
    format.templateText = "<\x01\x04>";
    Bytes stored = StoreBytes(format);
    for (size_t cut : {size_t(0), size_t(1), stored.size() / 2, stored.size() - 1}) {
        Bytes shortened(stored.begin(), stored.begin() + cut);
        BibliographyFormat back;
        try {
            LoadBytes(back, shortened);
            ADD_FAILURE() << "no error at " << cut;
        } catch (CArchiveException* e) {
            EXPECT_EQ(CArchiveException::endOfFile, e->m_cause) << cut;
            e->Delete();
        }
    }
}
