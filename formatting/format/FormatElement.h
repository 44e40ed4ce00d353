// FormatElement and the generic elements of a formatted record.
//
// A formatted record is a list of elements built from an output-style
// template; each writes its part of an entry for one record through the
// context's sink. Text elements (literal, group opening, group closing) hold
// one styled text; a FieldElement holds a field number, the template text
// bound to its code before and after it, and the template's style at the
// code, whose bits are added to the field data.
//
// Groups: an opening text waits in the context until a field (or literal)
// inside the group writes; a closing mark cancels the most recent waiting
// opening, or writes its text when that opening was written.
#pragma once

#include "classlib/Object.h"
#include "database/text/StyledString.h"

class DBRecord;
class FormatContext;
class StyledTextSink;

class FormatElement : public CObject
{
public:
    enum Kind : BYTE
    {
        kLiteral = 1,
        kGroupOpen = 2,
        kGroupClose = 3,
        kField = 4,
        kAuthorList = 5,
        kDate = 6,
        kJournal = 7,
        kKeyword = 8,
        kPageRange = 9,
        kTitle = 10,
        kIntextAuthorList = 11,
        kCitationNumber = 12
    };
    enum
    {
        kNoField = 255
    };

    void Serialize(CArchive&) override {}

    virtual BYTE GetKind() const = 0;
    virtual BYTE GetField() const { return kNoField; }
    virtual void Write(FormatContext& context, const DBRecord& record) {}
    virtual BOOL IsEmpty(const DBRecord& record, const FormatContext& context) const { return FALSE; }
    virtual BOOL IsSelected(const FormatContext& context) const { return TRUE; }
};

// Text elements: their text with escapes removed, runs included.
class TextElement : public FormatElement
{
public:
    void SetText(const StyledString& templateText);

    StyledString text;
};

class LiteralElement : public TextElement
{
public:
    BYTE GetKind() const override { return kLiteral; }
    // Writes the waiting group openings (a literal counts as content), then the text.
    void Write(FormatContext& context, const DBRecord& record) override;
};

class GroupOpenElement : public TextElement
{
public:
    BYTE GetKind() const override { return kGroupOpen; }
    void Write(FormatContext& context, const DBRecord& record) override;
};

class GroupCloseElement : public TextElement
{
public:
    BYTE GetKind() const override { return kGroupClose; }
    void Write(FormatContext& context, const DBRecord& record) override;
};

class FieldElement : public FormatElement
{
public:
    explicit FieldElement(BYTE field);

    BYTE GetKind() const override { return kField; }
    BYTE GetField() const override { return field; }
    // Nothing when empty; else the waiting group openings, prefix, data and
    // suffix; a field other than the record ID ends the entry's start.
    void Write(FormatContext& context, const DBRecord& record) override;
    // FALSE for the record ID; otherwise whether the record's field is empty.
    BOOL IsEmpty(const DBRecord& record, const FormatContext& context) const override;
    BOOL IsSelected(const FormatContext& context) const override;

    virtual void WritePrefix(StyledTextSink& sink);
    // The record ID as one plain run, or the field after alternate text,
    // written with the element's style.
    virtual void WriteData(FormatContext& context, const DBRecord& record);
    virtual void WriteSuffix(StyledTextSink& sink);

    // The waiting group openings, prefix, the text in one of the title cases
    // (ApplyTitleCase) and suffix; ends the entry's start. Titles and
    // journals write this way.
    void WriteInTitleCase(FormatContext& context, const StyledString& text, int titleCase);

    void SetPrefix(const StyledString& templateText);
    void SetSuffix(const StyledString& templateText);

    BYTE field;
    StyledString prefix;
    StyledString suffix;
    StyleRun style;
};

class CitationNumberElement : public FieldElement
{
public:
    enum
    {
        kCitationNumberField = 251
    };

    CitationNumberElement() : FieldElement(kCitationNumberField) {}

    BYTE GetKind() const override { return kCitationNumber; }
    // The context's current number in decimal; leaves the entry start alone.
    void Write(FormatContext& context, const DBRecord& record) override;
    BOOL IsEmpty(const DBRecord&, const FormatContext&) const override { return FALSE; }
    BOOL IsSelected(const FormatContext&) const override { return TRUE; }
};

// A backslash followed by a backslash, "«" or "»" becomes that character
// (its run kept); any other backslash stays.
StyledString UnescapeTemplateText(const StyledString& templateText);
// A copy of the string with the text appended in the style of its last run.
StyledString ConcatStyledText(const StyledString& s, const char* text);
