// The four workforms of the generated records, entered into the process-wide
// table, so that imports find them by name.
#pragma once

#include "database/db/FieldSet.h"
#include "database/text/WorkformDoc.h"
#include "database/text/WorkformTable.h"

inline void AddBenchWorkforms()
{
    const char* names[] = {"Journal, Article", "Book, Entire", "Book, Section", "Conference Proceeding"};
    for (int id = 0; id < 4; ++id) {
        CWorkformDoc doc;
        doc.OnNewDocument();
        doc.SetWorkformId((WORD)id);
        doc.SetWorkformName(names[id]);
        doc.SetUsedFields(FieldSet(FieldSet::kAllFields));
        GetWorkformTable().AddFromDocument(doc);
    }
}
