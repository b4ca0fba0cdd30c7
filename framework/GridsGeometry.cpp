// Grids: construction, counts, sizes, the view origin, hit tests and the scroll bars. Every
// computation starts from the virtual client rectangle and the stored sizes, so that it works
// before the window exists and costs what the visible cells cost, never the row count.
#include "Grids.h"

#include "Consts.h"
#include "WinScope.h"

#include <algorithm>

// ---- Construction ------------------------------------------------------------------------------

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks, csClickEvents, csNeedsBorderPaint};
    FTabStop = true;
    FDoubleBuffered = true;
    FColor = clWindow;
    FParentColor = false;
    SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid()
{
    // The editor is a child control owned by the grid; it goes with the grid's components.
    FInplaceEdit = nullptr;
}

void TCustomGrid::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.Style |= WS_TABSTOP;
    if (FScrollBars == TScrollStyle::ssVertical || FScrollBars == TScrollStyle::ssBoth) Params.Style |= WS_VSCROLL;
    if (FScrollBars == TScrollStyle::ssHorizontal || FScrollBars == TScrollStyle::ssBoth) Params.Style |= WS_HSCROLL;
    if (FBorderStyle == bsSingle) {
        if (FCtl3D) Params.ExStyle |= WS_EX_CLIENTEDGE;
        else Params.Style |= WS_BORDER;
    }
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
    Params.WindowClass.style |= CS_DBLCLKS;
}

void TCustomGrid::CreateWnd()
{
    inherited::CreateWnd();
    UpdateScrollRange();
}

void TCustomGrid::DestroyWnd()
{
    CancelMode();
    inherited::DestroyWnd();
}

void TCustomGrid::Loaded()
{
    inherited::Loaded();
    UpdateScrollRange();
}

TRect TCustomGrid::GetClientRect()
{
    return inherited::GetClientRect();
}

void TCustomGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!HandleAllocated()) return;
    UpdateScrollRange();
}

void TCustomGrid::ChangeScale(int M, int D)
{
    inherited::ChangeScale(M, D);
    if (M == D || D == 0) return;
    for (TGridAxisKind A : GridAxes) Axis(A).Scale(M, D);
    ColWidthsChanged();
    RowHeightsChanged();
}

// ---- Draw information --------------------------------------------------------------------------

void TCustomGrid::CalcDrawInfoXY(TGridDrawInfo& D, int UseWidth, int UseHeight)
{
    for (TGridAxisKind A : GridAxes) {
        TGridAxisDrawInfo& I = Along(D, A);
        I.From(Axis(A), FGridLineWidth, Along(FTopLeft, A));
        I.Calc(A == TGridAxisKind::Cols ? UseWidth : UseHeight);
    }
}

void TCustomGrid::CalcDrawInfo(TGridDrawInfo& D)
{
    TRect R = GetClientRect();
    CalcDrawInfoXY(D, R.Width(), R.Height());
}

void TCustomGrid::CalcFixedInfo(TGridDrawInfo& D)
{
    // The fixed cells only: the scrolled area counts as empty.
    TRect R = GetClientRect();
    CalcDrawInfoXY(D, R.Width(), R.Height());
    D.Horz.FirstGridCell = D.Horz.FixedCellCount;
    D.Vert.FirstGridCell = D.Vert.FixedCellCount;
}

TGridCoord TCustomGrid::CalcCoordFromPoint(int X, int Y, const TGridDrawInfo& D)
{
    return {D.Horz.CellAt(X), D.Vert.CellAt(Y)};
}

TGridCoord TCustomGrid::CalcMaxTopLeft(const TGridCoord& Coord, const TGridDrawInfo& D)
{
    return {std::min(Coord.X, D.Horz.MaxFirst()), std::min(Coord.Y, D.Vert.MaxFirst())};
}

// ---- Counts ------------------------------------------------------------------------------------

void TCustomGrid::SetLineCount(TGridAxisKind A, int Value)
{
    if (Value < 0) throw EInvalidGridOperation(Consts::SGridIndexOutOfRange);
    if (Value == Axis(A).Count()) return;
    TGridCoord Counts{FCols.Count(), FRows.Count()};
    Along(Counts, A) = Value;
    ChangeSize(Counts.X, Counts.Y);
}

void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount)
{
    int OldCols = FCols.Count(), OldRows = FRows.Count();
    if (NewColCount != OldCols) HideEditor();
    // Sizes of the cells a count raise brings back start at the default; stored cells stay.
    FCols.SetCount(NewColCount);
    FRows.SetCount(NewRowCount);
    for (TGridAxisKind A : GridAxes) {
        Along(FCurrent, A) = Axis(A).Inside(Along(FCurrent, A));
        Along(FAnchor, A) = Axis(A).Inside(Along(FAnchor, A));
    }
    if (FOptions.Contains(goRowSelect)) FAnchor.X = std::max(FCols.FixedCount(), FCols.Count() - 1);
    TGridCoord Old = FTopLeft;
    SetAxisTopLeft(FTopLeft.X, FTopLeft.Y, true);
    SizeChanged(OldCols, OldRows);
    UpdateScrollRange();
    InvalidateGrid();
    if (!(Old == FTopLeft)) TopLeftChanged();
}

void TCustomGrid::SetFixedCount(TGridAxisKind A, int Value)
{
    TGridAxis& X = Axis(A);
    if (Value < 0) throw EInvalidGridOperation(Consts::SGridIndexOutOfRange);
    if (Value >= X.Count() && !(Value == 0 && X.Count() == 0))
        throw EInvalidGridOperation(A == TGridAxisKind::Cols ? L"Fixed column count must be less than column count"
                                                             : L"Fixed row count must be less than row count");
    if (Value == X.FixedCount()) return;
    HideEditor();
    X.SetFixedCount(Value);
    Along(FTopLeft, A) = Value;
    Along(FCurrent, A) = std::max(Along(FCurrent, A), Value);
    FAnchor = FCurrent;
    if (FOptions.Contains(goRowSelect)) FAnchor.X = FCols.Count() - 1;
    UpdateScrollRange();
    InvalidateGrid();
}

// ---- Sizes -------------------------------------------------------------------------------------

void TCustomGrid::SetLineSize(TGridAxisKind A, int Index, int Value)
{
    if (Index < 0 || Index >= Axis(A).Count()) throw EInvalidGridOperation(Consts::SGridIndexOutOfRange);
    if (Axis(A).SetSize(Index, Value)) LineSizesChanged(A);
}

void TCustomGrid::SetDefaultLineSize(TGridAxisKind A, int Value)
{
    Axis(A).SetDefaultSize(Value);
    LineSizesChanged(A);
}

void TCustomGrid::LineSizesChanged(TGridAxisKind A)
{
    if (A == TGridAxisKind::Cols) ColWidthsChanged();
    else RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(int Value)
{
    Value = std::max(0, Value);
    if (Value == FGridLineWidth) return;
    FGridLineWidth = Value;
    ColWidthsChanged();
    RowHeightsChanged();
}

void TCustomGrid::ColWidthsChanged()
{
    SizesChanged();
}

void TCustomGrid::RowHeightsChanged()
{
    SizesChanged();
}

void TCustomGrid::SizesChanged()
{
    SetAxisTopLeft(FTopLeft.X, FTopLeft.Y, true);
    UpdateScrollRange();
    UpdateEdit();
    InvalidateGrid();
}

int TCustomGrid::GridExtent(TGridAxisKind A)
{
    TGridDrawInfo D;
    CalcDrawInfo(D);
    return Along(D, A).GridBoundary;
}

// ---- The view ----------------------------------------------------------------------------------

void TCustomGrid::SetAxisTopLeft(int ALeft, int ATop, bool Clamp)
{
    TGridDrawInfo D;
    CalcDrawInfo(D);
    TGridCoord C = CalcMaxTopLeft({ALeft, ATop}, D);
    for (TGridAxisKind A : GridAxes) Along(C, A) = std::max(Along(C, A), Axis(A).FixedCount());
    FTopLeft = C;
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop)
{
    TGridCoord Old = FTopLeft;
    SetAxisTopLeft(ALeft, ATop, true);
    if (Old == FTopLeft) return;
    ScrollData(FTopLeft.X - Old.X, FTopLeft.Y - Old.Y);
    TopLeftChanged();
}

void TCustomGrid::ScrollData(int DX, int DY)
{
    // The whole client area is repainted: with fixed cells and variable sizes a blit would save
    // little, and painting costs only the visible cells.
    InvalidateGrid();
    UpdateScrollRange();
}

void TCustomGrid::TopLeftChanged()
{
    if (FEditorMode && FInplaceEdit) FInplaceEdit->UpdateLoc(CellRect(FCurrent.X, FCurrent.Y));
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TCustomGrid::SetFirstLine(TGridAxisKind A, int Value)
{
    TGridCoord TL = FTopLeft;
    Along(TL, A) = Value;
    MoveTopLeft(TL.X, TL.Y);
}

int TCustomGrid::VisibleLineCount(TGridAxisKind A)
{
    TGridDrawInfo D;
    CalcDrawInfo(D);
    return std::max(0, Along(D, A).LastFullVisibleCell - Along(FTopLeft, A) + 1);
}

TRect TCustomGrid::CellRect(int ACol, int ARow)
{
    TGridDrawInfo D;
    CalcDrawInfo(D);
    int X = D.Horz.CellStart(ACol);
    int Y = D.Vert.CellStart(ARow);
    if (X < 0 || Y < 0) return TRect{0, 0, 0, 0};
    return TRect{X, Y, std::min(X + D.Horz.GetExtent(ACol), D.Horz.GridExtent),
                 std::min(Y + D.Vert.GetExtent(ARow), D.Vert.GridExtent)};
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow)
{
    TGridCoord C = MouseCoord(X, Y);
    ACol = C.X;
    ARow = C.Y;
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y)
{
    TGridDrawInfo D;
    CalcDrawInfo(D);
    TGridCoord C = CalcCoordFromPoint(X, Y, D);
    // Outside the cells on either axis is outside for both.
    if (C.X < 0 || C.Y < 0) return {-1, -1};
    return C;
}

void TCustomGrid::ClampInView(const TGridCoord& Coord)
{
    if (!HandleAllocated() && GetClientRect().IsEmpty()) return;
    TGridDrawInfo D;
    CalcDrawInfo(D);
    TGridCoord NewTL;
    for (TGridAxisKind A : GridAxes) Along(NewTL, A) = Along(D, A).FirstShowing(Along(Coord, A), Along(FTopLeft, A));
    MoveTopLeft(NewTL.X, NewTL.Y);
}

// ---- Scroll bars -------------------------------------------------------------------------------

int TCustomGrid::ScrollBarPos(TGridAxisKind A)
{
    TGridDrawInfo D;
    CalcDrawInfo(D);
    const TGridAxisDrawInfo& I = Along(D, A);
    int Max = I.MaxFirst() - I.FixedCellCount;
    if (Max <= 0) return 0;
    return MulDiv(I.FirstGridCell - I.FixedCellCount, 127, Max);
}

void TCustomGrid::UpdateScrollRange()
{
    if (!HandleAllocated() || FUpdating || FInScrollUpdate) return;
    bool Moved = false;
    {
        TValueScope<bool> InUpdate(FInScrollUpdate, true);
        // Positions use a scale of 0 .. 127 whatever the counts are.
        auto Bar = [this](TGridAxisKind A) {
            bool Wanted = FScrollBars == TScrollStyle::ssBoth ||
                          FScrollBars == (A == TGridAxisKind::Cols ? TScrollStyle::ssHorizontal : TScrollStyle::ssVertical);
            TGridDrawInfo D;
            CalcDrawInfo(D);
            const TGridAxisDrawInfo& I = Along(D, A);
            bool Need = Wanted && I.MaxFirst() > I.FixedCellCount;
            SCROLLINFO SI{};
            SI.cbSize = sizeof(SI);
            SI.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
            SI.nMin = 0;
            SI.nMax = Need ? 127 : 0;
            SI.nPage = 0;
            SI.nPos = Need ? ScrollBarPos(A) : 0;
            if (Need) AdjustScrollInfo(A, SI);
            SetScrollInfo(FHandle, A == TGridAxisKind::Cols ? SB_HORZ : SB_VERT, &SI, TRUE);
        };
        auto Bars = [&] {
            Bar(TGridAxisKind::Rows);
            Bar(TGridAxisKind::Cols);
        };
        Bars();
        // Showing or hiding a bar changes the client area: the origin may now be beyond the end.
        TGridCoord Old = FTopLeft;
        SetAxisTopLeft(FTopLeft.X, FTopLeft.Y, true);
        Moved = !(Old == FTopLeft);
        if (Moved) {
            Bars();
            InvalidateGrid();
        }
    }
    if (Moved) TopLeftChanged();
}

void TCustomGrid::ModifyScrollBar(int ScrollBar, int ScrollCode, int Pos, bool UseRightToLeft)
{
    TGridAxisKind A = ScrollBar == SB_HORZ ? TGridAxisKind::Cols : TGridAxisKind::Rows;
    TGridDrawInfo D;
    CalcDrawInfo(D);
    const TGridAxisDrawInfo& I = Along(D, A);
    int First = I.FirstGridCell;
    int Page = std::max(1, I.LastFullVisibleCell - I.FirstGridCell + 1);
    int MaxFirst = I.MaxFirst();
    int New = First;
    switch (ScrollCode) {
    case SB_LINEUP: New = First - 1; while (New > I.FixedCellCount && I.GetExtent(New) <= 0) --New; break;
    case SB_LINEDOWN: New = First + 1; while (New < MaxFirst && I.GetExtent(New - 1) <= 0) ++New; break;
    case SB_PAGEUP: New = First - Page; break;
    case SB_PAGEDOWN: New = First + Page; break;
    case SB_THUMBTRACK:
        if (!FOptions.Contains(goThumbTracking)) return;
        [[fallthrough]];
    case SB_THUMBPOSITION:
        New = I.FixedCellCount + MulDiv(std::clamp(Pos, 0, 127), MaxFirst - I.FixedCellCount, 127);
        break;
    case SB_TOP: New = I.FixedCellCount; break;
    case SB_BOTTOM: New = MaxFirst; break;
    case SB_ENDSCROLL:
    default:
        UpdateScrollRange();
        return;
    }
    SetFirstLine(A, std::clamp(New, I.FixedCellCount, std::max(I.FixedCellCount, MaxFirst)));
}

void TCustomGrid::WMHScroll(TMessage& Message)
{
    ModifyScrollBar(SB_HORZ, LOWORD(Message.WParam), short(HIWORD(Message.WParam)));
    Message.Result = 0;
}

void TCustomGrid::WMVScroll(TMessage& Message)
{
    ModifyScrollBar(SB_VERT, LOWORD(Message.WParam), short(HIWORD(Message.WParam)));
    Message.Result = 0;
}

void TCustomGrid::WMSize(TMessage& Message)
{
    inherited::WMSize(Message);
    UpdateScrollRange();
    UpdateEdit();
}
