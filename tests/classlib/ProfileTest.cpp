#include "classlib/Profile.h"

#include "FileTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
// A profile of its own: a scratch store file natively, a scratch registry
// tree on Windows; the tree is deleted afterwards.
class ProfileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
#ifndef _WIN32
        CProfile::SetStoreFile(dir.Path("profile.txt"));
#endif
        profile.SetRegistryKey("Lorvane Test", "Profile Test");
        profile.DeleteTree();
    }
    void TearDown() override
    {
        profile.DeleteTree();
#ifndef _WIN32
        CProfile::SetStoreFile(nullptr);
#endif
    }

    ScratchDir dir;
    CProfile profile;
};
} // namespace

TEST_F(ProfileTest, RoundTripOfEveryKind)
{
    EXPECT_EQ(profile.GetProfileInt("Application Options", "Show ToolTips", 1), 1u);
    EXPECT_STREQ(profile.GetProfileString("Directories", "Database File Path", "dflt"), "dflt");
    EXPECT_STREQ(profile.GetProfileString("Directories", "Database File Path"), "");

    EXPECT_TRUE(profile.WriteProfileInt("Application Options", "Show ToolTips", 0));
    EXPECT_TRUE(profile.WriteProfileInt("Application Options", "Negative", -1));
    const char* text = "C:\\Data\\Refs\tand\nmore \xE9";
    EXPECT_TRUE(profile.WriteProfileString("Directories", "Database File Path", text));
    const BYTE blob[] = {0x00, 0xFF, 0x0A, 0x0D, 0x5C, 0x09, 0x80};
    EXPECT_TRUE(profile.WriteProfileBinary("Database Settings", "Custom Sort", blob, sizeof blob));
    EXPECT_TRUE(profile.WriteProfileBinary("Database Settings", "Empty", blob, 0));

    // Another profile object on the same tree sees the values (names without case).
    CProfile other;
    other.SetRegistryKey("Lorvane Test");
    other.SetProfileName("Profile Test");
    EXPECT_EQ(other.GetProfileInt("application options", "SHOW TOOLTIPS", 1), 0u);
    EXPECT_EQ(int(other.GetProfileInt("Application Options", "Negative", 0)), -1);
    EXPECT_STREQ(other.GetProfileString("Directories", "Database File Path"), text);
    BYTE* data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(other.GetProfileBinary("Database Settings", "Custom Sort", &data, &size));
    ASSERT_EQ(size, sizeof blob);
    EXPECT_EQ(std::memcmp(data, blob, size), 0);
    delete[] data;
    ASSERT_TRUE(other.GetProfileBinary("Database Settings", "Empty", &data, &size));
    EXPECT_EQ(size, 0u);
    delete[] data;

    // A value of another kind reads as missing.
    EXPECT_EQ(profile.GetProfileInt("Directories", "Database File Path", 7), 7u);
    EXPECT_FALSE(profile.GetProfileBinary("Directories", "Database File Path", &data, &size));
    EXPECT_EQ(data, nullptr);

    // Overwriting replaces.
    EXPECT_TRUE(profile.WriteProfileInt("Application Options", "Show ToolTips", 5));
    EXPECT_EQ(profile.GetProfileInt("Application Options", "Show ToolTips", 1), 5u);
}

TEST_F(ProfileTest, DeletingEntriesSectionsAndTheTreeReturnsDefaults)
{
    profile.WriteProfileInt("Application Options", "Reload Last File", 0);
    profile.WriteProfileString("Directories", "Lists File Path", "x");
    profile.WriteProfileString("Directories", "Initial Text Path", "y");
    profile.WriteProfileInt("Toolbars\\Main", "Count", 3);

    EXPECT_TRUE(profile.WriteProfileString("Directories", "Lists File Path", nullptr));
    EXPECT_STREQ(profile.GetProfileString("Directories", "Lists File Path", "d"), "d");
    EXPECT_STREQ(profile.GetProfileString("Directories", "Initial Text Path", "d"), "y");

    EXPECT_TRUE(profile.DeleteSection("Directories"));
    EXPECT_STREQ(profile.GetProfileString("Directories", "Initial Text Path", "d"), "d");
    EXPECT_EQ(profile.GetProfileInt("Application Options", "Reload Last File", 1), 0u);

    // A sibling tree with a longer name that starts the same stays.
    CProfile sibling;
    sibling.SetRegistryKey("Lorvane Test", "Profile Test 2");
    sibling.WriteProfileInt("S", "Kept", 9);

    EXPECT_TRUE(profile.DeleteTree());
    EXPECT_EQ(profile.GetProfileInt("Application Options", "Reload Last File", 1), 1u);
    EXPECT_EQ(profile.GetProfileInt("Toolbars\\Main", "Count", 0), 0u);
    EXPECT_EQ(sibling.GetProfileInt("S", "Kept", 0), 9u);
    sibling.DeleteTree();

    // Writing after the delete builds the tree again.
    EXPECT_TRUE(profile.WriteProfileInt("Application Options", "Reload Last File", 0));
    EXPECT_EQ(profile.GetProfileInt("Application Options", "Reload Last File", 1), 0u);
}

TEST_F(ProfileTest, WithoutAProfileNameTheTreeIsNotDeleted)
{
    CProfile bare;
    EXPECT_FALSE(bare.DeleteTree());
    EXPECT_STREQ(profile.GetRootPath(), "Software\\Lorvane Test\\Profile Test");
}
