// TQorStringGrid: the floating footer's calculated row. When the footer shows the last row as a
// fixed footer row, each column's footer cell may hold a value of its column (sum, average,
// count, minimum, maximum, distinct texts, standard deviation, or one an event supplies).
//
// The values come from the grid's column operations (store/QorGridCalc.cpp): an empty text or "-"
// counts as 0 and a text that is no number adds nothing (the footer of a column with such a cell
// still shows a value).
#include "grid/QorGrid.h"

#include "grid/input/FloatingFooter.h"

namespace {

// A value in the grid's float format; a format that does not take one number gives the plain
// value (the format is user text).
String FooterFloat(const String& Fmt, double V)
{
    if (!Fmt.empty()) {
        try {
            return Format(Fmt, {V});
        } catch (const EConvertError&) {
        }
    }
    return FloatToStr(V);
}

}  // namespace

void TQorStringGrid::UpdateFooter()
{
    if (FWin.FFooterPanel && FWin.FFooterPanel->HandleAllocated()) FWin.FFooterPanel->Invalidate();
}

void TQorStringGrid::FloatFooterUpdate()
{
    CalcFooter(-1);
    UpdateFooter();
}

void TQorStringGrid::CalcFooter(int ACol)
{
    DoCalcFooter(ACol);
}

void TQorStringGrid::DoCalcFooter(int ACol)
{
    TFloatingFooter* F = FOpt.FFloatingFooter.get();
    if (!F->GetVisible() || F->GetFooterStyle() != fsFixedLastRow || !F->GetEnableCalculation()) return;
    const int FooterRow = GetRowCount() - 1;
    if (FooterRow < GetFixedRows()) return;
    int First = ACol, Last = ACol;
    if (ACol == -1) {
        First = 0;
        Last = TotalColCount() - 1;
    }
    if (First < 0 || Last >= TotalColCount()) return;
    const bool WithHidden = F->GetCalculateHiddenRows();
    const int h = WithHidden ? HiddenRowCount() : 0;
    // The data rows up to the row before the footer. Counted with the hidden rows, the range ends
    // beyond the shown rows, and the column operations read it in real rows, hidden ones included;
    // without them it is the shown rows.
    const int FromRow = GetFixedRows(), ToRow = GetRowCount() + h - 2;

    for (int c = First; c <= Last; ++c) {
        if (!HasCellProperties(c, FooterRow)) continue;
        const TColumnCalcType Kind = GetCellProperties(c, FooterRow)->GetCalcType();
        if (Kind == acNONE || Kind == acSPREAD) continue;
        String Value;
        if (Kind == acCOUNT) {
            Value = IntToStr(GetRowCount() + h - GetFixedRows() - 1);
        } else if (Kind == acCUSTOM) {
            if (OnFooterCalc)
                OnFooterCalc(this, c, FooterRow + h, Value);
            else if (F->OnCalcFooter)
                F->OnCalcFooter(this, c, FooterRow + h, Value);
        } else {
            double Result = 0;
            switch (Kind) {
            case acSUM: Result = ColumnSum(c, FromRow, ToRow); break;
            case acAVG: Result = ColumnAvg(c, FromRow, ToRow); break;
            case acMIN: Result = ColumnMin(c, FromRow, ToRow); break;
            case acMAX: Result = ColumnMax(c, FromRow, ToRow); break;
            case acDISTINCT: Result = ColumnDistinct(c, FromRow, ToRow); break;
            default: Result = ColumnStdDev(c, FromRow, ToRow); break;
            }
            Value = FooterFloat(FText.FFloatFormat, Result);
        }
        // Straight into the footer cell: a write through the cell access would ask for the footer
        // again.
        SetGridCell(c, FooterRow, Value);
        if (HandleAllocated() && !IsDestroying()) RepaintCell(DisplColIndex(c), FooterRow);
    }
    UpdateFooter();
}
