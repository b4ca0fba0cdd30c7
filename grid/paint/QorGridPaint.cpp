// TQorStringGrid: the painting side as far as the grid class holds it now: the cell widget records
// and check boxes, the focus frame, the fixed-cell gradient colours the control look passes on,
// and the painting hooks. Painting cells with looks, styles, HTML text and widgets, measuring
// widgets, footers and printing come here with the grid's rendering; until then cells paint
// through the base painting frame.
#include "grid/QorGrid.h"

#include "grid/QorGridSatellites.h"
#include "grid/paint/CellGraphic.h"

// ---- Cell widget records -------------------------------------------------------------------------------

TCellGraphic* TQorStringGrid::GetCellGraphic(int RCol, int ARow)
{
    if (RCol < 0 || ARow < 0) return nullptr;
    if (RCol == 0 && FOpt.FMouseActions->GetHotmailRowSelect()) {
        // The grid's shared record, set up as the row's check box.
        TCellGraphic* G = FOpt.FCellGraphic.get();
        G->FCellType = ctRowCheckBox;
        TList* Rows = FLists.FRowSelect.get();
        G->FCellBoolean = ARow < Rows->Count() && Rows->Get(ARow) != nullptr;
        return G;
    }
    if (!HasCellProperties(RCol, ARow)) return nullptr;
    return dynamic_cast<TCellGraphic*>(GetCellProperties(RCol, ARow)->GetGraphicObject());
}

TCellType TQorStringGrid::GetCellType(int RCol, int ARow)
{
    if (RCol < 0 || ARow < 0) return ctEmpty;
    if (RCol == 0 && FOpt.FMouseActions->GetHotmailRowSelect()) return ctRowCheckBox;
    if (!HasCellProperties(RCol, ARow)) return ctEmpty;
    auto* G = dynamic_cast<TCellGraphic*>(GetCellProperties(RCol, ARow)->GetGraphicObject());
    return G ? G->FCellType : ctEmpty;
}

bool TQorStringGrid::GetCellEmpty(int RCol, int ARow)
{
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    return !G || (G->FCellType == ctNone && G->FCellComment.empty());
}

bool TQorStringGrid::FreeCellGraphic(int RCol, int ARow)
{
    if (!HasCellProperties(RCol, ARow)) return false;
    TCellProperties* P = GetCellProperties(RCol, ARow);
    TObject* G = P->GetGraphicObject();
    if (!G) return false;
    P->SetGraphicObject(nullptr);
    // The grid's shared record of virtual and row check boxes is only detached.
    if (G != FOpt.FCellGraphic.get()) G->Free();
    if (!IsDestroying()) RepaintCell(DisplColIndex(RCol), ARow);
    return true;
}

bool TQorStringGrid::HasCheckBox(int RCol, int ARow)
{
    switch (GetCellType(RCol, ARow)) {
    case ctCheckBox: case ctDataCheckBox: case ctVirtCheckBox: case ctRowCheckBox: case ctTriStateCheckBox:
        return true;
    default: return false;
    }
}

bool TQorStringGrid::GetCheckBoxState(int RCol, int ARow, bool& State)
{
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    if (!G) return false;
    switch (G->FCellType) {
    case ctCheckBox:
    case ctRowCheckBox: State = G->FCellBoolean; return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: State = GetCellEx(RCol, ARow) == GetCheckTrue(RCol, ARow); return true;
    case ctTriStateCheckBox: State = G->FCellCheckBoxState == cbChecked; return true;
    default: return false;
    }
}

bool TQorStringGrid::IsCheckCell(int c, int r)
{
    return HasCheckBox(c, r);
}

void TQorStringGrid::SetAsCheck(int c, int r, const String& v)
{
    // Checked exactly when v is the check-true text (the undo component restores check cells
    // with the texts ToggleCheck registers).
    const bool State = v == GetCheckTrue(c, r);
    TCellGraphic* G = GetCellGraphic(c, r);
    if (!G) return;
    switch (G->FCellType) {
    case ctCheckBox: G->FCellBoolean = State; break;
    case ctTriStateCheckBox: G->FCellCheckBoxState = State ? cbChecked : cbUnchecked; break;
    case ctDataCheckBox:
    case ctVirtCheckBox: SetCellEx(c, r, State ? GetCheckTrue(c, r) : GetCheckFalse(c, r)); return;
    default: return;
    }
    RepaintCell(DisplColIndex(c), r);
}

// Toggling widgets with their events and undo registration comes with the grid's check boxes and
// radio buttons; until then nothing toggles.
bool TQorStringGrid::ToggleCheck(int, int, bool)
{
    return false;
}

bool TQorStringGrid::ToggleRadioButton(int, int, bool)
{
    return false;
}

String TQorStringGrid::GetFormattedCell(int RCol, int ARow)
{
    // The displayed text: the exported text; formatting numbers by OnGetFloatFormat comes with the
    // grid's cell text drawing.
    return ExportCell(RCol, ARow);
}

// Widget sizes are measured with the grid's cell widgets; a cell without a widget has none.
TPoint TQorStringGrid::GetCellGraphicSize(int RCol, int ARow)
{
    return GetCellGraphicSizeEx(RCol, ARow, 0);
}

TPoint TQorStringGrid::GetCellGraphicSizeEx(int RCol, int ARow, int Padding)
{
    return GetCellGraphicSizeEx(GetCanvas(), RCol, ARow, Padding, 1.0);
}

TPoint TQorStringGrid::GetCellGraphicSizeEx(TCanvas*, int, int, int, double)
{
    return TPoint(0, 0);
}

TPoint TQorStringGrid::GetPrintGraphicSize(int, int, int, int, double)
{
    return TPoint(0, 0);
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

void TQorStringGrid::GetDisplText(int c, int r, String& Value)
{
    inherited::GetDisplText(c, r, Value);
}

void TQorStringGrid::FloatFooterUpdate()
{
    CalcFooter(-1);
}

void TQorStringGrid::CellTextChange(int, int)
{
    // The in-cell scroll bar's range follows its text with the grid's cell widgets.
}

bool TQorStringGrid::HasCustomCellBorder()
{
    return bool(OnGetCellBorder);
}

bool TQorStringGrid::UseVCLStyles()
{
    return FLookState.FUseVCLStyles;
}

void TQorStringGrid::CalcFooter(int)
{
    // Recalculating the floating footer's cells comes with the grid's footer calculation; it runs
    // only for a visible plain footer with calculation on.
}

void TQorStringGrid::DoCalcFooter(int)
{
    // Computing a footer cell comes with the grid's footer calculation.
}

// ---- Looks and styles ---------------------------------------------------------------------------------------

void TQorStringGrid::SetLook(TGridLook Value)
{
    // The look's colours and decorations come with the grid's styles; the look is kept.
    FLookState.FLook = Value;
    PropertyRepaint();
}

void TQorStringGrid::SetStyle(QorStyleIF::TJOQStyle AStyle)
{
    SetStyleAndAppColor(AStyle, clNone);
}

void TQorStringGrid::SetStyleAndAppColor(QorStyleIF::TJOQStyle AStyle, TColor)
{
    // The style's palette comes with the grid's styles; the control look starts from its
    // initial colours as every palette does.
    FLookState.FStyle = AStyle;
    FOpt.FControlLook->Init();
}

void TQorStringGrid::SetComponentStyle(QorStyleIF::TJOQStyle AStyle)
{
    SetComponentStyleAndAppColor(AStyle, clNone);
}

void TQorStringGrid::SetComponentStyleAndAppColor(QorStyleIF::TJOQStyle AStyle, TColor AppColor)
{
    FLookState.FStyle = AStyle;
    SetStyleAndAppColor(AStyle, AppColor);
}

QorStyleIF::TJOQStyle TQorStringGrid::GetComponentStyle() const
{
    return FLookState.FStyle;
}

void TQorStringGrid::SetColorTones(const QorStyleIF::TColorTones& ATones)
{
    FLookState.FTones = ATones;
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

void TQorStringGrid::OptionsStretchColumn(int, int)
{
    // Stretching a column to the client width (StretchColumn) comes with the grid's column sizing.
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

// ---- Focus frame -----------------------------------------------------------------------------------------------

void TQorStringGrid::MoveFocusHelper()
{
    TGridFocusWindow* W = FWin.FFocusWindow;
    if (!W || !HandleAllocated() || FRun.FMovingFocus) return;
    // Placing the frame moves a window of this thread, which the unit's hook sees again.
    TValueScope<bool> Moving(FRun.FMovingFocus, true);
    const TRect R = CellRect(GetCol(), GetRow());
    if (R.IsEmpty()) {
        HideFocusHelper();
        return;
    }
    POINT TopLeft{R.Left - 4, R.Top - 4};
    ::ClientToScreen(GetHandle(), &TopLeft);
    W->SetBounds(TopLeft.x, TopLeft.y, R.Width() + 8, R.Height() + 8);
    if (!W->HandleAllocated()) W->HandleNeeded();
    ShowWindow(W->GetHandle(), SW_SHOWNOACTIVATE);
}

void TQorStringGrid::HideFocusHelper()
{
    // The unit forgets the grid first: hiding moves a window, which the hook sees.
    if (FocusGrid == this) FocusGrid = nullptr;
    if (FWin.FFocusWindow && FWin.FFocusWindow->HandleAllocated()) ShowWindow(FWin.FFocusWindow->GetHandle(), SW_HIDE);
}
