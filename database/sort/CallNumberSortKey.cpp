#include "database/sort/CallNumberSortKey.h"

#include "database/sort/AccentFold.h"
#include "classlib/Exceptions.h"

#include <string.h>

namespace
{
// The runtime library's classes in the "C" locale: bytes from 0x80 up are
// neither letters nor digits, so they separate tokens.
bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsTokenChar(char c) { return IsLetter(c) || IsDigit(c) || c == '.'; }

const char kEightZeros[] = "00000000";

// Reads digits and "/" from pos, removing each "/" from the text.
void ReadDigitsDroppingSlashes(std::string& text, int& pos, int& lastIndex)
{
    while (pos <= lastIndex)
    {
        if (text[pos] == '/')
        {
            text.erase(pos, 1);
            --lastIndex;
        }
        else if (IsDigit(text[pos]))
            ++pos;
        else
            break;
    }
}

void ReadWhile(const std::string& text, int& pos, int lastIndex, bool (*accept)(char))
{
    while (pos <= lastIndex && accept(text[pos]))
        ++pos;
}

// The pieces of one token's text.
struct TokenParts
{
    std::string letters;  // after an optional leading "."
    std::string digits;   // the first run of digits after them
    std::string trailing; // letters after the digits
    std::string beforeDot, afterDot; // of a decimal
};

TokenParts SplitToken(const std::string& token)
{
    TokenParts parts;
    size_t i = (!token.empty() && token[0] == '.') ? 1 : 0;
    while (i < token.size() && IsLetter(token[i]))
        parts.letters += token[i++];
    while (i < token.size() && IsDigit(token[i]))
        parts.digits += token[i++];
    while (i < token.size() && IsLetter(token[i]))
        parts.trailing += token[i++];
    const size_t dot = token.find('.');
    parts.beforeDot = token.substr(0, dot == std::string::npos ? token.size() : dot);
    if (dot != std::string::npos)
        parts.afterDot = token.substr(dot + 1);
    return parts;
}

// Builds a key body token by token from the list's start index. Every step
// checks first that a token remains: when none does, the key ends there.
class KeyBuilder
{
public:
    KeyBuilder(const CallNumberTokenList& list, std::string& out)
        : m_list(list), m_out(out), m_at(list.startIndex)
    {
    }

    bool More() const { return m_at < m_list.count; }
    int Type(int offset = 0) const
    {
        const int i = m_at + offset;
        return i < m_list.count ? m_list.tokens[i].type : 0;
    }
    std::string Text(int offset = 0) const
    {
        const CallNumberToken& token = m_list.tokens[m_at + offset];
        return m_list.text.substr(token.start, token.end - token.start + 1);
    }
    TokenParts Parts(int offset = 0) const { return SplitToken(Text(offset)); }
    char CharBefore() const
    {
        const int start = m_list.tokens[m_at].start;
        return start > 0 ? m_list.text[start - 1] : '\0';
    }
    void Next(int n = 1) { m_at += n; }
    bool FollowsNonDecimal() const { return m_at > 0 && m_list.tokens[m_at - 1].type != cntDecimal; }
    void Add(const std::string& piece) { m_out += piece; }
    void AddRest() { m_out += m_list.text.substr(m_list.tokens[m_at].start); }

    // Class number of `width` digits. Returns false when the key has ended.
    bool ClassNumber(int width)
    {
        switch (Type())
        {
        case cntInteger:
            Add(PadLeft(Text(), width, '0'));
            Next();
            break;
        case cntDecimal:
            Add(PadLeft(Parts().beforeDot, width, '0'));
            return true; // its decimal part is the next step's
        case cntLettersDigits:
            Add(PadLeft(Parts().digits, width, '0'));
            Next();
            break;
        default:
            Add(std::string(width, '0'));
            return true;
        }
        if (!More())
        {
            Add(kEightZeros);
            return false;
        }
        return true;
    }

    // The decimal part; `ownDecimal` says whether a decimal token here is
    // the class number's own fraction.
    void DecimalPart(bool ownDecimal)
    {
        if (Type() == cntDecimal)
        {
            if (ownDecimal)
            {
                Add(PadRight(Parts().afterDot, 8, '0'));
                Next();
            }
            else
                Add(kEightZeros);
        }
        else if (Type() == cntLoneDot)
        {
            if (Type(1) == cntInteger)
            {
                Add(PadRight(Text(1), 8, '0'));
                Next(2);
            }
            else
                Next();
        }
        else
            Add(kEightZeros);
    }

    // A cutter's number: its own digits, else (for a cutter written without
    // digits) the integer after it, else eight zeros.
    void CutterNumber(const TokenParts& parts, bool takeNextInteger)
    {
        if (!parts.digits.empty())
            Add(PadRight(parts.digits, 8, '0'));
        else if (takeNextInteger && Type(1) == cntInteger)
        {
            Add(PadRight(Text(1), 8, '0'));
            Next();
        }
        else
            Add(kEightZeros);
    }

    // The first LC cutter: only directly after a digit or "." of the text.
    void FirstCutter()
    {
        const int type = Type();
        const char before = CharBefore();
        if ((type != cntLettersDigits && type != cntCutter && type != cntLetters) ||
            !(IsDigit(before) || before == '.'))
        {
            Add(" ");
            return;
        }
        const TokenParts parts = Parts();
        Add(parts.letters);
        if (type == cntLetters)
            Add(kEightZeros);
        else
            CutterNumber(parts, type == cntCutter);
        Next();
    }

    void SkipLoneDot()
    {
        if (Type() == cntLoneDot)
            Next();
    }

    void SecondCutter()
    {
        const int type = Type();
        const TokenParts parts = Parts();
        if (type == cntLetters)
        {
            Add(parts.letters);
            if (Type(1) == cntInteger)
            {
                Add(PadRight(Text(1), 8, '0'));
                Next();
            }
            else
                Add(kEightZeros);
            Add(" ");
            Next();
        }
        else if (type == cntLettersDigits || type == cntCutter)
        {
            Add(parts.letters);
            CutterNumber(parts, type == cntCutter);
            const bool copiesLetters = type == cntCutter && !parts.digits.empty();
            Add(copiesLetters && !parts.trailing.empty() ? parts.trailing : std::string(" "));
            Next();
        }
        else
            Add(" ");
    }

    // The date: four digits, left-filled. A longer number or another token
    // gives `longText` or `otherText`.
    void Date(const char* longText, const char* otherText)
    {
        if (Type() == cntInteger)
        {
            const std::string text = Text();
            if (text.size() <= 4)
            {
                Add(PadLeft(text, 4, '0'));
                Next();
            }
            else
                Add(longText);
        }
        else
            Add(otherText);
    }

private:
    const CallNumberTokenList& m_list;
    std::string& m_out;
    int m_at;
};

bool IsLCClassLetters(const std::string& letters)
{
    const size_t n = letters.size();
    return n == 1 || n == 2 || (n == 3 && letters[0] == 'K');
}

int FirstNumberToken(const CallNumberTokenList& list)
{
    for (int i = 0; i < list.count; ++i)
    {
        const int type = list.tokens[i].type;
        if (type == cntInteger || type == cntDecimal || type == cntLettersDigits)
            return i;
    }
    return -1;
}

std::string TokenText(const CallNumberTokenList& list, int i)
{
    const CallNumberToken& token = list.tokens[i];
    return list.text.substr(token.start, token.end - token.start + 1);
}

bool IsDeweyCallNumber(CallNumberTokenList& list)
{
    const int i = FirstNumberToken(list);
    if (i < 0)
        return false;
    const std::string text = TokenText(list, i);
    bool qualifies = false;
    switch (list.tokens[i].type)
    {
    case cntInteger:
        qualifies = text.size() <= 3;
        break;
    case cntDecimal:
        qualifies = text.find('.') <= 3;
        break;
    case cntLettersDigits:
        qualifies = SplitToken(text).digits.size() <= 3;
        break;
    }
    if (qualifies)
        list.startIndex = i;
    return qualifies;
}

void Tokenise(CallNumberTokenList& list)
{
    std::string& text = list.text;
    int lastIndex = static_cast<int>(text.size()) - 1;
    int pos = 0;
    list.count = 0;
    while (list.count < kCallNumberMaxTokens)
    {
        while (pos <= lastIndex && !IsTokenChar(text[pos]))
            ++pos;
        if (pos > lastIndex)
            break;
        list.tokens[list.count++] = ScanCallNumberToken(text, pos, lastIndex);
        if (lastIndex + 1 - pos < 2)
            break;
    }
}
} // namespace

std::string PadLeft(const std::string& text, int width, char fill)
{
    const int length = static_cast<int>(text.size());
    return length >= width ? text : std::string(width - length, fill) + text;
}

std::string PadRight(const std::string& text, int width, char fill)
{
    const int length = static_cast<int>(text.size());
    return length >= width ? text : text + std::string(width - length, fill);
}

CallNumberToken ScanCallNumberToken(std::string& text, int& pos, int& lastIndex)
{
    CallNumberToken token;
    token.start = static_cast<short>(pos);
    const char next = pos < lastIndex ? text[pos + 1] : '\0';
    if (text[pos] == '.')
    {
        ++pos;
        if (IsLetter(next))
        {
            ReadWhile(text, pos, lastIndex, IsLetter);
            ReadWhile(text, pos, lastIndex, IsDigit);
            ReadWhile(text, pos, lastIndex, IsLetter);
            token.type = cntCutter;
        }
        else if (IsDigit(next))
        {
            ReadDigitsDroppingSlashes(text, pos, lastIndex);
            token.type = cntDecimal;
        }
        else
            token.type = cntLoneDot;
    }
    else if (IsDigit(text[pos]))
    {
        ReadDigitsDroppingSlashes(text, pos, lastIndex);
        token.type = cntInteger;
        if (pos <= lastIndex && text[pos] == '.')
        {
            ++pos;
            ReadDigitsDroppingSlashes(text, pos, lastIndex);
            token.type = cntDecimal;
        }
    }
    else
    {
        ReadWhile(text, pos, lastIndex, IsLetter);
        token.type = cntLetters;
        if (pos <= lastIndex && IsDigit(text[pos]))
        {
            ReadWhile(text, pos, lastIndex, IsDigit);
            token.type = cntLettersDigits;
            if (pos <= lastIndex && IsLetter(text[pos]))
            {
                ReadWhile(text, pos, lastIndex, IsLetter);
                token.type = cntCutter;
            }
        }
    }
    token.end = static_cast<short>(pos - 1);
    return token;
}

bool IsLCCallNumber(CallNumberTokenList& list)
{
    const int i = FirstNumberToken(list);
    if (i < 0)
        return false;
    const std::string text = TokenText(list, i);
    if (list.tokens[i].type == cntLettersDigits)
    {
        const TokenParts parts = SplitToken(text);
        if (!IsLCClassLetters(parts.letters) || parts.digits.size() > 4)
            return false;
        list.startIndex = i;
        return true;
    }
    if (i == 0 || list.tokens[i - 1].type != cntLetters ||
        !IsLCClassLetters(TokenText(list, i - 1)))
        return false;
    const size_t digitsBeforeDot =
        list.tokens[i].type == cntInteger ? text.size() : text.find('.');
    if (digitsBeforeDot > 4)
        return false;
    list.startIndex = i - 1;
    return true;
}

void MakeLCKey(const CallNumberTokenList& list, std::string& out)
{
    KeyBuilder key(list, out);
    if (!key.More())
        return;
    // Class letters.
    if (key.Type() == cntLettersDigits)
        key.Add(key.Parts().letters);
    else if (key.Type() == cntLetters)
    {
        key.Add(key.Parts().letters);
        key.Next();
    }
    else
        key.Add(" ");
    if (!key.More() || !key.ClassNumber(4) || !key.More())
        return;
    // A decimal token is the class number's fraction unless it is the first
    // token or follows another decimal.
    key.DecimalPart(key.FollowsNonDecimal());
    if (!key.More())
        return;
    key.FirstCutter();
    if (!key.More())
        return;
    key.SkipLoneDot();
    if (!key.More())
        return;
    key.SecondCutter();
    if (!key.More())
        return;
    key.Date("", " ");
    if (key.More())
        key.AddRest();
}

void MakeDeweyKey(const CallNumberTokenList& list, std::string& out)
{
    KeyBuilder key(list, out);
    if (!key.More() || !key.ClassNumber(3) || !key.More())
        return;
    key.DecimalPart(true);
    if (!key.More())
        return;
    key.SkipLoneDot();
    if (!key.More())
        return;
    key.SecondCutter();
    if (!key.More())
        return;
    key.Date(" ", "");
    if (key.More())
        key.AddRest();
}

std::string MakeCallNumberSortKey(const char* callNumber)
{
    const size_t length = strnlen(callNumber, kCallNumberScanLimit);
    if (length == 0)
        return std::string();
    CallNumberTokenList list;
    list.text.assign(callNumber, length);
    for (char& c : list.text)
        c = static_cast<char>(g_AccentFold[static_cast<unsigned char>(c)]);
    Tokenise(list);
    std::string key;
    if (IsLCCallNumber(list))
    {
        key = "C";
        MakeLCKey(list, key);
    }
    else if (IsDeweyCallNumber(list))
    {
        key = "D";
        MakeDeweyKey(list, key);
    }
    else
        key = "O" + list.text;
    if (key.size() > 1 + kCallNumberKeyBody)
        key.resize(1 + kCallNumberKeyBody);
    return key;
}

void MakeCallNumberSortKey(char* dest, const char* callNumber)
{
    // Sort keys are built inside tree and index work, whose callers catch
    // class-library exceptions only.
    AfxTranslateBadAlloc([&] {
        const std::string key = MakeCallNumberSortKey(callNumber);
        memcpy(dest, key.c_str(), key.size() + 1);
    });
}
