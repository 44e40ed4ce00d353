// CStyledStringArray: a serialisable array of styled strings.
//
// Elements are held by value; new elements are empty styled strings and
// elements dropped by shrinking are emptied. The buffer grows to
// max(n, capacity + growBy) elements, and doubles (at least 4) when growBy
// is 0; growing moves the strings, it does not copy them.
//
// Archive form: u16 element count, then each element as WriteStyledString
// stores it. More than 65535 elements cannot be stored (CArchiveException
// generic, before anything is written).
#pragma once

#include "classlib/Object.h"
#include "database/text/StyledString.h"

class CStyledStringArray : public CObject
{
    DECLARE_SERIAL(CStyledStringArray)
public:
    CStyledStringArray();
    ~CStyledStringArray() override;

    CStyledStringArray(const CStyledStringArray&) = delete;
    CStyledStringArray& operator=(const CStyledStringArray&) = delete;

    int GetSize() const { return m_nSize; }
    StyledString& operator[](int index) { return m_pData[index]; }
    const StyledString& operator[](int index) const { return m_pData[index]; }
    const StyledString& GetAt(int index) const { return m_pData[index]; }

    // n = 0 empties every element and frees the buffer; growBy -1 keeps the
    // current step.
    void SetSize(int n, int growBy = -1);
    void RemoveAll() { SetSize(0); }
    // Grows to index + 1 elements when needed, then assigns.
    void SetAtGrow(int index, const StyledString& s);
    int Add(const StyledString& s);

    void Serialize(CArchive& ar) override;
    void AssertValid() const override;

private:
    StyledString* m_pData;
    int m_nSize;
    int m_nMaxSize;
    int m_nGrowBy;
};
