// How many blocks of memory a function allocates (it must not throw), for
// tests that work grows in proportion to its input. Counted in the native
// build (address sanitizer allocation hooks); elsewhere not counted, -1.
#pragma once

#include <cstddef>
#include <functional>

#if defined(__SANITIZE_ADDRESS__)
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*, size_t),
                                                         void (*)(const volatile void*));

struct AllocationCountWatch
{
    static bool& Watching()
    {
        static bool watching = false;
        return watching;
    }
    static long long& Count()
    {
        static long long count = 0;
        return count;
    }
    static void OnMalloc(const volatile void*, size_t)
    {
        if (Watching())
            ++Count();
    }
    static void OnFree(const volatile void*) {}
};

inline long long AllocationsDuring(const std::function<void()>& f)
{
    static const int hooked = __sanitizer_install_malloc_and_free_hooks(AllocationCountWatch::OnMalloc,
                                                                        AllocationCountWatch::OnFree);
    (void)hooked;
    AllocationCountWatch::Count() = 0;
    AllocationCountWatch::Watching() = true;
    f();
    AllocationCountWatch::Watching() = false;
    return AllocationCountWatch::Count();
}
#else
inline long long AllocationsDuring(const std::function<void()>& f)
{
    f();
    return -1;
}
#endif
