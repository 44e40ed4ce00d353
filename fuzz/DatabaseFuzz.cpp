// A database data file opened from bytes: the header of whatever version it
// claims, the resource table, the sort slots and the groups. Every prompt is
// answered Cancel, so nothing is converted, updated or rebuilt; a refused
// open (the user exception after its report) is a clean end.
#include "FuzzSupport.h"

#include "classlib/MessageBox.h"
#include "classlib/Profile.h"
#include "classlib/WinApp.h"
#include "database/db/DBDatabase.h"

namespace {

// The database reads its defaults through the application's profile.
CWinApp& FuzzApp()
{
    static CWinApp* app = [] {
        CProfile::SetStoreFile(FuzzScratchPath("profile").c_str());
        CWinApp* made = new CWinApp("Lorvane5 Fuzz");
        made->SetRegistryKey("Quenmark");
        made->SetProfileName("Lorvane 5 Fuzz");
        return made;
    }();
    return *app;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzApp();
    static const std::string path = FuzzScratchPath("database") + ".ldt";
    FuzzWriteFile(path, data, size);
    CMessageBoxScript script;
    for (int i = 0; i < 4; ++i)
        script.PushAnswer(IDCANCEL);
    DBDatabase db;
    db.SetPathName(path.c_str());
    FuzzStep([&] {
        try {
            CFileException error;
            if (db.OpenDatabase(CFile::modeRead | CFile::shareDenyWrite, &error))
                db.Close();
        } catch (CUserException* e) {
            e->Delete();
        }
    });
    if (db.IsOpen())
        db.Abort();
    return 0;
}
