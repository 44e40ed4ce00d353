// StyledFileWriter: a writer whose output goes to a CFile. The file is
// deleted (and so closed) with the writer only when the writer owns it:
// OpenOutputFile makes an owned file, SetOutputFile never takes ownership.
#pragma once

#include "bibliography/core/StyledTextWriter.h"

class CFile;

class StyledFileWriter : public StyledTextWriter
{
public:
    StyledFileWriter();
    ~StyledFileWriter() override;

    void SetOutputFile(CFile* file);
    // Creates the file read-write and exclusive; CFileException with the
    // cause, the system error and the name when it cannot.
    void OpenOutputFile(const char* path);

protected:
    // Closes an owned file (nothing for a borrowed one).
    void CloseOwnedFile();

    int ownsFile;
    CFile* file;
};
