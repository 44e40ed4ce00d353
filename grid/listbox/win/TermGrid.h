// CTermGrid: the two-column grid of the Insert Term dialog: a database term index in one column
// (the terms), or a term or journal list with its notes (term and note; a journal list's note is its
// entry's third string). The two column widths of the list view are remembered across a switch to an
// index and kept in the profile ("Term List Options", "Column Widths.1", "%d,%d").
#pragma once

#include "grid/listbox/win/BTreeGrid.h"

class CListFile;

class CTermGrid : public CBTreeGrid
{
public:
    CTermGrid();

    using CBTreeGrid::Attach;
    // Two columns, then the remembered widths from the profile.
    void Attach(HWND control, BTree* tree);
    void ShowIndexTerms(BTree* tree);
    void ShowListTerms(CListFile* list, BTree* tree);
    // The current list entry's note; false without a list shown, off a row or for an empty note.
    BOOL GetSelectedNote(StyledString& out);
    BOOL GetCurrentText(StyledString& out) override;

    void OnDestroy() override;
    void OnKey(LONG row, GridWndNotify& block) override;
    void OnDrawHeadingCell(LONG column, GridWndNotify& block) override;

    CListFile* listDocument = nullptr;
    CString titles[2];
    LONG widths[2];

protected:
    void FillRow(BTreeRowCursor& cursor, BTreeCachedRow& row) override;

private:
    void RememberWidths();
    bool IsJournalList() const;
};
