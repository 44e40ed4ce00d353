// Reading and showing lengths.
#include "bibliography/output/MeasurementText.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

const int kTwipsPerInch = 1440;
const size_t kMaxText = 63;

// Twips per unit for the unit text after the number; 0 for a unit not known.
double UnitFactor(const char* unit)
{
    if (*unit == '\0' || *unit == '"')
        return kTwipsPerInch;
    const char first = static_cast<char>(std::tolower(static_cast<unsigned char>(unit[0])));
    const char second = static_cast<char>(std::tolower(static_cast<unsigned char>(unit[1])));
    if (first == 'i' && second == 'n')
        return kTwipsPerInch;
    if (first == 'c' && second == 'm')
        return kTwipsPerInch / 2.54;
    if ((first == 'l' || first == 'p') && second == 'i')
        return 240;
    if (first == 'p' && second == 't')
        return 20;
    return 0;
}

} // namespace

int ParseMeasurementText(const char* text)
{
    char buf[kMaxText + 1] = {};
    std::strncpy(buf, text != nullptr ? text : "", kMaxText);
    char* end = nullptr;
    const double number = std::strtod(buf, &end);
    if (end == buf)
        return -1;
    while (std::isspace(static_cast<unsigned char>(*end)))
        ++end;
    const double factor = UnitFactor(end);
    if (factor == 0)
        return -1;
    const double twips = std::trunc(number * factor);
    // Values beyond an int (or not numbers at all) are as unreadable as a missing number.
    if (!(twips >= INT_MIN && twips <= INT_MAX))
        return -1;
    return static_cast<int>(twips);
}

CString FormatMeasurement(int twips)
{
    CString text;
    text.Format("%.3f %s", static_cast<double>(twips) / kTwipsPerInch, "in");
    return text;
}
