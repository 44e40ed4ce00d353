// Seeds: record streams as the record writes them, and the two older forms.
#include "FuzzSeeds.h"

#include "database/db/DBRecord.h"
#include "database/text/StyledStringArchive.h"

namespace {
void WriteOlderForm(CArchive& ar, bool marked)
{
    if (marked)
        ar << WORD(0x8888) << WORD(1) << DWORD(1000) << DWORD(2000);
    ar << short(2) << int(4711);
    ar << BYTE(3);
    WriteStyledString(ar, StyledString("A title"));
    ar << BYTE(19);
    WriteStyledString(ar, StyledString("1999"));
    ar << BYTE(255);
}
} // namespace

void WriteSeeds(FuzzSeeds& seeds)
{
    DBRecord only45;
    only45.SetRecordIdText("17");
    only45.SetField(StyledString("x"), 45);
    seeds.AddStored("only-field-45", [&](CArchive& ar) { only45.Serialize(ar); });

    DBRecord full;
    full.SetWorkformId(21748);
    full.SetRecordIdText("A-12");
    StyledString author;
    author.AppendStyled("Smith, J.", 9, StyleRun(kStyleBold | kStyleItalic, 12, "Times New Roman", 9));
    author.AppendStyled("//", 2, StyleRun(0, 0, nullptr, 2));
    author.AppendStyled("\xC1\xE2", 2, StyleRun(0, 10, "Arial", 2, 204));
    full.SetField(author, 1);
    full.SetField(StyledString("A title"), 4);
    full.SetField(StyledString("Spring 1999"), 20);
    StyledString mac;
    mac.AppendStyled("a\xB9"
                     "b",
                     3, StyleRun(0, 0, "Times", 3, 0, kEncodingMacintosh));
    full.SetField(mac, 43);
    full.SetField(StyledString("keyword/other"), 45);
    seeds.AddStored("styled-fields", [&](CArchive& ar) { full.Serialize(ar); });

    seeds.AddStored("version-1", [](CArchive& ar) { WriteOlderForm(ar, true); });
    seeds.AddStored("no-marker", [](CArchive& ar) { WriteOlderForm(ar, false); });
}
