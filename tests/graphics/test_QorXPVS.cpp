// Visual-styles binding: start-up binding, binding once, and a library lacking entry points.
#include "graphics/QorXPVS.h"

#include <gtest/gtest.h>

TEST(QorXPVS, BindsAtStartUpOnceAndToleratesMissingEntries)
{
    ASSERT_TRUE(QorXPVS::DLLLoaded);
    EXPECT_NE(QorXPVS::OpenThemeData, nullptr);
    EXPECT_NE(QorXPVS::CloseThemeData, nullptr);
    EXPECT_NE(QorXPVS::DrawThemeBackground, nullptr);
    EXPECT_NE(QorXPVS::IsThemeActive, nullptr);
    EXPECT_NE(QorXPVS::GetCurrentThemeName, nullptr);
    const HMODULE First = QorXPVS::DLLHandle;
    QorXPVS::LoadDLL();   // bound already: nothing changes
    EXPECT_EQ(QorXPVS::DLLHandle, First);
    EXPECT_EQ(QorXPVS::LoadDLLFrom(L"UXTHEME.DLL"), -1);

    // A library without the entry points binds none of them and does not stop the program.
    QorXPVS::UnLoadDLL();
    EXPECT_FALSE(QorXPVS::DLLLoaded);
    EXPECT_NE(QorXPVS::OpenThemeData, nullptr);   // kept after unloading
    EXPECT_EQ(QorXPVS::LoadDLLFrom(L"kernel32.dll"), 0);
    EXPECT_TRUE(QorXPVS::DLLLoaded);
    EXPECT_EQ(QorXPVS::OpenThemeData, nullptr);
    EXPECT_EQ(QorXPVS::BoundEntryPoints(), 0);
    QorXPVS::UnLoadDLL();

    EXPECT_EQ(QorXPVS::LoadDLLFrom(L"no_such_library_here.dll"), 0);
    EXPECT_FALSE(QorXPVS::DLLLoaded);

    const int Bound = QorXPVS::LoadDLLFrom(L"UXTHEME.DLL");
    EXPECT_GE(Bound, 5);
    EXPECT_EQ(Bound, QorXPVS::BoundEntryPoints());
}
