#include "database/sort/DBSortSpec.h"

#include "classlib/Archive.h"
#include "classlib/Exceptions.h"

namespace {
// Option byte of the stored form.
const BYTE kOptEmptyFirst = 0x80;
const BYTE kOptIndexBuilt = 0x40;
const BYTE kOptFirstAuthorOnly = 0x20;
const BYTE kOptLastNameOnly = 0x10;
const BYTE kOptYearOnly = 0x08;

BYTE Bit(int flag, BYTE bit)
{
    return flag ? bit : 0;
}
} // namespace

DBSortSpec::DBSortSpec()
    : keyCount(0), indexBuilt(0), emptyFirst(1), firstAuthorOnly(0), lastNameOnly(0), yearOnly(0)
{
    for (DBSortKey& key : keys)
        key = DBSortKey(0, 0);
}

DBSortSpec& DBSortSpec::operator=(const DBSortSpec& other)
{
    keyCount = other.keyCount;
    for (int i = 0; i < kMaxSortKeys; ++i)
        keys[i] = other.keys[i];
    emptyFirst = other.emptyFirst;
    firstAuthorOnly = other.firstAuthorOnly;
    lastNameOnly = other.lastNameOnly;
    yearOnly = other.yearOnly;
    return *this;
}

bool DBSortSpec::operator==(const DBSortSpec& other) const
{
    if (keyCount != other.keyCount || emptyFirst != other.emptyFirst ||
        firstAuthorOnly != other.firstAuthorOnly || lastNameOnly != other.lastNameOnly ||
        yearOnly != other.yearOnly)
        return false;
    for (int i = 0; i < keyCount; ++i) {
        if (keys[i].fieldCode != other.keys[i].fieldCode ||
            (keys[i].ascending != 0) != (other.keys[i].ascending != 0))
            return false;
    }
    return true;
}

void DBSortSpec::AddKey(const DBSortKey& key)
{
    if (keyCount >= kMaxSortKeys)
        return;
    keys[keyCount++] = key;
}

// Stored form, 26 bytes:
//   0          keyCount
//   1 + 4i     field code of key i (i = 0..5, all six slots always written)
//   2 + 4i     0, ignored when read
//   3 + 4i     1 ascending, 0 descending (read: non-zero is ascending)
//   4 + 4i     0, ignored when read
//   25         options: bit 7 emptyFirst, 6 indexBuilt, 5 firstAuthorOnly,
//              4 lastNameOnly, 3 yearOnly, bits 2-0 zero
void DBSortSpec::Serialize(CArchive& ar)
{
    BYTE bytes[kStoredSize] = {};
    if (ar.IsStoring()) {
        bytes[0] = static_cast<BYTE>(keyCount);
        for (int i = 0; i < kMaxSortKeys; ++i) {
            bytes[1 + 4 * i] = keys[i].fieldCode;
            bytes[3 + 4 * i] = keys[i].ascending ? 1 : 0;
        }
        bytes[25] = Bit(emptyFirst, kOptEmptyFirst) | Bit(indexBuilt, kOptIndexBuilt) |
                    Bit(firstAuthorOnly, kOptFirstAuthorOnly) | Bit(lastNameOnly, kOptLastNameOnly) |
                    Bit(yearOnly, kOptYearOnly);
        ar.Write(bytes, kStoredSize);
        return;
    }
    const int got = static_cast<int>(ar.Read(bytes, kStoredSize));
    if (got == 0)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    // Every key walk trusts keyCount: a damaged count must not reach it.
    if (bytes[0] > kMaxSortKeys)
        AfxThrowArchiveException(CArchiveException::badSchema);
    // A form cut short keeps the keys read whole before the cut.
    int whole = 0;
    while (whole < kMaxSortKeys && 4 + 4 * whole <= got)
        ++whole;
    keyCount = bytes[0] < whole ? bytes[0] : whole;
    for (int i = 0; i < whole; ++i)
        keys[i] = DBSortKey(bytes[1 + 4 * i], bytes[3 + 4 * i]);
    if (got != kStoredSize)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    const BYTE options = bytes[25];
    emptyFirst = (options & kOptEmptyFirst) ? 1 : 0;
    indexBuilt = (options & kOptIndexBuilt) ? 1 : 0;
    firstAuthorOnly = (options & kOptFirstAuthorOnly) ? 1 : 0;
    lastNameOnly = (options & kOptLastNameOnly) ? 1 : 0;
    yearOnly = (options & kOptYearOnly) ? 1 : 0;
}
