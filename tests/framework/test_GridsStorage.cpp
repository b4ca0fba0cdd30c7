// The string grid without a window: cell storage kept beyond lowered counts, row and column
// views, structural moves with their notifications, counts against fixed counts, and geometry
// (hidden rows and columns, the origin's clamping, hit tests) from the stored sizes.
#include "tests/grid/GridKit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class GridStorage : public ::testing::Test {
protected:
    void SetUp() override
    {
        G = Create<TTestableGrid>(nullptr);
        G->SetColCount(4);
        G->SetRowCount(6);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 4; ++c) G->SetCells(c, r, Name(c, r));
    }
    void TearDown() override { G->Free(); }
    static String Name(int c, int r) { return L"c" + std::to_wstring(c) + L"r" + std::to_wstring(r); }
    TTestableGrid* G = nullptr;
};

TEST_F(GridStorage, CellsBeyondLoweredCountsComeBack)
{
    TObject Tag;
    G->SetObjects(3, 5, &Tag);
    G->SetRowCount(2);
    G->SetColCount(1);
    EXPECT_EQ(G->GetRows(0)->Count(), 1);
    EXPECT_EQ(G->GetCols(0)->Count(), 2);
    // Still readable, and back in view when the counts grow again.
    EXPECT_EQ(G->GetCells(3, 5), L"c3r5");
    G->SetColCount(4);
    G->SetRowCount(6);
    EXPECT_EQ(G->GetCells(3, 5), L"c3r5");
    EXPECT_EQ(G->GetObjects(3, 5), &Tag);
    // Writing beyond the counts stores too; reading where nothing was written gives "".
    G->SetCells(9, 20, L"far");
    EXPECT_EQ(G->GetCells(9, 20), L"far");
    EXPECT_EQ(G->GetCells(8, 20), L"");
    EXPECT_EQ(G->GetCells(100, 1000), L"");
    EXPECT_THROW(G->SetCells(-1, 0, L"x"), EInvalidGridOperation);
}

TEST_F(GridStorage, RowViewsCopyTextsAndReferences)
{
    TObject A, B;
    G->SetObjects(0, 1, &A);
    G->SetObjects(2, 1, &B);
    G->GetRows(4)->Assign(G->GetRows(1));
    for (int c = 0; c < 4; ++c) EXPECT_EQ(G->GetCells(c, 4), Name(c, 1));
    EXPECT_EQ(G->GetObjects(0, 4), &A);
    EXPECT_EQ(G->GetObjects(2, 4), &B);

    // A free-standing list: shorter lists empty the rest of the row.
    TStringList L;
    L.AddObject(L"x", &B);
    L.Add(L"y");
    G->SetRows(2, &L);
    EXPECT_EQ(G->GetCells(0, 2), L"x");
    EXPECT_EQ(G->GetObjects(0, 2), &B);
    EXPECT_EQ(G->GetCells(1, 2), L"y");
    EXPECT_EQ(G->GetCells(2, 2), L"");

    // A column view reads down the rows; a row copied out keeps its texts after the row changes.
    EXPECT_EQ(G->GetCols(3)->Get(5), L"c3r5");
    TStringList Saved;
    Saved.Assign(G->GetRows(5));
    G->GetRows(5)->Clear();
    EXPECT_EQ(G->GetCells(1, 5), L"");
    EXPECT_EQ(Saved[1], L"c1r5");
    EXPECT_THROW(G->GetRows(0)->Insert(0, L"z"), Exception);
}

TEST_F(GridStorage, MovesCarryCellsAndNotify)
{
    G->MoveRow(1, 4);
    EXPECT_EQ(G->Notes.RowMoves, (std::vector<std::pair<int, int>>{{1, 4}}));
    EXPECT_EQ(GridToText(*G, TGridRect{0, 0, 0, 5}), L"c0r0\nc0r2\nc0r3\nc0r4\nc0r1\nc0r5\n");

    G->MoveColumn(3, 1);
    EXPECT_EQ(G->Notes.ColMoves, (std::vector<std::pair<int, int>>{{3, 1}}));
    EXPECT_EQ(GridToText(*G, TGridRect{0, 0, 3, 0}), L"c0r0|c3r0|c1r0|c2r0\n");
    // Widths do not travel with the base's move (a descendant decides).
    G->SetColWidths(3, 10);
    G->MoveColumn(3, 1);
    EXPECT_EQ(G->GetColWidths(3), 10);
}

// The current cell and the anchor follow their line when a line moves, alike on both axes.
TEST_F(GridStorage, CurrentCellFollowsMovedLinesOnBothAxes)
{
    struct Case { int Current, From, To, After; };
    const Case Cases[] = {
        {2, 2, 3, 3},   // the moved line itself
        {3, 1, 3, 2},   // a line after it moves up one
        {1, 3, 1, 2},   // a line before it moves down one
        {3, 1, 2, 3},   // a line beyond the range stays
    };
    for (TGridAxisKind A : GridAxes) {
        for (const Case& C : Cases) {
            TGridCoord Start = CoordAlong(A, C.Current, 1);
            G->MoveColRow(Start.X, Start.Y, true, false);
            G->MoveLine(A, C.From, C.To);
            TGridCoord Now{G->GetCol(), G->GetRow()};
            EXPECT_EQ(Now, CoordAlong(A, C.After, 1)) << int(A) << ": " << C.From << " to " << C.To;
            EXPECT_EQ(G->GetSelection(), (TGridRect{Now.X, Now.Y, Now.X, Now.Y}));
        }
    }
    EXPECT_EQ(G->Notes.ColMoves.size(), std::size(Cases));
    EXPECT_EQ(G->Notes.RowMoves.size(), std::size(Cases));
}

// The text dump marks the cells of hidden lines.
TEST_F(GridStorage, TextDumpMarksHiddenLines)
{
    G->SetColWidths(2, 0);
    G->SetRowHeights(1, 0);
    EXPECT_EQ(GridToText(*G, TGridRect{1, 0, 2, 1}, THiddenMarks{}), L"c1r0|{h}c2r0\n{h}c1r1|{h}c2r1\n");
    EXPECT_EQ(GridToText(*G, TGridRect{1, 0, 2, 1}), L"c1r0|c2r0\nc1r1|c2r1\n");
}

TEST_F(GridStorage, DeleteRowKeepsTheRowBeyondTheCount)
{
    G->DeleteRow(2);
    EXPECT_EQ(G->GetRowCount(), 5);
    EXPECT_EQ(G->GetCells(0, 2), L"c0r3");
    EXPECT_EQ(G->GetCells(0, 4), L"c0r5");
    EXPECT_EQ(G->GetCells(0, 5), L"c0r2");   // stored after the last row
    G->DeleteColumn(0);
    EXPECT_EQ(G->GetColCount(), 3);
    EXPECT_EQ(G->GetCells(0, 0), L"c1r0");
    EXPECT_EQ(G->GetCells(3, 0), L"c0r0");
    EXPECT_THROW(G->DeleteRow(5), EInvalidGridOperation);
}

TEST_F(GridStorage, FixedCountsAgainstCounts)
{
    EXPECT_THROW(G->SetFixedRows(6), EInvalidGridOperation);
    EXPECT_THROW(G->SetFixedCols(4), EInvalidGridOperation);
    EXPECT_EQ(G->GetFixedRows(), 1);
    G->SetFixedRows(3);
    G->SetRow(5);
    // Lowering the count to the fixed count or below lowers the fixed count; the current cell
    // stays inside the grid.
    G->SetRowCount(3);
    EXPECT_EQ(G->GetFixedRows(), 2);
    EXPECT_EQ(G->GetRow(), 2);
    G->SetRowCount(1);
    EXPECT_EQ(G->GetFixedRows(), 0);
    EXPECT_EQ(G->GetRow(), 0);
    G->SetRowCount(0);
    EXPECT_EQ(G->GetRowCount(), 0);
    EXPECT_THROW(G->SetRowCount(-1), EInvalidGridOperation);
}

TEST_F(GridStorage, SelectCellVetoesEveryMove)
{
    G->Vetoes = {{2, 3}};
    G->SetRow(3);
    G->SetCol(2);   // refused: stays in column 1
    EXPECT_EQ(G->GetCol(), 1);
    EXPECT_EQ(G->GetRow(), 3);
    G->MoveColRow(2, 3, true, false);
    EXPECT_EQ(G->GetCol(), 1);
    G->MoveColRow(3, 2, true, false);
    EXPECT_EQ(G->GetCol(), 3);
    EXPECT_EQ(G->GetRow(), 2);
    EXPECT_THROW(G->MoveColRow(4, 2, true, false), EInvalidGridOperation);
}

TEST_F(GridStorage, SelectionAcceptsTheCellJustOutside)
{
    G->SetSelection(TGridRect{4, 6, 4, 6});
    EXPECT_EQ(G->GetSelection(), (TGridRect{4, 6, 4, 6}));
    G->SetSelection(TGridRect{1, 1, 2, 3});
    EXPECT_EQ(G->GetSelection(), (TGridRect{1, 1, 2, 3}));
    EXPECT_EQ(G->GetCol(), 2);
    EXPECT_EQ(G->GetRow(), 3);
}

// ---- One axis ----------------------------------------------------------------------------------

TEST(GridAxis, StepsLandOnLinesWithASize)
{
    TGridAxis A(8, 1, 20);   // lines 0 .. 7, line 0 fixed
    A.SetSize(3, 0);
    A.SetSize(4, 0);
    A.SetSize(7, 0);
    struct Case { int From, Delta, To; };
    const Case Cases[] = {
        {2, 1, 5},     // over the hidden lines
        {5, -1, 2},
        {6, 1, 6},     // the last line is hidden: back to the last one with a size
        {2, -5, 1},    // not into the fixed line
        {1, 100, 6},
        {5, 0, 5},
    };
    for (const Case& C : Cases) EXPECT_EQ(A.StepFrom(C.From, C.Delta), C.To) << C.From << " by " << C.Delta;
    EXPECT_EQ(A.NextVisible(7, 1), -1);
    EXPECT_EQ(A.NextVisible(7, -1), 6);
    EXPECT_EQ(A.NextVisible(0, 1), -1);   // fixed lines are not stepped to

    // A count at the fixed count lowers it; raised lines come back at the default size.
    A.SetCount(1);
    EXPECT_EQ(A.FixedCount(), 0);
    A.SetCount(3);
    EXPECT_EQ(A.Size(2), 20);
    EXPECT_EQ(A.Size(99), 20);
    EXPECT_FALSE(A.SetSize(2, 20));
    EXPECT_TRUE(A.SetSize(2, -4));
    EXPECT_EQ(A.Size(2), 0);
}

// ---- Geometry ----------------------------------------------------------------------------------

class GridGeometry : public ::testing::Test {
protected:
    void SetUp() override
    {
        G = Create<TTestableGrid>(nullptr);
        G->SetBorderStyle(bsNone);
        G->SetScrollBars(TScrollStyle::ssNone);
        G->SetGridLineWidth(0);
        G->SetBounds(0, 0, 200, 100);   // 3 columns of 64 and 4 rows of 24 fit
        G->SetColCount(10);
        G->SetRowCount(100);
    }
    void TearDown() override { G->Free(); }
    TTestableGrid* G = nullptr;
};

TEST_F(GridGeometry, CellRectsAndHitTestsWithHiddenCells)
{
    ASSERT_EQ(G->GetClientRect(), (TRect{0, 0, 200, 100}));
    EXPECT_EQ(G->CellRect(0, 0), (TRect{0, 0, 64, 24}));
    EXPECT_EQ(G->CellRect(2, 3), (TRect{128, 72, 192, 96}));
    EXPECT_EQ(G->CellRect(3, 1), (TRect{192, 24, 200, 48}));   // partly visible: clipped
    EXPECT_TRUE(G->CellRect(4, 1).IsEmpty());                  // out of view
    EXPECT_EQ(G->GetVisibleColCount(), 2);
    EXPECT_EQ(G->GetVisibleRowCount(), 3);

    G->SetColWidths(1, 0);
    G->SetRowHeights(2, 0);
    EXPECT_TRUE(G->CellRect(1, 1).IsEmpty());
    EXPECT_EQ(G->CellRect(2, 3), (TRect{64, 48, 128, 72}));
    EXPECT_EQ(G->MouseCoord(70, 50), (TGridCoord{2, 3}));
    EXPECT_EQ(G->MouseCoord(63, 23), (TGridCoord{0, 0}));
    EXPECT_EQ(G->MouseCoord(-1, 5), (TGridCoord{-1, -1}));
    EXPECT_EQ(G->MouseCoord(5, 100), (TGridCoord{-1, -1}));

    // With lines, each line belongs to the cell before it.
    G->SetGridLineWidth(2);
    EXPECT_EQ(G->CellRect(2, 3), (TRect{66, 52, 130, 76}));
    EXPECT_EQ(G->MouseCoord(65, 10), (TGridCoord{0, 0}));
    EXPECT_EQ(G->MouseCoord(66, 10), (TGridCoord{2, 0}));
}

TEST_F(GridGeometry, OriginIsClampedAndNotified)
{
    int Before = G->Notes.TopLeftChanges;
    G->SetTopRow(1000);
    EXPECT_EQ(G->GetTopRow(), 100 - 3);   // the last three rows fill the room after the fixed row
    EXPECT_EQ(G->Notes.TopLeftChanges, Before + 1);
    G->SetTopRow(-5);
    EXPECT_EQ(G->GetTopRow(), 1);
    G->SetLeftCol(11);
    EXPECT_EQ(G->GetLeftCol(), 8);
    G->SetTopRow(1);   // unchanged: no notification
    EXPECT_EQ(G->Notes.TopLeftChanges, Before + 3);

    // Moving the current cell out of view brings it in.
    G->SetRow(50);
    EXPECT_EQ(G->GetTopRow(), 48);
    G->SetRow(10);
    EXPECT_EQ(G->GetTopRow(), 10);
}

TEST_F(GridGeometry, SizingStateFoundOnFixedBorders)
{
    G->SetOptions(G->GetOptions() + TGridOptions{goColSizing, goRowSizing});
    TGridDrawInfo D;
    struct Case { int X, Y; TGridState State; int Index; };
    const Case Cases[] = {
        {63, 10, gsColSizing, 0}, {129, 5, gsColSizing, 1}, {100, 10, gsNormal, -1},
        {10, 47, gsRowSizing, 1}, {100, 47, gsNormal, -1},   // a data cell's border is no handle
    };
    for (const Case& C : Cases) {
        TGridState S = gsNormal;
        int Index = -1, Pos = 0, Ofs = 0;
        G->CalcDrawInfo(D);
        G->CalcSizingState(C.X, C.Y, S, Index, Pos, Ofs, D);
        EXPECT_EQ(S, C.State) << C.X << "," << C.Y;
        EXPECT_EQ(Index, C.Index) << C.X << "," << C.Y;
    }
}

}  // namespace
