// TransferRun: the tagged-file transfer object's work, windowless. The file
// is read by a TaggedTextParser as the configuration says; each record goes to
// the sink, with duplicates checked and the imported records marked.
//
// SetImportFormat reports a configuration that cannot be read or holds a
// faulty line (file and line) in a message box and answers FALSE. BeginImport
// opens the file; each ProcessFile stores up to kRecordsPerCall records and
// answers FALSE at the end of the file, when the sink refuses a record, or
// after reporting an exception. Progress counts bytes read. EndImport ends
// the sink's import and closes the file; it may be called at any time after
// BeginImport, and the counts stay readable after it.
#pragma once

#include "exchange/tagged/TaggedImportConfig.h"
#include "exchange/tagged/TaggedTransfer.h"

#include "classlib/CString.h"

#include <memory>

class ImportRecordSink;
class TaggedTextParser;
class TaggedByteSource;

class TransferRun : public TaggedTransfer
{
public:
    enum
    {
        kRecordsPerCall = 50,
    };

    // The sink must outlive the run.
    explicit TransferRun(ImportRecordSink& sink);
    ~TransferRun() override;

    BOOL Initialize() override;
    BOOL SetTargetDatabase(const char* databasePath) override;
    BOOL SetImportFormat(const char* configurationPath) override;
    BOOL SetImportFile(const char* path) override;
    BOOL BeginImport() override;
    BOOL ProcessFile() override;
    void EndImport() override;
    long GetProgressMax() override { return m_progressMax; }
    long GetProgressValue() override;
    long GetRecordsImported() override { return m_imported; }
    long GetDuplicatesDiscarded() override { return m_duplicates; }

    int GetReplacedCount() const;

private:
    ImportRecordSink& m_sink;
    TaggedImportConfig m_config;
    bool m_configLoaded;
    bool m_databaseSet;
    CString m_path;
    std::unique_ptr<TaggedByteSource> m_source;
    std::unique_ptr<TaggedTextParser> m_parser;
    long m_progressMax;
    long m_imported;
    long m_duplicates;
    int m_replaced;
    bool m_begun;
};
