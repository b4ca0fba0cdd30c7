// Forms: the scrolling windowed control and its two window scroll bars.
#include "Forms.h"

#include "TypInfo.h"
#include "WinScope.h"

#include <algorithm>
#include <climits>

// ---- TControlScrollBar ---------------------------------------------------------------------------

TControlScrollBar::TControlScrollBar(TScrollingWinControl* AControl, TScrollBarKind AKind)
    : FControl(AControl), FKind(AKind)
{
}

void TControlScrollBar::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TControlScrollBar*>(Source);
    if (!S) {
        inherited::Assign(Source);
        return;
    }
    FIncrement = S->FIncrement;
    FMargin = S->FMargin;
    FTracking = S->FTracking;
    FVisible = S->FVisible;
    SetRange(S->FRange);
    SetPosition(S->FPosition);
}

int TControlScrollBar::ControlSize() const
{
    const TRect R = FControl->GetClientRect();
    return FKind == sbVertical ? R.Height() : R.Width();
}

int TControlScrollBar::MaxPosition() const
{
    return std::max(0, FRange - ControlSize());
}

bool TControlScrollBar::IsScrollBarVisible() const
{
    if (!FControl->HandleAllocated()) return FVisible && FRange > ControlSize();
    const LONG_PTR Style = GetWindowLongPtrW(FControl->GetHandle(), GWL_STYLE);
    return (Style & (FKind == sbVertical ? WS_VSCROLL : WS_HSCROLL)) != 0;
}

void TControlScrollBar::SetPosition(int Value)
{
    Value = std::clamp(Value, 0, MaxPosition());
    if (Value == FPosition) return;
    const int Delta = FPosition - Value;
    FPosition = Value;
    if (FKind == sbVertical) FControl->ScrollBy(0, Delta);
    else FControl->ScrollBy(Delta, 0);
    if (FControl->HandleAllocated()) {
        SCROLLINFO SI{};
        SI.cbSize = sizeof(SI);
        SI.fMask = SIF_POS;
        SI.nPos = FPosition;
        SetScrollInfo(FControl->GetHandle(), FKind == sbVertical ? SB_VERT : SB_HORZ, &SI, TRUE);
    }
}

void TControlScrollBar::SetRange(int Value)
{
    Value = std::max(0, Value);
    if (Value == FRange) return;
    FRange = Value;
    FControl->UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool Value)
{
    if (Value == FVisible) return;
    FVisible = Value;
    FControl->UpdateScrollBars();
}

int TControlScrollBar::GetTrackPos() const
{
    if (!FControl->HandleAllocated()) return FPosition;
    SCROLLINFO SI{};
    SI.cbSize = sizeof(SI);
    SI.fMask = SIF_TRACKPOS;
    if (!GetScrollInfo(FControl->GetHandle(), FKind == sbVertical ? SB_VERT : SB_HORZ, &SI)) return FPosition;
    return SI.nTrackPos;
}

void TControlScrollBar::ScrollMessage(TMessage& Message)
{
    const int Page = std::max(1, ControlSize());
    switch (LOWORD(Message.WParam)) {
    case SB_LINEUP: SetPosition(FPosition - FIncrement); break;
    case SB_LINEDOWN: SetPosition(FPosition + FIncrement); break;
    case SB_PAGEUP: SetPosition(FPosition - Page); break;
    case SB_PAGEDOWN: SetPosition(FPosition + Page); break;
    case SB_THUMBPOSITION: SetPosition(GetTrackPos()); break;
    case SB_THUMBTRACK:
        if (FTracking) SetPosition(GetTrackPos());
        break;
    case SB_TOP: SetPosition(0); break;
    case SB_BOTTOM: SetPosition(MaxPosition()); break;
    default: break;
    }
    Message.Result = 0;
}

void TControlScrollBar::RegisterProperties(TPropertyTable& T)
{
    using C = TControlScrollBar;
    T.Add(L"Increment", &C::GetIncrement, &C::SetIncrement, 8);
    T.Add(L"Margin", &C::GetMargin, &C::SetMargin, 0);
    T.Add(L"Range", &C::GetRange, &C::SetRange, 0);
    T.Add(L"Position", &C::GetPosition, &C::SetPosition, 0);
    T.Add(L"Tracking", &C::GetTracking, &C::SetTracking, false);
    T.Add(L"Visible", &C::GetVisible, &C::SetVisible, true);
}

// ---- TScrollingWinControl ----------------------------------------------------------------------

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TWinControl(AOwner),
      FHorzScrollBar(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      FVertScrollBar(std::make_unique<TControlScrollBar>(this, sbVertical))
{
}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::SetAutoScroll(bool Value)
{
    if (FAutoScroll == Value) return;
    FAutoScroll = Value;
    if (Value) CalcAutoRange();
    else {
        FHorzScrollBar->SetRange(0);
        FVertScrollBar->SetRange(0);
    }
}

void TScrollingWinControl::CreateWnd()
{
    inherited::CreateWnd();
    UpdateScrollBars();
}

void TScrollingWinControl::AdjustClientRect(TRect& Rect)
{
    Rect = Bounds(-FHorzScrollBar->FPosition, -FVertScrollBar->FPosition,
                  std::max(FHorzScrollBar->FRange, Rect.Width()), std::max(FVertScrollBar->FRange, Rect.Height()));
    inherited::AdjustClientRect(Rect);
}

void TScrollingWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
    inherited::AlignControls(AControl, Rect);
    CalcAutoRange();
}

void TScrollingWinControl::CalcAutoRange()
{
    if (!FAutoScroll || FUpdating > 0) return;
    int Right = 0, Bottom = 0;
    for (int I = 0; I < ControlCount(); ++I) {
        TControl* C = Controls(I);
        if (!C->GetVisible()) continue;
        const TAlign A = C->GetAlign();
        // Controls that fill an axis set no range along it.
        if (A != alTop && A != alBottom && A != alClient)
            Right = std::max(Right, C->GetLeft() + C->GetWidth() + FHorzScrollBar->FPosition);
        if (A != alLeft && A != alRight && A != alClient)
            Bottom = std::max(Bottom, C->GetTop() + C->GetHeight() + FVertScrollBar->FPosition);
    }
    FHorzScrollBar->FRange = Right;
    FVertScrollBar->FRange = Bottom;
    UpdateScrollBars();
}

void TScrollingWinControl::UpdateScrollBars()
{
    if (FUpdating > 0 || !HandleAllocated()) return;
    TCountScope Busy(FUpdating);
    const HWND Wnd = GetHandle();
    // The client size without bars: what the window shows now plus the bars it shows now.
    RECT CR;
    ::GetClientRect(Wnd, &CR);
    const LONG_PTR Style = GetWindowLongPtrW(Wnd, GWL_STYLE);
    int W = CR.right + ((Style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    int H = CR.bottom + ((Style & WS_HSCROLL) ? GetSystemMetrics(SM_CYHSCROLL) : 0);
    TControlScrollBar& HB = *FHorzScrollBar;
    TControlScrollBar& VB = *FVertScrollBar;
    bool ShowV = VB.FVisible && VB.FRange > H;
    bool ShowH = HB.FVisible && HB.FRange > W - (ShowV ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    if (ShowH && !ShowV) ShowV = VB.FVisible && VB.FRange > H - GetSystemMetrics(SM_CYHSCROLL);
    const int ClientW = W - (ShowV ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    const int ClientH = H - (ShowH ? GetSystemMetrics(SM_CYHSCROLL) : 0);
    auto Apply = [&](TControlScrollBar& B, bool Show, int Extent, int Bar) {
        // A hidden bar scrolls back to the start; a shown one keeps its position within range.
        const int Pos = Show ? std::clamp(B.FPosition, 0, std::max(0, B.FRange - Extent)) : 0;
        if (Pos != B.FPosition) {
            const int Delta = B.FPosition - Pos;
            B.FPosition = Pos;
            if (B.FKind == sbVertical) ScrollBy(0, Delta);
            else ScrollBy(Delta, 0);
        }
        SCROLLINFO SI{};
        SI.cbSize = sizeof(SI);
        SI.fMask = SIF_ALL;
        SI.nMin = 0;
        SI.nMax = Show ? B.FRange - 1 : 0;
        SI.nPage = Show ? UINT(std::max(0, Extent)) : 0;
        SI.nPos = B.FPosition;
        SetScrollInfo(Wnd, Bar, &SI, FALSE);
        ShowScrollBar(Wnd, Bar, Show ? TRUE : FALSE);
    };
    Apply(VB, ShowV, ClientH, SB_VERT);
    Apply(HB, ShowH, ClientW, SB_HORZ);
}

void TScrollingWinControl::ScrollBy(int DeltaX, int DeltaY)
{
    if (DeltaX == 0 && DeltaY == 0) return;
    DisableAlign();
    auto Done = ScopeExit([this] { EnableAlign(); });
    TCountScope Busy(FUpdating);
    for (int I = 0; I < ControlCount(); ++I) {
        TControl* C = Controls(I);
        C->SetBounds(C->GetLeft() + DeltaX, C->GetTop() + DeltaY, C->GetWidth(), C->GetHeight());
    }
    if (HandleAllocated()) InvalidateRect(GetHandle(), nullptr, TRUE);
}

void TScrollingWinControl::ScrollInView(TControl* AControl)
{
    if (!AControl || !ContainsControl(AControl)) return;
    AutoScrollInView(AControl);
}

void TScrollingWinControl::AutoScrollInView(TControl* AControl)
{
    // The control's rectangle in this control's client coordinates.
    TRect R = AControl->GetBoundsRect();
    for (TWinControl* P = AControl->GetParent(); P && P != this; P = P->GetParent()) {
        R.Left += P->GetLeft();
        R.Right += P->GetLeft();
        R.Top += P->GetTop();
        R.Bottom += P->GetTop();
    }
    const TRect Client = GetClientRect();
    auto Bring = [](TControlScrollBar& B, int Lo, int Hi, int Extent) {
        Lo -= B.GetMargin();
        Hi += B.GetMargin();
        if (Lo < 0) B.SetPosition(B.GetPosition() + Lo);
        else if (Hi > Extent) B.SetPosition(B.GetPosition() + std::min(Hi - Extent, Lo));
    };
    Bring(*FHorzScrollBar, R.Left, R.Right, Client.Width());
    Bring(*FVertScrollBar, R.Top, R.Bottom, Client.Height());
}

void TScrollingWinControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        // Messages of a scroll bar control go back to it; the window's own bars are served here.
        if (Message.LParam != 0) {
            inherited::Dispatch(Message);
            break;
        }
        (Message.Msg == WM_VSCROLL ? FVertScrollBar : FHorzScrollBar)->ScrollMessage(Message);
        break;
    case WM_SIZE:
        inherited::Dispatch(Message);
        UpdateScrollBars();
        break;
    default: inherited::Dispatch(Message);
    }
}

void TScrollingWinControl::RegisterProperties(TPropertyTable& T)
{
    using C = TScrollingWinControl;
    T.Add(L"AutoScroll", &C::GetAutoScroll, &C::SetAutoScroll, true);
    T.Add(L"HorzScrollBar", &C::GetHorzScrollBar, &C::SetHorzScrollBar);
    T.Add(L"VertScrollBar", &C::GetVertScrollBar, &C::SetVertScrollBar);
}
