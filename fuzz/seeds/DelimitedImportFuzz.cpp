// Exports of a small database by the project's own writer, in the comma and
// tab presets and a custom format, with and without definitions, each behind
// the format bytes the target reads first.
#include "FuzzSeeds.h"

#include "classlib/File.h"
#include "classlib/Profile.h"
#include "classlib/WinApp.h"
#include "database/db/DBRecord.h"
#include "database/text/WorkformDoc.h"
#include "database/text/WorkformTable.h"
#include "dbwindows/core/CDelimitedFormat.h"
#include "dbwindows/core/DBDocument.h"
#include "dbwindows/core/DelimitedExportOptions.h"
#include "exchange/delimited/DelimitedExportWriter.h"

#include <unistd.h>

namespace {

std::vector<unsigned char> FormatBytes(const CDelimitedFormat& f, BYTE charSet)
{
    const BYTE flags = (BYTE)((f.delimitFields ? 1 : 0) | (f.recordIds ? 2 : 0) | (f.allFields ? 4 : 0) |
                              (f.workformIndicators ? 8 : 0));
    return {flags, f.fieldSeparator, f.recordTerminator, f.delimiter, charSet, 0};
}

} // namespace

void WriteSeeds(FuzzSeeds& seeds)
{
    const std::string base = "/tmp/lorvane-seed-delimited-" + std::to_string(getpid());
    CProfile::SetStoreFile((base + ".profile").c_str());
    CWinApp app("Lorvane5 Fuzz Seeds");
    app.SetRegistryKey("Quenmark");
    app.SetProfileName("Lorvane 5 Fuzz Seeds");
    {
        CWorkformDoc user;
        user.OnNewDocument();
        user.SetWorkformId(20500);
        user.SetWorkformName("Field Notes");
        FieldSet used;
        used.Add(1);
        used.Add(3);
        used.Add(11);
        user.SetUsedFields(used);
        GetWorkformTable().AddFromDocument(user);
    }
    {
        DBDatabase db;
        db.SetPathName(("C:" + base + ".ldt").c_str());
        db.CreateNew();
    }
    DBDocument* doc = new DBDocument;
    doc->OpenFile(("C:" + base + ".ldt").c_str(), 0);
    const struct
    {
        int16_t workform;
        const char* id;
        const char* author;
        const char* title;
    } records[] = {{0, "12", "Smith, J.", "A \"q\" title"},
                   {(int16_t)20500, "7b", "Doe, A.", "Notes\r\non two lines"},
                   {21, "007", "Roe; K.", "Tab\there"}};
    for (const auto& r : records) {
        DBRecord* record = doc->OpenRecord(-1, 0);
        record->AddRef();
        record->SetWorkformId(r.workform);
        record->SetRecordIdText(r.id);
        record->SetField(StyledString(r.author), 1);
        record->SetField(StyledString(r.title), 11);
        record->SaveRecord(-1, 0);
        record->Release();
    }
    const struct
    {
        const char* name;
        CDelimitedFormat format;
        BOOL definitions;
    } formats[] = {{"comma", CDelimitedFormat::CommaDelimited(), TRUE},
                   {"tab", CDelimitedFormat::TabDelimited(), FALSE},
                   {"custom", CDelimitedFormat(';', '|', 1, '\'', '`', 1, 0, 0), TRUE}};
    for (const auto& f : formats) {
        const std::string path = base + "-" + f.name + ".txt";
        {
            CFile out(("C:" + path).c_str(), CFile::modeCreate | CFile::modeWrite);
            DelimitedExportOptions options;
            options.exportWorkformDefinitions = f.definitions;
            CDelimitedExportWriter writer(*doc, out, doc->GetDatabase().GetAllRecords());
            writer.SetOptions(f.format, options);
            writer.Run();
            out.Close();
        }
        std::vector<unsigned char> bytes = FormatBytes(f.format, 0);
        const std::vector<unsigned char> text = FuzzSeeds::TakeFile(path);
        bytes.insert(bytes.end(), text.begin(), text.end());
        seeds.Add(f.name, bytes);
    }
    doc->OnCloseDocument();
    std::remove((base + ".ldt").c_str());
    std::remove((base + ".ldx").c_str());
    std::remove((base + ".profile").c_str());
}
