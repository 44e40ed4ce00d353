#include "bench/support/BenchRecords.h"

#include "app/core/Paths.h"
#include "app/core/TempFile.h"
#include "classlib/Exceptions.h"
#include "database/db/DBDatabase.h"
#include "database/db/DBRecord.h"

#include <cstdio>
#include <string>

static const char* const kNames[] = {"Smith", "Jones",  "Müller",   "García", "Nguyen", "O'Brien",
                              "Åberg", "Tanaka", "Kowalski", "Dubois", "Rossi",  "Novak"};
static const char* const kWords[] = {"analysis", "of",     "the",     "theory",  "cell",
                              "growth",   "in",     "models",  "data",    "review",
                              "protein",  "signal", "network", "climate", "language"};

namespace {
unsigned g_seed = 12345;
}

unsigned BenchRandom()
{
    g_seed = g_seed * 1103515245u + 12345u;
    return g_seed >> 8;
}

static std::string Words(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i)
            text += ' ';
        text += kWords[BenchRandom() % (sizeof kWords / sizeof *kWords)];
    }
    return text;
}

void FillBenchRecord(DBRecord& record, int i)
{
    std::string authors;
    const int authorCount = 1 + (int)(BenchRandom() % 6);
    for (int a = 0; a < authorCount; ++a) {
        if (a)
            authors += '\n';
        authors += kNames[BenchRandom() % (sizeof kNames / sizeof *kNames)];
        authors += ", ";
        authors += (char)('A' + BenchRandom() % 26);
        authors += '.';
    }
    char year[16];
    std::snprintf(year, sizeof year, "%d", 1950 + (int)(BenchRandom() % 70));
    record.SetWorkformId((int16_t)(i % 4));
    record.SetField(StyledString(authors.c_str()), 1);
    record.SetField(StyledString(Words(12).c_str()), 4);
    record.SetField(StyledString(Words(2).c_str()), 10);
    record.SetField(StyledString(year), 12);
    record.SetField(StyledString(Words(40).c_str()), 35);
    record.SetField(StyledString(Words(90).c_str()), 38);
    record.SetField(StyledString((Words(1) + "; " + Words(1) + "; " + Words(1)).c_str()), 45);
}

const char* BenchName(unsigned i)
{
    return kNames[i % (sizeof kNames / sizeof *kNames)];
}

const char* BenchWord(unsigned i)
{
    return kWords[i % (sizeof kWords / sizeof *kWords)];
}

CString CreateBenchDatabase(DBDatabase& db)
{
    const CString path = ReplaceExtension(MakeTempFileName(), ".ldt");
    db.SetPathName(path);
    db.CreateNew();
    CFileException error;
    if (!db.OpenDatabase(CFile::modeReadWrite | CFile::shareExclusive, &error))
        AfxThrowFileException(error.m_cause);
    return path;
}
