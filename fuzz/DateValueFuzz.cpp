// Date texts of arbitrary bytes, read in both modes. A value must keep the
// ranges of its parts, blanks before a text must not change its date, and
// the comparisons must run on whatever the text gave.
#include "FuzzSupport.h"

#include "database/text/DateValue.h"

#include <string.h>

#include <string>

namespace
{
void CheckPart(const DatePart& part, int mode)
{
    if (part.month > (mode == 1 ? 12 : 17) || part.day > 31 || part.year > kYearInPress)
        FuzzFinding("a date part out of its range");
}

bool SameValue(const DateValue& a, const DateValue& b)
{
    return memcmp(&a.start, &b.start, sizeof a.start) == 0 && memcmp(&a.end, &b.end, sizeof a.end) == 0 &&
           a.isRange == b.isRange;
}

void Check(const char* text, int length, int mode)
{
    DateValue value(mode);
    value.Parse(text, length);
    CheckPart(value.start, mode);
    CheckPart(value.end, mode);
    const DatePart none = {};
    if (!value.isRange && memcmp(&value.end, &value.start, sizeof none) != 0 &&
        memcmp(&value.end, &none, sizeof none) != 0)
        FuzzFinding("a single date whose end is neither its start nor empty");

    const std::string padded = " " + std::string(text, length);
    DateValue trimmed(mode);
    trimmed.Parse(padded.data(), static_cast<int>(padded.size()));
    if (!SameValue(value, trimmed))
        FuzzFinding("a leading blank changed the date");

    static const DateValue queries[] = {DateValue("1990"), DateValue("May 1990"), DateValue("1990-1995"),
                                        DateValue("1990-")};
    for (const DateValue& q : queries)
    {
        volatile BOOL results[] = {value.Equals(q), value.IsBefore(q), value.IsBeforeOrEqual(q), value.IsAfter(q),
                                   value.IsAfterOrEqual(q), q.Equals(value), q.IsAfter(value)};
        (void)results;
    }
    (void)GetDateNumber(value.start);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    Check(text, static_cast<int>(size), 1);
    Check(text, static_cast<int>(size), 0);
    return 0;
}
