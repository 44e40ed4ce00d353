#include "formatting/style/JournalListPath.h"

#include "app/core/FolderWalk.h"
#include "app/core/Paths.h"
#include "classlib/File.h"

namespace {
const char kJournalListExtension[] = ".ljl";
const char kOldListExtension[] = ".lst";
const char kMedical[] = "Medical";
const char kMedicalFull[] = "Medical - Full";

JournalListFolderSource g_folderSource = nullptr;

CString AfterLast(const CString& text, char mark)
{
    const int at = text.ReverseFind(mark);
    return at < 0 ? text : text.Mid(at + 1);
}

CString WantedTitle(const char* name)
{
    CString title = GetFileTitleWithoutExt(name, kJournalListExtension);
    title = AfterLast(AfterLast(title, '\\'), ':');
    const int extLength = static_cast<int>(sizeof kOldListExtension) - 1;
    if (title.GetLength() >= extLength && title.Right(extLength).CompareNoCase(kOldListExtension) == 0)
        title = title.Left(title.GetLength() - extLength);
    return title;
}

struct JournalListSearch
{
    CString wanted;
    CString match;
    CString fallback;
};

// The walk's callback: an equal title ends the walk; the other "Medical"
// list is remembered while no fallback is known.
int MatchJournalListFile(const char* path, void* context)
{
    JournalListSearch& search = *static_cast<JournalListSearch*>(context);
    const CString title = GetFileTitleWithoutExt(path, kJournalListExtension);
    if (title.CompareNoCase(search.wanted) == 0) {
        search.match = path;
        return 0;
    }
    if (search.fallback.IsEmpty()) {
        const bool standsIn =
            (search.wanted.CompareNoCase(kMedicalFull) == 0 && title.CompareNoCase(kMedical) == 0) ||
            (search.wanted.CompareNoCase(kMedical) == 0 && title.CompareNoCase(kMedicalFull) == 0);
        if (standsIn)
            search.fallback = path;
    }
    return 1;
}
} // namespace

CString MakeStoredJournalListName(const char* path)
{
    if (path == nullptr || *path == '\0')
        return CString();
    return GetFileTitleWithoutExt(path, kJournalListExtension);
}

CString ResolveJournalListPath(const char* name, const char* folders)
{
    CFileStatus status;
    if (name == nullptr || *name == '\0' || CFile::GetStatus(name, status))
        return CString(name);
    JournalListSearch search;
    search.wanted = WantedTitle(name);
    if (folders != nullptr && *folders != '\0')
        ForEachFileInFolders(folders, kJournalListExtension, MatchJournalListFile, &search);
    if (!search.match.IsEmpty())
        return search.match;
    if (!search.fallback.IsEmpty())
        return search.fallback;
    return CString(name);
}

JournalListFolderSource SetJournalListFolderSource(JournalListFolderSource source)
{
    JournalListFolderSource previous = g_folderSource;
    g_folderSource = source;
    return previous;
}

CString GetJournalListFolders()
{
    return g_folderSource != nullptr ? g_folderSource() : CString();
}
