// TaggedImportConfig: how a tagged text file is read, loaded from a
// configuration file (plain text, one setting a line, "key = value"; blank
// lines and lines starting with "#" are skipped; a value may be written
// between double quotes to keep its blanks):
//
//   charset = 1252 | UTF-8 | 437 | Mac        input character set (default 1252)
//   tag-width = N                             tag characters at the line start (1-8)
//   tag-separator = "  - "                    what follows the tag (may be empty)
//   record-start = TAG                        a line with this tag starts a record
//   record-end = TAG | blank                  ends it (a blank line for "blank")
//   continuation = yes | no                   an untagged line continues the value
//                                             before it (default yes)
//   field = TAG N                             the tag's values go to field N (1-45)
//   join = N JOINER                           joins repeated values of field N
//                                             ("CR" for a carriage return, the default)
//   author-field = N                          field N holds authors
//   author-form = as-written | initials       "Smith J" becomes "Smith, J." (initials)
//   record-id = TAG                           the record ID text
//   type-tag = TAG                            the record's type
//   type = CODE | WORKFORM NAME               a type and its workform
//   default-workform = WORKFORM NAME          for records of no or an unknown type
//
// A tag is compared exactly (case too), trailing blanks of its width dropped.
// Load reads the whole file first: on any fault (the file cannot be read, an
// unknown key, a bad value, no tag width or record start) it answers FALSE
// with the file's line and reason in GetError, and the object is left as it
// was.
#pragma once

#include "classlib/CString.h"
#include "classlib/Types.h"

#include <map>
#include <string>
#include <vector>

class TaggedImportConfig
{
public:
    enum Charset
    {
        kAnsi, // Windows 1252
        kUtf8,
        kDos437,
        kMacRoman,
    };
    enum
    {
        kFields = 45,
        kMaxTagWidth = 8,
    };

    TaggedImportConfig();

    // From a file: FALSE on any fault (GetError says where and why).
    BOOL Load(const char* path);
    // From text already read; `name` names it in the error.
    BOOL Parse(const std::string& text, const char* name);
    const CString& GetError() const { return m_error; }

    Charset charset;
    int tagWidth;
    std::string tagSeparator;
    std::string recordStart;
    std::string recordEnd; // empty: a blank line ends a record
    bool continuation;
    std::map<std::string, int> fieldOfTag;
    std::string joiner[kFields + 1]; // by field number
    bool authorField[kFields + 1];
    bool authorInitials;
    std::string recordIdTag;
    std::string typeTag;
    std::map<std::string, std::string> workformOfType;
    std::string defaultWorkform;

private:
    CString m_error;
};
