// HeapTuning: the allocator set-up both the program and the benchmarks make
// at start-up.
//
// Under Windows the C runtime's heap and the process heap are switched to
// the low-fragmentation front end: an import allocates and frees many
// small, short-lived blocks of a few sizes, and the plain heap's search of
// its free lists is what such a run spends its time in. Elsewhere it does
// nothing. Failure is harmless (the heap stays as it was).
#pragma once

void AfxTuneHeaps();
