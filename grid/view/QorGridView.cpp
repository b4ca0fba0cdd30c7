// TQorStringGrid: display and real columns, the current and edit cell, the current row with its
// notifications, the used area. Nodes: QorGridNodes.cpp; grouping: QorGridGroup.cpp.
#include "grid/QorGrid.h"

#include "grid/paint/CellGraphic.h"

// ---- Display and real columns ------------------------------------------------------------------------

int TQorStringGrid::RealColIndex(int ACol)
{
    if (FDims.FNumHidden == 0 || ACol < 0) return ACol;
    // The ACol-th shown column, counting the real columns.
    int Shown = -1;
    for (int c = 0; c < int(FDims.FVisibleCol.size()); ++c)
        if (FDims.FVisibleCol[size_t(c)] && ++Shown == ACol) return c;
    // No shown column has that many before it.
    return ACol;
}

int TQorStringGrid::DisplColIndex(int ACol)
{
    if (FDims.FNumHidden == 0 || ACol < 0) return ACol;
    int Shown = 0;
    for (int c = 0; c < ACol && c < int(FDims.FVisibleCol.size()); ++c)
        if (FDims.FVisibleCol[size_t(c)]) ++Shown;
    return Shown;
}

int TQorStringGrid::TotalColCount()
{
    return GetColCount() + FDims.FNumHidden;
}

bool TQorStringGrid::IsFixed(int ACol, int ARow)
{
    return ACol < GetFixedCols() || ARow < GetFixedRows() ||
           (FDims.FFixedRightCols > 0 && ACol >= GetColCount() - FDims.FFixedRightCols) ||
           (FDims.FFixedFooters > 0 && ARow >= GetRowCount() - FDims.FFixedFooters);
}

// ---- Current and edit cell -------------------------------------------------------------------------------

String TQorStringGrid::GetCurrentCell()
{
    if (FEdit.FVirtualEdit) return GetCurrentDisplCell();
    const TPoint B = BaseCell(RealColIndex(GetCol()), GetRow());
    return GetGridCell(B.X, B.Y);
}

String TQorStringGrid::GetCurrentDisplCell()
{
    const TPoint B = BaseCell(RealColIndex(GetCol()), GetRow());
    return GetCellEx(B.X, B.Y);
}

void TQorStringGrid::SetCurrentCell(const String& Value)
{
    SetCellEx(RealColIndex(GetCol()), GetRow(), Value);
}

String TQorStringGrid::GetEditCell(int RCol, int ARow)
{
    return GetGridCell(RCol, ARow);
}

void TQorStringGrid::SetEditCell(const String& Value)
{
    const TPoint B = BaseCell(RealColIndex(GetCol()), GetRow());
    SetEditText(DisplColIndex(B.X), B.Y, Value);
}

void TQorStringGrid::SetRowEx(int Value)
{
    if (GetCol() < 0 || GetCol() >= GetColCount()) {
        FocusCell(GetFixedCols(), Value, true);
        if (GetOptions().Contains(goRowSelect))
            SetSelection(TGridRect{GetFixedCols(), Value, GetColCount() - 1, Value});
    }
    Value = std::max(Value, GetFixedRows());
    const int OldRow = GetRow();
    SetRow(Value);
    FDims.FAECol = -1;
    FDims.FAERow = -1;
    if (GetRow() != FSel.FOldRowSel && OnRowUpdate) {
        OnRowUpdate(this, FSel.FOldRowSel, GetRow());
        FSel.FOldRowSel = GetRow();
    }
    // Turning the selection into row selections (SelectToRowSelect) comes with the grid's
    // disjunct selection.
    if (OldRow != GetRow() && FOpt.FSyncGrid->GetSelectionRow())
        if (TStringGrid* Other = FOpt.FSyncGrid->GetGrid()) {
            if (auto* Grid = dynamic_cast<TQorStringGrid*>(Other)) {
                TValueScope<TNotifyEvent> NoClick(Grid->OnClick, nullptr);
                Grid->SetRowEx(GetRow());
            } else {
                Other->SetRow(GetRow());
            }
        }
    FSel.FDisSelection = GetSelection();
}

void TQorStringGrid::GetUsedCells(TRect& R)
{
    bool Any = false;
    R = TRect(0, 0, 0, 0);
    for (int r = 0; r < GetRowCount(); ++r)
        for (int c = 0; c < GetColCount(); ++c) {
            if (GetCellEx(c, r).empty()) continue;
            if (!Any) R = TRect(c, r, c, r);
            R = TRect(std::min(R.Left, c), std::min(R.Top, r), std::max(R.Right, c), std::max(R.Bottom, r));
            Any = true;
        }
}
