// A new database with a few records and a group, closed.
#include "FuzzSeeds.h"

#include "classlib/Profile.h"
#include "classlib/WinApp.h"
#include "database/db/DBDatabase.h"
#include "database/db/DBRecord.h"

#include <unistd.h>

void WriteSeeds(FuzzSeeds& seeds)
{
    const std::string base = "/tmp/lorvane-seed-database-" + std::to_string(getpid());
    CProfile::SetStoreFile((base + ".profile").c_str());
    CWinApp app("Lorvane5 Fuzz Seeds");
    app.SetRegistryKey("Quenmark");
    app.SetProfileName("Lorvane 5 Fuzz Seeds");
    DBDatabase db;
    db.SetPathName((base + ".ldt").c_str());
    db.CreateNew();
    CFileException error;
    db.OpenDatabase(CFile::modeReadWrite | CFile::shareExclusive, &error);
    const char* titles[] = {"Cell biology", "A grammar", "The history of science"};
    for (const char* title : titles) {
        DBRecord record;
        record.m_bAutoDelete = FALSE;
        record.SetField(StyledString("Smith, J."), 1);
        record.SetField(StyledString(title), 4);
        record.SetRecordIdText(db.GetNextRecordId());
        db.AddRecord(record, db.GetNextFreeRecordNumber());
    }
    db.AddGroup("Reviews")->Set(1);
    db.Close();
    seeds.Add("database", FuzzSeeds::TakeFile(base + ".ldt"));
    std::remove((base + ".ldx").c_str());
    std::remove((base + ".profile").c_str());
}
