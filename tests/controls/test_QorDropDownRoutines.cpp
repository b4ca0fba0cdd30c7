// The drop-down unit's window-free routines: where a popup opens, the kinds of a text, signed
// hexadecimal values, colour blends, banded gradients, shortened texts and the checked list.
#include "controls/QorDropDown.h"

#include "support/Pixels.h"

#include <gtest/gtest.h>

using namespace QorDropDown;

namespace {

struct PlaceCase {
    const char* Name;
    TPoint Edit;
    int EditHeight;
    bool Borderless;
    TDropPosition Position;
    int W, H;
    TRect Work;
    TPoint Expected;
};

}  // namespace

TEST(DropPlacement, OpensBelowOrAboveAndStaysInTheWorkArea)
{
    const TRect Work(0, 0, 1024, 740);
    const PlaceCase Cases[] = {
        {"below, overlapping the edit's last row", {100, 100}, 21, false, dpAuto, 200, 150, Work, {100, 120}},
        {"borderless: one pixel left, directly below", {100, 100}, 21, true, dpAuto, 200, 150, Work, {99, 121}},
        {"no room below: above", {100, 650}, 21, false, dpAuto, 200, 150, Work, {100, 500}},
        {"borderless above", {100, 650}, 21, true, dpAuto, 200, 150, Work, {99, 501}},
        {"dpUp", {100, 300}, 21, false, dpUp, 200, 150, Work, {100, 150}},
        {"dpDown", {100, 300}, 21, false, dpDown, 200, 150, Work, {100, 320}},
        {"pulled left to the right edge", {900, 100}, 21, false, dpAuto, 200, 150, Work, {824, 120}},
        {"dpUp at the top: moved down into the area", {100, 50}, 21, false, dpUp, 200, 150, Work, {100, 0}},
        {"dpDown at the bottom: moved up into the area", {100, 700}, 21, false, dpDown, 200, 150, Work, {100, 590}},
        {"left of the area: moved right", {-50, 100}, 21, false, dpAuto, 200, 150, Work, {0, 120}},
        {"a monitor left of the primary keeps its own area", {-900, 100}, 21, false, dpAuto, 200, 150,
         TRect(-1280, 0, 0, 1000), {-900, 120}},
        {"room on neither side: the larger side, then clamped", {100, 300}, 21, false, dpAuto, 200, 500, Work, {100, 240}},
        {"taller than the area: its top stays visible", {100, 300}, 21, false, dpAuto, 200, 900, Work, {100, 0}},
    };
    for (const PlaceCase& C : Cases) {
        TDropPlacement P;
        P.EditOrigin = C.Edit;
        P.EditHeight = C.EditHeight;
        P.Borderless = C.Borderless;
        P.Position = C.Position;
        P.Width = C.W;
        P.Height = C.H;
        P.WorkArea = C.Work;
        const TPoint At = PlaceDropDown(P);
        EXPECT_EQ(At.X, C.Expected.X) << C.Name;
        EXPECT_EQ(At.Y, C.Expected.Y) << C.Name;
    }
}

TEST(DropDownRoutines, KindsOfText)
{
    const Char D = DecimalSeparator(), T = ThousandSeparator();
    const struct {
        String S;
        int Kind;
    } Cases[] = {
        {L"", 2},          {L"123", 0},       {L"-12", 0},  {String(L"1") + D + L"5", 1}, {L"1--2", 2},
        {L"1A", 5},        {L"ff", 5},        {L"1G", 2},   {String(L"1") + D + L"2" + D + L"3", 2},
        {String(L"1") + T + L"234", 1},
    };
    for (const auto& C : Cases) EXPECT_EQ(IsType(C.S), C.Kind) << std::string(C.S.begin(), C.S.end());
}

TEST(DropDownRoutines, HexKeepsTheSignAndRefusesOverflow)
{
    EXPECT_EQ(HexToInt(L"FF"), 255);
    EXPECT_EQ(HexToInt(L"-1A"), -26);
    EXPECT_EQ(HexToInt(L"123456789"), 0x123456789LL);
    EXPECT_EQ(HexToInt(L"7FFFFFFFFFFFFFFF"), INT64_MAX);
    EXPECT_EQ(HexToInt(L"-8000000000000000"), INT64_MIN);
    Int64 V = 7;
    EXPECT_FALSE(TryHexToInt(L"10000000000000000", V));
    EXPECT_FALSE(TryHexToInt(L"-", V));
    EXPECT_FALSE(TryHexToInt(L"1-2", V));
    EXPECT_FALSE(TryHexToInt(L"", V));
    EXPECT_EQ(V, 7);
    EXPECT_EQ(HexToInt(L"10000000000000000"), 0);
    EXPECT_EQ(CharVal(L'b'), 11);
    EXPECT_EQ(CharVal(L'-'), 0);
}

TEST(DropDownRoutines, ColoursBlendAndBrighten)
{
    EXPECT_EQ(BlendColor(TColor(0x0000FF), TColor(0xFF0000), 50), TColor(0x800080));
    EXPECT_EQ(BlendColor(clRed, clBlue, 100), clRed);
    EXPECT_EQ(BlendColor(clRed, clBlue, 0), clBlue);
    EXPECT_EQ(BrightnessColor(TColor(0x800000), 20, 20, 20), TColor(0x801414));
    TQorButtonAppearance A;
    EXPECT_EQ(A.GetColorChecked(), TColor(0xF5D8CA));
    EXPECT_EQ(A.GetColorCheckedTo(), TColor(0xF9BDA0));
}

TEST(DropDownRoutines, GradientBandsReachTheFarEdge)
{
    TDibSurface S(60, 20, clWhite);
    DrawGradient(S.Canvas(), clBlack, clBlack, 0, TRect(0, 0, 40, 20), true);
    EXPECT_EQ(S.Pixel(0, 5), clBlack);
    EXPECT_EQ(S.Pixel(39, 5), clBlack);
    EXPECT_EQ(S.Pixel(40, 5), clWhite);
    S.Fill(clWhite);
    DrawGradient(S.Canvas(), TColor(0x000000), TColor(0x0000FF), 80, TRect(0, 0, 40, 20), true);
    EXPECT_LT(GetRValue(S.Pixel(0, 5)), 8);
    EXPECT_GT(GetRValue(S.Pixel(38, 5)), 200);
    EXPECT_EQ(S.Pixel(40, 5), clWhite);
    S.Fill(clWhite);
    DrawGradientBackGround(S.Canvas(), TRect(0, 0, 20, 20), clRed, clNone, clBlue, 1, gdVertical);
    EXPECT_EQ(S.Pixel(0, 0), TColor(0xFF0000));
    EXPECT_EQ(S.Pixel(10, 10), TColor(0x0000FF));
}

TEST(DropDownRoutines, ShortenedTextsFitOrStayWhole)
{
    TDibSurface S(10, 10);
    TCanvas* C = S.Canvas();
    const String Text = L"Spillefører nord";
    const int Full = GetTextSize(C, Text).cx;
    EXPECT_EQ(GetTextOfSize(C, Text, Full, true), Text);
    const String Short = GetTextOfSize(C, Text, Full / 2, true);
    EXPECT_LT(GetTextSize(C, Short).cx, Full / 2);
    EXPECT_EQ(Short.substr(Short.size() - 3), L"...");
    EXPECT_EQ(GetTextOfSize(C, Text, 1, true), Text);
    EXPECT_EQ(GetTextSize(C, L"").cx, 0);
}

TEST(DropDownRoutines, CheckedListRefusesReadsAndWritesPastTheEnd)
{
    TDbgList L;
    int A = 1, B = 2;
    L.Add(&A);
    EXPECT_EQ(L.GetItemsEx(0), &A);
    L.SetItemsEx(0, &B);
    EXPECT_EQ(L.GetItemsEx(0), &B);
    EXPECT_THROW(L.GetItemsEx(1), Exception);
    EXPECT_THROW(L.SetItemsEx(1, &A), Exception);
    TList Other;
    Other.Add(&A);
    Other.Add(&B);
    L.AssignList(&Other);
    EXPECT_EQ(L.Count(), 2);
    EXPECT_EQ(L.GetItemsEx(1), &B);
}
