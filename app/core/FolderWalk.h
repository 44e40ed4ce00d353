// Finding files of given extensions in folders.
//
// Folder and extension lists are single texts with ";" between the items; an extension is given with its
// dot (".LOS") and matched without regard to case. A folder that cannot be listed contributes nothing.
#pragma once

#include "classlib/CString.h"
#include "classlib/Collections.h"

// Answers nonzero to go on with the walk, 0 to end it.
typedef int (*FolderWalkCallback)(const char* fullPath, void* context);

// Walks every folder of `folders` and, recursively, their subfolders, in the platform's enumeration order
// (a subfolder is walked when it is met); every file whose extension equals one of `extensions` is passed
// to `callback` (once per equal entry of the list). The whole walk ends as soon as the callback answers 0.
// Returns FALSE when the callback ended the walk.
BOOL ForEachFileInFolders(const char* folders, const char* extensions, FolderWalkCallback callback,
                          void* context);

// For each extension of `extensions` in order, appends the full path of every file directly in `folder`
// (not its subfolders) whose name ends in that extension.
void ScanFolderForExtensions(const char* folder, const char* extensions, CStringArray& paths);
