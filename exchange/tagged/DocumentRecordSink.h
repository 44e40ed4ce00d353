// DocumentRecordSink: the import sink straight over a database document.
//
// A record is a new record of the document: the workform named by the
// tagged record (as written, else through the standard-name map; unknown or
// none keeps the default workform), its record ID text when that is a valid
// record ID (anything else keeps the new record's own ID), the 45 fields as
// Windows ANSI text, journal titles moved to the fields of the workform, then
// saved unless it is a discarded duplicate.
//
// A document given at construction is used, not owned; one opened by
// OpenDatabase is owned and closed with the sink (or when another path is
// opened). The document must outlive the sink.
#pragma once

#include "exchange/tagged/ImportRecordSink.h"

class DBDocument;

class DocumentRecordSink : public ImportRecordSink
{
public:
    explicit DocumentRecordSink(DBDocument* document = nullptr);
    ~DocumentRecordSink() override;
    DocumentRecordSink(const DocumentRecordSink&) = delete;
    DocumentRecordSink& operator=(const DocumentRecordSink&) = delete;

    BOOL OpenDatabase(const char* path) override;
    BOOL BeginImport(BOOL checkDuplicates, BOOL markImported) override;
    BOOL AddRecord(const TaggedRecord& record, int32_t& number) override;
    void EndImport() override;

    DBDocument* GetDocument() const { return m_document; }

private:
    void Drop();

    DBDocument* m_document;
    bool m_owned;
    BOOL m_discardDuplicates;
    BOOL m_markImported;
};
