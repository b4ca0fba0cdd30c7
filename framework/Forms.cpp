// TCustomForm: top-level windows with border styles, position, show and hide, modal loops, close
// actions, activation and the form's share of focus and the keyboard pipeline.
#include "Forms.h"

#include "Menus.h"

#include <algorithm>

namespace {

// The top-level windows of this thread that a modal form disables, and re-enables afterwards.
struct TTaskWindows {
    HWND Modal = nullptr;
    std::vector<HWND> Disabled;
};

BOOL CALLBACK DisableTaskWindow(HWND Wnd, LPARAM Data)
{
    auto* T = reinterpret_cast<TTaskWindows*>(Data);
    if (Wnd != T->Modal && IsWindowVisible(Wnd) && IsWindowEnabled(Wnd)) {
        T->Disabled.push_back(Wnd);
        EnableWindow(Wnd, FALSE);
    }
    return TRUE;
}

bool KeyIsUp(int VKey) { return GetKeyState(VKey) >= 0; }

}  // namespace

// ---- Construction ------------------------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner)
{
    FFormState << TFormStateFlag::fsCreating;
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    FVisible = false;
    FColor = clBtnFace;
    FParentColor = false;
    FParentFont = false;
    FWidth = 320;
    FHeight = 240;
    FBrush->SetColor(FColor);
    auto C = std::make_unique<TControlCanvas>();
    C->SetControl(this);
    FCanvas = std::move(C);
    FIcon = std::make_unique<TIcon>();
    if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm()
{
    if (auto* CC = dynamic_cast<TControlCanvas*>(FCanvas.get())) CC->FreeHandle();
    // The window goes while the form is still a form, so that its messages reach it.
    if (FHandle) TCustomForm::DestroyWnd();
    if (Screen) Screen->RemoveForm(this);
    if (Application && Application->FMainForm == this) Application->FMainForm = nullptr;
}

void TCustomForm::AfterConstruction()
{
    inherited::AfterConstruction();
    FFormState >> TFormStateFlag::fsCreating;
    DoCreate();
}

void TCustomForm::BeforeDestruction()
{
    inherited::BeforeDestruction();
    if (FHandle && FShowing) {
        FVisible = false;
        UpdateShowing();
    }
    DoDestroy();
}

void TCustomForm::DoCreate()
{
    if (!OnCreate) return;
    try {
        OnCreate(this);
    } catch (...) {
        if (Application) Application->HandleException(this);
        else throw;
    }
}

void TCustomForm::DoDestroy()
{
    if (!OnDestroy) return;
    try {
        OnDestroy(this);
    } catch (...) {
        if (Application) Application->HandleException(this);
    }
}

void TCustomForm::Loaded()
{
    inherited::Loaded();
    // A scaled form designed at another pixel density follows the screen's; unscaled forms keep
    // their pixels.
    int Screenppi = Screen ? Screen->GetPixelsPerInch() : 96;
    if (FScaled && FPixelsPerInch > 0 && FPixelsPerInch != Screenppi) {
        ChangeScale(Screenppi, FPixelsPerInch);
        FPixelsPerInch = Screenppi;
    }
}

// ---- Window ------------------------------------------------------------------------------------

void TCustomForm::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    if (FParent) return;   // a form placed on another control is an ordinary child window
    Params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (!GetEnabled()) Params.Style |= WS_DISABLED;
    Params.ExStyle = 0;
    switch (FBorderStyle) {
    case bsNone: Params.Style |= WS_POPUP; break;
    case bsSingle:
    case bsToolWindow: Params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable:
    case bsSizeToolWin: Params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        Params.Style |= WS_POPUP | WS_CAPTION;
        Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    }
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) Params.ExStyle |= WS_EX_TOOLWINDOW;
    if (FBorderStyle != bsNone && FBorderIcons.Contains(biSystemMenu)) {
        Params.Style |= WS_SYSMENU;
        if (FBorderStyle == bsSingle || FBorderStyle == bsSizeable) {
            if (FBorderIcons.Contains(biMinimize)) Params.Style |= WS_MINIMIZEBOX;
            if (FBorderIcons.Contains(biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
        }
        if (FBorderStyle == bsDialog && FBorderIcons.Contains(biHelp)) Params.ExStyle |= WS_EX_CONTEXTHELP;
    }
    if (FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
    Params.WndParent = nullptr;
    if (Application) {
        TCustomForm* Main = Application->GetMainForm();
        if (Main && Main != this && Main->HandleAllocated()) Params.WndParent = Main->FHandle;
        else if (Main == this && Application->GetMainFormOnTaskbar()) Params.ExStyle |= WS_EX_APPWINDOW;
        else if (!Application->GetMainFormOnTaskbar()) Params.WndParent = Application->GetHandle();
    }
    if (FParentWindow) Params.WndParent = FParentWindow;
    Params.WindowClass.style = CS_DBLCLKS;
    Params.WindowClass.hIcon = nullptr;
}

void TCustomForm::CreateWnd()
{
    inherited::CreateWnd();
    if (FMenu) FMenu->SetWindowHandle(FHandle);
    if (FIcon && !FIcon->GetEmpty()) {
        SendMessageW(FHandle, WM_SETICON, ICON_BIG, LPARAM(FIcon->GetHandle()));
        SendMessageW(FHandle, WM_SETICON, ICON_SMALL, LPARAM(FIcon->GetHandle()));
    }
    if (FAlphaBlend) {
        SetWindowLongPtrW(FHandle, GWL_EXSTYLE, GetWindowLongPtrW(FHandle, GWL_EXSTYLE) | WS_EX_LAYERED);
        SetLayeredWindowAttributes(FHandle, 0, FAlphaBlendValue, LWA_ALPHA);
    }
}

void TCustomForm::DestroyWnd()
{
    // Take the menu bar off first: the platform destroys a window's menu with the window.
    if (FMenu) FMenu->SetWindowHandle(nullptr);
    inherited::DestroyWnd();
}

void TCustomForm::SetMenu(TMainMenu* Value)
{
    if (FMenu == Value) return;
    if (FMenu) FMenu->SetWindowHandle(nullptr);
    FMenu = Value;
    if (FMenu) {
        FMenu->FreeNotification(this);
        if (FHandle) FMenu->SetWindowHandle(FHandle);
    }
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == FMenu) FMenu = nullptr;
    inherited::Notification(AComponent, Operation);
}

TRect TCustomForm::GetClientRect()
{
    if (FHandle || !FMenu || FBorderStyle == bsNone) return inherited::GetClientRect();
    TCreateParams P;
    try {
        CreateParamsForFrame(P);
    } catch (...) {
        return inherited::GetClientRect();
    }
    RECT Frame{0, 0, 0, 0};
    AdjustWindowRectEx(&Frame, P.Style, TRUE, P.ExStyle);
    int W = FWidth - (Frame.right - Frame.left), H = FHeight - (Frame.bottom - Frame.top);
    return Rect(0, 0, std::max(0, W), std::max(0, H));
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value)
{
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value)
{
    if (FBorderIcons == Value) return;
    FBorderIcons = Value;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value)
{
    if (FFormStyle == Value) return;
    FFormStyle = Value;
    // The window's top-most style comes from its creation parameters.
    RecreateWnd();
}

void TCustomForm::SetWindowState(TWindowState Value)
{
    if (FWindowState == Value) return;
    FWindowState = Value;
    if (FHandle && FShowing) {
        static const int Cmd[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
        ShowWindow(FHandle, Cmd[Value]);
    }
}

void TCustomForm::SetIcon(TIcon* Value)
{
    FIcon->Assign(Value);
    if (FHandle) {
        HICON H = FIcon->GetEmpty() ? nullptr : FIcon->GetHandle();
        SendMessageW(FHandle, WM_SETICON, ICON_BIG, LPARAM(H));
        SendMessageW(FHandle, WM_SETICON, ICON_SMALL, LPARAM(H));
    }
}

void TCustomForm::SetAlphaBlend(bool Value)
{
    if (FAlphaBlend == Value) return;
    FAlphaBlend = Value;
    RecreateWnd();
}

void TCustomForm::SetAlphaBlendValue(Byte Value)
{
    FAlphaBlendValue = Value;
    if (FHandle && FAlphaBlend) SetLayeredWindowAttributes(FHandle, 0, Value, LWA_ALPHA);
}

// ---- Painting ----------------------------------------------------------------------------------

void TCustomForm::Paint()
{
    if (OnPaint) OnPaint(this);
}

void TCustomForm::PaintWindow(HDC DC)
{
    PaintOnCanvas(FCanvas.get(), DC, FFont.get(), FColor, [this] { Paint(); });
}

// ---- Showing -----------------------------------------------------------------------------------

void TCustomForm::DoShow()
{
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide) OnHide(this);
}

void TCustomForm::SetWindowToMonitor()
{
    if (FPositioned || FParent) return;
    FPositioned = true;
    TRect Area = Screen ? Screen->GetWorkAreaRect() : Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    TCustomForm* Center = nullptr;
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter: break;
    case poMainFormCenter: Center = Application ? Application->GetMainForm() : nullptr; break;
    case poOwnerFormCenter: Center = dynamic_cast<TCustomForm*>(Owner()); break;
    default: return;
    }
    if (Center == this || (Center && !Center->HandleAllocated())) Center = nullptr;
    TRect Target = Center ? Center->GetBoundsRect() : Area;
    int L = Target.Left + (Target.Width() - FWidth) / 2;
    int T = Target.Top + (Target.Height() - FHeight) / 2;
    // Keep the form on the work area; one larger than the area keeps its top left corner there.
    L = std::max(Area.Left, std::min(L, Area.Right - FWidth));
    T = std::max(Area.Top, std::min(T, Area.Bottom - FHeight));
    SetBounds(L, T, FWidth, FHeight);
}

void TCustomForm::CMShowingChangedForm(TMessage& Message)
{
    if (!FHandle) return;
    if (FParent) {
        inherited::Dispatch(Message);
        if (FShowing) DoShow();
        else DoHide();
        return;
    }
    if (FShowing) {
        FFormState << TFormStateFlag::fsShowing;
        {
            auto Undo = ScopeFail([this] { FFormState >> TFormStateFlag::fsShowing; });
            DoShow();
        }
        SetWindowToMonitor();
        bool NoActivate = (GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & WS_EX_NOACTIVATE) != 0;
        int Cmd = FWindowState == wsMaximized ? SW_SHOWMAXIMIZED
                  : FWindowState == wsMinimized ? SW_SHOWMINIMIZED
                  : NoActivate                  ? SW_SHOWNOACTIVATE
                                                : SW_SHOWNORMAL;
        ShowWindow(FHandle, Cmd);
        if (FFormStyle == fsStayOnTop)
            SetWindowPos(FHandle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        FFormState >> TFormStateFlag::fsShowing;
        FFormState << TFormStateFlag::fsVisible;
    } else {
        FFormState >> TFormStateFlag::fsVisible;
        DoHide();
        if (GetActiveWindow() == FHandle && !FFormState.Contains(TFormStateFlag::fsModal)) {
            // Hand activation to the owner so that it does not fall to an unrelated window.
            if (HWND Owner = GetWindow(FHandle, GW_OWNER); Owner && IsWindowVisible(Owner)) SetActiveWindow(Owner);
        }
        ShowWindow(FHandle, SW_HIDE);
    }
}

void TCustomForm::BringToFront()
{
    if (FHandle) {
        SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(FHandle);
    }
}

// ---- Closing and modal loops -------------------------------------------------------------------

bool TCustomForm::CloseQuery()
{
    bool CanClose = true;
    if (OnCloseQuery) OnCloseQuery(this, CanClose);
    return CanClose;
}

void TCustomForm::DoClose(TCloseAction& Action)
{
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::Close()
{
    if (FFormState.Contains(TFormStateFlag::fsModal)) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction Action = caHide;
    DoClose(Action);
    if (Action == caNone) return;
    if (Application && Application->GetMainForm() == this) {
        Application->Terminate();
        Hide();
    } else if (Action == caHide) {
        Hide();
    } else if (Action == caMinimize) {
        SetWindowState(wsMinimized);
    } else {
        Release();
    }
}

void TCustomForm::Release()
{
    if (FHandle) PostMessageW(FHandle, CM_RELEASE, 0, 0);
    else Free();
}

void TCustomForm::CMRelease(TMessage&)
{
    Free();
}

TModalResult TCustomForm::ShowModal()
{
    if (FVisible || !GetEnabled() || FFormState.Contains(TFormStateFlag::fsModal) || FFormStyle == fsMDIChild)
        throw EInvalidOperation(L"Cannot make a visible window modal");
    if (HWND Cap = GetCapture()) {
        SendMessageW(Cap, WM_CANCELMODE, 0, 0);
        ReleaseCapture();
    }
    Application->ModalStarted();
    FFormState << TFormStateFlag::fsModal;
    HWND ActiveWindow = GetActiveWindow();
    TTaskWindows Task;
    Task.Modal = GetHandle();
    EnumThreadWindows(GetCurrentThreadId(), DisableTaskWindow, LPARAM(&Task));
    // Whatever way the loop ends, the other windows come back and the form hides.
    auto Finish = ScopeExit([&] {
        for (HWND W : Task.Disabled)
            if (IsWindow(W)) EnableWindow(W, TRUE);
        if (FHandle) {
            FVisible = true;   // Hide must run even when the loop ended early
            Hide();
        }
        FFormState >> TFormStateFlag::fsModal;
        Application->ModalFinished();
        if (ActiveWindow && IsWindow(ActiveWindow)) SetActiveWindow(ActiveWindow);
    });
    Show();
    SendMessageW(FHandle, CM_ACTIVATE, 0, 0);
    FModalResult = mrNone;
    do {
        try {
            Application->HandleMessage();
        } catch (...) {
            Application->HandleException(this);
        }
        if (Application->GetTerminated()) {
            FModalResult = mrCancel;
        } else if (FModalResult != mrNone) {
            // Closing runs the close events; caNone keeps the form open.
            TCloseAction Action = caNone;
            if (CloseQuery()) {
                Action = caHide;
                DoClose(Action);
            }
            if (Action == caNone) FModalResult = mrNone;
        }
    } while (FModalResult == mrNone);
    TModalResult Result = FModalResult;
    if (FHandle) SendMessageW(FHandle, CM_DEACTIVATE, 0, 0);
    return Result;
}

void TCustomForm::WMClose(TMessage&)
{
    Close();
}

void TCustomForm::WMQueryEndSession(TMessage& Message)
{
    Message.Result = CloseQuery() ? 1 : 0;
}

void TCustomForm::WMSysCommand(TMessage& Message)
{
    switch (Message.WParam & 0xFFF0) {
    case SC_MINIMIZE: FWindowState = wsMinimized; break;
    case SC_MAXIMIZE: FWindowState = wsMaximized; break;
    case SC_RESTORE: FWindowState = wsNormal; break;
    default: break;
    }
    DefaultHandler(Message);
}

// ---- Activation and focus ----------------------------------------------------------------------

void TCustomForm::Activate()
{
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate()
{
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::CMActivate(TMessage&)
{
    Activate();
}

void TCustomForm::CMDeactivate(TMessage&)
{
    Deactivate();
}

void TCustomForm::WMActivate(TMessage& Message)
{
    bool Active = LOWORD(Message.WParam) != WA_INACTIVE;
    if (FActive == Active) {
        if (!Active) DefaultHandler(Message);
        return;
    }
    FActive = Active;
    if (Active) {
        if (Screen) Screen->SetActiveForm(this);
        if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
        if (FActiveControl && FActiveControl->HandleAllocated()) {
            ::SetFocus(FActiveControl->GetHandle());
        } else if (FHandle && !(GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & WS_EX_NOACTIVATE)) {
            ::SetFocus(FHandle);
        }
        Activate();
    } else {
        if (FActiveControl && FActiveControl->HandleAllocated() && !FActiveControl->Focused()) {
            // keep the remembered control for the next activation
        }
        SendCancelMode(nullptr);
        Deactivate();
        DefaultHandler(Message);
    }
}

void TCustomForm::WMMouseActivate(TMessage& Message)
{
    if (FHandle && (GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & WS_EX_NOACTIVATE)) {
        Message.Result = MA_NOACTIVATE;
        return;
    }
    DefaultHandler(Message);
}

void TCustomForm::SetActiveControl(TWinControl* Control)
{
    if (FActiveControl == Control) return;
    if (Control && !(Control != this && GetParentForm(Control) == this && (IsLoading() || Control->CanFocus())))
        throw EInvalidOperation(Consts::SCannotFocus);
    FActiveControl = Control;
    if (IsLoading()) return;
    if (FActive && FHandle) {
        HWND Target = Control ? Control->GetHandle() : FHandle;
        ::SetFocus(Target);
        if (Control && GetFocus() == Target) Control->Perform(CM_UIACTIVATE);
    }
}

void TCustomForm::FocusControl(TWinControl* Control)
{
    bool WasActive = FActive;
    SetActiveControl(Control);
    if (!WasActive) SetFocus();
}

void TCustomForm::SetFocus()
{
    // A form that is not on the screen remembers its active control; it gets the focus when the
    // form is shown and activated.
    if (!FHandle || !FShowing || !IsWindowVisible(FHandle)) return;
    if (!GetEnabled()) throw EInvalidOperation(Consts::SCannotFocus);
    HWND Target = FActiveControl ? FActiveControl->GetHandle() : FHandle;
    ::SetFocus(Target);
    if (FActiveControl && GetFocus() == Target) FActiveControl->Perform(CM_UIACTIVATE);
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing)
{
    if (!Control) return;
    if (Removing && FFocusedControl && Control->ContainsControl(FFocusedControl))
        FFocusedControl = Control->GetParent();
    if (FActiveControl && Control->ContainsControl(FActiveControl)) {
        FActiveControl = nullptr;
        if (FActive && FHandle && !IsDestroying() && !Removing) ::SetFocus(FHandle);
    }
    if (FLastFocusedControl && Control->ContainsControl(FLastFocusedControl)) FLastFocusedControl = nullptr;
}

bool TCustomForm::SetFocusedControl(TWinControl* Control)
{
    if (IsDestroying()) return false;
    if (Control != this) FActiveControl = Control;
    if (Screen) {
        Screen->SetActiveForm(this);
        Screen->SetActiveControl(Control);
    }
    Perform(CM_FOCUSCHANGED, 0, LPARAM(Control));
    if (FFocusedControl == Control) return true;
    TWinControl* Old = FFocusedControl;
    FFocusedControl = Control;
    // Exit from the old control up to the first parent that also holds the new one...
    for (TWinControl* C = Old; C && !C->ContainsControl(Control); C = C->GetParent()) {
        C->Perform(CM_EXIT);
        if (FFocusedControl != Control) return false;   // an exit handler moved the focus
    }
    // ...then enter from below that parent down to the new control.
    std::vector<TWinControl*> Enter;
    for (TWinControl* C = Control; C && C != this && !(Old && C->ContainsControl(Old)); C = C->GetParent())
        Enter.push_back(C);
    for (auto It = Enter.rbegin(); It != Enter.rend(); ++It) {
        (*It)->Perform(CM_ENTER);
        if (FFocusedControl != Control) return false;
    }
    FLastFocusedControl = Control;
    return true;
}

void TCustomForm::SendCancelMode(TControl* Sender)
{
    if (FActive && FActiveControl) FActiveControl->Perform(CM_CANCELMODE, 0, LPARAM(Sender));
}

bool TCustomForm::IsShortCut(TMessage&)
{
    return false;
}

void TCustomForm::MouseWheelHandler(TMessage& Message)
{
    if (FFocusedControl && FFocusedControl != this)
        Message.Result = FFocusedControl->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
    else
        Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

// ---- Keys and dispatch -------------------------------------------------------------------------

void TCustomForm::CMDialogKeyForm(TMessage& Message)
{
    if (KeyIsUp(VK_MENU)) {
        switch (Message.WParam) {
        case VK_TAB:
            if (KeyIsUp(VK_CONTROL)) {
                SelectNext(FActiveControl, KeyIsUp(VK_SHIFT), true);
                Message.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (FActiveControl && FActiveControl->GetParent()) {
                FActiveControl->GetParent()->SelectNext(FActiveControl,
                                                        Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN, false);
                Message.Result = 1;
            }
            return;
        default: break;
        }
    }
    inherited::Dispatch(Message);
}

void TCustomForm::WMNextDlgCtl(TMessage& Message)
{
    Message.Result = 0;
    if (LOWORD(Message.LParam) != 0) {
        TWinControl* C = FindControl(reinterpret_cast<HWND>(Message.WParam));
        if (C && C != this && ContainsControl(C) && C->CanFocus()) C->SetFocus();
        return;
    }
    SelectNext(FActiveControl, Message.WParam == 0, true);
}

void TCustomForm::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CLOSE: WMClose(Message); break;
    case WM_ACTIVATE: WMActivate(Message); break;
    case WM_MOUSEACTIVATE: WMMouseActivate(Message); break;
    case WM_SYSCOMMAND: WMSysCommand(Message); break;
    case WM_QUERYENDSESSION: WMQueryEndSession(Message); break;
    case CM_SHOWINGCHANGED: CMShowingChangedForm(Message); break;
    case CM_DIALOGKEY: CMDialogKeyForm(Message); break;
    case WM_NEXTDLGCTL: WMNextDlgCtl(Message); break;
    case CM_RELEASE: CMRelease(Message); break;
    case CM_ACTIVATE: CMActivate(Message); break;
    case CM_DEACTIVATE: CMDeactivate(Message); break;
    default: inherited::Dispatch(Message);
    }
}
