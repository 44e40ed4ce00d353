// BTOperation: one writing operation on paged files, all or nothing.
//
// Every operation that changes pages (a tree insert, delete, Write,
// RemoveAll, a chunked-object write, and above them a record save that spans
// several trees and both files of a database) runs inside one scope:
//
//     BTOperation op(file);      // opens the operation, or joins the open one
//     ... change pages ...
//     op.Commit();               // the scope ends successfully
//
// While an operation is open, the paged file keeps the before-image of each
// page the first time the operation changes it (BeforeChange, called before
// the bytes change), together with its free-list fields and file end; a
// participant (a tree) keeps its root descriptor. A scope that ends without
// Commit (an exception on its way) rolls all of that back: pages, header
// fields, free list, root descriptors and counts are exactly as before the
// outermost scope opened. Position indexes of the trees involved are emptied
// then; they are rebuilt when next used.
//
// Scopes nest: a scope opened while another is open joins it and changes
// nothing on its own; the outermost scope commits or rolls back for all.
// A joined scope that ends without Commit dooms the whole operation: the
// outer Commit then rolls everything back and raises CArchiveException
// (generic), so a failure swallowed half way is never kept as a success.
// One operation is open at a time in the process (the storage is used on one
// thread), and it may enlist any number of paged files.
//
// Pages changed by the open operation stay in the cache until it ends (the
// cache may then hold more than its limits), so a rollback never needs the
// disk. Cost when nothing raises: one copy of each changed page per
// operation; reading pages costs nothing.
#pragma once

#include "classlib/Types.h"

#include <vector>

class BTPagedFile;
struct BTPage;

class BTOperation
{
public:
    // What else an operation restores: a tree's root descriptor and counts.
    class Participant
    {
    public:
        // Keeps what a rollback restores.
        virtual void SaveOperationState() = 0;
        virtual void RestoreOperationState() = 0;

    protected:
        ~Participant() {}
        friend class BTOperation;
        BOOL m_bEnlisted = FALSE;
    };

    BTOperation();
    explicit BTOperation(BTPagedFile* file);
    // Rolls back unless Commit ran (only the outermost scope acts; a joined
    // one dooms the operation).
    ~BTOperation();
    BTOperation(const BTOperation&) = delete;
    BTOperation& operator=(const BTOperation&) = delete;

    // Adds a file or participant to the open operation (once each).
    void Enlist(BTPagedFile* file);
    void Enlist(Participant* participant);
    // Ends the scope successfully; the outermost one forgets the
    // before-images. A doomed operation is rolled back here and raises.
    void Commit();

    static BOOL IsOpen() { return s_depth > 0; }
    // A joined scope failed: the open operation will be rolled back whatever
    // else succeeds.
    static BOOL IsDoomed() { return s_depth > 0 && s_bDoomed; }
    // The paged file's side, no-ops while no operation is open.
    static void EnlistFile(BTPagedFile* file);
    // Keeps the page's before-image unless it has one already.
    static void BeforeChange(BTPage* page);
    // The page reached the disk inside the operation: a rollback leaves it dirty.
    static void PageWritten(BTPage* page);
    // A participant going away forgets its part.
    static void Forget(Participant* participant);

private:
    struct PageImage
    {
        BTPage* page;
        BOOL dirty;    // before the operation
        BOOL appended; // beyond the file end the operation started from
        BOOL written;  // written to disk during the operation
        size_t image;  // index of its copy in s_images
    };
    struct FileState
    {
        BTPagedFile* file;
        DWORD freeCount;
        DWORD freeHead;
        DWORD fileEnd;
        DWORD extends; // the file's count of slots appended by writes
    };

    void Open();
    static void RollBack();
    static void Finish();
    static PageImage* FindImage(BTPage* page);

    BOOL m_bCommitted;

    static int s_depth;
    static BOOL s_bDoomed;
    static std::vector<PageImage> s_pages;
    static std::vector<BYTE> s_images;
    static std::vector<FileState> s_files;
    static std::vector<Participant*> s_participants;
};
