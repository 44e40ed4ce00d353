// A flush is all or nothing on disk: the disk is stopped after every one of
// the writes that a batch of changes and its flush make (and once more with
// that write torn half way), as a crash or a power loss would stop it; the
// file opened again with recovery holds exactly the tree before the batch or
// the tree after it, and verifies. Plain and compressed files; two files
// committed together are both old or both new.
#include "BTreeTestSupport.h"

#include "classlib/Exceptions.h"
#include "database/file/BTJournal.h"
#include "database/file/BTRecoveryException.h"
#include "database/file/BTWriteGate.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {
std::string KeyText(int i)
{
    char text[16];
    std::snprintf(text, sizeof text, "c%05d", i);
    return text;
}

void WriteWholeFile(const std::string& name, const std::vector<BYTE>& bytes)
{
    FILE* f = std::fopen(name.c_str(), "wb");
    ASSERT_TRUE(f != nullptr);
    if (!bytes.empty())
        std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

bool Exists(const CString& path)
{
    CFileStatus status;
    return CFile::GetStatus(path, status) != FALSE;
}

// One tree on one file.
struct TreeOnFile
{
    TreeTestFile file;
    TextTestTree tree;
    std::string name;
    bool compressed = false;

    BOOL Open()
    {
        file.SetCompressed(compressed);
        file.SetTree(&tree);
        tree.Attach(&file);
        return OpenExisting(file, name);
    }
    std::string Verify(std::vector<std::string>* entries) { return VerifyTree(tree, entries); }
};

// The batch whose flush is cut: inserts that split and deletes that merge.
void ChangeBatch(TextTestTree& tree, int salt)
{
    for (int i = 0; i < 90; ++i) {
        int k = (i * 37 + salt) % 400 * 2 + 1; // odd keys are new
        TextTestTree::SetSearchEntry(KeyText(k), 0, std::string(40 + k % 60, (char)('a' + k % 26)));
        tree.Write();
    }
    for (int i = 0; i < 70; ++i) {
        TextTestTree::SetSearchKey(KeyText((i * 53 + salt) % 400 * 2), 0);
        tree.Delete();
    }
}

void FillBase(TextTestTree& tree)
{
    for (int k = 0; k < 800; k += 2) {
        TextTestTree::SetSearchEntry(KeyText(k), 0, std::string(30 + k % 70, (char)('A' + k % 26)));
        tree.Insert();
    }
}

class CrashRecoveryTest : public ::testing::TestWithParam<bool>
{
};

TEST_P(CrashRecoveryTest, EveryWritePointGivesTheTreeBeforeOrAfter)
{
    const bool compressed = GetParam();
    TreeOnFile t;
    t.name = TestFileName(compressed ? "crash_z" : "crash");
    t.compressed = compressed;
    std::remove(BTJournal::PathFor(t.name.c_str()));
    {
        TreeOnFile made;
        made.name = t.name;
        made.compressed = compressed;
        made.file.SetCompressed(compressed);
        made.file.SetTree(&made.tree);
        ASSERT_TRUE(CreateAndOpen(made.file, made.name));
        made.tree.Attach(&made.file);
        FillBase(made.tree);
        made.file.Close();
    }
    const std::vector<BYTE> base = ReadWholeFile(t.name);
    std::vector<std::string> before, after;
    DWORD writes = 0;
    {
        ASSERT_TRUE(t.Open());
        ASSERT_EQ("", t.Verify(&before));
        // A small cache: changed pages are written back before the flush too.
        t.file.SetCachedPageLimit(8);
        BTWriteGate::StopAfter(0xFFFFFFFF, FALSE);
        ChangeBatch(t.tree, 0);
        t.file.FlushBuffers();
        writes = BTWriteGate::GetCount();
        BTWriteGate::Open();
        ASSERT_EQ("", t.Verify(&after));
        t.file.Close();
    }
    ASSERT_NE(before, after);
    ASSERT_GT(writes, 20u);

    int tried = 0;
    for (int tear = 0; tear < 2; ++tear) {
        // The last run stops nowhere and must give the tree after.
        for (DWORD n = 0; n <= writes + 1; ++n) {
            const DWORD stop = n <= writes ? n : 0xFFFFFFFF;
            WriteWholeFile(t.name, base);
            ASSERT_TRUE(t.Open()) << n;
            t.file.SetCachedPageLimit(8);
            BTWriteGate::StopAfter(stop, tear != 0);
            try {
                ChangeBatch(t.tree, 0);
                t.file.FlushBuffers();
            } catch (CException* e) {
                // Past the crash the process sees a disk that lost writes.
                e->Delete();
            }
            BTWriteGate::Open();
            t.file.Abort();
            ++tried;
            ASSERT_TRUE(t.Open()) << "write " << n << " tear " << tear;
            EXPECT_FALSE(Exists(BTJournal::PathFor(t.name.c_str())));
            std::vector<std::string> found;
            ASSERT_EQ("", t.Verify(&found)) << "write " << n << " tear " << tear;
            EXPECT_TRUE(found == before || found == after) << "write " << n << " tear " << tear;
            if (stop == 0xFFFFFFFF) {
                EXPECT_TRUE(found == after);
            }
            t.file.Close();
        }
    }
    std::printf("[ crash    ] %s: %d write points tried\n", compressed ? "compressed" : "plain", tried);
    std::remove(t.name.c_str());
}

INSTANTIATE_TEST_SUITE_P(PlainAndCompressed, CrashRecoveryTest, ::testing::Bool());

// A file with a journal left by a crash opens read-only only after it was
// opened once with write access: the read-only open is refused, saying so,
// and changes nothing.
TEST(JournalTest, ReadOnlyOpenOfAFileWithAJournalIsRefused)
{
    TreeOnFile t;
    t.name = TestFileName("journal_ro");
    t.file.SetTree(&t.tree);
    ASSERT_TRUE(CreateAndOpen(t.file, t.name));
    t.tree.Attach(&t.file);
    FillBase(t.tree);
    t.file.Close();
    const std::vector<BYTE> base = ReadWholeFile(t.name);
    std::vector<std::string> before;
    ASSERT_TRUE(t.Open());
    ASSERT_EQ("", t.Verify(&before));
    BTWriteGate::StopAfter(0xFFFFFFFF, FALSE);
    ChangeBatch(t.tree, 3);
    t.file.FlushBuffers();
    const DWORD writes = BTWriteGate::GetCount();
    t.file.Close();
    // Again, stopped before the journal is deleted.
    WriteWholeFile(t.name, base);
    ASSERT_TRUE(t.Open());
    ASSERT_EQ("", t.Verify(nullptr));
    BTWriteGate::StopAfter(writes - 1, FALSE);
    ChangeBatch(t.tree, 3);
    t.file.FlushBuffers();
    BTWriteGate::Open();
    t.file.Abort();
    const CString journal = BTJournal::PathFor(t.name.c_str());
    ASSERT_TRUE(Exists(journal));
    const std::vector<BYTE> left = ReadWholeFile(t.name);

    t.file.SetPathName(t.name.c_str());
    CFileException error;
    bool refused = false;
    try {
        t.file.OpenFile(CFile::modeRead | CFile::shareDenyWrite, &error);
    } catch (BTRecoveryException* e) {
        refused = e->GetPromptId() == BTRecoveryException::IDP_SAVE_PENDING;
        e->Delete();
    }
    EXPECT_TRUE(refused);
    EXPECT_FALSE(t.file.IsOpen());
    EXPECT_TRUE(Exists(journal));
    EXPECT_EQ(left, ReadWholeFile(t.name));

    ASSERT_TRUE(t.Open());
    std::vector<std::string> found;
    ASSERT_EQ("", t.Verify(&found));
    EXPECT_EQ(before, found);
    EXPECT_FALSE(Exists(journal));
    t.file.Close();
    std::remove(t.name.c_str());
}

// A journal names the file it was written for: beside another file (the
// same file as other commits left it) it is refused and left in place,
// changing nothing; a journal written before journals named their files
// (identity 0) is rolled back as it always was.
TEST(JournalTest, AJournalIsAppliedOnlyToItsOwnFile)
{
    TreeOnFile t;
    t.name = TestFileName("journal_own");
    t.file.SetTree(&t.tree);
    ASSERT_TRUE(CreateAndOpen(t.file, t.name));
    t.tree.Attach(&t.file);
    FillBase(t.tree);
    t.file.Close();
    const std::vector<BYTE> base = ReadWholeFile(t.name);
    const CString journal = BTJournal::PathFor(t.name.c_str());
    std::vector<std::string> before;
    ASSERT_TRUE(t.Open());
    t.Verify(&before);
    BTWriteGate::StopAfter(0xFFFFFFFF, FALSE);
    ChangeBatch(t.tree, 6);
    t.file.FlushBuffers();
    const DWORD writes = BTWriteGate::GetCount();
    BTWriteGate::Open();
    t.file.Close();
    // Another file of that name: the same one after other changes.
    WriteWholeFile(t.name, base);
    ASSERT_TRUE(t.Open());
    t.file.GetTitleText() = "Another file";
    ChangeBatch(t.tree, 7);
    t.file.Close();
    const std::vector<BYTE> other = ReadWholeFile(t.name);
    // A crash in the first commit leaves the journal and half the writes.
    WriteWholeFile(t.name, base);
    ASSERT_TRUE(t.Open());
    BTWriteGate::StopAfter(writes / 2, FALSE);
    ChangeBatch(t.tree, 6);
    t.file.FlushBuffers();
    BTWriteGate::Open();
    t.file.Abort();
    const std::vector<BYTE> crashed = ReadWholeFile(t.name), left = ReadWholeFile(journal.GetString());
    ASSERT_FALSE(left.empty());
    ASSERT_NE(left[8] | left[9] | left[10] | left[11], 0); // the identity

    // Beside a file it was not written for.
    WriteWholeFile(t.name, other);
    t.file.SetPathName(t.name.c_str());
    UINT prompt = 0;
    for (UINT mode : {(UINT)(CFile::modeReadWrite | CFile::shareExclusive),
                      (UINT)(CFile::modeRead | CFile::shareDenyWrite)}) {
        CFileException error;
        try {
            t.file.OpenFile(mode, &error);
        } catch (BTRecoveryException* e) {
            prompt = e->GetPromptId();
            EXPECT_EQ(e->m_strFileName, journal);
            e->Delete();
        }
        EXPECT_EQ(prompt, (UINT)BTRecoveryException::IDP_FOREIGN_JOURNAL);
        EXPECT_FALSE(t.file.IsOpen());
        EXPECT_EQ(other, ReadWholeFile(t.name));
        EXPECT_EQ(left, ReadWholeFile(journal.GetString()));
    }

    // An identity of 0 (and the header's checksum to match) is not checked.
    std::vector<BYTE> unnamed = left;
    std::fill(unnamed.begin() + 8, unnamed.begin() + 12, 0);
    DWORD sum = 2166136261u;
    for (int i = 0; i < 12; ++i)
        sum = (sum ^ unnamed[i]) * 16777619u;
    for (int i = 0; i < 4; ++i)
        unnamed[12 + i] = (BYTE)(sum >> (8 * i));
    for (const std::vector<BYTE>* written : {&left, (const std::vector<BYTE>*)&unnamed}) {
        WriteWholeFile(t.name, crashed);
        WriteWholeFile(journal.GetString(), *written);
        ASSERT_TRUE(t.Open());
        std::vector<std::string> found;
        ASSERT_EQ("", t.Verify(&found));
        EXPECT_EQ(before, found);
        EXPECT_FALSE(Exists(journal));
        t.file.Close();
    }
    std::remove(t.name.c_str());
}

// A file created anew where a crashed one left its journal starts empty: the
// old journal is not rolled back over it.
TEST(JournalTest, AFileCreatedAnewIgnoresAnOldJournal)
{
    TreeOnFile t;
    t.name = TestFileName("journal_new");
    t.file.SetTree(&t.tree);
    ASSERT_TRUE(CreateAndOpen(t.file, t.name));
    t.tree.Attach(&t.file);
    FillBase(t.tree);
    t.file.Close();
    ASSERT_TRUE(t.Open());
    BTWriteGate::StopAfter(0xFFFFFFFF, FALSE);
    ChangeBatch(t.tree, 4);
    t.file.FlushBuffers();
    const DWORD writes = BTWriteGate::GetCount();
    BTWriteGate::Open();
    t.file.Close();
    ASSERT_TRUE(t.Open());
    BTWriteGate::StopAfter(writes - 1, FALSE);
    ChangeBatch(t.tree, 5);
    t.file.FlushBuffers();
    BTWriteGate::Open();
    t.file.Abort();
    ASSERT_TRUE(Exists(BTJournal::PathFor(t.name.c_str())));

    ASSERT_TRUE(CreateAndOpen(t.file, t.name));
    t.tree.Attach(&t.file);
    TextTestTree::SetSearchEntry("one", 0, "entry");
    t.tree.Insert();
    t.file.Close();
    ASSERT_TRUE(t.Open());
    std::vector<std::string> found;
    ASSERT_EQ("", t.Verify(&found));
    EXPECT_EQ(1u, found.size());
    t.file.Close();
    std::remove(t.name.c_str());
}

// A flush with nothing to write touches neither the file nor a journal.
TEST(JournalTest, AFlushWithNothingChangedWritesNothing)
{
    TreeOnFile t;
    t.name = TestFileName("journal_idle");
    t.file.SetTree(&t.tree);
    ASSERT_TRUE(CreateAndOpen(t.file, t.name));
    t.tree.Attach(&t.file);
    FillBase(t.tree);
    t.file.FlushBuffers();
    BTWriteGate::StopAfter(0xFFFFFFFF, FALSE);
    t.file.FlushBuffers();
    std::vector<std::string> entries;
    t.Verify(&entries);
    t.file.FlushBuffers();
    EXPECT_EQ(0u, BTWriteGate::GetCount());
    BTWriteGate::Open();
    t.file.Close();
    std::remove(t.name.c_str());
}

// Two files committed together are both before or both after.
TEST(JournalTest, TwoFilesCommitTogether)
{
    TreeOnFile a, b;
    a.name = TestFileName("pair_a");
    b.name = TestFileName("pair_b");
    b.compressed = true;
    for (TreeOnFile* t : {&a, &b}) {
        t->file.SetCompressed(t->compressed);
        t->file.SetTree(&t->tree);
        ASSERT_TRUE(CreateAndOpen(t->file, t->name));
        t->tree.Attach(&t->file);
        FillBase(t->tree);
        t->file.Close();
    }
    const std::vector<BYTE> baseA = ReadWholeFile(a.name), baseB = ReadWholeFile(b.name);
    auto run = [&](DWORD stop, BOOL tear) {
        BTWriteGate::StopAfter(stop, tear);
        try {
            ChangeBatch(a.tree, 1);
            ChangeBatch(b.tree, 2);
            BTPagedFile::FlushPagesTogether(a.file, b.file);
        } catch (CException* e) {
            e->Delete();
        }
        DWORD count = BTWriteGate::GetCount();
        BTWriteGate::Open();
        return count;
    };
    std::vector<std::string> beforeA, beforeB, afterA, afterB;
    ASSERT_TRUE(a.Open() && b.Open());
    a.Verify(&beforeA);
    b.Verify(&beforeB);
    DWORD writes = run(0xFFFFFFFF, FALSE);
    a.Verify(&afterA);
    b.Verify(&afterB);
    a.file.Close();
    b.file.Close();
    for (DWORD n = 0; n <= writes; n += 3) {
        WriteWholeFile(a.name, baseA);
        WriteWholeFile(b.name, baseB);
        ASSERT_TRUE(a.Open() && b.Open());
        run(n, n % 2);
        a.file.Abort();
        b.file.Abort();
        ASSERT_TRUE(a.Open() && b.Open()) << n;
        std::vector<std::string> foundA, foundB;
        ASSERT_EQ("", a.Verify(&foundA)) << n;
        ASSERT_EQ("", b.Verify(&foundB)) << n;
        const bool old = foundA == beforeA && foundB == beforeB;
        const bool now = foundA == afterA && foundB == afterB;
        EXPECT_TRUE(old || now) << "write " << n;
        a.file.Close();
        b.file.Close();
    }
    EXPECT_FALSE(Exists(BTJournal::MasterPathFor(a.name.c_str())));
    std::remove(a.name.c_str());
    std::remove(b.name.c_str());
}
} // namespace
