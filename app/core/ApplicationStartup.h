// The windowless part of the application object's start-up: what must be in place before any setting is
// read or any error is reported. The full start-up (templates, main frame, command line) builds on it.
#pragma once

#include "classlib/Types.h"

class CWinApp;

// Sets the profile location (registry key "Quenmark", profile name "Lorvane 5\Application Settings"),
// wiping every stored setting first when `bWipeSettings` (Shift held at start-up), and makes exception
// reports show message boxes.
void StartApplicationCore(CWinApp& app, BOOL bWipeSettings);
