// The second visual-styles binding: bound at start-up, every entry point optional, freed on demand.
#include "controls/ATXPVS.h"

#include <gtest/gtest.h>

TEST(ATXPVS, BindsAtStartUpAndTakesALibraryThatLacksEntryPoints)
{
    ASSERT_TRUE(ATXPVS::DLLLoaded);
    EXPECT_EQ(ATXPVS::BoundEntryPoints(), ATXPVS::EntryPointCount);
    EXPECT_NE(ATXPVS::IsThemeBackGroundPartiallyTransparent, nullptr);
    EXPECT_EQ(ATXPVS::LoadDLLFrom(L"UXTHEME.DLL"), -1);   // bound once

    // A library without the entry points binds none of them and does not stop the program.
    ATXPVS::UnLoadDLL();
    EXPECT_FALSE(ATXPVS::DLLLoaded);
    EXPECT_EQ(ATXPVS::BoundEntryPoints(), 0);
    EXPECT_EQ(ATXPVS::LoadDLLFrom(L"version.dll"), 0);
    EXPECT_TRUE(ATXPVS::DLLLoaded);
    EXPECT_EQ(ATXPVS::OpenThemeData, nullptr);
    ATXPVS::UnLoadDLL();
    EXPECT_EQ(ATXPVS::LoadDLLFrom(L"no-such-library.dll"), 0);
    EXPECT_FALSE(ATXPVS::DLLLoaded);

    ATXPVS::LoadDLL();
    EXPECT_EQ(ATXPVS::BoundEntryPoints(), ATXPVS::EntryPointCount);
    ASSERT_NE(ATXPVS::IsThemeActive, nullptr);
    EXPECT_NE(ATXPVS::OpenThemeData, nullptr);
}
