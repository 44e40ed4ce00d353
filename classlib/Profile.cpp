#include "classlib/Profile.h"

#include <cstring>

#ifdef _WIN32

namespace
{
// Deletes a key with all its subkeys (the registry refuses to delete a key
// that still has subkeys).
bool DeleteKeyTree(HKEY hParent, LPCTSTR lpszName)
{
    HKEY hKey;
    if (::RegOpenKeyExA(hParent, lpszName, 0, KEY_READ | KEY_WRITE, &hKey) != ERROR_SUCCESS)
        return false;
    char sub[256];
    for (;;)
    {
        DWORD len = sizeof sub;
        if (::RegEnumKeyExA(hKey, 0, sub, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (!DeleteKeyTree(hKey, sub))
        {
            ::RegCloseKey(hKey);
            return false;
        }
    }
    ::RegCloseKey(hKey);
    return ::RegDeleteKeyA(hParent, lpszName) == ERROR_SUCCESS;
}

class RegKey
{
public:
    RegKey(const CString& path, bool create)
    {
        LONG rc = create ? ::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                             KEY_READ | KEY_WRITE, nullptr, &m_hKey, nullptr)
                         : ::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &m_hKey);
        if (rc != ERROR_SUCCESS)
            m_hKey = nullptr;
    }
    ~RegKey()
    {
        if (m_hKey)
            ::RegCloseKey(m_hKey);
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    HKEY get() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};
} // namespace

UINT CProfile::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) const
{
    RegKey key(SectionPath(lpszSection), false);
    DWORD type = 0, value = 0, size = sizeof value;
    if (key.get() && ::RegQueryValueExA(key.get(), lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                        &size) == ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof value)
        return UINT(value);
    return UINT(nDefault);
}

BOOL CProfile::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    RegKey key(SectionPath(lpszSection), true);
    DWORD value = DWORD(nValue);
    return key.get() && ::RegSetValueExA(key.get(), lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                         sizeof value) == ERROR_SUCCESS;
}

CString CProfile::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) const
{
    RegKey key(SectionPath(lpszSection), false);
    DWORD type = 0, size = 0;
    if (key.get() && ::RegQueryValueExA(key.get(), lpszEntry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ))
    {
        CString value;
        char* buf = value.GetBuffer(int(size) + 1);
        DWORD got = size;
        if (::RegQueryValueExA(key.get(), lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(buf), &got) ==
            ERROR_SUCCESS)
        {
            buf[got < size + 1 ? got : size] = 0;
            value.ReleaseBuffer();
            return value;
        }
        value.ReleaseBuffer(0);
    }
    return CString(lpszDefault);
}

BOOL CProfile::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (lpszEntry == nullptr)
        return DeleteSection(lpszSection);
    if (lpszValue == nullptr)
    {
        RegKey key(SectionPath(lpszSection), true);
        return key.get() && ::RegDeleteValueA(key.get(), lpszEntry) == ERROR_SUCCESS;
    }
    RegKey key(SectionPath(lpszSection), true);
    return key.get() && ::RegSetValueExA(key.get(), lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                                         DWORD(std::strlen(lpszValue) + 1)) == ERROR_SUCCESS;
}

BOOL CProfile::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, BYTE** ppData, UINT* pBytes) const
{
    *ppData = nullptr;
    *pBytes = 0;
    RegKey key(SectionPath(lpszSection), false);
    DWORD type = 0, size = 0;
    if (!key.get() || ::RegQueryValueExA(key.get(), lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_BINARY)
        return FALSE;
    BYTE* data = new BYTE[size ? size : 1];
    if (::RegQueryValueExA(key.get(), lpszEntry, nullptr, &type, data, &size) != ERROR_SUCCESS)
    {
        delete[] data;
        return FALSE;
    }
    *ppData = data;
    *pBytes = UINT(size);
    return TRUE;
}

BOOL CProfile::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, const BYTE* pData, UINT nBytes)
{
    RegKey key(SectionPath(lpszSection), true);
    return key.get() && ::RegSetValueExA(key.get(), lpszEntry, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
}

BOOL CProfile::DeleteSection(LPCTSTR lpszSection)
{
    if (lpszSection == nullptr || *lpszSection == 0)
        return FALSE;
    return DeleteKeyTree(HKEY_CURRENT_USER, SectionPath(lpszSection));
}

BOOL CProfile::DeleteTree()
{
    // Never "Software" itself: without a profile name there is no tree of ours.
    if (m_strProfileName.IsEmpty())
        return FALSE;
    return DeleteKeyTree(HKEY_CURRENT_USER, GetRootPath());
}

#else // native: file-backed store

#include "classlib/File.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>
#include <unistd.h>

// Store file layout (text, one item per line, 8-bit):
//   [<key path>]              a key, e.g. [Software\Quenmark\Lorvane 5\Application Settings\Directories]
//   i<TAB><name><TAB><decimal> a 32-bit integer value
//   s<TAB><name><TAB><text>    a text value
//   b<TAB><name><TAB><hex>     a binary value, two lower-case hex digits per byte
// In key paths, names and texts "\" is written "\\", and tab, CR, LF as
// "\t", "\r", "\n".  Lines that match nothing are ignored.  The whole file
// is rewritten (through a temporary file and a rename) on every change.
namespace
{
struct NoCaseLess
{
    bool operator()(const std::string& a, const std::string& b) const
    {
        size_t n = a.size() < b.size() ? a.size() : b.size();
        for (size_t i = 0; i < n; ++i)
        {
            unsigned char ca = (unsigned char)a[i], cb = (unsigned char)b[i];
            if (ca >= 'a' && ca <= 'z')
                ca = (unsigned char)(ca - 32);
            if (cb >= 'a' && cb <= 'z')
                cb = (unsigned char)(cb - 32);
            if (ca != cb)
                return ca < cb;
        }
        return a.size() < b.size();
    }
};

struct Value
{
    char type = 's'; // 'i', 's' or 'b'
    std::string name;
    std::string data; // decimal text, the text, or the raw bytes
};

struct Key
{
    std::string path;
    std::map<std::string, Value, NoCaseLess> values;
};

using Store = std::map<std::string, Key, NoCaseLess>;

std::string& StorePathOverride()
{
    static std::string path;
    return path;
}

std::string StoreFile()
{
    if (!StorePathOverride().empty())
        return StorePathOverride();
    if (const char* env = std::getenv("LORVANE_PROFILE"))
        if (*env)
            return env;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.lorvane5-profile";
}

std::string Escape(const std::string& s)
{
    std::string out;
    for (char c : s)
    {
        switch (c)
        {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default: out += c; break;
        }
    }
    return out;
}

std::string Unescape(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i)
    {
        if (s[i] == '\\' && i + 1 < s.size())
        {
            char c = s[++i];
            out += c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
        }
        else
        {
            out += s[i];
        }
    }
    return out;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The store as on disk; read afresh at each access, so that every CProfile
// and every process sees the last write.
Store Load()
{
    Store store;
    FILE* f = std::fopen(StoreFile().c_str(), "rb");
    if (f == nullptr)
        return store;
    std::string line;
    Key* current = nullptr;
    auto flush = [&]() {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
        {
            std::string path = Unescape(line.substr(1, line.size() - 2));
            Key& k = store[path];
            k.path = path;
            current = &k;
        }
        else if (current && line.size() >= 3 && line[1] == '\t' &&
                 (line[0] == 'i' || line[0] == 's' || line[0] == 'b'))
        {
            size_t tab = line.find('\t', 2);
            if (tab != std::string::npos)
            {
                Value v;
                v.type = line[0];
                v.name = Unescape(line.substr(2, tab - 2));
                std::string raw = line.substr(tab + 1);
                if (v.type == 'b')
                {
                    for (size_t i = 0; i + 1 < raw.size(); i += 2)
                    {
                        int hi = HexDigit(raw[i]), lo = HexDigit(raw[i + 1]);
                        if (hi < 0 || lo < 0)
                            break;
                        v.data += char(hi * 16 + lo);
                    }
                }
                else
                {
                    v.data = v.type == 's' ? Unescape(raw) : raw;
                }
                current->values[v.name] = v;
            }
        }
        line.clear();
    };
    int c;
    while ((c = std::fgetc(f)) != EOF)
    {
        if (c == '\n')
            flush();
        else
            line += char(c);
    }
    flush();
    std::fclose(f);
    return store;
}

bool Save(const Store& store)
{
    std::string path = StoreFile();
    std::string tmp = path + ".tmp";
    FILE* f = std::fopen(tmp.c_str(), "wb");
    if (f == nullptr)
        return false;
    static const char hex[] = "0123456789abcdef";
    std::string out;
    for (const auto& kv : store)
    {
        out += "[" + Escape(kv.second.path) + "]\n";
        for (const auto& vv : kv.second.values)
        {
            const Value& v = vv.second;
            out += v.type;
            out += '\t';
            out += Escape(v.name);
            out += '\t';
            if (v.type == 'b')
            {
                for (unsigned char b : v.data)
                {
                    out += hex[b >> 4];
                    out += hex[b & 15];
                }
            }
            else
            {
                out += v.type == 's' ? Escape(v.data) : v.data;
            }
            out += '\n';
        }
    }
    bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    ok = std::fclose(f) == 0 && ok;
    if (!ok || std::rename(tmp.c_str(), path.c_str()) != 0)
    {
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}

const Value* Find(const Store& store, const std::string& keyPath, LPCTSTR lpszEntry)
{
    if (lpszEntry == nullptr)
        return nullptr;
    auto k = store.find(keyPath);
    if (k == store.end())
        return nullptr;
    auto v = k->second.values.find(lpszEntry);
    return v == k->second.values.end() ? nullptr : &v->second;
}

BOOL Put(const std::string& keyPath, LPCTSTR lpszEntry, char type, const std::string& data)
{
    if (lpszEntry == nullptr)
        return FALSE;
    Store store = Load();
    Key& k = store[keyPath];
    if (k.path.empty())
        k.path = keyPath;
    Value& v = k.values[lpszEntry];
    if (v.name.empty())
        v.name = lpszEntry;
    v.type = type;
    v.data = data;
    return Save(store) ? TRUE : FALSE;
}

// Removes the key and every key below it; FALSE when there was none.
BOOL EraseTree(const std::string& keyPath)
{
    Store store = Load();
    bool any = false;
    std::string prefix = keyPath + "\\";
    for (auto it = store.begin(); it != store.end();)
    {
        const std::string& p = it->first;
        bool below = p.size() > prefix.size() && !NoCaseLess()(p.substr(0, prefix.size()), prefix) &&
                     !NoCaseLess()(prefix, p.substr(0, prefix.size()));
        if (below || (!NoCaseLess()(p, keyPath) && !NoCaseLess()(keyPath, p)))
        {
            it = store.erase(it);
            any = true;
        }
        else
        {
            ++it;
        }
    }
    if (!any)
        return FALSE;
    return Save(store) ? TRUE : FALSE;
}
} // namespace

void CProfile::SetStoreFile(LPCTSTR lpszPath)
{
    StorePathOverride() = lpszPath ? std::string(AfxNativePath(lpszPath)) : std::string();
}

CString CProfile::GetStoreFile()
{
    return CString(StoreFile().c_str());
}

UINT CProfile::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) const
{
    Store store = Load();
    const Value* v = Find(store, std::string(SectionPath(lpszSection)), lpszEntry);
    if (v == nullptr || v->type != 'i')
        return UINT(nDefault);
    return UINT(std::strtoul(v->data.c_str(), nullptr, 10));
}

BOOL CProfile::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    return Put(std::string(SectionPath(lpszSection)), lpszEntry, 'i', std::to_string(uint32_t(nValue)));
}

CString CProfile::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) const
{
    Store store = Load();
    const Value* v = Find(store, std::string(SectionPath(lpszSection)), lpszEntry);
    if (v == nullptr || v->type != 's')
        return CString(lpszDefault);
    return CString(v->data.c_str());
}

BOOL CProfile::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (lpszEntry == nullptr)
        return DeleteSection(lpszSection);
    std::string keyPath(SectionPath(lpszSection));
    if (lpszValue == nullptr)
    {
        Store store = Load();
        auto k = store.find(keyPath);
        if (k == store.end() || k->second.values.erase(lpszEntry) == 0)
            return FALSE;
        return Save(store) ? TRUE : FALSE;
    }
    return Put(keyPath, lpszEntry, 's', lpszValue);
}

BOOL CProfile::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, BYTE** ppData, UINT* pBytes) const
{
    *ppData = nullptr;
    *pBytes = 0;
    Store store = Load();
    const Value* v = Find(store, std::string(SectionPath(lpszSection)), lpszEntry);
    if (v == nullptr || v->type != 'b')
        return FALSE;
    BYTE* data = new BYTE[v->data.size() ? v->data.size() : 1];
    std::memcpy(data, v->data.data(), v->data.size());
    *ppData = data;
    *pBytes = UINT(v->data.size());
    return TRUE;
}

BOOL CProfile::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, const BYTE* pData, UINT nBytes)
{
    std::string data(reinterpret_cast<const char*>(pData), pData ? nBytes : 0);
    return Put(std::string(SectionPath(lpszSection)), lpszEntry, 'b', data);
}

BOOL CProfile::DeleteSection(LPCTSTR lpszSection)
{
    if (lpszSection == nullptr || *lpszSection == 0)
        return FALSE;
    return EraseTree(std::string(SectionPath(lpszSection)));
}

BOOL CProfile::DeleteTree()
{
    if (m_strProfileName.IsEmpty())
        return FALSE;
    return EraseTree(std::string(GetRootPath()));
}

#endif

void CProfile::SetRegistryKey(LPCTSTR lpszRegistryKey, LPCTSTR lpszAppName)
{
    m_strRegistryKey = lpszRegistryKey;
    if (lpszAppName != nullptr)
        m_strProfileName = lpszAppName;
}

void CProfile::SetProfileName(LPCTSTR lpszProfileName)
{
    m_strProfileName = lpszProfileName;
}

CString CProfile::GetRootPath() const
{
    CString path("Software");
    if (!m_strRegistryKey.IsEmpty())
        path += "\\" + m_strRegistryKey;
    if (!m_strProfileName.IsEmpty())
        path += "\\" + m_strProfileName;
    return path;
}

CString CProfile::SectionPath(LPCTSTR lpszSection) const
{
    CString path = GetRootPath();
    if (lpszSection != nullptr && *lpszSection)
        path += CString("\\") + lpszSection;
    return path;
}

CProfile& AfxGetProfile()
{
    static CProfile profile;
    return profile;
}
