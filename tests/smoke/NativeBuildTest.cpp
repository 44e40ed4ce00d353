// Proves the harness: the native build is 32-bit, like the Windows program,
// and runs under AddressSanitizer and UndefinedBehaviorSanitizer.
#include <gtest/gtest.h>
#include <climits>

#ifndef _WIN32
extern "C" int __asan_address_is_poisoned(void const volatile* addr);

TEST(NativeBuild, IsThirtyTwoBitLikeWindows)
{
    EXPECT_EQ(4u, sizeof(void*));
    EXPECT_EQ(4u, sizeof(long));
    EXPECT_EQ(4u, sizeof(int));
    EXPECT_EQ(2u, sizeof(short));
    EXPECT_EQ(8u, sizeof(long long));
}

TEST(NativeBuild, SanitizersAreOn)
{
#if !defined(__SANITIZE_ADDRESS__)
    FAIL() << "AddressSanitizer is not enabled";
#endif
#if !defined(LORVANE_UBSAN)
    FAIL() << "UndefinedBehaviorSanitizer is not enabled";
#endif
    // The byte just past a heap block sits in ASan's red zone.
    char* p = new char[16];
    EXPECT_FALSE(__asan_address_is_poisoned(p + 15));
    EXPECT_TRUE(__asan_address_is_poisoned(p + 16));
    delete[] p;
}

#endif
