// The tagged-file transfer object's own in-process server: its class object,
// its registration and the module's unload answer. Objects made here use the
// module's own copy of the class library and database code. Built into its own DLL
// only (the program and the tests link the library without this file's
// exports); registration writes the machine's classes and falls back to the
// current user's when those refuse the write.
#include "exchange/tagged/win/TransferTaggedFileObject.h"

#include "app/core/ApplicationProfile.h"
#include "app/core/SettingsCatalogue.h"
#include "classlib/WinApp.h"
#include "classlib/win/OleObjectFactory.h"

#include <ole2.h>
#include <olectl.h>

#include <string>
#include <vector>

extern const CLSID CLSID_TransferTaggedFile;

namespace {

const char kProgID[] = "Lorvane5.TransferTaggedFile";

HINSTANCE g_module = nullptr;

class TransferTaggedFileFactory : public COleObjectFactory
{
public:
    TransferTaggedFileFactory() : COleObjectFactory(CLSID_TransferTaggedFile, nullptr, FALSE, kProgID) {}
    CCmdTarget* OnCreateObject() override
    {
        RefreshSettings();
        return new TransferTaggedFileObject;
    }

private:
    // The module's settings are its own copies, cached at first read: each
    // new object takes what the program has stored since, so a preference
    // changed in the program's window applies to the next import.
    static void RefreshSettings()
    {
        static IntSetting* const read[] = {&Settings::DiscardDuplicates};
        for (IntSetting* setting : read)
            setting->Set(static_cast<int>(
                AfxGetApp()->GetProfileInt(setting->GetSection(), setting->GetKey(), setting->GetDefault())));
    }
};

// The module's own application object: the objects read the program's
// settings (Discard Duplicates among them) through it, whatever process
// loaded the module.
struct Module
{
    Module() : app("Lorvane5") { SetUpApplicationProfile(app, FALSE); }
    CWinApp app;
    TransferTaggedFileFactory factory;
};

TransferTaggedFileFactory& Factory()
{
    static Module module;
    return module.factory;
}

std::string ClsidText()
{
    LPOLESTR wide = nullptr;
    std::string text;
    if (SUCCEEDED(::StringFromCLSID(CLSID_TransferTaggedFile, &wide))) {
        char buffer[64] = {};
        ::WideCharToMultiByte(CP_ACP, 0, wide, -1, buffer, sizeof(buffer), nullptr, nullptr);
        text = buffer;
        ::CoTaskMemFree(wide);
    }
    return text;
}

struct RegistryEntry
{
    std::string key; // below Software\Classes
    const char* name; // nullptr: the key's default value
    std::string value;
};

// The class's keys, parents before children (removal walks them backwards).
std::vector<RegistryEntry> Entries(const std::string& modulePath)
{
    const std::string progId = kProgID;
    const std::string clsidKey = "CLSID\\" + ClsidText();
    return {
        {progId, nullptr, progId},
        {progId + "\\CLSID", nullptr, ClsidText()},
        {clsidKey, nullptr, progId},
        {clsidKey + "\\ProgID", nullptr, progId},
        {clsidKey + "\\InprocServer32", nullptr, modulePath},
        {clsidKey + "\\InprocServer32", "ThreadingModel", "Apartment"},
    };
}

BOOL WriteEntries(HKEY root, const std::vector<RegistryEntry>& entries)
{
    for (const RegistryEntry& entry : entries) {
        HKEY key = nullptr;
        const std::string path = "Software\\Classes\\" + entry.key;
        if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                              nullptr) != ERROR_SUCCESS)
            return FALSE;
        const LONG result =
            ::RegSetValueExA(key, entry.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(entry.value.c_str()),
                             static_cast<DWORD>(entry.value.size() + 1));
        ::RegCloseKey(key);
        if (result != ERROR_SUCCESS)
            return FALSE;
    }
    return TRUE;
}

void RemoveEntries(HKEY root, const std::vector<RegistryEntry>& entries)
{
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        ::RegDeleteKeyA(root, ("Software\\Classes\\" + it->key).c_str());
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object)
{
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (clsid != CLSID_TransferTaggedFile)
        return CLASS_E_CLASSNOTAVAILABLE;
    return Factory().GetClassFactory()->QueryInterface(iid, object);
}

// The class library keeps process-wide state that outlives the objects: the
// module stays once loaded.
STDAPI DllCanUnloadNow()
{
    return S_FALSE;
}

STDAPI DllRegisterServer()
{
    char path[MAX_PATH] = {};
    if (::GetModuleFileNameA(g_module, path, MAX_PATH) == 0)
        return SELFREG_E_CLASS;
    const std::vector<RegistryEntry> entries = Entries(path);
    if (WriteEntries(HKEY_LOCAL_MACHINE, entries) || WriteEntries(HKEY_CURRENT_USER, entries))
        return S_OK;
    return SELFREG_E_CLASS;
}

STDAPI DllUnregisterServer()
{
    const std::vector<RegistryEntry> entries = Entries("");
    RemoveEntries(HKEY_LOCAL_MACHINE, entries);
    RemoveEntries(HKEY_CURRENT_USER, entries);
    return S_OK;
}
