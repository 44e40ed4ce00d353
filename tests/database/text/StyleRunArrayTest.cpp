#include "database/text/StyleRunArray.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace
{
// Runs of the given lengths, alternating bold and plain so none are equal.
StyleRunArray Runs(std::initializer_list<int> lengths)
{
    StyleRunArray runs;
    WORD style = kStyleBold;
    for (int length : lengths)
    {
        runs.Add(StyleRun(style, 0, nullptr, length));
        style = style ? 0 : kStyleBold;
    }
    return runs;
}

std::vector<int> Lengths(const StyleRunArray& runs)
{
    std::vector<int> lengths;
    for (int i = 0; i < runs.GetSize(); ++i)
        lengths.push_back(runs[i].length);
    return lengths;
}

std::vector<WORD> Styles(const StyleRunArray& runs)
{
    std::vector<WORD> styles;
    for (int i = 0; i < runs.GetSize(); ++i)
        styles.push_back(runs[i].style);
    return styles;
}
} // namespace

TEST(StyleRunTest, AttributesIgnoreLengthButNotFontCase)
{
    const StyleRun a(kStyleBold, 10, "Arial", 3, 0, 0);
    EXPECT_TRUE(a.HasSameAttributes(StyleRun(kStyleBold, 10, "Arial", 99)));
    EXPECT_FALSE(a.HasSameAttributes(StyleRun(kStyleBold, 10, "arial", 3)));
    EXPECT_FALSE(a.HasSameAttributes(StyleRun(kStyleBold, 11, "Arial", 3)));
    EXPECT_FALSE(a.HasSameAttributes(StyleRun(kStyleBold, 10, "Arial", 3, 238)));
    EXPECT_FALSE(a.HasSameAttributes(StyleRun(kStyleBold, 10, "Arial", 3, 0, 1)));
    EXPECT_TRUE(StyleRun().IsPlain());
    EXPECT_FALSE(StyleRun(0, 0, "Arial", 1).IsPlain());
    // A long face name is cut inside the buffer.
    const StyleRun longName(0, 0, "An Extremely Long Font Face Name That Overflows", 1);
    EXPECT_EQ(31u, strlen(longName.fontName));
}

TEST(StyleRunArrayTest, SetSizeGrowsExactlyAndZeroFills)
{
    StyleRunArray runs = Runs({5});
    runs.SetSize(3);
    EXPECT_EQ((std::vector<int>{5, 0, 0}), Lengths(runs));
    EXPECT_TRUE(runs[2].IsPlain());
    runs.SetSize(1);
    runs.SetSize(2); // the run that becomes valid again is zero-filled
    EXPECT_EQ((std::vector<int>{5, 0}), Lengths(runs));
    EXPECT_EQ(0, runs[1].style);
    runs.SetSize(0);
    EXPECT_TRUE(runs.IsEmpty());
}

TEST(StyleRunArrayTest, InsertAtAndSetAtGrow)
{
    StyleRunArray runs = Runs({1, 2});
    runs.InsertAt(1, StyleRun(kStyleItalic, 0, nullptr, 7), 2);
    EXPECT_EQ((std::vector<int>{1, 7, 7, 2}), Lengths(runs));
    runs.InsertAt(6, StyleRun(0, 0, nullptr, 9)); // past the end: grows first
    EXPECT_EQ((std::vector<int>{1, 7, 7, 2, 0, 0, 9}), Lengths(runs));
    runs.SetAtGrow(8, runs[0]); // a run of the array itself
    EXPECT_EQ(9, runs.GetSize());
    EXPECT_EQ(kStyleBold, runs[8].style);
    EXPECT_EQ(1, runs[8].length);
}

TEST(StyleRunArrayTest, AppendMergesOnlyTheSeam)
{
    StyleRunArray a = Runs({2, 3});      // bold, plain
    const StyleRunArray b = Runs({4, 5}); // bold, plain
    a.Append(b);
    EXPECT_EQ((std::vector<int>{2, 3, 4, 5}), Lengths(a));

    StyleRunArray c = Runs({2});         // bold
    c.Append(Runs({4, 5}));              // bold merges into bold
    EXPECT_EQ((std::vector<int>{6, 5}), Lengths(c));

    StyleRunArray d = Runs({1, 1});
    d.Append(d); // plain then bold: no merge, and no harm from aliasing
    EXPECT_EQ((std::vector<int>{1, 1, 1, 1}), Lengths(d));

    StyleRunArray e;
    e.Append(Runs({3}));
    EXPECT_EQ((std::vector<int>{3}), Lengths(e));
    e.Copy(Runs({4, 4}));
    EXPECT_EQ((std::vector<int>{4, 4}), Lengths(e));
}

TEST(StyleRunArrayTest, MidSelectsTheRunsOfARange)
{
    const struct
    {
        int start;
        int count;
        std::vector<int> lengths;
        std::vector<WORD> styles;
    } cases[] = {
        {2, 3, {1, 2}, {kStyleBold, 0}},     // across the boundary
        {3, 3, {3}, {0}},                     // a start on a boundary takes the next run
        {0, 6, {3, 3}, {kStyleBold, 0}},
        {1, 1, {1}, {kStyleBold}},
        {4, 100, {2}, {0}},                   // count past the end
        {6, 1, {}, {}},                       // start at the end
        {9, 1, {}, {}},
        {0, 0, {}, {}},
        {0, -2, {}, {}},
        {-5, 2, {2}, {kStyleBold}},           // negative start counts as 0
    };
    const StyleRunArray runs = Runs({3, 3});
    for (const auto& c : cases)
    {
        const StyleRunArray mid = runs.Mid(c.start, c.count);
        EXPECT_EQ(c.lengths, Lengths(mid)) << c.start << "," << c.count;
        EXPECT_EQ(c.styles, Styles(mid)) << c.start << "," << c.count;
    }
}

TEST(StyleRunArrayTest, AdjustForReplace)
{
    const struct
    {
        std::initializer_list<int> before;
        int start;
        int removed;
        int inserted;
        std::vector<int> after;
    } cases[] = {
        {{3, 3, 3}, 1, 0, 2, {5, 3, 3}},        // insertion inside a run
        {{3, 3, 3}, 3, 0, 2, {3, 5, 3}},        // at a boundary: the run starting there
        {{3, 3, 3}, 1, 2, 0, {1, 3, 3}},        // removal inside a run
        {{3, 3, 3}, 0, 3, 0, {0, 3, 3}},        // a run may become empty
        {{3, 3, 3}, 2, 5, 1, {3, 2}},           // removal deletes a covered run
        {{3, 3, 3}, 2, 7, 0, {2}},              // ... and everything after
        {{3, 3, 3}, 1, 4, 4, {5, 1, 3}},        // partial removal of the next run
        {{3, 3}, 6, 0, 2, {3, 5}},              // at the very end: the last run
        {{}, 0, 0, 4, {4}},                     // no runs: a plain run
        {{2, 2}, 1, 100, 0, {1}},               // removal past the end stops
    };
    for (const auto& c : cases)
    {
        StyleRunArray runs = Runs(c.before);
        runs.AdjustForReplace(c.start, c.removed, c.inserted);
        EXPECT_EQ(c.after, Lengths(runs)) << c.start << "," << c.removed << "," << c.inserted;
    }
}

TEST(StyleRunArrayTest, IsEqualComparesLengthsAndAttributes)
{
    EXPECT_TRUE(Runs({1, 2}).IsEqual(Runs({1, 2})));
    EXPECT_FALSE(Runs({1, 2}).IsEqual(Runs({1, 3})));
    EXPECT_FALSE(Runs({1, 2}).IsEqual(Runs({1, 2, 0})));
    StyleRunArray other = Runs({1, 2});
    other[1].pointSize = 9;
    EXPECT_FALSE(Runs({1, 2}).IsEqual(other));
    EXPECT_EQ(3, Runs({1, 2}).TotalLength());
}
