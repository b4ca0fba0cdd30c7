// Grids: the paint loop over the visible cells, grid lines and cell invalidation.
#include "Grids.h"

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

    // The visible cells of one axis: index and start, fixed cells first, hidden cells skipped.
    struct TSpan { int Index, Pos, Size; };
    auto Spans = [](const TGridAxisDrawInfo& A, std::vector<TSpan>& Out) {
        Out.clear();
        int Pos = 0;
        for (int i = 0; i < A.FixedCellCount && Pos < A.GridExtent; ++i) {
            int E = A.GetExtent(i);
            if (E <= 0) continue;
            Out.push_back({i, Pos, E});
            Pos += E + A.EffectiveLineWidth;
        }
        Pos = A.FixedBoundary;
        for (int i = A.FirstGridCell; i < A.GridCellCount && Pos < A.GridExtent; ++i) {
            int E = A.GetExtent(i);
            if (E <= 0) continue;
            Out.push_back({i, Pos, E});
            Pos += E + A.EffectiveLineWidth;
        }
    };
    std::vector<TSpan> Cols, Rows;
    Spans(D.Horz, Cols);
    Spans(D.Vert, Rows);

    // Each cell is clipped to itself; the clip is reset between cells without SaveDC, which
    // would leave the canvas's idea of its selected brush and font behind.
    HRGN OrigClip = CreateRectRgn(0, 0, 0, 0);
    bool HasClip = GetClipRgn(DC, OrigClip) == 1;
    auto ResetClip = [&] { SelectClipRgn(DC, HasClip ? OrigClip : nullptr); };
    for (const TSpan& R : Rows) {
        bool FixedRow = R.Index < FFixedRows;
        for (const TSpan& Cl : Cols) {
            bool Fixed = FixedRow || Cl.Index < FFixedCols;
            TRect Where{Cl.Pos, R.Pos, Cl.Pos + Cl.Size, R.Pos + R.Size};
            TGridDrawState State;
            if (Fixed) {
                State << gdFixed;
            } else {
                bool InSel = Cl.Index >= Sel.Left && Cl.Index <= Sel.Right && R.Index >= Sel.Top &&
                             R.Index <= Sel.Bottom;
                bool IsCurrent = Cl.Index == FCurrent.X && R.Index == FCurrent.Y;
                if (IsCurrent && Focused) State << gdFocused;
                if (InSel && (!IsCurrent || FOptions.Contains(goRowSelect) ||
                              FOptions.Contains(goDrawFocusSelected) || !Focused))
                    State << gdSelected;
                if (FOptions.Contains(goRowSelect) && R.Index == FCurrent.Y) State << gdRowSelected;
            }
            // Keeps a descendant's drawing inside its cell.
            IntersectClipRect(DC, Where.Left, Where.Top, Where.Right, Where.Bottom);
            if (FDefaultDrawing) {
                TColor Back = Fixed ? FFixedColor : State.Contains(gdSelected) ? clHighlight : FColor;
                C->GetBrush()->SetColor(Back);
                C->FillRect(Where);
                C->GetFont()->SetColor(State.Contains(gdSelected) ? clHighlightText : FontColor);
            }
            try {
                DrawCell(Cl.Index, R.Index, Where, State);
            } catch (...) {
                ResetClip();
                DeleteObject(OrigClip);
                throw;
            }
            ResetClip();
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
        }
    }

    DeleteObject(OrigClip);

    // Grid lines: after each visible cell, in the fixed and the scrolled areas as the options say.
    if (LW > 0) {
        HBRUSH Line = CreateSolidBrush(ColorToRGB(LineColor));
        HBRUSH FixedLine = CreateSolidBrush(ColorToRGB(clBlack));
        int Right = D.Horz.GridBoundary, Bottom = D.Vert.GridBoundary;
        for (const TSpan& Cl : Cols) {
            bool Fixed = Cl.Index < FFixedCols;
            RECT FixedPart{Cl.Pos + Cl.Size, 0, Cl.Pos + Cl.Size + LW, D.Vert.FixedBoundary};
            RECT GridPart{Cl.Pos + Cl.Size, D.Vert.FixedBoundary, Cl.Pos + Cl.Size + LW, Bottom};
            if (Fixed) GridPart.top = 0, FixedPart.bottom = 0;
            if (Fixed ? FOptions.Contains(goFixedVertLine) : FOptions.Contains(goVertLine))
                FillRect(DC, &GridPart, Fixed ? FixedLine : Line);
            if (FOptions.Contains(goFixedVertLine)) FillRect(DC, &FixedPart, FixedLine);
        }
        for (const TSpan& R : Rows) {
            bool Fixed = R.Index < FFixedRows;
            RECT FixedPart{0, R.Pos + R.Size, D.Horz.FixedBoundary, R.Pos + R.Size + LW};
            RECT GridPart{D.Horz.FixedBoundary, R.Pos + R.Size, Right, R.Pos + R.Size + LW};
            if (Fixed) GridPart.left = 0, FixedPart.right = 0;
            if (Fixed ? FOptions.Contains(goFixedHorzLine) : FOptions.Contains(goHorzLine))
                FillRect(DC, &GridPart, Fixed ? FixedLine : Line);
            if (FOptions.Contains(goFixedHorzLine)) FillRect(DC, &FixedPart, FixedLine);
        }
        DeleteObject(Line);
        DeleteObject(FixedLine);
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
    // Double-buffered through the window control's handler; the canvas paints in Paint.
    FControlState << TControlStateFlag::csCustomPaint;
    try {
        TWinControl::WMPaint(Message);
    } catch (...) {
        FControlState >> TControlStateFlag::csCustomPaint;
        throw;
    }
    FControlState >> TControlStateFlag::csCustomPaint;
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
    auto Range = [](const TGridAxisDrawInfo& A, int Lo, int Hi, int& From, int& To) {
        From = -1, To = -1;
        int Pos = 0;
        auto Visit = [&](int i) {
            int Sp = A.GetExtent(i) > 0 ? A.GetExtent(i) + A.EffectiveLineWidth : 0;
            if (i >= Lo && i <= Hi && Sp > 0) {
                if (From < 0) From = Pos;
                To = Pos + Sp;
            }
            Pos += Sp;
        };
        for (int i = 0; i < A.FixedCellCount; ++i) Visit(i);
        for (int i = A.FirstGridCell; i < A.GridCellCount && Pos < A.GridExtent && i <= Hi; ++i) Visit(i);
    };
    int L, R, T, B;
    Range(D.Horz, G.Left, G.Right, L, R);
    Range(D.Vert, G.Top, G.Bottom, T, B);
    if (L < 0 || T < 0) return;
    S = TRect{L, T, std::min(R, D.Horz.GridExtent), std::min(B, D.Vert.GridExtent)};
}

void TCustomGrid::InvalidateRect(const TGridRect& ARect)
{
    if (!HandleAllocated() || FUpdating) return;
    // Quick answers for rectangles wholly in the scrolled-off part before the origin.
    if (ARect.Bottom < FTopLeft.Y && ARect.Bottom >= FFixedRows && ARect.Top >= FFixedRows) return;
    if (ARect.Right < FTopLeft.X && ARect.Right >= FFixedCols && ARect.Left >= FFixedCols) return;
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

void TCustomGrid::InvalidateRow(int ARow)
{
    InvalidateRect(TGridRect{0, ARow, FColCount - 1, ARow});
}

void TCustomGrid::InvalidateCol(int ACol)
{
    InvalidateRect(TGridRect{ACol, 0, ACol, FRowCount - 1});
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
    HDC DC = GetDC(FHandle);
    int Old = SetROP2(DC, R2_NOT);
    HPEN Pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HGDIOBJ OldPen = SelectObject(DC, Pen);
    if (FGridState == gsRowSizing) {
        MoveToEx(DC, 0, FSizingPos, nullptr);
        LineTo(DC, D.Horz.GridBoundary, FSizingPos);
    } else {
        MoveToEx(DC, FSizingPos, 0, nullptr);
        LineTo(DC, FSizingPos, D.Vert.GridBoundary);
    }
    SelectObject(DC, OldPen);
    DeleteObject(Pen);
    SetROP2(DC, Old);
    ReleaseDC(FHandle, DC);
    FSizingLineShown = !FSizingLineShown;
}

void TCustomGrid::DrawMove()
{
    // A thick bar where the moved row or column would go (painted with the cells).
    TCanvas* C = GetCanvas();
    if (!C->HandleAllocated()) return;
    TGridDrawInfo D;
    CalcDrawInfo(D);
    TRect R;
    if (FGridState == gsColMoving) {
        R = CellRect(FMovePos, 0);
        if (R.IsEmpty()) return;
        int X = FMovePos > FMoveIndex ? R.Right : R.Left;
        R = TRect{X - 1, 0, X + 2, D.Vert.GridBoundary};
    } else {
        R = CellRect(0, FMovePos);
        if (R.IsEmpty()) return;
        int Y = FMovePos > FMoveIndex ? R.Bottom : R.Top;
        R = TRect{0, Y - 1, D.Horz.GridBoundary, Y + 2};
    }
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
