// StringKeyTree: the tree kind whose keys are texts (groups, term indexes,
// term and journal lists).
//
// Key: the text's bytes, a NUL, u16 duplicate number (little-endian); key
// size = text length + 3. Entry: the key, u16 data length L, L bytes; entry
// size = text length + 5 + L. Texts compare by CLanguageSort::CompareSortKeys
// (unsigned bytes, a prefix first), equal texts by duplicate number; the
// texts are what the callers give, for the term indexes collation keys built
// by the language sort. An entry is well formed only when its text ends in a
// NUL inside it and the lengths add up exactly.
//
// Objects are stored under a text in chunks (BTChunkedObject), the chunk
// number serving as the duplicate number; the object count counts them.
//
// The language sort must be set before positions are looked up by typed
// text (BTreeCursor::GetTextPosition); without one the typed text's own
// bytes are sought.
#pragma once

#include "database/btree/BTChunkedObject.h"
#include "database/btree/BTree.h"

class CLanguageSort;
class CObject;

class StringKeyTree : public BTree
{
public:
    // The chunks of the object stored under one text.
    class ObjectKey : public BTObjectKey
    {
    public:
        explicit ObjectKey(const char* text) : m_text(text) {}
        void SetSearchKey(WORD chunk) const override { StringKeyTree::SetSearchKey(m_text, chunk); }
        void SetSearchEntry(WORD chunk, const BYTE* data, int length) const override
        {
            StringKeyTree::SetSearchEntry(m_text, chunk, data, length);
        }

    private:
        const char* m_text;
    };

    StringKeyTree() : m_pLanguageSort(nullptr) {}

    void SetLanguageSort(const CLanguageSort* sort) { m_pLanguageSort = sort; }
    const CLanguageSort* GetLanguageSort() const { return m_pLanguageSort; }

    int CompareKeys(const BYTE* a, const BYTE* b) const override;
    int CompareKeyText(const BYTE* a, const BYTE* b) const override;
    WORD GetDuplicateNumber(const BYTE* entry) const override;
    int GetEntrySize(const BYTE* entry) const override;
    int GetKeySize(const BYTE* key) const override;
    int GetDataSize(const BYTE* entry) const override;
    BOOL IsValidEntry(const BYTE* entry, int length, BOOL bLeaf) const override;

    // Puts (text, duplicate number) into the search key; a text too long for
    // any entry raises CNotSupportedException.
    static void SetSearchKey(const char* text, WORD duplicate);
    // Puts a whole entry into the search key (for Insert and Write).
    static void SetSearchEntry(const char* text, WORD duplicate, const void* data, int length);

    // Deserialises the object stored under the text; FALSE, the object
    // untouched, when there is none. Exceptions of Serialize reach the caller.
    BOOL ReadObject(CObject& object, const char* text);
    // Stores the object under a text that holds none yet and counts it;
    // FALSE, leaving no chunk behind, when a chunk of the text exists.
    BOOL AddObject(CObject& object, const char* text);
    // Stores the object in place of any older one, whose chunks beyond the
    // new last one are deleted; the object count follows. Returns TRUE.
    BOOL WriteObject(CObject& object, const char* text);
    // Deletes every chunk of the text, uncounting the object when there was
    // one. Returns TRUE.
    BOOL DeleteObject(const char* text);

    // Fills buffer (size bytes) with the key sought for a typed text: the
    // language sort's key of the text in the stored encoding, on its primary
    // level (letters alone), at most 255 typed characters; without a
    // language sort the text itself.
    void MakeTypedTextKey(char* buffer, int size, const char* typed) const;

private:
    const CLanguageSort* m_pLanguageSort; // not owned
};
