// The export sheet's choices in the profile: the landed stored forms byte
// for byte, loaded back, and the defaults of a fresh installation.
#include <gtest/gtest.h>

#include "DelimitedTestSupport.h"

#include "exchange/delimited/DelimitedExportSettings.h"

namespace {

std::vector<BYTE> StoredBytes(const char* key)
{
    BYTE* data = nullptr;
    UINT size = 0;
    std::vector<BYTE> bytes;
    if (AfxGetApp()->GetProfileBinary("Database Settings", key, &data, &size)) {
        bytes.assign(data, data + size);
        delete[] data;
    }
    return bytes;
}

TEST_F(DelimitedTest, ExportChoicesAreStoredAsTheirArchiveForms)
{
    DelimitedExportChoices fresh;
    LoadDelimitedExportChoices(fresh);
    EXPECT_EQ(fresh.exportType, 0);
    EXPECT_EQ(fresh.customFormat, CDelimitedFormat::TabDelimited());
    EXPECT_EQ(fresh.options, DelimitedExportOptions());

    DelimitedExportChoices choices;
    choices.exportType = 2;
    choices.customFormat = CDelimitedFormat::CommaDelimited();
    choices.options.selectedFieldsOnly = 1;
    choices.options.fields.Add(4);
    choices.options.fields.Add(45);
    SaveDelimitedExportChoices(choices);
    EXPECT_EQ(StoredBytes("Custom Export Format"),
              std::vector<BYTE>({0x2C, 0x0D, 0x01, 0x00, 0x00, 0x00, 0x22, 0x27, 0x01, 0x00,
                                 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00}));
    EXPECT_EQ(StoredBytes("Custom Export Options"),
              std::vector<BYTE>(
                  {0x01, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x20, 0x01, 0x00, 0x00, 0x00}));
    EXPECT_EQ(AfxGetApp()->GetProfileInt("Database Settings", "Export Type", -1), 2);

    DelimitedExportChoices loaded;
    LoadDelimitedExportChoices(loaded);
    EXPECT_EQ(loaded.exportType, 2);
    EXPECT_EQ(loaded.customFormat, choices.customFormat);
    EXPECT_EQ(loaded.options, choices.options);
}

} // namespace
