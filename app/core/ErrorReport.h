// Uniform error reports.
//
// An operation abandoned after the user was told why throws the class library's user exception; every
// reporter here skips user exceptions, so such an abort stays silent up the chain.
#pragma once

#include "classlib/Types.h"

class CException;

// Loads string `nID`, puts `insert1` / `insert2` (either may be NULL: an empty text) in place of "%1" and
// "%2", shows it with an OK button and ends the current operation with the user exception.
[[noreturn]] void ShowErrorAndAbort(UINT nID, const char* insert1 = nullptr, const char* insert2 = nullptr);

// Shows the exception's own report (OK button, no help) unless it is a user exception or an automation
// exception without a description. The caller deletes the exception.
void ReportException(CException* e);

// Reports a failed load or save of `path`: nothing for a user exception; the invalid-format prompt for a
// damaged archive; the class library's prompt for a file exception's cause (its file name taken from the
// path when empty); else `nIDPDefault`. The prompt is formatted with the file's name as "%1".
void ReportFileException(const char* path, CException* e, BOOL bSaving, UINT nIDPDefault);

// Makes CException::ReportError show its text in a message box (done once at start-up).
void InstallExceptionReporter();
