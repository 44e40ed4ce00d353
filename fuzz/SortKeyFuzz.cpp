// Sort keys of arbitrary bytes in every language, at every flag setting and at
// a buffer size the input chooses: a key stays inside its buffer, ends with
// its NUL and compares equal to itself, and a cut key is the beginning of the
// whole key (except where accents are reversed or the system keys the text).
#include "FuzzSupport.h"

#include "database/sort/LanguageSort.h"

#include <string.h>

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // First byte: the buffer size for the cut keys; the rest is the text.
    const int cutSize = data[0] % 130;
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    text = text.c_str(); // the text ends at its first NUL

    std::vector<int> codes = {langRawBytes, langSystem, 6};
    for (int i = 0; i < CLanguageSort::GetLanguageCount(); ++i)
        codes.push_back(CLanguageSort::GetLanguageCode(i));
    const int kGuard = 16;
    for (int code : codes)
    {
        const CLanguageSort sort(code);
        for (int flags = 0; flags < 4; ++flags)
        {
            std::string whole;
            for (int keySize : {1024, cutSize})
            {
                std::vector<char> buffer(keySize + 2 * kGuard, '\x5A');
                char* key = buffer.data() + kGuard;
                if (sort.MakeSortKey(key, keySize, text.c_str(), flags) != key)
                    FuzzFinding("MakeSortKey returned another buffer");
                for (int i = 0; i < kGuard; ++i)
                {
                    if (buffer[i] != '\x5A' || buffer[kGuard + keySize + i] != '\x5A')
                        FuzzFinding("key written outside its buffer");
                }
                if (keySize == 0)
                    continue;
                const size_t length = strnlen(key, keySize);
                if (length >= static_cast<size_t>(keySize))
                    FuzzFinding("key without its NUL");
                if (CLanguageSort::CompareSortKeys(key, key) != 0)
                    FuzzFinding("key unequal to itself");
                if (keySize == 1024)
                    whole = key;
                else if (code != langFrench && code != langSystem && whole.compare(0, length, key) != 0)
                    FuzzFinding("cut key is not the beginning of the whole key");
            }
        }
    }
    return 0;
}
