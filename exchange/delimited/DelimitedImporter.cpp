#include "exchange/delimited/DelimitedImporter.h"

#include "app/core/Paths.h"
#include "app/core/ProgressDialog.h"
#include "app/core/SettingsCatalogue.h"
#include "classlib/Exceptions.h"
#include "classlib/File.h"
#include "classlib/MessageBox.h"
#include "database/db/DBRecord.h"
#include "database/db/DBRecordSet.h"
#include "database/db/DefaultWorkform.h"
#include "database/db/FieldSet.h"
#include "database/text/WorkformDoc.h"
#include "database/text/WorkformTable.h"
#include "dbwindows/core/CDelimitedFormat.h"
#include "dbwindows/core/DBDocument.h"
#include "dbwindows/core/JournalTitleRemap.h"
#include "exchange/delimited/FileByteReader.h"
#include "exchange/delimited/WorkformFolder.h"
#include "exchange/delimited/WorkformLetterChooser.h"
#include "exchange/delimited/WorkformNameMap.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

namespace {

const char kDefinitionTag[] = "<Workform Definition>";
const int kDefinitionTagLength = 21;
const char kUnusedField[] = "---";
const int kLocationField = 38;

// The fields of the built-in workforms A..Z, bit n of byte n / 8 for field n.
const unsigned char kBuiltInFieldBits[26][FieldSet::kBytes] = {
    {0xf6, 0x83, 0x7f, 0xcf, 0x43, 0x3e}, {0x80, 0x02, 0x1c, 0x00, 0x40, 0x3e},
    {0xfe, 0x03, 0x50, 0x03, 0xc0, 0x3d}, {0x12, 0x02, 0x50, 0x03, 0x40, 0x3d},
    {0xfe, 0x83, 0x9f, 0x0c, 0xf7, 0x3c}, {0x76, 0x08, 0x54, 0x03, 0x40, 0x3c},
    {0x32, 0x00, 0x3c, 0x0c, 0x70, 0x3c}, {0x32, 0x80, 0x5c, 0x0d, 0x70, 0x3c},
    {0x2a, 0x04, 0x14, 0x0c, 0x70, 0x3c}, {0x76, 0x02, 0x10, 0x0e, 0x78, 0x3c},
    {0xfe, 0x33, 0x7c, 0xce, 0x43, 0x3e}, {0xb0, 0xe1, 0x3c, 0x3c, 0x77, 0x3c},
    {0xf6, 0xc3, 0xff, 0xcf, 0x77, 0x3e}, {0xf6, 0x83, 0xff, 0x3c, 0x41, 0x3e},
    {0xb0, 0x01, 0x1f, 0x1c, 0x71, 0x3e}, {0xf6, 0x83, 0x5f, 0xde, 0x77, 0x3e},
    {0xb2, 0x01, 0x1f, 0x1c, 0x71, 0x3e}, {0xf6, 0x83, 0x1c, 0x12, 0x71, 0x3c},
    {0xf0, 0x89, 0xbc, 0x0c, 0x70, 0x3e}, {0xf0, 0x83, 0x1c, 0x0e, 0x73, 0x3c},
    {0x9a, 0xfa, 0x74, 0x0f, 0xf8, 0x3f}, {0x80, 0x83, 0x1c, 0x00, 0x40, 0x3e},
    {0xf2, 0x83, 0x5c, 0x03, 0x70, 0x3c}, {0x80, 0x8b, 0x7f, 0xcc, 0x43, 0x3e},
    {0x72, 0x0a, 0x50, 0x03, 0x78, 0x3d}, {0x80, 0xc2, 0x5c, 0x2d, 0xf0, 0x3d},
};

int CountUsedFields(const IWorkformInfo& workform)
{
    int count = 0;
    for (int n = 1; n <= kWorkformFields; ++n)
        count += workform.IsFieldUsed(n) ? 1 : 0;
    return count;
}

// Takes field 38 out of a field list one longer than the record's fields.
bool DropLocationField(int* list, int& listCount, int fieldCount)
{
    if (fieldCount != listCount - 1)
        return false;
    int kept = 0;
    for (int i = 0; i < listCount; ++i) {
        if (list[i] != kLocationField)
            list[kept++] = list[i];
    }
    const bool dropped = kept != listCount;
    listCount = kept;
    return dropped;
}

CString FileNameOf(const CString& path)
{
    const int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    return slash >= 0 ? path.Mid(slash + 1) : path;
}

} // namespace

const FieldSet& GetBuiltInWorkformFieldSet(int id)
{
    static const std::vector<FieldSet> sets = [] {
        std::vector<FieldSet> made(26);
        for (int i = 0; i < 26; ++i) {
            for (int b = 0; b < FieldSet::kBytes; ++b)
                made[i].SetByte(b, kBuiltInFieldBits[i][b]);
        }
        return made;
    }();
    return sets[id < 0 || id > 25 ? 0 : id];
}

CDelimitedImporter::CDelimitedImporter(IWorkformLetterChooser* chooser)
    : m_chooser(chooser), m_document(nullptr), m_reader(nullptr), m_position(0), m_length(0), m_separator(0),
      m_terminator(0), m_delimiter(0), m_recordIds(FALSE), m_allFields(FALSE), m_workformIndicators(FALSE),
      m_charSet(0), m_importedSet(nullptr), m_imported(0), m_duplicates(0), m_stopMessage(0)
{
    for (int i = 0; i < 6; ++i) {
        m_letterIds[i] = 0;
        m_letterAsked[i] = false;
    }
}

CDelimitedImporter::~CDelimitedImporter() = default;

void CDelimitedImporter::Import(DBDocument& document, CFile& file, BYTE separator, BYTE terminator,
                                BYTE delimiter, BYTE /*replacement*/, BOOL delimit, BOOL recordIds,
                                BOOL allFields, BOOL workformIndicators, BYTE charSet)
{
    m_document = &document;
    m_separator = separator;
    m_terminator = terminator;
    m_delimiter = delimiter;
    m_recordIds = recordIds;
    m_allFields = allFields;
    m_workformIndicators = workformIndicators;
    m_charSet = charSet;
    m_position = file.GetPosition();
    m_length = file.GetLength();
    CFileByteReader reader(file);
    m_reader = &reader;
    DBRecordSet imported;
    m_importedSet = &imported;
    m_imported = m_duplicates = 0;
    m_stopMessage = 0;
    m_spans = RecordSpanBuffer();

    const CString fileName = FileNameOf(file.GetFilePath());
    bool stopped = false;
    try {
        std::unique_ptr<ProgressDialog> progress(
            new ProgressDialog((int)m_position, (int)m_length, IDS_IMPORTING, nullptr));
        try {
            Definition definition;
            while (ReadWorkformDefinition(definition))
                CreateWorkform(definition);
            while (m_position < m_length) {
                m_spans = RecordSpanBuffer();
                const bool found = delimit ? ParseQuotedRecord() : ParsePlainRecord();
                if (found) {
                    const int32_t number = StoreRecord();
                    if (number == -1) {
                        ++m_duplicates;
                    } else {
                        imported.Set(number);
                        ++m_imported;
                    }
                }
                if (!progress->SetPos((int)m_position))
                    break;
            }
        } catch (Stop& stop) {
            stopped = true;
            m_stopMessage = stop.message;
            progress.reset();
            if (stop.message != 0)
                AfxMessageBox(stop.message, MB_OK);
        }
    } catch (CException*) {
        m_reader = nullptr;
        Finish(fileName, true);
        throw;
    }
    m_reader = nullptr;
    Finish(fileName, stopped);
}

void CDelimitedImporter::Finish(const char* fileName, bool stopped)
{
    DBDocument& document = *m_document;
    if (m_importedSet->GetCount() > 0)
        document.GetDatabase().GetMarkedRecords() = *m_importedSet;
    document.FlushIfWritable();
    document.NotifyRecordsChanged();
    if (m_imported > 0 || (!stopped && m_duplicates > 0)) {
        CString format;
        format.LoadString(IDP_IMPORTED);
        CString text;
        text.Format(format, fileName, (const char*)document.GetTitle(), (long)m_imported, (long)m_duplicates);
        AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
    } else if (!stopped) {
        AfxMessageBox(IDP_NO_RECORDS, MB_OK | MB_ICONINFORMATION);
    }
}

// ---- workform definitions ----

bool CDelimitedImporter::ReadWorkformDefinition(Definition& definition)
{
    const DWORD start = m_position;
    BYTE tag[kDefinitionTagLength];
    if (m_reader->Read(start, tag, kDefinitionTagLength) != (UINT)kDefinitionTagLength ||
        std::memcmp(tag, kDefinitionTag, kDefinitionTagLength) != 0)
        return false;
    definition = Definition();
    int strings = 0;
    DWORD p = start + kDefinitionTagLength;
    bool lineEnded = false;
    while (p < m_length && !lineEnded) {
        const BYTE ch = m_reader->At(p++);
        if (ch == '"') {
            std::string text;
            while (p < m_length && m_reader->At(p) != '"')
                text += (char)m_reader->At(p++);
            if (p >= m_length)
                break; // the file ends inside the string
            ++p;
            if (strings++ == 0) {
                definition.name = text;
            } else {
                if (definition.fieldNames.size() == (size_t)kMaxFields)
                    throw Stop{IDP_BAD_DEFINITION};
                definition.fieldNames.push_back(text);
            }
        } else if (ch == '\r') {
            if (p < m_length && m_reader->At(p) == '\n')
                ++p;
            lineEnded = true;
        }
    }
    if (!lineEnded && definition.fieldNames.empty()) {
        // The file ends without a field name: no definition.
        return false;
    }
    if (definition.fieldNames.size() != (size_t)kMaxFields)
        throw Stop{IDP_BAD_DEFINITION};
    // A name the workform table cannot hold stops before any file is written.
    if (definition.name.empty() || definition.name.size() > (size_t)kMaxWorkformName)
        throw Stop{IDP_BAD_DEFINITION};
    m_position = lineEnded ? p : m_length;
    return true;
}

void CDelimitedImporter::CreateWorkform(const Definition& definition)
{
    if (FindWorkformByName(definition.name.c_str()) != -1)
        return;
    CWorkformDoc* doc = new CWorkformDoc;
    BOOL made = FALSE;
    try {
        made = doc->OnNewDocument();
    } catch (CException*) {
        delete doc;
        throw;
    }
    if (!made) {
        delete doc;
        throw Stop{0};
    }
    BOOL saved = FALSE;
    try {
        doc->SetWorkformName(definition.name.c_str());
        FieldSet used;
        for (int n = 1; n <= kWorkformFields; ++n) {
            const std::string& name = definition.fieldNames[n - 1];
            if (name == kUnusedField)
                continue;
            used.Add(n);
            doc->SetFieldName(n, name.c_str());
        }
        doc->SetUsedFields(used);
        const CString directory = GetWorkformDirectory();
        const CString fileName = MakeUniqueShortFileName(directory, definition.name.c_str(), ".LWF");
        if (fileName.IsEmpty())
            AfxThrowFileException(CFileException::generic, -1, directory);
        saved = doc->OnSaveDocument(JoinPath(directory, fileName));
    } catch (CException*) {
        doc->OnCloseDocument();
        throw;
    }
    doc->OnCloseDocument();
    if (!saved)
        throw Stop{0};
}

// ---- records ----

std::string CDelimitedImporter::SpanText(const Span& span)
{
    std::string text;
    if (span.IsEmpty())
        return text;
    text.resize(span.end - span.start);
    const UINT got = m_reader->Read(span.start, (BYTE*)&text[0], (UINT)text.size());
    text.resize(got);
    return text;
}

int CDelimitedImporter::ParseWorkformField()
{
    if (m_spans.workformId != -2)
        return m_spans.workformId;
    int id = -1;
    if (m_spans.hasWorkform && !m_spans.workform.IsEmpty()) {
        std::string text = SpanText(m_spans.workform);
        if (!text.empty() && text[0] == '@')
            text.erase(0, 1);
        id = FindWorkformByName(text.c_str());
        if (id == -1) {
            const char letter = text.size() == 1 ? (char)std::toupper((unsigned char)text[0]) : 0;
            if (letter < 'U' || letter > 'Z')
                throw Stop{IDP_BAD_WORKFORM};
            const int slot = letter - 'U';
            if (!m_letterAsked[slot]) {
                IWorkformLetterChooser* chooser = m_chooser ? m_chooser : GetWorkformLetterChooser();
                int16_t chosen = 0;
                if (chooser == nullptr || !chooser->ChooseWorkform(letter, chosen))
                    throw Stop{0};
                m_letterIds[slot] = chosen;
                m_letterAsked[slot] = true;
            }
            id = m_letterIds[slot];
        }
    }
    m_spans.workformId = id;
    return id;
}

void CDelimitedImporter::SettleExpected()
{
    if (m_spans.expected >= 0)
        return;
    if (m_allFields) {
        m_spans.expected = kMaxFields;
        return;
    }
    const int id = ParseWorkformField();
    const IWorkformInfo& workform = id == -1 ? GetDefaultWorkform() : GetWorkformTable().FindById(id);
    m_spans.expected = CountUsedFields(workform);
}

void CDelimitedImporter::AddItem(DWORD start, DWORD end)
{
    if (m_workformIndicators && !m_spans.hasWorkform) {
        m_spans.workform = Span{start, end};
        m_spans.hasWorkform = true;
        return;
    }
    if (m_recordIds && !m_spans.hasRecordId) {
        m_spans.recordId = Span{start, end};
        m_spans.hasRecordId = true;
        return;
    }
    SettleExpected();
    if (m_spans.count == m_spans.expected || m_spans.count == kMaxFields)
        throw Stop{IDP_TOO_MANY_FIELDS};
    m_spans.fields[m_spans.count++] = Span{start, end};
}

// A record short of its fields is taken only where it can be stored: one
// field short, in a workform that uses field 38, which then stays empty.
void CDelimitedImporter::CheckRecordEnd(int allowance)
{
    if (m_allFields)
        return;
    SettleExpected();
    const int count = m_spans.count;
    const int expected = m_spans.expected;
    if (count == expected)
        return;
    const int id = ParseWorkformField();
    const IWorkformInfo& workform = id == -1 ? GetDefaultWorkform() : GetWorkformTable().FindById(id);
    if (count < expected && count >= expected - allowance && workform.IsFieldUsed(kLocationField))
        return;
    throw Stop{IDP_TOO_FEW_FIELDS};
}

// The file ended inside a record: taken when its fields are all there.
bool CDelimitedImporter::EndOfFileRecord()
{
    m_position = m_length;
    if (m_spans.count == 0)
        return false;
    SettleExpected();
    if (m_spans.count >= m_spans.expected)
        return true;
    throw Stop{IDP_FILE_ENDED};
}

bool CDelimitedImporter::ParsePlainRecord()
{
    DWORD itemStart = m_position;
    DWORD p = m_position;
    while (p < m_length) {
        const BYTE ch = m_reader->At(p);
        if (ch != m_separator && ch != m_terminator) {
            ++p;
            continue;
        }
        AddItem(itemStart, p);
        ++p;
        bool ends = false;
        if (ch == m_terminator) {
            if (m_terminator != m_separator) {
                ends = true;
            } else if (m_spans.count > 0) {
                SettleExpected();
                ends = m_spans.count == m_spans.expected;
            }
        }
        if (p < m_length && m_reader->At(p) == '\n')
            ++p;
        if (ends) {
            m_position = p;
            CheckRecordEnd(1);
            return true;
        }
        itemStart = p;
    }
    return EndOfFileRecord();
}

bool CDelimitedImporter::ParseQuotedRecord()
{
    DWORD p = m_position;
    while (p < m_length) {
        const BYTE ch = m_reader->At(p);
        if (ch == m_delimiter) {
            const DWORD start = p + 1;
            DWORD q = start;
            bool closed = false;
            while (q < m_length) {
                if (m_reader->At(q) == m_delimiter) {
                    if (q + 1 >= m_length) {
                        closed = true;
                        break;
                    }
                    const BYTE next = m_reader->At(q + 1);
                    if (next == m_separator || next == m_terminator) {
                        closed = true;
                        break;
                    }
                }
                ++q;
            }
            if (!closed) {
                p = m_length; // an item still open at the end of the file is dropped
                break;
            }
            AddItem(start, q);
            p = q + 1;
        } else if (ch == m_terminator) {
            ++p;
            const bool blank = !m_spans.hasWorkform && !m_spans.hasRecordId && m_spans.count == 0;
            bool ends = m_terminator != m_separator || blank;
            if (!ends && m_spans.count > 0) {
                SettleExpected();
                ends = m_spans.count == m_spans.expected;
            }
            if (ends) {
                if (p < m_length && m_reader->At(p) == '\n')
                    ++p;
                m_position = p;
                if (blank)
                    return false;
                CheckRecordEnd(1);
                return true;
            }
        } else {
            ++p;
        }
    }
    return EndOfFileRecord();
}

int32_t CDelimitedImporter::StoreRecord()
{
    DBRecord* record = m_document->OpenRecord(-1, 0);
    if (record == nullptr)
        throw Stop{0};
    record->AddRef();
    struct Holder
    {
        DBRecord* record;
        ~Holder() { record->Release(); }
    } holder{record};

    const int workformId = ParseWorkformField();
    if (workformId != -1)
        record->SetWorkformId((int16_t)workformId);
    if (m_spans.hasRecordId && !m_spans.recordId.IsEmpty()) {
        const std::string text = SpanText(m_spans.recordId);
        if (!record->IsValidRecordId(text.c_str()) || std::memchr(text.data(), 0, text.size()) != nullptr)
            throw Stop{IDP_BAD_RECORD_ID};
        record->SetRecordIdText(text.c_str());
    }

    int list[kMaxFields];
    int listCount = 0;
    if (m_allFields) {
        for (int n = 1; n <= kMaxFields; ++n)
            list[listCount++] = n;
    } else {
        const int id = record->GetWorkformId();
        const IWorkformInfo& workform = GetWorkformTable().FindById(id);
        for (int n = 1; n <= kWorkformFields; ++n) {
            if (workform.IsFieldUsed(n))
                list[listCount++] = n;
        }
        // A count that differs from a standard workform's fields is read with the fields of its letter
        // (files of older versions); one field short of a workform with field 38 leaves that field empty.
        if (listCount != m_spans.count && id >= 0 && id <= 25) {
            const FieldSet& builtIn = GetBuiltInWorkformFieldSet(id);
            listCount = 0;
            for (int n = 1; n <= kWorkformFields; ++n) {
                if (builtIn.Contains(n))
                    list[listCount++] = n;
            }
        }
        if (workform.IsFieldUsed(kLocationField))
            DropLocationField(list, listCount, m_spans.count);
    }
    for (int i = 0; i < m_spans.count; ++i) {
        const Span& span = m_spans.fields[i];
        if (span.IsEmpty())
            continue;
        if (i >= listCount)
            throw Stop{IDP_CANNOT_PROCESS};
        const std::string text = SpanText(span);
        StyledString value;
        value.AppendStyled(text.data(), (int)text.size(), StyleRun(0, 0, "", 0, m_charSet));
        record->SetField(value, (BYTE)list[i]);
    }
    RemapJournalTitleFields(*record);
    if (Settings::DiscardDuplicates.Get() != 0 && m_document->FindDuplicateOf(*record))
        return -1;
    if (!record->SaveRecord(-1, 0))
        throw Stop{0};
    return record->GetRecordNumber();
}

void RunDelimitedImport(DBDocument& document, CFile& file, const CDelimitedFormat& format, int charSet)
{
    CDelimitedImporter importer;
    importer.Import(document, file, format.fieldSeparator, format.recordTerminator, format.delimiter,
                    format.replacement, format.delimitFields, format.recordIds, format.allFields,
                    format.workformIndicators, (BYTE)charSet);
}

void InstallDelimitedImport()
{
    DBDocument::SetDelimitedImporter(&RunDelimitedImport);
}
