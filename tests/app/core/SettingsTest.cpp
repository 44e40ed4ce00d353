// Setting objects: read once, written on change, wiped with the tree.
#include "app/core/BinarySetting.h"
#include "app/core/IntSetting.h"
#include "app/core/SettingsCatalogue.h"
#include "app/core/StringListSetting.h"
#include "app/core/StringSetting.h"
#include "app/core/TypedBinarySetting.h"
#include "classlib/Archive.h"
#include "classlib/Collections.h"

#include "ProfileFixture.h"

#include <cstring>
#include <vector>

namespace {

const char kSection[] = "Test Options";

class IntSettings : public ProfileFixture
{
};

TEST_F(IntSettings, FirstGetReturnsTheDefaultWithoutCreatingTheValue)
{
    IntSetting setting(kSection, "Width", 250);
    EXPECT_EQ(250, setting.Get());
    EXPECT_FALSE(HasInt(kSection, "Width"));
}

TEST_F(IntSettings, ValueIsReadOnceAndSetWritesAtOnce)
{
    App().WriteProfileInt(kSection, "Width", 40);
    IntSetting setting(kSection, "Width", 250);
    EXPECT_EQ(40, setting.Get());
    App().WriteProfileInt(kSection, "Width", 41); // another process changes it: not seen once read
    EXPECT_EQ(40, setting.Get());

    setting.Set(7);
    EXPECT_EQ(7u, App().GetProfileInt(kSection, "Width", 0));
    App().WriteProfileInt(kSection, "Width", 8);
    EXPECT_EQ(7, setting.Get()); // from the cache, no read
}

TEST_F(IntSettings, SetOnAnUnreadSettingWritesEvenTheDefault)
{
    IntSetting setting(kSection, "Width", 250);
    setting.Set(250); // the cache held "not read", so this is a change
    EXPECT_TRUE(HasInt(kSection, "Width"));
    EXPECT_EQ(250u, App().GetProfileInt(kSection, "Width", 0));
}

TEST_F(IntSettings, SetMinusOneOnAnUnreadSettingWritesNothing)
{
    IntSetting setting(kSection, "Width", 250);
    setting.Set(-1);
    EXPECT_FALSE(HasInt(kSection, "Width"));
    EXPECT_EQ(250, setting.Get());
}

TEST_F(IntSettings, StoredMinusOneIsReadAgainAtEveryGet)
{
    App().WriteProfileInt(kSection, "Width", -1);
    IntSetting setting(kSection, "Width", 250);
    EXPECT_EQ(-1, setting.Get());
    App().WriteProfileInt(kSection, "Width", 3);
    EXPECT_EQ(3, setting.Get());
}

class StringSettings : public ProfileFixture
{
};

TEST_F(StringSettings, ReadOnceWrittenOnCaseSensitiveChange)
{
    StringSetting setting(kSection, "Font Name", "Times New Roman");
    EXPECT_STREQ("Times New Roman", setting.Get());
    EXPECT_STREQ("", App().GetProfileString(kSection, "Font Name", ""));

    setting.Set("Arial");
    EXPECT_STREQ("Arial", App().GetProfileString(kSection, "Font Name"));
    App().WriteProfileString(kSection, "Font Name", "Other");
    EXPECT_STREQ("Arial", setting.Get());

    setting.Set("ARIAL"); // differs only in case: still a change
    EXPECT_STREQ("ARIAL", App().GetProfileString(kSection, "Font Name"));
}

TEST_F(StringSettings, EmptyStoredTextIsReadAgainAndEmptySetOnUnreadWritesNothing)
{
    StringSetting unread(kSection, "Path", "default");
    unread.Set("");
    EXPECT_STREQ("none", App().GetProfileString(kSection, "Path", "none"));

    App().WriteProfileString(kSection, "Path", "");
    StringSetting setting(kSection, "Path", "default");
    EXPECT_STREQ("", setting.Get());
    App().WriteProfileString(kSection, "Path", "C:\\Data");
    EXPECT_STREQ("C:\\Data", setting.Get());
}

TEST_F(StringSettings, WipedTreeBringsEveryDefaultBack)
{
    // One run stores its preferences...
    {
        IntSetting width(kSection, "Width", 250);
        StringSetting font(kSection, "Font Name", "Times New Roman");
        width.Set(12);
        font.Set("Arial");
    }
    // ...the next starts with Shift held: the tree goes, fresh setting objects see their defaults.
    App().DeleteProfileTree();
    IntSetting width(kSection, "Width", 250);
    StringSetting font(kSection, "Font Name", "Times New Roman");
    EXPECT_EQ(250, width.Get());
    EXPECT_STREQ("Times New Roman", font.Get());
    CStringArray stopWords;
    Settings::GenericStopList.Get(stopWords);
    EXPECT_EQ(7, stopWords.GetSize());
}

// A small archived object: a count and that many 32-bit numbers.
class NumberList : public CObject
{
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << static_cast<unsigned int>(values.size());
            for (int v : values)
                ar << v;
        } else {
            unsigned int n = 0;
            ar >> n;
            values.clear();
            for (unsigned int i = 0; i < n; ++i) {
                int v = 0;
                ar >> v;
                values.push_back(v);
            }
        }
    }
    std::vector<int> values;
};

class BinarySettings : public ProfileFixture
{
};

TEST_F(BinarySettings, RoundTripThroughTheProfileAsTheArchiveBytes)
{
    NumberList saved;
    saved.values = {1, -2, 0x01020304};
    SaveBinarySetting(kSection, "Numbers", saved);

    BYTE* data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(App().GetProfileBinary(kSection, "Numbers", &data, &size));
    const BYTE expected[] = {3, 0, 0, 0, 1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1};
    ASSERT_EQ(sizeof expected, size);
    EXPECT_EQ(0, std::memcmp(expected, data, size));
    delete[] data;

    NumberList loaded;
    EXPECT_TRUE(LoadBinarySetting(kSection, "Numbers", loaded));
    EXPECT_EQ(saved.values, loaded.values);
}

TEST_F(BinarySettings, MissingValueLeavesTheObjectAndDamagedValueFailsQuietly)
{
    NumberList object;
    object.values = {9};
    EXPECT_FALSE(LoadBinarySetting(kSection, "Numbers", object));
    EXPECT_EQ(std::vector<int>{9}, object.values);

    BYTE cutShort[] = {3, 0, 0, 0, 1, 0, 0, 0, 2, 0}; // three numbers announced, one and a half stored
    App().WriteProfileBinary(kSection, "Numbers", cutShort, sizeof cutShort);
    EXPECT_FALSE(LoadBinarySetting(kSection, "Numbers", object));
    EXPECT_EQ(std::vector<int>{1}, object.values); // what was read before the damage

    TypedBinarySetting<NumberList> typed(kSection, "Numbers", NumberList());
    NumberList fromTyped;
    fromTyped.values = {5, 5};
    typed.Get(fromTyped);
    EXPECT_EQ(std::vector<int>{1}, fromTyped.values); // damaged: no fallback to the default
}

TEST_F(BinarySettings, TypedSettingFallsBackToItsDefaultOnlyWhenNothingIsStored)
{
    NumberList defaults;
    defaults.values = {10, 20};
    TypedBinarySetting<NumberList> setting(kSection, "Numbers", defaults);
    NumberList value;
    setting.Get(value);
    EXPECT_EQ(defaults.values, value.values);

    value.values = {7};
    setting.Set(value);
    NumberList again;
    setting.Get(again);
    EXPECT_EQ(std::vector<int>{7}, again.values);
}

TEST_F(BinarySettings, StringListDefaultsSplitAtLineFeedsAndStoredListsRoundTrip)
{
    StringListSetting generic(kSection, "Generic Stop List", "a\nan\nthe");
    StringListSetting author(kSection, "Author Stop List", nullptr);
    CStringArray list;
    generic.Get(list);
    ASSERT_EQ(3, list.GetSize());
    EXPECT_STREQ("the", list[2]);
    author.Get(list);
    EXPECT_EQ(0, list.GetSize());

    CStringArray words;
    words.Add("von");
    words.Add("");
    generic.Set(words);
    generic.Get(list);
    ASSERT_EQ(2, list.GetSize());
    EXPECT_STREQ("von", list[0]);
    EXPECT_STREQ("", list[1]);
}

} // namespace
