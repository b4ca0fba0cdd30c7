// THintWindow: the small top-most window that shows a control's hint.
#include "Controls.h"
#include "Forms.h"

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    FVisible = false;
    FColor = clInfoBk;
    FParentColor = false;
    FParentFont = false;
    FFont->SetColor(clInfoText);
    FParentFont = false;
    FBrush->SetColor(FColor);
}

void THintWindow::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.WndParent = nullptr;
    Params.WindowClass.style |= CS_SAVEBITS | CS_DROPSHADOW;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const String& AHint, void*)
{
    RECT R{0, 0, MaxWidth, 0};
    {
        TClientDC DC(nullptr);
        TSelectObject Font(DC, FFont->GetHandle());
        DrawTextW(DC, AHint.c_str(), int(AHint.size()), &R,
                  DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DrawTextBiDiModeFlagsReadingOnly());
    }
    // Room for the border and the text margin.
    return Rect(0, 0, R.right + 6, R.bottom + 2 + 2);
}

void THintWindow::ActivateHint(TRect Rect, const String& AHint)
{
    TValueScope Activating(FActivating, true);
    SetText(AHint);
    // Keep the window on the screen.
    TRect Area = Screen ? Screen->GetWorkAreaRect() : TRect(0, 0, 1 << 16, 1 << 16);
    int W = Rect.Width(), H = Rect.Height();
    if (Rect.Right > Area.Right) Rect.Left = Area.Right - W;
    if (Rect.Left < Area.Left) Rect.Left = Area.Left;
    if (Rect.Bottom > Area.Bottom) Rect.Top = Rect.Top - H - 24;
    if (Rect.Top < Area.Top) Rect.Top = Area.Top;
    UpdateBoundsRect(Bounds(Rect.Left, Rect.Top, W, H));
    HWND Wnd = GetHandle();
    SetWindowPos(Wnd, HWND_TOPMOST, Rect.Left, Rect.Top, W, H, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    FVisible = true;
    InvalidateRect(Wnd, nullptr, TRUE);
    UpdateWindow(Wnd);
}

void THintWindow::ActivateHintData(TRect Rect, const String& AHint, void*)
{
    ActivateHint(Rect, AHint);
}

bool THintWindow::IsHintMsg(const MSG& Msg)
{
    switch (Msg.message) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
    case WM_ACTIVATEAPP:
        return true;
    default:
        return false;
    }
}

void THintWindow::ReleaseHandle()
{
    FVisible = false;
    if (HandleAllocated()) ShowWindow(FHandle, SW_HIDE);
}

void THintWindow::Paint()
{
    TRect R = GetClientRect();
    R.Left += 2;
    R.Top += 2;
    HDC DC = FCanvas->GetHandle();
    FCanvas->GetFont()->Assign(FFont.get());
    FCanvas->GetBrush()->SetStyle(bsClear);
    FCanvas->RequiredState(TCanvasState{TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid,
                                        TCanvasStateFlag::csBrushValid});
    SetBkMode(DC, TRANSPARENT);
    SetTextColor(DC, ColorToRGB(FFont->GetColor()));
    String T = GetText();
    RECT W{R.Left, R.Top, R.Right, R.Bottom};
    DrawTextW(DC, T.c_str(), int(T.size()), &W, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK | DrawTextBiDiModeFlagsReadingOnly());
}

void THintWindow::WMNCHitTest(TMessage& Message)
{
    Message.Result = HTTRANSPARENT;
}

void THintWindow::WMNCPaint(TMessage& Message)
{
    DefaultHandler(Message);
}

void THintWindow::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCHITTEST: WMNCHitTest(Message); break;
    case WM_NCPAINT: WMNCPaint(Message); break;
    default: inherited::Dispatch(Message);
    }
}
