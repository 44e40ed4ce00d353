// Where a Windows path lives on the machine that runs the program.
//
// Paths are Windows paths everywhere in the program ("C:\Data\x.ldt"). The Windows build hands them to the
// system unchanged. The native build maps them onto the POSIX file system with one simple rule:
//   - backslashes become slashes;
//   - a drive prefix "X:" (any letter) stands for the root, so "C:\tmp\a.ldt" is "/tmp/a.ldt";
//   - a path without a drive stays relative (to the current directory).
// The reverse mapping turns an absolute native path into drive C: ("/tmp/a" -> "C:\tmp\a").
#pragma once

#include <string>

namespace NativePath {

// The path the operating system is to be given for a program path (the class library's AfxNativePath).
std::string ToSystem(const char* path);
// The program's form of a path the operating system gave.
std::string FromSystem(const char* systemPath);

} // namespace NativePath
