// ReferenceNumberFormat: the label written in front of a numbered
// reference-list entry: optional tabs, prefix, the entry number in the
// setup's number style, suffix. Alignment 0 Left (label then a tab), 1 Right
// (a tab before and after), 2 None (no tabs).
#pragma once

#include "classlib/Object.h"
#include "database/text/StyledString.h"

class DBRecord;
class FormatContext;

class ReferenceNumberFormat : public CObject
{
public:
    ReferenceNumberFormat();

    void Set(DWORD enabled, DWORD alignment, const StyledString& prefix, const StyledString& suffix);
    // Nothing when the context suppresses the label or numbering is off.
    void Write(FormatContext& context, const DBRecord& record) const;

    DWORD enabled;   // 1
    DWORD alignment; // 1
    StyledString prefix;
    StyledString suffix;
};
