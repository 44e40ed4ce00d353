// Where the program's preferences live, set once by the application object at start-up.
//
// Every setting is under Software\Quenmark\Lorvane 5\Application Settings\<section> of the current user.
// Holding Shift at that moment wipes the whole tree, so every setting returns to its default.
#pragma once

#include "classlib/Types.h"

class CWinApp;

extern const char kRegistryKey[]; // "Quenmark"
extern const char kProfileName[]; // "Lorvane 5\Application Settings"

// Points the application's profile at the program's tree; with `bWipeSettings` (Shift held) deletes
// everything stored there first.
void SetUpApplicationProfile(CWinApp& app, BOOL bWipeSettings);

// TRUE while a Shift key is held down (always FALSE in the native build, which has no keyboard).
BOOL IsShiftKeyDown();
