// Dialog data exchange (DDX_) and validation (DDV_) functions.
//
// Each DDX_ function moves one member to or from control nIDC in the direction of pDX. A DDV_ function
// validates the member exchanged just before it (the control named last): it acts only when saving, shows
// the class library's prompt and fails the exchange (CDataExchange::Fail) when the value is not allowed.
// DDV_MaxChars also limits the text box while loading, so that typing cannot exceed it.
//
// Numbers: a text box that does not hold a number of the member's type (blanks around it allowed, values
// outside the type's range refused) shows the parse prompt and fails. Loading writes integers in decimal
// and reals with the precision of their type.
#pragma once

#include "classlib/win/DataExchange.h"

class CString;

// Text boxes.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);

// Buttons: the check state (0, 1, 2); the index of the checked radio button in the group that starts at
// nIDC (-1 for none), counted over the radio buttons up to the next control with WS_GROUP.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);

// Combo boxes: the text (the edit part, or the selected item of a drop-down list; loading selects the
// item equal to the text, else the first that begins with it) or the selected index (-1 for none).
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);

// List boxes: the selected item's text (empty for none; loading selects the item equal to the text, else
// the first that begins with it, else nothing) or its index.
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);

// Attaches rControl to the control once (subclassing it), in either direction.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Validation.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal);
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
void DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal);
