#include "exchange/delimited/DelimitedExportWriter.h"

#include "app/core/ErrorReport.h"
#include "app/core/ProgressDialog.h"
#include "classlib/ClassLibIds.h"
#include "classlib/Exceptions.h"
#include "classlib/File.h"
#include "database/db/DBRecord.h"
#include "database/db/DBRecordSet.h"
#include "database/db/DBRecordTemplate.h"
#include "dbwindows/core/DBDocument.h"
#include "database/text/WorkformTable.h"
#include "dbwindows/core/CDelimitedFormat.h"
#include "dbwindows/core/DelimitedExportOptions.h"
#include "exchange/delimited/WorkformNameMap.h"

#include <cstring>

namespace {

const size_t kFlushSize = 1 << 16;

std::string OneChar(BYTE ch)
{
    return ch == 0 ? std::string() : std::string(1, (char)ch);
}

void AppendQuoted(std::string& out, const char* text)
{
    out += '"';
    out += text;
    out += '"';
}

} // namespace

CDelimitedExportWriter::CDelimitedExportWriter(DBDocument& document, CFile& file, const DBRecordSet& records)
    : RecordBatchOperation(document, records), m_file(file), m_delimit(FALSE), m_recordIds(FALSE),
      m_allFields(FALSE), m_workformIndicators(FALSE), m_exportDefinitions(FALSE), m_selectedFieldsOnly(FALSE)
{
}

void CDelimitedExportWriter::SetOptions(BYTE separator, BYTE terminator, BYTE delimiter, BYTE replacement,
                                        BOOL delimit, BOOL recordIds, BOOL allFields, BOOL workformIndicators,
                                        BOOL exportDefinitions, BOOL selectedFieldsOnly,
                                        const FieldSet& fields)
{
    m_separator = OneChar(separator);
    m_terminator = terminator == '\r' ? std::string("\r\n") : OneChar(terminator);
    m_delimiter = OneChar(delimiter);
    m_replacement = OneChar(replacement);
    m_delimit = delimit;
    m_recordIds = recordIds;
    m_allFields = allFields;
    m_workformIndicators = workformIndicators;
    m_exportDefinitions = exportDefinitions;
    m_selectedFieldsOnly = selectedFieldsOnly;
    m_fields = fields;
}

void CDelimitedExportWriter::SetOptions(const CDelimitedFormat& format, const DelimitedExportOptions& options)
{
    SetOptions(format.fieldSeparator, format.recordTerminator, format.delimiter, format.replacement,
               format.delimitFields, format.recordIds, format.allFields, format.workformIndicators,
               options.exportWorkformDefinitions, options.selectedFieldsOnly, options.fields);
}

void CDelimitedExportWriter::FormatDefinitions(std::string& out)
{
    const CWorkformTable& table = GetWorkformTable();
    for (int i = 0; i < table.GetCount(); ++i) {
        const IWorkformInfo& workform = table.GetAt(i);
        out += "<Workform Definition>";
        AppendQuoted(out, workform.GetName());
        for (int n = 1; n <= kWorkformFields; ++n) {
            out += ',';
            AppendQuoted(out, workform.GetFieldName(n));
        }
        out += "\r\n";
    }
}

BOOL CDelimitedExportWriter::Run()
{
    if (m_exportDefinitions) {
        FormatDefinitions(m_buffer);
        Flush();
    }
    // The batch's own walk, but each stored record is read into one scratch
    // record: opening and closing a record document per record reads the clock
    // twice, which under Wine costs more than the rest of the export together.
    DBRecord scratch;
    scratch.m_bAutoDelete = FALSE;
    scratch.SetDatabase(&m_document);
    BOOL complete = TRUE;
    {
        ProgressDialog progress(0, m_records.GetCount(), IDS_EXPORTING);
        const int total = m_records.GetCount();
        int done = 0;
        for (int32_t number = m_records.FindNext(-1); number != -1 && done < total;
             number = m_records.FindNext(number)) {
            if (!WriteStoredRecord(number, scratch)) {
                complete = FALSE;
                break;
            }
            ++done;
            if (!progress.SetPos(done)) {
                complete = FALSE;
                break;
            }
        }
    }
    End();
    return complete;
}

DBRecord* CDelimitedExportWriter::FindOpenRecord(int32_t number) const
{
    DBRecordTemplate& records = m_document.GetRecordTemplate();
    POSITION pos = records.GetFirstDocPosition();
    while (pos != nullptr) {
        DBRecord* open = static_cast<DBRecord*>(records.GetNextDoc(pos));
        if (open->GetDatabase() == &m_document && open->GetRecordNumber() == number)
            return open;
    }
    return nullptr;
}

BOOL CDelimitedExportWriter::WriteStoredRecord(int32_t number, DBRecord& scratch)
{
    DBRecord* record = FindOpenRecord(number);
    if (record == nullptr && !m_document.HoldsRecord(number)) {
        // Opening it says that the record is gone.
        record = m_document.OpenRecord(number, 0);
        if (record == nullptr)
            return FALSE;
    }
    if (record == nullptr) {
        try {
            m_document.ReadRecord(scratch, number);
        } catch (CException* e) {
            scratch.ReportFileError(number, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
            e->Delete();
            return FALSE;
        }
        record = &scratch;
    }
    const bool held = record != &scratch;
    if (held)
        record->AddRef();
    BOOL applied = TRUE;
    try {
        applied = Apply(*record);
    } catch (CException* e) {
        ReportException(e);
        e->Delete();
    }
    if (held)
        record->Release();
    return applied;
}

void CDelimitedExportWriter::AppendValue(std::string& out, const char* text, int length, bool written) const
{
    if (m_delimit)
        out += m_delimiter;
    if (written) {
        const char delimiter = m_delimiter.empty() ? 0 : m_delimiter[0];
        const char separator = m_separator.empty() ? 0 : m_separator[0];
        const char terminator = m_terminator.empty() ? 0 : m_terminator[0];
        for (int i = 0; i < length; ++i) {
            char ch = text[i];
            if (m_delimit) {
                if (ch == delimiter && delimiter != 0 && !m_replacement.empty())
                    ch = m_replacement[0];
            } else if ((ch == separator && separator != 0) || (ch == terminator && terminator != 0) ||
                       ch == '\r' || ch == '\n') {
                ch = ' ';
            }
            out += ch;
        }
    }
    if (m_delimit)
        out += m_delimiter;
}

void CDelimitedExportWriter::FormatRecord(const DBRecord& record, std::string& out) const
{
    const CWorkformTable& table = GetWorkformTable();
    const int id = record.GetWorkformId();
    bool first = true;
    if (m_workformIndicators) {
        char letter[2] = {0, 0};
        const char* indicator = letter;
        if (id >= 0 && id < 20)
            letter[0] = (char)('A' + id);
        else
            indicator = WorkformNameForExport(table.GetName(id));
        AppendValue(out, indicator, (int)std::strlen(indicator), true);
        first = false;
    }
    if (m_recordIds) {
        if (!first)
            out += m_separator;
        const CString& recordId = record.GetRecordIdText();
        AppendValue(out, recordId, recordId.GetLength(), true);
        first = false;
    }
    const IWorkformInfo& workform = table.FindById(id);
    for (int n = 1; n <= kWorkformFields; ++n) {
        if (!m_allFields && !workform.IsFieldUsed(n))
            continue;
        if (!first)
            out += m_separator;
        first = false;
        const StyledString& field = record.GetField((BYTE)n);
        const bool written = !m_selectedFieldsOnly || m_fields.Contains(n);
        AppendValue(out, field.text, field.GetLength(), written);
    }
    out += m_terminator;
}

BOOL CDelimitedExportWriter::Apply(DBRecord& record)
{
    FormatRecord(record, m_buffer);
    if (m_buffer.size() >= kFlushSize)
        Flush();
    return TRUE;
}

void CDelimitedExportWriter::End()
{
    Flush();
    RecordBatchOperation::End();
}

void CDelimitedExportWriter::Flush()
{
    if (m_buffer.empty())
        return;
    std::string pending;
    pending.swap(m_buffer);
    m_file.Write(pending.data(), (UINT)pending.size());
}

BOOL ExportDelimitedRecords(DBDocument& document, const DBRecordSet& records, const CDelimitedFormat& format,
                            const DelimitedExportOptions& options, CFile& file)
{
    CDelimitedExportWriter writer(document, file, records);
    writer.SetOptions(format, options);
    return writer.Run();
}
