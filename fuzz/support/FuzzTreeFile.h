// The paged file of the paged-file and B-tree targets: a paged file whose
// header carries one record tree's root, as a database file carries its
// trees' roots; and the project's own way of making such files for seeds.
#pragma once

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

// Writes a tree file of `records` records of `dataLength` bytes each at path,
// then deletes every `freeEvery`th record (0: none) so that pages go free.
inline void MakeTreeFile(const std::string& path, BOOL bCompressed, DWORD records, int dataLength,
                         DWORD freeEvery = 0)
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
