#include "TkTestObjects.h"

#include "platform/framework/TkObject.h"

#include <gtest/gtest.h>

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
