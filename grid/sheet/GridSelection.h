// The blocks of selected cells of one sheet, and how clicks, keys and drags change them.
//
// Each block keeps its anchor and its moving end; its edges are normalised. Row blocks (mode bit 0x2)
// span every column of the sheet. The selection asks its host for the column count, the modifier keys
// and repaints; the host must outlive it. The last cell handled by a click is remembered, so that a
// repeated click or a move onto it changes nothing.
#pragma once
#include "classlib/Types.h"
#include <vector>

class GridSelectionHost
{
public:
    virtual ~GridSelectionHost() = default;
    virtual int SelectionColumnCount() const = 0;
    virtual bool ShiftHeld() const = 0;
    virtual bool ControlHeld() const = 0;
    virtual void RepaintRange(int left, LONG top, int right, LONG bottom) = 0;
    virtual void RepaintAll() = 0;
};

enum GridSelectionMode
{
    GSM_NONE = 0,
    GSM_CELLS = 0x1,
    GSM_ROWS = 0x2
};
enum GridKeyFlags
{
    GKF_SHIFT = 0x4,
    GKF_CONTROL = 0x8
};

class GridSelection
{
public:
    struct Block
    {
        int anchorColumn, endColumn, left, right;
        LONG anchorRow, endRow, top, bottom;
        int mark;
        bool Contains(int c, LONG r) const { return c >= left && c <= right && r >= top && r <= bottom; }
    };

    explicit GridSelection(GridSelectionHost& host) : m_host(host) {}

    int GetMode() const { return m_mode; }
    void SetMode(int mode) { m_mode = mode; }

    void StartBlock(int column, LONG row);
    void ExtendBlock(int column, LONG row);
    void SelectByClick(int column, LONG row, int keyFlags);
    void SelectByRightClick(int column, LONG row);
    void SelectByKey(int column, LONG row);
    void ExtendTo(int column, LONG row);
    // Removes every block; the whole grid repaints when more than one cell was marked.
    void Clear();

    bool HasBlock() const { return !m_blocks.empty(); }
    const std::vector<Block>& Blocks() const { return m_blocks; }
    int AnchorColumn() const { return m_anchorColumn; }
    LONG AnchorRow() const { return m_anchorRow; }
    // 0 outside every block; else the mark of the last block holding the cell, and its index.
    int IsSelected(int column, LONG row, int* blockIndex = nullptr) const;
    // The bounding box of all blocks; false without blocks.
    bool Bounds(int& left, LONG& top, int& right, LONG& bottom) const;

    // Each selected cell once, row by row; without blocks only the current cell. 0 while a cell is
    // delivered, 1 at the end.
    int EnumFirstSelected(int currentColumn, LONG currentRow, int* column, LONG* row);
    int EnumNextSelected(int* column, LONG* row);

private:
    void Normalise(Block& b) const;
    void RepaintBounds();

    GridSelectionHost& m_host;
    std::vector<Block> m_blocks;
    int m_mode = GSM_NONE;
    int m_anchorColumn = -1;
    LONG m_anchorRow = -1;
    int m_counter = 0;
    bool m_extended = false; // the latest block has been extended
    int m_lastColumn = -1;
    LONG m_lastRow = -1;
    // Enumeration: the box being walked and the next position; done once the walk has ended.
    int m_enumLeft = 0, m_enumRight = -1, m_enumColumn = 0;
    LONG m_enumBottom = -1, m_enumRow = 0;
    bool m_enumDone = true;
};
