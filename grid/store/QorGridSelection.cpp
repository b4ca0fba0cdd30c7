// TQorStringGrid: the disjunct row, column and cell selections, the rectangular selection's
// queries, moving the current cell, repainting rows and columns, and the modified (by real row)
// and enabled (by display row) marks.
#include "grid/QorGrid.h"

#include "graphics/JyrHTMLText.h"
#include "graphics/QorUtilText.h"
#include "grid/exchange/DragDropSettings.h"
#include "grid/input/FloatingFooter.h"
#include "grid/view/GridItem.h"

#include <algorithm>

namespace {

TGridRect Normalised(TGridRect S)
{
    if (S.Left > S.Right) std::swap(S.Left, S.Right);
    if (S.Top > S.Bottom) std::swap(S.Top, S.Bottom);
    return S;
}

bool Flag(TList* L, int i)
{
    return i >= 0 && i < L->Count() && L->Get(i) != nullptr;
}

void* const SetMark = reinterpret_cast<void*>(1);

}  // namespace

// ---- Rows and columns -----------------------------------------------------------------------------------

bool TQorStringGrid::GetRowSelect(int ARow)
{
    if (!FOpt.FMouseActions->GetRowSelectPersistent() && (ARow < 0 || ARow >= GetRowCount() + NumHiddenRows()))
        throw EQorGridError(Format(QorGridConsts::SInvalidRowNAccessed, {ARow}));
    if (FOpt.FMouseActions->GetDisjunctRowSelect()) {
        TList* L = FLists.FRowSelect.get();
        if (ARow < 0) return false;
        if (L->Count() < ARow + 1) L->SetCount(std::max(ARow + 1, GetRowCount()));
        return L->Get(ARow) != nullptr;
    }
    const TGridRect S = Normalised(GetSelection());
    return ARow >= S.Top && ARow <= S.Bottom;
}

void TQorStringGrid::SetRowSelect(int ARow, bool Value)
{
    FModel.FRowSelMod = false;
    if (ARow < 0 || (ARow >= GetRowCount() + NumHiddenRows() && GetFixedRows() < GetRowCount()))
        throw EQorGridError(QorGridConsts::SInvalidRowAccessed);
    TList* L = FLists.FRowSelect.get();
    const bool Was = Flag(L, ARow);
    const bool Change = ARow >= L->Count() || Was != Value;
    bool Allow = true;
    if (Change && OnRowDisjunctSelect) OnRowDisjunctSelect(this, ARow, Value, Allow);
    if (!Allow) return;
    if (L->Count() <= ARow) L->SetCount(ARow + 1);
    TIntList* Sel = FLists.FSelectedRows.get();
    if (Value) {
        if (!Was) RepaintRow(ARow);
        FModel.FRowSelMod = !Was;
        L->Put(ARow, SetMark);
        if (ARow >= GetFixedRows() && !Sel->HasValue(ARow)) Sel->Add(ARow);
    } else {
        if (Was) RepaintRow(ARow);
        FModel.FRowSelMod = Was;
        L->Put(ARow, nullptr);
        Sel->DeleteValue(ARow);
    }
    if (FSel.FShowFocusedSelectionColor) Invalidate();
    if (ARow == GetRow() && FOpt.FMouseActions->GetDisjunctRowSelect() && !FEdit.FBlockCellChanging && OnSelectionChanged)
        OnSelectionChanged(this, 0, ARow, GetColCount() - 1, ARow);
    if (Change && OnRowDisjunctSelected) OnRowDisjunctSelected(this, ARow);
}

bool TQorStringGrid::GetColSelect(int ACol)
{
    if (ACol < 0 || ACol >= AllCols()) throw EQorGridError(QorGridConsts::SInvalidColumnAccessed);
    TList* L = FLists.FColSelect.get();
    if (L->Count() <= ACol) L->SetCount(ACol + 1);
    return L->Get(ACol) != nullptr;
}

void TQorStringGrid::SetColSelect(int ACol, bool Value)
{
    if (ACol < 0 || ACol >= GetColCount()) throw EQorGridError(QorGridConsts::SInvalidColumnAccessed);
    TList* L = FLists.FColSelect.get();
    const bool Was = Flag(L, ACol);
    const bool Change = ACol >= L->Count() || Was != Value;
    bool Allow = true;
    if (Change && OnColDisjunctSelect) OnColDisjunctSelect(this, ACol, Value, Allow);
    if (!Allow) return;
    if (L->Count() <= ACol) L->SetCount(ACol + 1);
    if (Was != Value) RepaintCol(ACol);
    L->Put(ACol, Value ? SetMark : nullptr);
    if (Change && OnColDisjunctSelected) OnColDisjunctSelected(this, ACol);
}

void TQorStringGrid::SelectRows(int RowIndex, int RCount)
{
    RCount = std::min(RCount, GetRowCount() - RowIndex);
    if (FOpt.FMouseActions->GetDisjunctRowSelect()) {
        const bool Persistent = FOpt.FMouseActions->GetRowSelectPersistent();
        for (int r = RowIndex; r < RowIndex + RCount; ++r)
            if (r < GetRowCount()) SetRowSelect(Persistent ? RemapRowInv(r) : r, true);
    } else if (RCount > 0) {
        SetSelection(TGridRect{GetFixedCols(), RowIndex, GetColCount() - 1, RowIndex + RCount - 1});
    }
    if (!FOpt.FRowIndicator->GetEmpty()) RepaintCol(0);
    FSel.FSelChange = false;
}

void TQorStringGrid::UnSelectRows(int RowIndex, int RCount)
{
    if (FOpt.FMouseActions->GetDisjunctRowSelect()) {
        const bool Persistent = FOpt.FMouseActions->GetRowSelectPersistent();
        for (int r = RowIndex; r < RowIndex + RCount && r < GetRowCount(); ++r)
            SetRowSelect(Persistent ? RemapRowInv(r) : r, false);
    }
    FSel.FSelChange = false;
}

void TQorStringGrid::SelectCols(int ColIndex, int CCount)
{
    if (FOpt.FMouseActions->GetDisjunctColSelect()) {
        for (int c = ColIndex; c < ColIndex + CCount && c < GetColCount(); ++c) SetColSelect(c, true);
    } else if (CCount > 0) {
        SetSelection(TGridRect{ColIndex, GetFixedRows(), ColIndex + CCount - 1, GetRowCount() - 1});
    }
}

void TQorStringGrid::UnSelectCols(int ColIndex, int CCount)
{
    if (!FOpt.FMouseActions->GetDisjunctColSelect()) return;
    for (int c = ColIndex; c < ColIndex + CCount && c < GetColCount(); ++c) SetColSelect(c, false);
}

void TQorStringGrid::ClearRowSelectInt()
{
    TList* L = FLists.FRowSelect.get();
    const bool Any = L->Count() > 0;
    for (int r = 0; r < L->Count(); ++r)
        if (L->Get(r)) {
            L->Put(r, nullptr);
            RepaintRow(r);
            if (OnRowDisjunctSelected) OnRowDisjunctSelected(this, r);
        }
    if (Any) FLists.FSelectedRows->Clear();
}

void TQorStringGrid::ClearRowSelect()
{
    ClearRowSelectInt();
    if (!FOpt.FMouseActions->GetDisjunctRowSelect()) HideSelection();
    Invalidate();
}

void TQorStringGrid::ClearColSelect()
{
    TList* L = FLists.FColSelect.get();
    for (int c = 0; c < L->Count(); ++c)
        if (L->Get(c)) {
            L->Put(c, nullptr);
            RepaintCol(c);
            if (OnColDisjunctSelected) OnColDisjunctSelected(this, c);
        }
}

bool TQorStringGrid::SelectToRowSelect(bool IsShift)
{
    if (GetSelection().Top == FSel.FDisSelection.Top) return false;
    TGridRect S = Normalised(GetSelection());
    S.Bottom = std::min(S.Bottom, GetRowCount() - FDims.FFixedFooters - 1);
    const bool Persistent = FOpt.FMouseActions->GetRowSelectPersistent();
    bool Changed = false;
    for (int r = GetFixedRows(); r < GetRowCount(); ++r) {
        const bool Inside = r >= S.Top && r <= S.Bottom;
        if (!IsShift && !Inside) continue;
        SetRowSelect(Persistent ? RemapRowInv(r) : r, Inside);
        Changed = Changed || FModel.FRowSelMod;
    }
    if (NumHiddenRows() > 0) Invalidate();
    FSel.FDisSelection = GetSelection();
    return Changed;
}

void TQorStringGrid::SelectToColSelect(bool IsShift)
{
    const TGridRect S = Normalised(GetSelection());
    for (int c = GetFixedCols(); c < GetColCount(); ++c) {
        const bool Inside = c >= S.Left && c <= S.Right;
        if (IsShift || Inside) SetColSelect(c, Inside);
    }
}

int TQorStringGrid::GetRowSelectCount()
{
    if (FOpt.FMouseActions->GetDisjunctRowSelect()) {
        TList* L = FLists.FRowSelect.get();
        const int N = std::min(GetRowCount() + NumHiddenRows(), L->Count());
        int Count = 0;
        for (int r = 0; r < N; ++r) Count += L->Get(r) != nullptr;
        return Count;
    }
    if (!GetOptions().Contains(goRowSelect)) return 0;
    const TGridRect S = GetSelection();
    return std::abs(S.Bottom - S.Top) + (S.Top < GetRowCount() ? 1 : 0);
}

int TQorStringGrid::GetColSelectCount()
{
    if (FOpt.FMouseActions->GetDisjunctColSelect()) {
        TList* L = FLists.FColSelect.get();
        int Count = 0;
        for (int c = 0; c < L->Count(); ++c) Count += L->Get(c) != nullptr;
        return Count;
    }
    return GetSelection().Right - GetSelection().Left + 1;
}

int TQorStringGrid::GetSelectedRowCount()
{
    if (FOpt.FMouseActions->GetDisjunctRowSelect()) return FLists.FSelectedRows->Count();
    if (IsSelectionHidden()) return 0;
    TGridRect S = GetSelection();
    if (!(FOpt.FFloatingFooter && FOpt.FFloatingFooter->GetVisible()))
        S.Bottom = std::min(S.Bottom, GetRowCount() - FDims.FFixedFooters - 1);
    const int Plain = std::abs(S.Top - S.Bottom) + 1;
    const int RL = RealColIndex(S.Left);
    if (IsMergedCell(RL, S.Top)) {
        const int Span = CellSpan(RL, S.Top).Y;
        return S.Bottom < S.Top + Span ? Span + 1 : Plain;
    }
    if (IsMergedCell(RL, S.Bottom)) return Plain + CellSpan(RL, S.Bottom).Y;
    return Plain;
}

int TQorStringGrid::GetSelectedColCount()
{
    if (FOpt.FMouseActions->GetDisjunctColSelect()) return GetColSelectCount();
    const TGridRect S = GetSelection();
    const int Plain = std::abs(S.Left - S.Right) + 1;
    if (IsMergedCell(RealColIndex(S.Left), S.Top)) {
        const int Span = CellSpan(RealColIndex(S.Left), S.Top).X;
        return S.Right < S.Left + Span ? Span + 1 : Plain;
    }
    if (IsMergedCell(RealColIndex(S.Right), S.Top)) return Plain + CellSpan(RealColIndex(S.Right), S.Top).X;
    return Plain;
}

int TQorStringGrid::GetSelectedRow(int i)
{
    if (FOpt.FMouseActions->GetDisjunctRowSelect()) {
        TIntList* L = FLists.FSelectedRows.get();
        return i >= 0 && i < L->Count() ? L->GetInteger(i) : -1;
    }
    const TGridRect S = Normalised(GetSelection());
    return i >= 0 && S.Top + i <= S.Bottom ? S.Top + i : -1;
}

TStringList* TQorStringGrid::DistinctValues(int RCol, bool CaseSensitive)
{
    auto* Result = Create<TStringList>();
    Result->SetSorted(true);
    Result->SetDuplicates(dupIgnore);
    Result->SetCaseSensitive(CaseSensitive);
    // Keys seen so far: the value itself, or its upper case.
    TFreePtr<TStringList> Seen(Create<TStringList>());
    Seen->SetSorted(true);
    Seen->SetCaseSensitive(true);
    auto Take = [&](const String& Value) {
        const String Key = CaseSensitive ? Value : AnsiUpperCase(Value);
        int Index = 0;
        if (Seen->Find(Key, Index)) return;
        Seen->Add(Key);
        Result->Add(Value);
    };
    for (int r = GetFixedRows(); r <= GetRowCount() - FDims.FFixedFooters - 1; ++r) Take(SaveCell(RCol, r));
    if (RCol >= 0 && RCol < AllCols())
        for (const TGridItem& Item : FLists.FGridItems) Take(Trim(Item.GetCell(RCol)));
    return Result;
}

// ---- Cells ---------------------------------------------------------------------------------------------------

bool TQorStringGrid::GetSelectedCells(int ACol, int ARow)
{
    if (FOpt.FMouseActions->GetDisjunctCellSelect()) {
        const auto& K = FModel.FSelectedCells;
        return std::find(K.begin(), K.end(), CellKey(ACol, ARow)) != K.end();
    }
    const TGridRect S = Normalised(GetSelection());
    return ACol >= S.Left && ACol <= S.Right && ARow >= S.Top && ARow <= S.Bottom;
}

void TQorStringGrid::SetSelectedCells(int ACol, int ARow, bool Value)
{
    auto& K = FModel.FSelectedCells;
    const auto It = std::find(K.begin(), K.end(), CellKey(ACol, ARow));
    if (Value && It == K.end()) K.push_back(CellKey(ACol, ARow));
    else if (!Value && It != K.end()) K.erase(It);
    else return;
    RepaintCell(ACol, ARow);
}

TGridCoord TQorStringGrid::GetSelectedCell(int i)
{
    const Int64 K = FModel.FSelectedCells.at(size_t(i));
    return TGridCoord{int(K & 0xFFFFFFFF), int(K >> 32)};
}

int TQorStringGrid::GetSelectedCellsCount()
{
    if (!FOpt.FMouseActions->GetDisjunctCellSelect()) {
        auto& K = FModel.FSelectedCells;
        K.clear();
        const TGridRect S = Normalised(GetSelection());
        if (S.Left == S.Right && S.Top == S.Bottom) {
            K.push_back(CellKey(GetCol(), GetRow()));
        } else {
            for (int c = S.Left; c <= S.Right; ++c)
                for (int r = S.Top; r <= S.Bottom; ++r) K.push_back(CellKey(c, r));
        }
    }
    return int(FModel.FSelectedCells.size());
}

void TQorStringGrid::ClearSelectedCells()
{
    SetSelection(TGridRect{GetFixedCols(), GetFixedRows(), GetFixedCols(), GetFixedRows()});
    FModel.FSelectedCells.clear();
    Invalidate();
}

void TQorStringGrid::SelectCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    if (FOpt.FMouseActions->GetDisjunctCellSelect()) {
        ClearSelectedCells();
        for (int c = FromCol; c <= ToCol; ++c)
            for (int r = FromRow; r <= ToRow; ++r) SetSelectedCells(c, r, true);
        return;
    }
    if (FromCol == ToCol && FromRow == ToRow && GetCol() >= 0 && GetRow() >= 0 && GetCol() != GetColCount() - 1 &&
        GetRow() != GetRowCount() - 1) {
        SetColEx(FromCol);
        SetRowEx(FromRow);
        return;
    }
    SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

void TQorStringGrid::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow)
{
    SetRowEx(ToRow);
    SetColEx(ToCol);
    SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

bool TQorStringGrid::IsSelected(int ACol, int ARow)
{
    if (ARow < GetFixedRows() || ACol < GetFixedCols()) return false;
    if (FOpt.FMouseActions->GetDisjunctCellSelect()) return GetSelectedCells(ACol, ARow);
    if (FOpt.FMouseActions->GetDisjunctRowSelect())
        return GetRowSelect(FOpt.FMouseActions->GetRowSelectPersistent() ? RemapRowInv(ARow) : ARow);
    if (FOpt.FMouseActions->GetDisjunctColSelect()) return GetColSelect(ACol);
    const TGridRect S = Normalised(GetSelection());
    return ACol >= S.Left && ACol <= S.Right && ARow >= S.Top && ARow <= S.Bottom;
}

String TQorStringGrid::SelectedText()
{
    const TGridRect S = Normalised(GetSelection());
    int L = S.Left, R = S.Right;
    if (FOpt.FDragDropSettings->GetOleEntireRows()) {
        L = 0;
        R = GetColCount() - 1;
    }
    if (FText.FSaveHiddenCells) R += FDims.FNumHidden;
    auto RowText = [&](int r) {
        String Line;
        for (int c = L; c <= R; ++c) {
            String t = FText.FSaveHiddenCells ? GetCellEx(c, r) : GetCellEx(RemapCol(c), r);
            if (t.find(L"{\\") != String::npos) t = GetStrippedCell(FText.FSaveHiddenCells ? c : RemapCol(c), r);
            if (FPrint.FClipboardFormatExcel && QorUtil::LinesInText(t, FDims.FMultilinecells) > 1) QorUtil::LineFeedsToCSV(t);
            if (c > L) Line += L"\t";
            Line += t;
        }
        return Line;
    };
    String Result;
    if (FOpt.FMouseActions->GetDisjunctRowSelect()) {
        const bool Persistent = FOpt.FMouseActions->GetRowSelectPersistent();
        for (int r = GetFixedRows(); r < GetRowCount(); ++r)
            if (GetRowSelect(Persistent ? RemapRowInv(r) : r)) Result += RowText(r) + L"\r\n";
    } else {
        for (int r = S.Top; r <= S.Bottom; ++r) {
            if (r > S.Top) Result += L"\r\n";
            Result += RowText(r);
        }
    }
    return Result;
}

// ---- Current cell and repainting -------------------------------------------------------------------------

void TQorStringGrid::FocusCell(int ACol, int ARow)
{
    SetSelectionEx(TGridRect{ACol, ARow, ACol, ARow});
    FSel.FDisSelection = GetSelection();
    FDims.FAECol = -1;
    FDims.FAERow = -1;
}

void TQorStringGrid::GotoCell(int ACol, int ARow)
{
    SetRowEx(ARow);
    SetColEx(ACol);
}

namespace {

// The smallest rectangle holding both.
RECT SpanOf(const TRect& A, const TRect& B)
{
    return {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right), std::max(A.Bottom, B.Bottom)};
}

}  // namespace

void TQorStringGrid::GotoCellInt(int Col, int Row)
{
    MoveColRow(Col, Row, true, true);
}

void TQorStringGrid::EditCell(int ACol, int ARow)
{
    if (CanFocus()) SetFocus();
    GotoCell(ACol, ARow);
    ShowEditor();
}

void TQorStringGrid::RepaintRect(const TRect& r)
{
    if (r.Left < 0 || r.Top < 0 || r.Right < 0 || r.Bottom < 0 || !HandleAllocated()) return;
    const TRect R1 = CellRect(r.Left, r.Top);
    const TRect R2 = CellRect(std::min(GetVisibleColCount() + GetFixedCols(), r.Right), r.Bottom);
    if (R1.IsEmpty() || R2.IsEmpty()) {
        Invalidate();
        return;
    }
    const RECT Rc = SpanOf(R1, R2);
    ::InvalidateRect(GetHandle(), &Rc, TRUE);
}

void TQorStringGrid::InvalidateGridRect(const TGridRect& r)
{
    if (!HandleAllocated()) return;
    const TRect R1 = CellRect(r.Left, r.Top);
    const TRect R2 = CellRect(r.Right, r.Bottom);
    const RECT Rc = SpanOf(R1, R2);
    ::InvalidateRect(GetHandle(), &Rc, FALSE);
}

void TQorStringGrid::RepaintRow(int ARow)
{
    if (!HandleAllocated() || ARow < 0) return;
    TRect R = GetCellRect(0, ARow);
    R.Right = GetCellRect(GetVisibleColCount() + GetLeftCol(), ARow).Right;
    const RECT Rc{R.Left, R.Top, R.Right, R.Bottom};
    ::InvalidateRect(GetHandle(), &Rc, FALSE);
}

void TQorStringGrid::RepaintCol(int ACol)
{
    if (!HandleAllocated() || ACol < 0) return;
    TRect R = GetCellRect(ACol, GetTopRow());
    R.Bottom = GetCellRect(ACol, GetTopRow() + GetVisibleRowCount()).Bottom;
    const RECT Rc{R.Left, R.Top, R.Right, R.Bottom};
    ::InvalidateRect(GetHandle(), &Rc, FALSE);
}

// ---- Modified and enabled rows --------------------------------------------------------------------------------

bool TQorStringGrid::GetRowModified(int RealRow)
{
    return Flag(FLists.FModifiedRows.get(), RealRow);
}

void TQorStringGrid::SetRowModified(int RealRow, bool Value)
{
    if (RealRow < 0) return;
    TList* L = FLists.FModifiedRows.get();
    if (L->Count() <= RealRow) L->SetCount(RealRow + 1);
    L->Put(RealRow, Value ? SetMark : nullptr);
    RepaintCell(0, DisplRowIndex(RealRow));
}

int TQorStringGrid::ModifiedRowCount()
{
    TList* L = FLists.FModifiedRows.get();
    int Count = 0;
    for (int r = 0; r < L->Count(); ++r) Count += L->Get(r) != nullptr;
    return Count;
}

void TQorStringGrid::ClearModifiedRows()
{
    FLists.FModifiedRows->Clear();
    Invalidate();
}

bool TQorStringGrid::GetRowEnabled(int ARow)
{
    return !Flag(FLists.FEnabledRows.get(), ARow);
}

void TQorStringGrid::SetRowEnabled(int ARow, bool Value)
{
    if (ARow < 0) return;
    if (ARow == GetRow())
        for (int r = GetFixedRows(); r < GetRowCount(); ++r)
            if (r != ARow && GetRowEnabled(r)) {
                SetRowEx(r);
                break;
            }
    FModel.FUseEnabledRows = true;
    TList* L = FLists.FEnabledRows.get();
    if (L->Count() <= ARow) L->SetCount(ARow + 1);
    L->Put(ARow, Value ? nullptr : SetMark);
    RepaintRow(ARow);
}
