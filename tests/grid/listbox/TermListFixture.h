// A term or journal list file on disk with generated entries, for the B-tree grids: entries in key
// order as a plain walk of the tree reads them, and a position index on the tree.
#pragma once

#include "app/core/TempFile.h"
#include "classlib/Exceptions.h"
#include "database/btree/BTPositionIndex.h"
#include "database/btree/BTreeCursor.h"
#include "database/db/ListEntry.h"
#include "database/db/ListFile.h"

#include <cstdio>
#include <string>
#include <vector>

class TermListFixture
{
public:
    explicit TermListFixture(WORD type = CListFile::kTermListType)
        : file(type), path(static_cast<const char*>(MakeTempFileName()))
    {
        file.SetPathName(path.c_str());
        file.CreateNew();
        CFileException error;
        if (!file.OpenFile(CFile::modeReadWrite | CFile::shareExclusive, &error))
            AfxThrowFileException(error.m_cause);
        Tree().AttachPositionIndex(&index);
    }
    ~TermListFixture()
    {
        Tree().AttachPositionIndex(nullptr);
        if (file.IsOpen())
            file.Close();
        std::remove(path.c_str());
    }
    TermListFixture(const TermListFixture&) = delete;
    TermListFixture& operator=(const TermListFixture&) = delete;

    StringKeyTree& Tree() { return file.GetEntryTree(); }

    // False when an entry with that key is there already.
    bool Add(const char* term, const char* second = "", const char* third = "")
    {
        CListEntry entry;
        entry.strings[0] = StyledString(term);
        entry.strings[1] = StyledString(second);
        entry.strings[2] = StyledString(third);
        char key[CListFile::kKeySize];
        file.MakeListKey(key, entry);
        return file.GetEntryTree().AddObject(entry, key) != FALSE;
    }
    // count entries of generated words (letters only, 4 to 9 of them, capitalised), from one seed.
    void AddWords(int count, unsigned seed = 12345, const char* note = "")
    {
        for (int added = 0; added < count;) {
            char word[16];
            seed = seed * 1103515245u + 12345u;
            const int length = 4 + static_cast<int>((seed >> 16) % 6);
            for (int i = 0; i < length; ++i) {
                seed = seed * 1103515245u + 12345u;
                word[i] = static_cast<char>((i == 0 ? 'A' : 'a') + (seed >> 16) % 26);
            }
            word[length] = '\0';
            added += Add(word, note) ? 1 : 0;
        }
    }
    // The first strings of the entries in key order.
    std::vector<std::string> Terms()
    {
        std::vector<std::string> out;
        BTreeCursor cursor(&Tree());
        for (BOOL on = cursor.MoveFirst(); on; on = cursor.NextKey()) {
            CListEntry entry;
            cursor.ReadObject(entry);
            out.push_back(static_cast<const char*>(entry.strings[0].text));
        }
        return out;
    }

    CListFile file;
    std::string path;
    BTPositionIndex index;
};
