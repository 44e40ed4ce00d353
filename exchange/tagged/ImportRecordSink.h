// ImportRecordSink: where the tagged import puts its records. Two
// implementations: straight over a database document (DocumentRecordSink) and
// the application's automation import object.
//
// Calling order: OpenDatabase (where the sink is not bound already),
// BeginImport, any number of AddRecord, EndImport.
#pragma once

#include "classlib/Types.h"

#include <cstdint>

struct TaggedRecord;

class ImportRecordSink
{
public:
    virtual ~ImportRecordSink() = default;

    // Binds the sink to the database at `path`, opening it when needed.
    virtual BOOL OpenDatabase(const char* path) = 0;
    // Duplicates are discarded only when `checkDuplicates` and the setting
    // "Discard Duplicates" both ask; `markImported` makes this import's
    // records the marked set.
    virtual BOOL BeginImport(BOOL checkDuplicates, BOOL markImported) = 0;
    // Stores one record: `number` is its new record number, or -1 when it was
    // discarded as a duplicate (result TRUE). FALSE ends the import.
    virtual BOOL AddRecord(const TaggedRecord& record, int32_t& number) = 0;
    // Flushes the database; the views learn of the new records.
    virtual void EndImport() = 0;
};
