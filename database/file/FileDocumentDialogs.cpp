#include "database/file/FileDocumentDialogs.h"

namespace
{
CFileDocumentDialogs* g_dialogs = nullptr;
}

CFileDocumentDialogs* SetFileDocumentDialogs(CFileDocumentDialogs* dialogs)
{
    CFileDocumentDialogs* previous = g_dialogs;
    g_dialogs = dialogs;
    return previous;
}

CFileDocumentDialogs* GetFileDocumentDialogs()
{
    return g_dialogs;
}
