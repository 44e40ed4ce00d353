// StyleFormatTooLongException: an output style holds a format block of 65,536
// bytes or more (or more blocks than a store can count), which its file
// cannot hold: the file's counts are 16 bits wide. Saving refuses the style
// before a byte is written, instead of writing a cut, corrupt file.
//
// Its text is string IDP_STYLE_FORMAT_TOO_LONG with "%1" the file's name
// (ArchivePromptException).
#pragma once

#include "database/file/ArchivePromptException.h"

class StyleFormatTooLongException : public ArchivePromptException
{
    DECLARE_DYNAMIC(StyleFormatTooLongException)
public:
    enum
    {
        IDP_STYLE_FORMAT_TOO_LONG = 4191,
    };

    explicit StyleFormatTooLongException(LPCTSTR lpszFileName);
};
