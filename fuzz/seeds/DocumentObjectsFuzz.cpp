// Seeds: each object's stored form as the program writes it, byte 0 naming
// the reader.
#include "FuzzSeeds.h"

#include "database/sort/DuplicateSettings.h"
#include "dbwindows/core/CDelimitedFormat.h"
#include "dbwindows/core/DelimitedExportOptions.h"
#include "dbwindows/core/RecordListLayout.h"

namespace {
void AddForm(FuzzSeeds& seeds, int reader, const std::string& name, CObject& object)
{
    seeds.AddStored(name, [&](CArchive& ar) {
        ar << static_cast<BYTE>(reader);
        object.Serialize(ar);
    });
}
} // namespace

void WriteSeeds(FuzzSeeds& seeds)
{
    RecordListLayout layout;
    AddForm(seeds, 0, "layout-default", layout);
    layout.SetVisible(0, TRUE);
    layout.SetTitle(2, CString('t', 300));
    layout.SetFieldCode(4, 30);
    layout.SetWidth(1, 540);
    AddForm(seeds, 0, "layout-changed", layout);
    CDelimitedFormat comma = CDelimitedFormat::CommaDelimited();
    AddForm(seeds, 1, "format-comma", comma);
    CDelimitedFormat tab = CDelimitedFormat::TabDelimited();
    AddForm(seeds, 1, "format-tab", tab);
    DelimitedExportOptions options;
    AddForm(seeds, 2, "options-default", options);
    options.selectedFieldsOnly = 1;
    options.fields.Add(1);
    options.fields.Add(45);
    AddForm(seeds, 2, "options-fields", options);
    DuplicateSettings duplicates;
    const BYTE codes[] = {255, 254, 253, 45};
    duplicates.SetFields(codes, 4);
    duplicates.yearOnly = 1;
    AddForm(seeds, 3, "duplicates", duplicates);
}
