// FieldCodeTable: the 51 field codes a template may hold, in one of two
// forms: the shown form ("<Record ID>", "<04 Title, Analytic>", "<Author>"...)
// the editor displays, or the stored form '<', 0x01, n, '>' a style keeps.
//
// Entry index: 0 the record ID, 1..45 the fields, 46 author, 47 author-title,
// 48 title, 49 citation number, 50 date. An empty entry means "no code".
// Each entry is a NUL-terminated string of at most 68 characters.
//
// Item codes (what a parsed field item carries) are the record model's role
// codes and differ from the byte inside a stored code; ItemCodeOfEntry and
// EntryOfItemCode convert between the two numberings.
#pragma once

#include "classlib/Types.h"

class IWorkformInfo;

enum TemplateItemCode : BYTE
{
    kItemRecordId = 0,
    kItemAuthorOrTitle = 0xFA,
    kItemCitationNumber = 0xFB,
    kItemDate = 0xFD,
    kItemTitle = 0xFE,
    kItemAuthor = 0xFF
};

struct FieldCodeTable
{
    enum
    {
        kEntries = 51,
        kEntrySize = 69,
        kAuthorEntry = 46,
        kAuthorTitleEntry = 47,
        kTitleEntry = 48,
        kCitationNumberEntry = 49,
        kDateEntry = 50
    };

    char entries[kEntries][kEntrySize];

    void Clear();
};

BYTE ItemCodeOfEntry(int entry);
int EntryOfItemCode(BYTE code);

// The shown forms for the workform: fields it does not use stay empty, and
// the citation number only when asked for.
void BuildFieldCodeNames(FieldCodeTable& table, BOOL withCitationNumber, const IWorkformInfo& workform);
// All 51 stored forms.
void BuildStoredFieldCodes(FieldCodeTable& table);
// The length of the longest code at text[position] (compared without regard
// to case; the lowest entry wins a tie), 0 when none; its item code in `code`.
int FindFieldCode(const FieldCodeTable& table, const char* text, int position, BYTE& code);
