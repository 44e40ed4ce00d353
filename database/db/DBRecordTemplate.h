// DBRecordTemplate: the document template of record documents. Besides the
// open records it keeps the numbers of the last two records added through a
// save of a new record, for the commands that go back to them.
#pragma once

#include "classlib/DocTemplate.h"

#include <cstdint>

class DBRecordTemplate : public CMultiDocTemplate
{
    DECLARE_DYNAMIC(DBRecordTemplate)

public:
    DBRecordTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                     CRuntimeClass* pViewClass);

    // A new record was stored under `number`: the last number (when not -1)
    // becomes the previous one and `number` (when not -1) the last.
    void NoteNewRecord(int32_t number);
    int32_t GetLastNewRecord() const { return m_lastNew; }
    int32_t GetPreviousNewRecord() const { return m_previousNew; }

private:
    int32_t m_lastNew;
    int32_t m_previousNew;
};
