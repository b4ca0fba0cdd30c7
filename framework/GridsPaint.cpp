// Grids: the paint loop over the visible cells, grid lines and cell invalidation.
#include "Grids.h"

#include "WinScope.h"

#include <algorithm>

void TCustomGrid::Paint()
{
    TCanvas* C = GetCanvas();
    TGridDrawInfo D;
    CalcDrawInfo(D);
    TRect Client = GetClientRect();
    HDC DC = C->GetHandle();
    TGridRect Sel = GetSelection();
    bool Focused = IsActiveControl();
    int LW = FGridLineWidth;
    TColor LineColor = clBtnShadow;
    C->GetFont()->Assign(GetFont());
    TColor FontColor = GetFont()->GetColor();

    // The visible cells of each axis: index and start, fixed cells first, hidden cells skipped.
    std::vector<TGridSpan> Spans[2];
    for (TGridAxisKind A : GridAxes) Along(D, A).VisibleSpans(Spans[int(A)]);
    const std::vector<TGridSpan>& Cols = Spans[int(TGridAxisKind::Cols)];
    const std::vector<TGridSpan>& Rows = Spans[int(TGridAxisKind::Rows)];

    {
        // Each cell is clipped to itself (unless it lies wholly in the client area and the
        // descendant keeps its drawing inside it); the clip is reset between cells without
        // SaveDC, which would leave the canvas's idea of its selected brush and font behind.
        // The fixed cells go first, then the others: each cell keeps to its own rectangle, so the
        // order changes no pixel, and the fixed cells' font (often bold) is put in the device
        // context twice a paint instead of twice a row, which costs more than the cells' text.
        TClipScope Clip(DC);
        auto PaintCell = [&](const TGridSpan& R, const TGridSpan& Cl, bool Fixed) {
            TRect Where{Cl.Pos, R.Pos, Cl.Pos + Cl.Size, R.Pos + R.Size};
            TGridDrawState State;
            if (Fixed) {
                State << gdFixed;
            } else {
                bool InSel =
                    Cl.Index >= Sel.Left && Cl.Index <= Sel.Right && R.Index >= Sel.Top && R.Index <= Sel.Bottom;
                bool IsCurrent = Cl.Index == FCurrent.X && R.Index == FCurrent.Y;
                if (IsCurrent && Focused) State << gdFocused;
                if (InSel &&
                    (!IsCurrent || FOptions.Contains(goRowSelect) || FOptions.Contains(goDrawFocusSelected) || !Focused))
                    State << gdSelected;
                if (FOptions.Contains(goRowSelect) && R.Index == FCurrent.Y) State << gdRowSelected;
            }
            // Keeps a descendant's drawing inside its cell.
            const bool ClipCell =
                Where.Right > Client.Right || Where.Bottom > Client.Bottom || ClipCellPaint(Cl.Index, R.Index, Where);
            if (ClipCell) IntersectClipRect(DC, Where.Left, Where.Top, Where.Right, Where.Bottom);
            if (FDefaultDrawing) {
                TColor Back = Fixed ? FFixedColor : State.Contains(gdSelected) ? clHighlight : FColor;
                C->GetBrush()->SetColor(Back);
                C->FillRect(Where);
                C->GetFont()->SetColor(State.Contains(gdSelected) ? clHighlightText : FontColor);
            }
            DrawCell(Cl.Index, R.Index, Where, State);
            if (ClipCell) SelectClipRgn(DC, Clip.Saved());
            if (FDefaultDrawing && Fixed && FDrawingStyle == gdsClassic && FCtl3D &&
                (FOptions.Contains(goFixedVertLine) || FOptions.Contains(goFixedHorzLine))) {
                RECT RR{Where.Left, Where.Top, Where.Right, Where.Bottom};
                DrawEdge(DC, &RR, BDR_RAISEDINNER, BF_TOPLEFT);
                DrawEdge(DC, &RR, BDR_RAISEDINNER, BF_BOTTOMRIGHT);
            }
            if (FDefaultDrawing && State.Contains(gdFocused) && !FOptions.Contains(goRowSelect) && !FEditorMode) {
                RECT FR{Where.Left, Where.Top, Where.Right, Where.Bottom};
                ::DrawFocusRect(DC, &FR);
            }
        };
        for (const bool FixedPass : {true, false})
            for (const TGridSpan& R : Rows) {
                const bool FixedRow = R.Index < FRows.FixedCount();
                if (FixedRow && !FixedPass) continue;
                for (const TGridSpan& Cl : Cols)
                    if (const bool Fixed = FixedRow || Cl.Index < FCols.FixedCount(); Fixed == FixedPass)
                        PaintCell(R, Cl, Fixed);
            }
    }

    // Grid lines after each visible cell of each axis, across the fixed band of the other axis
    // and across the rest, as the options say; a fixed cell's line runs the whole way.
    if (LW > 0) {
        TGdiBrush Line(CreateSolidBrush(ColorToRGB(LineColor)));
        TGdiBrush FixedLine(CreateSolidBrush(ColorToRGB(clBlack)));
        for (TGridAxisKind A : GridAxes) {
            const TGridAxisTraits T = GridAxisTraits(A);
            const TGridAxisDrawInfo& Across = Along(D, Dual(A));
            for (const TGridSpan& S : Spans[int(A)]) {
                bool Fixed = S.Index < Axis(A).FixedCount();
                int End = S.Pos + S.Size;
                TRect FixedPart = RectAlong(A, End, End + LW, 0, Fixed ? 0 : Across.FixedBoundary);
                TRect GridPart = RectAlong(A, End, End + LW, Fixed ? 0 : Across.FixedBoundary, Across.GridBoundary);
                if (FOptions.Contains(Fixed ? T.FixedLine : T.Line))
                    FillRect(DC, reinterpret_cast<const RECT*>(&GridPart), Fixed ? FixedLine : Line);
                if (FOptions.Contains(T.FixedLine)) FillRect(DC, reinterpret_cast<const RECT*>(&FixedPart), FixedLine);
            }
        }
    }

    // The area past the last cell.
    C->GetBrush()->SetColor(FColor);
    if (D.Horz.GridBoundary < Client.Right)
        C->FillRect(TRect{D.Horz.GridBoundary, 0, Client.Right, Client.Bottom});
    if (D.Vert.GridBoundary < Client.Bottom)
        C->FillRect(TRect{0, D.Vert.GridBoundary, D.Horz.GridBoundary, Client.Bottom});

    if (FGridState == gsRowMoving || FGridState == gsColMoving) DrawMove();
}

void TCustomGrid::WMPaint(TMessage& Message)
{
    {
        // Double-buffered through the window control's handler; the canvas paints in Paint.
        TFlagScope<TControlStateFlag> Custom(FControlState, TControlStateFlag::csCustomPaint);
        TWinControl::WMPaint(Message);
    }
    // Painting wipes the XOR sizing line: draw it again.
    if (FSizingLineShown) {
        FSizingLineShown = false;
        TGridDrawInfo D;
        CalcDrawInfo(D);
        DrawSizingLine(D);
    }
}

void TCustomGrid::WMEraseBkgnd(TMessage& Message)
{
    // Paint covers every pixel.
    Message.Result = 1;
}

void TCustomGrid::GridRectToScreenRect(const TGridRect& G, TRect& S, bool IncludeLine)
{
    S = TRect{0, 0, 0, 0};
    if (G.Left > G.Right || G.Top > G.Bottom) return;
    TGridDrawInfo D;
    CalcDrawInfo(D);
    // Only the visible part of the rectangle: clipped to the view's first and last cells.
    int L, R, T, B;
    bool SeenX = D.Horz.PixelRange(G.Left, G.Right, L, R);
    bool SeenY = D.Vert.PixelRange(G.Top, G.Bottom, T, B);
    if (!SeenX || !SeenY) return;
    S = TRect{L, T, std::min(R, D.Horz.GridExtent), std::min(B, D.Vert.GridExtent)};
}

void TCustomGrid::InvalidateRect(const TGridRect& ARect)
{
    if (!HandleAllocated() || FUpdating) return;
    // Quick answers for rectangles wholly in the scrolled-off part before the origin.
    for (TGridAxisKind A : GridAxes) {
        int Fixed = Axis(A).FixedCount();
        if (RectHi(ARect, A) < Along(FTopLeft, A) && RectHi(ARect, A) >= Fixed && RectLo(ARect, A) >= Fixed) return;
    }
    TRect S;
    GridRectToScreenRect(ARect, S, true);
    if (S.IsEmpty()) return;
    RECT R{S.Left, S.Top, S.Right, S.Bottom};
    ::InvalidateRect(FHandle, &R, FALSE);
}

void TCustomGrid::InvalidateCell(int ACol, int ARow)
{
    InvalidateRect(TGridRect{ACol, ARow, ACol, ARow});
}

void TCustomGrid::InvalidateLine(TGridAxisKind A, int Index)
{
    InvalidateRect(GridRectAlong(A, Index, Index, 0, Axis(Dual(A)).Count() - 1));
}

void TCustomGrid::InvalidateGrid()
{
    if (FUpdating) return;
    Invalidate();
}

void TCustomGrid::Invalidate()
{
    if (!HandleAllocated()) return;
    ::InvalidateRect(FHandle, nullptr, FALSE);
}

void TCustomGrid::InvalidateEditor()
{
    FInplaceCol = -1;
    FInplaceRow = -1;
    UpdateEdit();
}

// ---- Sizing line and move mark -----------------------------------------------------------------

void TCustomGrid::DrawSizingLine(const TGridDrawInfo& D)
{
    if (!HandleAllocated()) return;
    {
        // An inverting line across the grid at the sizing position.
        TClientDC DC(FHandle);
        TGdiPen Pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
        TSavedDC Saved(DC);
        SetROP2(DC, R2_NOT);
        SelectObject(DC, Pen);
        TGridAxisKind A = StateAxis(FGridState);
        TRect L = RectAlong(A, FSizingPos, FSizingPos, 0, Along(D, Dual(A)).GridBoundary);
        MoveToEx(DC, L.Left, L.Top, nullptr);
        LineTo(DC, L.Right, L.Bottom);
    }
    FSizingLineShown = !FSizingLineShown;
}

void TCustomGrid::DrawMove()
{
    // A thick bar where the moved row or column would go (painted with the cells).
    TCanvas* C = GetCanvas();
    if (!C->HandleAllocated()) return;
    TGridDrawInfo D;
    CalcDrawInfo(D);
    TGridAxisKind A = StateAxis(FGridState);
    TGridCoord To = CoordAlong(A, FMovePos, 0);
    TRect R = CellRect(To.X, To.Y);
    if (R.IsEmpty()) return;
    int P = FMovePos > FMoveIndex ? RectEnd(R, A) : RectStart(R, A);
    R = RectAlong(A, P - 1, P + 2, 0, Along(D, Dual(A)).GridBoundary);
    C->GetBrush()->SetColor(clHighlight);
    C->FillRect(R);
}

// ---- TStringGrid -------------------------------------------------------------------------------

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    if (FDefaultDrawing) {
        String S = GetCells(ACol, ARow);
        if (!S.empty()) GetCanvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, S);
    }
    inherited::DrawCell(ACol, ARow, ARect, AState);
}
