// The word-processor Save dialog's choice of file writer.
//
// Types, 1-based as the dialog's type list shows them: 1 "Microsoft Word
// (Rich Text Format)" and 2 "WordPerfect (Rich Text Format)" make an RTF
// writer, 3 "WordPerfect 6.x (Rich Text Format)" the WordPerfect 6.x RTF
// writer, 4 "HTML" the HTML writer, 5 "Text Only" the text writer. The type
// last chosen is remembered (0-based) for the next time.
#pragma once

#include "bibliography/core/StyledFileWriter.h"
#include "classlib/CString.h"

class IntSetting;

extern const char* const kWordProcessorFilter;

// The default extension of a 0-based type; "rtf" for a value outside 0 to 4.
const char* WordProcessorExtension(int zeroBasedType);

// A new writer of a 1-based type; CNotSupportedException for any other type.
StyledFileWriter* MakeWordProcessorWriter(int type);

// The Save dialog as the chooser sees it.
class WordProcessorSaveDialog
{
public:
    virtual ~WordProcessorSaveDialog() {}
    // Shows the dialog (hide read-only, prompt before overwriting, no initial
    // name) with the filter and type preselected (1-based); its default
    // extension follows the chosen type through WordProcessorExtension. TRUE
    // on OK with the chosen type and path.
    virtual BOOL Show(const char* filter, int& type, CString& path) = 0;
};

// Asks for a file and a type, remembers the type in lastType, and answers a
// new writer owning its newly created output file; null when cancelled.
// A file that cannot be created throws CFileException (name and system
// error), and no writer is left behind.
StyledFileWriter* ChooseWordProcessorWriter(WordProcessorSaveDialog& dialog, IntSetting& lastType);

// The same with the program's Save dialog and the "Settings" /
// "Word Processor Format" setting (Windows build only).
StyledFileWriter* ChooseWordProcessorWriter();
