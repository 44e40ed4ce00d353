// Root of the class hierarchy and run-time class information.
//
// Every class declared with DECLARE_DYNAMIC / DECLARE_DYNCREATE / DECLARE_SERIAL
// owns one static CRuntimeClass record (name, object size, schema, creation
// function, base class).  The records of all linked classes form one list so
// that a class can be found by name.  Schema 0xFFFF marks a class that is not
// serialisable.  DECLARE_* macros leave the members that follow them public.
#pragma once

#include "classlib/Types.h"
#include "classlib/Diagnostics.h"

class CObject;
class CArchive;

struct CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass; // linked list of every registered class

    // A new object of this class, or NULL when the class has no creation function.
    CObject* CreateObject() const;
    // TRUE when this class is pBaseClass or derives from it.
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered class with that exact name, or NULL.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    static CObject* CreateObject(LPCSTR lpszClassName);
};

// Adds a class record to the process-wide list; used by the IMPLEMENT_ macros.
struct AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

class CObject
{
public:
    virtual ~CObject();

    virtual CRuntimeClass* GetRuntimeClass() const;
    // Stores or loads the object's data; CObject itself has none.
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;

    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    static CRuntimeClass classCObject;

protected:
    CObject() = default;
    // CObject carries no state; derived classes decide whether they copy.
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define DECLARE_DYNAMIC(class_name)                                                                          \
public:                                                                                                      \
    static CRuntimeClass class##class_name;                                                                  \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                                                        \
    DECLARE_DYNAMIC(class_name)                                                                              \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                                 \
    CRuntimeClass class_name::class##class_name = {#class_name, (int)sizeof(class class_name),  (wSchema),   \
                                                   (pfnNew),    RUNTIME_CLASS(base_class_name), nullptr};    \
    static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));                                \
    CRuntimeClass* class_name::GetRuntimeClass() const                                                       \
    {                                                                                                        \
        return RUNTIME_CLASS(class_name);                                                                    \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                                       \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                                     \
    CObject* class_name::CreateObject()                                                                      \
    {                                                                                                        \
        return new class_name;                                                                               \
    }                                                                                                        \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                               \
    CObject* class_name::CreateObject()                                                                      \
    {                                                                                                        \
        return new class_name;                                                                               \
    }                                                                                                        \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)

// Checked casts along the run-time class chain.  DYNAMIC_DOWNCAST gives NULL
// when the object is not of the class; STATIC_DOWNCAST asserts that it is.
CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
#define DYNAMIC_DOWNCAST(class_name, object)                                                                 \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), (object))))
#ifdef _DEBUG
#define STATIC_DOWNCAST(class_name, object)                                                                  \
    (static_cast<class_name*>(AfxStaticDownCast(RUNTIME_CLASS(class_name), (object))))
CObject* AfxStaticDownCast(CRuntimeClass* pClass, CObject* pObject);
#else
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(static_cast<CObject*>(object)))
#endif
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))
