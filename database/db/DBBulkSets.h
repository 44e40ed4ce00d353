// DBBulkSets: the index sets of many added records, collected as (key,
// record number) pairs and built once at the end of the batch.
//
// While a batch runs, the write-back layer (DBPendingSets::SetBulk) hands
// every addition to a collectable store here instead of reading and
// changing the key's set. The pairs are kept per store and key, members in
// ascending order (records come in ascending number order; a number out of
// order is placed where it belongs). When the memory they take passes the
// bound, every store's keys are written, sorted, as one run to a scratch
// file of their own and dropped from memory. Build merges the runs and what
// is in memory key by key, in the tree's order, and makes each key's set
// once: a store whose tree is empty gets its tree built bottom-up with full
// nodes (BTBulkBuilder), any other has its sets read, added to and written
// back in one ordered pass.
//
// The stored forms are those of the record-by-record path: a key's set gets
// the members, blocks and name that adding its records one at a time gives
// (a non-empty name of a record new in the set replaces the set's name;
// under kNameWhenNew only a set made for the key takes the first name).
//
// Failures: Build that raises leaves the trees part built; the batch's owner
// then abandons the files' state since their last commit (the pairs are
// forgotten either way). Scratch files are deleted by Build, Discard and the
// destructor.
#pragma once

#include "database/db/DBPendingSets.h"
#include "database/text/StyledString.h"

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class BTBulkBuilder;

class DBBulkSets
{
public:
    enum : size_t
    {
        kDefaultBound = 64u << 20,
    };

    DBBulkSets();
    ~DBBulkSets();
    DBBulkSets(const DBBulkSets&) = delete;
    DBBulkSets& operator=(const DBBulkSets&) = delete;

    void SetBound(size_t bytes) { m_bound = bytes; }
    size_t GetMemory() const { return m_memory; }
    size_t GetPeakMemory() const { return m_peak; }
    // Runs written to scratch files since the last Build or Discard.
    int GetRunCount() const { return (int)m_runs.size(); }
    BOOL HasPending() const;
    // The stores that have pairs.
    void GetStores(std::vector<DBPendingSets::Store*>& stores) const;
    // Pages the bottom-up builds wrote.
    DWORD GetPagesBuilt() const { return m_pagesBuilt; }

    void Add(DBPendingSets::Store& store, const std::string& key, LONG recordNumber, const StyledString* name,
             DBPendingSets::NameRule rule);
    // Makes every collected set in its tree, then forgets the pairs.
    void Build();
    // Forgets every pair, built or not.
    void Discard();

    // One key's pairs.
    struct Pairs
    {
        std::vector<LONG> members;
        std::unique_ptr<DBRecordSet> bitmap; // the members, once smaller so
        StyledString name;
        bool named = false;
        BYTE rule = 0;
        size_t bytes = 0;
    };
    // A key's pairs from every source, merged.
    struct Item
    {
        std::string key;
        std::vector<LONG> members;
        StyledString name;
        bool named = false;
        BYTE rule = 0;
    };

private:
    struct StorePairs
    {
        DBPendingSets::Store* store;
        std::unordered_map<std::string, Pairs> keys;
    };
    struct Run
    {
        CString path;
        std::vector<DWORD> sections; // per store of m_stores, the offset of its keys
        std::vector<DWORD> counts;
    };
    class Source;

    StorePairs& Find(DBPendingSets::Store& store);
    void WriteRun();
    void BuildStore(size_t index);
    void MakeSet(DBPendingSets::Store& store, Item& item, BTBulkBuilder* builder);
    void DeleteRuns();

    std::vector<std::unique_ptr<StorePairs>> m_stores; // every store seen, in runs or memory
    std::vector<Run> m_runs;
    size_t m_bound;
    size_t m_memory;
    size_t m_peak;
    DWORD m_pagesBuilt;
    LONG m_lastRecord;
};
