// ImportServer: the import server's four operations, windowless. Record texts
// handed one or a few at a time (a search's downloads) are read by a
// TaggedTextParser as the configuration says and stored through the sink,
// which is bound to its database already.
//
// Initialize reports a configuration that cannot be read or holds a faulty
// line (file and line) and answers FALSE; Start begins the sink's import
// (duplicates checked, nothing marked); ProcessRecord stores every record of
// text[0:length] and answers FALSE when the sink refuses one (the records
// before it stay) or after reporting an exception; Finish ends the sink's
// import. Calls out of that order answer FALSE.
#pragma once

#include "exchange/tagged/TaggedImportConfig.h"

#include "classlib/CString.h"

class ImportRecordSink;

class ImportServer
{
public:
    ImportServer();

    // The sink must outlive the server's use of it (until Finish).
    BOOL Initialize(ImportRecordSink* sink, const char* configurationPath, const char* databaseTitle);
    BOOL Start();
    BOOL ProcessRecord(const char* text, long length);
    void Finish();

    long GetRecordsImported() const { return m_imported; }
    long GetDuplicatesDiscarded() const { return m_duplicates; }
    const CString& GetDatabaseTitle() const { return m_databaseTitle; }

private:
    ImportRecordSink* m_sink;
    TaggedImportConfig m_config;
    CString m_databaseTitle;
    bool m_started;
    long m_imported;
    long m_duplicates;
};
