#include "bibliography/core/StyledFileWriter.h"

#include "classlib/Exceptions.h"
#include "classlib/File.h"

StyledFileWriter::StyledFileWriter() : ownsFile(0), file(nullptr) {}

StyledFileWriter::~StyledFileWriter()
{
    if (ownsFile)
        delete file;
}

void StyledFileWriter::SetOutputFile(CFile* output)
{
    if (ownsFile)
        delete file;
    ownsFile = 0;
    file = output;
}

void StyledFileWriter::OpenOutputFile(const char* path)
{
    SetOutputFile(nullptr);
    CFile* created = new CFile;
    CFileException error;
    if (!created->Open(path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &error)) {
        delete created;
        AfxThrowFileException(error.m_cause, error.m_lOsError, path);
    }
    file = created;
    ownsFile = 1;
}

void StyledFileWriter::CloseOwnedFile()
{
    if (ownsFile && file != nullptr && file->IsOpenHandle())
        file->Close();
}
