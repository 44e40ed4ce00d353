// The node searches give one answer: the halving searches and the search
// from a guessed place, over keys spread evenly, bunched at one end or all
// but one equal in their heads, for every key present, between, below and
// above, and for guesses that are right, wrong or out of range.
#include "database/btree/BTNodeSearch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {
// Entries of 4 big-endian bytes, so a byte comparison orders them as numbers.
struct Node
{
    std::vector<BYTE> bytes;
    int Count() const { return (int)bytes.size() / 4; }
    const BYTE* Entry(int i) const { return bytes.data() + 4 * i; }
};

Node MakeNode(const std::vector<unsigned>& keys)
{
    Node node;
    for (unsigned k : keys)
        for (int shift = 24; shift >= 0; shift -= 8)
            node.bytes.push_back((BYTE)(k >> shift));
    return node;
}

int Compare(const BYTE* a, const BYTE* b)
{
    return std::memcmp(a, b, 4);
}

TEST(NodeSearchTest, AllSearchesAgreeOnEveryKeyAndGuess)
{
    std::vector<std::vector<unsigned>> nodes = {{}, {500}};
    std::vector<unsigned> even, bunched, tail;
    for (unsigned i = 0; i < 113; ++i) {
        even.push_back(10 + 20 * i);
        bunched.push_back(i < 100 ? 10 + i * 2 : 100000 + i * 1000);
        tail.push_back(i < 112 ? 10 + 2 * i : 4000000000u);
    }
    nodes.push_back(even);
    nodes.push_back(bunched);
    nodes.push_back(tail);
    const double guesses[] = {-0.5, 0.0, 0.01, 0.3, 0.5, 0.77, 0.999, 1.0, 2.0};
    for (const auto& keys : nodes) {
        Node node = MakeNode(keys);
        auto entry = [&node](int i) { return node.Entry(i); };
        std::vector<unsigned> probes = {0, 4294967295u};
        for (unsigned k : keys) {
            probes.push_back(k);
            probes.push_back(k + 1);
            probes.push_back(k - 1);
        }
        for (unsigned probe : probes) {
            Node key = MakeNode({probe});
            BOOL equal = -1;
            int expected = BTNodeSearch::Guessing(node.Count(), key.Entry(0), &equal, entry, Compare);
            BOOL expectedEqual = equal;
            int exact = 0;
            while (exact < (int)keys.size() && keys[exact] < probe)
                ++exact;
            ASSERT_EQ(exact, expected) << probe;
            ASSERT_EQ(exact < (int)keys.size() && keys[exact] == probe, expectedEqual != FALSE) << probe;
            equal = -1;
            ASSERT_EQ(expected, BTNodeSearch::BranchFree(node.Count(), key.Entry(0), &equal, entry, Compare));
            ASSERT_EQ(expectedEqual, equal);
            for (double guess : guesses) {
                equal = -1;
                ASSERT_EQ(expected, BTNodeSearch::FromGuess(node.Count(), guess, key.Entry(0), &equal, entry,
                                                            Compare))
                    << "size " << keys.size() << " key " << probe << " guess " << guess;
                ASSERT_EQ(expectedEqual, equal) << "key " << probe << " guess " << guess;
            }
        }
    }
}
} // namespace
