#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "classlib/MemFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace
{
// The cause of the CArchiveException the action throws, or -1.
int ArchiveCause(const std::function<void()>& action)
{
    try
    {
        action();
    }
    catch (CArchiveException* e)
    {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

// Bytes of a memory file, from its start.
std::vector<BYTE> Contents(CMemFile& f)
{
    std::vector<BYTE> v(f.GetLength());
    f.SeekToBegin();
    if (!v.empty())
        f.Read(v.data(), UINT(v.size()));
    f.SeekToBegin();
    return v;
}

std::vector<BYTE> Store(const std::function<void(CArchive&)>& write, int bufSize = 4096)
{
    CMemFile f;
    {
        CArchive ar(&f, CArchive::store, bufSize);
        write(ar);
        ar.Close();
    }
    return Contents(f);
}

// Loads from the given bytes (the memory file grows so attach-mode limits
// play no part).
void Load(const std::vector<BYTE>& bytes, const std::function<void(CArchive&)>& read, int bufSize = 4096)
{
    CMemFile f;
    if (!bytes.empty())
        f.Write(bytes.data(), UINT(bytes.size()));
    f.SeekToBegin();
    CArchive ar(&f, CArchive::load, bufSize);
    read(ar);
}

CString Text(int length)
{
    CString s;
    char* p = s.GetBufferSetLength(length);
    for (int i = 0; i < length; ++i)
        p[i] = char('a' + i % 26);
    s.ReleaseBuffer(length);
    return s;
}
} // namespace

TEST(ArchiveTest, StringFormAtEveryLengthBoundary)
{
    struct Case
    {
        int length;
        std::vector<BYTE> prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {1, {0x01}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {256, {0xFF, 0x00, 0x01}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.length);
        CString text = Text(c.length);
        std::vector<BYTE> bytes = Store([&](CArchive& ar) { ar << text; }, 512);
        ASSERT_EQ(bytes.size(), c.prefix.size() + size_t(c.length));
        EXPECT_EQ(std::vector<BYTE>(bytes.begin(), bytes.begin() + c.prefix.size()), c.prefix);
        EXPECT_EQ(std::string(bytes.begin() + c.prefix.size(), bytes.end()), std::string(text, c.length));

        CString back("old");
        int tail = 0;
        std::vector<BYTE> withTail = bytes;
        withTail.push_back(0x5A);
        Load(withTail, [&](CArchive& ar) {
            BYTE b;
            ar >> back >> b;
            tail = b;
        }, 512);
        EXPECT_TRUE(back == text);
        EXPECT_EQ(tail, 0x5A); // the form is consumed exactly
    }
}

TEST(ArchiveTest, CharPointerAndCStringWriteTheSameForm)
{
    CString s = Text(300);
    EXPECT_EQ(Store([&](CArchive& ar) { ar << s; }), Store([&](CArchive& ar) { ar << (const char*)s; }));
}

TEST(ArchiveTest, StringKeepsEmbeddedNulAndHighBytes)
{
    CString s("a\0b\xFF", 4);
    CString back;
    Load(Store([&](CArchive& ar) { ar << s; }), [&](CArchive& ar) { ar >> back; });
    EXPECT_EQ(back.GetLength(), 4);
    EXPECT_TRUE(back == s);
}

TEST(ArchiveTest, CountFormAtEveryBoundary)
{
    struct Case
    {
        DWORD count;
        std::vector<BYTE> bytes;
    };
    const Case cases[] = {
        {0, {0x00, 0x00}},
        {254, {0xFE, 0x00}},
        {255, {0xFF, 0x00}},
        {65533, {0xFD, 0xFF}},
        {65534, {0xFE, 0xFF}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
        {0xFFFFFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.count);
        std::vector<BYTE> bytes = Store([&](CArchive& ar) { ar.WriteCount(c.count); });
        EXPECT_EQ(bytes, c.bytes);
        DWORD back = 0;
        Load(bytes, [&](CArchive& ar) { back = ar.ReadCount(); });
        EXPECT_EQ(back, c.count);
    }
}

TEST(ArchiveTest, PrimitivesAreLittleEndianWithFixedWidths)
{
    std::vector<BYTE> bytes = Store([](CArchive& ar) {
        ar << BYTE(0x81) << WORD(0x1234) << short(-2) << DWORD(0x89ABCDEF) << LONG(-3) << int(0x01020304)
           << UINT(7) << 1.5f << -2.0;
    });
    const std::vector<BYTE> expected = {
        0x81,                                           // BYTE
        0x34, 0x12,                                     // WORD
        0xFE, 0xFF,                                     // short
        0xEF, 0xCD, 0xAB, 0x89,                         // DWORD
        0xFD, 0xFF, 0xFF, 0xFF,                         // LONG
        0x04, 0x03, 0x02, 0x01,                         // int
        0x07, 0x00, 0x00, 0x00,                         // UINT
        0x00, 0x00, 0xC0, 0x3F,                         // float 1.5
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, // double -2.0
    };
    EXPECT_EQ(bytes, expected);

    BYTE b;
    WORD w;
    short s;
    DWORD dw;
    LONG l;
    int i;
    UINT u;
    float f;
    double d;
    Load(bytes, [&](CArchive& ar) { ar >> b >> w >> s >> dw >> l >> i >> u >> f >> d; });
    EXPECT_EQ(b, 0x81);
    EXPECT_EQ(w, 0x1234);
    EXPECT_EQ(s, -2);
    EXPECT_EQ(dw, 0x89ABCDEFu);
    EXPECT_EQ(l, -3);
    EXPECT_EQ(i, 0x01020304);
    EXPECT_EQ(u, 7u);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(d, -2.0);
}

TEST(ArchiveTest, ShortReadOfAnyItemIsEndOfFile)
{
    // Each reader needs one byte more than is there.
    struct Case
    {
        const char* what;
        std::vector<BYTE> bytes;
        std::function<void(CArchive&)> read;
    };
    const Case cases[] = {
        {"BYTE", {}, [](CArchive& ar) { BYTE v; ar >> v; }},
        {"WORD", {1}, [](CArchive& ar) { WORD v; ar >> v; }},
        {"DWORD", {1, 2, 3}, [](CArchive& ar) { DWORD v; ar >> v; }},
        {"int", {1, 2, 3}, [](CArchive& ar) { int v; ar >> v; }},
        {"double", {1, 2, 3, 4, 5, 6, 7}, [](CArchive& ar) { double v; ar >> v; }},
        {"count", {0xFF, 0xFF, 0, 0, 0}, [](CArchive& ar) { ar.ReadCount(); }},
        {"string length", {0xFF, 0x00}, [](CArchive& ar) { CString s; ar >> s; }},
        {"string text", {0x05, 'a', 'b', 'c', 'd'}, [](CArchive& ar) { CString s; ar >> s; }},
        // A damaged length far beyond the data must not allocate it all first.
        {"huge length", {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F, 'x'}, [](CArchive& ar) { CString s; ar >> s; }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ArchiveCause([&] { Load(c.bytes, c.read, 128); }), CArchiveException::endOfFile);
    }
}

TEST(ArchiveTest, RawReadReturnsWhatIsLeftAndCrossesBuffers)
{
    std::vector<BYTE> data(1000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = BYTE(i * 7);
    std::vector<BYTE> bytes = Store([&](CArchive& ar) { ar.Write(data.data(), UINT(data.size())); }, 128);
    EXPECT_EQ(bytes, data);
    Load(bytes, [&](CArchive& ar) {
        std::vector<BYTE> back(1200);
        EXPECT_EQ(ar.Read(back.data(), 300), 300u);
        EXPECT_EQ(ar.Read(back.data() + 300, 900), 700u);
        back.resize(1000);
        EXPECT_EQ(back, data);
        EXPECT_EQ(ar.Read(back.data(), 1), 0u);
    }, 128);
}

TEST(ArchiveTest, FlushOnDeleteUnlessAskedNotTo)
{
    CMemFile flushed;
    {
        CArchive ar(&flushed, CArchive::store);
        ar << DWORD(1);
    }
    EXPECT_EQ(flushed.GetLength(), 4u);

    CMemFile kept;
    {
        CArchive ar(&kept, CArchive::store | CArchive::bNoFlushOnDelete);
        ar << DWORD(1);
    }
    EXPECT_EQ(kept.GetLength(), 0u);

    CMemFile aborted;
    {
        CArchive ar(&aborted, CArchive::store);
        ar << DWORD(1);
        ar.Abort();
    }
    EXPECT_EQ(aborted.GetLength(), 0u);
}

TEST(ArchiveTest, DirectionIsEnforced)
{
    CMemFile f;
    CArchive out(&f, CArchive::store);
    EXPECT_TRUE(out.IsStoring());
    EXPECT_FALSE(out.IsLoading());
    EXPECT_EQ(out.GetFile(), &f);
    EXPECT_EQ(ArchiveCause([&] { int v; out >> v; }), CArchiveException::writeOnly);

    CArchive in(&f, CArchive::load);
    EXPECT_TRUE(in.IsLoading());
    EXPECT_EQ(ArchiveCause([&] { in << 1; }), CArchiveException::readOnly);
}

TEST(ArchiveTest, TextLines)
{
    std::vector<BYTE> bytes = Store([](CArchive& ar) {
        ar.WriteString("first\r\n");
        ar.WriteString("second\n");
        ar.WriteString("last");
    }, 128);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "first\r\nsecond\nlast");
    Load(bytes, [](CArchive& ar) {
        CString line;
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_STREQ(line, "first");
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_STREQ(line, "second");
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_STREQ(line, "last");
        EXPECT_FALSE(ar.ReadString(line));
    });
}

TEST(ArchiveTest, LoadingLeavesTheFileWhereStoringLeftIt)
{
    // An archive over a file that already holds data writes after it.
    CMemFile f;
    f.Write("HEAD", 4);
    {
        CArchive ar(&f, CArchive::store);
        ar << WORD(0xBEEF);
    }
    EXPECT_EQ(f.GetLength(), 6u);
    f.Seek(4, CFile::begin);
    CArchive ar(&f, CArchive::load);
    WORD w;
    ar >> w;
    EXPECT_EQ(w, 0xBEEF);
}
