// A database for the search tests: records held in memory, the record-ID
// index (sort slot 0), the word, date and workform indexes on one key file,
// and groups, all kept current as records are added, as the database does.
#pragma once

#include "../sort/MemorySortDatabase.h"

#include "database/db/DBDateIndex.h"
#include "database/db/DBWordIndex.h"
#include "database/db/DBWorkformIndex.h"
#include "database/search/ISearchDatabase.h"
#include "database/sort/DBRecordSortView.h"
#include "database/text/WorkformTable.h"

#include <cstring>
#include <initializer_list>
#include <set>
#include <string>
#include <utility>
#include <vector>

inline std::vector<DBSortSpec> RecordIdSlot()
{
    DBSortSpec spec;
    spec.AddKey({sortFieldRecordId, 1});
    return {spec};
}

class SearchTestDatabase : public MemorySortDatabase, public ISearchDatabase
{
public:
    explicit SearchTestDatabase(const std::string& keyPath)
        : MemorySortDatabase(RecordIdSlot(), keyPath), words("\x01\x04\x07\x09\x0a\x0b\x10\x1e\x20\x2d"),
          dates("\x0c\x14\x15")
    {
        words.Attach(&keyFile);
        dates.Attach(&keyFile);
        workforms.Attach(&keyFile);
    }

    // Stores a record with its ID, workform and (field, text) pairs, and indexes it.
    DBRecord& Add(int32_t number, const char* id, int16_t workform,
                  std::initializer_list<std::pair<int, const char*>> fields)
    {
        DBRecord& record = Store(number);
        for (const auto& field : fields)
            record.SetField(StyledString(field.second), (BYTE)field.first);
        record.SetRecordIdText(id);
        record.SetWorkformId(workform);
        trees[0].AddRecord(record);
        const DBRecordSortView view(record, GetWorkformTable().GetName(workform));
        words.AddRecord(view);
        dates.AddRecord(view);
        workforms.AddRecord(view);
        all.Set(number);
        return record;
    }
    void AddGroup(const char* name, std::initializer_list<int> members)
    {
        groups.emplace_back(name, DBRecordSet(name));
        for (int n : members)
            groups.back().second.Set(n);
    }

    const DBRecordSet& GetAllRecords() override { return all; }
    void ReadRecord(DBRecord& record, int32_t number) override
    {
        ++reads;
        MemorySortDatabase::ReadRecord(record, number);
    }
    DBWordIndex& GetWordIndex() override { return words; }
    DBDateIndex& GetDateIndex() override { return dates; }
    DBWorkformIndex& GetWorkformIndex() override { return workforms; }
    DBSortKeyTree& GetSortSlotTree(int slot) override { return MemorySortDatabase::GetSortSlotTree(slot); }
    BOOL GroupExists(const char* name) override { return FindGroup(name) != nullptr; }
    const DBRecordSet* FindGroup(const char* name) override
    {
        for (const auto& group : groups) {
            if (group.first.CompareNoCase(name) == 0)
                return &group.second;
        }
        return nullptr;
    }

    DBWordIndex words;
    DBDateIndex dates;
    DBWorkformIndex workforms;
    DBRecordSet all;
    std::vector<std::pair<CString, DBRecordSet>> groups;
    int reads = 0;
};

inline std::set<int> Members(const DBRecordSet& set)
{
    std::set<int> members;
    for (int n = set.FindNext(-1); n >= 0; n = set.FindNext(n))
        members.insert(n);
    return members;
}
