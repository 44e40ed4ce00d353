// The common document header that starts every document file of the program.
//
// Stored layout (little-endian), written through a CArchive at offset 0:
//   0   u32  magic 1, 0x005CF4B4
//   4   u32  magic 2, 0x009AC10C
//   8   u16  code A
//   10  u16  code B
//   12  u16  document type
//   14  u16  version
//   16  archive string  title
//   ..  archive string  comments
// What follows the comments belongs to the document kind.
#pragma once

#include "classlib/Types.h"

class CArchive;
class CString;

struct DocHeaderStart
{
    enum : DWORD
    {
        magic1 = 0x005CF4B4,
        magic2 = 0x009AC10C,
    };

    WORD codeA = 0;
    WORD codeB = 0;
    WORD type = 0;
    WORD version = 0;

    // Writes both magics and the four codes.
    void Store(CArchive& ar) const;
    // Reads both magics and the four codes; FALSE when a magic is wrong (the
    // codes are then not read). A short file raises the archive's end of file.
    BOOL Load(CArchive& ar);
};

// Writes the whole header.
void StoreDocumentHeader(CArchive& ar, WORD codeA, WORD codeB, WORD type, WORD version, const CString& title,
                         const CString& comments);

// Reads the whole header as a document does (CFileBasedDocument::Serialize):
// a wrong magic or code raises the archive exception bad schema; then
// headerType and headerVersion take the stored type and version, and a type
// other than `type` or a version above maxVersion raises the archive
// exception end of file (the file is refused, the values stay); a header cut
// short raises end of file from the archive. Title and comments are read only
// when accepted.
void LoadDocumentHeader(CArchive& ar, WORD codeA, WORD codeB, WORD type, WORD maxVersion, WORD& headerType,
                        WORD& headerVersion, CString& title, CString& comments);

// A document template's test: both magics right, the type equal and the
// version not above maxVersion; the codes are not compared. A file too short
// for the header is not accepted; nothing is thrown for it.
BOOL CheckDocumentHeader(CArchive& ar, WORD type, WORD maxVersion);

// Document types and current versions of the document kinds.
enum DocumentType : WORD
{
    docTypeDatabase = 0x8002,
    docTypeKeyFile = 0x8003,
    docTypeWorkform = 0x8004,
    docTypeOutputStyle = 0x8005,
    docTypeTermList = 0x8006,
    docTypeJournalList = 0x8007,
    docTypeSiblingStyle = 0xC005,
};

enum DocumentVersion : WORD
{
    docVersionDatabase = 1030,
    docVersionKeyFile = 1047,
    docVersionWorkform = 0x0300,
    docVersionOutputStyle = 0x0500,
    docVersionTermList = 0x0301,
    docVersionJournalList = 0x0301,
    docVersionSiblingStyle = 5,
};
