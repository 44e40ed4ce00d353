// The grid's default comparison of two cells for data-source sorts.
#include "grid/sheet/GridCell.h"
#include "grid/sheet/GridSourceOwner.h"
#include <gtest/gtest.h>

namespace {

TEST(GridCompareCells, MissingAndTextlessFirstThenByTheFirstCellsType)
{
    struct
    {
        const char* a; // null: no cell; "-": a cell without text
        short typeA;
        const char* b;
        int flags;
        int sign;
    } cases[] = {
        {nullptr, 1, "x", 0, -1}, {nullptr, 1, nullptr, 0, 0}, {"-", 1, "x", 0, -1},
        {"-", 1, "-", 0, 0},      {"x", 1, nullptr, 0, 1},     {"10", 2, "9", 0, 1}, // numbers
        {"10", 1, "9", 0, -1},                                                       // texts byte by byte
        {"10", 4, "9", 0, -1},                                                       // 4 compares as text
        {"10", 5, "9", 0, 1},                                                        // 5 as a number
        {"1", 3, "0", 0, 1},      {"\xE9", 1, "z", 0, 1},                            // unsigned bytes
        {"10", 2, "9", 0x2, -1},  {nullptr, 1, "x", 0x2, 1},   {"a", 1, "a", 0x2, 0},
    };
    for (const auto& tc : cases) {
        GridCell x, y;
        if (tc.a && *tc.a != '-')
            x.SetText(tc.a);
        x.SetDataType(tc.typeA);
        if (tc.b && *tc.b != '-')
            y.SetText(tc.b);
        y.SetDataType(tc.typeA); // cells of one column share a type
        const int r = GridDefaultCompareCells(tc.a ? &x : nullptr, tc.b ? &y : nullptr, tc.flags);
        EXPECT_EQ(tc.sign, (r > 0) - (r < 0)) << (tc.a ? tc.a : "null") << " " << tc.typeA << " vs "
                                              << (tc.b ? tc.b : "null") << " flags " << tc.flags;
    }
}

} // namespace
