// The interface through which the spreadsheet grid reads and writes every cell. Columns and rows are
// signed: negative ones address heading cells (column -1 the side heading next to the cells, row -1 the
// top heading row). The base answers -1 (nothing there, nothing done) to everything but the move and edit
// questions, which it allows.
//
// The grid sets the owner and the index when it registers the source and never deletes a registered
// source; the source must outlive its registration.
#pragma once
#include "classlib/Types.h"

class GridCell;
class GridSourceOwner;

enum GridFindFlags
{
    GFF_PARTIAL = 0x1,
    GFF_NOCASE = 0x2,
    GFF_BACKWARD = 0x4,
    GFF_ALONGROWS = 0x8
};
enum GridSortFlags
{
    GSF_DESCENDING = 0x2
};

class GridDataSource
{
public:
    virtual ~GridDataSource() = default;

    virtual LONG GetRowCount() { return -1; }
    virtual int GetColumnCount() { return -1; }

    virtual int AppendRow() { return -1; }
    virtual int InsertRow(LONG) { return -1; }
    virtual int AppendColumn() { return -1; }
    virtual int InsertColumn(int) { return -1; }
    virtual int DeleteRow(LONG) { return -1; }
    virtual int DeleteColumn(int) { return -1; }
    virtual int DeleteCell(int, LONG) { return -1; }
    virtual int DeleteAll() { return -1; }

    // 0 when the cell was read (attributes merged in) or written.
    virtual int GetCell(int, LONG, GridCell*) { return -1; }
    virtual int SetCell(int, LONG, GridCell*) { return -1; }
    // 0 with column and row on the match.
    virtual int FindFirst(const char*, int*, LONG*, int) { return -1; }
    virtual int FindNext(const char*, int*, LONG*, int) { return -1; }
    virtual int SortBy(const int*, int, int) { return -1; }
    virtual int SortByColumn(int, int) { return -1; }

    // A row at or past the end was asked for; the source may add rows and says so in result.
    virtual int OnHitBottom(LONG, LONG, int*) { return -1; }
    virtual void OnRowChange(LONG, LONG) {}
    virtual void OnColumnChange(int, int) {}
    // Anything but 1 refuses the move.
    virtual int CanMove(int, LONG, int, LONG) { return 1; }
    // 0 refuses; the source may put another editor window in place.
    virtual int CanStartEdit(int, LONG, void**) { return 1; }
    // 0 swallows the character.
    virtual int OnEditKey(int, LONG, void*, int*) { return 1; }
    // Anything but 1 keeps the editor open.
    virtual int OnEditFinish(int, LONG, void*, const char*, int) { return 1; }
    // Anything but 1 stops editing from moving on.
    virtual int OnEditContinue(int, LONG, int*, LONG*) { return 1; }
    virtual int FindPreviousNonEmpty(int*, LONG) { return -1; }

    GridSourceOwner* GetOwner() const { return m_owner; }
    int GetIndex() const { return m_index; }
    void Attach(GridSourceOwner* owner, int index)
    {
        m_owner = owner;
        m_index = index;
    }

protected:
    GridSourceOwner* m_owner = nullptr;
    int m_index = -1;
};
