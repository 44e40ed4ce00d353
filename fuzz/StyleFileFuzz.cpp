// Output style files: the whole body of any version read into a style
// document, then every stored format built from its block. A style that
// reads must store (every block fits the file's counts) and read back with
// the same formats under the same workform IDs.
#include "FuzzSupport.h"

#include "formatting/style/BibliographyFormat.h"
#include "formatting/style/FormatStore.h"
#include "formatting/style/IntextFormat.h"
#include "formatting/style/OutputStyleDoc.h"

#include <map>

namespace {
typedef std::map<WORD, std::vector<BYTE>> Blocks;

Blocks BlocksOf(const CMapWordToOb& store)
{
    Blocks blocks;
    for (WORD id : FormatBlockIds(store)) {
        CMemFile* file = FindFormatBlock(store, id);
        std::vector<BYTE> bytes(file->GetLength());
        file->SeekToBegin();
        if (!bytes.empty())
            file->Read(bytes.data(), static_cast<UINT>(bytes.size()));
        blocks[id] = bytes;
    }
    return blocks;
}

void BuildEveryFormat(COutputStyleDoc& doc)
{
    for (WORD id : FormatBlockIds(doc.bibliographyFormats)) {
        BibliographyFormat format;
        doc.GetBibliographyFormat(id, format);
    }
    for (WORD id : FormatBlockIds(doc.firstCitationFormats)) {
        IntextFormat format;
        doc.GetFirstCitationFormat(id, format);
    }
    for (WORD id : FormatBlockIds(doc.subsequentCitationFormats)) {
        IntextFormat format;
        doc.GetSubsequentCitationFormat(id, format);
    }
}

bool SameFormats(COutputStyleDoc& a, COutputStyleDoc& b)
{
    return BlocksOf(a.bibliographyFormats) == BlocksOf(b.bibliographyFormats) &&
           BlocksOf(a.firstCitationFormats) == BlocksOf(b.firstCitationFormats) &&
           BlocksOf(a.subsequentCitationFormats) == BlocksOf(b.subsequentCitationFormats);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    COutputStyleDoc doc;
    doc.m_bAutoDelete = FALSE;
    if (!FuzzLoad(data, size, [&](CArchive& ar) { doc.Serialize(ar); }))
        return 0;
    BuildEveryFormat(doc);
    if (!doc.FormatStoresFit())
        FuzzFinding("a style that was read does not fit its file");
    CMemFile stored;
    {
        CArchive ar(&stored, CArchive::store);
        doc.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes(stored.GetLength());
    stored.SeekToBegin();
    stored.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    COutputStyleDoc back;
    back.m_bAutoDelete = FALSE;
    if (!FuzzLoad(bytes.data(), bytes.size(), [&](CArchive& ar) { back.Serialize(ar); }))
        FuzzFinding("a stored style does not read back");
    if (back.GetHeaderVersion() != 0x0500 || !SameFormats(doc, back))
        FuzzFinding("a stored style reads back different");
    return 0;
}
