// TWinControl: the window's life (class registration, creation, re-creation, destruction), the
// window procedure, children and alignment, painting, and TCustomControl.
#include "Controls.h"
#include "Forms.h"

#include <algorithm>

namespace {

const wchar_t* const ControlProp = L"FwControl";
// The control whose window is being created on this thread: its first messages bind it.
thread_local TWinControl* GCreationControl = nullptr;

HINSTANCE ModuleInstance()
{
    return GetModuleHandleW(nullptr);
}

// The graphic child of Window that holds the mouse capture through Window's window, if any.
TControl* CapturedChild(TWinControl* Window)
{
    TControl* C = CaptureControl();
    if (!C || C == Window || dynamic_cast<TWinControl*>(C) || !Window->HandleAllocated()) return nullptr;
    for (TWinControl* P = C->GetParent(); P; P = P->GetParent())
        if (P == Window) return GetCapture() == Window->GetHandle() ? C : nullptr;
    return nullptr;
}

}  // namespace

TWinControl* FindControl(HWND Handle)
{
    if (!Handle) return nullptr;
    // Another program's window may carry the same property, holding an address of that program.
    DWORD Process = 0;
    GetWindowThreadProcessId(Handle, &Process);
    if (Process != GetCurrentProcessId()) return nullptr;
    return static_cast<TWinControl*>(GetPropW(Handle, ControlProp));
}

// ---- Construction ------------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner)
{
    FBrush = std::make_unique<TBrush>();
    FBrush->SetColor(FColor);
}

TWinControl::~TWinControl()
{
    // The derived parts are gone: the window's last messages take the plain path.
    SetWindowProc(nullptr);
    if (FParent) {
        RemoveFocus(true);
        TWinControl* P = FParent;
        P->RemoveControl(this);
    }
    if (FHandle) DestroyWnd();
    // Children go with their parent, whoever owns them.
    while (!FControls.empty()) {
        TControl* C = FControls.back();
        RemoveControl(C);
        C->Free();
    }
}

TWinControl* TWinControl::CreateParented(HWND ParentWindow)
{
    auto* C = Create<TWinControl>(nullptr);
    C->SetParentWindow(ParentWindow);
    return C;
}

// ---- Window lifecycle --------------------------------------------------------------------------

void TWinControl::CreateParams(TCreateParams& Params)
{
    Params = TCreateParams{};
    Params.Caption = FText;
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (FControlStyle.Contains(csAcceptsControls)) Params.Style |= WS_CLIPCHILDREN;
    if (!FEnabled) Params.Style |= WS_DISABLED;
    if (FTabStop) Params.Style |= WS_TABSTOP;
    Params.X = FLeft;
    Params.Y = FTop;
    Params.Width = FWidth;
    Params.Height = FHeight;
    if (FParent) Params.WndParent = FParent->GetHandle();
    else Params.WndParent = FParentWindow;
    Params.WindowClass.cbSize = sizeof(WNDCLASSEXW);
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    Params.WindowClass.lpfnWndProc = DefWindowProcW;
    Params.WindowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    Params.WindowClass.hbrBackground = nullptr;
    Params.WindowClass.hInstance = ModuleInstance();
    Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const String& ControlClassName)
{
    WNDCLASSEXW Info{};
    Info.cbSize = sizeof(Info);
    if (!GetClassInfoExW(nullptr, ControlClassName.c_str(), &Info) &&
        !GetClassInfoExW(ModuleInstance(), ControlClassName.c_str(), &Info))
        throw EOSError(L"Window class '" + ControlClassName + L"' does not exist");
    Params.SysClassName = ControlClassName;
    Params.WindowClass = Info;
    Params.WindowClass.cbSize = sizeof(WNDCLASSEXW);
    Params.WindowClass.hInstance = ModuleInstance();
    // The own class drops the system class's global-class flag, and keeps double clicks.
    Params.WindowClass.style &= ~UINT(CS_GLOBALCLASS);
}

void TWinControl::CreateWnd()
{
    TCreateParams P;
    CreateParams(P);
    if ((P.Style & WS_CHILD) && !P.WndParent) {
        // A child window needs a parent window: a control without one stays windowless.
        throw EInvalidOperation(Consts::SParentRequired, {GetName()});
    }
    FDefWndProc = P.WindowClass.lpfnWndProc ? P.WindowClass.lpfnWndProc : DefWindowProcW;
    WNDCLASSEXW Existing{};
    Existing.cbSize = sizeof(Existing);
    bool Registered = GetClassInfoExW(ModuleInstance(), P.WinClassName.c_str(), &Existing) != 0;
    if (Registered && Existing.lpfnWndProc != StdWndProc) {
        UnregisterClassW(P.WinClassName.c_str(), ModuleInstance());
        Registered = false;
    }
    if (!Registered) {
        WNDCLASSEXW WC = P.WindowClass;
        WC.lpfnWndProc = StdWndProc;
        WC.lpszClassName = P.WinClassName.c_str();
        WC.lpszMenuName = nullptr;
        if (!RegisterClassExW(&WC)) throw EOutOfResources(L"Cannot register window class " + P.WinClassName);
    }
    CreateWindowHandle(P);
    if (!FHandle) throw EOutOfResources(L"Error creating window for " + ClassName());
    if (FParent && FParent->HandleAllocated()) {
        // Keep the windows' z-order with the children list.
        HWND After = HWND_TOP;
        for (TControl* C : FParent->FControls) {
            if (C == this) break;
            if (auto* W = dynamic_cast<TWinControl*>(C); W && W->FHandle) After = W->FHandle;
        }
        SetWindowPos(FHandle, After == HWND_TOP ? HWND_BOTTOM : After, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (FFont) SendMessageW(FHandle, WM_SETFONT, WPARAM(FFont->GetHandle()), 0);
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params)
{
    TWinControl* Saved = GCreationControl;
    GCreationControl = this;
    HWND W = CreateWindowExW(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style,
                             Params.X, Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr,
                             ModuleInstance(), Params.Param);
    GCreationControl = Saved;
    if (W && !FHandle) AttachWindow(W);
}

void TWinControl::AttachWindow(HWND Wnd)
{
    FHandle = Wnd;
    SetPropW(Wnd, ControlProp, this);
}

void TWinControl::CreateHandle()
{
    if (FHandle) return;
    CreateWnd();
    // Children that show get their windows with the parent.
    for (TWinControl* W : FTabList)
        if (W->FVisible && !W->FHandle) W->CreateHandle();
    for (TWinControl* W : FTabList)
        if (W->FHandle) W->UpdateShowing();
    // The window may have a client size other than asked (frame, menu): align to what it has.
    Realign();
}

void TWinControl::HandleNeeded()
{
    if (FHandle) return;
    if (FParent) FParent->HandleNeeded();
    CreateHandle();
}

HWND TWinControl::GetHandle()
{
    HandleNeeded();
    return FHandle;
}

void TWinControl::DestroyWnd()
{
    if (!FHandle) return;
    FText = GetTextValue();
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle()
{
    FControlState << TControlStateFlag::csDestroyingHandle;
    HWND W = FHandle;
    // Children's windows go with this one: let them keep their properties first.
    for (TWinControl* C : FTabList)
        if (C->FHandle) C->DestroyWnd();
    if (W) DestroyWindow(W);
    if (FHandle == W && W) {
        RemovePropW(W, ControlProp);
        FHandle = nullptr;
    }
    FShowing = false;
    FControlState >> TControlStateFlag::csDestroyingHandle;
}

void TWinControl::DestroyHandle()
{
    if (FHandle) DestroyWnd();
}

void TWinControl::RecreateWnd()
{
    if (!FHandle) return;
    bool WasFocused = Focused();
    FControlState << TControlStateFlag::csRecreating;
    DestroyHandle();
    FControlState >> TControlStateFlag::csRecreating;
    UpdateControlState();
    if (WasFocused && FHandle && CanFocus()) ::SetFocus(FHandle);
}

void TWinControl::SetParentWindow(HWND Value)
{
    if (FParent || FParentWindow == Value) return;
    if (FHandle && Value) {
        ::SetParent(FHandle, Value);
    } else {
        DestroyHandle();
    }
    FParentWindow = Value;
    UpdateControlState();
}

void TWinControl::SetParent(TWinControl* AParent)
{
    if (FParent == AParent) return;
    if (AParent && FParentWindow) FParentWindow = nullptr;
    inherited::SetParent(AParent);
}

LRESULT CALLBACK TWinControl::StdWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TWinControl* C = FindControl(Wnd);
    if (!C) {
        C = GCreationControl;
        if (!C) return DefWindowProcW(Wnd, Msg, WParam, LParam);
        GCreationControl = nullptr;
        C->AttachWindow(Wnd);
    }
    TMessage M{Msg, WParam, LParam, 0};
    try {
        C->FWindowProc(M);
    } catch (...) {
        // Nothing unwinds through the platform: the application shows the error.
        if (Application) Application->HandleException(C);
        M.Result = 0;
    }
    return M.Result;
}

void TWinControl::DefaultHandler(TMessage& Message)
{
    if (!FHandle) {
        inherited::DefaultHandler(Message);
        return;
    }
    switch (Message.Msg) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        if (TWinControl* Child = FindControl(reinterpret_cast<HWND>(Message.LParam))) {
            Message.Result = Child->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
            return;
        }
        break;
    default: break;
    }
    if (Message.Msg >= CN_BASE && Message.Msg < CN_BASE + 0x400) {
        // A reflected message nobody handled: the window's own procedure answers the original.
        if (Message.Msg >= CN_CTLCOLORMSGBOX && Message.Msg <= CN_CTLCOLORSTATIC) {
            SetTextColor(reinterpret_cast<HDC>(Message.WParam), ColorToRGB(FFont->GetColor()));
            SetBkColor(reinterpret_cast<HDC>(Message.WParam), ColorToRGB(FBrush->GetColor()));
            Message.Result = LRESULT(FBrush->GetHandle());
            return;
        }
        if (FDefWndProc != DefWindowProcW)
            Message.Result = CallWindowProcW(FDefWndProc, FHandle, Message.Msg - CN_BASE, Message.WParam, Message.LParam);
        return;
    }
    if (Message.Msg >= CM_BASE && Message.Msg < CN_BASE) return;   // the library's own: no default
    Message.Result = CallWindowProcW(FDefWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

// ---- Window procedure and dispatch -------------------------------------------------------------

void TWinControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
        if (FHandle && !FTrackingMouse) {
            TRACKMOUSEEVENT T{sizeof(T), TME_LEAVE, FHandle, 0};
            if (TrackMouseEvent(&T)) FTrackingMouse = true;
        }
        [[fallthrough]];
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: {
        // Mouse messages over a graphic child (or captured by one) go to that child.
        TWMMouse M(Message);
        TControl* Target = CapturedChild(this);
        if (!Target) Target = ControlAtPos(M.Pos(), false);
        if (Message.Msg == WM_MOUSEMOVE && Application) Application->SetMouseControl(Target ? Target : this);
        if (Target && !dynamic_cast<TWinControl*>(Target)) {
            TPoint P = Target->ParentToClient(M.Pos(), this);
            Message.Result = Target->Perform(Message.Msg, Message.WParam, PointToLParam(P));
            return;
        }
        break;
    }
    default: break;
    }
    inherited::WndProc(Message);
}


void TWinControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
    case WM_PRINTCLIENT: WMPrintClient(Message); break;
    case WM_COMMAND: WMCommand(Message); break;
    case WM_NOTIFY: WMNotify(Message); break;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: WMCtlColor(Message); break;
    case WM_SETFOCUS: WMSetFocus(Message); break;
    case WM_KILLFOCUS: WMKillFocus(Message); break;
    case WM_KEYDOWN: WMKeyDown(Message); break;
    case WM_KEYUP: WMKeyUp(Message); break;
    case WM_CHAR: WMChar(Message); break;
    case WM_SYSKEYDOWN: WMSysKeyDown(Message); break;
    case WM_SYSKEYUP: WMSysKeyUp(Message); break;
    case WM_SYSCHAR: WMSysChar(Message); break;
    case WM_SIZE: WMSize(Message); break;
    case WM_MOVE: WMMove(Message); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); break;
    case WM_SETCURSOR: WMSetCursor(Message); break;
    case WM_MOUSELEAVE: WMMouseLeave(Message); break;
    case WM_DESTROY: WMDestroy(Message); break;
    case WM_NCDESTROY: WMNCDestroy(Message); break;
    case CN_KEYDOWN: CNKeyDown(Message); break;
    case CN_KEYUP: CNKeyUp(Message); break;
    case CN_CHAR: CNChar(Message); break;
    case CN_SYSKEYDOWN: CNSysKeyDown(Message); break;
    case CN_SYSCHAR: CNSysChar(Message); break;
    case CM_DIALOGKEY: CMDialogKey(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    case CM_ENTER: CMEnter(Message); break;
    case CM_EXIT: CMExit(Message); break;
    case CM_FOCUSCHANGED: CMFocusChanged(Message); break;
    case CM_SHOWINGCHANGED: CMShowingChanged(Message); break;
    case CM_VISIBLECHANGED: CMVisibleChangedWin(Message); break;
    case CM_ENABLEDCHANGED: CMEnabledChangedWin(Message); break;
    case CM_FONTCHANGED: CMFontChangedWin(Message); break;
    case CM_COLORCHANGED: CMColorChangedWin(Message); break;
    case CM_CTL3DCHANGED: CMCtl3DChanged(Message); break;
    case CM_SHOWHINTCHANGED: CMShowHintChanged(Message); break;
    case CM_CURSORCHANGED: CMCursorChanged(Message); break;
    case CM_RECREATEWND: CMRecreateWnd(Message); break;
    case WM_NCCALCSIZE: WMNCCalcSize(Message); break;
    case WM_NCPAINT: WMNCPaint(Message); break;
    default: inherited::Dispatch(Message);
    }
}

// ---- Children ----------------------------------------------------------------------------------

TControl* TWinControl::Controls(int Index) const
{
    if (Index < 0 || Index >= int(FControls.size()))
        throw EListError(Consts::SListIndexError, {Index});
    return FControls[size_t(Index)];
}

void TWinControl::InsertControl(TControl* AControl)
{
    if (!AControl || AControl->FParent == this) return;
    for (TWinControl* P = this; P; P = P->FParent)
        if (P == AControl) throw EInvalidOperation(Consts::SControlParentOfParent);
    AControl->FParent = this;
    FControls.push_back(AControl);
    auto* W = dynamic_cast<TWinControl*>(AControl);
    if (W) FTabList.push_back(W);
    AControl->Perform(CM_PARENTCOLORCHANGED);
    AControl->Perform(CM_PARENTFONTCHANGED);
    AControl->Perform(CM_PARENTSHOWHINTCHANGED);
    AControl->Perform(CM_PARENTCTL3DCHANGED);
    AControl->Perform(CM_PARENTBIDIMODECHANGED);
    AControl->UpdateAnchorRules();
    if (W) {
        if (FHandle) W->UpdateControlState();
    } else {
        AControl->Invalidate();
    }
    AlignControl(AControl);
    Perform(CM_CONTROLLISTCHANGE, WPARAM(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl)
{
    if (!AControl || AControl->FParent != this) return;
    Perform(CM_CONTROLLISTCHANGE, WPARAM(AControl), 0);
    if (auto* W = dynamic_cast<TWinControl*>(AControl)) {
        W->RemoveFocus(true);
        W->DestroyHandle();
        FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), W), FTabList.end());
    } else {
        AControl->InvalidateControl(AControl->FVisible, false);
    }
    FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
    AControl->FParent = nullptr;
    if (!IsDestroying()) Realign();
}

bool TWinControl::ContainsControl(TControl* Control) const
{
    for (TControl* C = Control; C; C = C->FParent)
        if (C == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls, bool AllLevels)
{
    for (auto It = FControls.rbegin(); It != FControls.rend(); ++It) {
        TControl* C = *It;
        bool IsWin = dynamic_cast<TWinControl*>(C) != nullptr;
        if (IsWin && !AllowWinControls) continue;
        if (!C->FVisible || (!C->GetEnabled() && !AllowDisabled)) continue;
        if (!C->GetBoundsRect().Contains(Pos)) continue;
        TPoint P{Pos.X - C->FLeft, Pos.Y - C->FTop};
        if (C->Perform(CM_HITTEST, 0, PointToLParam(P)) == 0) continue;
        if (AllLevels && IsWin) {
            if (TControl* Inner = static_cast<TWinControl*>(C)->ControlAtPos(P, AllowDisabled, true, true))
                return Inner;
        }
        return C;
    }
    return nullptr;
}

TControl* TWinControl::FindChildControl(const String& ControlName) const
{
    for (TControl* C : FControls)
        if (SameText(C->GetName(), ControlName)) return C;
    return nullptr;
}

void TWinControl::Broadcast(TMessage& Message)
{
    // A copy: a handler may change the list.
    std::vector<TControl*> List = FControls;
    for (TControl* C : List) {
        C->FWindowProc(Message);
        if (Message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(UINT Msg)
{
    TMessage M{Msg, 0, 0, 0};
    Broadcast(M);
}

// ---- Alignment ---------------------------------------------------------------------------------

void TWinControl::DisableAlign()
{
    ++FAlignLevel;
}

void TWinControl::EnableAlign()
{
    if (FAlignLevel > 0 && --FAlignLevel == 0) {
        if (FControlState.Contains(TControlStateFlag::csAlignmentNeeded)) Realign();
    }
}

void TWinControl::Realign()
{
    AlignControl(nullptr);
}

void TWinControl::AlignControl(TControl* AControl)
{
    if (FAlignLevel > 0 || IsLoading()) {
        FControlState << TControlStateFlag::csAlignmentNeeded;
        return;
    }
    DisableAlign();
    auto Done = ScopeExit([this] {
        FControlState >> TControlStateFlag::csAlignmentNeeded;
        --FAlignLevel;
    });
    TRect R = GetClientRect();
    AdjustClientRect(R);
    AlignControls(AControl, R);
}

void TWinControl::AdjustClientRect(TRect& Rect)
{
    Rect.Left += FBorderWidth;
    Rect.Top += FBorderWidth;
    Rect.Right -= FBorderWidth;
    Rect.Bottom -= FBorderWidth;
}

void TWinControl::DoAlign(TAlign AAlign, TControl* AControl, TRect& R)
{
    std::vector<TControl*> List;
    for (TControl* C : FControls)
        if (C->FAlign == AAlign && C->FVisible) List.push_back(C);
    auto Key = [AAlign](TControl* C) {
        switch (AAlign) {
        case alTop: return C->FTop;
        case alBottom: return -(C->FTop + C->FHeight);
        case alLeft: return C->FLeft;
        case alRight: return -(C->FLeft + C->FWidth);
        default: return 0;
        }
    };
    // The control being placed keeps its place among its peers; the others keep their order.
    std::stable_sort(List.begin(), List.end(), [&](TControl* A, TControl* B) { return Key(A) < Key(B); });
    for (TControl* C : List) {
        int W = C->FWidth, H = C->FHeight;
        switch (AAlign) {
        case alTop:
            C->SetBounds(R.Left, R.Top, R.Width(), H);
            R.Top += C->FHeight;
            break;
        case alBottom:
            C->SetBounds(R.Left, R.Bottom - H, R.Width(), H);
            R.Bottom -= C->FHeight;
            break;
        case alLeft:
            C->SetBounds(R.Left, R.Top, W, R.Height());
            R.Left += C->FWidth;
            break;
        case alRight:
            C->SetBounds(R.Right - W, R.Top, W, R.Height());
            R.Right -= C->FWidth;
            break;
        case alClient:
            C->SetBounds(R.Left, R.Top, R.Width(), R.Height());
            break;
        default: break;
        }
    }
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
    // Anchored controls follow the parent's right and bottom edges.
    TRect Client = GetClientRect();
    for (TControl* C : FControls) {
        if (C->FAlign != alNone || !C->FAnchorsValid || C == AControl) continue;
        int L = C->FLeft, T = C->FTop, W = C->FWidth, H = C->FHeight;
        if (C->FAnchors.Contains(akRight)) {
            if (C->FAnchors.Contains(akLeft)) W = Client.Width() - C->FAnchorRight - L;
            else L = Client.Width() - C->FAnchorRight - W;
        }
        if (C->FAnchors.Contains(akBottom)) {
            if (C->FAnchors.Contains(akTop)) H = Client.Height() - C->FAnchorBottom - T;
            else T = Client.Height() - C->FAnchorBottom - H;
        }
        if (L != C->FLeft || T != C->FTop || W != C->FWidth || H != C->FHeight) {
            int KeepR = C->FAnchorRight, KeepB = C->FAnchorBottom;
            C->SetBounds(L, T, std::max(0, W), std::max(0, H));
            C->FAnchorRight = KeepR;
            C->FAnchorBottom = KeepB;
        }
    }
    DoAlign(alTop, AControl, Rect);
    DoAlign(alBottom, AControl, Rect);
    DoAlign(alLeft, AControl, Rect);
    DoAlign(alRight, AControl, Rect);
    DoAlign(alClient, AControl, Rect);
}

// ---- Geometry ----------------------------------------------------------------------------------

TRect TWinControl::GetClientRect()
{
    if (FHandle) {
        RECT R;
        ::GetClientRect(FHandle, &R);
        return Rect(R.left, R.top, R.right, R.bottom);
    }
    // No window yet: the frame the window will have, from its styles.
    TCreateParams P;
    try {
        CreateParamsForFrame(P);
    } catch (...) {
        return Rect(0, 0, FWidth, FHeight);
    }
    RECT Frame{0, 0, 0, 0};
    AdjustWindowRectEx(&Frame, P.Style, FALSE, P.ExStyle);
    int W = FWidth - (Frame.right - Frame.left), H = FHeight - (Frame.bottom - Frame.top);
    return Rect(0, 0, std::max(0, W), std::max(0, H));
}

void TWinControl::CreateParamsForFrame(TCreateParams& P)
{
    // The styles only; without asking a parent for its window.
    TValueScope<TWinControl*> NoParent(FParent, nullptr);
    TValueScope<HWND> NoParentWindow(FParentWindow, nullptr);
    CreateParams(P);
}

TPoint TWinControl::GetClientOrigin()
{
    if (FHandle) {
        POINT P{0, 0};
        ::ClientToScreen(FHandle, &P);
        return {P.x, P.y};
    }
    return inherited::GetClientOrigin();
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    FConstraints->Apply(AWidth, AHeight);
    if (AWidth < 0) AWidth = 0;
    if (AHeight < 0) AHeight = 0;
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    if (!CanResize(AWidth, AHeight)) return;
    bool SizeChanged = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    if (FHandle && !IsIconic(FHandle)) {
        SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        // WM_SIZE realigns and resizes; nothing more here.
        if (FParent && FAlign == alNone) UpdateAnchorRules();
        if (FParent) FParent->AlignControl(this);
        return;
    }
    UpdateAnchorRules();
    RequestAlign();
    if (SizeChanged) {
        Realign();
        Resize();
    }
}

void TWinControl::UpdateBoundsRect(const TRect& R)
{
    inherited::UpdateBoundsRect(R);
}

void TWinControl::SetBorderWidth(int Value)
{
    if (FBorderWidth == Value) return;
    FBorderWidth = std::max(0, Value);
    Realign();
    Invalidate();
}

void TWinControl::WMSize(TMessage& Message)
{
    DefaultHandler(Message);
    if (!FHandle) return;
    RECT WR;
    GetWindowRect(FHandle, &WR);
    int W = WR.right - WR.left, H = WR.bottom - WR.top;
    if (Message.WParam == SIZE_MINIMIZED) return;
    FWidth = W;
    FHeight = H;
    Realign();
    Resize();
}

void TWinControl::WMMove(TMessage& Message)
{
    DefaultHandler(Message);
}

void TWinControl::WMWindowPosChanged(TMessage& Message)
{
    auto* WP = reinterpret_cast<WINDOWPOS*>(Message.LParam);
    if (WP && !(WP->flags & SWP_NOMOVE) && FHandle && !IsIconic(FHandle)) {
        RECT WR;
        GetWindowRect(FHandle, &WR);
        POINT P{WR.left, WR.top};
        if (HWND PW = ::GetParent(FHandle); PW && (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_CHILD))
            ::ScreenToClient(PW, &P);
        FLeft = P.x;
        FTop = P.y;
    }
    DefaultHandler(Message);
}

// ---- Painting ----------------------------------------------------------------------------------

void TWinControl::Invalidate()
{
    if (FHandle) InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Repaint()
{
    Invalidate();
    Update();
}

void TWinControl::Update()
{
    if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::InvalidateChildren()
{
    Invalidate();
    for (TWinControl* W : FTabList) W->InvalidateChildren();
}

void TWinControl::SetDoubleBuffered(bool Value)
{
    if (FDoubleBuffered == Value) return;
    FDoubleBuffered = Value;
    Invalidate();
}

void TWinControl::PaintWindow(HDC DC)
{
    TMessage M{WM_PAINT, WPARAM(DC), 0, 0};
    DefaultHandler(M);
}

void TWinControl::PaintControls(HDC DC, TControl* First)
{
    size_t I = 0;
    if (First) {
        auto It = std::find(FControls.begin(), FControls.end(), First);
        if (It != FControls.end()) I = size_t(It - FControls.begin());
    }
    for (; I < FControls.size(); ++I) {
        TControl* C = FControls[I];
        if (dynamic_cast<TWinControl*>(C) || !C->FVisible) continue;
        TRect B = C->GetBoundsRect();
        if (B.IsEmpty()) continue;
        RECT Clip;
        if (GetClipBox(DC, &Clip) != NULLREGION && RectVisible(DC, reinterpret_cast<const RECT*>(&B)) == FALSE)
            continue;
        TSavedDC Saved(DC);
        POINT Org;
        GetViewportOrgEx(DC, &Org);
        SetViewportOrgEx(DC, Org.x + C->FLeft, Org.y + C->FTop, nullptr);
        IntersectClipRect(DC, 0, 0, C->FWidth, C->FHeight);
        C->Perform(WM_PAINT, WPARAM(DC), 0);
    }
}

void TWinControl::PaintHandler(HDC DC)
{
    // Windowed children are painted by their own windows: leave their areas alone.
    TSavedDC Saved(DC);
    for (TWinControl* W : FTabList) {
        if (W->FHandle && W->FVisible && IsWindowVisible(W->FHandle) && !W->FControlState.Contains(TControlStateFlag::csPaintCopy))
            ExcludeClipRect(DC, W->FLeft, W->FTop, W->FLeft + W->FWidth, W->FTop + W->FHeight);
    }
    PaintWindow(DC);
    PaintControls(DC, nullptr);
}

void TWinControl::WMPaint(TMessage& Message)
{
    HDC Given = reinterpret_cast<HDC>(Message.WParam);
    if (Given) {
        // Painting into a device context that the caller supplies (a parent's image, a snapshot).
        PaintHandler(Given);
        Message.Result = 0;
        return;
    }
    if (!FHandle) return;
    TPaintDC DC(FHandle);
    const RECT& Dirty = DC.PaintRect();
    if (FDoubleBuffered && Dirty.right > Dirty.left) {
        // Erase and paint into a bitmap of the client area, then copy the dirty part. The buffer
        // goes (unseen) when either step raises, before the paint ends.
        RECT CR;
        ::GetClientRect(FHandle, &CR);
        TMemoryDC Buffer(DC, CR.right, CR.bottom);
        Buffer.SetBlit(Dirty);
        Perform(WM_ERASEBKGND, WPARAM(Buffer.Handle()), 0);
        PaintHandler(Buffer);
    } else {
        PaintHandler(DC);
    }
}

void TWinControl::WMEraseBkgnd(TMessage& Message)
{
    HDC DC = reinterpret_cast<HDC>(Message.WParam);
    if (FDoubleBuffered && Message.LParam != LPARAM(Message.WParam) && FHandle && DC && WindowFromDC(DC) == FHandle) {
        // The buffered paint erases into its own bitmap.
        Message.Result = 1;
        return;
    }
    RECT R;
    if (FHandle) ::GetClientRect(FHandle, &R);
    else R = RECT{0, 0, FWidth, FHeight};
    FBrush->SetColor(FColor);
    FillRect(DC, &R, FBrush->GetHandle());
    Message.Result = 1;
}

void TWinControl::WMPrintClient(TMessage& Message)
{
    HDC DC = reinterpret_cast<HDC>(Message.WParam);
    if (!DC) return;
    if (Message.LParam & PRF_ERASEBKGND) Perform(WM_ERASEBKGND, WPARAM(DC), LPARAM(DC));
    PaintHandler(DC);
}

void TWinControl::PaintTo(HDC DC, int X, int Y)
{
    TSavedDC Saved(DC);
    POINT Org;
    GetViewportOrgEx(DC, &Org);
    SetViewportOrgEx(DC, Org.x + X, Org.y + Y, nullptr);
    IntersectClipRect(DC, 0, 0, FWidth, FHeight);
    {
        TFlagScope Copying(FControlState, TControlStateFlag::csPaintCopy);
        // The client area sits inside the frame (if any) of the window.
        int CX = 0, CY = 0;
        if (FHandle) {
            RECT WR;
            GetWindowRect(FHandle, &WR);
            POINT P{0, 0};
            ::ClientToScreen(FHandle, &P);
            CX = P.x - WR.left;
            CY = P.y - WR.top;
            SendMessageW(FHandle, WM_PRINT, WPARAM(DC), PRF_NONCLIENT);
        }
        SetViewportOrgEx(DC, Org.x + X + CX, Org.y + Y + CY, nullptr);
        TRect CRect = GetClientRect();
        IntersectClipRect(DC, 0, 0, CRect.Width(), CRect.Height());
        Perform(WM_ERASEBKGND, WPARAM(DC), LPARAM(DC));
        // Our own controls paint through PaintHandler; system controls through WM_PRINTCLIENT.
        if (FDefWndProc == DefWindowProcW || !FHandle) PaintHandler(DC);
        else SendMessageW(FHandle, WM_PRINTCLIENT, WPARAM(DC), PRF_CLIENT);
        for (TWinControl* W : FTabList)
            if (W->FVisible) W->PaintTo(DC, W->FLeft, W->FTop);
    }
}

void TWinControl::PaintTo(TCanvas* Canvas, int X, int Y)
{
    HDC DC = Canvas->GetHandle();
    PaintTo(DC, X, Y);
    Canvas->Refresh();
}

// ---- Reflection --------------------------------------------------------------------------------

void TWinControl::WMCommand(TMessage& Message)
{
    // Notifications from a child window go back to the control that sent them.
    HWND From = reinterpret_cast<HWND>(Message.LParam);
    if (From && From != FHandle) {
        if (TWinControl* C = FindControl(From)) {
            Message.Result = C->Perform(CN_COMMAND, Message.WParam, Message.LParam);
            return;
        }
    }
    DefaultHandler(Message);
}

void TWinControl::WMNotify(TMessage& Message)
{
    auto* Hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    if (Hdr && Hdr->hwndFrom && Hdr->hwndFrom != FHandle) {
        if (TWinControl* C = FindControl(Hdr->hwndFrom)) {
            Message.Result = C->Perform(CN_NOTIFY, Message.WParam, Message.LParam);
            return;
        }
    }
    DefaultHandler(Message);
}

void TWinControl::WMCtlColor(TMessage& Message)
{
    HWND From = nullptr;
    switch (Message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL: From = reinterpret_cast<HWND>(Message.LParam); break;
    case WM_DRAWITEM: From = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam)->hwndItem; break;
    case WM_DELETEITEM: From = reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam)->hwndItem; break;
    case WM_COMPAREITEM: From = reinterpret_cast<COMPAREITEMSTRUCT*>(Message.LParam)->hwndItem; break;
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: From = reinterpret_cast<HWND>(Message.LParam); break;
    case WM_MEASUREITEM: {
        auto* MI = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
        From = FHandle ? GetDlgItem(FHandle, int(MI->CtlID)) : nullptr;
        break;
    }
    default: break;
    }
    if (From && From != FHandle) {
        if (TWinControl* C = FindControl(From)) {
            Message.Result = C->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
            return;
        }
    }
    DefaultHandler(Message);
}

// ---- Notifications -----------------------------------------------------------------------------

void TWinControl::UpdateShowing()
{
    bool ShowControl = FVisible && (FParent || FParentWindow || dynamic_cast<TCustomForm*>(this));
    if (ShowControl) {
        if (!FHandle) CreateHandle();
        for (TWinControl* W : std::vector<TWinControl*>(FTabList)) W->UpdateShowing();
    }
    if (FHandle && FShowing != ShowControl) {
        FShowing = ShowControl;
        auto Undo = ScopeFail([this, ShowControl] { FShowing = !ShowControl; });
        Perform(CM_SHOWINGCHANGED);
    }
}

void TWinControl::UpdateControlState()
{
    TWinControl* C = this;
    while (C->FParent) {
        C = C->FParent;
        if (!C->Showing() && !C->FHandle) return;
        if (!C->FHandle) return;
    }
    if (dynamic_cast<TCustomForm*>(C) || C->FParentWindow || C == this) UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&)
{
    if (!FHandle) return;
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMVisibleChangedWin(TMessage& Message)
{
    if (!FVisible && FParent) RemoveFocus(false);
    UpdateControlState();
    inherited::Dispatch(Message);
}

void TWinControl::CMEnabledChangedWin(TMessage& Message)
{
    if (!GetEnabled() && FParent) RemoveFocus(false);
    if (FHandle) EnableWindow(FHandle, GetEnabled());
    inherited::Dispatch(Message);
}

void TWinControl::CMFontChangedWin(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (FHandle) SendMessageW(FHandle, WM_SETFONT, WPARAM(FFont->GetHandle()), TRUE);
    NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChangedWin(TMessage& Message)
{
    FBrush->SetColor(FColor);
    NotifyControls(CM_PARENTCOLORCHANGED);
    inherited::Dispatch(Message);
}

void TWinControl::CMCtl3DChanged(TMessage&)
{
    NotifyControls(CM_PARENTCTL3DCHANGED);
}

void TWinControl::CMShowHintChanged(TMessage&)
{
    NotifyControls(CM_PARENTSHOWHINTCHANGED);
}

void TWinControl::CMCursorChanged(TMessage&)
{
    if (!FHandle) return;
    POINT P;
    if (GetCursorPos(&P) && WindowFromPoint(P) == FHandle)
        Perform(WM_SETCURSOR, WPARAM(FHandle), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void TWinControl::CMRecreateWnd(TMessage&)
{
    RecreateWnd();
}

void TWinControl::WMSetCursor(TMessage& Message)
{
    if (LOWORD(Message.LParam) == HTCLIENT && reinterpret_cast<HWND>(Message.WParam) == FHandle) {
        TCursor Cur = Screen ? Screen->GetCursor() : crDefault;
        if (Cur == crDefault) {
            POINT P;
            GetCursorPos(&P);
            TControl* C = ControlAtPos(ScreenToClient({P.x, P.y}), false);
            Cur = C ? C->GetCursor() : FCursor;
        }
        if (Cur != crDefault) {
            ::SetCursor(CursorHandle(Cur));
            Message.Result = 1;
            return;
        }
    }
    DefaultHandler(Message);
}

void TWinControl::WMMouseLeave(TMessage& Message)
{
    FTrackingMouse = false;
    if (Application) {
        TControl* M = Application->GetMouseControl();
        if (M && ContainsControl(M)) {
            // Leaving for a child window keeps the mouse inside this control.
            POINT P;
            GetCursorPos(&P);
            HWND Under = WindowFromPoint(P);
            if (!(Under && Under != FHandle && IsChild(FHandle, Under))) Application->SetMouseControl(nullptr);
        }
    }
    DefaultHandler(Message);
}

void TWinControl::WMDestroy(TMessage& Message)
{
    DefaultHandler(Message);
}

void TWinControl::WMNCDestroy(TMessage& Message)
{
    DefaultHandler(Message);
    if (FHandle) {
        RemovePropW(FHandle, ControlProp);
        FHandle = nullptr;
        FShowing = false;
    }
}

String TWinControl::GetTextValue()
{
    if (!FHandle) return FText;
    int Len = int(Perform(WM_GETTEXTLENGTH));
    String S(size_t(std::max(0, Len)) + 1, L'\0');
    int Got = int(Perform(WM_GETTEXT, WPARAM(S.size()), LPARAM(S.data())));
    S.resize(size_t(std::clamp(Got, 0, Len)));
    return S;
}

void TWinControl::SetTextValue(const String& Value)
{
    FText = Value;
    if (FHandle) Perform(WM_SETTEXT, 0, LPARAM(Value.c_str()));
}

void TWinControl::WMSetText(TMessage& Message)
{
    DefaultHandler(Message);
}

void TWinControl::ChangeScale(int M, int D)
{
    if (M == D || D == 0) return;
    DisableAlign();
    auto Enable = ScopeExit([this] { EnableAlign(); });
    for (TControl* C : std::vector<TControl*>(FControls)) C->ChangeScale(M, D);
    inherited::ChangeScale(M, D);
}

// ---- TCustomControl ----------------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner)
{
    auto C = std::make_unique<TControlCanvas>();
    C->SetControl(this);
    FCanvas = std::move(C);
}

TCustomControl::~TCustomControl()
{
    // The window goes before the canvas that may hold its device context.
    if (auto* CC = dynamic_cast<TControlCanvas*>(FCanvas.get())) CC->FreeHandle();
    if (FHandle) DestroyWnd();
}

void TCustomControl::DestroyWnd()
{
    if (auto* CC = dynamic_cast<TControlCanvas*>(FCanvas.get())) CC->FreeHandle();
    inherited::DestroyWnd();
}

void TCustomControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT: WMPaintCustom(Message); break;
    default: inherited::Dispatch(Message);
    }
}

void TCustomControl::WMPaintCustom(TMessage& Message)
{
    TFlagScope Painting(FControlState, TControlStateFlag::csCustomPaint);
    WMPaint(Message);
}

void PaintOnCanvas(TCanvas* Canvas, HDC DC, TFont* Font, TColor Color, const std::function<void()>& Paint)
{
    if (auto* CC = dynamic_cast<TControlCanvas*>(Canvas)) CC->FreeHandle();
    Canvas->Lock();
    auto Unlock = ScopeExit([Canvas] { Canvas->Unlock(); });
    auto Release = ScopeExit([Canvas] { Canvas->SetHandle(nullptr); });
    Canvas->SetHandle(DC);
    Canvas->GetFont()->Assign(Font);
    Canvas->GetBrush()->SetColor(Color);
    Paint();
}

void TCustomControl::PaintWindow(HDC DC)
{
    PaintOnCanvas(FCanvas.get(), DC, FFont.get(), FColor, [this] { Paint(); });
}
