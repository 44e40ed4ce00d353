// The sheet's memory data source against a plain model: a random sequence of writes, cell and row
// deletions, row insertions and sorts; after each step every cell of the rows and columns in play reads
// as the model says.
//
// Input: operations of three bytes each (kind, column, row), taken modulo the sizes in play.
#include "FuzzSupport.h"

#include "grid/sheet/GridMemoryDataSource.h"
#include "grid/sheet/GridSourceOwner.h"

#include <stdlib.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

const int kColumns = 6;
const LONG kRows = 12;

struct Owner : GridSourceOwner
{
    LONG SourceRowCount() const override { return kRows; }
    int SourceColumnCount() const override { return kColumns; }
    int GridColumnOfData(int dataColumn) const override { return dataColumn; }
    void ShiftDataColumns(int, int) override {}
    int CompareCells(const GridCell* a, const GridCell* b, int flags) override
    {
        return GridDefaultCompareCells(a, b, flags);
    }
};

typedef std::map<int, std::string> ModelRow;

void Check(GridMemoryDataSource& src, const std::vector<ModelRow>& model)
{
    for (LONG r = 0; r < kRows + 2; ++r) {
        if ((r < (LONG)model.size()) != src.HasRow(r))
            abort();
        for (int c = 0; c < kColumns; ++c) {
            GridCell cell;
            const bool stored = src.GetCell(c, r, &cell) == 0;
            const ModelRow* row = r < (LONG)model.size() ? &model[r] : nullptr;
            auto it = row ? row->find(c) : ModelRow::const_iterator();
            const bool expected = row && it != row->end();
            if (stored != expected || (stored && it->second != cell.GetText()))
                abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Owner owner;
    GridMemoryDataSource src;
    src.Attach(&owner, 0);
    std::vector<ModelRow> model;
    for (size_t i = 0; i + 3 <= size && i < 3 * 200; i += 3) {
        const int column = data[i + 1] % kColumns;
        const LONG row = data[i + 2] % kRows;
        switch (data[i] % 5) {
        case 0:
        case 1: {
            const std::string text(1, (char)('a' + data[i + 2] % 4));
            GridCell cell;
            cell.SetText(text.c_str());
            src.SetCell(column, row, &cell);
            if ((LONG)model.size() <= row)
                model.resize(row + 1);
            model[row][column] = text;
            break;
        }
        case 2:
            src.DeleteCell(column, row);
            if (row < (LONG)model.size())
                model[row].erase(column);
            break;
        case 3:
            if (data[i] & 0x80) {
                src.DeleteRow(row);
                if (row < (LONG)model.size())
                    model.erase(model.begin() + row);
            } else {
                src.InsertRow(row);
                if (row < (LONG)model.size())
                    model.insert(model.begin() + row, ModelRow());
            }
            break;
        case 4: {
            const int flags = data[i] & 0x80 ? GSF_DESCENDING : 0;
            src.SortByColumn(column, flags);
            if (model.size() >= 2) {
                // A bubble sort that never exchanges equals is a stable sort.
                std::stable_sort(model.begin(), model.end(), [&](const ModelRow& a, const ModelRow& b) {
                    GridCell x, y;
                    auto ia = a.find(column), ib = b.find(column);
                    if (ia != a.end())
                        x.SetText(ia->second.c_str());
                    if (ib != b.end())
                        y.SetText(ib->second.c_str());
                    return GridDefaultCompareCells(ia != a.end() ? &x : nullptr, ib != b.end() ? &y : nullptr,
                                                   flags) < 0;
                });
            }
            break;
        }
        }
        Check(src, model);
    }
    return 0;
}
