#include "grid/sheet/GridSelection.h"
#include <algorithm>

void GridSelection::Normalise(Block& b) const
{
    b.left = std::min(b.anchorColumn, b.endColumn);
    b.right = std::max(b.anchorColumn, b.endColumn);
    b.top = std::min(b.anchorRow, b.endRow);
    b.bottom = std::max(b.anchorRow, b.endRow);
    if (m_mode & GSM_ROWS) {
        b.left = 0;
        b.right = m_host.SelectionColumnCount() - 1; // the last column, not one past it
    }
}

void GridSelection::StartBlock(int column, LONG row)
{
    Block b{column, column, column, column, row, row, row, row, 1};
    Normalise(b);
    m_blocks.push_back(b);
    m_anchorColumn = column;
    m_anchorRow = row;
    m_extended = false;
    ++m_counter;
}

void GridSelection::ExtendBlock(int column, LONG row)
{
    if (m_blocks.empty())
        return;
    Block& b = m_blocks.back();
    const Block old = b;
    b.endColumn = column;
    b.endRow = row;
    Normalise(b);
    if (!m_extended) {
        m_extended = true;
        ++m_counter;
    }
    m_host.RepaintRange(std::min(old.left, b.left), std::min(old.top, b.top), std::max(old.right, b.right),
                        std::max(old.bottom, b.bottom));
}

void GridSelection::RepaintBounds()
{
    int left, right;
    LONG top, bottom;
    if (Bounds(left, top, right, bottom))
        m_host.RepaintRange(left, top, right, bottom);
}

void GridSelection::SelectByClick(int column, LONG row, int keyFlags)
{
    if (column == m_lastColumn && row == m_lastRow)
        return;
    m_lastColumn = column;
    m_lastRow = row;
    if (keyFlags & GKF_CONTROL) {
        StartBlock(column, row);
        return;
    }
    if (keyFlags & GKF_SHIFT) {
        ExtendBlock(column, row);
        return;
    }
    RepaintBounds();
    Clear();
    m_lastColumn = column;
    m_lastRow = row;
    StartBlock(column, row);
}

void GridSelection::SelectByRightClick(int column, LONG row)
{
    if (IsSelected(column, row))
        return;
    RepaintBounds();
    Clear();
    StartBlock(column, row);
}

void GridSelection::SelectByKey(int column, LONG row)
{
    if (column == m_lastColumn && row == m_lastRow)
        return;
    if (m_host.ShiftHeld()) {
        ExtendBlock(column, row);
        return;
    }
    if (!m_host.ControlHeld()) {
        RepaintBounds();
        Clear();
    }
    StartBlock(column, row);
}

void GridSelection::ExtendTo(int column, LONG row)
{
    if (column != m_lastColumn || row != m_lastRow)
        ExtendBlock(column, row);
}

void GridSelection::Clear()
{
    m_blocks.clear();
    if (m_counter > 1)
        m_host.RepaintAll();
    m_counter = 0;
    m_extended = false;
    m_lastColumn = -1;
    m_lastRow = -1;
}

int GridSelection::IsSelected(int column, LONG row, int* blockIndex) const
{
    for (size_t i = m_blocks.size(); i-- > 0;) {
        if (m_blocks[i].Contains(column, row)) {
            if (blockIndex)
                *blockIndex = (int)i;
            return m_blocks[i].mark;
        }
    }
    return 0;
}

bool GridSelection::Bounds(int& left, LONG& top, int& right, LONG& bottom) const
{
    if (m_blocks.empty())
        return false;
    left = m_blocks[0].left;
    right = m_blocks[0].right;
    top = m_blocks[0].top;
    bottom = m_blocks[0].bottom;
    for (const Block& b : m_blocks) {
        left = std::min(left, b.left);
        right = std::max(right, b.right);
        top = std::min(top, b.top);
        bottom = std::max(bottom, b.bottom);
    }
    return true;
}

int GridSelection::EnumFirstSelected(int currentColumn, LONG currentRow, int* column, LONG* row)
{
    if (m_blocks.empty()) {
        m_enumDone = true;
        *column = currentColumn;
        *row = currentRow;
        return 0;
    }
    LONG top;
    Bounds(m_enumLeft, top, m_enumRight, m_enumBottom);
    m_enumLeft = std::min(m_enumLeft, currentColumn);
    m_enumRight = std::max(m_enumRight, currentColumn);
    top = std::min(top, currentRow);
    m_enumBottom = std::max(m_enumBottom, currentRow);
    m_enumColumn = m_enumLeft;
    m_enumRow = top;
    m_enumDone = false;
    return EnumNextSelected(column, row);
}

int GridSelection::EnumNextSelected(int* column, LONG* row)
{
    while (!m_enumDone && m_enumRow <= m_enumBottom) {
        const int c = m_enumColumn;
        const LONG r = m_enumRow;
        if (++m_enumColumn > m_enumRight) {
            m_enumColumn = m_enumLeft;
            ++m_enumRow;
        }
        if (IsSelected(c, r)) {
            *column = c;
            *row = r;
            return 0;
        }
    }
    m_enumDone = true;
    return 1;
}
