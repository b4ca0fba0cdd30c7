// The rules of the grid's satellites that need no window: balloon tip texts, custom footer
// templates, the metro scroll thumb and the filter lists' cancel area.
#include "grid/input/BalloonText.h"
#include "grid/input/FilterLists.h"
#include "grid/input/FloatingFooter.h"
#include "grid/input/ScrollControl.h"

#include <gtest/gtest.h>

namespace {

// ---- balloon tips -------------------------------------------------------------------------------

TEST(BalloonText, TabsBecomeBlanksAndLeadingLineBreaksGo)
{
    EXPECT_EQ(QorGridBalloon::TipText(L"\r\n\na\tb\r\nc"), L"a b\r\nc");
    EXPECT_EQ(QorGridBalloon::TipText(L"\tx"), L" x");
    EXPECT_EQ(QorGridBalloon::TipText(L""), L"");
}

TEST(BalloonText, LongTextsAndTitlesEndInDotsWithinTheirLength)
{
    String Text(3000, L'a');
    String Tip = QorGridBalloon::TipText(Text);
    EXPECT_EQ(Tip.size(), 2048u);
    EXPECT_EQ(Tip.substr(2045), L"...");
    EXPECT_EQ(Tip.substr(0, 2045), String(2045, L'a'));
    EXPECT_EQ(QorGridBalloon::TipText(String(2048, L'b')), String(2048, L'b'));

    EXPECT_EQ(QorGridBalloon::TipTitle(String(100, L't')), String(100, L't'));
    EXPECT_EQ(QorGridBalloon::TipTitle(String(101, L't')), String(97, L't') + L"...");
}

// ---- custom footer templates --------------------------------------------------------------------

struct TemplateCase {
    const wchar_t* Template;
    const wchar_t* Expected;
};

class ColumnTags : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(ColumnTags, BecomeTheRowsCellTexts)
{
    auto CellText = [](int ACol) { return L"c" + IntToStr(ACol); };
    EXPECT_EQ(ReplaceColumnTags(GetParam().Template, CellText), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Templates, ColumnTags, ::testing::Values(
    TemplateCase{L"Sum: <#3>", L"Sum: c3"},
    TemplateCase{L"<#0>/<#12> end", L"c0/c12 end"},
    TemplateCase{L"<b><#1></b>", L"<b>c1</b>"},          // other tags stay
    TemplateCase{L"a<#x>b<#>c", L"abc"},                  // a tag without a number goes
    TemplateCase{L"open <#2", L"open <#2"},               // no closing bracket: no tag
    TemplateCase{L"", L""}));

// ---- the metro scroll thumb ---------------------------------------------------------------------

// A vertical indicator 400 pixels long over a grid of Count rows with one fixed row of 20 pixels,
// Visible rows in view from First.
TScrollAxis Rows(int First, int Count, int Visible)
{
    TScrollAxis A;
    A.First = First;
    A.Fixed = 1;
    A.Count = Count;
    A.Visible = Visible;
    A.Offset = 20;
    A.Track = 380;
    A.Length = 400;
    A.FirstSize = 20;
    return A;
}

TEST(ScrollThumb, ShowsTheVisibleShareAtLeastTwentyPixelsLong)
{
    int Pos, Size;
    QorGridScroll::ThumbOf(Rows(1, 1000, 20), Pos, Size);
    EXPECT_EQ(Size, 20);   // 380 x 20 / 1000 is less than the minimum
    EXPECT_EQ(Pos, 20);    // right below the fixed row
    QorGridScroll::ThumbOf(Rows(1, 21, 10), Pos, Size);
    EXPECT_EQ(Size, 181);  // 380 x 10 / 21
}

TEST(ScrollThumb, NeverRunsPastTheControlsEnd)
{
    int Pos, Size;
    QorGridScroll::ThumbOf(Rows(990, 1000, 20), Pos, Size);
    EXPECT_EQ(Pos + Size, 400);
}

TEST(ScrollThumb, ShowsOnlyWhenSomeRowsAreOutOfView)
{
    EXPECT_FALSE(QorGridScroll::ThumbShown(Rows(1, 10, 9)));
    EXPECT_TRUE(QorGridScroll::ThumbShown(Rows(1, 11, 9)));
}

TEST(ScrollThumb, TrackClicksPageWithinTheRows)
{
    TScrollAxis A = Rows(50, 100, 20);
    int Pos, Size;
    QorGridScroll::ThumbOf(A, Pos, Size);
    EXPECT_EQ(QorGridScroll::PageTarget(A, Pos - 1), 30);
    EXPECT_EQ(QorGridScroll::PageTarget(A, Pos + Size + 1), 70);
    EXPECT_EQ(QorGridScroll::PageTarget(A, Pos + 1), 50);
    // Never before the first scrollable row, never past the last page.
    EXPECT_EQ(QorGridScroll::PageTarget(Rows(5, 100, 20), 0), 1);
    EXPECT_EQ(QorGridScroll::PageTarget(Rows(75, 100, 20), 399), 80);
}

TEST(ScrollThumb, DragsWithinTheFixedRowsAndTheLastPage)
{
    TScrollAxis A = Rows(40, 100, 20);
    EXPECT_EQ(QorGridScroll::DragTarget(A, 40, 38), 50);     // 38 / 380 x 100 rows
    EXPECT_EQ(QorGridScroll::DragTarget(A, 40, -1000), 1);
    EXPECT_EQ(QorGridScroll::DragTarget(A, 40, 1000), 80);
}

TEST(ScrollThumb, ADragOverAControlWithNoRoomLeftScalesByTheTrackOrStays)
{
    TScrollAxis A = Rows(40, 100, 20);
    A.FirstSize = 400;   // row 0 as high as the control
    EXPECT_EQ(QorGridScroll::DragTarget(A, 40, 38), 50);
    A.Track = 0;
    EXPECT_EQ(QorGridScroll::DragTarget(A, 40, 38), 40);
}

// ---- the filter lists' cancel area --------------------------------------------------------------

struct CancelCase {
    int X, Y, Margin;
    bool Closes;
};

class FilterListCancel : public ::testing::TestWithParam<CancelCase> {};

TEST_P(FilterListCancel, ClosesOnlyOutsideTheListAndTheMarginAboveIt)
{
    const TRect List(100, 200, 250, 350);
    EXPECT_EQ(QorGridFilterList::CancelModeCloses(List, GetParam().Margin, TPoint(GetParam().X, GetParam().Y)),
              GetParam().Closes);
}

INSTANTIATE_TEST_SUITE_P(Points, FilterListCancel, ::testing::Values(
    CancelCase{150, 250, 20, false},   // on the list
    CancelCase{150, 185, 20, false},   // on the filter button above it
    CancelCase{150, 179, 20, true},    // above the button
    CancelCase{150, 185, 0, true},     // the check list has no margin
    CancelCase{99, 250, 20, true},
    CancelCase{250, 250, 20, true},
    CancelCase{150, 350, 20, true}));

} // namespace
