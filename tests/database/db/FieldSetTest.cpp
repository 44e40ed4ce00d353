#include "database/db/FieldSet.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace
{
FieldSet SetOf(std::initializer_list<int> fields)
{
    FieldSet set;
    for (int f : fields)
        set.Add(f);
    return set;
}
} // namespace

TEST(FieldSetTest, BitLayoutIsFieldModEightOfByteFieldDivEight)
{
    FieldSet set = SetOf({0, 1, 8, 45, 47});
    EXPECT_EQ(0x03, set.GetByte(0));
    EXPECT_EQ(0x01, set.GetByte(1));
    EXPECT_EQ(0x00, set.GetByte(2));
    EXPECT_EQ(0xA0, set.GetByte(5)); // 45 = 5*8+5, 47 = 5*8+7
    EXPECT_EQ(5, set.Count());
}

TEST(FieldSetTest, CountOfAllAndOfEmpty)
{
    EXPECT_EQ(48, FieldSet(-1).Count());
    EXPECT_EQ(48, FieldSet::AllFields().Count());
    EXPECT_EQ(0, FieldSet().Count());
    EXPECT_TRUE(FieldSet::NoFields().IsEmpty());
    FieldSet one(30);
    EXPECT_EQ(1, one.Count());
    EXPECT_TRUE(one.Contains(30));
    one.Clear();
    EXPECT_TRUE(one.IsEmpty());
}

TEST(FieldSetTest, OutOfRangeFieldsAreIgnored)
{
    FieldSet set;
    set.Add(48);
    set.Add(-2);
    set.Add(1000);
    EXPECT_TRUE(set.IsEmpty());
    EXPECT_FALSE(FieldSet::AllFields().Contains(48));
    EXPECT_FALSE(FieldSet::AllFields().Contains(-5));
    EXPECT_TRUE(FieldSet(48).IsEmpty());
}

TEST(FieldSetTest, SetOperatorsGiveNewSets)
{
    const FieldSet a = SetOf({1, 7, 12});
    const FieldSet b = SetOf({7, 12, 45});
    EXPECT_EQ(SetOf({7, 12}), a & b);
    EXPECT_EQ(SetOf({1, 7, 12, 45}), a | b);
    EXPECT_EQ(SetOf({1, 45}), a ^ b);
    EXPECT_EQ(SetOf({1, 7, 12}), a); // operands untouched
    FieldSet c = a;
    c |= b;
    EXPECT_EQ(a | b, c);
    c.Remove(7);
    EXPECT_FALSE(c.Contains(7));
    EXPECT_NE(a | b, c);
}

TEST(FieldSetTest, FixedSets)
{
    EXPECT_EQ(SetOf({1, 7, 16, 30}), FieldSet::AuthorFields());
    EXPECT_EQ(SetOf({10}), FieldSet::JournalField());
    EXPECT_EQ(SetOf({4, 9, 11, 32}), FieldSet::TitleFields());
    EXPECT_EQ(SetOf({12, 20, 21}), FieldSet::DateFields());
    EXPECT_EQ(SetOf({45}), FieldSet::KeywordField());
    // The index sets never overlap.
    const FieldSet all = FieldSet::AuthorFields() | FieldSet::JournalField() | FieldSet::TitleFields() |
                         FieldSet::DateFields() | FieldSet::KeywordField();
    EXPECT_EQ(4 + 1 + 4 + 3 + 1, all.Count());
}
