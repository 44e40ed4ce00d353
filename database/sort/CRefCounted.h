// CRefCounted: a count of holders, for objects shared by their users.
//
// The count starts at 0. Release at 0 holders deletes the object when
// deleteWhenReleased is set (an object made for its holders alone); an
// object owned elsewhere keeps the flag clear and outlives its holders.
#pragma once

#include "classlib/Types.h"

class CRefCounted
{
public:
    CRefCounted() : refCount(0), deleteWhenReleased(0) {}
    virtual ~CRefCounted() = default;

    virtual void AddRef() { ++refCount; }
    virtual void Release()
    {
        if (--refCount == 0 && deleteWhenReleased)
            delete this;
    }

    LONG refCount;
    LONG deleteWhenReleased;
};
