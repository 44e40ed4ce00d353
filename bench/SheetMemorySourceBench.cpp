// Reading one screen of 40 rows x 10 columns from a sheet's memory data source through the full cell
// read, after a jump of 10,000 rows, over a sheet of 100,000 rows. Goal: under 1 ms a screen.
#include "bench/support/BenchReport.h"

#include "grid/sheet/GridCellAccess.h"
#include "grid/sheet/GridMemoryDataSource.h"

#include <stdio.h>

namespace {

const LONG kRows = 100000;
const int kColumns = 10;

void Run()
{
    GridSheetSizes sheet;
    GridMemoryDataSource source;
    GridCell heading;
    GridCellHooks hooks;
    sheet.SetCurrentSource(&source);
    sheet.SetColumnCount(kColumns);
    sheet.SetRowCount(kRows);
    GridCellAccess access{sheet, &source, heading, hooks};

    BenchClock clock;
    char text[32];
    for (LONG r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            GridCell cell;
            snprintf(text, sizeof text, "%d:%d", (int)r, c);
            cell.SetText(text);
            source.SetCell(c, r, &cell);
        }
    }
    BenchPrintRate("fill cells", double(kRows) * kColumns, clock.Seconds());

    const int screens = 200;
    long long length = 0;
    clock.Restart();
    for (int s = 0; s < screens; ++s) {
        const LONG top = (LONG)((s * 10000L) % (kRows - 40));
        for (LONG r = top; r < top + 40; ++r) {
            for (int c = 0; c < kColumns; ++c) {
                GridCell cell;
                access.GetCell(c, r, cell);
                length += cell.GetTextLength();
            }
        }
    }
    const double seconds = clock.Seconds();
    BenchPrintRate("screens of 40 x 10 after a 10,000-row jump", screens, seconds);
    BenchPrintValue("one screen", seconds / screens * 1000.0, "ms");
    if (length == 0)
        printf("no text read\n");
    BenchPrintPeakMemory();
}

} // namespace

int main()
{
    return BenchMain(Run);
}
