// Document observers: objects that follow a document's change hints without being views.
//
// A CDocObserverList is embedded in every file-based document; observers attach to it and are told of
// every hint the document broadcasts. The list does not own its observers, and an observer does not own
// its lists; each side keeps pointers to the other so that whichever is destroyed first detaches itself.
// Invariants: an observer appears at most once in a list; observer->m_lists holds list L exactly as often
// as L holds the observer (once).
#pragma once

#include <vector>

class CObject;
class CDocObserverList;

class CDocObserver
{
public:
    CDocObserver();
    // Detaches from every list still holding this observer, so it is never notified again.
    virtual ~CDocObserver();

    // Called with each hint of an attached document while the observer is active.
    virtual int OnDocumentNotify(long hint, CObject* object) = 0;

    void AddList(CDocObserverList* list);    // no duplicate test: CDocObserverList::Attach made sure
    void RemoveList(CDocObserverList* list); // first occurrence only

    bool IsActive() const { return m_active; }
    void SetActive(bool active) { m_active = active; }
    int GetListCount() const { return static_cast<int>(m_lists.size()); }

    CDocObserver(const CDocObserver&) = delete;
    CDocObserver& operator=(const CDocObserver&) = delete;

private:
    bool m_active;
    std::vector<CDocObserverList*> m_lists;
};

class CDocObserverList
{
public:
    CDocObserverList();
    // Every attached observer forgets this list; the observers themselves live on.
    virtual ~CDocObserverList();

    void Attach(CDocObserver* observer); // nothing when already attached
    void Detach(CDocObserver* observer); // nothing when not attached
    // Passes (hint, object) to every active observer, the last attached first, while enabled.
    void Notify(long hint, CObject* object);

    void EnableNotifications(bool enable) { m_enabled = enable; }
    bool NotificationsEnabled() const { return m_enabled; }
    int GetObserverCount() const { return static_cast<int>(m_observers.size()); }
    bool IsAttached(const CDocObserver* observer) const;

    CDocObserverList(const CDocObserverList&) = delete;
    CDocObserverList& operator=(const CDocObserverList&) = delete;

private:
    std::vector<CDocObserver*> m_observers; // in order of attachment
    bool m_enabled;
};
