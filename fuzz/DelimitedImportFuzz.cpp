// The delimited import over hostile text: the first bytes choose the format
// (flags, separator, terminator, delimiter) and the character set, the rest is
// the file, read by the quoted or the plain parser after any workform
// definitions into a new database. The import may only stop with its own
// messages, and workforms it creates must land in the scratch folder.
#include "FuzzSupport.h"

#include "app/core/SettingsCatalogue.h"
#include "classlib/MessageBox.h"
#include "classlib/Profile.h"
#include "classlib/WinApp.h"
#include "database/text/WorkformDoc.h"
#include "database/text/WorkformTable.h"
#include "dbwindows/core/DBDocument.h"
#include "exchange/delimited/DelimitedImporter.h"
#include "exchange/delimited/WorkformLetterChooser.h"

#include <dirent.h>
#include <sys/stat.h>

namespace {

const size_t kFormatBytes = 6;

class FixedChooser : public IWorkformLetterChooser
{
public:
    BOOL ChooseWorkform(char letter, int16_t& id) override
    {
        if (letter == 'Z')
            return FALSE;
        id = (int16_t)(letter - 'U');
        return TRUE;
    }
};

std::string WorkformFolder()
{
    static const std::string folder = FuzzScratchPath("workforms");
    return folder;
}

void EmptyFolder(const std::string& folder)
{
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            if (entry->d_name[0] != '.')
                std::remove((folder + "/" + entry->d_name).c_str());
        }
        closedir(dir);
    }
}

void Setup()
{
    static bool done = [] {
        CProfile::SetStoreFile(FuzzScratchPath("profile").c_str());
        CWinApp* app = new CWinApp("Lorvane5 Fuzz");
        app->SetRegistryKey("Quenmark");
        app->SetProfileName("Lorvane 5 Fuzz");
        mkdir(WorkformFolder().c_str(), 0700);
        Settings::WorkformFilePath.Set(("C:" + WorkformFolder()).c_str());
        return true;
    }();
    (void)done;
}

// Two workforms the text may name: "Journal, Article" (ID 0) and a user one.
void ResetWorkformTable()
{
    CWorkformTable& table = GetWorkformTable();
    table.RemoveAll();
    struct Known
    {
        const char* name;
        WORD id;
        int fields[6];
    } known[] = {{"Journal, Article", 0, {1, 4, 10, 20, 38, 45}},
                 {"Field Notes", 20500, {1, 3, 11, 0, 0, 0}}};
    for (const Known& k : known) {
        CWorkformDoc doc;
        doc.OnNewDocument();
        doc.SetWorkformId(k.id);
        doc.SetWorkformName(k.name);
        FieldSet used;
        for (int n : k.fields) {
            if (n != 0)
                used.Add(n);
        }
        doc.SetUsedFields(used);
        table.AddFromDocument(doc);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < kFormatBytes)
        return 0;
    Setup();
    ResetWorkformTable();
    EmptyFolder(WorkformFolder());
    const BYTE flags = data[0];
    Settings::DiscardDuplicates.Set((flags & 0x10) != 0);

    static const std::string textPath = FuzzScratchPath("delimited");
    static const std::string dbPath = FuzzScratchPath("import-db");
    FuzzWriteFile(textPath, data + kFormatBytes, size - kFormatBytes);
    std::remove((dbPath + ".ldt").c_str());
    std::remove((dbPath + ".ldx").c_str());
    {
        DBDatabase db;
        db.SetPathName(("C:" + dbPath + ".ldt").c_str());
        db.CreateNew();
    }
    CMessageBoxScript boxes;
    DBDocument* doc = new DBDocument;
    if (!doc->OpenFile(("C:" + dbPath + ".ldt").c_str(), 0)) {
        delete doc;
        return 0;
    }
    FixedChooser chooser;
    CDelimitedImporter importer(&chooser);
    FuzzStep([&] {
        CFile file(("C:" + textPath).c_str(), CFile::modeRead | CFile::shareDenyWrite);
        importer.Import(*doc, file, data[1], data[2], data[3], 0, (flags & 1) != 0, (flags & 2) != 0,
                        (flags & 4) != 0, (flags & 8) != 0, data[4]);
    });
    const UINT stop = importer.GetStopMessage();
    if (stop != 0 &&
        (stop < CDelimitedImporter::IDP_BAD_DEFINITION || stop > CDelimitedImporter::IDP_BAD_WORKFORM))
        FuzzFinding("an import stopped with a message of its own");
    for (const auto& call : boxes.Calls()) {
        if (call.promptId != 0 && (call.promptId < CDelimitedImporter::IDP_BAD_DEFINITION ||
                                   call.promptId > CDelimitedImporter::IDP_NO_RECORDS))
            FuzzFinding("a message the import does not list");
    }
    const CWorkformTable& table = GetWorkformTable();
    CString folder(("C:" + WorkformFolder() + "/").c_str());
    folder.Replace('/', '\\');
    for (int i = 0; i < table.GetCount(); ++i) {
        CString path = table.GetAt(i).GetPathName();
        path.Replace('/', '\\');
        if (!path.IsEmpty() && path.Left(folder.GetLength()).CompareNoCase(folder) != 0)
            FuzzFinding("a workform file outside the scratch folder");
    }
    doc->OnCloseDocument();
    return 0;
}
