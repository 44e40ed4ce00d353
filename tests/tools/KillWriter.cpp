// The writer that scripts/kill-test kills at random points, and the check
// it runs afterwards.
//
//   kill_writer write FILE [z]  batches of 500 changes to a tree, each
//                               followed by a flush, forever; after each
//                               flush returns, FILE.committed gets the
//                               batch number (z: a compressed file)
//   kill_writer rebuild-create|rebuild-write|rebuild-check FILE: a
//                               database rebuilt again and again (see
//                               KillRebuildWriter.cpp)
//   kill_writer check FILE [z]  opens FILE with recovery and prints one line:
//                               "ok", "lost N" (committed keys missing or
//                               deleted keys back), "damaged: ..." or
//                               "open failed"; exit status 0 only for "ok"
//
// Batch b (from 1) inserts keys 500 (b - 1) to 500 b - 1 and deletes the
// keys below 500 (b - 1) whose number modulo 7 is b modulo 7, so the tree
// after every batch is known; the file must hold the tree of the last
// committed batch or of the one after it.
#include "database/btree/BTreeTestSupport.h"
#include "tools/KillRebuildWriter.h"
#include "tools/KillSupport.h"

#include "classlib/Exceptions.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {
const int kBatch = 500;

std::string KeyText(int k)
{
    char text[16];
    std::snprintf(text, sizeof text, "r%07d", k);
    return text;
}

std::string DataOf(int k)
{
    return std::string((size_t)(20 + k % 150), (char)('a' + k % 26));
}

// The tree after that many batches: a key of batch c is there from batch c
// on until a later batch of its number modulo 7 deletes it.
std::set<std::string> Expected(int batches)
{
    std::set<std::string> keys;
    for (int k = 0; k < kBatch * batches; ++k) {
        const int c = k / kBatch + 1;
        bool deleted = false;
        for (int b = c + 1; b <= batches && b <= c + 7 && !deleted; ++b)
            deleted = b % 7 == k % 7;
        if (!deleted)
            keys.insert(KeyText(k) + "=" + DataOf(k));
    }
    return keys;
}

void Batch(TextTestTree& tree, int b)
{
    for (int k = kBatch * (b - 1); k < kBatch * b; ++k) {
        TextTestTree::SetSearchEntry(KeyText(k), 0, DataOf(k));
        tree.Insert();
    }
    for (int k = b % 7; k < kBatch * (b - 1); k += 7) {
        TextTestTree::SetSearchKey(KeyText(k), 0);
        tree.Delete();
    }
}

int Write(const std::string& name, bool compressed)
{
    TreeTestFile file;
    TextTestTree tree;
    file.SetCompressed(compressed);
    file.SetTree(&tree);
    tree.Attach(&file);
    if (!OpenExisting(file, name) && !CreateAndOpen(file, name))
        return 2;
    file.SetCachedPageLimit(50);
    for (int b = Committed(name) + 1;; ++b) {
        Batch(tree, b);
        file.FlushBuffers();
        NoteCommitted(name, b);
    }
}

int Check(const std::string& name, bool compressed)
{
    TreeTestFile file;
    TextTestTree tree;
    file.SetCompressed(compressed);
    file.SetTree(&tree);
    tree.Attach(&file);
    if (!OpenForCheck([&] { return OpenExisting(file, name); }))
        return 1;
    std::vector<std::string> entries;
    std::string problem;
    try {
        problem = VerifyTree(tree, &entries);
    } catch (CException* e) {
        e->Delete();
        problem = "raised";
    }
    file.Close();
    if (!problem.empty()) {
        std::printf("damaged: %s\n", problem.c_str());
        return 1;
    }
    std::set<std::string> found;
    for (const std::string& e : entries)
        found.insert(TextTestTree::TextOf((const BYTE*)e.data()) + "=" +
                     TextTestTree::DataOf((const BYTE*)e.data()));
    const int committed = Committed(name);
    for (int b = committed; b <= committed + 1; ++b)
        if (found == Expected(b)) {
            std::printf("ok\n");
            return 0;
        }
    const std::set<std::string> expected = Expected(committed);
    int lost = 0;
    for (const std::string& key : expected)
        lost += found.count(key) == 0;
    std::printf("lost %d\n", lost > 0 ? lost : 1);
    return 1;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: kill_writer write|check FILE [z]\n");
        return 2;
    }
    const bool compressed = argc > 3 && std::strcmp(argv[3], "z") == 0;
    try {
        if (std::strcmp(argv[1], "rebuild-create") == 0)
            return RebuildCreate(argv[2]);
        if (std::strcmp(argv[1], "rebuild-write") == 0)
            return RebuildWrite(argv[2]);
        if (std::strcmp(argv[1], "rebuild-check") == 0)
            return RebuildCheck(argv[2]);
        if (std::strcmp(argv[1], "write") == 0)
            return Write(argv[2], compressed);
        return Check(argv[2], compressed);
    } catch (CException* e) {
        std::printf("failed: %s\n", (const char*)e->GetErrorText());
        e->Delete();
        return 1;
    }
}
