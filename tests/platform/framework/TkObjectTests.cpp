#include "TkTestObjects.h"

#include "platform/framework/TkObject.h"

#include <gtest/gtest.h>

TEST(TkObject, RootClass)
{
    const CTkRuntimeClass* pRoot = TK_RUNTIME_CLASS(CTkObject);
    EXPECT_STREQ(pRoot->m_lpszClassName, "CTkObject");
    EXPECT_EQ(pRoot->m_pBaseClass, nullptr);
    EXPECT_EQ(pRoot->CreateObject(), nullptr);
    CTkObject object;
    EXPECT_EQ(object.GetRuntimeClass(), pRoot);
    EXPECT_TRUE(object.IsKindOf(pRoot));
    EXPECT_FALSE(object.IsKindOf(TK_RUNTIME_CLASS(CTestShape)));
}

TEST(TkObject, DerivationFollowsTheBaseChain)
{
    CTestCircle circle;
    EXPECT_TRUE(circle.IsKindOf(TK_RUNTIME_CLASS(CTestCircle)));
    EXPECT_TRUE(circle.IsKindOf(TK_RUNTIME_CLASS(CTestShape)));
    EXPECT_TRUE(circle.IsKindOf(TK_RUNTIME_CLASS(CTkObject)));
    EXPECT_FALSE(circle.IsKindOf(TK_RUNTIME_CLASS(CTestGroup)));
    EXPECT_FALSE(TK_RUNTIME_CLASS(CTestShape)->IsDerivedFrom(TK_RUNTIME_CLASS(CTestCircle)));
    EXPECT_FALSE(TK_RUNTIME_CLASS(CTestShape)->IsDerivedFrom(nullptr));
}

TEST(TkObject, CreateObjectMakesTheClassItself)
{
    auto p = TK_RUNTIME_CLASS(CTestCircle)->CreateObject();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->GetRuntimeClass(), TK_RUNTIME_CLASS(CTestCircle));
    EXPECT_EQ(TK_RUNTIME_CLASS(CTestCircle)->m_wSchema, 2u);
    EXPECT_EQ(TK_RUNTIME_CLASS(CTestDynamic)->CreateObject(), nullptr);
    EXPECT_EQ(TK_RUNTIME_CLASS(CTestDynamic)->m_wSchema, 0xFFFFu);
}

TEST(TkObject, RegistryFindsExactNamesOnly)
{
    RegisterTestClasses();
    RegisterTestClasses();  // again: no effect
    CTkRuntimeClass::Register(nullptr);
    EXPECT_EQ(CTkRuntimeClass::FromName("CTestShape"), TK_RUNTIME_CLASS(CTestShape));
    EXPECT_EQ(CTkRuntimeClass::FromName("CTestCircle"), TK_RUNTIME_CLASS(CTestCircle));
    EXPECT_EQ(CTkRuntimeClass::FromName("ctestshape"), nullptr);
    EXPECT_EQ(CTkRuntimeClass::FromName("CTestShap"), nullptr);
    EXPECT_EQ(CTkRuntimeClass::FromName("CTestShapes"), nullptr);
    EXPECT_EQ(CTkRuntimeClass::FromName(""), nullptr);
    // A second class under a registered name does not replace the first.
    static const CTkRuntimeClass impostor = {"CTestShape", 0, nullptr, nullptr};
    CTkRuntimeClass::Register(&impostor);
    EXPECT_EQ(CTkRuntimeClass::FromName("CTestShape"), TK_RUNTIME_CLASS(CTestShape));
}
