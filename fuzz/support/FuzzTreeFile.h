// The paged file of the paged-file and B-tree targets: a paged file whose
// header carries one record tree's root, as a database file carries its
// trees' roots; and the project's own way of making such files for seeds.
#pragma once

#include "FuzzSupport.h"

#include "classlib/Exceptions.h"
#include "database/btree/BTRecordTree.h"
#include "database/file/BTPagedFile.h"

#include <cstdio>
#include <string>
#include <vector>

class FuzzTreeFile : public BTPagedFile
{
public:
    enum : WORD
    {
        docType = 0x7F01,
        version = 1,
    };
    explicit FuzzTreeFile(BTree* tree = nullptr) : m_pTree(tree)
    {
        SetDocumentType(docType);
        SetVersion(version);
    }
    void SerializeHeader(CArchive& ar) override
    {
        BTPagedFile::SerializeHeader(ar);
        if (m_pTree)
            m_pTree->SerializeRoot(ar);
    }

private:
    BTree* m_pTree;
};

// Binds the tree to the file, in the mode and at the path given.
inline void SetUpTreeFile(FuzzTreeFile& file, BTree& tree, const std::string& path, BOOL bCompressed)
{
    tree.Attach(&file);
    file.SetCompressed(bCompressed);
    file.SetPathName(path.c_str());
}

// Opens the file read-write and exclusive; FALSE, or a clean error, when it
// cannot be opened.
inline bool OpenTreeFile(FuzzTreeFile& file, CFileException* error = nullptr)
{
    CFileException local;
    return file.OpenFile(CFile::modeReadWrite | CFile::shareExclusive, error ? error : &local) != FALSE;
}

// Writes a fuzz input to the scratch file at path (byte 0, bit 0: compressed
// mode; the rest is the file) and opens it as the tree's file; FALSE, after a
// clean error, when it cannot be opened.
inline bool OpenFuzzedTreeFile(const uint8_t* data, size_t size, const std::string& path, FuzzTreeFile& file,
                               BTree& tree)
{
    FuzzWriteFile(path, data + 1, size - 1);
    SetUpTreeFile(file, tree, path, data[0] & 1);
    bool open = false;
    FuzzStep([&] { open = OpenTreeFile(file); });
    return open;
}

// Creates the file anew and opens it; raises the file exception otherwise.
inline void CreateTreeFile(FuzzTreeFile& file, BTree& tree, const std::string& path, BOOL bCompressed)
{
    SetUpTreeFile(file, tree, path, bCompressed);
    file.CreateNew();
    CFileException error;
    if (!OpenTreeFile(file, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, path.c_str());
}

// Writes a tree file of `records` records of `dataLength` bytes each at path,
// then deletes every `freeEvery`th record (0: none) so that pages go free.
inline void MakeTreeFile(const std::string& path, BOOL bCompressed, DWORD records, int dataLength,
                         DWORD freeEvery = 0)
{
    BTRecordTree tree;
    FuzzTreeFile file(&tree);
    CreateTreeFile(file, tree, path, bCompressed);
    std::string data(dataLength, 'd');
    for (DWORD r = 0; r < records; ++r)
    {
        data[0] = static_cast<char>('a' + r % 26);
        BTRecordTree::SetSearchEntry(r, 0, data.data(), dataLength);
        tree.Insert();
    }
    for (DWORD r = 0; freeEvery && r < records; r += freeEvery)
    {
        BTRecordTree::SetSearchKey(r, 0);
        tree.Delete();
    }
    file.Close();
}
