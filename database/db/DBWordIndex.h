// DBWordIndex: the words of the searchable fields, by their first four
// folded characters (GetWordPrefixKey), to the records that hold such a word.
//
// Keys are plain folded bytes ('CELL', 'BIO'); the sets under them are
// unnamed. The database's word index covers fields 1, 4, 7, 9, 10, 11, 16,
// 30, 32 and 45.
#pragma once

#include "database/btree/StringKeyTree.h"
#include "database/db/DBFieldIndex.h"
#include "database/db/DBSetStores.h"

class BTPagedFile;
class DBRecordSet;

class DBWordIndex : public DBFieldIndex
{
public:
    explicit DBWordIndex(const char* fieldList);

    void Attach(BTPagedFile* file) { m_tree.Attach(file); }
    // The tree with every pending set written.
    StringKeyTree& GetTree()
    {
        FlushPending();
        return m_tree;
    }

    // out = the records of allRecords that hold every word of text (by its
    // key); a text without words gives all of them.
    void FindAllWords(const char* text, const DBRecordSet& allRecords, DBRecordSet& out);
    // As FindAllWords, but a last word that nothing follows matches every
    // key that starts with its key ('cell bio' finds 'biology').
    void FindAllWordsPrefix(const char* text, const DBRecordSet& allRecords, DBRecordSet& out);

    int GetTreeCount() const override { return 1; }
    BTree& GetIndexTree(int) override { return m_tree; }
    DBPendingSets::Store& GetSetStore(int) override { return m_sets; }
    std::unique_ptr<DBRecordIndex> MakeEmpty() const override
    {
        return std::unique_ptr<DBRecordIndex>(new DBWordIndex(GetFieldList()));
    }

protected:
    void AddTerms(LONG recordNumber, const StyledString& field) override;
    void RemoveTerms(LONG recordNumber, const StyledString& field) override;

private:
    void Find(const char* text, const DBRecordSet& allRecords, DBRecordSet& out, bool prefix);
    // The union of the sets of every key that starts with prefix.
    void CollectPrefix(const char* prefix, DBRecordSet& out);

    StringKeyTree m_tree;
    StringTreeSetStore m_sets;
};
