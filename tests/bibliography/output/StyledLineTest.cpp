#include "bibliography/output/StyledLineList.h"
#include "classlib/Exceptions.h"
#include "database/text/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <string.h>

namespace {
void Put32(Bytes& b, int v)
{
    Put16(b, static_cast<unsigned>(v) & 0xFFFF);
    Put16(b, (static_cast<unsigned>(v) >> 16) & 0xFFFF);
}

template <class T> Bytes Store(T& object)
{
    return StoreToBytes([&](CArchive& ar) { object.Serialize(ar); });
}

template <class T> int Load(const Bytes& bytes, T& object)
{
    return LoadFromBytes(bytes, [&](CArchive& ar) { object.Serialize(ar); });
}

StyledFragment Fragment(int left, int top, const char* text)
{
    StyledFragment f;
    f.rect.SetRect(left, top, left + 500, top + 240);
    f.baseline = top + 190;
    f.alignment = 1;
    f.text.AppendStyled(text, static_cast<int>(strlen(text)), StyleRun(kStyleBold, 12, "Arial", 0));
    return f;
}

// Fragment(100, 200, "Ab") as it is stored.
void PutFragment(Bytes& b)
{
    for (int v : {100, 200, 600, 440, 390, 1})
        Put32(b, v);
    PutBytes(b, {2, 'A', 'b', 1}); // text, run list
    Put16(b, 1);                   // one run
    Put16(b, 2);                   // length
    Put16(b, kStyleBold);
    Put16(b, 12);
    PutFontName(b, "Arial");
}

StyledLine SampleLine()
{
    StyledLine line;
    line.startKind = StyledLine::kContinuesParagraph;
    line.endKind = StyledLine::kTab;
    EXPECT_TRUE(line.fragments.AddTail(Fragment(100, 200, "Ab")));
    line.penX = 700;
    line.penY = 200;
    line.rightLimit = 8640;
    line.bottomLimit = 12960;
    line.lineRect.SetRect(0, 200, 8640, 440);
    line.baseline = 390;
    line.leading = 20;
    line.spacing = 120;
    line.tabCount = 2;
    line.tabPositions[0] = 720;
    line.tabKinds[0] = 2;
    line.tabPositions[1] = 1440;
    line.tabKinds[1] = 3;
    line.overflow = 1;
    line.tabIndex = 1;
    line.xBeforeTab = 650;
    return line;
}

Bytes SampleLineBytes()
{
    Bytes b;
    Put32(b, 1);
    Put32(b, 3);
    Put32(b, 1); // fragment count
    PutFragment(b);
    for (int v : {700, 200, 8640, 12960})
        Put32(b, v);
    for (int v : {0, 0, 0, 0, 0, 0}) // the empty current fragment
        Put32(b, v);
    PutBytes(b, {0, 1}); // empty text, empty run list
    Put16(b, 0);
    for (int v : {0, 200, 8640, 440, 390, 20, 120, 2})
        Put32(b, v);
    for (int i = 0; i < 20; ++i)
        Put32(b, i == 0 ? 720 : i == 1 ? 1440 : 0);
    for (int i = 0; i < 20; ++i)
        Put32(b, i == 0 ? 2 : i == 1 ? 3 : 0);
    return b;
}

void ExpectSameFragment(const StyledFragment& a, const StyledFragment& b)
{
    EXPECT_TRUE(a.rect == b.rect);
    EXPECT_EQ(a.baseline, b.baseline);
    EXPECT_EQ(a.alignment, b.alignment);
    EXPECT_EQ(std::string(a.text.text), std::string(b.text.text));
    EXPECT_TRUE(a.text.runs.IsEqual(b.text.runs));
}
} // namespace

TEST(StyledLine, StoredFormIsByteExactAndRoundTrips)
{
    StyledLine line = SampleLine();
    EXPECT_EQ(SampleLineBytes(), Store(line));

    StyledLine loaded;
    EXPECT_EQ(0, Load(SampleLineBytes(), loaded));
    EXPECT_EQ(1, loaded.startKind);
    EXPECT_EQ(3, loaded.endKind);
    ASSERT_EQ(1, loaded.fragments.GetCount());
    StyledFragment first;
    ASSERT_TRUE(loaded.fragments.GetHead(first));
    ExpectSameFragment(Fragment(100, 200, "Ab"), first);
    EXPECT_TRUE(loaded.lineRect == CRect(0, 200, 8640, 440));
    EXPECT_EQ(2, loaded.tabCount);
    EXPECT_EQ(1440, loaded.tabPositions[1]);
    EXPECT_EQ(3, loaded.tabKinds[1]);
    EXPECT_EQ(SampleLineBytes(), Store(loaded));
    // Working state is not stored.
    EXPECT_EQ(0, loaded.overflow);
    EXPECT_EQ(-1, loaded.tabIndex);
}

TEST(StyledLine, DefaultsCopiesAndLayoutOperations)
{
    const StyledLine fresh;
    EXPECT_EQ(2, fresh.startKind);
    EXPECT_EQ(0, fresh.endKind);
    EXPECT_EQ(-1, fresh.penX);
    EXPECT_EQ(-1, fresh.bottomLimit);
    EXPECT_EQ(-1, fresh.tabIndex);

    StyledLine line = SampleLine();
    line.tabPositions[5] = 999; // beyond the count: not copied
    StyledLine copy(line);
    EXPECT_EQ(0, copy.tabPositions[5]);
    EXPECT_EQ(1440, copy.tabPositions[1]);
    EXPECT_EQ(1, copy.overflow);
    // Deep: changing the copy's fragments leaves the original's alone.
    copy.fragments.AddTail(Fragment(700, 200, "c"));
    EXPECT_EQ(1, line.fragments.GetCount());

    copy.ShiftBy(1000);
    EXPECT_TRUE(copy.lineRect == CRect(0, 1200, 8640, 1440));
    EXPECT_EQ(1390, copy.baseline);
    POSITION pos = copy.fragments.GetHeadPosition();
    StyledFragment f;
    while (copy.fragments.GetNext(pos, f)) {
        EXPECT_EQ(1200, f.rect.top);
        EXPECT_EQ(1440, f.rect.bottom);
        EXPECT_EQ(1390, f.baseline);
    }
    copy.ClearFragments();
    EXPECT_TRUE(copy.fragments.IsEmpty());
    EXPECT_EQ(0, copy.overflow);
}

TEST(StyledLineList, ListOperationsAndEmptyStoredForm)
{
    StyledFragmentList fragments;
    EXPECT_EQ((Bytes{0, 0, 0, 0}), Store(fragments));
    StyledFragment taken;
    EXPECT_FALSE(fragments.RemoveTail(taken));
    EXPECT_FALSE(fragments.GetTail(taken));
    EXPECT_TRUE(fragments.AddTail(Fragment(0, 0, "b")));
    EXPECT_TRUE(fragments.AddHead(Fragment(0, 0, "a")));
    EXPECT_TRUE(fragments.AddTail(Fragment(0, 0, "c")));
    EXPECT_TRUE(fragments.RemoveTail(taken));
    EXPECT_EQ("c", std::string(taken.text.text));
    ASSERT_TRUE(fragments.GetHead(taken));
    EXPECT_EQ("a", std::string(taken.text.text));

    StyledLineList lines;
    lines.AddTail(SampleLine());
    lines.AddTail(StyledLine());
    StyledLineList loaded;
    loaded.AddTail(StyledLine()); // emptied by loading
    EXPECT_EQ(0, Load(Store(lines), loaded));
    EXPECT_EQ(2, loaded.GetCount());
    EXPECT_EQ(Store(lines), Store(loaded));

    StyledFragmentList none;
    none.AddTail(Fragment(0, 0, "x"));
    EXPECT_EQ(0, Load(Bytes{0, 0, 0, 0}, none));
    EXPECT_TRUE(none.IsEmpty());
}

TEST(StyledLine, DamagedFormsAreRefusedAsArchiveErrors)
{
    struct Case
    {
        const char* what;
        size_t offset; // where an i32 is overwritten (or the cut, for truncation)
        int value;
        int cause;
    } cases[] = {
        {"start kind", 0, 0, CArchiveException::badIndex},
        {"end kind", 4, 4, CArchiveException::badIndex},
        {"negative fragment count", 8, -1, CArchiveException::badIndex},
        {"fragment count past the data", 8, 0x7FFFFFFF, CArchiveException::endOfFile},
        {"tab count", SampleLineBytes().size() - 164, 21, CArchiveException::badIndex},
        {"tab kind", SampleLineBytes().size() - 76, 7, CArchiveException::badIndex},
        {"truncated", SampleLineBytes().size() - 1, 0, CArchiveException::endOfFile},
    };
    for (const Case& c : cases) {
        Bytes b = SampleLineBytes();
        if (std::string(c.what) == "truncated") {
            b.resize(c.offset);
        } else {
            for (int i = 0; i < 4; ++i)
                b[c.offset + i] = static_cast<unsigned char>(static_cast<unsigned>(c.value) >> (8 * i));
        }
        StyledLineList lines;
        Bytes list;
        Put32(list, 1);
        list.insert(list.end(), b.begin(), b.end());
        try {
            Load(list, lines);
            ADD_FAILURE() << c.what << " was accepted";
        } catch (CArchiveException* e) {
            EXPECT_EQ(c.cause, e->m_cause) << c.what;
            e->Delete();
        }
        EXPECT_TRUE(lines.IsEmpty()) << c.what;
    }
}
