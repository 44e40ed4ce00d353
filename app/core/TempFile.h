// Temporary files.
#pragma once

#include "classlib/CString.h"
#include "classlib/File.h"

// A new, unique file name in the system's temporary folder, prefix "lv"; the (empty) file is created, so
// the name stays taken. The native build uses $TMPDIR (else /tmp) and gives the name as a drive-C path.
// Throws the class library's file exception when no name can be made.
CString MakeTempFileName();

// A temporary file owned by its object: made by Open (a new name, created, read-write, exclusive), deleted
// from disk when the object goes. Closed until opened; the calls on a closed one do nothing.
class CTempFile
{
public:
    CTempFile() : m_bOpen(FALSE) {}
    // Closes and deletes an open file; errors are swallowed.
    ~CTempFile();
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;

    // FALSE, after reporting the file exception to the user, when no file can be made.
    BOOL Open();
    BOOL IsOpen() const { return m_bOpen; }
    CString GetPath() const { return m_bOpen ? m_file.GetFilePath() : CString(); }
    void Truncate();
    void Append(const void* pBytes, UINT nLength);
    void AppendText(const char* pszText);
    // Flushes; the file object, positioned wherever the last call left it.
    CFile& Flush();

private:
    CFile m_file;
    BOOL m_bOpen;
};
