// What the delimited export and import tests share: a scratch profile, the
// standard workforms (and any others) as real workform files in the table,
// new workforms going to a folder of their own, databases on disk opened as
// documents, a scripted workform-letter chooser and file helpers.
#pragma once

#include "../../database/db/DatabaseTestSupport.h"
#include "support/WorkformFixtures.h"

#include "app/core/NativePath.h"
#include "app/core/Paths.h"
#include "app/core/SettingsCatalogue.h"
#include "database/db/DefaultWorkform.h"
#include "dbwindows/core/CDelimitedFormat.h"
#include "dbwindows/core/DBDocument.h"
#include "dbwindows/core/DelimitedExportOptions.h"
#include "exchange/delimited/DelimitedExportWriter.h"
#include "exchange/delimited/DelimitedImporter.h"
#include "exchange/delimited/WorkformLetterChooser.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

// A database file on disk, opened as a document; removed when the object goes.
class TestDatabase
{
public:
    TestDatabase()
    {
        m_reserved = MakeTempFileName();
        m_path = m_reserved + ".ldt";
        {
            DBDatabase db;
            db.SetPathName(m_path);
            db.CreateNew();
        }
        m_doc = new DBDocument;
        EXPECT_TRUE(m_doc->OpenFile(m_path, 0));
        m_doc->SetTitle("Test Database");
    }
    ~TestDatabase()
    {
        m_doc->OnCloseDocument();
        for (const char* ext : {".ldt", ".ldx", ""})
            WorkformFixtureFiles::RemoveQuietly(m_reserved + ext);
    }
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    DBDocument& Doc() { return *m_doc; }
    DBDatabase& Db() { return m_doc->GetDatabase(); }

    // Saves a new record as the editor does; its number.
    int32_t Add(int16_t workformId, const char* recordId,
                const std::vector<std::pair<int, std::string>>& fields)
    {
        DBRecord* record = m_doc->OpenRecord(-1, 0);
        EXPECT_NE(record, nullptr);
        record->AddRef();
        record->SetWorkformId(workformId);
        if (recordId != nullptr)
            record->SetRecordIdText(recordId);
        for (const auto& field : fields)
            record->SetField(StyledString(field.second.c_str()), (BYTE)field.first);
        EXPECT_TRUE(record->SaveRecord(-1, 0));
        const int32_t number = record->GetRecordNumber();
        record->Release();
        return number;
    }
    // The stored record of a number (owned by the caller).
    std::unique_ptr<DBRecord> Read(int32_t number)
    {
        std::unique_ptr<DBRecord> record(new DBRecord);
        record->m_bAutoDelete = FALSE;
        Db().ReadRecord(*record, number);
        return record;
    }

private:
    CString m_reserved;
    CString m_path;
    DBDocument* m_doc;
};

// Answers the workform-letter question from a script and counts the questions.
class ScriptedLetterChooser : public IWorkformLetterChooser
{
public:
    BOOL ChooseWorkform(char letter, int16_t& id) override
    {
        asked.push_back(letter);
        if (answers.empty())
            return FALSE;
        id = answers.front();
        answers.erase(answers.begin());
        return TRUE;
    }
    std::vector<int16_t> answers;
    std::string asked;
};

// A text file of the given bytes; removed when the object goes.
class TestTextFile
{
public:
    explicit TestTextFile(const std::string& bytes = std::string())
    {
        m_path = MakeTempFileName();
        Write(bytes);
    }
    ~TestTextFile() { WorkformFixtureFiles::RemoveQuietly(m_path); }
    TestTextFile(const TestTextFile&) = delete;
    TestTextFile& operator=(const TestTextFile&) = delete;

    void Write(const std::string& bytes)
    {
        CFile file(m_path, CFile::modeCreate | CFile::modeWrite);
        file.Write(bytes.data(), (UINT)bytes.size());
        file.Close();
    }
    std::string Read() const
    {
        CFile file(m_path, CFile::modeRead);
        std::string bytes(file.GetLength(), '\0');
        if (!bytes.empty())
            bytes.resize(file.Read(&bytes[0], (UINT)bytes.size()));
        return bytes;
    }
    const CString& Path() const { return m_path; }

private:
    CString m_path;
};

// The test's profile, workform table and workform folder: the table holds
// the standard fixtures (and any given), new workforms are saved into a
// folder of their own that is emptied at the end.
class DelimitedTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GetWorkformTable().RemoveAll();
        m_profile.reset(new ScratchProfileApp);
        m_folder = MakeTempFileName();
        WorkformFixtureFiles::RemoveQuietly(m_folder);
        MakeFolder(m_folder);
        Settings::WorkformFilePath.Set(m_folder);
        Settings::DiscardDuplicates.Set(0);
        SetDefaultWorkformName("Journal, Article");
        m_workforms.reset(new WorkformFixtureFiles(Fixtures()));
        m_previousImporter = DBDocument::SetDelimitedImporter(&RunDelimitedImportForTests);
    }
    void TearDown() override
    {
        DBDocument::SetDelimitedImporter(m_previousImporter);
        ScriptedProgressDisplay::StopAtCall(0);
        for (const CString& path : CreatedWorkformFiles())
            WorkformFixtureFiles::RemoveQuietly(path);
        RemoveFolder(m_folder);
        m_workforms.reset();
        GetWorkformTable().RemoveAll();
        Settings::WorkformFilePath.Set("");
        m_profile.reset();
    }
    virtual std::vector<WorkformFixture> Fixtures() { return StandardWorkformFixtures(); }

    // The workform files in the test's folder (those the imports created).
    std::vector<CString> CreatedWorkformFiles()
    {
        std::vector<CString> found;
        const CWorkformTable& table = GetWorkformTable();
        for (int i = 0; i < table.GetCount(); ++i) {
            const CString path = table.GetAt(i).GetPathName();
            if (path.Left(m_folder.GetLength()).CompareNoCase(m_folder) == 0)
                found.push_back(path);
        }
        return found;
    }
    // How many workforms of the table have the name (case-insensitive).
    static int CountNamed(const char* name)
    {
        int count = 0;
        const CWorkformTable& table = GetWorkformTable();
        for (int i = 0; i < table.GetCount(); ++i)
            count += CString(table.GetNameAt(i)).CompareNoCase(name) == 0 ? 1 : 0;
        return count;
    }

    // The product's import, with the test's chooser.
    static void RunDelimitedImportForTests(DBDocument& document, CFile& file, const CDelimitedFormat& format,
                                           int charSet)
    {
        CDelimitedImporter importer(s_chooser);
        importer.Import(document, file, format.fieldSeparator, format.recordTerminator, format.delimiter,
                        format.replacement, format.delimitFields, format.recordIds, format.allFields,
                        format.workformIndicators, (BYTE)charSet);
        s_lastStop = importer.GetStopMessage();
    }
    // Imports the file into the database through the document, as the import window does.
    UINT Import(TestDatabase& db, const TestTextFile& file, const CDelimitedFormat& format,
                IWorkformLetterChooser* chooser = nullptr, int charSet = 0)
    {
        s_chooser = chooser;
        s_lastStop = 0;
        db.Doc().ImportDelimitedFile(file.Path(), format, charSet);
        s_chooser = nullptr;
        return s_lastStop;
    }
    // Exports the set through the writer into the file.
    static BOOL Export(TestDatabase& db, const DBRecordSet& set, const CDelimitedFormat& format,
                       const DelimitedExportOptions& options, const TestTextFile& file)
    {
        CFile out(file.Path(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
        const BOOL all = ExportDelimitedRecords(db.Doc(), set, format, options, out);
        out.Close();
        return all;
    }

    static inline IWorkformLetterChooser* s_chooser = nullptr;
    static inline UINT s_lastStop = 0;
    static void MakeFolder(const CString& path)
    {
#ifdef _WIN32
        ::CreateDirectoryA(path, nullptr);
#else
        ::mkdir(AfxNativePath(path), 0700);
#endif
    }
    static void RemoveFolder(const CString& path)
    {
#ifdef _WIN32
        ::RemoveDirectoryA(path);
#else
        ::rmdir(AfxNativePath(path));
#endif
    }

    std::unique_ptr<ScratchProfileApp> m_profile;
    std::unique_ptr<WorkformFixtureFiles> m_workforms;
    CString m_folder;
    DBDocument::DelimitedImporter m_previousImporter = nullptr;
};
