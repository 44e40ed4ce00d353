// ISearchDatabase: the database as a search sees it.
//
// The search run and its leaves need only these calls: the record numbers in
// use, reading a stored record, the word, date and workform indexes, the
// record-ID index (sort slot 0) and the groups. The database object
// implements them; tests implement them over records held in memory with
// real indexes. Lookups raise the class library's exceptions.
#pragma once

#include "classlib/Types.h"

#include <cstdint>

class DBDateIndex;
class DBRecord;
class DBRecordSet;
class DBSortKeyTree;
class DBWordIndex;
class DBWorkformIndex;
class FieldSet;

class ISearchDatabase
{
public:
    // Every record number in use (the database's allRecords).
    virtual const DBRecordSet& GetAllRecords() = 0;
    // Reads stored record `number` into `record` (a fresh object) and gives it the number.
    virtual void ReadRecord(DBRecord& record, int32_t number) = 0;
    // The same, where only the fields in `wanted` (1 to 45, 0 for the record
    // ID text) need to be right, as a search test looks at no other; a
    // database may leave the others empty. The workform is always read.
    virtual void ReadRecordFields(DBRecord& record, int32_t number, const FieldSet& wanted)
    {
        ReadRecord(record, number);
    }
    // Words of fields 1, 4, 7, 9, 10, 11, 16, 30, 32 and 45.
    virtual DBWordIndex& GetWordIndex() = 0;
    // Dates of fields 12, 20 and 21.
    virtual DBDateIndex& GetDateIndex() = 0;
    virtual DBWorkformIndex& GetWorkformIndex() = 0;
    // Slot 0 is the record-ID index; its builder makes record-ID key parts.
    virtual DBSortKeyTree& GetSortSlotTree(int slot) = 0;
    // TRUE when a group's name has the same group index key as the name.
    virtual BOOL GroupExists(const char* name) = 0;
    // The first group whose name equals the name without regard to case; NULL when none.
    virtual const DBRecordSet* FindGroup(const char* name) = 0;

protected:
    ~ISearchDatabase() = default;
};
