// Seeds: trees of chunked objects as the project writes them, plain and
// compressed: record trees of a few and of many records of one to several
// chunks, and string-keyed trees of objects under collation keys.
#include "FuzzSeeds.h"
#include "FuzzTreeFile.h"

#include "database/btree/StringKeyTree.h"
#include "database/sort/LanguageSort.h"
#include "database/text/InternalEncoding.h"

#include <unistd.h>

namespace {
class Bytes : public CObject
{
public:
    explicit Bytes(size_t n, char fill) : m_bytes(n, fill) {}
    void Serialize(CArchive& ar) override
    {
        if (!m_bytes.empty())
            ar.Write(m_bytes.data(), (UINT)m_bytes.size());
    }

private:
    std::string m_bytes;
};

// Stores `count` objects of 1 to 700 bytes in the tree, through store.
template <class Store>
std::vector<unsigned char> MakeFile(const std::string& path, BTree& tree, BOOL bCompressed, int count,
                                    Store store)
{
    {
        FuzzTreeFile file(&tree);
        CreateTreeFile(file, tree, path, bCompressed);
        for (int i = 0; i < count; ++i) {
            Bytes o(1 + (i * 137) % 700, (char)('a' + i % 26));
            store(o, i);
        }
        file.Close();
    }
    return FuzzSeeds::TakeFile(path);
}
} // namespace

void WriteSeeds(FuzzSeeds& seeds)
{
    const std::string path = "/tmp/lorvane-seed-chunked-" + std::to_string(getpid()) + ".tmp";
    CLanguageSort sort(langGeneral);
    for (BOOL compressed : {FALSE, TRUE}) {
        for (int count : {3, 60}) {
            const std::string suffix =
                std::string(compressed ? "compressed-" : "plain-") + std::to_string(count);
            BTRecordTree records;
            std::vector<unsigned char> bytes = MakeFile(
                path, records, compressed, count, [&](Bytes& o, int i) { records.WriteBlob(o, (DWORD)i); });
            bytes.insert(bytes.begin(), (unsigned char)compressed);
            seeds.Add("records-" + suffix, bytes);

            StringKeyTree texts;
            texts.SetLanguageSort(&sort);
            bytes = MakeFile(path, texts, compressed, count, [&](Bytes& o, int i) {
                const std::string word = std::string(1, (char)('A' + i % 26)) + "erm" + std::to_string(i);
                char encoded[64], key[128];
                EncodeStyledText(encoded, sizeof encoded, StyledString(word.c_str()));
                texts.AddObject(o, sort.MakeSortKey(key, sizeof key, encoded, 0));
            });
            bytes.insert(bytes.begin(), (unsigned char)(compressed | 2));
            seeds.Add("texts-" + suffix, bytes);
        }
    }
}
