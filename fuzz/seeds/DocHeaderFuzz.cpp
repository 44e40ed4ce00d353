// Seeds: headers of each document kind as the project writes them.
#include "FuzzSeeds.h"

#include "classlib/CString.h"
#include "database/file/DocHeader.h"

void WriteSeeds(FuzzSeeds& seeds)
{
    seeds.AddStored("database", [](CArchive& ar) {
        StoreDocumentHeader(ar, 0, 0, docTypeDatabase, docVersionDatabase, "References", "Comments");
        ar << CString("after");
    });
    seeds.AddStored("database-long-title", [](CArchive& ar) {
        StoreDocumentHeader(ar, 0, 0, docTypeDatabase, docVersionDatabase, CString('t', 300), CString());
    });
    seeds.AddStored("style", [](CArchive& ar) {
        StoreDocumentHeader(ar, 0x1234, 0x5678, docTypeOutputStyle, docVersionOutputStyle, "Style", "");
    });
}
