// CDelimitedExportWriter: writes records of a database as lines of delimited
// text, optionally after one "<Workform Definition>" line per workform of the
// process-wide table.
//
// A record line holds, in this order and as the options say: the workform
// indicator (letter "A" + ID for IDs 0..19, else the workform's name, a
// standard name written with its comma), the record ID text, then the fields
// (all 45, or those the record's workform uses), each between delimiters when
// delimiting, joined by the separator and ended by the terminator (CR becomes
// CR LF). A field left out by the selected-fields option keeps its column.
//
// Values are the stored bytes with the style runs dropped. While delimiting, a
// delimiter inside a value becomes the replacement character (none when it is
// 0). Without delimiting, a separator, terminator, CR or LF inside a value is
// written as one blank, so that every record stays one line with its columns.
// Definition lines are fixed: commas, double quotes, names as stored, CR LF.
//
// Lines are kept in a buffer and reach the file at the end of the run (and
// whenever the buffer grows large); the caller owns, opens and closes the file.
// An exception while writing the definitions leaves Run to the caller; one
// while a record is written is reported by the batch and the run goes on.
#pragma once

#include "dbwindows/core/RecordBatchOperation.h"

#include "database/db/FieldSet.h"

#include <string>

class CDelimitedFormat;
class CFile;
class DelimitedExportOptions;

class CDelimitedExportWriter : public RecordBatchOperation
{
public:
    enum : UINT
    {
        IDS_EXPORTING = 5178, // "Exporting Marked Records..."
    };

    CDelimitedExportWriter(DBDocument& document, CFile& file, const DBRecordSet& records);

    void SetOptions(BYTE separator, BYTE terminator, BYTE delimiter, BYTE replacement, BOOL delimit,
                    BOOL recordIds, BOOL allFields, BOOL workformIndicators, BOOL exportDefinitions,
                    BOOL selectedFieldsOnly, const FieldSet& fields);
    // The same from a format and the export options.
    void SetOptions(const CDelimitedFormat& format, const DelimitedExportOptions& options);

    // Definitions (when asked for), then every record in ascending record
    // number under a progress dialog, as the batch walks them (the set's
    // count at the start, Stop, a record that cannot be read ends the run, an
    // exception while writing one is reported); TRUE when every record was
    // written. A record open in a window is written as that window holds it.
    BOOL Run();

    // One record's line as Run writes it.
    void FormatRecord(const DBRecord& record, std::string& out) const;
    // Every definition line as Run writes it.
    static void FormatDefinitions(std::string& out);

    BOOL Apply(DBRecord& record) override;
    void End() override;

private:
    DBRecord* FindOpenRecord(int32_t number) const;
    // Writes the record `number`; FALSE when it cannot be read (reported).
    BOOL WriteStoredRecord(int32_t number, DBRecord& scratch);
    void AppendValue(std::string& out, const char* text, int length, bool written) const;
    void Flush();

    CFile& m_file;
    std::string m_separator;
    std::string m_terminator;
    std::string m_delimiter;
    std::string m_replacement;
    BOOL m_delimit;
    BOOL m_recordIds;
    BOOL m_allFields;
    BOOL m_workformIndicators;
    BOOL m_exportDefinitions;
    BOOL m_selectedFieldsOnly;
    FieldSet m_fields;
    std::string m_buffer;
};

// The export of marked records after its sheet: the writer over the set with
// the format and options, into the open file. TRUE when every record was
// written; exceptions reach the caller.
BOOL ExportDelimitedRecords(DBDocument& document, const DBRecordSet& records, const CDelimitedFormat& format,
                            const DelimitedExportOptions& options, CFile& file);
