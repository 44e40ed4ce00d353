// Seed writers: a program per target (fuzz/seeds/<Target>.cpp, built as
// <Target>Seeds) that makes the target's first corpus with the project's own
// writers.  It defines WriteSeeds; SeedMain.cpp gives it a main that takes the
// corpus folder.
#pragma once

#include "classlib/Archive.h"

#include <functional>
#include <string>
#include <vector>

class FuzzSeeds
{
public:
    explicit FuzzSeeds(const std::string& folder) : m_folder(folder) {}
    // One seed file of these bytes.
    void Add(const std::string& name, const std::vector<unsigned char>& bytes);
    // One seed: what store writes through a storing archive.
    void AddStored(const std::string& name, const std::function<void(CArchive&)>& store);
    // The bytes of a file the project wrote (then removed).
    static std::vector<unsigned char> TakeFile(const std::string& path);

private:
    std::string m_folder;
};

void WriteSeeds(FuzzSeeds& seeds);
