// The controls of each settings group's page: the items of its drop-down
// lists (filled before the first exchange) and the data exchange of its
// members with the controls, with the limits the settings class publishes.
//
// Choices are exchanged as indexes (lists and radio groups in dialog order),
// check boxes as BOOL, counts as UINT, styled texts by DDX_StyledText.
#pragma once

#include "classlib/win/DataExchange.h"

class CAuthorListPage;
class CIntextAuthorListPage;
class CAuthorSeparatorsPage;
class CAuthorNamesPage;
class CAuthorTextPage;
class CTitleFormatPage;
class CJournalFormatPage;
class CDateFormatPage;
class CKeywordFormatPage;
class CPageNumberFormatPage;

void ExchangeSettings(CDataExchange* pDX, CAuthorListPage& settings);
void ExchangeSettings(CDataExchange* pDX, CIntextAuthorListPage& settings);
void ExchangeSettings(CDataExchange* pDX, CAuthorSeparatorsPage& settings);
void ExchangeSettings(CDataExchange* pDX, CAuthorNamesPage& settings);
void ExchangeSettings(CDataExchange* pDX, CAuthorTextPage& settings);
void ExchangeSettings(CDataExchange* pDX, CTitleFormatPage& settings);
// The title case only: the journal list is the journal page's own.
void ExchangeSettings(CDataExchange* pDX, CJournalFormatPage& settings);
void ExchangeSettings(CDataExchange* pDX, CDateFormatPage& settings);
void ExchangeSettings(CDataExchange* pDX, CKeywordFormatPage& settings);
void ExchangeSettings(CDataExchange* pDX, CPageNumberFormatPage& settings);

// Fills the page's drop-down lists (pages without lists have none to fill).
void FillSettingsLists(CWnd& page, const CAuthorNamesPage&);
void FillSettingsLists(CWnd& page, const CTitleFormatPage&);
void FillSettingsLists(CWnd& page, const CJournalFormatPage&);
void FillSettingsLists(CWnd& page, const CDateFormatPage&);
template <class Settings> void FillSettingsLists(CWnd&, const Settings&) {}

// The string ID of the page's caption, 0 for none (the tab keeps the template's).
UINT SettingsCaptionId(const CTitleFormatPage& settings);
UINT SettingsCaptionId(const CDateFormatPage& settings);
template <class Settings> UINT SettingsCaptionId(const Settings&)
{
    return 0;
}
