#include "database/db/ListFile.h"

#include "app/core/StringHelpers.h"
#include "classlib/Archive.h"
#include "database/db/ListEntry.h"
#include "database/sort/TextSpan.h"
#include "database/text/InternalEncoding.h"
#include "database/text/WordScanning.h"

namespace {
enum
{
    kMaxKeyText = 255, // bytes of joined words, without the NUL
    kStopWalkAt = 253  // the walk ends once the text has reached this
};

// Leading words a list key leaves out; filled once for the process.
const CStringArray& GetLeadingStopWords()
{
    static CStringArray words;
    if (words.GetSize() == 0)
        for (const char* word : {"a", "an", "the", "l", "la", "le", "les"})
            words.Add(word);
    return words;
}

// The kept words of encoded text joined by one blank, within kMaxKeyText.
CString JoinKeyWords(const char* encoded)
{
    const CStringArray& stopWords = GetLeadingStopWords();
    CString joined;
    const char* rest = encoded;
    while (joined.GetLength() < kStopWalkAt) {
        TextSpan span;
        GetEncodedWordSpan(span, rest);
        if (span.end <= span.start)
            break;
        const char* word = rest + span.start;
        int length = span.end - span.start;
        rest += span.end;
        if (joined.IsEmpty() && FindWordNoCase(word, length, stopWords) >= 0)
            continue;
        if (!joined.IsEmpty())
            joined += ' ';
        const int room = kMaxKeyText - joined.GetLength();
        if (length > room)
            length = room;
        joined += CString(word, length);
    }
    return joined;
}
} // namespace

CListFile::CListFile(WORD documentType) : m_sort(langRawBytes)
{
    SetDocumentType(documentType);
    SetVersion(kListVersion);
    m_sort.SetLanguage(langGeneral);
    m_tree.SetLanguageSort(&m_sort);
    m_tree.Attach(this);
    GetLeadingStopWords();
}

void CListFile::SerializeHeader(CArchive& ar)
{
    BTPagedFile::SerializeHeader(ar);
    m_tree.SerializeRoot(ar);
}

void CListFile::MakeListKey(char* key, const CListEntry& entry) const
{
    char encoded[kKeySize];
    EncodeStyledText(encoded, sizeof encoded, entry.strings[0]);
    const CString joined = JoinKeyWords(encoded);
    m_sort.MakeSortKey(key, kKeySize, joined, sortKeyNoCase);
}

BOOL CListFile::LookupTerm(const StyledString& term, StyledString& out)
{
    CListEntry probe;
    probe.strings[0] = term;
    char key[kKeySize];
    MakeListKey(key, probe);
    CListEntry found;
    if (key[0] != '\0' && m_tree.ReadObject(found, key)) {
        out = found.strings[1];
        return TRUE;
    }
    out = term;
    return FALSE;
}
