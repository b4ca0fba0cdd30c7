// Printed cells: the printed size of one cell and the drawing of one row of a column band.
// Plain text only for now: every cell prints its formatted text on one line in the print font.
#include "grid/print/BuildPages.h"

#include "framework/Printers.h"

#include <cmath>

int TQorStringGrid::MapFontHeight(int PointSize)
{
    return -int(std::trunc(PointSize * 254.0 / 72.0 * FPrint.Fontscalefactor));
}

int TQorStringGrid::MapFontSize(int Height)
{
    return int(std::trunc(Height * 72.0 / 254.0));
}

TPoint TBuildPages::GetTextSize(int Col, int Row)
{
    String Text = Grid.HasDataCell(Col, Row) ? String() : Grid.GetFormattedCell(Col, Row);
    if (Text.empty()) Text = L"gh";
    const TSize Ext = Canvas->TextExtent(Text);
    return TPoint{Ext.cx, Ext.cy};
}

int TBuildPages::BuildColumnsRow(int YPos, int Col1, int Col2, int ARow, int /*Hght*/)
{
    Grid.FPrint.Fontscalefactor = PS.GetNoAutoSizeRow() ? 1.0 : ScaleFactor;
    const int R = 2 * FntVSpace + GetRowHeight(ARow) + PS.GetRowSpacing();
    if (!DrawingThisPage() || Col2 < Col1) return R;
    for (int u = Col1; u <= Col2; ++u) {
        if (!IsSelCol(u)) continue;
        const int c = Grid.RemapCol(u);
        if (Grid.IsMergedNonBaseCell(c, ARow)) continue;
        const int Left = Indents()[size_t(u)];
        const int Right = Left + MaxWidths()[size_t(u)] + Spacing;
        const TRect Cell{Left, YPos, Right, YPos - R};
        Canvas->GetBrush()->SetStyle(bsClear);
        Canvas->TextOut(Left + FntHSpace, YPos - FntVSpace, Grid.GetFormattedCell(c, ARow));
        Canvas->Rectangle(Cell);
        if (Grid.OnCustomCellDraw) Grid.OnCustomCellDraw(&Grid, Canvas, c, ARow, TGridDrawState{}, Cell, true);
    }
    return R;
}

int TBuildPages::GetPrinterOrientation()
{
    return OnPrinter ? Printer()->DeviceCapability(DC_ORIENTATION) : 0;
}
