// Grids: construction, counts, sizes, the view origin, hit tests and the scroll bars. Every
// computation starts from the virtual client rectangle and the stored sizes, so that it works
// before the window exists and costs what the visible cells cost, never the row count.
#include "Grids.h"

#include <algorithm>

namespace {

int Extent(const std::vector<int>& V, int Index, int Default)
{
    return Index >= 0 && Index < int(V.size()) ? V[Index] : Default;
}

// The space a cell takes along its axis: a hidden cell (size 0) takes none, its line neither.
int Span(const TGridAxisDrawInfo& A, int Index)
{
    int E = A.GetExtent(Index);
    return E > 0 ? E + A.EffectiveLineWidth : 0;
}

void CalcAxis(TGridAxisDrawInfo& A, int GridExtent)
{
    A.GridExtent = GridExtent;
    int Pos = 0;
    for (int i = 0; i < A.FixedCellCount; ++i) Pos += Span(A, i);
    A.FixedBoundary = Pos;
    A.FullVisBoundary = Pos;
    A.LastFullVisibleCell = A.FirstGridCell - 1;
    int i = A.FirstGridCell;
    for (; i < A.GridCellCount && Pos < GridExtent; ++i) {
        int S = Span(A, i);
        Pos += S;
        // A cell is fully visible when its face fits; its trailing line may fall outside.
        if (Pos - (S > 0 ? A.EffectiveLineWidth : 0) <= GridExtent) {
            A.LastFullVisibleCell = i;
            A.FullVisBoundary = std::min(Pos, GridExtent);
        }
    }
    // Hidden cells right after the last visible one are "visible" too: they take no space.
    while (i < A.GridCellCount && Span(A, i) == 0 && Pos <= GridExtent && A.LastFullVisibleCell == i - 1) {
        A.LastFullVisibleCell = i;
        ++i;
    }
    A.GridBoundary = std::min(Pos, GridExtent);
}

// The smallest first cell from which the cells up to the last fill no more than the room after
// the fixed cells (the largest useful origin).
int CalcMaxFirst(const TGridAxisDrawInfo& A)
{
    int Room = A.GridExtent - A.FixedBoundary;
    int Last = A.GridCellCount - 1;
    if (Last < A.FixedCellCount) return A.FixedCellCount;
    int First = Last;
    int Used = Span(A, Last);
    while (First > A.FixedCellCount) {
        int S = Span(A, First - 1);
        if (Used + S - (S > 0 ? A.EffectiveLineWidth : 0) > Room) break;
        Used += S;
        --First;
    }
    return First;
}

}  // namespace

// ---- Construction ------------------------------------------------------------------------------

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks, csClickEvents, csNeedsBorderPaint};
    FColWidths.assign(FColCount, FDefaultColWidth);
    FRowHeights.assign(FRowCount, FDefaultRowHeight);
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
    FDefaultColWidth = MulDiv(FDefaultColWidth, M, D);
    FDefaultRowHeight = MulDiv(FDefaultRowHeight, M, D);
    for (int& W : FColWidths) W = MulDiv(W, M, D);
    for (int& H : FRowHeights) H = MulDiv(H, M, D);
    ColWidthsChanged();
    RowHeightsChanged();
}

// ---- Draw information --------------------------------------------------------------------------

void TCustomGrid::CalcDrawInfoXY(TGridDrawInfo& D, int UseWidth, int UseHeight)
{
    D.Horz.EffectiveLineWidth = FGridLineWidth;
    D.Horz.FixedCellCount = FFixedCols;
    D.Horz.FirstGridCell = FTopLeft.X;
    D.Horz.GridCellCount = FColCount;
    D.Horz.Extents = &FColWidths;
    D.Vert.EffectiveLineWidth = FGridLineWidth;
    D.Vert.FixedCellCount = FFixedRows;
    D.Vert.FirstGridCell = FTopLeft.Y;
    D.Vert.GridCellCount = FRowCount;
    D.Vert.Extents = &FRowHeights;
    CalcAxis(D.Horz, UseWidth);
    CalcAxis(D.Vert, UseHeight);
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
    auto Axis = [](const TGridAxisDrawInfo& A, int P) {
        if (P < 0 || P >= A.GridBoundary) return -1;
        int Pos = 0;
        for (int i = 0; i < A.FixedCellCount; ++i) {
            Pos += Span(A, i);
            if (P < Pos) return i;
        }
        for (int i = A.FirstGridCell; i < A.GridCellCount && Pos < A.GridExtent; ++i) {
            Pos += Span(A, i);
            if (P < Pos) return i;
        }
        return -1;
    };
    return {Axis(D.Horz, X), Axis(D.Vert, Y)};
}

TGridCoord TCustomGrid::CalcMaxTopLeft(const TGridCoord& Coord, const TGridDrawInfo& D)
{
    TGridCoord Max{CalcMaxFirst(D.Horz), CalcMaxFirst(D.Vert)};
    return {std::min(Coord.X, Max.X), std::min(Coord.Y, Max.Y)};
}

// ---- Counts ------------------------------------------------------------------------------------

void TCustomGrid::SetColCount(int Value)
{
    if (Value < 0) throw EInvalidGridOperation(Consts::SGridIndexOutOfRange);
    if (Value == FColCount) return;
    ChangeSize(Value, FRowCount);
}

void TCustomGrid::SetRowCount(int Value)
{
    if (Value < 0) throw EInvalidGridOperation(Consts::SGridIndexOutOfRange);
    if (Value == FRowCount) return;
    ChangeSize(FColCount, Value);
}

void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount)
{
    int OldCols = FColCount, OldRows = FRowCount;
    if (NewColCount != OldCols) HideEditor();
    // Sizes of the cells a count raise brings back start at the default; stored cells stay.
    FColWidths.resize(NewColCount, FDefaultColWidth);
    FRowHeights.resize(NewRowCount, FDefaultRowHeight);
    FColCount = NewColCount;
    FRowCount = NewRowCount;
    // A count at or below the fixed count leaves one scrollable cell where it can.
    if (FFixedCols >= FColCount) FFixedCols = std::max(0, FColCount - 1);
    if (FFixedRows >= FRowCount) FFixedRows = std::max(0, FRowCount - 1);
    auto Inside = [](int V, int Lo, int Count) { return std::max(Lo, std::min(V, Count - 1)); };
    FCurrent.X = Inside(FCurrent.X, FFixedCols, FColCount);
    FCurrent.Y = Inside(FCurrent.Y, FFixedRows, FRowCount);
    FAnchor.X = Inside(FAnchor.X, FFixedCols, FColCount);
    FAnchor.Y = Inside(FAnchor.Y, FFixedRows, FRowCount);
    if (FOptions.Contains(goRowSelect)) FAnchor.X = std::max(FFixedCols, FColCount - 1);
    TGridCoord Old = FTopLeft;
    SetAxisTopLeft(FTopLeft.X, FTopLeft.Y, true);
    SizeChanged(OldCols, OldRows);
    UpdateScrollRange();
    InvalidateGrid();
    if (!(Old == FTopLeft)) TopLeftChanged();
}

void TCustomGrid::SetFixedCols(int Value)
{
    if (Value < 0) throw EInvalidGridOperation(Consts::SGridIndexOutOfRange);
    if (Value >= FColCount && !(Value == 0 && FColCount == 0))
        throw EInvalidGridOperation(L"Fixed column count must be less than column count");
    if (Value == FFixedCols) return;
    HideEditor();
    FFixedCols = Value;
    FTopLeft.X = Value;
    FCurrent.X = std::max(FCurrent.X, Value);
    FAnchor = FCurrent;
    if (FOptions.Contains(goRowSelect)) FAnchor.X = FColCount - 1;
    UpdateScrollRange();
    InvalidateGrid();
}

void TCustomGrid::SetFixedRows(int Value)
{
    if (Value < 0) throw EInvalidGridOperation(Consts::SGridIndexOutOfRange);
    if (Value >= FRowCount && !(Value == 0 && FRowCount == 0))
        throw EInvalidGridOperation(L"Fixed row count must be less than row count");
    if (Value == FFixedRows) return;
    HideEditor();
    FFixedRows = Value;
    FTopLeft.Y = Value;
    FCurrent.Y = std::max(FCurrent.Y, Value);
    FAnchor = FCurrent;
    if (FOptions.Contains(goRowSelect)) FAnchor.X = FColCount - 1;
    UpdateScrollRange();
    InvalidateGrid();
}

// ---- Sizes -------------------------------------------------------------------------------------

int TCustomGrid::GetColWidths(int Index) const
{
    return Extent(FColWidths, Index, FDefaultColWidth);
}

int TCustomGrid::GetRowHeights(int Index) const
{
    return Extent(FRowHeights, Index, FDefaultRowHeight);
}

void TCustomGrid::SetColWidths(int Index, int Value)
{
    if (Index < 0 || Index >= FColCount) throw EInvalidGridOperation(Consts::SGridIndexOutOfRange);
    Value = std::max(0, Value);
    if (FColWidths[Index] == Value) return;
    FColWidths[Index] = Value;
    ColWidthsChanged();
}

void TCustomGrid::SetRowHeights(int Index, int Value)
{
    if (Index < 0 || Index >= FRowCount) throw EInvalidGridOperation(Consts::SGridIndexOutOfRange);
    Value = std::max(0, Value);
    if (FRowHeights[Index] == Value) return;
    FRowHeights[Index] = Value;
    RowHeightsChanged();
}

void TCustomGrid::SetDefaultColWidth(int Value)
{
    Value = std::max(0, Value);
    FDefaultColWidth = Value;
    // Every column takes the new default.
    std::fill(FColWidths.begin(), FColWidths.end(), Value);
    ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int Value)
{
    Value = std::max(0, Value);
    FDefaultRowHeight = Value;
    std::fill(FRowHeights.begin(), FRowHeights.end(), Value);
    RowHeightsChanged();
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
    SetAxisTopLeft(FTopLeft.X, FTopLeft.Y, true);
    UpdateScrollRange();
    UpdateEdit();
    InvalidateGrid();
}

void TCustomGrid::RowHeightsChanged()
{
    SetAxisTopLeft(FTopLeft.X, FTopLeft.Y, true);
    UpdateScrollRange();
    UpdateEdit();
    InvalidateGrid();
}

int TCustomGrid::GetGridWidth()
{
    TGridDrawInfo D;
    CalcDrawInfo(D);
    return D.Horz.GridBoundary;
}

int TCustomGrid::GetGridHeight()
{
    TGridDrawInfo D;
    CalcDrawInfo(D);
    return D.Vert.GridBoundary;
}

// ---- The view ----------------------------------------------------------------------------------

void TCustomGrid::SetAxisTopLeft(int ALeft, int ATop, bool Clamp)
{
    TGridDrawInfo D;
    CalcDrawInfo(D);
    TGridCoord C = CalcMaxTopLeft({ALeft, ATop}, D);
    C.X = std::max(C.X, FFixedCols);
    C.Y = std::max(C.Y, FFixedRows);
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

void TCustomGrid::SetTopRow(int Value)
{
    MoveTopLeft(FTopLeft.X, Value);
}

void TCustomGrid::SetLeftCol(int Value)
{
    MoveTopLeft(Value, FTopLeft.Y);
}

int TCustomGrid::GetVisibleColCount()
{
    TGridDrawInfo D;
    CalcDrawInfo(D);
    return std::max(0, D.Horz.LastFullVisibleCell - FTopLeft.X + 1);
}

int TCustomGrid::GetVisibleRowCount()
{
    TGridDrawInfo D;
    CalcDrawInfo(D);
    return std::max(0, D.Vert.LastFullVisibleCell - FTopLeft.Y + 1);
}

TRect TCustomGrid::CellRect(int ACol, int ARow)
{
    TGridDrawInfo D;
    CalcDrawInfo(D);
    // Start of a cell along an axis, or -1 when it is out of view or hidden.
    auto Start = [](const TGridAxisDrawInfo& A, int Index) {
        if (Index < 0 || Index >= A.GridCellCount || A.GetExtent(Index) <= 0) return -1;
        int Pos = 0;
        if (Index < A.FixedCellCount) {
            for (int i = 0; i < Index; ++i) Pos += Span(A, i);
            return Pos < A.GridExtent ? Pos : -1;
        }
        if (Index < A.FirstGridCell) return -1;
        Pos = A.FixedBoundary;
        for (int i = A.FirstGridCell; i < Index; ++i) {
            Pos += Span(A, i);
            if (Pos >= A.GridExtent) return -1;
        }
        return Pos < A.GridExtent ? Pos : -1;
    };
    int X = Start(D.Horz, ACol);
    int Y = Start(D.Vert, ARow);
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
    TGridCoord NewTL = FTopLeft;
    auto Fit = [](const TGridAxisDrawInfo& A, int Index, int First) {
        if (Index < A.FixedCellCount || Index >= A.GridCellCount) return First;
        if (Index < First) return Index;
        if (Index <= A.LastFullVisibleCell) return First;
        // The first cell from which Index is the last fully visible one.
        int Room = A.GridExtent - A.FixedBoundary;
        int Used = Span(A, Index) - (A.GetExtent(Index) > 0 ? A.EffectiveLineWidth : 0);
        int F = Index;
        while (F > A.FixedCellCount) {
            int S = Span(A, F - 1);
            if (Used + S > Room) break;
            Used += S;
            --F;
        }
        return F;
    };
    NewTL.X = Fit(D.Horz, Coord.X, FTopLeft.X);
    NewTL.Y = Fit(D.Vert, Coord.Y, FTopLeft.Y);
    MoveTopLeft(NewTL.X, NewTL.Y);
}

// ---- Scroll bars -------------------------------------------------------------------------------

int TCustomGrid::ScrollBarPos(bool Horz)
{
    TGridDrawInfo D;
    CalcDrawInfo(D);
    const TGridAxisDrawInfo& A = Horz ? D.Horz : D.Vert;
    int Max = CalcMaxFirst(A) - A.FixedCellCount;
    if (Max <= 0) return 0;
    return MulDiv(A.FirstGridCell - A.FixedCellCount, 127, Max);
}

void TCustomGrid::UpdateScrollRange()
{
    if (!HandleAllocated() || FUpdating || FInScrollUpdate) return;
    FInScrollUpdate = true;
    // Positions use a scale of 0 .. 127 whatever the counts are.
    auto Bar = [this](int Kind, bool Wanted) {
        TGridDrawInfo D;
        CalcDrawInfo(D);
        const TGridAxisDrawInfo& A = Kind == SB_HORZ ? D.Horz : D.Vert;
        bool Need = Wanted && CalcMaxFirst(A) > A.FixedCellCount;
        SCROLLINFO SI{};
        SI.cbSize = sizeof(SI);
        SI.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
        SI.nMin = 0;
        SI.nMax = Need ? 127 : 0;
        SI.nPage = 0;
        SI.nPos = Need ? ScrollBarPos(Kind == SB_HORZ) : 0;
        SetScrollInfo(FHandle, Kind, &SI, TRUE);
    };
    try {
        bool V = FScrollBars == TScrollStyle::ssVertical || FScrollBars == TScrollStyle::ssBoth;
        bool H = FScrollBars == TScrollStyle::ssHorizontal || FScrollBars == TScrollStyle::ssBoth;
        Bar(SB_VERT, V);
        Bar(SB_HORZ, H);
        // Showing or hiding a bar changes the client area: the origin may now be beyond the end.
        TGridCoord Old = FTopLeft;
        SetAxisTopLeft(FTopLeft.X, FTopLeft.Y, true);
        if (!(Old == FTopLeft)) {
            Bar(SB_VERT, V);
            Bar(SB_HORZ, H);
            InvalidateGrid();
            FInScrollUpdate = false;
            TopLeftChanged();
            return;
        }
    } catch (...) {
        FInScrollUpdate = false;
        throw;
    }
    FInScrollUpdate = false;
}

void TCustomGrid::ModifyScrollBar(int ScrollBar, int ScrollCode, int Pos, bool UseRightToLeft)
{
    bool Horz = ScrollBar == SB_HORZ;
    TGridDrawInfo D;
    CalcDrawInfo(D);
    const TGridAxisDrawInfo& A = Horz ? D.Horz : D.Vert;
    int First = A.FirstGridCell;
    int Page = std::max(1, A.LastFullVisibleCell - A.FirstGridCell + 1);
    int MaxFirst = CalcMaxFirst(A);
    int New = First;
    switch (ScrollCode) {
    case SB_LINEUP: New = First - 1; while (New > A.FixedCellCount && A.GetExtent(New) <= 0) --New; break;
    case SB_LINEDOWN: New = First + 1; while (New < MaxFirst && A.GetExtent(New - 1) <= 0) ++New; break;
    case SB_PAGEUP: New = First - Page; break;
    case SB_PAGEDOWN: New = First + Page; break;
    case SB_THUMBTRACK:
        if (!FOptions.Contains(goThumbTracking)) return;
        [[fallthrough]];
    case SB_THUMBPOSITION:
        New = A.FixedCellCount + MulDiv(std::clamp(Pos, 0, 127), MaxFirst - A.FixedCellCount, 127);
        break;
    case SB_TOP: New = A.FixedCellCount; break;
    case SB_BOTTOM: New = MaxFirst; break;
    case SB_ENDSCROLL:
    default:
        UpdateScrollRange();
        return;
    }
    New = std::clamp(New, A.FixedCellCount, std::max(A.FixedCellCount, MaxFirst));
    if (Horz) MoveTopLeft(New, FTopLeft.Y);
    else MoveTopLeft(FTopLeft.X, New);
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
