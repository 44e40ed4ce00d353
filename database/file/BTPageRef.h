// BTPageRef: a counted reference to a cached page. While any reference holds
// a page, the cache never evicts it. A page dropped from the cache while still
// held (its file closed) is freed when its last reference goes.
#pragma once

#include "database/file/BTPage.h"

class BTPageRef
{
public:
    BTPageRef() : m_pPage(nullptr) {}
    BTPageRef(BTPage* page) : m_pPage(page) { Hold(); }
    BTPageRef(const BTPageRef& other) : m_pPage(other.m_pPage) { Hold(); }
    ~BTPageRef() { Unhold(); }

    BTPageRef& operator=(BTPage* page)
    {
        if (page != m_pPage)
        {
            BTPage* old = m_pPage;
            m_pPage = page;
            Hold();
            Unhold(old);
        }
        return *this;
    }
    BTPageRef& operator=(const BTPageRef& other) { return *this = other.m_pPage; }

    // Gives up the page (the reference then holds none).
    void Release() { *this = static_cast<BTPage*>(nullptr); }

    BTPage* Get() const { return m_pPage; }
    BTPage* operator->() const { return m_pPage; }
    BTPage& operator*() const { return *m_pPage; }
    operator BTPage*() const { return m_pPage; }
    BYTE* Data() const { return m_pPage->m_data; }

private:
    void Hold()
    {
        if (m_pPage)
            ++m_pPage->m_nRefs;
    }
    void Unhold() { Unhold(m_pPage); }
    static void Unhold(BTPage* page)
    {
        if (page && --page->m_nRefs == 0 && page->m_pFile == nullptr)
            FreeOrphan(page);
    }
    static void FreeOrphan(BTPage* page);

    BTPage* m_pPage;
};
