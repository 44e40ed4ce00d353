// Lengths typed as text: a number followed by an optional unit, read as twips (1440 to the inch).
//
// The unit is told by its first two letters, without regard to case, so longer words that begin with them
// are accepted: none, "in" or a double quote are inches; "cm" centimetres (1440 / 2.54 twips); "li" or "pi"
// lines or picas (240); "pt" points (20). The value is the number times the unit, truncated toward zero.
// Only the first 63 characters count. Text without a number, with another unit, or whose value does not
// fit an int reads as -1.
#pragma once

#include "classlib/CString.h"

int ParseMeasurementText(const char* text);
// "%.3f in": 1440 twips show as "1.000 in".
CString FormatMeasurement(int twips);
