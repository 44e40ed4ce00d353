// The remembered column widths as a profile value: any bytes (up to the first zero) are read. A value
// read agrees with what "%d,%d" reads wherever both numbers fit an int, and is written back as a text
// that reads the same; a value refused leaves the widths untouched.
//
// Input: the profile value's bytes.
#include "FuzzSupport.h"

#include "grid/listbox/ColumnWidthsSetting.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

namespace {

// Whether every run of digits in the text fits an int, so that sscanf's reading is defined.
bool NumbersFit(const std::string& text)
{
    size_t digits = 0;
    for (char c : text) {
        digits = c >= '0' && c <= '9' ? digits + 1 : 0;
        if (digits > 9)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data),
                           strnlen(reinterpret_cast<const char*>(data), size));
    LONG first = -7, second = -8;
    const bool parsed = ParseColumnWidths(text.c_str(), first, second);
    if (!parsed && (first != -7 || second != -8))
        abort(); // a refused value changed the widths
    if (NumbersFit(text)) {
        int a = 0, b = 0;
        const bool scanned = sscanf(text.c_str(), "%d,%d", &a, &b) == 2;
        if (scanned != parsed || (parsed && (a != first || b != second)))
            abort();
    }
    if (parsed) {
        LONG again1 = 0, again2 = 0;
        if (!ParseColumnWidths(FormatColumnWidths(first, second), again1, again2) || again1 != first ||
            again2 != second)
            abort();
    }
    return 0;
}
