#include "database/db/DBRecordSet.h"

#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "database/text/StyledStringArchive.h"

#include <cstring>

namespace {
// Counted by halves, quarters and bytes: the compiler's own population count
// becomes a library call on processors it may not assume have the instruction.
int BitCount(DWORD w)
{
    w = w - ((w >> 1) & 0x55555555u);
    w = (w & 0x33333333u) + ((w >> 2) & 0x33333333u);
    w = (w + (w >> 4)) & 0x0F0F0F0Fu;
    return (int)((w * 0x01010101u) >> 24);
}

int LowestBit(DWORD w)
{
    return __builtin_ctz(w);
}

void ToBytes(const DBRecordSetBlock& block, BYTE* bytes)
{
    for (int w = 0; w < DBRecordSetBlock::words; ++w)
        for (int i = 0; i < 4; ++i)
            bytes[4 * w + i] = (BYTE)(block.word[w] >> (8 * i));
}

void FromBytes(const BYTE* bytes, DBRecordSetBlock& block)
{
    for (int w = 0; w < DBRecordSetBlock::words; ++w) {
        const BYTE* p = bytes + 4 * w;
        block.word[w] = (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
    }
}

bool IsEmptyBlock(const DBRecordSetBlock& block)
{
    for (DWORD w : block.word) {
        if (w != 0)
            return false;
    }
    return true;
}

// The stored form of an empty block, as the packer makes it.
struct EmptyBlockForm
{
    EmptyBlockForm() : packed(), length(0)
    {
        const BYTE zero[DBRecordSetBlock::bytes] = {};
        length = PackRecordSetBlock(zero, packed);
    }
    BYTE packed[DBRecordSetBlock::bytes]; // all zero when stored raw
    int length;                           // 0: stored raw
    bool Is(const BYTE* data, int p) const
    {
        return p > 0 && p == length && memcmp(data, packed, (size_t)p) == 0;
    }
};

const EmptyBlockForm& EmptyForm()
{
    static const EmptyBlockForm form;
    return form;
}

[[noreturn]] void ThrowBadBlock()
{
    AfxThrowArchiveException(CArchiveException::badIndex);
}
} // namespace

int PackRecordSetBlock(const BYTE* block, BYTE* packed)
{
    const int n = DBRecordSetBlock::bytes;
    BYTE literal = block[0] == 0 ? 1 : 0;
    int out = 0;
    for (int i = 0; i < n;) {
        BYTE b = block[i];
        if (b != literal) {
            if (out + 1 >= n)
                return 0;
            packed[out++] = b;
            literal = b;
            ++i;
            continue;
        }
        int run = 1;
        while (i + run < n && block[i + run] == b)
            ++run;
        // The first byte is always a literal, so a run is at most 127 long.
        if (out + 2 >= n)
            return 0;
        packed[out++] = b;
        packed[out++] = (BYTE)run;
        i += run;
    }
    return out;
}

void UnpackRecordSetBlock(const BYTE* packed, int length, BYTE* block)
{
    const int n = DBRecordSetBlock::bytes;
    int filled = 0;
    BYTE literal = 0;
    BOOL first = TRUE;
    for (int i = 0; i < length; ++i) {
        BYTE b = packed[i];
        // The packer starts its previous literal unequal to the first byte:
        // the first byte is always a literal.
        if (first || b != literal) {
            if (filled >= n)
                ThrowBadBlock();
            block[filled++] = b;
            literal = b;
            first = FALSE;
            continue;
        }
        if (i + 1 >= length)
            ThrowBadBlock();
        int run = packed[++i];
        if (run > n - filled)
            ThrowBadBlock();
        std::memset(block + filled, b, run);
        filled += run;
    }
    if (filled != n)
        ThrowBadBlock();
}

DBRecordSet::DBRecordSet(const char* setName) : flagWord(0), name(setName ? setName : ""), count(0) {}

DBRecordSet::DBRecordSet(const DBRecordSet& other)
    : CObject(), flagWord(other.flagWord), name(other.name), count(other.count)
{
    blocks.Copy(other.blocks);
}

DBRecordSet::~DBRecordSet() = default;

void DBRecordSet::RemoveAll()
{
    blocks.RemoveAll();
    count = 0;
}

void DBRecordSet::Grow(INT_PTR n)
{
    if (blocks.GetSize() < n)
        blocks.SetSize(n); // new blocks are value-initialised: zero
}

void DBRecordSet::DropBlocksFrom(int n)
{
    if (n >= 0 && n < blocks.GetSize())
        blocks.SetSize(n);
}

int DBRecordSet::Set(int recordNumber)
{
    if (recordNumber < 0)
        return count;
    INT_PTR b = recordNumber / DBRecordSetBlock::records;
    if (b >= maxBlocks)
        AfxThrowNotSupportedException();
    Grow(b + 1);
    DWORD& w = blocks[b].word[(recordNumber % DBRecordSetBlock::records) / 32];
    DWORD bit = (DWORD)1 << (recordNumber % 32);
    if (!(w & bit)) {
        w |= bit;
        ++count;
    }
    return count;
}

int DBRecordSet::Clear(int recordNumber)
{
    if (recordNumber < 0 || recordNumber / DBRecordSetBlock::records >= blocks.GetSize())
        return count;
    DWORD& w = blocks[recordNumber / DBRecordSetBlock::records]
                   .word[(recordNumber % DBRecordSetBlock::records) / 32];
    DWORD bit = (DWORD)1 << (recordNumber % 32);
    if (w & bit) {
        w &= ~bit;
        --count;
    }
    return count;
}

BOOL DBRecordSet::Contains(int recordNumber) const
{
    if (recordNumber < 0 || recordNumber / DBRecordSetBlock::records >= blocks.GetSize())
        return FALSE;
    DWORD w = blocks[recordNumber / DBRecordSetBlock::records]
                  .word[(recordNumber % DBRecordSetBlock::records) / 32];
    return (w >> (recordNumber % 32)) & 1;
}

DBRecordSet& DBRecordSet::operator=(const DBRecordSet& other)
{
    if (&other != this) {
        blocks.Copy(other.blocks);
        count = other.count;
        flagWord = other.flagWord;
    }
    return *this;
}

BOOL DBRecordSet::operator==(const DBRecordSet& other) const
{
    if (count != other.count || blocks.GetSize() != other.blocks.GetSize())
        return FALSE;
    return blocks.GetSize() == 0 || std::memcmp(blocks.GetData(), other.blocks.GetData(),
                                                blocks.GetSize() * sizeof(DBRecordSetBlock)) == 0;
}

void DBRecordSet::GrowFor(INT_PTR b)
{
    if (blocks.GetSize() < b || blocks.GetSize() == 0)
        Grow(b > 0 ? b : 1);
}

void DBRecordSet::Recount()
{
    int n = 0;
    const DBRecordSetBlock* p = blocks.GetData();
    for (INT_PTR b = 0; b < blocks.GetSize(); ++b)
        for (int w = 0; w < DBRecordSetBlock::words; ++w)
            n += BitCount(p[b].word[w]);
    count = n;
}

DBRecordSet& DBRecordSet::operator|=(const DBRecordSet& other)
{
    const INT_PTR b = other.blocks.GetSize();
    GrowFor(b);
    if (&other == this)
        return *this;
    flagWord |= other.flagWord;
    DBRecordSetBlock* own = blocks.GetData();
    const DBRecordSetBlock* theirs = other.blocks.GetData();
    for (INT_PTR i = 0; i < b; ++i)
        for (int w = 0; w < DBRecordSetBlock::words; ++w)
            own[i].word[w] |= theirs[i].word[w];
    Recount();
    return *this;
}

DBRecordSet& DBRecordSet::operator&=(const DBRecordSet& other)
{
    const INT_PTR b = other.blocks.GetSize();
    GrowFor(b);
    if (&other == this)
        return *this;
    flagWord &= other.flagWord;
    DBRecordSetBlock* own = blocks.GetData();
    const DBRecordSetBlock* theirs = other.blocks.GetData();
    for (INT_PTR i = 0; i < b; ++i)
        for (int w = 0; w < DBRecordSetBlock::words; ++w)
            own[i].word[w] &= theirs[i].word[w];
    for (INT_PTR i = b; i < blocks.GetSize(); ++i)
        std::memset(&own[i], 0, sizeof(DBRecordSetBlock));
    Recount();
    return *this;
}

DBRecordSet& DBRecordSet::operator^=(const DBRecordSet& other)
{
    flagWord |= other.flagWord;
    if (flagWord != 0)
        return *this;
    const INT_PTR b = other.blocks.GetSize();
    GrowFor(b);
    DBRecordSetBlock* own = blocks.GetData();
    const DBRecordSetBlock* theirs = other.blocks.GetData(); // own blocks when other is this set
    for (INT_PTR i = 0; i < b; ++i)
        for (int w = 0; w < DBRecordSetBlock::words; ++w)
            own[i].word[w] ^= theirs[i].word[w];
    Recount();
    return *this;
}

int DBRecordSet::FindNext(int after) const
{
    long long start = after < 0 ? 0 : (long long)after + 1;
    const long long end = (long long)blocks.GetSize() * DBRecordSetBlock::records;
    if (start >= end)
        return -1;
    const DBRecordSetBlock* p = blocks.GetData();
    INT_PTR b = (INT_PTR)(start / DBRecordSetBlock::records);
    int w = (int)(start % DBRecordSetBlock::records) / 32;
    DWORD word = p[b].word[w] & (~(DWORD)0 << (start % 32));
    for (;;) {
        if (word != 0)
            return (int)(b * DBRecordSetBlock::records + w * 32 + LowestBit(word));
        if (++w == DBRecordSetBlock::words) {
            w = 0;
            if (++b == blocks.GetSize())
                return -1;
        }
        word = p[b].word[w];
    }
}

int DBRecordSet::FindFirstFree() const
{
    const DBRecordSetBlock* p = blocks.GetData();
    for (INT_PTR b = 0; b < blocks.GetSize(); ++b)
        for (int w = 0; w < DBRecordSetBlock::words; ++w)
            if (p[b].word[w] != 0xFFFFFFFFu)
                return (int)(b * DBRecordSetBlock::records + w * 32 + LowestBit(~p[b].word[w]));
    return (int)(blocks.GetSize() * DBRecordSetBlock::records);
}

void DBRecordSet::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        if (blocks.GetSize() > maxBlocks)
            AfxThrowArchiveException(CArchiveException::generic);
        WriteStyledString(ar, name);
        ar << (DWORD)count << (WORD)blocks.GetSize();
        BYTE bytes[DBRecordSetBlock::bytes];
        BYTE packed[DBRecordSetBlock::bytes];
        // Most blocks of a rare key's set are empty: their packed form is made once.
        const EmptyBlockForm& empty = EmptyForm();
        for (INT_PTR b = 0; b < blocks.GetSize(); ++b) {
            if (IsEmptyBlock(blocks[b])) {
                ar << (BYTE)empty.length;
                ar.Write(empty.packed, empty.length > 0 ? (UINT)empty.length : (UINT)DBRecordSetBlock::bytes);
                continue;
            }
            ToBytes(blocks[b], bytes);
            int p = PackRecordSetBlock(bytes, packed);
            ar << (BYTE)p;
            if (p > 0)
                ar.Write(packed, (UINT)p);
            else
                ar.Write(bytes, DBRecordSetBlock::bytes);
        }
        return;
    }
    RemoveAll();
    ReadStyledString(ar, name);
    try {
        LoadBlocks(ar);
    } catch (CException*) {
        RemoveAll();
        throw;
    }
}

void DBRecordSet::LoadBlocks(CArchive& ar)
{
    DWORD storedCount;
    WORD n;
    ar >> storedCount >> n;
    BYTE data[255];
    BYTE bytes[DBRecordSetBlock::bytes];
    const EmptyBlockForm& emptyForm = EmptyForm();
    for (INT_PTR b = 0; b < n; ++b) {
        BYTE p;
        ar >> p;
        UINT want = p ? p : (UINT)DBRecordSetBlock::bytes;
        if (ar.Read(p ? data : bytes, want) != want)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        const bool empty = emptyForm.Is(data, p);
        if (p && !empty)
            UnpackRecordSetBlock(data, p, bytes);
        // Room doubles with the blocks read, so a damaged block count costs
        // no more memory than the data that backs it.
        if (b == blocks.GetSize()) {
            INT_PTR room = b + (b < 64 ? 64 : b);
            blocks.SetSize(room < n ? room : n);
        }
        // Blocks grown by SetSize are empty already.
        if (!empty)
            FromBytes(bytes, blocks[b]);
    }
    Recount();
}
