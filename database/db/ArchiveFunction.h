// ArchiveFunction: any Serialize-like function as a CObject, so that members
// kept in the resource tables (position indexes, arrays of slots, times) can
// be stored and read through the tree operations that take objects.
#pragma once

#include "classlib/Archive.h"
#include "classlib/Object.h"

#include <functional>
#include <vector>

class ArchiveFunction : public CObject
{
public:
    explicit ArchiveFunction(std::function<void(CArchive&)> serialize) : m_serialize(std::move(serialize)) {}
    void Serialize(CArchive& ar) override { m_serialize(ar); }

private:
    std::function<void(CArchive&)> m_serialize;
};

// The object's stored form: the bytes its Serialize writes. A commit compares
// it with the form the file holds to skip tables that did not change.
std::vector<BYTE> StoredForm(CObject& object);
