#include "app/core/SettingsCatalogue.h"

#include <cstdio>

namespace Settings {

IntSetting ShowSplashScreen("Application Options", "Show Splash Screen", 1);
IntSetting ReloadLastFile("Application Options", "Reload Last File", 1);
IntSetting ShowToolTips("Application Options", "Show ToolTips", 1);
IntSetting OpenFilesReadOnly("Application Options", "Open Files Read-Only", 0);
IntSetting OutputStyleDefaultFontSize("OutputStyle Options", "Default Font Size", 10);
IntSetting OutputStyleViewInvisibles("OutputStyle Options", "View Invisibles", 0);
IntSetting ShowPreviewPane("Record List Options", "Show Preview Pane", 0);
IntSetting PreviewPanePosition("Record List Options", "Preview Pane Position", 0);
IntSetting RecordListFontSize("Record List Options", "Font Size", 8);
IntSetting FirstRowHeight("Record List Options", "First Row Height", 250);
IntSetting FirstColumnWidth("Record List Options", "First Column Width", 250);
IntSetting SearchPaneHeight("Record List Options", "Search Pane Height", 120);
IntSetting InternetPaneHeight("Record List Options", "Internet Pane Height", 144);
IntSetting StartingRecordId("Database Settings", "Starting Record ID", 10);
IntSetting RecordIdIncrement("Database Settings", "Record ID Increment", 10);
IntSetting DiscardDuplicates("Database Settings", "Discard Duplicates", 0);
IntSetting WarnDuplicates("Database Settings", "Warn Duplicates", 0);
IntSetting LanguageSortId("Database Settings", "Language Sort ID", 1);
IntSetting EditRecordFontSize("Edit Record Options", "Font Size", 10);
IntSetting EditRecordShowInvisibles("Edit Record Options", "Show Invisibles", 0);
IntSetting ShowFieldNumbers("Edit Record Options", "Show Field Numbers", 1);
IntSetting ShowEmptyFields("Edit Record Options", "Show Empty Fields", 1);
IntSetting ShowListButtons("Edit Record Options", "Show List Buttons", 1);
IntSetting ShowRecordToolbar("Edit Record Options", "Show Record Toolbar", 1);
IntSetting UrlPaneHeight("Edit Record Options", "URL Pane Height", 0);
IntSetting PreviewDisplayedRecords("Preview", "Displayed Records", 0);
IntSetting InternetIncludedFields("Internet Options", "Included Fields", 1);
IntSetting InternetDiscardResults("Internet Options", "Discard Results", 1);
IntSetting InternetSaveResults("Internet Options", "Save Results", 0);
IntSetting InternetRangeType("Internet Options", "Range Type", 0);
IntSetting InternetPromptForRange("Internet Options", "Prompt for Range", 0);
IntSetting InternetPromptForRangeCount("Internet Options", "Prompt for Range Count", 100);
IntSetting InternetSortId("Internet Options", "Sort ID", 1);
IntSetting InternetSortAscending("Internet Options", "Sort Ascending", 1);
IntSetting InternetLogFileView("Internet Options", "Log File View", 0);
IntSetting InsertTermAutoClose("Insert Term Options", "AutoClose", 0);
IntSetting ImportFileType("Import File", "Type", 1);
IntSetting ImportDelimitedFormatType("Import File", "Delimited Format Type", 0);
IntSetting ImportDefaultCharacterSet("Import File", "Default Character Set", 0);
IntSetting ImportDefaultFontSize("Import File", "Default Font Size", 10);
IntSetting OutputStylesSortColumn("Output Styles", "Sort Column", 2);
IntSetting OutputStylesSortAscending("Output Styles", "Sort Ascending", 1);
IntSetting PreviewZoomState("Settings", "ZoomState", 2);
IntSetting WordProcessorFormat("Settings", "Word Processor Format", 0);

StringSetting ApplicationPathname("Application Options", "Application Pathname", "");
StringSetting DatabaseFilePath("Directories", "Database File Path", "");
StringSetting WorkformFilePath("Directories", "Workform File Path", "");
StringSetting OutputStyleFilePath("Directories", "Output Style File Path", "");
StringSetting ListsFilePath("Directories", "Lists File Path", "");
StringSetting ExpressionsFilePath("Directories", "Expressions File Path", "");
StringSetting InitialApplicationPath("Directories", "Initial Application Path", "");
StringSetting InitialDatabasePath("Directories", "Initial Database Path", "");
StringSetting InitialWorkformPath("Directories", "Initial Workform Path", "");
StringSetting InitialOutputStylePath("Directories", "Initial Output Style Path", "");
StringSetting InitialListsPath("Directories", "Initial Lists Path", "");
StringSetting InitialTextPath("Directories", "Initial Text Path", "");
StringSetting OutputStyleDefaultFontName("OutputStyle Options", "Default Font Name", "Times New Roman");
StringSetting RecordListFontName("Record List Options", "Font Name", "MS Sans Serif");
StringSetting DefaultWorkform("Edit Record Options", "Default Workform", "Journal, Article");
StringSetting EditRecordFontName("Edit Record Options", "Font Name", "Times New Roman");
StringSetting ImportFile("Import File", "File", "");
StringSetting ImportDatabase("Import File", "Database", "");
StringSetting ImportConfiguration("Import File", "Configuration", "");
StringSetting ImportDefaultFontName("Import File", "Default Font Name", "Courier New");

const StringListSetting AuthorStopList("Database Settings", "Author Stop List", nullptr);
const StringListSetting GenericStopList("Database Settings", "Generic Stop List",
                                        "a\nan\nthe\nl\nla\nle\nles");

const BinarySettingName CustomSort = {"Database Settings", "Custom Sort"};
const BinarySettingName DuplicateDetection = {"Database Settings", "Duplicate Detection"};
const BinarySettingName CustomExportFormat = {"Database Settings", "Custom Export Format"};
const BinarySettingName CustomExportOptions = {"Database Settings", "Custom Export Options"};
const BinarySettingName InternetRecordListLayout = {"Internet Options", "Record List Layout"};
const BinarySettingName InternetRecordPreviewLayout = {"Internet Options", "Record Preview Layout"};
const BinarySettingName InternetBibliographySetup = {"Internet Options", "Bibliography Setup"};
const BinarySettingName InternetSubjectBibliographySetup = {"Internet Options", "Subject Bibliography Setup"};
const BinarySettingName InternetCopyFormattedSetup = {"Internet Options", "Copy Formatted Setup"};
const BinarySettingName Z3950DefaultDatabases = {"Z39.50 Search", "Default Databases"};
const BinarySettingName Z3950DefaultQuery = {"Z39.50 Search", "Default Query"};
const BinarySettingName PubmedDefaultQuery = {"Pubmed Search", "Default Query"};

IntSetting MakeInitialConvertTypeSetting()
{
    return IntSetting("Directories", "Initial Convert Type", 1);
}

StringSetting MakeInitialConvertPathSetting()
{
    return StringSetting("Directories", "Initial Convert Path", "");
}

IntSetting MakeExportTypeSetting()
{
    return IntSetting("Database Settings", "Export Type", 0);
}

StringSetting MakeInsertTermSourceSetting(const char* section, const char* prefix, InsertTermKeys& keyBuffer)
{
    std::snprintf(keyBuffer.source, sizeof keyBuffer.source, "%s Source", prefix ? prefix : "");
    return StringSetting(section, keyBuffer.source, "");
}

StringSetting MakeInsertTermTypeSetting(const char* section, const char* prefix, const char* defaultType,
                                        InsertTermKeys& keyBuffer)
{
    std::snprintf(keyBuffer.type, sizeof keyBuffer.type, "%s Type", prefix ? prefix : "");
    return StringSetting(section, keyBuffer.type, defaultType);
}

} // namespace Settings
