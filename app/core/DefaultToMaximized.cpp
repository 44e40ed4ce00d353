#include "app/core/DefaultToMaximized.h"

#include "classlib/WinApp.h"

namespace {

const char kSection[] = "Application Options";
const char kEntry[] = "Default to Maximized";

} // namespace

BOOL GetDefaultToMaximized()
{
    return AfxGetApp()->GetProfileInt(kSection, kEntry, 0) != 0;
}

void SaveDefaultToMaximized(BOOL bMaximized)
{
    AfxGetApp()->WriteProfileInt(kSection, kEntry, bMaximized ? 1 : 0);
}
