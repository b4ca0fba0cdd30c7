// TQorStringGrid: painting the grid and its cells, and the fixed-cell gradient colours the control
// look passes on. DrawGridCell lays a cell's layers over the background the base grid painted, in
// a fixed order, each layer a routine on the one TCellPaintContext of the cell; the text layer is
// in QorCellText.cpp, the colours and fonts in QorVisualProps.cpp, the widgets, borders and cell
// backgrounds in CellWidgetPaint.cpp. Looks, styles and tones are in QorGridStyles.cpp, the frame,
// background and focus frame in QorGridFrame.cpp, the glyphs in QorCellGlyphs.cpp. Cell widget
// records are in QorCellWidgets.cpp, QorCellCheck.cpp and QorCellSizes.cpp, the footer row in
// QorGridFooter.cpp, the appearance setters in QorGridAppearance.cpp.
#include "grid/QorGrid.h"

#include "grid/QorGridSatellites.h"
#include "grid/paint/CellGraphic.h"
#include "grid/paint/CellPaintContext.h"
#include "grid/paint/CellWidgetPaint.h"
#include "grid/store/QorGridOptions.h"

#include "graphics/QorXPVS.h"
#include "controls/JyrControls.h"
#include "controls/QorDropDown.h"

#include <cmath>
#include <utility>

// ---- Painting the grid ----------------------------------------------------------------------------------

void TQorStringGrid::Paint()
{
    // 1. No framework style service paints the grid's background: the visual-style steps never apply.
    FLookState.FStyleBkg = false;
    TCanvas* C = GetCanvas();
    // 2. The cells.
    C->GetPen()->SetStyle(psSolid);
    C->GetBrush()->SetStyle(bsSolid);
    {
        TPaintCellLook Look;
        TValueScope<TPaintCellLook*> Keep(FPaintCellLook, &Look);
        inherited::Paint();
    }
    // 3. The frame of the cell being edited.
    if (FEdit.FEditMode && GetEditorMode()) {
        const TGridOptions Opts = GetOptions();
        TColor PenColor = GetGridLineWidth() > 0 ? GetGridLineColor() : GetColor();
        if (!Opts.Contains(goVertLine) && !Opts.Contains(goHorzLine)) PenColor = GetColor();
        C->GetPen()->SetColor(PenColor);
        C->GetBrush()->SetStyle(bsClear);
        C->Rectangle(CellRect(GetCol(), GetRow()));
        C->GetBrush()->SetStyle(bsSolid);
    }
    // 4. The area beyond the cells.
    C->GetPen()->SetColor(clBlack);
    TBitmap* BgBitmap = FOpt.FBackGround->GetBitmap();
    if ((BgBitmap && !BgBitmap->GetEmpty()) || FOpt.FBackGround->GetColorTo() != clNone) PaintBackground();
    // 5, 6.
    PaintDesigner();
    if (OnPainted) OnPainted(this);
}

void TQorStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    const TRect R = ARect;
    inherited::DrawCell(ACol, ARow, R, AState);
}

// ---- One cell, layer by layer ----------------------------------------------------------------------

void TQorStringGrid::DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    TCellPaintContext C;
    C.Grid = this;
    C.Canvas = Canvas;
    C.ARow = ARow;
    C.AState = AState;
    C.CellRect = C.Rect = ARect;
    // A plain cell the paint loop left unclipped: ARect is its face inside the lines.
    C.Unclipped = std::exchange(FCellUnclipped, false);
    const int LW = GetGridLineWidth();
    C.Bounds = TRect(ARect.Left - LW, ARect.Top - LW, ARect.Right + LW, ARect.Bottom + LW);

    // 1. Indexes.
    if (GetCtl3D() == GetFlat()) SetCtl3D(!GetFlat());
    C.OCol = ACol;
    C.ACol = RemapCol(ACol);
    TMouseActions* MA = FOpt.FMouseActions.get();
    C.RRow = MA->GetDisjunctRowSelect() && MA->GetRowSelectPersistent() ? RemapRowInv(ARow) : ARow;

    // 2. The filter glyph of the filter drop-down row: columns that have filter values.
    if (ARow == FFilterState.FFilterDropDownRow && (FFilterState.FFilterDropDownAuto || OnGetColumnFilter))
        C.FilterGlyph = FLists.FFilterList && GetFilter(C.ACol, true, false);

    // 3. The in-cell scroll bar.
    if (C.Unclipped && HasScrollBar(C.ACol, ARow)) C.ClipToCell();
    PaintCellScrollBar(C);

    // 4. Colours, font, alignment and word wrap (the base grid's pass may have found them).
    C.WordWrap = FWordWrap;
    if (TPaintCellLook* L = FPaintCellLook; L && L->Valid && L->Col == ACol && L->Row == ARow && L->State == C.AState) {
        L->Valid = false;
        Canvas->GetBrush()->SetColor(L->BrushColor);
        C.AColorTo = L->ColorTo;
        C.AMirrorColor = L->MirrorColor;
        C.AMirrorColorTo = L->MirrorColorTo;
        Canvas->GetFont()->Assign(&L->Font);
        C.HAlignment = L->HA;
        C.VAlign = L->VA;
        C.WordWrap = L->WW;
        C.GD = L->GD;
    } else {
        GetVisualProperties(ACol, ARow, C.AState, false, false, true, Canvas->GetBrush(), C.AColorTo, C.AMirrorColor,
                            C.AMirrorColorTo, Canvas->GetFont(), C.HAlignment, C.VAlign, C.WordWrap, C.GD);
    }

    // 5. The widget and its room.
    C.CellGraphic =
        GetGraphicDetails(C.ACol, ARow, C.GraphicWidth, C.GraphicHeight, C.DisplText, C.hal, C.val);
    if (C.ACol == 0 && FDims.FNumNodes > 0 && IsNode(ARow) && HasCellProperties(0, ARow))
        C.GraphicWidth = GetCellProperties(0, ARow)->GetNodeLevel() * 12 + 4;

    // 6. A selected cell without focus and without a selection colour of its own.
    if (C.AState.Contains(gdSelected) && !C.AState.Contains(gdFocused) && GetSelectionColor() == clNone)
        Canvas->GetBrush()->SetColor(clHighlight);

    // 7. Zoom: at least a 1-point font.
    if (FDims.FZoomFactor != 0)
        Canvas->GetFont()->SetSize(std::max(1, Canvas->GetFont()->GetSize() + FDims.FZoomFactor));

    // 8. The cell's colours as the layers found them; the fixed flag.
    C.SavedBrushColor = Canvas->GetBrush()->GetColor();
    C.SavedFontColor = Canvas->GetFont()->GetColor();
    C.IsFixedCell = IsFixedCellOf(ACol, ARow);
    if (C.IsFixedCell && FHoverRow && FHoverRowIdx == ARow && FHoverRowCells.Contains(hcFixed)) C.IsFixedCell = false;

    // Layers that may reach past the cell: the widget, the application's drawing, editor
    // buttons, the row indicator, the node tree, a wider focus frame, the fixed looks.
    if (C.Unclipped) {
        TControlLook* CL = FOpt.FControlLook.get();
        TBitmap* Indicator = FOpt.FRowIndicator.get();
        if (C.CellGraphic || C.IsFixedCell || OnCustomCellBkgDraw || OnDrawCell || OnCustomCellDraw ||
            CL->GetDropDownAlwaysVisible() || CL->GetSpinButtonsAlwaysVisible() || FDims.FNumNodes > 0 ||
            (C.ACol == 0 && Indicator && !Indicator->GetEmpty()) || LW != 1)
            C.ClipToCell();
    }

    // 9 - 13. Style, look, row indicator, list-view header, modified marker.
    PaintCellStyle(C);
    PaintFixedLook(C);
    PaintRowIndicator(C);
    PaintListViewHeader(C);
    PaintModifiedMarker(C);

    // 14. The application's background drawing.
    if (OnCustomCellBkgDraw) OnCustomCellBkgDraw(this, Canvas, C.ACol, ARow, C.AState, C.Rect, false);

    // 15, 16. Editor buttons, then the text.
    C.SavedRight = C.Rect.Right;
    PaintEditorButtons(C);
    PaintCellContent(C);

    // 17. Colours back, the borders around the whole cell.
    C.Rect.Right = C.SavedRight;
    Canvas->GetBrush()->SetColor(C.SavedBrushColor);
    Canvas->GetFont()->SetColor(C.SavedFontColor);
    C.Rect = TRect(C.Rect.Left - 1, C.Rect.Top - 1, C.Rect.Right + 1, C.Rect.Bottom + 1);
    if (CellHasBorders(C.ACol, ARow)) {
        C.ClipToCell();
        CellWidgetLayer(C, TCellWidgetStep::Borders, C.Rect);
    }
    C.Rect.Left -= C.IndicatorWidth;

    // 18 - 20. Fixed edges of the look, the right fixed frame, the node tree.
    PaintFixedEdges(C);
    PaintRightFixedFrame(C);
    PaintNodeTree(C);

    // 21. The widget (an interface widget drawn as background was drawn at step 16).
    if (C.CellGraphic) {
        auto* I = C.CellGraphic->FCellType == ctInterface ? dynamic_cast<ICellGraphic*>(C.CellGraphic->FCellBitmap)
                                                           : nullptr;
        if (!I || !I->IsBackground()) {
            TRect WR = C.Rect;
            if (C.IsFixedCell) ++WR.Top;
            CellWidgetLayer(C, TCellWidgetStep::Graphic, WR, C.CellGraphic, C.VAlign);
            C.Rect = WR;
        }
    }

    // 22. The application's drawing events.
    if (OnDrawCell) {
        const int W = GetGridLineWidth();
        const TRect ER(C.Rect.Left, C.Rect.Top, C.Rect.Right - W, C.Rect.Bottom - W);
        OnDrawCell(this, C.ACol, ARow, ER, C.AState);
    }
    if (OnCustomCellDraw) OnCustomCellDraw(this, Canvas, C.ACol, ARow, C.AState, C.Rect, false);

    // 23. The focus rectangle (24, column numbers in a designer, is not part of a running grid).
    PaintFocusRect(C);
}

bool TQorStringGrid::CellPaintsInside(int ACol, int ARow)
{
    // DrawGridCell clips an unclipped cell itself before any layer that may reach past it.
    return true;
}

TColor TQorStringGrid::PaintPrefillColor()
{
    // The grid's colour, unless most cells take another (bands) or a colour setting or event may
    // leave an ordinary cell without a background: no selection colour, a filter row without a
    // colour, the colour events.
    if (GetColor() == clNone || FOpt.FBands->GetActive() || GetSelectionColor() == clNone ||
        FOpt.FFilterEdit->GetColor() == clNone || OnGetCellColor || OnGetCellGradient)
        return clNone;
    return GetColor();
}

bool TQorStringGrid::CellHasBorders(int RCol, int ARow)
{
    // GetCellBorder's sources: the grouping lines and the application's events.
    if (OnGetCellBorder || OnGetCellBorderProp) return true;
    TGrouping* G = FOpt.FGrouping.get();
    return RCol > 0 && ((G->GetHeaderUnderline() && IsNode(ARow)) || (G->GetSummaryLine() && IsSummary(ARow)));
}

void TQorStringGrid::PaintCellScrollBar(TCellPaintContext& C)
{
    if (!HasScrollBar(C.ACol, C.ARow) || !FWin.FPaintScrollBar) return;
    TScrollBar* Bar = FWin.FPaintScrollBar;
    const TScrollProp P = GetScrollProp(C.ACol, C.ARow);
    if (P.PageSize >= P.Range) return;
    Bar->SetParams(GetScrollPosition(C.ACol, C.ARow), 0, P.Range);
    Bar->SetPageSize(P.PageSize);
    C.ScrollOffset = Bar->GetPosition();
    Bar->SetHeight(C.Rect.Height());
    C.Rect.Right -= Bar->GetWidth();
    // The bar is painted, never shown: a window is needed only to paint it.
    if (Bar->GetParent() == nullptr) Bar->SetParent(this);
    if (HandleAllocated()) Bar->PaintTo(C.Canvas->GetHandle(), C.Rect.Right, C.Rect.Top);
}

void TQorStringGrid::PaintCellStyle(TCellPaintContext& C)
{
    // The framework offers no visual style of its own (FStyleBkg stays off): a selected cell that
    // may not show the selection is outlined in its brush colour only when a style is on.
    C.StyleDrawn = false;
}

bool TQorStringGrid::HoverFixedCell(int ACol, int ARow)
{
    if (FPaint.FColumnMoving) return FPaint.FMoveColumn == ACol;
    return FLookState.FHoverFixedCell.X == ACol && FLookState.FHoverFixedCell.Y == ARow;
}

void TQorStringGrid::PaintFixedHover(TCellPaintContext& C)
{
    TCanvas* Cv = C.Canvas;
    const TLookState& L = FLookState;
    const bool DropZone = FOpt.FControlLook->GetFixedDropDownButton() && CanShowFixedDropDown(C.ACol);
    TRect R = C.Rect;
    ++R.Bottom;
    auto Hover = [&](const TRect& Area) {
        QorUtil::DrawVistaGradient(Cv, Area, L.FJOQGradHoverFrom, L.FJOQGradHoverTo, L.FJOQGradHoverMirrorFrom,
                                   L.FJOQGradHoverMirrorTo, false, L.FJOQGradHoverBorder, false, true);
    };
    auto Down = [&](const TRect& Area) {
        QorUtil::DrawVistaGradient(Cv, Area, L.FJOQGradDownFrom, L.FJOQGradDownTo, L.FJOQGradDownMirrorFrom,
                                   L.FJOQGradDownMirrorTo, false, L.FJOQGradDownBorder, false, true);
    };
    const bool Pressed = FSel.FMouseDown;
    const TRect Zone(R.Right - 16, R.Top, R.Right, R.Bottom), Rest(R.Left, R.Top, R.Right - 16, R.Bottom);
    if (!Pressed && !FPaint.FColumnMoving) Hover(R);
    else if (DropZone) {
        if (FPaint.FDropDownDown) {
            Down(Zone);
            Hover(Rest);
        } else {
            Down(Rest);
            Hover(Zone);
        }
    } else {
        Down(R);
    }
    C.Rect.Bottom = R.Bottom;
    if (!DropZone) return;
    Cv->GetPen()->SetColor(FPaint.FDropDownDown ? L.FJOQGradDownBorder : L.FJOQGradHoverBorder);
    Cv->MoveTo(R.Right - 16, R.Top);
    Cv->LineTo(R.Right - 16, R.Bottom);
    QorUtil::DrawTriangle(Cv, R.Right - 8, R.Top + 8, clBlack);
    C.Rect.Right -= 16;
}

void TQorStringGrid::PaintFixedLook(TCellPaintContext& C)
{
    if (!C.IsFixedCell || C.StyleDrawn) return;
    const TGridLook L = FLookState.FLook;
    if (L != glJOQ && L != glXP && L != glVista && L != glWin7 && L != glOffice2007) return;
    TCanvas* Cv = C.Canvas;
    if (HoverFixedCell(C.OCol, C.ARow)) {
        PaintFixedHover(C);
        return;
    }
    const bool Heading = GetActiveCellShow() && ((C.OCol < GetFixedCols() && C.ARow == GetRow()) ||
                                                 (C.ARow < GetFixedRows() && C.OCol == GetCol()));
    if (Heading) {
        QorUtil::DrawVistaGradient(Cv, C.Rect, GetActiveCellColor(), GetActiveCellColorTo(), clNone, clNone, false,
                                   clNone, false, true);
        return;
    }
    if (L != glSoft && L != glXP) {
        --C.Rect.Right;
        --C.Rect.Bottom;
    }
    TSortSettings* S = FOpt.FSortSettings.get();
    const bool SortHeader = S->GetColumn() == C.OCol && S->GetHeaderColor() != clNone && C.ARow < GetFixedRows() &&
                            (C.OCol >= GetFixedCols() || S->GetFixedCols());
    if (SortHeader)
        QorUtil::DrawVistaGradient(Cv, C.Rect, S->GetHeaderColor(), S->GetHeaderColorTo(), S->GetHeaderMirrorColor(),
                                   S->GetHeaderMirrorColorTo(), false, clNone, true, true);
    else if (!GetFlat())
        QorUtil::DrawVistaGradient(Cv, C.Rect, Cv->GetBrush()->GetColor(), C.AColorTo, C.AMirrorColor,
                                   C.AMirrorColorTo, false, L == glVista ? clWhite : clNone, true, true);
}

void TQorStringGrid::PaintRowIndicator(TCellPaintContext& C)
{
    TBitmap* B = FOpt.FRowIndicator.get();
    if (C.ACol != 0 || C.ARow != GetRow() || GetFixedCols() == 0 || !B || B->GetEmpty()) return;
    if (GetRowCount() == GetFixedRows() && FDims.FFixedRowAlways) return;
    int Y = C.Rect.Top;
    if (GetVAlignment() == vtaCenter) Y = C.Rect.Top + (C.Rect.Height() - B->GetHeight()) / 2;
    else if (GetVAlignment() == vtaBottom) Y = C.Rect.Bottom - B->GetHeight();
    B->SetTransparent(true);
    QorUtil::DrawBitmapAlpha(C.Canvas, C.Rect.Left + 2, Y, B);
    C.IndicatorWidth = B->GetWidth() + 2;
    C.Rect.Left += C.IndicatorWidth;
}

void TQorStringGrid::PaintListViewHeader(TCellPaintContext& C)
{
    if (FLookState.FLook != glListView || !C.IsFixedCell || C.StyleDrawn || GetFlat()) return;
    TCanvas* Cv = C.Canvas;
    if (JyrControls::ThemesActive() && QorXPVS::OpenThemeData && QorXPVS::DrawThemeBackground && HandleAllocated()) {
        ++C.Rect.Bottom;
        POINT P;
        ::GetCursorPos(&P);
        ::ScreenToClient(GetHandle(), &P);
        const bool Inside = C.Rect.Contains(TPoint(P.x, P.y));
        const int Part = Inside ? 1 : 3;
        const int State = !Inside ? 1 : (FSel.FMouseDown ? 3 : 2);
        if (HTHEME Theme = QorXPVS::OpenThemeData(GetHandle(), L"header")) {
            RECT R{C.Rect.Left, C.Rect.Top, C.Rect.Right, C.Rect.Bottom};
            QorXPVS::DrawThemeBackground(Theme, Cv->GetHandle(), Part, State, &R, nullptr);
            QorXPVS::CloseThemeData(Theme);
        }
        Cv->GetPen()->SetColor(clWhite);
        Cv->MoveTo(C.Rect.Left, C.Rect.Top);
        Cv->LineTo(C.Rect.Right, C.Rect.Top);
        return;
    }
    Cv->GetBrush()->SetColor(clBtnFace);
    Cv->GetPen()->SetColor(clWhite);
    Cv->Rectangle(C.Rect);
}

void TQorStringGrid::PaintModifiedMarker(TCellPaintContext& C)
{
    TShowModified* M = FOpt.FShowModified.get();
    if (C.OCol != 0 || !M->GetEnabled() || !GetRowModified(RemapRowInv(C.ARow))) return;
    TCanvas* Cv = C.Canvas;
    const TColor Keep = Cv->GetBrush()->GetColor();
    Cv->GetBrush()->SetColor(M->GetColor());
    Cv->FillRect(TRect(C.Rect.Right - 4, C.Rect.Top, C.Rect.Right, C.Rect.Bottom));
    Cv->GetBrush()->SetColor(Keep);
}

void TQorStringGrid::PaintEditorButtons(TCellPaintContext& C)
{
    TControlLook* CL = FOpt.FControlLook.get();
    if (C.IsFixedCell || (!CL->GetDropDownAlwaysVisible() && !CL->GetSpinButtonsAlwaysVisible())) return;
    QorUtil::TControlDrawStyle Style = QorUtil::cdsXPTheme;
    if (CL->GetFlatButton()) Style = QorUtil::cdsFlat;
    else if (!JyrControls::ThemesActive()) Style = QorUtil::cdsClassic;
    if (GetFlat() && FLookState.FTones.Background.BrushColor != clNone) Style = QorUtil::cdsMetro;
    bool CanEdit = true;
    GetCellReadOnly(C.ACol, C.ARow, CanEdit);
    const QorUtil::TControlState State = CanEdit ? QorUtil::csNormal : QorUtil::csDisabled;
    TEditorType Editor = GetDefaultEditor();
    GetCellEditor(C.ACol, C.ARow, Editor);
    TCanvas* Cv = C.Canvas;
    const HWND H = HandleAllocated() ? GetHandle() : nullptr;
    const double DPI = FLookState.FDPIScale;
    TRect& R = C.Rect;
    if (CL->GetDropDownAlwaysVisible() && HasCombo(C.ACol, C.ARow, Editor)) {
        QorUtil::DrawComboButton(Cv, H, TRect(R.Left - 2, R.Top - 1, R.Right + 1, R.Bottom), Style, State,
                                 FLookState.FTones, DPI);
        R.Right -= int(std::nearbyint(CL->GetDropDownButtonWidth() * DPI));
    } else if (CL->GetDropDownAlwaysVisible() && HasEditBtn(C.ACol, C.ARow, Editor)) {
        QorUtil::DrawButton(Cv, H, TRect(R.Right - CL->GetDropDownButtonWidth() - 3, R.Top - 1, R.Right - 1, R.Bottom - 1),
                            Style, State, FLookState.FTones, CL->GetButtonPrefix(), QorGridConsts::SEditButtonCaption);
        R.Right -= CL->GetDropDownButtonWidth();
    } else if (CL->GetSpinButtonsAlwaysVisible() && HasSpinEdit(C.ACol, C.ARow, Editor)) {
        QorUtil::DrawSpinButtons(Cv, H, R, Style, State, FLookState.FTones);
        R.Right -= 16;
    }
}

void TQorStringGrid::PaintCellContent(TCellPaintContext& C)
{
    // An interface widget that is a background goes under the text.
    if (C.CellGraphic && C.CellGraphic->FCellType == ctInterface)
        if (auto* I = dynamic_cast<ICellGraphic*>(C.CellGraphic->FCellBitmap); I && I->IsBackground()) {
            TRect R = C.Rect;
            R = TRect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
            CellWidgetLayer(C, TCellWidgetStep::Graphic, R, C.CellGraphic, C.VAlign);
        }
    const bool DrawEvents = OnDrawCell || OnCustomCellDraw;
    if (FPaint.FNoDefaultDraw && DrawEvents) return;
    if (C.CellGraphic && FPaint.FNoImageAndText) return;
    DrawCellText(C);
}

void TQorStringGrid::PaintFixedEdges(TCellPaintContext& C)
{
    if (GetFlat() || !C.IsFixedCell || HasFilterEdit(C.OCol, C.ARow)) return;
    TCanvas* Cv = C.Canvas;
    TPen* Pen = Cv->GetPen();
    TRect R = C.Rect;
    const TGridOptions Opts = GetOptions();
    const bool HLines = Opts.Contains(goFixedHorzLine), VLines = Opts.Contains(goFixedVertLine);
    const TColor Dark = QorUtil::DarkenColor(GetFixedColor());
    switch (FLookState.FLook) {
    case glClassic: {
        ++R.Top;
        ++R.Bottom;
        ++R.Left;
        RECT W{R.Left, R.Top, R.Right, R.Bottom};
        ::DrawEdge(Cv->GetHandle(), &W, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
        ::DrawEdge(Cv->GetHandle(), &W, BDR_RAISEDOUTER | BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM);
        Pen->SetColor(clBlack);
        PenLine(Cv, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
        PenLine(Cv, R.Left, R.Bottom - 1, R.Right, R.Bottom - 1);
        break;
    }
    case glJOQ:
    case glXP:
        ++R.Bottom;
        if (!HLines) break;
        Pen->SetColor(Dark);
        PenLine(Cv, R.Left, R.Bottom - 1, R.Right, R.Bottom - 1);
        Pen->SetColor(clWhite);
        PenLine(Cv, R.Right - 2, R.Top + 1, R.Left + 1, R.Top + 1);
        PenLine(Cv, R.Left + 1, R.Top + 1, R.Left + 1, R.Bottom - 1);
        break;
    case glSoft:
        ++R.Right;
        ++R.Bottom;
        if (HLines) {
            Pen->SetColor(Dark);
            PenLine(Cv, R.Left, R.Bottom - 1, R.Right, R.Bottom - 1);
            Pen->SetColor(clWhite);
            PenLine(Cv, R.Right, R.Top + 1, R.Left + 1, R.Top + 1);
            PenLine(Cv, R.Left + 1, R.Top + 1, R.Left + 1, R.Bottom - 1);
        }
        if (VLines) {
            Pen->SetColor(Dark);
            PenLine(Cv, R.Right - 2, R.Top, R.Right - 2, R.Bottom - 1);
            Pen->SetColor(clWhite);
            PenLine(Cv, R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1);
        }
        break;
    default: break;
    }
}

void TQorStringGrid::PaintRightFixedFrame(TCellPaintContext& C)
{
    const int RightFixed = FDims.FFixedRightCols;
    if (!GetFlat() || RightFixed <= 0 || FLookState.FLook == glClassic) return;
    if (C.ACol < TotalColCount() - RightFixed) return;
    TCanvas* Cv = C.Canvas;
    const TGridOptions Opts = GetOptions();
    const TRect& R = C.Rect;
    Cv->GetPen()->SetColor(TColor(0x808080));
    if (Opts.Contains(goFixedHorzLine)) {
        Cv->MoveTo(R.Left - 1, R.Top - 1);
        Cv->LineTo(R.Right + 1, R.Top - 1);
        Cv->MoveTo(R.Left - 1, R.Bottom);
        Cv->LineTo(R.Right + 1, R.Bottom);
    }
    if (Opts.Contains(goFixedVertLine)) {
        Cv->MoveTo(R.Left - 1, R.Top - 1);
        Cv->LineTo(R.Left - 1, R.Bottom + 1);
        Cv->MoveTo(R.Right, R.Top - 1);
        Cv->LineTo(R.Right, R.Bottom + 1);
    }
}

void TQorStringGrid::PaintNodeTree(TCellPaintContext& C)
{
    TCellNode* N = FOpt.FCellNode.get();
    if (FDims.FNumNodes <= 0 || C.ACol != N->GetNodeColumn() || C.ARow < GetFixedRows() || !N->GetShowTree()) return;
    if (!HasCellProperties(C.ACol, C.ARow)) return;
    TCanvas* Cv = C.Canvas;
    Cv->GetPen()->SetColor(N->GetTreeColor());
    Cv->GetPen()->SetWidth(1);
    const TRect& R = C.Rect;
    const int Level = RowLevel(C.ARow);
    const int Indent = NodeIndent(C.ARow), Step = N->GetNodeIndent();
    const int Mid = R.Top + (R.Bottom - R.Top) / 2;
    const int X = R.Left + Indent + Step / 2 - Step + 2;
    if (Level > 0) {
        Cv->MoveTo(X, Mid);
        Cv->LineTo(N->GetShowTreeFull() ? R.Right : R.Left + Indent + 4, Mid);
    }
    if (Indent > 0) {
        // The row's own branch: closing (1) down to the middle, continuing (2) on into the next row.
        const int SpanType = GetNodeSpanType(C.ARow);
        if (SpanType == 1 || SpanType == 2) {
            Cv->MoveTo(X, R.Top);
            Cv->LineTo(X, SpanType == 1 ? Mid : R.Bottom + 4);
        }
    }
    const bool HasNext = C.ARow + 1 < GetRowCount();
    const int NextLevel = HasNext ? RowLevel(C.ARow + 1) : 0;
    for (int i = 1; i <= Level; ++i) {
        const int Xi = X - Step * i;
        if (Xi <= R.Left) continue;
        Cv->MoveTo(Xi, R.Top);
        Cv->LineTo(Xi, Mid);
        if (HasNext && NextLevel >= Level - i) {
            Cv->MoveTo(Xi, Mid);
            Cv->LineTo(Xi, R.Bottom + 4);
        } else if (i < Level) {
            Cv->MoveTo(Xi, Mid);
            Cv->LineTo(Xi + Step, Mid);
        }
    }
    Cv->GetPen()->SetStyle(psSolid);
}

void TQorStringGrid::PaintFocusRect(TCellPaintContext& C)
{
    if (GetHideFocusRect() || !GridHasFocus()) return;
    const TPoint B = BaseCell(C.ACol, C.ARow);
    if (DisplColIndex(B.X) != GetCol() || B.Y != GetRow() || IsFixedCellOf(GetCol(), GetRow())) return;
    TRect R = C.Rect;
    const int G = GetGridLineWidth() - 1;
    R = TRect(R.Left - G, R.Top - G, R.Right + G, R.Bottom + G);
    --R.Right;
    --R.Bottom;
    C.Canvas->GetBrush()->SetStyle(bsSolid);
    C.Canvas->DrawFocusRect(R);
}

// ---- The widget, border and background layers ------------------------------------------------------
// The one place where the cell painting calls the widget drawing routines (CellWidgetPaint.h)
// and the sort indicator glyph.

bool TQorStringGrid::IsSortHeaderCell(TCellPaintContext& C)
{
    TSortSettings* S = FOpt.FSortSettings.get();
    return S->GetShow() && (S->GetColumn() == C.OCol || FLists.FSortIndexes->FindIndex(C.OCol) >= 0) &&
           ShouldDrawSortIndicator(C.OCol, C.ARow) && GetFixedRows() > 0 &&
           (C.OCol >= GetFixedCols() || S->GetFixedCols());
}

void TQorStringGrid::CellWidgetLayer(TCellPaintContext& C, TCellWidgetStep Step, TRect& R, TCellGraphic* CG,
                                     TVAlignment VertAlign)
{
    switch (Step) {
    case TCellWidgetStep::Graphic: CellWidgetPaint::DrawCellGraphic(C, R, CG, VertAlign); break;
    case TCellWidgetStep::Borders: CellWidgetPaint::DrawBorders(C, C.ACol, C.ARow, R); break;
    case TCellWidgetStep::WallPaperFixed: CellWidgetPaint::DrawWallPaperFixed(C, R); break;
    case TCellWidgetStep::WallPaperTile: CellWidgetPaint::DrawWallPaperTile(C, R); break;
    case TCellWidgetStep::GradientBackground: CellWidgetPaint::DrawGradientBackground(C, R); break;
    case TCellWidgetStep::SortIndicator: DrawSortIndicator(C.Canvas, C.OCol, R.Left, R.Top); break;
    }
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
