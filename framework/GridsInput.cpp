// Grids: the current cell and the selection, the keyboard, the mouse (selecting, sizing and
// moving), the wheel, the timer and the grid's message dispatch.
#include "Grids.h"

#include "Consts.h"

#include <algorithm>

namespace {

// The bit of TimedScroll's direction that scrolls an axis back (up, left); the next bit scrolls
// it forth (down, right).
constexpr int ScrollBits(TGridAxisKind A)
{
    return A == TGridAxisKind::Rows ? 1 : 4;
}

}  // namespace

// ---- Properties --------------------------------------------------------------------------------

void TCustomGrid::SetOptions(TGridOptions Value)
{
    if (Value == FOptions) return;
    if (Value.Contains(goRowSelect)) Value >> goAlwaysShowEditor;
    TGridOptions Old = FOptions;
    FOptions = Value;
    // The editor goes when editing stops being possible; cells and selection stay as they are.
    if (!Value.Contains(goEditing) || Value.Contains(goRowSelect)) HideEditor();
    if (Value.Contains(goRowSelect) && !Old.Contains(goRowSelect)) FAnchor.X = std::max(FCols.FixedCount(), FCols.Count() - 1);
    if (Value.Contains(goAlwaysShowEditor) && Value.Contains(goEditing)) ShowEditor();
    InvalidateGrid();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value)
{
    if (Value == FScrollBars) return;
    FScrollBars = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value)
{
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::SetDefaultDrawing(bool Value)
{
    if (Value == FDefaultDrawing) return;
    FDefaultDrawing = Value;
    InvalidateGrid();
}

void TCustomGrid::SetFixedColor(TColor Value)
{
    if (Value == FFixedColor) return;
    FFixedColor = Value;
    InvalidateGrid();
}

// ---- Current cell and selection ----------------------------------------------------------------

TGridRect TCustomGrid::GetSelection() const
{
    TGridRect R{std::min(FCurrent.X, FAnchor.X), std::min(FCurrent.Y, FAnchor.Y),
                std::max(FCurrent.X, FAnchor.X), std::max(FCurrent.Y, FAnchor.Y)};
    if (FOptions.Contains(goRowSelect)) {
        R.Left = FCols.FixedCount();
        R.Right = std::max(FCols.FixedCount(), FCols.Count() - 1);
    }
    return R;
}

void TCustomGrid::SetSelection(const TGridRect& Value)
{
    // Taken as given: a rectangle outside the grid (a hidden selection) is allowed.
    TGridRect Old = GetSelection();
    FAnchor = Value.TopLeft();
    FCurrent = Value.BottomRight();
    SelectionMoved(Old);
}

void TCustomGrid::SetCol(int Value)
{
    if (Value != FCurrent.X) FocusCell(Value, FCurrent.Y, true);
}

void TCustomGrid::SetRow(int Value)
{
    if (Value != FCurrent.Y) FocusCell(FCurrent.X, Value, true);
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    MoveCurrent(ACol, ARow, MoveAnchor, Show);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor)
{
    TGridCoord Old = FCurrent;
    MoveCurrent(ACol, ARow, MoveAnchor, true);
    UpdateEdit();
    if (!(Old == FCurrent)) Click();
}

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    if (ACol < 0 || ARow < 0 || ACol >= FCols.Count() || ARow >= FRows.Count())
        throw EInvalidGridOperation(Consts::SGridIndexOutOfRange);
    if (!SelectCell(ACol, ARow)) return;
    TGridRect OldSel = GetSelection();
    TGridCoord OldCurrent = FCurrent;
    if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
    FCurrent = {ACol, ARow};
    if (MoveAnchor || !FOptions.Contains(goRangeSelect)) {
        FAnchor = FCurrent;
        if (FOptions.Contains(goRowSelect)) FAnchor.X = std::max(FCols.FixedCount(), FCols.Count() - 1);
    }
    if (FOptions.Contains(goRowSelect)) FCurrent.X = FCols.FixedCount();
    if (Show) ClampInView(FCurrent);
    SelectionMoved(OldSel);
    InvalidateCell(OldCurrent.X, OldCurrent.Y);
    InvalidateCell(ACol, ARow);
}

void TCustomGrid::MoveAnchor(const TGridCoord& NewAnchor)
{
    if (!FOptions.Contains(goRangeSelect)) {
        MoveCurrent(NewAnchor.X, NewAnchor.Y, true, true);
        return;
    }
    TGridRect OldSel = GetSelection();
    FAnchor = NewAnchor;
    if (FOptions.Contains(goRowSelect)) FAnchor.X = std::max(FCols.FixedCount(), FCols.Count() - 1);
    ClampInView(NewAnchor);
    SelectionMoved(OldSel);
}

void TCustomGrid::SelectionMoved(const TGridRect& OldSel)
{
    if (!HandleAllocated()) return;
    TGridRect New = GetSelection();
    if (New == OldSel) return;
    InvalidateRect(OldSel);
    InvalidateRect(New);
}

bool TCustomGrid::IsActiveControl()
{
    if (!HandleAllocated()) return false;
    HWND F = GetFocus();
    return F && (F == FHandle || (FInplaceEdit && FInplaceEdit->HandleAllocated() && F == FInplaceEdit->GetHandle()));
}

// ---- Keyboard ----------------------------------------------------------------------------------

void TCustomGrid::KeyDown(Word& Key, TShiftState Shift)
{
    inherited::KeyDown(Key, Shift);
    if (Key == 0) return;
    if (FCols.Count() <= FCols.FixedCount() || FRows.Count() <= FRows.FixedCount()) return;
    bool Ctrl = Shift.Contains(ssCtrl);
    bool RowSel = FOptions.Contains(goRowSelect);
    TGridCoord NewCur = FCurrent;
    TGridCoord NewTL = FTopLeft;
    int Page = std::max(1, GetVisibleRowCount());
    int HPage = std::max(1, GetVisibleColCount());
    // Steps move by a number of cells and land on a cell with a size (or stay put).
    bool Handled = true;
    switch (Key) {
    case VK_UP:
        if (Ctrl) NewTL.Y = FTopLeft.Y - 1;
        else NewCur.Y = FRows.StepFrom(FCurrent.Y, -1);
        break;
    case VK_DOWN:
        if (Ctrl) NewTL.Y = FTopLeft.Y + 1;
        else NewCur.Y = FRows.StepFrom(FCurrent.Y, 1);
        break;
    case VK_LEFT:
        if (RowSel) NewTL.X = FTopLeft.X - 1;
        else if (Ctrl) { NewCur.X = FCols.StepFrom(FCurrent.X, -HPage); NewTL.X = FTopLeft.X - HPage; }
        else NewCur.X = FCols.StepFrom(FCurrent.X, -1);
        break;
    case VK_RIGHT:
        if (RowSel) NewTL.X = FTopLeft.X + 1;
        else if (Ctrl) { NewCur.X = FCols.StepFrom(FCurrent.X, HPage); NewTL.X = FTopLeft.X + HPage; }
        else NewCur.X = FCols.StepFrom(FCurrent.X, 1);
        break;
    case VK_PRIOR:
        NewCur.Y = FRows.StepFrom(FCurrent.Y, -Page);
        NewTL.Y = FTopLeft.Y - Page;
        break;
    case VK_NEXT:
        NewCur.Y = FRows.StepFrom(FCurrent.Y, Page);
        NewTL.Y = FTopLeft.Y + Page;
        break;
    case VK_HOME:
        if (RowSel || Ctrl) NewCur.Y = FRows.StepFrom(FRows.FixedCount(), 0);
        if (!RowSel) NewCur.X = FCols.StepFrom(FCols.FixedCount(), 0);
        break;
    case VK_END:
        if (RowSel || Ctrl) NewCur.Y = FRows.StepFrom(FRows.Count() - 1, 0);
        if (!RowSel) NewCur.X = FCols.StepFrom(FCols.Count() - 1, 0);
        break;
    case VK_TAB: {
        if (!FOptions.Contains(goTabs) || Shift.Contains(ssAlt)) { Handled = false; break; }
        // The next cell in the row, else the first (Shift: the previous, else the last) cell of
        // the next (previous) row.
        int Dir = Shift.Contains(ssShift) ? -1 : 1;
        int C = RowSel ? -1 : FCols.NextVisible(FCurrent.X + Dir, Dir);
        if (C >= 0) NewCur.X = C;
        else if (int R = FRows.NextVisible(FCurrent.Y + Dir, Dir); R >= 0) {
            NewCur.Y = R;
            NewCur.X = FCols.StepFrom(Dir < 0 ? FCols.Count() - 1 : FCols.FixedCount(), 0);
        }
        break;
    }
    case VK_F2:
        if (FOptions.Contains(goEditing) && !RowSel) SetEditorMode(true);
        break;
    case VK_ESCAPE:
        // Leaves the editor without keeping what was typed.
        if (FEditorMode && FInplaceEdit && FInplaceCol >= 0) {
            FInplaceEdit->SetText(GetEditText(FInplaceCol, FInplaceRow));
            HideEditor();
        } else {
            Handled = false;
        }
        break;
    default: Handled = false;
    }
    if (!Handled) return;
    if (!(NewTL == FTopLeft)) MoveTopLeft(NewTL.X, NewTL.Y);
    if (!(NewCur == FCurrent)) {
        bool Extend = Shift.Contains(ssShift) && Key != VK_TAB && FOptions.Contains(goRangeSelect);
        FocusCell(NewCur.X, NewCur.Y, !Extend);
    }
}

void TCustomGrid::KeyPress(Char& Key)
{
    inherited::KeyPress(Key);
    if (Key == 0) return;
    if (Key == 13 && FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) &&
        !FOptions.Contains(goAlwaysShowEditor)) {
        // Enter opens the editor, and in the editor writes the text back and closes it.
        if (FEditorMode) HideEditor();
        else ShowEditor();
        Key = 0;
    }
}

void TCustomGrid::WMChar(TMessage& Message)
{
    Char Ch = Char(Message.WParam);
    if (FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && (Ch == 8 || Ch >= 32) &&
        !FEditorMode && CanEditAcceptKey(Ch)) {
        ShowEditorChar(Ch);
        if (FEditorMode) return;
    }
    TWinControl::WMChar(Message);
}

void TCustomGrid::WMGetDlgCode(TMessage& Message)
{
    Message.Result = DLGC_WANTARROWS;
    if (FOptions.Contains(goRowSelect)) return;
    if (FOptions.Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
    if (FOptions.Contains(goEditing)) Message.Result |= DLGC_WANTCHARS;
}

// ---- Mouse -------------------------------------------------------------------------------------

void TCustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                  int& SizingOfs, TGridDrawInfo& FixedInfo)
{
    State = gsNormal;
    Index = -1;
    constexpr int Slop = 3;
    const TPoint Pt{X, Y};
    // A column border in the fixed rows, else a row border in the fixed columns: the end of a
    // cell's face within Slop pixels.
    for (TGridAxisKind A : GridAxes) {
        const TGridAxisDrawInfo& I = Along(FixedInfo, A);
        int P = Along(Pt, A), Across = Along(Pt, Dual(A));
        if (Across < 0 || Across >= Along(FixedInfo, Dual(A)).FixedBoundary ||
            !FOptions.Contains(GridAxisTraits(A).Sizing) || P >= I.GridBoundary + Slop)
            continue;
        int Idx = -1, End = 0;
        if (I.BorderNear(P, Slop, Idx, End)) {
            State = GridAxisTraits(A).SizingState;
            Index = Idx;
            SizingPos = End;
            SizingOfs = End - P;
        }
        return;
    }
}

void TCustomGrid::StartTimer()
{
    if (!HandleAllocated() || FTimerActive) return;
    SetTimer(FHandle, GridTimerId, 60, nullptr);
    FTimerActive = true;
}

void TCustomGrid::StopTimer()
{
    if (!FTimerActive) return;
    if (HandleAllocated()) KillTimer(FHandle, GridTimerId);
    FTimerActive = false;
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!FControlState.Contains(TControlStateFlag::csDestroyingHandle) && CanFocus() && !IsActiveControl()) {
        SetFocus();
        if (!IsActiveControl()) {
            SetMouseCapture(false);
            return;
        }
    }
    FFixedPress = {-1, -1};
    if (Button == mbLeft && FGridState == gsNormal) {
        TGridDrawInfo D;
        CalcDrawInfo(D);
        TGridState State = gsNormal;
        int Index = -1, Pos = 0, Ofs = 0;
        CalcSizingState(X, Y, State, Index, Pos, Ofs, D);
        if (State != gsNormal) {
            HideEditor();
            FGridState = State;
            FSizingIndex = Index;
            FSizingPos = Pos;
            FSizingOfs = Ofs;
            DrawSizingLine(D);
        } else {
            TGridCoord Cell = CalcCoordFromPoint(X, Y, D);
            if (Cell.X >= FCols.FixedCount() && Cell.Y >= FRows.FixedCount()) {
                if (FOptions.Contains(goEditing) && Cell == FCurrent && !Shift.Contains(ssShift) &&
                    !FOptions.Contains(goRowSelect)) {
                    ShowEditor();
                } else if (Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect)) {
                    MoveAnchor(Cell);
                    FGridState = gsSelecting;
                    StartTimer();
                } else {
                    MoveCurrent(Cell.X, Cell.Y, true, true);
                    UpdateEdit();
                    FGridState = gsSelecting;
                    StartTimer();
                }
            } else if (Cell.X >= 0 && Cell.Y >= 0) {
                FHitTest = TPoint{X, Y};
                FFixedPress = Cell;
                // A scrollable column's cell in the fixed rows moves the column, a scrollable
                // row's cell in the fixed columns the row.
                for (TGridAxisKind A : GridAxes) {
                    if (!FOptions.Contains(GridAxisTraits(A).Moving) ||
                        Along(Cell, Dual(A)) >= Axis(Dual(A)).FixedCount() || Along(Cell, A) < Axis(A).FixedCount())
                        continue;
                    int Org = Along(Cell, A), Dest = Org;
                    if (BeginLineDrag(A, Org, Dest, TPoint{X, Y})) {
                        HideEditor();
                        FMoveIndex = Org;
                        FMovePos = Dest;
                        FGridState = GridAxisTraits(A).MovingState;
                        StartTimer();
                    }
                    break;
                }
            }
        }
    }
    inherited::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    TGridDrawInfo D;
    CalcDrawInfo(D);
    switch (FGridState) {
    case gsSelecting: {
        TGridCoord Cell = CalcCoordFromPoint(X, Y, D);
        if (Cell.X >= FCols.FixedCount() && Cell.Y >= FRows.FixedCount() && !(Cell == FAnchor) &&
            (FOptions.Contains(goRangeSelect) ? true : !(Cell == FCurrent)))
            MoveAnchor(Cell);
        break;
    }
    case gsRowSizing:
    case gsColSizing: {
        DrawSizingLine(D);   // erases
        TGridAxisKind A = StateAxis(FGridState);
        int P = Along(TPoint{X, Y}, A) + FSizingOfs;
        // Not before the start of the sized cell.
        TGridCoord Sized = CoordAlong(A, FSizingIndex, 0);
        TRect R = CellRect(Sized.X, Sized.Y);
        int Start = RectStart(R, A);
        if (!R.IsEmpty() || Start != 0) P = std::max(P, Start + 1);
        FSizingPos = P;
        DrawSizingLine(D);
        break;
    }
    case gsColMoving:
    case gsRowMoving: {
        TGridAxisKind A = StateAxis(FGridState);
        int P = Along(CalcCoordFromPoint(X, Y, D), A);
        if (P >= Axis(A).FixedCount() && P != FMovePos) {
            FMovePos = P;
            InvalidateGrid();
        }
        break;
    }
    default: break;
    }
    inherited::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGridState State = FGridState;
    TGridDrawInfo D;
    CalcDrawInfo(D);
    switch (State) {
    case gsSelecting:
        MouseMove(Shift, X, Y);
        StopTimer();
        FGridState = gsNormal;
        UpdateEdit();
        break;
    case gsRowSizing:
    case gsColSizing: {
        if (FSizingLineShown) DrawSizingLine(D);
        FGridState = gsNormal;
        TGridAxisKind A = StateAxis(State);
        TGridCoord Sized = CoordAlong(A, FSizingIndex, 0);
        TRect R = CellRect(Sized.X, Sized.Y);
        if (!R.IsEmpty()) SetLineSize(A, FSizingIndex, std::max(1, FSizingPos - RectStart(R, A)));
        break;
    }
    case gsColMoving:
    case gsRowMoving: {
        StopTimer();
        FGridState = gsNormal;
        int Org = FMoveIndex, Dest = FMovePos;
        TPoint Pt{X, Y};
        TGridAxisKind A = StateAxis(State);
        if (Org != Dest && EndLineDrag(A, Org, Dest, Pt)) MoveLine(A, Org, Dest);
        InvalidateGrid();
        break;
    }
    default: break;
    }
    // A press and release on one fixed cell is a fixed-cell click.
    if (Button == mbLeft && FFixedPress.X >= 0 && (State == gsNormal || FMoveIndex == FMovePos)) {
        TGridCoord Cell = MouseCoord(X, Y);
        if (Cell == FFixedPress) FixedCellClick(Cell.X, Cell.Y);
    }
    FFixedPress = {-1, -1};
    inherited::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::FixedCellClick(int ACol, int ARow)
{
    if (OnFixedCellClick) OnFixedCellClick(this, ACol, ARow);
}

void TCustomGrid::WMLButtonUp(TMessage& Message)
{
    // The grid's own release never clicks: a descendant decides when a click happened.
    FControlState >> TControlStateFlag::csClicked;
    TControl::WMLButtonUp(Message);
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool Result = inherited::DoMouseWheelDown(Shift, MousePos);
    if (!Result) {
        int R = FRows.NextVisible(FCurrent.Y + 1, 1);
        if (R >= 0 && FCols.Count() > FCols.FixedCount()) FocusCell(FCurrent.X, R, true);
        Result = true;
    }
    return Result;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool Result = inherited::DoMouseWheelUp(Shift, MousePos);
    if (!Result) {
        int R = FRows.NextVisible(FCurrent.Y - 1, -1);
        if (R >= 0 && FCols.Count() > FCols.FixedCount()) FocusCell(FCurrent.X, R, true);
        Result = true;
    }
    return Result;
}

void TCustomGrid::TimedScroll(int Direction)
{
    // Direction: 1 up, 2 down, 4 left, 8 right (ScrollBits of the axis).
    TGridCoord TL = FTopLeft;
    for (TGridAxisKind A : GridAxes) {
        int Back = ScrollBits(A), Forth = Back << 1;
        if (Direction & Back) --Along(TL, A);
        if (Direction & Forth) ++Along(TL, A);
    }
    MoveTopLeft(TL.X, TL.Y);
}

void TCustomGrid::WMTimer(TMessage& Message)
{
    // Every timer reaches here; only selecting and moving react, by scrolling towards the mouse.
    if (FGridState != gsSelecting && FGridState != gsColMoving && FGridState != gsRowMoving) return;
    if (!HandleAllocated()) return;
    POINT CP;
    GetCursorPos(&CP);
    ::ScreenToClient(FHandle, &CP);
    const TPoint P{int(CP.x), int(CP.y)};
    // Moving columns scrolls only sideways, moving rows only up and down.
    auto Scrolls = [this](TGridAxisKind A) { return FGridState != GridAxisTraits(Dual(A)).MovingState; };
    TGridDrawInfo D;
    CalcDrawInfo(D);
    int Dir = 0;
    for (TGridAxisKind A : GridAxes) {
        const TGridAxisDrawInfo& I = Along(D, A);
        if (!Scrolls(A)) continue;
        if (Along(P, A) < I.FixedBoundary) Dir |= ScrollBits(A);
        else if (Along(P, A) > I.FullVisBoundary) Dir |= ScrollBits(A) << 1;
    }
    if (Dir == 0) return;
    TimedScroll(Dir);
    // Extend to the cell now under the edge.
    CalcDrawInfo(D);
    TGridCoord To;
    for (TGridAxisKind A : GridAxes) {
        const TGridAxisDrawInfo& I = Along(D, A);
        Along(To, A) = Scrolls(A) ? std::clamp(Along(P, A), I.FixedBoundary, std::max(I.FixedBoundary, I.GridBoundary - 1)) : 0;
    }
    MouseMove(GetShiftState(), To.X, To.Y);
}

void TCustomGrid::CancelMode()
{
    if (FSizingLineShown && HandleAllocated()) {
        TGridDrawInfo D;
        CalcDrawInfo(D);
        DrawSizingLine(D);
    }
    FSizingLineShown = false;
    StopTimer();
    TGridState Old = FGridState;
    FGridState = gsNormal;
    if (Old == gsColMoving || Old == gsRowMoving) InvalidateGrid();
    FFixedPress = {-1, -1};
}

void TCustomGrid::WMCancelMode(TMessage& Message)
{
    CancelMode();
    TControl::WMCancelMode(Message);
}

void TCustomGrid::WMSetCursor(TMessage& Message)
{
    if (HandleAllocated() && LOWORD(Message.LParam) == HTCLIENT && FGridState == gsNormal) {
        POINT P;
        GetCursorPos(&P);
        ::ScreenToClient(FHandle, &P);
        TGridDrawInfo D;
        CalcDrawInfo(D);
        TGridState State = gsNormal;
        int Index = -1, Pos = 0, Ofs = 0;
        CalcSizingState(P.x, P.y, State, Index, Pos, Ofs, D);
        if (State != gsNormal) {
            ::SetCursor(LoadCursorW(nullptr, State == gsColSizing ? IDC_SIZEWE : IDC_SIZENS));
            Message.Result = 1;
            return;
        }
    }
    TWinControl::WMSetCursor(Message);
}

void TCustomGrid::WMSetFocus(TMessage& Message)
{
    TWinControl::WMSetFocus(Message);
    InvalidateRect(GetSelection());
    if (FOptions.Contains(goAlwaysShowEditor)) ShowEditor();
}

void TCustomGrid::WMKillFocus(TMessage& Message)
{
    TWinControl::WMKillFocus(Message);
    InvalidateRect(GetSelection());
    HWND To = reinterpret_cast<HWND>(Message.WParam);
    bool ToEditor = FInplaceEdit && FInplaceEdit->HandleAllocated() && To == FInplaceEdit->GetHandle();
    if (!ToEditor && FGridState != gsNormal) CancelMode();
}

void TCustomGrid::DoExit()
{
    inherited::DoExit();
    if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
}

void TCustomGrid::WMCommand(TMessage& Message)
{
    TWinControl::WMCommand(Message);
}

void TCustomGrid::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
    case WM_SIZE: WMSize(Message); break;
    case WM_HSCROLL: WMHScroll(Message); break;
    case WM_VSCROLL: WMVScroll(Message); break;
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    case WM_SETFOCUS: WMSetFocus(Message); break;
    case WM_KILLFOCUS: WMKillFocus(Message); break;
    case WM_TIMER: WMTimer(Message); break;
    case WM_SETCURSOR: WMSetCursor(Message); break;
    case WM_CANCELMODE: WMCancelMode(Message); break;
    case WM_LBUTTONUP: WMLButtonUp(Message); break;
    case WM_CHAR: WMChar(Message); break;
    default: inherited::Dispatch(Message);
    }
}
