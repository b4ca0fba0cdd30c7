// The arrow windows are cut to their arrows by their window regions; the focus window starts
// empty. (Their window styles are checked with the other satellites' in the input tests.)
#include "support/UiHarness.h"

#include "grid/paint/ArrowFocusWindows.h"

#include <gtest/gtest.h>

namespace {

struct InsideCase {
    TArrowDirection Dir;
    TPoint In, Out;   // a point of the arrow, a point of the square outside it
};

class ArrowRegions : public ::testing::TestWithParam<InsideCase> {};

TEST_P(ArrowRegions, HoldTheArrowAndNotTheCorners)
{
    TForm* Form = ui::NewForm(200, 200);
    ui::FormGuard Guard(Form);
    auto* A = Create<TArrowWindow>(Form, GetParam().Dir);
    EXPECT_EQ(A->GetParent(), Form);
    EXPECT_FALSE(A->GetVisible());
    EXPECT_EQ(A->GetColor(), TColor(0x0000FF00));
    EXPECT_EQ(A->Dir, GetParam().Dir);
    EXPECT_EQ(A->Arrow, ArrowOutline(GetParam().Dir));
    A->SetBounds(0, 0, 11, 11);
    HRGN Region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(A->GetHandle(), Region), ERROR);
    EXPECT_TRUE(PtInRegion(Region, GetParam().In.X, GetParam().In.Y));
    EXPECT_FALSE(PtInRegion(Region, GetParam().Out.X, GetParam().Out.Y));
    int Inside = 0;
    for (int Y = 0; Y < 11; ++Y)
        for (int X = 0; X < 11; ++X) Inside += PtInRegion(Region, X, Y) ? 1 : 0;
    EXPECT_GT(Inside, 20);   // an arrow, neither a sliver nor the whole square
    EXPECT_LT(Inside, 60);
    DeleteObject(Region);
}

INSTANTIATE_TEST_SUITE_P(Directions, ArrowRegions, ::testing::Values(
    InsideCase{arrUp, TPoint(5, 1), TPoint(0, 0)},      // tip at the top
    InsideCase{arrDown, TPoint(5, 7), TPoint(0, 8)},    // tip at the bottom
    InsideCase{arrLeft, TPoint(7, 5), TPoint(8, 0)},    // tip at the right
    InsideCase{arrRight, TPoint(1, 5), TPoint(0, 0)})); // tip at the left

TEST(FocusWindow, StartsEmptyAndRed)
{
    TForm* Form = ui::NewForm(200, 200);
    ui::FormGuard Guard(Form);
    auto* W = Create<TGridFocusWindow>(Form);
    EXPECT_EQ(W->GetWidth(), 0);
    EXPECT_EQ(W->GetHeight(), 0);
    EXPECT_EQ(W->GetColor(), TColor(0x000000FF));
}

} // namespace
