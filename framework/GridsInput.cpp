// Grids: the current cell and the selection, the keyboard, the mouse (selecting, sizing and
// moving), the wheel, the timer and the grid's message dispatch.
#include "Grids.h"

#include <algorithm>

// ---- Properties --------------------------------------------------------------------------------

void TCustomGrid::SetOptions(TGridOptions Value)
{
    if (Value == FOptions) return;
    if (Value.Contains(goRowSelect)) Value >> goAlwaysShowEditor;
    TGridOptions Old = FOptions;
    FOptions = Value;
    // The editor goes when editing stops being possible; cells and selection stay as they are.
    if (!Value.Contains(goEditing) || Value.Contains(goRowSelect)) HideEditor();
    if (Value.Contains(goRowSelect) && !Old.Contains(goRowSelect)) FAnchor.X = std::max(FFixedCols, FColCount - 1);
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
        R.Left = FFixedCols;
        R.Right = std::max(FFixedCols, FColCount - 1);
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
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount)
        throw EInvalidGridOperation(Consts::SGridIndexOutOfRange);
    if (!SelectCell(ACol, ARow)) return;
    TGridRect OldSel = GetSelection();
    TGridCoord OldCurrent = FCurrent;
    if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
    FCurrent = {ACol, ARow};
    if (MoveAnchor || !FOptions.Contains(goRangeSelect)) {
        FAnchor = FCurrent;
        if (FOptions.Contains(goRowSelect)) FAnchor.X = std::max(FFixedCols, FColCount - 1);
    }
    if (FOptions.Contains(goRowSelect)) FCurrent.X = FFixedCols;
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
    if (FOptions.Contains(goRowSelect)) FAnchor.X = std::max(FFixedCols, FColCount - 1);
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

int TCustomGrid::NextVisibleRow(int From, int Step) const
{
    // The nearest row with a height from From on in the direction of Step, or -1.
    for (int r = From; r >= FFixedRows && r < FRowCount; r += Step)
        if (IsVisibleRow(r)) return r;
    return -1;
}

int TCustomGrid::NextVisibleCol(int From, int Step) const
{
    for (int c = From; c >= FFixedCols && c < FColCount; c += Step)
        if (IsVisibleCol(c)) return c;
    return -1;
}

// ---- Keyboard ----------------------------------------------------------------------------------

void TCustomGrid::KeyDown(Word& Key, TShiftState Shift)
{
    inherited::KeyDown(Key, Shift);
    if (Key == 0) return;
    if (FColCount <= FFixedCols || FRowCount <= FFixedRows) return;
    bool Ctrl = Shift.Contains(ssCtrl);
    bool RowSel = FOptions.Contains(goRowSelect);
    TGridCoord NewCur = FCurrent;
    TGridCoord NewTL = FTopLeft;
    int Page = std::max(1, GetVisibleRowCount());
    int HPage = std::max(1, GetVisibleColCount());
    // Moves along an axis by Delta cells, landing on a cell with a size (or staying put).
    auto StepRow = [this](int From, int Delta) {
        int Target = std::clamp(From + Delta, FFixedRows, FRowCount - 1);
        int Dir = Delta < 0 ? -1 : 1;
        int R = NextVisibleRow(Target, Dir);
        if (R < 0) R = NextVisibleRow(Target, -Dir);
        return R < 0 ? From : R;
    };
    auto StepCol = [this](int From, int Delta) {
        int Target = std::clamp(From + Delta, FFixedCols, FColCount - 1);
        int Dir = Delta < 0 ? -1 : 1;
        int C = NextVisibleCol(Target, Dir);
        if (C < 0) C = NextVisibleCol(Target, -Dir);
        return C < 0 ? From : C;
    };
    bool Handled = true;
    switch (Key) {
    case VK_UP:
        if (Ctrl) NewTL.Y = FTopLeft.Y - 1;
        else NewCur.Y = StepRow(FCurrent.Y, -1);
        break;
    case VK_DOWN:
        if (Ctrl) NewTL.Y = FTopLeft.Y + 1;
        else NewCur.Y = StepRow(FCurrent.Y, 1);
        break;
    case VK_LEFT:
        if (RowSel) NewTL.X = FTopLeft.X - 1;
        else if (Ctrl) { NewCur.X = StepCol(FCurrent.X, -HPage); NewTL.X = FTopLeft.X - HPage; }
        else NewCur.X = StepCol(FCurrent.X, -1);
        break;
    case VK_RIGHT:
        if (RowSel) NewTL.X = FTopLeft.X + 1;
        else if (Ctrl) { NewCur.X = StepCol(FCurrent.X, HPage); NewTL.X = FTopLeft.X + HPage; }
        else NewCur.X = StepCol(FCurrent.X, 1);
        break;
    case VK_PRIOR:
        NewCur.Y = StepRow(FCurrent.Y, -Page);
        NewTL.Y = FTopLeft.Y - Page;
        break;
    case VK_NEXT:
        NewCur.Y = StepRow(FCurrent.Y, Page);
        NewTL.Y = FTopLeft.Y + Page;
        break;
    case VK_HOME:
        if (RowSel || Ctrl) NewCur.Y = StepRow(FFixedRows, 0);
        if (!RowSel) NewCur.X = StepCol(FFixedCols, 0);
        break;
    case VK_END:
        if (RowSel || Ctrl) NewCur.Y = StepRow(FRowCount - 1, 0);
        if (!RowSel) NewCur.X = StepCol(FColCount - 1, 0);
        break;
    case VK_TAB:
        if (!FOptions.Contains(goTabs) || Shift.Contains(ssAlt)) { Handled = false; break; }
        if (Shift.Contains(ssShift)) {
            int C = RowSel ? -1 : NextVisibleCol(FCurrent.X - 1, -1);
            if (C >= 0) NewCur.X = C;
            else if (int R = NextVisibleRow(FCurrent.Y - 1, -1); R >= 0) {
                NewCur.Y = R;
                NewCur.X = StepCol(FColCount - 1, 0);
            }
        } else {
            int C = RowSel ? -1 : NextVisibleCol(FCurrent.X + 1, 1);
            if (C >= 0) NewCur.X = C;
            else if (int R = NextVisibleRow(FCurrent.Y + 1, 1); R >= 0) {
                NewCur.Y = R;
                NewCur.X = StepCol(FFixedCols, 0);
            }
        }
        break;
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
    // The border nearest to P along an axis: the end of a cell's face, within Slop pixels.
    auto Border = [](const TGridAxisDrawInfo& A, int P, int& Idx, int& Pos) {
        int Start = 0;
        auto Try = [&](int i) {
            int E = A.GetExtent(i);
            if (E <= 0) return false;
            int End = Start + E;
            if (P >= End - Slop && P <= End + A.EffectiveLineWidth + Slop) {
                Idx = i;
                Pos = End;
            }
            Start = End + A.EffectiveLineWidth;
            return Start > P + Slop;
        };
        for (int i = 0; i < A.FixedCellCount; ++i)
            if (Try(i)) return;
        for (int i = A.FirstGridCell; i < A.GridCellCount && Start < A.GridExtent; ++i)
            if (Try(i)) return;
    };
    if (Y >= 0 && Y < FixedInfo.Vert.FixedBoundary && FOptions.Contains(goColSizing) && X < FixedInfo.Horz.GridBoundary + Slop) {
        int Idx = -1, Pos = 0;
        Border(FixedInfo.Horz, X, Idx, Pos);
        if (Idx >= 0) {
            State = gsColSizing;
            Index = Idx;
            SizingPos = Pos;
            SizingOfs = Pos - X;
        }
    } else if (X >= 0 && X < FixedInfo.Horz.FixedBoundary && FOptions.Contains(goRowSizing) &&
               Y < FixedInfo.Vert.GridBoundary + Slop) {
        int Idx = -1, Pos = 0;
        Border(FixedInfo.Vert, Y, Idx, Pos);
        if (Idx >= 0) {
            State = gsRowSizing;
            Index = Idx;
            SizingPos = Pos;
            SizingOfs = Pos - Y;
        }
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
            if (Cell.X >= FFixedCols && Cell.Y >= FFixedRows) {
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
                if (FOptions.Contains(goColMoving) && Cell.Y < FFixedRows && Cell.X >= FFixedCols) {
                    int Org = Cell.X, Dest = Cell.X;
                    if (BeginColumnDrag(Org, Dest, TPoint{X, Y})) {
                        HideEditor();
                        FMoveIndex = Org;
                        FMovePos = Dest;
                        FGridState = gsColMoving;
                        StartTimer();
                    }
                } else if (FOptions.Contains(goRowMoving) && Cell.X < FFixedCols && Cell.Y >= FFixedRows) {
                    int Org = Cell.Y, Dest = Cell.Y;
                    if (BeginRowDrag(Org, Dest, TPoint{X, Y})) {
                        HideEditor();
                        FMoveIndex = Org;
                        FMovePos = Dest;
                        FGridState = gsRowMoving;
                        StartTimer();
                    }
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
        if (Cell.X >= FFixedCols && Cell.Y >= FFixedRows && !(Cell == FAnchor) &&
            (FOptions.Contains(goRangeSelect) ? true : !(Cell == FCurrent)))
            MoveAnchor(Cell);
        break;
    }
    case gsRowSizing:
    case gsColSizing: {
        DrawSizingLine(D);   // erases
        int P = (FGridState == gsRowSizing ? Y : X) + FSizingOfs;
        // Not before the start of the sized cell.
        TRect R = FGridState == gsRowSizing ? CellRect(0, FSizingIndex) : CellRect(FSizingIndex, 0);
        int Start = FGridState == gsRowSizing ? R.Top : R.Left;
        if (!R.IsEmpty() || Start != 0) P = std::max(P, Start + 1);
        FSizingPos = P;
        DrawSizingLine(D);
        break;
    }
    case gsColMoving:
    case gsRowMoving: {
        TGridCoord Cell = CalcCoordFromPoint(X, Y, D);
        int P = FGridState == gsColMoving ? Cell.X : Cell.Y;
        int Lo = FGridState == gsColMoving ? FFixedCols : FFixedRows;
        if (P >= Lo && P != FMovePos) {
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
        if (State == gsColSizing) {
            TRect R = CellRect(FSizingIndex, 0);
            if (!R.IsEmpty()) SetColWidths(FSizingIndex, std::max(1, FSizingPos - R.Left));
        } else {
            TRect R = CellRect(0, FSizingIndex);
            if (!R.IsEmpty()) SetRowHeights(FSizingIndex, std::max(1, FSizingPos - R.Top));
        }
        break;
    }
    case gsColMoving:
    case gsRowMoving: {
        StopTimer();
        FGridState = gsNormal;
        int Org = FMoveIndex, Dest = FMovePos;
        TPoint Pt{X, Y};
        if (Org != Dest) {
            if (State == gsColMoving) {
                if (EndColumnDrag(Org, Dest, Pt)) MoveColumn(Org, Dest);
            } else {
                if (EndRowDrag(Org, Dest, Pt)) MoveRow(Org, Dest);
            }
        }
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
        int R = NextVisibleRow(FCurrent.Y + 1, 1);
        if (R >= 0 && FColCount > FFixedCols) FocusCell(FCurrent.X, R, true);
        Result = true;
    }
    return Result;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool Result = inherited::DoMouseWheelUp(Shift, MousePos);
    if (!Result) {
        int R = NextVisibleRow(FCurrent.Y - 1, -1);
        if (R >= 0 && FColCount > FFixedCols) FocusCell(FCurrent.X, R, true);
        Result = true;
    }
    return Result;
}

void TCustomGrid::TimedScroll(int Direction)
{
    // Direction: 1 up, 2 down, 4 left, 8 right.
    TGridCoord TL = FTopLeft;
    if (Direction & 1) --TL.Y;
    if (Direction & 2) ++TL.Y;
    if (Direction & 4) --TL.X;
    if (Direction & 8) ++TL.X;
    MoveTopLeft(TL.X, TL.Y);
}

void TCustomGrid::WMTimer(TMessage& Message)
{
    // Every timer reaches here; only selecting and moving react, by scrolling towards the mouse.
    if (FGridState != gsSelecting && FGridState != gsColMoving && FGridState != gsRowMoving) return;
    if (!HandleAllocated()) return;
    POINT P;
    GetCursorPos(&P);
    ::ScreenToClient(FHandle, &P);
    TGridDrawInfo D;
    CalcDrawInfo(D);
    int Dir = 0;
    if (FGridState != gsColMoving) {
        if (P.y < D.Vert.FixedBoundary) Dir |= 1;
        else if (P.y > D.Vert.FullVisBoundary) Dir |= 2;
    }
    if (FGridState != gsRowMoving) {
        if (P.x < D.Horz.FixedBoundary) Dir |= 4;
        else if (P.x > D.Horz.FullVisBoundary) Dir |= 8;
    }
    if (Dir == 0) return;
    TimedScroll(Dir);
    // Extend to the cell now under the edge.
    CalcDrawInfo(D);
    int X = std::clamp(int(P.x), D.Horz.FixedBoundary, std::max(D.Horz.FixedBoundary, D.Horz.GridBoundary - 1));
    int Y = std::clamp(int(P.y), D.Vert.FixedBoundary, std::max(D.Vert.FixedBoundary, D.Vert.GridBoundary - 1));
    if (FGridState == gsColMoving) Y = 0;
    if (FGridState == gsRowMoving) X = 0;
    MouseMove(GetShiftState(), X, Y);
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
