#include "database/file/BTHeaderTooLongException.h"

IMPLEMENT_DYNAMIC(BTHeaderTooLongException, ArchivePromptException)

BTHeaderTooLongException::BTHeaderTooLongException(LPCTSTR lpszFileName)
    : ArchivePromptException(IDP_HEADER_TOO_LONG, lpszFileName)
{
}

void BTThrowHeaderTooLong(LPCTSTR lpszFileName)
{
    throw new BTHeaderTooLongException(lpszFileName);
}
