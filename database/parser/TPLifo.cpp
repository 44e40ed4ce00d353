#include "database/parser/TPLifo.h"

#include "database/parser/TPException.h"

#include <string.h>

TPLifo::TPLifo(int capacity, int growthStep)
    : m_entries(nullptr), m_capacity(capacity > 0 ? capacity : 0), m_growthStep(growthStep)
{
    if (m_capacity > 0)
        m_entries = static_cast<void**>(TPAlloc(sizeof(void*) * m_capacity));
}

TPLifo::~TPLifo()
{
    TPFree(m_entries);
}

void TPLifo::Push(void* entry)
{
    if (m_count == m_capacity)
    {
        if (m_growthStep <= 0)
            TPRaise(tpLifoFull);
        // Half again at least, so that deep stacks do not copy quadratically.
        const int grow = m_growthStep > m_capacity / 2 ? m_growthStep : m_capacity / 2;
        if (grow > 0x3FFFFFFF - m_capacity)
            TPRaiseOutOfStorage();
        void** bigger = static_cast<void**>(TPAlloc(sizeof(void*) * (size_t)(m_capacity + grow)));
        if (m_count)
            memcpy(bigger, m_entries, sizeof(void*) * m_count);
        TPFree(m_entries);
        m_entries = bigger;
        m_capacity += grow;
    }
    m_entries[m_count++] = entry;
}

void* TPLifo::Pop()
{
    if (m_count == 0)
        TPRaise(tpLifoPopEmpty);
    return m_entries[--m_count];
}

void* TPLifo::Top() const
{
    if (m_count == 0)
        TPRaise(tpLifoNoTop);
    return m_entries[m_count - 1];
}

void* TPLifo::Peek(int depth) const
{
    if (depth < 0 || depth >= m_count)
        TPRaise(tpLifoInvalidIndex);
    return m_entries[m_count - 1 - depth];
}

void* TPLifo::At(int index) const
{
    if (index < 0 || index >= m_count)
        TPRaise(tpLifoInvalidIndex);
    return m_entries[index];
}

void* TPLifo::TakeBottom()
{
    if (m_count == 0)
        TPRaise(tpLifoPopEmpty);
    void* first = m_entries[0];
    memmove(m_entries, m_entries + 1, sizeof(void*) * (m_count - 1));
    --m_count;
    return first;
}
