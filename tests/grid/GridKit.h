// The grid's test kit, shared by the grid tests and the grid benchmark (it needs no test
// framework):
//
//   TTestableGrid  a string grid that opens the protected members tests need and records what
//                  the grid tells its descendants (moves, sizes, origin, drawing, selection,
//                  edits), so that a test checks the hooks without a subclass of its own.
//   GridToText     a block of cells as text, one line per row and "|" between cells, with a
//                  hook for the marks a grid class adds to a cell ("{h}" for a hidden line here;
//                  later grids add merges and their own hidden sets the same way), so that one
//                  expectation checks a whole block after a move, sort, filter or paste.
#pragma once

#include "framework/Grids.h"

#include <utility>
#include <vector>

// What the grid told its descendant through the virtual hooks, in call order per kind.
struct TGridNotes {
    std::vector<std::pair<int, int>> ColMoves;      // ColumnMoved (from, to)
    std::vector<std::pair<int, int>> RowMoves;      // RowMoved (from, to)
    std::vector<std::pair<int, int>> SizeChanges;   // SizeChanged (old column count, old row count)
    std::vector<TGridCoord> Drawn;                  // DrawCell, while RecordDrawing is set
    std::vector<TGridCoord> Asked;                  // SelectCell, refused or not
    std::vector<std::pair<TGridCoord, String>> Edits;   // SetEditText: the editor wrote a cell back
    int ColWidthChanges = 0;                        // ColWidthsChanged
    int RowHeightChanges = 0;                       // RowHeightsChanged
    int TopLeftChanges = 0;                         // TopLeftChanged
    int Clicks = 0;                                 // Click (the current cell changed)
};

class TTestableGrid : public TStringGrid {
    DECLARE_CLASS(TTestableGrid, TStringGrid)
public:
    explicit TTestableGrid(TComponent* AOwner) : TStringGrid(AOwner) {}

    // Protected members in reach of tests.
    using TCustomGrid::Axis;
    using TCustomGrid::CalcCoordFromPoint;
    using TCustomGrid::CalcDrawInfo;
    using TCustomGrid::CalcFixedInfo;
    using TCustomGrid::CalcSizingState;
    using TCustomGrid::FGridState;
    using TCustomGrid::FUpdating;
    using TCustomGrid::MoveColumn;
    using TCustomGrid::MoveLine;
    using TCustomGrid::MoveRow;

    TGridNotes Notes;
    // DrawCell is noted only while this is set (a paint visits many cells).
    bool RecordDrawing = false;
    // Cells SelectCell refuses.
    std::vector<TGridCoord> Vetoes;

    void Click() override
    {
        ++Notes.Clicks;
        inherited::Click();
    }

protected:
    void ColumnMoved(int FromIndex, int ToIndex) override
    {
        Notes.ColMoves.emplace_back(FromIndex, ToIndex);
        inherited::ColumnMoved(FromIndex, ToIndex);
    }
    void RowMoved(int FromIndex, int ToIndex) override
    {
        Notes.RowMoves.emplace_back(FromIndex, ToIndex);
        inherited::RowMoved(FromIndex, ToIndex);
    }
    void SizeChanged(int OldColCount, int OldRowCount) override
    {
        Notes.SizeChanges.emplace_back(OldColCount, OldRowCount);
        inherited::SizeChanged(OldColCount, OldRowCount);
    }
    void ColWidthsChanged() override
    {
        ++Notes.ColWidthChanges;
        inherited::ColWidthsChanged();
    }
    void RowHeightsChanged() override
    {
        ++Notes.RowHeightChanges;
        inherited::RowHeightsChanged();
    }
    void TopLeftChanged() override
    {
        ++Notes.TopLeftChanges;
        inherited::TopLeftChanged();
    }
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override
    {
        if (RecordDrawing) Notes.Drawn.push_back({ACol, ARow});
        inherited::DrawCell(ACol, ARow, ARect, AState);
    }
    bool SelectCell(int ACol, int ARow) override
    {
        Notes.Asked.push_back({ACol, ARow});
        for (const TGridCoord& V : Vetoes)
            if (V == TGridCoord{ACol, ARow}) return false;
        return inherited::SelectCell(ACol, ARow);
    }
    void SetEditText(int ACol, int ARow, const String& Value) override
    {
        Notes.Edits.push_back({{ACol, ARow}, Value});
        inherited::SetEditText(ACol, ARow, Value);
    }
};

// ---- GridToText --------------------------------------------------------------------------------

// Marks nothing: every cell is its text.
struct TNoMarks {
    template <typename TGrid>
    void operator()(const TGrid&, int, int, String&) const
    {
    }
};

// Marks the cells of a hidden column or row (size 0) with "{h}" before the text.
struct THiddenMarks {
    template <typename TGrid>
    void operator()(const TGrid& Grid, int ACol, int ARow, String& Cell) const
    {
        if (Grid.GetColWidths(ACol) <= 0 || Grid.GetRowHeights(ARow) <= 0) Cell.insert(0, L"{h}");
    }
};

// The cells of Block (its corners included) as text: one line per row, each ended by a line
// feed, cells separated by "|". Marks(Grid, Col, Row, Cell) may change how a cell is written;
// a mark is written "{x}" before the text, so that marks of several kinds combine and a
// cell's text stays readable.
template <typename TGrid, typename TMarks = TNoMarks>
String GridToText(const TGrid& Grid, const TGridRect& Block, TMarks Marks = {})
{
    String Out;
    for (int r = Block.Top; r <= Block.Bottom; ++r) {
        for (int c = Block.Left; c <= Block.Right; ++c) {
            if (c > Block.Left) Out += L'|';
            String Cell = Grid.GetCells(c, r);
            Marks(Grid, c, r, Cell);
            Out += Cell;
        }
        Out += L'\n';
    }
    return Out;
}
