// The discrete colour selector: the default palette's layout in columns with joined shade
// columns, its painting with a hot and a selected box, mouse moves and releases by real messages,
// the picker's keys through HandleKey as a table, selection by index and by colour.
// The forms show on the screen and hover depends on the mouse: the tests wait for the desktop.
// test-needs: desktop
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include "pickers/QorColorPickerSelector.h"

#include "framework/TypInfo.h"

#include <gtest/gtest.h>

namespace {

class Palette : public ::testing::Test {
protected:
    TForm* Form = ui::NewForm(200, 120);
    ui::FormGuard Guard{Form};
    TCustomColorSelector* Selector = Create<TCustomColorSelector>(Form);
    int Selects = 0;

    Palette()
    {
        Form->SetColor(clWhite);
        Selector->SetParent(Form);
        Selector->CreateDefaultColors();
        Selector->OnItemSelect = [this](TObject*) { ++Selects; };
        Form->Show();
        ui::Pump();
    }
    TPoint Centre(int Index)
    {
        const TRect R = Selector->GetItemRect(Index);
        return TPoint(R.Left + 6, R.Top + 6);
    }
};

TEST_F(Palette, LaysTheBoxesOutInColumnsWithTheShadesJoined)
{
    ASSERT_EQ(Selector->GetItems()->Count(), 60);
    EXPECT_EQ(Selector->GetWidth(), 165);
    EXPECT_EQ(Selector->GetHeight(), 84);
    // The theme row stands apart; the five shade rows follow one another without a gap.
    const int RowTops[] = {4, 20, 32, 44, 56, 68};
    for (int Row = 0; Row < 6; ++Row)
        for (int Col : {0, 9})
            EXPECT_EQ(Selector->GetItemRect(Row * 10 + Col), TRect(4 + 16 * Col, RowTops[Row], 16 + 16 * Col, RowTops[Row] + 12))
                << Row << ", " << Col;
    EXPECT_EQ(Selector->GetItems()->GetItem(0)->GetColorBoxPos(), ipStandAlone);
    EXPECT_EQ(Selector->GetItems()->GetItem(10)->GetColorBoxPos(), ipTop);
    EXPECT_EQ(Selector->GetItems()->GetItem(35)->GetColorBoxPos(), ipMiddle);
    EXPECT_EQ(Selector->GetItems()->GetItem(59)->GetColorBoxPos(), ipBottom);
    EXPECT_EQ(Selector->GetItemRect(60), TRect(-1, -1, -1, -1));
    EXPECT_EQ(Selector->ItemAtPos(24, 36), 21);
    EXPECT_EQ(Selector->ItemAtPos(18, 8), -1);   // in the gap between two boxes

    // Fewer boxes than a row: as wide as they are; no boxes: 100 x 50.
    Selector->GetItems()->BeginUpdate();
    while (Selector->GetItems()->Count() > 3) Selector->GetItems()->Delete(3);
    Selector->GetItems()->EndUpdate();
    EXPECT_EQ(Selector->GetWidth(), 4 + 2 * 16 + 12 + 4 + 1);
    EXPECT_EQ(Selector->GetHeight(), 4 + 12 + 4);
    Selector->GetItems()->Clear();
    EXPECT_EQ(Selector->GetWidth(), 100);
    EXPECT_EQ(Selector->GetHeight(), 50);
    // Columns, gap and box size lay out again; no columns at all counts as one.
    Selector->CreateDefaultColors();
    Selector->SetColumns(0);
    EXPECT_EQ(Selector->GetItemRect(1).Top, 4 + 12 + 4);
    Selector->SetColumns(20);
    Selector->SetColorBoxWidth(10);
    EXPECT_EQ(Selector->GetItemRect(19), TRect(4 + 19 * 14, 4, 4 + 19 * 14 + 10, 16));
}

struct KeyCase {
    int Start;
    Word Key;
    bool EditorEnabled;
    bool DroppedDown;
    int Expected;
};

class PaletteKeys : public Palette, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(PaletteKeys, StepTheSelection)
{
    const KeyCase& K = GetParam();
    Selector->SetItemIndex(K.Start);
    Selector->HandleKey(K.Key, K.EditorEnabled, K.DroppedDown);
    EXPECT_EQ(Selector->GetItemIndex(), K.Expected);
}

INSTANTIATE_TEST_SUITE_P(Keys, PaletteKeys, ::testing::Values(
    KeyCase{3, VK_DOWN, true, true, 13},      // a column down while dropped down
    KeyCase{55, VK_DOWN, true, true, 55},     // past the end: the selection stays
    KeyCase{-1, VK_DOWN, true, true, 0},      // from no selection the first box
    KeyCase{13, VK_UP, true, true, 3},
    KeyCase{5, VK_UP, true, true, 5},
    KeyCase{5, VK_UP, true, false, 4},        // closed: the previous box
    KeyCase{5, VK_DOWN, true, false, 6},
    KeyCase{5, VK_LEFT, true, false, 5},      // sideways only in the open popup or without editor
    KeyCase{5, VK_LEFT, false, false, 4},
    KeyCase{5, VK_RIGHT, true, true, 6},
    KeyCase{59, VK_RIGHT, true, true, 59},
    KeyCase{0, VK_LEFT, true, true, 0},
    KeyCase{5, VK_HOME, true, false, 0},
    KeyCase{5, VK_PRIOR, true, false, 0},
    KeyCase{5, VK_END, true, false, 59},
    KeyCase{5, VK_NEXT, true, false, 59},
    KeyCase{5, VK_INSERT, true, true, 5}));

TEST_F(Palette, StepsStopBeforeADisabledBoxAndADisabledControlTakesNoKeys)
{
    Selector->GetItems()->GetItem(6)->SetEnabled(false);
    Selector->SetItemIndex(5);
    Selector->SelectNext();
    EXPECT_EQ(Selector->GetItemIndex(), 5);
    Selector->SetItemIndex(6);
    EXPECT_EQ(Selector->GetItemIndex(), 5);
    Selector->SetEnabled(false);
    Selector->HandleKey(VK_HOME, true, true);
    EXPECT_EQ(Selector->GetItemIndex(), 5);
    Selector->SetItemHot(-1);
    Selector->HotNext();
    Selector->HotNext();
    EXPECT_EQ(Selector->GetItemHot(), 1);
    Selector->HotPrevious();
    EXPECT_EQ(Selector->GetItemHot(), 0);
}

TEST_F(Palette, SelectsByIndexInRangeAndByColour)
{
    Selector->SetItemIndex(3);
    Selector->SetItemIndex(3);
    EXPECT_EQ(Selects, 2);   // told again for the same box
    EXPECT_EQ(Selector->GetSelectedColor(), TColor(0x7D491F));
    Selector->SetItemIndex(1000000);   // past the last box: ignored
    EXPECT_EQ(Selector->GetItemIndex(), 3);
    Selector->SetItemIndex(60);
    EXPECT_EQ(Selector->GetItemIndex(), 3);
    Selector->SetItemIndex(-5);        // negative: cleared
    EXPECT_EQ(Selector->GetItemIndex(), -1);
    EXPECT_EQ(Selects, 2);

    Selector->SetSelectedColor(TColor(0x7F7F7F));   // the first box of that colour, in row 2
    EXPECT_EQ(Selector->GetItemIndex(), 11);
    Selector->SetSelectedColor(TColor(0x123456));
    EXPECT_EQ(Selector->GetItemIndex(), -1);
    EXPECT_EQ(Selector->GetSelectedColor(), TColor(0x123456));
    Selector->SetSelectedColor(clNone);
    EXPECT_EQ(Selector->GetItemIndex(), -1);
}

TEST_F(Palette, TheMouseMakesBoxesHotAndSelectsOnRelease)
{
    const TPoint Twelve = Centre(12);
    ui::MouseMove(Selector, Twelve.X, Twelve.Y);
    EXPECT_EQ(Selector->GetItemHot(), 12);
    ui::MouseDown(Selector, mbLeft, Twelve.X, Twelve.Y);
    EXPECT_EQ(Selector->GetItemIndex(), -1);   // pressing selects nothing yet
    ui::MouseUp(Selector, mbLeft, Twelve.X, Twelve.Y);
    EXPECT_EQ(Selector->GetItemIndex(), 12);
    EXPECT_EQ(Selects, 1);
    ui::MouseMove(Selector, 18, 8);   // a gap
    EXPECT_EQ(Selector->GetItemHot(), -1);
    Selector->GetItems()->GetItem(13)->SetEnabled(false);
    const TPoint Thirteen = Centre(13);
    ui::MouseMove(Selector, Thirteen.X, Thirteen.Y);
    EXPECT_EQ(Selector->GetItemHot(), -1);
    ui::Click(Selector, Thirteen.X, Thirteen.Y);
    EXPECT_EQ(Selector->GetItemIndex(), 12);
    ui::MouseMove(Selector, Twelve.X, Twelve.Y);
    ui::MouseMove(Form, 190, 110);   // leaving the control clears the hot box
    EXPECT_EQ(Selector->GetItemHot(), -1);
}

TEST_F(Palette, PaintsJoinedShadesAndTheHotAndSelectedBoxes)
{
    ui::Click(Selector, Centre(24).X, Centre(24).Y);   // selected
    ui::MouseMove(Selector, Centre(27).X, Centre(27).Y);   // hot
    TDibSurface S(Selector->GetWidth(), Selector->GetHeight(), clFuchsia);
    PaintWindowInto(Selector->GetHandle(), S, true);
    S.SavePng(SnapshotPath(L"PickerPalette.png"));

    const TColor Border = TColorBoxAppearance::DefaultBorderColor;
    auto Box = [&](int Index) { return Selector->GetItemRect(Index); };
    // A theme box: filled, its outline closed; the gap below it shows the parent's colour.
    TRect R = Box(2);
    EXPECT_EQ(S.Pixel(R.Left + 5, R.Top + 5), TColor(0xE1ECEE));
    EXPECT_EQ(S.Pixel(R.Left, R.Top + 5), Border);
    EXPECT_EQ(S.Pixel(R.Right, R.Top + 5), Border);
    EXPECT_EQ(S.Pixel(R.Left + 5, R.Bottom), Border);
    EXPECT_EQ(S.Pixel(R.Left + 5, R.Bottom + 2), clWhite);
    // A joined column: no line and no gap between its boxes, sides all the way down, a bottom
    // line under the last shade only.
    R = Box(12);
    EXPECT_EQ(S.Pixel(R.Left + 5, R.Bottom - 1), TColor(0xC3D9DD));
    EXPECT_EQ(S.Pixel(R.Left + 5, R.Bottom), TColor(0x97BDC4));   // box 22 starts right there
    for (int Y = Box(12).Top; Y <= Box(52).Bottom; ++Y) EXPECT_EQ(S.Pixel(Box(12).Left, Y), Border) << Y;
    EXPECT_EQ(S.Pixel(Box(52).Left + 5, Box(52).Bottom), Border);
    EXPECT_EQ(S.Pixel(Box(52).Right, Box(52).Bottom), Border);
    EXPECT_EQ(S.Pixel(Box(12).Left + 5, Box(12).Top), Border);   // the column's top line
    // Selected and hot boxes: outer and inner outlines of their pairs.
    R = Box(24);
    EXPECT_EQ(S.Pixel(R.Left, R.Top + 5), TColorBoxAppearance::DefaultOuterBorderColorSelected);
    EXPECT_EQ(S.Pixel(R.Left + 1, R.Top + 5), TColorBoxAppearance::DefaultInnerBorderColorSelected);
    EXPECT_EQ(S.Pixel(R.Left + 5, R.Top + 5), TColor(0xE4CCB8));
    R = Box(27);
    EXPECT_EQ(S.Pixel(R.Left, R.Top + 5), TColorBoxAppearance::DefaultOuterBorderColorHot);
    EXPECT_EQ(S.Pixel(R.Left + 1, R.Top + 5), TColorBoxAppearance::DefaultInnerBorderColorHot);

    // A selected box that is also hot shows the selected colours.
    ui::MouseMove(Selector, Centre(24).X, Centre(24).Y);
    PaintWindowInto(Selector->GetHandle(), S, true);
    EXPECT_EQ(S.Pixel(Box(24).Left, Box(24).Top + 5), TColorBoxAppearance::DefaultOuterBorderColorSelected);
}

TEST_F(Palette, CopiesKeepTheJoinsAndPresetsResetTheLook)
{
    TCustomColorSelector* Other = Create<TCustomColorSelector>(Form);
    Other->SetItems(Selector->GetItems());
    ASSERT_EQ(Other->GetItems()->Count(), 60);
    for (int I : {0, 10, 30, 50})
        EXPECT_EQ(Other->GetItems()->GetItem(I)->GetColorBoxPos(), Selector->GetItems()->GetItem(I)->GetColorBoxPos());
    EXPECT_EQ(Other->GetItemRect(59), Selector->GetItemRect(59));

    TColorBoxAppearance* A = Selector->GetColorBoxAppearance();
    A->SetOuterBorderColorHot(clLime);
    Selector->SetItemColorStyle(scCustom);
    EXPECT_EQ(A->GetOuterBorderColorHot(), clLime);
    Selector->SetItemColorStyle(scWindows7);
    EXPECT_EQ(A->GetOuterBorderColorHot(), TColorBoxAppearance::DefaultOuterBorderColorHot);

    RegisterQorColorSelectorClasses();
    TColorBoxItem* Box = Other->GetItems()->GetItem(0);
    SetEnumProp(Box, L"ColorBoxPos", L"ipBottom");
    SetPropValue(Box, L"Color", L"clRed");
    EXPECT_EQ(Box->GetColorBoxPos(), ipBottom);
    EXPECT_EQ(Box->GetColor(), clRed);
    SetPropValue(A, L"InnerBorderColorSelected", L"clBlue");
    EXPECT_EQ(A->GetInnerBorderColorSelected(), clBlue);
}

} // namespace
