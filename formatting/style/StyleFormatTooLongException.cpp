#include "formatting/style/StyleFormatTooLongException.h"

IMPLEMENT_DYNAMIC(StyleFormatTooLongException, ArchivePromptException)

StyleFormatTooLongException::StyleFormatTooLongException(LPCTSTR lpszFileName)
    : ArchivePromptException(IDP_STYLE_FORMAT_TOO_LONG, lpszFileName)
{
}
