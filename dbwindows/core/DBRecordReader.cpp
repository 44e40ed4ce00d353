#include "dbwindows/core/DBRecordReader.h"

#include "classlib/ClassLibIds.h"
#include "classlib/Exceptions.h"
#include "dbwindows/core/DBDocument.h"

DBRecordReader::DBRecordReader(DBDocument& document, const DBRecordSet& records)
    : m_document(document), m_records(records), m_current(-1)
{
    m_record.m_bAutoDelete = FALSE;
}

DBRecordReader::~DBRecordReader() = default;

DBRecord* DBRecordReader::Next()
{
    if (m_current == -2)
        return nullptr;
    m_current = m_records.FindNext(m_current);
    if (m_current == -1) {
        m_current = -2;
        return nullptr;
    }
    m_record.DeleteContents();
    m_record.SetDatabase(&m_document);
    try {
        m_document.GetDatabase().ReadRecord(m_record, m_current);
    } catch (CException* e) {
        m_record.ReportFileError(m_current, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        m_current = -2;
        return nullptr;
    }
    return &m_record;
}
