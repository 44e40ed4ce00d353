#include "ElementRun.h"
#include "database/text/StyledString.h"
#include "formatting/format/AuthorListElement.h"
#include "formatting/format/FormattedRecord.h"
#include "formatting/format/IntextAuthorListElement.h"
#include "formatting/format/MakeInitials.h"
#include "formatting/format/TitleElement.h"
#include "formatting/style/AuthorFormatSheet.h"
#include "formatting/style/TitleFormatPage.h"

#include <gtest/gtest.h>

namespace {
const BYTE kAuthorField = 1;
const BYTE kTitleField = 4;

struct Names
{
    int firstOrder, firstInitials, firstUpper, otherOrder, otherInitials, otherUpper;
};

CAuthorFormatSheet Sheet(const Names& n)
{
    CAuthorFormatSheet sheet;
    sheet.namesPage.firstNameOrder = n.firstOrder;
    sheet.namesPage.firstInitials = n.firstInitials;
    sheet.namesPage.firstUppercasing = n.firstUpper;
    sheet.namesPage.otherNameOrder = n.otherOrder;
    sheet.namesPage.otherInitials = n.otherInitials;
    sheet.namesPage.otherUppercasing = n.otherUpper;
    return sheet;
}

std::string FormatAuthors(const char* authors, const CAuthorFormatSheet& sheet, DWORD minAuthors = 0)
{
    AuthorListElement element(kAuthorField);
    element.SetAuthorFormat(sheet);
    ElementRun run;
    run.context.minAuthors = minAuthors;
    run.Set(kAuthorField, authors);
    return run.Write(element);
}

// Last, First for the first author, First Last for the others, "F. M." initials.
const Names kInverted = {kNameLastCommaFirst,  kInitialsDottedSpaced, kUppercaseNone,
                         kNameFirstMiddleLast, kInitialsDottedSpaced, kUppercaseNone};

CAuthorFormatSheet Abbreviating(UINT threshold, UINT count)
{
    CAuthorFormatSheet sheet = Sheet(kInverted);
    sheet.listPage.abbreviateList = TRUE;
    sheet.listPage.abbreviateThreshold = threshold;
    sheet.listPage.abbreviateCount = count;
    return sheet;
}
} // namespace

TEST(AuthorListElement, NameForms)
{
    struct Case
    {
        const char* authors;
        Names names;
        const char* written;
    } cases[] = {
        {"Smith, John A.; Jones, Mary", kInverted, "Smith, J. A. and M. Jones"},
        {"Smith, John A.", {kNameLastCommaFirst, kInitialsFirstFull, 0, 0, 0, 0}, "Smith, John A."},
        {"Smith, John",
         {kNameLastCommaFirst, kInitialsDottedSpaced, kUppercaseLastName, 0, 0, 0},
         "SMITH, J."},
        {"Smith, John",
         {kNameLastCommaFirst, kInitialsDottedSpaced, kUppercaseWholeName, 0, 0, 0},
         "SMITH, J."},
        {"Smith, John",
         {kNameLastCommaFirst, kInitialsFullNames, kUppercaseWholeName, 0, 0, 0},
         "SMITH, JOHN"},
        {"Smith, John Adam", {kNameFirstMiddleLast, kInitialsFullNames, 0, 0, 0, 0}, "John Adam Smith"},
        {"Smith, John Adam", {kNameLastFirst, kInitialsPlain, 0, 0, 0, 0}, "Smith JA"},
        {"Smith, John Adam", {kNameLastFirst, kInitialsSpaced, 0, 0, 0, 0}, "Smith J A"},
        {"Smith, John Adam", {kNameLastFirst, kInitialsDotted, 0, 0, 0, 0}, "Smith J.A."},
        {"Smith, John Adam", {kNameLastOnly, kInitialsDotted, 0, 0, 0, 0}, "Smith"},
        {"Smith", {kNameLastCommaFirst, kInitialsDotted, 0, 0, 0, 0}, "Smith"},
        {"Dupont, Jean-Pierre", {kNameLastFirst, kInitialsDotted, 0, 0, 0, 0}, "Dupont J.-P."},
        {"Dupont, Jean-Pierre", {kNameLastFirst, kInitialsPlain, 0, 0, 0, 0}, "Dupont J-P"},
        {"=World Health Organization",
         {kNameLastCommaFirst, kInitialsDotted, kUppercaseWholeName, 0, 0, 0},
         "World Health Organization"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.written, FormatAuthors(c.authors, Sheet(c.names))) << c.authors;
}

TEST(AuthorListElement, InitialsOfOneGivenName)
{
    struct Case
    {
        const char* name;
        bool periods;
        const char* initials;
    } cases[] = {{"Jean-Pierre", true, "J.-P"},
                 {"Jean-Pierre", false, "J-P"},
                 {"Jean-pierre", true, "J"},
                 {"jean-Pierre", true, "P"},
                 {"Jo.", true, "Jo"},
                 {"John", true, "J"},
                 {"", true, ""}};
    for (const Case& c : cases)
        EXPECT_STREQ(c.initials, MakeInitials(StyledString(c.name), c.periods).text) << c.name;
}

TEST(AuthorListElement, SeparatorsAndAbbreviation)
{
    const CAuthorFormatSheet plain = Sheet(kInverted);
    EXPECT_EQ("Smith, J., M. Jones, and A. Brown",
              FormatAuthors("Smith, John; Jones, Mary; Brown, Ann", plain));
    EXPECT_EQ("Smith, J. and M. Jones", FormatAuthors("Smith, John; Jones, Mary", plain));

    const char* five = "A, Ann; B, Bob; C, Cy; D, Di; E, Ed";
    const char* four = "A, Ann; B, Bob; C, Cy; D, Di";
    const char* three = "A, Ann; B, Bob; C, Cy";
    EXPECT_EQ("A, A. and others", FormatAuthors(five, Abbreviating(4, 1)));
    EXPECT_EQ("A, A. and others", FormatAuthors(four, Abbreviating(4, 1)));
    EXPECT_EQ("A, A., B. B, and C. C", FormatAuthors(three, Abbreviating(4, 1)));
    EXPECT_EQ("", FormatAuthors(four, Abbreviating(4, 0)));
    // Separator by the field's count: five shown as three.
    EXPECT_EQ("A, A., B. B, C. C and others", FormatAuthors(five, Abbreviating(4, 3)));
    // Two abbreviated to one.
    EXPECT_EQ("A, A. and others", FormatAuthors("A, Ann; B, Bob", Abbreviating(2, 1)));
    // The bibliography's minimum for telling entries apart.
    EXPECT_EQ("A, A., B. B and others", FormatAuthors(five, Abbreviating(4, 1), 2));
    // "And others" in the field, list not abbreviated: counted as many.
    EXPECT_EQ("A, A., B. B and others", FormatAuthors("A, Ann; B, Bob////", plain));
}

TEST(AuthorListElement, EmptyField)
{
    CAuthorFormatSheet sheet = Sheet(kInverted);
    sheet.listPage.emptyAuthorAction = kEmptyAuthorPrintText;
    AuthorListElement element(kAuthorField);
    element.SetAuthorFormat(sheet);
    element.SetPrefix(StyledString("["));
    element.SetSuffix(StyledString("] "));
    ElementRun run;
    EXPECT_EQ("[Anon.] ", run.Write(element));

    sheet.listPage.emptyAuthorAction = kEmptyAuthorNoSubstitution;
    element.SetAuthorFormat(sheet);
    ElementRun none;
    EXPECT_EQ("", none.Write(element));
    EXPECT_TRUE(none.context.atEntryStart);
}

TEST(AuthorListElement, EmptyAuthorsTakeTheTitleInTheTitlesCase)
{
    CAuthorFormatSheet sheet = Sheet(kInverted);
    sheet.listPage.emptyAuthorAction = kEmptyAuthorMoveTitle;
    CFormattedRecord formatted;
    AuthorListElement* authors = new AuthorListElement(kAuthorField);
    authors->SetAuthorFormat(sheet);
    authors->SetSuffix(StyledString(". "));
    formatted.Add(authors);
    TitleElement* title = new TitleElement(kTitleField);
    title->titleCase = kTitleHeadline;
    title->SetSuffix(StyledString(". "));
    formatted.Add(title);
    FieldElement* year = new FieldElement(20);
    formatted.Add(year);

    ElementRun run;
    run.Set(kTitleField, "the art of war");
    run.Set(20, "1990");
    formatted.Write(run.context, run.record);
    EXPECT_EQ("the Art of War. 1990", run.writer.text);
}

TEST(AuthorListElement, RepeatedLeadingAuthors)
{
    struct Case
    {
        int action;
        const char* written;
    } cases[] = {{kRepeatedAuthorPrintList, "Smith, J. 1990. Smith, J. 1991. "},
                 {kRepeatedAuthorReplace, "Smith, J. 1990. ----- 1991. "},
                 {kRepeatedAuthorSuppress, "Smith, J. 1990. 1991. "}};
    for (const Case& c : cases) {
        CAuthorFormatSheet sheet = Sheet(kInverted);
        sheet.listPage.repeatedAuthorAction = c.action;
        CFormattedRecord formatted;
        AuthorListElement* authors = new AuthorListElement(kAuthorField);
        authors->SetAuthorFormat(sheet);
        authors->SetSuffix(StyledString(" "));
        formatted.Add(authors);
        FieldElement* year = new FieldElement(20);
        year->SetSuffix(StyledString(". "));
        formatted.Add(year);

        ElementRun run;
        run.Set(kAuthorField, "Smith, John");
        for (const char* y : {"1990", "1991"}) {
            run.context.atEntryStart = TRUE;
            run.Set(20, y);
            formatted.Write(run.context, run.record);
        }
        run.context.sink->Flush();
        EXPECT_EQ(c.written, run.writer.text) << "action " << c.action;
    }
}

TEST(AuthorListElement, CitationAuthors)
{
    CIntextAuthorFormatSheet sheet;
    sheet.namesPage.firstNameOrder = kNameLastOnly;
    sheet.namesPage.otherNameOrder = kNameLastOnly;
    sheet.listPage.abbreviateList = TRUE;
    sheet.listPage.abbreviateThreshold = 3;
    sheet.listPage.abbreviateCount = 1;
    sheet.listPage.abbreviationText = StyledString(" et al.");
    IntextAuthorListElement element(kAuthorField);
    element.SetAuthorFormat(sheet);
    struct Case
    {
        const char* authors;
        const char* written;
    } cases[] = {{"Smith, John", "Smith"},
                 {"Smith, John; Jones, Mary", "Smith and Jones"},
                 {"Smith, John; Jones, Mary; Brown, Ann", "Smith et al."},
                 // The marker counts as one author here.
                 {"Smith, John; Jones, Mary////", "Smith et al."}};
    for (const Case& c : cases) {
        ElementRun run;
        run.context.minAuthors = 3; // not read by citations
        run.Set(kAuthorField, c.authors);
        EXPECT_EQ(c.written, run.Write(element)) << c.authors;
        EXPECT_TRUE(run.context.atEntryStart);
    }
    ElementRun suppressed;
    suppressed.context.suppressAuthor = TRUE;
    suppressed.Set(kAuthorField, "Smith, John");
    EXPECT_EQ("", suppressed.Write(element));
}
