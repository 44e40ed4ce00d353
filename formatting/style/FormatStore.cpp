#include "formatting/style/FormatStore.h"

#include "classlib/Archive.h"
#include "classlib/Exceptions.h"

namespace {
const UINT kGrowBytes = 1024;
} // namespace

std::vector<WORD> FormatBlockIds(const CMapWordToOb& store)
{
    std::vector<WORD> ids;
    POSITION pos = store.GetStartPosition();
    while (pos != nullptr) {
        WORD id = 0;
        CObject* block = nullptr;
        store.GetNextAssoc(pos, id, block);
        ids.push_back(id);
    }
    return ids;
}

CMemFile* FindFormatBlock(const CMapWordToOb& store, WORD id)
{
    CObject* block = nullptr;
    if (!store.Lookup(id, block))
        return nullptr;
    return static_cast<CMemFile*>(block);
}

CMemFile* GetOrAddFormatBlock(CMapWordToOb& store, WORD id)
{
    CMemFile* block = FindFormatBlock(store, id);
    if (block == nullptr) {
        block = new CMemFile(kGrowBytes);
        store.SetAt(id, block);
    }
    return block;
}

BOOL RemoveFormatBlock(CMapWordToOb& store, WORD id)
{
    CMemFile* block = FindFormatBlock(store, id);
    if (block == nullptr)
        return FALSE;
    store.RemoveKey(id);
    delete block;
    return TRUE;
}

void ClearFormatStore(CMapWordToOb& store)
{
    POSITION pos = store.GetStartPosition();
    while (pos != nullptr) {
        WORD id = 0;
        CObject* block = nullptr;
        store.GetNextAssoc(pos, id, block);
        delete block;
    }
    store.RemoveAll();
}

BOOL FormatStoreFits(const CMapWordToOb& store)
{
    if (static_cast<DWORD>(store.GetCount()) > kMaxFormatStoreEntries)
        return FALSE;
    POSITION pos = store.GetStartPosition();
    while (pos != nullptr) {
        WORD id = 0;
        CObject* block = nullptr;
        store.GetNextAssoc(pos, id, block);
        if (static_cast<CMemFile*>(block)->GetLength() > kMaxFormatBlockBytes)
            return FALSE;
    }
    return TRUE;
}

// Layout: see FormatStore.h. The caller has made sure the store fits.
void WriteFormatStore(CArchive& ar, const CMapWordToOb& store)
{
    ar << static_cast<WORD>(store.GetCount());
    std::vector<BYTE> bytes;
    POSITION pos = store.GetStartPosition();
    while (pos != nullptr) {
        WORD id = 0;
        CObject* object = nullptr;
        store.GetNextAssoc(pos, id, object);
        CMemFile* block = static_cast<CMemFile*>(object);
        const DWORD length = block->GetLength();
        bytes.resize(length);
        block->SeekToBegin();
        if (length > 0 && block->Read(bytes.data(), length) != length)
            AfxThrowArchiveException(CArchiveException::generic);
        ar << id << static_cast<WORD>(length);
        if (length > 0)
            ar.Write(bytes.data(), length);
    }
}

void ReadFormatStore(CArchive& ar, CMapWordToOb& store)
{
    WORD count = 0;
    ar >> count;
    std::vector<BYTE> bytes;
    for (WORD i = 0; i < count; ++i) {
        WORD id = 0, length = 0;
        ar >> id >> length;
        bytes.resize(length);
        if (length > 0 && ar.Read(bytes.data(), length) != length)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        CMemFile* block = GetOrAddFormatBlock(store, id);
        block->SetLength(0);
        block->SeekToBegin();
        if (length > 0)
            block->Write(bytes.data(), length);
    }
}
