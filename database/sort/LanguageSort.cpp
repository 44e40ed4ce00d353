#include "database/sort/LanguageSort.h"

#include "classlib/Archive.h"
#include "database/sort/Collation.h"

#include <algorithm>
#include <string.h>

IMPLEMENT_SERIAL(CLanguageSort, CObject, 0)

namespace
{
const int kSystemCollationVersion = 2;
const BYTE kLevelSeparator = 0x01;

// The raw-byte order of languages 254 and 255.
const CCollation& DefaultCollation()
{
    static const CCollation collation;
    return collation;
}

// Appends key bytes; never writes the last byte of the buffer, which is kept
// for the NUL. Once the buffer has filled, writing has stopped for good, also
// when a level is dropped again: a cut key stays the beginning of the whole
// key instead of taking a later level into the room freed.
class KeyWriter
{
public:
    KeyWriter(char* dest, int size) : m_dest(dest), m_limit(size - 1), m_full(size <= 1) {}

    void Put(BYTE b)
    {
        if (m_full)
            return;
        m_dest[m_pos++] = static_cast<char>(b);
        m_full = m_pos >= m_limit;
    }
    bool Full() const { return m_full; }
    int Position() const { return m_pos; }
    void CutTo(int pos) { m_pos = pos; }
    char* At(int pos) { return m_dest + pos; }

    void Terminate()
    {
        while (m_pos > 0 && static_cast<BYTE>(m_dest[m_pos - 1]) == kLevelSeparator)
            --m_pos;
        m_dest[m_pos] = '\0';
    }

private:
    char* m_dest;
    int m_limit;
    int m_pos = 0;
    bool m_full;
};

// One character of the stored encoding: a byte below 0x80, or a lead byte
// and the character after it.
struct EncodedChar
{
    BYTE lead; // 0 for a byte below 0x80
    BYTE ch;
};

// Reads the character at text[pos] and moves pos past it; FALSE at the end of
// the text. A lead byte directly before the NUL ends the text.
bool NextChar(const char* text, int& pos, EncodedChar& c)
{
    const BYTE b = static_cast<BYTE>(text[pos]);
    if (b == 0)
        return false;
    if (b < 0x80)
    {
        c = {0, b};
        ++pos;
        return true;
    }
    const BYTE next = static_cast<BYTE>(text[pos + 1]);
    if (next == 0)
        return false;
    c = {b, next};
    pos += 2;
    return true;
}

// The weights of one character: one unit, or two for an expansion.
struct CharWeights
{
    int count;
    BYTE unit[2][4];
};

void SetUnit(BYTE* unit, BYTE extra, BYTE primary)
{
    unit[0] = extra;
    unit[1] = primary;
    unit[2] = kNoWeight;
    unit[3] = kNoWeight;
}

void WeighChar(const CCollation& collation, const EncodedChar& c, CharWeights& w)
{
    const CollationWeights* table = collation.GetTable(c.lead);
    w.count = 1;
    if (table == nullptr)
    {
        // No table: the two raw bytes are the primary weight.
        SetUnit(w.unit[0], c.lead, c.ch);
        return;
    }
    const BYTE* entry = table[c.ch];
    if (entry[3] != kExpansionMark)
    {
        memcpy(w.unit[0], entry, 4);
        return;
    }
    const CollationWeights* parts = collation.GetTable(entry[0]);
    w.count = 2;
    for (int i = 0; i < 2; ++i)
    {
        const BYTE part = entry[1 + i];
        // An expansion names plain characters; anything else weighs raw.
        if (parts != nullptr && parts[part][3] != kExpansionMark && parts[part][1] != 0)
            memcpy(w.unit[i], parts[part], 4);
        else
            SetUnit(w.unit[i], 0, part);
    }
}

void WritePrimaryLevel(const CCollation& collation, const char* text, KeyWriter& key)
{
    int pos = 0;
    EncodedChar c;
    while (!key.Full())
    {
        if (static_cast<BYTE>(text[pos]) < 0x80 && text[pos] != '\0')
        {
            const BYTE digraph = collation.MatchDigraph(text, pos);
            if (digraph != 0)
            {
                key.Put(digraph);
                continue;
            }
        }
        if (!NextChar(text, pos, c))
            break;
        CharWeights w;
        WeighChar(collation, c, w);
        for (int i = 0; i < w.count; ++i)
        {
            if (w.unit[i][0] != 0)
                key.Put(w.unit[i][0]);
            key.Put(w.unit[i][1]);
        }
    }
}

// Writes the separator and the level's weight (index 2 accents, 3 case) of
// every character; drops the weights again when none says anything.
void WriteLevel(const CCollation& collation, const char* text, int index, bool reverse, KeyWriter& key)
{
    key.Put(kLevelSeparator);
    const int start = key.Position();
    bool allNone = true;
    int pos = 0;
    EncodedChar c;
    while (!key.Full() && NextChar(text, pos, c))
    {
        CharWeights w;
        WeighChar(collation, c, w);
        for (int i = 0; i < w.count; ++i)
        {
            key.Put(w.unit[i][index]);
            allNone = allNone && w.unit[i][index] == kNoWeight;
        }
    }
    if (allNone)
        key.CutTo(start);
    else if (reverse)
        std::reverse(key.At(start), key.At(key.Position()));
}
} // namespace

CLanguageSort::CLanguageSort(int language)
    : m_language(langRawBytes), m_collationVersion(0), m_collation(nullptr)
{
    SetLanguage(language);
    m_collationVersion = GetCollationVersion();
}

BOOL CLanguageSort::SetLanguage(int code)
{
    m_collation = &DefaultCollation();
    m_language = langRawBytes;
    if (code == langRawBytes || code == langSystem)
    {
        m_language = code;
        return TRUE;
    }
    const int index = FindLanguage(code);
    if (index < 0)
        return FALSE;
    const CCollation* collation = GetLanguageCollation(index);
    if (collation == nullptr || !collation->IsAvailable())
        return FALSE;
    m_language = code;
    m_collation = collation;
    return TRUE;
}

int CLanguageSort::GetCollationVersion() const
{
    if (m_language == langSystem)
        return kSystemCollationVersion;
    return m_collation->version;
}

void CLanguageSort::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << static_cast<WORD>(m_language) << static_cast<WORD>(m_collationVersion);
    }
    else
    {
        WORD language = 0;
        WORD version = 0;
        ar >> language >> version;
        SetLanguage(language);
        m_collationVersion = version;
    }
}

char* CLanguageSort::MakeSortKey(char* dest, int size, const char* text, int flags) const
{
    if (size < 1)
        return dest;
    if (m_language == langSystem)
        return MakeLocaleSortKey(dest, size, text, flags);
    if (m_language == langRawBytes)
    {
        const size_t n = std::min(strlen(text), static_cast<size_t>(size - 1));
        memmove(dest, text, n);
        dest[n] = '\0';
        return dest;
    }
    KeyWriter key(dest, size);
    if (text[0] != '\0')
    {
        WritePrimaryLevel(*m_collation, text, key);
        if (!(flags & sortKeyNoAccents))
            WriteLevel(*m_collation, text, 2, m_collation->reverseAccents != 0, key);
        if (!(flags & sortKeyNoCase))
            WriteLevel(*m_collation, text, 3, false, key);
    }
    key.Terminate();
    return dest;
}

int CLanguageSort::CompareSortKeys(const char* a, const char* b)
{
    const int c = strcmp(a, b); // compares as unsigned char
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}
