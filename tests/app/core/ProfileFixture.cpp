#include "ProfileFixture.h"

#include "app/core/TempFile.h"
#include "classlib/Exceptions.h"
#include "classlib/File.h"
#include "classlib/Profile.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

void ProfileFixture::SetUp()
{
#ifndef _WIN32
    m_storeFile = MakeTempFileName();
    CProfile::SetStoreFile(AfxNativePath(m_storeFile)); // the store's file is named natively
#endif
    m_app = std::make_unique<CWinApp>("Lorvane5 Tests");
    m_app->SetRegistryKey("Quenmark");
    // A tree of its own per process, so test runs never meet each other's or the program's settings.
    char profileName[64];
#ifdef _WIN32
    std::snprintf(profileName, sizeof profileName, "Lorvane 5 Tests\\%lu", ::GetCurrentProcessId());
#else
    std::snprintf(profileName, sizeof profileName, "Lorvane 5 Tests\\%ld", static_cast<long>(::getpid()));
#endif
    m_app->SetProfileName(profileName);
    m_app->DeleteProfileTree();
}

void ProfileFixture::TearDown()
{
    m_app->DeleteProfileTree();
    m_app.reset();
#ifndef _WIN32
    CProfile::SetStoreFile(nullptr);
    try {
        CFile::Remove(m_storeFile);
    } catch (CException* e) {
        e->Delete();
    }
#endif
}

bool ProfileFixture::HasInt(const char* section, const char* key)
{
    return App().GetProfileInt(section, key, 12345) != 12345u ||
           App().GetProfileInt(section, key, 54321) != 54321u;
}
