// TApplication (message loop, key pipeline entry, exception display, hints, mouse tracking),
// TScreen (forms, cursors, work area, monitors, fonts) and the unit's global objects.
#include "Forms.h"

#include <algorithm>

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {

// The global objects exist from program start; they are left to the end of the process.
struct TFormsUnit {
    TFormsUnit()
    {
        Screen = new TScreen(nullptr);
        Application = new TApplication(nullptr);
    }
} GFormsUnit;

const wchar_t* const AppClassName = L"TApplication";

// The hint text before a '|' (the rest is the long hint for status lines).
String ShortHint(const String& Hint)
{
    size_t P = Hint.find(L'|');
    return P == String::npos ? Hint : Hint.substr(0, P);
}

// The hint of a control, or of the first parent that has one.
String HintOf(TControl* Control)
{
    for (TControl* C = Control; C; C = C->GetParent())
        if (!C->GetHint().empty()) return C->GetHint();
    return String();
}

}  // namespace

HCURSOR CursorHandle(TCursor Cursor)
{
    return Screen ? Screen->GetCursors(Cursor) : LoadCursorW(nullptr, IDC_ARROW);
}

// ---- TApplication ------------------------------------------------------------------------------

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner)
{
    HintWindowClass = HintWindowClassOf<THintWindow>();
    wchar_t Buf[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, Buf, MAX_PATH);
    String Name = Buf;
    size_t Slash = Name.find_last_of(L"\\/");
    if (Slash != String::npos) Name = Name.substr(Slash + 1);
    size_t Dot = Name.rfind(L'.');
    if (Dot != String::npos) Name = Name.substr(0, Dot);
    FTitle = Name;
}

TApplication::~TApplication()
{
    CancelHint();
    if (FHandle) {
        DestroyWindow(FHandle);
        FHandle = nullptr;
    }
}

String TApplication::GetExeName() const
{
    wchar_t Buf[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, Buf, MAX_PATH);
    return Buf;
}

HWND TApplication::GetHandle()
{
    if (FHandle) return FHandle;
    HINSTANCE Inst = GetModuleHandleW(nullptr);
    WNDCLASSEXW WC{};
    WC.cbSize = sizeof(WC);
    if (!GetClassInfoExW(Inst, AppClassName, &WC)) {
        WC = WNDCLASSEXW{};
        WC.cbSize = sizeof(WC);
        WC.lpfnWndProc = AppWndProc;
        WC.hInstance = Inst;
        WC.lpszClassName = AppClassName;
        RegisterClassExW(&WC);
    }
    FHandle = CreateWindowExW(WS_EX_TOOLWINDOW, AppClassName, FTitle.c_str(), WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS,
                              0, 0, 0, 0, nullptr, nullptr, Inst, nullptr);
    return FHandle;
}

LRESULT CALLBACK TApplication::AppWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Application && Application->FHandle == Wnd) {
        TMessage M{Msg, WParam, LParam, 0};
        try {
            Application->WndProc(M);
        } catch (...) {
            Application->HandleException(Application);
        }
        return M.Result;
    }
    return DefWindowProcW(Wnd, Msg, WParam, LParam);
}

void TApplication::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_TIMER:
        if (Message.WParam == HintTimerId) HintTimerExpired();
        else if (Message.WParam == HideHintTimerId) HideHintTimerExpired();
        return;
    case WM_ACTIVATEAPP:
        if (Message.WParam) {
            if (OnActivate) OnActivate(this);
        } else {
            CancelHint();
            if (OnDeactivate) OnDeactivate(this);
        }
        break;
    default: break;
    }
    Message.Result = DefWindowProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

// ---- Message loop ------------------------------------------------------------------------------

bool TApplication::IsKeyMsg(MSG& Msg)
{
    if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
    HWND Wnd = GetCapture();
    if (!Wnd) {
        // The nearest window of ours: foreign child windows know nothing of reflected keys.
        Wnd = Msg.hwnd;
        while (Wnd && !FindControl(Wnd)) Wnd = GetParent(Wnd);
        if (!Wnd) return false;
    } else if (!FindControl(Wnd)) {
        return false;
    }
    return SendMessageW(Wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

bool TApplication::IsHintMsg(MSG& Msg)
{
    if (FHintWindow && FHintWindow->HandleAllocated() && IsWindowVisible(FHintWindow->GetHandle()) &&
        FHintWindow->IsHintMsg(Msg))
        CancelHint();
    return false;
}

bool TApplication::ProcessMessage(MSG& Msg)
{
    if (!PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (Msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    bool Handled = false;
    if (OnMessage) OnMessage(Msg, Handled);
    if (!Handled && !IsHintMsg(Msg) && !IsKeyMsg(Msg)) {
        TranslateMessage(&Msg);
        DispatchMessageW(&Msg);
    }
    return true;
}

void TApplication::ProcessMessages()
{
    MSG Msg;
    for (;;) {
        try {
            if (!ProcessMessage(Msg)) break;
        } catch (...) {
            HandleException(this);
        }
    }
}

void TApplication::Idle(const MSG&)
{
    bool Done = true;
    if (OnIdle) OnIdle(this, Done);
    if (Done && !FTerminated) WaitMessage();
}

void TApplication::HandleMessage()
{
    MSG Msg;
    if (!ProcessMessage(Msg)) Idle(Msg);
}

void TApplication::Run()
{
    if (FMainForm) FMainForm->SetVisible(true);
    while (!FTerminated) {
        try {
            HandleMessage();
        } catch (...) {
            HandleException(this);
        }
    }
}

void TApplication::Terminate()
{
    if (!FTerminated) PostQuitMessage(0);
}

// ---- Exceptions --------------------------------------------------------------------------------

void TApplication::HandleException(TObject* Sender)
{
    if (HWND Cap = GetCapture()) SendMessageW(Cap, WM_CANCELMODE, 0, 0);
    std::exception_ptr Current = std::current_exception();
    if (!Current) return;
    try {
        std::rethrow_exception(Current);
    } catch (EAbort&) {
        // A silent exception: nothing to show.
    } catch (Exception& E) {
        if (OnException) OnException(Sender, &E);
        else ShowException(&E);
    } catch (std::exception& E) {
        Exception Wrapped(Utf8ToUtf16(E.what()));
        if (OnException) OnException(Sender, &Wrapped);
        else ShowException(&Wrapped);
    } catch (...) {
        Exception Wrapped(Consts::SUnknownError);
        if (OnException) OnException(Sender, &Wrapped);
        else ShowException(&Wrapped);
    }
}

void TApplication::ShowException(const Exception* E)
{
    if (!E) return;
    String Msg = E->Message;
    if (!Msg.empty() && Msg.back() > L'.') Msg += L'.';
    MessageBox(Msg, FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const String& Text, const String& Caption, UINT Flags)
{
    HWND Owner = GetActiveWindow();
    if (!Owner && FMainForm && FMainForm->HandleAllocated()) Owner = FMainForm->GetHandle();
    CancelHint();
    if (MessageBoxProc) return MessageBoxProc(Owner, Text, Caption, Flags);
    return ::MessageBoxW(Owner, Text.c_str(), Caption.c_str(), Flags);
}

// ---- Mouse tracking and hints ------------------------------------------------------------------

void TApplication::SetMouseControl(TControl* Control)
{
    if (FMouseControl == Control) return;
    TControl* Old = FMouseControl;
    FMouseControl = Control;
    if (Old) Old->Perform(CM_MOUSELEAVE);
    if (FMouseControl == Control && Control) Control->Perform(CM_MOUSEENTER);
    if (!Control) CancelHint();
}

void TApplication::SetShowHint(bool Value)
{
    if (FShowHint == Value) return;
    FShowHint = Value;
    if (!Value) CancelHint();
}

void TApplication::SetHint(const String& Value)
{
    if (FHint == Value) return;
    FHint = Value;
    if (OnHint) OnHint(this);
}

void TApplication::StartHintTimer(int Value)
{
    StopHintTimer();
    if (SetTimer(GetHandle(), HintTimerId, UINT(std::max(1, Value)), nullptr)) FHintTimerRunning = true;
}

void TApplication::StopHintTimer()
{
    if (FHintTimerRunning && FHandle) KillTimer(FHandle, HintTimerId);
    FHintTimerRunning = false;
}

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message)
{
    TWMMouse M(Message);
    TPoint P = Control->ClientToScreen(M.Pos());
    FHintCursorPos = P;
    SetHint(Control->GetHint());
    if (Control == FHintControl) return;
    bool WasActive = FHintActive;
    HideHint();
    FHintControl = nullptr;
    FHintActive = false;
    bool Wants = FShowHint && Control->GetShowHint() && !ShortHint(HintOf(Control)).empty();
    if (Wants) {
        FHintControl = Control;
        StartHintTimer(WasActive ? HintShortPause : HintPause);
    } else {
        StopHintTimer();
    }
}

void TApplication::HintTimerExpired()
{
    StopHintTimer();
    if (FHintControl) ActivateHint(FHintCursorPos);
}

void TApplication::HideHintTimerExpired()
{
    if (FHandle) KillTimer(FHandle, HideHintTimerId);
    FHideTimerRunning = false;
    HideHint();
}

void TApplication::ActivateHint(const TPoint& CursorPos)
{
    TControl* Control = FHintControl;
    if (!Control || !FShowHint) return;
    THintInfo Info;
    Info.HintControl = Control;
    Info.HintWindowClass = HintWindowClass;
    Info.HintPos = {CursorPos.X, CursorPos.Y + 20};
    Info.HintMaxWidth = Screen ? Screen->GetWidth() : 640;
    Info.HintColor = HintColor;
    Info.CursorRect = Control->GetClientRect();
    Info.CursorPos = Control->ScreenToClient(CursorPos);
    Info.HintStr = ShortHint(HintOf(Control));
    Info.HideTimeout = HintHidePause;
    bool CanShow = Control->Perform(CM_HINTSHOW, 0, LPARAM(&Info)) == 0;
    if (CanShow && OnShowHint) OnShowHint(Info.HintStr, CanShow, Info);
    if (!CanShow || Info.HintStr.empty()) {
        FHintActive = false;
        return;
    }
    // A control may ask for a window class of its own: the window is made afresh each time.
    if (FHintWindow) {
        THintWindow* Old = FHintWindow;
        FHintWindow = nullptr;
        Old->Free();
    }
    FHintWindow = Info.HintWindowClass ? Info.HintWindowClass(this) : Create<THintWindow>(this);
    FHintWindow->SetColor(Info.HintColor);
    TRect R = FHintWindow->CalcHintRect(Info.HintMaxWidth, Info.HintStr, Info.HintData);
    R = Bounds(Info.HintPos.X, Info.HintPos.Y, R.Width(), R.Height());
    FHintWindow->ActivateHintData(R, Info.HintStr, Info.HintData);
    FHintActive = true;
    if (Info.HideTimeout > 0 && SetTimer(GetHandle(), HideHintTimerId, UINT(Info.HideTimeout), nullptr))
        FHideTimerRunning = true;
}

void TApplication::HideHint()
{
    if (FHideTimerRunning && FHandle) KillTimer(FHandle, HideHintTimerId);
    FHideTimerRunning = false;
    if (FHintWindow) FHintWindow->ReleaseHandle();
}

void TApplication::CancelHint()
{
    StopHintTimer();
    HideHint();
    FHintControl = nullptr;
    FHintActive = false;
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove) {
        if (AComponent == FMainForm) FMainForm = nullptr;
        if (AComponent == FHintWindow) FHintWindow = nullptr;
    }
}

void TApplication::ControlDestroying(TControl* Control)
{
    if (FMouseControl == Control) FMouseControl = nullptr;
    if (FHintControl == Control) CancelHint();
    if (FHintWindow == Control) FHintWindow = nullptr;
    if (!Screen) return;
    if (Screen->FActiveControl == Control) Screen->FActiveControl = nullptr;
    for (TCustomForm* F : Screen->FForms) {
        if (F == Control) continue;
        if (F->FActiveControl == Control) F->FActiveControl = nullptr;
        if (F->FFocusedControl == Control) F->FFocusedControl = nullptr;
        if (F->FLastFocusedControl == Control) F->FLastFocusedControl = nullptr;
    }
}

// ---- TScreen -----------------------------------------------------------------------------------

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

void TScreen::AddForm(TCustomForm* AForm)
{
    if (std::find(FForms.begin(), FForms.end(), AForm) == FForms.end()) FForms.push_back(AForm);
}

void TScreen::RemoveForm(TCustomForm* AForm)
{
    FForms.erase(std::remove(FForms.begin(), FForms.end(), AForm), FForms.end());
    if (FActiveForm == AForm) FActiveForm = nullptr;
    if (FActiveControl && GetParentForm(FActiveControl) == AForm) FActiveControl = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* AForm)
{
    if (FActiveForm == AForm) return;
    FActiveForm = AForm;
    if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::SetActiveControl(TWinControl* Control)
{
    if (FActiveControl == Control) return;
    FActiveControl = Control;
    if (OnActiveControlChange) OnActiveControlChange(this);
}

void TScreen::SetCursor(TCursor Value)
{
    if (FCursor == Value) return;
    FCursor = Value;
    if (Value == crDefault) {
        // The window under the mouse chooses its own cursor again.
        POINT P;
        GetCursorPos(&P);
        if (HWND W = WindowFromPoint(P))
            SendMessageW(W, WM_SETCURSOR, WPARAM(W), MAKELPARAM(SendMessageW(W, WM_NCHITTEST, 0, MAKELPARAM(P.x, P.y)), WM_MOUSEMOVE));
    } else {
        ::SetCursor(GetCursors(Value));
    }
}

HCURSOR TScreen::GetCursors(int Index)
{
    auto It = FCursors.find(Index);
    if (It != FCursors.end()) return It->second;
    const wchar_t* Id = IDC_ARROW;
    switch (Index) {
    case crNone: return nullptr;
    case crCross: Id = IDC_CROSS; break;
    case crIBeam: Id = IDC_IBEAM; break;
    case crSizeNESW: Id = IDC_SIZENESW; break;
    case crSizeNS:
    case crVSplit: Id = IDC_SIZENS; break;
    case crSizeNWSE: Id = IDC_SIZENWSE; break;
    case crSizeWE:
    case crHSplit: Id = IDC_SIZEWE; break;
    case crUpArrow: Id = IDC_UPARROW; break;
    case crHourGlass:
    case crSQLWait: Id = IDC_WAIT; break;
    case crNoDrop:
    case crNo: Id = IDC_NO; break;
    case crAppStart: Id = IDC_APPSTARTING; break;
    case crHelp: Id = IDC_HELP; break;
    case crHandPoint: Id = IDC_HAND; break;
    case crSizeAll: Id = IDC_SIZEALL; break;
    default: break;
    }
    return LoadCursorW(nullptr, Id);
}

void TScreen::SetCursors(int Index, HCURSOR Handle)
{
    if (Handle) FCursors[Index] = Handle;
    else FCursors.erase(Index);
}

int TScreen::GetWidth() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::GetHeight() const { return GetSystemMetrics(SM_CYSCREEN); }
int TScreen::GetPixelsPerInch() const { return ScreenPixelsPerInch(); }

TRect TScreen::GetWorkAreaRect() const
{
    if (WorkAreaProvider) return WorkAreaProvider();
    RECT R{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &R, 0);
    return Rect(R.left, R.top, R.right, R.bottom);
}

namespace {

BOOL CALLBACK CollectMonitor(HMONITOR H, HDC, LPRECT, LPARAM Data)
{
    reinterpret_cast<std::vector<HMONITOR>*>(Data)->push_back(H);
    return TRUE;
}

}  // namespace

void TScreen::RefreshMonitors()
{
    std::vector<HMONITOR> Handles;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, LPARAM(&Handles));
    bool Same = Handles.size() == FMonitors.size();
    for (size_t I = 0; Same && I < Handles.size(); ++I) Same = FMonitors[I]->Handle == Handles[I];
    if (Same) return;
    FMonitors.clear();
    for (size_t I = 0; I < Handles.size(); ++I) {
        auto M = std::make_unique<TMonitor>();
        M->Handle = Handles[I];
        M->MonitorNum = int(I);
        FMonitors.push_back(std::move(M));
    }
}

int TScreen::MonitorCount()
{
    RefreshMonitors();
    return int(FMonitors.size());
}

TMonitor* TScreen::Monitors(int Index)
{
    RefreshMonitors();
    if (Index < 0 || Index >= int(FMonitors.size())) throw EListError(L"Monitor index out of bounds");
    return FMonitors[size_t(Index)].get();
}

namespace {

TMonitor* FindMonitor(const std::vector<std::unique_ptr<TMonitor>>& List, HMONITOR H)
{
    for (const auto& M : List)
        if (M->Handle == H) return M.get();
    return List.empty() ? nullptr : List.front().get();
}

}  // namespace

TMonitor* TScreen::MonitorFromPoint(const TPoint& P)
{
    RefreshMonitors();
    return FindMonitor(FMonitors, ::MonitorFromPoint(POINT{P.X, P.Y}, MONITOR_DEFAULTTONEAREST));
}

TMonitor* TScreen::MonitorFromRect(const TRect& R)
{
    RefreshMonitors();
    RECT W{R.Left, R.Top, R.Right, R.Bottom};
    return FindMonitor(FMonitors, ::MonitorFromRect(&W, MONITOR_DEFAULTTONEAREST));
}

TMonitor* TScreen::MonitorFromWindow(HWND Wnd)
{
    RefreshMonitors();
    return FindMonitor(FMonitors, ::MonitorFromWindow(Wnd, MONITOR_DEFAULTTONEAREST));
}

namespace {

int CALLBACK CollectFont(const LOGFONTW* LF, const TEXTMETRICW*, DWORD, LPARAM Data)
{
    if (LF->lfFaceName[0] != L'@') reinterpret_cast<std::vector<String>*>(Data)->push_back(LF->lfFaceName);
    return 1;
}

}  // namespace

const std::vector<String>& TScreen::GetFonts()
{
    if (FFonts.empty()) {
        {
            TClientDC DC(nullptr);
            LOGFONTW LF{};
            LF.lfCharSet = DEFAULT_CHARSET;
            EnumFontFamiliesExW(DC, &LF, CollectFont, LPARAM(&FFonts), 0);
        }
        std::sort(FFonts.begin(), FFonts.end(),
                  [](const String& A, const String& B) { return LowerCase(A) < LowerCase(B); });
        FFonts.erase(std::unique(FFonts.begin(), FFonts.end()), FFonts.end());
    }
    return FFonts;
}

// ---- TMonitor ----------------------------------------------------------------------------------

TRect TMonitor::GetBoundsRect() const
{
    MONITORINFO MI{sizeof(MI)};
    GetMonitorInfoW(Handle, &MI);
    return Rect(MI.rcMonitor.left, MI.rcMonitor.top, MI.rcMonitor.right, MI.rcMonitor.bottom);
}

TRect TMonitor::GetWorkareaRect() const
{
    if (Screen && Screen->WorkAreaProvider) return Screen->WorkAreaProvider();
    MONITORINFO MI{sizeof(MI)};
    GetMonitorInfoW(Handle, &MI);
    return Rect(MI.rcWork.left, MI.rcWork.top, MI.rcWork.right, MI.rcWork.bottom);
}

bool TMonitor::GetPrimary() const
{
    MONITORINFO MI{sizeof(MI)};
    GetMonitorInfoW(Handle, &MI);
    return (MI.dwFlags & MONITORINFOF_PRIMARY) != 0;
}

int TMonitor::GetPixelsPerInch() const
{
    return ScreenPixelsPerInch();
}
