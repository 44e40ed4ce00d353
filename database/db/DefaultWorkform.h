// The workform of new records, named by the setting "Default Workform" of
// section "Edit Record Options" (default "Journal, Article").
#pragma once

class IWorkformInfo;

// The workform of the process-wide table with the setting's name; else the
// one named "Journal, Article"; else the table's first; else (an empty table)
// the built-in default. Without an application object the setting's default
// name is used.
const IWorkformInfo& GetDefaultWorkform();
// Stores the name of the workform with that ID ("<Default>" for an unknown ID).
void SetDefaultWorkform(int id);
void SetDefaultWorkformName(const char* name);
