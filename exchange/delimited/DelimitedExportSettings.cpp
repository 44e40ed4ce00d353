#include "exchange/delimited/DelimitedExportSettings.h"

#include "app/core/BinarySetting.h"
#include "app/core/SettingsCatalogue.h"

void LoadDelimitedExportChoices(DelimitedExportChoices& choices)
{
    choices = DelimitedExportChoices();
    choices.exportType = Settings::MakeExportTypeSetting().Get();
    LoadBinarySetting(Settings::CustomExportFormat.section, Settings::CustomExportFormat.key,
                      choices.customFormat);
    LoadBinarySetting(Settings::CustomExportOptions.section, Settings::CustomExportOptions.key,
                      choices.options);
}

void SaveDelimitedExportChoices(DelimitedExportChoices& choices)
{
    Settings::MakeExportTypeSetting().Set(choices.exportType);
    SaveBinarySetting(Settings::CustomExportFormat.section, Settings::CustomExportFormat.key,
                      choices.customFormat);
    SaveBinarySetting(Settings::CustomExportOptions.section, Settings::CustomExportOptions.key,
                      choices.options);
}
