// Reference-counted objects of the parser runtime.
//
// An object is made with the count 1 and released once without deletion
// before it is handed out (TPRef::Handout), so that it arrives with the count
// 0 and its first holder's AddRef makes the count 1.  Whoever receives such
// an object must take a reference at once or delete it.  Release with
// deleteAtZero deletes the object when the count reaches 0; releasing at 0 is
// the error "TPRef0001e: Reference count less than zero".
#pragma once

#include "classlib/Types.h"

class TPRef
{
public:
    TPRef(const TPRef&) = delete;
    TPRef& operator=(const TPRef&) = delete;

    virtual void AddRef() { ++m_refCount; }
    virtual void DeleteThis() { delete this; }
    // The count after the release.
    virtual int Release(BOOL deleteAtZero = TRUE);

    int RefCount() const { return m_refCount; }

    // The object with its first count dropped, ready to hand out.
    template <class T> static T* Handout(T* object)
    {
        object->Release(FALSE);
        return object;
    }

protected:
    TPRef() = default;
    virtual ~TPRef() = default;

private:
    int m_refCount = 1;
};

// Holds one reference for its lifetime.
template <class T> class TPHold
{
public:
    explicit TPHold(T* object = nullptr) : m_object(object)
    {
        if (m_object)
            m_object->AddRef();
    }
    ~TPHold()
    {
        if (m_object)
            m_object->Release();
    }
    TPHold(const TPHold&) = delete;
    TPHold& operator=(const TPHold&) = delete;

    T* Get() const { return m_object; }
    T* operator->() const { return m_object; }

private:
    T* m_object;
};
