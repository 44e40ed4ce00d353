#include "database/db/DBTermIndex.h"

#include "database/db/DBRecordSet.h"

DBTermIndex::DBTermIndex(const char* fieldList, FieldTermFunction splitter, const SortKeyContext& database)
    : DBFieldIndex(fieldList), m_splitter(splitter), m_sets(m_tree), m_database(database)
{
    m_tree.SetLanguageSort(&database.languageSort);
}

void DBTermIndex::AddTerms(LONG recordNumber, const StyledString& field)
{
    ForEachTerm(field, [&](const char* key, const StyledString& term) { AddToSet(m_sets, key, recordNumber, &term); });
}

void DBTermIndex::RemoveTerms(LONG recordNumber, const StyledString& field)
{
    ForEachTerm(field, [&](const char* key, const StyledString&) { RemoveFromSet(m_sets, key, recordNumber); });
}
