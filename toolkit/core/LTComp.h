// LTComp: compresses or decompresses one memory buffer in one call with zlib.
//
// Each operation sets up a zlib stream over the two buffers, runs one
// deflate/inflate call that must finish the stream, and ends the stream. An
// object holds no state between operations; make one per operation.
// Results are zlib's status codes (ok 0; bufError -5 when the destination is
// too small; other negative codes as zlib reports them).
#pragma once

#include "classlib/Object.h"

class LTComp : public CObject
{
    DECLARE_SERIAL(LTComp)
public:
    enum
    {
        ok = 0,
        streamEnd = 1,
        dataError = -3,
        memError = -4,
        bufError = -5,
    };

    LTComp();
    ~LTComp() override;

    // Deflates source at the default level into dest (with a window just large
    // enough for the source). On success *destLen is
    // the compressed size; on any failure (bufError when dest is too small)
    // *destLen is left unchanged.
    int Compress(unsigned char* dest, unsigned long* destLen, const unsigned char* source,
                 unsigned long sourceLen);
    // Inflates source into dest. Success only when the stream ended within
    // the source and the destination; a truncated stream is never success.
    int Uncompress(unsigned char* dest, unsigned long* destLen, const unsigned char* source,
                   unsigned long sourceLen);

    // Nothing is stored.
    void Serialize(CArchive& ar) override;
};
