// CStyleSettingsPage: the portable half of one settings group of an output
// style's format (author list, separators, names, titles, dates...).
//
// Design. Each settings group is a class named after its page (CAuthorListPage,
// CDateFormatPage...) whose public members are the stored settings, in the
// order the group stores them. The class is a plain object: constructed with
// its defaults, copied member by member (the compiler's copy), and serialised
// without any window, so the style file, the record formatter and the native
// build use the very same objects. This base keeps only the dialog resource
// the group is edited on.
//
// The window half (Windows build) shows a group as a page of a property sheet
// through a page class of its own: a CPropertyPage made on GetDialogId() that
// holds a reference to the settings object, binds its members to the controls
// in DoDataExchange with the limits the settings class publishes (its kMax...
// constants) and does the page's OnInitDialog work (captions from captionId,
// the journal list combo). An author format sheet becomes a CPropertySheet
// over its four pages in member order, with its captionId and sheetFlags.
// Settings objects never hold a window and never need one.
//
// Stored forms shared by all groups: a choice, flag or check box is one byte
// (the member's low byte; reading zero-extends), a count is a u16, a styled
// text is the archive form of a styled string (StyledStringArchive.h).
#pragma once

#include "classlib/Archive.h"
#include "classlib/Object.h"

class CStyleSettingsPage : public CObject
{
public:
    UINT GetDialogId() const { return m_nIDTemplate; }

protected:
    explicit CStyleSettingsPage(UINT nIDTemplate) : m_nIDTemplate(nIDTemplate) {}

    UINT m_nIDTemplate;
};

class StyledString;

// Each writes the member when the archive stores and reads it when it loads.
// A choice, flag or check box: one byte, the low byte; zero-extended on reading.
void SerializeSettingByte(CArchive& ar, int& value);
// A count: u16, its low 16 bits.
void SerializeSettingCount(CArchive& ar, UINT& value);
// A styled text in the styled-string archive form.
void SerializeSettingText(CArchive& ar, StyledString& text);
