// Taking Windows paths apart and putting them together.
//
// Paths are the platform's paths (at most 260 characters) held as CStrings; extensions are compared
// without regard to case. These functions only touch the file system where their names say so
// (module and program directories); they raise only the class library's memory exception.
#pragma once

#include "classlib/CString.h"
#include "classlib/Types.h"

// The file name of the path; its extension is kept unless it equals `extension` (case-insensitive).
// With an empty `extension` a name keeps its dotted part; with ".frm" "x.FRM" gives "x".
CString GetFileTitleWithoutExt(const char* path, const char* extension);
// The extension with its dot, or empty.
CString GetFileExtension(const char* path);
// Drive and directory without the trailing backslash: "C:\Data\x.ldt" -> "C:\Data", "C:\x.ldt" -> "C:".
CString GetFileFolder(const char* path);
// Drive and directory with the trailing backslash: "C:\Data\x.ldt" -> "C:\Data\".
CString GetFileDirectory(const char* path);
// Name (extension kept) of the folder that holds the file: "C:\Data\x.ldt" -> "Data".
CString GetContainingFolderName(const char* path);
// Drive, directory and name of the path followed by `extension`.
CString ReplaceExtension(const char* path, const char* extension);
// The path a rename to `newName` gives: drive and directory of the old path, then the new name when its
// extension equals the old one (case-insensitive), else the whole new name followed by the old extension.
CString MakeRenamedPath(const char* oldPath, const char* newName);
// The same operation under the name the database documents use.
inline CString BuildRenamedPath(const char* oldPath, const char* newName)
{
    return MakeRenamedPath(oldPath, newName);
}
// `directory`, a backslash unless it is empty or already ends with one, then `name`.
CString JoinPath(const char* directory, const char* name);
CString ToCString(const char* text);

#ifdef _WIN32
// Drive and directory of the module's file, with the trailing backslash.
CString GetModuleDirectory(HINSTANCE module);
// `name` unchanged when it has a drive; else the module's directory followed by `name`.
CString GetModuleFilePath(HINSTANCE module, const char* name);
#endif
// Drive and directory of the running program, with the trailing backslash.
CString GetProgramDirectory();
// `name` unchanged when it has a drive; else the program directory followed by `name`.
CString GetProgramFilePath(const char* name);

// Where a saved-search file lives: in the "Expressions File Path" folder when that setting is set, else
// beside the program. With the empty name it gives the folder itself.
CString GetExpressionsFilePath(const char* fileName);
// The folder as the setting stores it: empty when it is the program directory (without its trailing
// backslash, case-insensitive), so the program directory is used even after the program moves.
CString NormaliseExpressionsPath(const char* directory);
