// HiddenRowMap: the grid's row index systems and the map between them.
//
// Index systems of TQorStringGrid (the one place they are defined; every operation's contract in
// grid/QorGrid.h names its parameters after them):
//
//   real row      counts every row, hidden ones included. Real rows never change when rows are
//                 hidden or shown; they change only when rows are inserted, removed or moved.
//                 Hidden rows (TGridItem::Idx), FModifiedRows, the cell controls (FY), the undo
//                 log and, with RowSelectPersistent, the row selection are kept by real row.
//   display row   a row of the string grid: hidden rows are not in it. The cell store, merges,
//                 painting, the framework's current cell, Selection, FEnabledRows, the disjunct
//                 cell selection and (without RowSelectPersistent) the row selection use it.
//                 RemapRow / DisplRowIndex: real -> display (a hidden row gives the display row of
//                 the next shown row); RemapRowInv / RealRowIndex: display -> real (a display row
//                 at or beyond the end gives itself plus the hidden rows; a negative one gives -1).
//   real column   counts hidden columns; the cell store keeps every column at its real index.
//   display column counts shown columns only (ColCount). RemapCol / RealColIndex: display ->
//                 real; RemapColInv / DisplColIndex: real -> display. Note that RemapCol and
//                 RemapRow run in opposite directions.
//   original column  the index a column had before columns were moved: FColumnOrder[real position].
//   unsorted row  the index a display row had before the last sort: FSortRowXRef[display row].
//
// Storage coordinates of a cell are (real column, display row). Operations that take "RCol" take a
// real column; "ACol" a display column; "ARow" a display row; "RealRow" a real row.
//
// THiddenRowMap is the lookup of the hidden rows' real indexes, sorted, built from the hidden-row
// store once per change of the store, with each row's slot in the store. Both mappings and the
// slot lookup are binary searches: O(log hidden rows).
#pragma once

#include <vector>

class THiddenRowMap {
public:
    // The real indexes of the hidden rows, each once, in the order of their slots in the store.
    void Assign(std::vector<int> RealRows);
    void Clear();
    bool Empty() const { return FRows.empty(); }
    int Count() const { return int(FRows.size()); }
    const std::vector<int>& Rows() const { return FRows; }

    bool IsHidden(int RealRow) const;
    // The slot (position in the list given to Assign) of a hidden row; -1 for a shown one.
    int SlotOf(int RealRow) const;
    // Hidden rows whose real index is below RealRow.
    int CountBelow(int RealRow) const;
    // Real row -> display row (a hidden row maps to the next shown row).
    int ToDisplay(int RealRow) const { return RealRow - CountBelow(RealRow); }
    // Display row -> real row of the (DisplRow + 1)-th shown row; -1 for a negative row.
    int ToReal(int DisplRow) const;
    // ToReal of every entry of ascending display rows, in one walk.
    void ToRealAscending(std::vector<int>& Rows) const;

private:
    std::vector<int> FRows;    // ascending
    std::vector<int> FSlots;   // FSlots[i]: the slot of FRows[i]; empty when the slots ascend too
};

// A real index after the rows Removed (ascending real indexes) left the grid: lowered by the
// number of them below it.
int RealIndexAfterRemoval(int RealRow, const std::vector<int>& Removed);
