// QorDropDown: the drop-down edit: construction, the virtual steps of its contract, opening,
// placing and closing the popup, the keys, the inner layout, the attached label and copying.
#include "controls/QorDropDown.h"
#include "controls/QorDateTimePicker.h"

#include "framework/Forms.h"
#include "framework/LineEdit.h"
#include "framework/Math.h"
#include "framework/Streaming.h"
#include "framework/SysUtils.h"
#include "framework/TypInfo.h"
#include "framework/WinScope.h"

#include <algorithm>

using namespace QorDropDown;

namespace {
// Version 1.4.6.0, one byte a part from the highest down.
constexpr int DropDownVersion = (1 << 24) | (4 << 16) | (6 << 8) | 0;
// The popup cannot be made smaller than this by the user.
constexpr int MinDropWidth = 80, MinDropHeight = 50;
// A click that closed the popup by deactivating it does not reopen it within this time.
constexpr Cardinal ReopenDelay = 250;

bool KeyHeld(int VKey)
{
    return (GetKeyState(VKey) & 0x8000) != 0;
}
}  // namespace

// ---- construction -------------------------------------------------------------------------------

TQorCustomDropDown::TQorCustomDropDown(TComponent* AOwner) : TCustomMaskEdit(AOwner)
{
    SetBounds(GetLeft(), GetTop(), 200, 21);
    FControlStyle.Exclude(csSetCaption);
    FDropDownHeader = Create<THeaderAppearance>(this);
    FDropDownHeader->OnChange = [this](TObject* S) { OnHeaderAppearanceChanged(S); };
    FDropDownHeader->OnButtonsChanged = [this](TObject* S) { OnHeaderAppearanceChanged(S); };
    FDropDownFooter = Create<TFooterAppearance>(this);
    FDropDownFooter->OnChange = [this](TObject* S) { OnFooterAppearanceChanged(S); };
    FDropDownFooter->OnButtonsChanged = [this](TObject* S) { OnFooterAppearanceChanged(S); };
    FButtonAppearance = Create<TQorButtonAppearance>();
    DWORD Major = 0, Minor = 0;
    GetUnmanistedVersion(Major, Minor);
    FIsWinXP = Major > 5 || (Major == 5 && Minor > 0);
    FIsThemed = JyrControls::IsComCtl6();
    FLabelFont = Create<TFont>();
    FLabelFont->OnChange = [this](TObject* S) { LabelFontChange(S); };
}

void TQorCustomDropDown::AfterConstruction()
{
    inherited::AfterConstruction();
    CreateDropDownForm();
    CreateDropDownButton();
    SetText(L"");
    FOldText.clear();
    SetSelectionColorStyle(scOffice2007);
    SetComponentStyle(QorStyleIF::tsOffice2007Luna);
}

TQorCustomDropDown::~TQorCustomDropDown()
{
    FLabelFont->Free();
    FLabelFont = nullptr;
    if (FButton) FButton->Free();
    FButton = nullptr;
    if (FDropDownForm) FDropDownForm->Free();
    FDropDownForm = nullptr;
    FDropDownHeader->Free();
    FDropDownFooter->Free();
    FButtonAppearance->Free();
}

void TQorCustomDropDown::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    // Multi-line for the text rectangle that leaves room for the drop button. The system shows the
    // password character only in single-line windows: a password edit is single-line and keeps its
    // text clear of the button through its margins instead (SetEditRect).
    Params.Style |= WS_CLIPCHILDREN;
    if (FEditType != etPassword) Params.Style |= ES_MULTILINE;
    // A money value is regrouped on every key: its line is kept and drawn by the library's own
    // line window, which answers the same messages without laying the line out again each time.
    if (FEditType == etMoney) CreateSubClass(Params, LineEdit::ClassName());
}

bool TQorCustomDropDown::HasLineWindow() const
{
    return FHandle && LineEdit::IsClassProc(FDefWndProc);
}

void TQorCustomDropDown::CreateWnd()
{
    inherited::CreateWnd();
    SetEditRect();
    ResizeControl();
    UpdateLabel();
}

void TQorCustomDropDown::DestroyWnd()
{
    inherited::DestroyWnd();
}

// ---- the contract ---------------------------------------------------------------------------------

void TQorCustomDropDown::LabelClick(TObject*)
{
    if (OnLabelClick) OnLabelClick(this);
}

void TQorCustomDropDown::LabelDblClick(TObject*)
{
    if (OnLabelDblClick) OnLabelDblClick(this);
}

int TQorCustomDropDown::GetVersionNr()
{
    return DropDownVersion;
}

String TQorCustomDropDown::GetVersion()
{
    const int V = GetVersionNr();
    return IntToStr((V >> 24) & 0xFF) + L"." + IntToStr((V >> 16) & 0xFF) + L"." + IntToStr((V >> 8) & 0xFF) + L"." +
           IntToStr(V & 0xFF);
}

void TQorCustomDropDown::CreateDropDownForm()
{
    if (FDropDownForm) return;
    FDropDownForm = TDropDownForm::CreateNew(this);
    FDropDownForm->SetQorDropDown(this);
    FDropDownForm->SetBorderStyle(bsNone);
    FDropDownForm->SetPosition(poDesigned);
    FDropDownForm->SetVisible(false);
    FDropDownForm->SetBounds(0, 0, std::max(FDropDownWidth, 0), std::max(FDropDownHeight, 0));
    FDropDownForm->SetScaled(true);
    FDropDownForm->SetDoubleBuffered(true);
    FDropDownForm->OnClose = [](TObject*, TCloseAction&) {};
    FDropDownForm->OnHide = [this](TObject* S) { OnHideDropDown(S); };
    FDropDownForm->OnKeyPress = [this](TObject* S, Char& K) { OnDropDownFormKeyPress(S, K); };
    FDropDownForm->OnKeyDown = [this](TObject* S, Word& K, TShiftState Sh) { OnDropDownFormKeyDown(S, K, Sh); };
    FDropDownForm->OnKeyUp = [this](TObject* S, Word& K, TShiftState Sh) { OnDropDownFormKeyUp(S, K, Sh); };
    FDropDownForm->OnMouseWheelDown = [this](TObject* S, TShiftState Sh, TPoint P, bool& H) {
        OnDropDownFormMouseWheelDown(S, Sh, P, H);
    };
    FDropDownForm->OnMouseWheelUp = [this](TObject* S, TShiftState Sh, TPoint P, bool& H) {
        OnDropDownFormMouseWheelUp(S, Sh, P, H);
    };
    FDropDownForm->OnDestroy = [this](TObject* S) { OnDestroyDropDownForm(S); };
    FDropDownForm->OnSizing = [this](TObject* S) { DropDownSizing(S); };
}

void TQorCustomDropDown::CreateDropDownButton()
{
    if (!FButton) {
        FButton = Create<TDropDownEditButton>(this);
        FButton->SetParent(this);
        FButton->OnClick = [this](TObject* S) { DropDownButtonClick(S); };
    }
    UpdateDropDownButton();
}

void TQorCustomDropDown::UpdateDropDownButton()
{
    if (!FButton) return;
    FButton->SetBWidth(FDropDownButtonWidth);
    FButton->SetBounds(FButton->GetLeft(), FButton->GetTop(), FDropDownButtonWidth, 17);
    FButton->SetVisible(true);
    FButton->SetFocusControl(this);
}

void TQorCustomDropDown::BeforeDropDown()
{
    if (OnBeforeDropDown) OnBeforeDropDown(this);
}

void TQorCustomDropDown::AdaptDropDownSize(int&) {}

void TQorCustomDropDown::AfterDropDown()
{
    if (FFocusControl && FFocusControl->GetTabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
}

void TQorCustomDropDown::SetCenterControl()
{
    if (!FDropDownForm || !FControl || !FDropDownHeader) return;
    FControl->SetParent(FDropDownForm);
    FControl->SetTop(FDropDownHeader->GetVisible() ? FDropDownHeader->GetHeight() + 2 : FDropDownBorderWidth);
    FControl->SetAlign(alClient);
    FControl->SetVisible(true);
}

void TQorCustomDropDown::UpdateDropDownSize()
{
    if (!FDropDownForm) return;
    int W = FDropDownWidth;
    if (W <= 0) W = (FControl && FControl->GetVisible()) ? FControlSize.cx : GetWidth();
    int H = FDropDownHeight;
    if (H <= 0) {
        H = 2 * FDropDownBorderWidth;
        if (FDropDownHeader->GetVisible()) H += FDropDownHeader->GetHeight();
        if (FDropDownFooter->GetVisible()) H += FDropDownFooter->GetHeight();
        if (FControl && FControl->GetVisible()) H += FControlSize.cy;
    }
    FDropDownForm->SetBounds(FDropDownForm->GetLeft(), FDropDownForm->GetTop(), W, H);
}

void TQorCustomDropDown::RouteControlKeys()
{
    auto* W = dynamic_cast<TWinControl*>(FControl);
    if (!W) return;
    W->OnKeyDown = [this](TObject* S, Word& K, TShiftState Sh) { OnDropDownControlKeyDown(S, K, Sh); };
    W->OnKeyUp = [this](TObject* S, Word& K, TShiftState Sh) { OnDropDownControlKeyUp(S, K, Sh); };
    W->OnKeyPress = [this](TObject* S, Char& K) { OnDropDownControlKeyPress(S, K); };
}

TPoint TQorCustomDropDown::PlacePopup()
{
    TPoint P = GetParent() ? GetParent()->ClientToScreen(TPoint(GetLeft(), GetTop())) : ClientToScreen(TPoint(0, 0));
    TDropPlacement Place;
    Place.EditOrigin = P;
    Place.EditHeight = GetHeight();
    Place.Borderless = GetBorderStyle() == bsNone;
    Place.Position = FDropPosition;
    Place.Width = FDropDownForm->GetWidth();
    Place.Height = FDropDownForm->GetHeight();
    Place.ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
    MONITORINFO MI{};
    MI.cbSize = sizeof(MI);
    if (GetMonitorInfoW(MonitorFromPoint(POINT{P.X, P.Y}, MONITOR_DEFAULTTONEAREST), &MI))
        Place.WorkArea = TRect(MI.rcWork.left, MI.rcWork.top, MI.rcWork.right, MI.rcWork.bottom);
    return PlaceDropDown(Place);
}

void TQorCustomDropDown::DoShowDropDown()
{
    if (!FDropDownForm || FDropDownForm->GetVisible() || !GetEnabled() || GetReadOnly() ||
        FDropDownForm->GetIsDeactivating() || FDoShowBusy)
        return;
    TValueScope<bool> Busy(FDoShowBusy, true);
    BeforeDropDown();
    FDropDownForm->SetShadow(FDropDownShadow);
    if (FControl) {
        FControl->SetParent(FDropDownForm);
        SetCenterControl();
    }
    FDropDownForm->InitializeAndUpdate();
    const HWND FW = FDropDownForm->GetHandle();
    const ULONG_PTR ClassStyle = GetClassLongPtrW(FW, GCL_STYLE);
    SetClassLongPtrW(FW, GCL_STYLE,
                     FDropDownForm->GetShadow() ? (ClassStyle | CS_DROPSHADOW) : (ClassStyle & ~ULONG_PTR(CS_DROPSHADOW)));
    FDropDownForm->SetBounds(GetLeft(), GetTop(), FDropDownForm->GetWidth(), FDropDownForm->GetHeight());
    UpdateDropDownSize();
    SetCenterControl();
    FDropDownForm->GetConstraints()->SetMinWidth(MinDropWidth);
    FDropDownForm->GetConstraints()->SetMinHeight(MinDropHeight);
    RouteControlKeys();
    // The remembered size counts for the placement (the popup opens where it fits at that size).
    if (FUserDropDownWidth != -1 || FUserDropDownHeight != -1)
        FDropDownForm->SetBounds(FDropDownForm->GetLeft(), FDropDownForm->GetTop(),
                                 FUserDropDownWidth != -1 ? FUserDropDownWidth : FDropDownForm->GetWidth(),
                                 FUserDropDownHeight != -1 ? FUserDropDownHeight : FDropDownForm->GetHeight());
    TPoint P = PlacePopup();
    FOldText = GetText();
    bool Accept = true;
    if (OnDropDown) OnDropDown(this, Accept);
    if (!Accept) return;
    if (OnGetDropDownPos) OnGetDropDownPos(this, P);
    const int W = FDropDownForm->GetWidth();
    int H = FDropDownForm->GetHeight();
    if (FDropDownShadow && FForceShadow) {
        ShowWindow(FW, SW_HIDE);
        SetWindowPos(FW, HWND_TOPMOST, P.X, P.Y, 1, 1, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    }
    AdaptDropDownSize(H);
    FDroppedDown = true;
    FDropDownForm->SetBounds(P.X, P.Y, W, H);
    SetWindowPos(FW, HWND_TOPMOST, P.X, P.Y, W, H, SWP_SHOWWINDOW);
    FDropDownForm->SetVisible(true);
    if (auto* WC = dynamic_cast<TWinControl*>(FControl); WC && WC->CanFocus()) WC->SetFocus();
    AfterDropDown();
    if (FButton) FButton->GetButton()->Invalidate();
}

void TQorCustomDropDown::DoHideDropDown(bool Cancelled)
{
    if (!FDropDownForm || !FDropDownForm->GetVisible()) return;
    if (OnBeforeDropUp) OnBeforeDropUp(this);
    FUserDropDownWidth = FDropDownForm->GetWidth();
    FUserDropDownHeight = FDropDownForm->GetHeight();
    FDropDownForm->SetVisible(false);
    if (Application) Application->CancelHint();
    if (Cancelled) SetText(FOldText);
    if (OnDropUp) OnDropUp(this, Cancelled);
    if (FButton) FButton->GetButton()->Invalidate();
}

void TQorCustomDropDown::HideDropDown(bool CancelChanges)
{
    DoHideDropDown(CancelChanges);
    if (FDropDownForm) FDropDownForm->SetIsDeactivating(false);
}

void TQorCustomDropDown::OnHideDropDown(TObject*)
{
    FDroppedDown = false;
    if (GetComponentState().Contains(csDestroying)) return;
    if (GetTabStop() && CanFocus() && !Focused()) SetFocus();
}

void TQorCustomDropDown::OnDestroyDropDownForm(TObject*) {}

void TQorCustomDropDown::MouseButtonDown(TObject*)
{
    if (!FDropDownForm || FDropDownForm->GetVisible()) return;
    if (Cardinal(TickCount() - FDropDownForm->GetDeActivate()) > ReopenDelay) DoShowDropDown();
}

void TQorCustomDropDown::ResetDropSize()
{
    FUserDropDownWidth = -1;
    FUserDropDownHeight = -1;
}

TSize TQorCustomDropDown::GetDropDownSize()
{
    if (FDropDownForm && FDropDownSizeable) return {FDropDownForm->GetWidth(), FDropDownForm->GetHeight()};
    if (FDropDownWidth != 0 && FDropDownHeight != 0) return {FDropDownWidth, FDropDownHeight};
    if (FControl) return FControlSize;
    return {0, 0};
}

void TQorCustomDropDown::OnHeaderAppearanceChanged(TObject*)
{
    if (!FDropDownForm || !FDropDownForm->GetVisible()) return;
    FDropDownForm->InitializeAndUpdate();
    if (TQorHeader* H = FDropDownForm->GetHeader()) H->Invalidate();
}

void TQorCustomDropDown::OnFooterAppearanceChanged(TObject*)
{
    if (!FDropDownForm || !FDropDownForm->GetVisible()) return;
    FDropDownForm->InitializeAndUpdate();
    if (TQorFooter* F = FDropDownForm->GetFooter()) F->Invalidate();
}

// ---- keys of the popup ----------------------------------------------------------------------------

void TQorCustomDropDown::OnDropDownFormKeyPress(TObject*, Char& Key)
{
    if (HandleAllocated()) SendMessageW(GetHandle(), WM_CHAR, Key, 0);
}

void TQorCustomDropDown::OnDropDownFormKeyDown(TObject*, Word& Key, TShiftState)
{
    if (HandleAllocated()) SendMessageW(GetHandle(), WM_KEYDOWN, Key, 0);
}

void TQorCustomDropDown::OnDropDownFormKeyUp(TObject*, Word& Key, TShiftState)
{
    if (HandleAllocated()) SendMessageW(GetHandle(), WM_KEYUP, Key, 0);
}

void TQorCustomDropDown::OnDropDownControlKeyDown(TObject*, Word& Key, TShiftState)
{
    if (HandleAllocated()) SendMessageW(GetHandle(), WM_KEYDOWN, Key, 0);
}

void TQorCustomDropDown::OnDropDownControlKeyUp(TObject*, Word& Key, TShiftState)
{
    if (HandleAllocated()) SendMessageW(GetHandle(), WM_KEYUP, Key, 0);
}

void TQorCustomDropDown::OnDropDownControlKeyPress(TObject*, Char& Key)
{
    if (HandleAllocated()) SendMessageW(GetHandle(), WM_CHAR, Key, 0);
}

void TQorCustomDropDown::OnDropDownFormMouseWheelDown(TObject*, TShiftState, TPoint, bool&)
{
    HandleMouseWheelDown();
}

void TQorCustomDropDown::OnDropDownFormMouseWheelUp(TObject*, TShiftState, TPoint, bool&)
{
    HandleMouseWheelUp();
}

void TQorCustomDropDown::OnDropDownSizing(TObject*) {}
void TQorCustomDropDown::HandleMouseWheelDown() {}
void TQorCustomDropDown::HandleMouseWheelUp() {}

bool TQorCustomDropDown::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    const bool R = inherited::DoMouseWheelDown(Shift, MousePos);
    if (FDroppedDown || GetClientRect().Contains(ScreenToClient(MousePos))) HandleMouseWheelDown();
    return R;
}

bool TQorCustomDropDown::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    const bool R = inherited::DoMouseWheelUp(Shift, MousePos);
    if (FDroppedDown || GetClientRect().Contains(ScreenToClient(MousePos))) HandleMouseWheelUp();
    return R;
}

// ---- keys of the edit -----------------------------------------------------------------------------

bool TQorCustomDropDown::CtrlDown()
{
    return KeyHeld(VK_CONTROL);
}

bool TQorCustomDropDown::AltDown()
{
    return KeyHeld(VK_MENU);
}

void TQorCustomDropDown::ToggleDropDown()
{
    if (FDropDownForm && FDropDownForm->GetVisible()) DoHideDropDown(false);
    else DoShowDropDown();
}

void TQorCustomDropDown::WMKeyDown(TMessage& Message)
{
    Word Key = Word(Message.WParam);
    if (AltDown() && (Key == VK_UP || Key == VK_DOWN)) {
        if (FDroppedDown) DoHideDropDown(false);
        else DoShowDropDown();
    }
    if (!FEditorEnabled) {
        if (GetEnabled() && !GetReadOnly()) {
            if (Key == VK_RETURN) {
                if (FReturnIsTab && IsWindowVisible(GetHandle())) PostMessageW(GetHandle(), WM_KEYDOWN, VK_TAB, 0);
                else DoHideDropDown(false);
            } else if (Key == VK_ESCAPE) {
                DoHideDropDown(true);
            } else if (Key == VK_F4) {
                ToggleDropDown();
            }
        }
        switch (Key) {
        case VK_TAB: case VK_RETURN: case VK_ESCAPE: case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
            inherited::Dispatch(Message);
            break;
        default: Message.Result = 0;
        }
        return;
    }
    // The window copies on Ctrl+Insert and cuts on Shift+Delete without its clipboard messages: in
    // a password edit these keys do nothing, as its copy and cut do.
    if (GetPasswordChar() != 0 && ((Key == VK_INSERT && CtrlDown()) || (Key == VK_DELETE && KeyHeld(VK_SHIFT)))) {
        Message.Result = 0;
        return;
    }
    if (CtrlDown()) {
        if (Key == L'A') SelectAll();
        if (Key == VK_TAB || Key == VK_RETURN) {
            inherited::Dispatch(Message);
            return;
        }
    }
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = VK_TAB;
        Message.WParam = VK_TAB;
        if (IsWindowVisible(GetHandle())) PostMessageW(GetHandle(), WM_KEYDOWN, VK_TAB, 0);
    }
    TShiftState Shift = GetShiftState();
    if (CaretFence(Key, Shift)) {
        Message.WParam = 0;
        Message.LParam = 0;
        Message.Result = 0;
        return;
    }
    {
        TValueScope<bool> Inside(FInWMKeyDown, true);
        inherited::Dispatch(Message);
    }
    if (Key == VK_DELETE && FEditType == etMoney) AutoSeparators();
    if (!FPrefix.empty() && GetSelStart() < int(FPrefix.size())) SetSelStart(int(FPrefix.size()));
    if (Key == VK_RETURN) DoHideDropDown(false);
    else if (Key == VK_ESCAPE) DoHideDropDown(true);
    else if (Key == VK_F4) ToggleDropDown();
}

void TQorCustomDropDown::KeyDown(Word& Key, TShiftState Shift)
{
    inherited::KeyDown(Key, Shift);
    // A system key (Alt held) arrives here without passing WMKeyDown.
    if (!FInWMKeyDown && Shift.Contains(ssAlt) && (Key == VK_UP || Key == VK_DOWN)) {
        if (FDroppedDown) DoHideDropDown(false);
        else DoShowDropDown();
    }
}

void TQorCustomDropDown::KeyPress(Char& Key)
{
    inherited::KeyPress(Key);
    if (Key == VK_RETURN) Key = 0;
}

void TQorCustomDropDown::CMWantSpecialKey(TMessage& Message)
{
    TCustomForm* Form = nullptr;
    for (TWinControl* P = GetParent(); P; P = P->GetParent())
        if ((Form = dynamic_cast<TCustomForm*>(P))) break;
    if (!Form) return;
    const bool Preview = Form->GetKeyPreview();
    if (Message.WParam == VK_ESCAPE && FCanUndo && !Preview) {
        SelectAll();
        SetModified(false);
        Message.WParam = 0;
        Message.Result = 0;
        if (GetParent() && FDefaultHandling && GetParent()->HandleAllocated()) {
            PostMessageW(GetParent()->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessageW(GetParent()->GetHandle(), WM_KEYUP, VK_ESCAPE, 0);
        }
    } else if (Message.WParam == VK_RETURN && FDefaultHandling && !Preview && GetParent() &&
               GetParent()->HandleAllocated() && ::GetFocus() == GetParent()->GetHandle()) {
        PostMessageW(GetParent()->GetHandle(), WM_KEYDOWN, VK_RETURN, 0);
        PostMessageW(GetParent()->GetHandle(), WM_KEYUP, VK_RETURN, 0);
    }
    const WPARAM Key = Message.WParam;
    inherited::Dispatch(Message);
    if ((Key == VK_ESCAPE || Message.WParam == VK_ESCAPE) && FDroppedDown) Message.Result = 1;
    // Esc, Enter and F4 close or toggle the open popup: the edit wants them while it is open.
    if (FDroppedDown && (Key == VK_RETURN || Key == VK_ESCAPE)) Message.Result = 1;
}

// ---- inner layout ---------------------------------------------------------------------------------

int TQorCustomDropDown::GetMinHeight()
{
    TClientDC DC(nullptr);
    TEXTMETRICW M{};
    int System = 0, Own = 0;
    {
        TSelectObject F(DC, GetStockObject(SYSTEM_FONT));
        GetTextMetricsW(DC, &M);
        System = M.tmHeight;
    }
    TSelectObject F(DC, GetFont()->GetHandle());
    GetTextMetricsW(DC, &M);
    Own = M.tmHeight;
    return std::min(System, Own) / 4 + Own;
}

void TQorCustomDropDown::ResizeControl()
{
    const bool Framed = GetBorderStyle() != bsNone || GetBevelKind() != bkNone;
    int D = Framed ? 4 : 2;
    if (FFlat) D = 3;
    const int O = GetCtl3D() ? 0 : 2;
    const int MinH = GetMinHeight();
    if (GetHeight() < MinH) {
        SetHeight(MinH);
        Invalidate();
        return;
    }
    if (FButton) {
        const int BW = FDropDownButtonWidth;
        if (FIsThemed && GetCtl3D() && Framed)
            FButton->SetBounds(GetWidth() - BW - D, FFlat ? 2 : 0, BW, GetHeight() - D);
        else
            FButton->SetBounds(GetWidth() - BW - O, 1, BW, GetHeight() - 2);
    }
    SetEditRect();
    Invalidate();
}

void TQorCustomDropDown::SetEditRect()
{
    if (!HandleAllocated()) return;
    const bool Framed = GetBorderStyle() != bsNone || GetBevelKind() != bkNone;
    TRect R(2, 3, GetClientWidth() - FDropDownButtonWidth - 3, GetClientHeight() + 1);
    if (Framed) {
        R.Left = 1;
        R.Top = 1;
    }
    FEditRect = R;
    RECT W{R.Left + (GetCtl3D() ? 0 : 1), R.Top, R.Right, R.Bottom};
    if (GetWindowLongPtrW(GetHandle(), GWL_STYLE) & ES_MULTILINE) {
        SendMessageW(GetHandle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&W));
    } else {
        const int Right = std::max(0, int(GetClientWidth()) - int(W.right));
        SendMessageW(GetHandle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(W.left, Right));
    }
}

void TQorCustomDropDown::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FLabel && FLabel->GetParent()) UpdateLabel();
}

// ---- the label ------------------------------------------------------------------------------------

void TQorCustomDropDown::CreateLabel()
{
    FLabel = Create<TLabel>(this);
    FLabel->SetParent(GetParent());
    FLabel->SetFocusControl(this);
    FLabel->GetFont()->Assign(FLabelFont);
    FLabel->OnClick = [this](TObject* S) { LabelClick(S); };
    FLabel->OnDblClick = [this](TObject* S) { LabelDblClick(S); };
    FLabel->SetParentFont(GetParentFont());
}

String TQorCustomDropDown::GetLabelCaption() const
{
    return FLabel ? FLabel->GetCaption() : String();
}

void TQorCustomDropDown::SetLabelCaption(const String& Value)
{
    if (!FLabel) CreateLabel();
    FLabel->SetCaption(Value);
    UpdateLabel();
}

void TQorCustomDropDown::SetLabelPosition(QorDropDown::TLabelPosition Value)
{
    FLabelPosition = Value;
    UpdateLabel();
}

void TQorCustomDropDown::SetLabelMargin(int Value)
{
    FLabelMargin = Value;
    UpdateLabel();
}

void TQorCustomDropDown::SetLabelTransparent(bool Value)
{
    FLabelTransparent = Value;
    UpdateLabel();
}

void TQorCustomDropDown::SetLabelFont(TFont* Value)
{
    FLabelFont->Assign(Value);
    if (!GetParentFont()) UpdateLabel();
}

void TQorCustomDropDown::LabelFontChange(TObject*)
{
    if (!FLblUpdate) FLblFntHeight = FLabelFont->GetHeight();
    UpdateLabel();
}

void TQorCustomDropDown::UpdateLabel()
{
    if (!FLabel) return;
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->GetFont()->Assign(FParentFnt ? GetFont() : FLabelFont);
    const int W = (FLabel->GetParent() && FLabel->GetParent()->HandleAllocated())
                      ? JyrControls::CaptionWidth(FLabel->GetCaption(), FLabel->GetFont())
                      : 0;
    const TPoint P = JyrControls::PlaceLabel(int(FLabelPosition), GetLeft(), GetTop(), GetWidth(), GetHeight(),
                                             FLabel->GetHeight(), FLabel->GetWidth(), W, FLabelMargin);
    FLabel->SetBounds(P.X, P.Y, FLabel->GetWidth(), FLabel->GetHeight());
    FLabel->SetVisible(GetVisible());
}

void TQorCustomDropDown::SetParent(TWinControl* AParent)
{
    inherited::SetParent(AParent);
    if (FLabel) {
        FLabel->SetParent(AParent);
        FLabel->SetVisible(GetVisible());
    }
}

void TQorCustomDropDown::ChangeScale(int M, int D, bool)
{
    ChangeScale(M, D);
}

void TQorCustomDropDown::ChangeScale(int M, int D)
{
    inherited::ChangeScale(M, D);
    TCustomForm* F = GetParentForm(this);
    if (!F || !F->GetScaled() || FLblFntHeight == 0) return;
    TValueScope<bool> Updating(FLblUpdate, true);
    // The ratio of the height of "0" at the screen's density to its height at 96 pixels per inch.
    FLabelFont->SetHeight(int(Round(double(QorDateTimePicker::CalculateDPIScale(this)) * FLblFntHeight)));
}

void TQorCustomDropDown::Loaded()
{
    inherited::Loaded();
    FParentFnt = GetParentFont();
    SetEditRect();
    ResizeControl();
    if (FButton) FButton->SetEnabled(GetEnabled());
    if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(GetEnabled());
    UpdateLabel();
    if (FLabel && GetParentFont()) FLabel->GetFont()->Assign(GetFont());
    FLblFntHeight = FLabelFont->GetHeight();
}

void TQorCustomDropDown::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation != opRemove || GetComponentState().Contains(csDestroying)) return;
    if (AComponent == FImages) {
        FImages = nullptr;
        Invalidate();
    }
    if (AComponent == FControl) SetControl(nullptr);
    if (AComponent == FFocusControl) FFocusControl = nullptr;
    if (AComponent == FLabel) FLabel = nullptr;
}

// ---- properties ---------------------------------------------------------------------------------

void TQorCustomDropDown::SetControl(TControl* Value)
{
    if (Value == FControl || Value == this) return;
    if (FControl) {
        FControl->SetAlign(alNone);
        FControl->SetVisible(false);
        FControl->RemoveFreeNotification(this);
    }
    FControl = Value;
    if (FControl) {
        FControlSize = {FControl->GetWidth(), FControl->GetHeight()};
        FControl->FreeNotification(this);
        FControl->SetVisible(false);
    }
}

void TQorCustomDropDown::SetFocusControl(TWinControl* Value)
{
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (FFocusControl) FFocusControl->FreeNotification(this);
}

void TQorCustomDropDown::SetImages(TCustomImageList* Value)
{
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
}

void TQorCustomDropDown::SetDropDownWidth(int Value)
{
    FDropDownWidth = Value;
    FUserDropDownWidth = -1;
}

void TQorCustomDropDown::SetDropDownHeight(int Value)
{
    if (Value < 0) return;
    FDropDownHeight = Value;
    FUserDropDownHeight = -1;
}

void TQorCustomDropDown::SetDropDownBorderWidth(int Value)
{
    if (Value < 0 || Value > MaxBorderWidth) return;
    FDropDownBorderWidth = Value;
}

void TQorCustomDropDown::SetEditorEnabled(bool Value)
{
    FEditorEnabled = Value;
    // In selector mode a double click on the edit is a plain click.
    if (HandleAllocated()) {
        const ULONG_PTR S = GetClassLongPtrW(GetHandle(), GCL_STYLE);
        SetClassLongPtrW(GetHandle(), GCL_STYLE, Value ? (S | CS_DBLCLKS) : (S & ~ULONG_PTR(CS_DBLCLKS)));
    }
    Invalidate();
}

void TQorCustomDropDown::SetDropDownEnabled(bool Value)
{
    FDropDownEnabled = Value;
    if (FButton) FButton->SetEnabled(Value);
}

void TQorCustomDropDown::SetDropDownButtonWidth(int Value)
{
    if (Value < 0 || Value > MaxButtonWidth) return;
    if (!FButton || Value == FDropDownButtonWidth) {
        FDropDownButtonWidth = Value;
        return;
    }
    FDropDownButtonWidth = Value;
    FButton->SetBWidth(Value);
    if (FButton->HandleAllocated()) ResizeControl();
    else FButton->SetWidth(Value);
}

void TQorCustomDropDown::SetDropDownButtonHint(const String& Value)
{
    if (Value == FDropDownButtonHint) return;
    FDropDownButtonHint = Value;
    if (!FButton) return;
    FButton->SetHint(Value);
    FButton->SetShowHint(!Value.empty());
}

TBitmap* TQorCustomDropDown::GetDropDownButtonGlyph() const
{
    return FButton ? FButton->GetGlyph() : nullptr;
}

void TQorCustomDropDown::SetDropDownButtonGlyph(TBitmap* Value)
{
    if (FButton) FButton->SetGlyph(Value);
}

String TQorCustomDropDown::GetButtonCaption() const
{
    return FButton ? FButton->GetCaption() : String();
}

void TQorCustomDropDown::SetButtonCaption(const String& Value)
{
    if (FButton) FButton->SetCaption(Value);
}

void TQorCustomDropDown::SetFlat(bool Value)
{
    if (FFlat == Value) return;
    FFlat = Value;
    if (FButton) FButton->GetButton()->SetFlat(Value);
    ResizeControl();
}

void TQorCustomDropDown::SetEtched(bool Value)
{
    if (FEtched == Value) return;
    FEtched = Value;
    if (FButton) FButton->GetButton()->SetEtched(Value);
}

void TQorCustomDropDown::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TQorCustomDropDown*>(Source);
    if (!S) return;
    FFocusDraw = S->FFocusDraw;
    FForceShadow = S->FForceShadow;
    FDropDownEnabled = S->FDropDownEnabled;
    FDropDownColor = S->FDropDownColor;
    FDropDownColorTo = S->FDropDownColorTo;
    FDropDownGradient = S->FDropDownGradient;
    FDropDownBorderColor = S->FDropDownBorderColor;
    FDropDownBorderWidth = S->FDropDownBorderWidth;
    FDropDownShadow = S->FDropDownShadow;
    FDropDownWidth = S->FDropDownWidth;
    FDropDownHeight = S->FDropDownHeight;
    FDropDownSizeable = S->FDropDownSizeable;
    FEditType = S->FEditType;
    FReturnIsTab = S->FReturnIsTab;
    FLengthLimit = S->FLengthLimit;
    FPrecision = S->FPrecision;
    FPrefix = S->FPrefix;
    FSuffix = S->FSuffix;
    FDefaultHandling = S->FDefaultHandling;
    FCanUndo = S->FCanUndo;
    FExcelStyleDecimalSeparator = S->FExcelStyleDecimalSeparator;
    FValidChars = S->FValidChars;
    FSigned = S->FSigned;
    FAutoThousandSeparator = S->FAutoThousandSeparator;
    FButtonAppearance->Assign(S->FButtonAppearance);
    FDropDownHeader->Assign(S->FDropDownHeader);
    FDropDownFooter->Assign(S->FDropDownFooter);
    FDropPosition = S->FDropPosition;
    SetFlat(S->FFlat);
    SetDropDownButtonWidth(S->FDropDownButtonWidth);
    SetDropDownButtonHint(S->FDropDownButtonHint);
    FEditorEnabled = S->FEditorEnabled;
    if (FButton && S->FButton) {
        FButton->SetGlyph(S->FButton->GetGlyph());
        FButton->SetCaption(S->FButton->GetCaption());
    }
    SetEtched(S->FEtched);
    SetImages(S->FImages);
    SetSelectionColorStyle(S->FSelectionColorStyle);
    FSelectionColor = S->FSelectionColor;
    FSelectionColorTo = S->FSelectionColorTo;
}

void TQorCustomDropDown::DefineProperties(TFiler* Filer)
{
    inherited::DefineProperties(Filer);
    // Stored as integers; a value outside the type's range is ignored when read.
    Filer->DefineProperty(
        L"SelectionColorStyle",
        [this](TReader* R) {
            const Int64 V = R->ReadInteger();
            if (V >= scCustom && V <= scWindows7) FSelectionColorStyle = TSelectionColorStyle(V);
        },
        [this](TWriter* W) { W->WriteInteger(FSelectionColorStyle); }, true);
    Filer->DefineProperty(
        L"JOQStyle",
        [this](TReader* R) {
            const Int64 V = R->ReadInteger();
            if (V >= QorStyleIF::tsOffice2003Blue && V <= QorStyleIF::tsOffice2016Black)
                FComponentStyle = QorStyleIF::TJOQStyle(V);
        },
        [this](TWriter* W) { W->WriteInteger(FComponentStyle); }, true);
}

// ---- messages -----------------------------------------------------------------------------------

void TQorCustomDropDown::WndProc(TMessage& Message)
{
    inherited::WndProc(Message);
    if (Message.Msg == EM_SETREADONLY && FButton) FButton->GetButton()->Invalidate();
}

void TQorCustomDropDown::DefaultHandler(TMessage& Message)
{
    // The window is multi-line only for its text rectangle: a line break or tab never reaches it.
    if (Message.Msg == WM_CHAR && JyrControls::IsLineBreakChar(Message.WParam)) {
        Message.Result = 0;
        return;
    }
    // One change of the text instead of the digit and then the regrouped value: the edit window
    // lays its whole text out again for every change.
    if (Message.Msg == WM_CHAR && FRegroupTyped && Message.WParam >= L'0' && Message.WParam <= L'9' &&
        TypeRegrouped(Char(Message.WParam))) {
        Message.Result = 0;
        return;
    }
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DefWindowProcW(GetHandle(), WM_GETDLGCODE, Message.WParam, Message.LParam);
        TWinControl::DefaultHandler(Message);
        return;
    }
    inherited::DefaultHandler(Message);
}

void TQorCustomDropDown::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN: WMKeyDown(Message); break;
    case WM_CHAR: WMChar(Message); break;
    case WM_CUT: WMCut(Message); break;
    case WM_COPY: WMCopy(Message); break;
    case WM_PASTE: WMPaste(Message); break;
    case WM_SETFOCUS: WMSetFocus(Message); break;
    case WM_KILLFOCUS: WMKillFocus(Message); break;
    case WM_LBUTTONDOWN: WMLButtonDown(Message); break;
    case WM_LBUTTONUP: WMLButtonUp(Message); break;
    case WM_SETCURSOR: WMSetCursor(Message); break;
    case WM_SIZE:
        inherited::Dispatch(Message);
        ResizeControl();
        break;
    case WM_PAINT: WMPaint(Message); break;
    case WM_NCPAINT: WMNCPaint(Message); break;
    case CN_COMMAND: CNCommand(Message); break;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(Message); break;
    case CM_ENTER: CMEnter(Message); break;
    case CM_EXIT: CMExit(Message); break;
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); break;
    default: inherited::Dispatch(Message);
    }
}

void TQorCustomDropDown::WMSetCursor(TMessage& Message)
{
    if (FEditorEnabled) {
        inherited::Dispatch(Message);
        return;
    }
    ::SetCursor(Screen ? Screen->GetCursors(GetCursor()) : LoadCursorW(nullptr, IDC_ARROW));
    Message.Result = 1;
}

void TQorCustomDropDown::CMEnabledChanged(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (FButton) FButton->SetEnabled(GetEnabled());
    if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(GetEnabled());
}

void TQorCustomDropDown::CMFontChanged(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (HandleAllocated()) SetEditRect();
}

void TQorCustomDropDown::CMParentFontChanged(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (FLabel && GetParentFont()) FLabel->GetFont()->Assign(GetFont());
    UpdateLabel();
}

void TQorCustomDropDown::CMVisibleChanged(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (FLabel && !GetLabelCaption().empty()) FLabel->SetVisible(GetVisible());
}

void TQorCustomDropDown::DoEnter()
{
    inherited::DoEnter();
    SetEditRect();
}

// ---- registration -------------------------------------------------------------------------------

void TQorDropDown::RegisterProperties(TPropertyTable& T)
{
    using C = TQorCustomDropDown;
    T.Add(L"DropDownWidth", &C::GetDropDownWidth, &C::SetDropDownWidth, 0);
    T.Add(L"DropDownHeight", &C::GetDropDownHeight, &C::SetDropDownHeight, 0);
    T.Add(L"EditorEnabled", &C::GetEditorEnabled, &C::SetEditorEnabled, true);
    T.Add(L"DropDownEnabled", &C::GetDropDownEnabled, &C::SetDropDownEnabled, true);
    T.Add(L"DropPosition", &C::GetDropPosition, &C::SetDropPosition, dpAuto);
    T.AddColor(L"DropDownColor", &C::GetDropDownColor, &C::SetDropDownColor, clWhite);
    T.AddColor(L"DropDownColorTo", &C::GetDropDownColorTo, &C::SetDropDownColorTo, clNone);
    T.AddColor(L"DropDownBorderColor", &C::GetDropDownBorderColor, &C::SetDropDownBorderColor, clBlack);
    T.Add(L"DropDownBorderWidth", &C::GetDropDownBorderWidth, &C::SetDropDownBorderWidth, 1);
    T.Add(L"DropDownShadow", &C::GetDropDownShadow, &C::SetDropDownShadow, true);
    T.Add(L"DropDownSizeable", &C::GetDropDownSizeable, &C::SetDropDownSizeable, true);
    T.Add(L"DropDownButtonWidth", &C::GetDropDownButtonWidth, &C::SetDropDownButtonWidth, 17);
    T.Add(L"DropDownButtonHint", &C::GetDropDownButtonHint, &C::SetDropDownButtonHint);
    T.Add(L"DropDownButtonGlyph", &C::GetDropDownButtonGlyph, &C::SetDropDownButtonGlyph);
    T.Add(L"ButtonAppearance", &C::GetButtonAppearance, &C::SetButtonAppearance);
    T.Add(L"DropDownHeader", &C::GetDropDownHeader, &C::SetDropDownHeader);
    T.Add(L"DropDownFooter", &C::GetDropDownFooter, &C::SetDropDownFooter);
    T.Add(L"Images", &C::GetImages, &C::SetImages);
    T.AddColor(L"BorderColor", &C::GetBorderColor, &C::SetBorderColor, clNone);
    T.AddColor(L"FocusBorderColor", &C::GetFocusBorderColor, &C::SetFocusBorderColor, clNone);
    T.Add(L"EmptyText", &C::GetEmptyText, &C::SetEmptyText);
    T.Add(L"EmptyTextFocused", &C::GetEmptyTextFocused, &C::SetEmptyTextFocused, false);
    T.Add(L"EmptyTextStyle", &C::GetEmptyTextStyle, &C::SetEmptyTextStyle);
    T.Add(L"LabelCaption", &C::GetLabelCaption, &C::SetLabelCaption);
    T.Add(L"LabelPosition", &C::GetLabelPosition, &C::SetLabelPosition, QorDropDown::lpLeftTop);
    T.Add(L"LabelMargin", &C::GetLabelMargin, &C::SetLabelMargin, 4);
    T.Add(L"LabelTransparent", &C::GetLabelTransparent, &C::SetLabelTransparent, false);
    T.Add(L"LabelAlwaysEnabled", &C::GetLabelAlwaysEnabled, &C::SetLabelAlwaysEnabled, false);
    T.Add(L"LabelFont", &C::GetLabelFont, &C::SetLabelFont);
    T.Add(L"Version", &C::GetVersion, &C::SetVersion);
    T.Add(L"Text", &C::GetText, &C::SetText);
    T.AddEvent(L"OnBeforeDropDown", &C::OnBeforeDropDown);
    T.AddEvent(L"OnDropDown", &C::OnDropDown);
    T.AddEvent(L"OnBeforeDropUp", &C::OnBeforeDropUp);
    T.AddEvent(L"OnDropUp", &C::OnDropUp);
    T.AddEvent(L"OnGetDropDownPos", &C::OnGetDropDownPos);
    T.AddEvent(L"OnDropDownHeaderButtonClick", &C::OnDropDownHeaderButtonClick);
    T.AddEvent(L"OnDropDownFooterButtonClick", &C::OnDropDownFooterButtonClick);
    T.AddEvent(L"OnDrawHeader", &C::OnDrawHeader);
    T.AddEvent(L"OnDrawFooter", &C::OnDrawFooter);
    T.AddEvent(L"OnGetHeaderText", &C::OnGetHeaderText);
    T.AddEvent(L"OnGetFooterText", &C::OnGetFooterText);
    T.AddEvent(L"OnLabelClick", &C::OnLabelClick);
    T.AddEvent(L"OnLabelDblClick", &C::OnLabelDblClick);
}
