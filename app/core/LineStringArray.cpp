#include "app/core/LineStringArray.h"

#include <cstring>

CLineStringArray::CLineStringArray(const char* text)
{
    if (text == nullptr)
        return;
    for (;;) {
        const char* end = std::strchr(text, '\n');
        if (end == nullptr) {
            Add(CString(text));
            return;
        }
        Add(CString(text, static_cast<int>(end - text)));
        text = end + 1;
    }
}

CLineStringArray::CLineStringArray(const CLineStringArray& other) : CStringArray()
{
    Copy(other);
}

CLineStringArray& CLineStringArray::operator=(const CLineStringArray& other)
{
    if (this != &other)
        Copy(other);
    return *this;
}
