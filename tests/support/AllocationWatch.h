// What a function allocates while it runs (it must not throw): the largest
// block, for tests that a damaged count costs only what the input holds, and
// the number of blocks, for tests that work grows in proportion to its input.
// Measured in the native build (address sanitizer allocation hooks);
// elsewhere not measured, -1.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>

#if defined(__SANITIZE_ADDRESS__)
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*, size_t),
                                                         void (*)(const volatile void*));

struct AllocationWatch
{
    bool watching = false;
    size_t largest = 0;
    long long count = 0;

    static AllocationWatch& Instance()
    {
        static AllocationWatch watch;
        return watch;
    }
    static void OnMalloc(const volatile void*, size_t size)
    {
        AllocationWatch& w = Instance();
        if (w.watching) {
            w.largest = std::max(w.largest, size);
            ++w.count;
        }
    }
    static void OnFree(const volatile void*) {}

    // Runs f with the watch on, from zero.
    static AllocationWatch& During(const std::function<void()>& f)
    {
        static const int hooked = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree);
        (void)hooked;
        AllocationWatch& w = Instance();
        w.largest = 0;
        w.count = 0;
        w.watching = true;
        f();
        w.watching = false;
        return w;
    }
};

inline long long LargestBlockDuring(const std::function<void()>& f)
{
    return static_cast<long long>(AllocationWatch::During(f).largest);
}

inline long long AllocationsDuring(const std::function<void()>& f)
{
    return AllocationWatch::During(f).count;
}
#else
inline long long LargestBlockDuring(const std::function<void()>& f)
{
    f();
    return -1;
}

inline long long AllocationsDuring(const std::function<void()>& f)
{
    f();
    return -1;
}
#endif
