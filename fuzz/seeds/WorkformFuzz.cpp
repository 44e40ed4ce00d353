// Seeds: workform descriptors and workform files as the program writes them.
#include "FuzzSeeds.h"

#include "database/text/WorkformDoc.h"
#include "database/text/WorkformInfo.h"

namespace {
void StoreFile(CArchive& ar, CWorkformDoc& doc)
{
    ar << BYTE(1);
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
}
} // namespace

void WriteSeeds(FuzzSeeds& seeds)
{
    const char* names[kWorkformFields];
    for (int n = 1; n <= kWorkformFields; ++n)
        names[n - 1] = n % 3 == 0 ? "" : GetBuiltInFieldName(n);
    CWorkformInfo info("Journal, Article", 0, names, "");
    seeds.AddStored("descriptor", [&](CArchive& ar) {
        ar << BYTE(0);
        info.Serialize(ar);
    });
    CWorkformInfo plain;
    seeds.AddStored("descriptor-built-in-names", [&](CArchive& ar) {
        ar << BYTE(0);
        plain.Serialize(ar);
    });

    CWorkformDoc doc;
    doc.m_bAutoDelete = FALSE;
    doc.OnNewDocument();
    seeds.AddStored("new-workform-file", [&](CArchive& ar) { StoreFile(ar, doc); });
    doc.SetWorkformId(21748);
    doc.SetWorkformName("Thesis");
    FieldSet fields;
    for (int n : {1, 4, 11, 19, 20, 42, 43, 44, 45})
        fields.Add(n);
    doc.SetUsedFields(fields);
    doc.SetFieldName(11, "Thesis Title");
    doc.SetFieldName(19, CString('u', 300));
    seeds.AddStored("thesis-workform-file", [&](CArchive& ar) { StoreFile(ar, doc); });
}
