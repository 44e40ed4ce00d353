// A string array built from a text with one element per line.
#pragma once

#include "classlib/Collections.h"

class CLineStringArray : public CStringArray
{
public:
    CLineStringArray() = default;
    // One element per line, split at line feeds; empty lines are kept, so a text ending in a line feed
    // has an empty last element and the empty text has one empty element. NULL gives an empty array.
    explicit CLineStringArray(const char* text);
    CLineStringArray(const CLineStringArray& other);
    CLineStringArray& operator=(const CLineStringArray& other);
};
