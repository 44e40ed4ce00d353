// Handle maps: which class-library object stands for a system handle.
//
// Permanent entries are the objects that own or subclass their handle (attached with Attach or made by
// Create); they stay until detached. FromHandle of a handle with no permanent object makes a temporary
// wrapper object; temporary wrappers live until the thread's idle time (DeleteTemp), so a pointer from
// FromHandle must not be kept across messages. Deleting a temporary wrapper never touches its handle.
#pragma once

#include "classlib/Types.h"

#include <unordered_map>

// The object pointer, hidden from the optimiser: the NULL-safe members (GetSafeHwnd...) are called
// through NULL pointers on purpose and must test for it.
template <class T> const T* AfxLaunderThis(const T* p)
{
    asm("" : "+r"(p));
    return p;
}

template <class T> class CHandleMap
{
public:
    // pfnNew makes an empty wrapper; pfnSet stores a handle into a wrapper (NULL before deleting it).
    CHandleMap(T* (*pfnNew)(), void (*pfnSet)(T*, HANDLE)) : m_pfnNew(pfnNew), m_pfnSet(pfnSet) {}
    ~CHandleMap() { DeleteTemp(); }
    CHandleMap(const CHandleMap&) = delete;
    CHandleMap& operator=(const CHandleMap&) = delete;

    T* FromHandle(HANDLE h)
    {
        if (h == nullptr)
            return nullptr;
        if (T* p = LookupPermanent(h))
            return p;
        auto it = m_temporary.find(h);
        if (it != m_temporary.end())
            return it->second;
        T* p = m_pfnNew();
        m_pfnSet(p, h);
        m_temporary[h] = p;
        return p;
    }
    T* LookupPermanent(HANDLE h) const
    {
        auto it = m_permanent.find(h);
        return it == m_permanent.end() ? nullptr : it->second;
    }
    T* LookupTemporary(HANDLE h) const
    {
        auto it = m_temporary.find(h);
        return it == m_temporary.end() ? nullptr : it->second;
    }
    void SetPermanent(HANDLE h, T* p) { m_permanent[h] = p; }
    // p becomes the permanent object of h; a temporary wrapper of h goes. FALSE when h is NULL.
    BOOL AttachPermanent(HANDLE h, T* p)
    {
        if (h == nullptr)
            return FALSE;
        RemoveHandle(h);
        m_permanent[h] = p;
        return TRUE;
    }
    // Forgets h when p is its permanent object.
    void DetachPermanent(HANDLE h, T* p)
    {
        if (h != nullptr && LookupPermanent(h) == p)
            m_permanent.erase(h);
    }
    // Forgets the handle; a temporary wrapper of it is deleted.
    void RemoveHandle(HANDLE h)
    {
        m_permanent.erase(h);
        auto it = m_temporary.find(h);
        if (it != m_temporary.end()) {
            T* p = it->second;
            m_temporary.erase(it);
            m_pfnSet(p, nullptr);
            delete p;
        }
    }
    void DeleteTemp()
    {
        // A destructor may look handles up again: take the list first.
        std::unordered_map<HANDLE, T*> temps;
        temps.swap(m_temporary);
        for (auto& entry : temps) {
            m_pfnSet(entry.second, nullptr);
            delete entry.second;
        }
    }
    size_t TemporaryCount() const { return m_temporary.size(); }

private:
    T* (*m_pfnNew)();
    void (*m_pfnSet)(T*, HANDLE);
    std::unordered_map<HANDLE, T*> m_permanent;
    std::unordered_map<HANDLE, T*> m_temporary;
};
