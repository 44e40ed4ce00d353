// A database on disk for the tests: files named after the running test,
// records made from a few fields, and what the indexes and sorts give, so
// that two states of a database can be compared.
#pragma once

#include "app/core/NativePath.h"
#include "app/core/ProgressDialog.h"
#include "app/core/TempFile.h"
#include "classlib/Profile.h"
#include "classlib/WinApp.h"
#include "classlib/Exceptions.h"
#include "classlib/MessageBox.h"
#include "database/db/DBDatabase.h"
#include "database/db/DBRecord.h"
#include "database/db/FieldTerms.h"
#include "database/search/SearchDatabaseRecords.h"
#include "database/sort/DBSortCursor.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <sys/stat.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

// Files as bytes, for the tests that compare them before and after.
inline bool Exists(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

inline std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteContents(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// TRUE when f raises the class library's exception E (deleted here).
template <class E, class F> bool Raises(F f)
{
    try {
        f();
    } catch (CException* e) {
        const bool matches = dynamic_cast<E*>(e) != nullptr;
        e->Delete();
        return matches;
    }
    return false;
}

// An application whose profile is a scratch tree of this process, wiped
// when made and when gone: the database defaults are the built-in ones.
class ScratchProfileApp
{
public:
    ScratchProfileApp()
    {
#ifndef _WIN32
        m_storeFile = MakeTempFileName();
        CProfile::SetStoreFile(AfxNativePath(m_storeFile));
#endif
        m_app.reset(new CWinApp("Lorvane5 Tests"));
        m_app->SetRegistryKey("Quenmark");
        char profileName[64];
#ifdef _WIN32
        std::snprintf(profileName, sizeof profileName, "Lorvane 5 Database Tests\\%lu",
                      ::GetCurrentProcessId());
#else
        std::snprintf(profileName, sizeof profileName, "Lorvane 5 Database Tests\\%ld",
                      static_cast<long>(::getpid()));
#endif
        m_app->SetProfileName(profileName);
        m_app->DeleteProfileTree();
    }
    ~ScratchProfileApp()
    {
        m_app->DeleteProfileTree();
        m_app.reset();
#ifndef _WIN32
        CProfile::SetStoreFile(nullptr);
        std::remove(m_storeFile);
#endif
    }
    ScratchProfileApp(const ScratchProfileApp&) = delete;
    ScratchProfileApp& operator=(const ScratchProfileApp&) = delete;

private:
    std::unique_ptr<CWinApp> m_app;
    CString m_storeFile;
};

struct RecordFields
{
    const char* author;
    const char* title;
    const char* date;
    const char* journal;
    const char* keywords;
};

inline void FillRecord(DBRecord& record, const RecordFields& fields)
{
    record.SetField(StyledString(fields.author), 1);
    record.SetField(StyledString(fields.date), 12);
    record.SetField(StyledString(fields.title), 4);
    record.SetField(StyledString(fields.journal), 10);
    record.SetField(StyledString(fields.keywords), 45);
}

// Adds a record as a new record is saved: the next number and ID.
inline int32_t AddNewRecord(DBDatabase& db, const RecordFields& fields, const char* id = nullptr)
{
    DBRecord record;
    record.m_bAutoDelete = FALSE;
    FillRecord(record, fields);
    record.SetRecordIdText(id ? CString(id) : db.GetNextRecordId());
    const int32_t number = db.GetNextFreeRecordNumber();
    db.AddRecord(record, number);
    return number;
}

// The record numbers of a slot's index, in order.
inline std::vector<LONG> SortOrder(DBDatabase& db, int slot)
{
    std::vector<LONG> order;
    DBSortCursor cursor(&db.GetSortSlotTree(slot));
    for (LONG n = cursor.SeekFirst(0, db.GetAllRecords(), TRUE); n != -1;
         n = cursor.Step(db.GetAllRecords(), TRUE))
        order.push_back(n);
    return order;
}

inline std::vector<int> Numbers(const DBRecordSet& set)
{
    std::vector<int> numbers;
    for (int n = set.FindNext(-1); n >= 0; n = set.FindNext(n))
        numbers.push_back(n);
    return numbers;
}

// Every term of a term index with its records.
inline std::map<std::string, std::vector<int>> Terms(DBTermIndex& index)
{
    std::map<std::string, std::vector<int>> terms;
    BTreeCursor cursor(&index.GetTree());
    for (BOOL on = cursor.MoveFirst(); on; on = cursor.NextKey()) {
        DBRecordSet set;
        cursor.ReadObject(set);
        terms[std::string(set.name.text)] = Numbers(set);
    }
    return terms;
}

// What a database answers: lookups, sets and sorts, to compare two states.
struct DatabaseAnswers
{
    std::map<std::string, std::vector<int>> authors, titles, journals, keywords;
    std::vector<int> all, duplicates, wordCell, workformDefault;
    std::vector<std::vector<LONG>> sorts;
    bool operator==(const DatabaseAnswers& o) const
    {
        return authors == o.authors && titles == o.titles && journals == o.journals &&
               keywords == o.keywords && all == o.all && duplicates == o.duplicates &&
               wordCell == o.wordCell && workformDefault == o.workformDefault && sorts == o.sorts;
    }
};

inline DatabaseAnswers Answers(DBDatabase& db)
{
    DatabaseAnswers a;
    a.authors = Terms(db.GetAuthorIndex());
    a.titles = Terms(db.GetTitleIndex());
    a.journals = Terms(db.GetJournalIndex());
    a.keywords = Terms(db.GetKeywordIndex());
    a.all = Numbers(db.GetAllRecords());
    a.duplicates = Numbers(db.GetDuplicateRecords());
    DBRecordSet words;
    db.GetWordIndex().FindAllWords("cell", db.GetAllRecords(), words);
    a.wordCell = Numbers(words);
    DBRecordSet workforms;
    db.GetWorkformIndex().GetSet("<Default>", workforms);
    a.workformDefault = Numbers(workforms);
    for (int slot = 0; slot < DBDatabase::kSortSlotCount; ++slot) {
        if (db.GetSortSpec(slot).indexBuilt)
            a.sorts.push_back(SortOrder(db, slot));
    }
    return a;
}

class DatabaseFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_base = std::string("db_") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        RemoveFiles();
        m_outlivingIndexes = DBDatabase::GetOutlivingIndexCount();
    }
    void TearDown() override
    {
        ScriptedProgressDisplay::StopAtCall(0);
        m_db.reset();
        RemoveFiles();
        // Every cursor went before its database.
        EXPECT_EQ(m_outlivingIndexes, DBDatabase::GetOutlivingIndexCount());
    }
    void RemoveFiles()
    {
        for (const char* ext : {".ldt", ".ldx", ".old"})
            std::remove((m_base + ext).c_str());
    }
    std::string Path(const char* ext = ".ldt") const { return m_base + ext; }

    // A new database made and opened read-write.
    DBDatabase& Create()
    {
        m_db.reset(new DBDatabase);
        m_db->SetPathName(Path().c_str());
        m_db->CreateNew();
        Open();
        return *m_db;
    }
    // Opens (a new object when asked) with the given answers to the prompts.
    DBDatabase& Open(BOOL readOnly = FALSE)
    {
        if (!m_db) {
            m_db.reset(new DBDatabase);
            m_db->SetPathName(Path().c_str());
        }
        CFileException error;
        const UINT mode =
            readOnly ? CFile::modeRead | CFile::shareDenyWrite : CFile::modeReadWrite | CFile::shareExclusive;
        if (!m_db->OpenDatabase(mode, &error))
            ADD_FAILURE() << "open failed, cause " << error.m_cause;
        return *m_db;
    }
    DBDatabase& Reopen(BOOL readOnly = FALSE)
    {
        m_db->Close();
        m_db.reset();
        return Open(readOnly);
    }

    ScratchProfileApp m_app;
    std::string m_base;
    std::unique_ptr<DBDatabase> m_db;
    int m_outlivingIndexes = 0; // the count at SetUp; a test that breaks the rule on purpose moves it
};

inline void AddSampleRecords(DBDatabase& db)
{
    const RecordFields samples[] = {
        {"Smith, J.\nJones, A.", "Cell biology today", "1990", "Nature", "cells; biology"},
        {"Brown, K.", "The history of science", "1985", "Science", "history"},
        {"Smith, J.", "Cell walls", "2001", "Nature", "cells"},
        {"Adams, R.", "A grammar", "1972", "Language", "grammar; syntax"},
        {"Smith, J.", "Cell walls", "2001", "Nature", "cells"},
    };
    for (const RecordFields& fields : samples)
        AddNewRecord(db, fields);
}

// What a database answers, groups and typed searches included.
struct Snapshot
{
    DatabaseAnswers answers;
    std::map<std::string, std::vector<int>> groups;
    std::vector<std::vector<int>> searches;
    bool operator==(const Snapshot& o) const
    {
        return answers == o.answers && groups == o.groups && searches == o.searches;
    }
};

const char* const kSearches[] = {"titl = cell*", "auth = smith", "date < 1980", "key = cells and not jrnl = science",
                                 "rec# = 20-60"};

inline Snapshot Take(DBDatabase& db)
{
    Snapshot s;
    s.answers = Answers(db);
    for (int i = 0; i < db.GetGroupCount(); ++i)
        s.groups[std::string(db.GetGroup(i).name.text)] = Numbers(db.GetGroup(i));
    for (const char* text : kSearches) {
        DBRecordSet found;
        EXPECT_TRUE(SearchDatabaseRecords(text, db, db.GetAllRecords(), found)) << text;
        s.searches.push_back(Numbers(found));
    }
    return s;
}
