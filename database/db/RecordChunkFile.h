// RecordChunkFile: the stored stream of one record of a record tree, read
// chunk by chunk as the reader asks for it, and the place in the tree where
// the last record ended.
//
// A record is kept as chunks 0, 1, 2, ... under its record number (see
// BTRecordTree); Read hands out at most the rest of one chunk per call,
// straight from the held leaf, and moves to the next chunk only when asked, so
// a reader that stops early (a search test that needs the first fields only)
// never touches the later chunks or their pages. The chunks are taken as
// BTChunkedObject takes them: the run stops at the first gap, and an entry
// whose data length lies outside it is a damaged node (CArchiveException).
//
// Start looks for chunk 0 first in the leaf where the last record ended and in
// the leaf after it, and descends from the root only when neither holds the
// number: records read in ascending number order (a search testing its
// candidates, a sort index being built) mostly find their record there. A
// remembered leaf is used only while it is cached and still carries the
// tree's check mark (BTPage::m_pChecked): the mark is cleared whenever the
// page changes outside the tree, so such a page is a live leaf of this tree,
// and a number between its first and last keys can lie in no other leaf.
//
// Between Start and Finish the current leaf is held (BTPageRef); nothing may
// change the tree then. Only Read is supported; the file is never opened on disk.
#pragma once

#include "classlib/File.h"
#include "database/file/BTPageRef.h"

class BTRecordTree;

class RecordChunkFile : public CFile
{
public:
    explicit RecordChunkFile(BTRecordTree& tree);

    // Positions on chunk 0 of the record; FALSE when the record has none.
    BOOL Start(DWORD recordNumber);
    // Lets go of the leaf; the place is kept for the next Start.
    void Finish();
    // Forgets the place: the next Start descends from the root.
    void ForgetPlace();

    UINT Read(void* lpBuf, UINT nCount) override;

private:
    // The remembered leaf, or the one after it, when it holds the number's
    // chunk 0 if the tree has it: m_page and m_slot are then set.
    BOOL StartInPlace(DWORD recordNumber);
    // The leaf at the offset when it is cached, a leaf of the tree still
    // checked by it, and not empty; an empty reference otherwise.
    BTPageRef TakeRememberedLeaf(DWORD offset);
    // With m_page a checked leaf: TRUE when (number, 0) lies between its
    // first and last keys; m_slot is then the first entry not below it.
    BOOL SeekInLeaf(DWORD recordNumber);
    // Moves m_page to the next leaf; FALSE at the end of the chain.
    BOOL StepLeaf();
    // Takes the chunk under m_slot; FALSE at the end of the run.
    BOOL TakeChunk();

    BTRecordTree& m_tree;
    BTPageRef m_page;   // the current leaf, held from Start to Finish
    DWORD m_leaf;       // its offset, kept as the place after Finish
    DWORD m_placeFirst; // record numbers of its first and last entries then
    DWORD m_placeLast;
    int m_slot;
    DWORD m_recordNumber;
    const BYTE* m_chunk; // data of the current chunk, in m_page
    int m_chunkLength;
    int m_chunkPos;
    DWORD m_expected; // chunk number wanted next
    BOOL m_ended;
};
