// CFormattedRecord: the elements of one template in template order; writes
// one entry or citation for a record. Owns its elements.
#pragma once

#include "classlib/Array.h"
#include "formatting/format/FormatElement.h"

class CFormattedRecord : public CObject
{
public:
    CFormattedRecord() = default;
    CFormattedRecord(const CFormattedRecord&) = delete;
    CFormattedRecord& operator=(const CFormattedRecord&) = delete;
    ~CFormattedRecord() override;

    // Takes ownership.
    void Add(FormatElement* element);
    int GetSize() const { return static_cast<int>(elements.GetSize()); }
    FormatElement* GetAt(int i) const { return elements[i]; }

    // The repeated subject heading when asked for, the number label, every
    // selected non-empty element, then a flush; the number advances. Group
    // openings still waiting at the end (a group left open by a template)
    // are dropped so that they cannot reach the next entry.
    void Write(FormatContext& context, const DBRecord& record);

private:
    void WriteRepeatingHeading(FormatContext& context, const DBRecord& record);

    CArray<FormatElement*, FormatElement*> elements;
};
