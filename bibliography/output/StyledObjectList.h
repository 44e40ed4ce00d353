// StyledObjectList: a linked list that owns copies of laid-out objects
// (StyledFragment, StyledLine), with the operations the line layout uses.
//
// Adding copies the element; when that fails the class library's exception is
// reported (ReportException) and the call answers FALSE with the list
// unchanged. Getters hand out copies and answer FALSE on an empty list or an
// exhausted position.
//
// Archive form (no object header):
//   i32 element count (raw, not the class library's count form), then each
//   element's own archive form.
// Loading empties the list first. A negative count is refused
// (CArchiveException badIndex); a count larger than the data ends with the
// archive's end-of-file error. A failed load leaves the list empty.
#pragma once

#include "app/core/ErrorReport.h"
#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "classlib/List.h"

template <class T> class StyledObjectList : public CObject
{
public:
    StyledObjectList() : m_list(10) {}
    StyledObjectList(const StyledObjectList& other) : CObject(), m_list(10) { m_list.AddTail(&other.m_list); }
    StyledObjectList& operator=(const StyledObjectList& other)
    {
        if (this != &other) {
            m_list.RemoveAll();
            m_list.AddTail(&other.m_list);
        }
        return *this;
    }

    INT_PTR GetCount() const { return m_list.GetCount(); }
    BOOL IsEmpty() const { return m_list.IsEmpty(); }

    BOOL AddTail(const T& element) { return Add(element, false); }
    BOOL AddHead(const T& element) { return Add(element, true); }

    BOOL RemoveTail(T& removed)
    {
        if (m_list.IsEmpty())
            return FALSE;
        removed = m_list.GetTail();
        m_list.RemoveAt(m_list.GetTailPosition());
        return TRUE;
    }

    BOOL GetHead(T& copy) const { return CopyAt(m_list.GetHeadPosition(), copy); }
    BOOL GetTail(T& copy) const { return CopyAt(m_list.GetTailPosition(), copy); }
    POSITION GetHeadPosition() const { return m_list.GetHeadPosition(); }
    // The element at position, then position moves on (NULL after the last).
    BOOL GetNext(POSITION& position, T& copy) const
    {
        if (position == nullptr)
            return FALSE;
        copy = m_list.GetNext(position);
        return TRUE;
    }
    // In-place access for walks that change elements.
    T& GetNextElement(POSITION& position) { return m_list.GetNext(position); }
    const T& GetNextElement(POSITION& position) const { return m_list.GetNext(position); }

    void RemoveAll() { m_list.RemoveAll(); }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << static_cast<int>(m_list.GetCount());
            for (POSITION pos = m_list.GetHeadPosition(); pos != nullptr;)
                m_list.GetNext(pos).Serialize(ar);
            return;
        }
        m_list.RemoveAll();
        int count = 0;
        ar >> count;
        if (count < 0)
            AfxThrowArchiveException(CArchiveException::badIndex);
        try {
            for (int i = 0; i < count; ++i) {
                T element;
                element.Serialize(ar);
                m_list.AddTail(element);
            }
        } catch (CException*) {
            m_list.RemoveAll();
            throw;
        }
    }

private:
    BOOL Add(const T& element, bool atHead)
    {
        try {
            if (atHead)
                m_list.AddHead(element);
            else
                m_list.AddTail(element);
            return TRUE;
        } catch (CException* e) {
            ReportException(e);
            e->Delete();
            return FALSE;
        }
    }

    BOOL CopyAt(POSITION position, T& copy) const
    {
        if (position == nullptr)
            return FALSE;
        copy = m_list.GetAt(position);
        return TRUE;
    }

    CList<T, const T&> m_list;
};
