// CListFile: the file of a term or journal list (".ljl"), a paged B-tree
// file whose one string-keyed tree holds the entries under their list keys.
//
// Header, after the paged file's (document type 0x8006 term list or 0x8007
// journal list, version 0x0301, codes 0 and 0, free-page count and head):
// the entries tree's 22-byte root descriptor.
//
// List key: the words (letters and digits) of the entry's first string in the
// stored encoding, leading stop words ("a", "an", "the", "l", "la", "le",
// "les", any case) dropped, joined by one blank within 255 bytes; then its
// collation key in the "General" language without the case level. A title
// with or without a leading article, in any letter case or punctuation,
// therefore has one key; accents still count.
#pragma once

#include "database/btree/StringKeyTree.h"
#include "database/file/BTPagedFile.h"
#include "database/sort/LanguageSort.h"

class CListEntry;
class StyledString;

class CListFile : public BTPagedFile
{
public:
    enum : WORD
    {
        kTermListType = 0x8006,
        kJournalListType = 0x8007,
        kListVersion = 0x0301
    };
    enum
    {
        kKeySize = 256
    };

    explicit CListFile(WORD documentType = kJournalListType);

    void SerializeHeader(CArchive& ar) override;

    // The entry's key into a buffer of kKeySize bytes.
    void MakeListKey(char* key, const CListEntry& entry) const;
    // TRUE when an entry has the term's key: out is that entry's second string
    // (a journal's abbreviation, even an empty one) with its runs. Otherwise
    // out is the term and the result FALSE.
    BOOL LookupTerm(const StyledString& term, StyledString& out);

    StringKeyTree& GetEntryTree() { return m_tree; }

private:
    CLanguageSort m_sort;
    StringKeyTree m_tree;
};
