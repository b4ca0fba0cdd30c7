// ExtCtrls: the panel, the timer and the image.
#include "ExtCtrls.h"

#include <algorithm>

// ---- Frame3D -----------------------------------------------------------------------------------

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width)
{
    TBrush* B = Canvas->GetBrush();
    auto Restore = ScopeExit([B, Saved = B->GetColor()] { B->SetColor(Saved); });
    for (int I = 0; I < Width && Rect.Width() > 0 && Rect.Height() > 0; ++I) {
        B->SetColor(TopColor);
        Canvas->FillRect(TRect{Rect.Left, Rect.Top, Rect.Right, Rect.Top + 1});
        Canvas->FillRect(TRect{Rect.Left, Rect.Top, Rect.Left + 1, Rect.Bottom});
        B->SetColor(BottomColor);
        Canvas->FillRect(TRect{Rect.Left, Rect.Bottom - 1, Rect.Right, Rect.Bottom});
        Canvas->FillRect(TRect{Rect.Right - 1, Rect.Top, Rect.Right, Rect.Bottom});
        Rect.Left += 1;
        Rect.Top += 1;
        Rect.Right -= 1;
        Rect.Bottom -= 1;
    }
}

// ---- TCustomPanel ------------------------------------------------------------------------------

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                                  csOpaque,          csDoubleClicks, csReplicatable};
    SetBounds(0, 0, 185, 41);
    FParentColor = false;
    SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    if (FBorderStyle == bsSingle) {
        if (FCtl3D) Params.ExStyle |= WS_EX_CLIENTEDGE;
        else Params.Style |= WS_BORDER;
    }
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TCustomPanel::AdjustClientRect(TRect& Rect)
{
    inherited::AdjustClientRect(Rect);
    int Bevel = (FBevelOuter != bvNone ? FBevelWidth : 0) + (FBevelInner != bvNone ? FBevelWidth : 0);
    Rect.Left += Bevel;
    Rect.Top += Bevel;
    Rect.Right -= Bevel;
    Rect.Bottom -= Bevel;
}

namespace {

void BevelColors(TBevelCut Cut, TColor& Top, TColor& Bottom)
{
    Top = Cut == bvLowered ? clBtnShadow : clBtnHighlight;
    Bottom = Cut == bvLowered ? clBtnHighlight : clBtnShadow;
}

}  // namespace

void TCustomPanel::Paint()
{
    TCanvas* C = GetCanvas();
    TRect R = GetClientRect();
    TColor Top, Bottom;
    if (FBevelOuter != bvNone) {
        BevelColors(FBevelOuter, Top, Bottom);
        Frame3D(C, R, Top, Bottom, FBevelWidth);
    }
    Frame3D(C, R, FColor, FColor, FBorderWidth);
    if (FBevelInner != bvNone) {
        BevelColors(FBevelInner, Top, Bottom);
        Frame3D(C, R, Top, Bottom, FBevelWidth);
    }
    C->GetBrush()->SetColor(FColor);
    C->FillRect(R);
    String Text = GetText();
    if (!FShowCaption || Text.empty()) return;
    static const UINT Alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    UINT Flags = DrawTextBiDiModeFlags(DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | Alignments[FAlignment]);
    HDC DC = C->GetHandle();
    TSelectObject Font(DC, FFont->GetHandle());
    int OldMode = SetBkMode(DC, TRANSPARENT);
    SetTextColor(DC, ColorToRGB(GetEnabled() ? FFont->GetColor() : clGrayText));
    RECT TR{R.Left, R.Top, R.Right, R.Bottom};
    DrawTextW(DC, Text.c_str(), int(Text.size()), &TR, Flags);
    SetBkMode(DC, OldMode);
}

void TCustomPanel::BevelsChanged()
{
    Realign();
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value)
{
    if (FBevelInner == Value) return;
    FBevelInner = Value;
    BevelsChanged();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value)
{
    if (FBevelOuter == Value) return;
    FBevelOuter = Value;
    BevelsChanged();
}

void TCustomPanel::SetBevelWidth(TBevelWidth Value)
{
    Value = std::max(1, Value);
    if (FBevelWidth == Value) return;
    FBevelWidth = Value;
    BevelsChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value)
{
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TCustomPanel::SetShowCaption(bool Value)
{
    if (FShowCaption == Value) return;
    FShowCaption = Value;
    Invalidate();
}

void TCustomPanel::SetTextValue(const String& Value)
{
    inherited::SetTextValue(Value);
    Invalidate();
}

void TCustomPanel::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_FONTCHANGED:
    case CM_ENABLEDCHANGED:
        inherited::Dispatch(Message);
        Invalidate();
        break;
    default: inherited::Dispatch(Message);
    }
}

// ---- TTimer ------------------------------------------------------------------------------------

namespace {

const wchar_t* const TimerWindowClass = L"FwTimerWindow";

}  // namespace

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner)
{
    UpdateTimer();
}

TTimer::~TTimer()
{
    FEnabled = false;
    if (FWindow) {
        KillTimer(FWindow, TimerId);
        SetWindowLongPtrW(FWindow, GWLP_USERDATA, 0);
        DestroyWindow(FWindow);
        FWindow = nullptr;
    }
}

LRESULT CALLBACK TTimer::TimerWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_TIMER && WParam == TimerId) {
        auto* T = reinterpret_cast<TTimer*>(GetWindowLongPtrW(Wnd, GWLP_USERDATA));
        if (T) {
            try {
                T->Timer();
            } catch (...) {
                // Nothing unwinds through the platform: the application shows the error.
                if (Application) Application->HandleException(T);
            }
        }
        return 0;
    }
    return DefWindowProcW(Wnd, Msg, WParam, LParam);
}

void TTimer::UpdateTimer()
{
    if (FWindow && FRunning) KillTimer(FWindow, TimerId);
    FRunning = false;
    if (FInterval == 0 || !FEnabled) return;
    if (!FWindow) {
        HINSTANCE Inst = GetModuleHandleW(nullptr);
        WNDCLASSEXW WC{};
        WC.cbSize = sizeof(WC);
        if (!GetClassInfoExW(Inst, TimerWindowClass, &WC)) {
            WC = WNDCLASSEXW{};
            WC.cbSize = sizeof(WC);
            WC.lpfnWndProc = &TimerWndProc;
            WC.hInstance = Inst;
            WC.lpszClassName = TimerWindowClass;
            RegisterClassExW(&WC);
        }
        FWindow = CreateWindowExW(0, TimerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Inst, nullptr);
        if (!FWindow) throw EOutOfResources(Consts::SNoTimers);
        SetWindowLongPtrW(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    if (!SetTimer(FWindow, TimerId, FInterval, nullptr)) throw EOutOfResources(Consts::SNoTimers);
    FRunning = true;
}

void TTimer::SetEnabled(bool Value)
{
    if (FEnabled == Value) return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned Value)
{
    if (FInterval == Value) return;
    FInterval = Value;
    UpdateTimer();
}

void TTimer::Timer()
{
    if (FEnabled && OnTimer) OnTimer(this);
}

// ---- TImage ------------------------------------------------------------------------------------

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle << csReplicatable;
    FPicture = std::make_unique<TPicture>();
    FPicture->OnChange = [this](TObject* Sender) { PictureChanged(Sender); };
    SetBounds(0, 0, 105, 105);
}

TRect TImage::DestRect() const
{
    int W = FPicture->GetWidth(), H = FPicture->GetHeight();
    int CW = FWidth, CH = FHeight;
    if (FStretch || (FProportional && (W > CW || H > CH))) {
        if (FProportional && W > 0 && H > 0) {
            double Aspect = double(W) / double(H);
            if (W > H) {
                W = CW;
                H = int(CW / Aspect);
                if (H > CH) {
                    H = CH;
                    W = int(CH * Aspect);
                }
            } else {
                H = CH;
                W = int(CH * Aspect);
                if (W > CW) {
                    W = CW;
                    H = int(CW / Aspect);
                }
            }
        } else {
            W = CW;
            H = CH;
        }
    }
    TRect R{0, 0, W, H};
    if (FCenter) {
        int Dx = (CW - W) / 2, Dy = (CH - H) / 2;
        R = TRect{Dx, Dy, Dx + W, Dy + H};
    }
    return R;
}

void TImage::Paint()
{
    TGraphic* G = FPicture->GetGraphic();
    if (!G || G->GetEmpty()) return;
    TRect R = DestRect();
    if (R.Width() == FPicture->GetWidth() && R.Height() == FPicture->GetHeight()) FCanvas->Draw(R.Left, R.Top, G);
    else FCanvas->StretchDraw(R, G);
}

void TImage::PictureChanged(TObject*)
{
    if (FAutoSize && FPicture->GetWidth() > 0 && FPicture->GetHeight() > 0)
        SetBounds(FLeft, FTop, FPicture->GetWidth(), FPicture->GetHeight());
    if (TGraphic* G = FPicture->GetGraphic(); G && FTransparent) G->SetTransparent(true);
    Invalidate();
}

void TImage::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    if (Value) PictureChanged(this);
}

void TImage::SetCenter(bool Value)
{
    if (FCenter == Value) return;
    FCenter = Value;
    Invalidate();
}

void TImage::SetProportional(bool Value)
{
    if (FProportional == Value) return;
    FProportional = Value;
    Invalidate();
}

void TImage::SetStretch(bool Value)
{
    if (FStretch == Value) return;
    FStretch = Value;
    Invalidate();
}

void TImage::SetTransparent(bool Value)
{
    if (FTransparent == Value) return;
    FTransparent = Value;
    if (TGraphic* G = FPicture->GetGraphic()) G->SetTransparent(Value);
    Invalidate();
}

// ---- Registration ------------------------------------------------------------------------------

namespace {

const bool ExtCtrlsRegistered = [] {
    try {
        RegisterExtCtrls();
    } catch (...) {
        return false;
    }
    return true;
}();

}  // namespace
