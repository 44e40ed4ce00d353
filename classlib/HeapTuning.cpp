#include "classlib/HeapTuning.h"

#ifdef _WIN32
#include <malloc.h>
#include <windows.h>

namespace {

void UseLowFragmentation(HANDLE heap)
{
    ULONG mode = 2; // the low-fragmentation heap
    if (heap)
        ::HeapSetInformation(heap, HeapCompatibilityInformation, &mode, sizeof mode);
}

} // namespace

void AfxTuneHeaps()
{
    UseLowFragmentation(reinterpret_cast<HANDLE>(_get_heap_handle()));
    UseLowFragmentation(::GetProcessHeap());
}
#else
void AfxTuneHeaps() {}
#endif
