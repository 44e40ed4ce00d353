// A set of workform files written by the program's own workform document, for
// tests that need real workforms: the standard fixtures are "Journal, Article"
// (ID 0), "Book, Entire" (1), "Book, Section" (2), "Conference Proceeding"
// (3), "Newspaper Article" (8) and "Thesis" (21748).
//
// Writing saves each through CWorkformDoc, which also enters it into the
// process-wide workform table, as the program does; tests that load the files
// back empty the table first. The files are removed when the set goes.
#pragma once

#include "app/core/TempFile.h"
#include "classlib/Exceptions.h"
#include "classlib/File.h"
#include "database/text/WorkformDoc.h"
#include "database/text/WorkformTable.h"

#include <initializer_list>
#include <utility>
#include <vector>

struct WorkformFixture
{
    const char* name;
    WORD id;
    std::vector<int> usedFields;
    std::vector<std::pair<int, const char*>> ownNames; // fields named otherwise than the built-in names
};

inline const std::vector<WorkformFixture>& StandardWorkformFixtures()
{
    static const std::vector<WorkformFixture> fixtures = {
        {"Journal, Article",
         0,
         {1, 2, 4, 10, 20, 22, 24, 25, 38, 42, 43, 44, 45},
         {{1, "Authors"}, {4, "Article Title"}, {10, "Journal"}, {25, "Pages"}}},
        {"Book, Entire", 1, {7, 9, 18, 19, 20, 38, 41, 42, 43, 44, 45}, {{7, "Authors"}, {9, "Book Title"}}},
        {"Book, Section",
         2,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 20, 22, 24, 25, 38, 39, 40, 42, 43, 44, 45},
         {{1, "Section Authors"}, {4, "Section Title"}, {7, "Editors"}, {9, "Book Title"}}},
        {"Conference Proceeding", 3, {1, 4, 9, 13, 20, 22, 25, 42, 43, 44, 45}, {{9, "Proceedings Title"}}},
        {"Newspaper Article", 8, {1, 4, 7, 20, 24, 25, 42, 43, 44, 45}, {{7, "Newspaper"}}},
        {"Thesis", 21748, {1, 4, 11, 19, 20, 42, 43, 44, 45}, {{11, "Thesis Title"}, {19, "University"}}},
    };
    return fixtures;
}

// The name the fixture gives field n (used or not).
inline CString FixtureFieldName(const WorkformFixture& fixture, int n)
{
    for (const auto& own : fixture.ownNames) {
        if (own.first == n)
            return own.second;
    }
    return GetBuiltInFieldName(n);
}

inline FieldSet FixtureFieldSet(const WorkformFixture& fixture)
{
    FieldSet fields;
    for (int n : fixture.usedFields)
        fields.Add(n);
    return fields;
}

// Saves one workform file at `path` through a new workform document.
inline void WriteWorkformFile(const WorkformFixture& fixture, const CString& path)
{
    CWorkformDoc* doc = new CWorkformDoc;
    BOOL made = FALSE;
    try {
        made = doc->OnNewDocument();
    } catch (CException*) {
        delete doc;
        throw;
    }
    if (!made) {
        delete doc;
        AfxThrowFileException(CFileException::generic, -1, path);
    }
    doc->SetWorkformId(fixture.id);
    doc->SetWorkformName(fixture.name);
    doc->SetUsedFields(FixtureFieldSet(fixture));
    for (int n = 1; n <= kWorkformFields; ++n)
        doc->SetFieldName(n, FixtureFieldName(fixture, n));
    const BOOL saved = doc->OnSaveDocument(path);
    doc->OnCloseDocument(); // deletes it
    if (!saved)
        AfxThrowFileException(CFileException::generic, -1, path);
}

class WorkformFixtureFiles
{
public:
    explicit WorkformFixtureFiles(const std::vector<WorkformFixture>& fixtures = StandardWorkformFixtures())
    {
        for (const WorkformFixture& fixture : fixtures) {
            const CString path = NewPath();
            WriteWorkformFile(fixture, path);
            m_paths.push_back(path);
        }
    }
    ~WorkformFixtureFiles()
    {
        for (const CString& path : m_created)
            RemoveQuietly(path);
    }
    WorkformFixtureFiles(const WorkformFixtureFiles&) = delete;
    WorkformFixtureFiles& operator=(const WorkformFixtureFiles&) = delete;

    const std::vector<CString>& Paths() const { return m_paths; }
    // A fresh workform path that the set removes at the end.
    CString NewPath()
    {
        const CString reserved = MakeTempFileName(); // keeps the name taken while the set lives
        m_created.push_back(reserved);
        m_created.push_back(reserved + ".lwf");
        return reserved + ".lwf";
    }

    static void RemoveQuietly(const CString& path)
    {
        try {
            CFile::Remove(path);
        } catch (CException* e) {
            e->Delete();
        }
    }

private:
    std::vector<CString> m_paths;
    std::vector<CString> m_created;
};

// The start-up path: every file into the table, in order. The count of files that opened.
inline int LoadWorkformFiles(CWorkformTable& table, const std::vector<CString>& paths)
{
    int opened = 0;
    for (const CString& path : paths)
        opened += LoadWorkformFile(table, path) ? 1 : 0;
    return opened;
}
