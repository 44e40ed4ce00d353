// The journal list an output style names: how its path is written into the
// style file and found again when the style is opened on another machine or
// after the list moved.
//
// The journal-list folders come from the shell's per-file-type folder
// settings, which install their source here (SetJournalListFolderSource);
// without one no folder is searched.
#pragma once

#include "classlib/CString.h"

// The name a style file stores for a journal list path: empty for an empty
// path, else the file name without its folder and without the extension
// ".ljl" (compared without regard to case); another extension is kept.
CString MakeStoredJournalListName(const char* path);

// The path a stored name stands for:
// 1. a file of exactly that name exists: the name itself;
// 2. else the wanted title: the name's file title without ".ljl", cut after
//    its last '\' and then its last ':', without a trailing ".lst";
// 3. the journal lists (".ljl") of `folders` (";"-separated, searched with
//    their subfolders) are compared by title, without regard to case: an
//    equal title wins at once; "Medical" and "Medical - Full" stand in for
//    each other when nothing equal is found (the first such file met);
// 4. nothing found: the stored name unchanged.
CString ResolveJournalListPath(const char* name, const char* folders);

// The journal-list folders as one ";"-separated text.
typedef CString (*JournalListFolderSource)();
// Returns the previous source; NULL means no folders.
JournalListFolderSource SetJournalListFolderSource(JournalListFolderSource source);
CString GetJournalListFolders();
