#include "BenchReport.h"

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#include <time.h>
#endif
#include <cstdio>

#include "classlib/Exceptions.h"
#include "classlib/HeapTuning.h"

#ifdef _WIN32
static long long Ticks()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

static double TicksPerSecond()
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(f.QuadPart);
}

static double PeakMemoryMiB()
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc))
        return -1;
    return double(pmc.PeakWorkingSetSize) / (1024.0 * 1024.0);
}
#else
static long long Ticks()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

static double TicksPerSecond()
{
    return 1e9;
}

static double PeakMemoryMiB()
{
    rusage usage = {};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return -1;
    return double(usage.ru_maxrss) / 1024.0; // KiB on Linux
}
#endif

BenchClock::BenchClock() : m_start(Ticks()) {}

void BenchClock::Restart() { m_start = Ticks(); }

double BenchClock::Seconds() const
{
    return double(Ticks() - m_start) / TicksPerSecond();
}

void BenchPrintRate(const char* phase, double ops, double seconds)
{
    std::printf("%s: %.0f ops in %.3f s = %.0f ops/s\n", phase, ops, seconds,
                seconds > 0 ? ops / seconds : 0.0);
    std::fflush(stdout);
}

void BenchPrintValue(const char* what, double value, const char* unit)
{
    std::printf("%s: %.3f %s\n", what, value, unit);
    std::fflush(stdout);
}

void BenchPrintPeakMemory()
{
    const double peak = PeakMemoryMiB();
    if (peak >= 0)
        BenchPrintValue("peak memory", peak, "MiB");
}

int BenchMain(void (*run)())
{
    AfxTuneHeaps();
    try {
        run();
    } catch (CException* e) {
        std::printf("error: %s\n", (const char*)e->GetErrorText());
        e->Delete();
        return 1;
    }
    return 0;
}
