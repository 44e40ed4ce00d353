#include "exchange/delimited/WorkformLetterChooser.h"

namespace {

IWorkformLetterChooser* g_chooser = nullptr;

} // namespace

IWorkformLetterChooser* SetWorkformLetterChooser(IWorkformLetterChooser* chooser)
{
    IWorkformLetterChooser* previous = g_chooser;
    g_chooser = chooser;
    return previous;
}

IWorkformLetterChooser* GetWorkformLetterChooser()
{
    return g_chooser;
}
