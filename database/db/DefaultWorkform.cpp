#include "database/db/DefaultWorkform.h"

#include "app/core/SettingsCatalogue.h"
#include "classlib/WinApp.h"
#include "database/text/WorkformTable.h"

namespace {
const char kJournalArticle[] = "Journal, Article";

// The table's workform of that name, or NULL.
const IWorkformInfo* Named(const CWorkformTable& table, const char* name)
{
    const IWorkformInfo& found = table.FindByName(name);
    return &found == &table.GetDefault() ? nullptr : &found;
}
} // namespace

const IWorkformInfo& GetDefaultWorkform()
{
    const CWorkformTable& table = GetWorkformTable();
    const CString wanted = AfxGetApp() != nullptr ? Settings::DefaultWorkform.Get()
                                                  : CString(Settings::DefaultWorkform.GetDefault());
    if (const IWorkformInfo* workform = Named(table, wanted))
        return *workform;
    if (const IWorkformInfo* workform = Named(table, kJournalArticle))
        return *workform;
    if (table.GetCount() > 0)
        return table.GetAt(0);
    return table.GetDefault();
}

void SetDefaultWorkform(int id)
{
    SetDefaultWorkformName(GetWorkformTable().GetName(id));
}

void SetDefaultWorkformName(const char* name)
{
    Settings::DefaultWorkform.Set(name);
}
