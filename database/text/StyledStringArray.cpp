#include "database/text/StyledStringArray.h"

#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "database/text/StyledStringArchive.h"

#include <algorithm>
#include <climits>

IMPLEMENT_SERIAL(CStyledStringArray, CObject, 0)

CStyledStringArray::CStyledStringArray() : m_pData(nullptr), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0)
{
}

CStyledStringArray::~CStyledStringArray()
{
    delete[] m_pData;
}

void CStyledStringArray::SetSize(int n, int growBy)
{
    if (growBy >= 0)
        m_nGrowBy = growBy;
    if (n <= 0)
    {
        delete[] m_pData;
        m_pData = nullptr;
        m_nSize = m_nMaxSize = 0;
        return;
    }
    if (n > m_nMaxSize)
    {
        // Without a step of its own the buffer doubles, so that adding
        // strings one by one costs a constant time each.
        const int step = m_nGrowBy > 0 ? m_nGrowBy : std::max(m_nMaxSize, 4);
        int capacity = m_nMaxSize + std::min(step, INT_MAX - m_nMaxSize);
        if (capacity < n)
            capacity = n;
        StyledString* data = new StyledString[capacity];
        for (int i = 0; i < m_nSize; ++i)
            data[i].Swap(m_pData[i]);
        delete[] m_pData;
        m_pData = data;
        m_nMaxSize = capacity;
    }
    for (int i = n; i < m_nSize; ++i)
        m_pData[i].Empty();
    m_nSize = n;
}

void CStyledStringArray::SetAtGrow(int index, const StyledString& s)
{
    ASSERT(index >= 0);
    if (index < 0)
        return;
    if (index >= m_nSize)
    {
        // s may be an element of this array: keep it across the growth.
        StyledString copy(s);
        SetSize(index + 1);
        m_pData[index].Swap(copy);
        return;
    }
    m_pData[index] = s;
}

int CStyledStringArray::Add(const StyledString& s)
{
    SetAtGrow(m_nSize, s);
    return m_nSize - 1;
}

void CStyledStringArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        if (m_nSize > 0xFFFF)
            AfxThrowArchiveException(CArchiveException::generic);
        ar << static_cast<WORD>(m_nSize);
        for (int i = 0; i < m_nSize; ++i)
            WriteStyledString(ar, m_pData[i]);
    }
    else
    {
        WORD count = 0;
        ar >> count;
        // The count may be damaged: room is made for the strings as they are
        // read, doubling, so a short archive costs no more than it holds. A
        // failed read keeps the strings read whole.
        SetSize(0);
        int done = 0;
        try
        {
            while (done < count)
            {
                const int end = done + std::min<int>(count - done, std::max(done, 16));
                SetSize(end);
                for (; done < end; ++done)
                    ReadStyledString(ar, m_pData[done]);
            }
        }
        catch (CException*)
        {
            SetSize(done);
            throw;
        }
    }
}

void CStyledStringArray::AssertValid() const
{
}
