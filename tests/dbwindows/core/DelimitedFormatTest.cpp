#include "dbwindows/core/CDelimitedFormat.h"
#include "dbwindows/core/DelimitedExportOptions.h"

#include "classlib/Exceptions.h"
#include "database/text/ArchiveBytes.h"

#include <gtest/gtest.h>

namespace {

template <class T> Bytes Store(const T& object)
{
    T copy(object);
    return StoreToBytes([&](CArchive& ar) { copy.Serialize(ar); });
}

// Loads the bytes into object; true when an archive exception refused them.
template <class T> bool Refused(const Bytes& bytes, T& object)
{
    try {
        EXPECT_EQ(0, LoadFromBytes(bytes, [&](CArchive& ar) { object.Serialize(ar); }));
    } catch (CArchiveException* e) {
        e->Delete();
        return true;
    }
    return false;
}

TEST(DelimitedFormat, PresetsAreStoredInTwentyBytes)
{
    const Bytes comma = {0x2C, 0x0D, 1, 0, 0, 0, 0x22, 0x27, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    const Bytes tab = {0x09, 0x0D, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(comma, Store(CDelimitedFormat::CommaDelimited()));
    EXPECT_EQ(tab, Store(CDelimitedFormat::TabDelimited()));

    CDelimitedFormat loaded = CDelimitedFormat::TabDelimited();
    EXPECT_FALSE(Refused(comma, loaded));
    EXPECT_TRUE(loaded == CDelimitedFormat::CommaDelimited());
    EXPECT_TRUE(loaded != CDelimitedFormat::TabDelimited());
}

TEST(DelimitedFormat, CustomValuesRoundTripAndCutFormsAreRefused)
{
    const CDelimitedFormat custom(';', '\n', TRUE, '\'', '`', FALSE, TRUE, FALSE);
    const Bytes bytes = Store(custom);
    ASSERT_EQ(static_cast<size_t>(CDelimitedFormat::kStoredSize), bytes.size());
    CDelimitedFormat back = CDelimitedFormat::TabDelimited();
    EXPECT_FALSE(Refused(bytes, back));
    EXPECT_TRUE(back == custom);

    for (size_t cut : {0u, 1u, 5u, 19u}) {
        CDelimitedFormat kept = CDelimitedFormat::TabDelimited();
        EXPECT_TRUE(Refused(Bytes(bytes.begin(), bytes.begin() + cut), kept)) << cut;
        EXPECT_TRUE(kept == CDelimitedFormat::TabDelimited()) << cut;
    }
}

TEST(DelimitedExportOptions, DefaultsAndChosenFieldsAreStoredInFourteenBytes)
{
    DelimitedExportOptions options;
    EXPECT_EQ(Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}), Store(options));

    options.selectedFieldsOnly = 1;
    options.fields.Add(1);
    options.fields.Add(45);
    options.exportWorkformDefinitions = 0;
    const Bytes bytes = Store(options);
    EXPECT_EQ(Bytes({1, 0, 0, 0, 0x02, 0, 0, 0, 0, 0x20, 0, 0, 0, 0}), bytes);

    DelimitedExportOptions back;
    EXPECT_FALSE(Refused(bytes, back));
    EXPECT_TRUE(back == options);
    EXPECT_TRUE(DelimitedExportOptions(options) == options);
}

TEST(DelimitedExportOptions, CutFormsAreRefusedAndLeaveTheOptionsAlone)
{
    DelimitedExportOptions options;
    options.fields.Add(7);
    const Bytes bytes = Store(options);
    // Inside the first word, inside the field set (fewer than 6 bytes), inside the last word.
    for (size_t cut : {2u, 4u, 9u, 13u}) {
        DelimitedExportOptions kept;
        EXPECT_TRUE(Refused(Bytes(bytes.begin(), bytes.begin() + cut), kept)) << cut;
        EXPECT_TRUE(kept == DelimitedExportOptions()) << cut;
    }
}

} // namespace
