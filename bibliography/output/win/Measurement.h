// Data exchange of lengths with text boxes.
//
// ParseMeasurement shows twips as FormatMeasurement does and reads the box with ParseMeasurementText
// (an unreadable text gives -1). DDV_Measurement, when saving, refuses a value outside minimum..maximum with
// "The value should be between %.3f and %.3f in." (exclamation icon) and fails the exchange, the box
// keeping the focus.
#pragma once

#include "classlib/win/DataExchange.h"

void ParseMeasurement(CDataExchange* pDX, int nIDC, int& twips);
void DDV_Measurement(CDataExchange* pDX, int value, int minimum, int maximum);
