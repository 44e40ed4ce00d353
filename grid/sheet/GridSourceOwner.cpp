#include "grid/sheet/GridSourceOwner.h"
#include "grid/sheet/GridCell.h"
#include "grid/sheet/GridDataSource.h"
#include <cstdlib>
#include <cstring>

int GridDefaultCompareCells(const GridCell* first, const GridCell* second, int flags)
{
    if (flags & GSF_DESCENDING) {
        const GridCell* t = first;
        first = second;
        second = t;
    }
    if (!first || !second)
        return (first ? 1 : 0) - (second ? 1 : 0);
    const char* a = first->GetText();
    const char* b = second->GetText();
    if (!a || !b)
        return (a ? 1 : 0) - (b ? 1 : 0);
    switch (first->GetDataType()) {
    case 2:
    case 3:
    case 5: {
        double x = std::atof(a), y = std::atof(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    default: {
        int r = std::strcmp(a, b); // strcmp compares as unsigned char
        return r < 0 ? -1 : (r > 0 ? 1 : 0);
    }
    }
}
