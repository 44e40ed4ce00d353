// The question a delimited import asks for a user-defined workform letter
// (U to Z) that names no workform: which workform the letter stands for. An
// import asks once per letter and keeps the answer until it ends.
#pragma once

#include "classlib/Types.h"

#include <cstdint>

class IWorkformLetterChooser
{
public:
    virtual ~IWorkformLetterChooser() = default;
    // `letter` is upper case. TRUE with the chosen workform's ID; FALSE on
    // Cancel, which ends the import without a further message.
    virtual BOOL ChooseWorkform(char letter, int16_t& id) = 0;
};

// The chooser of imports given none: the window half installs the dialog
// "Choose Workform"; until then (and without windows) every question is
// cancelled. Returns the previous one; NULL restores the default.
IWorkformLetterChooser* SetWorkformLetterChooser(IWorkformLetterChooser* chooser);
IWorkformLetterChooser* GetWorkformLetterChooser();
