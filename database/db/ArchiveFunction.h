// ArchiveFunction: any Serialize-like function as a CObject, so that members
// kept in the resource tables (position indexes, arrays of slots, times) can
// be stored and read through the tree operations that take objects.
#pragma once

#include "classlib/Archive.h"
#include "classlib/Object.h"

#include <functional>

class ArchiveFunction : public CObject
{
public:
    explicit ArchiveFunction(std::function<void(CArchive&)> serialize) : m_serialize(std::move(serialize)) {}
    void Serialize(CArchive& ar) override { m_serialize(ar); }

private:
    std::function<void(CArchive&)> m_serialize;
};
