// Resource IDs of the class library's own strings (texts in
// res/strings/classlib.rc).  Plain #defines: the resource compiler and the
// native resource generator read this file too.
#pragma once

#define AFX_IDS_OPENFILE 0xF000
#define AFX_IDS_SAVEFILE 0xF001
#define AFX_IDS_SAVEFILECOPY 0xF004
#define AFX_IDS_UNTITLED 0xF003
#define AFX_IDS_ALLFILTER 0xF002 // the file dialog's all-files filter name
#define AFX_IDS_APP_TITLE 0xE000
#define AFX_IDS_IDLEMESSAGE 0xE001 // the status bar's prompt when no command is being tracked
#define AFX_IDS_NEWTYPE 0xE002     // title of the New type chooser

#define AFX_IDP_INVALID_FILENAME 0xF100
#define AFX_IDP_FAILED_TO_OPEN_DOC 0xF101
#define AFX_IDP_FAILED_TO_SAVE_DOC 0xF102
#define AFX_IDP_ASK_TO_SAVE 0xF103
#define AFX_IDP_FAILED_TO_CREATE_DOC 0xF104

// Prompts of dialog data exchange and validation.
#define AFX_IDP_PARSE_INT 0xF110
#define AFX_IDP_PARSE_REAL 0xF111
#define AFX_IDP_PARSE_INT_RANGE 0xF112
#define AFX_IDP_PARSE_REAL_RANGE 0xF113
#define AFX_IDP_PARSE_STRING_SIZE 0xF114
#define AFX_IDP_PARSE_RADIO_BUTTON 0xF115
#define AFX_IDP_PARSE_BYTE 0xF116
#define AFX_IDP_PARSE_UINT 0xF117

#define AFX_IDP_FAILED_INVALID_FORMAT 0xF120
#define AFX_IDP_FAILED_INVALID_PATH 0xF121
#define AFX_IDP_FAILED_DISK_FULL 0xF122
#define AFX_IDP_FAILED_ACCESS_READ 0xF123
#define AFX_IDP_FAILED_ACCESS_WRITE 0xF124
#define AFX_IDP_FAILED_IO_ERROR_READ 0xF125
#define AFX_IDP_FAILED_IO_ERROR_WRITE 0xF126

// Texts of CFileException / CArchiveException causes.
#define AFX_IDP_FILE_NONE 0xF140
#define AFX_IDP_FILE_GENERIC 0xF141
#define AFX_IDP_FILE_NOT_FOUND 0xF142
#define AFX_IDP_FILE_BAD_PATH 0xF143
#define AFX_IDP_FILE_TOO_MANY_OPEN 0xF144
#define AFX_IDP_FILE_ACCESS_DENIED 0xF145
#define AFX_IDP_FILE_INVALID_FILE 0xF146
#define AFX_IDP_FILE_REMOVE_CURRENT 0xF147
#define AFX_IDP_FILE_DIR_FULL 0xF148
#define AFX_IDP_FILE_BAD_SEEK 0xF149
#define AFX_IDP_FILE_HARD_IO 0xF14A
#define AFX_IDP_FILE_SHARING 0xF14B
#define AFX_IDP_FILE_LOCKING 0xF14C
#define AFX_IDP_FILE_DISKFULL 0xF14D
#define AFX_IDP_FILE_EOF 0xF14E

#define AFX_IDP_ARCH_NONE 0xF160
#define AFX_IDP_ARCH_GENERIC 0xF161
#define AFX_IDP_ARCH_READONLY 0xF162
#define AFX_IDP_ARCH_ENDOFFILE 0xF163
#define AFX_IDP_ARCH_WRITEONLY 0xF164
#define AFX_IDP_ARCH_BADINDEX 0xF165
#define AFX_IDP_ARCH_BADCLASS 0xF166
#define AFX_IDP_ARCH_BADSCHEMA 0xF167

// Standard command ids of the class library.
#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_FILE_PAGE_SETUP 0xE105
#define ID_FILE_PRINT_SETUP 0xE106
#define ID_FILE_PRINT 0xE107
#define ID_FILE_PRINT_DIRECT 0xE108
#define ID_FILE_PRINT_PREVIEW 0xE109
#define ID_FILE_MRU_FILE1 0xE110
#define ID_FILE_MRU_FILE16 0xE11F
#define ID_EDIT_CLEAR 0xE120
#define ID_EDIT_CLEAR_ALL 0xE121
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_FIND 0xE124
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_REPLACE 0xE129
#define ID_EDIT_SELECT_ALL 0xE12A
#define ID_EDIT_UNDO 0xE12B
#define ID_EDIT_REDO 0xE12C
#define ID_WINDOW_NEW 0xE130
#define ID_WINDOW_ARRANGE 0xE131
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
#define ID_WINDOW_TILE_VERT 0xE134
#define ID_WINDOW_SPLIT 0xE135
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
#define ID_HELP_INDEX 0xE142
#define ID_HELP_FINDER 0xE143
#define ID_HELP_USING 0xE144
#define ID_CONTEXT_HELP 0xE145
#define ID_HELP 0xE146
#define ID_DEFAULT_HELP 0xE147
#define ID_NEXT_PANE 0xE150
#define ID_PREV_PANE 0xE151
#define ID_INDICATOR_EXT 0xE700
#define ID_INDICATOR_CAPS 0xE701
#define ID_INDICATOR_NUM 0xE702
#define ID_INDICATOR_SCRL 0xE703
#define ID_INDICATOR_OVR 0xE704
#define ID_INDICATOR_REC 0xE705
#define ID_VIEW_TOOLBAR 0xE800
#define ID_VIEW_STATUS_BAR 0xE801

// Child window ids of frames and bars.
#define AFX_IDW_PANE_FIRST 0xE900
#define AFX_IDW_PANE_LAST 0xE9FF
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801
// The first MDI child's item in the window menu; the MDI client numbers the rest after it.
#define AFX_IDM_FIRST_MDICHILD 0xFF00


// Printing and print preview.
#define AFX_IDP_COMMAND_FAILURE 0xF109       // a command could not be carried out
#define AFX_IDP_FAILED_TO_START_PRINT 0xF10B // the print job could not start or was cut off
#define AFX_IDS_PRINTONPORT 0xF040           // "on %1" under the printer's name
#define AFX_IDS_PRINTPAGENUM 0xF041          // the page the printing dialog shows
#define AFX_IDS_PREVIEWPAGEDESC 0xF042       // one page, then two pages, for the preview's status
#define AFX_IDS_ONEPAGE 0xF043
#define AFX_IDS_TWOPAGE 0xF044
#define AFX_IDS_PRINTING 0xF045 // the printing dialog's title
#define AFX_ID_PREVIEW_CLOSE 0xE300
#define AFX_ID_PREVIEW_NUMPAGE 0xE301
#define AFX_ID_PREVIEW_NEXT 0xE302
#define AFX_ID_PREVIEW_PREV 0xE303
#define AFX_ID_PREVIEW_PRINT 0xE304
#define AFX_ID_PREVIEW_ZOOMIN 0xE305
#define AFX_ID_PREVIEW_ZOOMOUT 0xE306
#define AFX_IDD_PREVIEW_TOOLBAR 0x7802 // the preview's bar when the view names none
#define AFX_IDW_PREVIEW_BAR 0xE805
#define AFX_IDW_PANE_SAVE 0xEA21 // the pane's id while a preview takes its place
