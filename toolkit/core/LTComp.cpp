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
// The process's deflate and inflate streams. A stream is set up on first use
// (again after a set-up that failed) and reset before every later use, so an
// operation that failed half-way leaves nothing behind for the next one.
class SharedStreams
{
public:
    SharedStreams() : m_deflate(), m_inflate(), m_bDeflate(false), m_bInflate(false) {}
    ~SharedStreams()
    {
        if (m_bDeflate)
            deflateEnd(&m_deflate);
        if (m_bInflate)
            inflateEnd(&m_inflate);
    }
    SharedStreams(const SharedStreams&) = delete;
    SharedStreams& operator=(const SharedStreams&) = delete;

    // The deflate stream ready for a new stream, or NULL with *result set.
    z_stream* Deflater(int* result)
    {
        if (m_bDeflate)
            *result = deflateReset(&m_deflate);
        else
        {
            m_deflate = z_stream();
            *result = deflateInit(&m_deflate, Z_DEFAULT_COMPRESSION);
            m_bDeflate = *result == Z_OK;
        }
        return *result == Z_OK ? &m_deflate : nullptr;
    }
    z_stream* Inflater(int* result)
    {
        if (m_bInflate)
            *result = inflateReset(&m_inflate);
        else
        {
            m_inflate = z_stream();
            *result = inflateInit(&m_inflate);
            m_bInflate = *result == Z_OK;
        }
        return *result == Z_OK ? &m_inflate : nullptr;
    }

private:
    z_stream m_deflate;
    z_stream m_inflate;
    bool m_bDeflate;
    bool m_bInflate;
};

SharedStreams& Streams()
{
    static SharedStreams streams;
    return streams;
}

void SetBuffers(z_stream* stream, unsigned char* dest, unsigned long destLen, const unsigned char* source,
                unsigned long sourceLen)
{
    stream->next_in = const_cast<Bytef*>(source);
    stream->avail_in = (uInt)sourceLen;
    stream->next_out = dest;
    stream->avail_out = (uInt)destLen;
}
} // namespace

int LTComp::Compress(unsigned char* dest, unsigned long* destLen, const unsigned char* source,
                     unsigned long sourceLen)
{
    int result;
    z_stream* stream = Streams().Deflater(&result);
    if (!stream)
        return result;
    SetBuffers(stream, dest, *destLen, source, sourceLen);
    result = deflate(stream, Z_FINISH);
    if (result != Z_STREAM_END)
        return result == Z_OK ? Z_BUF_ERROR : result;
    *destLen = stream->total_out;
    return Z_OK;
}

int LTComp::Uncompress(unsigned char* dest, unsigned long* destLen, const unsigned char* source,
                       unsigned long sourceLen)
{
    int result;
    z_stream* stream = Streams().Inflater(&result);
    if (!stream)
        return result;
    SetBuffers(stream, dest, *destLen, source, sourceLen);
    result = inflate(stream, Z_FINISH);
    if (result != Z_STREAM_END)
    {
        // One call over the whole input either ends the stream or stops short:
        // a stream cut off before its end is an error, never a success with
        // part of the data. A full destination with input left is too small.
        if (result == Z_OK || result == Z_BUF_ERROR)
            return stream->avail_out == 0 && stream->avail_in != 0 ? Z_BUF_ERROR : Z_DATA_ERROR;
        return result;
    }
    *destLen = stream->total_out;
    return Z_OK;
}
