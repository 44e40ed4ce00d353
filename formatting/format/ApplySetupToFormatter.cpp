#include "formatting/format/ApplySetupToFormatter.h"

#include "formatting/format/FormatContext.h"

void ApplySetupToFormatter(FormatContext& context, const BibliographySetup& setup)
{
    context.setup = setup;
    context.fieldSet = setup.fields.GetFieldMask();
    const BibliographyHeading& heading = setup.heading;
    context.numberLabel.Set(static_cast<DWORD>(heading.numberReferences),
                            static_cast<DWORD>(heading.numberAlignment), heading.numberingPrefix,
                            heading.numberingSuffix);
}
