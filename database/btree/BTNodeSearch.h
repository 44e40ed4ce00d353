// BTNodeSearch: the searches of one checked node for the first entry not
// less than a key, over entries given by position (entry(i)) and a
// three-way comparison (compare(key, entry)). Each sets *pEqual when that
// entry equals the key and leaves it FALSE otherwise; all give the same
// answer for a node whose keys are distinct and in order.
#pragma once

#include "classlib/Types.h"

namespace BTNodeSearch
{
// Halves the range with a branch per step: guessing the branch runs ahead
// of a line still arriving from memory.
template <class EntryAt, class Compare>
int Guessing(int n, const BYTE* key, BOOL* pEqual, EntryAt entry, Compare compare)
{
    *pEqual = FALSE;
    int lo = 0;
    int hi = n;
    while (lo < hi)
    {
        int mid = (lo + hi) / 2;
        int c = compare(key, entry(mid));
        if (c < 0)
            hi = mid;
        else if (c > 0)
            lo = mid + 1;
        else
        {
            *pEqual = TRUE;
            return mid;
        }
    }
    return lo;
}

// Halves the range without a branch to mispredict: faster over lines
// already in the processor's cache.
template <class EntryAt, class Compare>
int BranchFree(int n, const BYTE* key, BOOL* pEqual, EntryAt entry, Compare compare)
{
    *pEqual = FALSE;
    if (n == 0)
        return 0;
    int at = 0;
    for (int len = n; len > 1;)
    {
        int half = len / 2;
        at = compare(key, entry(at + half - 1)) > 0 ? at + half : at;
        len -= half;
    }
    int c = compare(key, entry(at));
    *pEqual = c == 0;
    return c > 0 ? at + 1 : at;
}

// Starts at the share `fraction` (0 to 1) of the n entries, where the key
// would lie if the keys were spread evenly between the node's bounds, then
// takes doubling steps away from it until the key is passed and halves the
// last step. Evenly spread keys take a few comparisons on one or two
// lines; any spread takes at most about twice a halving search's.
template <class EntryAt, class Compare>
int FromGuess(int n, double fraction, const BYTE* key, BOOL* pEqual, EntryAt entry, Compare compare)
{
    *pEqual = FALSE;
    if (n == 0)
        return 0;
    int g = fraction <= 0 ? 0 : fraction >= 1 ? n - 1 : (int)(fraction * n);
    if (g >= n)
        g = n - 1;
    int c = compare(key, entry(g));
    if (c == 0)
    {
        *pEqual = TRUE;
        return g;
    }
    // The answer lies in [lo, hi]: entries before lo are less than the key,
    // entry hi (when below n) is greater.
    int lo;
    int hi;
    if (c > 0)
    {
        lo = g + 1;
        hi = n;
        for (int step = 1; g + step < n; step *= 2)
        {
            int probe = g + step;
            int d = compare(key, entry(probe));
            if (d == 0)
            {
                *pEqual = TRUE;
                return probe;
            }
            if (d < 0)
            {
                hi = probe;
                break;
            }
            lo = probe + 1;
        }
    }
    else
    {
        lo = 0;
        hi = g;
        for (int step = 1; g - step >= 0; step *= 2)
        {
            int probe = g - step;
            int d = compare(key, entry(probe));
            if (d == 0)
            {
                *pEqual = TRUE;
                return probe;
            }
            if (d > 0)
            {
                lo = probe + 1;
                break;
            }
            hi = probe;
        }
    }
    return lo + Guessing(hi - lo, key, pEqual, [&](int i) { return entry(lo + i); }, compare);
}
} // namespace BTNodeSearch
