// Element building: the parsed template of a format turned into the elements
// of one record's reference-list entry or in-text citation.
//
// Literal texts, group openings and group closings become text elements;
// separators nothing. A field item's code is resolved for the record (role
// codes to the first filled field of their list; an author role on a
// workform without field 1 but with field 7 goes to 7) and gets the element
// of its field with the format's settings of that field, the template's
// texts around the code and the template's style at the code. Codes that
// name no record field (46 to 249, 252, and the citation number outside
// citations) give no element.
//
// Both builders return a new list that the caller deletes; on an exception
// the elements made so far are deleted and the exception goes on.
#pragma once

#include "database/text/StyledString.h"

#include <vector>

class BibliographyFormat;
class CFormattedRecord;
class DBRecord;
class IntextFormat;
class TemplateItemList;

// The texts of one template item, cut out of the template (runs included)
// and unescaped: a text element's text or a field's prefix, a field's
// suffix, and the template's style at a field code.
struct PreparedItem
{
    StyledString text;
    StyledString suffix;
    StyleRun style;
};

// The texts of every item of a parsed template, made once per format so that
// building a record's elements only copies them.
class PreparedTemplate
{
public:
    void Prepare(const StyledString& templateText, const TemplateItemList& items);
    const PreparedItem& operator[](int i) const { return m_items[static_cast<size_t>(i)]; }

private:
    std::vector<PreparedItem> m_items;
};

// The elements of a reference-list entry; texts is prepared from the
// format's template and items.
CFormattedRecord* BuildEntryElements(const BibliographyFormat& format, const TemplateItemList& items,
                                     const PreparedTemplate& texts, const DBRecord& record);
// The elements of a citation; with suppressAuthor the author-or-title code
// stands for field 1 unresolved, so a citation without its author writes
// nothing there even when the record has a title.
CFormattedRecord* BuildCitationElements(const IntextFormat& format, const TemplateItemList& items,
                                        const PreparedTemplate& texts, const DBRecord& record,
                                        BOOL suppressAuthor);

// The field number a field item's code stands for in this record; codes that
// are not roles come back unchanged.
BYTE ResolveItemField(BYTE code, const DBRecord& record, BOOL citation, BOOL suppressAuthor);
