#include "BenchReport.h"

#include <windows.h>
#include <psapi.h>
#include <cstdio>

#include "classlib/Exceptions.h"
#include "classlib/HeapTuning.h"

static long long Ticks()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

BenchClock::BenchClock() : m_start(Ticks()) {}

void BenchClock::Restart() { m_start = Ticks(); }

double BenchClock::Seconds() const
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(Ticks() - m_start) / double(f.QuadPart);
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
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc))
        BenchPrintValue("peak memory", double(pmc.PeakWorkingSetSize) / (1024.0 * 1024.0), "MiB");
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
