// One output run for element tests: a context whose sink writes into a
// string, and a record to fill.
#pragma once

#include "bibliography/core/StyledTextWriter.h"
#include "database/db/DBRecord.h"
#include "database/text/StyledTextSink.h"
#include "formatting/format/FormatContext.h"
#include "formatting/format/FormatElement.h"

#include <string>

class TextCollector : public StyledTextWriter
{
public:
    void WriteText(const char* piece, int length) override { text.append(piece, length); }
    std::string text;
};

struct ElementRun
{
    TextCollector writer;
    FormatContext context;
    DBRecord record;

    ElementRun()
    {
        context.writer = &writer;
        context.sink = new StyledTextSink(&writer);
        context.suppressNumberLabel = TRUE;
    }

    void Set(BYTE field, const char* text) { record.SetField(StyledString(text), field); }

    // Writes the element for the record as the formatted record would
    // (nothing when it is empty) and returns all text written so far.
    std::string Write(FormatElement& element)
    {
        if (!element.IsEmpty(record, context))
            element.Write(context, record);
        context.sink->Flush();
        return writer.text;
    }
};
