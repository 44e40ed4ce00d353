// The tagged run of the text-import window: a transfer object driven through
// its eleven operations, with the progress dialog and the result message.
//
// Order: Initialize, SetImportFile, SetImportFormat, SetTargetDatabase,
// BeginImport, each only when all before answered TRUE (a FALSE ends the run
// with no message of its own); then GetProgressMax for the dialog's range,
// ProcessFile and GetProgressValue in turn until ProcessFile answers FALSE or
// Stop is pressed, the dialog closed, EndImport (after a Stop too),
// GetRecordsImported and GetDuplicatesDiscarded. Either count not 0 shows
// 4124 with the file titles of the imported file and the database; both 0
// show 4125. Then "Configuration" and "Database" of section "Import File" are
// stored and the database goes into the recent-file list. An exception from
// the transfer object is reported and ends the run.
//
// A temporary file (the window's edited text) is deleted as the run ends,
// whichever way it ends.
#pragma once

#include "classlib/Types.h"

class TaggedTransfer;

void RunTaggedImport(TaggedTransfer& transfer, const char* importPath, BOOL temporaryFile,
                     const char* configurationPath, const char* databasePath);
