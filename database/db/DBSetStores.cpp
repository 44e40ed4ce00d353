#include "database/db/DBSetStores.h"

#include "database/btree/BTBulkBuilder.h"
#include "database/btree/BTRecordTree.h"
#include "database/btree/BTreeCursor.h"
#include "database/btree/StringKeyTree.h"
#include "classlib/Exceptions.h"

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
    for (size_t i = 0; i < key.size() && i < 4; ++i)
        value = (value << 8) | (BYTE)key[i];
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

void StringTreeSetStore::GetKeys(std::vector<std::string>& keys)
{
    BTreeCursor cursor(&m_tree);
    for (BOOL on = cursor.MoveFirst(); on && cursor.IsOnEntry(); on = cursor.NextKey()) {
        const CString text = cursor.GetKeyText();
        AfxTranslateBadAlloc([&] { keys.emplace_back((const char*)text); });
    }
}

void RecordTreeSetStore::GetKeys(std::vector<std::string>& keys)
{
    BTreeCursor cursor(&m_tree);
    for (BOOL on = cursor.MoveFirst(); on && cursor.IsOnEntry(); on = cursor.NextKey()) {
        const DWORD key = cursor.ReadU32();
        AfxTranslateBadAlloc([&] { keys.push_back(MakeKey(key)); });
    }
}

BTree& StringTreeSetStore::GetTree()
{
    return m_tree;
}

void StringTreeSetStore::AppendSet(BTBulkBuilder& builder, DBRecordSet& set, const std::string& key)
{
    builder.AppendObject(set, StringKeyTree::ObjectKey(key.c_str()));
}

BTree& RecordTreeSetStore::GetTree()
{
    return m_tree;
}

void RecordTreeSetStore::AppendSet(BTBulkBuilder& builder, DBRecordSet& set, const std::string& key)
{
    builder.AppendObject(set, BTRecordTree::ObjectKey(KeyOf(key)));
}
