#include "database/db/DBRecordTemplate.h"

IMPLEMENT_DYNAMIC(DBRecordTemplate, CMultiDocTemplate)

DBRecordTemplate::DBRecordTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                   CRuntimeClass* pViewClass)
    : CMultiDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_lastNew(-1), m_previousNew(-1)
{
}

void DBRecordTemplate::NoteNewRecord(int32_t number)
{
    if (m_lastNew != -1)
        m_previousNew = m_lastNew;
    if (number != -1)
        m_lastNew = number;
}
