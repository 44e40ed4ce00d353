// The workform table: every workform the program knows, process-wide, and the
// built-in "<Default>" workform that every lookup falls back to.
//
// IWorkformTable is the interface handed to the rest of the program (and to
// database converter plug-ins); its operations keep their order. No lookup
// fails: an ID or name that no workform has gives the built-in default (ID -1,
// name "<Default>", the 45 built-in field names), never nothing.
//
// Invariants of CWorkformTable: it owns its descriptors, in the order they
// were added; the built-in default is never in it, and neither is any other
// workform with ID -1 (0xFFFF), which would hide the default; IDs are
// compared as 16-bit values (an int ID is reduced to 16 bits first); names
// without regard to ASCII case.
#pragma once

#include "classlib/Array.h"
#include "database/text/WorkformInfo.h"

#include <bitset>

class CWorkformDoc;

class IWorkformTable
{
public:
    virtual int GetCount() const = 0;
    // The caller keeps the index in range (0 .. GetCount() - 1).
    virtual const IWorkformInfo& GetAt(int index) const = 0;
    virtual int16_t GetIdAt(int index) const = 0;
    virtual const char* GetNameAt(int index) const = 0;
    // Appends every name in table order; returns the table's count.
    virtual int GetNames(CStringArray& names) const = 0;
    virtual const IWorkformInfo& GetDefault() const = 0;
    virtual const IWorkformInfo& FindByName(const char* name) const = 0;
    virtual const IWorkformInfo& FindById(int id) const = 0;
    // "<Default>" for an ID that no workform has.
    virtual const char* GetName(int id) const = 0;
    // A workform letter ("A".."T", either case) gives its ID 0..19; anything
    // else the ID of FindByName (-1 for a name that no workform has).
    virtual int16_t GetIdFromText(const char* text) const = 0;
    // "---" for a field the workform does not use.
    virtual const char* GetFieldName(int id, int n) const = 0;
    virtual BOOL IsFieldUsed(int id, int n) const = 0;
    virtual BOOL IsWorkformLetter(const char* text) const = 0;

protected:
    ~IWorkformTable() = default;
};

class CWorkformTable : public IWorkformTable
{
public:
    CWorkformTable();
    ~CWorkformTable();
    CWorkformTable(const CWorkformTable&) = delete;
    CWorkformTable& operator=(const CWorkformTable&) = delete;

    int GetCount() const override;
    const IWorkformInfo& GetAt(int index) const override;
    int16_t GetIdAt(int index) const override;
    const char* GetNameAt(int index) const override;
    int GetNames(CStringArray& names) const override;
    const IWorkformInfo& GetDefault() const override;
    const IWorkformInfo& FindByName(const char* name) const override;
    const IWorkformInfo& FindById(int id) const override;
    const char* GetName(int id) const override;
    int16_t GetIdFromText(const char* text) const override;
    const char* GetFieldName(int id, int n) const override;
    BOOL IsFieldUsed(int id, int n) const override;
    BOOL IsWorkformLetter(const char* text) const override;

    // Adds a descriptor of the document at the end unless a workform with its
    // ID is known already (or its ID is -1).
    void AddFromDocument(const CWorkformDoc& doc);
    // Replaces the first workform with the document's ID by a descriptor of
    // the document, in the same place; adds it at the end when there is none.
    // A document with ID -1 changes nothing.
    void UpdateFromDocument(const CWorkformDoc& doc);
    // TRUE when a workform of the table has this ID.
    BOOL Exists(int id) const;
    // A random ID for a new workform that is neither in the table, nor handed
    // out before by this table (two new workforms never share one, even before
    // either is saved), nor a built-in or standard ID (0..25, 17762, 21426),
    // nor -1. Raises CNotSupportedException when no such ID is left.
    int16_t NewWorkformId();
    // Deletes every descriptor (at exit; tests start afresh with it).
    void RemoveAll();

private:
    const CWorkformInfo* At(int index) const;
    int IndexOfId(int id) const;
    static bool IsReservedId(int id);
    int DrawRandom();

    CObArray m_workforms; // of owned CWorkformInfo*
    std::bitset<0x8000> m_issued;
    uint32_t m_randomState;
    bool m_seeded;
};

// The process-wide table, made on first use and emptied at exit.
CWorkformTable& GetWorkformTable();
