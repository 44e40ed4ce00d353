#include "database/db/DBSetStores.h"

#include "database/btree/BTRecordTree.h"
#include "database/btree/StringKeyTree.h"

#include <cstring>

BOOL StringTreeSetStore::LoadSet(DBRecordSet& set, const std::string& key)
{
    return m_tree.ReadObject(set, key.c_str());
}

void StringTreeSetStore::StoreSet(DBRecordSet& set, const std::string& key)
{
    m_tree.WriteObject(set, key.c_str());
}

void StringTreeSetStore::DeleteSet(const std::string& key)
{
    m_tree.DeleteObject(key.c_str());
}

DWORD RecordTreeSetStore::KeyOf(const std::string& key)
{
    DWORD value = 0;
    std::memcpy(&value, key.data(), key.size() < sizeof value ? key.size() : sizeof value);
    return value;
}

BOOL RecordTreeSetStore::LoadSet(DBRecordSet& set, const std::string& key)
{
    return m_tree.ReadBlob(set, KeyOf(key));
}

void RecordTreeSetStore::StoreSet(DBRecordSet& set, const std::string& key)
{
    m_tree.ReplaceBlob(set, KeyOf(key));
}

void RecordTreeSetStore::DeleteSet(const std::string& key)
{
    m_tree.DeleteBlob(KeyOf(key));
}
