#include "database/text/StyledStringArray.h"

#include "classlib/Exceptions.h"
#include "database/text/ArchiveBytes.h"
#include "database/text/StyledStringArchive.h"
#include "support/AllocationWatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

TEST(StyledStringArrayTest, SetSizeAndSetAtGrow)
{
    CStyledStringArray a;
    a.SetAtGrow(2, StyledString("third"));
    ASSERT_EQ(3, a.GetSize());
    EXPECT_TRUE(a[0].IsEmpty());
    EXPECT_EQ(0, a[1].runs.GetSize());
    EXPECT_STREQ("third", a[2].text);
    a.SetAtGrow(5, a[2]); // an element of the array itself, across growth
    EXPECT_STREQ("third", a[5].text);
    a.SetSize(1);
    a.SetSize(3); // elements dropped by shrinking come back empty
    EXPECT_TRUE(a[2].IsEmpty());
    a.SetSize(0);
    EXPECT_EQ(0, a.GetSize());
}

// Adding strings one by one costs a constant number of allocations each: the
// buffer grows geometrically and moves its strings instead of copying them.
TEST(StyledStringArrayTest, AddingOneByOneGrowsInProportion)
{
    const StyledString bold = [] {
        StyledString s("ab");
        s.runs[0].style = 0x0001;
        return s;
    }();
    for (int n : {100, 2000})
    {
        CStyledStringArray a;
        const long long allocations = AllocationsDuring([&] {
            for (int i = 0; i < n; ++i)
                a.Add(bold);
        });
        if (allocations >= 0)
        {
            EXPECT_LE(allocations, 3LL * n) << n; // a text and a run buffer each, and the growth
        }
        ASSERT_EQ(n, a.GetSize());
        EXPECT_STREQ("ab", a[0].text);
        EXPECT_TRUE(a[n - 1].runs.IsEqual(bold.runs));
    }
}

TEST(StyledStringArrayTest, SerializeBytesAndRoundTrip)
{
    CStyledStringArray a;
    a.Add(StyledString("ab"));
    a.Add(StyledString());
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { a.Serialize(ar); });
    Bytes expected;
    PutBytes(expected, {0x02, 0x00});                         // count
    PutBytes(expected, {0x02, 'a', 'b', 0x00, 0x02, 0x00});   // "ab", one plain run
    PutBytes(expected, {0x00, 0x01, 0x00, 0x00});             // empty, no runs
    EXPECT_EQ(expected, bytes);

    CStyledStringArray b;
    b.Add(StyledString("stale"));
    b.Add(StyledString("stale"));
    b.Add(StyledString("stale"));
    EXPECT_EQ(0, LoadFromBytes(bytes, [&](CArchive& ar) { b.Serialize(ar); }));
    ASSERT_EQ(2, b.GetSize());
    EXPECT_STREQ("ab", b[0].text);
    EXPECT_TRUE(b[1].IsEmpty());
    EXPECT_EQ(0, b[1].runs.GetSize());
}

// A damaged count costs only the strings present, and the strings read whole
// are kept (fuzzing found 65,535 strings made for two bytes).
TEST(StyledStringArrayTest, DamagedCountCostsOnlyTheStringsPresent)
{
    const struct
    {
        unsigned count;
        int present;
    } cases[] = {{0xFFFF, 0}, {0xFFFF, 1}, {40, 20}, {40, 39}};
    for (const auto& c : cases)
    {
        Bytes bytes;
        Put16(bytes, c.count);
        for (int i = 0; i < c.present; ++i)
        {
            const Bytes one = StoreToBytes([](CArchive& ar) { WriteStyledString(ar, StyledString("ab")); });
            bytes.insert(bytes.end(), one.begin(), one.end());
        }
        CStyledStringArray a;
        int cause = -1;
        long long largest = 0;
        LoadFromBytes(bytes, [&](CArchive& ar) {
            largest = LargestBlockDuring([&] {
                try
                {
                    a.Serialize(ar);
                }
                catch (CArchiveException* e)
                {
                    cause = e->m_cause;
                    e->Delete();
                }
            });
        });
        EXPECT_EQ(CArchiveException::endOfFile, cause) << c.present;
        ASSERT_EQ(c.present, a.GetSize());
        if (c.present > 0)
        {
            EXPECT_STREQ("ab", a[c.present - 1].text);
        }
        const size_t room = 2 * std::max(c.present, 16) * sizeof(StyledString) + sizeof(size_t);
        EXPECT_LE(largest, static_cast<long long>(room)) << c.present;
    }
}

TEST(StyledStringArrayTest, RuntimeClass)
{
    CRuntimeClass* rc = RUNTIME_CLASS(CStyledStringArray);
    EXPECT_STREQ("CStyledStringArray", rc->m_lpszClassName);
    EXPECT_EQ(0u, rc->m_wSchema);
    std::unique_ptr<CObject> made(rc->CreateObject());
    ASSERT_NE(nullptr, made);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CStyledStringArray)));
}
