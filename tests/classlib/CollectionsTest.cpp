#include "classlib/Archive.h"
#include "classlib/Collections.h"
#include "classlib/MemFile.h"

#include <gtest/gtest.h>

#include <string.h>
#include <string>
#include <vector>

namespace {

std::string Join(const CStringArray& a)
{
    std::string s;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        s += std::string(a[i].IsEmpty() ? "-" : (LPCTSTR)a[i]) + (i + 1 < a.GetSize() ? "," : "");
    return s;
}

std::string Join(const CStringList& l)
{
    std::string s;
    for (POSITION pos = l.GetHeadPosition(); pos != nullptr;) {
        s += (LPCTSTR)l.GetNext(pos);
        if (pos != nullptr)
            s += ",";
    }
    return s;
}

void Fill(CStringArray& a, const char* items)
{
    a.RemoveAll();
    CString all(items);
    for (int start = 0; start <= all.GetLength() && !all.IsEmpty();) {
        int comma = all.Find(',', start);
        if (comma < 0)
            comma = all.GetLength();
        a.Add(all.Mid(start, comma - start));
        start = comma + 1;
    }
}

TEST(CollectionsTest, ArrayEditingTable)
{
    struct Case
    {
        const char* op;
        int index;
        int count;
        const char* expected;
    } const cases[] = {
        {"InsertAt", 1, 2, "a,X,X,b,c"},
        {"InsertAt", 3, 1, "a,b,c,X"},
        {"InsertAt", 5, 1, "a,b,c,-,-,X"}, // past the end: the gap is filled
        {"RemoveAt", 0, 2, "c"},
        {"RemoveAt", 1, 1, "a,c"},
        {"SetAtGrow", 4, 0, "a,b,c,-,X"},
        {"SetAtGrow", 1, 0, "a,X,c"},
        {"SetSize", 2, 0, "a,b"},
        {"SetSize", 4, 0, "a,b,c,-"},
        {"SetSize", 0, 0, ""},
        {"Append", 0, 0, "a,b,c,a,b,c"},
        {"InsertArray", 1, 0, "a,a,b,c,b,c"},
    };
    for (const Case& c : cases) {
        CStringArray a;
        Fill(a, "a,b,c");
        const std::string op = c.op;
        if (op == "InsertAt")
            a.InsertAt(c.index, "X", c.count);
        else if (op == "RemoveAt")
            a.RemoveAt(c.index, c.count);
        else if (op == "SetAtGrow")
            a.SetAtGrow(c.index, "X");
        else if (op == "SetSize")
            a.SetSize(c.index);
        else if (op == "Append")
            EXPECT_EQ(3, a.Append(a));
        else
            a.InsertAt(c.index, &a);
        EXPECT_EQ(c.expected, Join(a)) << c.op << " " << c.index << " " << c.count;
        EXPECT_EQ(a.GetSize() - 1, a.GetUpperBound());
    }
}

TEST(CollectionsTest, ArraysGrowAndKeepValues)
{
    CDWordArray a;
    a.SetSize(0, 3);
    for (DWORD i = 0; i < 10000; ++i)
        EXPECT_EQ((INT_PTR)i, a.Add(i * 3));
    EXPECT_EQ(10000, a.GetSize());
    EXPECT_EQ(29997u, a[9999]);
    a.SetSize(10002);
    EXPECT_EQ(0u, a[10001]); // new elements are zero
    a.FreeExtra();
    a.RemoveAt(0, 10002);
    EXPECT_TRUE(a.IsEmpty());

    // Adding an element of the array itself while it reallocates.
    CStringArray s;
    s.Add("first");
    for (int i = 0; i < 100; ++i)
        s.Add(s[0]);
    EXPECT_EQ(CString("first"), s[100]);

    CStringArray copy;
    copy.Copy(s);
    s[0] = "changed";
    EXPECT_EQ(CString("first"), copy[0]);
    EXPECT_EQ(101, copy.GetSize());
}

class CNodeTestObj : public CObject
{
public:
    explicit CNodeTestObj(int n) : m_n(n) {}
    int m_n;
};

TEST(CollectionsTest, TypedPointerCollections)
{
    CNodeTestObj one(1), two(2), three(3);
    CTypedPtrArray<CObArray, CNodeTestObj*> arr;
    arr.Add(&one);
    arr.InsertAt(0, &two);
    arr[1] = &three;
    EXPECT_EQ(2, arr.GetAt(0)->m_n);
    EXPECT_EQ(3, arr[1]->m_n);

    CTypedPtrList<CPtrList, CNodeTestObj*> list;
    list.AddTail(&one);
    list.AddHead(&two);
    list.AddTail(&three);
    int sum = 0;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        sum = sum * 10 + list.GetNext(pos)->m_n;
    EXPECT_EQ(213, sum);
    EXPECT_EQ(3, list.RemoveTail()->m_n);

    CTypedPtrMap<CMapStringToOb, CString, CNodeTestObj*> map;
    map.SetAt("one", &one);
    map["two"] = &two;
    CNodeTestObj* p = nullptr;
    EXPECT_TRUE(map.Lookup("two", p));
    EXPECT_EQ(&two, p);
    EXPECT_FALSE(map.Lookup("TWO", p)); // keys are case-sensitive
    EXPECT_EQ(&two, p);                 // a failed lookup leaves the value alone
}

TEST(CollectionsTest, ListPositionsAndEditing)
{
    CStringList l;
    POSITION pB = l.AddTail("b");
    l.AddHead("a");
    l.AddTail("d");
    l.InsertAfter(pB, "c");
    l.InsertBefore(nullptr, "0");
    l.InsertAfter(nullptr, "e");
    EXPECT_EQ("0,a,b,c,d,e", Join(l));
    EXPECT_EQ(6, l.GetCount());
    EXPECT_EQ(pB, l.Find("b"));
    EXPECT_EQ(nullptr, l.Find("b", pB));
    EXPECT_EQ(pB, l.FindIndex(2));
    EXPECT_EQ(nullptr, l.FindIndex(6));
    l.RemoveAt(pB);
    EXPECT_EQ(CString("0"), l.RemoveHead());
    EXPECT_EQ(CString("e"), l.RemoveTail());
    EXPECT_EQ("a,c,d", Join(l));
    std::string back;
    for (POSITION pos = l.GetTailPosition(); pos != nullptr;)
        back += (LPCTSTR)l.GetPrev(pos);
    EXPECT_EQ("dca", back);
    l.AddTail(&l); // a list appended to itself doubles once
    EXPECT_EQ("a,c,d,a,c,d", Join(l));
    l.RemoveAll();
    EXPECT_TRUE(l.IsEmpty());
    EXPECT_EQ(nullptr, l.GetHeadPosition());
}

TEST(CollectionsTest, MapsLookupReplaceRemoveAndIterate)
{
    CMapStringToString m;
    m.SetAt("Key", "1");
    m.SetAt("key", "2");
    m["Key"] = "3";
    EXPECT_EQ(2, m.GetCount());
    CString v;
    EXPECT_TRUE(m.Lookup("Key", v));
    EXPECT_EQ(CString("3"), v);
    EXPECT_FALSE(m.Lookup("KEY", v));
    EXPECT_TRUE(m.RemoveKey("key"));
    EXPECT_FALSE(m.RemoveKey("key"));
    EXPECT_EQ(1, m.GetCount());

    CMapWordToPtr w;
    for (WORD k = 0; k < 500; ++k)
        w.SetAt(k, reinterpret_cast<void*>((UINT_PTR)k + 1));
    // Iterating while removing each returned entry visits every entry once.
    std::vector<int> seen(500, 0);
    POSITION pos = w.GetStartPosition();
    while (pos != nullptr) {
        WORD key = 0;
        void* value = nullptr;
        w.GetNextAssoc(pos, key, value);
        ASSERT_LT(key, 500);
        EXPECT_EQ((UINT_PTR)key + 1, (UINT_PTR)value);
        ++seen[key];
        EXPECT_TRUE(w.RemoveKey(key));
    }
    EXPECT_EQ(std::vector<int>(500, 1), seen);
    EXPECT_TRUE(w.IsEmpty());
    EXPECT_EQ(nullptr, w.GetStartPosition());

    CMapPtrToPtr pp;
    int a = 0, b = 0;
    pp[&a] = &b;
    void* out = nullptr;
    EXPECT_TRUE(pp.Lookup(&a, out));
    EXPECT_EQ(&b, out);
    EXPECT_FALSE(pp.Lookup(&b, out));
}

// ---- archive forms ---------------------------------------------------------------------

std::vector<BYTE> Store(CObject& obj)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        obj.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes(file.GetLength());
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

void Load(CObject& obj, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    obj.Serialize(ar);
}

TEST(CollectionsTest, ArchiveFormsOfArraysAndStrings)
{
    CWordArray words;
    words.Add(0x1234);
    words.Add(0xABCD);
    EXPECT_EQ((std::vector<BYTE>{2, 0, 0x34, 0x12, 0xCD, 0xAB}), Store(words));

    CDWordArray dwords;
    dwords.Add(0x01020304);
    EXPECT_EQ((std::vector<BYTE>{1, 0, 4, 3, 2, 1}), Store(dwords));

    CStringArray strings;
    strings.Add("ab");
    strings.Add("");
    EXPECT_EQ((std::vector<BYTE>{2, 0, 2, 'a', 'b', 0}), Store(strings));

    CStringList list;
    list.AddTail("x");
    EXPECT_EQ((std::vector<BYTE>{1, 0, 1, 'x'}), Store(list));

    CMapStringToString map;
    map.SetAt("k", "vv");
    EXPECT_EQ((std::vector<BYTE>{1, 0, 1, 'k', 2, 'v', 'v'}), Store(map));

    // From 65535 elements on the count takes 0xFFFF and a u32.
    CByteArray bytes;
    bytes.SetSize(65535);
    bytes[65534] = 0x5A;
    const std::vector<BYTE> big = Store(bytes);
    ASSERT_EQ(6u + 65535u, big.size());
    EXPECT_EQ((std::vector<BYTE>{0xFF, 0xFF, 0xFF, 0xFF, 0, 0}),
              std::vector<BYTE>(big.begin(), big.begin() + 6));
    bytes.SetSize(65534);
    EXPECT_EQ(2u + 65534u, Store(bytes).size());
}

TEST(CollectionsTest, ArchiveRoundTripsAndDamage)
{
    CStringArray strings;
    Fill(strings, "alpha,beta,,gamma");
    CStringArray loaded;
    loaded.Add("old");
    Load(loaded, Store(strings));
    EXPECT_EQ("alpha,beta,-,gamma", Join(loaded)); // loading replaces the contents

    CMapStringToString map;
    for (int i = 0; i < 50; ++i) {
        CString k;
        k.Format("key%d", i);
        map.SetAt(k, k + "!");
    }
    CMapStringToString map2;
    Load(map2, Store(map));
    EXPECT_EQ(50, map2.GetCount());
    CString v;
    EXPECT_TRUE(map2.Lookup("key42", v));
    EXPECT_EQ(CString("key42!"), v);

    CMapWordToOb objects; // objects have no stored form here
    CNodeTestObj node(1);
    objects.SetAt(1, &node);
    EXPECT_THROW(
        {
            try {
                Store(objects);
            } catch (CNotSupportedException* e) {
                e->Delete();
                throw 1;
            }
        },
        int);

    // A damaged count larger than the data: an end-of-file archive error, not
    // a huge allocation or a crash.
    std::vector<BYTE> damaged = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3};
    int cause = -1;
    for (int kind = 0; kind < 2; ++kind) {
        cause = -1;
        try {
            if (kind == 0) {
                CDWordArray a;
                Load(a, damaged);
            } else {
                CStringList l;
                Load(l, damaged);
            }
        } catch (CArchiveException* e) {
            cause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(CArchiveException::endOfFile, cause) << kind;
    }
}

} // namespace
