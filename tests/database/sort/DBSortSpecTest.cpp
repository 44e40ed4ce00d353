#include "database/sort/DBSortSpec.h"

#include "classlib/Exceptions.h"
#include "database/sort/SortSpecName.h"
#include "database/text/ArchiveBytes.h"

#include <gtest/gtest.h>

namespace {
DBSortSpec Spec(std::initializer_list<DBSortKey> keys)
{
    DBSortSpec spec;
    for (const DBSortKey& key : keys)
        spec.AddKey(key);
    return spec;
}

Bytes Store(const DBSortSpec& stored)
{
    DBSortSpec spec = stored;
    return StoreToBytes([&](CArchive& ar) { spec.Serialize(ar); });
}

// Loads spec from bytes; the archive's cause, or -1 when it loaded.
int Load(const Bytes& bytes, DBSortSpec& spec)
{
    try {
        LoadFromBytes(bytes, [&](CArchive& ar) { spec.Serialize(ar); });
        return -1;
    } catch (CArchiveException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
}

class BuiltInNames : public DefaultFieldNames
{
public:
    CString GetFieldName(int field) const override
    {
        switch (field) {
        case 4:
            return CString("Title");
        case 44:
            return CString("Call Number");
        default:
            return CString("Field");
        }
    }
};
} // namespace

TEST(DBSortSpec, StoredFormIsByteExact)
{
    DBSortSpec spec = Spec({DBSortKey(sortFieldAuthor, 1), DBSortKey(sortFieldDate, 0)});
    spec.yearOnly = 1;
    Bytes expected = {0x02, 0xFF, 0x00, 0x01, 0x00, 0xFD, 0x00, 0x00, 0x00};
    expected.resize(25, 0x00);
    expected.push_back(0x88);
    EXPECT_EQ(expected, Store(spec));

    // Every option bit in its place; indexBuilt travels with the stored form.
    DBSortSpec all = Spec({DBSortKey(4, 1)});
    all.indexBuilt = all.firstAuthorOnly = all.lastNameOnly = all.yearOnly = 1;
    EXPECT_EQ(0xF8, Store(all)[25]);
    all.emptyFirst = 0;
    all.indexBuilt = 0;
    EXPECT_EQ(0x38, Store(all)[25]);
}

TEST(DBSortSpec, ReadsWhatItWritesAndTakesAnyDirectionByte)
{
    DBSortSpec spec = Spec({DBSortKey(0, 1), DBSortKey(44, 0), DBSortKey(250, 1)});
    spec.indexBuilt = 1;
    spec.emptyFirst = 0;
    spec.lastNameOnly = 1;
    DBSortSpec read;
    ASSERT_EQ(-1, Load(Store(spec), read));
    EXPECT_TRUE(read == spec);
    EXPECT_EQ(1, read.indexBuilt);
    EXPECT_EQ(44, read.keys[1].fieldCode);

    // Ignored bytes may hold anything; a direction byte other than 0 or 1 is ascending.
    Bytes bytes = Store(Spec({DBSortKey(4, 1)}));
    bytes[2] = 0x55;
    bytes[3] = 0x7F;
    bytes[4] = 0xAA;
    ASSERT_EQ(-1, Load(bytes, read));
    EXPECT_TRUE(read == Spec({DBSortKey(4, 1)}));
}

TEST(DBSortSpec, DamagedStoredFormsAreArchiveErrors)
{
    DBSortSpec spec = Spec({DBSortKey(4, 1)});
    Bytes bytes = Store(spec);
    bytes[0] = 7; // more keys than a sort definition holds
    DBSortSpec read = Spec({DBSortKey(253, 0)});
    EXPECT_EQ(CArchiveException::badSchema, Load(bytes, read));
    EXPECT_TRUE(read == Spec({DBSortKey(253, 0)})) << "a refused form changes nothing";

    // Cut short: the keys read whole before the cut stay.
    const DBSortSpec three = Spec({DBSortKey(255, 1), DBSortKey(254, 0), DBSortKey(253, 1)});
    bytes = Store(three);
    bytes.resize(10);
    read = DBSortSpec();
    EXPECT_EQ(CArchiveException::endOfFile, Load(bytes, read));
    EXPECT_TRUE(read == Spec({DBSortKey(255, 1), DBSortKey(254, 0)}));
}

TEST(DBSortSpec, AddKeyStopsAtSixKeys)
{
    DBSortSpec spec;
    for (int i = 1; i <= 6; ++i)
        spec.AddKey(DBSortKey(static_cast<BYTE>(i), 1));
    const DBSortSpec six = spec;
    spec.AddKey(DBSortKey(7, 1));
    EXPECT_EQ(6, spec.keyCount);
    EXPECT_TRUE(spec == six);
    EXPECT_EQ(6, spec.keys[5].fieldCode);
}

TEST(DBSortSpec, EqualityAndAssignmentLeaveIndexBuiltAlone)
{
    DBSortSpec a = Spec({DBSortKey(255, 1), DBSortKey(254, 0)});
    DBSortSpec b = Spec({DBSortKey(255, 5), DBSortKey(254, 0)}); // any non-zero is ascending
    b.indexBuilt = 1;
    b.keys[3] = DBSortKey(12, 1); // a slot not in use
    EXPECT_TRUE(a == b);

    struct Case
    {
        const char* what;
        void (*change)(DBSortSpec&);
    } cases[] = {
        {"direction", [](DBSortSpec& s) { s.keys[1].ascending = 1; }},
        {"field", [](DBSortSpec& s) { s.keys[0].fieldCode = 1; }},
        {"count", [](DBSortSpec& s) { s.keyCount = 1; }},
        {"emptyFirst", [](DBSortSpec& s) { s.emptyFirst = 0; }},
        {"firstAuthorOnly", [](DBSortSpec& s) { s.firstAuthorOnly = 1; }},
        {"lastNameOnly", [](DBSortSpec& s) { s.lastNameOnly = 1; }},
        {"yearOnly", [](DBSortSpec& s) { s.yearOnly = 1; }},
    };
    for (const Case& c : cases) {
        DBSortSpec changed = a;
        c.change(changed);
        EXPECT_FALSE(changed == a) << c.what;
    }

    DBSortSpec target;
    target.indexBuilt = 1;
    target = a;
    EXPECT_EQ(1, target.indexBuilt);
    EXPECT_TRUE(target == a);
}

TEST(SortSpecName, NamesKeysAndDirections)
{
    const BuiltInNames names;
    DBSortSpec spec = Spec({DBSortKey(255, 1), DBSortKey(254, 1), DBSortKey(253, 1)});
    EXPECT_STREQ("Author/Title/Date", GetSortSpecName(spec, names));
    EXPECT_STREQ("Date (Descending)/Title",
                 GetSortSpecName(Spec({DBSortKey(253, 0), DBSortKey(254, 1)}), names));
    EXPECT_STREQ("Call Number/Record ID/Workform/Author-Title",
                 GetSortSpecName(
                     Spec({DBSortKey(44, 1), DBSortKey(0, 1), DBSortKey(252, 1), DBSortKey(250, 1)}), names));
    EXPECT_STREQ("", GetSortSpecName(DBSortSpec(), names));

    const struct
    {
        int firstAuthorOnly, lastNameOnly;
        const char* name;
    } authors[] = {{0, 0, "Author"},
                   {1, 0, "First Author"},
                   {0, 1, "Author's Last Name"},
                   {1, 1, "First Author's Last Name"}};
    for (const auto& a : authors) {
        spec.firstAuthorOnly = a.firstAuthorOnly;
        spec.lastNameOnly = a.lastNameOnly;
        EXPECT_STREQ(a.name, GetSortFieldName(255, spec, names));
    }
    EXPECT_STREQ("Title", GetSortFieldName(4, spec, names));
    for (int code : {46, 200, 251})
        EXPECT_STREQ("", GetSortFieldName(code, spec, names)) << code;
}
