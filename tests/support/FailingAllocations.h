// Allocations that fail on demand, for tests of what code does when memory
// runs out: while an AllocationFailure lives (or WhileMemoryFails runs its
// function), every operator new throws std::bad_alloc and the nothrow forms
// give NULL (malloc itself keeps working, so zlib and the exception machinery
// are untouched).
//
// This header defines the program's replacement allocation functions: include
// it in exactly one source file of a test program. Over malloc and free, so
// the address sanitizer still sees every block (though no longer whether a
// block from new[] went to delete).
#pragma once

#include "classlib/Exceptions.h"

#include <cstdlib>
#include <new>

namespace failing_allocations
{
inline bool& Failing()
{
    static bool failing = false;
    return failing;
}

// Allocations that still succeed before every further one fails; -1 for no such limit.
inline long& AllocationsLeft()
{
    static long left = -1;
    return left;
}

inline void* Allocate(std::size_t size)
{
    if (Failing() || AllocationsLeft() == 0)
        return nullptr;
    if (AllocationsLeft() > 0)
        --AllocationsLeft();
    return std::malloc(size ? size : 1);
}

inline void* AllocateOrThrow(std::size_t size)
{
    void* p = Allocate(size);
    if (!p)
        throw std::bad_alloc();
    return p;
}
} // namespace failing_allocations

// Makes allocations fail for its lifetime.
class AllocationFailure
{
public:
    AllocationFailure() { failing_allocations::Failing() = true; }
    ~AllocationFailure() { failing_allocations::Failing() = false; }
    AllocationFailure(const AllocationFailure&) = delete;
    AllocationFailure& operator=(const AllocationFailure&) = delete;
};

// Lets the next `count` allocations succeed and makes the rest fail, for its lifetime.
class AllocationFailureAfter
{
public:
    explicit AllocationFailureAfter(long count) { failing_allocations::AllocationsLeft() = count; }
    ~AllocationFailureAfter() { failing_allocations::AllocationsLeft() = -1; }
    AllocationFailureAfter(const AllocationFailureAfter&) = delete;
    AllocationFailureAfter& operator=(const AllocationFailureAfter&) = delete;
};

enum MemoryFailureOutcome
{
    nothingThrown,
    memoryException,            // the class library's
    otherClassLibraryException, // any other CException*
    somethingElse,              // std::bad_alloc and the like
};

// Runs f and says how it ended.
template <class F>
MemoryFailureOutcome OutcomeOf(F f)
{
    try
    {
        f();
    }
    catch (CMemoryException* e)
    {
        e->Delete();
        return memoryException;
    }
    catch (CException* e)
    {
        e->Delete();
        return otherClassLibraryException;
    }
    catch (...)
    {
        return somethingElse;
    }
    return nothingThrown;
}

// The same while every allocation fails.
template <class F>
MemoryFailureOutcome WhileMemoryFails(F f)
{
    return OutcomeOf([&] {
        AllocationFailure failing;
        f();
    });
}

#if defined(__GNUC__) && !defined(__clang__)
// These functions are the allocator: free() is their matching release.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size)
{
    return failing_allocations::AllocateOrThrow(size);
}
void* operator new[](std::size_t size)
{
    return failing_allocations::AllocateOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return failing_allocations::Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return failing_allocations::Allocate(size);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
