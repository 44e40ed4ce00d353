// A workform: one record type ("Journal, Article", "Book, Entire" ...) with a
// name, a 16-bit ID and, for each of the 45 record fields, the name the field
// bears in records of that type, or "---" when the type does not use it.
//
// IWorkformInfo is the interface every part of the program reads workforms
// through; CWorkformInfo is the descriptor the workform table holds.
//
// Invariants of CWorkformInfo: the name is at most 31 characters; there are
// always exactly 45 field names; a field is used exactly when its name is not
// "---" (byte compare), so an empty name counts as used.
//
// Archive form (Serialize), little-endian; the path is not stored:
//   i16  ID
//   u16  n = name length + 1 (at most 32), then the n bytes of the name with its NUL
//   u16  m = size of the field-name block, then the m bytes: the 45 names in
//        field order, each followed by a NUL, and nothing after the 45th
// Loading refuses (CArchiveException endOfFile, the descriptor unchanged) a
// name size above 32, a short read, and a block that is not exactly 45
// terminated names. Storing refuses (CArchiveException generic, nothing
// written) names that add up to 65,536 bytes or more.
#pragma once

#include "classlib/CString.h"
#include "classlib/Object.h"
#include "database/db/FieldSet.h"

#include <cstdint>

class CWorkformDoc;

enum
{
    kWorkformFields = 45,
    kWorkformNameSize = 32,  // NUL included
    kDefaultWorkformId = -1, // the built-in "<Default>" workform
};

// The name of a field that a workform does not use.
extern const char kUnusedFieldName[]; // "---"
// The name of the built-in default workform.
extern const char kDefaultWorkformName[]; // "<Default>"

// The built-in name of field n (1..45): the names of "<Default>" and of a new workform.
const char* GetBuiltInFieldName(int n);

class IWorkformInfo;
// The line that field lists and field combo boxes show for field n:
// "(%02d) %s" of n and the field's name, so an unused field reads "(07) ---".
CString FormatFieldListLine(const IWorkformInfo& workform, int n);

class IWorkformInfo : public CObject
{
    DECLARE_DYNAMIC(IWorkformInfo)
public:
    // Field n's stored name, n from 1 to 45 (the caller keeps n in range).
    virtual const char* GetFieldName(int n) const = 0;
    virtual const char* GetName() const = 0;
    virtual int16_t GetId() const = 0;
    virtual BOOL IsFieldUsed(int n) const = 0;
    // The used field numbers ascending, then a 0 byte (at most 46 bytes).
    virtual BYTE* GetUsedFields(BYTE* buffer) const = 0;
    // Bit n set for each used field n; returns `out`.
    virtual FieldSet& GetFieldSet(FieldSet& out) const = 0;
    virtual const CString& GetPathName() const = 0;
};

class CWorkformInfo : public IWorkformInfo
{
    DECLARE_SERIAL(CWorkformInfo)
public:
    // No name, ID -1, the built-in field names, no path (what loading fills).
    CWorkformInfo();
    // From plain names (NULL or empty stored as "---"); a longer name is cut to 31 characters.
    CWorkformInfo(const char* name, int16_t id, const char* const fieldNames[kWorkformFields],
                  const char* path);
    // From a workform document: its title (cut to 31 characters), ID, file path, and for each
    // field its name when its bit is set in the document's field set, else "---".
    explicit CWorkformInfo(const CWorkformDoc& doc);

    const char* GetFieldName(int n) const override { return m_fieldNames[n - 1]; }
    const char* GetName() const override { return m_name; }
    int16_t GetId() const override { return m_id; }
    BOOL IsFieldUsed(int n) const override;
    BYTE* GetUsedFields(BYTE* buffer) const override;
    FieldSet& GetFieldSet(FieldSet& out) const override;
    const CString& GetPathName() const override { return m_path; }

    void Serialize(CArchive& ar) override;

private:
    void SetName(const char* name);

    char m_name[kWorkformNameSize];
    int16_t m_id;
    CString m_fieldNames[kWorkformFields];
    CString m_path;
};
