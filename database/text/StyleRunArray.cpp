#include "database/text/StyleRunArray.h"

#include "classlib/Diagnostics.h"

#include <algorithm>
#include <string.h>
#include <utility>

StyleRunArray::StyleRunArray() : m_runs(nullptr), m_size(0), m_capacity(0), m_growBy(0)
{
}

StyleRunArray::StyleRunArray(const StyleRunArray& other) : StyleRunArray()
{
    Copy(other);
}

StyleRunArray::~StyleRunArray()
{
    delete[] m_runs;
}

StyleRunArray& StyleRunArray::operator=(const StyleRunArray& other)
{
    Copy(other);
    return *this;
}

void StyleRunArray::Swap(StyleRunArray& other) noexcept
{
    std::swap(m_runs, other.m_runs);
    std::swap(m_size, other.m_size);
    std::swap(m_capacity, other.m_capacity);
    std::swap(m_growBy, other.m_growBy);
}

int StyleRunArray::GrowthStep() const
{
    if (m_growBy > 0 || m_capacity == 0)
        return m_growBy;
    // An array that grows again is likely to grow run by run: grow by an eighth.
    return std::min(1024, std::max(4, m_capacity / 8));
}

void StyleRunArray::SetSize(int n, int growBy)
{
    if (growBy >= 0)
        m_growBy = growBy;
    if (n <= 0)
    {
        delete[] m_runs;
        m_runs = nullptr;
        m_size = m_capacity = 0;
        return;
    }
    if (n > m_capacity)
    {
        int capacity = m_capacity + GrowthStep();
        if (capacity < n)
            capacity = n;
        StyleRun* runs = new StyleRun[capacity]; // plain runs of length 0
        if (m_size > 0)
            memcpy(static_cast<void*>(runs), m_runs, sizeof(StyleRun) * m_size);
        delete[] m_runs;
        m_runs = runs;
        m_capacity = capacity;
        m_size = n;
        return;
    }
    for (int i = m_size; i < n; ++i)
        m_runs[i] = StyleRun();
    m_size = n;
}

int StyleRunArray::Add(const StyleRun& run)
{
    const StyleRun copy = run; // run may live in this array's buffer
    SetSize(m_size + 1);
    m_runs[m_size - 1] = copy;
    return m_size - 1;
}

void StyleRunArray::SetAtGrow(int index, const StyleRun& run)
{
    ASSERT(index >= 0);
    if (index < 0)
        return;
    const StyleRun copy = run;
    if (index >= m_size)
        SetSize(index + 1);
    m_runs[index] = copy;
}

void StyleRunArray::InsertAt(int index, const StyleRun& run, int count)
{
    ASSERT(index >= 0 && count >= 0);
    if (index < 0 || count <= 0)
        return;
    const StyleRun copy = run;
    if (index >= m_size)
    {
        SetSize(index + count);
    }
    else
    {
        const int oldSize = m_size;
        SetSize(m_size + count);
        memmove(static_cast<void*>(m_runs + index + count), m_runs + index,
                sizeof(StyleRun) * (oldSize - index));
    }
    for (int i = 0; i < count; ++i)
        m_runs[index + i] = copy;
}

void StyleRunArray::RemoveAt(int index, int count)
{
    ASSERT(index >= 0 && count >= 0 && index + count <= m_size);
    if (index < 0 || count <= 0 || index >= m_size)
        return;
    if (count > m_size - index)
        count = m_size - index;
    memmove(static_cast<void*>(m_runs + index), m_runs + index + count,
            sizeof(StyleRun) * (m_size - index - count));
    m_size -= count;
}

void StyleRunArray::Copy(const StyleRunArray& other)
{
    if (&other == this)
        return;
    SetSize(other.m_size);
    if (other.m_size > 0)
        memcpy(static_cast<void*>(m_runs), other.m_runs, sizeof(StyleRun) * other.m_size);
}

void StyleRunArray::Append(const StyleRunArray& other)
{
    if (&other == this)
    {
        const StyleRunArray copy(other);
        Append(copy);
        return;
    }
    int first = 0;
    if (m_size > 0 && other.m_size > 0 && Last().HasSameAttributes(other.m_runs[0]))
    {
        Last().length += other.m_runs[0].length;
        first = 1;
    }
    if (first >= other.m_size)
        return;
    const int oldSize = m_size;
    SetSize(m_size + other.m_size - first);
    memcpy(static_cast<void*>(m_runs + oldSize), other.m_runs + first,
           sizeof(StyleRun) * (other.m_size - first));
}

int StyleRunArray::FindRun(int& offset) const
{
    int i = 0;
    while (i < m_size && offset >= m_runs[i].length)
    {
        offset -= m_runs[i].length;
        ++i;
    }
    return i;
}

StyleRunArray StyleRunArray::Mid(int start, int count) const
{
    StyleRunArray result;
    if (count <= 0)
        return result;
    int offset = start < 0 ? 0 : start;
    const int first = FindRun(offset);
    if (first >= m_size)
        return result;

    // Count the runs first so the result is allocated once.
    int last = first;
    for (int left = m_runs[first].length - offset; left < count && last + 1 < m_size;)
        left += m_runs[++last].length;
    result.SetSize(last - first + 1);

    for (int i = first; i <= last; ++i)
    {
        StyleRun& run = result.m_runs[i - first];
        run = m_runs[i];
        if (i == first)
            run.length -= offset;
        if (run.length > count)
            run.length = count;
        count -= run.length;
    }
    return result;
}

void StyleRunArray::AdjustForReplace(int start, int removed, int inserted)
{
    if (removed < 0)
        removed = 0;
    if (inserted < 0)
        inserted = 0;
    int offset = start < 0 ? 0 : start;
    int i = FindRun(offset);
    if (i >= m_size)
    {
        // At the very end: nothing to remove; the last run takes the text.
        if (inserted == 0)
            return;
        if (m_size == 0)
            Add(StyleRun(0, 0, nullptr, inserted));
        else
            Last().length += inserted;
        return;
    }

    StyleRun& run = m_runs[i];
    const int inRun = run.length - offset;
    const int removedHere = removed < inRun ? removed : inRun;
    run.length += inserted - removedHere;

    int rest = removed - removedHere;
    const int next = i + 1;
    while (rest > 0 && next < m_size)
    {
        if (m_runs[next].length <= rest)
        {
            rest -= m_runs[next].length;
            RemoveAt(next);
        }
        else
        {
            m_runs[next].length -= rest;
            rest = 0;
        }
    }
}

bool StyleRunArray::IsEqual(const StyleRunArray& other) const
{
    if (m_size != other.m_size)
        return false;
    for (int i = 0; i < m_size; ++i)
    {
        if (m_runs[i].length != other.m_runs[i].length || !m_runs[i].HasSameAttributes(other.m_runs[i]))
            return false;
    }
    return true;
}

int64_t StyleRunArray::TotalLength() const
{
    int64_t total = 0;
    for (int i = 0; i < m_size; ++i)
        total += m_runs[i].length;
    return total;
}
