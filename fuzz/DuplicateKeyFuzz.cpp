// Duplicate keys of arbitrary record texts under settings the input chooses:
// a key stays inside its 256 bytes and ends with its NUL, has one piece per
// counted field, no piece longer than its budget, and the same record always
// gives the same key.
//
// Input: byte 0 the options (bit 0 lastNameOnly, bit 1 yearOnly), byte 1 the
// number of codes (mod 13), then that many code bytes, then the field texts
// separated by NULs, given to the codes' fields in turn (role codes fill
// fields 1, 4 and 20).
#include "FuzzSupport.h"

#include "app/core/LineStringArray.h"
#include "database/sort/AccentFold.h"
#include "database/sort/DBDuplicateFinder.h"
#include "database/sort/LanguageSort.h"
#include "database/sort/SortKeyRecord.h"
#include "database/text/StyledString.h"

#include <string.h>

#include <string>
#include <vector>

namespace {

class FuzzRecord : public SortKeyRecord
{
public:
    const StyledString& GetField(int n) const override { return fields[n >= 1 && n <= 45 ? n : 0]; }
    CString GetRecordIdText() const override { return CString("1"); }
    LONG GetRecordNumber() const override { return 1; }
    CString GetWorkformName() const override { return CString("<Default>"); }
    StyledString fields[46];
};

int FieldOf(BYTE code)
{
    switch (code) {
    case 255:
        return 1;
    case 254:
        return 4;
    case 253:
        return 20;
    default:
        return code;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = (BuildAccentFoldTable(), true);
    (void)ready;
    if (size < 2)
        return 0;
    const BYTE options = data[0];
    const size_t count = data[1] % 13;
    if (size < 2 + count)
        return 0;
    DuplicateSettings settings;
    settings.SetFields(data + 2, static_cast<int>(count));
    settings.lastNameOnly = options & 1;
    settings.yearOnly = (options >> 1) & 1;

    FuzzRecord record;
    size_t pos = 2 + count;
    for (size_t i = 0; pos < size; ++i) {
        const char* text = reinterpret_cast<const char*>(data + pos);
        const size_t length = strnlen(text, size - pos);
        const int field = count > 0 ? FieldOf(data[2 + i % count]) : 42;
        if (field >= 1 && field <= 45)
            record.fields[field].SetPlainText(std::string(text, length).c_str());
        pos += length + 1;
    }

    const CLanguageSort sort(langGeneral);
    const CLineStringArray authorStops("von\nde");
    const CLineStringArray genericStops("a\nan\nthe");
    const SortKeyContext context(sort, authorStops, genericStops);
    DBDuplicateFinder finder;
    finder.Attach(nullptr, &context);
    finder.SetSettings(settings);
    if (!settings.IsOn())
        return 0;

    const int kGuard = 16;
    std::vector<char> buffer(DBDuplicateFinder::kKeySize + 2 * kGuard, '\x5A');
    char* key = buffer.data() + kGuard;
    finder.BuildKey(key, record);
    for (int i = 0; i < kGuard; ++i)
        if (buffer[i] != '\x5A' || buffer[kGuard + DBDuplicateFinder::kKeySize + i] != '\x5A')
            FuzzFinding("key written outside its buffer");
    const size_t length = strnlen(key, DBDuplicateFinder::kKeySize);
    if (length >= DBDuplicateFinder::kKeySize)
        FuzzFinding("key without its NUL");

    const int n = count < 10 ? static_cast<int>(count) : 10;
    const int budget = DBDuplicateFinder::kKeySize / n < 63 ? DBDuplicateFinder::kKeySize / n : 63;
    const std::string whole(key, length);
    int pieces = 1;
    size_t start = 0;
    for (size_t i = 0; i <= whole.size(); ++i) {
        if (i < whole.size() && whole[i] != '\x01')
            continue;
        if (static_cast<int>(i - start) > budget)
            FuzzFinding("piece longer than its budget");
        if (i < whole.size())
            ++pieces;
        start = i + 1;
    }
    // Texts may hold 0x01 themselves, so only too few pieces are wrong, and
    // only when the key was not cut at its end.
    if (pieces < n && length < DBDuplicateFinder::kKeySize - 1)
        FuzzFinding("a piece is missing");

    char again[DBDuplicateFinder::kKeySize];
    finder.BuildKey(again, record);
    if (strcmp(again, key) != 0)
        FuzzFinding("the same record keyed twice differently");
    return 0;
}
