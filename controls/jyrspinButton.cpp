// jyrspin: the auto-repeating arrow button and the button pair of the spin edit.
#include "jyrspin.h"

#include "JyrControls.h"
#include "framework/TypInfo.h"
#include "framework/WinScope.h"
#include "graphics/QorXPVS.h"

#include <windows.h>
#include <vssym32.h>

#include <algorithm>

namespace jyrspin {

namespace {

// The three corners of an arrow, as offsets from a corner point.
struct TArrow {
    TPoint P[3];
};

void FillTriangle(TCanvas* C, const TArrow& A, TColor Color)
{
    C->GetPen()->SetColor(Color);
    C->GetBrush()->SetColor(Color);
    C->GetBrush()->SetStyle(bsSolid);
    C->Polygon(A.P, 3);
}

}  // namespace

// ---- TQorTimerSpeedButton ---------------------------------------------------------------------

TJyrSpinButton* TQorTimerSpeedButton::Pair() { return dynamic_cast<TJyrSpinButton*>(GetOwner()); }

void TQorTimerSpeedButton::SetButtonDirection(TButtonDirection Value)
{
    if (FButtonDirection == Value) return;
    FButtonDirection = Value;
    Invalidate();
}

void TQorTimerSpeedButton::SetIsWinXP(bool Value)
{
    if (FIsWinXP == Value) return;
    FIsWinXP = Value;
    Invalidate();
}

void TQorTimerSpeedButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSEENTER:
        inherited::Dispatch(Message);
        FHasMouse = true;
        Repaint();
        break;
    case CM_MOUSELEAVE:
        inherited::Dispatch(Message);
        FHasMouse = false;
        Repaint();
        break;
    default: inherited::Dispatch(Message);
    }
}

void TQorTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    if (FTimeBtnState.Contains(tbAllowTimer)) {
        if (!FRepeatTimer) {
            FRepeatTimer = Create<TTimer>(this);
            FRepeatTimer->SetEnabled(false);
            FRepeatTimer->OnTimer = [this](TObject* Sender) { TimerExpired(Sender); };
        }
        FRepeatTimer->SetInterval(RepeatDelay);
        FRepeatTimer->SetEnabled(true);
    }
    if (GetParent()) GetParent()->Invalidate();
}

void TQorTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    inherited::MouseUp(Button, Shift, X, Y);
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
    if (GetParent()) GetParent()->Invalidate();
}

void TQorTimerSpeedButton::TimerExpired(TObject*)
{
    FRepeatTimer->SetInterval(RepeatInterval);
    if (GetState() != bsDown || !GetMouseCapture()) return;
    // A click that raises stops the repeats; the error goes on to the timer's handler.
    auto StopOnError = ScopeExit([this] { FRepeatTimer->SetEnabled(false); });
    Click();
    StopOnError.Release();
}

void TQorTimerSpeedButton::Paint()
{
    TCanvas* C = GetCanvas();
    const TRect R = GetClientRect();
    if (JyrControls::HighContrast()) {
        PaintHighContrast(C, R);
        return;
    }
    TJyrSpinButton* P = Pair();
    if (P && P->ButtonColor != clNone) {
        PaintFlat(C, R);
        return;
    }
    if (FIsWinXP && PaintThemed(C, R)) return;
    if (FButtonDirection == bdLeft || FButtonDirection == bdRight) {
        RECT W{R.Left, R.Top, R.Right, R.Bottom};
        UINT State = (FButtonDirection == bdLeft ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT) |
                     (GetState() == bsDown ? DFCS_PUSHED : 0) | (GetFlat() ? DFCS_FLAT : 0);
        DrawFrameControl(C->GetHandle(), &W, DFC_SCROLL, State);
        return;
    }
    inherited::Paint();
}

void TQorTimerSpeedButton::PaintHighContrast(TCanvas* C, const TRect& R)
{
    C->GetBrush()->SetColor(clBlack);
    C->GetBrush()->SetStyle(bsSolid);
    C->FillRect(R);
    const int Rt = R.Right, T = R.Top;
    TArrow A{};
    switch (FButtonDirection) {
    case bdLeft: A = {{{Rt - 3, T + 5}, {Rt - 6, T + 7}, {Rt - 3, T + 9}}}; break;
    case bdRight: A = {{{Rt - 6, T + 5}, {Rt - 3, T + 7}, {Rt - 6, T + 9}}}; break;
    case bdUp: A = {{{Rt - 10, T + 6}, {Rt - 4, T + 6}, {Rt - 7, T + 3}}}; break;
    case bdDown: A = {{{Rt - 10, T + 3}, {Rt - 4, T + 3}, {Rt - 7, T + 6}}}; break;
    }
    FillTriangle(C, A, clWhite);
}

bool TQorTimerSpeedButton::PaintThemed(TCanvas* C, const TRect& R)
{
    TJyrSpinButton* P = Pair();
    if (!P || !P->HandleAllocated() || !QorXPVS::OpenThemeData || !QorXPVS::DrawThemeBackground ||
        !QorXPVS::CloseThemeData)
        return false;
    HTHEME Theme = QorXPVS::OpenThemeData(P->GetHandle(), L"spin");
    if (!Theme) return false;
    static const int Parts[] = {SPNP_DOWNHORZ, SPNP_UPHORZ, SPNP_UP, SPNP_DOWN};
    int State = GetState() == bsDown ? 3 : FHasMouse ? 2 : 1;
    RECT W{R.Left, R.Top, R.Right, R.Bottom};
    QorXPVS::DrawThemeBackground(Theme, C->GetHandle(), Parts[FButtonDirection], State, &W, nullptr);
    QorXPVS::CloseThemeData(Theme);
    return true;
}

void TQorTimerSpeedButton::PaintFlat(TCanvas* C, const TRect& R)
{
    TJyrSpinButton* P = Pair();
    TColor Fill = P->ButtonColor;
    if (GetState() == bsDown && P->ButtonColorDown != clNone) Fill = P->ButtonColorDown;
    else if (GetState() != bsDown && FHasMouse && P->ButtonColorHot != clNone) Fill = P->ButtonColorHot;
    C->GetPen()->SetColor(Fill);
    C->GetBrush()->SetColor(Fill);
    C->GetBrush()->SetStyle(bsSolid);
    C->Rectangle(R);
    const int L = R.Left, T = R.Top;
    TArrow A{};
    switch (FButtonDirection) {
    case bdLeft: A = {{{L + 5, T + 5}, {L + 3, T + 7}, {L + 5, T + 9}}}; break;
    case bdRight: A = {{{L + 3, T + 5}, {L + 5, T + 7}, {L + 3, T + 9}}}; break;
    case bdUp: A = {{{L + 4, T + 4}, {L + 8, T + 4}, {L + 6, T + 2}}}; break;
    case bdDown: A = {{{L + 4, T + 2}, {L + 8, T + 2}, {L + 6, T + 4}}}; break;
    }
    FillTriangle(C, A, clBlack);
}

// ---- TJyrSpinButton ---------------------------------------------------------------------------

TJyrSpinButton::TJyrSpinButton(TComponent* AOwner) : TButtonHost(AOwner)
{
    FTabStop = false;
    FUpButton = CreateButton();
    FUpButton->SetButtonDirection(bdUp);
    LoadDefaultGlyph(FUpButton, L"JyrSpinUp");
    FDownButton = CreateButton();
    FDownButton->SetButtonDirection(bdDown);
    LoadDefaultGlyph(FDownButton, L"JyrSpinDown");
    FFocusedButton = FUpButton;
    SetBounds(0, 0, 15, 25);
}

TQorTimerSpeedButton* TJyrSpinButton::CreateButton()
{
    auto* B = Create<TQorTimerSpeedButton>(this);
    B->SetParent(this);
    B->SetVisible(true);
    B->SetEnabled(true);
    B->SetTimeBtnState(TTimeBtnState{tbAllowTimer});
    B->OnClick = [this](TObject* Sender) { BtnClick(Sender); };
    B->OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        BtnMouseDown(Sender, Button, Shift, X, Y);
    };
    return B;
}

void TJyrSpinButton::LoadDefaultGlyph(TQorTimerSpeedButton* Btn, const wchar_t* ResName)
{
    // The glyphs are resources of the program; one built without them shows bare buttons.
    HINSTANCE Inst = GetModuleHandleW(nullptr);
    if (!FindResourceW(Inst, ResName, MAKEINTRESOURCEW(2) /*RT_BITMAP*/)) return;
    TBitmap* Bmp = Create<TBitmap>();
    auto FreeBmp = ScopeExit([Bmp] { Bmp->Free(); });
    Bmp->LoadFromResourceName(Inst, ResName);
    Btn->SetGlyph(Bmp);
    Btn->SetNumGlyphs(1);
    Btn->Invalidate();
}

void TJyrSpinButton::AdjustSize(int& W, int& H)
{
    if (!FUpButton || !FDownButton) return;
    if (FDirection == spVertical) {
        W = std::max(W, 15);
        FUpButton->SetBounds(0, 0, W, H / 2);
        FDownButton->SetBounds(0, FUpButton->GetHeight() - 1, W, H - FUpButton->GetHeight() + 1);
    } else {
        W = std::max(W, 20);
        FDownButton->SetBounds(0, 0, W / 2, H);
        FUpButton->SetBounds(W / 2 + 1, 0, W / 2, H);
    }
}

void TJyrSpinButton::SetDirection(TSpinDirection Value)
{
    if (FDirection == Value) return;
    FDirection = Value;
    if (HandleAllocated()) RecreateWnd();
    if (Value == spHorizontal) {
        FUpButton->SetButtonDirection(bdRight);
        FDownButton->SetButtonDirection(bdLeft);
        SetWidth(20);
    } else {
        FUpButton->SetButtonDirection(bdUp);
        FDownButton->SetButtonDirection(bdDown);
        SetWidth(15);
    }
}

void TJyrSpinButton::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    FUpButton->SetIsWinXP(Value);
    FDownButton->SetIsWinXP(Value);
}

TBitmap* TJyrSpinButton::GetUpGlyph() const { return FUpButton->GetGlyph(); }
TBitmap* TJyrSpinButton::GetDownGlyph() const { return FDownButton->GetGlyph(); }
TNumGlyphs TJyrSpinButton::GetUpNumGlyphs() const { return FUpButton->GetNumGlyphs(); }
TNumGlyphs TJyrSpinButton::GetDownNumGlyphs() const { return FDownButton->GetNumGlyphs(); }
void TJyrSpinButton::SetUpNumGlyphs(TNumGlyphs Value) { FUpButton->SetNumGlyphs(Value); }
void TJyrSpinButton::SetDownNumGlyphs(TNumGlyphs Value) { FDownButton->SetNumGlyphs(Value); }

void TJyrSpinButton::SetUpGlyph(TBitmap* Value)
{
    if (Value) FUpButton->SetGlyph(Value);
    else LoadDefaultGlyph(FUpButton, L"JyrSpinUp");
}

void TJyrSpinButton::SetDownGlyph(TBitmap* Value)
{
    if (Value) FDownButton->SetGlyph(Value);
    else LoadDefaultGlyph(FDownButton, L"JyrSpinDown");
}

void TJyrSpinButton::BtnClick(TObject* Sender)
{
    if (Sender == FUpButton) {
        if (OnUpClick) OnUpClick(this);
    } else if (OnDownClick) {
        OnDownClick(this);
    }
}

void TJyrSpinButton::BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState, int, int)
{
    if (Button != mbLeft) return;
    SetFocusBtn(dynamic_cast<TQorTimerSpeedButton*>(Sender));
    FocusAfterPress();
}

void TJyrSpinButton::SetFocusBtn(TQorTimerSpeedButton* Btn)
{
    if (!Btn || !GetTabStop() || !CanFocus() || Btn == FFocusedButton) return;
    FFocusedButton->SetTimeBtnState(FFocusedButton->GetTimeBtnState() - TTimeBtnState{tbFocusRect});
    FFocusedButton = Btn;
    if (Focused()) {
        FFocusedButton->SetTimeBtnState(FFocusedButton->GetTimeBtnState() + TTimeBtnState{tbFocusRect});
        Invalidate();
    }
}

void TJyrSpinButton::KeyDown(Word& Key, TShiftState Shift)
{
    inherited::KeyDown(Key, Shift);
    switch (Key) {
    case VK_SPACE: FFocusedButton->Click(); break;
    case VK_UP:
        SetFocusBtn(FUpButton);
        FUpButton->Click();
        break;
    case VK_DOWN:
        SetFocusBtn(FDownButton);
        FDownButton->Click();
        break;
    default: break;
    }
}

void TJyrSpinButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS; break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        inherited::Dispatch(Message);
        TTimeBtnState S = FFocusedButton->GetTimeBtnState();
        if (Message.Msg == WM_SETFOCUS) S += TTimeBtnState{tbFocusRect};
        else S -= TTimeBtnState{tbFocusRect};
        FFocusedButton->SetTimeBtnState(S);
        FFocusedButton->Invalidate();
        break;
    }
    default: inherited::Dispatch(Message);
    }
}

void TJyrSpinButton::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"Direction", &TJyrSpinButton::GetDirection, &TJyrSpinButton::SetDirection, spVertical);
    T.Add(L"UpGlyph", &TJyrSpinButton::GetUpGlyph, &TJyrSpinButton::SetUpGlyph);
    T.Add(L"DownGlyph", &TJyrSpinButton::GetDownGlyph, &TJyrSpinButton::SetDownGlyph);
    T.Add(L"UpNumGlyphs", &TJyrSpinButton::GetUpNumGlyphs, &TJyrSpinButton::SetUpNumGlyphs, 1);
    T.Add(L"DownNumGlyphs", &TJyrSpinButton::GetDownNumGlyphs, &TJyrSpinButton::SetDownNumGlyphs, 1);
    T.Add(L"TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop, false);
    T.AddEvent(L"OnUpClick", &TJyrSpinButton::OnUpClick);
    T.AddEvent(L"OnDownClick", &TJyrSpinButton::OnDownClick);
}

}  // namespace jyrspin
