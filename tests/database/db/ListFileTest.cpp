#include "app/core/TempFile.h"
#include "classlib/Exceptions.h"
#include "database/db/ListEntry.h"
#include "database/db/ListFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {
struct JournalList
{
    CListFile file;
    std::string path;

    JournalList() : path(static_cast<const char*>(MakeTempFileName()))
    {
        file.SetPathName(path.c_str());
        file.CreateNew();
        Open(CFile::modeReadWrite | CFile::shareExclusive);
    }
    ~JournalList()
    {
        if (file.IsOpen())
            file.Close();
        std::remove(path.c_str());
    }
    void Open(UINT mode)
    {
        CFileException error;
        if (!file.OpenFile(mode, &error))
            AfxThrowFileException(error.m_cause);
    }
    void Add(const char* title, const StyledString& abbreviation)
    {
        CListEntry entry;
        entry.strings[0] = StyledString(title);
        entry.strings[1] = abbreviation;
        char key[CListFile::kKeySize];
        file.MakeListKey(key, entry);
        ASSERT_TRUE(file.GetEntryTree().AddObject(entry, key));
    }
    std::string Lookup(const char* term, BOOL expectFound)
    {
        StyledString out;
        EXPECT_EQ(expectFound, file.LookupTerm(StyledString(term), out)) << term;
        return static_cast<const char*>(out.text);
    }
};
} // namespace

TEST(ListFile, LookupIgnoresLeadingArticlesCaseAndPunctuation)
{
    JournalList list;
    StyledString abbreviation;
    abbreviation.AppendStyled("J. Theor. Biol.", 15, StyleRun(kStyleItalic, 0, nullptr, 0));
    list.Add("Journal of Theoretical Biology", abbreviation);
    list.Add("Le Monde", StyledString(""));

    EXPECT_EQ("J. Theor. Biol.", list.Lookup("Journal of Theoretical Biology", TRUE));
    EXPECT_EQ("J. Theor. Biol.", list.Lookup("The journal of theoretical biology.", TRUE));
    EXPECT_EQ("J. Theor. Biol.", list.Lookup("JOURNAL OF THEORETICAL - BIOLOGY", TRUE));
    EXPECT_EQ("", list.Lookup("Monde", TRUE)); // found, with an empty abbreviation
    EXPECT_EQ("Journal of Biology", list.Lookup("Journal of Biology", FALSE));
    EXPECT_EQ("...", list.Lookup("...", FALSE));

    // The abbreviation keeps its runs, and the entries survive reopening.
    list.file.Close();
    list.Open(CFile::modeRead | CFile::shareDenyWrite);
    StyledString out;
    ASSERT_TRUE(list.file.LookupTerm(StyledString("the Journal of Theoretical Biology"), out));
    ASSERT_EQ(1, out.runs.GetSize());
    EXPECT_EQ(kStyleItalic, out.runs[0].style);
}

TEST(ListFile, AccentsCountInTheKey)
{
    JournalList list;
    list.Add("Revue d'\xE9tudes", StyledString("Rev. \xC9t."));
    EXPECT_EQ("Rev. \xC9t.", list.Lookup("revue d'\xC9TUDES", TRUE));
    EXPECT_EQ("Revue d'etudes", list.Lookup("Revue d'etudes", FALSE));
}
