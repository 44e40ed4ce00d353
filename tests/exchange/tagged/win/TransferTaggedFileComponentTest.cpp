#include <gtest/gtest.h>

#include "../TaggedTestSupport.h"

#include "exchange/tagged/TaggedImportRun.h"
#include "exchange/tagged/win/TransferTaggedFileDriver.h"

#include "app/core/ApplicationProfile.h"

#include <objbase.h>

#include <string>

namespace {

const char kProgID[] = "Lorvane5.TransferTaggedFile";

// The program's own settings tree, which the component reads whatever process loads it.
const std::string kDatabaseSettings =
    std::string("Software\\") + kRegistryKey + "\\" + kProfileName + "\\Database Settings";

std::string WindowsPath(std::string path)
{
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path[0] == '\\' ? "Z:" + path : path;
}

BOOL ProgIDKnown()
{
    CLSID clsid = {};
    return SUCCEEDED(::CLSIDFromProgID(L"Lorvane5.TransferTaggedFile", &clsid));
}

void SetProgramDiscardDuplicates(DWORD value)
{
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kDatabaseSettings.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExA(key, "Discard Duplicates", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                     sizeof value);
    ::RegCloseKey(key);
}

// The component's DLL, loaded and registered in the test prefix for the test's length.
class TransferTaggedFileComponentTest : public DelimitedTest
{
protected:
    void SetUp() override
    {
        DelimitedTest::SetUp();
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        m_module = ::LoadLibraryA(WindowsPath(LORVANE_TRANSFER_TAGGED_DLL).c_str());
        ASSERT_NE(m_module, nullptr);
        ASSERT_EQ(Call("DllRegisterServer"), S_OK);
    }
    void TearDown() override
    {
        if (m_module != nullptr) {
            EXPECT_EQ(Call("DllUnregisterServer"), S_OK);
            EXPECT_FALSE(ProgIDKnown()) << "the class stays registered";
            ::FreeLibrary(m_module);
        }
        ::CoUninitialize();
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kDatabaseSettings.c_str());
        for (const char* ext : {".ldt", ".ldx", ""})
            WorkformFixtureFiles::RemoveQuietly(m_reserved + ext);
        DelimitedTest::TearDown();
    }
    HRESULT Call(const char* name)
    {
        using Entry = HRESULT(STDAPICALLTYPE*)();
        auto* entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(::GetProcAddress(m_module, name)));
        return entry != nullptr ? entry() : E_NOTIMPL;
    }
    CString NewDatabase()
    {
        m_reserved = MakeTempFileName();
        DBDatabase db;
        db.SetPathName(m_reserved + ".ldt");
        db.CreateNew();
        return m_reserved + ".ldt";
    }
    HMODULE m_module = nullptr;
    CString m_reserved;
};

TEST_F(TransferTaggedFileComponentTest, RegistrationNamesTheModuleAsTheClassesInProcessServer)
{
    CLSID clsid = {};
    ASSERT_TRUE(SUCCEEDED(::CLSIDFromProgID(L"Lorvane5.TransferTaggedFile", &clsid)));
    LPOLESTR wide = nullptr;
    ASSERT_TRUE(SUCCEEDED(::StringFromCLSID(clsid, &wide)));
    char text[64] = {};
    ::WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    ::CoTaskMemFree(wide);
    char server[MAX_PATH] = {};
    LONG size = sizeof server;
    ASSERT_EQ(::RegQueryValueA(HKEY_CLASSES_ROOT, (std::string("CLSID\\") + text + "\\InprocServer32").c_str(),
                               server, &size),
              ERROR_SUCCESS);
    char modulePath[MAX_PATH] = {};
    ::GetModuleFileNameA(m_module, modulePath, MAX_PATH);
    EXPECT_EQ(lstrcmpiA(server, modulePath), 0) << server;
}

struct ComponentImportCase
{
    const char* name;
    DWORD discardDuplicates;
    int stored;
    const char* counts;
};

TEST_F(TransferTaggedFileComponentTest, MadeByItsProgIDItImportsThroughTheDriverIntoTheDatabase)
{
    const ComponentImportCase cases[] = {
        {"duplicates discarded", 1, 100, "Number of records imported: 100\nNumber of duplicates discarded: 4"},
        {"duplicates kept", 0, 104, "Number of records imported: 104\nNumber of duplicates discarded: 0"},
    };
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += RisRecord(i);
    for (int i = 0; i < 4; ++i)
        text += RisRecord(i).replace(RisRecord(i).find("ID  - R"), 7, "ID  - D");
    TestTextFile file(text);
    for (const ComponentImportCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetProgramDiscardDuplicates(c.discardDuplicates);
        const CString database = NewDatabase();
        {
            CTransferTaggedFileDriver driver;
            COleException error;
            ASSERT_TRUE(driver.CreateDispatch(kProgID, &error)) << std::hex << error.m_sc;
            CMessageBoxScript boxes;
            RunTaggedImport(driver, file.Path(), FALSE, ShippedConfigPath("RIS.cfg"), database);
            ASSERT_EQ(boxes.CallCount(), 1);
            EXPECT_NE(std::string(boxes.LastCall().text).find(c.counts), std::string::npos)
                << (const char*)boxes.LastCall().text;
        } // the last reference goes: the object closes its database
        DBDocument* document = new DBDocument;
        ASSERT_TRUE(document->OpenFile(database, 0));
        EXPECT_EQ(document->GetDatabase().GetAllRecords().GetCount(), c.stored);
        EXPECT_TRUE(document->GetDatabase().GetMarkedRecords() == document->GetDatabase().GetAllRecords());
        document->OnCloseDocument();
        for (const char* ext : {".ldt", ".ldx", ""})
            WorkformFixtureFiles::RemoveQuietly(m_reserved + ext);
    }
}

} // namespace
