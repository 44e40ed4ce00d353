// DBRecord: one reference of a database in memory: 45 styled fields, a record
// ID, a workform, two time stamps and the number it is stored under.
//
// It is a document of the class library so that a record being edited has its
// own frames and views and takes part in save-on-close; records that are only
// read (searching, sorting, formatting, batch edits) are plain objects of the
// same class. Serialize is the record stream stored in the database.
//
// Field addressing: field 0 is the record ID, 1..45 the fields. The role codes
// stand for the first non-empty field of a list (else its first field); the
// lists of GetField and ResolveFieldRole differ:
//   code  role             GetField                     ResolveFieldRole
//   255   author           1, 7, 16, 30                 1, 7
//   254   title            4, 9, 11, 32                 4, 9, 10, 11
//   253   date             12, 20, 21                   20, 21
//   250   author or title  1, 4, 7, 9, 11, 16, 30, 32   1, 4, 7, 9, 10, 11
// A field is empty when its text has length 0.
//
// Record stream (Serialize), little-endian:
//   u16  marker 0x8888
//   u16  stream version, 2 when written
//   u32  created, u32 modified (seconds since 1970)
//   u16  workform ID
//   u32  record ID number
//   for each non-empty field 1..45 in order: u8 field number - 1 (0..44),
//        then the field in the styled-string archive form
//   u8   255, end of the fields
//   the record ID in the styled-string archive form
// Reading also takes version 1 (no record ID at the end: its text becomes
// the decimal ID number) and the form without marker (the first u16 is the
// workform ID; no time stamps, which keep their values; no record ID as in
// version 1). A record object read again never keeps fields of the record
// read before (nor, after a failed read, any field). A field byte from 45 to
// 254 raises CArchiveException badIndex.
//
// Lifetime: userCount counts outside holders (AddRef/Release, DBRecordRef); a
// record with holders stays in memory when its frames close, and the last
// Release of a record without views closes it (deleting it when auto-delete is
// set).
#pragma once

#include "classlib/ClassLibIds.h"
#include "classlib/Document.h"
#include "database/text/StyledString.h"

#include <cstdint>

class CException;
class FieldSet;
class IDBDocument;
class IWorkformInfo;

class DBRecord : public CDocument
{
    DECLARE_DYNCREATE(DBRecord)

public:
    enum
    {
        kFieldCount = 45,
        kRecordIdField = 0,
        kStreamMarker = 0x8888,
        kStreamVersion = 2,
        kEndOfFields = 255,
    };
    // Role codes (as signed bytes -1, -2, -3, -6).
    enum : BYTE
    {
        kRoleAuthor = 255,
        kRoleTitle = 254,
        kRoleDate = 253,
        kRoleAuthorOrTitle = 250,
    };
    // SaveRecord flags.
    enum : UINT
    {
        kSaveDropDuplicate = 1, // a duplicate is not saved (and that counts as success)
        kSaveAskDuplicate = 2,  // a new record that is a duplicate is saved only when the user says so
    };
    // Commands the record handles besides the class library's ID_FILE_CLOSE
    // and ID_FILE_SAVE.
    enum : UINT
    {
        ID_SAVE_RECORD = 33913,
        ID_CHOOSE_GROUPS = 34056,
    };
    // Messages.
    enum : UINT
    {
        IDP_SAVE_RECORD_CHANGES = 4096,
        IDP_CONFIRM_DUPLICATE = 4136,
        IDP_RECORD_DELETED = 4137,
        IDP_INVALID_RECORD_ID = 4140,
    };

    DBRecord();
    ~DBRecord() override;

    IDBDocument* GetDatabase() const { return m_database; }
    void SetDatabase(IDBDocument* database) { m_database = database; }

    uint32_t GetCreated() const { return m_created; }
    uint32_t GetModified() const { return m_modified; }

    int32_t GetRecordNumber() const { return m_recordNumber; }
    // For the database's record storage only.
    int32_t SetRecordNumber(int32_t number);
    int16_t GetWorkformId() const { return m_workformId; }
    // Marks the record modified.
    void SetWorkformId(int16_t id);
    int32_t GetRecordIdNumber() const { return m_recordIdNumber; }
    // Also sets the record ID text to the decimal number in one plain run; marks modified.
    void SetRecordIdNumber(int32_t number);
    const CString& GetRecordIdText() const { return m_recordId.text; }
    // Sets the text in one plain run and the number to its value (returned); marks modified.
    int32_t SetRecordIdText(const char* text);

    // Field 0..45, or the field a role code stands for. Other arguments give
    // an empty string that belongs to no field.
    StyledString& GetField(BYTE n);
    const StyledString& GetField(BYTE n) const;
    // The field number a role code stands for; any other code unchanged.
    BYTE ResolveFieldRole(BYTE code) const;
    // Copies text and runs into field n taken literally (0 = record ID, 1..45;
    // role codes are not resolved, other numbers change nothing); marks
    // modified. The record ID's number is not recomputed.
    void SetField(const StyledString& value, BYTE n);
    // TRUE when all 45 fields are empty (the record ID is not looked at).
    BOOL IsEmpty() const;
    // Sum of the text lengths of the 45 fields.
    uint32_t GetTextLength() const;

    BOOL GetAddToMarked() const { return m_addToMarked; }
    void SetAddToMarked(BOOL add) { m_addToMarked = add; }
    int32_t GetUserCount() const { return m_userCount; }

    // A new record of the owning database: the default workform, the next
    // record ID, bumped past the IDs of the other open records of its
    // template. FALSE when the new-document step fails.
    virtual BOOL InitNewRecord();
    // Makes this the in-memory copy of stored record `number`; FALSE (reported,
    // the record left empty) when it is not stored or cannot be read.
    virtual BOOL LoadRecord(int32_t number);
    // Saves a new record (number -1) or the stored one; see kSave* flags.
    // FALSE (reported) on failure.
    virtual BOOL SaveRecord(int32_t number, UINT flags);
    // Stores the record under `number` as it is (time stamps untouched), for
    // conversions that keep record numbers. FALSE (reported) on failure.
    virtual BOOL WriteRecordAt(int32_t number);
    // Reports a failed load or save (nothing for a user exception).
    virtual void ReportFileError(int32_t number, CException* e, BOOL saving, UINT defaultPrompt);
    // TRUE when not modified; else (asking first when `ask`) saves, flushes
    // and tells the database's views. FALSE on cancel or failure.
    virtual BOOL PromptAndSave(BOOL ask);
    // Data exchange of every view, then ValidateRecordId.
    virtual BOOL UpdateFromViews(BOOL save);
    // TRUE without views or with a valid record ID; otherwise message 4140.
    virtual BOOL ValidateRecordId();
    // 1 to 20 characters.
    virtual BOOL IsValidRecordId(const char* text);
    virtual void AddRef();
    virtual void Release();

    // The save command: saves, then flushes and tells the database's views
    // whatever the save gave.
    void OnSaveRecordCommand();

    void Serialize(CArchive& ar) override;
    // Loads the record stream as Serialize does, but decodes only the fields
    // in `wanted` (1 to 45, and 0 for the record ID text): the others are
    // read past or not read at all, and left empty. Time stamps, workform and
    // the record ID's number are always read.
    void LoadFields(CArchive& ar, const FieldSet& wanted);
    void DeleteContents() override;
    void OnCloseDocument() override;
    BOOL SaveModified() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;

    // The prompt ReportFileError shows for an exception: 0 for a user exception.
    static UINT GetFileErrorPrompt(CException* e, BOOL saving, UINT defaultPrompt);

protected:
    // Data exchange of one view; the window half overrides it.
    virtual BOOL UpdateViewData(CView* pView, BOOL save);

private:
    StyledString* FieldAt(BYTE n);
    // The field n stands for (roles resolved); NULL for numbers it does not know.
    const StyledString* Find(BYTE n) const;
    const StyledString* FirstFilled(const BYTE* fields, int count) const;
    void CheckFreeSpace();
    UINT DuplicateFlags() const;
    void Load(CArchive& ar, const FieldSet* wanted);
    BOOL ReadFields(CArchive& ar, const FieldSet* wanted);
    static void EmptyField(StyledString& field);
    void WriteFields(CArchive& ar) const;
    static uint32_t Now();

    IDBDocument* m_database;
    uint32_t m_created;
    uint32_t m_modified;
    int32_t m_recordNumber;
    int16_t m_workformId;
    int32_t m_recordIdNumber;
    StyledString m_recordId;
    StyledString m_fields[kFieldCount];
    int32_t m_userCount;
    BOOL m_addToMarked;
    StyledString m_noField; // what GetField gives to write for numbers it does not know
};
