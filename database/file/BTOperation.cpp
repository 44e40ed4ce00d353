#include "database/file/BTOperation.h"

#include "classlib/Exceptions.h"
#include "database/file/BTPage.h"
#include "database/file/BTPageCache.h"
#include "database/file/BTPagedFile.h"

#include <algorithm>
#include <cstring>

namespace {
// Gives up the operation's hold on a page; a page dropped meanwhile goes.
void Unhold(BTPage* page)
{
    if (--page->m_nRefs == 0 && page->m_pFile == nullptr)
        BTPageCache::FreeBuffer(page);
}

// Copies kept past a large operation would hold their memory for good.
const size_t kKeptImageBytes = 64 * BTPage::size;

void ReleaseImages(std::vector<BYTE>& images)
{
    images.clear();
    if (images.capacity() > kKeptImageBytes)
        std::vector<BYTE>().swap(images);
}
} // namespace

int BTOperation::s_depth = 0;
BOOL BTOperation::s_bDoomed = FALSE;
std::vector<BTOperation::PageImage> BTOperation::s_pages;
std::vector<BYTE> BTOperation::s_images;
std::vector<BTOperation::FileState> BTOperation::s_files;
std::vector<BTOperation::Participant*> BTOperation::s_participants;

BTOperation::BTOperation() : m_bCommitted(FALSE)
{
    Open();
}

BTOperation::BTOperation(BTPagedFile* file) : m_bCommitted(FALSE)
{
    Open();
    try {
        Enlist(file);
    } catch (CException*) {
        // The destructor does not run for a constructor that raises.
        Commit();
        throw;
    }
}

void BTOperation::Open()
{
    if (s_depth++ == 0)
        s_bDoomed = FALSE;
}

BTOperation::~BTOperation()
{
    if (m_bCommitted)
        return;
    if (--s_depth > 0) {
        s_bDoomed = TRUE;
        return;
    }
    RollBack();
}

void BTOperation::Commit()
{
    if (m_bCommitted)
        return;
    m_bCommitted = TRUE;
    if (--s_depth > 0)
        return;
    if (s_bDoomed) {
        RollBack();
        AfxThrowArchiveException(CArchiveException::generic);
    }
    Finish();
}

void BTOperation::Enlist(BTPagedFile* file)
{
    EnlistFile(file);
}

void BTOperation::Enlist(Participant* participant)
{
    if (!participant || participant->m_bEnlisted || s_depth == 0)
        return;
    AfxTranslateBadAlloc([&] { s_participants.push_back(participant); });
    participant->SaveOperationState();
    participant->m_bEnlisted = TRUE;
}

void BTOperation::EnlistFile(BTPagedFile* file)
{
    if (!file || s_depth == 0)
        return;
    for (const FileState& state : s_files)
        if (state.file == file)
            return;
    FileState state{file, file->m_freeCount, file->m_freeHead, file->m_fileEnd, file->m_writeExtends};
    AfxTranslateBadAlloc([&] { s_files.push_back(state); });
}

BTOperation::PageImage* BTOperation::FindImage(BTPage* page)
{
    for (PageImage& image : s_pages)
        if (image.page == page)
            return &image;
    return nullptr;
}

void BTOperation::BeforeChange(BTPage* page)
{
    if (s_depth == 0 || page->m_bLogged || !page->m_pFile)
        return;
    EnlistFile(page->m_pFile);
    DWORD fileEnd = 0;
    for (const FileState& state : s_files)
        if (state.file == page->m_pFile)
            fileEnd = state.fileEnd;
    PageImage entry{page, page->m_bDirty, page->m_offset >= fileEnd, FALSE, s_images.size()};
    AfxTranslateBadAlloc([&] {
        s_pages.reserve(s_pages.size() + 1);
        if (!entry.appended)
            s_images.insert(s_images.end(), page->m_data, page->m_data + BTPage::size);
    });
    s_pages.push_back(entry);
    // Held until the operation ends: an evicted page could not be restored
    // without the disk.
    ++page->m_nRefs;
    page->m_bLogged = TRUE;
}

void BTOperation::PageWritten(BTPage* page)
{
    if (!page->m_bLogged)
        return;
    if (PageImage* image = FindImage(page))
        image->written = TRUE;
}

void BTOperation::Forget(Participant* participant)
{
    if (!participant->m_bEnlisted)
        return;
    s_participants.erase(std::remove(s_participants.begin(), s_participants.end(), participant),
                         s_participants.end());
    participant->m_bEnlisted = FALSE;
}

void BTOperation::RollBack()
{
    for (size_t i = s_pages.size(); i-- > 0;) {
        PageImage& entry = s_pages[i];
        BTPage* page = entry.page;
        page->m_bLogged = FALSE;
        if (entry.appended) {
            if (page->m_pFile)
                page->m_pFile->DropPage(page);
        } else {
            std::memcpy(page->m_data, &s_images[entry.image], BTPage::size);
            page->m_bDirty = entry.dirty || entry.written;
            page->m_pChecked = nullptr; // checked again when next used
        }
        Unhold(page);
    }
    for (const FileState& state : s_files) {
        BTPagedFile* file = state.file;
        file->m_freeCount = state.freeCount;
        file->m_freeHead = state.freeHead;
        // Slots appended by writes meanwhile lie past the old end: the end
        // then stays, and the space of the pages dropped is not used again.
        if (file->m_writeExtends == state.extends)
            file->m_fileEnd = state.fileEnd;
    }
    for (Participant* participant : s_participants) {
        participant->RestoreOperationState();
        participant->m_bEnlisted = FALSE;
    }
    s_pages.clear();
    ReleaseImages(s_images);
    s_files.clear();
    s_participants.clear();
    s_bDoomed = FALSE;
}

void BTOperation::Finish()
{
    for (PageImage& entry : s_pages) {
        entry.page->m_bLogged = FALSE;
        Unhold(entry.page);
    }
    for (Participant* participant : s_participants)
        participant->m_bEnlisted = FALSE;
    s_pages.clear();
    ReleaseImages(s_images);
    s_files.clear();
    s_participants.clear();
}
