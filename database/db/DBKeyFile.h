// DBKeyFile: the key file of a database (and, in the same form, its scratch
// file): a paged file with a resource tree and the five position indexes of
// the database's workform, author, journal, title and keyword trees.
//
// Header (after the paged header of BTPagedFile), versions 1047 and above:
//   22 bytes  root descriptor of the resource tree
// An older key file has no resource tree and no 'CACH' resources.
//
// Resources: ('CACH', 0..4), each position index in its archive form; read
// on open, written on every flush (version above 1046) and when the file is
// made.
#pragma once

#include "database/btree/BTPositionIndex.h"
#include "database/btree/BTResourceTree.h"
#include "database/file/BTPagedFile.h"

#include <vector>

class DBKeyFile : public BTPagedFile
{
    DECLARE_DYNAMIC(DBKeyFile)
public:
    enum
    {
        kDocumentType = 0x8003,
        kCurrentVersion = 1047,
        kFirstVersionWithResources = 1047,
        kPositionIndexCount = 5,
    };
    enum : DWORD
    {
        kCacheResource = 0x43414348, // 'CACH'
    };

    DBKeyFile();
    ~DBKeyFile() override;

    void InitNew() override;
    void OnOpen() override;
    void OnClose() override;
    void OnAbort() override;
    void FlushBuffers() override;
    void SerializeHeader(CArchive& ar) override;

    BTResourceTree& GetResourceTree() { return m_resourceTree; }
    BTPositionIndex& GetPositionIndex(int i) { return m_positionIndexes[i]; }

    // Writes the key file's own tables into its pages, so that a commit of its
    // pages together with the data file's carries them; nothing when the file
    // is not open for writing.
    void StoreTablesForCommit();

private:
    BOOL HasResources() const { return GetVersion() >= kFirstVersionWithResources; }
    void StoreCaches(BOOL bNew);
    void EmptyCaches();

    BTResourceTree m_resourceTree;
    BTPositionIndex m_positionIndexes[kPositionIndexCount];
    // The stored form of each cache as the file holds it (empty: unknown), so
    // that a commit rewrites only caches that changed.
    std::vector<BYTE> m_storedCaches[kPositionIndexCount];
};
