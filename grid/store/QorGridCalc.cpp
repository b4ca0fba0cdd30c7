// TQorStringGrid: arithmetic over the numbers in cells: a column between two rows (sum, average,
// count, minimum, maximum, standard deviation, distinct texts, two calculations handlers supply),
// a row between two columns, a rectangle of cells and the current selection. The group
// calculation and the floating footer call the column operations.
//
// A cell's number is read as GetFloats / GetAllFloats read it (an empty text or "-" is 0). The
// column and row operations never raise for a cell: a text that is no number takes part as a
// row (it counts in the average's divisor, as an empty cell does) but adds no value, and the
// minimum and maximum start from the first number that takes part. Only the rectangle operations
// raise for such a text, as the typed getters do.
//
// Which rows of a column take part: a row covered by another cell's merged area adds nothing (its
// base cell already does), and in a grouped grid neither does a shown node or summary row (their
// texts are headers and totals). A range that reaches beyond the last data row is read in real
// rows, hidden rows included, which is how the floating footer counts hidden rows; the node,
// summary and merge tests look at shown rows, so a hidden row always takes part.
#include "grid/QorGrid.h"

#include "framework/WinScope.h"
#include "grid/input/FloatingFooter.h"

#include <cmath>
#include <unordered_set>

struct TQorStringGrid::TColumnRange {
    int From = 0, To = -1;     // the range after defaulting, as the caller's numbering counts it
    int First = 0, Last = -1;  // the rows of it that exist
    bool Real = false;         // real rows (hidden ones included) rather than display rows
};

TQorStringGrid::TColumnRange TQorStringGrid::MakeColumnRange(int FromRow, int ToRow)
{
    TColumnRange R;
    if (FromRow == -1 || ToRow == -1) {
        FromRow = GetFixedRows();
        ToRow = GetRowCount() - 1 - GetFixedFooters();
    }
    R.From = FromRow;
    R.To = ToRow;
    const int LastDataRow = GetRowCount() - (FOpt.FFloatingFooter->GetVisible() ? 2 : 1);
    R.Real = ToRow > LastDataRow;
    R.First = std::max(FromRow, 0);
    R.Last = std::min(ToRow, (R.Real ? TotalRowCount() : GetRowCount()) - 1);
    return R;
}

// Visit(Ok, Value) for every row of the range that takes part, after telling the progress hook
// when Notify: Ok is false for a text that is no number (Value 0).
template <class F>
void TQorStringGrid::ForTakenRows(int ACol, const TColumnRange& R, bool Notify, F&& Visit)
{
    if (ACol < 0 || ACol >= AllCols()) return;
    const bool Grouped = FDims.FGroupColumn != -1;
    for (int i = R.First; i <= R.Last; ++i) {
        if (!R.Real || !IsHiddenRow(i)) {
            const int d = R.Real ? DisplRowIndex(i) : i;
            if (Grouped && (IsNode(d) || IsSummary(d))) continue;
            if (!IsBaseCell(ACol, d)) continue;
        }
        if (Notify) ExportNotification(esExportNextRow, i);
        double V = 0;
        const bool Ok = R.Real ? TryGetAllFloats(ACol, i, V) : TryGetFloats(ACol, i, V);
        Visit(Ok, V);
    }
}

// ---- Column operations -----------------------------------------------------------------------------------

double TQorStringGrid::SumOfTaken(int ACol, int FromRow, int ToRow, int& Taken)
{
    const TColumnRange R = MakeColumnRange(FromRow, ToRow);
    ExportNotification(esExportStart, R.From);
    double Sum = 0;
    Taken = 0;
    ForTakenRows(ACol, R, true, [&](bool Ok, double V) {
        ++Taken;
        if (Ok) Sum += V;
    });
    ExportNotification(esExportDone, -1);
    return Sum;
}

double TQorStringGrid::ColumnSum(int ACol, int FromRow, int ToRow)
{
    int Taken = 0;
    return SumOfTaken(ACol, FromRow, ToRow, Taken);
}

double TQorStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow)
{
    int Taken = 0;
    const double Sum = SumOfTaken(ACol, FromRow, ToRow, Taken);
    return Taken > 0 ? Sum / Taken : 0;
}

double TQorStringGrid::ColumnCount(int ACol, int FromRow, int ToRow)
{
    if (FromRow == -1 || ToRow == -1) return GetRowCount() - GetFixedRows() - GetFixedFooters();
    return ToRow - FromRow + 1;
}

double TQorStringGrid::ColumnExtreme(int ACol, int FromRow, int ToRow, bool Largest)
{
    const TColumnRange R = MakeColumnRange(FromRow, ToRow);
    ExportNotification(esExportStart, R.From);
    double M = 0;
    bool Any = false;
    ForTakenRows(ACol, R, true, [&](bool Ok, double V) {
        if (!Ok) return;
        if (!Any || (Largest ? V > M : V < M)) M = V;
        Any = true;
    });
    ExportNotification(esExportDone, -1);
    return M;
}

double TQorStringGrid::ColumnMin(int ACol, int FromRow, int ToRow)
{
    return ColumnExtreme(ACol, FromRow, ToRow, false);
}

double TQorStringGrid::ColumnMax(int ACol, int FromRow, int ToRow)
{
    return ColumnExtreme(ACol, FromRow, ToRow, true);
}

double TQorStringGrid::ColumnStdDev(int ACol, int FromRow, int ToRow)
{
    const TColumnRange R = MakeColumnRange(FromRow, ToRow);
    ExportNotification(esExportStart, R.From);
    // Mean and squared deviations in one pass (Welford), over the numbers of the rows taken.
    double Mean = 0, Sq = 0;
    int n = 0;
    ForTakenRows(ACol, R, false, [&](bool Ok, double V) {
        if (!Ok) return;
        ++n;
        const double Delta = V - Mean;
        Mean += Delta / n;
        Sq += Delta * (V - Mean);
    });
    ExportNotification(esExportDone, -1);
    return n > 0 ? std::sqrt(std::max(Sq, 0.0) / n) : 0;
}

double TQorStringGrid::ColumnDistinct(int ACol, int FromRow, int ToRow)
{
    const TColumnRange R = MakeColumnRange(FromRow, ToRow);
    ExportNotification(esExportStart, R.From);
    auto Done = ScopeExit([this] { ExportNotification(esExportDone, -1); });
    if (ACol < 0 || ACol >= AllCols()) return 0;
    std::unordered_set<String> Texts;
    for (int i = R.First; i <= R.Last; ++i) {
        ExportNotification(esExportNextRow, i);
        Texts.insert(AnsiUpperCase(R.Real ? GetCellsEx(ACol, i) : GetCellEx(ACol, i)));
    }
    return double(Texts.size());
}

double TQorStringGrid::ColumnCustomCalc(int ACol, int FromRow, int ToRow)
{
    double Result = 0;
    if (OnColumnCalc) OnColumnCalc(this, ACol, FromRow, ToRow, Result);
    return Result;
}

double TQorStringGrid::ColumnCustomCalcGrp(int ACol, int FromRow, int ToRow)
{
    double Result = 0;
    if (OnGroupCalc) OnGroupCalc(this, ACol, FromRow, ToRow, Result);
    return Result;
}

// ---- Row operations --------------------------------------------------------------------------------------

double TQorStringGrid::RowCalc(int ARow, int fromCol, int toCol, TCalcType CalcType)
{
    if (ARow < 0 || ARow >= GetRowCount()) return 0;
    double Sum = 0, M = 0;
    int Taken = 0;
    bool Any = false;
    for (int c = std::max(fromCol, 0); c <= std::min(toCol, AllCols() - 1); ++c) {
        if (!IsBaseCell(c, ARow)) continue;
        ++Taken;
        double V = 0;
        if (!TryGetFloats(c, ARow, V)) continue;
        Sum += V;
        if (!Any || (CalcType == ctMax ? V > M : V < M)) M = V;
        Any = true;
    }
    switch (CalcType) {
    case ctSum: return Sum;
    case ctAvg: return Taken > 0 ? Sum / Taken : 0;
    default: return M;
    }
}

double TQorStringGrid::RowSum(int ARow, int fromCol, int toCol)
{
    return RowCalc(ARow, fromCol, toCol, ctSum);
}

double TQorStringGrid::RowAvg(int ARow, int fromCol, int toCol)
{
    return RowCalc(ARow, fromCol, toCol, ctAvg);
}

double TQorStringGrid::RowMin(int ARow, int fromCol, int toCol)
{
    return RowCalc(ARow, fromCol, toCol, ctMin);
}

double TQorStringGrid::RowMax(int ARow, int fromCol, int toCol)
{
    return RowCalc(ARow, fromCol, toCol, ctMax);
}

// ---- Rectangles and the selection ------------------------------------------------------------------------

namespace {

// CalcType over the cells Left .. Right, Top .. Bottom (columns outer, rows inner); Read raises
// for a text that is no number. An empty rectangle gives 0.
template <class F>
double CalcCells(int Left, int Top, int Right, int Bottom, TCalcType CalcType, F&& Read)
{
    double V = 0;
    int n = 0;
    for (int c = Left; c <= Right; ++c) {
        for (int r = Top; r <= Bottom; ++r) {
            const double x = Read(c, r);
            if (CalcType == ctSum || CalcType == ctAvg)
                V += x;
            else if (n == 0 || (CalcType == ctMax ? x > V : x < V))
                V = x;
            ++n;
        }
    }
    return CalcType == ctAvg && n > 0 ? V / n : V;
}

}  // namespace

double TQorStringGrid::RectCalc(TGridRect GR, TCalcType CalcType)
{
    if (GR.Left > GR.Right) std::swap(GR.Left, GR.Right);
    if (GR.Top > GR.Bottom) std::swap(GR.Top, GR.Bottom);
    // Only the part inside the grid is read.
    return CalcCells(std::max(GR.Left, 0), std::max(GR.Top, 0), std::min(GR.Right, AllCols() - 1),
                     std::min(GR.Bottom, TotalRowCount() - 1), CalcType,
                     [this](int c, int r) { return GetAllFloats(c, r); });
}

double TQorStringGrid::SelectionCalc(TCalcType CalcType)
{
    // The selection is in display columns and rows: each cell is read where it is shown.
    TGridRect GR = GetSelectionEx();
    if (GR.Left > GR.Right) std::swap(GR.Left, GR.Right);
    if (GR.Top > GR.Bottom) std::swap(GR.Top, GR.Bottom);
    return CalcCells(std::max(GR.Left, 0), std::max(GR.Top, 0), std::min(GR.Right, GetColCount() - 1),
                     std::min(GR.Bottom, GetRowCount() - 1), CalcType,
                     [this](int c, int r) { return GetAllFloats(RemapCol(c), RemapRowInv(r)); });
}
