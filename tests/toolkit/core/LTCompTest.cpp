// The compression object over one page: the bytes of zlib's one-call
// compress, round trips, too-small buffers and streams that are cut short or
// damaged.
#include <gtest/gtest.h>

#include "toolkit/core/LTComp.h"

#include <zlib.h>

#include <algorithm>
#include <string.h>
#include <vector>

namespace
{
const unsigned long kPage = 2048;

std::vector<unsigned char> MakePage(int kind)
{
    std::vector<unsigned char> page(kPage, 0);
    unsigned int seed = 12345;
    for (unsigned long i = 0; i < kPage; ++i)
    {
        seed = seed * 1103515245u + 12345u;
        if (kind == 1)
            page[i] = (unsigned char)("reference database "[i % 19]);
        else if (kind == 2)
            page[i] = (unsigned char)(seed >> 16);
    }
    return page;
}

std::vector<unsigned char> Compressed(const std::vector<unsigned char>& page)
{
    std::vector<unsigned char> out(4096);
    unsigned long len = (unsigned long)out.size();
    LTComp comp;
    EXPECT_EQ(LTComp::ok, comp.Compress(out.data(), &len, page.data(), (unsigned long)page.size()));
    out.resize(len);
    return out;
}
} // namespace

TEST(LTComp, RoundTripsZeroTextAndRandomPages)
{
    for (int kind = 0; kind < 3; ++kind)
    {
        std::vector<unsigned char> page = MakePage(kind);
        std::vector<unsigned char> packed = Compressed(page);
        std::vector<unsigned char> back(kPage, 0xEE);
        unsigned long len = kPage;
        LTComp comp;
        ASSERT_EQ(LTComp::ok, comp.Uncompress(back.data(), &len, packed.data(), (unsigned long)packed.size()))
            << "kind " << kind;
        EXPECT_EQ(kPage, len);
        EXPECT_EQ(page, back) << "kind " << kind;
    }
    EXPECT_LT(Compressed(MakePage(0)).size(), 40u);    // zeros shrink to a few bytes
    EXPECT_GT(Compressed(MakePage(2)).size(), 2048u);  // random data grows a little
}

// The bytes must be zlib's own at its defaults, whatever ran on the shared
// streams before: a page that fits a slot must fit it for any writer.
TEST(LTComp, CompressGivesExactlyTheBytesOfZlibsOneCallCompress)
{
    std::vector<std::vector<unsigned char>> pages;
    for (int kind = 0; kind < 3; ++kind)
        pages.push_back(MakePage(kind));
    std::vector<unsigned char> leaf(kPage, 0);
    for (unsigned long i = 0; i < kPage; ++i)
        leaf[i] = (unsigned char)("Smith, J.; Journal of Things 1999 "[i % 34] + (i % 97 == 0 ? i / 97 : 0));
    pages.push_back(leaf);
    std::vector<unsigned char> half = MakePage(2);
    std::fill(half.begin() + kPage / 2, half.end(), 'x');
    pages.push_back(half);

    for (int round = 0; round < 2; ++round)
    {
        for (size_t n = 0; n < pages.size(); ++n)
        {
            const std::vector<unsigned char>& page = pages[n];
            std::vector<unsigned char> expected(compressBound(kPage));
            uLongf expectedLen = (uLongf)expected.size();
            ASSERT_EQ(Z_OK, compress(expected.data(), &expectedLen, page.data(), kPage));
            expected.resize(expectedLen);
            EXPECT_EQ(expected, Compressed(page)) << "round " << round << ", page " << n;

            // Failed and other calls in between leave nothing for the next one.
            std::vector<unsigned char> small(10);
            unsigned long smallLen = (unsigned long)small.size();
            LTComp comp;
            EXPECT_EQ(LTComp::bufError, comp.Compress(small.data(), &smallLen, page.data(), kPage));
            std::vector<unsigned char> back(kPage);
            unsigned long backLen = 100; // too small for most pages
            comp.Uncompress(back.data(), &backLen, expected.data(), (unsigned long)expected.size());
        }
    }
}

TEST(LTComp, CompressIntoTooSmallDestinationIsBufferErrorAndKeepsLength)
{
    std::vector<unsigned char> page = MakePage(2);
    std::vector<unsigned char> out(1000);
    unsigned long len = (unsigned long)out.size();
    LTComp comp;
    EXPECT_EQ(LTComp::bufError, comp.Compress(out.data(), &len, page.data(), kPage));
    EXPECT_EQ(1000u, len);
}

TEST(LTComp, UncompressOfCutStreamNeverSucceeds)
{
    std::vector<unsigned char> page = MakePage(1);
    std::vector<unsigned char> packed = Compressed(page);
    const unsigned long cuts[] = {1, 2, (unsigned long)packed.size() / 2, (unsigned long)packed.size() - 4,
                                  (unsigned long)packed.size() - 1};
    for (unsigned long cut : cuts)
    {
        std::vector<unsigned char> back(kPage);
        unsigned long len = kPage;
        LTComp comp;
        int result = comp.Uncompress(back.data(), &len, packed.data(), cut);
        EXPECT_NE(LTComp::ok, result) << "cut at " << cut;
        EXPECT_LT(result, 0) << "cut at " << cut;
        EXPECT_EQ(kPage, len) << "length must stay unchanged, cut at " << cut;
    }
}

TEST(LTComp, UncompressIntoTooSmallDestinationIsBufferError)
{
    std::vector<unsigned char> packed = Compressed(MakePage(1));
    std::vector<unsigned char> back(1024);
    unsigned long len = 1024;
    LTComp comp;
    EXPECT_EQ(LTComp::bufError, comp.Uncompress(back.data(), &len, packed.data(), (unsigned long)packed.size()));
}

TEST(LTComp, UncompressOfDamagedStreamIsDataError)
{
    std::vector<unsigned char> packed = Compressed(MakePage(1));
    std::vector<unsigned char> bad(packed);
    bad[0] ^= 0xFF; // header check fails
    std::vector<unsigned char> badSum(packed);
    badSum[badSum.size() - 1] ^= 0x55; // Adler-32 trailer wrong
    for (const std::vector<unsigned char>* stream : {&bad, &badSum})
    {
        std::vector<unsigned char> back(kPage);
        unsigned long len = kPage;
        LTComp comp;
        EXPECT_EQ(LTComp::dataError, comp.Uncompress(back.data(), &len, stream->data(), (unsigned long)stream->size()));
    }
}

TEST(LTComp, IsASerialClassCreatableByName)
{
    CRuntimeClass* rc = CRuntimeClass::FromName("LTComp");
    ASSERT_NE(nullptr, rc);
    EXPECT_EQ(1u, rc->m_wSchema);
    CObject* obj = rc->CreateObject();
    ASSERT_NE(nullptr, obj);
    EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(LTComp)));
    delete obj;
}
