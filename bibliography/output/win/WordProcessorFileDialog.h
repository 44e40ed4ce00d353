// WordProcessorFileDialog: the platform's Save dialog for bibliography
// files. Whenever the user picks another type, the default extension follows
// it (WordProcessorExtension).
#pragma once

#include "bibliography/output/WordProcessorWriter.h"

class WordProcessorFileDialog : public WordProcessorSaveDialog
{
public:
    BOOL Show(const char* filter, int& type, CString& path) override;
};
