// The catalogue of the program's preferences: every setting declared once, with its section, key and
// default. All live under the profile set at start-up (registry key "Quenmark", profile name
// "Lorvane 5\Application Settings"), one profile section per section name.
//
// Binary settings of database types (the custom sort and the duplicate-detection rules) are declared by
// the database with their typed defaults; their names are listed here so that every key has one home.
// Settings local to one command are made by the functions at the end, fresh at every call.
#pragma once

#include "app/core/IntSetting.h"
#include "app/core/StringListSetting.h"
#include "app/core/StringSetting.h"

// Section and key of a binary setting without a declared default.
struct BinarySettingName
{
    const char* section;
    const char* key;
};

namespace Settings {

extern IntSetting ShowSplashScreen;            // "Application Options" / "Show Splash Screen"
extern IntSetting ReloadLastFile;              // "Application Options" / "Reload Last File"
extern IntSetting ShowToolTips;                // "Application Options" / "Show ToolTips"
extern IntSetting OpenFilesReadOnly;           // "Application Options" / "Open Files Read-Only"
extern IntSetting OutputStyleDefaultFontSize;  // "OutputStyle Options" / "Default Font Size"
extern IntSetting OutputStyleViewInvisibles;   // "OutputStyle Options" / "View Invisibles"
extern IntSetting ShowPreviewPane;             // "Record List Options" / "Show Preview Pane"
extern IntSetting PreviewPanePosition;         // "Record List Options" / "Preview Pane Position"
extern IntSetting RecordListFontSize;          // "Record List Options" / "Font Size"
extern IntSetting FirstRowHeight;              // "Record List Options" / "First Row Height"
extern IntSetting FirstColumnWidth;            // "Record List Options" / "First Column Width"
extern IntSetting SearchPaneHeight;            // "Record List Options" / "Search Pane Height"
extern IntSetting InternetPaneHeight;          // "Record List Options" / "Internet Pane Height"
extern IntSetting StartingRecordId;            // "Database Settings" / "Starting Record ID"
extern IntSetting RecordIdIncrement;           // "Database Settings" / "Record ID Increment"
extern IntSetting DiscardDuplicates;           // "Database Settings" / "Discard Duplicates"
extern IntSetting WarnDuplicates;              // "Database Settings" / "Warn Duplicates"
extern IntSetting LanguageSortId;              // "Database Settings" / "Language Sort ID"
extern IntSetting EditRecordFontSize;          // "Edit Record Options" / "Font Size"
extern IntSetting EditRecordShowInvisibles;    // "Edit Record Options" / "Show Invisibles"
extern IntSetting ShowFieldNumbers;            // "Edit Record Options" / "Show Field Numbers"
extern IntSetting ShowEmptyFields;             // "Edit Record Options" / "Show Empty Fields"
extern IntSetting ShowListButtons;             // "Edit Record Options" / "Show List Buttons"
extern IntSetting ShowRecordToolbar;           // "Edit Record Options" / "Show Record Toolbar"
extern IntSetting UrlPaneHeight;               // "Edit Record Options" / "URL Pane Height"
extern IntSetting PreviewDisplayedRecords;     // "Preview" / "Displayed Records"
extern IntSetting InternetIncludedFields;      // "Internet Options" / "Included Fields"
extern IntSetting InternetDiscardResults;      // "Internet Options" / "Discard Results"
extern IntSetting InternetSaveResults;         // "Internet Options" / "Save Results"
extern IntSetting InternetRangeType;           // "Internet Options" / "Range Type"
extern IntSetting InternetPromptForRange;      // "Internet Options" / "Prompt for Range"
extern IntSetting InternetPromptForRangeCount; // "Internet Options" / "Prompt for Range Count"
extern IntSetting InternetSortId;              // "Internet Options" / "Sort ID"
extern IntSetting InternetSortAscending;       // "Internet Options" / "Sort Ascending"
extern IntSetting InternetLogFileView;         // "Internet Options" / "Log File View"
extern IntSetting InsertTermAutoClose;         // "Insert Term Options" / "AutoClose"
extern IntSetting ImportFileType;              // "Import File" / "Type"
extern IntSetting ImportDelimitedFormatType;   // "Import File" / "Delimited Format Type"
extern IntSetting ImportDefaultCharacterSet;   // "Import File" / "Default Character Set"
extern IntSetting ImportDefaultFontSize;       // "Import File" / "Default Font Size"
extern IntSetting OutputStylesSortColumn;      // "Output Styles" / "Sort Column"
extern IntSetting OutputStylesSortAscending;   // "Output Styles" / "Sort Ascending"
extern IntSetting PreviewZoomState;            // "Settings" / "ZoomState"
extern IntSetting WordProcessorFormat;         // "Settings" / "Word Processor Format"

extern StringSetting ApplicationPathname;        // "Application Options" / "Application Pathname"
extern StringSetting DatabaseFilePath;           // "Directories" / "Database File Path"
extern StringSetting WorkformFilePath;           // "Directories" / "Workform File Path"
extern StringSetting OutputStyleFilePath;        // "Directories" / "Output Style File Path"
extern StringSetting ListsFilePath;              // "Directories" / "Lists File Path"
extern StringSetting ExpressionsFilePath;        // "Directories" / "Expressions File Path"
extern StringSetting InitialApplicationPath;     // "Directories" / "Initial Application Path"
extern StringSetting InitialDatabasePath;        // "Directories" / "Initial Database Path"
extern StringSetting InitialWorkformPath;        // "Directories" / "Initial Workform Path"
extern StringSetting InitialOutputStylePath;     // "Directories" / "Initial Output Style Path"
extern StringSetting InitialListsPath;           // "Directories" / "Initial Lists Path"
extern StringSetting InitialTextPath;            // "Directories" / "Initial Text Path"
extern StringSetting OutputStyleDefaultFontName; // "OutputStyle Options" / "Default Font Name"
extern StringSetting RecordListFontName;         // "Record List Options" / "Font Name"
extern StringSetting DefaultWorkform;            // "Edit Record Options" / "Default Workform"
extern StringSetting EditRecordFontName;         // "Edit Record Options" / "Font Name"
extern StringSetting ImportFile;                 // "Import File" / "File"
extern StringSetting ImportDatabase;             // "Import File" / "Database"
extern StringSetting ImportConfiguration;        // "Import File" / "Configuration"
extern StringSetting ImportDefaultFontName;      // "Import File" / "Default Font Name"

extern const StringListSetting AuthorStopList;  // "Database Settings" / "Author Stop List"
extern const StringListSetting GenericStopList; // "Database Settings" / "Generic Stop List"

extern const BinarySettingName CustomSort;
extern const BinarySettingName DuplicateDetection;
extern const BinarySettingName CustomExportFormat;
extern const BinarySettingName CustomExportOptions;
extern const BinarySettingName InternetRecordListLayout;
extern const BinarySettingName InternetRecordPreviewLayout;
extern const BinarySettingName InternetBibliographySetup;
extern const BinarySettingName InternetSubjectBibliographySetup;
extern const BinarySettingName InternetCopyFormattedSetup;
extern const BinarySettingName Z3950DefaultDatabases;
extern const BinarySettingName Z3950DefaultQuery;
extern const BinarySettingName PubmedDefaultQuery;

// Local to one command: read afresh every time.
IntSetting MakeInitialConvertTypeSetting();    // "Directories" / "Initial Convert Type", default 1
StringSetting MakeInitialConvertPathSetting(); // "Directories" / "Initial Convert Path", default ""
IntSetting MakeExportTypeSetting();            // "Database Settings" / "Export Type", default 0
// The Insert Term dialog's pair for one caller: "<prefix> Source" (default "") and "<prefix> Type".
// The returned settings keep pointers to `keyBuffer`, which must outlive them.
struct InsertTermKeys
{
    char source[128];
    char type[128];
};
StringSetting MakeInsertTermSourceSetting(const char* section, const char* prefix, InsertTermKeys& keyBuffer);
StringSetting MakeInsertTermTypeSetting(const char* section, const char* prefix, const char* defaultType,
                                        InsertTermKeys& keyBuffer);

} // namespace Settings
