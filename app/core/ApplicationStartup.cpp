#include "app/core/ApplicationStartup.h"

#include "app/core/ApplicationProfile.h"
#include "app/core/ErrorReport.h"

void StartApplicationCore(CWinApp& app, BOOL bWipeSettings)
{
    SetUpApplicationProfile(app, bWipeSettings);
    InstallExceptionReporter();
}
