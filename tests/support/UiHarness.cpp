#include "UiHarness.h"

#include <algorithm>

namespace ui {

void Pump(int Ms)
{
    DWORD Start = GetTickCount();
    do {
        Application->ProcessMessages();
        if (Ms > 0) Sleep(1);
    } while (Ms > 0 && int(GetTickCount() - Start) < Ms);
}

bool PumpUntil(const std::function<bool()>& Pred, int TimeoutMs)
{
    DWORD Start = GetTickCount();
    for (;;) {
        Application->ProcessMessages();
        if (Pred()) return true;
        if (int(GetTickCount() - Start) >= TimeoutMs) return false;
        Sleep(2);
    }
}

void SetKeyState(TShiftState Shift)
{
    BYTE State[256] = {};
    auto Down = [&](int VK) { State[VK] = 0x80; };
    if (Shift.Contains(ssShift)) { Down(VK_SHIFT); Down(VK_LSHIFT); }
    if (Shift.Contains(ssCtrl)) { Down(VK_CONTROL); Down(VK_LCONTROL); }
    if (Shift.Contains(ssAlt)) { Down(VK_MENU); Down(VK_LMENU); }
    if (Shift.Contains(ssLeft)) Down(VK_LBUTTON);
    if (Shift.Contains(ssRight)) Down(VK_RBUTTON);
    if (Shift.Contains(ssMiddle)) Down(VK_MBUTTON);
    SetKeyboardState(State);
}

void SetKeyDown(int VKey, bool Down)
{
    BYTE State[256];
    GetKeyboardState(State);
    State[VKey] = Down ? 0x80 : 0;
    SetKeyboardState(State);
}

LPARAM KeyData(UINT VKey, bool Up, bool Alt)
{
    UINT Scan = MapVirtualKeyW(VKey, MAPVK_VK_TO_VSC);
    LPARAM L = 1 | (LPARAM(Scan & 0xFF) << 16);
    if (Alt) L |= LPARAM(1) << 29;
    if (Up) L |= (LPARAM(1) << 30) | (LPARAM(1) << 31);
    return L;
}

HWND KeyTarget(HWND Wnd)
{
    if (Wnd) return Wnd;
    HWND F = GetFocus();
    return F ? F : GetActiveWindow();
}

void PressKey(Word Key, TShiftState Shift, HWND Wnd)
{
    SetKeyState(Shift);
    bool Alt = Shift.Contains(ssAlt);
    HWND Target = KeyTarget(Wnd);
    PostMessageW(Target, Alt ? WM_SYSKEYDOWN : WM_KEYDOWN, Key, KeyData(Key, false, Alt));
    Pump();
    Target = KeyTarget(Wnd);
    PostMessageW(Target, Alt ? WM_SYSKEYUP : WM_KEYUP, Key, KeyData(Key, true, Alt));
    Pump();
    SetKeyState({});
}

void TypeChar(wchar_t Ch, HWND Wnd)
{
    PostMessageW(KeyTarget(Wnd), WM_CHAR, WPARAM(Ch), 1);
    Pump();
}

namespace {

WPARAM MouseKeys(TShiftState Shift, UINT ExtraButton = 0)
{
    WPARAM K = ExtraButton;
    if (Shift.Contains(ssShift)) K |= MK_SHIFT;
    if (Shift.Contains(ssCtrl)) K |= MK_CONTROL;
    if (Shift.Contains(ssLeft)) K |= MK_LBUTTON;
    if (Shift.Contains(ssRight)) K |= MK_RBUTTON;
    if (Shift.Contains(ssMiddle)) K |= MK_MBUTTON;
    return K;
}

// The window that receives the control's mouse messages, and the point in its client area.
HWND MouseWindow(TControl* Control, int& X, int& Y)
{
    TControl* C = Control;
    while (C && !dynamic_cast<TWinControl*>(C)) {
        X += C->GetLeft();
        Y += C->GetTop();
        C = C->GetParent();
    }
    return C ? static_cast<TWinControl*>(C)->GetHandle() : nullptr;
}

void PostMouse(TControl* Control, UINT Msg, WPARAM Keys, int X, int Y)
{
    HWND W = MouseWindow(Control, X, Y);
    PostMessageW(W, Msg, Keys, MAKELPARAM(Word(short(X)), Word(short(Y))));
    Pump();
}

}  // namespace

void MouseMove(TControl* Control, int X, int Y, TShiftState Shift)
{
    SetKeyState(Shift);
    PostMouse(Control, WM_MOUSEMOVE, MouseKeys(Shift), X, Y);
}

void MouseDown(TControl* Control, TMouseButton Button, int X, int Y, TShiftState Shift)
{
    SetKeyState(Shift);
    static const UINT Msg[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static const UINT Btn[] = {MK_LBUTTON, MK_RBUTTON, MK_MBUTTON};
    PostMouse(Control, Msg[Button], MouseKeys(Shift, Btn[Button]), X, Y);
}

void MouseUp(TControl* Control, TMouseButton Button, int X, int Y, TShiftState Shift)
{
    SetKeyState(Shift);
    static const UINT Msg[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    PostMouse(Control, Msg[Button], MouseKeys(Shift), X, Y);
    SetKeyState({});
}

void Click(TControl* Control, int X, int Y, TShiftState Shift)
{
    MouseDown(Control, mbLeft, X, Y, Shift);
    MouseUp(Control, mbLeft, X, Y, Shift);
}

void Wheel(TControl* Control, int Delta, int X, int Y, TShiftState Shift)
{
    SetKeyState(Shift);
    TPoint P = Control->ClientToScreen({X, Y});
    int CX = X, CY = Y;
    HWND W = MouseWindow(Control, CX, CY);
    // The wheel goes to the focused window, as the platform sends it.
    HWND Target = GetFocus() ? GetFocus() : W;
    PostMessageW(Target, WM_MOUSEWHEEL, MAKEWPARAM(Word(MouseKeys(Shift)), Word(short(Delta))),
                 MAKELPARAM(Word(short(P.X)), Word(short(P.Y))));
    Pump();
    SetKeyState({});
}

void ShowAndActivate(TCustomForm* Form)
{
    Form->Show();
    HWND W = Form->GetHandle();
    SetForegroundWindow(W);
    SetActiveWindow(W);
    PumpUntil([&] { return GetActiveWindow() == W; }, 1000);
    Pump();
}

// ---- MessageBoxRecorder ------------------------------------------------------------------------

namespace {

MessageBoxRecorder::Call* GPendingCall = nullptr;

BOOL CALLBACK CloseDialog(HWND Wnd, LPARAM)
{
    wchar_t Cls[32] = {};
    GetClassNameW(Wnd, Cls, 32);
    if (wcscmp(Cls, L"#32770") == 0 && IsWindowVisible(Wnd)) {
        if (GPendingCall) GPendingCall->Shown = true;
        PostMessageW(Wnd, WM_COMMAND, IDOK, 0);
        return FALSE;
    }
    return TRUE;
}

void CALLBACK CloseBoxTimer(HWND, UINT, UINT_PTR Id, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), CloseDialog, 0);
    if (GPendingCall && GPendingCall->Shown) KillTimer(nullptr, Id);
}

}  // namespace

MessageBoxRecorder::MessageBoxRecorder(bool ShowReal) : FShowReal(ShowReal)
{
    Calls.reserve(16);
    Application->MessageBoxProc = [this](HWND Owner, const String& Text, const String& Caption, UINT Flags) {
        Calls.push_back(Call{Text, Caption, Flags, false});
        if (!FShowReal) return IDOK;
        Call* Saved = GPendingCall;
        GPendingCall = &Calls.back();
        UINT_PTR Timer = SetTimer(nullptr, 0, 30, CloseBoxTimer);
        int R = ::MessageBoxW(Owner, Text.c_str(), Caption.c_str(), Flags);
        KillTimer(nullptr, Timer);
        GPendingCall = Saved;
        return R;
    };
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    Application->MessageBoxProc = nullptr;
}

// ---- MessageLog --------------------------------------------------------------------------------

MessageLog::MessageLog(TControl* Control) : FControl(Control), FOld(Control->GetWindowProc())
{
    Control->SetWindowProc([this](TMessage& M) {
        Messages.push_back(M.Msg);
        FOld(M);
    });
}

MessageLog::~MessageLog()
{
    FControl->SetWindowProc(FOld);
}

bool MessageLog::Saw(UINT Msg) const
{
    return Count(Msg) > 0;
}

int MessageLog::Count(UINT Msg) const
{
    return int(std::count(Messages.begin(), Messages.end(), Msg));
}

}  // namespace ui
