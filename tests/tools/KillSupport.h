// What the kill-test writers share: the count of committed batches kept
// beside the file, and the open step of their checks.
#pragma once

#include "classlib/Exceptions.h"

#include <cstdio>
#include <string>

// The last batch whose commit returned, from FILE.committed (0: none).
inline int Committed(const std::string& name)
{
    int n = 0;
    if (FILE* f = std::fopen((name + ".committed").c_str(), "r")) {
        if (std::fscanf(f, "%d", &n) != 1)
            n = 0;
        std::fclose(f);
    }
    return n;
}

// Written after the commit returned, whole or not at all (a rename): a kill
// in between leaves the file one batch ahead of this count, which the checks
// allow.
inline void NoteCommitted(const std::string& name, int b)
{
    FILE* f = std::fopen((name + ".committed.new").c_str(), "w");
    std::fprintf(f, "%d\n", b);
    std::fclose(f);
    std::rename((name + ".committed.new").c_str(), (name + ".committed").c_str());
}

// A check's open: false, with "open failed" printed, when it answers false
// or raises.
template <class Open> bool OpenForCheck(Open open)
{
    try {
        if (open())
            return true;
    } catch (CException* e) {
        e->Delete();
    }
    std::printf("open failed\n");
    return false;
}
