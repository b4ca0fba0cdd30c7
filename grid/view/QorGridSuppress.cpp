// TQorStringGrid: suppressed rows and columns (size 0, the earlier size remembered), moving and
// swapping rows and columns with everything kept per row or column, the parked selection, and the
// small view helpers (scrolling a cell into view, screen points, the sizing zone).
#include "grid/QorGrid.h"

#include "grid/detail/ListShift.h"
#include "grid/sortfilter/QorFilterData.h"

#include <algorithm>

using namespace QorGridDetail;

namespace {

// The remembered size of a line; 0 when the list has none.
int Stored(TIntList* L, int i)
{
    return i >= 0 && i < L->Count() ? L->GetInteger(i) : 0;
}

void Store(TIntList* L, int i, int Value)
{
    while (L->Count() <= i) L->Add(0);
    L->SetInteger(i, Value);
}

}  // namespace

// ---- Suppressing --------------------------------------------------------------------------------------

void TQorStringGrid::SuppressColumn(int ACol)
{
    if (ACol < 0 || ACol >= GetColCount() || GetColWidths(ACol) <= 0) return;
    Store(FLists.FSuppressColSizes.get(), ACol, GetColWidths(ACol));
    SetColWidths(ACol, 0);
}

bool TQorStringGrid::IsSuppressedColumn(int ACol)
{
    return ACol >= 0 && ACol < GetColCount() && GetColWidths(ACol) == 0 && Stored(FLists.FSuppressColSizes.get(), ACol) != 0;
}

void TQorStringGrid::UnSuppressColumn(int ACol)
{
    if (ACol >= 0 && ACol < GetColCount()) SetColWidths(ACol, Stored(FLists.FSuppressColSizes.get(), ACol));
}

void TQorStringGrid::UnSuppressAllColumns()
{
    TIntList* L = FLists.FSuppressColSizes.get();
    for (int c = 0; c <= GetLastCol(); ++c)
        if (Stored(L, c) > 0 && GetColWidths(c) == 0) SetColWidths(c, Stored(L, c));
    L->Clear();
    for (int c = 0; c <= GetLastCol(); ++c) L->Add(GetColWidths(c));
}

void TQorStringGrid::SuppressRow(int ARow)
{
    if (ARow < 0 || ARow >= GetRowCount() || GetRowHeights(ARow) <= 0) return;
    Store(FLists.FSuppressRowSizes.get(), ARow, GetRowHeights(ARow));
    SetRowHeights(ARow, 0);
}

void TQorStringGrid::SuppressRows(int FromRow, int ToRow)
{
    for (int r = FromRow; r <= ToRow; ++r) SuppressRow(r);
}

bool TQorStringGrid::IsSuppressedRow(int ARow)
{
    return ARow >= 0 && ARow < GetRowCount() && GetRowHeights(ARow) == 0;
}

void TQorStringGrid::UnSuppressRow(int ARow)
{
    if (ARow >= 0 && ARow < GetRowCount()) SetRowHeights(ARow, Stored(FLists.FSuppressRowSizes.get(), ARow));
}

void TQorStringGrid::UnSuppressRows(int FromRow, int ToRow)
{
    for (int r = FromRow; r <= ToRow; ++r) UnSuppressRow(r);
}

void TQorStringGrid::UnSuppressAllOpenRows()
{
    // A contracted node keeps its own height and its children's: the walk jumps over its span
    // (at least one row). With hiding, its children are not in the string grid at all.
    TIntList* L = FLists.FSuppressRowSizes.get();
    const bool Suppressing = FFilterState.FFilterType == ftSuppress;
    int r = 0;
    while (r <= GetLastRow()) {
        if (IsNode(r) && GetNodeState(r)) {
            r += Suppressing ? std::max(GetNodeSpan(r), 1) : 1;
            continue;
        }
        if (GetRowHeights(r) == 0 && Stored(L, r) > 0) SetRowHeights(r, Stored(L, r));
        ++r;
    }
}

void TQorStringGrid::UnSuppressAllRows()
{
    TIntList* L = FLists.FSuppressRowSizes.get();
    for (int r = 0; r <= GetLastRow(); ++r)
        if (Stored(L, r) > 0 && GetRowHeights(r) == 0) SetRowHeights(r, Stored(L, r));
    L->Clear();
    for (int r = 0; r <= GetLastRow(); ++r) L->Add(GetRowHeights(r));
}

// ---- Scrolling into view ------------------------------------------------------------------------------

namespace {

int FirstShown(int Index, int Visible, TScrollPosition Position)
{
    switch (Position) {
    case spMiddle: return Index - Visible / 2;
    case spTrailing: return Index + 1 - Visible;
    default: return Index;
    }
}

}  // namespace

void TQorStringGrid::ScrollInView(int ACol, int ARow, TScrollPosition Position)
{
    if (ACol >= GetColCount() || ARow >= GetRowCount()) return;
    int c = GetLeftCol(), r = GetTopRow();
    const int VC = GetVisibleColCount(), VR = GetVisibleRowCount();
    if (ACol < GetLeftCol() || ACol >= GetLeftCol() + VC) {
        UnHideSelection();
        if (ACol >= GetFixedCols() && ACol < GetAllColCount()) SetCol(ACol);
        c = std::max(FirstShown(ACol, VC, Position), GetFixedCols());
    }
    if (ARow < GetTopRow() || ARow >= GetTopRow() + VR) {
        if (ARow >= GetFixedRows() && ARow < GetAllRowCount()) SetRowEx(ARow);
        r = std::max(FirstShown(ARow, VR, Position), GetFixedRows());
    }
    if (c > GetColCount() - VC + 1) c = GetColCount() + 1 - VC;
    if (GetFixedCols() + VC < GetColCount()) SetLeftCol(std::max(c, GetFixedCols()));
    if (r > GetRowCount() - VR + 1) r = GetRowCount() + 1 - VR;
    if (GetFixedRows() + VR < GetRowCount()) SetTopRowEx(std::max(r, GetFixedRows()));
}

// ---- Moving rows and columns ----------------------------------------------------------------------------

void TQorStringGrid::MoveRealSideLists(const std::vector<int>& Slots, const std::vector<int>& NewPos)
{
    const bool Persistent = FOpt.FMouseActions->GetRowSelectPersistent();
    auto Permute = [&](TList* L) {
        if (L->Count() <= Slots.front()) return;
        if (L->Count() <= Slots.back()) L->SetCount(Slots.back() + 1);
        std::vector<void*> Old(Slots.size());
        for (size_t i = 0; i < Slots.size(); ++i) Old[i] = L->Get(Slots[i]);
        for (size_t i = 0; i < Slots.size(); ++i) L->Put(Slots[size_t(NewPos[i])], Old[i]);
    };
    Permute(FLists.FModifiedRows.get());
    if (Persistent) Permute(FLists.FRowSelect.get());
    // Values that name real rows of the span follow them.
    auto NewReal = [&](int Real) {
        const auto It = std::lower_bound(Slots.begin(), Slots.end(), Real);
        return It != Slots.end() && *It == Real ? Slots[size_t(NewPos[size_t(It - Slots.begin())])] : Real;
    };
    if (Persistent) {
        TIntList* Sel = FLists.FSelectedRows.get();
        for (int i = 0; i < Sel->Count(); ++i) Sel->SetInteger(i, NewReal(Sel->GetInteger(i)));
    }
    TControlList* Controls = FLists.FControlList.get();
    for (int i = 0; i < Controls->Count(); ++i) Controls->GetControl(i)->FY = NewReal(Controls->GetControl(i)->FY);
}

void TQorStringGrid::MoveDisplayRows(int From, int Count, int Dest)
{
    const int N = GetRowCount();
    if (Count < 1 || From < 0 || From + Count > N) return;
    Dest = std::clamp(Dest, 0, N - Count);
    if (Dest == From) return;
    const int Lo = std::min(From, Dest), Hi = std::max(From, Dest) + Count;
    std::vector<int> Slots(size_t(Hi - Lo)), NewPos(size_t(Hi - Lo));
    for (int d = Lo; d < Hi; ++d) {
        Slots[size_t(d - Lo)] = RemapRowInv(d);
        NewPos[size_t(d - Lo)] = IndexAfterMove(d, From, Count, Dest) - Lo;
    }
    const int Current = GetRow();
    std::vector<int> H(Axis(TGridAxisKind::Rows).Sizes());
    if (Dest > From) {
        RotateStoredRows(From, From + Count, Dest + Count);
        std::rotate(H.begin() + From, H.begin() + From + Count, H.begin() + Dest + Count);
    } else {
        RotateStoredRows(Dest, From, From + Count);
        std::rotate(H.begin() + Dest, H.begin() + From, H.begin() + From + Count);
    }
    TGridAxis& Ax = Axis(TGridAxisKind::Rows);
    for (int r = Lo; r < Hi; ++r) Ax.SetSize(r, H[size_t(r)]);
    const bool Persistent = FOpt.FMouseActions->GetRowSelectPersistent();
    MoveEntries(FLists.FEnabledRows.get(), From, Count, Dest);
    MoveEntries(FLists.FSuppressRowSizes.get(), From, Count, Dest);
    if (!Persistent) {
        MoveEntries(FLists.FRowSelect.get(), From, Count, Dest);
        ShiftValuesMoved(FLists.FSelectedRows.get(), From, Count, Dest);
    }
    for (Int64& K : FModel.FSelectedCells)
        K = CellKey(int(K & 0xFFFFFFFF), IndexAfterMove(int(K >> 32), From, Count, Dest));
    MoveRealSideLists(Slots, NewPos);
    if (Current >= Lo && Current < Hi) SetRowEx(IndexAfterMove(Current, From, Count, Dest));
    RowHeightsChanged();
    if (FLists.FControlList->Count() > 0) CellControlsUpdate(false);
    CellsChanged(TRect(0, Lo, GetColCount() - 1, Hi - 1));
}

void TQorStringGrid::MoveRows(int FromIndex, int ToIndex, int Count)
{
    if (FromIndex == ToIndex || Count <= 0) return;
    // The target rule keeps the block's own rows out of the count when it moves down past them.
    MoveDisplayRows(FromIndex, Count, FromIndex + Count < ToIndex ? ToIndex - Count : ToIndex);
}

void TQorStringGrid::MoveRow(int FromIndex, int ToIndex)
{
    MoveDisplayRows(FromIndex, 1, ToIndex);
}

void TQorStringGrid::SwapRows(int ARow1, int ARow2)
{
    if (ARow1 == ARow2 || ARow1 < 0 || ARow2 < 0 || ARow1 >= GetRowCount() || ARow2 >= GetRowCount()) return;
    // Every real column: the hidden columns' cells go with their rows.
    ExchangeStoredRows(ARow1, ARow2);
    const int H1 = GetRowHeights(ARow1);
    SetRowHeights(ARow1, GetRowHeights(ARow2));
    SetRowHeights(ARow2, H1);
    const int Lo = std::min(ARow1, ARow2), Hi = std::max(ARow1, ARow2);
    auto Exchange = [](TList* L, int a, int b) {
        if (L->Count() <= std::min(a, b)) return;
        if (L->Count() <= std::max(a, b)) L->SetCount(std::max(a, b) + 1);
        L->Exchange(a, b);
    };
    const bool Persistent = FOpt.FMouseActions->GetRowSelectPersistent();
    Exchange(FLists.FEnabledRows.get(), Lo, Hi);
    Exchange(FLists.FSuppressRowSizes.get(), Lo, Hi);
    const int R1 = RemapRowInv(Lo), R2 = RemapRowInv(Hi);
    Exchange(FLists.FModifiedRows.get(), R1, R2);
    Exchange(FLists.FRowSelect.get(), Persistent ? R1 : Lo, Persistent ? R2 : Hi);
    auto Swap = [](int v, int a, int b) { return v == a ? b : v == b ? a : v; };
    TIntList* Sel = FLists.FSelectedRows.get();
    for (int i = 0; i < Sel->Count(); ++i)
        Sel->SetInteger(i, Swap(Sel->GetInteger(i), Persistent ? R1 : Lo, Persistent ? R2 : Hi));
    for (Int64& K : FModel.FSelectedCells) K = CellKey(int(K & 0xFFFFFFFF), Swap(int(K >> 32), Lo, Hi));
    TControlList* Controls = FLists.FControlList.get();
    for (int i = 0; i < Controls->Count(); ++i) Controls->GetControl(i)->FY = Swap(Controls->GetControl(i)->FY, R1, R2);
    RepaintRow(Lo);
    RepaintRow(Hi);
}

void TQorStringGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= GetColCount() || ToIndex >= GetColCount())
        return;
    TValueScope<bool> Enh(FEdit.FEnhRowColMove, true);
    if (FLists.FColumnOrder->Count() == 0) SetColumnOrder();
    // Merged group rows are split for the move and merged again over the new columns.
    TGrouping* GS = FOpt.FGrouping.get();
    const bool Regroup = FDims.FGroupColumn != -1 && (GS->GetMergeHeader() || GS->GetMergeSummary());
    if (Regroup) GroupSplit();
    // A column moving into the first normal column leaves the group headers' texts there.
    if (ToIndex == GetFixedCols() && FDims.FGroupColumn >= GetFixedCols()) {
        const int To = RemapCol(ToIndex), From = RemapCol(FromIndex);
        for (int r = GetFixedRows(); r < GetRowCount() - FDims.FFixedFooters; ++r)
            if (IsNode(r)) {
                SetGridCell(From, r, GetGridCell(To, r));
                SetGridCell(To, r, String());
            }
    }
    const int a = RemapCol(FromIndex), b = RemapCol(ToIndex);
    const int Current = GetCol();
    if (a < b) RotateColumns(a, a + 1, b + 1);
    else RotateColumns(b, a, a + 1);
    // Filter conditions hold real columns.
    TFilter* F = FOpt.FFilter.get();
    for (int i = 0; i < F->Count(); ++i) F->GetItems(i)->SetColumn(IndexAfterMove(F->GetItems(i)->GetColumn(), a, 1, b));
    // Column selections, suppressed widths, selected cells and cell controls hold display columns.
    MoveEntries(FLists.FColSelect.get(), FromIndex, 1, ToIndex);
    MoveEntries(FLists.FSuppressColSizes.get(), FromIndex, 1, ToIndex);
    for (Int64& K : FModel.FSelectedCells)
        K = CellKey(IndexAfterMove(int(K & 0xFFFFFFFF), FromIndex, 1, ToIndex), int(K >> 32));
    TControlList* Controls = FLists.FControlList.get();
    for (int i = 0; i < Controls->Count(); ++i)
        Controls->GetControl(i)->FX = IndexAfterMove(Controls->GetControl(i)->FX, FromIndex, 1, ToIndex);
    if (Controls->Count() > 0) CellControlsUpdate(false);
    SetCol(IndexAfterMove(Current, FromIndex, 1, ToIndex));
    if (Regroup) GroupMerge();
    Invalidate();
}

// ---- The parked selection ---------------------------------------------------------------------------------

void TQorStringGrid::HideSelection()
{
    FModel.FOldSelection = GetSelection();
    SetSelection(TGridRect{GetColCount(), GetRowCount(), GetColCount(), GetRowCount()});
    FModel.FSelHidden = true;
}

bool TQorStringGrid::IsSelectionHidden() const
{
    const TGridRect S = GetSelection();
    return S.Left == GetColCount() && S.Right == GetColCount() && S.Top == GetRowCount();
}

void TQorStringGrid::UnHideSelection()
{
    FModel.FSelHidden = false;
    const TGridRect& Old = FModel.FOldSelection;
    if (Old.Top < GetRowCount() && Old.Left < GetColCount() && Old.Top >= 0 && Old.Left >= 0) {
        SetSelection(Old);
        return;
    }
    const int c = FDims.FFixedColAlways && GetFixedCols() == GetColCount() ? 0 : GetFixedCols();
    const int r = FDims.FFixedRowAlways && GetFixedRows() == GetRowCount() ? 0 : GetFixedRows();
    SetSelection(TGridRect{c, r, c, r});
}

// ---- Points -----------------------------------------------------------------------------------------------

void TQorStringGrid::ScreenToCell(TPoint pt, int& ACol, int& ARow)
{
    const TPoint P = ScreenToClient(pt);
    MouseToCell(P.X, P.Y, ACol, ARow);
}

bool TQorStringGrid::InSizeZone(int x, int y)
{
    const TGridCoord C = MouseCoord(x, y);
    if (C.X < 0 || C.Y < 0) return false;
    const TRect R = CellRect(C.X, C.Y);
    bool Result = false;
    if (C.Y <= GetFixedRows() && GetOptions().Contains(goColSizing))
        Result = std::abs(x - R.Left) < 4 || std::abs(x - R.Right) < 4;
    if (C.X <= GetFixedCols() && GetOptions().Contains(goRowSizing))
        Result = std::abs(y - R.Top) < 4 || std::abs(y - R.Bottom) < 4;
    return Result;
}
