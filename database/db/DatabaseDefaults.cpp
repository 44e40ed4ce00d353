#include "database/db/DatabaseDefaults.h"

#include "app/core/SettingsCatalogue.h"

namespace {

DBSortSpec AuthorAscending()
{
    DBSortSpec spec;
    spec.AddKey(DBSortKey(sortFieldAuthor, 1));
    return spec;
}

DuplicateSettings AuthorTitleDate()
{
    const BYTE codes[] = {sortFieldAuthor, sortFieldTitle, sortFieldDate};
    DuplicateSettings settings;
    settings.SetFields(codes, 3);
    return settings;
}

} // namespace

namespace DatabaseSettings {
const SortSpecSetting CustomSort(Settings::CustomSort.section, Settings::CustomSort.key, AuthorAscending());
const DupDetectionSetting DuplicateDetection(Settings::DuplicateDetection.section,
                                             Settings::DuplicateDetection.key, AuthorTitleDate());
} // namespace DatabaseSettings

DuplicateSettings GetDefaultDuplicateSettings()
{
    DuplicateSettings settings;
    DatabaseSettings::DuplicateDetection.Get(settings);
    return settings;
}

void ReadDatabaseDefaults(DatabaseDefaults& defaults)
{
    defaults.startingRecordId = Settings::StartingRecordId.Get();
    defaults.recordIdIncrement = Settings::RecordIdIncrement.Get();
    defaults.customSort = DatabaseSettings::CustomSort.Get();
    defaults.authorStopList.RemoveAll();
    Settings::AuthorStopList.Get(defaults.authorStopList);
    defaults.genericStopList.RemoveAll();
    Settings::GenericStopList.Get(defaults.genericStopList);
    defaults.duplicateSettings = GetDefaultDuplicateSettings();
    defaults.discardDuplicates = Settings::DiscardDuplicates.Get();
    defaults.warnDuplicates = Settings::WarnDuplicates.Get();
    defaults.languageSortId = Settings::LanguageSortId.Get();
}

void WriteDatabaseDefaults(const DatabaseDefaults& defaults)
{
    Settings::StartingRecordId.Set(defaults.startingRecordId);
    Settings::RecordIdIncrement.Set(defaults.recordIdIncrement);
    DatabaseSettings::CustomSort.Set(defaults.customSort);
    CLineStringArray authors = defaults.authorStopList;
    Settings::AuthorStopList.Set(authors);
    CLineStringArray generic = defaults.genericStopList;
    Settings::GenericStopList.Set(generic);
    DuplicateSettings duplicates = defaults.duplicateSettings;
    DatabaseSettings::DuplicateDetection.Set(duplicates);
    Settings::DiscardDuplicates.Set(defaults.discardDuplicates);
    Settings::WarnDuplicates.Set(defaults.warnDuplicates);
    Settings::LanguageSortId.Set(defaults.languageSortId);
}
