// Generated records of about 1.1 KB shared by the database benchmarks: four
// workforms, one to six authors, a title, a journal, a year, keywords and two
// long notes, from a fixed pseudo-random sequence so every run sees the same
// records.
#pragma once

#include "classlib/CString.h"

class DBDatabase;
class DBRecord;

// The next number of the benchmarks' fixed sequence.
unsigned BenchRandom();
// Fills the fields of record number i (its ID is left to the caller).
void FillBenchRecord(DBRecord& record, int i);
// The names and words the records are made of, for searches that find them.
const char* BenchName(unsigned i);
const char* BenchWord(unsigned i);
// Makes a new database under a temporary name and opens it read-write;
// returns its path. An application object must exist (the defaults).
CString CreateBenchDatabase(DBDatabase& db);
