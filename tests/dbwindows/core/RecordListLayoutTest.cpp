#include "dbwindows/core/RecordListLayout.h"

#include "classlib/Exceptions.h"
#include "database/text/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

void Put32(Bytes& b, unsigned v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

void PutEntry(Bytes& b, unsigned visible, const char* title, unsigned code, unsigned width)
{
    Put32(b, visible);
    b.push_back(static_cast<unsigned char>(strlen(title)));
    for (const char* p = title; *p; ++p)
        b.push_back(static_cast<unsigned char>(*p));
    Put32(b, code);
    Put32(b, width);
}

Bytes DefaultBytes()
{
    Bytes b;
    PutEntry(b, 0, "Record ID", 0, 180);
    PutEntry(b, 1, "Author", 255, 180);
    PutEntry(b, 1, "Title", 254, 180);
    PutEntry(b, 1, "Date", 253, 180);
    PutEntry(b, 0, "Keywords", 45, 180);
    PutEntry(b, 0, "Workform", 252, 180);
    return b;
}

Bytes Store(RecordListLayout& layout)
{
    return StoreToBytes([&](CArchive& ar) { layout.Serialize(ar); });
}

// Loads the bytes; true when an archive exception refused them.
bool Refused(const Bytes& bytes, RecordListLayout& layout)
{
    try {
        LoadFromBytes(bytes, [&](CArchive& ar) { layout.Serialize(ar); });
    } catch (CArchiveException* e) {
        e->Delete();
        return true;
    }
    return false;
}

TEST(RecordListLayout, DefaultLayoutIsStoredEntryByEntry)
{
    RecordListLayout layout;
    EXPECT_EQ(DefaultBytes(), Store(layout));
    EXPECT_FALSE(layout.IsVisible(0));
    EXPECT_TRUE(layout.IsVisible(1));
    EXPECT_STREQ("Workform", layout.GetTitle(5));
    EXPECT_EQ(252, layout.GetFieldCode(5));
    EXPECT_EQ(180, layout.GetWidth(4));
}

TEST(RecordListLayout, ChangedLayoutRoundTripsWithLongTitles)
{
    RecordListLayout layout;
    layout.SetVisible(0, TRUE);
    layout.SetVisible(3, FALSE);
    layout.SetFieldCode(4, 30);
    layout.SetWidth(1, 540);
    layout.SetTitle(2, "Titel");
    // 300 characters take the archive's three-byte length form.
    layout.SetTitle(5, CString(std::string(300, 'w').c_str()));
    const Bytes bytes = Store(layout);

    Bytes expectedTail;
    Put32(expectedTail, 0);
    PutBytes(expectedTail, {0xFF});
    Put16(expectedTail, 300);
    ASSERT_GT(bytes.size(), 300u + 8 + 3 + 4);
    const Bytes entry6Head(bytes.end() - 300 - 8 - 3 - 4, bytes.end() - 300 - 8);
    EXPECT_EQ(expectedTail, entry6Head);

    RecordListLayout back;
    EXPECT_EQ(0, LoadFromBytes(bytes, [&](CArchive& ar) { back.Serialize(ar); }));
    EXPECT_TRUE(back == layout);
    EXPECT_TRUE(back != RecordListLayout());

    RecordListLayout copy(layout);
    EXPECT_TRUE(copy == layout);
    copy = copy;
    EXPECT_TRUE(copy == layout);
}

TEST(RecordListLayout, DamagedFormsAreRefusedAndLeaveTheLayoutAlone)
{
    RecordListLayout changed;
    changed.SetTitle(0, "Kept");

    Bytes badCode = DefaultBytes();
    badCode[4 + 1 + 9] = 46; // the first entry's field code: 46 is no column
    Bytes negativeWidth;
    PutEntry(negativeWidth, 1, "A", 255, 0xFFFFFFFF);
    Bytes hugeTitle;
    Put32(hugeTitle, 1);
    PutBytes(hugeTitle, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x7F});
    const Bytes full = DefaultBytes();
    const Bytes cases[] = {
        Bytes(),
        Bytes(full.begin(), full.end() - 1),
        Bytes(full.begin(), full.begin() + 40),
        badCode,
        negativeWidth,
        hugeTitle,
    };
    for (const Bytes& bytes : cases) {
        RecordListLayout layout = changed;
        EXPECT_TRUE(Refused(bytes, layout)) << bytes.size();
        EXPECT_TRUE(layout == changed) << bytes.size();
    }
}

TEST(RecordListLayout, ColumnFieldCodes)
{
    for (int code : {0, 1, 45, 252, 253, 254, 255})
        EXPECT_TRUE(RecordListLayout::IsColumnFieldCode(code)) << code;
    for (int code : {-1, 46, 251, 256})
        EXPECT_FALSE(RecordListLayout::IsColumnFieldCode(code)) << code;
}

} // namespace
