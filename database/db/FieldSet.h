// A set of record field numbers.
//
// Six bytes of bits: field n (0..47) is bit n % 8 of byte n / 8, bit 0 the
// lowest. Records use fields 1 to 45; field 0 stands for the record ID and
// 46, 47 are spare, so "all fields" sets all 48 bits. Field numbers outside
// 0..47 are ignored by every operation (never a write outside the bytes).
//
// The fixed sets name the fields that the term indexes cover; they are
// constants, valid from the first call on.
#pragma once

class FieldSet
{
public:
    enum
    {
        kBytes = 6,
        kFields = kBytes * 8,
        kAllFields = -1 // for the one-field constructor: every bit
    };

    FieldSet();
    // The set of one field, or every field for kAllFields (-1).
    explicit FieldSet(int field);

    void Clear();
    int Count() const;
    bool IsEmpty() const;

    bool Contains(int field) const;
    void Add(int field);
    void Remove(int field);

    // Raw bytes (index 0..kBytes-1), for stored forms that keep the bitmap.
    unsigned char GetByte(int index) const { return m_bits[index]; }
    void SetByte(int index, unsigned char value) { m_bits[index] = value; }

    FieldSet operator&(const FieldSet& other) const;
    FieldSet operator|(const FieldSet& other) const;
    FieldSet operator^(const FieldSet& other) const;
    FieldSet& operator|=(const FieldSet& other);
    bool operator==(const FieldSet& other) const;
    bool operator!=(const FieldSet& other) const { return !(*this == other); }

    // Fixed sets.
    static const FieldSet& AuthorFields();  // 1, 7, 16, 30
    static const FieldSet& JournalField();  // 10
    static const FieldSet& TitleFields();   // 4, 9, 11, 32
    static const FieldSet& DateFields();    // 12, 20, 21
    static const FieldSet& KeywordField();  // 45
    static const FieldSet& AllFields();     // all 48 bits
    static const FieldSet& NoFields();      // empty

private:
    static FieldSet Of(const int* fields, int count);

    unsigned char m_bits[kBytes];
};
