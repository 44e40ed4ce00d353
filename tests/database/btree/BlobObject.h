// A test object whose archive is exactly its bytes: storing writes them,
// loading takes whatever the archive holds. It can be told to fail in
// Serialize after a few bytes, as a damaged or faulty object would.
#pragma once

#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "classlib/Object.h"

#include <string>

class BlobObject : public CObject
{
public:
    explicit BlobObject(std::string bytes = std::string()) : data(std::move(bytes)) {}

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            size_t n = failAfter >= 0 && (size_t)failAfter < data.size() ? (size_t)failAfter : data.size();
            if (n)
                ar.Write(data.data(), (UINT)n);
            if (failAfter >= 0)
                AfxThrowArchiveException(CArchiveException::generic);
            return;
        }
        data.clear();
        char buffer[4096];
        for (UINT n; (n = ar.Read(buffer, sizeof buffer)) > 0;) {
            data.append(buffer, n);
            if (failAfter >= 0 && data.size() >= (size_t)failAfter)
                AfxThrowArchiveException(CArchiveException::badIndex);
        }
        if (expectLength >= 0 && data.size() != (size_t)expectLength)
            AfxThrowArchiveException(CArchiveException::endOfFile);
    }

    std::string data;
    int failAfter = -1;    // fail in Serialize once this many bytes went through
    int expectLength = -1; // loading: fewer or more bytes are an error
};

// Bytes that differ at every position of a chunk, so a misplaced chunk shows.
inline std::string Pattern(size_t n, unsigned seed = 1)
{
    std::string s(n, '\0');
    unsigned x = seed * 2654435761u + 1;
    for (size_t i = 0; i < n; ++i) {
        x = x * 1103515245u + 12345u;
        s[i] = (char)(x >> 16);
    }
    return s;
}
