// A growable stack of pointers for the parser runtime.
//
// A push on a full stack grows it (at least by the growth step); with a growth
// step of 0 it is "TPLifo0001e: Stack full".  Popping an empty stack, reading
// the top of an empty stack and reading an entry below the bottom are errors
// too.  The stack does not own what it holds.  Entries are counted from the
// top (Peek(0) is the top) or from the bottom (At(0) is the bottom).
#pragma once

#include "classlib/Types.h"

class TPLifo
{
public:
    TPLifo(int capacity, int growthStep);
    ~TPLifo();
    TPLifo(const TPLifo&) = delete;
    TPLifo& operator=(const TPLifo&) = delete;

    void Push(void* entry);
    void* Pop();
    void* Top() const;
    // The entry depth places below the top ("TPLifo0003e: Invalid index" past the bottom).
    void* Peek(int depth) const;
    // The entry at index from the bottom.
    void* At(int index) const;
    // Removes and returns the bottom entry (a queue's first).
    void* TakeBottom();
    int Count() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0; }

private:
    void** m_entries;
    int m_count = 0;
    int m_capacity;
    int m_growthStep;
};
