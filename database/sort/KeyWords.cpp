#include "database/sort/KeyWords.h"

#include "database/sort/StopList.h"
#include "database/text/WordScanning.h"

#include <string.h>

namespace {
// The longest beginning of the encoded word, at most room bytes, that ends on
// a character boundary.
int WholeCharacters(const char* word, int length, int room)
{
    int n = 0;
    while (n < length) {
        const int step = (static_cast<unsigned char>(word[n]) >= 0x80 && n + 1 < length) ? 2 : 1;
        if (n + step > room)
            break;
        n += step;
    }
    return n;
}
} // namespace

int CollectKeyWords(char* out, int limit, const char* encoded, const CStringArray* stopList,
                    bool stopAfterComma)
{
    int written = 0;
    bool first = true;
    const char* p = encoded;
    while (written < limit) {
        TextSpan span;
        GetEncodedWordSpan(span, p);
        if (span.start == span.end)
            break;
        const char* word = p + span.start;
        const int length = span.end - span.start;
        p += span.end;
        const bool isStopWord = first && stopList != nullptr && IsStopWord(*stopList, word, length);
        first = false;
        if (isStopWord)
            continue;
        const int blank = written > 0 ? 1 : 0;
        const int copy = WholeCharacters(word, length, limit - written - blank);
        if (copy == 0)
            break;
        if (blank)
            out[written++] = ' ';
        memcpy(out + written, word, copy);
        written += copy;
        if (written >= limit - 2 || (stopAfterComma && *p == ','))
            break;
    }
    return written;
}
