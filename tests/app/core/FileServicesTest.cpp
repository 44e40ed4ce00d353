// Temporary names, archiving into files and the start-up profile location.
#include "app/core/ApplicationStartup.h"
#include "app/core/ArchiveObject.h"
#include "app/core/DefaultToMaximized.h"
#include "app/core/TempFile.h"
#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "classlib/File.h"
#include "classlib/MemFile.h"
#include "classlib/Profile.h"

#include "ProfileFixture.h"

namespace {

TEST(MakeTempFileName, GivesNewExistingFilesWithThePrefix)
{
    const CString first = MakeTempFileName();
    const CString second = MakeTempFileName();
    EXPECT_STRNE(first, second);
    for (const CString& name : {first, second}) {
        const int slash = name.ReverseFind('\\');
        EXPECT_EQ(0, name.Mid(slash + 1).Left(2).CompareNoCase("lv")) << (const char*)name;
        CFileStatus status;
        EXPECT_TRUE(CFile::GetStatus(name, status)) << (const char*)name;
        EXPECT_EQ(0u, status.m_size);
        CFile::Remove(name);
    }
}

class Pair : public CObject
{
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << a << b;
        else
            ar >> a >> b;
    }
    int a = 0;
    CString b;
};

TEST(ArchiveObject, StoresAndLoadsFromTheStartAndRewinds)
{
    CMemFile file;
    file.Write("junk", 4); // left over from earlier use: overwritten from the start
    Pair stored;
    stored.a = 0x11223344;
    stored.b = "xy";
    ArchiveObject(stored, file, FALSE);
    EXPECT_EQ(0u, file.GetPosition());
    EXPECT_EQ(7u, file.GetLength()); // 4 bytes, length byte, 2 characters

    Pair loaded;
    ArchiveObject(loaded, file, TRUE);
    EXPECT_EQ(0u, file.GetPosition());
    EXPECT_EQ(0x11223344, loaded.a);
    EXPECT_STREQ("xy", loaded.b);
}

TEST(ArchiveObject, LoadErrorsPropagate)
{
    CMemFile file;
    file.Write("\x01\x00", 2); // a cut-short 32-bit number
    Pair loaded;
    bool thrown = false;
    try {
        ArchiveObject(loaded, file, TRUE);
    } catch (CArchiveException* e) {
        thrown = e->m_cause == CArchiveException::endOfFile;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}

class ApplicationStartup : public ProfileFixture
{
};

TEST_F(ApplicationStartup, PointsTheProfileAtTheProgramsTree)
{
    const CString testProfile = App().GetProfileName();
    StartApplicationCore(App(), FALSE);
    EXPECT_STREQ("Quenmark", App().GetRegistryKey());
    EXPECT_STREQ("Lorvane 5\\Application Settings", App().GetProfileName());
    EXPECT_STREQ("Software\\Quenmark\\Lorvane 5\\Application Settings", App().GetProfile().GetRootPath());
    App().SetProfileName(testProfile); // the fixture wipes its own tree, not the program's
}

TEST_F(ApplicationStartup, DefaultToMaximizedIsOffUntilSaved)
{
    EXPECT_FALSE(GetDefaultToMaximized());
    SaveDefaultToMaximized(TRUE);
    EXPECT_TRUE(GetDefaultToMaximized());
    EXPECT_EQ(1u, App().GetProfileInt("Application Options", "Default to Maximized", 0));
}

} // namespace
