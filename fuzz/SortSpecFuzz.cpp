// A stored sort definition and two stop lists, then sort keys and field
// terms built from arbitrary texts. The input is one archive: a language
// byte, the 26-byte sort definition, the author and the generic stop list
// (string arrays), then up to 16 texts (archive strings) that become the
// fields of two records and typed texts.
//
// Every key stays within its 128 bytes and is well formed, equals itself,
// orders two records one way only and stores the record number; a stored
// sort definition reads back equal; term walks advance and end, with terms of
// at most 255 characters and keys within their buffer.
#include "FuzzSupport.h"

#include "database/db/FieldTerms.h"
#include "database/sort/AccentFold.h"
#include "database/sort/DBSortKeyBuilder.h"
#include "database/sort/LanguageSort.h"
#include "database/sort/SortKeyRecord.h"
#include "database/text/StyledString.h"

#include <string.h>

#include <vector>

namespace {
const int kFields[] = {1, 4, 7, 9, 10, 11, 12, 16, 20, 21, 30, 44, 45};
const int kFieldCount = sizeof kFields / sizeof kFields[0];
const int kGuard = 16;

class FuzzRecord : public SortKeyRecord
{
public:
    FuzzRecord(LONG number, const std::vector<CString>& texts, int shift) : m_number(number)
    {
        for (size_t i = 0; i < texts.size(); ++i)
            m_fields[kFields[(i + shift) % kFieldCount]].SetPlainText(texts[i]);
        if (!texts.empty())
            m_id = texts[(shift + 1) % texts.size()];
    }
    const StyledString& GetField(int n) const override { return m_fields[n]; }
    CString GetRecordIdText() const override { return m_id; }
    LONG GetRecordNumber() const override { return m_number; }
    CString GetWorkformName() const override { return m_id; }

private:
    LONG m_number;
    CString m_id;
    StyledString m_fields[46];
};

int Sign(int c)
{
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

// A key built into a guarded buffer: checked for size, form and guards.
std::vector<BYTE> CheckedKey(const std::vector<BYTE>& buffer, int length)
{
    for (int i = 0; i < kGuard; ++i) {
        if (buffer[i] != 0x5A || buffer[kGuard + DBSortKeyBuilder::kMaxKeySize + i] != 0x5A)
            FuzzFinding("key written outside its buffer");
    }
    const BYTE* key = buffer.data() + kGuard;
    if (length < 5 || length > DBSortKeyBuilder::kMaxKeySize ||
        !DBSortKeyBuilder::IsWellFormedKey(key, length))
        FuzzFinding("malformed sort key");
    return std::vector<BYTE>(key, key + length);
}

std::vector<BYTE> BuildKey(const DBSortKeyBuilder& builder, const SortKeyRecord& record)
{
    std::vector<BYTE> buffer(DBSortKeyBuilder::kMaxKeySize + 2 * kGuard, 0x5A);
    int length = 0;
    if (builder.BuildKey(record, buffer.data() + kGuard, &length) != record.GetRecordNumber())
        FuzzFinding("BuildKey returned another record number");
    const std::vector<BYTE> key = CheckedKey(buffer, length);
    if (DBSortKeyBuilder::GetKeyRecordNumber(key.data()) != record.GetRecordNumber())
        FuzzFinding("key lost its record number");
    if (builder.CompareKeys(key.data(), key.data()) != 0)
        FuzzFinding("key unequal to itself");
    return key;
}

void CheckTypedText(const DBSortKeyBuilder& builder, const CString& text)
{
    std::vector<BYTE> buffer(DBSortKeyBuilder::kMaxKeySize + 2 * kGuard, 0x5A);
    const int length = builder.MakeSearchKey(text, buffer.data() + kGuard);
    const std::vector<BYTE> key = CheckedKey(buffer, length);
    if (builder.CompareKeyText(key.data(), key.data()) != 0)
        FuzzFinding("typed key unequal to itself");
}

void WalkTerms(FieldTermFunction next, const SortKeyContext& context, const StyledString& field)
{
    int position = 0;
    for (int calls = 0; calls <= field.GetLength() + 2; ++calls) {
        char key[kTermKeySize + kGuard];
        memset(key, 0x5A, sizeof key);
        StyledString term;
        const int after = next(context, field, position, key, term);
        if (memchr(key, 0, kTermKeySize) == nullptr || key[kTermKeySize] != 0x5A)
            FuzzFinding("term key outside its buffer");
        if (term.GetLength() > kMaxTermLength)
            FuzzFinding("term too long");
        if (after == position)
            return;
        if (after < position || after > field.GetLength())
            FuzzFinding("term walk went backwards or past the text");
        position = after;
    }
    FuzzFinding("term walk does not end");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    BuildAccentFoldTable();
    BYTE language = 0;
    DBSortSpec spec;
    CStringArray authorStops;
    CStringArray genericStops;
    std::vector<CString> texts;
    bool specRead = false;
    FuzzLoad(data, size, [&](CArchive& ar) {
        ar >> language;
        spec.Serialize(ar);
        specRead = true;
        authorStops.Serialize(ar);
        genericStops.Serialize(ar);
        while (texts.size() < 16) {
            CString text;
            ar >> text;
            texts.push_back(CString(static_cast<const char*>(text))); // fields hold no NUL
        }
    });
    if (!specRead)
        return 0;

    // The stored form reads back equal.
    std::vector<BYTE> stored;
    FuzzStep([&] {
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            spec.Serialize(ar);
        }
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        DBSortSpec again;
        again.Serialize(ar);
        if (!(again == spec) || again.indexBuilt != spec.indexBuilt)
            FuzzFinding("stored sort definition reads back different");
    });

    const int languages = CLanguageSort::GetLanguageCount();
    const CLanguageSort sort(language % (languages + 1) == languages
                                 ? langRawBytes
                                 : CLanguageSort::GetLanguageCode(language % (languages + 1)));
    const SortKeyContext context(sort, authorStops, genericStops);
    const DBSortKeyBuilder builder(spec, context);

    const FuzzRecord first(1, texts, 0);
    const FuzzRecord second(2, texts, 1 + language % 5);
    const std::vector<BYTE> a = BuildKey(builder, first);
    const std::vector<BYTE> b = BuildKey(builder, second);
    const int ab = builder.CompareKeys(a.data(), b.data());
    if (ab == 0 || Sign(ab) != -Sign(builder.CompareKeys(b.data(), a.data())))
        FuzzFinding("two records do not order one way");

    for (const CString& text : texts) {
        CheckTypedText(builder, text);
        const StyledString field(text);
        WalkTerms(GetNextAuthorTerm, context, field);
        WalkTerms(GetNextListTerm, context, field);
        WalkTerms(GetWholeFieldTerm, context, field);
        char prefix[kWordPrefixLength + 1 + kGuard];
        memset(prefix, 0x5A, sizeof prefix);
        const int after = GetWordPrefixKey(text, prefix);
        if (after < 0 || after > text.GetLength() || strlen(prefix) > kWordPrefixLength)
            FuzzFinding("bad word prefix key");
    }
    return 0;
}
