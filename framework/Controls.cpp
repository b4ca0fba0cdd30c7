// TControl: geometry, state, inherited properties, mouse and message dispatch; the free functions
// of the unit; TGraphicControl and the control canvas.
#include "Controls.h"
#include "ActnList.h"
#include "Forms.h"

#include <algorithm>

namespace {

// The control that holds the mouse capture (a graphic control captures through its parent).
TControl* GCaptureControl = nullptr;

bool KeyDown(int VKey) { return (GetKeyState(VKey) & 0x8000) != 0; }

}  // namespace

// ---- Free functions ----------------------------------------------------------------------------

TControl* CaptureControl()
{
    return GCaptureControl;
}

TShiftState KeysToShiftState(WPARAM Keys)
{
    TShiftState S;
    if (Keys & MK_SHIFT) S << ssShift;
    if (Keys & MK_CONTROL) S << ssCtrl;
    if (Keys & MK_LBUTTON) S << ssLeft;
    if (Keys & MK_RBUTTON) S << ssRight;
    if (Keys & MK_MBUTTON) S << ssMiddle;
    if (KeyDown(VK_MENU)) S << ssAlt;
    return S;
}

TShiftState KeyDataToShiftState(LPARAM KeyData)
{
    TShiftState S;
    if (KeyDown(VK_SHIFT)) S << ssShift;
    if (KeyDown(VK_CONTROL)) S << ssCtrl;
    if ((KeyData & 0x20000000) != 0) S << ssAlt;
    return S;
}

TShiftState GetShiftState()
{
    TShiftState S;
    if (KeyDown(VK_SHIFT)) S << ssShift;
    if (KeyDown(VK_CONTROL)) S << ssCtrl;
    if (KeyDown(VK_MENU)) S << ssAlt;
    if (KeyDown(VK_LBUTTON)) S << ssLeft;
    if (KeyDown(VK_RBUTTON)) S << ssRight;
    if (KeyDown(VK_MBUTTON)) S << ssMiddle;
    return S;
}

TCustomForm* GetParentForm(TControl* Control, bool TopForm)
{
    if (!Control) return nullptr;
    TCustomForm* Found = nullptr;
    for (TControl* C = Control; C; C = C->GetParent()) {
        if (auto* F = dynamic_cast<TCustomForm*>(C)) {
            Found = F;
            if (!TopForm) return F;
        }
    }
    return Found;
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled)
{
    POINT P{Pos.X, Pos.Y};
    HWND Wnd = WindowFromPoint(P);
    TWinControl* W = nullptr;
    while (Wnd && !(W = FindControl(Wnd))) Wnd = GetParent(Wnd);
    if (!W) return nullptr;
    TControl* C = W->ControlAtPos(W->ScreenToClient(Pos), AllowDisabled);
    return C ? C : W;
}

// ---- TSizeConstraints --------------------------------------------------------------------------

void TSizeConstraints::SetMinWidth(int Value) { if (Value != FMinWidth) { FMinWidth = std::max(0, Value); Change(); } }
void TSizeConstraints::SetMinHeight(int Value) { if (Value != FMinHeight) { FMinHeight = std::max(0, Value); Change(); } }
void TSizeConstraints::SetMaxWidth(int Value) { if (Value != FMaxWidth) { FMaxWidth = std::max(0, Value); Change(); } }
void TSizeConstraints::SetMaxHeight(int Value) { if (Value != FMaxHeight) { FMaxHeight = std::max(0, Value); Change(); } }

void TSizeConstraints::Assign(TPersistent* Source)
{
    if (auto* S = dynamic_cast<TSizeConstraints*>(Source)) {
        FMinWidth = S->FMinWidth;
        FMinHeight = S->FMinHeight;
        FMaxWidth = S->FMaxWidth;
        FMaxHeight = S->FMaxHeight;
        Change();
        return;
    }
    inherited::Assign(Source);
}

void TSizeConstraints::Apply(int& W, int& H) const
{
    if (FMaxWidth > 0 && W > FMaxWidth) W = FMaxWidth;
    if (FMaxHeight > 0 && H > FMaxHeight) H = FMaxHeight;
    if (W < FMinWidth) W = FMinWidth;
    if (H < FMinHeight) H = FMinHeight;
}

void TSizeConstraints::Change()
{
    if (FControl) FControl->SetBounds(FControl->GetLeft(), FControl->GetTop(), FControl->GetWidth(), FControl->GetHeight());
    if (OnChange) OnChange(this);
}

// ---- TControl: construction --------------------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TComponent(AOwner)
{
    FFont = std::make_unique<TFont>();
    FFont->OnChange = [this](TObject* Sender) { FontChangedHandler(Sender); };
    FConstraints = std::make_unique<TSizeConstraints>(this);
    FWindowProc = [this](TMessage& M) { WndProc(M); };
}

TControl::~TControl()
{
    if (Application) Application->ControlDestroying(this);
    if (GCaptureControl == this) {
        GCaptureControl = nullptr;
        if (FParent && FParent->HandleAllocated() && GetCapture() == FParent->FHandle) ReleaseCapture();
    }
    if (FParent) FParent->RemoveControl(this);
}

void TControl::Loaded()
{
    inherited::Loaded();
    if (FParent) {
        if (FParentColor) Perform(CM_PARENTCOLORCHANGED);
        if (FParentFont) Perform(CM_PARENTFONTCHANGED);
        if (FParentShowHint) Perform(CM_PARENTSHOWHINTCHANGED);
    }
    UpdateAnchorRules();
    RequestAlign();
}

void TControl::SetParent(TWinControl* AParent)
{
    if (FParent == AParent) return;
    if (AParent == this) throw EInvalidOperation(L"A control cannot have itself as its parent");
    // Checked before anything changes: a failed move leaves the control where it was.
    for (TWinControl* P = AParent; P; P = P->GetParent())
        if (P == this) throw EInvalidOperation(Consts::SControlParentOfParent);
    if (FParent) FParent->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

// ---- TControl: geometry ------------------------------------------------------------------------

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    FConstraints->Apply(AWidth, AHeight);
    if (AWidth < 0) AWidth = 0;
    if (AHeight < 0) AHeight = 0;
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    if (!CanResize(AWidth, AHeight)) return;
    InvalidateControl(FVisible, false);
    bool SizeChanged = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    UpdateAnchorRules();
    Invalidate();
    RequestAlign();
    if (SizeChanged) Resize();
}

void TControl::UpdateBoundsRect(const TRect& R)
{
    FLeft = R.Left;
    FTop = R.Top;
    FWidth = R.Width();
    FHeight = R.Height();
}

TRect TControl::GetClientRect()
{
    return Rect(0, 0, FWidth, FHeight);
}

void TControl::SetClientWidth(int Value)
{
    SetWidth(FWidth - GetClientWidth() + Value);
}

void TControl::SetClientHeight(int Value)
{
    SetHeight(FHeight - GetClientHeight() + Value);
}

TPoint TControl::GetClientOrigin()
{
    if (!FParent) return {FLeft, FTop};
    TPoint P = FParent->GetClientOrigin();
    return {P.X + FLeft, P.Y + FTop};
}

TPoint TControl::ClientToScreen(const TPoint& P)
{
    TPoint O = GetClientOrigin();
    return {P.X + O.X, P.Y + O.Y};
}

TPoint TControl::ScreenToClient(const TPoint& P)
{
    TPoint O = GetClientOrigin();
    return {P.X - O.X, P.Y - O.Y};
}

TPoint TControl::ClientToParent(const TPoint& P, TWinControl* AParent)
{
    if (!AParent) AParent = FParent;
    if (!AParent) throw EInvalidOperation(Consts::SParentRequired, {GetName()});
    TPoint R = P;
    TControl* C = this;
    while (C && C != AParent) {
        R.X += C->FLeft;
        R.Y += C->FTop;
        C = C->FParent;
    }
    if (!C) throw EInvalidOperation(L"'" + AParent->GetName() + L"' is not a parent of '" + GetName() + L"'");
    return R;
}

TPoint TControl::ParentToClient(const TPoint& P, TWinControl* AParent)
{
    TPoint Origin = ClientToParent({0, 0}, AParent);
    return {P.X - Origin.X, P.Y - Origin.Y};
}

void TControl::SetAlign(TAlign Value)
{
    if (FAlign == Value) return;
    FAlign = Value;
    FAnchors = TAnchors{akLeft, akTop};
    RequestAlign();
}

void TControl::SetAnchors(TAnchors Value)
{
    if (FAnchors == Value) return;
    FAnchors = Value;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules()
{
    if (!FParent || (FParent->FAlignLevel > 0 && FAnchorsValid)) return;
    TRect R = FParent->GetClientRect();
    if (R.IsEmpty() && !FParent->HandleAllocated() && FParent->GetWidth() == 0) {
        FAnchorsValid = false;
        return;
    }
    FAnchorRight = R.Width() - (FLeft + FWidth);
    FAnchorBottom = R.Height() - (FTop + FHeight);
    FAnchorsValid = true;
}

void TControl::RequestAlign()
{
    if (FParent) FParent->AlignControl(this);
}

void TControl::Resize()
{
    if (OnResize) OnResize(this);
}

// ---- TControl: state ---------------------------------------------------------------------------

void TControl::SetVisible(bool Value)
{
    if (FVisible == Value) return;
    FVisible = Value;
    Perform(CM_VISIBLECHANGED, WPARAM(Value));
    RequestAlign();
}

void TControl::SetEnabled(bool Value)
{
    if (FEnabled == Value) return;
    FEnabled = Value;
    Perform(CM_ENABLEDCHANGED);
}

bool TControl::Showing() const
{
    return FVisible && FParent && FParent->Showing();
}

void TControl::FontChangedHandler(TObject*)
{
    if (!FUpdatingFromParent) FParentFont = false;
    FontChanged();
}

void TControl::FontChanged()
{
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool Value)
{
    if (FParentFont == Value) return;
    FParentFont = Value;
    if (FParent && Value) Perform(CM_PARENTFONTCHANGED);
}

void TControl::ParentFontChanged()
{
    if (!FParentFont || !FParent) return;
    TValueScope FromParent(FUpdatingFromParent, true);
    FFont->Assign(FParent->GetFont());
}

void TControl::SetColor(TColor Value)
{
    if (FColor == Value) {
        FParentColor = false;
        return;
    }
    FColor = Value;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool Value)
{
    if (FParentColor == Value) return;
    FParentColor = Value;
    if (FParent && Value) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetCtl3D(bool Value)
{
    FParentCtl3D = false;
    if (FCtl3D == Value) return;
    FCtl3D = Value;
    Perform(CM_CTL3DCHANGED);
}

void TControl::SetParentCtl3D(bool Value)
{
    if (FParentCtl3D == Value) return;
    FParentCtl3D = Value;
    if (FParent && Value) Perform(CM_PARENTCTL3DCHANGED);
}

void TControl::SetCursor(TCursor Value)
{
    if (FCursor == Value) return;
    FCursor = Value;
    Perform(CM_CURSORCHANGED);
}

void TControl::SetShowHint(bool Value)
{
    FParentShowHint = false;
    if (FShowHint == Value) return;
    FShowHint = Value;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool Value)
{
    if (FParentShowHint == Value) return;
    FParentShowHint = Value;
    if (FParent && Value) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* Value)
{
    FPopupMenu = Value;
}

void TControl::SetBiDiMode(TBiDiMode Value)
{
    if (FBiDiMode == Value) return;
    FBiDiMode = Value;
    Perform(CM_BIDIMODECHANGED);
}

bool TControl::UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
bool TControl::UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
bool TControl::UseRightToLeftScrollBar() const { return FBiDiMode == bdRightToLeft || FBiDiMode == bdRightToLeftNoAlign; }

UINT TControl::DrawTextBiDiModeFlags(UINT Flags) const
{
    if (UseRightToLeftAlignment()) {
        if ((Flags & DT_RIGHT) == DT_RIGHT) Flags &= ~DT_RIGHT;
        else if ((Flags & DT_CENTER) == 0) Flags |= DT_RIGHT;
    }
    return Flags | DrawTextBiDiModeFlagsReadingOnly();
}

UINT TControl::DrawTextBiDiModeFlagsReadingOnly() const
{
    return UseRightToLeftReading() ? DT_RTLREADING : 0;
}

String TControl::GetText()
{
    return GetTextValue();
}

void TControl::SetText(const String& Value)
{
    if (GetTextValue() == Value) return;
    SetTextValue(Value);
    Perform(CM_TEXTCHANGED);
}

void TControl::SetTextValue(const String& Value)
{
    FText = Value;
}

int TControl::GetTextLen()
{
    return int(GetText().size());
}

// ---- TControl: painting ------------------------------------------------------------------------

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque)
{
    if (!IsVisible || !FParent || !FParent->HandleAllocated()) return;
    RECT R{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
    InvalidateRect(FParent->FHandle, &R, !IsOpaque);
}

void TControl::Invalidate()
{
    InvalidateControl(FVisible, FControlStyle.Contains(csOpaque));
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::Update()
{
    if (FParent) FParent->Update();
}

HWND TControl::GetDeviceWindow() const
{
    return FParent ? FParent->GetDeviceWindow() : nullptr;
}

void TControl::BringToFront()
{
    if (!FParent) return;
    auto& L = FParent->FControls;
    auto It = std::find(L.begin(), L.end(), this);
    if (It != L.end()) {
        L.erase(It);
        L.push_back(this);
    }
    if (auto* W = dynamic_cast<TWinControl*>(this); W && W->HandleAllocated())
        SetWindowPos(W->FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Invalidate();
}

void TControl::SendToBack()
{
    if (!FParent) return;
    auto& L = FParent->FControls;
    auto It = std::find(L.begin(), L.end(), this);
    if (It != L.end()) {
        L.erase(It);
        L.insert(L.begin(), this);
    }
    if (auto* W = dynamic_cast<TWinControl*>(this); W && W->HandleAllocated())
        SetWindowPos(W->FHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Invalidate();
}

// ---- TControl: messages ------------------------------------------------------------------------

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage M{Msg, WParam, LParam, 0};
    FWindowProc(M);
    return M.Result;
}

void TControl::SetWindowProc(TWndMethod Value)
{
    if (Value) FWindowProc = std::move(Value);
    else FWindowProc = [this](TMessage& M) { WndProc(M); };
}

void TControl::WndProc(TMessage& Message)
{
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
        if (!FControlStyle.Contains(csDoubleClicks)) {
            switch (Message.Msg) {
            case WM_LBUTTONDBLCLK: Message.Msg = WM_LBUTTONDOWN; break;
            case WM_RBUTTONDBLCLK: Message.Msg = WM_RBUTTONDOWN; break;
            case WM_MBUTTONDBLCLK: Message.Msg = WM_MBUTTONDOWN; break;
            default: break;
            }
        }
        switch (Message.Msg) {
        case WM_MOUSEMOVE:
            if (Application) Application->HintMouseMessage(this, Message);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            FControlState << TControlStateFlag::csLButtonDown;
            break;
        case WM_LBUTTONUP:
            FControlState >> TControlStateFlag::csLButtonDown;
            break;
        default:
            break;
        }
    }
    Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN: WMLButtonDown(Message); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); break;
    case WM_LBUTTONUP: WMLButtonUp(Message); break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: WMRButtonDown(Message); break;
    case WM_RBUTTONUP: WMRButtonUp(Message); break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: WMMButtonDown(Message); break;
    case WM_MBUTTONUP: WMMButtonUp(Message); break;
    case WM_MOUSEMOVE: WMMouseMove(Message); break;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); break;
    case WM_CANCELMODE: WMCancelMode(Message); break;
    case WM_CONTEXTMENU: WMContextMenu(Message); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    case CM_COLORCHANGED: CMColorChanged(Message); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); break;
    case CM_PARENTCTL3DCHANGED: CMParentCtl3DChanged(Message); break;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); break;
    case CM_HITTEST: CMHitTest(Message); break;
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    case CM_MOUSEWHEEL: CMMouseWheel(Message); break;
    case CM_HINTSHOW: CMHintShow(Message); break;
    default: DefaultHandler(Message); break;
    }
}

void TControl::DefaultHandler(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETTEXT: {
        String T = GetTextValue();
        auto* Buf = reinterpret_cast<wchar_t*>(Message.LParam);
        size_t Max = size_t(Message.WParam);
        if (!Buf || Max == 0) {
            Message.Result = 0;
            break;
        }
        size_t N = std::min(T.size(), Max - 1);
        std::copy_n(T.data(), N, Buf);
        Buf[N] = 0;
        Message.Result = LRESULT(N);
        break;
    }
    case WM_GETTEXTLENGTH: Message.Result = LRESULT(GetTextValue().size()); break;
    case WM_SETTEXT:
        SetTextValue(Message.LParam ? String(reinterpret_cast<const wchar_t*>(Message.LParam)) : String());
        Message.Result = 1;
        break;
    default: break;
    }
}

// ---- TControl: mouse ---------------------------------------------------------------------------

namespace {

void SendCancelModeFor(TControl* Sender)
{
    if (TCustomForm* F = GetParentForm(Sender)) F->SendCancelMode(Sender);
}

}  // namespace

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click()
{
    if (OnClick) OnClick(this);
    else if (FActionLink) FActionLink->Execute(this);
}

// ---- TControl: action --------------------------------------------------------------------------

TBasicAction* TControl::GetAction() const
{
    return FActionLink ? FActionLink->GetAction() : nullptr;
}

void TControl::SetAction(TBasicAction* Value)
{
    if (!Value) {
        FActionLink.reset();
        return;
    }
    if (!FActionLink) FActionLink.reset(GetActionLinkClass()(this));
    FActionLink->SetAction(Value);
    ActionChange(Value, IsLoading());
}

TControlActionLinkClass TControl::GetActionLinkClass() const
{
    return ActionLinkClassOf<TControlActionLink>();
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults)
{
    auto* A = dynamic_cast<TCustomAction*>(Sender);
    if (!A) return;
    String Caption = GetCaption();
    if (!CheckDefaults || Caption.empty() || Caption == GetName()) SetCaption(A->GetCaption());
}

void TControl::DblClick()
{
    if (OnDblClick) OnDblClick(this);
}

void TControl::WMLButtonDown(TMessage& Message)
{
    SendCancelModeFor(this);
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (FControlStyle.Contains(csClickEvents)) FControlState << TControlStateFlag::csClicked;
    TWMMouse M(Message);
    if (!FControlStyle.Contains(csNoStdEvents)) MouseDown(mbLeft, KeysToShiftState(M.Keys()), M.XPos(), M.YPos());
}

void TControl::WMLButtonDblClk(TMessage& Message)
{
    SendCancelModeFor(this);
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (FControlStyle.Contains(csClickEvents)) DblClick();
    TWMMouse M(Message);
    if (!FControlStyle.Contains(csNoStdEvents))
        MouseDown(mbLeft, KeysToShiftState(M.Keys()) + TShiftState{ssDouble}, M.XPos(), M.YPos());
}

void TControl::WMLButtonUp(TMessage& Message)
{
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
    TWMMouse M(Message);
    if (FControlState.Contains(TControlStateFlag::csClicked)) {
        FControlState >> TControlStateFlag::csClicked;
        if (GetClientRect().Contains(M.Pos())) Click();
    }
    if (!FControlStyle.Contains(csNoStdEvents)) MouseUp(mbLeft, KeysToShiftState(M.Keys()), M.XPos(), M.YPos());
}

void TControl::WMRButtonDown(TMessage& Message)
{
    SendCancelModeFor(this);
    TWMMouse M(Message);
    if (!FControlStyle.Contains(csNoStdEvents)) MouseDown(mbRight, KeysToShiftState(M.Keys()), M.XPos(), M.YPos());
}

void TControl::WMRButtonUp(TMessage& Message)
{
    TWMMouse M(Message);
    if (!FControlStyle.Contains(csNoStdEvents)) MouseUp(mbRight, KeysToShiftState(M.Keys()), M.XPos(), M.YPos());
    DefaultHandler(Message);   // lets the window send WM_CONTEXTMENU
}

void TControl::WMMButtonDown(TMessage& Message)
{
    SendCancelModeFor(this);
    TWMMouse M(Message);
    if (!FControlStyle.Contains(csNoStdEvents)) MouseDown(mbMiddle, KeysToShiftState(M.Keys()), M.XPos(), M.YPos());
}

void TControl::WMMButtonUp(TMessage& Message)
{
    TWMMouse M(Message);
    if (!FControlStyle.Contains(csNoStdEvents)) MouseUp(mbMiddle, KeysToShiftState(M.Keys()), M.XPos(), M.YPos());
}

void TControl::WMMouseMove(TMessage& Message)
{
    TWMMouse M(Message);
    if (!FControlStyle.Contains(csNoStdEvents)) MouseMove(KeysToShiftState(M.Keys()), M.XPos(), M.YPos());
}

void TControl::WMMouseWheel(TMessage& Message)
{
    // Packed as the notification expects: the shift state in the low word, the delta in the high.
    TShiftState Shift = KeysToShiftState(LOWORD(Message.WParam));
    WPARAM W = MAKEWPARAM(Word(Shift.Bits()), HIWORD(Message.WParam));
    TMessage Wheel{CM_MOUSEWHEEL, W, Message.LParam, 0};
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this) Form->MouseWheelHandler(Wheel);
    else Wheel.Result = Perform(CM_MOUSEWHEEL, W, Message.LParam);
    Message.Result = Wheel.Result;
    if (Message.Result == 0) DefaultHandler(Message);
}

void TControl::CMMouseWheel(TMessage& Message)
{
    TShiftState Shift = TShiftState::FromBits(LOWORD(Message.WParam));
    int Delta = short(HIWORD(Message.WParam));
    TPoint Pos{short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam))};
    Message.Result = 0;
    if (DoMouseWheel(Shift, Delta, Pos)) Message.Result = 1;
    else if (FParent) Message.Result = FParent->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool Handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, Handled);
    if (Handled) return true;
    if (WheelDelta < 0) return DoMouseWheelDown(Shift, MousePos);
    if (WheelDelta > 0) return DoMouseWheelUp(Shift, MousePos);
    return false;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool Handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, Handled);
    return Handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool Handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, Handled);
    return Handled;
}

void TControl::WMCancelMode(TMessage& Message)
{
    if (GetMouseCapture()) SetMouseCapture(false);
    DefaultHandler(Message);
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled)
{
    if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

void TControl::WMContextMenu(TMessage& Message)
{
    TPoint Pos{short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam))};
    bool FromKeyboard = Pos.X == -1 && Pos.Y == -1;
    TPoint Client = FromKeyboard ? TPoint{-1, -1} : ScreenToClient(Pos);
    bool Handled = false;
    DoContextPopup(Client, Handled);
    if (Handled) {
        Message.Result = 1;
        return;
    }
    if (FPopupMenu) {
        // From the keyboard the menu opens at the middle of the control.
        TRect R = GetClientRect();
        TPoint At = FromKeyboard ? ClientToScreen({R.Width() / 2, R.Height() / 2}) : Pos;
        if (DoPopupMenu(At)) {
            Message.Result = 1;
            return;
        }
    }
    DefaultHandler(Message);
}

bool TControl::DoPopupMenu(const TPoint& ScreenPos)
{
    return FPopupMenu && PopupMenuHandler && PopupMenuHandler(this, FPopupMenu, ScreenPos);
}

bool TControl::GetMouseCapture()
{
    HWND W = GetDeviceWindow();
    return GCaptureControl == this && W && GetCapture() == W;
}

void TControl::SetMouseCapture(bool Value)
{
    if (Value) {
        HWND W = GetDeviceWindow();
        if (!W) return;
        GCaptureControl = this;
        SetCapture(W);
    } else if (GCaptureControl == this) {
        GCaptureControl = nullptr;
        ReleaseCapture();
    }
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    Accept = false;
}

void TControl::ChangeScale(int M, int D)
{
    if (M == D || D == 0) return;
    int X = MulDiv(FLeft, M, D), Y = MulDiv(FTop, M, D);
    int W = MulDiv(FLeft + FWidth, M, D) - X;
    int H = MulDiv(FTop + FHeight, M, D) - Y;
    if (!FParentFont) FFont->SetHeight(MulDiv(FFont->GetHeight(), M, D));
    SetBounds(X, Y, W, H);
}

// ---- TControl: notifications -------------------------------------------------------------------

void TControl::CMVisibleChanged(TMessage&)
{
    InvalidateControl(true, FVisible && FControlStyle.Contains(csOpaque));
}

void TControl::CMEnabledChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMFontChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMColorChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMParentFontChanged(TMessage& Message)
{
    if (!FParentFont) return;
    if (Message.WParam != 0 && Message.LParam != 0) {
        FUpdatingFromParent = true;
        FFont->Assign(reinterpret_cast<TFont*>(Message.LParam));
        FUpdatingFromParent = false;
    } else {
        ParentFontChanged();
    }
}

void TControl::CMParentColorChanged(TMessage& Message)
{
    if (!FParentColor) return;
    TColor C = Message.WParam != 0 ? TColor(Message.LParam) : (FParent ? FParent->GetColor() : FColor);
    if (C != FColor) {
        FColor = C;
        Perform(CM_COLORCHANGED);
    }
}

void TControl::CMParentCtl3DChanged(TMessage&)
{
    if (FParentCtl3D && FParent && FCtl3D != FParent->GetCtl3D()) {
        FCtl3D = FParent->GetCtl3D();
        Perform(CM_CTL3DCHANGED);
    }
}

void TControl::CMParentShowHintChanged(TMessage&)
{
    if (FParentShowHint && FParent && FShowHint != FParent->GetShowHint()) {
        FShowHint = FParent->GetShowHint();
        Perform(CM_SHOWHINTCHANGED);
    }
}

void TControl::CMHitTest(TMessage& Message)
{
    Message.Result = HTCLIENT;
}

void TControl::CMMouseEnter(TMessage&)
{
    FControlState << TControlStateFlag::csMouseInControl;
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage&)
{
    FControlState >> TControlStateFlag::csMouseInControl;
    if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::CMHintShow(TMessage& Message)
{
    Message.Result = 0;
}

// ---- TGraphicControl ---------------------------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner)
{
    auto C = std::make_unique<TControlCanvas>();
    C->SetControl(this);
    FCanvas = std::move(C);
}

void TGraphicControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); break;
    default: inherited::Dispatch(Message);
    }
}

// The parent paints its graphic children with WM_PAINT carrying its DC, origin moved to the child.
void TGraphicControl::WMPaint(TMessage& Message)
{
    if (Message.WParam == 0) return;
    FCanvas->Lock();
    auto Unlock = ScopeExit([this] { FCanvas->Unlock(); });
    auto Release = ScopeExit([this] { FCanvas->SetHandle(nullptr); });
    FCanvas->SetHandle(reinterpret_cast<HDC>(Message.WParam));
    FCanvas->GetFont()->Assign(FFont.get());
    Paint();
}

// ---- TControlCanvas ----------------------------------------------------------------------------

TControlCanvas::~TControlCanvas()
{
    FreeHandle();
}

void TControlCanvas::SetControl(TControl* AControl)
{
    if (FControl == AControl) return;
    FreeHandle();
    FControl = AControl;
}

void TControlCanvas::FreeHandle()
{
    if (FDeviceContext) {
        HDC DC = FDeviceContext;
        FDeviceContext = nullptr;
        SetHandle(nullptr);
        ReleaseDC(FWindowHandle, DC);
        FWindowHandle = nullptr;
    }
}

void TControlCanvas::CreateHandle()
{
    if (!FControl) {
        inherited::CreateHandle();
        return;
    }
    if (!FDeviceContext) {
        HWND W = nullptr;
        if (auto* WC = dynamic_cast<TWinControl*>(FControl)) W = WC->GetHandle();
        else if (FControl->GetParent()) W = FControl->GetParent()->GetHandle();
        if (!W) throw EInvalidOperation(Consts::SParentRequired, {FControl->GetName()});
        FWindowHandle = W;
        FDeviceContext = GetDC(W);
        if (!dynamic_cast<TWinControl*>(FControl)) {
            // A graphic control draws in its own coordinates, clipped to its bounds.
            SetViewportOrgEx(FDeviceContext, FControl->GetLeft(), FControl->GetTop(), nullptr);
            IntersectClipRect(FDeviceContext, 0, 0, FControl->GetWidth(), FControl->GetHeight());
        }
    }
    SetHandle(FDeviceContext);
    UpdateTextFlags();
}

void TControlCanvas::UpdateTextFlags()
{
    if (!FControl) return;
    int Flags = GetTextFlags() & ~ETO_RTLREADING;
    if (FControl->UseRightToLeftReading()) Flags |= ETO_RTLREADING;
    SetTextFlags(Flags);
}
