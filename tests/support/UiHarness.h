// Shared helpers for tests of windows: pumping through the application's own loop step, the
// thread key state, key and mouse messages as a user's input would produce them, forms that free
// themselves, and a recorder for message boxes.
#pragma once

#include "framework/Forms.h"

#include <functional>
#include <vector>

namespace ui {

// Handles every queued message through the application's loop step (key pipeline included), and
// keeps doing so for at least Ms milliseconds.
void Pump(int Ms = 0);
// Pumps until Pred holds or TimeoutMs passes; answers Pred's last value.
bool PumpUntil(const std::function<bool()>& Pred, int TimeoutMs = 2000);

// The thread key state: the modifiers of Shift down (left Alt for ssAlt), every other key up.
void SetKeyState(TShiftState Shift);
void SetKeyDown(int VKey, bool Down);
// The lParam of a key message for VKey.
LPARAM KeyData(UINT VKey, bool Up, bool Alt = false);

// The window that has the focus, or Wnd when given: where key messages go.
HWND KeyTarget(HWND Wnd = nullptr);
// Posts a key-down and a key-up (WM_SYSKEY* with Alt) with Shift held, pumping after each.
void PressKey(Word Key, TShiftState Shift = {}, HWND Wnd = nullptr);
// Posts WM_CHAR and pumps.
void TypeChar(wchar_t Ch, HWND Wnd = nullptr);

// Mouse messages at a client point of a control; a graphic control's through its parent's window.
void MouseMove(TControl* Control, int X, int Y, TShiftState Shift = {});
void MouseDown(TControl* Control, TMouseButton Button, int X, int Y, TShiftState Shift = {});
void MouseUp(TControl* Control, TMouseButton Button, int X, int Y, TShiftState Shift = {});
void Click(TControl* Control, int X, int Y, TShiftState Shift = {});
void Wheel(TControl* Control, int Delta, int X, int Y, TShiftState Shift = {});

// Shows the form, makes it the foreground and active window, and pumps.
void ShowAndActivate(TCustomForm* Form);

// A form at (Left, Top) with the given client size, freed by the guard.
template <class T = TForm>
T* NewForm(int ClientWidth = 400, int ClientHeight = 300, int Left = 100, int Top = 100)
{
    T* F = Create<T>(Application);
    F->SetBounds(Left, Top, ClientWidth + 16, ClientHeight + 40);
    F->HandleNeeded();
    F->SetClientWidth(ClientWidth);
    F->SetClientHeight(ClientHeight);
    return F;
}

struct FormGuard {
    TCustomForm* Form;
    explicit FormGuard(TCustomForm* F) : Form(F) {}
    FormGuard(const FormGuard&) = delete;
    FormGuard& operator=(const FormGuard&) = delete;
    ~FormGuard()
    {
        if (Form) Form->Free();
        Pump();
    }
};

// Replaces the application's message box for its lifetime: each call is recorded, and when
// ShowReal is set the real box is shown and closed again from a timer, so that the call runs
// the platform's modal loop.
class MessageBoxRecorder {
public:
    struct Call {
        String Text;
        String Caption;
        UINT Flags = 0;
        bool Shown = false;   // the real box appeared and was closed
    };
    explicit MessageBoxRecorder(bool ShowReal = false);
    ~MessageBoxRecorder();
    std::vector<Call> Calls;

private:
    bool FShowReal;
};

// Messages seen by a control, recorded through its replaceable window procedure.
class MessageLog {
public:
    explicit MessageLog(TControl* Control);
    ~MessageLog();
    std::vector<UINT> Messages;
    bool Saw(UINT Msg) const;
    int Count(UINT Msg) const;
    void Clear() { Messages.clear(); }

private:
    TControl* FControl;
    TWndMethod FOld;
};

}  // namespace ui
