#include "database/sort/StopList.h"

#include "app/core/StringHelpers.h"

namespace {
const unsigned char kLeadAnsi = 0x81;
} // namespace

BOOL IsStopWord(const CStringArray& list, const char* word, int length)
{
    if (length <= 0 || list.GetSize() == 0)
        return FALSE;
    // Key builders pass words of their 256-byte buffers at most.
    char plain[256];
    if (length > static_cast<int>(sizeof plain))
        return FALSE;
    int n = 0;
    for (int i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(word[i]);
        if (c < 0x80) {
            plain[n++] = static_cast<char>(c);
        } else if (c == kLeadAnsi && i + 1 < length) {
            plain[n++] = word[++i];
        } else {
            return FALSE; // a character of another set
        }
    }
    return FindWordNoCase(plain, n, list) >= 0;
}
