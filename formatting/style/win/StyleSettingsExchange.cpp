#include "formatting/style/win/StyleSettingsExchange.h"

#include "classlib/win/DDX.h"
#include "formatting/style/AuthorFormatSheet.h"
#include "formatting/style/DateFormatPage.h"
#include "formatting/style/JournalFormatPage.h"
#include "formatting/style/KeywordFormatPage.h"
#include "formatting/style/PageNumberFormatPage.h"
#include "formatting/style/TitleFormatPage.h"
#include "formatting/style/win/StyledTextExchange.h"

#include <initializer_list>

namespace {

void ExchangeText(CDataExchange* pDX, int nIDC, StyledString& text, int nMaxChars)
{
    DDX_StyledText(pDX, nIDC, text);
    DDV_MaxChars(pDX, text.text, nMaxChars);
}

void ExchangeCount(CDataExchange* pDX, int nIDC, UINT& count, UINT nMax)
{
    DDX_Text(pDX, nIDC, count);
    DDV_MinMaxUInt(pDX, count, 0, nMax);
}

// Texts on consecutive controls from nFirstIDC, in order.
void ExchangeTexts(CDataExchange* pDX, int nFirstIDC, std::initializer_list<StyledString*> texts,
                   int nMaxChars)
{
    int nIDC = nFirstIDC;
    for (StyledString* text : texts)
        ExchangeText(pDX, nIDC++, *text, nMaxChars);
}

void FillList(CWnd& page, int nIDC, std::initializer_list<const char*> items)
{
    HWND hWndList = ::GetDlgItem(page.m_hWnd, nIDC);
    ::SendMessage(hWndList, CB_RESETCONTENT, 0, 0);
    for (const char* item : items)
        ::SendMessage(hWndList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
}

// The list pages share their controls; the counts' limits differ.
template <class Page> void ExchangeAuthorList(CDataExchange* pDX, Page& s, int nEmptyTextIDC)
{
    DDX_Check(pDX, 2307, s.abbreviateList);
    ExchangeCount(pDX, 2315, s.abbreviateThreshold, Page::kMaxCount);
    ExchangeCount(pDX, 2316, s.abbreviateCount, Page::kMaxCount);
    ExchangeText(pDX, 2317, s.abbreviationText, Page::kMaxText);
    DDX_Radio(pDX, 2323, s.emptyAuthorAction);
    ExchangeText(pDX, nEmptyTextIDC, s.emptyAuthorText, Page::kMaxText);
}

void FillTitleCases(CWnd& page)
{
    FillList(page, 2309, {"Unchanged", "Uppercase", "Lowercase", "Headline"});
}

} // namespace

void ExchangeSettings(CDataExchange* pDX, CAuthorListPage& s)
{
    ExchangeAuthorList(pDX, s, 2318);
    DDX_Radio(pDX, 2326, s.repeatedAuthorAction);
    ExchangeText(pDX, 2319, s.repeatedAuthorText, CAuthorListPage::kMaxText);
}

void ExchangeSettings(CDataExchange* pDX, CIntextAuthorListPage& s)
{
    ExchangeAuthorList(pDX, s, 2321);
}

void ExchangeSettings(CDataExchange* pDX, CAuthorSeparatorsPage& s)
{
    ExchangeTexts(pDX, 2315, {&s.twoAuthorSeparator, &s.authorSeparator, &s.lastAuthorSeparator},
                  CAuthorSeparatorsPage::kMaxText);
}

void ExchangeSettings(CDataExchange* pDX, CAuthorNamesPage& s)
{
    DDX_CBIndex(pDX, 2309, s.firstNameOrder);
    DDX_CBIndex(pDX, 2310, s.firstInitials);
    DDX_Radio(pDX, 2323, s.firstUppercasing);
    DDX_CBIndex(pDX, 2311, s.otherNameOrder);
    DDX_CBIndex(pDX, 2312, s.otherInitials);
    DDX_Radio(pDX, 2326, s.otherUppercasing);
}

void ExchangeSettings(CDataExchange* pDX, CAuthorTextPage& s)
{
    ExchangeTexts(pDX, 2315,
                  {&s.singleAuthorPreceding, &s.singleAuthorFollowing, &s.multipleAuthorPreceding,
                   &s.multipleAuthorFollowing},
                  CAuthorTextPage::kMaxText);
}

void ExchangeSettings(CDataExchange* pDX, CTitleFormatPage& s)
{
    DDX_CBIndex(pDX, 2309, s.titleCase);
}

void ExchangeSettings(CDataExchange* pDX, CJournalFormatPage& s)
{
    DDX_CBIndex(pDX, 2309, s.titleCase);
}

void ExchangeSettings(CDataExchange* pDX, CDateFormatPage& s)
{
    DDX_Check(pDX, 2307, s.dateFormatting);
    DDX_CBIndex(pDX, 2309, s.firstPart);
    ExchangeText(pDX, 2315, s.firstSeparator, CDateFormatPage::kMaxText);
    DDX_CBIndex(pDX, 2310, s.secondPart);
    ExchangeText(pDX, 2316, s.secondSeparator, CDateFormatPage::kMaxText);
    DDX_CBIndex(pDX, 2311, s.thirdPart);
    DDX_CBIndex(pDX, 2312, s.monthFormat);
    DDX_CBIndex(pDX, 2313, s.dayFormat);
    DDX_CBIndex(pDX, 2314, s.yearFormat);
    DDX_Check(pDX, 2308, s.padWithZeros);
}

void ExchangeSettings(CDataExchange* pDX, CKeywordFormatPage& s)
{
    ExchangeText(pDX, 2315, s.keywordSeparator, CKeywordFormatPage::kMaxText);
}

void ExchangeSettings(CDataExchange* pDX, CPageNumberFormatPage& s)
{
    ExchangeTexts(pDX, 2315,
                  {&s.pagePrecedingText, &s.pageFollowingText, &s.rangePrecedingText, &s.rangeFollowingText},
                  CPageNumberFormatPage::kMaxText);
    // The buttons lie in dialog order 2323, 2324, 2325, 2327, 2326: the index is the range format.
    DDX_Radio(pDX, 2323, s.rangeFormat);
}

void FillSettingsLists(CWnd& page, const CAuthorNamesPage&)
{
    for (int nIDC : {2309, 2311})
        FillList(page, nIDC, {"First Middle Last", "Last, First Middle", "Last First Middle", "Last"});
    for (int nIDC : {2310, 2312})
        FillList(page, nIDC, {"First Middle", "First M.", "F. M. ", "F.M.", "F M", "FM"});
}

void FillSettingsLists(CWnd& page, const CTitleFormatPage&)
{
    FillTitleCases(page);
}

void FillSettingsLists(CWnd& page, const CJournalFormatPage&)
{
    FillTitleCases(page);
}

void FillSettingsLists(CWnd& page, const CDateFormatPage&)
{
    for (int nIDC : {2309, 2310, 2311})
        FillList(page, nIDC, {"Month", "Day", "Year", "--None--"});
    FillList(page, 2312, {"Full", "Abbr.  (Sept.)", "3 ch., no period (Sep)", "Numeric (9)", "Roman (IX)"});
    FillList(page, 2313, {"Numeric (18)", "Roman (xviii)"});
    FillList(page, 2314, {"4 digit (1995)", "2 digit (95)", "Roman (MCMXCV)"});
}

UINT SettingsCaptionId(const CTitleFormatPage& settings)
{
    return settings.captionId;
}

UINT SettingsCaptionId(const CDateFormatPage& settings)
{
    return settings.captionId;
}
