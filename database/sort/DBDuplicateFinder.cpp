#include "database/sort/DBDuplicateFinder.h"

#include "app/core/StringHelpers.h"
#include "database/btree/BTreeCursor.h"
#include "database/db/DBRecordSet.h"
#include "database/sort/AccentFold.h"
#include "database/sort/CallNumberSortKey.h"
#include "database/sort/DBSortKeyBuilder.h"
#include "database/sort/KeyWords.h"
#include "database/sort/SortKeyRecord.h"
#include "database/sort/TextSpans.h"
#include "database/text/DateValue.h"
#include "database/text/InternalEncoding.h"
#include "database/text/StyledString.h"

#include <string.h>
#include <vector>

namespace {

const char kPieceEnd = '\x01';

bool IsAuthorField(int n)
{
    return n == 1 || n == 7 || n == 16 || n == 30;
}

bool IsDateField(int n)
{
    return n == 12 || n == 20 || n == 21;
}

const int kCallNumberField = 44;

// The field's text in the stored encoding (a character may take two bytes).
std::vector<char> Encode(const StyledString& field)
{
    std::vector<char> encoded(2 * static_cast<size_t>(field.GetLength()) + 2);
    EncodeStyledText(encoded.data(), static_cast<int>(encoded.size()), field);
    return encoded;
}

// The key words of text with the blanks between them taken out.
std::string CollectJoinedWords(const char* text, int limit, const CStringArray& stopList, bool lastNameOnly)
{
    if (limit < 1)
        return std::string();
    std::vector<char> words(static_cast<size_t>(limit) + 1);
    const int length = CollectKeyWords(words.data(), limit, text, &stopList, lastNameOnly);
    std::string joined;
    for (int i = 0; i < length; ++i)
        if (words[i] != ' ')
            joined += words[i];
    return joined;
}

const unsigned char kAnsiLead = 0x81;

// Folds case and accents. The accent table is a Windows ANSI one, so an ANSI
// character's lead byte goes first ('M\x81\xfcller' folds as 'MULLER'); the
// characters of other sets keep theirs.
void Fold(std::string& text)
{
    std::string folded;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == kAnsiLead && i + 1 < text.size())
            continue;
        folded += static_cast<char>(g_AccentFold[c]);
    }
    text.swap(folded);
}

} // namespace

DBDuplicateFinder::DBDuplicateFinder() : m_database(nullptr), m_pending(nullptr), m_sets(*this)
{
    // Each addition asks the count of its key: a bulk batch may not collect it.
    m_sets.SetCollectable(FALSE);
}

DBDuplicateFinder::~DBDuplicateFinder() {}

void DBDuplicateFinder::Attach(BTPagedFile* file, const SortKeyContext* database)
{
    StringKeyTree::Attach(file);
    m_database = database;
}

void DBDuplicateFinder::RemoveAllSets()
{
    if (m_pending)
        m_pending->Forget(m_sets);
    RemoveAll();
}

std::string DBDuplicateFinder::MakeFieldText(const SortKeyRecord& record, int code) const
{
    const int n = record.ResolveFieldRole(code);
    if (n < 1 || n > 45)
        return std::string();
    const StyledString& field = record.GetField(n);
    const int length = field.GetLength();
    if (length == 0)
        return std::string();
    static const CStringArray noWords;
    const CStringArray& authorStops = m_database ? m_database->authorStopList : noWords;
    const CStringArray& genericStops = m_database ? m_database->genericStopList : noWords;

    if (IsDateField(n)) {
        const DateValue date(field.text);
        if (date.start.year != 0) {
            char digits[9];
            FormatHex8(digits, DateSortNumber(date.start, m_settings.yearOnly != 0));
            return std::string(digits, 8);
        }
    }
    if (n == kCallNumberField)
        return MakeCallNumberSortKey(field.text);

    const std::vector<char> encoded = Encode(field);
    std::string text;
    if (IsAuthorField(n)) {
        for (const char* rest = encoded.data(); static_cast<int>(text.size()) < length;) {
            TextSpan span;
            GetSeparatedItemSpan(span, rest);
            if (span.start == span.end)
                break;
            const std::string author(rest + span.start, rest + span.end);
            rest += span.end;
            const bool literal = author[0] == '=';
            // Words are collected whole, then the blanks go: 'DOE J' keeps its J.
            text += CollectJoinedWords(author.c_str(), static_cast<int>(author.size()) + 2,
                                       literal ? genericStops : authorStops,
                                       !literal && m_settings.lastNameOnly != 0);
        }
        if (static_cast<int>(text.size()) > length)
            text.resize(length);
    } else {
        text = CollectJoinedWords(encoded.data(), static_cast<int>(encoded.size()) + 2, genericStops, false);
    }
    Fold(text);
    return text;
}

void DBDuplicateFinder::BuildKey(char* dest, const SortKeyRecord& record) const
{
    int n = m_settings.fieldCount;
    if (n > DuplicateSettings::kKeyFields)
        n = DuplicateSettings::kKeyFields;
    if (n < 1)
        n = 1;
    int budget = kKeySize / n;
    if (budget > kMaxBudget)
        budget = kMaxBudget;
    std::string key;
    key.reserve(kKeySize);
    for (int i = 0; i < n; ++i) {
        const std::string text = m_settings.fieldCount > 0 ? MakeFieldText(record, m_settings.fields[i]) : "";
        const int length = static_cast<int>(text.size());
        if (length > budget) {
            const int slice = budget / 3;
            key.append(text, 0, slice);
            key.append(text, length / 2 - budget / 6, slice);
            key.append(text, length - slice, slice);
        } else {
            key += text;
        }
        key += kPieceEnd;
    }
    key.resize(key.size() - 1);
    if (key.size() > kKeySize - 1)
        key.resize(kKeySize - 1);
    // A NUL inside would cut the key short where the tree reads it.
    for (char& c : key)
        if (c == '\0')
            c = kPieceEnd;
    memcpy(dest, key.c_str(), key.size() + 1);
}

BOOL DBDuplicateFinder::FindDuplicateOf(const SortKeyRecord& record)
{
    if (!m_settings.IsOn())
        return FALSE;
    char key[kKeySize];
    BuildKey(key, record);
    DBRecordSet set;
    if (!(m_pending ? m_pending->GetSet(m_sets, key, set) : ReadObject(set, key)))
        return FALSE;
    // A stored record is never its own duplicate.
    const LONG self = record.GetRecordNumber();
    return set.GetCount() > (set.Contains(self) ? 1 : 0);
}

void DBDuplicateFinder::AddUnder(const char* key, LONG recordNumber, DBRecordSet& duplicates)
{
    if (m_pending) {
        const std::string name(key);
        if (m_pending->Add(m_sets, name, recordNumber, nullptr, DBPendingSets::kNameWhenAdded) > 1) {
            DBRecordSet set;
            m_pending->GetSet(m_sets, name, set);
            duplicates |= set;
        }
        return;
    }
    DBRecordSet set;
    ReadObject(set, key);
    set.Set(recordNumber);
    WriteObject(set, key);
    if (set.GetCount() > 1)
        duplicates |= set;
}

void DBDuplicateFinder::RemoveUnder(const char* key, LONG recordNumber, DBRecordSet& duplicates)
{
    duplicates.Clear(recordNumber);
    if (m_pending) {
        const std::string name(key);
        if (m_pending->Remove(m_sets, name, recordNumber) == 1)
            m_pending->ForEachMember(m_sets, name, [&](LONG n) { duplicates.Clear(n); });
        return;
    }
    DBRecordSet set;
    if (!ReadObject(set, key))
        return;
    const int left = set.Clear(recordNumber);
    if (left == 1)
        duplicates.Clear(set.FindNext(-1));
    if (left > 0)
        WriteObject(set, key);
    else
        DeleteObject(key);
}

void DBDuplicateFinder::AddRecord(const SortKeyRecord& record, DBRecordSet& duplicates)
{
    if (!m_settings.IsOn())
        return;
    char key[kKeySize];
    BuildKey(key, record);
    AddUnder(key, record.GetRecordNumber(), duplicates);
}

void DBDuplicateFinder::UpdateRecord(const SortKeyRecord& oldRecord, const SortKeyRecord& newRecord,
                                     DBRecordSet& duplicates)
{
    if (!m_settings.IsOn())
        return;
    char oldKey[kKeySize];
    char newKey[kKeySize];
    BuildKey(oldKey, oldRecord);
    BuildKey(newKey, newRecord);
    if (strcmp(oldKey, newKey) == 0)
        return;
    RemoveUnder(oldKey, oldRecord.GetRecordNumber(), duplicates);
    AddUnder(newKey, newRecord.GetRecordNumber(), duplicates);
}

void DBDuplicateFinder::RemoveRecord(const SortKeyRecord& record, DBRecordSet& duplicates)
{
    if (!m_settings.IsOn())
        return;
    char key[kKeySize];
    BuildKey(key, record);
    RemoveUnder(key, record.GetRecordNumber(), duplicates);
}

BOOL DBDuplicateFinder::MarkBySize(DuplicateMarkSource& source, const DBRecordSet& duplicates,
                                   DBRecordSet& out)
{
    return Mark(source, duplicates, out, true);
}

BOOL DBDuplicateFinder::MarkByDate(DuplicateMarkSource& source, const DBRecordSet& duplicates,
                                   DBRecordSet& out)
{
    return Mark(source, duplicates, out, false);
}

BOOL DBDuplicateFinder::Mark(DuplicateMarkSource& source, const DBRecordSet& duplicates, DBRecordSet& out,
                             bool bySize)
{
    if (m_pending)
        m_pending->Flush();
    out = duplicates;
    BTreeCursor cursor(this);
    for (BOOL on = cursor.MoveFirst(); on && cursor.IsOnEntry(); on = cursor.NextKey()) {
        if (!source.Step())
            return FALSE;
        DBRecordSet group;
        if (!cursor.ReadObject(group))
            return FALSE;
        if (group.GetCount() < 2)
            continue;
        LONG keep = -1;
        DWORD best = 0;
        for (int n = group.FindNext(-1); n >= 0; n = group.FindNext(n)) {
            if (!source.Step())
                return FALSE;
            DWORD length = 0;
            DWORD created = 0;
            if (!source.ReadRecordFacts(n, &length, &created))
                return FALSE;
            const DWORD value = bySize ? length : created;
            if (keep < 0 || (bySize ? value > best : value < best)) {
                keep = n;
                best = value;
            }
        }
        out.Clear(keep);
    }
    return TRUE;
}
