// Generated records of about 1.1 KB shared by the database benchmarks, from a
// fixed pseudo-random sequence so every run sees the same records.
//
// Each record has one of four workforms, one to six authors, a title of 12
// words, a journal, a year (1950-2019), three keywords (one a line), an abstract of 40
// words and a note of 50 words. Its terms are drawn from generated pools with
// a Zipf-like distribution (s = 1: the term of rank r, from 0, is drawn with a
// weight of 1 / (r + 1 + shift)):
// - words: 40 common English function words (ranks 0-39: "the", "of"...)
//   followed by 20,000 generated words of two to four syllables (ranks 40 on);
//   shift 0. The word of rank r is in about 12 / ((r + 1) * 10.5) of the
//   titles: rank 40 in some 2.8% of the records, rank 400 in 0.3%, ranks
//   near 20,000 in a handful.
// - surnames: 3,000 generated surnames of two or three syllables, some with
//   an accented letter or an "O'"/"D'" prefix; shift 9, so the commonest is in
//   some 6% of the records and the rarest in about 20.
// - journals: 300 names made of generated words; shift 1.
// - keywords: 2,000 terms of one or two generated words; shift 1.
// Pools are the same on every run and every machine and a pool's terms are
// distinct; generated words may share their first four letters, as real
// words do, so a word's index key may name more records than the word.
#pragma once

#include "classlib/CString.h"

class DBDatabase;
class DBRecord;

// The next number of the benchmarks' fixed sequence.
unsigned BenchRandom();
// Starts the sequence again, so a second engine sees the same records.
void BenchRestartRandom();
// Fills the fields of record number i (its ID is left to the caller).
void FillBenchRecord(DBRecord& record, int i);
// The term of the given frequency rank (0 = the commonest; ranks wrap around
// the pool's size), for searches that find a known share of the records.
const char* BenchName(unsigned rank);
const char* BenchWord(unsigned rank);
const char* BenchJournal(unsigned rank);
const char* BenchKeyword(unsigned rank);
// The pools' sizes.
unsigned BenchNameCount();
unsigned BenchWordCount();
// Makes a new database under a temporary name and opens it read-write;
// returns its path. An application object must exist (the defaults).
CString CreateBenchDatabase(DBDatabase& db);
