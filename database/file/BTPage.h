// BTPage: one cached page of a paged file: handle fields, then the page's
// 2048 data bytes. Pages live in the process-wide page cache; hold a
// BTPageRef on a page for as long as its data are used, since an unheld page
// may be evicted by the next ReadPage or AllocPage of any paged file.
#pragma once

#include "classlib/Types.h"

class BTPageOwner;
class BTPagedFile;

struct BTPage
{
    enum
    {
        size = 2048,       // data bytes of a page
        typeInner = 1,     // byte 0: inner B-tree node
        typeLeaf = 2,      // byte 0: B-tree leaf
        typeFree = 0x80,   // byte 0: page on the free list
    };

    // Fields a look-up does not touch first; then those it reads and
    // writes, next to the data's first bytes (a node's header).
    BTPage* m_pMoreRecent;    // towards the front of the file's list
    BTPage* m_pLessRecent;    // towards the back
    BYTE* m_pSlotArrayEnd;    // address of the last two data bytes
    BOOL m_bDirty;            // data differ from the file
    BOOL m_bOverflow;         // compressed mode: last stored with an overflow slot
    BOOL m_bLogged;           // the open operation keeps its before-image
    BTPageOwner* m_pOwner;    // tree that read or allocated it last, or none
    // The tree whose node check the data passed, or none: set by the tree
    // after checking, cleared whenever the data change outside the tree
    // (read, allocated, freed, rolled back).
    const void* m_pChecked;
    BTPagedFile* m_pFile;     // file whose cache holds it; none once dropped while held
    DWORD m_offset;           // the page's name: its file offset
    WORD m_nRefs;             // holders of a BTPageRef (and the open operation)
    BOOL m_bUsed;             // read again since it was last placed in its file's list
    BYTE m_data[size];

    BYTE* Data() { return m_data; }
    const BYTE* Data() const { return m_data; }
    DWORD GetOffset() const { return m_offset; }
    BOOL IsDirty() const { return m_bDirty; }
    void MarkDirty() { m_bDirty = TRUE; }
    void MarkClean() { m_bDirty = FALSE; }
    BTPageOwner* GetOwner() const { return m_pOwner; }
    void SetOwner(BTPageOwner* owner) { m_pOwner = owner; }
    BOOL IsHeld() const { return m_nRefs != 0; }
    const void* GetCheckedBy() const { return m_pChecked; }
    void SetCheckedBy(const void* checker) { m_pChecked = checker; }
};
