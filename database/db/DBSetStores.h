// The two tree kinds that keep index record sets, as stores of the
// write-back layer (DBPendingSets::Store).
//
// StringTreeSetStore: the key is the tree's text (term, word and workform
// indexes), the set stored as an object under it. RecordTreeSetStore: the
// key is a u32 in the record number's place (date indexes), the set stored
// as that number's blob; its key in the layer is the number's four bytes
// most significant first, so that keys compare as the numbers do.
#pragma once

#include "database/db/DBPendingSets.h"

class BTRecordTree;
class StringKeyTree;

class StringTreeSetStore : public DBPendingSets::Store
{
public:
    explicit StringTreeSetStore(StringKeyTree& tree) : m_tree(tree) {}
    BOOL LoadSet(DBRecordSet& set, const std::string& key) override;
    void StoreSet(DBRecordSet& set, const std::string& key) override;
    void DeleteSet(const std::string& key) override;
    void GetKeys(std::vector<std::string>& keys) override;
    BTree& GetTree() override;
    void AppendSet(BTBulkBuilder& builder, DBRecordSet& set, const std::string& key) override;

private:
    StringKeyTree& m_tree;
};

class RecordTreeSetStore : public DBPendingSets::Store
{
public:
    explicit RecordTreeSetStore(BTRecordTree& tree) : m_tree(tree) {}
    static std::string MakeKey(DWORD key)
    {
        const char bytes[4] = {(char)(key >> 24), (char)(key >> 16), (char)(key >> 8), (char)key};
        return std::string(bytes, sizeof bytes);
    }
    BOOL LoadSet(DBRecordSet& set, const std::string& key) override;
    void StoreSet(DBRecordSet& set, const std::string& key) override;
    void DeleteSet(const std::string& key) override;
    void GetKeys(std::vector<std::string>& keys) override;
    BTree& GetTree() override;
    void AppendSet(BTBulkBuilder& builder, DBRecordSet& set, const std::string& key) override;

private:
    static DWORD KeyOf(const std::string& key);

    BTRecordTree& m_tree;
};
