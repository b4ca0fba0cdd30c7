// TQorStringGrid: merging runs of equal texts in columns and rows (a hierarchy over the merged
// columns), the column order (which original column stands at each real position), and finding a
// column by its header or a cell by its text.
#include "grid/QorGrid.h"

#include <algorithm>

// ---- Equal-value merging --------------------------------------------------------------------------------

namespace {

// Runs of equal neighbours over [From, To]: Breaks(i) says whether a run ends before i; every run
// of two or more becomes one block through Merge(first, length).
template <class B, class M>
void MergeRuns(int From, int To, B Breaks, M Merge)
{
    int Start = From;
    for (int i = From + 1; i <= To + 1; ++i) {
        if (i <= To && !Breaks(i)) continue;
        if (i - Start >= 2) Merge(Start, i - Start);
        Start = i;
    }
}

}  // namespace

void TQorStringGrid::MergeColumnCells(int ColIndex, bool MainMerge)
{
    MergeRuns(
        GetFixedRows(), GetRowCount() - FDims.FFixedFooters - 1,
        [&](int r) {
            return GetCellEx(ColIndex, r) != GetCellEx(ColIndex, r - 1) || (!MainMerge && !RowSpanIdentical(r, r - 1));
        },
        [&](int First, int Length) { MergeCells(ColIndex, First, 1, Length); });
}

void TQorStringGrid::MergeRowCells(int RowIndex, bool MainMerge)
{
    MergeRuns(
        GetFixedCols(), GetColCount() - FDims.FFixedRightCols - 1,
        [&](int c) {
            return GetCellEx(c, RowIndex) != GetCellEx(c - 1, RowIndex) || (!MainMerge && !ColSpanIdentical(c, c - 1));
        },
        [&](int First, int Length) { MergeCells(First, RowIndex, Length, 1); });
}

void TQorStringGrid::SplitColumnCells(int ColIndex)
{
    int r = 0;
    while (r < GetRowCount() - FDims.FFixedFooters - 1) {
        if (IsYMergedCell(ColIndex, r)) {
            const int Span = CellSpan(ColIndex, r).Y;
            SplitCells(ColIndex, r);
            r += Span + 1;
        } else {
            ++r;
        }
    }
}

void TQorStringGrid::SplitRowCells(int RowIndex)
{
    int c = 0;
    while (c < GetColCount() - FDims.FFixedRightCols - 1) {
        if (IsMergedCell(c, RowIndex)) {
            const int Span = CellSpan(c, RowIndex).X;
            SplitCells(c, RowIndex);
            c += Span + 1;
        } else {
            ++c;
        }
    }
}

void TQorStringGrid::SplitAllCells()
{
    for (int r = 0; r < GetRowCount(); ++r)
        for (int c = 0; c < GetColCount(); ++c)
            if (IsMergedCell(c, r)) SplitCells(c, r);
}

void TQorStringGrid::UndoColumnMerge()
{
    for (int c = 0; c < GetColCount(); ++c) SplitColumnCells(c);
}

void TQorStringGrid::ApplyColumnMerge()
{
    TIntList* L = FLists.FMergedColumns.get();
    for (int k = 0; k < L->Count(); ++k) MergeColumnCells(L->GetInteger(k), k == 0);
}

// ---- Column order --------------------------------------------------------------------------------------------

void TQorStringGrid::SetColumnOrder()
{
    TIntList* Order = FLists.FColumnOrder.get();
    Order->Clear();
    for (int c = 0; c < GetColCount(); ++c) Order->Add(c);
    TIntList* Sizes = FLists.FSuppressColSizes.get();
    Sizes->Clear();
    for (int c = 0; c < GetColCount(); ++c) Sizes->Add(GetColWidths(c));
}

void TQorStringGrid::ResetColumnOrder()
{
    UnHideColumnsAll();
    TIntList* Order = FLists.FColumnOrder.get();
    if (Order->Count() == 0) {
        SetColumnOrder();
        return;
    }
    // Columns added after the order was recorded have no entry: they count as in place.
    for (bool Moved = true; Moved;) {
        Moved = false;
        for (int k = 0; k < GetColCount() && k < Order->Count(); ++k)
            if (Order->GetInteger(k) < k) {
                MoveColumn(k, Order->GetInteger(k));
                Moved = true;
            }
    }
}

int TQorStringGrid::ColumnPosition(int OCol)
{
    TIntList* Order = FLists.FColumnOrder.get();
    if (Order->Count() == 0) return OCol;
    int Pos = OCol;
    for (int k = 0; k < Order->Count() && k < AllCols(); ++k)
        if (Order->GetInteger(k) == OCol) {
            Pos = k;
            break;
        }
    return FDims.FGroupColumn != -1 && OCol >= FDims.FGroupColumn ? Pos - 1 : Pos;
}

int TQorStringGrid::ColumnAtPosition(int ACol)
{
    TIntList* Order = FLists.FColumnOrder.get();
    if (Order->Count() == 0) SetColumnOrder();
    if (Order->Count() == 0) return ACol;
    const int o = Order->GetInteger(ACol);
    return FDims.FGroupColumn != -1 && o >= FDims.FGroupColumn ? o + 1 : o;
}

// ---- Lookup ----------------------------------------------------------------------------------------------------

int TQorStringGrid::ColumnByHeader(const String& AValue)
{
    for (int i = 0; i < AllCols(); ++i)
        if (GetCellsEx(i, 0) == AValue) return i;
    return -1;
}

bool TQorStringGrid::IsCell(const String& SubStr, int& ACol, int& ARow)
{
    for (int r = 0; r < GetRowCount(); ++r)
        for (int c = 0; c < GetColCount(); ++c)
            if (GetGridCell(c, r) == SubStr) {
                ACol = c;
                ARow = r;
                return true;
            }
    return false;
}
