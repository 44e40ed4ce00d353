// The common document header: its bytes for every document kind, string
// lengths at the archive form's boundary, and damaged headers.
#include <gtest/gtest.h>

#include "FileTestSupport.h"
#include "database/file/DocHeader.h"
#include "database/file/FileBasedDocument.h"
#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "classlib/MemFile.h"

#include <string>

using namespace filetest;

namespace
{
std::vector<unsigned char> Stored(WORD a, WORD b, WORD type, WORD version, const CString& title,
                                  const CString& comments)
{
    CMemFile mem;
    {
        CArchive ar(&mem, CArchive::store);
        StoreDocumentHeader(ar, a, b, type, version, title, comments);
        ar.Close();
    }
    std::vector<unsigned char> bytes(mem.GetLength());
    mem.SeekToBegin();
    if (!bytes.empty())
        mem.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

void AppendString(std::vector<unsigned char>& v, const std::string& s)
{
    if (s.size() < 255)
        v.push_back((unsigned char)s.size());
    else
    {
        v.push_back(0xFF);
        v.push_back((unsigned char)s.size());
        v.push_back((unsigned char)(s.size() >> 8));
    }
    v.insert(v.end(), s.begin(), s.end());
}

std::vector<unsigned char> Expected(WORD a, WORD b, WORD type, WORD version, const std::string& title,
                                    const std::string& comments)
{
    std::vector<unsigned char> v = {0xB4, 0xF4, 0x5C, 0x00, 0x0C, 0xC1, 0x9A, 0x00};
    for (WORD w : {a, b, type, version})
    {
        v.push_back((unsigned char)w);
        v.push_back((unsigned char)(w >> 8));
    }
    AppendString(v, title);
    AppendString(v, comments);
    return v;
}

struct Kind
{
    WORD type, version, code;
} const kKinds[] = {
    {docTypeDatabase, docVersionDatabase, 0},         {docTypeKeyFile, docVersionKeyFile, 0},
    {docTypeWorkform, docVersionWorkform, 0xFFFF},    {docTypeOutputStyle, docVersionOutputStyle, 0xFFFF},
    {docTypeTermList, docVersionTermList, 0},         {docTypeJournalList, docVersionJournalList, 0},
    {docTypeSiblingStyle, docVersionSiblingStyle, 0xFFFF},
};

// A document of the kind: its Serialize is the header read every document
// runs when it loads.
class KindDoc : public CFileBasedDocument
{
public:
    explicit KindDoc(const Kind& kind) : m_kind(kind) {}
    CPFile* GetFileObject() override { return &m_file; }
    WORD GetDocumentType() override { return m_kind.type; }
    WORD GetDocumentVersion() override { return m_kind.version; }
    WORD GetHeaderCodeA() override { return m_kind.code; }
    WORD GetHeaderCodeB() override { return m_kind.code; }

private:
    CPFile m_file;
    Kind m_kind;
};

// Loads the header from the file as a document of the kind does; the cause of
// the archive exception, or -1 when accepted. The header version the document
// kept goes to *version.
int LoadCause(const CString& path, const Kind& k, CString* title = nullptr, WORD* version = nullptr)
{
    CFile f;
    if (!f.Open(path, CFile::modeRead | CFile::shareDenyWrite))
        return -2;
    CArchive ar(&f, CArchive::load | CArchive::bNoFlushOnDelete);
    KindDoc doc(k);
    ar.m_pDocument = &doc;
    int cause = -1;
    try
    {
        doc.Serialize(ar);
    }
    catch (CArchiveException* e)
    {
        cause = e->m_cause;
        e->Delete();
    }
    if (title)
        *title = doc.GetTitleText();
    if (version)
        *version = doc.GetHeaderVersion();
    return cause;
}

BOOL Check(const CString& path, WORD type, WORD version)
{
    CFile f;
    if (!f.Open(path, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    CArchive ar(&f, CArchive::load | CArchive::bNoFlushOnDelete);
    return CheckDocumentHeader(ar, type, version);
}
} // namespace

TEST(DocHeader, BytesOfEveryDocumentKind)
{
    for (const Kind& k : kKinds)
        EXPECT_EQ(Expected(k.code, k.code, k.type, k.version, "My Title", "Notes"),
                  Stored(k.code, k.code, k.type, k.version, "My Title", "Notes"))
            << std::hex << k.type;
}

TEST(DocHeader, TitleAndCommentsAtTheArchiveStringBoundary)
{
    for (int n : {0, 254, 255, 256})
    {
        std::string s(n, 'x');
        std::vector<unsigned char> bytes = Stored(0, 0, docTypeTermList, docVersionTermList, s.c_str(), s.c_str());
        EXPECT_EQ(Expected(0, 0, docTypeTermList, docVersionTermList, s, s), bytes) << n;
        EXPECT_EQ(16u + 2 * (n < 255 ? 1 + n : 3 + n), bytes.size()) << n;
    }
}

TEST(DocHeader, DamagedHeadersAreRefusedAndTheFileIsLeftAsItWas)
{
    const Kind style = kKinds[3];
    const std::string title(255, 't');
    const std::vector<unsigned char> good = Expected(0xFFFF, 0xFFFF, style.type, style.version, title, "c");
    CString path = TempPath("header");
    struct Case
    {
        const char* what;
        size_t at;     // byte to change, or the length to cut to
        int value;     // new byte, or -1 to cut
        int cause;     // of the document's load
        BOOL matched;  // by the template check
    } cases[] = {
        {"good", 0, -2, -1, TRUE},
        {"wrong magic 1", 1, 0x00, CArchiveException::badSchema, FALSE},
        {"wrong magic 2", 6, 0x00, CArchiveException::badSchema, FALSE},
        {"wrong code A", 8, 0x00, CArchiveException::badSchema, TRUE},
        {"wrong code B", 11, 0x7F, CArchiveException::badSchema, TRUE},
        {"wrong type", 12, 0x04, CArchiveException::endOfFile, FALSE},
        {"newer version", 14, 0x01, CArchiveException::endOfFile, FALSE},
        {"truncated after 10 bytes", 10, -1, CArchiveException::endOfFile, FALSE},
        {"truncated inside the title", 100, -1, CArchiveException::endOfFile, TRUE},
    };
    for (const Case& c : cases)
    {
        std::vector<unsigned char> bytes = good;
        if (c.value == -1)
            bytes.resize(c.at);
        else if (c.value >= 0)
            bytes[c.at] = (unsigned char)c.value;
        WriteAll(path, bytes);
        CString loadedTitle;
        EXPECT_EQ(c.cause, LoadCause(path, style, &loadedTitle)) << c.what;
        if (c.cause == -1)
        {
            EXPECT_EQ(CString(title.c_str()), loadedTitle);
        }
        EXPECT_EQ(c.matched, Check(path, style.type, style.version)) << c.what;
        EXPECT_EQ(bytes, ReadAll(path)) << c.what;
    }
    // An older version is matched and loads; one above the highest is not matched.
    WriteAll(path, Expected(0xFFFF, 0xFFFF, style.type, style.version - 1, "old", ""));
    EXPECT_TRUE(Check(path, style.type, style.version));
    EXPECT_EQ(-1, LoadCause(path, style));
    WriteAll(path, Expected(0xFFFF, 0xFFFF, style.type, style.version + 1, "new", ""));
    EXPECT_FALSE(Check(path, style.type, style.version));
    WORD kept = 0;
    EXPECT_EQ(CArchiveException::endOfFile, LoadCause(path, style, nullptr, &kept));
    EXPECT_EQ(style.version + 1, kept); // the refused version is kept
    WriteAll(path, {});
    EXPECT_FALSE(Check(path, style.type, style.version));
    RemoveFile(path);
}
