#include "database/btree/BTNode.h"

#include "classlib/Exceptions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
// Runs f and reports whether it raised the class library's archive exception.
template <class F> bool RaisesArchiveException(F f)
{
    try
    {
        f();
    }
    catch (CException* e)
    {
        bool archive = e->IsKindOf(RUNTIME_CLASS(CArchiveException));
        e->Delete();
        return archive;
    }
    return false;
}

std::vector<std::string> EntriesOf(const BTNode& node)
{
    std::vector<std::string> out;
    for (int i = 0; i < node.Count(); ++i)
    {
        int len;
        const BYTE* e = node.EntryAt(i, &len);
        out.push_back(std::string((const char*)e, len));
    }
    return out;
}
} // namespace

TEST(BTNode, EmptyNodesHaveTheirCapacityFree)
{
    BYTE page[BTNode::pageSize];
    BTNode node(page);
    node.Init(BTNode::kindLeaf);
    EXPECT_EQ(2032, node.Free());
    EXPECT_EQ(14, node.Slot(0));
    EXPECT_NO_THROW(node.CheckHeader(BTNode::kindLeaf));
    node.Init(BTNode::kindInner);
    EXPECT_EQ(2028, node.Free());
    EXPECT_EQ(18, node.Slot(0));
    EXPECT_NO_THROW(node.CheckHeader(BTNode::kindInner));
}

TEST(BTNode, EditsKeepSlotsAndFreeBytesConsistent)
{
    BYTE page[BTNode::pageSize];
    BTNode node(page);
    node.Init(BTNode::kindLeaf);
    node.InsertEntry(0, (const BYTE*)"ccc", 3);
    node.InsertEntry(0, (const BYTE*)"a", 1);
    node.InsertEntry(1, (const BYTE*)"bb", 2);
    node.InsertEntry(3, (const BYTE*)"dddd", 4);
    EXPECT_EQ((std::vector<std::string>{"a", "bb", "ccc", "dddd"}), EntriesOf(node));
    EXPECT_EQ(2032 - 4 * 2 - 10, node.Free());
    node.ReplaceEntry(1, (const BYTE*)"BBBBB", 5);
    node.ReplaceEntry(2, (const BYTE*)"C", 1);
    node.RemoveEntry(0);
    EXPECT_EQ((std::vector<std::string>{"BBBBB", "C", "dddd"}), EntriesOf(node));
    EXPECT_EQ(2032 - 3 * 2 - 10, node.Free());
    EXPECT_NO_THROW(node.CheckHeader(BTNode::kindLeaf));
    // The byte layout: count, free, entries packed from 14, slots from the end.
    EXPECT_EQ(3, page[2]);
    EXPECT_EQ(0, std::memcmp(page + 14, "BBBBBCdddd", 10));
    EXPECT_EQ(14, BTNode::GetI16At(page + 2046));
    EXPECT_EQ(19, BTNode::GetI16At(page + 2044));
    EXPECT_EQ(24, BTNode::GetI16At(page + 2040));
}

TEST(BTNode, DamagedHeadersAndSlotsRaiseArchiveExceptions)
{
    struct Case
    {
        const char* what;
        int at;
        int value; // i16 written at "at"
    };
    const Case cases[] = {
        {"kind", 0, 7},
        {"negative count", 2, -1},
        {"count past the page", 2, 2000},
        {"free bytes", 4, 100},
        {"slot 0", 2046, 12},
        {"entries end past the slots", 2040, 2046},
    };
    for (const Case& c : cases)
    {
        BYTE page[BTNode::pageSize];
        BTNode node(page);
        node.Init(BTNode::kindLeaf);
        node.InsertEntry(0, (const BYTE*)"abc", 3);
        node.InsertEntry(1, (const BYTE*)"def", 3);
        node.InsertEntry(2, (const BYTE*)"ghi", 3);
        BTNode::PutU16At(page + c.at, c.value);
        if (c.at == 0)
            page[0] = (BYTE)c.value;
        EXPECT_TRUE(RaisesArchiveException([&] { node.CheckHeader(); })) << c.what;
    }
    // Slots out of order inside a sound header are caught per entry.
    BYTE page[BTNode::pageSize];
    BTNode node(page);
    node.Init(BTNode::kindLeaf);
    node.InsertEntry(0, (const BYTE*)"abc", 3);
    node.InsertEntry(1, (const BYTE*)"def", 3);
    BTNode::PutU16At(page + 2044, 30);
    int len;
    EXPECT_NO_THROW(node.CheckHeader());
    EXPECT_TRUE(RaisesArchiveException([&] { node.EntryAt(1, &len); }));
    EXPECT_TRUE(RaisesArchiveException([&] { node.EntryAt(2, &len); }));
}
