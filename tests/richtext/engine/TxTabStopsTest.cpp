// Tab ends: default spacing, stops of each kind with the text after them, the hanging position,
// and the paragraphs and documents that ignore stops.
#include <gtest/gtest.h>

#include "richtext/engine/TxFixedPlatform.h"
#include "richtext/engine/TxTabStops.h"

#include <string>
#include <vector>

namespace {
TxParInfo Paragraph(std::vector<TxTabStop> stops, int32_t spacing = 36)
{
    TxParInfo par{};
    par.defaultTabSpacing = spacing;
    par.tabCount = int16_t(stops.size());
    for (size_t i = 0; i < stops.size(); ++i)
        par.tabs[i] = stops[i];
    return par;
}
} // namespace

TEST(TxTabStops, TheTextAfterATabStartsAtTheNextStop)
{
    // "\taaaa\tbb": the text after the first tab is 32 wide.
    const std::string s = "\taaaa\tbb";
    std::vector<int32_t> positions(s.size() + 1);
    std::vector<uint16_t> types(s.size() + 1);
    TxFixedPlatform::Measure(reinterpret_cast<const uint8_t*>(s.data()), int32_t(s.size()), 0,
                             positions.data(), types.data());
    const TxMeasuredText text = {reinterpret_cast<const uint8_t*>(s.data()),
                                 positions.data(),
                                 types.data(),
                                 int32_t(s.size()),
                                 0,
                                 0,
                                 nullptr,
                                 nullptr,
                                 nullptr};
    TxParInfo hanging = Paragraph({{kTxTabLeft, 300, 0, 0}});
    hanging.indents[0] = 50;
    TxParInfo table = Paragraph({});
    table.table[1] = 2;
    const struct
    {
        TxParInfo par;
        int32_t base, x;
        bool fixed;
        int32_t end;
    } cases[] = {
        {Paragraph({}), 0, 40, false, 72},
        {Paragraph({}), 0, 34, false, 36},
        {Paragraph({}), 0, 35, false, 72}, // the search starts one unit after x
        {Paragraph({}), 10, 40, false, 46},
        {Paragraph({}, 0), 0, 5, false, 7},
        {Paragraph({{kTxTabRight, 200, 0, 0}}), 0, 20, false, 168},
        {Paragraph({{kTxTabRight, 200, 0, 0}}), 0, 180, false, 180},
        {Paragraph({{kTxTabCentre, 200, 0, 0}}), 0, 20, false, 184},
        {Paragraph({{kTxTabLeft, 200, 0, 0}, {kTxTabLeft, 100, 0, 0}}), 0, 20, false, 100},
        {Paragraph({{kTxTabLeft, 100, 0, 0}}), 0, 120, false, 144}, // past every stop
        {Paragraph({{kTxTabLeft, 600, 0, 0}}), 0, 20, false, 36},   // the stop lies past the limit
        {hanging, 0, 20, false, 50},
        {hanging, 0, 60, false, 300},
        {table, 0, 20, false, 20},
        {Paragraph({}), 0, 40, true, 76},
    };
    for (const auto& c : cases) {
        const TxTabRequest request = {&c.par, c.base, c.x, 500, c.fixed, &text, 1};
        EXPECT_EQ(TxTabEnd(request), c.end) << "x " << c.x << " base " << c.base;
    }
}

TEST(TxTabStops, ARightStopPlacesTheFollowingTextAgainstIt)
{
    // Text 48 wide after a right tab at 200 starts at 152, and at x when that lies after 152.
    const std::string s = "\taaaaiiii\r";
    std::vector<int32_t> positions(s.size() + 1);
    std::vector<uint16_t> types(s.size() + 1);
    TxFixedPlatform::Measure(reinterpret_cast<const uint8_t*>(s.data()), int32_t(s.size()), 0,
                             positions.data(), types.data());
    const TxMeasuredText text = {reinterpret_cast<const uint8_t*>(s.data()),
                                 positions.data(),
                                 types.data(),
                                 int32_t(s.size()),
                                 0,
                                 0,
                                 nullptr,
                                 nullptr,
                                 nullptr};
    const TxParInfo par = Paragraph({{kTxTabRight, 200, 0, 0}});
    const struct
    {
        int32_t x, after, end;
    } cases[] = {{10, 1, 152}, {190, 1, 190}, {10, 9, 200}}; // nothing after the tab: at the stop
    for (const auto& c : cases) {
        const TxTabRequest request = {&par, 0, c.x, 500, false, &text, c.after};
        EXPECT_EQ(TxTabEnd(request), c.end) << c.x;
    }
}
