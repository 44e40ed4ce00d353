// CDelimitedImporter: reads a delimited text file into an open database.
//
// First any "<Workform Definition>" lines at the head of the file: a
// workform that the table does not know under the written name, nor under its
// standard name without the comma, is created as a workform file in the
// workform folder under a free 8.3 name (and so enters the table). Then one
// record per line, read quoted (delimit flag) or plain: the workform
// indicator and record ID first when the format says so, then the fields.
// The records read become the document's marked set, the database is flushed,
// the views get hint 0x8000 and a summary (4124) or "no records" (4125)
// follows.
//
// A workform indicator is a letter A..T, a workform name (as written, else
// through the standard-name map), or a user-defined letter U..Z, whose
// workform the chooser is asked for once per letter. A record ID column holds
// the record's ID text (1 to 20 characters, kept as written); an empty one
// keeps the new record's own ID. Field text is stored as its bytes in one run
// with the import's character set.
//
// Failures: each "Import stopped." message (4117-4123) ends the import; the
// records stored before it stay and are marked, and the summary follows only
// when some were imported. Cancel in the chooser, a failed record save and a
// missing new record end it the same way without a message of their own.
// File exceptions end it the same way and then reach the caller. Stop in the
// progress dialog ends the record loop; what was stored stays.
//
// One importer serves one import.
#pragma once

#include "classlib/Types.h"

#include <cstdint>
#include <string>
#include <vector>

class CDelimitedFormat;
class CFile;
class CFileByteReader;
class DBDocument;
class DBRecordSet;
class FieldSet;
class IWorkformLetterChooser;

class CDelimitedImporter
{
public:
    enum : UINT
    {
        IDP_BAD_DEFINITION = 4117,
        IDP_CANNOT_PROCESS = 4118,
        IDP_FILE_ENDED = 4119,
        IDP_TOO_MANY_FIELDS = 4120,
        IDP_TOO_FEW_FIELDS = 4121,
        IDP_BAD_RECORD_ID = 4122,
        IDP_BAD_WORKFORM = 4123,
        IDP_IMPORTED = 4124,
        IDP_NO_RECORDS = 4125,
        IDS_IMPORTING = 5200,
    };
    enum
    {
        kMaxFields = 45,
        kMaxWorkformName = 31,
    };

    // NULL: the installed chooser (GetWorkformLetterChooser).
    explicit CDelimitedImporter(IWorkformLetterChooser* chooser = nullptr);
    ~CDelimitedImporter();
    CDelimitedImporter(const CDelimitedImporter&) = delete;
    CDelimitedImporter& operator=(const CDelimitedImporter&) = delete;

    // Reads from the file's current position to its end. The replacement
    // character is not used.
    void Import(DBDocument& document, CFile& file, BYTE separator, BYTE terminator, BYTE delimiter,
                BYTE replacement, BOOL delimit, BOOL recordIds, BOOL allFields, BOOL workformIndicators,
                BYTE charSet);

    int GetImportedCount() const { return m_imported; }
    int GetDuplicateCount() const { return m_duplicates; }
    // The message that stopped the import; 0 when none did.
    UINT GetStopMessage() const { return m_stopMessage; }

private:
    struct Span
    {
        DWORD start = 0;
        DWORD end = 0;
        bool IsEmpty() const { return end <= start; }
    };
    // One record's items, reused for every record.
    struct RecordSpanBuffer
    {
        int count = 0;
        bool hasWorkform = false;
        bool hasRecordId = false;
        Span workform;
        Span recordId;
        Span fields[kMaxFields];
        // The record's workform once looked up: -2 not yet, -1 none named.
        int workformId = -2;
        int expected = -1; // -1 until settled
    };
    struct Definition
    {
        std::string name;
        std::vector<std::string> fieldNames;
    };
    struct Stop
    {
        UINT message;
    };

    bool ReadWorkformDefinition(Definition& definition);
    void CreateWorkform(const Definition& definition);
    bool ParsePlainRecord();
    bool ParseQuotedRecord();
    bool EndOfFileRecord();
    void AddItem(DWORD start, DWORD end);
    void SettleExpected();
    void CheckRecordEnd(int allowance);
    int ParseWorkformField();
    int32_t StoreRecord();
    void Finish(const char* fileName, bool stopped);

    std::string SpanText(const Span& span);

    IWorkformLetterChooser* m_chooser;
    int16_t m_letterIds[6];
    bool m_letterAsked[6];

    DBDocument* m_document;
    CFileByteReader* m_reader;
    DWORD m_position;
    DWORD m_length;
    BYTE m_separator;
    BYTE m_terminator;
    BYTE m_delimiter;
    BOOL m_recordIds;
    BOOL m_allFields;
    BOOL m_workformIndicators;
    BYTE m_charSet;
    RecordSpanBuffer m_spans;
    DBRecordSet* m_importedSet;
    int m_imported;
    int m_duplicates;
    UINT m_stopMessage;
};

// The fields that the built-in workform of a letter (ID 0 to 25) uses.
const FieldSet& GetBuiltInWorkformFieldSet(int id);

// The import a database document runs for a delimited text file: the
// importer over the open file with the format's values and character set.
void RunDelimitedImport(DBDocument& document, CFile& file, const CDelimitedFormat& format, int charSet);

// Makes RunDelimitedImport the importer of the database documents
// (DBDocument::ImportDelimitedFile); the application does it at start-up.
void InstallDelimitedImport();
