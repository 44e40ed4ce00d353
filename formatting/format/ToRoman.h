// ToRoman: the upper-case roman numeral of a number, for days, months and
// years of formatted dates.
//
// Thousands 1 to 3 are "M" to "MMM"; 4 to 9 stay a decimal digit (there is
// no roman thousands sign above three); digits above the thousands are
// ignored; 0 gives an empty text.
#pragma once

#include "classlib/CString.h"

CString ToRoman(int number);
