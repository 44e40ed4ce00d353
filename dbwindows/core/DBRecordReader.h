// DBRecordReader: the records of a set, one by one in ascending record
// number, read into one reused record object owned by the document; for
// passes that only read (searches).
#pragma once

#include "database/db/DBRecord.h"
#include "database/db/DBRecordSet.h"

class DBDocument;

class DBRecordReader
{
public:
    DBRecordReader(DBDocument& document, const DBRecordSet& records);
    ~DBRecordReader();

    // The next record of the set, or NULL at the end and after a read error
    // (reported through the record's file-error report).
    DBRecord* Next();
    int32_t GetCurrentNumber() const { return m_current; }

private:
    DBDocument& m_document;
    DBRecordSet m_records;
    DBRecord m_record;
    int32_t m_current;
};
