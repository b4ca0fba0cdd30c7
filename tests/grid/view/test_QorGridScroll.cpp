// The grid's scroll bars: proportional thumbs read back with GetScrollInfo, scroll messages with
// hints, odd positions and foreign bars, the in-cell scroll bar, the flat bar binding, zoom, and
// scrolling while a drag hovers near an edge or after a quick pan.
#include "tests/grid/QorGridKit.h"
#include "tests/support/UiHarness.h"

#include "grid/QorGridSatellites.h"
#include "grid/exchange/DragDropSettings.h"

#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// A borderless grid on a form, so that its control size is its client size.
class GridScroll : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = ui::NewForm(600, 500);
        G = Create<TTestableQorGrid>(Form);
        G->SetBorderStyle(bsNone);
        G->SetParent(Form);
        G->SetBounds(0, 0, 300, 200);
        Form->Show();
        ui::Pump();
    }
    void TearDown() override
    {
        Form->Free();
        ui::Pump();
    }
    // The 20 rows of 20 pixels in a 200-pixel-high grid, no fixed rows, one column that fits.
    void TwentyRows()
    {
        G->SetScrollBarsEx(TScrollStyle::ssVertical);
        G->SetColCountEx(1);
        G->SetFixedCols(0);
        G->SetColWidths(0, 100);
        G->SetDefRowHeightEx(20);
        G->SetRowCountEx(20);
        G->SetFixedRows(0);
    }
    SCROLLINFO Info(int Bar)
    {
        SCROLLINFO SI{};
        SI.cbSize = sizeof(SI);
        SI.fMask = SIF_ALL;
        GetScrollInfo(G->GetHandle(), Bar, &SI);
        return SI;
    }
    LRESULT Scroll(UINT Msg, int Code, int Pos, HWND Bar = nullptr)
    {
        return SendMessageW(G->GetHandle(), Msg, MAKEWPARAM(Code, Pos), LPARAM(Bar));
    }

    TForm* Form = nullptr;
    TTestableQorGrid* G = nullptr;
};

} // namespace

// ---- Proportional thumbs --------------------------------------------------------------------------------

TEST_F(GridScroll, ProportionalVerticalThumbFollowsTheShareOfRowsInView)
{
    TwentyRows();
    G->SetScrollProportional(true);
    SCROLLINFO SI = Info(SB_VERT);
    EXPECT_EQ(SI.nMax, 241);
    EXPECT_EQ(SI.nPage, 115u);
    EXPECT_EQ(SI.nPos, 0);
    // Five rows down: (1 + 5 x 21) / (421 - 200) x 128 = 61.39. The bar has it at once (the
    // framework's own upkeep asks the grid), and a paint leaves it so.
    G->SetTopRow(5);
    for (int Painted = 0; Painted < 2; ++Painted) {
        SI = Info(SB_VERT);
        EXPECT_EQ(SI.nMax, 241);
        EXPECT_EQ(SI.nPage, 115u);
        EXPECT_EQ(SI.nPos, 61);
        UpdateWindow(G->GetHandle());
    }
    // Switched off, the bar gets its page of 0 back.
    G->SetScrollProportional(false);
    EXPECT_EQ(Info(SB_VERT).nPage, 0u);
}

TEST_F(GridScroll, ProportionalThumbFollowsRowHeightChanges)
{
    // The sums are kept between paints: a changed height, count or line width is seen.
    auto ExpectedMax = [](double Room, double Total) {
        const double r = double(float(Room / Total));
        return int(std::trunc((r + 127) / (1 - r)));
    };
    TwentyRows();
    G->SetScrollProportional(true);
    G->SetRowHeights(3, 41);   // Total 1 + 19 x 21 + 42
    G->UpdateVScroller();
    EXPECT_EQ(Info(SB_VERT).nMax, ExpectedMax(199, 442));
    G->SetRowCountEx(40);      // 20 more rows of 21
    G->UpdateVScroller();
    EXPECT_EQ(Info(SB_VERT).nMax, ExpectedMax(199, 862));
    G->SetGridLineWidth(0);    // no lines: Fixed 0, Total 39 x 20 + 41
    G->UpdateVScroller();
    EXPECT_EQ(Info(SB_VERT).nMax, ExpectedMax(200, 821));
}

TEST_F(GridScroll, ProportionalHorizontalThumbAndWhenItIsLeftAlone)
{
    G->SetScrollBarsEx(TScrollStyle::ssHorizontal);
    G->SetRowCountEx(3);
    G->SetColCountEx(10);
    G->SetFixedCols(0);
    for (int c = 0; c < 10; ++c) G->SetColWidths(c, 100);
    G->SetBounds(0, 0, 400, 200);
    G->SetScrollProportional(true);
    // r = 399 / 1011: nMax 210, page 84.
    SCROLLINFO SI = Info(SB_HORZ);
    EXPECT_EQ(SI.nMax, 210);
    EXPECT_EQ(SI.nPage, 84u);
    // 1000 pixels for 1011: the page would be above 4000, the bar keeps the framework's range.
    G->SetBounds(0, 0, 1000, 200);
    G->UpdateHScroller();
    EXPECT_EQ(Info(SB_HORZ).nPage, 0u);
    // All columns fit: untouched too.
    G->SetBounds(0, 0, 1100, 200);
    G->UpdateHScroller();
    EXPECT_EQ(Info(SB_HORZ).nPage, 0u);
    // Fixed columns wider than the grid: the thumb is as small as it gets, never a negative page.
    G->SetBounds(0, 0, 400, 200);
    G->SetFixedCols(5);
    for (int c = 0; c < 5; ++c) G->SetColWidths(c, 200);
    G->UpdateHScroller();
    SI = Info(SB_HORZ);
    EXPECT_LE(SI.nPage, 127u);
}

TEST_F(GridScroll, ProportionalThumbStaysAloneForMetroLockAndWithoutItsBar)
{
    TwentyRows();
    G->SetScrollBarsEx(TScrollStyle::ssHorizontal);
    G->SetScrollProportional(true);
    EXPECT_EQ(Info(SB_VERT).nPage, 0u);
    G->SetScrollBarsEx(TScrollStyle::ssVertical);
    G->SetScrollType(ssMetro);
    EXPECT_NE(TGridTestAccess::MetroVert(*G), nullptr);
    EXPECT_EQ(G->GetScrollBarsEx(), TScrollStyle::ssNone);
    G->UpdateVScroller();
    EXPECT_EQ(Info(SB_VERT).nPage, 0u);
    G->SetScrollType(ssNormal);
    EXPECT_EQ(TGridTestAccess::MetroVert(*G), nullptr);
    EXPECT_EQ(G->GetScrollBarsEx(), TScrollStyle::ssBoth);
}

TEST_F(GridScroll, ZoomLocksTheThumbsAndWorksThemOutOnceAtTheEnd)
{
    TwentyRows();
    G->SetScrollProportional(true);
    G->Zoom(5);   // rows of 25: r = 199 / 521, nMax 206, page 80
    EXPECT_FALSE(G->GetScrollLock());
    SCROLLINFO SI = Info(SB_VERT);
    EXPECT_EQ(SI.nMax, 206);
    EXPECT_EQ(SI.nPage, 80u);
    G->Zoom(15);
    G->Zoom(15);   // 35 is beyond 20: nothing
    EXPECT_EQ(G->GetZoomFactor(), 20);
    EXPECT_EQ(G->GetRowHeights(0), 40);
}

// ---- Scroll messages ------------------------------------------------------------------------------------

TEST_F(GridScroll, OddPositionsAndForeignBarsNeverLeaveTheRows)
{
    TwentyRows();
    G->SetScrollBarsEx(TScrollStyle::ssBoth);
    G->SetRowCountEx(100);
    G->SetFixedRows(1);
    G->SetScrollSynch(true);
    for (int Pos : {0xFFFF, 0x8000, 127, 128, 0}) {
        Scroll(WM_VSCROLL, SB_THUMBTRACK, Pos);
        Scroll(WM_VSCROLL, SB_THUMBPOSITION, Pos);
        EXPECT_GE(G->GetTopRow(), 1) << Pos;
        EXPECT_LE(G->GetTopRow() + G->GetVisibleRowCount(), 100) << Pos;
        Scroll(WM_HSCROLL, SB_THUMBPOSITION, Pos);
        EXPECT_EQ(G->GetLeftCol(), G->GetFixedCols()) << Pos;
    }
    // A bar that is not the grid's: taken as the grid's own bar, nothing raised.
    auto* Other = Create<TScrollBar>(Form);
    Other->SetParent(Form);
    Scroll(WM_VSCROLL, SB_PAGEDOWN, 0, Other->GetHandle());
    Scroll(WM_HSCROLL, SB_LINEDOWN, 0, Form->GetHandle());
    EXPECT_GT(G->GetTopRow(), 1);
    EXPECT_EQ(TGridTestAccess::LastScrollCode(*G), SB_PAGEDOWN);
}

TEST_F(GridScroll, ThumbTrackShowsRowAndColumnHintsUntilTheDragEnds)
{
    TwentyRows();
    G->SetScrollBarsEx(TScrollStyle::ssBoth);
    G->SetRowCountEx(101);
    G->SetFixedRows(1);
    G->SetColCountEx(30);
    G->SetScrollHints(shBoth);
    std::vector<int> Asked;
    G->OnScrollHint = [&](TObject*, int ARow, String& Hint) {
        Asked.push_back(ARow);
        if (ARow > 90) Hint = L"near the end";
    };
    Scroll(WM_VSCROLL, SB_THUMBTRACK, 64);
    THTMLHintWindow* W = TGridTestAccess::ScrollHintWindow(*G);
    ASSERT_NE(W, nullptr);
    const int Row = MulDiv(64, 101 - G->GetVisibleRowCount() - 1, 127) + 1;
    EXPECT_TRUE(TGridTestAccess::ScrollHintShown(*G));
    EXPECT_TRUE(W->HandleAllocated() && IsWindowVisible(W->GetHandle()));
    EXPECT_EQ(W->GetCaption(), L"Row : " + IntToStr(Row));
    Scroll(WM_VSCROLL, SB_THUMBTRACK, 127);
    EXPECT_EQ(W->GetCaption(), L"near the end");
    Scroll(WM_VSCROLL, SB_ENDSCROLL, 0);
    EXPECT_FALSE(TGridTestAccess::ScrollHintShown(*G));
    EXPECT_FALSE(W->HandleAllocated() && IsWindowVisible(W->GetHandle()));
    Scroll(WM_HSCROLL, SB_THUMBTRACK, 0);
    EXPECT_EQ(W->GetCaption(), L"Col : " + IntToStr(G->GetFixedCols()));
    Scroll(WM_HSCROLL, SB_ENDSCROLL, 0);
    EXPECT_EQ(Asked.size(), 3u);
    // Only the vertical hints: the horizontal thumb shows none.
    G->SetScrollHints(shVertical);
    Scroll(WM_HSCROLL, SB_THUMBTRACK, 10);
    EXPECT_FALSE(TGridTestAccess::ScrollHintShown(*G));
}

TEST_F(GridScroll, InCellBarMovesItsCellAndNothingElse)
{
    G->SetRowCountEx(30);
    G->AddScrollBar(2, 3, false);
    TScrollBar* Bar = TGridTestAccess::CellScrollBar(*G);
    ASSERT_NE(Bar, nullptr);
    Bar->SetVisible(true);
    TGridTestAccess::SetCellScrollCell(*G, 2, 3);
    std::vector<std::vector<int>> Events;
    G->OnScrollCell = [&](TObject*, int C, int R, int P, int Min, int Max) { Events.push_back({C, R, P, Min, Max}); };
    const HWND H = Bar->GetHandle();
    const int Top = G->GetTopRow();
    struct Step {
        int Code, Pos, Expect;
        LRESULT Result;
    };
    for (const Step& S : {Step{SB_LINEDOWN, 0, 10, 1}, Step{SB_PAGEDOWN, 0, 100, 1}, Step{SB_LINEDOWN, 0, 100, 0},
                          Step{SB_THUMBTRACK, 40, 40, 1}, Step{SB_THUMBPOSITION, 70, 40, 0},
                          Step{SB_PAGEUP, 0, 0, 1}, Step{SB_LINEUP, 0, 0, 0}, Step{SB_THUMBTRACK, 0xFFFF, 100, 1}}) {
        EXPECT_EQ(Scroll(WM_VSCROLL, S.Code, S.Pos, H), S.Result) << S.Code;
        EXPECT_EQ(Bar->GetPosition(), S.Expect) << S.Code;
        EXPECT_EQ(G->GetScrollPosition(2, 3), S.Result ? S.Expect : G->GetScrollPosition(2, 3));
    }
    EXPECT_EQ(G->GetScrollPosition(2, 3), 100);
    EXPECT_EQ(Events.size(), 5u);
    EXPECT_EQ(Events[0], (std::vector<int>{2, 3, 10, 0, 100}));
    EXPECT_EQ(G->GetTopRow(), Top);
}

// ---- Flat bars ------------------------------------------------------------------------------------------

TEST_F(GridScroll, FlatBarsBindToTheLoadedModuleOrDoNothing)
{
    const HMODULE M = GetModuleHandleW(L"comctl32.dll");
    const bool Exported = M && GetProcAddress(M, "InitializeFlatSB");
    G->SetScrollType(ssFlat);
    EXPECT_EQ(TGridTestAccess::IsFlat(*G), Exported);
    G->SetScrollWidth(0);
    EXPECT_EQ(G->GetScrollWidth(), GetSystemMetrics(SM_CXVSCROLL));
    G->SetScrollWidth(-5);
    EXPECT_EQ(G->GetScrollWidth(), GetSystemMetrics(SM_CXVSCROLL));
    G->SetScrollWidth(12);
    G->SetScrollColor(clRed);
    G->SetScrollType(ssFlat);   // the same type again re-applies the modes
    G->SetRowCountEx(100);
    G->FlatUpdate();
    G->SetScrollType(ssNormal);
    EXPECT_FALSE(TGridTestAccess::IsFlat(*G));

    // Without the module every routine is a no-operation.
    const String Saved = TQorStringGrid::FlatScrollModuleName;
    TQorStringGrid::FlatScrollModuleName = L"no-such-module.dll";
    G->SetScrollType(ssEncarta);
    EXPECT_FALSE(TGridTestAccess::IsFlat(*G));
    G->FlatUpdate();
    G->FlatShowScrollBar(SB_VERT, true);
    TQorStringGrid::FlatScrollModuleName = Saved;
    G->SetScrollType(ssNormal);
}

// ---- Drag scrolling -------------------------------------------------------------------------------------

class GridDragScroll : public GridScroll {
protected:
    void SetUp() override
    {
        GridScroll::SetUp();
        G->SetRowCountEx(100);
        G->SetColCountEx(30);
        G->GetDragScrollOptions()->SetActive(true);
        G->SetTopRow(10);
        G->SetLeftCol(10);
    }
    void Over(int X, int Y, TDragState State = dsDragMove)
    {
        bool Accept = true;
        G->DragOver(nullptr, X, Y, State, Accept);
    }
    unsigned Interval() { return G->GetDragTimer() ? G->GetDragTimer()->GetInterval() : 0; }
};

TEST_F(GridDragScroll, TimerStartsInAMarginAndStepsAfterTheDelays)
{
    Over(150, 100, dsDragEnter);   // the middle: no timer
    EXPECT_EQ(G->GetDragTimer(), nullptr);
    Over(150, 10);
    ASSERT_NE(G->GetDragTimer(), nullptr);
    EXPECT_EQ(G->GetDragTimer()->GetOwner(), Form);
    EXPECT_EQ(Interval(), 1000u);
    EXPECT_EQ(G->GetDragScrollDirection(), TDragScrollDirection{dsdUp});
    G->DragTimerProc(nullptr);
    EXPECT_EQ(G->GetTopRow(), 9);
    EXPECT_EQ(Interval(), 250u);
    // Moving inside the margin arms the initial delay again.
    Over(151, 12);
    EXPECT_EQ(Interval(), 1000u);
    // The corner: one row up and one column left per step.
    Over(5, 5);
    G->DragTimerProc(nullptr);
    EXPECT_EQ(G->GetTopRow(), 8);
    EXPECT_EQ(G->GetLeftCol(), 9);
    Over(295, 195);
    G->DragTimerProc(nullptr);
    EXPECT_EQ(G->GetTopRow(), 9);
    EXPECT_EQ(G->GetLeftCol(), 10);
    // Leaving the margins or the grid frees the timer.
    Over(150, 100);
    EXPECT_EQ(G->GetDragTimer(), nullptr);
    Over(150, 10);
    Over(150, 10, dsDragLeave);
    EXPECT_EQ(G->GetDragTimer(), nullptr);
}

TEST_F(GridDragScroll, HandlerMayStopOrChangeTheStep)
{
    bool Allow = false;
    G->OnDragScroll = [&](TObject*, int, int, TDragScrollDirection& Dir, bool& CanScroll) {
        CanScroll = Allow;
        Dir.Include(dsdDown);   // with up and down both members, a step moves twice
    };
    Over(150, 10);
    G->DragTimerProc(nullptr);
    EXPECT_EQ(G->GetTopRow(), 10);
    EXPECT_NE(G->GetDragTimer(), nullptr);
    Allow = true;
    G->DragTimerProc(nullptr);
    EXPECT_EQ(G->GetTopRow(), 10);   // up then down
    // Switched off meanwhile: the next step frees the timer.
    G->GetDragScrollOptions()->SetActive(false);
    G->DragTimerProc(nullptr);
    EXPECT_EQ(G->GetDragTimer(), nullptr);
}

TEST_F(GridDragScroll, WideMarginsZeroDelaysAndTheFirstRowAreSafe)
{
    TDragScrollOptions* O = G->GetDragScrollOptions();
    O->GetMargins()->SetTopMargin(1000);
    O->GetMargins()->SetBottomMargin(1000);
    O->GetMargins()->SetLeftMargin(1000);
    O->GetMargins()->SetRightMargin(1000);
    O->GetDelays()->SetInitialDelay(0);
    O->GetDelays()->SetRepeatDelay(-5);
    Over(150, 100);
    // Up wins over down, left over right.
    EXPECT_EQ(G->GetDragScrollDirection(), (TDragScrollDirection{dsdUp, dsdLeft}));
    EXPECT_EQ(Interval(), 1u);
    // The timer really runs: the grid reaches its first scrollable row and column and stays.
    EXPECT_TRUE(ui::PumpUntil([&] { return G->GetTopRow() == G->GetFixedRows() && G->GetLeftCol() == G->GetFixedCols(); }));
    EXPECT_EQ(Interval(), 1u);
    ui::Pump(30);
    EXPECT_EQ(G->GetTopRow(), G->GetFixedRows());
}

TEST(GridDragScrollOwner, TimerGoesWithTheGridAndTheGridHearsWhenTheParentFreesIt)
{
    TForm* Form = ui::NewForm();
    ui::FormGuard Guard(Form);
    auto* G = Create<TTestableQorGrid>(Form);
    G->SetParent(Form);
    G->GetDragScrollOptions()->SetActive(true);
    bool Accept = true;
    G->DragOver(nullptr, 5, 5, dsDragEnter, Accept);
    TTimer* T = G->GetDragTimer();
    ASSERT_NE(T, nullptr);
    T->Free();   // freed by someone else: the grid forgets it
    EXPECT_EQ(G->GetDragTimer(), nullptr);
    G->DragOver(nullptr, 5, 5, dsDragMove, Accept);
    ASSERT_NE(G->GetDragTimer(), nullptr);
    const int Before = Form->ComponentCount();
    G->Free();   // the grid takes its timer along
    EXPECT_EQ(Form->ComponentCount(), Before - 2);
}

// ---- Smooth scrolling ----------------------------------------------------------------------------------

TEST_F(GridScroll, SmoothScrollTakesItsStepsAndStopsAtTheFirstRow)
{
    G->SetRowCountEx(100);
    G->SetColCountEx(30);
    G->SetTopRow(20);
    G->StartSmoothScroll(10, 1, true);
    for (int i = 0; i < 12; ++i) G->ScrollTimerProc(nullptr);
    EXPECT_EQ(G->GetTopRow(), 30);
    G->StartSmoothScroll(10, -3, true);
    for (int i = 0; i < 10; ++i) G->ScrollTimerProc(nullptr);
    EXPECT_EQ(G->GetTopRow(), G->GetFixedRows());
    G->SetLeftCol(5);
    G->StartSmoothScroll(3, -2, false);
    EXPECT_TRUE(ui::PumpUntil([&] { return G->GetLeftCol() == G->GetFixedCols(); }));
}

// ---- The axis's running sums ------------------------------------------------------------------------------

// Sizes, counts and defaults change at random; the running sums always agree with adding up.
TEST(GridAxisSums, RunningSumsFollowEveryChange)
{
    std::mt19937 Rng(4141);
    auto Pick = [&](int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(Rng); };
    TGridAxis X(5, 1, 24);
    for (int Step = 0; Step < 2000; ++Step) {
        switch (Pick(0, 9)) {
        case 0: X.SetCount(Pick(0, 300)); break;
        case 1: X.SetDefaultSize(Pick(0, 40)); break;
        case 2: X.Scale(Pick(1, 3), Pick(1, 3)); break;
        default:
            if (X.Count() > 0) X.SetSize(Pick(0, X.Count() - 1), Pick(-5, 60));
        }
        if (Pick(0, 3) != 0) continue;   // asked now and then: kept and made again both checked
        const int i = Pick(0, X.Count());
        Int64 Sum = 0;
        for (int k = 0; k < i; ++k) Sum += X.Size(k);
        ASSERT_EQ(X.SizeSum(i), Sum) << "step " << Step << ", index " << i;
    }
}
