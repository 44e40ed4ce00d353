#include "database/text/AuthorList.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// One author as 'last|first|other,other|suffix'; a literal name is shown with
// its "=", the et-al marker as "et al.".
std::string Describe(const AuthorName& a)
{
    if (a.etAl)
        return "et al.";
    std::string s = a.literal ? "=" : "";
    s += std::string(a.lastName.text) + "|" + a.firstName.text.GetString() + "|";
    for (int i = 0; i < a.otherNames.GetSize(); ++i)
        s += (i ? "," : "") + std::string(a.otherNames[i].text);
    return s + "|" + a.suffix.text.GetString();
}

std::string Describe(const AuthorList& list)
{
    std::string s;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        s += (i ? " # " : "") + Describe(*list.GetAuthor(i));
    return s;
}

// Every part of every author: runs that add up to its text.
void ExpectRunsCoverText(const AuthorList& list)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
    {
        const AuthorName& a = *list.GetAuthor(i);
        EXPECT_EQ(a.lastName.GetLength(), a.lastName.runs.TotalLength());
        EXPECT_EQ(a.firstName.GetLength(), a.firstName.runs.TotalLength());
        EXPECT_EQ(a.suffix.GetLength(), a.suffix.runs.TotalLength());
        for (int k = 0; k < a.otherNames.GetSize(); ++k)
            EXPECT_EQ(a.otherNames[k].GetLength(), a.otherNames[k].runs.TotalLength());
    }
}

StyleRun Run(WORD style, int length)
{
    return StyleRun(style, 0, nullptr, length);
}

// 'Smith, J.-P.' with "Smith" bold, "J" italic and "P." underlined.
StyledString StyledHyphenatedName()
{
    StyledString s;
    s.AppendStyled("Smith", 5, Run(kStyleBold, 5));
    s.AppendStyled(", ", 2, Run(0, 2));
    s.AppendStyled("J", 1, Run(kStyleItalic, 1));
    s.AppendStyled(".-", 2, Run(0, 2));
    s.AppendStyled("P.", 2, Run(kStyleUnderline, 2));
    return s;
}
} // namespace

TEST(AuthorListTest, FieldsSplitIntoAuthorsAndTheirParts)
{
    const struct
    {
        const char* field;
        const char* authors;
        int count;
    } cases[] = {
        {"Smith, John A.", "Smith|John|A.|", 1},
        {"Smith, J.-P.", "Smith|J.-P.||", 1},
        {"Smith, J.- P.", "Smith|J.|P.|", 1},
        {"Smith, Jean-Pierre", "Smith|Jean-Pierre||", 1},
        {"Smith, Jean- ", "Smith|Jean||", 1},
        {"Smith, John=Jr.", "Smith|John||Jr.", 1},
        {"Smith, J. R.=III", "Smith|J.|R.|III", 1},
        {"=World Health Organization", "=World Health Organization|||", 1},
        {"=Royal Society, London", "=Royal Society, London|||", 1},
        {"Smith, J.; Jones, K.////", "Smith|J.|| # Jones|K.|| # et al.", 32000},
        {"Smith/Jones, K.", "Smith/Jones|K.||", 1},
        {"Smith//Jones", "Smith||| # Jones|||", 2},
        {"Smith ; Jones", "Smith ||| # Jones|||", 2},
        {"////", "et al.", 32000},
        {"///", "", 0},
        {"", "", 0},
        {";; \r\n/", "", 0},
        {"Smith, A.\r\nJones, B.\nDoe, C.", "Smith|A.|| # Jones|B.|| # Doe|C.||", 3},
        {"Smith, A.//", "Smith|A.||", 1},
        {"Smith/////", "Smith/||| # et al.", 32000},
        {"Smith, A. B. C.", "Smith|A.|B.,C.|", 1},
        {"Smith, Anne-Marie Rose- Lee-.", "Smith|Anne-Marie|Rose,Lee.|", 1},
        {"Smith,, -J.", "Smith|J.||", 1},
        {"Smith, \xA9 M\xFCller", "Smith|M\xFCller||", 1}, // the copyright sign is no name character
        {"Smith, O'Hara", "Smith|O'Hara||", 1},
        {"Smith, ", "Smith|||", 1},
        {"Smith, J.-", "Smith|J.||", 1},
    };
    for (const auto& c : cases)
    {
        AuthorList list;
        list.Parse(StyledString(c.field));
        EXPECT_EQ(c.authors, Describe(list)) << c.field;
        EXPECT_EQ(c.count, list.GetAuthorCount()) << c.field;
        ExpectRunsCoverText(list);
    }
}

TEST(AuthorListTest, ParseAppendsToWhatTheListHolds)
{
    AuthorList list;
    list.Parse(StyledString("Smith, J."));
    list.Parse(StyledString("Jones, K.////"));
    EXPECT_EQ("Smith|J.|| # Jones|K.|| # et al.", Describe(list));
    list.DeleteAll();
    EXPECT_EQ(0, list.GetAuthorCount());
}

TEST(AuthorListTest, PartsKeepTheirFormatting)
{
    AuthorList list;
    list.Parse(StyledHyphenatedName());
    ASSERT_EQ(1, list.GetSize());
    const AuthorName& a = *list.GetAuthor(0);
    ASSERT_EQ(1, a.lastName.runs.GetSize());
    EXPECT_EQ(kStyleBold, a.lastName.runs[0].style);
    // "J" and the ".-" joined to it are italic; "P." keeps its underline.
    EXPECT_STREQ("J.-P.", a.firstName.text);
    ASSERT_EQ(2, a.firstName.runs.GetSize());
    EXPECT_EQ(3, a.firstName.runs[0].length);
    EXPECT_EQ(kStyleItalic, a.firstName.runs[0].style);
    EXPECT_EQ(2, a.firstName.runs[1].length);
    EXPECT_EQ(kStyleUnderline, a.firstName.runs[1].style);
}

TEST(AuthorListTest, EqualityComparesNamesAndRunsNotSuffixes)
{
    const auto equal = [](const StyledString& a, const StyledString& b) {
        AuthorList x, y;
        x.Parse(a);
        y.Parse(b);
        return x.IsEqual(y) != FALSE;
    };
    EXPECT_TRUE(equal(StyledString("Smith, John A.=Jr.; Doe, K."),
                      StyledString("Smith, John A.=Sr.; Doe, K.")));
    EXPECT_TRUE(equal(StyledHyphenatedName(), StyledHyphenatedName()));
    EXPECT_FALSE(equal(StyledHyphenatedName(), StyledString("Smith, J.-P.")));
    EXPECT_FALSE(equal(StyledString("Smith, John A."), StyledString("Smith, John")));
    EXPECT_FALSE(equal(StyledString("Smith, John A."), StyledString("Smith, John B.")));
    EXPECT_FALSE(equal(StyledString("=Smith"), StyledString("Smith")));
    EXPECT_FALSE(equal(StyledString("Smith; Doe"), StyledString("Smith")));
}

TEST(AuthorListTest, LongFieldOfManyAuthors)
{
    // A full field of short authors: every one is found, in one pass.
    std::string field;
    while (field.size() < 32000 - 5)
        field += "Ab, C;";
    AuthorList list;
    list.Parse(StyledString(field.c_str()));
    EXPECT_EQ(static_cast<int>(field.size() / 6), list.GetAuthorCount());
    EXPECT_EQ("Ab|C||", Describe(*list.GetAuthor(list.GetSize() - 1)));
}
