#include "formatting/format/ReferenceNumberFormat.h"

#include "database/text/StyledTextSink.h"
#include "formatting/format/FormatContext.h"

#include <stdio.h>
#include <string.h>

ReferenceNumberFormat::ReferenceNumberFormat() : enabled(1), alignment(1) {}

void ReferenceNumberFormat::Set(DWORD enabled_, DWORD alignment_, const StyledString& prefix_,
                                const StyledString& suffix_)
{
    enabled = enabled_;
    alignment = alignment_;
    prefix = prefix_;
    suffix = suffix_;
}

void ReferenceNumberFormat::Write(FormatContext& context, const DBRecord&) const
{
    if (context.suppressNumberLabel || !context.setup.heading.numberReferences || context.sink == nullptr)
        return;
    StyledString label;
    if (alignment == 1)
        label.AppendText("\t");
    label += prefix;
    char digits[16];
    snprintf(digits, sizeof digits, "%d", static_cast<int>(context.currentNumber));
    StyleRun numberRun;
    numberRun.style = context.setup.heading.numberLabelFormat.style;
    label.AppendStyled(digits, static_cast<int>(strlen(digits)), numberRun);
    label += suffix;
    if (alignment != 2)
        label.AppendText("\t");
    context.sink->Write(label, nullptr);
}
