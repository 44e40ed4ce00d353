// A small growable set of distinct numbers (the synchronising tokens of error
// recovery).  Adding a number that is present does nothing; a full set with a
// growth step of 0 is "TPSetArray0001e: Set full".
#pragma once

#include "classlib/Types.h"

#include <vector>

class TPSetArray
{
public:
    explicit TPSetArray(int capacity = 64, int growthStep = 64);

    void Add(LONG value);
    BOOL Contains(LONG value) const;
    int Count() const { return (int)m_values.size(); }
    LONG At(int index) const { return m_values[index]; }

private:
    std::vector<LONG> m_values;
    int m_capacity;
    int m_growthStep;
};
