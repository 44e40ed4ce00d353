#include "database/db/DBWordIndex.h"

#include "database/btree/BTreeCursor.h"
#include "database/db/DBRecordSet.h"
#include "database/db/FieldTerms.h"
#include "database/text/StyledString.h"

#include <string.h>

namespace {

// Calls visit(key, last) for each word of text; last is true for a word that
// ends the text.
template <class Visit> void ForEachWordKey(const char* text, Visit visit)
{
    char key[kWordPrefixLength + 1];
    const int length = static_cast<int>(strlen(text));
    for (int pos = 0; pos < length;) {
        const int step = GetWordPrefixKey(text + pos, key);
        if (key[0] == '\0' || step <= 0)
            break;
        pos += step;
        visit(key, pos >= length);
    }
}

} // namespace

DBWordIndex::DBWordIndex(const char* fieldList) : DBFieldIndex(fieldList), m_sets(m_tree) {}

void DBWordIndex::AddTerms(LONG recordNumber, const StyledString& field)
{
    ForEachWordKey(field.text, [&](const char* key, bool) { AddToSet(m_sets, key, recordNumber); });
}

void DBWordIndex::RemoveTerms(LONG recordNumber, const StyledString& field)
{
    ForEachWordKey(field.text, [&](const char* key, bool) { RemoveFromSet(m_sets, key, recordNumber); });
}

void DBWordIndex::FindAllWords(const char* text, const DBRecordSet& allRecords, DBRecordSet& out)
{
    Find(text, allRecords, out, false);
}

void DBWordIndex::FindAllWordsPrefix(const char* text, const DBRecordSet& allRecords, DBRecordSet& out)
{
    Find(text, allRecords, out, true);
}

void DBWordIndex::Find(const char* text, const DBRecordSet& allRecords, DBRecordSet& out, bool prefix)
{
    FlushPending();
    out = allRecords;
    ForEachWordKey(text, [&](const char* key, bool last) {
        DBRecordSet set;
        if (prefix && last)
            CollectPrefix(key, set);
        else
            m_tree.ReadObject(set, key);
        out &= set;
    });
}

void DBWordIndex::CollectPrefix(const char* prefix, DBRecordSet& out)
{
    const size_t length = strlen(prefix);
    BTreeCursor cursor(&m_tree);
    cursor.SeekText(prefix);
    while (cursor.IsOnEntry()) {
        const CString key = cursor.GetKeyText();
        if (strncmp(key, prefix, length) != 0)
            break;
        DBRecordSet set;
        cursor.ReadObject(set);
        out |= set;
        if (!cursor.NextKey())
            break;
    }
}
