// StdCtrls: the push button, check box and radio button over the platform's BUTTON class; the
// label and the group box, painted by the library.
#include "StdCtrls.h"

#include <algorithm>

// ---- TButtonControl ----------------------------------------------------------------------------

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner)
{
    // Clicks come from the window's BN_CLICKED, never from the mouse messages themselves.
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
}

void TButtonControl::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    CreateSubClass(Params, L"BUTTON");
    if (FWordWrap) Params.Style |= BS_MULTILINE;
    Params.WindowClass.style &= ~UINT(CS_PARENTDC);
}

void TButtonControl::SetWordWrap(bool Value)
{
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    RecreateWnd();
}

void TButtonControl::Dispatch(TMessage& Message)
{
    if (StdCtrlsDetail::IsWindowMouseMessage(Message.Msg)) DefaultHandler(Message);
    inherited::Dispatch(Message);
}

// ---- TButton -----------------------------------------------------------------------------------

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner)
{
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
    FParentColor = false;
    SetColor(clBtnFace);
}

void TButton::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.Style |= FActive ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetButtonStyle(bool ADefault)
{
    if (!FHandle) return;
    DWORD Style = ADefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((GetWindowLongPtrW(FHandle, GWL_STYLE) & 0x0F) != LONG_PTR(Style))
        SendMessageW(FHandle, BM_SETSTYLE, Style, TRUE);
}

void TButton::SetDefault(bool Value)
{
    FDefault = Value;
    TCustomForm* Form = GetParentForm(this);
    TWinControl* Active = Form ? Form->GetActiveControl() : nullptr;
    FActive = dynamic_cast<TButton*>(Active) ? Active == this : FDefault;
    SetButtonStyle(FActive);
}

void TButton::Click()
{
    if (TCustomForm* Form = GetParentForm(this); Form && FModalResult != mrNone)
        Form->SetModalResult(FModalResult);
    inherited::Click();
}

void TButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    case CM_DIALOGKEY: CMDialogKey(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    case CM_FOCUSCHANGED: CMFocusChangedBtn(Message); break;
    default: inherited::Dispatch(Message);
    }
}

void TButton::CNCommand(TMessage& Message)
{
    if (HIWORD(Message.WParam) == BN_CLICKED) Click();
}

void TButton::CMDialogKey(TMessage& Message)
{
    bool Mine = (Message.WParam == VK_RETURN && FActive) || (Message.WParam == VK_ESCAPE && FCancel);
    if (Mine && KeyDataToShiftState(Message.LParam).Empty() && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    inherited::Dispatch(Message);
}

void TButton::CMDialogChar(TMessage& Message)
{
    if (IsAccel(Word(Message.WParam), GetCaption()) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    inherited::Dispatch(Message);
}

void TButton::CMFocusChangedBtn(TMessage& Message)
{
    auto* Sender = reinterpret_cast<TWinControl*>(Message.LParam);
    FActive = dynamic_cast<TButton*>(Sender) ? Sender == this : FDefault;
    SetButtonStyle(FActive);
    inherited::Dispatch(Message);
}

// ---- TCustomCheckBox ---------------------------------------------------------------------------

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner)
{
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

void TCustomCheckBox::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.Style |= BS_3STATE;
    if (FAlignment == lrLeft) Params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd()
{
    inherited::CreateWnd();
    SendMessageW(FHandle, BM_SETCHECK, WPARAM(FState), 0);
}

void TCustomCheckBox::SetAlignment(TLeftRight Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    RecreateWnd();
}

void TCustomCheckBox::SetState(TCheckBoxState Value)
{
    if (FState == Value) return;
    FState = Value;
    if (FHandle) SendMessageW(FHandle, BM_SETCHECK, WPARAM(FState), 0);
    if (!FClicksDisabled && !IsLoading()) Click();
}

void TCustomCheckBox::Toggle()
{
    switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCustomCheckBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN:
        if (Message.WParam == VK_SPACE) {
            TCheckBoxState Before = FState;
            inherited::Dispatch(Message);
            if (FState != Before) FSpaceToggled = true;
            break;
        }
        inherited::Dispatch(Message);
        break;
    case WM_KEYUP:
    case WM_KILLFOCUS:
        inherited::Dispatch(Message);
        if (Message.Msg == WM_KILLFOCUS || Message.WParam == VK_SPACE) FSpaceToggled = false;
        break;
    case CN_COMMAND: CNCommand(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    default: inherited::Dispatch(Message);
    }
}

void TCustomCheckBox::CNCommand(TMessage& Message)
{
    if (HIWORD(Message.WParam) != BN_CLICKED) return;
    if (FSpaceToggled) {
        FSpaceToggled = false;
        return;
    }
    Toggle();
}

void TCustomCheckBox::CMDialogChar(TMessage& Message)
{
    if (IsAccel(Word(Message.WParam), GetCaption()) && CanFocus()) {
        SetFocus();
        if (Focused()) Toggle();
        Message.Result = 1;
        return;
    }
    inherited::Dispatch(Message);
}

// ---- TRadioButton ------------------------------------------------------------------------------

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner)
{
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.Style |= BS_RADIOBUTTON;
    if (FAlignment == lrLeft) Params.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWnd()
{
    inherited::CreateWnd();
    SendMessageW(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetAlignment(TLeftRight Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    RecreateWnd();
}

void TRadioButton::SetChecked(bool Value)
{
    if (FChecked == Value) return;
    FChecked = Value;
    SetTabStop(Value);
    if (FHandle) SendMessageW(FHandle, BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!Value) return;
    if (FParent) {
        for (int I = 0; I < FParent->ControlCount(); ++I)
            if (auto* R = dynamic_cast<TRadioButton*>(FParent->Controls(I)); R && R != this) {
                // A sibling turned off by this one reports no click of its own.
                TValueScope Quiet(R->FClicksDisabled, true);
                R->SetChecked(false);
            }
    }
    if (!FClicksDisabled && !IsLoading()) Click();
}

void TRadioButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    default: inherited::Dispatch(Message);
    }
}

void TRadioButton::CNCommand(TMessage& Message)
{
    switch (HIWORD(Message.WParam)) {
    case BN_CLICKED: SetChecked(true); break;
    case BN_DOUBLECLICKED: DblClick(); break;
    default: break;
    }
}

void TRadioButton::CMDialogChar(TMessage& Message)
{
    if (IsAccel(Word(Message.WParam), GetCaption()) && CanFocus()) {
        SetFocus();
        if (Focused()) SetChecked(true);
        Message.Result = 1;
        return;
    }
    inherited::Dispatch(Message);
}

// ---- TCustomLabel ------------------------------------------------------------------------------

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle << csOpaque << csReplicatable;
    SetBounds(0, 0, 65, 17);
}

UINT TCustomLabel::TextFlags() const
{
    static const UINT Alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    UINT Flags = DT_EXPANDTABS | Alignments[FAlignment];
    if (FWordWrap) Flags |= DT_WORDBREAK;
    if (!FShowAccelChar) Flags |= DT_NOPREFIX;
    return DrawTextBiDiModeFlags(Flags);
}

String TCustomLabel::DrawableText() const
{
    return FText;
}

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags)
{
    String Text = DrawableText();
    if ((Flags & DT_CALCRECT) && (Text.empty() || (FShowAccelChar && Text == L"&"))) Text += L" ";
    HDC DC = FCanvas->GetHandle();
    RECT R{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
    {
        TSelectObject Font(DC, FFont->GetHandle());
        int OldMode = SetBkMode(DC, TRANSPARENT);
        if (Flags & DT_CALCRECT) {
            DrawTextW(DC, Text.c_str(), int(Text.size()), &R, Flags);
        } else if (!GetEnabled()) {
            OffsetRect(&R, 1, 1);
            SetTextColor(DC, ColorToRGB(clBtnHighlight));
            DrawTextW(DC, Text.c_str(), int(Text.size()), &R, Flags);
            OffsetRect(&R, -1, -1);
            SetTextColor(DC, ColorToRGB(clBtnShadow));
            DrawTextW(DC, Text.c_str(), int(Text.size()), &R, Flags);
        } else {
            SetTextColor(DC, ColorToRGB(FFont->GetColor()));
            DrawTextW(DC, Text.c_str(), int(Text.size()), &R, Flags);
        }
        SetBkMode(DC, OldMode);
    }
    Rect = TRect{R.left, R.top, R.right, R.bottom};
}

void TCustomLabel::Paint()
{
    TRect R{0, 0, FWidth, FHeight};
    if (!FTransparent) {
        FCanvas->GetBrush()->SetColor(FColor);
        FCanvas->FillRect(R);
    }
    UINT Flags = TextFlags();
    if (FLayout != tlTop) {
        TRect Calc = R;
        DoDrawText(Calc, Flags | DT_CALCRECT);
        int Dy = FLayout == tlBottom ? FHeight - Calc.Bottom : (FHeight - Calc.Bottom) / 2;
        R.Top += Dy;
        R.Bottom += Dy;
    }
    DoDrawText(R, Flags);
}

void TCustomLabel::AdjustBounds()
{
    if (!FAutoSize || IsLoading()) return;
    // Measured on a screen device context: the label may not stand on a window yet.
    String Text = DrawableText();
    if (Text.empty() || (FShowAccelChar && Text == L"&")) Text += L" ";
    RECT R{0, 0, FWidth, 0};
    UINT Flags = DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0) | (FShowAccelChar ? 0 : DT_NOPREFIX);
    {
        TClientDC DC(nullptr);
        TSelectObject Font(DC, FFont->GetHandle());
        DrawTextW(DC, Text.c_str(), int(Text.size()), &R, Flags);
    }
    int X = FLeft;
    bool Right = (FAlignment == taRightJustify) != UseRightToLeftAlignment();
    if (!FWordWrap && Right) X += FWidth - R.right;
    else if (!FWordWrap && FAlignment == taCenter) X += (FWidth - R.right) / 2;
    SetBounds(X, FTop, R.right, R.bottom);
}

void TCustomLabel::Loaded()
{
    inherited::Loaded();
    AdjustBounds();
}

void TCustomLabel::SetTextValue(const String& Value)
{
    inherited::SetTextValue(Value);
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value)
{
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    AdjustBounds();
}

void TCustomLabel::SetFocusControl(TWinControl* Value)
{
    if (FFocusControl == Value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TCustomLabel::SetLayout(TTextLayout Value)
{
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value)
{
    if (FShowAccelChar == Value) return;
    FShowAccelChar = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool Value)
{
    if (FTransparent == Value) return;
    FTransparent = Value;
    if (Value) FControlStyle >> csOpaque;
    else FControlStyle << csOpaque;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value)
{
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_FONTCHANGED:
        inherited::Dispatch(Message);
        AdjustBounds();
        Invalidate();
        break;
    case CM_DIALOGCHAR:
        if (FFocusControl && GetEnabled() && FShowAccelChar && IsAccel(Word(Message.WParam), FText) &&
            FFocusControl->CanFocus()) {
            FFocusControl->SetFocus();
            Message.Result = 1;
            break;
        }
        inherited::Dispatch(Message);
        break;
    default: inherited::Dispatch(Message);
    }
}

// ---- TCustomGroupBox ---------------------------------------------------------------------------

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    SetBounds(0, 0, 185, 105);
}

int TCustomGroupBox::CaptionHeight()
{
    TClientDC DC(nullptr);
    TSelectObject Font(DC, FFont->GetHandle());
    TEXTMETRICW M{};
    GetTextMetricsW(DC, &M);
    return M.tmHeight;
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect)
{
    inherited::AdjustClientRect(Rect);
    Rect.Top += CaptionHeight();
    int Inset = FCtl3D ? 2 : 1;
    Rect.Left += Inset;
    Rect.Top += Inset;
    Rect.Right -= Inset;
    Rect.Bottom -= Inset;
}

void TCustomGroupBox::Paint()
{
    TCanvas* C = GetCanvas();
    HDC DC = C->GetHandle();
    C->GetBrush()->SetColor(FColor);
    C->FillRect(TRect{0, 0, FWidth, FHeight});
    int H = CaptionHeight();
    RECT Frame{0, H / 2 - 1, FWidth, FHeight};
    if (FCtl3D) DrawEdge(DC, &Frame, EDGE_ETCHED, BF_RECT);
    else FrameRect(DC, &Frame, GetSysColorBrush(COLOR_WINDOWFRAME));
    String Text = GetText();
    if (Text.empty()) return;
    TSelectObject Font(DC, FFont->GetHandle());
    RECT R{0, 0, 0, H};
    UINT Flags = DrawTextBiDiModeFlags(DT_SINGLELINE | DT_LEFT);
    DrawTextW(DC, Text.c_str(), int(Text.size()), &R, Flags | DT_CALCRECT);
    int W = R.right - R.left;
    R.left = UseRightToLeftAlignment() ? FWidth - 8 - W : 8;
    R.right = R.left + W;
    SetBkMode(DC, OPAQUE);
    SetBkColor(DC, ColorToRGB(FColor));
    SetTextColor(DC, ColorToRGB(GetEnabled() ? FFont->GetColor() : clGrayText));
    DrawTextW(DC, Text.c_str(), int(Text.size()), &R, Flags);
}

void TCustomGroupBox::SetTextValue(const String& Value)
{
    inherited::SetTextValue(Value);
    Invalidate();
}

void TCustomGroupBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_FONTCHANGED:
        inherited::Dispatch(Message);
        Realign();
        Invalidate();
        break;
    case CM_DIALOGCHAR:
        if (IsAccel(Word(Message.WParam), GetCaption()) && CanFocus()) {
            SelectFirst();
            Message.Result = 1;
            break;
        }
        inherited::Dispatch(Message);
        break;
    default: inherited::Dispatch(Message);
    }
}
