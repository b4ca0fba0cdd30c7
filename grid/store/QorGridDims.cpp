// TQorStringGrid: the grid's own row and column counts, fixed counts, current column and default
// row height, which keep the grid's bookkeeping in step with the framework grid's counts, and the
// simple property setters that belong to no other area.
#include "grid/QorGrid.h"

#include "grid/QorGridSatellites.h"

// ---- Row and column counts ----------------------------------------------------------------------------

namespace {

// A count beyond the largest the grid holds is refused before anything changes, with the
// property's name: its per-line lists would otherwise take the memory of the whole process.
void CheckLineCount(const wchar_t* Name, int Value)
{
    if (Value > MaxGridLineCount)
        throw EInvalidGridOperation(QorGridConsts::SGridCountTooLarge, {String(Name), Value, MaxGridLineCount});
}

}  // namespace

void TQorStringGrid::SetRowCountEx(int Value)
{
    CheckLineCount(QorGridConsts::SRowCountName, Value);
    const int Old = GetRowCount();
    if (GetRowCount() == GetFixedRows() && FDims.FFixedRowAlways && !FSel.FShowSelection) {
        // Showing the selection again (UnHideSelection) comes with the grid's view operations.
    }
    // The current cell goes back to the first normal cell when it lies past the end, and only when
    // that cell exists: a grid without columns or rows has no cell to go to.
    if ((GetCol() == GetColCount() || GetRow() == GetRowCount()) && GetFixedCols() < GetColCount() &&
        GetFixedRows() < GetRowCount())
        FocusCell(GetFixedCols(), GetFixedRows(), true);
    SetRowCount(Value);
    // One remembered height per row for suppressing and restoring rows.
    for (int r = FLists.FSuppressRowSizes->Count(); r < GetRowCount(); ++r)
        FLists.FSuppressRowSizes->Add(GetRowHeights(r));
    if (GetRowCount() > FDims.FFixedRowsMin && FDims.FFixedRowAlways) SetFixedRowsEx(FDims.FFixedRowsMin);
    FDims.FMaxRowCount = std::max(FDims.FMaxRowCount, Value);
    FNormalRowCount = Value;
    UpdateFooter();
    UpdateVScroller();
    UpdateHScroller();
    UpdateScrollBars(false);
    if (FScroll.FScrollType != ssNormal) FlatUpdate();
    if (FOpt.FFloatingFooter && FOpt.FFloatingFooter->GetVisible() && Old != GetRowCount()) MoveFooterRow(Old);
}

void TQorStringGrid::MoveFooterRow(int OldCount)
{
    if (OldCount <= 0 || GetRowCount() <= 0) return;
    const int From = OldCount - 1;
    const int To = GetRowCount() - 1;
    const int Cols = TotalColCount();
    // The footer row stays last: its texts and cell objects move to the new last row (the string
    // grid keeps rows beyond a lowered count, so the old row is still there when the grid shrank).
    for (int c = 0; c < Cols; ++c) {
        TObject* Moving = GetGridObject(c, From);
        // Properties the new last row held before are freed, not overwritten.
        if (GetGridObject(c, To) != Moving) SetCellProperties(c, To, nullptr);
        SetGridCell(c, To, GetGridCell(c, From));
        SetGridObject(c, To, Moving);
    }
    // The old row lets go of what now belongs to the new last row, so that no properties are
    // owned twice.
    NilRow(From);
    CalcFooter(-1);
}

void TQorStringGrid::SetColCountEx(int Value)
{
    CheckLineCount(QorGridConsts::SColCountName, Value);
    SetColCount(Value);
    SizeColumnArrays();
    if (GetColCount() > FDims.FFixedColsMin && FDims.FFixedColAlways) SetFixedColsEx(FDims.FFixedColsMin);
    FDims.FMaxColCount = std::max(FDims.FMaxColCount, Value);
    for (int c = FLists.FSuppressColSizes->Count(); c < GetColCount(); ++c)
        FLists.FSuppressColSizes->Add(GetColWidths(c));
    UpdateSearchPanel();
    // The grid's own bounds again, so that an integral height follows a horizontal scroll bar
    // that comes or goes.
    SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
    UpdateHScroller();
    UpdateVScroller();
    UpdateScrollBars(false);
}

void TQorStringGrid::SizeColumnArrays()
{
    const size_t N = size_t(GetColCount() + FDims.FNumHidden);
    const size_t L = FDims.FVisibleCol.size();
    FDims.FVisibleCol.resize(N, true);
    FDims.FAllColWidths.resize(N, GetDefaultColWidth());
    for (size_t c = L; c < N; ++c)
        if (int(c) < GetColCount()) FDims.FAllColWidths[c] = GetColWidths(int(c));
}

int TQorStringGrid::GetFixedRowsEx() const
{
    return GetFixedRows() == 0 && FDims.FFixedRowAlways ? 1 : GetFixedRows();
}

int TQorStringGrid::GetFixedColsEx() const
{
    return GetFixedCols() == 0 && FDims.FFixedColAlways ? 1 : GetFixedCols();
}

void TQorStringGrid::SetFixedCountEx(TGridAxisKind A, int Value)
{
    const bool Always = A == TGridAxisKind::Rows ? FDims.FFixedRowAlways : FDims.FFixedColAlways;
    const int Count = Axis(A).Count();
    // A grid that keeps its wanted fixed lines takes as many as it can while it has no others; the
    // wanted count is remembered (unless loading) and comes back when lines are added.
    const int Framework = Value >= Count && Always ? std::max(0, Count - 1) : Value;
    if (A == TGridAxisKind::Rows) SetFixedRows(Framework);
    else SetFixedCols(Framework);
    if (!IsLoading()) (A == TGridAxisKind::Rows ? FDims.FFixedRowsMin : FDims.FFixedColsMin) = Value;
    // Shared out over all normal columns, the width is shared again when other columns are normal.
    if (A == TGridAxisKind::Cols && FOpt.FColumnSize->GetStretch() && FOpt.FColumnSize->GetStretchAll() && GetParent())
        StretchStored();
}

void TQorStringGrid::SetFixedRowsEx(int Value)
{
    SetFixedCountEx(TGridAxisKind::Rows, Value);
}

void TQorStringGrid::SetFixedColsEx(int Value)
{
    SetFixedCountEx(TGridAxisKind::Cols, Value);
}

void TQorStringGrid::SetColEx(int Value)
{
    const int OldCol = GetCol();
    SetCol(Value);
    FSel.FDisSelection = GetSelection();
    FDims.FAECol = -1;
    FDims.FAERow = -1;
    if (OldCol == GetCol() || !FOpt.FSyncGrid->GetSelectionColumn()) return;
    TStringGrid* Other = FOpt.FSyncGrid->GetGrid();
    if (!Other) return;
    if (auto* Grid = dynamic_cast<TQorStringGrid*>(Other)) {
        // The partner's click handler stays out of the step it did not start.
        TValueScope<TNotifyEvent> NoClick(Grid->OnClick, nullptr);
        Grid->SetColEx(GetCol());
    } else {
        Other->SetCol(GetCol());
    }
}

void TQorStringGrid::SetDefRowHeightEx(int Value)
{
    SetDefaultRowHeight(Value);
    // The footer takes the height the grid took (a negative height becomes 0 there).
    const int Height = GetDefaultRowHeight();
    FOpt.FFloatingFooter->SetHeight(Height);
    if (FOpt.FFloatingFooter->GetVisible()) FWin.FFooterPanel->SetHeight(Height);
}

void TQorStringGrid::SetFixedColWidth(int Value)
{
    if (IsLoading() || Value == GetDefaultColWidth()) return;
    for (int c = 0; c < GetFixedCols(); ++c) SetColWidths(c, Value);
}

void TQorStringGrid::SetFixedRowHeight(int Value)
{
    FDims.FFixedRowHeight = Value;
    if (IsLoading() || Value == GetDefaultRowHeight()) return;
    for (int r = 0; r < GetFixedRows(); ++r) SetRowHeights(r, Value);
}

void TQorStringGrid::SetFixedRightCols(int Value)
{
    FDims.FFixedRightCols = Value;
    Invalidate();
}

void TQorStringGrid::SetFixedFooters(int Value)
{
    FDims.FFixedFooters = Value;
    Invalidate();
}

int TQorStringGrid::GetMaxRowCount() const { return FDims.FMaxRowCount; }
int TQorStringGrid::GetMaxColCount() const { return FDims.FMaxColCount; }
int TQorStringGrid::GetFixedRowsMin() const { return FDims.FFixedRowsMin; }
int TQorStringGrid::GetFixedColsMin() const { return FDims.FFixedColsMin; }
int TQorStringGrid::GetNumHidden() const { return FDims.FNumHidden; }

bool TQorStringGrid::GetVisibleCol(int RCol) const
{
    return RCol >= 0 && RCol < int(FDims.FVisibleCol.size()) ? FDims.FVisibleCol[size_t(RCol)] : true;
}

int TQorStringGrid::GetAllColWidths(int RCol) const
{
    // A hidden column's stored width, else its display column's width; 0 outside the grid.
    if (RCol < 0 || RCol >= int(FDims.FAllColWidths.size())) return 0;
    if (!FDims.FVisibleCol[size_t(RCol)]) return FDims.FAllColWidths[size_t(RCol)];
    const int d = int(std::count(FDims.FVisibleCol.begin(), FDims.FVisibleCol.begin() + RCol, true));
    return d < GetColCount() ? GetColWidths(d) : FDims.FAllColWidths[size_t(RCol)];
}

// ---- Simple setters ------------------------------------------------------------------------------------

void TQorStringGrid::SetDefaultAlignment(TAlignment Value)
{
    if (FText.FDefaultAlignment == Value) return;
    FText.FDefaultAlignment = Value;
    Invalidate();
}

bool TQorStringGrid::GetWordWrapEx() const
{
    return FDims.FWordWrapEx;
}

void TQorStringGrid::SetWordWrapEx(bool Value)
{
    FWordWrap = Value;
    FDims.FWordWrapEx = Value;
    // The in-place editor takes word wrap with the grid's own text editor (in-place editing).
    if (FRun.FUpdateCount == 0) Invalidate();
}

void TQorStringGrid::SetVAlignment(TVAlignment Value)
{
    FText.FVAlignment = Value;
    FText.FVAlign = Value == vtaTop ? DT_TOP : Value == vtaBottom ? DT_BOTTOM : DT_VCENTER;
    if (FRun.FUpdateCount == 0) Invalidate();
}

void TQorStringGrid::SetShowSelection(bool Value)
{
    if (FSel.FShowSelection == Value) return;
    FSel.FShowSelection = Value;
    FShowSel = Value;
    Invalidate();
}

void TQorStringGrid::SetShowDesignHelper(bool Value)
{
    if (FLookState.FShowDesignHelper == Value) return;
    FLookState.FShowDesignHelper = Value;
    Invalidate();
}

void TQorStringGrid::SetSizeWithForm(bool Value)
{
    if (FDims.FSizeWithForm == Value) return;
    FDims.FSizeWithForm = Value;
    SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
}

void TQorStringGrid::SetScrollBarAlways(TScrollBarAlways Value)
{
    FScroll.FScrollBarAlways = Value;
    UpdateScrollBars(true);
}

void TQorStringGrid::SetMaxEditLength(int Value)
{
    FEdit.FMaxEditLength = Value;
    if (TInplaceEdit* Editor = GetInplaceEditor()) Editor->SetMaxLength(Value);
}

bool TQorStringGrid::GetAutoSizeP() const
{
    return FDims.FAutoSize;
}

void TQorStringGrid::SetAutoSizeP(bool Value)
{
    FDims.FAutoSize = Value;
    if (Value && !IsLoading()) AutoSizeColumns(false, 10);
}

void TQorStringGrid::SetFlat(bool Value)
{
    FLookState.FFlat = Value;
    if (!IsLoading()) Invalidate();
}

void TQorStringGrid::SetSelectionEx(const TGridRect& Value)
{
    SetSelection(Value);
    if (FLookState.FActiveCellShow) {
        InvalidateCol(0);
        InvalidateRow(0);
    }
    if (GetActiveRowShow()) InvalidateRow(Value.Bottom);
}

bool TQorStringGrid::GetSpreadSheet() const
{
    return FEdit.FSpreadSheet;
}

void TQorStringGrid::SetSpreadSheet(bool Value)
{
    FEdit.FSpreadSheet = Value;
    FSel.FSelectionRectangle = true;
    FSel.FSelectionResizer = true;
    FOpt.FNavigation->SetAllowSmartClipboard(true);
    SetOptions(GetOptions() + TGridOptions{goRangeSelect, goEditing});
    FOpt.FMouseActions->SetRangeSelectAndEdit(true);
}

TCursor TQorStringGrid::GetCursorEx() const
{
    return GetCursor();
}

void TQorStringGrid::SetCursorEx(TCursor Value)
{
    // The cursor the grid comes back to after showing its link, sizing and pan cursors.
    FRun.FOldCursor = Value;
    SetCursor(Value);
}

String TQorStringGrid::GetVersion()
{
    const unsigned V = unsigned(GetVersionNr());
    return IntToStr(int(V >> 24)) + L"." + IntToStr(int((V >> 16) & 0xFF)) + L"." + IntToStr(int((V >> 8) & 0xFF)) +
           L"." + IntToStr(int(V & 0xFF));
}

String TQorStringGrid::GetVersionString()
{
    return GetVersion() + L" " + QorGridConsts::SVersionDate;
}

