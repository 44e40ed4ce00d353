// Seeds: record trees of chunked records as the project writes them, plain
// and compressed: a few small records, and many of one to several chunks.
#include "FuzzSeeds.h"
#include "FuzzTreeFile.h"

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

void MakeChunkedFile(const std::string& path, BOOL bCompressed, DWORD records, size_t step)
{
    BTRecordTree tree;
    FuzzTreeFile file(&tree);
    tree.Attach(&file);
    file.SetCompressed(bCompressed);
    file.SetPathName(path.c_str());
    file.CreateNew();
    CFileException error;
    if (!file.OpenFile(CFile::modeReadWrite | CFile::shareExclusive, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, path.c_str());
    for (DWORD r = 0; r < records; ++r) {
        Bytes o(1 + (r * step) % 700, (char)('a' + r % 26));
        tree.WriteBlob(o, r);
    }
    file.Close();
}
} // namespace

void WriteSeeds(FuzzSeeds& seeds)
{
    const std::string path = "/tmp/lorvane-seed-chunked-" + std::to_string(getpid()) + ".tmp";
    for (BOOL compressed : {FALSE, TRUE}) {
        for (DWORD records : {3u, 60u}) {
            MakeChunkedFile(path, compressed, records, 137);
            std::vector<unsigned char> bytes = FuzzSeeds::TakeFile(path);
            bytes.insert(bytes.begin(), (unsigned char)compressed);
            seeds.Add(std::string(compressed ? "compressed-" : "plain-") + std::to_string(records), bytes);
        }
    }
}
