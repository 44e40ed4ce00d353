#include "database/db/FieldSet.h"

namespace
{
bool InRange(int field)
{
    return field >= 0 && field < FieldSet::kFields;
}
} // namespace

FieldSet::FieldSet()
{
    Clear();
}

FieldSet::FieldSet(int field)
{
    Clear();
    if (field == kAllFields)
    {
        for (unsigned char& b : m_bits)
            b = 0xFF;
    }
    else
    {
        Add(field);
    }
}

void FieldSet::Clear()
{
    for (unsigned char& b : m_bits)
        b = 0;
}

int FieldSet::Count() const
{
    int count = 0;
    for (unsigned char b : m_bits)
    {
        for (; b != 0; b &= static_cast<unsigned char>(b - 1))
            ++count;
    }
    return count;
}

bool FieldSet::IsEmpty() const
{
    for (unsigned char b : m_bits)
    {
        if (b != 0)
            return false;
    }
    return true;
}

bool FieldSet::Contains(int field) const
{
    return InRange(field) && (m_bits[field / 8] & (1u << (field % 8))) != 0;
}

void FieldSet::Add(int field)
{
    if (InRange(field))
        m_bits[field / 8] |= static_cast<unsigned char>(1u << (field % 8));
}

void FieldSet::Remove(int field)
{
    if (InRange(field))
        m_bits[field / 8] &= static_cast<unsigned char>(~(1u << (field % 8)));
}

FieldSet FieldSet::operator&(const FieldSet& other) const
{
    FieldSet result;
    for (int i = 0; i < kBytes; ++i)
        result.m_bits[i] = m_bits[i] & other.m_bits[i];
    return result;
}

FieldSet FieldSet::operator|(const FieldSet& other) const
{
    FieldSet result(*this);
    result |= other;
    return result;
}

FieldSet FieldSet::operator^(const FieldSet& other) const
{
    FieldSet result;
    for (int i = 0; i < kBytes; ++i)
        result.m_bits[i] = m_bits[i] ^ other.m_bits[i];
    return result;
}

FieldSet& FieldSet::operator|=(const FieldSet& other)
{
    for (int i = 0; i < kBytes; ++i)
        m_bits[i] |= other.m_bits[i];
    return *this;
}

bool FieldSet::operator==(const FieldSet& other) const
{
    for (int i = 0; i < kBytes; ++i)
    {
        if (m_bits[i] != other.m_bits[i])
            return false;
    }
    return true;
}

FieldSet FieldSet::Of(const int* fields, int count)
{
    FieldSet set;
    for (int i = 0; i < count; ++i)
        set.Add(fields[i]);
    return set;
}

const FieldSet& FieldSet::AuthorFields()
{
    static const int fields[] = {1, 7, 16, 30};
    static const FieldSet set = Of(fields, 4);
    return set;
}

const FieldSet& FieldSet::JournalField()
{
    static const FieldSet set(10);
    return set;
}

const FieldSet& FieldSet::TitleFields()
{
    static const int fields[] = {4, 9, 11, 32};
    static const FieldSet set = Of(fields, 4);
    return set;
}

const FieldSet& FieldSet::DateFields()
{
    static const int fields[] = {12, 20, 21};
    static const FieldSet set = Of(fields, 3);
    return set;
}

const FieldSet& FieldSet::KeywordField()
{
    static const FieldSet set(45);
    return set;
}

const FieldSet& FieldSet::AllFields()
{
    static const FieldSet set(kAllFields);
    return set;
}

const FieldSet& FieldSet::NoFields()
{
    static const FieldSet set;
    return set;
}
