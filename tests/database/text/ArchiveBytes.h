// Byte-exact archive helpers for the tests: store through a CArchive into
// memory, or load from given bytes.
#pragma once

#include "classlib/Archive.h"
#include "classlib/MemFile.h"

#include <functional>
#include <vector>

typedef std::vector<unsigned char> Bytes;

inline Bytes StoreToBytes(const std::function<void(CArchive&)>& store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
        ar.Close();
    }
    Bytes bytes(file.GetLength());
    file.Seek(0, CFile::begin);
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// Runs load over an archive reading exactly these bytes; returns how many
// bytes were left unread (0 when the reader consumed everything).
inline int LoadFromBytes(const Bytes& bytes, const std::function<void(CArchive&)>& load)
{
    Bytes copy(bytes);
    if (copy.empty())
        copy.push_back(0); // attached files need a block; length is set below
    CMemFile file(copy.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    load(ar);
    unsigned char rest[256];
    int left = 0;
    for (UINT n; (n = ar.Read(rest, sizeof rest)) > 0;)
        left += static_cast<int>(n);
    return left;
}

// Little-endian builders for expected bytes.
inline void Put16(Bytes& b, unsigned v)
{
    b.push_back(static_cast<unsigned char>(v & 0xFF));
    b.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

inline void PutBytes(Bytes& b, std::initializer_list<unsigned> values)
{
    for (unsigned v : values)
        b.push_back(static_cast<unsigned char>(v));
}

inline void PutFontName(Bytes& b, const char* name)
{
    size_t i = 0;
    for (; name[i] != '\0'; ++i)
        b.push_back(static_cast<unsigned char>(name[i]));
    for (; i < 32; ++i)
        b.push_back(0);
}
