#include "toolkit/core/LTComp.h"

#include <zlib.h>

IMPLEMENT_SERIAL(LTComp, CObject, 1)

LTComp::LTComp()
{
}

LTComp::~LTComp()
{
}

void LTComp::Serialize(CArchive&)
{
}

namespace
{
void SetUpStream(z_stream& stream, unsigned char* dest, unsigned long destLen, const unsigned char* source,
                 unsigned long sourceLen)
{
    stream = z_stream();
    stream.next_in = const_cast<Bytef*>(source);
    stream.avail_in = (uInt)sourceLen;
    stream.next_out = dest;
    stream.avail_out = (uInt)destLen;
    stream.zalloc = Z_NULL;
    stream.zfree = Z_NULL;
    stream.opaque = Z_NULL;
}
// The smallest window that still spans the whole source: the stream is a
// deflate stream at the default level as before, but setting up a full 32 KB
// window and its hash table for a 2 KB page costs far more than compressing it.
int WindowBitsFor(unsigned long sourceLen)
{
    int bits = 9;
    while (bits < MAX_WBITS && (1ul << bits) < sourceLen + 262)
        ++bits;
    return bits;
}
} // namespace

int LTComp::Compress(unsigned char* dest, unsigned long* destLen, const unsigned char* source,
                     unsigned long sourceLen)
{
    z_stream stream;
    SetUpStream(stream, dest, *destLen, source, sourceLen);
    int bits = WindowBitsFor(sourceLen);
    // A hash table as large as the window (memory level 8 at the full window).
    int memLevel = bits - 7 < 1 ? 1 : bits - 7;
    int result = deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, bits, memLevel, Z_DEFAULT_STRATEGY);
    if (result != Z_OK)
        return result;
    result = deflate(&stream, Z_FINISH);
    if (result != Z_STREAM_END)
    {
        deflateEnd(&stream);
        return result == Z_OK ? Z_BUF_ERROR : result;
    }
    *destLen = stream.total_out;
    return deflateEnd(&stream);
}

int LTComp::Uncompress(unsigned char* dest, unsigned long* destLen, const unsigned char* source,
                       unsigned long sourceLen)
{
    z_stream stream;
    SetUpStream(stream, dest, *destLen, source, sourceLen);
    int result = inflateInit(&stream);
    if (result != Z_OK)
        return result;
    result = inflate(&stream, Z_FINISH);
    if (result != Z_STREAM_END)
    {
        inflateEnd(&stream);
        // One call over the whole input either ends the stream or stops short:
        // a stream cut off before its end is an error, never a success with
        // part of the data. A full destination with input left is too small.
        if (result == Z_OK || result == Z_BUF_ERROR)
            return stream.avail_out == 0 && stream.avail_in != 0 ? Z_BUF_ERROR : Z_DATA_ERROR;
        return result;
    }
    *destLen = stream.total_out;
    return inflateEnd(&stream);
}
