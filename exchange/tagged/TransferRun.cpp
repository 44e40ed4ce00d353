#include "exchange/tagged/TransferRun.h"

#include "app/core/ErrorReport.h"
#include "classlib/Exceptions.h"
#include "classlib/File.h"
#include "classlib/MessageBox.h"
#include "exchange/tagged/ImportRecordSink.h"
#include "exchange/tagged/TaggedTextParser.h"

namespace {

class FileSource : public TaggedByteSource
{
public:
    explicit FileSource(const char* path) : m_file(path, CFile::modeRead | CFile::shareDenyWrite) {}
    UINT Read(BYTE* out, UINT count) override { return m_file.Read(out, count); }
    DWORD GetLength() const { return m_file.GetLength(); }

private:
    CFile m_file;
};

} // namespace

TransferRun::TransferRun(ImportRecordSink& sink)
    : m_sink(sink), m_configLoaded(false), m_databaseSet(false), m_progressMax(0), m_imported(0),
      m_duplicates(0), m_replaced(0), m_begun(false)
{
}

TransferRun::~TransferRun() = default;

BOOL TransferRun::Initialize()
{
    m_imported = m_duplicates = 0;
    m_replaced = 0;
    return TRUE;
}

BOOL TransferRun::SetTargetDatabase(const char* databasePath)
{
    m_databaseSet = m_sink.OpenDatabase(databasePath) != FALSE;
    return m_databaseSet;
}

BOOL TransferRun::SetImportFormat(const char* configurationPath)
{
    TaggedImportConfig config;
    if (!config.Load(configurationPath)) {
        AfxMessageBox(config.GetError(), MB_OK | MB_ICONEXCLAMATION);
        m_configLoaded = false;
        return FALSE;
    }
    m_config = config;
    m_configLoaded = true;
    return TRUE;
}

BOOL TransferRun::SetImportFile(const char* path)
{
    CFileStatus status;
    if (!CFile::GetStatus(path, status))
        return FALSE;
    m_path = path;
    return TRUE;
}

BOOL TransferRun::BeginImport()
{
    if (!m_configLoaded || !m_databaseSet || m_path.IsEmpty())
        return FALSE;
    try {
        FileSource* source = new FileSource(m_path);
        m_source.reset(source);
        m_progressMax = (long)source->GetLength();
    } catch (CException* e) {
        ReportException(e);
        e->Delete();
        return FALSE;
    }
    m_parser.reset(new TaggedTextParser(m_config, *m_source));
    if (!m_sink.BeginImport(TRUE, TRUE)) {
        m_parser.reset();
        m_source.reset();
        return FALSE;
    }
    m_begun = true;
    return TRUE;
}

BOOL TransferRun::ProcessFile()
{
    if (!m_parser)
        return FALSE;
    try {
        TaggedRecord record;
        for (int i = 0; i < kRecordsPerCall; ++i) {
            if (!m_parser->Next(record))
                return FALSE;
            int32_t number = -1;
            if (!m_sink.AddRecord(record, number))
                return FALSE;
            if (number == -1)
                ++m_duplicates;
            else
                ++m_imported;
        }
    } catch (CException* e) {
        ReportException(e);
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void TransferRun::EndImport()
{
    if (m_parser)
        m_replaced = m_parser->GetReplacedCount();
    m_parser.reset();
    m_source.reset();
    if (m_begun)
        m_sink.EndImport();
    m_begun = false;
}

long TransferRun::GetProgressValue()
{
    return m_parser ? (long)m_parser->GetBytesRead() : m_progressMax;
}

int TransferRun::GetReplacedCount() const
{
    return m_parser ? m_parser->GetReplacedCount() : m_replaced;
}
