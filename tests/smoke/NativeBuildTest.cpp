// Proves the harness: the native build has the Windows program's widths
// (an LP64 host with 32-bit DWORD and LONG) and runs under AddressSanitizer
// and UndefinedBehaviorSanitizer.
#include <gtest/gtest.h>
#include <climits>
#include <cstdint>
#include <cstdio>

#include "classlib/Types.h"

#ifndef _WIN32
extern "C" int __asan_address_is_poisoned(void const volatile* addr);
extern "C" int __lsan_do_recoverable_leak_check();
extern "C" void __sanitizer_set_report_fd(void* fd);

TEST(NativeBuild, HasTheWidthsOfTheX64Program)
{
    EXPECT_EQ(8u, sizeof(void*));
    EXPECT_EQ(4u, sizeof(DWORD));
    EXPECT_EQ(4u, sizeof(LONG));
    EXPECT_EQ(4u, sizeof(ULONG));
    EXPECT_EQ(4u, sizeof(int));
    EXPECT_EQ(2u, sizeof(short));
    EXPECT_EQ(8u, sizeof(long long));
    EXPECT_EQ(8u, sizeof(DWORD_PTR));
    EXPECT_EQ(8u, sizeof(LPARAM));
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

// LeakSanitizer runs (no emulator in the way): a block whose only pointer is
// hidden is found as a leak, and is no more once freed.  The expected report
// goes to /dev/null so that the test's log shows no false alarm.
TEST(NativeBuild, LeakSanitizerIsOn)
{
    const uintptr_t mask = ~uintptr_t(0);
    volatile uintptr_t hidden = reinterpret_cast<uintptr_t>(new char[64]) ^ mask;
    FILE* sink = std::fopen("/dev/null", "w");
    ASSERT_NE(nullptr, sink);
    __sanitizer_set_report_fd(reinterpret_cast<void*>(uintptr_t(fileno(sink))));
    int leaks = __lsan_do_recoverable_leak_check();
    __sanitizer_set_report_fd(reinterpret_cast<void*>(uintptr_t(2)));
    std::fclose(sink);
    EXPECT_NE(0, leaks);
    delete[] reinterpret_cast<char*>(hidden ^ mask);
    EXPECT_EQ(0, __lsan_do_recoverable_leak_check());
}

#endif
