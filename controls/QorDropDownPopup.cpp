// QorDropDown: the popup form, its header and footer bands and their buttons.
#include "controls/QorDropDown.h"

#include "framework/Math.h"
#include "framework/StdCtrls.h"
#include "framework/SysUtils.h"
#include "framework/TypInfo.h"
#include "framework/WinScope.h"
#include "graphics/JyrHTMLE.h"

#include <algorithm>

using namespace QorDropDown;

// ---- TDropDownForm --------------------------------------------------------------------------------

TDropDownForm::TDropDownForm(TComponent* AOwner) : TForm(AOwner) {}

TDropDownForm* TDropDownForm::CreateNew(TComponent* AOwner, int)
{
    auto* F = TForm::CreateNew<TDropDownForm>(AOwner);
    F->FShadow = true;
    F->FIsDeactivating = false;
    F->FCancelOnDeActivate = true;
    return F;
}

void TDropDownForm::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.ExStyle |= WS_EX_TOPMOST;
    if (FQorDropDown) {
        if (TCustomForm* F = GetParentForm(FQorDropDown)) Params.WndParent = F->GetHandle();
    }
}

void TDropDownForm::AdjustClientRect(TRect& Rect)
{
    inherited::AdjustClientRect(Rect);
    if (!FQorDropDown) return;
    const int B = FQorDropDown->GetDropDownBorderWidth();
    Rect.Left += B;
    Rect.Top += B;
    Rect.Right -= B;
    Rect.Bottom -= B;
}

void TDropDownForm::DrawBackGround(TCanvas* ACanvas)
{
    if (!FQorDropDown || !ACanvas) return;
    TQorCustomDropDown* D = FQorDropDown;
    const int B = D->GetDropDownBorderWidth();
    const TRect C = GetClientRect();
    TRect R(C.Left + B, C.Top + B, C.Right - B, C.Bottom - B);
    if (D->GetDropDownColor() != clNone && D->GetDropDownColorTo() != clNone) {
        DrawGradient(ACanvas, D->GetDropDownColor(), D->GetDropDownColorTo(), 80, R,
                     D->GetDropDownGradient() == gdHorizontal);
    } else if (D->GetDropDownColor() != clNone) {
        ACanvas->GetBrush()->SetStyle(bsSolid);
        ACanvas->GetBrush()->SetColor(D->GetDropDownColor());
        ACanvas->FillRect(R);
    }
    if (B > 0) {
        R = TRect(C.Left + B / 2, C.Top + B / 2, C.Right, C.Bottom);
        ACanvas->GetPen()->SetWidth(B);
        ACanvas->GetPen()->SetColor(D->GetDropDownBorderColor());
        ACanvas->GetBrush()->SetStyle(bsClear);
        ACanvas->Rectangle(R);
        ACanvas->GetPen()->SetWidth(1);
        ACanvas->GetBrush()->SetStyle(bsSolid);
    }
}

void TDropDownForm::Paint()
{
    inherited::Paint();
    DrawBackGround(FCanvas.get());
}

HWND TDropDownForm::GetParentWnd()
{
    auto* Owner = dynamic_cast<TWinControl*>(GetOwner());
    if (!Owner || !Owner->HandleAllocated()) return nullptr;
    HWND W = ::GetParent(Owner->GetHandle()), Last = nullptr;
    while (W) {
        Last = W;
        W = ::GetParent(W);
    }
    return Last;
}

void TDropDownForm::InitializeAndUpdate()
{
    if (!FQorDropDown) return;
    TQorCustomDropDown* D = FQorDropDown;
    // The header and the footer take the same three steps with their own appearance and events.
    auto Band = [this, D](auto*& Panel, TQorBandAppearance* A, TAlign Align, const TDrawBackGroundEvent& Draw,
                          const TGetTextEvent& Text) {
        using TPanel = std::remove_pointer_t<std::remove_reference_t<decltype(Panel)>>;
        if (Panel) {
            Panel->SetQorDropDown(D);
            Panel->SetHeight(A->GetHeight());
            Panel->Initialize();
            Panel->SetVisible(A->GetVisible());
        } else if (A->GetVisible()) {
            Panel = Create<TPanel>(this);
            Panel->SetParent(this);
            Panel->SetHeight(A->GetHeight());
            Panel->SetQorDropDown(D);
            Panel->Initialize();
            Panel->SetAlign(Align);
        }
        if (Panel) {
            Panel->OnDrawBackGround = Draw;
            Panel->OnGetText = Text;
        }
    };
    Band(FHeader, D->GetDropDownHeader(), alTop, D->OnDrawHeader, D->OnGetHeaderText);
    Band(FFooter, D->GetDropDownFooter(), alBottom, D->OnDrawFooter, D->OnGetFooterText);
}

void TDropDownForm::WMActivate(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (FBlockActivate) return;
    if (LOWORD(Message.WParam) != WA_INACTIVE) {
        if (HWND P = GetParentWnd()) SendMessageW(P, WM_NCACTIVATE, 1, 0);
        return;
    }
    if (!GetVisible()) return;
    FIsDeactivating = true;
    FDeActivate = TickCount();
    // A window of the popup itself (an owned window of the hosted control) keeps it open.
    const HWND Own = HandleAllocated() ? GetHandle() : nullptr;
    for (HWND W = reinterpret_cast<HWND>(Message.LParam); W; W = ::GetParent(W))
        if (W == Own) return;
    if (FQorDropDown) FQorDropDown->DoHideDropDown(FCancelOnDeActivate);
    else Hide();
    FIsDeactivating = false;
}

void TDropDownForm::WMNCHitTest(TMessage& Message)
{
    POINT P{SmallInt(LOWORD(Message.LParam)), SmallInt(HIWORD(Message.LParam))};
    if (HandleAllocated()) ::ScreenToClient(GetHandle(), &P);
    Message.Result = HTNOWHERE;
    if (FSizeable && P.x > GetWidth() - 10 && P.y > GetHeight() - 10) Message.Result = HTBOTTOMRIGHT;
}

void TDropDownForm::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ACTIVATE: WMActivate(Message); break;
    case WM_NCHITTEST: WMNCHitTest(Message); break;
    case WM_GETDLGCODE: Message.Result = DLGC_WANTALLKEYS | DLGC_WANTARROWS; break;
    case WM_SIZE:
        inherited::Dispatch(Message);
        if (HandleAllocated()) InvalidateRect(GetHandle(), nullptr, FALSE);
        break;
    case WM_SIZING:
        inherited::Dispatch(Message);
        if (OnSizing) OnSizing(this);
        break;
    default: inherited::Dispatch(Message);
    }
}

void TDropDownForm::RegisterProperties(TPropertyTable& Table)
{
    using T = TDropDownForm;
    Table.Add(L"CancelOnDeActivate", &T::GetCancelOnDeActivate, &T::SetCancelOnDeActivate, true);
    Table.Add(L"BlockActivate", &T::GetBlockActivate, &T::SetBlockActivate, false);
    Table.Add(L"Sizeable", &T::GetSizeable, &T::SetSizeable, false);
}

// ---- TQorButton -------------------------------------------------------------------------------------

TQorButton::TQorButton(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(0, 0, 23, 22);
    FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks};
    SetParentFont(true);
    GetFont()->SetName(L"Tahoma");
    SetShowHint(false);
    SetDoubleBuffered(true);
    FUnHotTimer = Create<TTimer>(this);
    FUnHotTimer->SetInterval(1);
    FUnHotTimer->SetEnabled(false);
    FUnHotTimer->OnTimer = [this](TObject* Sender) { UnHotTimerOnTime(Sender); };
}

TQorButton::~TQorButton() = default;

void TQorButton::Loaded()
{
    inherited::Loaded();
    if (FDown != FInitialDown) SetDown(FInitialDown);
}

void TQorButton::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages && !GetComponentState().Contains(csDestroying))
        FImages = nullptr;
}

void TQorButton::SetImages(TCustomImageList* Value)
{
    if (FImages == Value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
}

void TQorButton::SetQorDropDown(TQorCustomDropDown* Value)
{
    if (FQorDropDown != Value) FQorDropDown = Value;
}

bool TQorButton::Inside(int X, int Y)
{
    return X >= 0 && X < GetClientWidth() && Y >= 0 && Y <= GetClientHeight();
}

void TQorButton::SetDown(bool Value)
{
    if (IsLoading()) FInitialDown = Value;
    if (Style == tasButton && GroupIndex == 0) Value = false;
    if (Style == tasCheck) {
        FDown = Value;
        FState = Value ? absDown : absUp;
        Repaint();
        return;
    }
    if (Value == FDown || (FDown && !AllowAllUp)) return;
    FDown = Value;
    if (Value) {
        if (FState == absUp) Invalidate();
        FState = absExclusive;
        UpdateExclusive();
    } else {
        FState = absUp;
        Repaint();
    }
}

void TQorButton::UpdateExclusive()
{
    if (GroupIndex == 0 || !GetParent()) return;
    TMessage M{CM_BUTTONPRESSED, WPARAM(GroupIndex), reinterpret_cast<LPARAM>(this), 0};
    TWinControl* P = GetParent();
    for (int I = 0; I < P->ControlCount(); ++I) P->Controls(I)->Dispatch(M);
}

void TQorButton::CMButtonPressed(TMessage& Message)
{
    auto* Sender = reinterpret_cast<TQorButton*>(Message.LParam);
    if (int(Message.WParam) != GroupIndex || Sender == this || !Sender) return;
    if (Sender->FDown && FDown) {
        FDown = false;
        FState = absUp;
        Invalidate();
    }
    AllowAllUp = Sender->AllowAllUp;
}

void TQorButton::Click()
{
    if (TCustomForm* F = GetParentForm(this)) F->SetModalResult(ModalResult);
    const bool Cancel = ModalResult == mrCancel || ModalResult == mrAbort || ModalResult == mrIgnore ||
                        ModalResult == mrNo || ModalResult == mrNoToAll;
    const bool Closes = Cancel || ModalResult == mrOk || ModalResult == mrYes || ModalResult == mrAll ||
                        ModalResult == mrYesToAll;
    if (FQorDropDown && Closes) FQorDropDown->DoHideDropDown(Cancel);
    // Enter and Space raise the same event as a click of the mouse.
    inherited::Click();
}

void TQorButton::WMKeyDown(TMessage& Message)
{
    if (Message.WParam == VK_RETURN || Message.WParam == VK_SPACE) {
        if (!FDown) {
            FState = absDown;
            Invalidate();
        }
        if (Style == tasCheck) {
            FState = absDown;
            Repaint();
        }
        TValueScope<bool> Internal(FInternalClick, true);
        Click();
    }
    inherited::Dispatch(Message);
}

void TQorButton::CMDialogChar(TMessage& Message)
{
    if (GetEnabled() && IsAccel(Word(Message.WParam), GetCaption())) {
        Click();
        Message.Result = 1;
        return;
    }
    inherited::Dispatch(Message);
}

void TQorButton::CMMouseEnter(TMessage& Message)
{
    inherited::Dispatch(Message);
    FMouseInControl = true;
    if (GetEnabled()) Invalidate();
    FUnHotTimer->SetEnabled(true);
    if (OnMouseEnter) OnMouseEnter(this);
}

void TQorButton::CMMouseLeave(TMessage& Message)
{
    inherited::Dispatch(Message);
    FUnHotTimer->SetEnabled(false);
    FMouseInControl = false;
    if (GetEnabled()) Invalidate();
    if (OnMouseLeave) OnMouseLeave(this);
}

void TQorButton::UnHotTimerOnTime(TObject*)
{
    POINT P;
    GetCursorPos(&P);
    if (HandleAllocated()) ::ScreenToClient(GetHandle(), &P);
    const TRect R = GetClientRect();
    if (P.x >= R.Left && P.x < R.Right && P.y >= R.Top && P.y < R.Bottom) return;
    FUnHotTimer->SetEnabled(false);
    FMouseInControl = false;
    if (GetEnabled()) Invalidate();
}

void TQorButton::UpdateTracking()
{
    if (!GetEnabled()) return;
    POINT P;
    GetCursorPos(&P);
    TMessage M{FindDragTarget(TPoint(P.x, P.y), true) == this ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0, 0};
    Dispatch(M);
}

void TQorButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !GetEnabled()) return;
    FMouseDownInControl = true;
    ButtonDown();
    if (!FDown) {
        FState = absDown;
        Invalidate();
    }
    if (Style == tasCheck) {
        FState = absDown;
        Repaint();
    }
    FDragging = true;
}

void TQorButton::MouseMove(TShiftState Shift, int X, int Y)
{
    inherited::MouseMove(Shift, X, Y);
    if (FDragging) {
        TQorButtonState S = FDown ? absExclusive : absUp;
        if (Inside(X, Y)) S = FDown ? absExclusive : absDown;
        if (Style == tasCheck && FDown) S = absDown;
        if (S != FState) {
            FState = S;
            Invalidate();
        }
    } else if (!FMouseInControl) {
        UpdateTracking();
    }
}

void TQorButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FMouseDownInControl = false;
    Invalidate();
    const bool WasDragging = FDragging;
    FDragging = false;
    const bool In = Inside(X, Y);
    if (WasDragging) {
        if (GroupIndex == 0) {
            FState = absUp;
            FMouseInControl = false;
            if (Style == tasCheck) {
                SetDown(!FDown);
                FState = absUp;
            }
            if (In) Invalidate();
        } else if (In) {
            SetDown(!FDown);
            if (FDown) Repaint();
        } else {
            if (FDown) FState = absExclusive;
            Repaint();
        }
    }
    // The framework's click follows a release inside the button.
    inherited::MouseUp(Button, Shift, X, Y);
    if (WasDragging) UpdateTracking();
}

void TQorButton::PaintParentBackground()
{
    TWinControl* P = GetParent();
    if (!P) return;
    const HDC DC = GetCanvas()->GetHandle();
    TSavedDC Saved(DC);
    const TRect C = GetClientRect();
    IntersectClipRect(DC, C.Left, C.Top, C.Right, C.Bottom);
    POINT Old;
    OffsetWindowOrgEx(DC, GetLeft(), GetTop(), &Old);
    P->Perform(WM_ERASEBKGND, WPARAM(DC), 0);
    P->Perform(WM_PAINT, WPARAM(DC), 0);
    if (auto* W = dynamic_cast<TWinCtrl*>(P)) W->PaintCtrls(DC, nullptr);
}

void TQorButton::Paint()
{
    if (GetEnabled()) {
        if (FState == absDisabled) FState = (FDown && GroupIndex != 0) ? absExclusive : absUp;
    } else {
        FState = absDisabled;
        FDragging = false;
    }
    if (Style == tasCheck && FDown) FState = absDown;
    PaintParentBackground();
    DrawButton(GetCanvas());
}

void TQorButton::DrawButton(TCanvas* ACanvas)
{
    if (!Appearance || !ACanvas) return;
    TQorButtonAppearance* A = Appearance;
    TColor From = A->GetColor(), To = A->GetColorTo(), Border = A->GetBorderColor();
    if (!GetEnabled()) {
        From = A->GetColorDisabled();
        To = A->GetColorDisabledTo();
        Border = A->GetBorderColorDisabled();
    } else if (FMouseDownInControl && FMouseInControl) {
        From = To = A->GetColorDown();
        Border = A->GetBorderColorDown();
    } else if (FDown) {
        From = To = A->GetColorChecked();
        Border = A->GetBorderColorChecked();
    } else if (FMouseInControl || Focused()) {
        From = To = A->GetColorHot();
        Border = A->GetBorderColorHot();
    }
    const TRect R = GetClientRect();
    DrawGradientBackGround(ACanvas, R, From, To, Border, 1, A->GetGradient());
    ACanvas->GetBrush()->SetStyle(bsClear);
    ACanvas->SetFont(A->GetFont());
    DrawButtonContent(ACanvas, R, GetCaption(), FImages, ImageIndex);
    ACanvas->GetBrush()->SetStyle(bsSolid);
}

void TQorButton::SetAutoSizeEx()
{
    if (!Appearance) return;
    TCanvas* C = GetCanvas();
    TClientDC DC(nullptr);
    C->SetHandle(DC);
    auto Release = ScopeExit([C] { C->SetHandle(nullptr); });
    C->SetFont(Appearance->GetFont());
    TSize S = GetTextSize(C, GetCaption());
    int W = S.cx + 8;
    // Drawing puts the caption after the image (at image width + 8): the width holds both.
    if (FImages && ImageIndex >= 0) {
        S.cy = std::max(S.cy, FImages->GetHeight());
        W += FImages->GetWidth() + 4;
    }
    SetBounds(GetLeft(), GetTop(), W, S.cy + 4);
}

void TQorButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    case CM_ENABLEDCHANGED:
    case CM_FOCUSCHANGED:
        inherited::Dispatch(Message);
        Invalidate();
        break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    case CM_BUTTONPRESSED: CMButtonPressed(Message); break;
    case WM_KEYDOWN: WMKeyDown(Message); break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        inherited::Dispatch(Message);
        Invalidate();
        break;
    case WM_ERASEBKGND:
        Message.Result = 1;
        break;
    default: inherited::Dispatch(Message);
    }
}

// ---- bands ----------------------------------------------------------------------------------------

TQorBand::TQorBand(TComponent* AOwner) : TCustomControl(AOwner), FButtonList(Create<TDbgList>())
{
    FControlStyle = TControlStyle{csAcceptsControls, csClickEvents, csDoubleClicks};
    SetDoubleBuffered(true);
}

TQorBand::~TQorBand()
{
    FButtonList->Free();
}

void TQorBand::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TQorBand::SetImages(TCustomImageList* Value)
{
    if (FImages == Value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
}

void TQorBand::SetQorDropDown(TQorCustomDropDown* Value)
{
    FQorDropDown = Value;
    SetImages(Value ? Value->GetImages() : nullptr);
}

void TQorBand::AppearanceChanged(TObject*)
{
    TQorBandAppearance* A = BandAppearance();
    SetVisible(A->GetVisible());
    SetHeight(A->GetHeight());
}

void TQorBand::Initialize()
{
    if (FQorDropDown) CreateButtons();
}

TRect TQorBand::GetButtonsRect()
{
    TRect R = GetClientRect();
    return TRect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 3);
}

TRect TQorBand::GetButtonsCoveredRect()
{
    if (FButtonList->Count() == 0) return TRect(-1, -1, -1, -1);
    TRect R = GetButtonsRect();
    R.Right = static_cast<TQorButton*>(FButtonList->Last())->GetLeft() - 2;
    return R;
}

void TQorBand::DestroyButtons()
{
    for (int I = FButtonList->Count() - 1; I >= 0; --I) static_cast<TQorButton*>(FButtonList->Get(I))->Free();
    FButtonList->Clear();
}

void TQorBand::CreateButtons()
{
    TQorBandButtons* Items = DropDownButtons();
    if (!FQorDropDown || !Items) return;
    DestroyButtons();
    const int MaxH = GetMaxButtonHeight();
    for (int I = 0; I < Items->GetCount(); ++I) {
        auto* Item = static_cast<TQorBandButton*>(Items->GetItem(I));
        auto* B = Create<TQorButton>(this);
        B->SetParent(this);
        if (auto* F = dynamic_cast<TFooterButton*>(Item)) {
            B->SetQorDropDown(FQorDropDown);
            B->ModalResult = F->GetModalResult();
        }
        B->Appearance = FQorDropDown->GetButtonAppearance();
        B->SetCaption(Item->GetCaption());
        B->SetImages(FQorDropDown->GetImages());
        B->ImageIndex = Item->GetImageIndex();
        B->SetEnabled(Item->GetEnabled());
        B->SetAutoSizeEx();
        if (Item->GetWidth() > 0) B->SetWidth(Item->GetWidth());
        if (Item->GetHeight() > 0) B->SetHeight(Item->GetHeight());
        if (B->GetHeight() > MaxH) B->SetHeight(MaxH);
        B->SetTag(I);
        B->OnClick = [this](TObject* Sender) { OnButtonClick(Sender); };
        FButtonList->Add(B);
    }
    ArrangeButtons();
}

void TQorBand::ArrangeButtons()
{
    if (FButtonList->Count() == 0) return;
    const TRect R = GetButtonsRect();
    const bool Right = BandAppearance()->GetButtonAlignment() == baRight;
    int X = Right ? R.Right : R.Left;
    for (int I = 0; I < FButtonList->Count(); ++I) {
        auto* B = static_cast<TQorButton*>(FButtonList->Get(I));
        const int Top = std::max(R.Top, (R.Bottom - B->GetHeight()) / 2);
        if (Right) {
            X -= B->GetWidth();
            B->SetBounds(X, Top, B->GetWidth(), B->GetHeight());
        } else {
            B->SetBounds(X, Top, B->GetWidth(), B->GetHeight());
            X += B->GetWidth();
        }
    }
}

void TQorBand::UpdateButtons()
{
    TQorBandButtons* Items = DropDownButtons();
    if (!FQorDropDown || !Items) return;
    for (int I = 0; I < FButtonList->Count(); ++I) {
        auto* B = static_cast<TQorButton*>(FButtonList->Get(I));
        B->Appearance = FQorDropDown->GetButtonAppearance();
        B->SetImages(FQorDropDown->GetImages());
        if (I < Items->GetCount()) {
            auto* Item = static_cast<TQorBandButton*>(Items->GetItem(I));
            B->SetCaption(Item->GetCaption());
            B->ImageIndex = Item->GetImageIndex();
            B->SetEnabled(Item->GetEnabled());
        }
        B->SetAutoSizeEx();
    }
    ArrangeButtons();
}

void TQorBand::OnButtonClick(TObject* Sender)
{
    auto* B = dynamic_cast<TQorButton*>(Sender);
    if (!B || !FQorDropDown) return;
    const TDropDownButtonItemClick& E =
        IsFooter() ? FQorDropDown->OnDropDownFooterButtonClick : FQorDropDown->OnDropDownHeaderButtonClick;
    if (E) E(FQorDropDown, int(B->GetTag()));
}

void TQorBand::Paint()
{
    TCanvas* C = GetCanvas();
    TRect R = GetClientRect();
    if (OnDrawBackGround) {
        OnDrawBackGround(this, C, R);
        return;
    }
    TQorBandAppearance* A = BandAppearance();
    if (A->GetColorTo() != clNone) {
        DrawGradient(C, A->GetColor(), A->GetColorTo(), 80, R, A->GetGradientDirection() == gdHorizontal);
    } else if (A->GetColor() != clNone) {
        C->GetBrush()->SetStyle(bsSolid);
        C->GetBrush()->SetColor(A->GetColor());
        C->FillRect(R);
    }
    const int BW = A->GetBorderWidth();
    if (A->GetBorderColor() != clNone && BW > 0) {
        const bool OwnFrame = !FQorDropDown || FQorDropDown->GetDropDownBorderWidth() <= 0 ||
                              FQorDropDown->GetDropDownBorderColor() == clNone;
        C->GetPen()->SetWidth(BW);
        C->GetPen()->SetColor(A->GetBorderColor());
        const bool Footer = IsFooter();
        // The line towards the hosted control, and the other three edges when the popup has none.
        const int LineY = Footer ? R.Top : R.Bottom - 1;
        C->MoveTo(R.Left, LineY);
        C->LineTo(R.Right, LineY);
        if (OwnFrame) {
            const int FarY = Footer ? R.Bottom : R.Top;
            C->MoveTo(R.Left, LineY);
            C->LineTo(R.Left, FarY);
            C->LineTo(R.Right, FarY);
            C->LineTo(R.Right, LineY);
        }
        C->GetPen()->SetWidth(1);
        C->GetBrush()->SetStyle(bsClear);
        C->GetPen()->SetColor(BlendColor(A->GetBorderColor(), clWhite, 20));
        TRect Inner = R;
        if (Footer) Inner.Top += BW;
        else Inner.Bottom -= BW;
        C->Rectangle(Inner);
        C->GetBrush()->SetStyle(bsSolid);
    }
    TRect R1(R.Left + BW, R.Top + BW, R.Right - BW, R.Bottom - BW);
    if (A->GetImageIndex() >= 0 && FImages) {
        const int X = R1.Left + 4;
        FImages->Draw(C, X, R1.Top + (R1.Height() - FImages->GetHeight()) / 2, A->GetImageIndex(), true);
        R1.Left = X + FImages->GetWidth() + 4;
    }
    String Text = A->GetCaption();
    if (OnGetText) OnGetText(this, Text);
    if (!Text.empty()) {
        if (FButtonList->Count() > 0) R1.Right = GetButtonsCoveredRect().Right;
        C->SetFont(A->GetFont());
        JyrHTMLE::THTMLDrawRequest Q;
        Q.Canvas = C;
        Q.fr = R1;
        Q.Images = FImages;
        Q.ShadowOffset = 1;
        Q.WordWrap = true;
        Q.WinHandle = HandleAllocated() ? GetHandle() : nullptr;
        Q.CheckHeight = true;
        JyrHTMLE::THTMLDrawResult M;
        JyrHTMLE::HTMLDraw(Text, Q, M);
        if (M.YSize < R1.Height()) R1.Top += (R1.Height() - M.YSize) / 2;
        Q.fr = R1;
        Q.CheckHeight = false;
        C->GetBrush()->SetStyle(bsClear);
        JyrHTMLE::HTMLDraw(Text, Q, M);
        C->GetBrush()->SetStyle(bsSolid);
    }
    PaintExtras(R);
}

void TQorBand::Dispatch(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (Message.Msg == WM_SIZE) ArrangeButtons();
}

TQorHeader::TQorHeader(TComponent* AOwner) : TQorBand(AOwner), FAppearance(Create<THeaderAppearance>(AOwner))
{
    FAppearance->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
    FAppearance->OnButtonsChanged = [](TObject*) {};
}

TQorHeader::~TQorHeader()
{
    FAppearance->Free();
}

void TQorHeader::SetQorDropDown(TQorCustomDropDown* Value)
{
    TQorBand::SetQorDropDown(Value);
    if (Value) FAppearance->Assign(Value->GetDropDownHeader());
}

THeaderButtons* TQorHeader::GetButtons() const
{
    return FQorDropDown ? FQorDropDown->GetDropDownHeader()->GetButtons() : nullptr;
}

TQorFooter::TQorFooter(TComponent* AOwner) : TQorBand(AOwner), FAppearance(Create<TFooterAppearance>(AOwner))
{
    FControlStyle.Include(csCaptureMouse);
    FAppearance->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
}

TQorFooter::~TQorFooter()
{
    FAppearance->Free();
}

void TQorFooter::SetQorDropDown(TQorCustomDropDown* Value)
{
    TQorBand::SetQorDropDown(Value);
    if (Value) FAppearance->Assign(Value->GetDropDownFooter());
}

TFooterButtons* TQorFooter::GetButtons() const
{
    return FQorDropDown ? FQorDropDown->GetDropDownFooter()->GetButtons() : nullptr;
}

bool TQorFooter::HasSizeGrip()
{
    return FAppearance->GetSizeGrip() && FQorDropDown && FQorDropDown->GetDropDownSizeable();
}

TRect TQorFooter::GetButtonsRect()
{
    TRect R = GetClientRect();
    return TRect(R.Left + 2, R.Top + 2, R.Right - (HasSizeGrip() ? 14 : 2), R.Bottom - 2);
}

void TQorFooter::PaintExtras(const TRect& R)
{
    const int BW = FAppearance->GetBorderWidth();
    if (HasSizeGrip()) DrawSizeGrip(TRect(R.Right - BW - 16, 1, R.Right - BW - 1, R.Bottom));
}

void TQorFooter::DrawSizeGrip(const TRect& R)
{
    static constexpr int Cells[6][2] = {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 1}};
    TCanvas* C = GetCanvas();
    auto Layer = [&](TColor Color, int Shift) {
        C->GetBrush()->SetStyle(bsSolid);
        C->GetBrush()->SetColor(Color);
        C->GetPen()->SetColor(Color);
        for (const auto& Cell : Cells) {
            const int X = R.Left + 5 - Shift + 4 * Cell[0], Y = R.Bottom - 4 - Shift - 4 * Cell[1];
            C->Rectangle(X, Y, X + 2, Y + 2);
        }
    };
    Layer(BlendColor(clWhite, clWhite, 50), 0);
    Layer(BlendColor(FAppearance->GetBorderColor(), clWhite, 100), 1);
}

bool TQorFooter::InGripZone(int X, int Y)
{
    return HasSizeGrip() && GetParent() && X > GetWidth() - 12 && Y > GetHeight() - 15;
}

void TQorFooter::RestoreCursor()
{
    if (Screen->GetCursor() != FOldCursor) Screen->SetCursor(FOldCursor);
}

void TQorFooter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && InGripZone(X, Y)) {
        ReleaseCapture();
        GetParent()->Perform(WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, 0);
    }
}

void TQorFooter::MouseMove(TShiftState Shift, int X, int Y)
{
    inherited::MouseMove(Shift, X, Y);
    if (InGripZone(X, Y)) {
        if (Screen->GetCursor() != crSizeNWSE) Screen->SetCursor(crSizeNWSE);
    } else {
        RestoreCursor();
    }
}

void TQorFooter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    inherited::MouseUp(Button, Shift, X, Y);
    RestoreCursor();
}

void TQorFooter::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSEENTER:
        if (Screen->GetCursor() != crSizeNWSE) FOldCursor = Screen->GetCursor();
        inherited::Dispatch(Message);
        break;
    case CM_MOUSELEAVE:
        inherited::Dispatch(Message);
        RestoreCursor();
        break;
    default: inherited::Dispatch(Message);
    }
}

void TQorHeader::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"Appearance", &TQorHeader::GetAppearance, &TQorHeader::SetAppearance);
}

void TQorFooter::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"Appearance", &TQorFooter::GetAppearance, &TQorFooter::SetAppearance);
}
