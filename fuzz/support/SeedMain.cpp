#include "FuzzSeeds.h"

#include "classlib/Exceptions.h"
#include "classlib/MemFile.h"

#include <cstdio>

void FuzzSeeds::Add(const std::string& name, const std::vector<unsigned char>& bytes)
{
    const std::string path = m_folder + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) ||
        std::fclose(f) != 0)
    {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

void FuzzSeeds::AddStored(const std::string& name, const std::function<void(CArchive&)>& store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
        ar.Close();
    }
    std::vector<unsigned char> bytes(file.GetLength());
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    Add(name, bytes);
}

std::vector<unsigned char> FuzzSeeds::TakeFile(const std::string& path)
{
    std::vector<unsigned char> bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb"))
    {
        unsigned char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.insert(bytes.end(), buffer, buffer + got);
        std::fclose(f);
    }
    std::remove(path.c_str());
    return bytes;
}

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s corpus-folder\n", argv[0]);
        return 2;
    }
    FuzzSeeds seeds(argv[1]);
    try
    {
        WriteSeeds(seeds);
    }
    catch (CException* e)
    {
        std::fprintf(stderr, "%s: seed writer failed (%s)\n", argv[0], e->GetRuntimeClass()->m_lpszClassName);
        e->Delete();
        return 1;
    }
    return 0;
}
