#include "database/btree/StringKeyTree.h"

#include "classlib/Exceptions.h"
#include "database/btree/BTBuffers.h"
#include "database/btree/BTNode.h"
#include "database/sort/LanguageSort.h"
#include "database/text/InternalEncoding.h"

#include <cstring>

namespace
{
WORD GetU16(const BYTE* p)
{
    return (WORD)(p[0] | (p[1] << 8));
}

int TextLength(const BYTE* key)
{
    return (int)std::strlen((const char*)key);
}

// Builds (text, duplicate) and, when data is given, the data length and
// data into the search key.
void FillSearchKey(const char* text, WORD duplicate, const void* data, int length)
{
    const size_t k = std::strlen(text);
    if (k > (size_t)BTNode::maxEntrySize || length < 0)
        AfxThrowNotSupportedException();
    const int keySize = (int)k + 3;
    BTSetSearchKeyLength(data ? keySize + 2 + length : keySize);
    BYTE* p = BTGetSearchKey();
    std::memcpy(p, text, k + 1);
    BTNode::PutU16At(p + k + 1, duplicate);
    if (data) {
        BTNode::PutU16At(p + keySize, length);
        std::memcpy(p + keySize + 2, data, length);
    }
}
} // namespace

int StringKeyTree::CompareKeyText(const BYTE* a, const BYTE* b) const
{
    return CLanguageSort::CompareSortKeys((const char*)a, (const char*)b);
}

int StringKeyTree::CompareKeys(const BYTE* a, const BYTE* b) const
{
    int c = CompareKeyText(a, b);
    return c != 0 ? c : (int)GetDuplicateNumber(a) - (int)GetDuplicateNumber(b);
}

WORD StringKeyTree::GetDuplicateNumber(const BYTE* entry) const
{
    return GetU16(entry + TextLength(entry) + 1);
}

int StringKeyTree::GetKeySize(const BYTE* key) const
{
    return TextLength(key) + 3;
}

int StringKeyTree::GetEntrySize(const BYTE* entry) const
{
    int k = GetKeySize(entry);
    return k + 2 + GetU16(entry + k);
}

int StringKeyTree::GetDataSize(const BYTE* entry) const
{
    return GetU16(entry + GetKeySize(entry)) + 2;
}

BOOL StringKeyTree::IsValidEntry(const BYTE* entry, int length, BOOL bLeaf) const
{
    // No longer than the engine writes, so copies of keys fit their buffers.
    if (length > (bLeaf ? BTNode::maxEntrySize : BTNode::maxInnerEntrySize))
        return FALSE;
    const void* nul = length > 0 ? std::memchr(entry, 0, (size_t)length) : nullptr;
    if (!nul)
        return FALSE;
    const int k = (int)((const BYTE*)nul - entry) + 3; // key size
    if (!bLeaf)
        return length == k + 4;
    return length >= k + 2 && k + 2 + GetU16(entry + k) == length;
}

void StringKeyTree::SetSearchKey(const char* text, WORD duplicate)
{
    FillSearchKey(text, duplicate, nullptr, 0);
}

void StringKeyTree::SetSearchEntry(const char* text, WORD duplicate, const void* data, int length)
{
    FillSearchKey(text, duplicate, data ? data : "", length);
}

BOOL StringKeyTree::ReadObject(CObject& object, const char* text)
{
    ObjectKey key(text);
    return BTChunkedObject(*this, key).Read(object);
}

BOOL StringKeyTree::AddObject(CObject& object, const char* text)
{
    ObjectKey key(text);
    if (!BTChunkedObject(*this, key).Add(object))
        return FALSE;
    BTChunkedObject::AdjustObjectCount(*this, 1);
    return TRUE;
}

BOOL StringKeyTree::WriteObject(CObject& object, const char* text)
{
    ObjectKey key(text);
    int chunks = 0;
    const BOOL existed = BTChunkedObject(*this, key).Write(object, &chunks);
    // An empty object stores nothing: writing it takes the older one away.
    BTChunkedObject::AdjustObjectCount(*this, (chunks > 0 ? 1 : 0) - (existed ? 1 : 0));
    return TRUE;
}

BOOL StringKeyTree::DeleteObject(const char* text)
{
    ObjectKey key(text);
    if (BTChunkedObject(*this, key).Delete() > 0)
        BTChunkedObject::AdjustObjectCount(*this, -1);
    return TRUE;
}

void StringKeyTree::MakeTypedTextKey(char* buffer, int size, const char* typed) const
{
    // The typed text is plain ANSI, cut as a type-ahead box cuts it.
    char cut[256];
    std::strncpy(cut, typed, sizeof cut - 1);
    cut[sizeof cut - 1] = '\0';
    if (!m_pLanguageSort) {
        std::strncpy(buffer, cut, size - 1);
        buffer[size - 1] = '\0';
        return;
    }
    char encoded[2 * sizeof cut];
    EncodeStyledText(encoded, sizeof encoded, StyledString(cut));
    // The primary level alone: a typed text equal to a term but for case or
    // accents lands on that term, and one that starts a term before it.
    m_pLanguageSort->MakeSortKey(buffer, size, encoded, sortKeyNoAccents | sortKeyNoCase);
}
