#include "database/parser/TPSetArray.h"

#include "database/parser/TPException.h"

#include <algorithm>

TPSetArray::TPSetArray(int capacity, int growthStep) : m_capacity(capacity), m_growthStep(growthStep) {}

void TPSetArray::Add(LONG value)
{
    if (Contains(value))
        return;
    if ((int)m_values.size() >= m_capacity)
    {
        if (m_growthStep <= 0)
            TPRaise(tpSetFull);
        m_capacity += m_growthStep;
    }
    m_values.push_back(value);
}

BOOL TPSetArray::Contains(LONG value) const
{
    return std::find(m_values.begin(), m_values.end(), value) != m_values.end();
}
