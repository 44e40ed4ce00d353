// The largest block of memory allocated while a function runs (it must not
// throw), for tests that a damaged count costs only what the input holds.
// Measured in the native build (address sanitizer allocation hooks);
// elsewhere not measured, -1.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>

#if defined(__SANITIZE_ADDRESS__)
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*, size_t),
                                                         void (*)(const volatile void*));

struct LargestBlockWatch
{
    static bool& Watching()
    {
        static bool watching = false;
        return watching;
    }
    static size_t& Largest()
    {
        static size_t largest = 0;
        return largest;
    }
    static void OnMalloc(const volatile void*, size_t size)
    {
        if (Watching())
            Largest() = std::max(Largest(), size);
    }
    static void OnFree(const volatile void*) {}
};

inline long long LargestBlockDuring(const std::function<void()>& f)
{
    static const int hooked =
        __sanitizer_install_malloc_and_free_hooks(LargestBlockWatch::OnMalloc, LargestBlockWatch::OnFree);
    (void)hooked;
    LargestBlockWatch::Largest() = 0;
    LargestBlockWatch::Watching() = true;
    f();
    LargestBlockWatch::Watching() = false;
    return static_cast<long long>(LargestBlockWatch::Largest());
}
#else
inline long long LargestBlockDuring(const std::function<void()>& f)
{
    f();
    return -1;
}
#endif
