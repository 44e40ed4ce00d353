#include "exchange/tagged/DocumentRecordSink.h"

#include "app/core/SettingsCatalogue.h"
#include "database/db/DBRecord.h"
#include "database/db/DBRecordSet.h"
#include "database/text/StyleRun.h"
#include "dbwindows/core/DBDocument.h"
#include "dbwindows/core/JournalTitleRemap.h"
#include "exchange/delimited/WorkformNameMap.h"
#include "exchange/tagged/TaggedTextParser.h"

DocumentRecordSink::DocumentRecordSink(DBDocument* document)
    : m_document(document), m_owned(false), m_discardDuplicates(FALSE), m_markImported(FALSE)
{
}

DocumentRecordSink::~DocumentRecordSink()
{
    Drop();
}

void DocumentRecordSink::Drop()
{
    if (m_owned && m_document != nullptr)
        m_document->OnCloseDocument(); // deletes it
    m_document = nullptr;
    m_owned = false;
}

BOOL DocumentRecordSink::OpenDatabase(const char* path)
{
    if (m_document != nullptr && m_document->GetDatabasePathName().CompareNoCase(path) == 0)
        return TRUE;
    DBDocument* document = new DBDocument;
    if (!document->OpenFile(path, 0)) {
        delete document;
        return FALSE;
    }
    Drop();
    m_document = document;
    m_owned = true;
    return TRUE;
}

BOOL DocumentRecordSink::BeginImport(BOOL checkDuplicates, BOOL markImported)
{
    if (m_document == nullptr)
        return FALSE;
    m_discardDuplicates = checkDuplicates && Settings::DiscardDuplicates.Get() != 0;
    m_markImported = markImported;
    if (m_markImported) {
        m_document->GetDatabase().GetMarkedRecords().RemoveAll();
        m_document->UpdateAllViewsAndNotify(nullptr, DBDocument::hintMarkedChanged, nullptr);
    }
    return TRUE;
}

BOOL DocumentRecordSink::AddRecord(const TaggedRecord& source, int32_t& number)
{
    number = -1;
    if (m_document == nullptr)
        return FALSE;
    DBRecord* record = m_document->OpenRecord(-1, 0);
    if (record == nullptr)
        return FALSE;
    record->AddRef();
    struct Holder
    {
        DBRecord* record;
        ~Holder() { record->Release(); }
    } holder{record};

    if (!source.workformName.empty()) {
        const int id = FindWorkformByName(source.workformName.c_str());
        if (id != -1)
            record->SetWorkformId((int16_t)id);
    }
    if (!source.recordId.empty() && record->IsValidRecordId(source.recordId.c_str()))
        record->SetRecordIdText(source.recordId.c_str());
    for (int n = 1; n <= TaggedImportConfig::kFields; ++n) {
        const std::string& text = source.fields[n];
        if (text.empty())
            continue;
        StyledString value;
        value.AppendStyled(text.data(), (int)text.size(), StyleRun(0, 0, "", 0, kCharSetAnsi));
        record->SetField(value, (BYTE)n);
    }
    RemapJournalTitleFields(*record);
    if (m_discardDuplicates && m_document->FindDuplicateOf(*record))
        return TRUE;
    if (!record->SaveRecord(-1, 0))
        return FALSE;
    number = record->GetRecordNumber();
    if (m_markImported)
        m_document->GetDatabase().GetMarkedRecords().Set(number);
    return TRUE;
}

void DocumentRecordSink::EndImport()
{
    if (m_document == nullptr)
        return;
    m_document->FlushIfWritable();
    m_document->UpdateAllViewsAndNotify(nullptr, DBDocument::hintRecordsChanged, nullptr);
}
