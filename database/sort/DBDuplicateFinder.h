// DBDuplicateFinder: the duplicate-key tree of a database.
//
// Every record has a duplicate key built from the fields of the settings in
// a normalised, shortened form; the tree keeps under each key (a text of the
// string-keyed tree) the DBRecordSet of the records that have it. Records
// sharing a key with another record are the database's duplicates set, which
// the database holds and passes to every operation that changes the tree.
//
// Duplicate key (BuildKey): a NUL-terminated byte string of at most kKeySize
// bytes: one piece per code (the first min(fieldCount, 10)), each followed by
// 0x01, the last 0x01 replaced by the NUL. A piece longer than the budget
// (min(256 / n, 63)) is cut to three slices of budget / 3 bytes: its start,
// its middle (from length / 2 - budget / 6) and its end. Pieces by field:
//   authors 1, 7, 16, 30   each author's key words (the author stop list, the
//                          generic one for a literal "=" name; with
//                          lastNameOnly up to the last name), nothing between
//                          words or authors, at most the field's length,
//                          folded (g_AccentFold, ANSI lead bytes dropped)
//   dates 12, 20, 21       with a year: the 8 upper-case hexadecimal digits of
//                          the start's date number (era, year and letter, and
//                          without yearOnly month and day); else as text
//   call number 44         its shelf-order key
//   any other              its key words (the first left out when the generic
//                          stop list holds it) with nothing between, folded
// So case, accents, blanks, punctuation and a leading stop word never reach
// the key: 'Smith, J.' and 'SMITH J' are equal authors.
//
// A date always keeps its eight digits and a call number its whole key,
// whatever the length of its text: a cut to the text's length would key '90'
// and '85' (both 0x87..) alike, and 'QA76.73 .C15' and 'QA76.73 .C16'. The
// key never passes kKeySize bytes: with five or more fields the pieces could
// otherwise run past it.
//
// With no fields configured every operation does nothing and FindDuplicateOf
// answers FALSE. Tree errors are those of StringKeyTree.
//
// With a write-back layer set (SetPendingSets) the sets change in memory, as
// the index sets do; FindDuplicateOf reads them there, and the owner flushes
// the layer before anything else reads the tree.
#pragma once

#include "database/btree/StringKeyTree.h"
#include "database/db/DBSetStores.h"
#include "database/sort/DuplicateSettings.h"
#include "database/sort/SortKeyContext.h"

#include <string>

class BTPagedFile;
class DBRecordSet;
class SortKeyRecord;

// What Mark by Size and Mark by Date need of the database document: the
// records' sizes and ages, and the progress dialog.
class DuplicateMarkSource
{
public:
    virtual ~DuplicateMarkSource() = default;
    // Opens record n for its total field text length and creation time;
    // FALSE when it cannot be opened.
    virtual BOOL ReadRecordFacts(LONG n, DWORD* textLength, DWORD* created) = 0;
    // One step of the progress dialog; FALSE when the user stopped.
    virtual BOOL Step() = 0;
};

class DBDuplicateFinder : public StringKeyTree
{
public:
    enum
    {
        kKeySize = 256,
        kMaxBudget = 63
    };

    DBDuplicateFinder();
    ~DBDuplicateFinder() override;

    using StringKeyTree::Attach;
    // The context gives the stop lists; it must outlive the finder.
    void Attach(BTPagedFile* file, const SortKeyContext* database);

    void SetPendingSets(DBPendingSets* pending) { m_pending = pending; }
    // Empties the tree, and the sets of the layer.
    void RemoveAllSets();

    const DuplicateSettings& GetSettings() const { return m_settings; }
    void SetSettings(const DuplicateSettings& settings) { m_settings = settings; }

    // The record's key into dest (kKeySize bytes); needs at least one field.
    void BuildKey(char* dest, const SortKeyRecord& record) const;

    // TRUE when a stored record other than this one has the record's key.
    BOOL FindDuplicateOf(const SortKeyRecord& record);
    void AddRecord(const SortKeyRecord& record, DBRecordSet& duplicates);
    void UpdateRecord(const SortKeyRecord& oldRecord, const SortKeyRecord& newRecord,
                      DBRecordSet& duplicates);
    void RemoveRecord(const SortKeyRecord& record, DBRecordSet& duplicates);

    // out = the duplicates set less, of every group, the record to keep: the
    // largest (total text length) or the oldest (creation time); the first of
    // equals. FALSE when stopped, or a group or record cannot be read (out
    // then partly reduced).
    BOOL MarkBySize(DuplicateMarkSource& source, const DBRecordSet& duplicates, DBRecordSet& out);
    BOOL MarkByDate(DuplicateMarkSource& source, const DBRecordSet& duplicates, DBRecordSet& out);

private:
    void AddUnder(const char* key, LONG recordNumber, DBRecordSet& duplicates);
    void RemoveUnder(const char* key, LONG recordNumber, DBRecordSet& duplicates);
    BOOL Mark(DuplicateMarkSource& source, const DBRecordSet& duplicates, DBRecordSet& out, bool bySize);
    // One field's text as it enters the key, before cutting.
    std::string MakeFieldText(const SortKeyRecord& record, int code) const;

    DuplicateSettings m_settings;
    const SortKeyContext* m_database; // not owned
    DBPendingSets* m_pending;         // not owned
    StringTreeSetStore m_sets;        // this tree, for the layer
};
