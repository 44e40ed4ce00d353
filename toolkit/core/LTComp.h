// LTComp: compresses or decompresses one memory buffer in one call with zlib.
//
// Compress gives exactly the bytes of zlib's one-call compress at the default
// level (window bits 15, memory level 8, default strategy), so a page that
// fits a slot here fits it wherever zlib is used the standard way; Uncompress
// reads any zlib stream.
//
// Setting a deflate stream up costs far more than compressing a 2 KB page, so
// the process keeps one deflate and one inflate stream, made on first use and
// reset (not set up again) before each operation. Objects hold no state of
// their own; the shared streams make the operations non-reentrant: use them
// from one thread, as the page cache does.
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

    // Deflates source at the default level into dest. On success *destLen is
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
