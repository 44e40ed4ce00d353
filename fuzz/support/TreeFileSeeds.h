// Seeds of the paged-file and B-tree targets: record-tree files as the
// project writes them, plain and compressed, of one, two and three levels,
// with and without free pages; byte 0 gives the target's mode bits.
#pragma once

#include "FuzzSeeds.h"
#include "FuzzTreeFile.h"

#include <initializer_list>
#include <unistd.h>

inline void AddTreeFiles(FuzzSeeds& seeds, std::initializer_list<unsigned char> modes)
{
    const std::string path = "/tmp/lorvane-seed-" + std::to_string(getpid()) + ".tmp";
    const struct
    {
        const char* name;
        DWORD records;
        int dataLength;
        DWORD freeEvery;
    } files[] = {{"empty", 0, 0, 0}, {"one-leaf", 12, 20, 0}, {"two-levels", 150, 20, 0},
                 {"three-levels", 400, 120, 0}, {"free-pages", 150, 20, 2}};
    for (BOOL compressed : {FALSE, TRUE})
    {
        for (const auto& f : files)
        {
            MakeTreeFile(path, compressed, f.records, f.dataLength, f.freeEvery);
            const std::vector<unsigned char> file = FuzzSeeds::TakeFile(path);
            for (unsigned char mode : modes)
            {
                std::vector<unsigned char> bytes(file);
                bytes.insert(bytes.begin(), static_cast<unsigned char>(mode | compressed));
                seeds.Add(std::string(compressed ? "compressed-" : "plain-") + f.name + "-" +
                              std::to_string(mode),
                          bytes);
            }
        }
    }
}
