#include "exchange/tagged/ImportServer.h"

#include "app/core/ErrorReport.h"
#include "classlib/Exceptions.h"
#include "classlib/MessageBox.h"
#include "exchange/tagged/ImportRecordSink.h"
#include "exchange/tagged/TaggedTextParser.h"

#include <cstring>

namespace {

class MemorySource : public TaggedByteSource
{
public:
    MemorySource(const char* text, size_t length) : m_text(text), m_left(length) {}
    UINT Read(BYTE* out, UINT count) override
    {
        const size_t taken = m_left < count ? m_left : count;
        std::memcpy(out, m_text, taken);
        m_text += taken;
        m_left -= taken;
        return (UINT)taken;
    }

private:
    const char* m_text;
    size_t m_left;
};

} // namespace

ImportServer::ImportServer() : m_sink(nullptr), m_started(false), m_imported(0), m_duplicates(0) {}

BOOL ImportServer::Initialize(ImportRecordSink* sink, const char* configurationPath,
                              const char* databaseTitle)
{
    m_sink = nullptr;
    m_started = false;
    TaggedImportConfig config;
    if (sink == nullptr)
        return FALSE;
    if (!config.Load(configurationPath)) {
        AfxMessageBox(config.GetError(), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    m_config = config;
    m_sink = sink;
    m_databaseTitle = databaseTitle != nullptr ? databaseTitle : "";
    m_imported = m_duplicates = 0;
    return TRUE;
}

BOOL ImportServer::Start()
{
    if (m_sink == nullptr || !m_sink->BeginImport(TRUE, FALSE))
        return FALSE;
    m_started = true;
    return TRUE;
}

BOOL ImportServer::ProcessRecord(const char* text, long length)
{
    if (!m_started || text == nullptr || length < 0)
        return FALSE;
    try {
        MemorySource source(text, (size_t)length);
        TaggedTextParser parser(m_config, source);
        TaggedRecord record;
        while (parser.Next(record)) {
            int32_t number = -1;
            if (!m_sink->AddRecord(record, number))
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

void ImportServer::Finish()
{
    if (m_started)
        m_sink->EndImport();
    m_started = false;
}
