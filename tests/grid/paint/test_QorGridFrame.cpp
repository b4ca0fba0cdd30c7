// What the grid paints around its cells: the outer border by look, flatness, border colour and
// common-controls version; the background beyond the last column and row (gradient, tiles,
// nothing when the cells fill the client area); the wallpaper painters; the focus frame's window
// (its size, place and region: no compositor shows its pixels) following the current cell; the
// XOR sizing lines; the balloon texts' cuts; the date-time change notification.
// test-needs: desktop
#include "tests/grid/QorGridKit.h"

#include "graphics/QorStyleIF.h"
#include "grid/paint/ArrowFocusWindows.h"
#include "grid/paint/QorGridFrame.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

class GridFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = ui::NewForm(300, 200);
        Guard.Form = Form;
        G = Create<TTestableQorGrid>(Form);
        G->SetParent(Form);
        G->SetBounds(10, 10, 240, 150);
        G->SetColCount(3);
        G->SetRowCount(3);
        G->SetDefaultColWidth(64);
        G->SetDefaultRowHeight(20);
        G->HandleNeeded();
    }
    void TearDown() override { QorStyleIF::DetectionOverrides() = {}; }

    // The grid's canvas drawn into a white surface of the client size.
    std::unique_ptr<TDibSurface> PaintInto(const std::function<void()>& Paint)
    {
        auto S = std::make_unique<TDibSurface>(G->GetClientWidth(), G->GetClientHeight(), clWhite);
        PaintOnCanvas(G->GetCanvas(), S->DC(), G->GetFont(), clWhite, Paint);
        return S;
    }

    TForm* Form = nullptr;
    ui::FormGuard Guard{nullptr};
    TTestableQorGrid* G = nullptr;
};

// A 2 x 2 checker of 4-pixel squares, red at the top left.
std::unique_ptr<TBitmap> Checker()
{
    auto B = std::make_unique<TBitmap>(8, 8);
    B->GetCanvas()->GetBrush()->SetColor(clBlue);
    B->GetCanvas()->FillRect(TRect(0, 0, 8, 8));
    B->GetCanvas()->GetBrush()->SetColor(clRed);
    B->GetCanvas()->FillRect(TRect(0, 0, 4, 4));
    B->GetCanvas()->FillRect(TRect(4, 4, 8, 8));
    return B;
}

}  // namespace

TEST_F(GridFrame, BalloonTextsAreCut)
{
    using namespace QorGridFrame;
    // Tabs become blanks first, so only line breaks lead off.
    EXPECT_EQ(BalloonText(L"\r\n\r\nA\tB\r\nC"), L"A B\r\nC");
    EXPECT_EQ(BalloonText(L"\n\tA"), L" A");
    const String Long(3000, L'x');
    const String Cut = BalloonText(Long);
    EXPECT_EQ(Cut.size(), 2048u);
    EXPECT_EQ(Cut.substr(2045), L"...");
    EXPECT_EQ(BalloonText(String(2048, L'y')), String(2048, L'y'));
    EXPECT_EQ(BalloonTitle(String(150, L't')), String(97, L't') + L"...");
    EXPECT_EQ(BalloonTitle(String(100, L't')), String(100, L't'));
    EXPECT_EQ(BalloonText(L""), L"");
}

TEST_F(GridFrame, BackgroundBeyondTheCells)
{
    Form->Free();
    Form = ui::NewForm(300, 200);
    Guard.Form = Form;
    G = Create<TTestableQorGrid>(Form);
    G->SetParent(Form);
    G->SetBorderStyle(bsNone);
    G->SetBounds(0, 0, 300, 200);
    G->SetColCount(3);
    G->SetRowCount(3);
    G->SetDefaultColWidth(64);
    G->SetDefaultRowHeight(20);
    G->HandleNeeded();
    TBackGround* BG = G->GetBackGround();
    BG->SetDisplay(bdGradientHorz);
    BG->SetColor(clBlack);
    BG->SetColorTo(TColor(0x0000FF));
    const TRect Last = G->CellRect(2, 2);
    auto S = PaintInto([&] { G->PaintBackground(); });
    // The cells stay as they were; the strips right and below take the gradient.
    EXPECT_TRUE(S->AllColor(TRect(0, 0, Last.Right, Last.Bottom), clWhite));
    const int Line = G->GetGridLineWidth();
    EXPECT_FALSE(S->HasInk(TRect(Last.Right, 0, Last.Right + Line, Last.Bottom)));
    const TColor Left = S->Pixel(Last.Right + Line + 1, 5), Right = S->Pixel(298, 5);
    EXPECT_LT(GetRValue(Left), GetRValue(Right));
    EXPECT_EQ(GetBValue(Right), 0);
    EXPECT_TRUE(S->HasInk(TRect(0, Last.Bottom + Line, 10, 200)));
    // A gradient without its end colour paints nothing.
    BG->SetColorTo(clNone);
    EXPECT_FALSE(PaintInto([&] { G->PaintBackground(); })->HasInk(S->Bounds()));
    // Cells that fill the client area exactly leave nothing to paint.
    BG->SetColorTo(TColor(0x0000FF));
    G->SetDefaultColWidth(100 - Line);
    G->SetDefaultRowHeight(200 / 3 + 1);
    G->SetColWidths(2, 300 - 2 * 100);
    EXPECT_FALSE(PaintInto([&] { G->PaintBackground(); })->HasInk(TRect(0, 0, 300, 200)));

    // Tiles from the first normal cell, cut at the client's edges; with bcFixed nothing.
    G->SetDefaultColWidth(64);
    G->SetDefaultRowHeight(20);
    auto B = Checker();
    BG->SetBitmap(B.get());
    BG->SetDisplay(bdTile);
    BG->SetCells(bcNormal);
    auto T = PaintInto([&] { G->PaintBackground(); });
    const TRect First = G->CellRect(G->GetLeftCol(), G->GetTopRow());
    const TPoint Off = G->GetXYOffset();
    const int X = 260, Y = 10;   // in the strip right of the cells
    const int Phase = (((X - First.Left - Off.X) % 8) + 8) % 8 < 4, PhaseY = (((Y - First.Top - Off.Y) % 8) + 8) % 8 < 4;
    EXPECT_EQ(T->Pixel(X, Y), Phase == PhaseY ? clRed : clBlue);
    BG->SetCells(bcFixed);
    EXPECT_FALSE(PaintInto([&] { G->PaintBackground(); })->HasInk(TRect(0, 0, 300, 200)));
}

TEST_F(GridFrame, WallPaperFixedAndTiled)
{
    auto B = Checker();
    G->GetBackGround()->SetBitmap(B.get());
    G->GetBackGround()->SetLeft(5);
    G->GetBackGround()->SetTop(5);
    auto F = PaintInto([&] { G->DrawWallPaperFixed(TRect(0, 0, 20, 20)); });
    EXPECT_EQ(F->Pixel(5, 5), clRed);
    EXPECT_EQ(F->Pixel(9, 5), clBlue);
    EXPECT_EQ(F->Pixel(4, 4), clWhite);
    EXPECT_EQ(F->InkBounds(F->Bounds()), TRect(5, 5, 13, 13));
    EXPECT_FALSE(PaintInto([&] { G->DrawWallPaperFixed(TRect(40, 40, 60, 60)); })->HasInk(TRect(0, 0, 200, 100)));
    // Tiled from (left - 1, top - 1), cut at the rectangle.
    auto T = PaintInto([&] { G->DrawWallPaperTile(TRect(10, 10, 31, 27)); });
    EXPECT_EQ(T->Pixel(10, 10), clRed);    // the bitmap's (1, 1)
    EXPECT_EQ(T->Pixel(13, 10), clBlue);   // its (4, 1)
    EXPECT_EQ(T->Pixel(17, 17), clRed);    // the second tile's (0, 0)
    EXPECT_EQ(T->InkBounds(T->Bounds()), TRect(10, 10, 31, 27));
}

TEST_F(GridFrame, SizingLinesGoAwayWhenDrawnAgain)
{
    auto Before = PaintInto([] {});
    TDibSurface S(G->GetClientWidth(), G->GetClientHeight(), clWhite);
    PaintOnCanvas(G->GetCanvas(), S.DC(), G->GetFont(), clWhite, [&] {
        G->DrawSizingLine(50);
        G->DrawSizingLineR(30);
    });
    EXPECT_GT(S.InkCount(TRect(50, 0, 51, S.Height())), S.Height() / 4);   // dotted
    EXPECT_GT(S.InkCount(TRect(0, 30, S.Width(), 31)), S.Width() / 4);
    EXPECT_EQ(S.InkCount(TRect(0, 0, 50, 30)), 0);
    PaintOnCanvas(G->GetCanvas(), S.DC(), G->GetFont(), clWhite, [&] {
        G->DrawSizingLine(50);
        G->DrawSizingLineR(30);
    });
    EXPECT_EQ(S.DiffCount(*Before), 0);
}

TEST_F(GridFrame, FocusFrameWindowAroundTheCell)
{
    Form->Show();
    ui::Pump();
    G->SetColWidths(1, 64);
    G->SetRowHeights(1, 20);
    const TRect Cell = G->CellRect(1, 1);
    ASSERT_EQ(Cell.Width(), 64);
    ASSERT_EQ(Cell.Height(), 20);
    G->ShowFocusHelper(Cell);
    TGridFocusWindow* W = G->GetFocusWindow();
    ASSERT_TRUE(W->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(W->GetHandle()));
    RECT WR;
    GetWindowRect(W->GetHandle(), &WR);
    POINT P{Cell.Left, Cell.Top};
    ClientToScreen(G->GetHandle(), &P);
    EXPECT_EQ(WR.left, P.x - 4);
    EXPECT_EQ(WR.top, P.y - 4);
    EXPECT_EQ(WR.right - WR.left, 73);
    EXPECT_EQ(WR.bottom - WR.top, 29);
    EXPECT_TRUE(GetWindowLongW(W->GetHandle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    HRGN Region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(W->GetHandle(), Region), ERROR);
    EXPECT_TRUE(PtInRegion(Region, 3, 3));
    EXPECT_FALSE(PtInRegion(Region, 4, 4));       // the cell is left out, exactly
    EXPECT_FALSE(PtInRegion(Region, 67, 23));
    EXPECT_TRUE(PtInRegion(Region, 68, 24));
    EXPECT_TRUE(PtInRegion(Region, 72, 28));
    DeleteObject(Region);
    EXPECT_NE(GetActiveWindow(), W->GetHandle());

    // The frame follows the current cell; a cell out of view hides it and forgets the grid.
    FocusGrid = G;
    G->SetColWidths(2, 80);
    G->SetCol(2);
    G->MoveFocusHelper();
    GetWindowRect(W->GetHandle(), &WR);
    const TRect C2 = G->CellRect(2, G->GetRow());
    P = POINT{C2.Left, C2.Top};
    ClientToScreen(G->GetHandle(), &P);
    EXPECT_EQ(WR.left, P.x - 4);
    EXPECT_EQ(WR.right - WR.left, 89);
    G->SetRowCount(30);
    G->SetRow(29);
    G->SetTopRow(1);
    G->MoveFocusHelper();
    EXPECT_FALSE(IsWindowVisible(W->GetHandle()));
    EXPECT_EQ(FocusGrid, nullptr);
}

TEST_F(GridFrame, FocusFrameFollowsTheFocusWhenEnabled)
{
    ui::ShowAndActivate(Form);
    TGridFocusWindow* W = G->GetFocusWindow();
    G->Perform(WM_SETFOCUS, 0, 0);
    EXPECT_FALSE(W->HandleAllocated() && IsWindowVisible(W->GetHandle()));   // off by default
    G->GetFocusHelper()->SetEnabled(true);
    G->Perform(WM_SETFOCUS, 0, 0);
    EXPECT_EQ(FocusGrid, G);
    ASSERT_TRUE(W->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(W->GetHandle()));
    G->Perform(WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(IsWindowVisible(W->GetHandle()));
    EXPECT_EQ(FocusGrid, nullptr);
}

TEST_F(GridFrame, OuterBorderByLookFlatnessAndColour)
{
    Form->Show();
    ui::Pump();
    G->SetBorderColor(clRed);
    auto RedAt = [&](int X, int Y) {
        RedrawWindow(G->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        ui::Pump();
        auto S = CaptureWindowAsShown(G->GetHandle());
        return S->Pixel(X, Y) == clRed;
    };
    // FitCellsInGrid (the grid's default): the inner ring at 1, in the border colour.
    G->SetLook(glXP);
    EXPECT_TRUE(RedAt(1, 5));
    G->SetFlat(true);
    EXPECT_FALSE(RedAt(1, 5));
    G->SetLook(glCustom);
    G->SetBorderColor(clRed);
    EXPECT_TRUE(RedAt(1, 5));
    G->SetFlat(false);
    G->SetLook(glStandard);
    G->SetBorderColor(clRed);
    EXPECT_FALSE(RedAt(1, 5));
    G->SetLook(glSoft);
    G->SetBorderColor(clNone);
    EXPECT_FALSE(RedAt(1, 5));
}

TEST_F(GridFrame, DateTimeChangeReachesItsEvent)
{
    std::vector<TDateTime> Seen;
    G->OnDateTimeChange = [&](TObject*, int ACol, int ARow, TDateTime D) { Seen.push_back(D); };
    NMDATETIMECHANGE N{};
    N.nmhdr.code = DTN_DATETIMECHANGE;
    N.nmhdr.hwndFrom = G->GetHandle();
    N.st.wYear = 2026;
    N.st.wMonth = 12;
    N.st.wDay = 11;
    G->Perform(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&N));
    N.st.wYear = 0;
    G->Perform(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&N));
    ASSERT_EQ(Seen.size(), 2u);
    EXPECT_EQ(Seen[0], EncodeDate(2026, 12, 11));
    EXPECT_EQ(Seen[1], 0.0);
    // The tool tip's show and pop notifications are answered without passing them on.
    NMHDR Show{G->GetHandle(), 0, UINT(TTN_SHOW)};
    EXPECT_EQ(G->Perform(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&Show)), 0);
}
