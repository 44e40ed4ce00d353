// A growable array of style runs held by value.
//
// The buffer grows to max(n, capacity + growBy) runs; growBy is 0 in every
// use, which makes the first buffer exactly the size needed and lets a buffer
// that grows again take an eighth more (4 to 1024 runs). Runs that become valid by
// growing are plain runs of length 0. Adding runs never merges them, except
// Append at the seam of two arrays.
#pragma once

#include "database/text/StyleRun.h"

#include <stdint.h>

class StyleRunArray
{
public:
    StyleRunArray();
    StyleRunArray(const StyleRunArray& other);
    ~StyleRunArray();
    // Copy (assignment to itself does nothing).
    StyleRunArray& operator=(const StyleRunArray& other);
    // Exchanges the buffers of the two arrays; nothing is copied.
    void Swap(StyleRunArray& other) noexcept;

    int GetSize() const { return m_size; }
    bool IsEmpty() const { return m_size == 0; }
    StyleRun& operator[](int index) { return m_runs[index]; }
    const StyleRun& operator[](int index) const { return m_runs[index]; }
    StyleRun& Last() { return m_runs[m_size - 1]; }
    const StyleRun& Last() const { return m_runs[m_size - 1]; }

    // n = 0 frees the buffer; growBy -1 keeps the current step.
    void SetSize(int n, int growBy = -1);
    void RemoveAll() { SetSize(0); }
    int Add(const StyleRun& run);
    void SetAtGrow(int index, const StyleRun& run);
    // count copies of run before index; an index past the end first grows the
    // array to index + count runs.
    void InsertAt(int index, const StyleRun& run, int count = 1);
    void RemoveAt(int index, int count = 1);
    // Empties the array and appends a copy of every run of other, unmerged.
    void Copy(const StyleRunArray& other);
    // Appends other's runs; other's first run is merged into this array's last
    // one when they have the same attributes.
    void Append(const StyleRunArray& other);

    // The runs covering characters start .. start+count-1: empty for a count
    // of 0 or less and for a start at or past the end of the runs.
    StyleRunArray Mid(int start, int count) const;
    // Lengths after `removed` characters at start were replaced by `inserted`
    // ones: the run holding start takes the inserted characters (a start at
    // the very end goes to the last run, or to a new plain run when there are
    // none); removed characters beyond it come out of the following runs,
    // deleting those wholly covered.
    void AdjustForReplace(int start, int removed, int inserted);

    // Same number of runs with, pair by pair, equal lengths and attributes.
    bool IsEqual(const StyleRunArray& other) const;
    // Sum of the run lengths, in 64 bits so that no run list can wrap it.
    int64_t TotalLength() const;

private:
    // Index of the run holding character `offset` and the offset inside it;
    // m_size when the offset lies at or past the end.
    int FindRun(int& offset) const;
    int GrowthStep() const;

    StyleRun* m_runs;
    int m_size;
    int m_capacity;
    int m_growBy;
};
