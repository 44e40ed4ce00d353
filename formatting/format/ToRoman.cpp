#include "formatting/format/ToRoman.h"

namespace {
const char* const kUnits[] = {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX"};
const char* const kTens[] = {"", "X", "XX", "XXX", "XL", "L", "LX", "LXX", "LXXX", "XC"};
const char* const kHundreds[] = {"", "C", "CC", "CCC", "CD", "D", "DC", "DCC", "DCCC", "CM"};
const char* const kThousands[] = {"", "M", "MM", "MMM", "4", "5", "6", "7", "8", "9"};
} // namespace

CString ToRoman(int number)
{
    if (number < 0)
        number = 0;
    CString result(kThousands[number / 1000 % 10]);
    result += kHundreds[number / 100 % 10];
    result += kTens[number / 10 % 10];
    result += kUnits[number % 10];
    return result;
}
