#include "database/db/DBTermIndex.h"

#include "database/db/DBRecordSet.h"

DBTermIndex::DBTermIndex(const char* fieldList, FieldTermFunction splitter, const SortKeyContext& database)
    : DBFieldIndex(fieldList), m_splitter(splitter), m_database(database)
{
    m_tree.SetLanguageSort(&database.languageSort);
}

void DBTermIndex::AddTerms(LONG recordNumber, const StyledString& field)
{
    ForEachTerm(field, [&](const char* key, const StyledString& term) {
        DBRecordSet set;
        m_tree.ReadObject(set, key);
        if (set.Contains(recordNumber))
            return;
        if (!term.IsEmpty())
            set.name = term;
        set.Set(recordNumber);
        m_tree.WriteObject(set, key);
    });
}

void DBTermIndex::RemoveTerms(LONG recordNumber, const StyledString& field)
{
    ForEachTerm(field, [&](const char* key, const StyledString&) {
        DBRecordSet set;
        if (!m_tree.ReadObject(set, key))
            return;
        if (set.Clear(recordNumber) > 0)
            m_tree.WriteObject(set, key);
        else
            m_tree.DeleteObject(key);
    });
}
