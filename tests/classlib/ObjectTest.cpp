#include "classlib/Object.h"

#include <gtest/gtest.h>

namespace {

class CShapeTestObj : public CObject
{
    DECLARE_DYNAMIC(CShapeTestObj)
};

class CCircleTestObj : public CShapeTestObj
{
    DECLARE_SERIAL(CCircleTestObj)
public:
    int m_nRadius = 7;
};

class CSquareTestObj : public CShapeTestObj
{
    DECLARE_DYNCREATE(CSquareTestObj)
};

} // namespace

IMPLEMENT_DYNAMIC(CShapeTestObj, CObject)
IMPLEMENT_SERIAL(CCircleTestObj, CShapeTestObj, 3)
IMPLEMENT_DYNCREATE(CSquareTestObj, CShapeTestObj)

namespace {

TEST(ObjectTest, RuntimeClassRecords)
{
    const CRuntimeClass* pClass = RUNTIME_CLASS(CCircleTestObj);
    EXPECT_STREQ("CCircleTestObj", pClass->m_lpszClassName);
    EXPECT_EQ((int)sizeof(CCircleTestObj), pClass->m_nObjectSize);
    EXPECT_EQ(3u, pClass->m_wSchema);
    EXPECT_EQ(RUNTIME_CLASS(CShapeTestObj), pClass->m_pBaseClass);
    EXPECT_EQ(0xFFFFu, RUNTIME_CLASS(CSquareTestObj)->m_wSchema);
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CObject)->m_pBaseClass);
}

TEST(ObjectTest, IsKindOfFollowsTheBaseChain)
{
    CCircleTestObj circle;
    const CObject& obj = circle;
    EXPECT_EQ(RUNTIME_CLASS(CCircleTestObj), obj.GetRuntimeClass());
    EXPECT_TRUE(obj.IsKindOf(RUNTIME_CLASS(CCircleTestObj)));
    EXPECT_TRUE(obj.IsKindOf(RUNTIME_CLASS(CShapeTestObj)));
    EXPECT_TRUE(obj.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(obj.IsKindOf(RUNTIME_CLASS(CSquareTestObj)));
    EXPECT_TRUE(obj.IsSerializable());
    CObject* pObj = &circle;
    EXPECT_EQ(&circle, DYNAMIC_DOWNCAST(CShapeTestObj, pObj));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CSquareTestObj, pObj));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CSquareTestObj, (CObject*)nullptr));
    EXPECT_EQ(&circle, STATIC_DOWNCAST(CCircleTestObj, pObj));
    EXPECT_FALSE(CSquareTestObj().IsSerializable());
}

TEST(ObjectTest, CreateByClassAndByName)
{
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CShapeTestObj)->CreateObject()); // no creation function
    CObject* p = RUNTIME_CLASS(CSquareTestObj)->CreateObject();
    ASSERT_NE(nullptr, p);
    EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(CSquareTestObj)));
    delete p;

    EXPECT_EQ(RUNTIME_CLASS(CCircleTestObj), CRuntimeClass::FromName("CCircleTestObj"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CNoSuchClass"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(nullptr));
    CObject* q = CRuntimeClass::CreateObject("CCircleTestObj");
    ASSERT_NE(nullptr, q);
    EXPECT_EQ(7, static_cast<CCircleTestObj*>(q)->m_nRadius);
    delete q;
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CShapeTestObj"));
}

} // namespace
