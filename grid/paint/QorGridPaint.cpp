// TQorStringGrid: the painting side as far as the grid class holds it now: the fixed-cell
// gradient colours the control look passes on, and the painting hooks. Looks, styles and tones are
// in QorGridStyles.cpp, the frame, background and focus frame in QorGridFrame.cpp, the glyphs in
// QorCellGlyphs.cpp. Cell widgets
// are in QorCellWidgets.cpp, QorCellCheck.cpp and QorCellSizes.cpp, the footer row in
// QorGridFooter.cpp, the appearance setters in QorGridAppearance.cpp. Painting cells with looks,
// styles, HTML text and widgets, and printing come here with the grid's rendering; until then
// cells paint through the base painting frame.
#include "grid/QorGrid.h"

#include "grid/QorGridSatellites.h"
#include "grid/paint/CellGraphic.h"

String TQorStringGrid::GetFormattedCell(int RCol, int ARow)
{
    // The displayed text: the exported text; formatting numbers by OnGetFloatFormat comes with the
    // grid's cell text drawing.
    return ExportCell(RCol, ARow);
}

// ---- Painting hooks ---------------------------------------------------------------------------------------

void TQorStringGrid::Paint()
{
    inherited::Paint();
}

void TQorStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    inherited::DrawCell(ACol, ARow, ARect, AState);
}

void TQorStringGrid::DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    inherited::DrawGridCell(Canvas, ACol, ARow, ARect, AState);
}

void TQorStringGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                         bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                         TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                         bool& WW, TCellGradientDirection& GD)
{
    inherited::GetVisualProperties(ACol, ARow, AState, Print, Select, Remap, ABrush, AColorTo, AMirrorColor,
                                   AMirrorColorTo, AFont, HA, VA, WW, GD);
}

void TQorStringGrid::CellTextChange(int ACol, int ARow)
{
    // An auto-range scroll bar: its page is the row, its range the height of the cell's text.
    // Measuring needs the grid's window.
    if (!HasAutoRangeScrollBar(ACol, ARow) || ARow >= GetRowCount() || !HandleAllocated()) return;
    TCanvas* C = GetCanvas();
    C->GetFont()->Assign(GetFont());
    RECT R{0, 0, std::max(1, CellSize(ACol, ARow).X), 0};
    const String Text = GetCellEx(ACol, ARow);
    DrawTextW(C->GetHandle(), Text.c_str(), int(Text.size()), &R, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SetScrollProp(ACol, ARow, TScrollProp{GetRowHeights(ARow), int(R.bottom - R.top)});
}

bool TQorStringGrid::HasCustomCellBorder()
{
    return bool(OnGetCellBorder);
}

bool TQorStringGrid::UseVCLStyles()
{
    return FLookState.FUseVCLStyles;
}

TColor TQorStringGrid::PlainColor(TColor Value)
{
    return Value == clNone ? clNone : ColorToRGB(Value);
}

void TQorStringGrid::SetJOQGradFrom(TColor Value)
{
    FLookState.FJOQGradFrom = PlainColor(Value);
    Invalidate();
}

void TQorStringGrid::SetJOQGradTo(TColor Value)
{
    FLookState.FJOQGradTo = PlainColor(Value);
    Invalidate();
}

void TQorStringGrid::SetJOQGradMirrorFrom(TColor Value)
{
    FLookState.FJOQGradMirrorFrom = PlainColor(Value);
    Invalidate();
}

void TQorStringGrid::SetJOQGradMirrorTo(TColor Value)
{
    FLookState.FJOQGradMirrorTo = PlainColor(Value);
    Invalidate();
}

void TQorStringGrid::OptionsStoreJOQGrad(TJOQGradField Field, TColor Value)
{
    TLookState& L = FLookState;
    switch (Field) {
    case TJOQGradField::HoverFrom: L.FJOQGradHoverFrom = Value; break;
    case TJOQGradField::HoverTo: L.FJOQGradHoverTo = Value; break;
    case TJOQGradField::HoverMirrorFrom: L.FJOQGradHoverMirrorFrom = Value; break;
    case TJOQGradField::HoverMirrorTo: L.FJOQGradHoverMirrorTo = Value; break;
    case TJOQGradField::HoverBorder: L.FJOQGradHoverBorder = Value; break;
    case TJOQGradField::DownFrom: L.FJOQGradDownFrom = Value; break;
    case TJOQGradField::DownTo: L.FJOQGradDownTo = Value; break;
    case TJOQGradField::DownMirrorFrom: L.FJOQGradDownMirrorFrom = Value; break;
    case TJOQGradField::DownMirrorTo: L.FJOQGradDownMirrorTo = Value; break;
    case TJOQGradField::DownBorder: L.FJOQGradDownBorder = Value; break;
    }
}

void TQorStringGrid::OptionsInvalidate()
{
    Invalidate();
}

void TQorStringGrid::OptionsRepaintRow(int ARow)
{
    if (HandleAllocated() && ARow >= 0 && ARow < GetRowCount()) InvalidateRow(ARow);
}

int TQorStringGrid::OptionsFixedRows() const
{
    return GetFixedRows();
}

bool TQorStringGrid::OptionsHasNodes() const
{
    return FDims.FNumNodes > 0;
}

bool TQorStringGrid::OptionsHasParent() const
{
    return GetParent() != nullptr;
}

void TQorStringGrid::FixedFontChanged(TObject*)
{
    Invalidate();
}

void TQorStringGrid::BandsChanged(TObject*)
{
    Invalidate();
}

void TQorStringGrid::ModifiedChanged(TObject*)
{
    if (HandleAllocated()) InvalidateCol(0);
}
