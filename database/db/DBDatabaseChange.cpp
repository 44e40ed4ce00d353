// The unit of work of DBDatabase: one change, all or nothing.
#include "database/db/DBDatabase.h"

#include "classlib/Exceptions.h"

#include <utility>

namespace {
// Steps of one record change: the few undo entries never reallocate.
const size_t kUsualUndoCount = 8;
} // namespace

DBDatabase::Change::Change(DBDatabase& database)
    : m_database(database), m_outer(database.m_change), m_committed(FALSE), m_pending(database.pendingSets)
{
    AfxTranslateBadAlloc([&] { m_undo.reserve(kUsualUndoCount); });
    m_database.m_change = this;
}

DBDatabase::Change::~Change()
{
    m_database.m_change = m_outer;
    if (!m_committed)
        Undo();
    // The members end next: the operation rolls the pages back, the pending
    // sets put back what the change did to them.
}

void DBDatabase::Change::Keep(DBRecordSet& set)
{
    AfxTranslateBadAlloc([&] {
        m_kept.emplace_back(new DBRecordSet(set));
        m_undo.reserve(m_undo.size() + 1);
    });
    DBRecordSet* kept = m_kept.back().get();
    m_undo.push_back([&set, kept] { set = *kept; });
}

void DBDatabase::Change::Undo()
{
    for (auto undo = m_undo.rbegin(); undo != m_undo.rend(); ++undo) {
        try {
            (*undo)();
        } catch (CException* e) {
            e->Delete(); // the steps' undoing allocates nothing
        }
    }
    m_undo.clear();
    // The tables' pages go back too: the forms kept may no longer be the
    // file's, so the next commit writes them all. The record reader's place
    // may lie in a leaf the rollback dropped.
    m_database.storedForms.clear();
    m_database.recordReader.ForgetPlace();
}

void DBDatabase::Change::Commit()
{
    if (m_committed)
        return;
    if (m_outer) {
        // The outer change undoes this one's steps, should it fail.
        AfxTranslateBadAlloc([&] {
            m_outer->m_undo.reserve(m_outer->m_undo.size() + m_undo.size());
            m_outer->m_kept.reserve(m_outer->m_kept.size() + m_kept.size());
        });
    }
    try {
        m_operation.Commit();
    } catch (CException*) {
        m_committed = TRUE;
        m_database.m_change = m_outer;
        Undo();
        throw;
    }
    m_pending.Commit();
    m_committed = TRUE;
    if (m_outer) {
        for (auto& undo : m_undo)
            m_outer->m_undo.push_back(std::move(undo));
        for (auto& kept : m_kept)
            m_outer->m_kept.push_back(std::move(kept));
        m_undo.clear();
        m_kept.clear();
    }
}
