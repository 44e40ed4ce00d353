#include "grid/listbox/BTreeRowCursor.h"

#include "database/btree/BTNode.h"
#include "database/btree/BTree.h"

#include <limits.h>

LONG BTreeRowCursor::CountRows()
{
    BTree* tree = GetTree();
    if (!tree || tree->GetEntryCount() == 0)
        return 0;
    const BTRootDescriptor& root = tree->GetRootDescriptor();
    DWORD n = 0;
    if (tree->GetPositionIndex() && tree->GetOrdinal(root.lastLeaf, INT_MAX, &n))
        return static_cast<LONG>(n);
    n = 0;
    DWORD leaves = 0;
    for (DWORD offset = root.firstLeaf; offset != 0; ++leaves) {
        // Leaves are never empty: a chain longer than the entries loops.
        if (leaves > tree->GetEntryCount())
            BTThrowDamagedNode();
        BTPageRef page = tree->GetNode(offset, BTNode::kindLeaf);
        BTNode leaf(page.Data());
        n += tree->CountDistinct(leaf);
        offset = leaf.Next();
    }
    return static_cast<LONG>(n);
}
