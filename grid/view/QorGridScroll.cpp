// TQorStringGrid's scroll bars: the flat scroll bars of the common controls, the proportional
// thumbs, the scroll messages with their hints and the in-cell scroll bar, the show/hide upkeep of
// the window's bars; scrolling while a drag hovers near an edge, and the smooth continuation of a
// quick pan.
//
// Positions: the framework grid keeps its bars on a scale of 0 .. 127 whatever the counts are. A
// proportional thumb keeps that scale for the track (nMax - nPage + 1 = 127) and sizes the page
// by the share of the lines in view.
#include "grid/QorGrid.h"

#include "grid/QorGridSatellites.h"
#include "grid/exchange/DragDropSettings.h"

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Math.h"
#include "framework/StdCtrls.h"

#include <cmath>

String TQorStringGrid::FlatScrollModuleName = QorGridConsts::SCommonControlsModule;

namespace {

// Flat scroll bar property indexes and modes (common controls).
constexpr int WSB_PROP_CYHSCROLL_ = 4;
constexpr int WSB_PROP_CXVSCROLL_ = 8;
constexpr int WSB_PROP_VBKGCOLOR_ = 64;
constexpr int WSB_PROP_HBKGCOLOR_ = 128;
constexpr int WSB_PROP_VSTYLE_ = 256;
constexpr int WSB_PROP_HSTYLE_ = 512;
constexpr int FSB_REGULAR_MODE_ = 0;
constexpr int FSB_ENCARTA_MODE_ = 1;
constexpr int FSB_FLAT_MODE_ = 2;
// Range, page, position and track position.
constexpr UINT ScrollInfoMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
static_assert(ScrollInfoMask == 23);
// The in-cell scroll bar's line and page steps.
constexpr int CellBarLine = 10;
constexpr int CellBarPage = 100;
// The widest scroll hint and its distance right of the cursor.
constexpr int ScrollHintMaxWidth = 100;
constexpr int ScrollHintOffset = 10;
// The smooth-scroll timer's period (ms).
constexpr unsigned SmoothScrollInterval = 10;
// A proportional horizontal thumb is left alone from this page size on.
constexpr int MaxHorzPage = 4000;

// The entry point Name of the already loaded flat scroll bar module; null when either is missing.
template <class F>
F FlatEntry(const char* Name)
{
    const HMODULE M = GetModuleHandleW(TQorStringGrid::FlatScrollModuleName.c_str());
    return M ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(M, Name))) : nullptr;
}

using TInitializeFlatSB = BOOL(WINAPI*)(HWND);
using TUninitializeFlatSB = HRESULT(WINAPI*)(HWND);
using TFlatSBSetScrollProp = BOOL(WINAPI*)(HWND, UINT, INT_PTR, BOOL);
using TFlatSBSetScrollInfo = int(WINAPI*)(HWND, int, LPSCROLLINFO, BOOL);
using TFlatSBShowScrollBar = BOOL(WINAPI*)(HWND, int, BOOL);

SCROLLINFO EmptyScrollInfo()
{
    SCROLLINFO SI{};
    SI.cbSize = sizeof(SI);
    SI.fMask = ScrollInfoMask;
    return SI;
}

} // namespace

// ---- Flat scroll bar binding --------------------------------------------------------------------

void TQorStringGrid::FlatInit()
{
    auto Init = FlatEntry<TInitializeFlatSB>("InitializeFlatSB");
    FLookState.FIsFlat = Init != nullptr;
    if (Init && HandleAllocated()) Init(GetHandle());
}

void TQorStringGrid::FlatDone()
{
    FLookState.FIsFlat = false;
    if (auto Done = FlatEntry<TUninitializeFlatSB>("UninitializeFlatSB"); Done && HandleAllocated()) Done(GetHandle());
}

void TQorStringGrid::FlatSetScrollProp(int Index, int NewValue, bool FRedraw)
{
    if (!FLookState.FIsFlat || !HandleAllocated()) return;
    if (auto Set = FlatEntry<TFlatSBSetScrollProp>("FlatSB_SetScrollProp"))
        Set(GetHandle(), UINT(Index), INT_PTR(NewValue), FRedraw);
}

void TQorStringGrid::FlatSetScrollInfo(int Code, SCROLLINFO& ScrollInfo, bool FRedraw)
{
    if (!HandleAllocated()) return;
    if (auto Set = FlatEntry<TFlatSBSetScrollInfo>("FlatSB_SetScrollInfo")) Set(GetHandle(), Code, &ScrollInfo, FRedraw);
}

bool TQorStringGrid::HasScrollBarEx(int Code) const
{
    const TScrollStyle B = FScroll.FScrollBars;
    if (B == TScrollStyle::ssBoth) return true;
    return B == (Code == SB_HORZ ? TScrollStyle::ssHorizontal : TScrollStyle::ssVertical);
}

void TQorStringGrid::FlatShowScrollBar(int Code, bool Show)
{
    if (!FLookState.FIsFlat || !HandleAllocated() || !HasScrollBarEx(Code)) return;
    if (auto ShowBar = FlatEntry<TFlatSBShowScrollBar>("FlatSB_ShowScrollBar")) ShowBar(GetHandle(), Code, Show);
}

void TQorStringGrid::UpdateType()
{
    int Mode = FSB_REGULAR_MODE_;
    switch (FScroll.FScrollType) {
    case ssNormal: Mode = FSB_REGULAR_MODE_; break;
    case ssFlat: Mode = FSB_FLAT_MODE_; break;
    case ssEncarta: Mode = FSB_ENCARTA_MODE_; break;
    default: return;
    }
    FlatSetScrollProp(WSB_PROP_VSTYLE_, Mode, true);
    FlatSetScrollProp(WSB_PROP_HSTYLE_, Mode, true);
}

void TQorStringGrid::UpdateColor()
{
    if (FScroll.FScrollColor == clNone) return;
    FlatSetScrollProp(WSB_PROP_VBKGCOLOR_, int(ColorToRGB(FScroll.FScrollColor)), true);
    FlatSetScrollProp(WSB_PROP_HBKGCOLOR_, int(ColorToRGB(FScroll.FScrollColor)), true);
}

void TQorStringGrid::UpdateWidth()
{
    FlatSetScrollProp(WSB_PROP_CXVSCROLL_, FScroll.FScrollWidth, true);
    FlatSetScrollProp(WSB_PROP_CYHSCROLL_, FScroll.FScrollWidth, true);
}

void TQorStringGrid::UpdateVScrollBar()
{
    if (!FLookState.FIsFlat || !HandleAllocated() || !HasScrollBarEx(SB_VERT)) return;
    SCROLLINFO SI = EmptyScrollInfo();
    GetScrollInfo(GetHandle(), SB_VERT, &SI);
    FlatSetScrollInfo(SB_VERT, SI, true);
}

void TQorStringGrid::UpdateHScrollBar()
{
    if (!FLookState.FIsFlat || !HandleAllocated() || !HasScrollBarEx(SB_HORZ)) return;
    SCROLLINFO SI = EmptyScrollInfo();
    GetScrollInfo(GetHandle(), SB_HORZ, &SI);
    FlatSetScrollInfo(SB_HORZ, SI, true);
}

void TQorStringGrid::FlatUpdate()
{
    UpdateType();
    UpdateColor();
    UpdateWidth();
    const bool VertNeeded = GetVisibleRowCount() + GetFixedRows() < GetRowCount();
    FlatShowScrollBar(SB_VERT, VertNeeded);
    if (VertNeeded) UpdateVScrollBar();
    const bool HorzNeeded = GetVisibleColCount() + GetFixedCols() < GetColCount();
    FlatShowScrollBar(SB_HORZ, HorzNeeded);
    if (HorzNeeded) UpdateHScrollBar();
}

// ---- Scroll properties ----------------------------------------------------------------------------------

TScrollStyle TQorStringGrid::GetScrollBarsEx() const
{
    return FScroll.FScrollBars;
}

void TQorStringGrid::SetScrollBarsEx(TScrollStyle Value)
{
    FScroll.FScrollBars = Value;
    SetScrollBars(Value);
}

void TQorStringGrid::SetScrollColor(TColor Value)
{
    FScroll.FScrollColor = Value;
    UpdateColor();
}

void TQorStringGrid::SetScrollWidth(int Value)
{
    FScroll.FScrollWidth = Value;
    // A flat bar's width of 0 or less would take the bar away: the system width stands in.
    if (Value <= 0) FScroll.FScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
    UpdateWidth();
}

void TQorStringGrid::SetScrollType(TScrollType Value)
{
    if (Value != FScroll.FScrollType) {
        FScroll.FScrollType = Value;
        if (Value == ssFlat || Value == ssEncarta) {
            FlatInit();
            FlatUpdate();
        } else {
            FlatDone();
        }
        if (HandleAllocated() && Value == ssMetro) {
            CreateMetroScrollers();
            SetScrollBarsEx(TScrollStyle::ssNone);
        } else if (HandleAllocated() && (FWin.vscrlctrl || FWin.hscrlctrl)) {
            DestroyMetroScrollers();
            SetScrollBarsEx(TScrollStyle::ssBoth);
        }
    }
    UpdateType();
}

void TQorStringGrid::SetScrollProportional(bool Value)
{
    FScroll.FScrollProportional = Value;
    if (Value) {
        UpdateVScroller();
        UpdateHScroller();
        return;
    }
    if (FLookState.FIsFlat && FScroll.FScrollType == ssNormal) FlatDone();
    if (!HandleAllocated()) return;
    // The system bars get their page of 0 back.
    for (int Code : {SB_HORZ, SB_VERT}) {
        SCROLLINFO SI{};
        SI.cbSize = sizeof(SI);
        SI.fMask = SIF_PAGE;
        SI.nPage = 0;
        SetScrollInfo(GetHandle(), Code, &SI, TRUE);
    }
    // The plain range of 0 .. 127 again, so that the thumb and the grid agree on positions.
    UpdateScrollRange();
}

// ---- Show/hide upkeep of the window's bars ----------------------------------------------------------

void TQorStringGrid::UpdateScrollBars(bool Flag)
{
    if (!HandleAllocated()) return;
    const HWND H = GetHandle();
    const bool RowsFit = GetVisibleRowCount() + GetFixedRows() >= GetRowCount();
    const bool ColsFit = GetVisibleColCount() + GetFixedCols() >= GetColCount();
    const bool HasVert = HasScrollBarEx(SB_VERT);
    const bool HasHorz = HasScrollBarEx(SB_HORZ);
    const TScrollBarAlways Always = FScroll.FScrollBarAlways;
    if (Always != saNone) {
        if (RowsFit && HasVert) ShowScrollBar(H, SB_VERT, Always == saVert || Always == saBoth);
        if (ColsFit && HasHorz) ShowScrollBar(H, SB_HORZ, Always == saHorz || Always == saBoth);
        EnableScrollBar(H, SB_VERT, RowsFit ? ESB_DISABLE_BOTH : ESB_ENABLE_BOTH);
        EnableScrollBar(H, SB_HORZ, ColsFit ? ESB_DISABLE_BOTH : ESB_ENABLE_BOTH);
    } else if (Flag) {
        if (RowsFit) ShowScrollBar(H, SB_VERT, false);
        if (ColsFit) ShowScrollBar(H, SB_HORZ, false);
    }
}

void TQorStringGrid::ScrollersForMessage(UINT Msg)
{
    if (Msg == WM_PAINT) {
        if (FRun.FPaintCount != 0 || !FScroll.FScrollProportional || FScroll.FScrollType == ssMetro) return;
    } else if (Msg == WM_SIZE) {
        StretchOnResize();
    } else if (Msg != CM_UIACTIVATE && Msg != WM_LBUTTONUP) {
        return;
    }
    UpdateVScroller();
    UpdateHScroller();
}

// ---- Proportional thumbs ------------------------------------------------------------------------------

namespace {

// The sums one proportional thumb needs: the fixed lines, all scrollable lines and those before
// the first one in view, each with a line width in front.
struct TThumbSums {
    double Fixed = 0;
    double Total = 0;
    double Before = 0;
};

TThumbSums ThumbSums(const TGridAxis& X, int L, int FixedCount, int First)
{
    const int N = X.Count();
    FixedCount = std::clamp(FixedCount, 0, N);
    First = std::clamp(First, FixedCount, N);
    // Each line with the grid line after it; one line width in front of each sum.
    auto Lines = [&](int From, int To) { return double(X.SizeSum(To) - X.SizeSum(From)) + double(L) * (To - From); };
    return TThumbSums{L + Lines(0, FixedCount), L + Lines(FixedCount, N), L + Lines(FixedCount, First)};
}

// The bar's range and page for a ratio r of the room to the lines: the track stays 0 .. 127.
void ProportionalRange(float r, SCROLLINFO& SI)
{
    SI.nMax = int(std::trunc((double(r) + 127.0) / (1.0 - double(r))));
    SI.nPage = UINT(std::max(0, SI.nMax - 126));
}

} // namespace

bool TQorStringGrid::ProportionalInfo(TGridAxisKind A, SCROLLINFO& SI)
{
    const bool Cols = A == TGridAxisKind::Cols;
    if (IsLoading() || !FScroll.FScrollProportional || FScroll.FScrollType == ssMetro || FScroll.FScrollLock ||
        !HasScrollBarEx(Cols ? SB_HORZ : SB_VERT) || !HandleAllocated())
        return false;
    if (!Cols && GetVisibleRowCount() + GetFixedRows() >= GetRowCount()) return false;
    const int L = GetGridLineWidth();
    // The room: the control's size less the other bar when that bar is shown (the vertical thumb
    // asks whether all columns are in view without counting the fixed ones).
    int Room = Cols ? GetWidth() : GetHeight();
    if (Cols && GetVisibleRowCount() + GetFixedRows() < GetRowCount()) Room -= GetSystemMetrics(SM_CXVSCROLL);
    if (!Cols && GetVisibleColCount() < GetColCount()) Room -= GetSystemMetrics(SM_CYHSCROLL);
    const TThumbSums S = ThumbSums(Axis(A), L, Axis(A).FixedCount(), Cols ? GetLeftCol() : GetTopRow());
    // Lines of no size at all leave nothing to scroll.
    if (S.Total <= 0) return false;
    // The room after the fixed lines can be below 0 (fixed lines larger than the grid): the
    // thumb is then as small as it gets, never a negative page.
    const float r = std::max(0.0f, float((Room - S.Fixed) / S.Total));
    if (!(r < (Cols ? 0.99999f : 0.9999f))) return false;
    const double p = S.Total > Room ? S.Before / (S.Total - Room) * 128.0 : (Cols ? double(SI.nPos) : 127.0);
    if (Cols && S.Fixed + S.Total - Room < 0) return false;
    SCROLLINFO New = SI;
    ProportionalRange(r, New);
    if (Cols && int(New.nPage) >= MaxHorzPage) return false;
    // The bar keeps a position within its track (the system would move it there anyway).
    New.nPos = std::clamp(int(std::trunc(p)), New.nMin, std::max(New.nMin, New.nMax - int(std::max(1u, New.nPage)) + 1));
    SI = New;
    return true;
}

void TQorStringGrid::AdjustScrollInfo(TGridAxisKind A, SCROLLINFO& SI)
{
    // The framework's own upkeep writes the proportional thumb at once, so that a scrolled grid
    // does not show the plain thumb until its next paint.
    ProportionalInfo(A, SI);
}

void TQorStringGrid::ApplyScroller(TGridAxisKind A)
{
    const int Bar = A == TGridAxisKind::Cols ? SB_HORZ : SB_VERT;
    SCROLLINFO SI = EmptyScrollInfo();
    if (HandleAllocated()) GetScrollInfo(GetHandle(), Bar, &SI);
    const SCROLLINFO Old = SI;
    if (!ProportionalInfo(A, SI)) return;
    // Written only when it differs from what the bar shows: a paint after a scroll finds it set.
    if (SI.nMax != Old.nMax || SI.nPage != Old.nPage || SI.nPos != Old.nPos || SI.nMin != Old.nMin)
        SetScrollInfo(GetHandle(), Bar, &SI, TRUE);
    if (A == TGridAxisKind::Cols) UpdateHScrollBar();
    else UpdateVScrollBar();
}

void TQorStringGrid::UpdateHScroller()
{
    if (HandleAllocated() && FWin.FSearchPanel && FWin.FSearchPanel->GetVisible()) UpdateSearchPanel();
    ApplyScroller(TGridAxisKind::Cols);
}

void TQorStringGrid::UpdateVScroller()
{
    ApplyScroller(TGridAxisKind::Rows);
}

// ---- Scroll messages ------------------------------------------------------------------------------------

void TQorStringGrid::ScrollHint(TGridAxisKind A, int Code, int Pos)
{
    const TScrollHintType H = FScroll.FScrollHints;
    const bool Wanted = H == shBoth || H == (A == TGridAxisKind::Cols ? shHorizontal : shVertical);
    if (!Wanted) return;
    // Hints asked for after the window was made get their window now.
    if (!FWin.FScrollHintWnd && HandleAllocated()) FWin.FScrollHintWnd = Create<THTMLHintWindow>(this);
    THTMLHintWindow* W = FWin.FScrollHintWnd;
    if (!W) return;
    if (Code == SB_ENDSCROLL) {
        W->ReleaseHandle();
        FScroll.FScrollHintShow = false;
        return;
    }
    if (Code != SB_THUMBTRACK) return;
    const bool Cols = A == TGridAxisKind::Cols;
    const int Count = Cols ? GetColCount() : GetRowCount();
    const int Visible = Cols ? GetVisibleColCount() : GetVisibleRowCount();
    const int Fixed = Cols ? GetFixedCols() : GetFixedRows();
    const int Line = MulDiv(Pos, Count - Visible - Fixed, 127) + Fixed;
    String Text = String(Cols ? QorGridConsts::SScrollHintCol : QorGridConsts::SScrollHintRow) + IntToStr(Line);
    if (OnScrollHint) OnScrollHint(this, Line, Text);
    TRect R = W->CalcHintRect(ScrollHintMaxWidth, Text, nullptr);
    W->SetCaption(Text);
    W->SetColor(FHints.FHintColor);
    POINT Cursor{};
    GetCursorPos(&Cursor);
    R = TRect(R.Left + Cursor.x + ScrollHintOffset, R.Top + Cursor.y, R.Right + Cursor.x + ScrollHintOffset,
              R.Bottom + Cursor.y);
    W->ActivateHint(R, Text);
    FScroll.FScrollHintShow = true;
}

TRect TQorStringGrid::FixedBackgroundCells()
{
    TBackGround* B = FOpt.FBackGround.get();
    if (B->GetDisplay() != bdFixed || !B->GetBitmap() || B->GetBitmap()->GetEmpty()) return TRect{-1, -1, -1, -1};
    const TGridCoord TL = MouseCoord(B->GetLeft(), B->GetTop());
    const TGridCoord BR =
        MouseCoord(B->GetLeft() + B->GetBitmap()->GetWidth(), B->GetTop() + B->GetBitmap()->GetHeight());
    return TRect{TL.X, TL.Y, BR.X, BR.Y};
}

void TQorStringGrid::WMHScroll(TMessage& Message)
{
    const int Code = LOWORD(Message.WParam);
    int Pos = HIWORD(Message.WParam);
    ScrollHint(TGridAxisKind::Cols, Code, Pos);
    if (FOpt.FNavigation->GetAlwaysEdit() && GetEditorMode()) HideInplaceEdit();
    if (Code == SB_THUMBPOSITION && FLookState.FIsFlat && GetColCount() > 0) {
        const int v = int(Round(GetVisibleColCount() * 128.0 / GetColCount()));
        if (v != 128 && v < 128) {
            Pos = std::clamp(int(Round(Pos * 127.0 / (128 - v))), 0, 0xFFFF);
            Message.WParam = MAKEWPARAM(Code, Pos);
        }
    }
    const int Target = MulDiv(Pos, GetColCount() - GetVisibleColCount() - GetFixedCols(), 127) + GetFixedCols();
    if (Code == SB_THUMBTRACK && FScroll.FScrollSynch)
        SetLeftCol(std::clamp(Target, GetFixedCols(), std::max(GetFixedCols(), GetColCount() - 1)));
    const TRect OldPicture = FixedBackgroundCells();
    if (GetFixedCols() == 0 && Target >= GetCol()) HideInplaceEdit();
    inherited::WMHScroll(Message);
    const TRect NewPicture = FixedBackgroundCells();
    if (Code != SB_THUMBTRACK && OldPicture.Left >= 0 && !(OldPicture == NewPicture)) {
        RepaintRect(OldPicture);
        RepaintRect(NewPicture);
    }
    if (Code == SB_ENDSCROLL) {
        if (UseRightToLeftAlignment() && FMergeCount > 0) Invalidate();
        if (GetColCount() == 1) Repaint();
    }
    UpdateHScrollBar();
    UpdateVScrollBar();
    if (HasCheckBox(RealColIndex(GetCol()), GetRow())) HideEditor();
    UpdateFooter();
}

bool TQorStringGrid::CellScrollBarMessage(TMessage& Message)
{
    TScrollBar* Bar = FWin.FScrollBar;
    if (!Bar || !Bar->HandleAllocated() || Message.LParam == 0 || HWND(Message.LParam) != Bar->GetHandle()) return false;
    const int Code = LOWORD(Message.WParam);
    const int MsgPos = HIWORD(Message.WParam);
    const int Old = Bar->GetPosition();
    // The bar hears of the message too (code first, position second); its own step is replaced
    // by the grid's below.
    SendMessageW(Bar->GetHandle(), WM_VSCROLL, WPARAM(Code), LPARAM(MsgPos));
    int New = Old;
    switch (Code) {
    case SB_LINEUP: New = Old - CellBarLine; break;
    case SB_LINEDOWN: New = Old + CellBarLine; break;
    case SB_PAGEUP: New = Old - CellBarPage; break;
    case SB_PAGEDOWN: New = Old + CellBarPage; break;
    case SB_THUMBTRACK: New = MsgPos; break;
    default: break;
    }
    New = std::clamp(New, Bar->GetMin(), std::max(Bar->GetMin(), Bar->GetMax()));
    Bar->SetPosition(New);
    if (Bar->GetPosition() != Old) {
        Message.Result = 1;
        SetScrollPosition(FScroll.FScrollCol, FScroll.FScrollRow, Bar->GetPosition());
        DoCellScroll(FScroll.FScrollCol, FScroll.FScrollRow, Bar->GetPosition(), Bar->GetMin(), Bar->GetMax());
    } else {
        // The bar keeps the position it had, whatever its own step did.
        Bar->SetPosition(Old);
    }
    return true;
}

void TQorStringGrid::WMVScroll(TMessage& Message)
{
    const int Code = LOWORD(Message.WParam);
    const int Pos = HIWORD(Message.WParam);
    FScroll.FLastScrollCode = Code;
    if (CellScrollBarMessage(Message)) return;
    ScrollHint(TGridAxisKind::Rows, Code, Pos);
    if (FOpt.FNavigation->GetAlwaysEdit() && GetEditorMode()) HideInplaceEdit();
    const int Target = MulDiv(Pos, GetRowCount() - GetVisibleRowCount() - GetFixedRows(), 127) + GetFixedRows();
    if (Code == SB_THUMBTRACK && FScroll.FScrollSynch)
        SetTopRow(std::clamp(Target, GetFixedRows(), std::max(GetFixedRows(), GetRowCount() - 1)));
    const TRect OldPicture = FixedBackgroundCells();
    inherited::WMVScroll(Message);
    const TRect NewPicture = FixedBackgroundCells();
    if (Code != SB_THUMBTRACK && OldPicture.Left >= 0 && !(OldPicture == NewPicture)) {
        RepaintRect(OldPicture);
        RepaintRect(NewPicture);
    }
    UpdateVScrollBar();
    UpdateHScrollBar();
    if (HasCheckBox(RealColIndex(GetCol()), GetRow())) HideEditor();
}

// ---- Drag scrolling -------------------------------------------------------------------------------------

void TQorStringGrid::FreeDragTimer()
{
    if (!FScroll.FDragTmr) return;
    TTimer* T = FScroll.FDragTmr;
    FScroll.FDragTmr = nullptr;
    T->SetEnabled(false);
    T->RemoveFreeNotification(this);
    T->Free();
}

namespace {

// A delay as a timer interval: 0 and less would stop the timer, so they count as 1 ms.
unsigned DelayInterval(int Delay)
{
    return unsigned(std::max(1, Delay));
}

} // namespace

void TQorStringGrid::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    TDragScrollOptions* O = FOpt.FDragScrollOptions.get();
    if (!O->GetActive()) {
        FreeDragTimer();
        inherited::DragOver(Source, X, Y, State, Accept);
        return;
    }
    const bool WasEmpty = FScroll.FDragScrollDirection.Empty();
    FScroll.FDragScrollDirection = {};
    if (State == dsDragLeave) {
        FreeDragTimer();
    } else {
        TDragScrollMargins* M = O->GetMargins();
        TDragScrollDirection& D = FScroll.FDragScrollDirection;
        if (Y < M->GetTopMargin()) D.Include(dsdUp);
        else if (Y > GetHeight() - M->GetBottomMargin()) D.Include(dsdDown);
        if (X < M->GetLeftMargin()) D.Include(dsdLeft);
        else if (X > GetWidth() - M->GetRightMargin()) D.Include(dsdRight);
    }
    const unsigned Initial = DelayInterval(O->GetDelays()->GetInitialDelay());
    if (FScroll.FDragScrollDirection.Empty()) {
        FreeDragTimer();
    } else if (!FScroll.FDragTmr) {
        // The timer belongs to the grid's parent; the grid hears when it goes.
        TTimer* T = Create<TTimer>(GetParent());
        T->FreeNotification(this);
        T->SetInterval(Initial);
        T->OnTimer = [this](TObject* Sender) { DragTimerProc(Sender); };
        T->SetEnabled(true);
        FScroll.FDragTmr = T;
    } else if (!WasEmpty) {
        // The timer restarts only when its interval changes.
        FScroll.FDragTmr->SetInterval(Initial);
    }
    inherited::DragOver(Source, X, Y, State, Accept);
}

void TQorStringGrid::DragTimerProc(TObject*)
{
    TDragScrollOptions* O = FOpt.FDragScrollOptions.get();
    if (!O->GetActive()) {
        FreeDragTimer();
        return;
    }
    if (FScroll.FDragTmr) FScroll.FDragTmr->SetInterval(DelayInterval(O->GetDelays()->GetRepeatDelay()));
    TDragScrollDirection D = FScroll.FDragScrollDirection;
    bool CanScroll = true;
    if (OnDragScroll) OnDragScroll(this, GetTopRow(), GetLeftCol(), D, CanScroll);
    if (!CanScroll) return;
    if (D.Contains(dsdUp) && GetTopRow() > GetFixedRows()) SetTopRow(GetTopRow() - 1);
    if (D.Contains(dsdDown) && GetTopRow() + GetVisibleRowCount() < GetRowCount()) SetTopRow(GetTopRow() + 1);
    if (D.Contains(dsdLeft) && GetLeftCol() > GetFixedCols()) SetLeftCol(GetLeftCol() - 1);
    if (D.Contains(dsdRight) && GetVisibleColCount() + GetLeftCol() < GetColCount()) SetLeftCol(GetLeftCol() + 1);
}

void TQorStringGrid::SetDragScrollOptions(TDragScrollOptions* Value)
{
    if (Value && Value != FOpt.FDragScrollOptions.get()) FOpt.FDragScrollOptions->Assign(Value);
}

TDragScrollOptions* TQorStringGrid::GetDragScrollOptions() const
{
    return FOpt.FDragScrollOptions.get();
}

// ---- Smooth scrolling -------------------------------------------------------------------------------------

void TQorStringGrid::StartSmoothScroll(int Steps, int Delta, bool Vert)
{
    FScroll.FScrollSteps = std::max(0, Steps);
    FScroll.FScrollDelta = Delta;
    FScroll.FScrollVert = Vert;
    auto* T = dynamic_cast<TTimer*>(FWin.FScrollTimer);
    if (!T) {
        T = Create<TTimer>(this);
        T->SetEnabled(false);
        T->SetInterval(SmoothScrollInterval);
        T->OnTimer = [this](TObject* Sender) { ScrollTimerProc(Sender); };
        FWin.FScrollTimer = T;
    }
    T->SetEnabled(FScroll.FScrollSteps > 0);
}

void TQorStringGrid::ScrollTimerProc(TObject*)
{
    if (FScroll.FScrollSteps <= 0) return;
    if (FScroll.FScrollVert) SetTopRow(std::max(GetFixedRows(), GetTopRow() + FScroll.FScrollDelta));
    else SetLeftCol(std::max(GetFixedCols(), GetLeftCol() + FScroll.FScrollDelta));
    --FScroll.FScrollSteps;
    FScroll.FScrollEnd = false;
    if (auto* T = dynamic_cast<TTimer*>(FWin.FScrollTimer)) T->SetEnabled(FScroll.FScrollSteps > 0);
}
