#include "database/sort/DBSortIndex.h"

#include "app/core/TempFile.h"
#include "classlib/Exceptions.h"
#include "database/db/DBRecord.h"
#include "database/sort/ISortIndexDatabase.h"

DBSortIndex::DBSortIndex(ISortIndexDatabase* database, const DBRecordSet& records, const DBSortSpec& sortSpec)
    : recordSet(records)
{
    SetSpec(sortSpec);
    Attach(nullptr, database);
}

DBSortIndex::~DBSortIndex()
{
    if (!scratchFile.GetPathName().IsEmpty()) {
        try {
            if (scratchFile.IsOpen())
                scratchFile.Abort();
            CFile::Remove(scratchFile.GetPathName());
        } catch (CException* e) {
            e->Delete(); // a scratch file left behind is harmless
        }
    }
    if (m_database)
        m_database->ForgetSortIndex(this);
}

void DBSortIndex::OpenScratchFile()
{
    scratchFile.SetPathName(MakeTempFileName());
    CFileException error;
    if (!scratchFile.OpenFile(CPFile::modeCreateExclusive, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, scratchFile.GetPathName());
    Attach(&scratchFile, m_database);
}

void DBSortIndex::Build()
{
    if (!scratchFile.IsOpen())
        OpenScratchFile();
    for (int number = recordSet.FindNext(-1); number != -1; number = recordSet.FindNext(number)) {
        DBRecord record;
        m_database->ReadRecord(record, number);
        AddRecord(record);
    }
    scratchFile.FlushIfWritable();
}
