#include "ElementRun.h"
#include "app/core/TempFile.h"
#include "database/db/ListEntry.h"
#include "database/db/ListFile.h"
#include "formatting/format/ApplyTitleCase.h"
#include "formatting/format/JournalElement.h"
#include "formatting/format/KeywordElement.h"
#include "formatting/format/TitleElement.h"
#include "formatting/style/KeywordFormatPage.h"
#include "formatting/style/TitleFormatPage.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {
std::string Cased(const char* text, int mode)
{
    return static_cast<const char*>(ChangeTitleCase(StyledString(text), mode).text);
}
} // namespace

TEST(TitleCase, Modes)
{
    struct Case
    {
        const char* title;
        int mode;
        const char* written;
    } cases[] = {
        {"the theory of games and economic behavior", kTitleHeadline,
         "the Theory of Games and Economic Behavior"},
        {"x-ray studies", kTitleHeadline, "X-Ray Studies"},
        {"vitamin c deficiency", kTitleHeadline, "Vitamin c Deficiency"},
        {"DNA AND RNA", kTitleHeadline, "DNA AND RNA"},
        {"don't panic", kTitleHeadline, "Don't Panic"},
        {"war and peace", kTitleHeadline, "War and Peace"},
        {"studies in logic: an introduction", kTitleCaseMode4, "Studies in logic: An introduction"},
        {"(studies): in logic: an intro", kTitleCaseMode4, "(Studies): In logic: an intro"},
        {"Mixed Case", kTitleUnchanged, "Mixed Case"},
        {"Mixed Case", kTitleUppercase, "MIXED CASE"},
        {"Mixed Case", kTitleLowercase, "mixed case"},
        {"=the iPod effect", kTitleHeadline, "the iPod effect"},
        {"=the iPod effect", kTitleUppercase, "the iPod effect"},
        {"anything", 9, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.written, Cased(c.title, c.mode)) << c.title << " mode " << c.mode;
}

TEST(TitleCase, UppercaseDropsTheFieldsOwnFormatting)
{
    StyledString title("a ");
    title.AppendStyled("bold", 4, StyleRun(kStyleBold, 0, nullptr, 0));
    const StyledString upper = ChangeTitleCase(title, kTitleUppercase);
    EXPECT_STREQ("A BOLD", upper.text);
    ASSERT_EQ(1, upper.runs.GetSize());
    EXPECT_TRUE(upper.runs[0].IsPlain());
    // Headline keeps the runs.
    EXPECT_EQ(2, ChangeTitleCase(title, kTitleHeadline).runs.GetSize());
}

TEST(TitleCase, TitleJournalAndKeywordElements)
{
    CTitleFormatPage page;
    page.titleCase = kTitleHeadline;
    TitleElement title(4);
    title.titleCase = static_cast<BYTE>(page.titleCase);
    title.SetPrefix(StyledString("\""));
    title.SetSuffix(StyledString(".\""));
    ElementRun run;
    run.Set(4, "the art of war");
    EXPECT_EQ("\"the Art of War.\"", run.Write(title));
    EXPECT_FALSE(run.context.atEntryStart);

    JournalElement journal;
    journal.titleCase = kTitleUppercase;
    ElementRun journalRun;
    journalRun.Set(JournalElement::kJournalField, "Nature");
    EXPECT_EQ("NATURE", journalRun.Write(journal));

    CKeywordFormatPage keywords;
    keywords.keywordSeparator = StyledString("; ");
    KeywordElement keyword;
    keyword.keywordSeparator = keywords.keywordSeparator;
    struct Case
    {
        const char* field;
        const char* written;
    } cases[] = {{"alpha/beta", "alpha; beta"},
                 {"alpha\r\nbeta", "alpha; beta"},
                 {"/alpha//beta/\r\n\r\n", "alpha; beta"},
                 {"one keyword", "one keyword"}};
    for (const Case& c : cases) {
        ElementRun keywordRun;
        keywordRun.Set(KeywordElement::kKeywordField, c.field);
        EXPECT_EQ(c.written, keywordRun.Write(keyword)) << c.field;
    }
}

TEST(TitleCase, JournalTakesItsAbbreviationFromTheJournalList)
{
    const std::string path = static_cast<const char*>(MakeTempFileName());
    CListFile list;
    list.SetPathName(path.c_str());
    list.CreateNew();
    CFileException error;
    ASSERT_TRUE(list.OpenFile(CFile::modeReadWrite | CFile::shareExclusive, &error));
    struct
    {
        const char* title;
        const char* abbreviation;
    } entries[] = {{"journal of theoretical biology", "j. theor. biol."}, {"Nature Reviews", ""}};
    for (const auto& e : entries) {
        CListEntry entry;
        entry.strings[0] = StyledString(e.title);
        entry.strings[1] = StyledString(e.abbreviation);
        char key[CListFile::kKeySize];
        list.MakeListKey(key, entry);
        ASSERT_TRUE(list.GetEntryTree().AddObject(entry, key));
    }
    JournalElement journal;
    journal.titleCase = kTitleHeadline;
    struct Case
    {
        const char* field;
        const char* written;
    } cases[] = {{"The Journal of Theoretical Biology", "J. Theor. Biol."},
                 {"annals of physics", "Annals of Physics"},
                 {"Nature Reviews", "Nature Reviews"}};
    for (const Case& c : cases) {
        ElementRun run;
        run.context.journalList = &list;
        run.Set(JournalElement::kJournalField, c.field);
        EXPECT_EQ(c.written, run.Write(journal)) << c.field;
    }
    list.Close();
    std::remove(path.c_str());
}
