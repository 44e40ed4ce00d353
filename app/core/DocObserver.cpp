#include "app/core/DocObserver.h"

#include <algorithm>

CDocObserver::CDocObserver() : m_active(true) {}

CDocObserver::~CDocObserver()
{
    // Detach removes the list from m_lists through RemoveList, so this loop shrinks the array.
    while (!m_lists.empty())
        m_lists.front()->Detach(this);
}

void CDocObserver::AddList(CDocObserverList* list)
{
    m_lists.push_back(list);
}

void CDocObserver::RemoveList(CDocObserverList* list)
{
    auto it = std::find(m_lists.begin(), m_lists.end(), list);
    if (it != m_lists.end())
        m_lists.erase(it);
}

CDocObserverList::CDocObserverList() : m_enabled(true) {}

CDocObserverList::~CDocObserverList()
{
    for (CDocObserver* observer : m_observers)
        observer->RemoveList(this);
}

bool CDocObserverList::IsAttached(const CDocObserver* observer) const
{
    return std::find(m_observers.begin(), m_observers.end(), observer) != m_observers.end();
}

void CDocObserverList::Attach(CDocObserver* observer)
{
    if (observer == nullptr || IsAttached(observer))
        return;
    m_observers.push_back(observer);
    observer->AddList(this);
}

void CDocObserverList::Detach(CDocObserver* observer)
{
    auto it = std::find(m_observers.begin(), m_observers.end(), observer);
    if (it == m_observers.end())
        return;
    m_observers.erase(it);
    observer->RemoveList(this);
}

void CDocObserverList::Notify(long hint, CObject* object)
{
    if (!m_enabled)
        return;
    // An observer may detach itself (or others) while being notified: walk a snapshot and skip
    // whoever has left the list meanwhile.
    std::vector<CDocObserver*> snapshot(m_observers);
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
        if (IsAttached(*it) && (*it)->IsActive())
            (*it)->OnDocumentNotify(hint, object);
    }
}
