// The string-keyed tree: objects under texts in chunks, its cursor
// operations, type-ahead positions in real sort languages, and damaged keys.
#include "BlobObject.h"
#include "TreeFileFixture.h"

#include "classlib/Exceptions.h"
#include "database/btree/BTPositionIndex.h"
#include "database/btree/BTreeCursor.h"
#include "database/btree/StringKeyTree.h"
#include "database/sort/LanguageSort.h"
#include "database/text/InternalEncoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// The index key of a term as the term indexes build it.
std::string TermKey(const CLanguageSort& sort, const char* term)
{
    char encoded[512], key[700];
    EncodeStyledText(encoded, sizeof encoded, StyledString(term));
    return sort.MakeSortKey(key, sizeof key, encoded, 0);
}

class StringKeyTreeTest : public TreeFileFixture<StringKeyTree>
{
protected:
    void SetUp() override
    {
        TreeFileFixture::SetUp();
        m_tree.SetLanguageSort(&m_sort);
    }
    // Duplicate number and data length of every entry under the text.
    std::vector<std::pair<int, int>> Entries(const char* text)
    {
        std::vector<std::pair<int, int>> out;
        BTreeCursor cursor(&m_tree);
        cursor.SeekText(text);
        for (BOOL on = cursor.IsOnEntry(); on && cursor.GetKeyText() == text; on = cursor.Next()) {
            BTPageRef hold;
            int length;
            const BYTE* e = cursor.GetEntry(hold, &length);
            out.push_back({m_tree.GetDuplicateNumber(e), m_tree.GetDataSize(e) - 2});
        }
        return out;
    }
    std::string Read(const char* text)
    {
        BlobObject o("untouched");
        return m_tree.ReadObject(o, text) ? o.data : "<none> " + o.data;
    }

    CLanguageSort m_sort{langGeneral};
};

TEST_F(StringKeyTreeTest, ObjectsUnderTextsAddWriteAndDelete)
{
    const std::string a = Pattern(450, 1);
    BlobObject oa(a);
    ASSERT_TRUE(m_tree.AddObject(oa, "alpha"));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 200}, {1, 200}, {2, 50}}), Entries("alpha"));
    EXPECT_EQ(1u, m_tree.GetObjectCount());
    EXPECT_EQ(a, Read("alpha"));
    EXPECT_EQ("<none> untouched", Read("alph"));
    EXPECT_FALSE(m_tree.AddObject(oa, "alpha"));
    EXPECT_EQ(1u, m_tree.GetObjectCount());

    // Rewritten shorter: nothing of the older object is read along.
    const std::string shorter = Pattern(210, 2);
    BlobObject os(shorter);
    EXPECT_TRUE(m_tree.WriteObject(os, "alpha"));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 200}, {1, 10}}), Entries("alpha"));
    EXPECT_EQ(shorter, Read("alpha"));
    EXPECT_EQ(1u, m_tree.GetObjectCount());
    EXPECT_TRUE(m_tree.WriteObject(oa, "beta"));
    EXPECT_EQ(2u, m_tree.GetObjectCount());
    BlobObject empty;
    EXPECT_TRUE(m_tree.WriteObject(empty, "beta")); // stores nothing: beta is gone
    EXPECT_EQ("<none> untouched", Read("beta"));
    EXPECT_EQ(1u, m_tree.GetObjectCount());

    EXPECT_TRUE(m_tree.DeleteObject("alpha"));
    EXPECT_TRUE(m_tree.DeleteObject("alpha"));
    EXPECT_EQ(0u, m_tree.GetObjectCount());
    EXPECT_EQ(0u, m_tree.GetEntryCount());
    EXPECT_EQ("", VerifyTree(m_tree));
}

TEST_F(StringKeyTreeTest, AFailedAddLeavesNoChunks)
{
    // Terms whose keys are equal are one key.
    char k1[64], k2[64];
    m_sort.MakeSortKey(k1, sizeof k1, "Muller", sortKeyNoCase);
    m_sort.MakeSortKey(k2, sizeof k2, "MULLER", sortKeyNoCase);
    BlobObject first(Pattern(300, 3)), second(Pattern(300, 4));
    ASSERT_TRUE(m_tree.AddObject(first, k1));
    EXPECT_FALSE(m_tree.AddObject(second, k2));
    EXPECT_EQ(first.data, Read(k1));

    // A stray third chunk stops an add after two chunks went in: both go.
    StringKeyTree::SetSearchEntry("gamma", 2, "stray", 5);
    ASSERT_EQ(0, m_tree.Insert());
    BlobObject long3(Pattern(450, 5));
    EXPECT_FALSE(m_tree.AddObject(long3, "gamma"));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{2, 5}}), Entries("gamma"));
    EXPECT_EQ(1u, m_tree.GetObjectCount());

    // So does a Serialize that fails, and a text too long for an entry.
    BlobObject failing(Pattern(900, 6));
    failing.failAfter = 500;
    EXPECT_TRUE(Raises<CArchiveException>([&] { m_tree.AddObject(failing, "delta"); }));
    const std::string longText(600, 'L');
    EXPECT_TRUE(Raises<CNotSupportedException>([&] { m_tree.AddObject(first, longText.c_str()); }));
    EXPECT_EQ(2u + 1u, m_tree.GetEntryCount());
    EXPECT_EQ("", VerifyTree(m_tree));
}

TEST_F(StringKeyTreeTest, CursorsWalkTextsAndObjects)
{
    ASSERT_TRUE(m_sort.SetLanguage(langRawBytes)); // the texts are their own keys
    BTreeCursor empty(&m_tree);
    EXPECT_EQ(-1, empty.GetTextPosition("a"));
    EXPECT_EQ("", std::string(BTreeCursor().GetKeyText()));

    const char* texts[] = {"apple", "mango", "zebra"};
    for (int i = 0; i < 3; ++i) {
        BlobObject o(Pattern(150 + 150 * i, i)); // one, two and three chunks
        ASSERT_TRUE(m_tree.AddObject(o, texts[i]));
    }
    BTreeCursor cursor(&m_tree);
    EXPECT_FALSE(cursor.SeekText("banana"));
    EXPECT_EQ("mango", std::string(cursor.GetKeyText()));
    EXPECT_TRUE(cursor.NextKey()); // past mango's second chunk
    EXPECT_EQ("zebra", std::string(cursor.GetKeyText()));
    ASSERT_TRUE(cursor.Next());
    BlobObject got;
    ASSERT_TRUE(cursor.ReadObject(got)); // from chunk 1 of zebra: the whole object
    EXPECT_EQ(Pattern(450, 2), got.data);
    EXPECT_EQ(4, cursor.GetSlot()); // and the cursor stays
    ASSERT_TRUE(cursor.MoveLast());
    EXPECT_EQ(3, cursor.GetSlot()); // chunk 0 of zebra
    EXPECT_EQ(3, cursor.GetTextPosition("zz"));
    EXPECT_EQ(0, cursor.GetTextPosition(""));
}

TEST_F(StringKeyTreeTest, TypedTextFindsItsTermInTheSortLanguage)
{
    struct
    {
        int language;
        std::vector<const char*> terms; // in the language's order
        std::vector<std::pair<const char*, int>> typed;
    } cases[] = {
        // An accented capital sorts with its letter, not after "Z".
        {langGeneral,
         {"Eliot", "\xC9mile", "Emma", "Zola"},
         {{"\xC9mi", 1},
          {"EMI", 1},
          {"emil", 1},
          {"emile", 1},
          {"Emm", 2},
          {"e", 0},
          {"zz", 4},
          {"ZOLA", 3}}},
        // Traditional Spanish: "ch" follows "c", "ll" follows "l".
        {langSpanish,
         {"Cuenca", "Chaves", "Luna", "Llosa", "Mar"},
         {{"ch", 1}, {"CH", 1}, {"cz", 1}, {"d", 2}, {"lo", 2}, {"ll", 3}, {"LLO", 3}, {"m", 4}}},
        // Keys of raw bytes: the typed text as it is.
        {langRawBytes, {"Alpha", "Beta", "alpha"}, {{"B", 1}, {"a", 2}, {"b", 3}}},
    };
    BTPositionIndex index;
    for (auto& c : cases) {
        SCOPED_TRACE(c.language);
        m_tree.RemoveAll();
        m_tree.SetObjectCount(0);
        ASSERT_TRUE(m_sort.SetLanguage(c.language));
        std::string previous;
        for (const char* term : c.terms) {
            const std::string key = TermKey(m_sort, term);
            ASSERT_LT(CLanguageSort::CompareSortKeys(previous.c_str(), key.c_str()), 0) << term;
            previous = key;
            // Two chunks per term, so duplicates must not count.
            BlobObject o(Pattern(300, 9));
            ASSERT_TRUE(m_tree.AddObject(o, key.c_str()));
        }
        for (BOOL withIndex : {FALSE, TRUE}) {
            m_tree.AttachPositionIndex(withIndex ? &index : nullptr);
            index.RemoveAll();
            for (auto& [text, position] : c.typed) {
                BTreeCursor cursor(&m_tree);
                EXPECT_EQ(position, cursor.GetTextPosition(text)) << text << (withIndex ? " indexed" : "");
            }
        }
        m_tree.AttachPositionIndex(nullptr);
    }
}

TEST_F(StringKeyTreeTest, EntriesWithoutTheirNulAreDamage)
{
    BlobObject o(Pattern(100, 1));
    ASSERT_TRUE(m_tree.AddObject(o, "solo"));
    const DWORD leaf = m_tree.GetRootDescriptor().firstLeaf;
    m_file.Close();
    PatchFile(m_name, leaf + 14 + 4, "!", 1); // the text's NUL
    ASSERT_TRUE(OpenExisting(m_file, m_name));
    BlobObject got;
    EXPECT_TRUE(Raises<CArchiveException>([&] { m_tree.ReadObject(got, "solo"); }));
    BTreeCursor cursor(&m_tree);
    EXPECT_TRUE(Raises<CArchiveException>([&] { cursor.MoveLast(); }));
    EXPECT_TRUE(Raises<CArchiveException>([&] { cursor.GetTextPosition("s"); }));
}
} // namespace
