// A database for the sort-index tests: records held in memory, sort slot
// trees on a key file whose header keeps their roots and sort definitions (so
// the file can be closed and opened again), a scratch file made on first use,
// and switches for records that cannot be read or opened.
#pragma once

#include "app/core/TempFile.h"
#include "classlib/Exceptions.h"
#include "database/db/DBRecord.h"
#include "database/file/BTPagedFile.h"
#include "database/sort/DBSortIndex.h"
#include "database/sort/DBSortKeyTree.h"
#include "database/sort/ISortIndexDatabase.h"
#include "database/sort/LanguageSort.h"
#include "database/sort/SortKeyContext.h"

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

// A key file whose header carries the root and sort definition of every slot.
class SlotKeyFile : public BTPagedFile
{
public:
    SlotKeyFile()
    {
        SetDocumentType(0x7E58);
        SetVersion(1);
    }
    void SerializeHeader(CArchive& ar) override
    {
        BTPagedFile::SerializeHeader(ar);
        for (DBSortKeyTree* tree : trees)
            tree->SerializeRoot(ar);
    }
    std::vector<DBSortKeyTree*> trees;
};

class MemorySortDatabase : public ISortIndexDatabase
{
public:
    explicit MemorySortDatabase(const std::vector<DBSortSpec>& specs, const std::string& keyPath)
        : sort(langGeneral), context(sort, authorStops, genericStops), trees(specs.size()),
          keyFileName(keyPath)
    {
        authorStops.Add("von");
        genericStops.Add("the");
        for (size_t i = 0; i < specs.size(); ++i)
            keyFile.trees.push_back(&trees[i]);
        keyFile.SetPathName(keyPath.c_str());
        keyFile.CreateNew();
        OpenKeyFile(FALSE);
        for (size_t i = 0; i < specs.size(); ++i) {
            trees[i].Attach(&keyFile, this);
            trees[i].SetSpec(specs[i]);
        }
    }
    ~MemorySortDatabase()
    {
        for (auto& tree : trees)
            tree.Attach(nullptr, this);
        if (keyFile.IsOpen())
            keyFile.Close();
        std::remove(keyFileName.c_str());
        if (scratch) {
            scratch->Abort();
            CFile::Remove(scratch->GetPathName());
        }
    }

    void OpenKeyFile(BOOL readOnly)
    {
        CFileException error;
        const UINT mode =
            readOnly ? CFile::modeRead | CFile::shareDenyWrite : CFile::modeReadWrite | CFile::shareExclusive;
        if (!keyFile.OpenFile(mode, &error))
            AfxThrowFileException(error.m_cause);
    }
    // Closes the key file (writing everything) and opens it again: the slot
    // roots come back from its header.
    void ReopenKeyFile()
    {
        keyFile.Close();
        for (auto& tree : trees)
            tree.Attach(&keyFile, this);
        OpenKeyFile(FALSE);
    }

    // Records.
    DBRecord& Store(int32_t number)
    {
        std::unique_ptr<DBRecord>& slot = records[number];
        slot.reset(new DBRecord);
        slot->m_bAutoDelete = FALSE;
        slot->SetRecordNumber(number);
        return *slot;
    }
    DBRecordSet AllRecords() const
    {
        DBRecordSet all;
        for (const auto& entry : records)
            all.Set(entry.first);
        return all;
    }
    static void CopyRecord(const DBRecord& from, DBRecord& to)
    {
        for (int n = 0; n <= DBRecord::kFieldCount; ++n)
            to.SetField(from.GetField((BYTE)n), (BYTE)n);
        to.SetWorkformId(from.GetWorkformId());
        to.SetRecordNumber(from.GetRecordNumber());
    }

    void ReadRecord(DBRecord& record, int32_t number) override
    {
        const auto it = records.find(number);
        if (it == records.end() || unreadable.count(number) != 0)
            AfxThrowFileException(CFileException::generic);
        CopyRecord(*it->second, record);
    }
    DBRecord* OpenRecord(int32_t number) override
    {
        const auto it = records.find(number);
        return it == records.end() || unopenable.count(number) != 0 ? nullptr : it->second.get();
    }
    BOOL CommitDatabase() override
    {
        ++commits;
        keyFile.FlushIfWritable();
        return TRUE;
    }

    const SortKeyContext& GetSortKeyContext() override { return context; }
    CString GetWorkformName(int16_t id) override
    {
        return id == 1 ? "Book" : id == 2 ? "Thesis" : "Journal Article";
    }
    int GetSortSlotCount() override { return (int)trees.size(); }
    DBSortKeyTree& GetSortSlotTree(int slot) override { return trees[(size_t)slot]; }
    BTPagedFile* GetScratchFile() override
    {
        if (!scratch) {
            scratch.reset(new BTPagedFile);
            scratch->SetPathName(MakeTempFileName());
            CFileException error;
            if (!scratch->OpenFile(CPFile::modeCreateExclusive, &error))
                AfxThrowFileException(error.m_cause);
        }
        return scratch.get();
    }
    void ForgetSortIndex(DBSortIndex* index) override { forgotten.push_back(index); }

    BOOL NeedsDuplicateBuild() override { return duplicatesWanted; }
    void AddDuplicateRecord(DBRecord&) override { ++duplicatesAdded; }
    void ResetDuplicates() override { ++duplicateResets; }

    CLanguageSort sort;
    CStringArray authorStops;
    CStringArray genericStops;
    SortKeyContext context;
    std::vector<DBSortKeyTree> trees;
    SlotKeyFile keyFile;
    std::string keyFileName;
    std::unique_ptr<BTPagedFile> scratch;
    std::map<int32_t, std::unique_ptr<DBRecord>> records;
    std::set<int32_t> unreadable;
    std::set<int32_t> unopenable;
    std::vector<DBSortIndex*> forgotten;
    int commits = 0;
    BOOL duplicatesWanted = FALSE;
    int duplicatesAdded = 0;
    int duplicateResets = 0;
};
