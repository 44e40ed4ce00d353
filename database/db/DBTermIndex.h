// DBTermIndex: whole terms of some fields (authors, journals, titles,
// keywords) to the records that hold them.
//
// A splitter (FieldTerms) cuts a field into terms; each term's index key
// (collated through the database's language sort) is a text of the tree, and
// under it is stored the DBRecordSet of the records holding the term, named
// with the term's display form as the first record that brought it wrote it.
// A key is in the tree exactly while some record holds its term.
//
// The database's indexes:
//   authors   fields 1, 7, 16, 30   GetNextAuthorTerm
//   journals  field 10              GetWholeFieldTerm
//   titles    fields 4, 9, 11, 32   GetWholeFieldTerm
//   keywords  field 45              GetNextListTerm
#pragma once

#include "database/btree/StringKeyTree.h"
#include "database/db/DBFieldIndex.h"
#include "database/db/DBSetStores.h"
#include "database/db/FieldTerms.h"
#include "database/text/StyledString.h"

class BTPagedFile;

class DBTermIndex : public DBFieldIndex
{
public:
    // The context must outlive the index; its language sort orders the tree.
    DBTermIndex(const char* fieldList, FieldTermFunction splitter, const SortKeyContext& database);

    void Attach(BTPagedFile* file) { m_tree.Attach(file); }
    // The tree with every pending set written.
    StringKeyTree& GetTree()
    {
        FlushPending();
        return m_tree;
    }

    // Walks the terms of a field: calls visit(key, display form) for every
    // term with a key.
    template <class Visit> void ForEachTerm(const StyledString& field, Visit visit) const;

    int GetTreeCount() const override { return 1; }
    BTree& GetIndexTree(int) override { return m_tree; }
    DBPendingSets::Store& GetSetStore(int) override { return m_sets; }
    std::unique_ptr<DBRecordIndex> MakeEmpty() const override
    {
        return std::unique_ptr<DBRecordIndex>(new DBTermIndex(GetFieldList(), m_splitter, m_database));
    }

protected:
    void AddTerms(LONG recordNumber, const StyledString& field) override;
    void RemoveTerms(LONG recordNumber, const StyledString& field) override;

private:
    FieldTermFunction m_splitter;
    StringKeyTree m_tree;
    StringTreeSetStore m_sets;
    const SortKeyContext& m_database;
};

template <class Visit> void DBTermIndex::ForEachTerm(const StyledString& field, Visit visit) const
{
    char key[kTermKeySize];
    StyledString term;
    for (int pos = 0; pos < field.GetLength();) {
        const int next = m_splitter(m_database, field, pos, key, term);
        if (key[0] != '\0')
            visit(key, term);
        if (next <= pos)
            break;
        pos = next;
    }
}
