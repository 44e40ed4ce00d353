// Helpers of the output style tests: building expected stored bytes, storing
// and loading objects through archives, and a document that only carries a
// style version for format blocks to read by.
#pragma once

#include "classlib/Archive.h"
#include "classlib/MemFile.h"
#include "database/file/FileBasedDocument.h"
#include "database/text/StyledString.h"

#include <cstring>
#include <string>
#include <vector>

typedef std::vector<BYTE> Bytes;

// Stored bytes, written out by hand as a layout gives them.
class ByteWriter
{
public:
    ByteWriter& Byte(int b)
    {
        bytes.push_back(static_cast<BYTE>(b));
        return *this;
    }
    ByteWriter& U16(int w)
    {
        Byte(w & 0xFF);
        return Byte((w >> 8) & 0xFF);
    }
    ByteWriter& U32(DWORD d)
    {
        U16(d & 0xFFFF);
        return U16(d >> 16);
    }
    // An archive string shorter than 255 bytes.
    ByteWriter& String(const std::string& s)
    {
        Byte(static_cast<int>(s.size()));
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    // A styled string of plain text: one plain run (short form), none when empty.
    ByteWriter& Text(const std::string& s)
    {
        String(s);
        if (s.empty())
            return Byte(1).U16(0);
        return Byte(0).U16(static_cast<int>(s.size()));
    }
    ByteWriter& Append(const Bytes& more)
    {
        bytes.insert(bytes.end(), more.begin(), more.end());
        return *this;
    }

    Bytes bytes;
};

// A file-based document that only answers the header it read: a style's
// type and the given version; with no version, no header at all.
class VersionedDocument : public CFileBasedDocument
{
public:
    VersionedDocument() = default;
    explicit VersionedDocument(WORD version)
    {
        m_headerType = 0x8005;
        m_headerVersion = version;
    }
    CPFile* GetFileObject() override { return &m_file; }
    WORD GetDocumentType() override { return 0x8005; }
    WORD GetDocumentVersion() override { return 0x0500; }
    WORD GetHeaderCodeA() override { return 0xFFFF; }
    WORD GetHeaderCodeB() override { return 0xFFFF; }

private:
    CPFile m_file;
};

inline Bytes ReadAll(CFile& file)
{
    Bytes bytes(file.GetLength());
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// What obj.Serialize writes; doc (may be null) is the archive's document.
template <class T> Bytes StoreBytes(T& obj, CDocument* doc = nullptr)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = doc;
    obj.Serialize(ar);
    ar.Close();
    return ReadAll(file);
}

// Reads obj from bytes; returns how many bytes were left unread.
template <class T> size_t LoadBytes(T& obj, const Bytes& bytes, CDocument* doc = nullptr)
{
    CMemFile file;
    if (!bytes.empty())
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = doc;
    obj.Serialize(ar);
    BYTE rest[64];
    size_t left = 0;
    UINT n;
    while ((n = ar.Read(rest, sizeof rest)) > 0)
        left += n;
    ar.Close();
    return left;
}

inline StyledString BoldText(const char* text, const char* font = "Arial")
{
    StyledString s;
    s.AppendStyled(text, static_cast<int>(strlen(text)), StyleRun(kStyleBold, 12, font, 0));
    return s;
}
