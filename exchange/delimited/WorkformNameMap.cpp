#include "exchange/delimited/WorkformNameMap.h"

#include "database/text/WorkformTable.h"

#include <cstring>

namespace {

struct NamePair
{
    const char* table;
    const char* file;
};

const NamePair kNamePairs[] = {
    {"Book Chapter", "Book, Chapter"},
    {"Book Long Form", "Book, Long Form"},
    {"Book Short Form", "Book, Short Form"},
    {"Book Whole", "Book, Whole"},
    {"Journal Article", "Journal, Article"},
    {"Journal Long Form", "Journal, Long Form"},
    {"Journal Short Form", "Journal, Short Form"},
    {"Journal Whole", "Journal, Whole"},
    {"Letter", "Letter (Correspondence)"},
};

} // namespace

const char* WorkformNameForExport(const char* tableName)
{
    for (const NamePair& pair : kNamePairs) {
        if (std::strcmp(tableName, pair.table) == 0)
            return pair.file;
    }
    return tableName;
}

const char* WorkformNameForImport(const char* fileName)
{
    for (const NamePair& pair : kNamePairs) {
        if (std::strcmp(fileName, pair.file) == 0)
            return pair.table;
    }
    return fileName;
}

int FindWorkformByName(const char* name)
{
    const CWorkformTable& table = GetWorkformTable();
    int id = table.GetIdFromText(name);
    if (id == -1) {
        const char* mapped = WorkformNameForImport(name);
        if (mapped != name)
            id = table.GetIdFromText(mapped);
    }
    return id;
}
