#include "database/parser/TPRef.h"

#include "database/parser/TPException.h"

int TPRef::Release(BOOL deleteAtZero)
{
    if (m_refCount <= 0)
        TPRaise(tpRefNegative);
    const int count = --m_refCount;
    if (count == 0 && deleteAtZero)
        DeleteThis();
    return count;
}
