// The choices of the "Export Marked Records" sheet as the profile keeps them
// (section "Database Settings"): "Export Type" (the format list's position:
// comma, tab, custom), "Custom Export Format" and "Custom Export Options"
// (their archive forms, byte for byte).
//
// Loading starts from the defaults (comma preset chosen, the tab preset as the
// custom format, every field with definitions) and keeps them for a value that
// is missing; a damaged value keeps what was read before the damage.
#pragma once

#include "dbwindows/core/CDelimitedFormat.h"
#include "dbwindows/core/DelimitedExportOptions.h"

struct DelimitedExportChoices
{
    DelimitedExportChoices() : exportType(0), customFormat(CDelimitedFormat::TabDelimited()) {}

    int exportType;
    CDelimitedFormat customFormat;
    DelimitedExportOptions options;
};

void LoadDelimitedExportChoices(DelimitedExportChoices& choices);
void SaveDelimitedExportChoices(DelimitedExportChoices& choices);
